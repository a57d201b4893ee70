#include "admin/batchcommands.h"
#include "admin/backup.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace BatchCommands {

namespace {

struct Command
{
    const char *name;
    const char *summary;
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

const Command commands[] = {
    {"backup", "backup --database D --file F: writes a backup of the database into F", backupCommand},
    {"restore", "restore --file F --database D: restores the backup F into the new database D", restoreCommand},
};

} // namespace

QString usage()
{
    QString text = QStringLiteral("Usage: tarko8-batch <command> [options]\nCommands:\n");
    for (const Command &c : commands)
        text += QStringLiteral("  %1\n").arg(QString::fromUtf8(c.summary));
    return text + QStringLiteral("Options --user and --password default to SYSDBA and vorlipsan.\n");
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QString name = arguments.value(0);
    for (const Command &c : commands) {
        if (name != QLatin1String(c.name))
            continue;
        QCommandLineParser parser;
        parser.addOptions({databaseOption, fileOption, userOption, passwordOption});
        // the parser takes the program name first
        if (!parser.parse(QStringList{QStringLiteral("tarko8-batch")} + arguments.mid(1))) {
            err << parser.errorText() << Qt::endl << usage();
            return 2;
        }
        if (!parser.isSet(databaseOption) || !parser.isSet(fileOption)) {
            err << QStringLiteral("%1 needs --database and --file").arg(name) << Qt::endl << usage();
            return 2;
        }
        return c.run(parser, out, err);
    }
    err << usage();
    return 2;
}

} // namespace BatchCommands
