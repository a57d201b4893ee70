#include "admin/backup.h"
#include "core/datamodulpro.h"
#include "core/fbservices.h"
#include "core/progress.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace DatabaseBackup {

namespace {

// Reports bytes as whole per cents of the expected total.
class PercentProgress
{
public:
    explicit PercentProgress(qint64 expected) : m_run(100), m_expected(qMax<qint64>(expected, 1)) {}
    void operator()(qint64 bytes)
    {
        const int percent = int(qMin<qint64>(99, bytes * 100 / m_expected));
        while (m_done < percent) {
            m_run.step();
            ++m_done;
        }
    }

private:
    ProgressRun m_run;
    qint64 m_expected;
    int m_done = 0;
};

bool sameLocalFile(const Firebird::Location &a, const Firebird::Location &b)
{
    if (!a.host.isEmpty() || !b.host.isEmpty() || a.path.isEmpty() || b.path.isEmpty())
        return a.host == b.host && a.path == b.path;
    const QFileInfo fa(a.path), fb(b.path);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    return (!ca.isEmpty() && ca == cb) || fa.absoluteFilePath() == fb.absoluteFilePath();
}

// A backup begins with the backup program's own record: its format version.
bool looksLikeBackup(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(3);
    return head.size() == 3 && head.at(0) == 0 && head.at(1) == 2 && head.at(2) == 4;
}

BackupOutcome failure(const QString &text)
{
    BackupOutcome o;
    o.message = text;
    return o;
}

// Opens the restored database once, as the program would, and reads from it.
bool opens(const DatabaseBackup::Target &database, QString *error)
{
    TDMPro check(QStringLiteral("RestoreCheck-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    if (!check.open(database.location, database.user, database.password, error))
        return false;
    QSqlQuery q = check.NewQuery();
    const bool ok = q.exec(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS")) && q.next();
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

} // namespace

QString sizeText(qint64 bytes)
{
    return QLocale(QLocale::Czech).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString suggestedFileName(const Firebird::Location &database)
{
    return QDir::homePath() + QLatin1Char('/') + QFileInfo(database.path).completeBaseName()
           + QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd")) + QStringLiteral(".fbk");
}

BackupOutcome backup(const Target &database, const QString &backupFile)
{
    if (backupFile.trimmed().isEmpty())
        return failure(QStringLiteral("Není zadán soubor zálohy."));
    if (database.location.host.isEmpty() && sameLocalFile(database.location, Firebird::Location{QString(), backupFile}))
        return failure(QStringLiteral("Záloha nemůže přepsat soubor databáze."));
    // the backup is smaller than the file; the file's size is the estimate there is
    const qint64 expected = database.location.host.isEmpty() ? QFileInfo(database.location.path).size() / 2 : 0;
    QString error;
    bool ok = false;
    {
        PercentProgress progress(expected);
        ok = Firebird::backupDatabase(database.location, database.user, database.password, backupFile,
                                      [&progress](qint64 bytes) { progress(bytes); }, &error);
    }
    if (!ok)
        return failure(QStringLiteral("Záloha databáze %1 se nezdařila.\n%2").arg(database.location.spec(), error));
    BackupOutcome o;
    o.ok = true;
    o.file = backupFile;
    o.size = QFileInfo(backupFile).size();
    o.message = QStringLiteral("Záloha databáze byla uložena do souboru\n%1\nVelikost zálohy: %2")
                    .arg(QDir::toNativeSeparators(backupFile), sizeText(o.size));
    return o;
}

BackupOutcome restore(const QString &backupFile, const Target &newDatabase, const Firebird::Location &openDatabase)
{
    const Firebird::Location &target = newDatabase.location;
    if (target.path.trimmed().isEmpty())
        return failure(QStringLiteral("Není zadán soubor nové databáze."));
    if (sameLocalFile(target, openDatabase))
        return failure(QStringLiteral("Obnova nikdy nepřepisuje otevřenou databázi %1. Zadejte nový soubor databáze.")
                           .arg(target.spec()));
    const bool local = target.host.isEmpty();
    if (local && QFileInfo::exists(target.path))
        return failure(QStringLiteral("Soubor %1 již existuje. Obnova ze zálohy vytváří jen nový soubor databáze, "
                                      "žádný existující nepřepíše.").arg(target.path));
    if (!QFileInfo(backupFile).isReadable())
        return failure(QStringLiteral("Soubor zálohy %1 nelze přečíst.").arg(backupFile));
    const QString notBackup = QStringLiteral("Soubor %1 není použitelná záloha databáze: je poškozený, neúplný "
                                             "nebo to není záloha. Žádná databáze nebyla vytvořena.")
                                  .arg(backupFile);
    if (!looksLikeBackup(backupFile))
        return failure(notBackup);
    if (local)
        QDir().mkpath(QFileInfo(target.path).absolutePath());

    QString error;
    bool ok = false;
    {
        PercentProgress progress(QFileInfo(backupFile).size());
        ok = Firebird::restoreDatabase(backupFile, target, newDatabase.user, newDatabase.password,
                                       [&progress](qint64 bytes) { progress(bytes); }, &error);
    }
    if (ok && !opens(newDatabase, &error))
        ok = false;
    if (!ok) {
        // a half-restored file is no database: it goes (it was not there before)
        if (local)
            QFile::remove(target.path);
        return failure(QStringLiteral("Obnova databáze ze zálohy %1 se nezdařila: záloha je poškozená nebo neúplná, "
                                      "nebo nový soubor databáze nelze zapsat. Žádná databáze nebyla vytvořena.\n%2")
                           .arg(backupFile, error));
    }
    BackupOutcome o;
    o.ok = true;
    o.file = target.spec();
    o.size = local ? QFileInfo(target.path).size() : 0;
    o.message = QStringLiteral("Databáze byla obnovena ze zálohy do souboru\n%1\nVelikost databáze: %2")
                    .arg(target.spec(), sizeText(o.size));
    return o;
}

} // namespace DatabaseBackup
