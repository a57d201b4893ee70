#include "core/firebird.h"
#include "core/firebirdapi.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <ibase.h>
#include <unistd.h>

namespace Firebird {

QString statusText(const ISC_STATUS *status)
{
    QString text;
    char buffer[1024];
    const ISC_STATUS *p = status;
    while (fb_interpret(buffer, sizeof buffer, &p)) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QString::fromLocal8Bit(buffer);
    }
    const long code = isc_sqlcode(status);
    if (code != 0)
        text = QStringLiteral("SQL %1: %2").arg(code).arg(text);
    return text;
}

bool failed(const ISC_STATUS *status)
{
    return status[0] == 1 && status[1] > 0;
}

bool startTransaction(isc_db_handle db, isc_tr_handle *tr, const char *tpb, short tpbLength, QString *error)
{
    if (!db) {
        if (error)
            *error = QStringLiteral("Databáze není otevřena.");
        return false;
    }
    ISC_STATUS_ARRAY status;
    isc_start_transaction(status, tr, 1, &db, tpbLength, tpb);
    if (failed(status)) {
        if (error)
            *error = statusText(status);
        return false;
    }
    return true;
}

void appendParameter(QByteArray &block, char tag, const QByteArray &value)
{
    block.append(tag);
    block.append(char(value.size()));
    block.append(value);
}

QByteArray attachBlock(const QString &user, const QString &password)
{
    QByteArray dpb(1, char(isc_dpb_version1));
    appendParameter(dpb, isc_dpb_user_name, user.toUtf8());
    appendParameter(dpb, isc_dpb_password, password.toUtf8());
    return dpb;
}

isc_db_handle attachmentOf(const QSqlDatabase &db)
{
    // isc_db_handle is a plain integer handle in this client, so the variant carries
    // it under that type's name
    const QVariant v = db.isOpen() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || v.metaType().sizeOf() != int(sizeof(isc_db_handle)))
        return 0;
    return *static_cast<const isc_db_handle *>(v.constData());
}

namespace {

QString quoted(const QString &s)
{
    QString t = s;
    t.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

} // namespace

Location parseLocation(const QString &serverName)
{
    Location loc;
    const QString s = serverName.trimmed();
    const int colon = s.indexOf(QLatin1Char(':'));
    const QString head = s.left(colon);
    // "host/port" reaches a server on a TCP port of its own
    static const QRegularExpression hostWithPort(QStringLiteral("^[^/\\\\]+/[0-9]+$"));
    if (colon > 1
        && ((!head.contains(QLatin1Char('/')) && !head.contains(QLatin1Char('\\'))) || hostWithPort.match(head).hasMatch())) {
        loc.host = s.left(colon);
        loc.path = s.mid(colon + 1);
    } else {
        loc.path = s;
    }
    return loc;
}

bool createDatabase(const Location &where, const QString &user, const QString &password, QString *error)
{
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    const QByteArray sql = (QStringLiteral("CREATE DATABASE ") + quoted(where.spec())
                            + QStringLiteral(" USER ") + quoted(user)
                            + QStringLiteral(" PASSWORD ") + quoted(password)
                            + QStringLiteral(" PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1250")).toUtf8();
    isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr);
    if (failed(status)) {
        if (error)
            *error = statusText(status);
        return false;
    }
    isc_detach_database(status, &db);
    return true;
}

bool setForcedWrites(const Location &where, const QString &user, const QString &password, bool on,
                     QString *error)
{
    QByteArray dpb = attachBlock(user, password);
    appendParameter(dpb, isc_dpb_force_write, QByteArray(1, on ? 1 : 0));
    const QByteArray name = where.spec().toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_attach_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData());
    if (failed(status)) {
        if (error)
            *error = statusText(status);
        return false;
    }
    isc_detach_database(status, &db);
    return true;
}

bool executeDdl(const QSqlDatabase &db, const QString &statement, QString *error)
{
    isc_db_handle handle = attachmentOf(db);
    // read-write, concurrency, wait at most 10 s for locks held by other workstations
    static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_concurrency,
                               isc_tpb_wait, isc_tpb_lock_timeout, 1, 10};
    isc_tr_handle tr = 0;
    if (!startTransaction(handle, &tr, tpb, short(sizeof tpb), error))
        return false;
    ISC_STATUS_ARRAY status;
    const QByteArray sql = statement.toUtf8();
    isc_dsql_execute_immediate(status, &handle, &tr, 0, sql.constData(), SQL_DIALECT_V6, nullptr);
    if (!failed(status))
        isc_commit_transaction(status, &tr);
    if (failed(status)) {
        if (error)
            *error = statusText(status);
        ISC_STATUS_ARRAY ignored;
        if (tr)
            isc_rollback_transaction(ignored, &tr);
        return false;
    }
    return true;
}

QStringList splitScript(const QString &script)
{
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    int i = 0;
    const int n = script.size();
    auto flush = [&]() {
        const QString s = current.trimmed();
        if (!s.isEmpty()) {
            // SET TERM changes the terminator and is not sent to the engine
            static const QString setTerm = QStringLiteral("SET TERM ");
            if (s.startsWith(setTerm, Qt::CaseInsensitive))
                terminator = s.mid(setTerm.size()).trimmed().split(QLatin1Char(' ')).constFirst();
            else
                statements << s;
        }
        current.clear();
    };
    while (i < n) {
        const QChar c = script.at(i);
        if (c == QLatin1Char('-') && i + 1 < n && script.at(i + 1) == QLatin1Char('-')) {
            while (i < n && script.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && script.at(i + 1) == QLatin1Char('*')) {
            const int end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            int j = i + 1;
            while (j < n) {
                if (script.at(j) == c) {
                    if (j + 1 < n && script.at(j + 1) == c) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            current += script.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        // A "SET TERM" statement ends with the terminator in force before it.
        if (script.mid(i, terminator.size()) == terminator) {
            flush();
            i += terminator.size();
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return statements;
}

void chooseLockDirectory()
{
    if (!qEnvironmentVariableIsEmpty("FIREBIRD_LOCK"))
        return;
    const QFileInfo shared(QStringLiteral("/tmp/firebird"));
    if (!shared.exists() || (shared.isWritable() && shared.isExecutable()))
        return;
    const QString own = QDir::tempPath() + QStringLiteral("/firebird-") + QString::number(getuid());
    QDir().mkpath(own);
    qputenv("FIREBIRD_LOCK", own.toLocal8Bit());
}

void shutdownEngine()
{
    fb_shutdown(0, fb_shutrsn_app_stopped);
}

} // namespace Firebird
