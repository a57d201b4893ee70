// The rich texts the program stores: what it writes reads back with the same
// formatting, an independent RTF reader accepts it, and RTF as a Windows rich-edit
// control and other writers produce it loads with its formatting - code-page bytes,
// Unicode escapes with their skip counts, bullets, and groups nobody knows.
#include <QtTest>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "core/rtf.h"

namespace {

// Blocks with their paragraph format and their runs of equally formatted text, the way
// a reader of the text sees them (adjacent fragments of one look are one run).
QStringList describe(const QTextDocument &doc)
{
    QStringList lines;
    const QFont base = doc.defaultFont();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        QString list = QStringLiteral("-");
        if (QTextList *l = b.textList())
            list = l->format().style() == QTextListFormat::ListDecimal ? QStringLiteral("decimal")
                                                                        : QStringLiteral("bullet");
        lines << QStringLiteral("P align=%1 left=%2 first=%3 right=%4 list=%5")
                     .arg(int(f.alignment() & Qt::AlignHorizontal_Mask))
                     .arg(qRound(f.leftMargin()))
                     .arg(qRound(f.textIndent()))
                     .arg(qRound(f.rightMargin()))
                     .arg(list);
        QString lastLook, text;
        auto flush = [&] {
            if (!text.isEmpty())
                lines << QStringLiteral("  [%1] %2").arg(text, lastLook);
            text.clear();
        };
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat cf = it.fragment().charFormat();
            const QFont font = cf.font().resolve(base);
            const QString look = QStringLiteral("%1 %2pt%3%4%5 %6")
                                     .arg(font.families().value(0, font.family()))
                                     .arg(font.pointSizeF())
                                     .arg(font.bold() ? QStringLiteral(" b") : QString())
                                     .arg(font.italic() ? QStringLiteral(" i") : QString())
                                     .arg(font.underline() ? QStringLiteral(" u") : QString())
                                     .arg(cf.foreground().style() == Qt::NoBrush
                                              ? QStringLiteral("auto")
                                              : cf.foreground().color().name());
            if (look != lastLook)
                flush();
            lastLook = look;
            text += it.fragment().text();
        }
        flush();
    }
    return lines;
}

QTextCharFormat look(const QString &family, qreal points, bool bold = false, bool italic = false,
                     bool underline = false, const QColor &color = QColor())
{
    QTextCharFormat f;
    f.setFontFamilies({family});
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    if (color.isValid())
        f.setForeground(color);
    return f;
}

QTextBlockFormat paragraph(Qt::Alignment alignment, qreal left = 0, qreal first = 0, qreal right = 0)
{
    QTextBlockFormat f;
    f.setAlignment(alignment);
    f.setLeftMargin(left);
    f.setTextIndent(first);
    f.setRightMargin(right);
    return f;
}

// A text with everything the editor can give a text.
void buildSample(QTextDocument &doc)
{
    doc.setDefaultFont(Rtf::defaultFont());
    QTextCursor c(&doc);
    c.setBlockFormat(paragraph(Qt::AlignHCenter));
    c.insertText(QStringLiteral("Zpráva o kontrole"), look(QStringLiteral("Arial"), 14, true));
    c.insertBlock(paragraph(Qt::AlignLeft));
    c.insertText(QStringLiteral("Příliš žluťoučký kůň "), look(QStringLiteral("Arial"), 10));
    c.insertText(QStringLiteral("úpěl"), look(QStringLiteral("Arial"), 10, false, true));
    c.insertText(QStringLiteral(" ďábelské "), look(QStringLiteral("Arial"), 10, false, false, true));
    c.insertText(QStringLiteral("ódy"), look(QStringLiteral("Times New Roman"), 12, true, true, true,
                                             QColor(0xff, 0, 0)));
    c.insertText(QStringLiteral("\t{a\\b} → € ё"), look(QStringLiteral("Arial"), 10, false, false, false,
                                                        QColor(0, 0, 0x80)));
    c.insertText(QString(QChar(QChar::LineSeparator)) + QStringLiteral("druhý řádek"), look(QStringLiteral("Arial"), 10));
    c.insertBlock(paragraph(Qt::AlignLeft, 30));
    c.insertText(QStringLiteral("první odrážka"), look(QStringLiteral("Arial"), 10));
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    QTextList *list = c.createList(bullets);
    c.insertBlock(paragraph(Qt::AlignLeft, 30));
    c.insertText(QStringLiteral("druhá odrážka"), look(QStringLiteral("Arial"), 10, true));
    list->add(c.block());
    c.insertBlock(paragraph(Qt::AlignRight, 48, 24, 12));
    c.insertText(QStringLiteral("vpravo s odsazením"), look(QStringLiteral("Arial"), 10));
    c.insertBlock(paragraph(Qt::AlignJustify, 20, -20));
    c.insertText(QStringLiteral("předsazený první řádek"), look(QStringLiteral("Arial"), 9));
    c.insertBlock(paragraph(Qt::AlignLeft));   // an empty paragraph at the end is kept
}

