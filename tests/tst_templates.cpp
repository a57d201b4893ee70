// The designs of the list windows on real database files: reports, grid layouts and
// filters stored whole or not at all, listed per window and variant; the data
// dictionary as the designers are offered it; and the SQL made from the designs,
// run against real rows.
#include <QtTest>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "core/firebird.h"
#include "support/programdatabasetest.h"
#include "templates/templatesql.h"
#include "templates/templatestore.h"

using namespace Templates;

namespace {

// How a list window's schema script seeds its dictionary and its default grid
// layout (the pattern templates.sql documents).
const char *const seedScript = R"(
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 1, 'TST', 'NAZEV', 'Název', 'A', 'TST.NAZEV', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 1, 'TST', 'DATUM', 'Datum kontroly', 'D', 'TST.DATUM', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 1, 'TST', 'CISLO', 'Číslo', 'I', 'TST.CISLO', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 0, 'TST', 'POZN', 'Poznámka', 'A', 'TST.POZN', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 2, 'TST', 'TAJNE', 'Jen pro hydranty', 'A', 'TST.TAJNE', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 1, 'TST', 'BARVA', 'Barva řádku', 'I', 'TST.BARVA', 0, 1, 0);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 1, 'ADR', 'PRIJMENI', 'Příjmení technika 1', 'A', 'TE1.PRIJMENI', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 2, 'ADR', 'PRIJMENI', 'Příjmení technika 2', 'A', 'TE2.PRIJMENI', 1, 1, 1);
INSERT INTO STRUK (UNCIS, OKNO, TYPOKNA, TAB, POLOZKA, POPIS, TYP, ORD, GS, GG, GP)
  VALUES (NEXT VALUE FOR STRUK * 100, 'TfTstS', 0, 'ADR', 'TELEFON', 'Telefon', 'A', 'ADR.TELEFON', 1, 1, 1);

INSERT INTO GGHLAV (UNCIS, NAZEV, OKNO, TYPOKNA, ULOZENO)
  VALUES (NEXT VALUE FOR GGHLAV * 100, 'Základní', 'TfTstS', 1, CURRENT_TIMESTAMP);
INSERT INTO GGTAB (UNCIS, UNCH, NAZEV, NAPIS, SIRKA, ZAROV, ORD, UNCSTR, PORADI)
  SELECT NEXT VALUE FOR GGTAB * 100, G.UNCIS, 'TSTDATUM', ' Datum kontroly ', 90, 1, S.ORD, S.UNCIS, 120
  FROM GGHLAV G, STRUK S
  WHERE G.OKNO = 'TfTstS' AND G.TYPOKNA = 1 AND G.NAZEV = 'Základní'
    AND S.TAB = 'TST' AND S.POLOZKA = 'DATUM' AND S.TYPOKNA = 1;
INSERT INTO GGTAB (UNCIS, UNCH, NAZEV, NAPIS, SIRKA, ZAROV, ORD, UNCSTR, PORADI)
  SELECT NEXT VALUE FOR GGTAB * 100, G.UNCIS, 'TSTNAZEV', ' Název ', 120, 0, S.ORD, S.UNCIS, 0
  FROM GGHLAV G, STRUK S
  WHERE G.OKNO = 'TfTstS' AND G.TYPOKNA = 1 AND G.NAZEV = 'Základní'
    AND S.TAB = 'TST' AND S.POLOZKA = 'NAZEV' AND S.TYPOKNA = 1;
)";

// Keys the seed gives, in its order (database number 0).
enum SeedKey { kNazev = 100, kDatum = 200, kCislo = 300, kPozn = 400, kTajne = 500, kBarva = 600,
               kPrijmeni1 = 700, kPrijmeni2 = 800, kTelefon = 900 };

const QString aliasText = QStringLiteral(
    "TST;TST;Zkušební seznam;(1);ADR;TE1;Technik 1;(1);ADR;TE2;Technik 2;(2)");

FilterCondition cond(const QString &item, const QString &op, const QString &value,
                     const QString &connective = QString(), const QString &type = QStringLiteral("A"))
{
    FilterCondition c;
    c.item = item;
    c.caption = item;
    c.op = op;
    c.value = value;
    c.connective = connective;
    c.type = type;
    return c;
}

ReportColumn column(const QString &name, const QString &caption, int left, int itemKey, int width = 120)
{
    ReportColumn c;
    c.name = name;
    c.caption = caption;
    c.left = left;
    c.itemKey = itemKey;
    c.width = width;
    return c;
}

} // namespace

class TestTemplates : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    bool runScript(const QString &script)
    {
        for (const QString &statement : Firebird::splitScript(script)) {
            QSqlQuery q = DM->NewQuery();
            if (!q.exec(statement)) {
                qWarning("%s\n%s", qPrintable(q.lastError().text()), qPrintable(statement));
                return false;
            }
        }
        return true;
    }

    // Keys of the test rows the condition selects, ascending.
    QList<int> rowsOf(const QString &condition)
    {
        QList<int> keys;
        QSqlQuery q = DM->NewQuery();
        if (!q.exec(QStringLiteral("SELECT UNCIS FROM TST_DATA TST WHERE ") + condition
                    + QStringLiteral(" ORDER BY UNCIS"))) {
            qWarning("%s\n%s", qPrintable(q.lastError().text()), qPrintable(condition));
            return {-1};
        }
        while (q.next())
            keys << q.value(0).toInt();
        return keys;
    }

    ReportDesign sampleReport()
    {
        ReportDesign d;
        d.name = QStringLiteral("  Kontroly podle data  ");
        d.title1 = QStringLiteral(" Přehled kontrol ");
        d.title2 = QStringLiteral("za rok 2024");
        d.window = QStringLiteral("TfTstS");
        d.variant = 1;
        d.orientation = Landscape;
        d.setGroupItem(QStringLiteral("TSTDATUM"));
        ReportColumn a = column(QStringLiteral("TSTCISLO"), QStringLiteral(" Číslo "), 250, kCislo, 80);
        a.valueAlignment = AlignRight;
        a.captionAlignment = AlignCenter;
        a.sum = true;
        a.valueFont.name = QStringLiteral("Times New Roman");
        a.valueFont.size = 10;
        a.valueFont.rgb = 0x808080;
        a.valueFont.bold = true;
        a.valueFont.strikeOut = true;
        a.captionFont.italic = true;
        a.captionFont.underline = true;
        a.captionFont.rgb = 0xFF0000;
        ReportColumn b = column(QStringLiteral("TSTNAZEV"), QStringLiteral(" Název "), 0, kNazev);
        ReportColumn c = column(QStringLiteral("Free_130"), QStringLiteral("  ...  "), 130, 0);
        d.columns = {a, b, c};
        return d;
    }

