// The helpers of the windows: the grid clipboard text, the rich-text formatting
// commands, the progress window and the drop-down filled from lookup rows.
#include <QtTest>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QProgressBar>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>

#include "core/progress.h"
#include "support/programdatabasetest.h"
#include "widgets/lookupcombo.h"
#include "widgets/prubeh.h"
#include "widgets/textformat.h"
#include "widgets/viewhelpers.h"

class TestViewHelpers : public ProgramDatabaseTest
{
    Q_OBJECT
private:
private slots:
    void initTestCase() { startFresh(); }
    void cleanup() { checkPrompts(); }
    void cleanupTestCase() { finish(); }

    // --- clipboard text ----------------------------------------------------------------

    void gridTextOfEmptyAndFilledModels()
    {
        QStandardItemModel model(0, 2);
        model.setHorizontalHeaderLabels({QStringLiteral("Kód"), QStringLiteral("Název")});
        QCOMPARE(GridText(&model), QStringLiteral("Kód\tNázev"));
        model.appendRow({new QStandardItem(QStringLiteral("1")), new QStandardItem(QStringLiteral("První"))});
        model.appendRow({new QStandardItem(QStringLiteral("2")), new QStandardItem(QString())});
        QCOMPARE(GridText(&model), QStringLiteral("Kód\tNázev\r\n1\tPrvní\r\n2\t"));
    }

