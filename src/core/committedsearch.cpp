#include "core/committedsearch.h"

#include <QDateTime>
#include <QVariant>
#include <cstring>
#include <ctime>
#include <vector>

#include "core/datamodulpro.h"
#include "core/firebirdapi.h"

namespace {

// Read only and read committed: nothing to wait for, no snapshot to keep.
const char ReadCommittedTpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                 isc_tpb_rec_version, isc_tpb_nowait};

using Firebird::failed;
using Firebird::statusText;

isc_db_handle attachmentOf(const TDMPro *dm)
{
    return dm ? Firebird::attachmentOf(dm->database()) : 0;
}

// An XSQLDA with room for n variables, and a buffer and a null flag for each variable
// the engine described.
class Area
{
public:
    explicit Area(int n) : m_da(XSQLDA_LENGTH(n) / sizeof(ISC_INT64) + 1)
    {
        da()->version = SQLDA_VERSION1;
        da()->sqln = short(n);
        da()->sqld = 0;
    }
    XSQLDA *da() { return reinterpret_cast<XSQLDA *>(m_da.data()); }
    XSQLVAR &var(int i) { return da()->sqlvar[i]; }
    void allocate()
    {
        const int n = da()->sqld;
        m_nulls.assign(size_t(n), 0);
        m_buffers.assign(size_t(n), {});
        for (int i = 0; i < n; ++i) {
            XSQLVAR &v = var(i);
            const size_t bytes = size_t(v.sqllen) + ((v.sqltype & ~1) == SQL_VARYING ? sizeof(short) : 0);
            m_buffers[size_t(i)].assign(bytes / sizeof(ISC_INT64) + 1, 0);
            v.sqldata = reinterpret_cast<char *>(m_buffers[size_t(i)].data());
            v.sqlind = &m_nulls[size_t(i)];
        }
    }

private:
    std::vector<ISC_INT64> m_da;   // 8-byte aligned, as the structure needs
    std::vector<std::vector<ISC_INT64>> m_buffers;
    std::vector<ISC_SHORT> m_nulls;
};

QVariant valueOf(const XSQLVAR &v)
{
    if ((v.sqltype & 1) && *v.sqlind < 0)
        return QVariant();
    const char *data = v.sqldata;
    auto scaled = [&v](qint64 n) {
        if (v.sqlscale >= 0)
            return QVariant(n);
        double d = double(n);
        for (int i = 0; i < -v.sqlscale; ++i)
            d /= 10;
        return QVariant(d);
    };
    switch (v.sqltype & ~1) {
    case SQL_VARYING: {
        short length;
        std::memcpy(&length, data, sizeof length);
        return QString::fromUtf8(data + sizeof(short), length);
    }
    case SQL_TEXT:
        return QString::fromUtf8(data, v.sqllen);
    case SQL_SHORT: {
        ISC_SHORT n;
        std::memcpy(&n, data, sizeof n);
        return v.sqlscale < 0 ? scaled(n) : QVariant(int(n));
    }
    case SQL_LONG: {
        ISC_LONG n;
        std::memcpy(&n, data, sizeof n);
        return v.sqlscale < 0 ? scaled(n) : QVariant(int(n));
    }
    case SQL_INT64: {
        ISC_INT64 n;
        std::memcpy(&n, data, sizeof n);
        return scaled(n);
    }
    case SQL_DOUBLE: {
        double d;
        std::memcpy(&d, data, sizeof d);
        return d;
    }
    case SQL_FLOAT: {
        float f;
        std::memcpy(&f, data, sizeof f);
        return double(f);
    }
    case SQL_TYPE_DATE: {
        std::tm t{};
        isc_decode_sql_date(reinterpret_cast<const ISC_DATE *>(data), &t);
        return QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
    }
    case SQL_TIMESTAMP: {
        std::tm t{};
        isc_decode_timestamp(reinterpret_cast<const ISC_TIMESTAMP *>(data), &t);
        return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday), QTime(t.tm_hour, t.tm_min, t.tm_sec));
    }
    default:
        return QVariant();
    }
}

} // namespace

struct CommittedSearch::Statement
{
    isc_db_handle db = 0;          // the attachment it was prepared on
    isc_stmt_handle handle = 0;
    Area in{1};
    Area out;
    int columns;

    explicit Statement(int columnCount) : out(columnCount), columns(columnCount) {}

    // Statements go with their attachment, so only one that is still attached is freed.
    void drop(isc_db_handle current)
    {
        if (handle && db == current) {
            ISC_STATUS_ARRAY ignored;
            isc_dsql_free_statement(ignored, &handle, DSQL_drop);
        }
        handle = 0;
        db = 0;
    }

