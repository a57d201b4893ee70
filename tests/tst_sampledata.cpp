// The sample database: what it writes at two small scales, that the inspections of a
// site form a chain carried forward year by year the way the program carries them,
// that every movement state is there, that the program's controllers open the data,
// and that the program's own inserts continue after the sample's keys.
#include <QtTest>
#include <QLineEdit>
#include <QMap>
#include <QSet>
#include <QSqlQuery>

#include "admin/sampledata.h"
#include "customers/adresyc.h"
#include "customers/adresys.h"
#include "core/parameters.h"
#include "core/rowcachemodel.h"
#include "inspections/hp.h"
#include "inspections/hpc.h"
#include "inspections/hps.h"
#include "inspections/serialsearch.h"
#include "support/programdatabasetest.h"

class TestSampleData : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    struct Item { QString vyrcis; int status; };
    // site -> year -> items in displayed order
    QMap<int, QMap<int, QList<Item>>> chains()
    {
        QMap<int, QMap<int, QList<Item>>> result;
        QSqlQuery q = DM->NewQuery();
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT H.UNCSTR, EXTRACT(YEAR FROM H.DATUM), T.VYRCIS, T.STATUS FROM PR_HLAV H "
                                   "JOIN PR_TAB T ON T.UNCH = H.UNCIS ORDER BY H.UNCSTR, H.DATUM, T.PORADI, T.UNCPOM")))
            return result;
        while (q.next())
            result[q.value(0).toInt()][q.value(1).toInt()].append({q.value(2).toString(), q.value(3).toInt()});
        return result;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void buildsAtTwoScales_data()
    {
        QTest::addColumn<int>("customers");
        QTest::addColumn<int>("sitesPerCustomer");
        QTest::addColumn<int>("years");
        QTest::addColumn<int>("perSite");
        QTest::newRow("3 customers, 2 sites, 3 years") << 3 << 2 << 3 << 6;
        QTest::newRow("8 customers, 1 site, 2 years") << 8 << 1 << 2 << 10;
    }
    void buildsAtTwoScales()
    {
        QFETCH(int, customers);
        QFETCH(int, sitesPerCustomer);
        QFETCH(int, years);
        QFETCH(int, perSite);
        SampleOptions o;
        o.customers = customers;
        o.sitesPerCustomer = sitesPerCustomer;
        o.years = years;
        o.perSite = perSite;
        o.technicians = 3;
        o.lastYear = 2024;
        SampleCounts counts;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, &counts, &error), qPrintable(error));

        const int sites = customers * sitesPerCustomer;
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE TYP = 1")), customers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM FIRMY")), customers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE TYP IN (3, 4)")), 3);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STREDISKA")), sites);
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM S_OBJEKT")) >= customers);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV")), sites * years);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB")), int(counts.items));
        QCOMPARE(counts.inspections, sites * years);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT CSEKCE) FROM CENIK")), 11);
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CENIK WHERE CSEKCE = 7 AND VYROBCE > '' AND CENPRO > 0")) >= 4);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT TYP) FROM S_STAV WHERE TYP BETWEEN 1 AND 10")), 10);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DOKRAD WHERE KOD = 'KHP'")), 1);
        // the series counts on after the numbers the sample gave in its newest year
        QCOMPARE(count(QStringLiteral("SELECT GEN_ID(XKHP, 0) FROM RDB$DATABASE")),
                 count(QStringLiteral("SELECT MAX(PCISLO) FROM PR_HLAV WHERE EXTRACT(YEAR FROM DATUM) = 2024")));
        // every item points to a type of section 7 and carries its name
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB T LEFT JOIN CENIK C ON C.UNCIS = T.UNCCEN "
                                      "WHERE C.CSEKCE IS DISTINCT FROM 7 OR C.POPIS IS DISTINCT FROM T.HP")), 0);
        // POCHP is the number of extinguishers left at the customer
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV H WHERE H.POCHP <> (SELECT COUNT(*) FROM PR_TAB T "
                                      "WHERE T.UNCH = H.UNCIS AND T.STATUS IN (1, 4, 14, 6, 7, 8, 9))")), 0);

        // one inspection per site and year, the first with all the site's extinguishers;
        // each next one holds the kept items of the one before in the same order, plus
        // replacements of what left
        const auto all = chains();
        QCOMPARE(all.size(), sites);
        for (auto site = all.cbegin(); site != all.cend(); ++site) {
            QCOMPARE(site->size(), years);
            QCOMPARE(site->first().size(), perSite);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV WHERE UNCSTR = %1").arg(site.key())), years);
            const QList<int> ys = site->keys();
            for (int i = 1; i < ys.size(); ++i) {
                QCOMPARE(ys.at(i), ys.at(i - 1) + 1);
                QStringList kept, next;
                for (const Item &it : site->value(ys.at(i - 1)))
                    if (TfHPC::leftAtCustomer(it.status) || it.status == 0)
                        kept << it.vyrcis;
                for (const Item &it : site->value(ys.at(i)))
                    if (kept.contains(it.vyrcis))
                        next << it.vyrcis;
                QCOMPARE(next, kept);
            }
        }

        // the controllers of the program open the data
        std::unique_ptr<TfAdresyC> adresy(TfClass::create<TfAdresyC>(DM));
        QCOMPARE(adresy->OpenDefaultList(), 0);
        adresy->list().fetchAll();
        QVERIFY(adresy->list().loadedRows() >= sites);
        std::unique_ptr<TfHPC> hpc(TfClass::create<TfHPC>(DM));
        // the list shows the last weeks by default; these inspections are older
        hpc->setDefaultWhere(QStringLiteral(" Has.Datum >= '01.01.2000'"));
        QCOMPARE(hpc->OpenDefaultList(), 0);
        hpc->list().fetchAll();
        QCOMPARE(hpc->list().loadedRows(), sites * years);
        const int newest = count(QStringLiteral("SELECT MAX(UNCIS) FROM PR_HLAV"));
        QCOMPARE(hpc->OpenRecord(newest), 0);
        QCOMPARE(hpc->hp().rowCount(), count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(newest)));
        const QString serial = scalar(QStringLiteral("SELECT MIN(VYRCIS) FROM PR_TAB")).toString();
        QSqlQuery found = FindBySerialNumber(DM, serial);
        QVERIFY(found.isActive());
        QVERIFY(found.next());
        QCOMPARE(found.value(4).toString(), serial);
    }

    void everyMovementStateAppears()
    {
        SampleOptions o;
        o.customers = 2;
        o.sitesPerCustomer = 1;
        o.years = 2;
        o.perSite = 6;   // the first site's first inspection holds each state that leaves
        o.lastYear = 2024;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT DISTINCT STATUS FROM PR_TAB ORDER BY 1")));
        QList<int> states;
        while (q.next())
            states << q.value(0).toInt();
        QCOMPARE(states, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        // the flags are the ones the state sets, the text the state's condition
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE STATUS = 2 AND (PREDILNA <> 'A' OR PRESKLAD <> 'A')")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB T WHERE T.STATUS > 0 AND NOT EXISTS "
                                      "(SELECT 1 FROM S_STAV S WHERE S.TYP = T.STATUS AND S.POPIS = T.STAV)")), 0);
        // the prepared inspection is not numbered and waits in state 'P'
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV H WHERE EXISTS (SELECT 1 FROM PR_TAB T "
                                      "WHERE T.UNCH = H.UNCIS AND T.STATUS = 0) AND (H.FAKTURA <> 'P' OR H.PCISLO <> 0)")), 0);
    }

    void secondFillAddsDataAndTheProgramsKeysFollow()
    {
        SampleOptions o;
        o.customers = 2;
        o.years = 2;
        o.perSite = 3;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        const int conditions = count(QStringLiteral("SELECT COUNT(*) FROM S_STAV"));
        const int priceItems = count(QStringLiteral("SELECT COUNT(*) FROM CENIK"));
        const int series = count(QStringLiteral("SELECT COUNT(*) FROM DOKRAD"));
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        // customers and inspections twice, the code lists, price list and series once
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR WHERE TYP = 1")), 4);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV")), 16);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM S_STAV")), conditions);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CENIK")), priceItems);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DOKRAD")), series);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT VYRCIS FROM PR_TAB GROUP BY VYRCIS, UNCH HAVING COUNT(*) > 1)")), 0);
        // a sample up to today shows the prepared inspection in the default list
        std::unique_ptr<TfHPC> hpc(TfClass::create<TfHPC>(DM));
        QCOMPARE(hpc->OpenDefaultList(), 0);
        hpc->list().fetchAll();
        QVERIFY(hpc->list().loadedRows() >= 1);
        hpc.reset();
        const char *const tables[] = {"ADRESAR", "STREDISKA", "S_OBJEKT", "PR_HLAV", "PR_TAB", "CENIK", "S_STAV"};
        for (const char *t : tables) {
            const QString table = QString::fromLatin1(t);
            const qint64 key = DM->NextKey(table);
            QVERIFY2(key > count(QStringLiteral("SELECT MAX(UNCIS) FROM ") + table), t);
            QCOMPARE(key % 100, 0);
        }
    }

    void listAndEditWindowShowTheSample()
    {
        SampleOptions o;
        o.customers = 3;
        o.sitesPerCustomer = 2;
        o.years = 2;
        o.perSite = 5;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        // the inspection list as the menu opens it, with its filter of the last weeks
        std::unique_ptr<TfHPS> list(VytvorKontrolyHP());
        QVERIFY(list);
        QVERIFY(list->prepareAndOpen() >= 0);
        ListDataset &rows = list->controller()->list();
        QVERIFY(rows.recordCount() >= 1);
        const int key = rows.value(0, QStringLiteral("UNCIS")).toInt();
        int items = -1;
        QString owner;
        prompt().onModal([&](QDialog *d) {
            if (auto *form = qobject_cast<TfHP *>(d)) {
                items = form->itemModel()->rowCount();
                owner = form->findChild<QWidget *>(QStringLiteral("ncFirma"))
                            ->findChild<QLineEdit *>()->text();
            }
            return 0;
        });
        list->OpenDetail(key);
        QCOMPARE(items, count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1").arg(key)));
        QVERIFY(items > 0);
        QVERIFY(!owner.isEmpty());

        // the address list: one row per site, and every row says which site it is
        std::unique_ptr<TfAdresyS> addresses(VytvorAdresar(nullptr));
        QVERIFY(addresses);
        QVERIFY(addresses->prepareAndOpen() >= 0);
        QAbstractItemModel *grid = addresses->model();
        addresses->controller()->list().fetchAll();
        QStringList captions, shown;
        for (int c = 0; c < grid->columnCount(); ++c)
            captions << grid->headerData(c, Qt::Horizontal).toString();
        QVERIFY(captions.contains(QStringLiteral("Středisko")));
        QVERIFY(captions.contains(QStringLiteral("Město střediska")));
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c)
                cells << grid->index(r, c).data().toString();
            shown << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(shown.size(), count(QStringLiteral("SELECT COUNT(*) FROM ADRESAR A LEFT JOIN STREDISKA S ON S.UNCH = A.UNCIS")));
        QCOMPARE(QSet<QString>(shown.cbegin(), shown.cend()).size(), shown.size());
    }

    // The sample firm fills the firm's own data and the number-series period, and
    // leaves a real firm's data as they are.
    void sampleFirmOnlyWhereNothingIsStored()
    {
        SampleOptions o;
        o.customers = 1;
        o.years = 1;
        o.perSite = 1;
        QString error;
        exec(QStringLiteral("UPDATE OR INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES ('eICO', '0') MATCHING (POLOZKA)"));
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        auto item = [](const char *name) {
            return scalar(QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = '%1'").arg(QLatin1String(name)))
                .toString();
        };
        QCOMPARE(item("eFirma"), QStringLiteral("HASTEX servis požární ochrany s.r.o."));
        QCOMPARE(item("eICO"), QStringLiteral("27694321"));
        QCOMPARE(item("eRok"), QString::number(QDate::currentDate().year()));
        QCOMPARE(item("eMes"), QString::number(QDate::currentDate().month()));
        for (const char *name : {"eAdresa1", "eAdresa2", "eProv1", "eProv2", "eRegistrace", "eDIC", "eTelefon", "eUcet"})
            QVERIFY2(!item(name).isEmpty() && item(name) != QLatin1String("0"), name);
        QVERIFY(loadFrameworkParameters(*DM));
        QCOMPARE(Parameters::instance().firmName, QStringLiteral("HASTEX servis požární ochrany s.r.o."));
        QCOMPARE(Parameters::instance().year, QDate::currentDate().year());

        // a real firm: its data stay, only what it never filled is completed
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = 'Hasiči Louny s.r.o.' WHERE POLOZKA = 'eFirma'"));
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '12345679' WHERE POLOZKA = 'eICO'"));
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '2019' WHERE POLOZKA = 'eRok'"));
        exec(QStringLiteral("UPDATE QELSYS SET HODNOTA = '0' WHERE POLOZKA = 'eTelefon'"));
        QVERIFY2(fillSampleFirm(*DM, &error), qPrintable(error));
        QCOMPARE(item("eFirma"), QStringLiteral("Hasiči Louny s.r.o."));
        QCOMPARE(item("eICO"), QStringLiteral("12345679"));
        QCOMPARE(item("eRok"), QStringLiteral("2019"));
        QCOMPARE(item("eTelefon"), QStringLiteral("+420 567 301 442"));
    }
};

QTEST_MAIN(TestSampleData)
#include "tst_sampledata.moc"
