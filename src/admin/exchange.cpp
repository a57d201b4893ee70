#include "admin/exchange.h"

#include "core/datamodulpro.h"
#include "core/firebird.h"
#include "core/sqlrun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <atomic>

namespace Exchange {

namespace {

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

Area area(const char *box, const QString &caption, const char *tables, const char *importOrder = nullptr)
{
    return Area{QString::fromLatin1(box), caption, words(tables), words(importOrder ? importOrder : tables)};
}

// One column as the catalogue describes it, and the type that carries it faithfully:
// texts without padding, memos as text or binary blobs, eight-byte numbers as double
// precision, numerics, dates, times and big integers as themselves.
struct Column
{
    QString name;
    QString type;
    bool padded = false;   // CHAR: the engine pads it, the transfer must not
};

QString typeText(int fieldType, int subType, int byteLength, int charLength, int precision, int scale,
                 int charSet)
{
    auto exact = [&](int defaultPrecision, const char *plain) {
        if (scale < 0)
            return QStringLiteral("numeric(%1,%2)").arg(precision > 0 ? precision : defaultPrecision).arg(-scale);
        return QString::fromLatin1(plain);
    };
    const QString octets = charSet == 1 ? QStringLiteral(" character set octets") : QString();
    switch (fieldType) {
    case 7: return exact(4, "smallint");
    case 8: return exact(9, "integer");
    case 16: return exact(18, "bigint");
    case 10: return QStringLiteral("float");
    case 27: return QStringLiteral("double precision");
    case 12: return QStringLiteral("date");
    case 13: return QStringLiteral("time");
    case 35: return QStringLiteral("timestamp");
    case 23: return QStringLiteral("boolean");
    case 14:
    case 37: return QStringLiteral("varchar(%1)").arg(charLength > 0 ? charLength : byteLength) + octets;
    case 261: return subType == 1 ? QStringLiteral("blob sub_type 1") : QStringLiteral("blob sub_type 0");
    default: return QString();
    }
}

// The columns of a table (none when the table does not exist); computed columns are
// left out, they cannot be written.
QVector<Column> columnsOf(TDMPro &dm, const QString &table, QString *error)
{
    QVector<Column> columns;
    QSqlQuery q = dm.NewQuery();
    q.setForwardOnly(true);
    if (!runSql(q,
                QStringLiteral("SELECT TRIM(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE, COALESCE(F.RDB$FIELD_SUB_TYPE, 0), "
                               "F.RDB$FIELD_LENGTH, COALESCE(F.RDB$CHARACTER_LENGTH, 0), COALESCE(F.RDB$FIELD_PRECISION, 0), "
                               "COALESCE(F.RDB$FIELD_SCALE, 0), COALESCE(F.RDB$CHARACTER_SET_ID, 0) "
                               "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                               "WHERE RF.RDB$RELATION_NAME = :T AND F.RDB$COMPUTED_BLR IS NULL "
                               "ORDER BY RF.RDB$FIELD_POSITION"),
                {{QStringLiteral("T"), table.toUpper()}}, error))
        return {};
    while (q.next()) {
        Column c;
        c.name = q.value(0).toString();
        c.type = typeText(q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt(),
                          q.value(5).toInt(), q.value(6).toInt(), q.value(7).toInt());
        c.padded = q.value(1).toInt() == 14;
        columns.append(c);
    }
    return columns;
}

QStringList tablesOf(TDMPro &dm)
{
    QStringList tables;
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS "
                                             "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL"));
    while (q.next())
        tables << q.value(0).toString();
    return tables;
}

const Column *find(const QVector<Column> &columns, const QString &name)
{
    for (const Column &c : columns)
        if (c.name == name)
            return &c;
    return nullptr;
}

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

QStringList namesOf(const QVector<Column> &columns, bool quote = true)
{
    QStringList names;
    for (const Column &c : columns)
        names << (quote ? quoted(c.name) : c.name);
    return names;
}

// The tables of the ticked areas in the order they are carried.
QStringList tablesToCarry(const QStringList &areaBoxes, bool forExport)
{
    QStringList tables;
    for (const Area &a : areas()) {
        bool ticked = false;
        for (const QString &box : areaBoxes)
            ticked = ticked || areaOf(box) == &a;
        if (ticked)
            for (const QString &t : forExport ? a.exportTables : a.importTables)
                tables << t.toUpper();
    }
    return tables;
}

