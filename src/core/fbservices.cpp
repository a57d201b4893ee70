#include "core/fbservices.h"
#include "core/firebirdapi.h"
#include "core/secrets.h"

#include <QFile>
#include <QSaveFile>

namespace Firebird {

namespace {

class Service
{
public:
    ~Service()
    {
        if (m_handle) {
            ISC_STATUS_ARRAY ignored;
            isc_service_detach(ignored, &m_handle);
        }
    }

    bool attach(const QString &host, const QString &user, const QString &password, QString *error)
    {
        Secrets::remember(password);
        QByteArray spb;
        spb.append(char(isc_spb_version));
        spb.append(char(isc_spb_current_version));
        appendParameter(spb, isc_spb_user_name, user.trimmed().toUtf8());
        appendParameter(spb, isc_spb_password, password.trimmed().toUtf8());
        // no host: the embedded engine in this process
        const QByteArray name = (host.isEmpty() ? QString() : host + QLatin1Char(':')).toUtf8() + "service_mgr";
        isc_service_attach(m_status, short(name.size()), name.constData(), &m_handle, short(spb.size()), spb.constData());
        return check(error);
    }

    bool start(const QByteArray &request, QString *error)
    {
        isc_service_start(m_status, &m_handle, nullptr, short(request.size()), request.constData());
        return check(error);
    }

    // One query: what to send (already in the send block's form) and the items wanted.
    bool query(const QByteArray &send, const QByteArray &items, QByteArray *result, QString *error)
    {
        result->resize(32 * 1024);
        isc_service_query(m_status, &m_handle, nullptr, short(send.size()), send.constData(), short(items.size()),
                          items.constData(), short(result->size()), result->data());
        return check(error);
    }

private:
    bool check(QString *error)
    {
        if (!failed(m_status))
            return true;
        if (error)
            *error = statusText(m_status);
        return false;
    }
    ISC_STATUS_ARRAY m_status = {};
    isc_svc_handle m_handle = 0;
};

void addString(QByteArray &block, char tag, const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    block.append(tag);
    block.append(char(bytes.size() & 0xff));
    block.append(char((bytes.size() >> 8) & 0xff));
    block.append(bytes);
}

int readShort(const char *p)
{
    return int(isc_vax_integer(p, 2));
}

} // namespace

bool backupDatabase(const Location &database, const QString &user, const QString &password,
                    const QString &backupFile, const ByteProgress &progress, QString *error)
{
    Service service;
    if (!service.attach(database.host, user, password, error))
        return false;
    QByteArray request(1, char(isc_action_svc_backup));
    addString(request, isc_spb_dbname, database.path);
    addString(request, isc_spb_bkp_file, QStringLiteral("stdout"));
    if (!service.start(request, error))
        return false;

    // a half-written backup never takes the place of an older one
    QSaveFile out(backupFile);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    const QByteArray items(1, char(isc_info_svc_to_eof));
    qint64 written = 0;
    // the service's output ends with an empty piece; a reply without a piece means:
    // ask again (but a service that keeps answering nothing has gone away)
    int idle = 0;
    for (bool finished = false; !finished;) {
        if (++idle > 1000) {
            if (error)
                *error = QStringLiteral("Služba zálohy přestala odpovídat.");
            return false;
        }
        QByteArray result;
        if (!service.query(QByteArray(), items, &result, error))
            return false;
        const char *p = result.constData();
        const char *end = p + result.size();
        bool truncated = false;
        int piece = -1;
        while (p < end && *p != char(isc_info_end)) {
            const char item = *p++;
            if (item == char(isc_info_svc_to_eof)) {
                piece = readShort(p);
                p += 2;
                if (out.write(p, piece) != piece) {
                    if (error)
                        *error = out.errorString();
                    return false;
                }
                written += piece;
                p += piece;
                idle = 0;
            } else if (item == char(isc_info_truncated)) {
                truncated = true;
            } else {
                break;      // isc_info_svc_timeout, isc_info_data_not_ready
            }
        }
        finished = piece == 0 && !truncated;
        if (progress)
            progress(written);
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

bool restoreDatabase(const QString &backupFile, const Location &database, const QString &user,
                     const QString &password, const ByteProgress &progress, QString *error)
{
    QFile in(backupFile);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    Service service;
    if (!service.attach(database.host, user, password, error))
        return false;
    QByteArray request(1, char(isc_action_svc_restore));
    addString(request, isc_spb_bkp_file, QStringLiteral("stdin"));
    addString(request, isc_spb_dbname, database.path);
    request.append(char(isc_spb_options));
    const quint32 options = isc_spb_res_create;
    for (int i = 0; i < 4; ++i)
        request.append(char((options >> (8 * i)) & 0xff));
    if (!service.start(request, error))
        return false;

    const QByteArray items = QByteArray(1, char(isc_info_svc_stdin)) + char(isc_info_svc_line);
    qint64 requested = 0;
    qint64 sent = 0;
    int emptySends = 0;
    for (;;) {
        QByteArray send;
        if (requested > 0) {
            // the engine takes the backup in pieces it asks for; an empty one is its end
            const QByteArray chunk = in.read(qMin<qint64>(requested, 16 * 1024));
            if (chunk.isEmpty() && ++emptySends > 2) {
                // it still wants more than the file holds: a backup cut short
                if (error)
                    *error = QStringLiteral("Soubor zálohy končí předčasně.");
                return false;
            }
            send.append(char(isc_info_svc_line));
            send.append(char(chunk.size() & 0xff));
            send.append(char((chunk.size() >> 8) & 0xff));
            send.append(chunk);
            send.append(char(isc_info_end));
            sent += chunk.size();
            if (progress)
                progress(sent);
        }
        QByteArray result;
        if (!service.query(send, items, &result, error))
            return false;
        const char *p = result.constData();
        const char *end = p + result.size();
        requested = 0;
        bool output = false;
        while (p < end && *p != char(isc_info_end)) {
            const char item = *p++;
            if (item == char(isc_info_svc_stdin)) {
                requested = isc_vax_integer(p, 4);
                p += 4;
            } else if (item == char(isc_info_svc_line)) {
                const int length = readShort(p);
                p += 2 + length;
                output = output || length > 0;
            } else if (item == char(isc_info_truncated)) {
                output = true;
            } else {
                break;
            }
        }
        // neither a wish for input nor output: the service has ended
        if (requested == 0 && !output)
            break;
    }
    return true;
}

} // namespace Firebird
