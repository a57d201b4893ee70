#include "core/openproblem.h"
#include "core/firebirdapi.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace Firebird {

namespace {

// The gds codes of a status vector, with the numbers and strings that follow them.
struct StatusArgs
{
    QList<ISC_STATUS> codes;
    QStringList strings;
    QList<long> numbers;
    long osError = 0;
};

StatusArgs argsOf(const ISC_STATUS *status)
{
    StatusArgs args;
    for (int i = 0; i < ISC_STATUS_LENGTH - 1 && status[i] != isc_arg_end;) {
        switch (status[i]) {
        case isc_arg_gds: args.codes << status[i + 1]; i += 2; break;
        case isc_arg_number: args.numbers << long(status[i + 1]); i += 2; break;
        case isc_arg_unix: args.osError = long(status[i + 1]); i += 2; break;
        case isc_arg_string:
        case isc_arg_interpreted:
            args.strings << QString::fromLocal8Bit(reinterpret_cast<const char *>(status[i + 1]));
            i += 2;
            break;
        case isc_arg_cstring: i += 3; break;
        default: i += 2; break;
        }
    }
    return args;
}

OpenProblem classify(const StatusArgs &a)
{
    const auto has = [&a](ISC_STATUS code) { return a.codes.contains(code); };
    if (has(isc_already_opened))
        return OpenProblem::InUse;
    if (has(isc_wrong_ods)) {
        // found major, found minor, supported major, supported minor
        if (a.numbers.size() >= 3 && a.numbers.at(0) > a.numbers.at(2))
            return OpenProblem::NewerVersion;
        return OpenProblem::OlderVersion;
    }
    if (has(isc_login) || has(isc_no_priv))
        return OpenProblem::WrongLogin;
    if (has(isc_network_error) || has(isc_net_connect_err) || has(isc_unavailable))
        return OpenProblem::ServerUnreachable;
    if (has(isc_io_error) && has(isc_io_open_err) && a.osError == ENOENT)
        return OpenProblem::FileMissing;
    if (has(isc_bad_db_format) || has(isc_db_corrupt) || has(isc_bad_checksum)
        || (has(isc_io_error) && a.strings.value(0) == QLatin1String("read")))
        return OpenProblem::NotDatabase;
    return OpenProblem::Other;
}

} // namespace

OpenDiagnosis diagnoseOpen(const Location &where, const QString &user, const QString &password)
{
    OpenDiagnosis d;
    if (where.host.isEmpty() && !QFileInfo::exists(where.path)) {
        d.problem = OpenProblem::FileMissing;
        return d;
    }
    const QByteArray dpb = attachBlock(user.trimmed(), password.trimmed());
    const QByteArray name = where.spec().toUtf8();
    ISC_STATUS_ARRAY status;
    isc_db_handle db = 0;
    isc_attach_database(status, short(name.size()), name.constData(), &db, short(dpb.size()), dpb.constData());
    if (failed(status)) {
        d.problem = classify(argsOf(status));
        d.engineText = statusText(status);
        return d;
    }
    ISC_STATUS_ARRAY ignored;
    isc_detach_database(ignored, &db);
    return d;
}

FileHolder holderOf(const QString &path)
{
    FileHolder holder;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return holder;
    const QString inode = QStringLiteral("%1:%2:%3")
                              .arg(major(st.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(minor(st.st_dev), 2, 16, QLatin1Char('0'))
                              .arg(quint64(st.st_ino));
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return holder;
    // "1: FLOCK  ADVISORY  WRITE 16204 fe:00:10953026 0 EOF"
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> f = line.simplified().split(' ');
        if (f.size() < 6 || QString::fromLatin1(f.at(5)) != inode)
            continue;
        holder.pid = f.at(4).toLongLong();
        break;
    }
    if (!holder.pid)
        return holder;
    QFile comm(QStringLiteral("/proc/%1/comm").arg(holder.pid));
    if (comm.open(QIODevice::ReadOnly))
        holder.program = QString::fromLocal8Bit(comm.readAll().trimmed());
    struct stat proc;
    if (::stat(QStringLiteral("/proc/%1").arg(holder.pid).toLocal8Bit().constData(), &proc) == 0) {
        holder.uid = proc.st_uid;
        if (const passwd *pw = ::getpwuid(proc.st_uid))
            holder.userName = QString::fromLocal8Bit(pw->pw_name);
        else
            holder.userName = QString::number(proc.st_uid);
    }
    return holder;
}

} // namespace Firebird
