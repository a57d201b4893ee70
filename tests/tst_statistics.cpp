// The inspection statistics and the delivery-note material report on real data, read
// back from their PDF files: the states that fill no column, the hydrant without a
// result, an inspection with one technician in the technician pairs, the technician
// found as the second one, values with an apostrophe bound rather than pasted, the
// workshop's four stages, the totals of a sample database against direct counts, the
// virtual sections and one item at two prices in the material report, and both
// windows through the print dialog and from the menu.
#include <QtTest>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>

#include "admin/sampledata.h"
#include "commerce/dodses.h"
#include "customers/nabcombo.h"
#include "inspections/konses.h"
#include "reports/deliverystatistics.h"
#include "reports/konsest.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/addressdata.h"
#include "support/programdatabasetest.h"
#include "widgets/lookupcombo.h"
#include "widgets/obectiskd.h"

using InspectionStatistics::Kind;
using DeliveryStatistics::Layout;

class TestStatistics : public ProgramDatabaseTest
{
    Q_OBJECT

    QString pdfText(const Print::Document &document)
    {
        const QString file = env->path(QStringLiteral("report%1.pdf").arg(++m_pdf));
        QString error;
        if (!Print::writePdf(document, file, &error))
            return QStringLiteral("PDF failed: ") + error;
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // Every printed line holding what, simplified.
    static QStringList linesWith(const QString &text, const QString &what)
    {
        QStringList out;
        for (const QString &line : text.split(QLatin1Char('\n')))
            if (line.contains(what))
                out << line.simplified();
        return out;
    }
    QString printed(Kind kind, const InspectionStatistics::Filter &filter)
    {
        Print::Document document;
        QString error;
        if (!InspectionStatistics::render(DM, kind, filter, ListPrintOptions(), &document, &error))
            return error;
        return pdfText(document);
    }
    QString printed(Layout layout, const DeliveryStatistics::Filter &filter)
    {
        Print::Document document;
        QString error;
        if (!DeliveryStatistics::render(DM, layout, filter, ListPrintOptions(), &document, &error))
            return error;
        return pdfText(document);
    }
    static InspectionStatistics::Filter year2025()
    {
        InspectionStatistics::Filter f;
        f.from = QDate(2025, 1, 1);
        f.to = QDate(2025, 12, 31);
        return f;
    }
    int type(int section, const QString &popis, const QString &vyrobce, const QString &druh = QString())
    {
        return insertRow(*DM, QStringLiteral("CENIK"), {{QStringLiteral("CSEKCE"), section}, {QStringLiteral("POPIS"), popis},
                                                        {QStringLiteral("VYROBCE"), vyrobce}, {QStringLiteral("DRUH"), druh}});
    }
    int inspection(const QString &table, const QDate &date, int owner, int tech, int tech2)
    {
        return insertRow(*DM, table, {{QStringLiteral("DATUM"), date}, {QStringLiteral("UNCFIR"), owner},
                                      {QStringLiteral("UNCTECH"), tech}, {QStringLiteral("UNCTECH2"), tech2}});
    }
    // items of a type copied from the price list (dampers have none), one per value of
    // the state column
    void items(const QString &table, int head, int type, const QString &stateColumn, const QVariantList &states)
    {
        for (const QVariant &state : states) {
            Values values{{QStringLiteral("UNCH"), head}, {stateColumn, state}};
            if (type != 0) {
                QSqlQuery q = DM->NewQuery();
                QVERIFY(q.exec(QStringLiteral("SELECT POPIS, DRUH, VYROBCE FROM CENIK WHERE UNCIS = %1").arg(type)) && q.next());
                values << qMakePair(QStringLiteral("UNCCEN"), QVariant(type))
                       << qMakePair(table == QLatin1String("PR_TAB") ? QStringLiteral("HP") : QStringLiteral("TYP"), q.value(0))
                       << qMakePair(QStringLiteral("DRUH"), q.value(1)) << qMakePair(QStringLiteral("VYROBCE"), q.value(2));
            }
            insertRow(*DM, table, values);
        }
    }

    int m_pdf = 0;
    int m_novak = 0, m_dvorak = 0, m_alfa = 0, m_beta = 0, m_pg6 = 0;

    // Two owners, two technicians; extinguishers in every state of two types at two
    // inspections of 2025 (the second with one technician) and one of 2024; hydrants
    // with every result; dampers with every finding; three workshop rows.
    void inspections()
    {
        m_alfa = insertEntry(*DM, 1, QStringLiteral("Alfa s.r.o."));
        m_beta = insertEntry(*DM, 1, QStringLiteral("Beta a.s."));
        m_novak = insertEntry(*DM, 3, QStringLiteral("Novák Jan"));
        m_dvorak = insertEntry(*DM, 3, QStringLiteral("Dvořák Petr"));
        m_pg6 = type(7, QStringLiteral("PG 6"), QStringLiteral("Hasik"));
        const int co2 = type(7, QStringLiteral("CO2 5"), QStringLiteral("O'Brien"));
        const int i1 = inspection(QStringLiteral("PR_HLAV"), QDate(2025, 3, 10), m_alfa, m_novak, m_dvorak);
        items(QStringLiteral("PR_TAB"), i1, m_pg6, QStringLiteral("STATUS"), {1, 2, 3, 0, 14});
        items(QStringLiteral("PR_TAB"), i1, co2, QStringLiteral("STATUS"), {6, 7, 10});
        const int i2 = inspection(QStringLiteral("PR_HLAV"), QDate(2025, 6, 15), m_beta, m_novak, 0);
        items(QStringLiteral("PR_TAB"), i2, m_pg6, QStringLiteral("STATUS"), {4, 5});
        items(QStringLiteral("PR_TAB"), i2, co2, QStringLiteral("STATUS"), {8, 9});
        const int old = inspection(QStringLiteral("PR_HLAV"), QDate(2024, 12, 20), m_alfa, m_dvorak, 0);
        items(QStringLiteral("PR_TAB"), old, m_pg6, QStringLiteral("STATUS"), {1});

        const int hydrant = type(11, QStringLiteral("Hydrant"), QStringLiteral("Vodak"), QStringLiteral("D25"));
        const int p1 = inspection(QStringLiteral("VOD_HLAV"), QDate(2025, 5, 12), m_alfa, m_novak, m_dvorak);
        items(QStringLiteral("VOD_TAB"), p1, hydrant, QStringLiteral("VYHOV"), {"A", "A", "N", "", QVariant()});
        const int k1 = inspection(QStringLiteral("PK_HLAV"), QDate(2025, 7, 1), m_beta, m_dvorak, 0);
        items(QStringLiteral("PK_TAB"), k1, 0, QStringLiteral("FUNKCN"), {"1", "2", "3", "3", "5", QVariant()});

        const QString dil = QStringLiteral("INSERT INTO DILNA (UNCIS, UNCCEN, HP, VYROBCE, DATPRIL, UNCPRITECH, DATUM, "
                                           "UNCKOMTECH, PERZK, DATEXP, UNCEXPTECH) VALUES (%1, %2, 'PG 6', 'Hasik', %3)");
        exec(dil.arg(1).arg(m_pg6).arg(QStringLiteral("'05.03.2025', %1, '10.03.2025', %2, 'Ano', '20.03.2025', %1").arg(m_novak).arg(m_dvorak)));
        exec(dil.arg(2).arg(m_pg6).arg(QStringLiteral("'05.03.2025', %1, '11.03.2025', %1, 'Ne', NULL, 0").arg(m_novak)));
        exec(dil.arg(3).arg(m_pg6).arg(QStringLiteral("'20.12.2024', %1, '02.01.2025', %1, NULL, NULL, 0").arg(m_novak)));
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void inspectionReportsCountEveryCase()
    {
        inspections();
        InspectionStatistics::Filter f = year2025();

        // states 0, 10 and 14 fill no column; the 2024 inspection is outside
        QString text = printed(Kind::HpVyrobce, f);
        QVERIFY2(text.contains(QStringLiteral("Kontroly HP po výrobcích")), qPrintable(text));
        QCOMPARE(linesWith(text, QStringLiteral(" - Hasik")), QStringList{QStringLiteral("PG 6 - Hasik 5 2 2 0 0")});
        QVERIFY(text.indexOf(QStringLiteral("Hasik")) < text.indexOf(QStringLiteral("O'Brien")));
        QCOMPARE(linesWith(text, QStringLiteral(" - O'Brien")), QStringList{QStringLiteral("CO2 5 - O'Brien 0 0 0 2 2")});
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za skupinu")),
                 (QStringList{QStringLiteral("Celkem za skupinu 5 2 2 0 0"), QStringLiteral("Celkem za skupinu 0 0 0 2 2")}));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 5 2 2 2 2")});
        for (const char *caption : {"Druh - výrobce", "Kontrola", "Do opravy", "Vyřazeno", "Po opravě", "Nové"})
            QVERIFY(text.contains(QString::fromUtf8(caption)));

        // the inspection with one technician counts in a pair of its own
        text = printed(Kind::HpTechnik, f);
        QCOMPARE(linesWith(text, QStringLiteral("Novák Jan")),
                 (QStringList{QStringLiteral("Novák Jan"), QStringLiteral("Novák Jan, Dvořák Petr")}));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za skupinu")),
                 (QStringList{QStringLiteral("Celkem za skupinu 2 1 1 1 1"), QStringLiteral("Celkem za skupinu 3 1 1 1 1")}));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 5 2 2 2 2")});

        // the technician as the second one; the firm; a manufacturer with an apostrophe
        f.technician = m_dvorak;
        text = printed(Kind::HpMajitel, f);
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 3 1 1 1 1")});
        QVERIFY(text.contains(QStringLiteral("Alfa s.r.o.")) && !text.contains(QStringLiteral("Beta a.s.")));
        f.technician = 0;
        f.firm = m_beta;
        f.manufacturer = QStringLiteral("O'Brien");
        text = printed(Kind::HpMajitel, f);
        QCOMPARE(linesWith(text, QStringLiteral(" - O'Brien")), QStringList{QStringLiteral("CO2 5 - O'Brien 0 0 0 1 1")});

        // hydrants: an empty and a missing result do not satisfy
        text = printed(Kind::PvVyrobce, year2025());
        QCOMPARE(linesWith(text, QStringLiteral("Hydrant, D25 - Vodak")), QStringList{QStringLiteral("Hydrant, D25 - Vodak 5 2 3")});
        text = printed(Kind::PvTechnik, year2025());
        QVERIFY(text.contains(QStringLiteral("Novák Jan, Dvořák Petr")));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 5 2 3")});

        // dampers: one line a group, every finding in its column
        text = printed(Kind::PkTechnik, year2025());
        QCOMPARE(linesWith(text, QStringLiteral("Požádní klapky")), QStringList{QStringLiteral("Požádní klapky 6 1 1 2 0 1")});
        QCOMPARE(linesWith(text, QStringLiteral("Dvořák Petr")), QStringList{QStringLiteral("Dvořák Petr")});
        f = year2025();
        f.technician = m_novak;
        QVector<QVariantList> lines;
        QString error;
        QVERIFY(InspectionStatistics::lines(DM, Kind::PkMajitel, f, &lines, &error));
        QVERIFY(lines.isEmpty());

        // the workshop by stage, each stage by its own date and technician
        text = printed(Kind::Dilna, year2025());
        QCOMPARE(linesWith(text, QStringLiteral("PG 6 - Hasik")), QStringList{QStringLiteral("PG 6 - Hasik 2 2 1 1")});
        f.technician = m_dvorak;
        QVERIFY(InspectionStatistics::lines(DM, Kind::Dilna, f, &lines, &error));
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().mid(3, 4), (QVariantList{qint64(0), qint64(0), qint64(1), qint64(0)}));
    }

    void sampleDatabaseTotalsEqualDirectCounts()
    {
        SampleOptions o;
        o.customers = 8;
        o.years = 3;
        o.lastYear = 2024;
        QString error;
        QVERIFY2(fillSampleData(*DM, o, nullptr, &error), qPrintable(error));
        // the workshop rows of what went for repair, at dates around the period's end
        exec(QStringLiteral("INSERT INTO DILNA (UNCIS, UNCCEN, HP, VYROBCE, DATPRIL, UNCPRITECH, DATUM, UNCKOMTECH, PERZK, "
                            "DATEXP, UNCEXPTECH) SELECT T.UNCIS, T.UNCCEN, T.HP, T.VYROBCE, H.DATUM, H.UNCTECH, "
                            "DATEADD(MOD(T.UNCIS / 100, 40) DAY TO H.DATUM), H.UNCTECH, "
                            "CASE MOD(T.UNCIS / 100, 3) WHEN 0 THEN 'Ano' WHEN 1 THEN 'Ne' END, "
                            "CASE WHEN MOD(T.UNCIS / 100, 2) = 0 THEN DATEADD(60 DAY TO H.DATUM) END, H.UNCTECH2 "
                            "FROM PR_TAB T JOIN PR_HLAV H ON H.UNCIS = T.UNCH WHERE T.STATUS IN (2, 4)"));
        QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM DILNA")) > 10);
        InspectionStatistics::Filter f;
        f.from = QDate(2023, 3, 1);
        f.to = QDate(2024, 10, 31);
        const QString period = QStringLiteral(" BETWEEN '01.03.2023' AND '31.10.2024'");

        auto totals = [&](Kind kind) {
            QVector<QVariantList> lines;
            QString error;
            QVariantList sums(6, QVariant(qint64(0)));
            if (!InspectionStatistics::lines(DM, kind, f, &lines, &error))
                return QVariantList{error};
            for (const QVariantList &line : lines)
                for (int c = 0; c < 6; ++c)
                    sums[c] = sums[c].toLongLong() + line.at(3 + c).toLongLong();
            return sums;
        };
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT SUM(IIF(T.STATUS IN (1, 2, 3, 4, 5), 1, 0)), SUM(IIF(T.STATUS IN (2, 4), 1, 0)), "
                                      "SUM(IIF(T.STATUS IN (3, 5), 1, 0)), SUM(IIF(T.STATUS IN (6, 8), 1, 0)), "
                                      "SUM(IIF(T.STATUS IN (7, 9), 1, 0)) FROM PR_TAB T JOIN PR_HLAV H ON H.UNCIS = T.UNCH "
                                      "WHERE H.DATUM") + period));
        QVERIFY(q.next());
        QVariantList direct;
        for (int c = 0; c < 5; ++c)
            direct << q.value(c).toLongLong();
        direct << qint64(0);
        QVERIFY(direct.at(0).toLongLong() > 100 && direct.at(1).toLongLong() > 0 && direct.at(4).toLongLong() > 0);
        for (Kind kind : {Kind::HpVyrobce, Kind::HpTechnik, Kind::HpMajitel})
            QCOMPARE(totals(kind), direct);
        const QString total = QStringLiteral("Celkem za sestavu %1 %2 %3 %4 %5")
                                  .arg(direct.at(0).toInt()).arg(direct.at(1).toInt()).arg(direct.at(2).toInt())
                                  .arg(direct.at(3).toInt()).arg(direct.at(4).toInt());
        QCOMPARE(linesWith(printed(Kind::HpTechnik, f), QStringLiteral("Celkem za sestavu")), QStringList{total});

        const QVariantList stages{
            count(QStringLiteral("SELECT COUNT(*) FROM DILNA WHERE DATPRIL") + period),
            count(QStringLiteral("SELECT COUNT(*) FROM DILNA WHERE (PERZK IS NULL OR PERZK <> 'Ano') AND DATUM") + period),
            count(QStringLiteral("SELECT COUNT(*) FROM DILNA WHERE PERZK = 'Ano' AND DATUM") + period),
            count(QStringLiteral("SELECT COUNT(*) FROM DILNA WHERE DATEXP") + period)};
        QVariantList workshop = totals(Kind::Dilna).mid(0, 4);
        for (QVariant &v : workshop)
            v = v.toInt();
        QCOMPARE(workshop, stages);
        QVERIFY(stages.at(1).toInt() > 0 && stages.at(2).toInt() > 0 && stages.at(3).toInt() > 0);
    }

    void deliveryNoteMaterialLayouts()
    {
        const int alfa = insertEntry(*DM, 1, QStringLiteral("Alfa s.r.o."));
        const int beta = insertEntry(*DM, 1, QStringLiteral("Beta a.s."));
        const int sale = type(8, QStringLiteral("Hasicí přístroj PG6"), QStringLiteral("Hasik"));
        const int check = type(1, QStringLiteral("Kontrola HP"), QString());
        const int pg6 = type(7, QStringLiteral("PG 6"), QStringLiteral("Hasik"));
        auto note = [&](int firm, const QDate &date, const QList<QVariantList> &lines) {
            const int head = insertRow(*DM, QStringLiteral("DODAKH"), {{QStringLiteral("UNCFIR"), firm}, {QStringLiteral("DATVYST"), date}});
            for (const QVariantList &l : lines)
                insertRow(*DM, QStringLiteral("DODAK"), {{QStringLiteral("UNCH"), head}, {QStringLiteral("UNCCEN"), l.at(0)},
                                                         {QStringLiteral("CSEKCE"), l.at(1)}, {QStringLiteral("POPIS"), l.at(2)},
                                                         {QStringLiteral("MNOZ"), l.at(3)}, {QStringLiteral("CENA"), l.at(4)}});
        };
        const QString saleName = QStringLiteral("Hasicí přístroj PG6");
        note(alfa, QDate(2025, 2, 10), {{sale, 8, saleName, 2, 1000.0}, {check, 1, QStringLiteral("Kontrola HP"), 5, 50.0},
                                        {pg6, 12, QStringLiteral("PG 6"), 1, 0.0}});
        note(beta, QDate(2025, 2, 20), {{sale, 8, saleName, 1, 1200.0}, {check, 1, QStringLiteral("Kontrola HP"), 3, 60.0}});
        note(alfa, QDate(2024, 5, 10), {{sale, 8, saleName, 10, 1000.0}});
        DeliveryStatistics::Filter f;
        f.from = QDate(2025, 1, 1);
        f.to = QDate(2025, 12, 31);

        // one row for the item sold at two prices, with the combined value
        QString text = printed(Layout::Abecedne, f);
        QCOMPARE(linesWith(text, QStringLiteral(",00")),
                 (QStringList{QStringLiteral("Hasicí přístroj PG6 3,00 3 200,00"), QStringLiteral("Kontrola HP 8,00 430,00"),
                              QStringLiteral("PG 6 1,00 0,00"), QStringLiteral("Celkem za sestavu 3 630,00")}));
        text = printed(Layout::PoOdberatelich, f);
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za")),
                 (QStringList{QStringLiteral("Celkem za skupinu 2 250,00"), QStringLiteral("Celkem za skupinu 1 380,00"),
                              QStringLiteral("Celkem za sestavu 3 630,00")}));
        QVERIFY(text.indexOf(QStringLiteral("Alfa s.r.o.")) < text.indexOf(QStringLiteral("Beta a.s.")));

        // the virtual section prints by sections only when it has a name
        text = printed(Layout::PoSekcich, f);
        QVERIFY(!text.contains(QStringLiteral("PG 6 ")));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 3 630,00")});
        exec(QStringLiteral("INSERT INTO NAZSEKCE (UNCIS, CSEKCE, POPIS) VALUES (9912, 12, 'Vyměněné HP')"));
        text = printed(Layout::PoSekcich, f);
        QVERIFY(text.indexOf(QStringLiteral("Kontroly HP a PV")) < text.indexOf(QStringLiteral("Hasicí přístroje - prodej")));
        QVERIFY(text.indexOf(QStringLiteral("Hasicí přístroje - prodej")) < text.indexOf(QStringLiteral("Vyměněné HP")));
        QCOMPARE(linesWith(text, QStringLiteral("PG 6 ")), QStringList{QStringLiteral("PG 6 1,00 0,00")});

        // an item makes the section needless; the firm narrows
        f.item = sale;
        f.section = 1;
        f.firm = beta;
        QCOMPARE(linesWith(printed(Layout::Abecedne, f), QStringLiteral(",00")),
                 (QStringList{QStringLiteral("Hasicí přístroj PG6 1,00 1 200,00"), QStringLiteral("Celkem za sestavu 1 200,00")}));
    }

    void windowsAskTheDatesAndPrintThroughTheDialog()
    {
        inspections();
        TfKonSes konses(DM);
        Print::Document shown;
        konses.showPreview = [&shown](const Print::Document &d) { shown = d; };
        QCOMPARE(konses.Tisk(Kind::HpVyrobce), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral(" Není vyplněno datum "));
        konses.eDatOd->setText(QStringLiteral("01.01.2025"));
        konses.eDatDo->setText(QStringLiteral("31.12.2025"));
        konses.ncTechnik->setKey(m_dvorak);
        konses.cbVyrobce->setCurrentIndex(konses.cbVyrobce->findText(QStringLiteral("Hasik")));
        QString heading;
        prompt().onModal<TfObecTiskD>([&heading](TfObecTiskD *d) {
            heading = d->eNadp1->text() + QLatin1Char('|') + d->eNadp2->text();
            return int(QDialog::Accepted);
        });
        QCOMPARE(konses.Tisk(Kind::HpVyrobce), 0);
        QVERIFY2(heading.startsWith(QStringLiteral(" 01.01.2025 - 31.12.2025|")) && heading.endsWith(QStringLiteral(" Hasik")),
                 qPrintable(heading));
        const QString text = pdfText(shown);
        QVERIFY(text.contains(QStringLiteral("01.01.2025 - 31.12.2025")));
        QCOMPARE(linesWith(text, QStringLiteral("Celkem za sestavu")), QStringList{QStringLiteral("Celkem za sestavu 3 1 1 0 0")});

        TfDodSes dodses(DM);
        dodses.showPreview = konses.showPreview;
        QCOMPARE(dodses.Tisk(Layout::PoSekcich), -1);
        QCOMPARE(prompt().lastText(), QStringLiteral(" Není vyplněno datum "));
        dodses.eDatOd->setText(QStringLiteral("01.01.2025"));
        dodses.eDatDo->setText(QStringLiteral("31.12.2025"));
        dodses.cbSekce->setCurrentIndex(dodses.cbSekce->findText(QStringLiteral("Typy hasicích přístrojů")));
        QVERIFY(dodses.cbMaterial->count() >= 2);
        dodses.cbMaterial->setCurrentIndex(dodses.cbMaterial->findData(m_pg6, LookupKeyRole));
        DeliveryStatistics::Filter f;
        QVERIFY(dodses.readFilter(&f));
        QCOMPARE(f.section, 7);
        QCOMPARE(f.item, m_pg6);
        prompt().onModal<TfObecTiskD>([](TfObecTiskD *) { return int(QDialog::Rejected); });
        QCOMPARE(dodses.Tisk(Layout::PoSekcich), 1);

        // the entries of "Sestavy" open both windows
        TDM unused(QStringLiteral("QelMenu"));
        TfLTarko main(&unused);
        main.findChild<QAction *>(QStringLiteral("miStatistika"))->trigger();
        main.findChild<QAction *>(QStringLiteral("miMaterialDL"))->trigger();
        QVERIFY(main.findChild<TfKonSes *>() && main.findChild<TfKonSes *>()->isVisible());
        QVERIFY(main.findChild<TfDodSes *>() && main.findChild<TfDodSes *>()->isVisible());
        QCOMPARE(main.findChild<TfDodSes *>()->windowTitle(), QStringLiteral("Tarko 8: Statistika dodacíh listů"));
    }
};

QTEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
