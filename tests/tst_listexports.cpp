// The list exports: a list's grid (its titles, order, numbers, dates and money) to a
// text file, an XML file and a real workbook, read back as bytes and through xlsx2csv.
#include <QtTest>
#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QStringDecoder>
#include <QTableWidget>

#include "core/class.h"
#include "widgets/exportwindows.h"
#include "widgets/seznam.h"
#include "support/programdatabasetest.h"
#include "support/testentity.h"

class TestListExports : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    TestEntityC *controller = nullptr;
    std::unique_ptr<TfSeznam> list;
    QStringList opened;

    QString path(const QString &name) const { return env->path(name); }
    static QByteArray readAll(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QByteArray cp1250(const QString &text)
    {
        QStringEncoder encoder("windows-1250");
        return encoder.encode(text);
    }

private slots:
    void init()
    {
        startFresh();
        QVERIFY(TestEnvironment::ddl(*DM, testEntityDdl()));
        // a quoted text with the XML's own characters, an accented text holding a tab,
        // a number, a date (one missing) and money
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, DATUM, CISLO, CENA) VALUES "
                            "(101, 'Firma \"Alfa\" <a&b>', '15.03.2026', 42, 1234567.89)"));
        exec(QStringLiteral("INSERT INTO TST_HLAV (UNCIS, NAZEV, DATUM, CISLO, CENA) VALUES "
                            "(201, 'Žluťoučký kůň' || ASCII_CHAR(9) || 'úpěl', NULL, 1250, 0.5)"));
        controller = TfClass::create<TestEntityC>(DM);
        controller->setListColumns(QStringLiteral("HLA.UNCIS, HLA.NAZEV, HLA.DATUM, HLA.CISLO, HLA.CENA"));
        list = std::make_unique<TfSeznam>();
        list->AttachController(controller);
        QCOMPARE(list->prepareAndOpen(), 0);
        // the grid's own captions and order, as a layout gives them
        auto column = [](const char *field, const QString &caption, DisplayFormat format) {
            ListColumn c;
            c.field = QLatin1String(field);
            c.caption = caption;
            c.format = format;
            return c;
        };
        const ListColumn name = column("NAZEV", QStringLiteral(" Název firmy "), DisplayFormat::Text);
        const ListColumn price = column("CENA", QStringLiteral("Cena"), DisplayFormat::Money);
        const ListColumn date = column("DATUM", QStringLiteral("Datum"), DisplayFormat::Date);
        const ListColumn number = column("CISLO", QStringLiteral("Číslo"), DisplayFormat::Integer);
        list->model()->setColumns({name, price, date, number});
        opened.clear();
        ExportWindows::openWorkbook = [this](const QString &file) { opened << file; };
    }
    void cleanup()
    {
        list.reset();
        finish();
    }

    void textFileByteForByte()
    {
        prompt().fileAnswer(path(QStringLiteral("seznam.TXT")));
        list->action(QStringLiteral("acExportTXT"))->trigger();
        QCOMPARE(prompt().fileRequests.constLast().defaultSuffix, QStringLiteral("TXT"));
        const QByteArray expected = cp1250(QStringLiteral(
            "Název firmy\tCena\tDatum\tČíslo\r\n"
            "Firma \"Alfa\" <a&b>\t1 234 567,89\t15.03.2026\t42\r\n"
            "Žluťoučký kůň úpěl\t0,50\t\t1250\r\n"));
        QCOMPARE(readAll(path(QStringLiteral("seznam.TXT"))), expected);
        // Windows-1250 bytes, one for each Czech letter
        QVERIFY(expected.contains("\x8e\x6c\x75\x9d\x6f\x75\xe8\x6b\xfd"));

        // a file that cannot be written says so
        prompt().fileAnswer(path(QStringLiteral("chybi/seznam.TXT")));
        list->action(QStringLiteral("acExportTXT"))->trigger();
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba exportu do TXT"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Chyba TXT"));
        prompt().clear();
    }

    void xmlFileByteForByte()
    {
        prompt().onModal<XmlExportDialog>([this](XmlExportDialog *d) {
            // the column titles are offered, as element names
            [&] {
                QCOMPARE(d->dbgPolozky->rowCount(), 4);
                QCOMPARE(d->dbgPolozky->item(0, 0)->text(), QStringLiteral(" Název firmy "));
                QCOMPARE(d->dbgPolozky->item(0, 1)->text(), QStringLiteral("Název_firmy"));
            }();
            d->eHlavni->setText(QStringLiteral("Firmy"));
            d->eRadek->setText(QStringLiteral("Firma"));
            d->dbgPolozky->item(0, 1)->setText(QStringLiteral("Nazev"));
            d->eSoubor->setText(QStringLiteral("firmy"));
            d->eAdresar->setText(env->path(QString()));
            d->accept();
            return d->result();
        });
        list->action(QStringLiteral("acExportXML"))->trigger();
        const QByteArray expected = cp1250(QStringLiteral(
            "<?xml version='1.0' encoding='Windows-1250'?><Firmy>\r"
            "<Firma>\r"
            "<Nazev>Firma \"Alfa\" &lt;a&amp;b&gt;</Nazev><Cena>1 234 567,89</Cena><Datum>15.03.2026</Datum>"
            "<Číslo>42</Číslo></Firma>\r"
            "<Firma>\r"
            "<Nazev>Žluťoučký kůň\túpěl</Nazev><Cena>0,50</Cena><Datum></Datum><Číslo>1250</Číslo></Firma>\r"
            "</Firmy>\r"));
        const QByteArray written = readAll(path(QStringLiteral("firmy.XML")));
        QCOMPARE(written, expected);
        // and it is well-formed XML: the escaped text reads back as it was
        QXmlStreamReader xml(written);
        QStringList names;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Nazev"))
                names << xml.readElementText();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(names, QStringList({QStringLiteral("Firma \"Alfa\" <a&b>"), QStringLiteral("Žluťoučký kůň\túpěl")}));
    }

    void workbookReadsBackWithTypes()
    {
        // declined: nothing is asked further
        prompt().answer(PromptNo);
        list->action(QStringLiteral("acExportExcel"))->trigger();
        QVERIFY(prompt().fileRequests.isEmpty());

        const QString file = path(QStringLiteral("seznam.xlsx"));
        prompt().answer(PromptYes);
        prompt().fileAnswer(file);
        list->action(QStringLiteral("acExportExcel"))->trigger();
        QVERIFY(prompt().saw(QStringLiteral("Exportovat data do Excelu ?")));
        QCOMPARE(opened, QStringList{file});

        QProcess csv;
        csv.start(QStringLiteral("xlsx2csv"), {QStringLiteral("-d"), QStringLiteral("tab"), file});
        QVERIFY(csv.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(csv.readAllStandardOutput()).split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QStringLiteral("Název firmy\tCena\tDatum\tČíslo"));
        QCOMPARE(lines.value(1), QStringLiteral("\"Firma \"\"Alfa\"\" <a&b>\"\t1234567.89\t03-15-26\t42"));
        QCOMPARE(lines.value(2), QStringLiteral("\"Žluťoučký kůň\túpěl\"\t0.5\t\t1250"));

        // the cells' own types: numbers and dates are numbers, texts are strings
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, QStringLiteral("xl/worksheets/sheet1.xml")});
        QVERIFY(unzip.waitForFinished(30000));
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY2(sheet.contains(QLatin1String("<c r=\"B2\" s=\"")) && sheet.contains(QLatin1String("<v>1234567.89</v>")),
                 qPrintable(sheet));
        QVERIFY(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"C2\" s=\"\\d+\"><v>46096</v>"))));
        QVERIFY(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"A2\" s=\"\\d+\" t=\"s\">"))));
        QVERIFY(sheet.contains(QLatin1String("<selection activeCell=\"A1\" sqref=\"A1\"/>"))
                || !sheet.contains(QLatin1String("<selection")));
    }
};

QTEST_MAIN(TestListExports)
#include "tst_listexports.moc"
