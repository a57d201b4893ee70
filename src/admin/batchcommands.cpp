#include "admin/batchcommands.h"
#include "admin/backup.h"
#include "admin/exchangecommands.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace BatchCommands {

namespace {

struct Command
{
    const char *name;
    const char *summary;
    const char *required;   // the options it cannot go without
    int (*run)(QCommandLineParser &parser, QTextStream &out, QTextStream &err);
};

const QCommandLineOption databaseOption(QStringLiteral("database"), QStringLiteral("Database (file, or server:path)."),
                                        QStringLiteral("path"));
const QCommandLineOption fileOption(QStringLiteral("file"), QStringLiteral("Backup file."), QStringLiteral("path"));
const QCommandLineOption userOption(QStringLiteral("user"), QStringLiteral("Database user (default SYSDBA)."),
                                    QStringLiteral("name"), QStringLiteral("SYSDBA"));
const QCommandLineOption passwordOption(QStringLiteral("password"), QStringLiteral("Password."),
                                        QStringLiteral("text"), QStringLiteral("vorlipsan"));

DatabaseBackup::Target targetOf(QCommandLineParser &parser)
{
    DatabaseBackup::Target t;
    t.location = Firebird::parseLocation(parser.value(databaseOption));
    t.user = parser.value(userOption);
    t.password = parser.value(passwordOption);
    return t;
}

int report(const BackupOutcome &outcome, QTextStream &out, QTextStream &err)
{
    (outcome.ok ? out : err) << outcome.message << Qt::endl;
    return outcome.ok ? 0 : 1;
}

int backupCommand(QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    return report(DatabaseBackup::backup(targetOf(parser), parser.value(fileOption)), out, err);
}

int restoreCommand(QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    return report(DatabaseBackup::restore(parser.value(fileOption), targetOf(parser)), out, err);
}

int exportCommand(QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    return ExchangeCommands::runExport(parser, targetOf(parser), out, err);
}

int importCommand(QCommandLineParser &parser, QTextStream &out, QTextStream &err)
{
    return ExchangeCommands::runImport(parser, targetOf(parser), out, err);
}

const Command commands[] = {
    {"backup", "backup --database D --file F: writes a backup of the database into F", "database file", backupCommand},
    {"restore", "restore --file F --database D: restores the backup F into the new database D", "database file",
     restoreCommand},
    {"export", "export --database D --folder F --since DATE [--areas adr,cen,...|all]: writes the rows changed "
               "since DATE into F/Export.GDB", "database folder since", exportCommand},
    {"import", "import --database D --folder F [--areas ...] [--lift-block]: merges F/Export.GDB into the database",
     "database folder", importCommand},
};

} // namespace

QString usage()
{
    QString text = QStringLiteral("Usage: tarko8-batch <command> [options]\nCommands:\n");
    for (const Command &c : commands)
        text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.summary));
    return text + QStringLiteral("Options --user and --password default to SYSDBA and vorlipsan. Areas: adr dil dod hp "
                                 "pv pk cen skl sez fak obj sys; without --areas all but sys.\n");
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString name = arguments.value(0);
    for (const Command &c : commands) {
        if (name != QLatin1String(c.name))
            continue;
        QCommandLineParser parser;
        parser.addOptions({databaseOption, fileOption, userOption, passwordOption});
        parser.addOptions(ExchangeCommands::options());
        // the parser takes the program name first
        if (!parser.parse(QStringList{QStringLiteral("tarko8-batch")} + arguments.mid(1))) {
            err << parser.errorText() << Qt::endl << usage();
            return 2;
        }
        const QStringList required = QString::fromLatin1(c.required).split(QLatin1Char(' '));
        for (const QString &option : required)
            if (!parser.isSet(option)) {
                err << QStringLiteral("%1 needs --%2").arg(name, required.join(QStringLiteral(" and --"))) << Qt::endl
                    << usage();
                return 2;
            }
        return c.run(parser, out, err);
    }
    err << usage();
    return 2;
}

} // namespace BatchCommands
