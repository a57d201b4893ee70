#include "core/schemaupgrade.h"

#include <QSqlQuery>

#include "core/datamodulpro.h"
#include "core/format.h"
#include "core/parameters.h"
#include "core/sqlrun.h"

namespace SchemaUpgrade {

namespace {

bool isDdl(const QString &statement)
{
    const QString head = statement.trimmed().section(QLatin1Char(' '), 0, 0).toUpper();
    return head == QLatin1String("ALTER") || head == QLatin1String("CREATE") || head == QLatin1String("DROP")
           || head == QLatin1String("RECREATE");
}

bool runStatement(TDMPro &dm, const QString &statement, QString *error)
{
    if (isDdl(statement))
        return dm.executeDdl(statement, error);
    return runSql(&dm, statement, {}, error).isActive();
}

Action plain(const QString &statement)
{
    return Action{statement, {}};
}

const QString StrukInsert = QStringLiteral(
    "INSERT INTO STRUK  (POLOZKA, ORD,TYPOKNA,GS,GG,GP,TYP,UNCIS,POPIS,TAB,KLIC,NABTYP,OKNO, VYBPOL,VYBPOLNAB) values  "
    "(:POLOZKA,:ORD,:TYPOKNA,:GS,:GG,:GP,:TYP,:UNCIS,:POPIS,:TAB,:KLIC,:NABTYP,:OKNO, :VYBPOL,:VYBPOLNAB) ");

// The dictionary item of the flow with its unit. Added once: a repeated or half-done
// upgrade finds it and leaves it, and its key lies above every key there is. Only the
// item of no particular window counts: a report design's own item of the same column
// (the hydrant report has one) is another entry.
bool addFlowItem(TDMPro &dm, QString *error)
{
    const bool added = inTransaction(
        &dm,
        [&dm](QString *err) {
            bool ok = false;
            const int present = scalarSql(&dm,
                                          QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE POLOZKA = 'PRUTOKJED' AND "
                                                         "TAB = 'PPV' AND COALESCE(OKNO, '') = ''"),
                                          {}, &ok, err)
                                    .toInt();
            if (!ok)
                return false;
            if (present > 0)
                return true;
            const QVariant top = scalarSql(&dm, QStringLiteral("SELECT max(UnCis) as UnCis FROM Struk"), {}, &ok, err);
            if (!ok && !err->isEmpty())
                return false;
            const QString empty;
            return runSql(&dm, StrukInsert,
                          {{QStringLiteral("POLOZKA"), QStringLiteral("PRUTOKJED")},
                           {QStringLiteral("ORD"), QStringLiteral("PPV.PRUTOKJED")},
                           {QStringLiteral("TYPOKNA"), 1},
                           {QStringLiteral("GS"), 1},
                           {QStringLiteral("GG"), 1},
                           {QStringLiteral("GP"), 1},
                           {QStringLiteral("TYP"), QStringLiteral("A")},
                           {QStringLiteral("UNCIS"), top.toInt() + 1},
                           {QStringLiteral("POPIS"), QStringLiteral("Průtok s MJ")},
                           {QStringLiteral("TAB"), QStringLiteral("PPV")},
                           {QStringLiteral("KLIC"), 0},
                           {QStringLiteral("NABTYP"), QVariant()},
                           {QStringLiteral("OKNO"), empty},
                           {QStringLiteral("VYBPOL"), empty},
                           {QStringLiteral("VYBPOLNAB"), empty}},
                          err)
                .isActive();
        },
        error);
    if (!added && error)
        *error = QStringLiteral("Chyba přidání do Datové struktury\n    ") + *error;
    return added;
}

// The flow as printed with its unit, for hydrants measured before the unit was kept.
// A hydrant never measured keeps no flow text, and a text already there is the user's.
bool convertFlows(TDMPro &dm, QString *error)
{
    return inTransaction(
        &dm,
        [&dm](QString *err) {
            QSqlQuery rows = runSql(&dm,
                                    QStringLiteral("SELECT UnCis, Prutok FROM VOD_TAB WHERE Prutok IS NOT NULL AND "
                                                   "PrutokJed IS NULL"),
                                    {}, err);
            if (!rows.isActive())
                return false;
            QSqlQuery update = dm.NewQuery();
            if (!prepareSql(update, QStringLiteral("UPDATE VOD_TAB SET PrutokJed=:PrutokJed WHERE UnCis=:UnCis"), err))
                return false;
            while (rows.next()) {
                const QString text = formatNumber(rows.value(1).toDouble(), 2) + QStringLiteral(" l/s");
                if (!execSql(update, {{QStringLiteral("PrutokJed"), text}, {QStringLiteral("UnCis"), rows.value(0)}},
                             err))
                    return false;
            }
            return true;
        },
        error);
}

bool ensureStopGenerator(TDMPro &dm, bool *created, QString *error)
{
    *created = false;
    bool ok = false;
    const int present = scalarSql(&dm,
                                  QStringLiteral("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = "
                                                 "'STOPTRIG'"),
                                  {}, &ok, error)
                            .toInt();
    if (!ok)
        return false;
    if (present > 0)
        return true;
    *created = dm.executeDdl(QStringLiteral("CREATE SEQUENCE STOPTRIG"), error);
    return *created;
}

bool storeVersion(TDMPro &dm, int version, QString *error)
{
    if (!runSql(&dm,
                QStringLiteral("UPDATE OR INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES ('eVerDat', :V) MATCHING "
                               "(POLOZKA)"),
                {{QStringLiteral("V"), QString::number(version)}}, error)
             .isActive())
        return false;
    Parameters::instance().schemaVersion = version;
    return true;
}

} // namespace