// A connection of its own on the transfer file, always through the embedded engine.
class TransferFile
{
public:
    TransferFile() : m_dm(QStringLiteral("QelTransfer%1").arg(++s_serial)) {}
    bool create(const QString &path, const TDMPro &main, QString *error)
    {
        const QSqlDatabase db = main.database();
        return Firebird::createDatabase(Firebird::Location{QString(), path}, db.userName(), db.password(), error)
            && open(path, main, error);
    }
    bool open(const QString &path, const TDMPro &main, QString *error)
    {
        const QSqlDatabase db = main.database();
        return m_dm.open(Firebird::Location{QString(), path},
                         db.userName().isEmpty() ? QStringLiteral("SYSDBA") : db.userName(), db.password(), error);
    }
    TDMPro &dm() { return m_dm; }

private:
    static std::atomic<int> s_serial;
    TDMPro m_dm;
};
std::atomic<int> TransferFile::s_serial{0};

// A working folder of its own for the transfer file, removed afterwards.
bool makeWorkFolder(QTemporaryDir &work, QString *error)
{
    if (work.isValid())
        return true;
    *error = QStringLiteral("Nelze vytvořit pracovní adresář: %1").arg(work.errorString());
    return false;
}

bool checkFolder(const QString &folder, QString *error)
{
    if (folder.trimmed().isEmpty()) {
        *error = QStringLiteral(" Musíte vybrat adresář ! ");
        return false;
    }
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("Adresář %1 neexistuje").arg(folder);
        return false;
    }
    return true;
}

// Reports progress every few hundred rows, so a long run shows it moving without
// slowing down.
class ProgressCounter
{
public:
    ProgressCounter(const ProgressCallback &callback, qint64 total) : m_callback(callback), m_total(total) {}
    void table(const QString &name)
    {
        m_table = name;
        report();
    }
    void row()
    {
        if (++m_done % 500 == 0)
            report();
    }
    void report()
    {
        if (m_callback)
            m_callback(m_table, m_done, m_total);
    }

private:
    const ProgressCallback &m_callback;
    qint64 m_total;
    qint64 m_done = 0;
    QString m_table;
};

qint64 countRows(TDMPro &dm, const QString &table, const QString &condition, const SqlParameters &values,
                 QString *error)
{
    bool ok = false;
    const qint64 n = scalarSql(&dm, QStringLiteral("SELECT COUNT(*) FROM ") + quoted(table) + condition, values, &ok,
                               error)
                         .toLongLong();
    return ok ? n : -1;
}

// STOPTRIG is a generator: its value changes at once for every workstation and stays
// outside the import's transaction. Set and read with GEN_ID, which is no DDL.
bool setBlock(TDMPro &dm, int value, QString *error)
{
    bool ok = false;
    scalarSql(&dm,
              QStringLiteral("SELECT GEN_ID(STOPTRIG, %1 - GEN_ID(STOPTRIG, 0)) FROM RDB$DATABASE").arg(value), {}, &ok,
              error);
    return ok;
}

// Holds the block for the import and lifts it on every exit path. GEN_ID adds
// atomically, so of two imports started at once only the one that raised it from 0
// goes on.
class WriteBlock
{
public:
    explicit WriteBlock(TDMPro &dm) : m_dm(dm) {}
    bool take(bool *heldElsewhere, QString *error)
    {
        bool ok = false;
        const qint64 value =
            scalarSql(&m_dm, QStringLiteral("SELECT GEN_ID(STOPTRIG, 1) FROM RDB$DATABASE"), {}, &ok, error).toLongLong();
        if (ok && value != 1)
            scalarSql(&m_dm, QStringLiteral("SELECT GEN_ID(STOPTRIG, -1) FROM RDB$DATABASE"));
        *heldElsewhere = ok && value != 1;
        return m_set = ok && value == 1;
    }
    ~WriteBlock()
    {
        if (m_set)
            setBlock(m_dm, 0, nullptr);
    }

private:
    TDMPro &m_dm;
    bool m_set = false;
};

QString withoutPadding(const QVariant &value)
{
    QString text = value.toString();
    int end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    text.truncate(end);
    return text;
}

