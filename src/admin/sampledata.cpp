#include "admin/sampledata.h"

#include <QDate>
#include <algorithm>
#include <QHash>
#include <QPair>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>
#include <functional>

#include "core/sqlrun.h"

#include "inspections/hpc.h"

bool SampleOptions::fromScale(const QString &scale, SampleOptions *o)
{
    const QString s = scale.trimmed().toLower();
    if (s == QLatin1String("small")) {
        o->customers = 12; o->sitesPerCustomer = 2; o->technicians = 4; o->years = 4; o->perSite = 8;
    } else if (s == QLatin1String("medium")) {
        o->customers = 300; o->sitesPerCustomer = 2; o->technicians = 8; o->years = 6; o->perSite = 15;
    } else if (s == QLatin1String("large")) {
        o->customers = 5000; o->sitesPerCustomer = 2; o->technicians = 20; o->years = 10; o->perSite = 10;
    } else {
        return false;
    }
    return true;
}

namespace {

const QString Kdo = QStringLiteral("VZOR");

// Keys drawn from a table's generator in blocks: one GEN_ID call per block instead of
// one per row. A block left unused at the end is only a gap in the keys.
class KeySource
{
public:
    KeySource(TDMPro &dm, const QString &generator, int block) : m_dm(dm), m_generator(generator), m_block(block) {}
    // The next key (value × 100 + database number 0), or -1 when the generator fails.
    qint64 next()
    {
        if (m_next > m_last) {
            bool ok = false;
            const qint64 last =
                scalarSql(&m_dm, QStringLiteral("SELECT GEN_ID(%1, %2) FROM RDB$DATABASE").arg(m_generator).arg(m_block),
                          {}, &ok)
                    .toLongLong();
            if (!ok)
                return -1;
            m_last = last;
            m_next = m_last - m_block + 1;
        }
        const qint64 key = m_next++ * 100;
        return key > 2147483647 ? -1 : key;
    }

private:
    TDMPro &m_dm;
    QString m_generator;
    int m_block;
    qint64 m_next = 1, m_last = 0;
};

struct Writer
{
    TDMPro &dm;
    QString *error;
    bool fail(const QSqlQuery &q, const QString &what)
    {
        if (error)
            *error = what + QStringLiteral(": ") + q.lastError().text();
        return false;
    }
    bool failText(const QString &text)
    {
        if (error)
            *error = text;
        return false;
    }
    int count(const QString &table)
    {
        bool ok = false;
        const int rows = scalarSql(&dm, QStringLiteral("SELECT COUNT(*) FROM ") + table, {}, &ok).toInt();
        return ok ? rows : -1;
    }
    // The steps in one transaction; they report through this writer.
    bool transaction(const std::function<bool()> &steps)
    {
        return inTransaction(&dm, [&](QString *) { return steps(); }, error);
    }
    // One prepared INSERT with the values in column order, the key first: a key the
    // generator could not give (-1) is never written.
    bool insert(QSqlQuery &q, const QVariantList &values, const QString &what)
    {
        if (values.isEmpty() || values.constFirst().toLongLong() <= 0)
            return failText(what + QStringLiteral(": generátor nedal klíč"));
        for (const QVariant &v : values)
            q.addBindValue(v);
        return q.exec() || fail(q, what);
    }
};

const char *const FirstNames[] = {"Jan", "Petr", "Josef", "Pavel", "Martin", "Tomáš", "Jiří", "Lukáš", "Miroslav",
                                  "František", "Karel", "Zdeněk", "Michal", "Václav", "Radek", "Ondřej"};
const char *const Surnames[] = {"Novák", "Svoboda", "Novotný", "Dvořák", "Černý", "Procházka", "Kučera", "Veselý",
                                "Horák", "Němec", "Pokorný", "Marek", "Pospíšil", "Hájek", "Jelínek", "Král",
                                "Růžička", "Beneš", "Fiala", "Sedláček", "Doležal", "Zeman", "Kolář", "Navrátil"};
const char *const Trades[] = {"Stavby", "Strojírny", "Pekárna", "Autoservis", "Dřevovýroba", "Elektro", "Kovovýroba",
                              "Zemědělské družstvo", "Hotel", "Tiskárna", "Doprava", "Plasty", "Textil", "Lékárna",
                              "Pivovar", "Sklárny", "Obchodní dům", "Chladírny", "Logistika", "Mlékárna"};
const char *const Forms[] = {"s.r.o.", "s.r.o.", "s.r.o.", "a.s.", "spol. s r.o.", "v.o.s."};
struct Town { const char *name; const char *psc; };
const Town Towns[] = {{"Praha", "110 00"}, {"Brno", "602 00"}, {"Ostrava", "702 00"}, {"Plzeň", "301 00"},
                      {"Olomouc", "779 00"}, {"Liberec", "460 01"}, {"České Budějovice", "370 01"},
                      {"Hradec Králové", "500 02"}, {"Ústí nad Labem", "400 01"}, {"Pardubice", "530 02"},
                      {"Zlín", "760 01"}, {"Jihlava", "586 01"}, {"Kladno", "272 01"}, {"Přerov", "750 02"},
                      {"Třebíč", "674 01"}, {"Kroměříž", "767 01"}, {"Tábor", "390 01"}, {"Znojmo", "669 02"}};
const char *const Streets[] = {"Masarykova", "Husova", "Palackého", "Nádražní", "Školní", "Komenského", "Riegrova",
                               "Tyršova", "Jiráskova", "Průmyslová", "U Nádraží", "Žižkova", "Dlouhá", "Lipová",
                               "Havlíčkova", "Sokolská", "Polní", "Zahradní"};
const char *const SiteNames[] = {"Provozovna", "Sklad", "Administrativní budova", "Výrobní hala", "Prodejna",
                                 "Garáže", "Dílny", "Kotelna"};
const char *const Objects[] = {"Budova A", "Budova B", "Hala 1", "Hala 2", "Sklad materiálu", "Kanceláře",
                               "Kotelna", "Garáže"};
const char *const Locations[] = {"chodba", "schodiště", "vstup", "kuchyňka", "sklad", "dílna", "rozvodna",
                                 "kancelář", "serverovna", "garáž", "kotelna", "výrobní linka"};
const char *const Positions[] = {"1.PP", "1.NP", "2.NP", "3.NP", "vlevo", "vpravo", "u výtahu", "u vchodu"};
const char *const RepairTexts[] = {"nízký tlak", "poškozená hadice", "chybí plomba", "koroze nádoby",
                                   "prošlá tlaková zkouška", "poškozený ventil", "nečitelný štítek"};

const QString StateTexts[11] = {
    QString(),
    QStringLiteral("HP zkontrolován, zůstává u zákazníka"),
    QStringLiteral("HP převzat do opravy výměna za jiný"),
    QStringLiteral("HP vyřazen převzat na likvidaci"),
    QStringLiteral("HP převzat do opravy vrácen stejný"),
    QStringLiteral("HP vyřazen, zůstává u zákazníka"),
    QStringLiteral("dodán HP po opravě za odebraný HP (2)"),
    QStringLiteral("dodán nový HP za za odebraný HP (2)"),
    QStringLiteral("dodán HP po opravě za vyřazený (5)"),
    QStringLiteral("dodán nový HP navíc nebo za vyřazený (3,5)"),
    QStringLiteral("zlikvidován ze skladu"),
};

template <class T, int N>
constexpr int countOf(T (&)[N]) { return N; }

// A valid Czech company number: seven digits and the modulo-11 check digit.
QString ico(QRandomGenerator &rng)
{
    QString digits;
    int sum = 0;
    for (int i = 0; i < 7; ++i) {
        const int d = i == 0 ? 1 + rng.bounded(8) : rng.bounded(10);
        digits += QChar(u'0' + d);
        sum += d * (8 - i);
    }
    const int check = (11 - sum % 11) % 10;
    return digits + QChar(u'0' + check);
}

struct PriceType
{
    int key;
    QString popis, vyrobce, druh;
};

// One extinguisher of a site as it is carried from year to year.
struct Unit
{
    QString objekt, misto, vyrcis, hp, vyrobce, druh, oprtext;
    int rok = 0, unccen = 0, poradi = 0, status = 0, carkod = 0;
    double posdil = 0;
    qint64 uncpom = 0;
};

bool fillCodeLists(Writer &w, QHash<int, QString> *stateTexts)
{
    TDMPro &dm = w.dm;
    if (w.count(QStringLiteral("S_STAV")) == 0) {
        const bool written = w.transaction([&] {
            KeySource keys(dm, QStringLiteral("S_STAV"), 16);
            QSqlQuery q = dm.NewQuery();
            q.prepare(QStringLiteral("INSERT INTO S_STAV (UNCIS, TYP, POPIS, KDO, KLIC) VALUES (?, ?, ?, ?, 0)"));
            for (int typ = 1; typ <= 10; ++typ)
                if (!w.insert(q, {keys.next(), typ, StateTexts[typ], Kdo}, QStringLiteral("S_STAV")))
                    return false;
            return true;
        });
        if (!written)
            return false;
    }
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT TYP, POPIS FROM S_STAV ORDER BY UNCIS"));
    if (!q.isActive())
        return w.fail(q, QStringLiteral("S_STAV"));
    while (q.next())
        if (!stateTexts->contains(q.value(0).toInt()))
            stateTexts->insert(q.value(0).toInt(), q.value(1).toString());
    for (int typ = 1; typ <= 10; ++typ)
        if (!stateTexts->contains(typ))
            stateTexts->insert(typ, StateTexts[typ]);

    struct List { const char *table; const char *const *texts; int n; bool klic; };
    const List lists[] = {{"S_UMIST", Locations, countOf(Locations), false},
                          {"POZICE", Positions, countOf(Positions), true},
                          {"S_OPRTXT", RepairTexts, countOf(RepairTexts), true}};
    for (const List &l : lists) {
        const QString table = QString::fromLatin1(l.table);
        if (w.count(table) != 0)
            continue;
        const bool written = w.transaction([&] {
            KeySource keys(dm, table, l.n);
            QSqlQuery ins = dm.NewQuery();
            ins.prepare(QStringLiteral("INSERT INTO %1 (UNCIS, POPIS, KDO%2) VALUES (?, ?, ?%3)")
                            .arg(table, l.klic ? QStringLiteral(", KLIC") : QString(), l.klic ? QStringLiteral(", 0") : QString()));
            for (int i = 0; i < l.n; ++i)
                if (!w.insert(ins, {keys.next(), QString::fromUtf8(l.texts[i]), Kdo}, table))
                    return false;
            return true;
        });
        if (!written)
            return false;
    }
    return true;
}

bool fillPriceList(Writer &w, QVector<PriceType> *types, SampleCounts *counts)
{
    TDMPro &dm = w.dm;
    if (w.count(QStringLiteral("CENIK")) == 0) {
        struct Item { int section; const char *kod; const char *popis; const char *jedn; double cena;
                      const char *vyrobce; const char *druh; };
        static const Item items[] = {
            {1, "KHP", "Kontrola HP", "ks", 45, "", ""},
            {1, "KHPV", "Kontrola HP vyřazeného", "ks", 35, "", ""},
            {1, "KPV", "Kontrola požárního vodovodu", "ks", 120, "", ""},
            {2, "TZ", "Tlaková zkouška nádoby", "ks", 180, "", ""},
            {2, "PLN", "Plnění práškového HP", "ks", 150, "", ""},
            {3, "HAD", "Hadice k HP 6 kg", "ks", 95, "", ""},
            {3, "VEN", "Ventil kompletní", "ks", 320, "", ""},
            {3, "PLO", "Plomba", "ks", 3, "", ""},
            {4, "PRA", "Prášek ABC", "kg", 65, "", ""},
            {4, "CO2", "Náplň CO2", "kg", 90, "", ""},
            {5, "STI", "Štítek o kontrole", "ks", 4, "", ""},
            {5, "DRZ", "Držák HP na stěnu", "ks", 60, "", ""},
            {6, "PRAC", "Práce technika", "hod", 450, "", ""},
            {6, "DOP", "Doprava", "km", 12, "", ""},
            {7, "P6", "P 6 Te", "ks", 45, "HASTEX Hořovice", "práškový"},
            {7, "P6N", "P 6 Če", "ks", 45, "Pyroservis Brno", "práškový"},
            {7, "P2", "P 2 Te", "ks", 40, "HASTEX Hořovice", "práškový"},
            {7, "P12", "P 12 Če", "ks", 55, "Pyroservis Brno", "práškový"},
            {7, "S5", "S 5 KTe", "ks", 60, "Ohnivka Vsetín", "sněhový CO2"},
            {7, "S2", "S 2 KTe", "ks", 50, "Ohnivka Vsetín", "sněhový CO2"},
            {7, "V9", "V 9 Ti", "ks", 50, "Pyroservis Brno", "vodní"},
            {7, "PE9", "PE 9 LE", "ks", 55, "HASTEX Hořovice", "pěnový"},
            {8, "NP6", "Hasicí přístroj P 6 Te nový", "ks", 1250, "", ""},
            {8, "NS5", "Hasicí přístroj S 5 KTe nový", "ks", 2400, "", ""},
            {9, "TAB", "Tabulka Hasicí přístroj", "ks", 35, "", ""},
            {9, "SKR", "Skříň na HP", "ks", 890, "", ""},
            {10, "REV", "Revize hydrantu", "ks", 150, "", ""},
            {10, "ŠK", "Školení obsluhy", "hod", 600, "", ""},
            {11, "D19", "Hydrant D 19", "ks", 0, "", ""},
            {11, "C52", "Hydrant C 52", "ks", 0, "", ""},
        };
        const bool written = w.transaction([&] {
            KeySource keys(dm, QStringLiteral("CENIK"), countOf(items));
            QSqlQuery q = dm.NewQuery();
            q.prepare(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, KOD, POPIS, JEDN, ZNACKA, CENPRO, CENNAK, "
                                     "VYROBCE, DRUH, STATUS, KDO, KLIC) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)"));
            for (const Item &it : items) {
                const QString popis = QString::fromUtf8(it.popis);
                if (!w.insert(q, {keys.next(), it.section, QString::fromUtf8(it.kod), popis, QString::fromUtf8(it.jedn),
                                  it.section == 7 ? popis : QString(), it.cena, qRound(it.cena * 60) / 100.0,
                                  QString::fromUtf8(it.vyrobce), QString::fromUtf8(it.druh), it.section == 1 ? 1 : 0, Kdo},
                              QStringLiteral("CENIK")))
                    return false;
            }
            return true;
        });
        if (!written)
            return false;
        counts->priceItems = countOf(items);
    }
    QSqlQuery q = runSql(&dm, QStringLiteral("SELECT UNCIS, POPIS, VYROBCE, DRUH FROM CENIK WHERE CSEKCE = 7 ORDER BY UNCIS"));
    if (!q.isActive())
        return w.fail(q, QStringLiteral("CENIK"));
    while (q.next())
        types->append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()});
    if (types->isEmpty())
        return w.failText(QStringLiteral("Ceník nemá typy HP (sekce 7)"));

    // a user price list with a discount on the inspection of the commonest types
    if (w.count(QStringLiteral("CENUZH")) == 0) {
        const bool written = w.transaction([&] {
            const qint64 head = KeySource(dm, QStringLiteral("CENUZH"), 1).next();
            QSqlQuery h = dm.NewQuery();
            h.prepare(QStringLiteral("INSERT INTO CENUZH (UNCIS, NAZEV, KDO, KLIC) VALUES (?, ?, ?, 0)"));
            if (!w.insert(h, {head, QStringLiteral("Velkoodběratelé"), Kdo}, QStringLiteral("CENUZH")))
                return false;
            KeySource keys(dm, QStringLiteral("CENUZP"), types->size());
            QSqlQuery p = dm.NewQuery();
            p.prepare(QStringLiteral("INSERT INTO CENUZP (UNCIS, UNCH, UNCCEN, CENA, KDO, KLIC) VALUES (?, ?, ?, ?, ?, 0)"));
            for (int i = 0; i < types->size() && i < 4; ++i)
                if (!w.insert(p, {keys.next(), head, types->at(i).key, 38.0, Kdo}, QStringLiteral("CENUZP")))
                    return false;
            return true;
        });
        if (!written)
            return false;
    }
    return true;
}