    bool prepare(const QString &sql, const QString &placeholder, isc_db_handle attachment,
                 isc_tr_handle *tr, ISC_STATUS *status)
    {
        db = attachment;
        isc_dsql_allocate_statement(status, &db, &handle);
        if (failed(status))
            return false;
        // the client API takes positional markers
        const QByteArray text = QString(sql).replace(placeholder, QStringLiteral("?")).toUtf8();
        isc_dsql_prepare(status, tr, &handle, 0, text.constData(), SQL_DIALECT_V6, out.da());
        if (failed(status))
            return false;
        isc_dsql_describe_bind(status, &handle, SQL_DIALECT_V6, in.da());
        if (failed(status))
            return false;
        if (out.da()->sqld != columns || in.da()->sqld != 1)
            return false;
        // the text goes in as a varying string in the connection's character set
        XSQLVAR &p = in.var(0);
        p.sqltype = short(SQL_VARYING | (p.sqltype & 1));
        in.allocate();
        out.allocate();
        return true;
    }

    // Characters the parameter takes: its length is in bytes of the connection's
    // character set (UTF8 here, up to four bytes a character).
    int parameterCharacters()
    {
        const XSQLVAR &p = in.var(0);
        // character set numbers of the engine (RDB$CHARACTER_SETS)
        constexpr int UnicodeFss = 3, Utf8 = 4;
        const int charset = p.sqlsubtype & 0xFF;
        return p.sqllen / (charset == Utf8 ? 4 : charset == UnicodeFss ? 3 : 1);
    }

    bool run(isc_tr_handle *tr, const QString &typed, QVector<QVariantList> *rows, ISC_STATUS *status)
    {
        XSQLVAR &p = in.var(0);
        const QByteArray text = typed.toUtf8();
        // longer than the parameter can hold: nothing matches it (the engine would
        // refuse it as truncated)
        if (text.size() > p.sqllen || typed.toUcs4().size() > parameterCharacters())
            return true;
        const short length = short(text.size());
        std::memcpy(p.sqldata, &length, sizeof length);
        std::memcpy(p.sqldata + sizeof(short), text.constData(), size_t(text.size()));
        *p.sqlind = 0;
        isc_dsql_execute(status, tr, &handle, SQL_DIALECT_V6, in.da());
        if (failed(status))
            return false;
        ISC_STATUS fetched;
        while ((fetched = isc_dsql_fetch(status, &handle, SQL_DIALECT_V6, out.da())) == 0) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row.append(valueOf(out.var(i)));
            rows->append(row);
        }
        const bool ok = fetched == 100;
        ISC_STATUS_ARRAY closing;
        isc_dsql_free_statement(closing, &handle, DSQL_close);
        if (ok && failed(closing)) {
            std::memcpy(status, closing, sizeof closing);
            return false;
        }
        return ok;
    }
};

CommittedSearch::CommittedSearch(TDMPro *dm, const QString &sql, const QString &placeholder, int columns)
    : m_dm(dm), m_sql(sql), m_placeholder(placeholder), m_columns(columns)
{
}

CommittedSearch::~CommittedSearch()
{
    if (m_statement)
        m_statement->drop(attachmentOf(m_dm));
}

bool CommittedSearch::run(const QString &typed, QVector<QVariantList> *rows, QString *error)
{
    rows->clear();
    isc_db_handle db = attachmentOf(m_dm);
    isc_tr_handle tr = 0;
    if (!Firebird::startTransaction(db, &tr, ReadCommittedTpb, short(sizeof ReadCommittedTpb), error))
        return false;
    ISC_STATUS_ARRAY status;
    if (m_statement && m_statement->db != db)
        m_statement->drop(db);   // the connection was reopened
    if (!m_statement)
        m_statement = std::make_unique<Statement>(m_columns);
    bool ok = true;
    if (!m_statement->handle) {
        ok = m_statement->prepare(m_sql, m_placeholder, db, &tr, status);
        ++m_preparations;
    }
    ok = ok && m_statement->run(&tr, typed, rows, status);
    if (ok) {
        isc_commit_transaction(status, &tr);
        ok = !failed(status);
    }
    if (!ok) {
        if (error)
            *error = failed(status) ? statusText(status) : QStringLiteral("Neočekávané sloupce dotazu");
        rows->clear();
        // a statement that failed is not trusted again
        m_statement->drop(db);
        m_statement.reset();
        if (tr) {
            ISC_STATUS_ARRAY ignored;
            isc_rollback_transaction(ignored, &tr);
        }
    }
    return ok;
}