QString readText(const QString &rtf)
{
    QTextDocument doc;
    Rtf::read(rtf, &doc);
    return doc.toPlainText();
}

// A Windows rich-edit control's own output (Czech Windows, a bullet list, colours).
const char *const RichEditSample =
    "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}"
    "{\\f1\\fnil\\fcharset238 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}\r\n"
    "{\\*\\generator Riched20 5.50.99.2050;}\\viewkind4\\uc1\\pard\\qc\\b\\f0\\fs28 Zpr\\'e1va o kontrole\\par\r\n"
    "\\pard\\b0\\fs20 Kontrola byla provedena \\i v\\'9aech\\i0  \\ul p\\'f8\\'edstroj\\'f9\\ulnone .\\par\r\n"
    "\\pard{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}\\fi-720\\li720\\cf1 prvn\\'ed "
    "polo\\'9eka\\cf0\\par\r\n"
    "{\\pntext\\f2\\'b7\\tab}\\f1\\fs24 druh\\'e1\\f0\\fs20\\par\r\n"
    "\\pard\\fi360\\li720\\ri360\\qr\\cf2 konec \\'9e\\'e1dosti\\cf0\\par\r\n"
    "}\r\n";

// Numeric character references (&#345;) of a text back to characters.
QString decodeReferences(QString text)
{
    static const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
    QRegularExpressionMatch m;
    while ((m = reference.match(text)).hasMatch()) {
        const uint code = m.captured(1).toUInt();
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1));
    }
    return text;
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT
private slots:
    void writtenTextReadsBackWithItsFormatting()
    {
        QTextDocument original;
        buildSample(original);
        const QString rtf = Rtf::write(&original);

        QTextDocument back;
        Rtf::read(rtf, &back);
        QCOMPARE(describe(back), describe(original));
        QCOMPARE(back.toPlainText(), original.toPlainText());
        // nothing drifts when a text is opened and saved again and again
        QCOMPARE(Rtf::write(&back), rtf);
    }

    void writtenTextIsWhatARichEditWrites()
    {
        QTextDocument doc;
        buildSample(doc);
        const QString rtf = Rtf::write(&doc);
        QVERIFY(rtf.startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl"
                                             "{\\f0\\fnil\\fcharset238 Arial;}")));
        QVERIFY(rtf.endsWith(QLatin1String("\\par\r\n}")));
        QVERIFY(rtf.contains(QLatin1String("\\viewkind4\\uc1\\pard\\qc\\f0\\fs28\\b Zpr\\'e1va o kontrole\\par")));
        // Czech letters in Windows-1250 bytes, the rest as Unicode with a fallback
        QVERIFY(rtf.contains(QLatin1String("P\\'f8\\'edli\\'9a \\'9elu\\'9dou\\'e8k\\'fd k\\'f9\\'f2")));
        QVERIFY(rtf.contains(QLatin1String("\\u8594?")));
        QVERIFY(rtf.contains(QLatin1String("\\u1105?")));
        QVERIFY(rtf.contains(QLatin1String("\\'80")));   // the euro sign is a cp1250 byte
        QVERIFY(rtf.contains(QLatin1String("\\{a\\\\b\\}")));
        QVERIFY(rtf.contains(QLatin1String("\\tab")));
        QVERIFY(rtf.contains(QLatin1String("\\line")));
        QVERIFY(rtf.contains(QLatin1String("{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}")));
        QVERIFY(rtf.contains(QLatin1String("\\pnlvlblt")));
        QVERIFY(rtf.contains(QLatin1String("\\fcharset2 Symbol;")));
        for (const QChar c : rtf)
            QVERIFY2(c.unicode() < 128, "RTF is 7-bit text");

        QTextDocument empty;
        QCOMPARE(Rtf::write(&empty), QString());
    }

    void independentReaderAcceptsWrittenText()
    {
        const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
        if (unrtf.isEmpty())
            QSKIP("unrtf is not installed (scripts/install-deps.sh installs it)");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QTextDocument doc;
        doc.setDefaultFont(Rtf::defaultFont());
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("Hasicí přístroje zkontrolovány"));
        c.insertBlock();
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"), bold);
        c.insertBlock();
        c.insertText(QStringLiteral("Technik Šťastný"));
        c.createList(QTextListFormat::ListDisc);
        QFile file(dir.filePath(QStringLiteral("text.rtf")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Rtf::write(&doc).toLatin1());
        file.close();

        QProcess text;
        text.start(unrtf, {QStringLiteral("--text"), file.fileName()});
        QVERIFY(text.waitForFinished(30000));
        QCOMPARE(text.exitCode(), 0);
        const QString plain = QString::fromLatin1(text.readAllStandardOutput());
        QVERIFY2(plain.contains(QLatin1String("zkontrolov")), qPrintable(plain));
        QVERIFY2(plain.contains(QLatin1String("Technik")), qPrintable(plain));

        // The text output of unrtf prints only the low byte of a letter above ASCII;
        // the same output with numeric references shows the letters themselves.
        QFile conf(QStringLiteral("/usr/share/unrtf/text.conf"));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QFile own(dir.filePath(QStringLiteral("czech.conf")));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(conf.readAll() + "\nutf8_encoding\n\t\nunisymbol_print\n\t&#%;\n");
        own.close();
        QFile::copy(QStringLiteral("/usr/share/unrtf/SYMBOL.charmap"), dir.filePath(QStringLiteral("SYMBOL.charmap")));
        QProcess czech;
        czech.start(unrtf, {QStringLiteral("-P"), dir.path(), QStringLiteral("-t"), QStringLiteral("czech"),
                            file.fileName()});
        QVERIFY(czech.waitForFinished(30000));
        QCOMPARE(czech.exitCode(), 0);
        const QString decoded = decodeReferences(QString::fromUtf8(czech.readAllStandardOutput()));
        QVERIFY2(decoded.contains(QStringLiteral("Hasicí přístroje zkontrolovány")), qPrintable(decoded));
        QVERIFY2(decoded.contains(QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy")), qPrintable(decoded));
        QVERIFY2(decoded.contains(QStringLiteral("Technik Šťastný")), qPrintable(decoded));
    }

    void richEditTextLoadsWithItsFormatting()
    {
        QTextDocument doc;
        Rtf::read(QString::fromLatin1(RichEditSample), &doc);
        const QStringList expected = {
            QStringLiteral("P align=4 left=0 first=0 right=0 list=-"),
            QStringLiteral("  [Zpráva o kontrole] Arial 14pt b auto"),
            QStringLiteral("P align=1 left=0 first=0 right=0 list=-"),
            QStringLiteral("  [Kontrola byla provedena ] Arial 10pt auto"),
            QStringLiteral("  [všech] Arial 10pt i auto"),
            QStringLiteral("  [ ] Arial 10pt auto"),
            QStringLiteral("  [přístrojů] Arial 10pt u auto"),
            QStringLiteral("  [.] Arial 10pt auto"),
            // the bullet's hanging first line is where the list draws its bullet
            QStringLiteral("P align=1 left=8 first=0 right=0 list=bullet"),
            QStringLiteral("  [první položka] Arial 10pt #ff0000"),
            QStringLiteral("P align=1 left=8 first=0 right=0 list=bullet"),
            QStringLiteral("  [druhá] Times New Roman 12pt auto"),
            QStringLiteral("P align=2 left=48 first=24 right=24 list=-"),
            QStringLiteral("  [konec žádosti] Arial 10pt #000080"),
        };
        QCOMPARE(describe(doc), expected);
        // both bullets are items of one list
        QCOMPARE(doc.findBlockByNumber(2).textList(), doc.findBlockByNumber(3).textList());
    }

    void numberedListsAndCharsetsOfFonts()
    {
        QTextDocument doc;
        Rtf::read(QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                                 "{\\f1\\fnil\\fcharset238 Arial CE;}}"
                                 "\\pard{\\pntext\\f0 1.\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0\\pnstart1\\pndec"
                                 "{\\pntxta.}}\\fi-360\\li720 caf\\'e9 \\f1 \\'e8\\'ed\\par "
                                 "{\\pntext\\f0 2.\\tab}dal\\'9a\\'ed\\par}"),
                  &doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("café čí\ndalší"));
        QTextList *list = doc.begin().textList();
        QVERIFY(list);
        QCOMPARE(list->format().style(), QTextListFormat::ListDecimal);
        QCOMPARE(list->count(), 2);
        QVERIFY(Rtf::write(&doc).contains(QLatin1String("\\pndec")));
    }

    void unicodeEscapesAndTheirSkipCounts()
    {
        // \uc1 skips one fallback, \uc2 two (hex bytes count as one), \uc0 none; \uc
        // is scoped by its group; a negative N is a code unit above 32767
        QCOMPARE(readText(QStringLiteral("{\\rtf1\\ansi\\ansicpg1250\\uc1 a\\u269?b{\\uc2\\u8364\\'80\\'80}"
                                         "c\\uc0\\u382 d\\u-10179\\u-8704 e\\uc1 \\u345\\'3fx\\u268??}")),
                 QStringLiteral("ačb€cžd\U0001F600eřxČ?"));
        // the fallback of a \u never leaks into the text, also at a group's end
        QCOMPARE(readText(QStringLiteral("{\\rtf1\\ansi{\\u268}?X}")), QStringLiteral("Č?X"));
        // what we write with \u reads back
        QTextDocument doc;
        QTextCursor(&doc).insertText(QStringLiteral("→ ё 😀 ř"));
        QCOMPARE(readText(Rtf::write(&doc)), QStringLiteral("→ ё 😀 ř"));
    }

    void unknownGroupsArePassedOver()
    {
        const QString rtf = QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fswiss\\fcharset238{\\*\\panose 020b0604020202020204}Arial;}"
            "{\\f1\\froman\\fcharset238 Times New Roman{\\*\\falt Times};}}"
            "{\\stylesheet{\\s0 Normal;}{\\*\\cs10 Default Paragraph Font;}}"
            "{\\info{\\title Tajne}{\\author Nekdo}}{\\*\\unknowndest tajne {\\nested taky}}"
            "{\\*\\generator Msftedit 5.41.21.2510;}{\\*\\listtable{\\list{\\listlevel x}}}"
            "\\pard\\f0\\fs20 A{\\*\\bkmkstart x}B{\\pict\\wmetafile8 0102ff}C"
            "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt D}}{\\nonshppict{\\pict 00}}"
            "{\\header hlavicka}E\\bin3 {}xF\\foo G{\\f1 H}\\par}");
        QTextDocument doc;
        Rtf::read(rtf, &doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("ABCDEFGH"));
        const QStringList runs = describe(doc);
        QCOMPARE(runs.value(1), QStringLiteral("  [ABCDEFG] Arial 10pt auto"));
        QCOMPARE(runs.value(2), QStringLiteral("  [H] Times New Roman 10pt auto"));
    }

    void bytesAndPlainText()
    {
        // a file's raw 8-bit text is in the document's code page
        QTextDocument doc;
        Rtf::read(QByteArray("{\\rtf1\\ansi\\ansicpg1250 \xf8\xed\\'9a\\par}"), &doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("říš"));
        // a value from the database is already characters
        QCOMPARE(readText(QStringLiteral("{\\rtf1\\ansi\\ansicpg1250 říš\\par}")), QStringLiteral("říš"));

        // a value that is not RTF is plain text, also one that merely mentions RTF
        QVERIFY(!Rtf::isRtf(QStringLiteral("Jen text")));
        QVERIFY(!Rtf::isRtf(QStringLiteral(" {\\rtf1}")));
        QCOMPARE(readText(QStringLiteral("Jen text\nřádek {\\b x}")), QStringLiteral("Jen text\nřádek {\\b x}"));
        QCOMPARE(Rtf::plainText(QStringLiteral("Jen text")), QStringLiteral("Jen text"));
        QCOMPARE(Rtf::plainText(QString::fromLatin1(RichEditSample)),
                 QStringLiteral("Zpráva o kontrole\nKontrola byla provedena všech přístrojů.\n"
                                "první položka\ndruhá\nkonec žádosti"));

        // plain text saved through the editor becomes RTF in the default font
        Rtf::read(QStringLiteral("řádek"), &doc);
        const QString rtf = Rtf::write(&doc);
        QVERIFY(Rtf::isRtf(rtf));
        QVERIFY(rtf.contains(QLatin1String("\\pard\\f0\\fs20 \\'f8\\'e1dek\\par")));

        // a text without a closing paragraph mark still has its last paragraph, and
        // one with it gets no extra empty one
        QCOMPARE(readText(QStringLiteral("{\\rtf1 a\\par b}")), QStringLiteral("a\nb"));
        QCOMPARE(readText(QStringLiteral("{\\rtf1 a\\par b\\par}")), QStringLiteral("a\nb"));
        QCOMPARE(readText(QStringLiteral("{\\rtf1 a\\par\\par}")), QStringLiteral("a\n"));
        // a broken text ends where it ends
        QCOMPARE(readText(QStringLiteral("{\\rtf1 a\\par b{\\i c")), QStringLiteral("a\nbc"));
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