// The number series; the inspections' series counts on from the numbers used.
bool fillSeries(Writer &w, int inspectionNumbers)
{
    TDMPro &dm = w.dm;
    if (w.count(QStringLiteral("DOKRAD")) != 0)
        return true;
    struct Series { const char *kod; const char *popis; const char *format; };
    const Series series[] = {{"KHP", "Kontroly HP", "KHP&/#"},
                             {"DL", "Dodací listy", "DL&/#"},
                             {"FA", "Faktury", "&#"},
                             {"DIL", "Dílenské opravy", "D&/#"}};
    for (const Series &s : series) {
        QString ddlError;
        const QString seq = QStringLiteral("X") + QString::fromLatin1(s.kod);
        if (!dm.executeDdl(QStringLiteral("CREATE SEQUENCE ") + seq, &ddlError)
            && !dm.executeDdl(QStringLiteral("RECREATE SEQUENCE ") + seq, &ddlError))
            return w.failText(ddlError);
    }
    const bool written = w.transaction([&] {
        KeySource keys(dm, QStringLiteral("DOKRAD"), countOf(series));
        QSqlQuery q = dm.NewQuery();
        q.prepare(QStringLiteral("INSERT INTO DOKRAD (UNCIS, KOD, POPIS, FORMAT, KDO, KLIC) VALUES (?, ?, ?, ?, ?, 0)"));
        for (const Series &s : series)
            if (!w.insert(q, {keys.next(), QString::fromLatin1(s.kod), QString::fromUtf8(s.popis),
                              QString::fromLatin1(s.format), Kdo}, QStringLiteral("DOKRAD")))
                return false;
        return true;
    });
    if (!written)
        return false;
    QString ddlError;
    if (inspectionNumbers > 0
        && !dm.executeDdl(QStringLiteral("ALTER SEQUENCE XKHP RESTART WITH %1").arg(inspectionNumbers), &ddlError))
        return w.failText(ddlError);
    return true;
}

} // namespace