    void copyGridTakesVisibleColumnsInShownOrderAndAllRows()
    {
        QStandardItemModel model(0, 3);
        model.setHorizontalHeaderLabels({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        model.appendRow({new QStandardItem(QStringLiteral("a1")), new QStandardItem(QStringLiteral("b1")),
                         new QStandardItem(QStringLiteral("c1"))});
        QTableView view;
        view.setModel(&model);
        view.setColumnHidden(1, true);
        view.horizontalHeader()->moveSection(2, 0);
        QVERIFY(CopyGridToClipboard(&view));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("C\tA\r\nc1\ta1"));

        // a model that hands its rows out page by page gives all of them
        QVERIFY(TestEnvironment::ddl(*DM, {QStringLiteral(
            "CREATE TABLE TST_RADKY (UNCIS INTEGER NOT NULL PRIMARY KEY, NAZEV VARCHAR(40))")}));
        {
            // the block's transaction ends with its query
            QSqlQuery fill = DM->NewQuery();
            QVERIFY(fill.exec(QStringLiteral(
                "EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 300) DO BEGIN "
                "INSERT INTO TST_RADKY (UNCIS, NAZEV) VALUES (:I * 100 + 1, 'Řádek ' || LPAD(:I, 3, '0')); "
                "I = I + 1; END END")));
        }
        {
            QSqlQueryModel sqlModel;
            sqlModel.setQuery(QStringLiteral("SELECT UNCIS, NAZEV FROM TST_RADKY ORDER BY UNCIS"), DM->database());
            QVERIFY(sqlModel.canFetchMore());
            QTableView sqlView;
            sqlView.setModel(&sqlModel);
            QVERIFY(CopyGridToClipboard(&sqlView));
            const QStringList lines = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
            QCOMPARE(lines.size(), 301);
            QCOMPARE(lines.constLast(), QStringLiteral("30001\tŘádek 300"));
        }

        QVERIFY(!CopyGridToClipboard(nullptr));
        QCOMPARE(prompt().lastText(), QStringLiteral("Zkopírování DB tabulky"));
        QCOMPARE(prompt().shown.constLast().caption, QStringLiteral("Schránka"));
        prompt().clear();
    }

    // --- rich text -----------------------------------------------------------------------

    void textFormatCommandsToggle()
    {
        QTextEdit edit;
        edit.setPlainText(QStringLiteral("jedna dva tři\ndruhý řádek"));
        QTextCursor c = edit.textCursor();
        c.setPosition(6);
        c.setPosition(9, QTextCursor::KeepAnchor);   // "dva"
        edit.setTextCursor(c);
        auto formatAt = [&](int position) {
            QTextCursor probe(edit.document());
            probe.setPosition(position + 1);
            return probe.charFormat();
        };

        ApplyTextFormat(&edit, QStringLiteral("B"));
        QCOMPARE(formatAt(6).fontWeight(), int(QFont::Bold));
        QCOMPARE(formatAt(8).fontWeight(), int(QFont::Bold));
        QVERIFY(formatAt(4).fontWeight() < QFont::Bold);   // outside the selection
        ApplyTextFormat(&edit, QStringLiteral("B"));
        QVERIFY(formatAt(6).fontWeight() < QFont::Bold);

        ApplyTextFormat(&edit, QStringLiteral("IU"));
        QVERIFY(formatAt(7).fontItalic());
        QVERIFY(formatAt(7).fontUnderline());
        QVERIFY(!formatAt(10).fontItalic());
        ApplyTextFormat(&edit, QStringLiteral("U"));
        QVERIFY(!formatAt(7).fontUnderline());
        QVERIFY(formatAt(7).fontItalic());

        const QTextBlock first = edit.document()->firstBlock();
        ApplyTextFormat(&edit, QStringLiteral("O"));
        QVERIFY(first.textList());
        QVERIFY(!first.next().textList());
        ApplyTextFormat(&edit, QStringLiteral("O"));
        QVERIFY(!first.textList());

        ApplyTextFormat(&edit, QStringLiteral("C"));
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignHCenter));
        ApplyTextFormat(&edit, QStringLiteral("R"));
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignRight));
        ApplyTextFormat(&edit, QStringLiteral("L"));
        QCOMPARE(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::Alignment(Qt::AlignLeft));
        QCOMPARE(edit.toPlainText(), QStringLiteral("jedna dva tři\ndruhý řádek"));
    }

    void bulletsCoverEverySelectedParagraph()
    {
        QTextEdit edit;
        edit.setPlainText(QStringLiteral("první\ndruhý\ntřetí"));
        QTextCursor c = edit.textCursor();
        c.setPosition(2);
        c.setPosition(8, QTextCursor::KeepAnchor);   // from the first into the second paragraph
        edit.setTextCursor(c);
        ApplyTextFormat(&edit, QStringLiteral("O"));
        const QTextBlock b1 = edit.document()->firstBlock();
        QVERIFY(b1.textList());
        QCOMPARE(b1.next().textList(), b1.textList());
        QVERIFY(!b1.next().next().textList());
        ApplyTextFormat(&edit, QStringLiteral("O"));
        QVERIFY(!b1.textList());
        QVERIFY(!b1.next().textList());
    }

    // --- progress ---------------------------------------------------------------------------

    void lookupComboKeepsKeysApartFromTheText()
    {
        bool ok = true;
        QVERIFY(readLookup(DM, QStringLiteral("SELECT nothing FROM nowhere"), {}, &ok).isEmpty());
        QVERIFY(!ok);
        const QVector<LookupItem> items = readLookup(
            DM, QStringLiteral("SELECT 7, ' a ', 'x  ', '' FROM RDB$DATABASE UNION ALL "
                               "SELECT CAST(:K AS INTEGER), 'b', '', 'y' FROM RDB$DATABASE"),
            {{QStringLiteral("K"), 9}}, &ok);
        QVERIFY(ok);
        QCOMPARE(items.size(), 2);
        QCOMPARE(lookupTexts(items), (QStringList{"a", "b"}));
        QCOMPARE(items.at(1).key.toInt(), 9);

        QComboBox combo;
        combo.setEditable(true);
        combo.setEditText(QStringLiteral("typed"));
        int changes = 0;
        connect(&combo, &QComboBox::currentIndexChanged, this, [&] { ++changes; });
        fillLookupCombo(&combo, items, QStringLiteral(", "), true);
        QCOMPARE(changes, 0);
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.currentText(), QStringLiteral("typed"));
        QCOMPARE(combo.count(), 3);
        QVERIFY(combo.itemText(0).isEmpty());
        QVERIFY(!combo.itemData(0).isValid());
        QCOMPARE(combo.itemText(1), QStringLiteral("a, x"));
        QCOMPARE(combo.itemText(2), QStringLiteral("b, y"));
        QCOMPARE(combo.findData(9), 2);
        QCOMPARE(combo.itemData(1, LookupTextRole).toString(), QStringLiteral("a"));
        QCOMPARE(combo.itemData(2, LookupExtraRole + 1).toString(), QStringLiteral("y"));
        // without a separator the text alone shows
        fillLookupCombo(&combo, items);
        QCOMPARE(combo.itemText(0), QStringLiteral("a"));
        QCOMPARE(combo.findData(7), 0);
    }

    void progressWindowReportsForCodeWithoutWindows()
    {
        QVERIFY(!dynamic_cast<TfPrubeh *>(&Progress::current()));
        {
            TfPrubeh window;
            QCOMPARE(window.windowTitle(), QStringLiteral("Ukazatel průběhu"));
            QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);
            auto *pb1 = window.findChild<QProgressBar *>(QStringLiteral("pb1"));
            QVERIFY(pb1);
            QCOMPARE(&Progress::current(), static_cast<Progress *>(&window));
            {
                ProgressRun run(4);
                QVERIFY(window.isVisible());
                QCOMPARE(window.pos(), QPoint(100, 100));
                QCOMPARE(pb1->value(), 0);
                QCOMPARE(pb1->maximum(), 4);
                run.step();
                run.step();
                QCOMPARE(pb1->value(), 2);
            }
            QVERIFY(!window.isVisible());
            // a second run starts from zero
            Progress::current().start(10);
            QCOMPARE(pb1->value(), 0);
            QCOMPARE(pb1->maximum(), 10);
            Progress::current().finish();
        }
        // the window is gone: reports go nowhere
        QVERIFY(!dynamic_cast<TfPrubeh *>(&Progress::current()));
        ProgressRun silent(3);
        silent.step();
    }
};

QTEST_MAIN(TestViewHelpers)
#include "tst_viewhelpers.moc"