QString viewStatement(bool regularOnly)
{
    struct Kind { const char *table; const char *typ; const char *period; };
    static const Kind kinds[] = {{"vod_hlav", "V", "perpv"}, {"pr_hlav", "H", "perhp"}, {"pk_hlav", "K", "perpk"}};
    QStringList selects;
    for (const Kind &k : kinds)
        selects << QStringLiteral("select max(pro.datum), pro.uncfir, pro.uncstr,'%1', max(adr.%2), max(str.%2), "
                                  "extract(YEAR from max(pro.datum))*12+extract(MONTH from max(pro.datum)) from %3 pro "
                                  "left outer join adresar adr on (adr.uncis = pro.uncfir) left outer join Strediska "
                                  "str on (str.uncis = pro.uncstr)%4 group by pro.uncfir, pro.uncstr")
                       .arg(QLatin1String(k.typ), QLatin1String(k.period), QLatin1String(k.table),
                            regularOnly ? QStringLiteral(" where PRO.Pravid = 'A'") : QString());
    return QStringLiteral("CREATE VIEW PPPOSLPROH (DATUM, UNCFIR, UNCSTR, TYP, PERFIR, PERSTR, OBDOBI) AS ")
           + selects.join(QStringLiteral(" union "));
}

const QVector<Step> &steps()
{
    static const QVector<Step> all = {
        {801, QStringLiteral("    >>>    8.0.1"),
         {plain(QStringLiteral("DROP VIEW PPPOSLPROH ")), plain(viewStatement(false))}},
        {802, QStringLiteral("    >>>    8.0.2"), {plain(QStringLiteral("ALTER TABLE DILNA ADD OznacTrv int "))}},
        {810, QStringLiteral("    >>>    8.1.0"),
         {plain(QStringLiteral("ALTER TABLE DOKRAD ALTER FORMAT TYPE VARCHAR (20)")),
          plain(QStringLiteral("ALTER TABLE PR_HLAV ALTER CISPRO TYPE VARCHAR (20)")),
          plain(QStringLiteral("ALTER TABLE VOD_HLAV ALTER CISPRO TYPE VARCHAR (20)")),
          plain(QStringLiteral("ALTER TABLE PK_HLAV ALTER CISPRO TYPE VARCHAR (20)")),
          plain(QStringLiteral("ALTER TABLE FAKTURY ALTER CISFAK TYPE VARCHAR (20)"))}},
        {811, QStringLiteral("    >>>    8.1.1"),
         {plain(QStringLiteral("DROP VIEW PPPOSLPROH ")), plain(viewStatement(true))}},
        {830, QStringLiteral("    >>>    8.3.0"),
         {plain(QStringLiteral("CREATE TABLE PLANPROH (  UNCFIR INT,  UNCSTR INT,  DATUM DATE,  TYP CHAR(1), UNCTECH "
                               "INT,  UNCTECH2 INT,  POCET INT, PERFIR INT, PERSTR INT, OBDOBI INT, PLANDAT DATE)"))}},
        {841, QStringLiteral("    >>>    8.4.1"),
         {plain(QStringLiteral("ALTER TABLE STRUK ADD VYBPOLNAB VarChar(30) ")),
          plain(QStringLiteral("UPDATE STRUK SET VYBPOLNAB = 'UnCis'  WHERE OKNO != '' "))}},
        {80808, QStringLiteral("    >>>    8.08.08"),
         {plain(QStringLiteral("ALTER TABLE VOD_TAB ADD PRUTOKJED VarChar(20) ")),
          Action{StrukInsert, addFlowItem},
          Action{QStringLiteral("UPDATE VOD_TAB SET PrutokJed=:PrutokJed WHERE UnCis=:UnCis"), convertFlows},
          // prices of older dictionaries were plain decimals; they show as money now
          plain(QStringLiteral("UPDATE STRUK SET TYP = 'C' WHERE TYP = 'F' AND (POLOZKA IN ('CENA', 'CENNAK') OR "
                               "POLOZKA STARTING WITH 'CENPRO')"))}},
    };
    return all;
}

