#include "admin/zaloha.h"
#include "admin/backup.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"

#include <QFileInfo>

namespace {

const QString backupFilter = QStringLiteral("Záloha databáze (*.fbk *.FBK);;Všechny soubory (*)");

DatabaseBackup::Target openTarget(const TDMPro &dm)
{
    const QSqlDatabase db = dm.database();
    DatabaseBackup::Target t;
    t.location.host = db.hostName();
    t.location.path = db.databaseName();
    t.user = db.userName();
    t.password = db.password();
    return t;
}

void tell(const BackupOutcome &outcome, const QString &caption)
{
    if (outcome.ok)
        Prompt::information(outcome.message, caption);
    else
        Prompt::warning(outcome.message, caption);
}

} // namespace

void backupFromMenu(TDMPro &dm)
{
    const QString caption = QStringLiteral("Záloha databáze");
    if (!dm.isOpen()) {
        Prompt::warning(QStringLiteral("Databáze není otevřena."), caption);
        return;
    }
    const DatabaseBackup::Target target = openTarget(dm);
    FileDialogRequest r;
    r.caption = caption;
    r.directory = DatabaseBackup::suggestedFileName(target.location);
    r.filter = backupFilter;
    r.defaultSuffix = QStringLiteral("fbk");
    const QString file = Prompt::saveFileName(r);
    if (file.isEmpty())
        return;
    tell(DatabaseBackup::backup(target, file), caption);
}

QString restoreFromMenu(TDMPro &dm)
{
    const QString caption = QStringLiteral("Obnova databáze ze zálohy");
    FileDialogRequest r;
    r.caption = caption;
    r.filter = backupFilter;
    const QString backupFile = Prompt::openFileName(r);
    if (backupFile.isEmpty())
        return QString();
    DatabaseBackup::Target target = openTarget(dm);
    const Firebird::Location open = target.location;
    FileDialogRequest n;
    n.caption = QStringLiteral("Nový soubor obnovené databáze");
    n.directory = QFileInfo(backupFile).absolutePath() + QLatin1Char('/') + QFileInfo(backupFile).completeBaseName()
                  + QStringLiteral(".FDB");
    n.filter = QStringLiteral("Databáze (*.FDB *.fdb *.GDB *.gdb);;Všechny soubory (*)");
    n.defaultSuffix = QStringLiteral("FDB");
    const QString newFile = Prompt::saveFileName(n);
    if (newFile.isEmpty())
        return QString();
    // "server:path" restores through that server, a plain path with the embedded engine
    target.location = Firebird::parseLocation(newFile);
    if (target.user.isEmpty()) {
        target.user = QStringLiteral("SYSDBA");
        target.password = QStringLiteral("vorlipsan");
    }
    const BackupOutcome outcome = DatabaseBackup::restore(backupFile, target, dm.isOpen() ? open : Firebird::Location());
    tell(outcome, caption);
    return outcome.ok ? outcome.file : QString();
}