bool fillSampleFirm(TDMPro &dm, QString *error)
{
    const QDate today = QDate::currentDate();
    const QVector<QPair<QString, QString>> firm = {
        {QStringLiteral("eFirma"), QStringLiteral("HASTEX servis požární ochrany s.r.o.")},
        {QStringLiteral("eAdresa1"), QStringLiteral("Havlíčkova 1287/14")},
        {QStringLiteral("eAdresa2"), QStringLiteral("586 01 Jihlava")},
        {QStringLiteral("eProv1"), QStringLiteral("Pražská 2010/5")},
        {QStringLiteral("eProv2"), QStringLiteral("586 01 Jihlava")},
        {QStringLiteral("eRegistrace"), QStringLiteral("Krajský soud v Brně, oddíl C, vložka 41872")},
        {QStringLiteral("eICO"), QStringLiteral("27694321")},
        {QStringLiteral("eDIC"), QStringLiteral("CZ27694321")},
        {QStringLiteral("eTelefon"), QStringLiteral("+420 567 301 442")},
        {QStringLiteral("eUcet"), QStringLiteral("2107834521/0800")},
        {QStringLiteral("eRok"), QString::number(today.year())},
        {QStringLiteral("eMes"), QString::number(today.month())},
    };
    return inTransaction(&dm, [&](QString *failure) {
        QHash<QString, QString> stored;
        QSqlQuery rows = runSql(&dm, QStringLiteral("SELECT POLOZKA, HODNOTA FROM QELSYS"), {}, failure);
        if (!rows.isActive())
            return false;
        while (rows.next())
            stored.insert(rows.value(0).toString().trimmed(), rows.value(1).toString().trimmed());
        QSqlQuery write = dm.NewQuery();
        if (!prepareSql(write, QStringLiteral("UPDATE OR INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES (:POLOZKA, :HODNOTA) "
                                              "MATCHING (POLOZKA)"), failure))
            return false;
        for (const auto &item : firm) {
            const QString now = stored.value(item.first);
            if (!now.isEmpty() && now != QLatin1String("0"))
                continue;   // the firm's own value
            if (!execSql(write, {{QStringLiteral("POLOZKA"), item.first}, {QStringLiteral("HODNOTA"), item.second}},
                         failure))
                return false;
        }
        return true;
    }, error);
}