bool storedVersion(TDMPro &dm, int *version, QString *error, bool *numeric)
{
    *version = 0;
    if (numeric)
        *numeric = true;
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = 'eVerDat'"), {}, error);
    if (!q.isActive())
        return false;
    if (q.next()) {
        bool ok = false;
        *version = q.value(0).toString().trimmed().toInt(&ok);
        if (numeric)
            *numeric = ok;
    }
    return true;
}

QString newerDatabaseText(int storedVersion)
{
    return QStringLiteral("Databáze patří novější verzi programu (verze databáze %1, verze programu %2).\n"
                          "Databáze nebyla změněna; použijte novější verzi programu.")
        .arg(storedVersion)
        .arg(ProgramVersion);
}

Outcome run(TDMPro &dm, SchemaUpgradeLog &log, QString *error)
{
    int version = 0;
    bool numeric = true;
    if (!storedVersion(dm, &version, error, &numeric))
        return Outcome::Failed;
    // a version nobody can read gives no ground to change the schema
    if (!numeric)
        return Outcome::UnreadableVersion;
    if (version > ProgramVersion)
        return Outcome::NewerDatabase;
    // without the generator every check of blocked writes reads as blocked
    bool stopCreated = false;
    QString stopError;
    const bool stopOk = ensureStopGenerator(dm, &stopCreated, &stopError);
    bool anyDue = false;
    for (const Step &step : steps()) {
        if (version >= step.version)
            continue;
        log.stepStarted(QString::number(version) + step.shown);
        log.line(QString::number(version) + step.shown);
        if (!anyDue) {
            anyDue = true;
            if (stopCreated)
                log.line(QStringLiteral("CREATE SEQUENCE STOPTRIG"));
            else if (!stopOk)
                log.line(QStringLiteral("Chyba: CREATE SEQUENCE STOPTRIG\n") + stopError);
        }
        for (const Action &a : step.actions) {
            QString err;
            const bool ok = a.run ? a.run(dm, &err) : runStatement(dm, a.statement, &err);
            if (!ok)
                log.line(QStringLiteral("Chyba: ") + a.statement + QStringLiteral("\n    ") + err.trimmed());
        }
        QString err;
        if (!storeVersion(dm, step.version, &err)) {
            if (error)
                *error = err;
            return Outcome::Failed;
        }
        version = step.version;
    }
    return anyDue ? Outcome::Done : Outcome::NothingDue;
}

} // namespace SchemaUpgrade
