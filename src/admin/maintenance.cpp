#include "admin/maintenance.h"

#include "core/datamodulpro.h"
#include "core/money.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

#include <QSet>
#include <algorithm>
#include <climits>
#include <QSqlQuery>

namespace {

QVector<ReferringColumn> columnsOf(const QString &table, const QStringList &columns)
{
    QVector<ReferringColumn> result;
    for (const QString &column : columns)
        result.append({table, column});
    return result;
}

const QStringList Technicians = {QStringLiteral("UNCFIR"), QStringLiteral("UNCTECH"), QStringLiteral("UNCTECH2")};

bool isYes(const QString &text, const QString &caption)
{
    return Prompt::question(text, caption) == PromptYes;
}

// The catalogue's names are padded with blanks.
QStringList names(TDMPro *dm, const QString &sql)
{
    QStringList result;
    QSqlQuery q = runSql(dm, sql);
    while (q.next())
        result << q.value(0).toString().trimmed();
    return result;
}

QSet<QString> columnsOfTable(TDMPro *dm, const QString &table)
{
    const QStringList list = names(dm, QStringLiteral("SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '%1'")
                                           .arg(table));
    return QSet<QString>(list.begin(), list.end());
}

QSet<QString> existing(TDMPro *dm, const QString &sql)
{
    const QStringList list = names(dm, sql);
    return QSet<QString>(list.begin(), list.end());
}

QSet<QString> generators(TDMPro *dm)
{
    return existing(dm, QStringLiteral("SELECT RDB$GENERATOR_NAME FROM RDB$GENERATORS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
}

// Runs each statement in one transaction.
bool runAll(TDMPro *dm, const QStringList &statements, QString *error = nullptr)
{
    return inTransaction(
        dm,
        [&](QString *why) {
            for (const QString &sql : statements) {
                QSqlQuery q = dm->NewQuery();
                if (!runSql(q, sql, {}, why))
                    return false;
            }
            return true;
        },
        error);
}

const QString TriggerBody = QStringLiteral(" POSITION 0 AS  BEGIN  IF(GEN_ID(STOPTRIG, 0)=0) THEN  NEW.KDY = 'NOW';  END ");

} // namespace

const QVector<RenumberedTable> &renumberedTables()
{
    // Address-book entries are customers, technicians, employees, stores and supplying
    // firms alike, so most documents name several of them.
    static const QVector<RenumberedTable> tables = {
        {QStringLiteral("ADRESAR"),
         columnsOf(QStringLiteral("CENIK"), {QStringLiteral("DODAV1"), QStringLiteral("DODAV2"), QStringLiteral("DODAV3"),
                                             QStringLiteral("DODAV4"), QStringLiteral("DODAV5")})
             + columnsOf(QStringLiteral("DILNA"), {QStringLiteral("UNCPRITECH"), QStringLiteral("UNCPRIFIR"),
                                                   QStringLiteral("UNCKOMTECH"), QStringLiteral("UNCEXPFIR"),
                                                   QStringLiteral("UNCEXPTECH"), QStringLiteral("UNCFIRMA")})
             + columnsOf(QStringLiteral("DODAKH"), {QStringLiteral("UNCFIR"), QStringLiteral("VYSTAVIL")})
             + columnsOf(QStringLiteral("FIRMY"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("PR_HLAV"), Technicians)
             + columnsOf(QStringLiteral("STREDISKA"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("S_OBJEKT"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("VOD_HLAV"), Technicians)
             + columnsOf(QStringLiteral("PK_HLAV"), Technicians)
             + columnsOf(QStringLiteral("ADRESAR"), {QStringLiteral("UNCSPRFIR")})
             + columnsOf(QStringLiteral("FAKTURY"), {QStringLiteral("UNCODB"), QStringLiteral("UNCPRI")})
             + columnsOf(QStringLiteral("OBJVYDH"), {QStringLiteral("UNCFIR")})
             + columnsOf(QStringLiteral("SKLADPREVODH"), {QStringLiteral("UNCVYD"), QStringLiteral("UNCPRI")})
             + columnsOf(QStringLiteral("VSTCARKOD"), Technicians)
             + columnsOf(QStringLiteral("PLANPROH"), Technicians)},
        {QStringLiteral("CENIK"),
         columnsOf(QStringLiteral("CENUZP"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("DILNA"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("DILVYR"), {QStringLiteral("UNCDIL"), QStringLiteral("UNCVYR")})
             + columnsOf(QStringLiteral("DODAK"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("PR_TAB"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("VOD_TAB"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("DODDIL"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("FAK_POL"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("VSTCARKOD"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("OBJVYDP"), {QStringLiteral("UNCMAT")})
             + columnsOf(QStringLiteral("SKLADPREVODP"), {QStringLiteral("UNCMAT")})},
        {QStringLiteral("CENUZH"),
         columnsOf(QStringLiteral("CENUZP"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("ADRESAR"), {QStringLiteral("UNCCEN")})
             + columnsOf(QStringLiteral("DODAKH"), {QStringLiteral("UNCCEN")})},
        {QStringLiteral("DILNA"), {}},
        {QStringLiteral("DODAK"), {}},
        {QStringLiteral("DODAKH"),
         columnsOf(QStringLiteral("DODAK"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("PR_HLAV"), {QStringLiteral("UNCDOD")})
             + columnsOf(QStringLiteral("VOD_HLAV"), {QStringLiteral("UNCDOD")})
             + columnsOf(QStringLiteral("PK_HLAV"), {QStringLiteral("UNCDOD")})},
        {QStringLiteral("S_OBJEKT"), {}},
        {QStringLiteral("STREDISKA"),
         columnsOf(QStringLiteral("DILNA"), {QStringLiteral("UNCSTRPR"), QStringLiteral("UNCSTREX")})
             + columnsOf(QStringLiteral("DODAKH"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("PR_HLAV"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("VOD_HLAV"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("PK_HLAV"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("FAKTURY"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("VSTCARKOD"), {QStringLiteral("UNCSTR")})
             + columnsOf(QStringLiteral("PLANPROH"), {QStringLiteral("UNCSTR")})},
        {QStringLiteral("VOD_HLAV"),
         columnsOf(QStringLiteral("VODHKON"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("VOD_TAB"), {QStringLiteral("UNCH")})},
        {QStringLiteral("VOD_TAB"), {}},
        {QStringLiteral("PR_HLAV"),
         columnsOf(QStringLiteral("PR_TAB"), {QStringLiteral("UNCH")})
             + columnsOf(QStringLiteral("DILNA"), {QStringLiteral("UNCPRO"), QStringLiteral("UNCEXP")})
             + columnsOf(QStringLiteral("DODDIL"), {QStringLiteral("UNCPRO")})},
        {QStringLiteral("PR_TAB"),
         columnsOf(QStringLiteral("DILNA"), {QStringLiteral("UNCPOL")})
             + columnsOf(QStringLiteral("DODDIL"), {QStringLiteral("UNCPOL")})},
    };
    return tables;
}

const QVector<KeptColumn> &keyColumnsNotRenumbered()
{
    const QString order = QStringLiteral("the items' order within their inspection, not a key");
    static const QVector<KeptColumn> kept = {
        {QStringLiteral("PR_TAB"), QStringLiteral("UNCPOM"), order},
        {QStringLiteral("VOD_TAB"), QStringLiteral("UNCPOM"), order},
        {QStringLiteral("PK_TAB"), QStringLiteral("UNCPOM"), order},
        {QStringLiteral("PK_TAB"), QStringLiteral("UNCH"), QStringLiteral("PK_HLAV keeps its keys")},
        {QStringLiteral("DODAKH"), QStringLiteral("UNCFAK"), QStringLiteral("FAKTURY keeps its keys")},
        {QStringLiteral("FAK_POL"), QStringLiteral("UNCH"), QStringLiteral("FAKTURY keeps its keys")},
        {QStringLiteral("OBJVYDP"), QStringLiteral("UNCH"), QStringLiteral("OBJVYDH keeps its keys")},
        {QStringLiteral("SKLADPREVODP"), QStringLiteral("UNCH"), QStringLiteral("SKLADPREVODH keeps its keys")},
        {QStringLiteral("GSTAB"), QStringLiteral("UNCH"), QStringLiteral("GSHLAV keeps its keys")},
        {QStringLiteral("GSTAB"), QStringLiteral("UNCPOL"), QStringLiteral("STRUK keeps its keys")},
        {QStringLiteral("GGTAB"), QStringLiteral("UNCH"), QStringLiteral("GGHLAV keeps its keys")},
        {QStringLiteral("GGTAB"), QStringLiteral("UNCSTR"), QStringLiteral("STRUK keeps its keys")},
        {QStringLiteral("GPTAB"), QStringLiteral("UNCH"), QStringLiteral("GPHLAV keeps its keys")},
    };
    return kept;
}

DataMaintenance::DataMaintenance(TDMPro *dm, Log log, Progress progress)
    : m_dm(dm), m_log(std::move(log)), m_progress(std::move(progress))
{
}

void DataMaintenance::log(const QString &line) const
{
    if (m_log)
        m_log(line);
}

void DataMaintenance::progress(int done, int total) const
{
    if (m_progress)
        m_progress(done, total);
}

QStringList DataMaintenance::userTables() const
{
    return names(m_dm, QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
                                      "AND RDB$VIEW_BLR IS NULL ORDER BY RDB$RELATION_NAME"));
}

bool DataMaintenance::isExcluded(const QString &table)
{
    static const QStringList excluded = {QStringLiteral("QELSYS"), QStringLiteral("PPPOSLPROH"),
                                         QStringLiteral("SKLADPOHYB"), QStringLiteral("POPIS"),
                                         QStringLiteral("SAZDPH"), QStringLiteral("SKLADSUMFIR"),
                                         QStringLiteral("SKLADZASOBA")};
    const QString name = table.trimmed().toUpper();
    return excluded.contains(name) || name.startsWith(QStringLiteral("AR_"));
}

bool DataMaintenance::raiseGenerator(const QString &generator, qint64 value, QString *error)
{
    bool ok = false;
    const qint64 current = scalarSql(m_dm, QStringLiteral("SELECT GEN_ID(%1, 0) FROM RDB$DATABASE").arg(generator), {}, &ok,
                                     error)
                               .toLongLong();
    if (!ok)
        return false;
    if (current >= value)
        return true;
    // a step by the difference rather than SET GENERATOR: a key handed out meanwhile on
    // another workstation cannot make the generator go back
    scalarSql(m_dm, QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(generator).arg(value - current), {}, &ok,
              error);
    return ok;
}

bool DataMaintenance::resetVersionsAndGenerators()
{
    const QSet<QString> sequences = generators(m_dm);
    QStringList tables = userTables();
    tables.erase(std::remove_if(tables.begin(), tables.end(), &DataMaintenance::isExcluded), tables.end());
    bool allOk = true;
    int done = 0;
    for (const QString &table : tables) {
        progress(done++, tables.size());
        const QSet<QString> columns = columnsOfTable(m_dm, table);
        if (columns.contains(QStringLiteral("KLIC"))) {
            const bool ok = runAll(m_dm, {QStringLiteral("UPDATE ") + table + QStringLiteral(" SET KLIC = 0 ")});
            log(table + QStringLiteral(" Klic: ") + (ok ? QStringLiteral(" O.K. ") : QStringLiteral(" Error")));
            allOk = allOk && ok;
        }
        if (!columns.contains(QStringLiteral("UNCIS")))
            continue;
        bool ok = false;
        const QVariant max = scalarSql(m_dm, QStringLiteral("Select max(uncis) as uncis from ") + table, {}, &ok);
        if (ok && max.isNull())
            continue;
        QString error = QStringLiteral("chybí generátor ") + table;
        ok = ok && sequences.contains(table) && raiseGenerator(table, max.toLongLong() / 100 + 100, &error);
        log(QStringLiteral(" ID: ") + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error ") + error));
        allOk = allOk && ok;
    }
    progress(0, 0);
    log(allOk ? QStringLiteral("ID a klíče O.K.") : QStringLiteral("ID a klíče - Error"));
    return allOk;
}

bool DataMaintenance::fillPriceListNulls()
{
    const bool ok = runAll(m_dm, {QStringLiteral("Update Cenik Set CenNak=0 WHERE CenNak is NULL"),
                                  QStringLiteral("Update Cenik Set CenPro=0 WHERE CenPro is NULL")});
    log(ok ? QStringLiteral("Ceník O.K.") : QStringLiteral("Ceník Error"));
    return ok;
}

bool DataMaintenance::keyPassAndPriceList()
{
    const bool keys = resetVersionsAndGenerators();
    return fillPriceListNulls() && keys;
}

bool DataMaintenance::maintainData()
{
    const QString caption = QStringLiteral("Údržba dat");
    if (!isYes(QStringLiteral("Chcete provést údržbu dat?\nTato operace může trvat i několik desítek minut"), caption)
        || !isYes(QStringLiteral("Před údržbou dat je nutné zálohovat databázi.\nChcete pokračovat"), caption))
        return false;
    log(QStringLiteral("Údržba dat zahájena"));
    const bool ok = keyPassAndPriceList();
    log(QStringLiteral("Údržba dat ukončena"));
    Prompt::information(QStringLiteral("Hotovo"), caption);
    return ok;
}

bool DataMaintenance::renumberTable(const RenumberedTable &table, QString *error)
{
    QString own;
    if (!error)
        error = &own;
    const QString parent = table.table;
    // every key is read before anything is written, in the order the new keys follow
    QVector<qint64> oldKeys;
    {
        QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT UNCIS FROM ") + parent + QStringLiteral(" ORDER BY UNCIS "), {}, error);
        if (!q.isActive())
            return false;
        while (q.next())
            oldKeys << q.value(0).toLongLong();
    }
    const qint64 count = oldKeys.size();
    const int databaseNumber = Parameters::instance().databaseNumber;
    if (count * 100 + databaseNumber > INT_MAX) {
        *error = QStringLiteral("Příliš mnoho záznamů");
        return false;
    }
    // Keys move first to temporary values below every value in the table and its
    // referring columns, then to their new ones, so that a new key that equals an old
    // one of another row never joins two rows or their children.
    qint64 lowest = 0;
    QStringList minima = {QStringLiteral("SELECT MIN(UNCIS) FROM ") + parent};
    for (const ReferringColumn &c : table.referring)
        minima << QStringLiteral("SELECT MIN(%1) FROM %2").arg(c.column, c.table);
    for (const QString &sql : minima) {
        bool ok = false;
        error->clear();
        const QVariant min = scalarSql(m_dm, sql, {}, &ok, error);
        if (!error->isEmpty())
            return false;
        if (!min.isNull())
            lowest = qMin(lowest, min.toLongLong());
    }
    const qint64 top = lowest - 1;            // row i (from 1) goes to top - i + 1
    const qint64 bottom = top - count + 1;
    if (bottom < INT_MIN) {
        *error = QStringLiteral("Klíče mimo rozsah");
        return false;
    }
    const bool ok = inTransaction(
        m_dm,
        [&](QString *why) {
            QSqlQuery q = m_dm->NewQuery();
            // the referring rows by the rank of the key they hold; 0 means none
            for (const ReferringColumn &c : table.referring) {
                const QString sql = QStringLiteral("UPDATE %1 T SET T.%2 = %3 + 1 - (SELECT COUNT(*) FROM %4 X WHERE X.UNCIS <= T.%2) "
                                                   "WHERE T.%2 <> 0 AND T.%2 IN (SELECT Y.UNCIS FROM %4 Y)")
                                        .arg(c.table, c.column)
                                        .arg(top)
                                        .arg(parent);
                if (!runSql(q, sql, {}, why))
                    return false;
            }
            if (!prepareSql(q, QStringLiteral("UPDATE ") + parent + QStringLiteral(" SET UNCIS = :NEW WHERE UNCIS = :OLD"), why))
                return false;
            for (int i = 0; i < oldKeys.size(); ++i) {
                if (!execSql(q, {{QStringLiteral("NEW"), top - i}, {QStringLiteral("OLD"), oldKeys.at(i)}}, why))
                    return false;
                if (i % 200 == 0)
                    progress(i, int(count));
            }
            QVector<ReferringColumn> all = table.referring;
            all.prepend({parent, QStringLiteral("UNCIS")});
            for (const ReferringColumn &c : all) {
                const QString sql = QStringLiteral("UPDATE %1 SET %2 = (%3 + 1 - %2) * 100 + %4 WHERE %2 BETWEEN %5 AND %3")
                                        .arg(c.table, c.column)
                                        .arg(top)
                                        .arg(databaseNumber)
                                        .arg(bottom);
                if (!runSql(q, sql, {}, why))
                    return false;
            }
            return true;
        },
        error);
    progress(0, 0);
    // the next new key must come after the last renumbered one
    return ok && raiseGenerator(parent, count, error);
}

bool DataMaintenance::renumberKeys()
{
    const QString caption = QStringLiteral("Údržba ID");
    if (!isYes(QStringLiteral("Chcete provést úpravu identifikátorů záznamů?\nTato operace může trvat i několik desítek minut"), caption)
        || !isYes(QStringLiteral("Před úpravou je nutné zálohovat databázi.\nChcete pokračovat"), caption))
        return false;
    log(QStringLiteral("Údržba ID zahájena"));
    bool allOk = keyPassAndPriceList();
    for (const RenumberedTable &table : renumberedTables()) {
        QString error;
        const bool ok = renumberTable(table, &error);
        log(QStringLiteral("Provázanost záznamů ") + table.table + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error ") + error));
        allOk = allOk && ok;
    }
    log(QStringLiteral("Údržba ID ukončena"));
    Prompt::information(QStringLiteral("Hotovo"), caption);
    return allOk;
}

bool DataMaintenance::linkWorkshop()
{
    const QString caption = QStringLiteral("Dílna x protokol");
    if (!isYes(QStringLiteral("Chcete provést propojení kontrol HP s dílnou?\nTato operace může trvat i několik desítek minut"),
               caption))
        return false;
    // a row whose dispatch matches no inspection keeps the link it has
    const bool ok = runAll(m_dm, {QStringLiteral(
                                     "update dilna dil set dil.uncexp = coalesce((select max(pro.UnCis) from pr_hlav pro  "
                                     "where pro.datum = dil.datexp and pro.uncfir =dil.uncexpfir  and pro.uncstr = dil.uncstrex), "
                                     "dil.uncexp) ")});
    log(caption + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error")));
    if (ok)
        Prompt::information(QStringLiteral("Hotovo"), caption);
    else
        Prompt::warning(QStringLiteral("Chybné propojení"), caption);
    return ok;
}

bool DataMaintenance::recodeStates()
{
    const QString caption = QStringLiteral("Oprava stavů");
    static const QVector<QPair<QString, QString>> columns = {{QStringLiteral("PR_HLAV"), QStringLiteral("FAKTURA")},
                                                             {QStringLiteral("VOD_HLAV"), QStringLiteral("HOTOVO")},
                                                             {QStringLiteral("PK_HLAV"), QStringLiteral("FAKTURA")}};
    const QString from = QStringLiteral("ABCDE");
    const QString to = QStringLiteral("PRFUH");
    QStringList statements;
    for (const auto &c : columns)
        for (int i = 0; i < from.size(); ++i)
            statements << QStringLiteral("UPDATE %1 SET %2 = '%3' WHERE %2 = '%4'").arg(c.first, c.second, QString(to.at(i)), QString(from.at(i)));
    const bool ok = runAll(m_dm, statements);
    log(caption + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error")));
    Prompt::information(ok ? QStringLiteral("Hotovo") : QStringLiteral("Chyba"), caption);
    return ok;
}

bool DataMaintenance::roundDecimals()
{
    if (!isYes(QStringLiteral("Chcete provést úpravu desetinných čísel ?\nTato operace může trvat i několik minut"),
               QStringLiteral("Oprava des. čísel")))
        return false;
    log(QStringLiteral("Úprava desetinných čísel zahájena"));
    static const QVector<QPair<QString, QString>> columns = {{QStringLiteral("Vod_tab"), QStringLiteral("prutok")},
                                                             {QStringLiteral("Cenik"), QStringLiteral("zktl")}};
    bool allOk = true;
    for (const auto &c : columns) {
        const bool ok = inTransaction(m_dm, [&](QString *why) {
            // an empty value stays empty
            QSqlQuery read = runSql(m_dm, QStringLiteral("SELECT UNCIS, %1 FROM %2 WHERE %1 IS NOT NULL").arg(c.second, c.first),
                                    {}, why);
            if (!read.isActive())
                return false;
            QSqlQuery write = m_dm->NewQuery();
            if (!prepareSql(write, QStringLiteral("Update ") + c.first + QStringLiteral(" set ") + c.second
                                       + QStringLiteral("=:Pol where uncis = :uncis"),
                            why))
                return false;
            while (read.next()) {
                const double value = read.value(1).toDouble();
                const double rounded = Round(value, 0.01);
                if (rounded != value
                    && !execSql(write, {{QStringLiteral("Pol"), rounded}, {QStringLiteral("uncis"), read.value(0)}}, why))
                    return false;
            }
            return true;
        });
        log(c.first + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error")));
        allOk = allOk && ok;
    }
    log(QStringLiteral("Úprava desetinných čísel ukončena"));
    if (!allOk)
        Prompt::warning(QStringLiteral("Chyba v převodu desetinných čísel"), QStringLiteral("Oprava des. čísel"));
    return allOk;
}

bool DataMaintenance::markRegular()
{
    const QString caption = QStringLiteral("Nastavení pravidelné kontoly");
    if (!isYes(QStringLiteral("Chcete nastavit   v š e m  kontrolám PV a PK stav pravidelné kontory?\n"), caption))
        return false;
    const bool pv = runAll(m_dm, {QStringLiteral("Update VOD_Hlav SET Pravid = 'A' ")});
    log(pv ? QStringLiteral("Kontroly PV: Hotovo ") : QStringLiteral("Kontroly PV: Error"));
    const bool pk = runAll(m_dm, {QStringLiteral("Update PK_Hlav SET Pravid = 'A' ")});
    log(pk ? QStringLiteral("Kontroly PK: Hotovo ") : QStringLiteral("Kontroly PK: Error"));
    return pv && pk;
}

bool DataMaintenance::addStamps()
{
    const QString caption = QStringLiteral("Doplnění trigerů");
    log(QStringLiteral("Trigery"));
    bool allOk = true;
    auto ddl = [&](const QString &statement) {
        QString error;
        const bool ok = m_dm->executeDdl(statement, &error);
        if (!ok)
            log(statement + QStringLiteral(" Error ") + error);
        allOk = allOk && ok;
    };
    // without it every trigger below fails at the first insert or update
    if (!generators(m_dm).contains(QStringLiteral("STOPTRIG")))
        ddl(QStringLiteral("CREATE SEQUENCE STOPTRIG"));
    const QSet<QString> triggers =
        existing(m_dm, QStringLiteral("SELECT RDB$TRIGGER_NAME FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0"));
    const QStringList tables = userTables();
    int done = 0;
    for (const QString &table : tables) {
        progress(done++, tables.size());
        if (isExcluded(table))
            continue;
        const QSet<QString> columns = columnsOfTable(m_dm, table);
        // what is there already stays as it is, so a second run changes nothing
        const QVector<QPair<QString, QString>> stamps = {
            {QStringLiteral("KDY"), QStringLiteral(" ADD KDY TIMESTAMP")},
            {QStringLiteral("KDO"), QStringLiteral(" ADD KDO VARCHAR(8) CHARACTER SET WIN1250 ")},
            {QStringLiteral("KLIC"), QStringLiteral(" ADD KLIC INT ")}};
        for (const auto &stamp : stamps)
            if (!columns.contains(stamp.first))
                ddl(QStringLiteral("Alter table ") + table + stamp.second);
        const QVector<QPair<QString, QString>> kinds = {{QStringLiteral("TRIGBIKDY"), QStringLiteral(" BEFORE INSERT")},
                                                        {QStringLiteral("TRIGBPKDY"), QStringLiteral(" BEFORE UPDATE")}};
        for (const auto &kind : kinds)
            if (!triggers.contains(table + kind.first))
                ddl(QStringLiteral("CREATE TRIGGER ") + table + kind.first + QStringLiteral(" FOR ") + table + kind.second
                    + TriggerBody);
        log(table);
    }
    progress(0, 0);
    Prompt::information(allOk ? QStringLiteral("Hotovo") : QStringLiteral("Některé příkazy se nepodařilo provést"), caption);
    return allOk;
}

bool DataMaintenance::fillItemOrder()
{
    QStringList statements;
    for (const QString &table : {QStringLiteral("PR_TAB"), QStringLiteral("VOD_TAB"), QStringLiteral("PK_TAB")})
        statements << QStringLiteral("Update %1 SET UnCPom = UnCis WHERE UnCPom is NULL").arg(table)
                   << QStringLiteral("Update %1 SET UnCPom = UnCis WHERE UnCPom=0").arg(table);
    const bool ok = runAll(m_dm, statements);
    const QString caption = QStringLiteral("Oprava pořadí");
    log(caption + (ok ? QStringLiteral(" O.K.") : QStringLiteral(" Error")));
    Prompt::information(ok ? QStringLiteral("Hotovo") : QStringLiteral("Chyba"), caption);
    return ok;
}