// Copies the rows of one table changed since the date into the transfer file.
bool exportTable(TDMPro &source, TDMPro &transfer, const QString &table, const QVector<Column> &columns,
                 const QDateTime &since, ProgressCounter &counter, QString *error)
{
    QStringList definitions;
    for (const Column &c : columns)
        definitions << quoted(c.name) + QLatin1Char(' ') + c.type;
    if (!transfer.executeDdl(QStringLiteral("CREATE TABLE ") + quoted(table) + QStringLiteral(" (")
                                 + definitions.join(QStringLiteral(", ")) + QLatin1Char(')'),
                             error))
        return false;
    QSqlQuery read = source.NewQuery();
    read.setForwardOnly(true);
    if (!runSql(read, QStringLiteral("SELECT ") + namesOf(columns).join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                          + quoted(table) + QStringLiteral(" WHERE KDY >= :KDY"),
                {{QStringLiteral("KDY"), since}}, error))
        return false;
    return inTransaction(
        &transfer,
        [&](QString *failure) {
            QSqlQuery write = transfer.NewQuery();
            QStringList marks;
            for (int i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            if (!prepareSql(write, QStringLiteral("INSERT INTO ") + quoted(table) + QStringLiteral(" (")
                                       + namesOf(columns).join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                       + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                            failure))
                return false;
            while (read.next()) {
                for (int i = 0; i < columns.size(); ++i) {
                    const QVariant v = read.value(i);
                    write.bindValue(i, columns.at(i).padded && !v.isNull() ? QVariant(withoutPadding(v)) : v);
                }
                if (!execSql(write, {}, failure))
                    return false;
                counter.row();
            }
            if (read.lastError().isValid()) {
                *failure = read.lastError().text();
                return false;
            }
            return true;
        },
        error);
}

// The statement that merges one incoming row: the local row of its key is replaced
// only by a later stamp, a missing one is inserted.
QString mergeStatement(const QString &table, const QVector<Column> &carried)
{
    QStringList incoming, assignments, values;
    for (const Column &c : carried) {
        incoming << QStringLiteral("CAST(? AS %1) AS %2").arg(c.type, quoted(c.name));
        if (c.name != QLatin1String("UNCIS"))
            assignments << quoted(c.name) + QStringLiteral(" = S.") + quoted(c.name);
        values << QStringLiteral("S.") + quoted(c.name);
    }
    return QStringLiteral("MERGE INTO %1 T USING (SELECT %2 FROM RDB$DATABASE) S ON T.UNCIS = S.UNCIS "
                          "WHEN MATCHED AND (T.KDY < S.KDY OR (T.KDY IS NULL AND S.KDY IS NOT NULL)) THEN UPDATE SET %3 "
                          "WHEN NOT MATCHED THEN INSERT (%4) VALUES (%5) RETURNING T.UNCIS")
        .arg(quoted(table), incoming.join(QStringLiteral(", ")), assignments.join(QStringLiteral(", ")),
             namesOf(carried).join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

bool importTable(TDMPro &transfer, TDMPro &target, const QString &table, const QVector<Column> &carried,
                 ProgressCounter &counter, Outcome &outcome, QString *error)
{
    QSqlQuery read = transfer.NewQuery();
    read.setForwardOnly(true);
    if (!runSql(read, QStringLiteral("SELECT ") + namesOf(carried).join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                          + quoted(table),
                {}, error))
        return false;
    QSqlQuery merge = target.NewQuery();
    if (!prepareSql(merge, mergeStatement(table, carried), error))
        return false;
    while (read.next()) {
        for (int i = 0; i < carried.size(); ++i)
            merge.bindValue(i, read.value(i));
        if (!execSql(merge, {}, error)) {
            *error = QStringLiteral("Tabulka %1: %2").arg(table, *error);
            return false;
        }
        // the key comes back only when the row was written
        outcome.changed += merge.next() && !merge.value(0).isNull() ? 1 : 0;
        ++outcome.rows;
        counter.row();
    }
    if (read.lastError().isValid()) {
        *error = read.lastError().text();
        return false;
    }
    return true;
}

} // namespace

const QVector<Area> &areas()
{
    static const QVector<Area> list = {
        area("cbAdr", QStringLiteral("Adresář"), "ADRESAR FIRMY STREDISKA S_OBJEKT"),
        area("cbDil", QStringLiteral("Dílna"), "DILNA DODDIL"),
        area("cbDod", QStringLiteral("Dodák"), "DODAK DODAKH"),
        area("cbHP", QStringLiteral("Kontroly HP"), "PR_HLAV PR_TAB"),
        area("cbPV", QStringLiteral("Kontroly PV"), "VODHKON VOD_HLAV VOD_TAB"),
        area("cbPK", QStringLiteral("Kontroly PK"), "PK_HLAV PK_TAB"),
        area("cbCen", QStringLiteral("Ceník"), "CENIK CENUZH CENUZP"),
        area("cbSkl", QStringLiteral("Sklad"), "SKLADPREVODH SKLADPREVODP"),
        area("cbSez", QStringLiteral("Seznamy"),
             "DILVYR KATVODHKON NAZSEKCE POZICE S_OPRTXT S_STAV S_UMIST S_VOZNAC S_VTYP S_VUMIST S_VYBAV S_VYROBPV TEXTY"),
        area("cbFak", QStringLiteral("Faktury"), "FAKTURY FAK_POL"),
        area("cbObj", QStringLiteral("Objednávky"), "OBJVYDH OBJVYDP"),
        area("cbSys", QStringLiteral("Systém"), "GGHLAV GGTAB GPHLAV GPTAB GSTAB POPIS STRUK GSHLAV",
             "GGHLAV GGTAB GPHLAV GPTAB GSHLAV GSTAB POPIS STRUK"),
    };
    return list;
}

const Area *areaOf(const QString &name)
{
    for (const Area &a : areas())
        if (a.box.compare(name, Qt::CaseInsensitive) == 0
            || a.box.mid(2).compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

QStringList allAreas()
{
    QStringList boxes;
    for (const Area &a : areas())
        boxes << a.box;
    return boxes;
}

QString transferFileName()
{
    return QStringLiteral("Export.GDB");
}

QString findTransferFile(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::Files);
    for (const QString &name : names)
        if (name.compare(transferFileName(), Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(name);
    return QString();
}

Outcome exportChanges(TDMPro &source, const QString &folder, const QDate &since, const QStringList &areaBoxes,
                      const ProgressCallback &progress)
{
    Outcome outcome;
    QString error;
    if (!checkFolder(folder, &outcome.message))
        return outcome;
    if (!since.isValid()) {
        outcome.message = QStringLiteral(" Musíte vplnit datum ! ");
        return outcome;
    }
    const QDateTime from(since, QTime(0, 0));
    auto fail = [&outcome](const QString &why) {
        outcome.message = QStringLiteral("Chyba při exportu\n") + why;
        return outcome;
    };

    // what goes: the tables of this database with rows changed since the date
    const QStringList present = tablesOf(source);
    QVector<QPair<QString, QVector<Column>>> work;
    qint64 total = 0;
    for (const QString &table : tablesToCarry(areaBoxes, true)) {
        if (!present.contains(table))
            continue;
        const QVector<Column> columns = columnsOf(source, table, &error);
        if (columns.isEmpty() || !find(columns, QStringLiteral("KDY")))
            return fail(QStringLiteral("Tabulka %1 nemá položku KDY %2").arg(table, error));
        for (const Column &c : columns)
            if (c.type.isEmpty())
                outcome.notCarried << QStringLiteral("Tabulka %1 Položka %2").arg(table, c.name);
        QVector<Column> carried;
        for (const Column &c : columns)
            if (!c.type.isEmpty())
                carried << c;
        const qint64 n =
            countRows(source, table, QStringLiteral(" WHERE KDY >= :KDY"), {{QStringLiteral("KDY"), from}}, &error);
        if (n < 0)
            return fail(error);
        if (n > 0) {
            work.append({table, carried});
            total += n;
        }
    }

    QTemporaryDir workFolder(QDir::tempPath() + QStringLiteral("/tarko-export-XXXXXX"));
    if (!makeWorkFolder(workFolder, &error))
        return fail(error);
    const QString workFile = workFolder.filePath(transferFileName());
    {
        TransferFile transfer;
        if (!transfer.create(workFile, source, &error))
            return fail(error);
        ProgressCounter counter(progress, total);
        for (const auto &item : work) {
            counter.table(item.first);
            if (!exportTable(source, transfer.dm(), item.first, item.second, from, counter, &error))
                return fail(QStringLiteral("Tabulka %1: %2").arg(item.first, error));
            ++outcome.tables;
        }
        counter.report();
        outcome.rows = total;
    }
    // the finished file replaces the one in the folder only when it is whole
    const QString old = findTransferFile(folder);
    const QString partial = QDir(folder).filePath(transferFileName() + QStringLiteral(".part"));
    QFile::remove(partial);
    if (!QFile::copy(workFile, partial))
        return fail(QStringLiteral("Soubor nelze zapsat do adresáře %1").arg(folder));
    if ((!old.isEmpty() && !QFile::remove(old)) || !QFile::rename(partial, QDir(folder).filePath(transferFileName()))) {
        QFile::remove(partial);
        return fail(QStringLiteral("Soubor %1 nelze přepsat").arg(QDir(folder).filePath(transferFileName())));
    }
    outcome.ok = true;
    outcome.message = QStringLiteral("Údaje jsou vyexportovány");
    return outcome;
}

Outcome importChanges(TDMPro &target, const QString &folder, const QStringList &areaBoxes,
                      const ProgressCallback &progress)
{
    Outcome outcome;
    QString error;
    if (!checkFolder(folder, &outcome.message))
        return outcome;
    const QString file = findTransferFile(folder);
    if (file.isEmpty()) {
        outcome.message = QStringLiteral("Není soubor Export.gdb");
        return outcome;
    }
    auto fail = [&outcome](const QString &why) {
        outcome.message = QStringLiteral("Chyba při importu\n") + why;
        return outcome;
    };
    const QString blockedText = QStringLiteral("Zápis do databáze je zablokován (STOPTRIG): běží jiný import, nebo "
                                               "předchozí import nebyl dokončen.");
    if (target.WritesBlocked()) {
        outcome.blockedAlready = true;
        outcome.message = blockedText;
        return outcome;
    }

    QTemporaryDir workFolder(QDir::tempPath() + QStringLiteral("/tarko-import-XXXXXX"));
    if (!makeWorkFolder(workFolder, &error))
        return fail(error);
    const QString workFile = workFolder.filePath(transferFileName());
    if (!QFile::copy(file, workFile))
        return fail(QStringLiteral("Soubor %1 nelze přečíst").arg(file));
    TransferFile transfer;
    if (!transfer.open(workFile, target, &error))
        return fail(error);

    // what comes: the tables of the file in the areas' order, with the columns both
    // sides have
    const QStringList inFile = tablesOf(transfer.dm());
    const QStringList local = tablesOf(target);
    QVector<QPair<QString, QVector<Column>>> work;
    qint64 total = 0;
    for (const QString &table : tablesToCarry(areaBoxes, false)) {
        if (!inFile.contains(table))
            continue;
        if (!local.contains(table)) {
            outcome.notCarried << QStringLiteral("Tabulka %1").arg(table);
            continue;
        }
        const QVector<Column> incoming = columnsOf(transfer.dm(), table, &error);
        const QVector<Column> localColumns = columnsOf(target, table, &error);
        QVector<Column> carried;
        for (const Column &c : incoming) {
            if (const Column *mine = find(localColumns, c.name); mine && !mine->type.isEmpty())
                carried << *mine;
            else
                outcome.notCarried << QStringLiteral("Tabulka %1 Položka %2").arg(table, c.name);
        }
        if (!find(carried, QStringLiteral("UNCIS")) || !find(carried, QStringLiteral("KDY")))
            return fail(QStringLiteral("Tabulka %1 nemá položky UNCIS a KDY").arg(table));
        const qint64 n = countRows(transfer.dm(), table, QString(), {}, &error);
        if (n < 0)
            return fail(error);
        work.append({table, carried});
        total += n;
    }

    WriteBlock block(target);
    if (!block.take(&outcome.blockedAlready, &error)) {
        if (!outcome.blockedAlready)
            return fail(error);
        outcome.message = blockedText;
        return outcome;
    }
    ProgressCounter counter(progress, total);
    const bool done = inTransaction(
        &target,
        [&](QString *failure) {
            for (const auto &item : work) {
                counter.table(item.first);
                if (!importTable(transfer.dm(), target, item.first, item.second, counter, outcome, failure))
                    return false;
                ++outcome.tables;
            }
            return true;
        },
        &error);
    counter.report();
    if (!done) {
        outcome.changed = 0;
        return fail(error);
    }
    outcome.ok = true;
    outcome.message = QStringLiteral("Údaje jsou naimportovány");
    return outcome;
}

bool liftBlock(TDMPro &dm, QString *error)
{
    return setBlock(dm, 0, error);
}

} // namespace Exchange