bool fillSampleData(TDMPro &dm, const SampleOptions &o, SampleCounts *countsOut, QString *error)
{
    SampleCounts counts;
    Writer w{dm, error};
    QRandomGenerator rng(o.seed);
    const QDate today = QDate::currentDate();
    const int lastYear = o.lastYear > 0 ? o.lastYear : today.year();
    const int years = qMax(1, o.years);
    const int firstYear = lastYear - years + 1;
    auto pick = [&rng](auto &array) { return QString::fromUtf8(array[rng.bounded(countOf(array))]); };

    QHash<int, QString> stateTexts;
    if (!fillCodeLists(w, &stateTexts))
        return false;
    QVector<PriceType> types;
    if (!fillPriceList(w, &types, &counts))
        return false;

    // technicians: own (TYP 3), the last one an outside technician (TYP 4)
    QVector<qint64> techs;
    {
        const bool written = w.transaction([&] {
            KeySource keys(dm, QStringLiteral("ADRESAR"), qMax(1, o.technicians));
            QSqlQuery q = dm.NewQuery();
            q.prepare(QStringLiteral("INSERT INTO ADRESAR (UNCIS, CISLO, KOD, NAZEV, JMENO, PRIJMENI, MESTO, MOBIL, TYP, "
                                     "SERTECH, SESTADR, CISPRUKAZU, KDO, KLIC) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'A', 'N', ?, ?, 0)"));
            for (int i = 0; i < o.technicians; ++i) {
                const qint64 key = keys.next();
                if (key < 0)
                    return w.failText(QStringLiteral("ADRESAR: generátor"));
                const QString jmeno = pick(FirstNames), prijmeni = pick(Surnames);
                const bool outside = o.technicians > 1 && i == o.technicians - 1;
                if (!w.insert(q, {key, i + 1, QStringLiteral("T%1").arg(i + 1), prijmeni + QLatin1Char(' ') + jmeno, jmeno,
                                  prijmeni, QString::fromUtf8(Towns[rng.bounded(countOf(Towns))].name),
                                  QStringLiteral("+420 6%1").arg(rng.bounded(10000000, 99999999)), outside ? 4 : 3,
                                  QStringLiteral("HP-%1/%2").arg(rng.bounded(100, 999)).arg(lastYear % 100), Kdo},
                              QStringLiteral("ADRESAR")))
                    return false;
                techs.append(key);
            }
            return true;
        });
        if (!written)
            return false;
        counts.technicians = techs.size();
    }

    // customers with their commercial extension, objects and sites
    struct Site { qint64 firm, key; QStringList objects; };
    QVector<Site> sites;
    {
        const bool written = w.transaction([&] {
            KeySource adrKeys(dm, QStringLiteral("ADRESAR"), 500), firKeys(dm, QStringLiteral("FIRMY"), 500),
                objKeys(dm, QStringLiteral("S_OBJEKT"), 1000), strKeys(dm, QStringLiteral("STREDISKA"), 1000);
            QSqlQuery adr = dm.NewQuery(), fir = dm.NewQuery(), obj = dm.NewQuery(), str = dm.NewQuery();
            adr.prepare(QStringLiteral("INSERT INTO ADRESAR (UNCIS, CISLO, KOD, NAZEV, ULICE, CISPOP, PSC, MESTO, TEL, IMAIL, "
                                       "ICO, TYP, SESTADR, PERHP, PERPV, PERPK, KDO, KLIC) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 'N', 12, 12, 12, ?, 0)"));
            fir.prepare(QStringLiteral("INSERT INTO FIRMY (UNCIS, UNCH, DIC, ODP1, FCE1, TEL1, DPH, SLEVA, TYPOBJ, KDO, KLIC) "
                                       "VALUES (?, ?, ?, ?, ?, ?, 'A', ?, ?, ?, 0)"));
            obj.prepare(QStringLiteral("INSERT INTO S_OBJEKT (UNCIS, UNCH, OBJEKT, PORADI, KDO, KLIC) VALUES (?, ?, ?, ?, ?, 0)"));
            str.prepare(QStringLiteral("INSERT INTO STREDISKA (UNCIS, UNCH, STREDISKO, ULICE, CISPOP, PSC, MESTO, PERHP, PERPV, "
                                       "PERPK, KONOSO, KONTAKT, KDO, KLIC) VALUES (?, ?, ?, ?, ?, ?, ?, 12, 12, 12, ?, ?, ?, 0)"));
            for (int c = 0; c < o.customers; ++c) {
                const qint64 key = adrKeys.next();
                if (key < 0)
                    return w.failText(QStringLiteral("ADRESAR: generátor"));
                const Town &town = Towns[rng.bounded(countOf(Towns))];
                const QString surname = pick(Surnames);
                const QString name = pick(Trades) + QLatin1Char(' ') + surname + QLatin1Char(' ') + pick(Forms);
                const QString companyNo = ico(rng);
                const QString mail = QStringLiteral("info@firma%1.cz").arg(c + 1);
                if (!w.insert(adr, {key, 1000 + c, QStringLiteral("Z%1").arg(c + 1, 5, 10, QLatin1Char('0')), name,
                                    pick(Streets), QString::number(rng.bounded(1, 2500)), QString::fromUtf8(town.psc),
                                    QString::fromUtf8(town.name), QStringLiteral("+420 5%1").arg(rng.bounded(10000000, 99999999)),
                                    mail, companyNo, Kdo}, QStringLiteral("ADRESAR")))
                    return false;
                static const char *const orders[] = {"", "U", "O", "S", "E"};
                if (!w.insert(fir, {firKeys.next(), key, QStringLiteral("CZ") + companyNo,
                                    pick(FirstNames) + QLatin1Char(' ') + pick(Surnames), QStringLiteral("jednatel"),
                                    QStringLiteral("+420 7%1").arg(rng.bounded(10000000, 99999999)),
                                    double(rng.bounded(3) * 5), QString::fromLatin1(orders[rng.bounded(5)]), Kdo},
                              QStringLiteral("FIRMY")))
                    return false;
                QStringList objects;
                const int nObjects = 1 + rng.bounded(3);
                for (int i = 0; i < nObjects; ++i) {
                    objects << QString::fromUtf8(Objects[(c + i) % countOf(Objects)]);
                    if (!w.insert(obj, {objKeys.next(), key, objects.last(), i + 1, Kdo}, QStringLiteral("S_OBJEKT")))
                        return false;
                    ++counts.objects;
                }
                for (int s = 0; s < o.sitesPerCustomer; ++s) {
                    const qint64 site = strKeys.next();
                    const Town &at = s == 0 ? town : Towns[rng.bounded(countOf(Towns))];
                    const QString siteName = QString::fromUtf8(SiteNames[(c + s) % countOf(SiteNames)])
                                             + QLatin1Char(' ') + QString::fromUtf8(at.name);
                    if (!w.insert(str, {site, key, siteName, pick(Streets), QString::number(rng.bounded(1, 2500)),
                                        QString::fromUtf8(at.psc), QString::fromUtf8(at.name),
                                        pick(FirstNames) + QLatin1Char(' ') + pick(Surnames),
                                        QStringLiteral("+420 6%1").arg(rng.bounded(10000000, 99999999)), Kdo},
                                  QStringLiteral("STREDISKA")))
                        return false;
                    sites.append({key, site, objects});
                }
            }
            return true;
        });
        if (!written)
            return false;
        counts.customers = o.customers;
        counts.sites = sites.size();
    }

    // Inspections: every site once a year on about the same day, the items carried
    // forward the way the program does it (states 2, 3, 5 and 10 leave, the others
    // start again at 0), with the replacements of what left delivered the next year.
    // The newest inspection is only prepared (all items 0) when its day is still to
    // come, and always at the last site, so a fresh database shows that too.
    int serialCounter = 0;
    QHash<int, int> numbersOfYear;
    int lastYearNumbers = 0;
    {
        const bool written = w.transaction([&] {
            KeySource headKeys(dm, QStringLiteral("PR_HLAV"), 1000), itemKeys(dm, QStringLiteral("PR_TAB"), 5000);
            QSqlQuery head = dm.NewQuery(), item = dm.NewQuery();
            head.prepare(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, PRAVID, DATUM, FAKTURA, VYRPROT, UNCTECH, UNCTECH2, "
                                        "UNCFIR, UNCSTR, POCHP, UNCDOD, CISPRO, PCISLO, CASNAR, CENA, ZAMEK, KDO, KLIC) "
                                        "VALUES (?, 'A', ?, ?, 'N', ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, 0)"));
            item.prepare(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, OBJEKT, MISTO, ZNACKA, OPRTEXT, DRUH, VYRCIS, STAV, "
                                        "POZN, HP, ROK, VYROBCE, STATUS, PREDILNA, PREVYRAZ, UNCCEN, PRESKLAD, PORADI, POSDIL, "
                                        "CARKOD, UNCPOM, KDO, KLIC, NAKSTR) "
                                        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?)"));
            auto newUnit = [&](const Site &site, int year, bool brandNew) {
                Unit u;
                const PriceType &t = types.at(rng.bounded(types.size()));
                u.unccen = t.key; u.hp = t.popis; u.vyrobce = t.vyrobce; u.druh = t.druh;
                u.poradi = 1 + rng.bounded(site.objects.size());
                u.objekt = site.objects.at(u.poradi - 1);
                u.misto = pick(Locations) + QLatin1Char(' ') + pick(Positions);
                u.rok = brandNew ? year : year - rng.bounded(0, 12);
                ++serialCounter;
                u.vyrcis = QStringLiteral("%1/%2").arg(100000 + (qint64(serialCounter) * 7919) % 900000)
                               .arg(u.rok % 100, 2, 10, QLatin1Char('0'));
                u.posdil = u.rok + 5 * ((year - u.rok) / 5);
                u.carkod = rng.bounded(3) == 0 ? 0 : 200000 + serialCounter;
                return u;
            };
            // a judged state for an item that was at the customer this year
            auto judge = [&rng]() {
                const int r = rng.bounded(1000);
                return r < 880 ? 1 : r < 920 ? 4 : r < 950 ? 2 : r < 970 ? 5 : r < 992 ? 3 : 10;
            };
            const int nSites = sites.size();
            for (int s = 0; s < nSites; ++s) {
                const Site &site = sites.at(s);
                const int month = 1 + (s * 7) % 12, day = 8 + (s * 13) % 21;   // minus a week stays in the month
                const qint64 tech = techs.isEmpty() ? 0 : techs.at(s % techs.size());
                QVector<Unit> units;
                int turn = 0;
                for (int i = 0; i < o.perSite; ++i)
                    units.append(newUnit(site, firstYear - rng.bounded(0, 3), false));
                std::sort(units.begin(), units.end(), [](const Unit &a, const Unit &b) { return a.poradi < b.poradi; });
                for (int i = 0; i < units.size(); ++i)
                    units[i].uncpom = 0;   // given the item key of its first inspection
                for (int y = firstYear; y <= lastYear; ++y) {
                    QDate date(y, month, day);
                    date = date.addDays(-rng.bounded(0, 8));
                    const bool newest = y == lastYear;
                    const bool prepared = newest && (date > today || s == nSites - 1);
                    // a prepared inspection is dated the day it was carried forward
                    if (prepared && (date > today || (s == nSites - 1 && y == today.year())))
                        date = today;
                    if (y > firstYear) {
                        // carry-forward: what left is replaced next to where it stood
                        QVector<Unit> next;
                        for (const Unit &u : units) {
                            if (u.status == 2 || u.status == 3 || u.status == 5 || u.status == 10) {
                                if (prepared)
                                    continue;
                                Unit r = newUnit(site, y, false);
                                r.objekt = u.objekt; r.poradi = u.poradi; r.misto = u.misto; r.uncpom = u.uncpom;
                                // the first site takes turns, so a tiny sample still has every replacement
                                const bool other = s == 0 ? (++turn % 2 == 0) : rng.bounded(2) == 1;
                                if (u.status == 2)
                                    r.status = other ? 7 : 6;
                                else
                                    r.status = u.status == 10 || other ? 9 : 8;
                                if (r.status == 7 || r.status == 9) {
                                    Unit fresh = newUnit(site, y, true);
                                    r.vyrcis = fresh.vyrcis; r.rok = fresh.rok; r.posdil = fresh.posdil;
                                }
                                next.append(r);
                            } else {
                                Unit k = u;
                                k.status = prepared ? 0 : judge();
                                next.append(k);
                            }
                        }
                        units = next;
                    } else {
                        for (Unit &u : units)
                            u.status = judge();
                    }
                    if (s == 0 && y == firstYear) {
                        // the first site shows every state that leaves, so even a tiny sample has them all
                        static const int forced[] = {2, 2, 3, 5, 4, 10};
                        for (int i = 0; i < units.size() && i < countOf(forced); ++i)
                            units[i].status = forced[i];
                    }
                    const qint64 hkey = headKeys.next();
                    if (hkey < 0)
                        return w.failText(QStringLiteral("PR_HLAV: generátor"));
                    int pochp = 0;
                    for (Unit &u : units) {
                        u.oprtext = (u.status == 2 || u.status == 3 || u.status == 4 || u.status == 5)
                                        ? pick(RepairTexts) : QString();
                        if (TfHPC::leftAtCustomer(u.status))
                            ++pochp;
                    }
                    QString cispro;
                    int pcislo = 0;
                    if (!prepared) {
                        pcislo = ++numbersOfYear[y];
                        cispro = QStringLiteral("KHP%1/%2").arg(y).arg(pcislo);
                    }
                    const QString faktura = prepared ? QStringLiteral("P") : newest ? QStringLiteral("R") : QStringLiteral("F");
                    const qint64 tech2 = (s % 5 == 0 && techs.size() > 1) ? techs.at((s + 1) % techs.size()) : 0;
                    if (!w.insert(head, {hkey, date, faktura, tech, tech2, site.firm, site.key, pochp, cispro, pcislo,
                                         prepared ? 0.0 : 0.5 + units.size() * 0.1, prepared ? 0.0 : units.size() * 45.0,
                                         newest ? QStringLiteral("N") : QStringLiteral("A"), Kdo},
                                  QStringLiteral("PR_HLAV")))
                        return false;
                    for (Unit &u : units) {
                        const qint64 ikey = itemKeys.next();
                        if (ikey < 0)
                            return w.failText(QStringLiteral("PR_TAB: generátor"));
                        if (u.uncpom == 0)
                            u.uncpom = ikey;
                        const TfHPC::StateFlags f = TfHPC::flagsOfState(u.status);
                        if (!w.insert(item, {ikey, hkey, u.objekt, u.misto, TfHPC::markOf(u.hp, u.oprtext), u.oprtext,
                                             u.druh, u.vyrcis, u.status ? stateTexts.value(u.status) : QString(), QString(),
                                             u.hp, u.rok, u.vyrobce, u.status, f.preDilna, f.preVyraz, u.unccen, f.preSklad,
                                             u.poradi, u.posdil, u.carkod, u.uncpom, Kdo, QString()},
                                      QStringLiteral("PR_TAB")))
                            return false;
                        ++counts.items;
                    }
                    ++counts.inspections;
                }
            }
            return true;
        });
        if (!written)
            return false;
        lastYearNumbers = numbersOfYear.value(lastYear);
    }

    if (!fillSeries(w, lastYearNumbers) || !fillSampleFirm(dm, error))
        return false;
    if (countsOut)
        *countsOut = counts;
    return true;
}
