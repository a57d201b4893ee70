// Loading reader files into VSTCARKOD and turning the staged rows into inspections: a pen
// file and a terminal file with every kind of line, written as the readers write them
// (Windows-1250, CRLF); the faults of the loaders that lost or invented data; the
// transfer, opened and saved in the inspection window afterwards; the write block.
#include <QtTest>
#include <QAbstractItemModel>
#include <QPointer>
#include <QTableView>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "barcodes/ean13.h"
#include "barcodes/edithpck.h"
#include "barcodes/readerload.h"
#include "barcodes/stagingedit.h"
#include "barcodes/transfer.h"
#include "core/datamodulpro.h"
#include "inspections/hp.h"
#include "inspections/hpc.h"
#include "support/programdatabasetest.h"

namespace {

// A scanned code as the pen gives it: thirteen digits with the check digit.
QString scanned(int kind, qint64 number)
{
    const QString twelve = Barcode::codeText(kind, number);
    return twelve + QString::number(Barcode::checkDigit(twelve));
}

} // namespace

class TestReaderLoad : public ProgramDatabaseTest
{
    Q_OBJECT

    QTemporaryDir dir;

    QString writeFile(const QString &name, const QStringList &lines)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        QStringEncoder encoder("windows-1250");
        f.write(encoder.encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
        return path;
    }
    // The staged rows as "TYPVET|column|column...", in key order.
    QStringList staged(const QString &columns)
    {
        QStringList out;
        QSqlQuery q = DM->NewQuery();
        q.exec(QStringLiteral("SELECT TYPVET, %1 FROM VSTCARKOD ORDER BY UNCIS").arg(columns));
        while (q.next()) {
            QStringList row;
            for (int i = 0; i < q.record().count(); ++i)
                row << q.value(i).toString();
            out << row.join(QLatin1Char('|'));
        }
        return out;
    }

private slots:
    void init()
    {
        startFresh();
        exec(QStringLiteral("INSERT INTO S_STAV (UNCIS, TYP, POPIS) VALUES (201, 1, 'V pořádku')"));
        exec(QStringLiteral("INSERT INTO S_STAV (UNCIS, TYP, POPIS) VALUES (301, 3, 'Vyřazen')"));
        exec(QStringLiteral("INSERT INTO S_UMIST (UNCIS, POPIS) VALUES (11, 'Chodba')"));
        exec(QStringLiteral("INSERT INTO POZICE (UNCIS, POPIS) VALUES (21, 'vlevo')"));
        exec(QStringLiteral("INSERT INTO S_OPRTXT (UNCIS, POPIS) VALUES (31, 'Výměna ventilu')"));
        exec(QStringLiteral("INSERT INTO CENIK (UNCIS, CSEKCE, POPIS, DRUH, VYROBCE, KOD, TCK) "
                            "VALUES (901, 7, 'P6 Te', 'P', 'Hasik', 'P6', 'A')"));
        exec(QStringLiteral("INSERT INTO ADRESAR (UNCIS, NAZEV, ICO, TYP) VALUES (1001, 'Firma s.r.o.', '12345678', 1)"));
        exec(QStringLiteral("INSERT INTO STREDISKA (UNCIS, UNCH, STREDISKO, MESTO, ULICE, CISPOP) "
                            "VALUES (2001, 1001, 'Sídlo', 'Brno', 'Dlouhá', '1')"));
        exec(QStringLiteral("INSERT INTO STREDISKA (UNCIS, UNCH, STREDISKO, MESTO, ULICE, CISPOP) "
                            "VALUES (2101, 1001, 'Sklad', 'Brno', 'Krátká', '5')"));
        // label 555 was inspected twice: the newer inspection tells what it is now
        exec(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, DATUM) VALUES (3001, '2024-05-01')"));
        exec(QStringLiteral("INSERT INTO PR_HLAV (UNCIS, DATUM) VALUES (3101, '2020-05-01')"));
        exec(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, CARKOD, VYRCIS, HP, DRUH, VYROBCE, ROK, UNCCEN, POSDIL) "
                            "VALUES (4001, 3001, 555, 'NEW/95', 'S6', 'S', 'Hasik', 1995, 901, 2018)"));
        exec(QStringLiteral("INSERT INTO PR_TAB (UNCIS, UNCH, CARKOD, VYRCIS, HP, DRUH, VYROBCE, ROK, UNCCEN, POSDIL) "
                            "VALUES (3901, 3101, 555, 'OLD/90', 'S2', 'S', 'Hasik', 1990, 0, 2010)"));
    }
    void cleanup() { finish(); }

    void penFile()
    {
        using namespace Barcode;
        const QString file = writeFile(QStringLiteral("pero.txt"), {
            scanned(State, 201),                           // before any label: skipped
            scanned(Command, NewCustomer), scanned(FormLine, 1),
            scanned(Label, 555), scanned(State, 201), scanned(Placement, 11), scanned(Repair, 31),
            scanned(TestYear, 2019),
            scanned(Command, NewObject) + QStringLiteral(" x ") + scanned(FormLine, 2),
            scanned(Label, 777), scanned(FormLine, 5), scanned(Type, 901),
            scanned(Label, 778),                           // two labels in a row
            scanned(Label, 779), scanned(Position, 21), scanned(State, 301),   // a position ends it
            QStringLiteral("12345678901234567890"),        // no code: skipped and reported
            scanned(Label, 780), scanned(State, 301)});    // no command after it: kept
        Reader::StagingLoad load(DM);
        QStringList statuses;
        load.status = [&statuses](const QString &s) { statuses << s; };
        QVERIFY(load.loadPen(file));
        QCOMPARE(staged(QStringLiteral("FIRCK, OBJCK, HPCK, CARKOD, STAV, MISTO, OPRTEXT, VYRCIS, HP, POSDIL, UNCCEN")),
                 QStringList({QStringLiteral("10|1|0|0|0||||||0|0"),
                              QStringLiteral("99|0|0|0|0|Stav|Umístění|Specifikace|Výr. číslo|Značka HP|0|0"),
                              QStringLiteral("1|0|0|0|555|V pořádku|Chodba|Výměna ventilu|NEW/95|S6|2019|901"),
                              QStringLiteral("11|0|2|0|0||||||0|0"),
                              QStringLiteral("99|0|0|0|0|Stav|Umístění|Specifikace|Výr. číslo|Značka HP|0|0"),
                              QStringLiteral("1|0|0|5|777||?? ? ??|||P6 Te|0|901"),
                              QStringLiteral("1|0|0|0|778||?? ? ??||?? ? ??|?? ? ??|0|0"),
                              QStringLiteral("1|0|0|0|779||?? ? ??||?? ? ??|?? ? ??|0|0"),
                              QStringLiteral("1|0|0|0|780|Vyřazen|?? ? ??||?? ? ??|?? ? ??|0|0")}));
        QCOMPARE(scalar(QStringLiteral("SELECT PREVYRAZ FROM VSTCARKOD WHERE CARKOD = 780")).toString(), QStringLiteral("A"));
        QCOMPARE(scalar(QStringLiteral("SELECT HP FROM VSTCARKOD WHERE CARKOD = 777")).toString(), QStringLiteral("P6 Te"));
        QVERIFY(prompt().lastText().contains(QStringLiteral("12345678901234567890")));
        QVERIFY(statuses.contains(QStringLiteral("Otevřen vstupní soubor")));
        QCOMPARE(statuses.last(), QStringLiteral("Hotovo - úspěšně načteno"));
        prompt().clear();

        // a second load into the filled table is refused and writes nothing
        const int rows = count(QStringLiteral("SELECT COUNT(*) FROM VSTCARKOD"));
        QVERIFY(!load.loadPen(file));
        QVERIFY(prompt().saw(QStringLiteral("Vstupní tabulka není prázdná\nMusíte jí nejprve vypráznit v editačním okně")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VSTCARKOD")), rows);
        prompt().clear();

        // an object before any customer brings an empty customer row first
        exec(QStringLiteral("DELETE FROM VSTCARKOD"));
        Reader::StagingLoad objectFirst(DM);
        QVERIFY(objectFirst.loadPenText(scanned(Command, NewObject) + QStringLiteral("\r\n") + scanned(FormLine, 3)));
        QCOMPARE(staged(QStringLiteral("OBJCK")), QStringList({QStringLiteral("10|0"), QStringLiteral("99|0"),
                                                               QStringLiteral("11|3"), QStringLiteral("99|0")}));
        QVERIFY(!load.loadPen(dir.filePath(QStringLiteral("none.txt"))));
        QVERIFY(prompt().saw(QStringLiteral("Soubor pro načtení nenalezen.\r Musíte zadat správnou cestu.")));
    }

    void terminalFileAndTransfer()
    {
        const QString file = writeFile(QStringLiteral("terminal.txt"), {
            QStringLiteral("910 12345678,2,3/4/2025,8:30,"),
            QStringLiteral("911 Budova A s velmi dlouhým jménem"),
            QStringLiteral("100 555,,,"),
            QStringLiteral("200 201,40031"),
            QStringLiteral("300 11,60021, u dveří "),
            QStringLiteral("500 19"),
            QStringLiteral("100 777,P6,1234,49"),
            QStringLiteral("200 301"),
            QStringLiteral("500 51"),
            QStringLiteral("100 abc,,,"),
            QStringLiteral("100 888,,,"),
            QStringLiteral("300 11"),
            QStringLiteral("100 889,P6,77,50"),
            QStringLiteral("200 201")});
        Reader::StagingLoad load(DM);
        load.showMessages = false;
        QVERIFY(load.loadTerminal(file));
        QCOMPARE(staged(QStringLiteral("UNCFIR, UNCSTR, DATUM, ZNACKA, OPRTEXT, OBJEKT")).mid(0, 2),
                 QStringList({QStringLiteral("10|1001|2101|2025-04-03|Firma s.r.o.|Sklad,Brno,Krátká,5|"),
                              QStringLiteral("11|0|0||||Budova A s velmi dlo")}));
        QCOMPARE(staged(QStringLiteral("CARKOD, HPCK, STAV, STATUS, OPRTEXT, MISTO, VYRCIS, ROK, HP, UNCCEN, POSDIL")).mid(2),
                 QStringList({QStringLiteral("1|555|0|V pořádku|1|Výměna ventilu|Chodba vlevo u dveří|NEW/95|1995|S6|901|2019"),
                              QStringLiteral("1|777|-1|Vyřazen|3||?? ? ??|1234/49|2049|P6 Te|901|1951"),
                              QStringLiteral("1|888|0||0||Chodba|?? ? ??|0|?? ? ??|0|0"),
                              QStringLiteral("1|889|-1|V pořádku|1||?? ? ??|77/50|1950|P6 Te|901|0")}));
        QCOMPARE(load.messages().size(), 3);
        QVERIFY(load.messages().at(0).startsWith(QStringLiteral("Chybně načtený HP\nŘádek 10")));
        QVERIFY(load.messages().at(1).contains(QStringLiteral("888")));
        QVERIFY(load.messages().at(2).contains(QStringLiteral("889")));

        // writes blocked: nothing is written
        exec(QStringLiteral("SET GENERATOR STOPTRIG TO 1"));
        Reader::TransferResult result;
        QString error;
        QVERIFY(!Reader::transferStaged(DM, &result, &error));
        QVERIFY(!error.isEmpty());
        exec(QStringLiteral("SET GENERATOR STOPTRIG TO 0"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV")), 2);

        QVERIFY2(Reader::transferStaged(DM, &result, &error), qPrintable(error));
        QCOMPARE(result.inspections, 1);
        QCOMPARE(result.items, 4);
        const int key = scalar(QStringLiteral("SELECT UNCIS FROM PR_HLAV WHERE UNCFIR = 1001")).toInt();
        QCOMPARE(scalar(QStringLiteral("SELECT PRAVID || FAKTURA || VYRPROT || POCHP || '|' || UNCSTR FROM PR_HLAV "
                                       "WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("ARA2|2101"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE UNCH = %1 AND PORADI = 1 AND UNCPOM = UNCIS "
                                      "AND OBJEKT = 'Budova A s velmi dlo'").arg(key)), 4);
        QCOMPARE(scalar(QStringLiteral("SELECT ZNACKA || '|' || PRESKLAD FROM PR_TAB WHERE UNCH = %1 AND CARKOD = 555").arg(key)).toString(),
                 QStringLiteral("S6 - Výměna ventilu|N"));
        QCOMPARE(scalar(QStringLiteral("SELECT PREVYRAZ || PRESKLAD FROM PR_TAB WHERE UNCH = %1 AND CARKOD = 777").arg(key)).toString(),
                 QStringLiteral("AA"));

        // the transferred inspection opens and saves in the inspection window
        TfHPC *c = TfClass::create<TfHPC>(DM);
        c->AddRef();
        QCOMPARE(c->OpenRecord(key), 0);
        QPointer<TfHP> w = new TfHP(c);
        w->show();
        QCOMPARE(c->hp().rowCount(), 4);
        c->hp().setCurrentRow(0);
        c->hp().setValue(QStringLiteral("POZN"), QStringLiteral("zkontrolováno"));
        QCOMPARE(w->cUloz(), 0);
        w->close();
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        c->Release();
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB WHERE POZN = 'zkontrolováno'")), 1);
    }

    void editingStagedRows()
    {
        Reader::StagingLoad load(DM);
        QVERIFY(load.loadTerminalText(QStringLiteral("911 Sklad\r\n100 555,P6,1234,50\r\n500 10\r\n")));
        TfEditHPCK window(DM);
        StagingEdit &e = window.edit();
        // the customer row the terminal put first is drawn as one
        QCOMPARE(window.grid()->model()->index(0, 2).data().toString(), QStringLiteral("Firma: "));
        QCOMPARE(window.grid()->model()->index(1, 2).data().toString(), QStringLiteral("Objekt: Sklad"));
        e.rows().setCurrentRow(0);
        e.chooseCustomer(1001);
        e.chooseSite(2101);
        e.chooseCustomer(1001);   // another customer forgets the site
        QCOMPARE(e.rows().value(QStringLiteral("UNCSTR")).toInt(), 0);
        QCOMPARE(e.rows().value(QStringLiteral("ZNACKA")).toString(), QStringLiteral("Firma s.r.o."));
        e.rows().setCurrentRow(2);
        QCOMPARE(e.rows().value(QStringLiteral("ROK")).toInt(), 1950);
        e.rows().setValue(QStringLiteral("VYRCIS"), QStringLiteral("1234/49"));
        prompt().answer(PromptYes);
        QVERIFY(e.Uloz());
        QCOMPARE(scalar(QStringLiteral("SELECT ROK FROM VSTCARKOD WHERE CARKOD = 555")).toInt(), 2049);
        QCOMPARE(scalar(QStringLiteral("SELECT ZNACKA FROM VSTCARKOD WHERE TYPVET = 10")).toString(), QStringLiteral("Firma s.r.o."));
        // deleting everything takes two yeses
        prompt().answer(PromptYes);
        prompt().answer(PromptNo);
        QVERIFY(!e.SmazatVse());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VSTCARKOD")), 3);
        prompt().answer(PromptYes);
        prompt().answer(PromptYes);
        QVERIFY(e.SmazatVse());
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM VSTCARKOD")), 0);
        QCOMPARE(e.rows().rowCount(), 0);
    }

    void transferRefusesBrokenStaging()
    {
        const auto stage = [](int typVet, const QString &extra = QString()) {
            exec(QStringLiteral("INSERT INTO VSTCARKOD (UNCIS, TYPVET, UNCFIR, DATUM, STATUS) VALUES "
                                "(GEN_ID(VSTCARKOD, 1), %1, %2)").arg(typVet).arg(extra.isEmpty() ? QStringLiteral("1001, '2025-01-01', 1") : extra));
        };
        Reader::TransferResult result;
        QString error;
        stage(1);
        QVERIFY(!Reader::transferStaged(DM, &result, &error));
        QVERIFY(error.contains(QStringLiteral("před první firmou")));
        exec(QStringLiteral("DELETE FROM VSTCARKOD"));
        stage(10);
        stage(1);
        stage(10, QStringLiteral("0, '2025-01-01', 0"));   // no customer: stops all of it
        QVERIFY(!Reader::transferStaged(DM, &result, &error));
        QVERIFY(error.contains(QStringLiteral("nemá zadanou firmu")));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_HLAV")), 2);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM PR_TAB")), 2);
    }
};

QTEST_MAIN(TestReaderLoad)
#include "tst_readerload.moc"
