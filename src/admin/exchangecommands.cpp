#include "admin/exchangecommands.h"
#include "admin/exchange.h"

#include "core/datamodulpro.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace ExchangeCommands {

namespace {

const QCommandLineOption folderOption(QStringLiteral("folder"), QStringLiteral("Folder of Export.GDB."),
                                      QStringLiteral("path"));
const QCommandLineOption sinceOption(QStringLiteral("since"),
                                     QStringLiteral("Export the rows changed on or after this date (YYYY-MM-DD or DD.MM.YYYY)."),
                                     QStringLiteral("date"));
const QCommandLineOption areasOption(QStringLiteral("areas"), QStringLiteral("Areas, comma-separated, or all."),
                                     QStringLiteral("list"));
const QCommandLineOption liftOption(QStringLiteral("lift-block"),
                                    QStringLiteral("Lift a write block an interrupted import left behind."));

bool areasOf(const QCommandLineParser &parser, QStringList *boxes, QTextStream &err)
{
    if (!parser.isSet(areasOption)) {
        *boxes = Exchange::allAreas();
        boxes->removeAll(QStringLiteral("cbSys"));
        return true;
    }
    for (const QString &name : parser.value(areasOption).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (name.trimmed().compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
            *boxes += Exchange::allAreas();
            continue;
        }
        const Exchange::Area *area = Exchange::areaOf(name.trimmed());
        if (!area) {
            err << QStringLiteral("Unknown area '%1'").arg(name.trimmed()) << Qt::endl;
            return false;
        }
        *boxes << area->box;
    }
    return true;
}

// Opens the database; the error goes to err.
bool open(TDMPro &dm, const DatabaseBackup::Target &database, QTextStream &err)
{
    QString error;
    if (dm.open(database.location, database.user, database.password, &error))
        return true;
    err << QStringLiteral("Databázi %1 nelze otevřít: %2").arg(database.location.spec(), error) << Qt::endl;
    return false;
}

int report(const Exchange::Outcome &outcome, QTextStream &out, QTextStream &err)
{
    for (const QString &line : outcome.notCarried)
        err << QStringLiteral("Nepřenesena položka: ") << line << Qt::endl;
    if (!outcome.ok) {
        err << outcome.message.trimmed() << Qt::endl;
        return 1;
    }
    out << outcome.message << QStringLiteral(" (tabulek: %1, řádků: %2").arg(outcome.tables).arg(outcome.rows);
    if (outcome.changed > 0 || outcome.message == QLatin1String("Údaje jsou naimportovány"))
        out << QStringLiteral(", změněno: %1").arg(outcome.changed);
    out << ')' << Qt::endl;
    return 0;
}

} // namespace

QList<QCommandLineOption> options()
{
    return {folderOption, sinceOption, areasOption, liftOption};
}

int runExport(const QCommandLineParser &parser, const DatabaseBackup::Target &database, QTextStream &out,
              QTextStream &err)
{
    const QString since = parser.value(sinceOption);
    QDate date = QDate::fromString(since, Qt::ISODate);
    if (!date.isValid())
        date = QDate::fromString(since, QStringLiteral("dd.MM.yyyy"));
    QStringList boxes;
    if (!date.isValid()) {
        err << QStringLiteral("export needs --since with a date, not '%1'").arg(since) << Qt::endl;
        return 2;
    }
    if (!areasOf(parser, &boxes, err))
        return 2;
    TDMPro dm(QStringLiteral("QelBatchExport"));
    if (!open(dm, database, err))
        return 1;
    return report(Exchange::exportChanges(dm, parser.value(folderOption), date, boxes), out, err);
}

int runImport(const QCommandLineParser &parser, const DatabaseBackup::Target &database, QTextStream &out,
              QTextStream &err)
{
    QStringList boxes;
    if (!areasOf(parser, &boxes, err))
        return 2;
    TDMPro dm(QStringLiteral("QelBatchImport"));
    if (!open(dm, database, err))
        return 1;
    QString error;
    if (parser.isSet(liftOption) && !Exchange::liftBlock(dm, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    const Exchange::Outcome outcome = Exchange::importChanges(dm, parser.value(folderOption), boxes);
    const int code = report(outcome, out, err);
    if (outcome.blockedAlready)
        err << QStringLiteral("--lift-block lifts the block") << Qt::endl;
    return code;
}

} // namespace ExchangeCommands
