#include "admin/oldimport.h"
#include "admin/backup.h"
#include "core/datamodulpro.h"
#include "core/money.h"
#include "core/sqlrun.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>

namespace OldImport {

namespace {

// What most tables of the old layout lack: the author and the change counter.
const QVector<Difference> noAuthor = {{"KDO", "0"}, {"KLIC", "0"}};
const QVector<Difference> deliveryHeader = {
    {"KDO", "0"}, {"KLIC", "0"}, {"ZAMEK", "' '"}, {"DPHZ", "22"}, {"DPHS", "5"}, {"ZAKS", "0"},
    {"ZAKZ", "0"}, {"ZAKB", "0"}, {"DANS", "0"}, {"DANZ", "0"}, {"ZAOKR", "0"}, {"SLEVAKC", "0"},
    {"UNCFAK", "0"}};
const QVector<Difference> damperHeader = {
    {"POCPK", "POCHP"}, {"KDO", "0"}, {"KLIC", "0"}, {"ZAMEK", "' '"}, {"ZAPATI", "' '"}};
// The old item key is also the order key of the rows.
const QVector<Difference> inspectionItems = {
    {"UNCH", "CISHLAV"}, {"KDO", "0"}, {"KLIC", "0"}, {"UNCPOM", "UNCIS"}};
const QVector<Difference> extinguisherHeader = {{"ZAMEK", "' '"}, {"ZAPATI", "' '"}, {"KLIC", "0"}, {"KDO", "0"}};
const QVector<Difference> hydrantChecks = {{"UNCH", "UNCHLA"}, {"KLIC", "0"}, {"KDO", "0"}};
// Every old hydrant inspection counts as a regular one.
const QVector<Difference> hydrantHeader = {{"ZAMEK", "' '"}, {"KLIC", "0"}, {"KDO", "0"}, {"PRAVID", "'A'"}};
const QVector<Difference> siteOfCustomer = {{"UNCH", "UNCFIR"}, {"KDO", "0"}, {"KLIC", "0"}};

// The state digits of the old version and the letters they are now.
const char *const stateColumns[][2] = {{"PK_HLAV", "FAKTURA"}, {"PR_HLAV", "FAKTURA"}, {"VOD_HLAV", "HOTOVO"}};
const char *const stateCodes[][2] = {{"1", "P"}, {"2", "R"}, {"3", "F"}, {"4", "U"}, {"5", "H"}};

bool isConstant(const QString &source)
{
    return !source.isEmpty() && !source.at(0).isLetter();
}

// A row refused for its key: Firebird's unique and primary key violations.
bool isDuplicate(const QSqlError &error)
{
    const QString text = error.databaseText() + QLatin1Char(' ') + error.text();
    return error.nativeErrorCode() == QLatin1String("-803") || error.nativeErrorCode() == QLatin1String("335544665")
           || text.contains(QLatin1String("PRIMARY or UNIQUE KEY"), Qt::CaseInsensitive)
           || text.contains(QLatin1String("duplicate value"), Qt::CaseInsensitive);
}

QString joined(const QStringList &parts)
{
    return parts.join(QStringLiteral(", "));
}

// A value of the old warehouse row, or fallback when the old layout has no such column.
QVariant field(const QSqlRecord &row, const char *name, const QVariant &fallback = QVariant())
{
    const int i = row.indexOf(QLatin1String(name));
    return i < 0 || row.isNull(i) ? fallback : row.value(i);
}

} // namespace

const QVector<TableMapping> &tables()
{
    static const QVector<TableMapping> list = {
        {"ADRESAR", {{"KLIC", "0"}, {"UNCSPRFIR", "0"}, {"CISPRUKAZU", "KOD"}}},
        {"CENIK", noAuthor},
        {"CENUZH", noAuthor},
        {"CENUZP", noAuthor},
        {"DILNA", {{"KLIC", "0"}}},
        {"AR_DILNA", {{"KLIC", "0"}}},
        {"DILVYR", noAuthor},
        {"DODAK", noAuthor},
        {"AR_DODAK", noAuthor},
        {"DODAKH", deliveryHeader},
        {"AR_DODAKH", deliveryHeader},
        {"DODDIL", noAuthor},
        {"AR_DODDIL", noAuthor},
        {"DOKRAD", noAuthor},
        {"FAKTURY", {{"ZAMEK", "' '"}, {"KDO", "0"}, {"KLIC", "0"}, {"DANZ", "0"}, {"DANS", "0"}, {"HALDOR", "0"}}},
        {"FAK_POL", {{"UNCH", "UNCFAK"}, {"KDO", "0"}, {"KLIC", "0"}, {"CENCELK", "0"}, {"UNCCEN", "0"}, {"CSEKCE", "0"}}},
        // the customer key is both the row's key and its link to the customer
        {"FIRMY", {{"UNCIS", "UNCFIR"}, {"KDO", "0"}, {"KLIC", "0"}, {"UNCH", "UNCFIR"}}, "UNCFIR"},
        {"KATVODHKON", noAuthor},
        {"NAZSEKCE", noAuthor},
        {"OBJVYDH", {{"KDO", "0"}, {"KLIC", "0"}, {"ZAMEK", "' '"}}},
        {"OBJVYDP", noAuthor},
        {"PK_HLAV", damperHeader},
        {"AR_PK_HLAV", damperHeader},
        {"PK_TAB", inspectionItems},
        {"AR_PK_TAB", inspectionItems},
        {"POZICE", noAuthor},
        {"PR_HLAV", extinguisherHeader},
        {"AR_PR_HLAV", extinguisherHeader},
        {"PR_TAB", inspectionItems},
        {"AR_PR_TAB", inspectionItems},
        {"STREDISKA", siteOfCustomer},
        {"S_OBJEKT", siteOfCustomer},
        {"S_OPRTXT", noAuthor},
        {"S_STAV", noAuthor},
        {"S_UMIST", noAuthor},
        {"S_VOZNAC", noAuthor},
        {"S_VUMIST", noAuthor},
        {"S_VYBAV", noAuthor},
        {"VODHKON", hydrantChecks},
        {"AR_VODHKON", hydrantChecks},
        {"VOD_HLAV", hydrantHeader},
        {"AR_VOD_HLAV", hydrantHeader},
        {"VOD_TAB", inspectionItems},
        {"AR_VOD_TAB", inspectionItems},
    };
    return list;
}

ColumnPairs pairColumns(const TableMapping &mapping, const QStringList &targetColumns,
                        const QStringList &sourceColumns)
{
    ColumnPairs pairs;
    for (const QString &target : targetColumns) {
        QString source;
        for (const Difference &d : mapping.differences)
            if (target == QLatin1String(d.target))
                source = QLatin1String(d.source);
        // a renamed column the old file lacks: the same name, when it has that
        if (!source.isEmpty() && !isConstant(source) && !sourceColumns.contains(source))
            source.clear();
        if (source.isEmpty() && sourceColumns.contains(target))
            source = target;
        if (source.isEmpty())
            continue;   // new in this version: the column's default
        pairs.source << source;
        pairs.target << target;
    }
    return pairs;
}

QStringList tableColumns(const TDMPro &dm, const QString &table)
{
    QStringList columns;
    QSqlQuery q = runSql(&dm, QStringLiteral(
        "SELECT TRIM(RF.RDB$FIELD_NAME) FROM RDB$RELATION_FIELDS RF "
        "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
        "JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE RF.RDB$RELATION_NAME = :T AND R.RDB$VIEW_BLR IS NULL AND F.RDB$COMPUTED_BLR IS NULL "
        "ORDER BY RF.RDB$FIELD_POSITION"), {{QStringLiteral("T"), table.toUpper()}});
    while (q.next())
        columns << q.value(0).toString();
    return columns;
}

Importer::Importer(TDMPro *target, TDMPro *source, Callbacks callbacks)
    : m_target(target), m_source(source), m_callbacks(std::move(callbacks))
{
}

void Importer::log(const QString &line) const
{
    if (m_callbacks.log)
        m_callbacks.log(line);
}

void Importer::skip(const QString &table, const QString &why)
{
    m_outcome.tablesSkipped << table;
    log(QStringLiteral("%1: tabulka nebyla převedena, její data zůstala beze změny. %2").arg(table, why));
}

int Importer::sourceRowCount(const QString &table) const
{
    return scalarSql(m_source, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
}

Outcome Importer::run()
{
    m_outcome = Outcome();
    const QVector<TableMapping> &list = tables();
    const int total = list.size() + 1;
    if (m_callbacks.tableProgress)
        m_callbacks.tableProgress(0, total, QStringLiteral("SKLPOH"));
    convertWarehouse();
    for (int i = 0; i < list.size(); ++i) {
        if (m_callbacks.tableProgress)
            m_callbacks.tableProgress(i + 1, total, QLatin1String(list.at(i).table));
        copyTable(list.at(i));
    }
    convertStates();
    raiseGenerators();
    if (m_callbacks.tableProgress)
        m_callbacks.tableProgress(total, total, QString());
    return m_outcome;
}

bool Importer::copyTable(const TableMapping &mapping)
{
    const QString table = QLatin1String(mapping.table);
    const QStringList targetColumns = tableColumns(*m_target, table);
    if (targetColumns.isEmpty()) {
        skip(table, QStringLiteral("V databázi programu tabulka není."));
        return false;
    }
    const QStringList sourceColumns = tableColumns(*m_source, table);
    if (sourceColumns.isEmpty()) {
        skip(table, QStringLiteral("Ve zdrojové databázi tabulka není."));
        return false;
    }
    const ColumnPairs pairs = pairColumns(mapping, targetColumns, sourceColumns);
    const QString order = QLatin1String(mapping.orderBy);
    QString select = QStringLiteral("SELECT ") + joined(pairs.source) + QStringLiteral(" FROM ") + table;
    if (sourceColumns.contains(order))
        select += QStringLiteral(" ORDER BY ") + table + QLatin1Char('.') + order;   // the column may be read twice
    // the source is read before anything of the target goes
    const int rows = sourceRowCount(table);
    QString error;
    QSqlQuery source = runSql(m_source, select, {}, &error);
    if (!source.isActive()) {
        skip(table, error);
        return false;
    }

    TransactionGuard guard(m_target);
    QSqlQuery write = m_target->NewQuery();
    QStringList marks;
    for (int i = 0; i < pairs.target.size(); ++i)
        marks << QStringLiteral("?");
    if (!guard.isActive() || !runSql(write, QStringLiteral("DELETE FROM ") + table, {}, &error)
        || !prepareSql(write, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(table, joined(pairs.target), joined(marks)), &error)) {
        skip(table, guard.isActive() ? error : guard.lastError());
        return false;
    }
    const int failedBefore = m_outcome.rowsFailed;
    const int keyColumn = pairs.target.indexOf(QStringLiteral("UNCIS"));
    int done = 0;
    while (source.next()) {
        for (int i = 0; i < pairs.target.size(); ++i)
            write.bindValue(i, source.value(i));
        if (write.exec()) {
            ++m_outcome.rowsCopied;
        } else {
            ++m_outcome.rowsFailed;
            const QString text = isDuplicate(write.lastError()) ? DuplicateText : RowErrorText;
            const QVariant key = keyColumn < 0 ? QVariant() : source.value(keyColumn);
            log(QStringLiteral("%1 %2: %3").arg(table, key.toString(), text));
            if (m_callbacks.rowFailed)
                m_callbacks.rowFailed(table, key, text, write.lastError().text());
        }
        ++done;
        if (m_callbacks.rowProgress)
            m_callbacks.rowProgress(done, rows);
    }
    if (!guard.commit()) {
        skip(table, guard.lastError());
        return false;
    }
    ++m_outcome.tablesCopied;
    log(QStringLiteral("%1: převedeno %2 z %3 záznamů").arg(table).arg(done - (m_outcome.rowsFailed - failedBefore)).arg(rows));
    return true;
}

bool Importer::convertWarehouse()
{
    const QString table = QStringLiteral("SKLPOH");
    const QStringList columns = tableColumns(*m_source, table);
    if (columns.isEmpty()) {
        skip(table, QStringLiteral("Ve zdrojové databázi tabulka není."));
        return false;
    }
    const int rows = sourceRowCount(table);
    QString error;
    QSqlQuery source = runSql(m_source, QStringLiteral("SELECT * FROM SKLPOH ORDER BY DOKLAD")
                                            + (columns.contains(QStringLiteral("UNCIS")) ? QStringLiteral(", UNCIS") : QString()),
                              {}, &error);
    if (!source.isActive()) {
        skip(table, error);
        return false;
    }
    const bool ok = inTransaction(m_target, [&](QString *why) {
        QSqlQuery header = m_target->NewQuery();
        QSqlQuery line = m_target->NewQuery();
        if (!runSql(header, QStringLiteral("DELETE FROM SKLADPREVODP"), {}, why)
            || !runSql(header, QStringLiteral("DELETE FROM SKLADPREVODH"), {}, why)
            || !prepareSql(header, QStringLiteral(
                   "INSERT INTO SkladPrevodH (UNCIS,KLIC, KDO, CDT,CDI, CDL, CDR,UNCPRI, DATUM, UCETNIDOKLAD, UNCVYD,ZAMEK, TYPPOH) "
                   "VALUES (:UNCIS, 0, :KDO, :CDT, :CDI, :CDL, :CDR, :UNCPRI, :DATUM, :UCETNIDOKLAD, :UNCVYD, :ZAMEK, :TYPPOH)"), why)
            || !prepareSql(line, QStringLiteral(
                   "INSERT INTO SkladPrevodP (UnCis, Klic, KDO, UNCH, MNOZ, UNCMAT, POPIS, CENA, DPH, TYPPOH, KODMAT, CSEKCE, JEDN, VYROBCE, STAV, NOVSTAV, NAKCEN,DPHN, PRENOSDOD, PRENOSFAK ) "
                   "VALUES (:UNCIS, 0, :KDO, :UNCH, :MNOZ, :UNCMAT, :POPIS, :CENA, :DPH, :TYPPOH, :KODMAT, :CSEKCE, :JEDN, :VYROBCE, :STAV, :NOVSTAV, :NAKCEN, :DPHN, :PRENOSDOD, :PRENOSFAK)"), why))
            return false;
        // a slip ends where the document, either party or the kind changes; the first
        // row always starts one
        QVariantList previous;
        qint64 slip = 0;
        int done = 0;
        while (source.next()) {
            const QSqlRecord row = source.record();
            const QVariantList current = {field(row, "DOKLAD"), field(row, "UNCVYD"), field(row, "UNCPRIJ"),
                                          field(row, "TYPPOH")};
            const QVariant author = field(row, "KDO", QString());
            if (previous.isEmpty() || current != previous) {
                previous = current;
                slip = m_target->NextKey(QStringLiteral("SKLADPREVODH"));
                if (slip < 0) {
                    *why = QStringLiteral("Nelze získat klíč převodky.");
                    return false;
                }
                if (!execSql(header, {{QStringLiteral("UNCIS"), slip}, {QStringLiteral("KDO"), author},
                                      {QStringLiteral("CDT"), field(row, "CDT")}, {QStringLiteral("CDI"), field(row, "CDI")},
                                      {QStringLiteral("CDL"), field(row, "CDL")}, {QStringLiteral("CDR"), field(row, "CDR")},
                                      {QStringLiteral("UNCPRI"), current.at(2)}, {QStringLiteral("DATUM"), field(row, "DATPOH")},
                                      {QStringLiteral("UCETNIDOKLAD"), field(row, "UCETNIDOKLAD")},
                                      {QStringLiteral("UNCVYD"), current.at(1)},
                                      {QStringLiteral("ZAMEK"), field(row, "ZAMEK", QStringLiteral("N"))},
                                      {QStringLiteral("TYPPOH"), current.at(3)}},
                             why))
                    return false;
                ++m_outcome.slips;
            }
            const double quantity = field(row, "MNOZ", 0.0).toDouble();
            const double price = field(row, "CENA", 0.0).toDouble();
            // the old VAT column held the rate; the new line keeps the rate in DPHN
            // and the class letter in DPH
            const QString vat = field(row, "DPH", QString()).toString().trimmed();
            bool numeric = false;
            const int rate = vat.toInt(&numeric);
            // the old quantities already passed on are flags now: all of it was
            const QString passedOn = quantity != 0.0 ? QStringLiteral("A") : QStringLiteral("N");
            if (!execSql(line, {{QStringLiteral("UNCIS"), field(row, "UNCIS")}, {QStringLiteral("KDO"), author},
                                {QStringLiteral("UNCH"), slip}, {QStringLiteral("MNOZ"), quantity},
                                {QStringLiteral("UNCMAT"), field(row, "UNCMAT", 0)}, {QStringLiteral("POPIS"), field(row, "POPIS")},
                                {QStringLiteral("CENA"), Round(price * quantity, 0.01)},
                                {QStringLiteral("DPH"), numeric ? QStringLiteral(" ") : vat.left(1)},
                                {QStringLiteral("TYPPOH"), current.at(3)}, {QStringLiteral("KODMAT"), field(row, "KODMAT")},
                                {QStringLiteral("CSEKCE"), field(row, "CSEKCE", 0)}, {QStringLiteral("JEDN"), field(row, "JEDN")},
                                {QStringLiteral("VYROBCE"), field(row, "VYROBCE")}, {QStringLiteral("STAV"), field(row, "STAV", 1)},
                                {QStringLiteral("NOVSTAV"), field(row, "NOVSTAV", 1)}, {QStringLiteral("NAKCEN"), price},
                                {QStringLiteral("DPHN"), numeric ? rate : 0}, {QStringLiteral("PRENOSDOD"), passedOn},
                                {QStringLiteral("PRENOSFAK"), passedOn}},
                         why)) {
                ++m_outcome.rowsFailed;
                const QString text = isDuplicate(line.lastError()) ? DuplicateText : RowErrorText;
                log(QStringLiteral("%1 %2: %3").arg(table, field(row, "UNCIS").toString(), text));
                if (m_callbacks.rowFailed)
                    m_callbacks.rowFailed(table, field(row, "UNCIS"), text, *why);
                why->clear();
            } else {
                ++m_outcome.slipLines;
            }
            ++done;
            if (m_callbacks.rowProgress)
                m_callbacks.rowProgress(done, rows);
        }
        return true;
    }, &error);
    if (!ok) {
        m_outcome.slips = m_outcome.slipLines = 0;
        skip(table, error);
        return false;
    }
    log(QStringLiteral("Převod skladu: %1 převodek, %2 položek").arg(m_outcome.slips).arg(m_outcome.slipLines));
    return true;
}

bool Importer::convertStates()
{
    QString error;
    const bool ok = inTransaction(m_target, [this](QString *why) {
        QSqlQuery q = m_target->NewQuery();
        for (const auto &column : stateColumns)
            for (const auto &code : stateCodes)
                if (!runSql(q, QStringLiteral("UPDATE %1 SET %2 = '%3' WHERE %2 = '%4'")
                                   .arg(QLatin1String(column[0]), QLatin1String(column[1]),
                                        QLatin1String(code[1]), QLatin1String(code[0])),
                            {}, why))
                    return false;
        return true;
    }, &error);
    log(ok ? QStringLiteral("Doplnění stavů O.K.") : QStringLiteral("Doplnění stavů - chyba: ") + error);
    return ok;
}

bool Importer::raiseGenerators()
{
    QStringList names = {QStringLiteral("SKLADPREVODH"), QStringLiteral("SKLADPREVODP")};
    for (const TableMapping &m : tables())
        names << QLatin1String(m.table);
    bool ok = true;
    for (const QString &table : names) {
        bool exists = false;
        scalarSql(m_target, QStringLiteral("SELECT 1 FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = :G"),
                  {{QStringLiteral("G"), table}}, &exists);
        if (!exists || !tableColumns(*m_target, table).contains(QStringLiteral("UNCIS")))
            continue;
        const QVariant highest = scalarSql(m_target, QStringLiteral("SELECT MAX(UNCIS) FROM ") + table);
        if (highest.isNull())
            continue;
        const qint64 wanted = highest.toLongLong() / 100 + 100;
        const qint64 current = scalarSql(m_target, QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(table)).toLongLong();
        if (wanted <= current)
            continue;
        QString error;
        if (!m_target->executeDdl(QStringLiteral("SET GENERATOR %1 TO %2").arg(table).arg(wanted), &error)) {
            ok = false;
            log(table + QStringLiteral(" ID: chyba ") + error);
        }
    }
    log(ok ? QStringLiteral("Generátory O.K.") : QStringLiteral("Generátory - chyba"));
    return ok;
}

Source::Source() = default;

Source::~Source()
{
    close();
}

bool Source::isBackupFile(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("fbk") || suffix == QLatin1String("gbk");
}

bool Source::open(const QString &file, const QString &host, const QString &user, const QString &password,
                  QString *error)
{
    close();
    m_databaseFile = file;
    if (isBackupFile(file)) {
        m_restoreDir = std::make_unique<QTemporaryDir>();
        m_databaseFile = m_restoreDir->filePath(QStringLiteral("prevod.fdb"));
        const BackupOutcome restored = DatabaseBackup::restore(
            file, DatabaseBackup::Target{Firebird::Location{host, m_databaseFile}, user, password});
        if (!restored.ok) {
            if (error)
                *error = restored.message;
            close();
            return false;
        }
    }
    m_dm = std::make_unique<TDMPro>(QStringLiteral("Prevod-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
    QString why;
    if (m_dm->open(Firebird::Location{host, m_databaseFile}, user, password, &why))
        return true;
    if (error) {
        *error = why;
        if (why.contains(QLatin1String("on-disk structure"), Qt::CaseInsensitive))
            *error += QStringLiteral("\nSoubor je databáze starší verze serveru. Vytvořte z ní zálohu programem gbak "
                                     "původního serveru a vyberte soubor zálohy (.gbk, .fbk).");
    }
    close();
    return false;
}

void Source::close()
{
    if (m_dm)
        m_dm->close();
    m_dm.reset();
    m_restoreDir.reset();
}

} // namespace OldImport