private slots:
    void init()
    {
        startFresh();
        // The subsystems' schema scripts seed their own lists' dictionaries, layouts and
        // report designs;
        // these tests count on the keys of their own seed alone.
        QVERIFY(runScript(QStringLiteral("DELETE FROM GGTAB; DELETE FROM GGHLAV; DELETE FROM STRUK; "
                                         "DELETE FROM GSTAB; DELETE FROM GSHLAV WHERE UNCIS > 0;")));
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral("ALTER SEQUENCE STRUK RESTART WITH 0"),
                                           QStringLiteral("ALTER SEQUENCE GGHLAV RESTART WITH 0"),
                                           QStringLiteral("ALTER SEQUENCE GGTAB RESTART WITH 0"),
                                           QStringLiteral("ALTER SEQUENCE GSHLAV RESTART WITH 0"),
                                           QStringLiteral("ALTER SEQUENCE GSTAB RESTART WITH 0")}));
        QVERIFY(runScript(QString::fromUtf8(seedScript)));
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral(
            "CREATE TABLE TST_DATA (UNCIS INTEGER, NAZEV VARCHAR(40), DATUM DATE, CISLO INTEGER, POZN VARCHAR(40))")}));
        QVERIFY(runScript(QStringLiteral(
            "INSERT INTO TST_DATA VALUES (1, 'O''Neil', '10.01.2024', 5, NULL);"
            "INSERT INTO TST_DATA VALUES (2, 'Novák', '01.02.2024', 10, 'x');"
            "INSERT INTO TST_DATA VALUES (3, 'Žluťoučký kůň', '15.03.2024', 15, NULL);"
            "INSERT INTO TST_DATA VALUES (4, 'novotný', '31.12.2023', 20, 'y');")));
    }
    void cleanup()
    {
        QVERIFY2(prompt().shown.isEmpty(), qPrintable(prompt().texts().join(QStringLiteral("; "))));
        finish();
    }

    // --- schema and seeding ------------------------------------------------------

    void seededDictionaryAndGridLayoutFollowTheKeyConvention()
    {
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE UNCIS = 900 AND POLOZKA = 'TELEFON'")), 1);
        QList<DesignEntry> layouts;
        TemplateStore store;
        QCOMPARE(store.listGridLayouts(QStringLiteral("TfTstS"), 1, layouts), 1);
        QCOMPARE(layouts.first().key, 100);
        GridLayout g;
        QCOMPARE(store.loadGridLayout(100, g), 100);
        QCOMPARE(g.columns.size(), 2);
        QCOMPARE(g.columns.at(0).name, QStringLiteral("TSTNAZEV"));
        QCOMPARE(g.columns.at(0).itemKey, int(kNazev));
        // read as every dataset reads texts: without trailing blanks
        QCOMPARE(g.columns.at(1).caption, QStringLiteral(" Datum kontroly"));
        QCOMPARE(g.columns.at(1).alignment, AlignCenter);
        QCOMPARE(g.columns.at(1).order, QStringLiteral("TST.DATUM"));
        QVERIFY(g.changed.isValid());
        // the program's own keys continue after the seeded ones
        QCOMPARE(DM->NextKey(QStringLiteral("STRUK")), qint64(1000));
        QCOMPARE(DM->NextKey(QStringLiteral("GGTAB")), qint64(300));
    }

    void defaultDocumentTextsLiveInRowZero()
    {
        TemplateStore store;
        QString header, footer, legend;
        QCOMPARE(store.loadDefaultDocumentTexts(header, footer, legend), 0);
        QVERIFY(header.isEmpty() && footer.isEmpty() && legend.isEmpty());
        const QString rtf = QStringLiteral("{\\rtf1\\ansi Žluťoučký kůň}");
        QCOMPARE(store.saveDefaultDocumentTexts(rtf, QStringLiteral("Zápatí"), QString()), 0);
        QCOMPARE(store.loadDefaultDocumentTexts(header, footer, legend), 0);
        QCOMPARE(header, rtf);
        QCOMPARE(footer, QStringLiteral("Zápatí"));
        QVERIFY(legend.isEmpty());
        // stored in the database's single-byte character set
        QCOMPARE(scalar(QStringLiteral("SELECT OCTET_LENGTH(ZAHLAVI) FROM GSHLAV WHERE UNCIS = 0")).toInt(),
                 int(rtf.size()));
        // the row is nobody's design, and the first design key does not meet it
        QList<DesignEntry> list;
        QCOMPARE(store.listReports(QString(), 0, list), 0);
        ReportDesign d = sampleReport();
        QCOMPARE(store.saveReport(d), 100);
    }

    // --- reports -----------------------------------------------------------------

    void reportRoundTrip()
    {
        TemplateStore store;
        ReportDesign d = sampleReport();
        const int key = store.saveReport(d);
        QCOMPARE(key, 100);
        QCOMPARE(d.key, 100);
        QCOMPARE(d.name, QStringLiteral("Kontroly podle data"));
        QVERIFY(d.created.isValid());
        QVERIFY(d.changed.isValid());

        ReportDesign r;
        QCOMPARE(store.loadReport(key, r), key);
        QCOMPARE(r.name, QStringLiteral("Kontroly podle data"));
        QCOMPARE(r.title1, QStringLiteral("Přehled kontrol"));
        QCOMPARE(r.title2, QStringLiteral("za rok 2024"));
        QCOMPARE(r.window, QStringLiteral("TfTstS"));
        QCOMPARE(r.variant, 1);
        QCOMPARE(r.orientation, Landscape);
        QCOMPARE(r.groupItem(), QStringLiteral("TSTDATUM"));
        QCOMPARE(scalar(QStringLiteral("SELECT OSTNAS FROM GSHLAV WHERE UNCIS = 100")).toString(),
                 QStringLiteral("G:TSTDATUM;"));
        // columns come back in print order, whatever order they were given in
        QCOMPARE(r.columns.size(), 3);
        QCOMPARE(r.columns.at(0).name, QStringLiteral("TSTNAZEV"));
        QCOMPARE(r.columns.at(1).name, QStringLiteral("Free_130"));
        QCOMPARE(r.columns.at(1).itemKey, 0);
        const ReportColumn &c = r.columns.at(2);
        QCOMPARE(c.caption, QStringLiteral(" Číslo"));
        QCOMPARE(c.width, 80);
        QCOMPARE(c.left, 250);
        QCOMPARE(c.valueAlignment, AlignRight);
        QCOMPARE(c.captionAlignment, AlignCenter);
        QVERIFY(c.sum);
        QCOMPARE(c.itemKey, int(kCislo));
        QVERIFY(c.valueFont == sampleReport().columns.at(0).valueFont);
        QVERIFY(c.captionFont == sampleReport().columns.at(0).captionFont);
        QCOMPARE(scalar(QStringLiteral("SELECT FSTYLEH || '/' || FCOLORH || '/' || FSTYLEN || '/' || FCOLORN "
                                       "FROM GSTAB WHERE NAZEV = 'TSTCISLO'")).toString(),
                 QStringLiteral("1001/8421504/0110/255"));

        // saving again updates in place and rewrites the columns
        const QDateTime created = scalar(QStringLiteral("SELECT ULOZENO FROM GSHLAV WHERE UNCIS = 100")).toDateTime();
        r.name = QStringLiteral("Přejmenovaná");
        r.orientation = Portrait;
        r.columns.removeAt(1);
        QCOMPARE(store.saveReport(r), 100);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE UNCIS > 0")), 1);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSTAB")), 2);
        QCOMPARE(scalar(QStringLiteral("SELECT ULOZENO FROM GSHLAV WHERE UNCIS = 100")).toDateTime(), created);
        ReportDesign again;
        QCOMPARE(store.loadReport(100, again), 100);
        QCOMPARE(again.name, QStringLiteral("Přejmenovaná"));
        QCOMPARE(again.orientation, Portrait);
        QCOMPARE(again.columns.size(), 2);

        QCOMPARE(store.deleteReport(100), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE UNCIS > 0")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSTAB")), 0);
        // a key that is not stored is an empty new design
        QCOMPARE(store.loadReport(100, again), 0);
        QCOMPARE(again.key, 0);
        QVERIFY(again.columns.isEmpty());
    }

    void documentReportKeepsItsRichTexts()
    {
        TemplateStore store;
        ReportDesign d = sampleReport();
        d.documentTexts = true;
        d.header = QStringLiteral("{\\rtf1 Záhlaví}");
        d.legend = QStringLiteral("{\\rtf1 Legenda: V vyhovuje}");
        QVERIFY(store.saveReport(d) > 0);
        d.footer = QStringLiteral("{\\rtf1 Zápatí}");
        QVERIFY(store.saveReport(d) > 0);
        ReportDesign r;
        QVERIFY(store.loadReport(d.key, r) > 0);
        QCOMPARE(r.header, d.header);
        QCOMPARE(r.footer, d.footer);
        QCOMPARE(r.legend, d.legend);
        QVERIFY(r.documentTexts);
        // a list report never touches them
        ReportDesign plain = sampleReport();
        QVERIFY(store.saveReport(plain) > 0);
        QVERIFY(scalar(QStringLiteral("SELECT ZAHLAVI FROM GSHLAV WHERE UNCIS = %1").arg(plain.key)).isNull());
    }

    void captionIsStoredCutToThirtyCharacters()
    {
        TemplateStore store;
        ReportDesign d = sampleReport();
        const QString caption31 = QStringLiteral("Datum příští pravidelné kontrol");
        QCOMPARE(caption31.size(), 31);
        d.columns[1].caption = caption31;
        QVERIFY(store.saveReport(d) > 0);
        QCOMPARE(scalar(QStringLiteral("SELECT NAPIS FROM GSTAB WHERE NAZEV = 'TSTNAZEV'")).toString(),
                 caption31.left(30));
        QCOMPARE(d.columns.at(1).caption, caption31.left(30));

        GridLayout g;
        g.name = QStringLiteral("Dlouhé popisy");
        g.window = QStringLiteral("TfTstS");
        g.variant = 1;
        GridColumn gc;
        gc.name = QStringLiteral("TSTNAZEV");
        gc.caption = caption31 + QStringLiteral("u a ještě delší");
        g.columns << gc;
        QVERIFY(store.saveGridLayout(g) > 0);
        GridLayout back;
        QVERIFY(store.loadGridLayout(g.key, back) > 0);
        QCOMPARE(back.columns.first().caption, caption31.left(30));
    }

    void failingColumnLeavesNothingHalfSaved()
    {
        TemplateStore store;
        // a character the database's code page cannot hold fails the third column
        const QString bad = QStringLiteral("Sloupec \U0001F600");

        ReportDesign fresh = sampleReport();
        fresh.columns[2].name = bad;
        QCOMPARE(store.saveReport(fresh), int(TemplateStore::ResSaveFailed));
        QCOMPARE(fresh.key, 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE UNCIS > 0")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSTAB")), 0);
        QCOMPARE(prompt().shown.size(), 1);
        QCOMPARE(prompt().shown.first().caption, QStringLiteral("Uložení návrhu sestavy"));
        QVERIFY(!store.lastError().isEmpty());
        prompt().clear();

        ReportDesign stored = sampleReport();
        QCOMPARE(store.saveReport(stored), 200);
        ReportDesign changed = stored;
        changed.name = QStringLiteral("Nový název");
        changed.columns.removeAt(0);
        changed.columns << column(bad, QStringLiteral("x"), 400, kDatum);
        QCOMPARE(store.saveReport(changed), int(TemplateStore::ResSaveFailed));
        prompt().clear();
        ReportDesign r;
        QCOMPARE(store.loadReport(200, r), 200);
        QCOMPARE(r.name, QStringLiteral("Kontroly podle data"));
        QCOMPARE(r.columns.size(), 3);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSTAB")), 3);

        // the same for a filter and its conditions
        FilterDesign f;
        f.name = QStringLiteral("Vadný");
        f.window = QStringLiteral("TfTstS");
        f.variant = 1;
        f.conditions = {cond(QStringLiteral("TST.NAZEV"), QStringLiteral("="), QStringLiteral("a"), QStringLiteral("AND")),
                        cond(QStringLiteral("TST.NAZEV"), QStringLiteral("="), bad)};
        QCOMPARE(store.saveFilter(f), int(TemplateStore::ResSaveFailed));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPHLAV")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPTAB")), 0);
        // and the connection is left usable
        QCOMPARE(DM->transactionDepth(), 0);
        f.conditions.removeLast();
        QVERIFY(store.saveFilter(f) > 0);
    }

    void emptyNameIsRefused()
    {
        TemplateStore store;
        ReportDesign d = sampleReport();
        d.name = QStringLiteral("   ");
        QCOMPARE(store.saveReport(d), int(TemplateStore::ResNoName));
        QCOMPARE(prompt().lastText(), QStringLiteral("Zadejte prosím název seznamu"));
        QCOMPARE(prompt().shown.last().caption, QStringLiteral("Uložení"));
        FilterDesign f;
        QCOMPARE(store.saveFilter(f), int(TemplateStore::ResNoName));
        QCOMPARE(prompt().lastText(), QStringLiteral("Zadejte prosím název filtru "));
        prompt().clear();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GSHLAV WHERE UNCIS > 0")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPHLAV")), 0);
    }

    void gridLayoutAndFilterRoundTrip()
    {
        TemplateStore store;
        GridLayout g;
        g.name = QStringLiteral("Můj pohled");
        g.window = QStringLiteral("TfTstS");
        g.variant = 1;
        GridColumn a;
        a.name = QStringLiteral("TSTCISLO");
        a.caption = QStringLiteral(" Číslo ");
        a.width = 60;
        a.alignment = AlignRight;
        a.order = QStringLiteral("TST.CISLO");
        a.itemKey = kCislo;
        a.position = 200;
        GridColumn b = a;
        b.name = QStringLiteral("TSTNAZEV");
        b.caption = QStringLiteral(" Název ");
        b.alignment = AlignLeft;
        b.order = QStringLiteral("TST.NAZEV");
        b.itemKey = kNazev;
        b.position = 10;
        g.columns = {a, b};
        const int key = store.saveGridLayout(g);
        QCOMPARE(key, 200);   // the seeded layout has 100
        GridLayout r;
        QCOMPARE(store.loadGridLayout(key, r), key);
        QCOMPARE(r.name, QStringLiteral("Můj pohled"));
        QCOMPARE(r.columns.size(), 2);
        QCOMPARE(r.columns.at(0).name, QStringLiteral("TSTNAZEV"));
        QCOMPARE(r.columns.at(1).alignment, AlignRight);
        QCOMPARE(r.columns.at(1).width, 60);
        QCOMPARE(r.columns.at(1).order, QStringLiteral("TST.CISLO"));
        QCOMPARE(r.columns.at(1).itemKey, int(kCislo));
        r.columns.removeFirst();
        QCOMPARE(store.saveGridLayout(r), key);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB WHERE UNCH = 200")), 1);
        QCOMPARE(store.deleteGridLayout(key), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGTAB WHERE UNCH = 200")), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GGHLAV")), 1);

        FilterDesign f;
        f.name = QStringLiteral("Noví zákazníci");
        f.window = QStringLiteral("TfTstS");
        f.variant = 1;
        f.selectionKind = QStringLiteral("S");
        f.ownCondition = QStringLiteral("TST.CISLO > 0\nOR TST.POZN = 'ř'");
        f.conditions = {cond(QStringLiteral("TST.NAZEV"), QStringLiteral(".="), QStringLiteral("Nov"), QStringLiteral("OR")),
                        cond(QStringLiteral("TST.DATUM"), QStringLiteral(">="), QStringLiteral("01.01.2024"),
                             QStringLiteral("AND"), QStringLiteral("D")),
                        cond(QStringLiteral("TST.CISLO"), QStringLiteral("IN"), QStringLiteral("5, 20"),
                             QString(), QStringLiteral("I"))};
        const int fkey = store.saveFilter(f);
        QCOMPARE(fkey, 100);
        FilterDesign fr;
        QCOMPARE(store.loadFilter(fkey, fr), fkey);
        QCOMPARE(fr.name, f.name);
        QCOMPARE(fr.selectionKind, QStringLiteral("S"));
        QCOMPARE(fr.ownCondition, f.ownCondition);
        QCOMPARE(fr.conditions.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(fr.conditions.at(i).item, f.conditions.at(i).item);
            QCOMPARE(fr.conditions.at(i).op, f.conditions.at(i).op);
            QCOMPARE(fr.conditions.at(i).value, f.conditions.at(i).value);
            QCOMPARE(fr.conditions.at(i).connective, f.conditions.at(i).connective);
            QCOMPARE(fr.conditions.at(i).type, f.conditions.at(i).type);
        }
        QCOMPARE(filterCondition(fr), filterCondition(f));
        // conditions keep their order when rewritten
        fr.conditions.move(2, 0);
        QCOMPARE(store.saveFilter(fr), fkey);
        FilterDesign moved;
        QCOMPARE(store.loadFilter(fkey, moved), fkey);
        QCOMPARE(moved.conditions.first().item, QStringLiteral("TST.CISLO"));
        QCOMPARE(store.deleteFilter(fkey), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM GPTAB")), 0);
    }

    void designsAreListedForTheExactWindowAndVariant()
    {
        TemplateStore store;
        auto report = [&](const QString &name, const QString &window, int variant) {
            ReportDesign d;
            d.name = name;
            d.window = window;
            d.variant = variant;
            return store.saveReport(d);
        };
        QVERIFY(report(QStringLiteral("Beta"), QStringLiteral("TfTstS"), 1) > 0);
        QVERIFY(report(QStringLiteral("Alfa"), QStringLiteral("TfTstS"), 1) > 0);
        QVERIFY(report(QStringLiteral("Hydranty"), QStringLiteral("TfTstS"), 2) > 0);
        QVERIFY(report(QStringLiteral("Jiné okno"), QStringLiteral("TfJinyS"), 1) > 0);
        QVERIFY(report(QStringLiteral("Bez varianty"), QStringLiteral("TfTstS"), 0) > 0);
        QList<DesignEntry> list;
        QCOMPARE(store.listReports(QStringLiteral("TfTstS"), 1, list), 2);
        QCOMPARE(list.at(0).name, QStringLiteral("Alfa"));
        QCOMPARE(list.at(1).name, QStringLiteral("Beta"));
        QVERIFY(list.at(0).created.isValid());
        QVERIFY(list.at(0).changed.isValid());
        QCOMPARE(store.listReports(QStringLiteral("TfTstS"), 2, list), 1);
        QCOMPARE(list.first().name, QStringLiteral("Hydranty"));
        QCOMPARE(store.listReports(QStringLiteral("TfTsts"), 1, list), 0);

        QCOMPARE(store.listGridLayouts(QStringLiteral("TfTstS"), 2, list), 0);

        auto filter = [&](const QString &name, const QString &kind, int variant) {
            FilterDesign f;
            f.name = name;
            f.window = QStringLiteral("TfTstS");
            f.variant = variant;
            f.selectionKind = kind;
            return store.saveFilter(f);
        };
        QVERIFY(filter(QStringLiteral("Vlastní"), QStringLiteral("V"), 1) > 0);
        QVERIFY(filter(QStringLiteral("Označené"), QStringLiteral("S"), 1) > 0);
        QVERIFY(filter(QStringLiteral("Jiná varianta"), QStringLiteral("V"), 2) > 0);
        QCOMPARE(store.listFilters(QStringLiteral("TfTstS"), 1, list), 2);
        QCOMPARE(store.listFilters(QStringLiteral("TfTstS"), 1, list, QStringLiteral("S")), 1);
        QCOMPARE(list.first().name, QStringLiteral("Označené"));
        QCOMPARE(list.first().selectionKind, QStringLiteral("S"));
        QCOMPARE(store.listFilters(QStringLiteral("TfTstS"), 1, list, QStringLiteral("V")), 1);
        QCOMPARE(list.first().name, QStringLiteral("Vlastní"));
    }

    // --- data dictionary ---------------------------------------------------------

    void itemsAreOfferedPerAliasAndVariant()
    {
        TemplateStore store;
        QList<DictionaryItem> items;
        QCOMPARE(store.offeredItems(aliasText, DesignKind::Report, items), 8);
        QStringList seen;
        for (const DictionaryItem &i : items)
            seen << i.alias + QLatin1Char('.') + i.column;
        // ordered by caption in Czech order; variant 0 items under every alias of
        // their table group, the others under the aliases of their variant
        QCOMPARE(seen.mid(0, 6), QStringList({"TST.CISLO", "TST.DATUM", "TST.NAZEV", "TST.POZN",
                                              "TE1.PRIJMENI", "TE2.PRIJMENI"}));
        QCOMPARE(QSet<QString>(seen.cbegin() + 6, seen.cend()), QSet<QString>({"TE1.TELEFON", "TE2.TELEFON"}));
        QCOMPARE(items.at(6).key, int(kTelefon));
        const DictionaryItem &cislo = items.first();
        QCOMPARE(cislo.key, int(kCislo));
        QCOMPARE(cislo.caption, QStringLiteral("Číslo"));
        QCOMPARE(cislo.fieldName(), QStringLiteral("TSTCISLO"));
        QCOMPARE(cislo.typeCaption(), QStringLiteral("číslo"));
        QCOMPARE(items.at(2).typeCaption(), QStringLiteral("text"));
        QCOMPARE(cislo.table, QStringLiteral("TST"));
        QCOMPARE(cislo.order, QStringLiteral("TST.CISLO"));

        // the grid-layout designer also gets the items meant only for it
        QCOMPARE(store.offeredItems(aliasText, DesignKind::GridLayout, items), 9);
        QCOMPARE(store.offeredItems(aliasText, DesignKind::Filter, items), 8);
        // another variant of the window
        QCOMPARE(store.offeredItems(QStringLiteral("TST;TST;Hydranty;(2)"), DesignKind::Report, items), 2);
        QCOMPARE(items.at(0).column, QStringLiteral("TAJNE"));
        QCOMPARE(items.at(1).column, QStringLiteral("POZN"));
        // the table group is compared upper-cased
        QCOMPARE(store.offeredItems(QStringLiteral("tst;TST;x;(1)"), DesignKind::Report, items), 4);
    }

    void renamedItemIsOfferedUnderItsNewCaption()
    {
        TemplateStore store;
        QCOMPARE(store.renameItem(kPozn, QStringLiteral("Poznámka k O'Neilovi")), 0);
        QList<DictionaryItem> items;
        store.offeredItems(QStringLiteral("TST;TST;x;(1)"), DesignKind::GridLayout, items);
        auto it = std::find_if(items.cbegin(), items.cend(), [](const DictionaryItem &i) { return i.key == kPozn; });
        QVERIFY(it != items.cend());
        QCOMPARE(it->caption, QStringLiteral("Poznámka k O'Neilovi"));
    }

    void withdrawnItemLeavesGridsButStillPrintsAnEmptyColumn()
    {
        TemplateStore store;
        ReportDesign d = sampleReport();
        d.columns << column(QStringLiteral("TSTDATUM"), QStringLiteral(" Datum kontroly "), 350, kDatum);
        QVERIFY(store.saveReport(d) > 0);

        QCOMPARE(store.withdrawItem(kDatum), 0);
        QList<DictionaryItem> items;
        for (DesignKind kind : {DesignKind::Report, DesignKind::GridLayout, DesignKind::Filter}) {
            store.offeredItems(aliasText, kind, items);
            for (const DictionaryItem &i : items)
                QVERIFY(i.key != kDatum);
        }
        // gone from the seeded grid layout, the other column stays
        GridLayout g;
        QCOMPARE(store.loadGridLayout(100, g), 100);
        QCOMPARE(g.columns.size(), 1);
        QCOMPARE(g.columns.first().name, QStringLiteral("TSTNAZEV"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STRUK WHERE UNCIS = 200")), 1);

        // the report still has the column; it prints with its caption and no value
        ReportDesign r;
        QVERIFY(store.loadReport(d.key, r) > 0);
        QCOMPARE(r.columns.size(), 4);
        store.offeredItems(aliasText, DesignKind::Report, items);
        const ReportSelect sel = reportSelect(r, items);
        QCOMPARE(sel.columns.size(), 4);
        QCOMPARE(sel.columns.at(3).caption, QStringLiteral("Datum kontroly"));
        QVERIFY(sel.columns.at(3).fieldName.isEmpty());
        QCOMPARE(sel.selectList, QStringLiteral("TST.NAZEV as TSTNAZEV, TST.CISLO as TSTCISLO"));
        QSqlQuery q = DM->NewQuery();
        QVERIFY2(q.exec(QStringLiteral("SELECT ") + sel.selectList + QStringLiteral(" FROM TST_DATA TST")),
                 qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QVERIFY(q.record().indexOf(sel.columns.at(0).fieldName) >= 0);
    }

    // --- SQL from designs --------------------------------------------------------

    void reportSelectListFollowsLeftPositions()
    {
        ReportDesign d = sampleReport();
        DictionaryItem nazev;
        nazev.key = kNazev;
        nazev.alias = QStringLiteral("TST");
        nazev.column = QStringLiteral("NAZEV");
        DictionaryItem cislo = nazev;
        cislo.key = kCislo;
        cislo.column = QStringLiteral("CISLO");
        const ReportSelect sel = reportSelect(d, {cislo, nazev});
        // the report's query reads the values in the order of the columns on paper
        QSqlQuery q = DM->NewQuery();
        QVERIFY2(q.exec(QStringLiteral("SELECT ") + sel.selectList + QStringLiteral(" FROM TST_DATA TST ORDER BY UNCIS")),
                 qPrintable(q.lastError().text() + QLatin1Char('\n') + sel.selectList));
        QVERIFY(q.next());
        QCOMPARE(q.record().count(), 2);
        QCOMPARE(q.record().fieldName(0), QStringLiteral("TSTNAZEV"));
        QCOMPARE(q.value(0).toString(), QStringLiteral("O'Neil"));
        QCOMPARE(q.record().fieldName(1), QStringLiteral("TSTCISLO"));
        QCOMPARE(q.value(1).toInt(), 5);
        QCOMPARE(sel.columns.size(), 3);
        const PrintColumn &first = sel.columns.at(0);
        QCOMPARE(first.number, 1);
        QCOMPARE(first.left, 2);
        QCOMPARE(first.width, 117);
        QCOMPARE(first.caption, QStringLiteral("Název"));
        QCOMPARE(first.fieldName, QStringLiteral("TSTNAZEV"));
        // the empty column prints its caption only
        QCOMPARE(sel.columns.at(1).number, 2);
        QCOMPARE(sel.columns.at(1).left, 132);
        QCOMPARE(sel.columns.at(1).caption, QStringLiteral("..."));
        QVERIFY(sel.columns.at(1).fieldName.isEmpty());
        const PrintColumn &last = sel.columns.at(2);
        QCOMPARE(last.number, 3);
        QCOMPARE(last.width, 77);
        QVERIFY(last.sum);
        QCOMPARE(last.valueAlignment, AlignRight);
        QCOMPARE(last.captionAlignment, AlignCenter);
        QVERIFY(last.valueFont.bold);
        QVERIFY(last.captionFont.italic);
        // nothing to print from: no select list at all
        QVERIFY(reportSelect(d, {}).selectList.isEmpty());
    }

    void filterLinesCarryThePreviousConnective()
    {
        // two conditions, the first carrying AND: the second line begins with it
        const QList<FilterCondition> two = {
            cond(QStringLiteral("TST.NAZEV"), QStringLiteral("="), QStringLiteral("Novák"), QStringLiteral("AND")),
            cond(QStringLiteral("TST.CISLO"), QStringLiteral(">"), QStringLiteral("5"), QStringLiteral("OR"),
                 QStringLiteral("I"))};
        QStringList lines = filterLines(two, QString());
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), QStringLiteral("( Upper(TST.NAZEV COLLATE PXW_CSY) = 'NOVÁK'"));
        QVERIFY(lines.at(1).startsWith(QLatin1String("AND TST.CISLO > 5")));
        // the last row's connective is not written
        QVERIFY(!lines.join(QString()).contains(QLatin1String("OR")));
        QCOMPARE(rowsOf(filterCondition(two, QString())), QList<int>({2}));

        // ... except a closing one, which closes the group
        const QList<FilterCondition> grouped = {
            cond(QStringLiteral("TST.CISLO"), QStringLiteral(">"), QStringLiteral("1"), QStringLiteral("AND ("),
                 QStringLiteral("I")),
            cond(QStringLiteral("TST.NAZEV"), QStringLiteral(".="), QStringLiteral("nov"), QStringLiteral("OR")),
            cond(QStringLiteral("TST.CISLO"), QStringLiteral("="), QStringLiteral("5"), QStringLiteral(") AND"),
                 QStringLiteral("I"))};
        lines = filterLines(grouped, QString());
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(3), QStringLiteral("))"));
        QCOMPARE(rowsOf(filterCondition(grouped, QString())), QList<int>({1, 2, 4}));
    }

    void filterValuesAreQuotedSafely()
    {
        auto rows = [&](const FilterCondition &c) { return rowsOf(filterCondition({c}, QString())); };
        const QString nazev = QStringLiteral("TST.NAZEV");
        QCOMPARE(rows(cond(nazev, QStringLiteral("="), QStringLiteral("O'Neil"))), QList<int>({1}));
        QCOMPARE(rows(cond(nazev, QStringLiteral("<>"), QStringLiteral("o'neil"))), QList<int>({2, 3, 4}));
        QCOMPARE(rows(cond(nazev, QStringLiteral(".="), QStringLiteral("o'n"))), QList<int>({1}));
        QCOMPARE(rows(cond(nazev, QStringLiteral(".=."), QStringLiteral("'"))), QList<int>({1}));
        QCOMPARE(rows(cond(nazev, QStringLiteral("=."), QStringLiteral("'neil"))), QList<int>({1}));
        // like operators take the bare value, upper-cased like the column
        const QString like = filterCondition({cond(nazev, QStringLiteral(".=."), QStringLiteral("luť"))}, QString());
        QVERIFY2(like.contains(QStringLiteral("like '%LUŤ%'")), qPrintable(like));
        QCOMPARE(rowsOf(like), QList<int>({3}));
        QCOMPARE(rows(cond(nazev, QStringLiteral(".="), QStringLiteral("NOV"))), QList<int>({2, 4}));
        // dates are quoted, numbers and IN lists taken as typed
        QCOMPARE(rows(cond(QStringLiteral("TST.DATUM"), QStringLiteral(">="), QStringLiteral("01.02.2024"),
                           QString(), QStringLiteral("D"))),
                 QList<int>({2, 3}));
        QCOMPARE(rows(cond(QStringLiteral("TST.CISLO"), QStringLiteral("<="), QStringLiteral("10"), QString(),
                           QStringLiteral("I"))),
                 QList<int>({1, 2}));
        QCOMPARE(rows(cond(QStringLiteral("TST.CISLO"), QStringLiteral("IN"), QStringLiteral("5,20"), QString(),
                           QStringLiteral("I"))),
                 QList<int>({1, 4}));
        QCOMPARE(rows(cond(nazev, QStringLiteral("IN"), QStringLiteral("'novák','NOVOTNÝ'"))), QList<int>({2, 4}));
    }

    void nullValueTestsForMissingValues()
    {
        const QString pozn = QStringLiteral("TST.POZN");
        const QString eq = filterCondition({cond(pozn, QStringLiteral("="), QStringLiteral("null"))}, QString());
        QVERIFY2(!eq.contains(QLatin1String("'NULL'")) && eq.contains(QLatin1String("IS NULL")), qPrintable(eq));
        QCOMPARE(rowsOf(eq), QList<int>({1, 3}));
        QCOMPARE(rowsOf(filterCondition({cond(pozn, QStringLiteral("<>"), QStringLiteral("NULL"))}, QString())),
                 QList<int>({2, 4}));
        QCOMPARE(rowsOf(filterCondition({cond(QStringLiteral("TST.DATUM"), QStringLiteral("<>"), QStringLiteral("null"),
                                              QString(), QStringLiteral("D"))},
                                        QString())),
                 QList<int>({1, 2, 3, 4}));
    }

    void filterStaysInItsParentheses()
    {
        const QList<FilterCondition> either = {
            cond(QStringLiteral("TST.NAZEV"), QStringLiteral(".="), QStringLiteral("nov"), QStringLiteral("OR")),
            cond(QStringLiteral("TST.CISLO"), QStringLiteral("="), QStringLiteral("5"), QString(), QStringLiteral("I"))};
        QCOMPARE(rowsOf(filterCondition(either, QString())), QList<int>({1, 2, 4}));
        // joined to the list's default condition by the caller ...
        const QString whole = filterCondition(either, QString());
        QVERIFY(whole.startsWith(QLatin1Char('(')) && whole.endsWith(QLatin1Char(')')));
        QCOMPARE(rowsOf(whole + QStringLiteral(" AND TST.CISLO < 15")), QList<int>({1, 2}));
        // ... or handed in as the base condition
        QCOMPARE(rowsOf(filterCondition(either, QString(), QStringLiteral("TST.CISLO < 15"))), QList<int>({1, 2}));

        // the user's own condition with an OR of its own
        const QList<FilterCondition> small = {
            cond(QStringLiteral("TST.CISLO"), QStringLiteral("<"), QStringLiteral("12"), QString(), QStringLiteral("I"))};
        const QString own = QStringLiteral("TST.CISLO = 5 OR TST.CISLO = 20");
        QCOMPARE(rowsOf(filterCondition(small, own)), QList<int>({1}));
        // AND stands before the own condition although the last row carries no connective
        QStringList lines = filterLines(small, own);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1), QStringLiteral(" AND "));
        // and not when there are no rows
        QCOMPARE(filterLines({}, own), QStringList({QStringLiteral("(TST.CISLO = 5 OR TST.CISLO = 20)")}));
        QCOMPARE(rowsOf(filterCondition({}, own, QStringLiteral("TST.CISLO > 10"))), QList<int>({4}));
        // a base condition alone, kept whole when the caller joins more to it
        QCOMPARE(rowsOf(filterCondition({}, QString(), own) + QStringLiteral(" AND TST.CISLO > 10")), QList<int>({4}));
        QVERIFY(filterCondition({}, QStringLiteral("  "), QString()).isEmpty());
        // an own condition ending in a comment cannot swallow the closing parenthesis
        QCOMPARE(rowsOf(filterCondition(small, QStringLiteral("TST.CISLO = 10 -- jen desítky"),
                                        QStringLiteral("TST.UNCIS > 0"))),
                 QList<int>({2}));
    }

    void sortOrderFromThePicks()
    {
        QVERIFY(sortOrder({{QStringLiteral("nic"), true}, {QString(), false}, {QStringLiteral("nic"), false}}).isEmpty());
        const QString order = sortOrder({{QStringLiteral("TST.POZN"), false},
                                         {QStringLiteral("nic"), true},
                                         {QStringLiteral("TST.CISLO"), true}});
        QCOMPARE(order, QStringLiteral(" ORDER BY TST.POZN, TST.CISLO DESC "));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT UNCIS FROM TST_DATA TST") + order));
        QList<int> keys;
        while (q.next())
            keys << q.value(0).toInt();
        // Firebird puts missing values first when ascending
        QCOMPARE(keys, QList<int>({3, 1, 2, 4}));
    }

    // --- encodings -----------------------------------------------------------------

    void fontStyleAndColourEncodings()
    {
        ColumnFont f;
        decodeFontStyle(QStringLiteral("1"), f);
        QVERIFY(f.bold && !f.italic && !f.underline && !f.strikeOut);
        decodeFontStyle(QString(), f);
        QVERIFY(!f.bold && !f.italic && !f.underline && !f.strikeOut);
        decodeFontStyle(QStringLiteral("0101"), f);
        QVERIFY(!f.bold && f.italic && !f.underline && f.strikeOut);
        QCOMPARE(encodeFontStyle(f), QStringLiteral("0101"));

        QCOMPARE(decodeColor(QStringLiteral("8421504")), quint32(0x808080));
        QCOMPARE(decodeColor(QStringLiteral("255")), quint32(0xFF0000));
        QCOMPARE(encodeColor(0xFF0000), QStringLiteral("255"));
        QCOMPARE(encodeColor(0x0000FF), QStringLiteral("16711680"));
        QCOMPARE(decodeColor(encodeColor(0x123456)), quint32(0x123456));
        // system colours: window text, button face
        QCOMPARE(decodeColor(QStringLiteral("-16777208")), quint32(0x000000));
        QCOMPARE(decodeColor(QStringLiteral("-2147483633")), quint32(0xF0F0F0));
        QCOMPARE(decodeColor(QStringLiteral("modrá"), 0x0000FF), quint32(0x0000FF));

        QCOMPARE(withSetting(QStringLiteral("G:;"), QStringLiteral("G"), QStringLiteral("TSTDATUM")),
                 QStringLiteral("G:TSTDATUM;"));
        QCOMPARE(withSetting(QStringLiteral("P:TSTPOZN;G:X;"), QStringLiteral("G"), QString()),
                 QStringLiteral("P:TSTPOZN;G:;"));
        QCOMPARE(settingValue(QStringLiteral("P:TSTPOZN;G:X;"), QStringLiteral("G")), QStringLiteral("X"));
        QVERIFY(settingValue(QString(), QStringLiteral("G")).isEmpty());

        const QList<AliasTable> aliases = parseAliasTables(aliasText + QLatin1Char(';'));
        QCOMPARE(aliases.size(), 3);
        QCOMPARE(aliases.at(2).table, QStringLiteral("ADR"));
        QCOMPARE(aliases.at(2).alias, QStringLiteral("TE2"));
        QCOMPARE(aliases.at(2).caption, QStringLiteral("Technik 2"));
        QCOMPARE(aliases.at(2).variants, QList<int>({2}));
    }
};

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
