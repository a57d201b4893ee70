// The inspection plan on real inspections: the period condition with its edge cases
// (one period, two periods meeting the bounds apart, overdue rows, non-regular
// inspections, invalid dates), the complete build with its technicians and counts and
// its all-or-nothing failure, the plan report as printed text and the calendar file.
#include <QtTest>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "support/programdatabasetest.h"
#include "inspections/planprohc.h"
#include "inspections/planprohs.h"
#include "inspections/planprohtisk.h"

class TestPlan : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    int m_key = 1000;

    int customer(const QString &name, int perHp, int perPv = 0, int perPk = 0, int typ = 1)
    {
        const int key = ++m_key;
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, TYP, PERHP, PERPV, PERPK) VALUES (%1, '%2', %3, %4, %5, %6)")
                 .arg(key).arg(name).arg(typ).arg(perHp).arg(perPv).arg(perPk));
        return key;
    }
    int site(int owner, const QString &name, int perHp, int perPv = 0, int perPk = 0)
    {
        const int key = ++m_key;
        exec(QStringLiteral("INSERT INTO STREDISKA (UNCIS, UNCH, STREDISKO, PERHP, PERPV, PERPK) VALUES (%1, %2, '%3', %4, %5, %6)")
                 .arg(key).arg(owner).arg(name).arg(perHp).arg(perPv).arg(perPk));
        return key;
    }
    // table PR_HLAV / VOD_HLAV / PK_HLAV with its count column
    void inspection(const QString &table, int fir, int str, const QString &date, const QString &pravid = QStringLiteral("A"),
                    int tech = 0, int tech2 = 0, int count = 0)
    {
        const QString countColumn = table == QLatin1String("PR_HLAV") ? QStringLiteral("POCHP")
                                    : table == QLatin1String("VOD_HLAV") ? QStringLiteral("POCPV")
                                                                         : QStringLiteral("POCPK");
        exec(QStringLiteral("INSERT INTO %1 (UNCIS, UNCFIR, UNCSTR, DATUM, PRAVID, UNCTECH, UNCTECH2, %2) "
                            "VALUES (%3, %4, %5, '%6', '%7', %8, %9, %10)")
                 .arg(table, countColumn).arg(++m_key).arg(fir).arg(str).arg(date, pravid).arg(tech).arg(tech2).arg(count));
    }
    static QStringList listed(TfPlanProhC &c, const QString &od, const QString &doText)
    {
        PlanPeriod::Bounds b;
        QString error;
        if (!PlanPeriod::fromFields(od, doText, &b, &error))
            return {QStringLiteral("invalid")};
        c.setPeriod(b);
        QVector<PlanRow> rows;
        if (!c.readRows(&rows))
            return {c.lastError()};
        QStringList out;
        for (const PlanRow &r : rows)
            out << r.customer + QLatin1Char(':') + r.typ;
        return out;
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void periodConditionOnRealInspections()
    {
        const int a = customer(QStringLiteral("Alfa"), 12);
        const int sa = site(a, QStringLiteral("Alfa sklad"), 0);
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("15.03.2024"));
        // a later non-regular inspection never moves the plan
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("20.09.2024"), QStringLiteral("N"));
        const int b = customer(QStringLiteral("Beta"), 12);
        const int sb = site(b, QStringLiteral("Beta hala"), 6);
        inspection(QStringLiteral("PR_HLAV"), b, sb, QStringLiteral("10.01.2024"));
        const int c = customer(QStringLiteral("Gama"), 0, 12);
        const int sc = site(c, QStringLiteral("Gama dvůr"), 0);
        inspection(QStringLiteral("VOD_HLAV"), c, sc, QStringLiteral("05.03.2019"));
        // only a non-regular inspection: never in the plan
        const int d = customer(QStringLiteral("Delta"), 12);
        inspection(QStringLiteral("PK_HLAV"), d, site(d, QStringLiteral("Delta"), 0, 0, 12), QStringLiteral("05.03.2024"),
                   QStringLiteral("N"));

        std::unique_ptr<TfPlanProhC> plan(TfClass::create<TfPlanProhC>(DM));
        QVERIFY(plan);
        QCOMPARE(scalar(QStringLiteral("SELECT DATUM FROM PPPOSLPROH WHERE UNCFIR = %1").arg(a)).toDate(), QDate(2024, 3, 15));
        QCOMPARE(listed(*plan, QStringLiteral("01.03.2025"), QStringLiteral("31.03.2025")), QStringList{"Alfa:H"});
        QCOMPARE(listed(*plan, QStringLiteral("01.04.2025"), QStringLiteral("31.12.2025")), QStringList{});
        // the site's period, the customer's period, and each bound through another one
        QCOMPARE(listed(*plan, QStringLiteral("01.07.2024"), QStringLiteral("31.07.2024")), QStringList{"Beta:H"});
        QCOMPARE(listed(*plan, QStringLiteral("01.01.2025"), QStringLiteral("31.01.2025")), QStringList{"Beta:H"});
        QCOMPARE(listed(*plan, QStringLiteral("01.08.2024"), QStringLiteral("31.12.2024")), QStringList{"Beta:H"});
        // only "do": everything due by then, the hydrants overdue since 2020 too
        QCOMPARE(listed(*plan, QStringLiteral("  .  .    "), QStringLiteral("31.12.2025")),
                 (QStringList{"Alfa:H", "Beta:H", "Gama:V"}));
        QCOMPARE(listed(*plan, QStringLiteral("  .  .    "), QStringLiteral("  .  .    ")).size(), 3);

        // half-typed and impossible dates are refused with a message, and no query runs
        for (const char *bad : {"31.02.2025", "12.03.20  ", "1 .  .2025", "ab.cd.efgh"}) {
            PlanPeriod::Bounds bounds;
            QString error;
            QVERIFY2(!PlanPeriod::fromFields(QLatin1String(bad), QString(), &bounds, &error), bad);
            QVERIFY(error.contains(QStringLiteral("Období od")));
        }
        TfPlanProhS *list = VytvorPlan();
        QVERIFY(list);
        QCOMPARE(list->prepareAndOpen(), 0);
        QCOMPARE(list->controller()->rowCount(), 3);
        list->obdobiOd()->setText(QStringLiteral("01.03.2025"));
        list->obdobiDo()->setText(QStringLiteral("31.03.2025"));
        list->PouzijObdobi();
        QCOMPARE(list->controller()->rowCount(), 1);
        list->obdobiDo()->setText(QStringLiteral("31.13.2025"));
        list->PouzijObdobi();
        QVERIFY(prompt().lastText().startsWith(QStringLiteral("Neplatné datum v poli \"do\"")));
        QCOMPARE(list->controller()->rowCount(), 1);
        QCOMPARE(static_cast<TfPlanProhC *>(list->controller())->period().to, 2025 * 12 + 3);
        delete list;
    }

    void completeBuildTakesTheLastRegularInspectionAndFailsWhole()
    {
        const int t1 = customer(QStringLiteral("Novák Jan"), 0, 0, 0, 3);
        const int t2 = customer(QStringLiteral("Dvořák Petr"), 0, 0, 0, 3);
        const int t3 = customer(QStringLiteral("Svoboda Karel"), 0, 0, 0, 3);
        const int a = customer(QStringLiteral("Alfa"), 12, 24, 12);
        const int sa = site(a, QStringLiteral("Alfa sklad"), 6, 0, 0);
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("10.01.2023"), QStringLiteral("A"), t3, 0, 5);
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("10.01.2024"), QStringLiteral("A"), t1, t2, 7);
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("20.02.2024"), QStringLiteral("N"), t3, t3, 99);
        inspection(QStringLiteral("VOD_HLAV"), a, sa, QStringLiteral("03.02.2023"), QStringLiteral("A"), t2, 0, 3);
        inspection(QStringLiteral("PK_HLAV"), a, sa, QStringLiteral("04.04.2024"), QStringLiteral("A"), t3, t1, 11);
        const int b = customer(QStringLiteral("Beta"), 12);
        inspection(QStringLiteral("PR_HLAV"), b, site(b, QStringLiteral("Beta"), 0), QStringLiteral("01.06.2020"),
                   QStringLiteral("A"), t1, 0, 2);

        TfPlanProhKomS *list = VytvorPlanKomplet();
        QVERIFY(list);
        QCOMPARE(list->prepareAndOpen(), 0);
        auto *plan = static_cast<TfPlanProhKomC *>(list->controller());
        list->obdobiOd()->setText(QStringLiteral("01.01.2025"));
        list->obdobiDo()->setText(QStringLiteral("31.12.2025"));
        prompt().answer(PromptYes);
        list->PouzijObdobi();
        QCOMPARE(list->stav(), QStringLiteral("Hotovo"));
        QVERIFY(prompt().saw(QStringLiteral("Sestavení je společné pro všechny uživatele a\nmůže trvat i několik minut.\n"
                                            "Chcete pokračovat?")));
        const auto content = [] {
            QStringList out;
            QSqlQuery q = DM->NewQuery();
            q.exec(QStringLiteral("SELECT UNCFIR, TYP, DATUM, UNCTECH, UNCTECH2, POCET FROM PLANPROH ORDER BY UNCFIR, TYP"));
            while (q.next())
                out << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(q.value(0).toInt()).arg(q.value(1).toString().trimmed(),
                                                                 q.value(2).toDate().toString(Qt::ISODate))
                           .arg(q.value(3).toInt()).arg(q.value(4).toInt()).arg(q.value(5).toInt());
            return out;
        };
        const QStringList built = content();
        // Beta's 2020 inspection was due in 2021: outside 2025; Alfa's hydrants are due in
        // 2025 through the customer's 24 months
        QCOMPARE(built, (QStringList{QStringLiteral("%1 H 2024-01-10 %2 %3 7").arg(a).arg(t1).arg(t2),
                                     QStringLiteral("%1 K 2024-04-04 %2 %3 11").arg(a).arg(t3).arg(t1),
                                     QStringLiteral("%1 V 2023-02-03 %2 0 3").arg(a).arg(t2)}));
        QCOMPARE(plan->rowCount(), 3);

        // a failure after the insert undoes everything: the previous plan stays whole
        plan->setPeriod({0, 0});
        QCOMPARE(plan->BuildPlan([](QString *error) {
            *error = QStringLiteral("injected");
            return false;
        }),
                 -1);
        QCOMPARE(plan->lastError(), QStringLiteral("injected"));
        QCOMPARE(content(), built);
        std::unique_ptr<TDMPro> other = secondWorkstation();
        QCOMPARE(TestEnvironment::scalar(*other, QStringLiteral("SELECT COUNT(*) FROM PLANPROH")).toInt(), 3);
        QCOMPARE(plan->BuildPlan(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PLANPROH")), 4);

        // the report: one line for Alfa's site with all three kinds, one for Beta
        plan->setPeriod({2025 * 12 + 1, 2025 * 12 + 12});
        QCOMPARE(plan->BuildPlan(), 0);
        Print::Document document;
        QString error;
        QCOMPARE(PlanReport::render(*plan, &document, &error), 0);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("plan.pdf"));
        QVERIFY(Print::writePdf(document, pdf));
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        for (const QString &expected : {QStringLiteral("Strana: 1"), QStringLiteral("Období: 01/2025 - 12/2025"),
                                        QStringLiteral("Alfa sklad"), QStringLiteral("Novák Jan"),
                                        QStringLiteral("Dvořák Petr"), QStringLiteral("Svoboda Karel"),
                                        QStringLiteral("12/6"), QStringLiteral("24/0"), QStringLiteral("10.01.2024"),
                                        QStringLiteral("03.02.2023"), QStringLiteral("04.04.2024")})
            QVERIFY2(printed.contains(expected), qPrintable(expected + QStringLiteral(" in\n") + printed));
        QCOMPARE(printed.count(QStringLiteral("Alfa sklad")), 1);
        QVERIFY(!printed.contains(QStringLiteral("Beta")));
        delete list;
    }

    void calendarFileOfASmallPlan()
    {
        const int a = customer(QStringLiteral("Alfa, s.r.o."), 12, 12);
        const int sa = site(a, QStringLiteral("Sklad; Brno"), 6);
        inspection(QStringLiteral("PR_HLAV"), a, sa, QStringLiteral("10.01.2024"));
        inspection(QStringLiteral("VOD_HLAV"), a, sa, QStringLiteral("15.05.2024"));
        const int b = customer(QStringLiteral("Žlutý kůň Přeštice a synové, výrobní družstvo s dlouhým názvem"), 24);
        inspection(QStringLiteral("PR_HLAV"), b, site(b, QStringLiteral("Sídlo"), 0), QStringLiteral("28.02.2023"));

        std::unique_ptr<TfPlanProhC> plan(TfClass::create<TfPlanProhC>(DM));
        plan->setPeriod({2024 * 12 + 8, 2025 * 12 + 6});
        QVector<PlanRow> rows;
        QVERIFY(plan->readRows(&rows));
        QCOMPARE(rows.size(), 3);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("plan.ics"));
        QString error;
        QVERIFY(PlanCalendar::write(file, rows, plan->period(), &error));

        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.startsWith(QStringLiteral("BEGIN:VCALENDAR\r\n")));
        QVERIFY(text.endsWith(QStringLiteral("END:VCALENDAR\r\n")));
        for (const QString &line : text.split(QStringLiteral("\r\n")))
            QVERIFY(line.toUtf8().size() <= 75);
        text.replace(QStringLiteral("\r\n "), QString());   // unfolded
        QStringList events;
        for (const QString &e : text.split(QStringLiteral("BEGIN:VEVENT\r\n")).mid(1)) {
            const QRegularExpression start(QStringLiteral("DTSTART;VALUE=DATE:(\\d{8})"));
            const QRegularExpression summary(QStringLiteral("SUMMARY:([^\r]*)"));
            events << start.match(e).captured(1) + QLatin1Char(' ') + summary.match(e).captured(1);
        }
        events.sort();
        // Alfa's extinguishers: the site's six months fall before August, the customer's
        // twelve in January; hydrants by the customer's twelve months
        QCOMPARE(events, (QStringList{
                             QStringLiteral("20250101 Alfa\\, s.r.o. - Sklad\\; Brno - Hasící přístroje"),
                             QStringLiteral("20250201 Žlutý kůň Přeštice a synové\\, výrobní družstvo s dlouhým názvem "
                                            "- Sídlo - Hasící přístroje"),
                             QStringLiteral("20250501 Alfa\\, s.r.o. - Sklad\\; Brno - Požární vodovody")}));
    }
};

QTEST_MAIN(TestPlan)
#include "tst_plan.moc"
