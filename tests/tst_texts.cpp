// The library of defined texts and the rich-text editor on real database files:
// adding, renaming, formatting, saving and reopening a text; the program's own texts
// (with a code) that nothing removes; closing after a failed save; a library text
// inserted at the caret; the formatting keys and the ruler.
#include <QtTest>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <memory>

#include "widgets/seztext.h"
#include "widgets/textedit.h"
#include "admin/texty.h"
#include "core/globals.h"
#include "core/rtf.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "support/programdatabasetest.h"

namespace {

QString fieldText(const QVariant &v)
{
    return Rtf::fieldText(v);
}

// Runs of equally formatted text of a document: "[text] b i u #color".
QStringList runs(const QTextDocument &doc)
{
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        lines << QStringLiteral("P%1%2").arg(int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask))
                     .arg(b.textList() ? QStringLiteral(" bullet") : QString());
        QString text, lastLook;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString look = QStringLiteral("%1%2%3 %4")
                                     .arg(f.fontWeight() >= QFont::Bold ? QStringLiteral(" b") : QString())
                                     .arg(f.fontItalic() ? QStringLiteral(" i") : QString())
                                     .arg(f.fontUnderline() ? QStringLiteral(" u") : QString())
                                     .arg(f.foreground().style() == Qt::NoBrush ? QStringLiteral("auto")
                                                                                 : f.foreground().color().name());
            if (look != lastLook && !text.isEmpty()) {
                lines << QStringLiteral("  [%1]%2").arg(text, lastLook);
                text.clear();
            }
            lastLook = look;
            text += it.fragment().text();
        }
        if (!text.isEmpty())
            lines << QStringLiteral("  [%1]%2").arg(text, lastLook);
    }
    return lines;
}

// Types a text key by key (QTest::keyClicks drops letters outside Latin-1).
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
}

void select(QTextEdit *edit, int from, int to)
{
    QTextCursor c = edit->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
}

QToolButton *button(QWidget *w, const char *name)
{
    return w->findChild<QToolButton *>(QString::fromLatin1(name));
}

} // namespace

class TestTexts : public ProgramDatabaseTest
{
    Q_OBJECT
private:
    int insertText(const QString &kod, const QString &popis, const QString &text)
    {
        const int key = int(DM->NextKey(QStringLiteral("TEXTY")));
        QSqlQuery q = DM->NewQuery();
        q.prepare(QStringLiteral("INSERT INTO TEXTY (UNCIS, KOD, POPIS, TEXT, KLIC) VALUES (:U, :K, :P, :T, 0)"));
        q.bindValue(QStringLiteral(":U"), key);
        q.bindValue(QStringLiteral(":K"), kod.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(kod));
        q.bindValue(QStringLiteral(":P"), popis);
        q.bindValue(QStringLiteral(":T"), text);
        if (!q.exec())
            qWarning() << q.lastError().text();
        return key;
    }
    void chooseText(TfTexty &w, const QString &name)
    {
        const int index = w.chooser()->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        w.chooser()->setCurrentIndex(index);
        emit w.chooser()->activated(index);
        QCOMPARE(w.library().rows().value(QStringLiteral("POPIS")).toString(), name);
    }

private slots:
    void init() { startFresh(); }
    void cleanup() { finish(); }

    void addRenameFormatSaveAndReopen()
    {
        insertText(QString(), QStringLiteral("Úvod"), QStringLiteral("Starý text bez formátu"));
        QStringList formatted;
        int key = 0;
        {
            TfTexty w;
            QVERIFY(w.isCreated());
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarko 8: Předdefinice textů"));
            QCOMPARE(w.chooser()->count(), 1);
            QCOMPARE(w.Pridat(), 0);
            RowCache &rows = w.library().rows();
            key = rows.value(QStringLiteral("UNCIS")).toInt();
            QCOMPARE(qint64(key), DM->NextKey(QStringLiteral("TEXTY")) - 100);   // the key was taken
            QCOMPARE(rows.value(QStringLiteral("KLIC")).toInt(), 0);
            QCOMPARE(w.chooser()->count(), 2);
            auto *name = w.findChild<QLineEdit *>(QStringLiteral("eNazev"));
            QVERIFY(name);
            name->setText(QString());
            typeText(name, QStringLiteral("Závěr kontroly"));
            QCOMPARE(rows.value(QStringLiteral("POPIS")).toString(), QStringLiteral("Závěr kontroly"));
            QCOMPARE(w.chooser()->currentText(), QStringLiteral("Závěr kontroly"));   // the look-up follows

            prompt().onModal([&](QDialog *d) {
                auto *editor = qobject_cast<TfTextEdit *>(d);
                if (!editor)
                    return int(QDialog::Rejected);
                QTextEdit *text = editor->editor();
                text->setFocus();
                typeText(text, QStringLiteral("Přístroje jsou provozuschopné."));
                QTest::keyClick(text, Qt::Key_Return);
                typeText(text, QStringLiteral("Další kontrola za rok."));
                select(text, 10, 14);   // "jsou"
                editor->Tucne();
                select(text, 0, 9);     // "Přístroje"
                editor->Podtrzeni();
                select(text, 37, 45);   // "kontrola"
                editor->Kurziva();
                editor->Zarovnat(QStringLiteral("C"));
                formatted = runs(*text->document());
                editor->Zavrit();
                return int(QDialog::Accepted);
            });
            QCOMPARE(w.EditorTextu(), 0);
            QVERIFY(!formatted.isEmpty());
            QVERIFY(Rtf::isRtf(fieldText(rows.value(QStringLiteral("TEXT")))));
            QCOMPARE(w.Ulozit(), 0);
            // back on the text that was current, though the order by name moved it
            QCOMPARE(rows.value(QStringLiteral("UNCIS")).toInt(), key);
            QCOMPARE(w.chooser()->itemText(0), QStringLiteral("Úvod"));
            QCOMPARE(w.chooser()->itemText(1), QStringLiteral("Závěr kontroly"));
        }
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM TEXTY WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("Závěr kontroly"));
        QCOMPARE(scalar(QStringLiteral("SELECT KDO FROM TEXTY WHERE UNCIS = %1").arg(key)).toString(),
                 userStamp());
        QVERIFY(!scalar(QStringLiteral("SELECT KDY FROM TEXTY WHERE UNCIS = %1").arg(key)).isNull());
        const QString stored = fieldText(scalar(QStringLiteral("SELECT TEXT FROM TEXTY WHERE UNCIS = %1").arg(key)));
        QVERIFY(stored.startsWith(QLatin1String("{\\rtf1\\ansi\\ansicpg1250")));
        QVERIFY(stored.contains(QLatin1String("P\\'f8\\'edstroje")));

        // opened again, the text is what was saved, and looking at it changes nothing
        TfTexty again;
        chooseText(again, QStringLiteral("Závěr kontroly"));
        QStringList reopened;
        bool changedByLooking = true;
        prompt().onModal([&](QDialog *d) {
            auto *editor = static_cast<TfTextEdit *>(d);
            reopened = runs(*editor->editor()->document());
            changedByLooking = editor->isChanged();
            return int(QDialog::Accepted);
        });
        QCOMPARE(again.EditorTextu(), 0);
        QCOMPARE(reopened, formatted);
        QVERIFY(!changedByLooking);
        QVERIFY(!again.library().isModified());
        QCOMPARE(formatted, QStringList({
            QStringLiteral("P1"),
            QStringLiteral("  [Přístroje] u auto"),
            QStringLiteral("  [ ] auto"),
            QStringLiteral("  [jsou] b auto"),
            QStringLiteral("  [ provozuschopné.] auto"),
            QStringLiteral("P4"),
            QStringLiteral("  [Další ] auto"),
            QStringLiteral("  [kontrola] i auto"),
            QStringLiteral("  [ za rok.] auto"),
        }));

        // the old plain text reads as it was
        chooseText(again, QStringLiteral("Úvod"));
        auto *preview = again.findChild<QTextEdit *>(QStringLiteral("reText"));
        QCOMPARE(preview->toPlainText(), QStringLiteral("Starý text bez formátu"));
    }

    void programTextsCannotBeRemoved()
    {
        const int own = insertText(QStringLiteral("HP_ZAVER"), QStringLiteral("Závěr HP"), QStringLiteral("x"));
        const int user = insertText(QString(), QStringLiteral("Můj text"), QStringLiteral("y"));
        TfTexty w;
        QToolButton *ubrat = button(&w, "sbUbrat");
        QVERIFY(ubrat);

        chooseText(w, QStringLiteral("Závěr HP"));
        QVERIFY(!ubrat->isEnabled());
        QVERIFY(!w.library().CanRemove());
        // no other way either: the window's action, the routine, the rows themselves
        QCOMPARE(w.Ubrat(), int(TextLibrary::ResRefused));
        QCOMPARE(prompt().lastText(), QStringLiteral("Text s kódem patří programu, nelze jej smazat."));
        QCOMPARE(w.library().Remove(), int(TextLibrary::ResRefused));
        w.library().rows().deleteCurrentRow();
        prompt().clear();
        QCOMPARE(w.Ulozit(), int(TextLibrary::ResSaveFailed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při uložení textu"));
        QCOMPARE(prompt().shown.last().caption, QStringLiteral("Zpráva"));
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TEXTY WHERE UNCIS = %1").arg(own)), 1);
        prompt().clear();

        TfTexty fresh;
        QToolButton *ubrat2 = button(&fresh, "sbUbrat");
        chooseText(fresh, QStringLiteral("Můj text"));
        QVERIFY(ubrat2->isEnabled());
        prompt().answer(PromptNo);
        QCOMPARE(fresh.Ubrat(), 1);
        QCOMPARE(prompt().lastText(), QStringLiteral("Smazat vybraný text ?"));
        QCOMPARE(prompt().shown.last().caption, QStringLiteral("Pozor"));
        QCOMPARE(fresh.library().rows().rowCount(), 2);
        prompt().answer(PromptYes);
        QCOMPARE(fresh.Ubrat(), 0);
        QCOMPARE(fresh.chooser()->count(), 1);
        QCOMPARE(fresh.Ulozit(), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TEXTY WHERE UNCIS = %1").arg(user)), 0);
        QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM TEXTY WHERE UNCIS = %1").arg(own)), 1);
        // the text left is the program's: nothing to remove
        QCOMPARE(fresh.library().rows().value(QStringLiteral("UNCIS")).toInt(), own);
        QVERIFY(!ubrat2->isEnabled());
        prompt().clear();
    }

    void closingAfterAFailedSaveKeepsTheWindow()
    {
        const int key = insertText(QString(), QStringLiteral("Poznámka"), QStringLiteral("text"));
        TfTexty w;
        w.show();
        auto *name = w.findChild<QLineEdit *>(QStringLiteral("eNazev"));
        name->setText(QString());
        typeText(name, QStringLiteral("Poznámka upravená"));

        // another workstation changed the text meanwhile: this save must not win
        auto second = secondWorkstation();
        QVERIFY(second);
        {
            QSqlQuery q = second->NewQuery();
            QVERIFY(q.exec(QStringLiteral("UPDATE TEXTY SET POPIS = 'Jinde', KLIC = KLIC + 1 WHERE UNCIS = %1").arg(key)));
        }

        QCOMPARE(w.Zavrit(), int(TextLibrary::ResSaveFailed));
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při uložení textu"));
        QVERIFY(w.isVisible());
        QCOMPARE(name->text(), QStringLiteral("Poznámka upravená"));
        QCOMPARE(w.library().rows().value(QStringLiteral("POPIS")).toString(), QStringLiteral("Poznámka upravená"));
        // the window's cross and Esc go through the same save
        prompt().clear();
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(prompt().lastText(), QStringLiteral("Chyba při uložení textu"));
        prompt().clear();
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM TEXTY WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("Jinde"));
        second.reset();

        // a save that works closes the window
        TfTexty ok;
        ok.show();
        chooseText(ok, QStringLiteral("Jinde"));
        auto *name2 = ok.findChild<QLineEdit *>(QStringLiteral("eNazev"));
        name2->setText(QString());
        typeText(name2, QStringLiteral("Zpět"));
        QCOMPARE(ok.Zavrit(), 0);
        QVERIFY(!ok.isVisible());
        QCOMPARE(scalar(QStringLiteral("SELECT POPIS FROM TEXTY WHERE UNCIS = %1").arg(key)).toString(),
                 QStringLiteral("Zpět"));
    }

    void libraryTextGoesInAtTheCaretWithItsFormatting()
    {
        // the library text: bold red words and a plain one
        QTextDocument library;
        QTextCursor lc(&library);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setForeground(QColor(0xff, 0, 0));
        lc.insertText(QStringLiteral("VLOŽENÝ TEXT"), bold);
        lc.insertText(QStringLiteral(" "), QTextCharFormat());
        const int inserted = insertText(QString(), QStringLiteral("Vložka"), Rtf::write(&library));
        insertText(QString(), QStringLiteral("Jiný"), QStringLiteral("jiný"));

        // any row with a rich-text column can be edited: here a remark of some record
        RowCache remark;
        {
            QSqlQuery q = DM->NewQuery();
            QVERIFY(q.exec(QStringLiteral("SELECT * FROM TEXTY WHERE POPIS = 'Jiný'")));
            remark.load(q);
        }
        remark.setValue(QStringLiteral("TEXT"), QStringLiteral("Začátek konec"));
        TfTextEdit editor;
        editor.BindField(remark, QStringLiteral("TEXT"));
        QTextEdit *text = editor.editor();
        QCOMPARE(text->toPlainText(), QStringLiteral("Začátek konec"));
        select(text, 8, 8);

        QGuiApplication::clipboard()->clear();
        prompt().onModal([&](QDialog *d) {
            auto *picker = qobject_cast<TfSezText *>(d);
            if (!picker)
                return int(QDialog::Rejected);
            if (d->windowTitle() != QStringLiteral("Seznam textů"))
                return int(QDialog::Rejected);
            picker->rows().locate(QStringLiteral("UNCIS"), inserted);
            picker->Vybrat();
            return picker->result();
        });
        QCOMPARE(editor.NaplnitText(), 0);
        QCOMPARE(text->toPlainText(), QStringLiteral("Začátek VLOŽENÝ TEXT konec"));
        // the caret stands behind the inserted text
        QCOMPARE(text->textCursor().position(), 8 + 13);
        QCOMPARE(runs(*text->document()), QStringList({
            QStringLiteral("P1"),
            QStringLiteral("  [Začátek ] auto"),
            QStringLiteral("  [VLOŽENÝ TEXT] b #ff0000"),
            QStringLiteral("  [ konec] auto"),
        }));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("VLOŽENÝ TEXT "));
        // the row got it, as RTF
        const QString stored = fieldText(remark.value(QStringLiteral("TEXT")));
        QVERIFY(Rtf::isRtf(stored));
        QCOMPARE(Rtf::plainText(stored), QStringLiteral("Začátek VLOŽENÝ TEXT konec"));
        QVERIFY(editor.isChanged());

        // typing goes on behind it, a multi-paragraph text too
        QTest::keyClicks(text, QStringLiteral("!"));
        QCOMPARE(text->toPlainText(), QStringLiteral("Začátek VLOŽENÝ TEXT !konec"));
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("UPDATE TEXTY SET TEXT = '{\\rtf1\\ansi a\\par b\\par}' WHERE UNCIS = %1")
                           .arg(inserted)));
        prompt().onModal([&](QDialog *d) {
            // a double click in the list chooses too
            auto *picker = static_cast<TfSezText *>(d);
            int row = -1;
            for (int r = 0; r < picker->rows().rowCount(); ++r)
                if (picker->rows().value(r, QStringLiteral("UNCIS")).toInt() == inserted)
                    row = r;
            const QModelIndex cell = picker->grid()->model()->index(row, 0);
            picker->grid()->setCurrentIndex(cell);
            emit picker->grid()->doubleClicked(cell);
            return picker->result();
        });
        QCOMPARE(editor.NaplnitText(), 0);
        QCOMPARE(text->toPlainText(), QStringLiteral("Začátek VLOŽENÝ TEXT !a\nbkonec"));
        QCOMPARE(text->textCursor().position(), 22 + 3);

        // "Konec" chooses nothing and changes nothing
        const QString before = text->toPlainText();
        prompt().onModal([&](QDialog *d) {
            static_cast<TfSezText *>(d)->Konec();
            return d->result();
        });
        QCOMPARE(editor.NaplnitText(), 1);
        QCOMPARE(text->toPlainText(), before);

        // "Odvolat změny" goes back to what the text was when the editor got it
        QCOMPARE(editor.OdvolatZmeny(), 0);
        QCOMPARE(text->toPlainText(), QStringLiteral("Začátek konec"));
        QVERIFY(!editor.isChanged());
        editor.Unbind();
    }

    void formattingKeysAndToolButtons()
    {
        RowCache row;
        insertText(QString(), QStringLiteral("Klávesy"), QStringLiteral("jedna dva tři"));
        {
            QSqlQuery q = DM->NewQuery();
            QVERIFY(q.exec(QStringLiteral("SELECT * FROM TEXTY")));
            row.load(q);
        }
        TfTextEdit editor;
        QCOMPARE(editor.windowTitle(), QStringLiteral("Editor textů"));
        QCOMPARE(button(&editor, "sbKurziva")->toolTip(), QStringLiteral("Kurzíva (Ctrl+K)"));
        QCOMPARE(button(&editor, "sbTucne")->toolTip(), QStringLiteral("Tučné (Ctrl+B)"));
        QCOMPARE(button(&editor, "sbPodtrzeni")->toolTip(), QStringLiteral("Podtržení (Ctrl+U)"));
        QCOMPARE(button(&editor, "sbPismo")->toolTip(), QStringLiteral("Písmo (Ctrl+F)"));
        QCOMPARE(button(&editor, "sbOdrazky")->toolTip(), QStringLiteral("Odrážky (Ctrl+O)"));
        editor.BindField(row, QStringLiteral("TEXT"));
        editor.show();
        editor.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTextEdit *text = editor.editor();
        text->setFocus();
        select(text, 6, 9);   // "dva"

        // Ctrl+K is italic (not the editor's delete to the end of the line), Ctrl+I is not
        QTest::keyClick(text, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!text->textCursor().charFormat().fontItalic());
        QTest::keyClick(text, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(text->toPlainText(), QStringLiteral("jedna dva tři"));
        QVERIFY(text->textCursor().charFormat().fontItalic());
        QVERIFY(button(&editor, "sbKurziva")->isChecked());
        QTest::keyClick(text, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(button(&editor, "sbTucne")->isChecked());
        QTest::keyClick(text, Qt::Key_U, Qt::ControlModifier);   // not the editor's delete line
        QCOMPARE(text->toPlainText(), QStringLiteral("jedna dva tři"));
        QVERIFY(button(&editor, "sbPodtrzeni")->isChecked());
        QTest::keyClick(text, Qt::Key_K, Qt::ControlModifier);
        QVERIFY(!text->textCursor().charFormat().fontItalic());
        QVERIFY(!button(&editor, "sbKurziva")->isChecked());

        // The editor claims these keys before any shortcut and the key press reaches the
        // formatting, also where the desktop's key scheme gives Ctrl+K and Ctrl+U to the
        // text field (delete to the end of the line, delete the line).
        for (const Qt::Key key : {Qt::Key_K, Qt::Key_U, Qt::Key_B, Qt::Key_O, Qt::Key_F}) {
            QKeyEvent override(QEvent::ShortcutOverride, key, Qt::ControlModifier);
            override.setAccepted(false);
            QApplication::sendEvent(text, &override);
            QVERIFY(override.isAccepted());
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier);
        QApplication::sendEvent(text, &press);
        QVERIFY(text->textCursor().charFormat().fontItalic());
        QApplication::sendEvent(text, &press);
        QVERIFY(!text->textCursor().charFormat().fontItalic());
        QCOMPARE(text->toPlainText(), QStringLiteral("jedna dva tři"));

        // the buttons follow the caret
        select(text, 1, 1);
        QVERIFY(!button(&editor, "sbTucne")->isChecked());
        select(text, 7, 7);
        QVERIFY(button(&editor, "sbTucne")->isChecked());
        QVERIFY(button(&editor, "sbPodtrzeni")->isChecked());

        // bullets and alignment
        QTest::keyClick(text, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(text->textCursor().currentList());
        QVERIFY(button(&editor, "sbOdrazky")->isChecked());
        QTest::mouseClick(button(&editor, "sbVpravo"), Qt::LeftButton);
        QCOMPARE(int(text->alignment() & Qt::AlignHorizontal_Mask), int(Qt::AlignRight));
        QVERIFY(button(&editor, "sbVpravo")->isChecked());
        QVERIFY(!button(&editor, "sbVlevo")->isChecked());

        // the font dialog for the selection
        select(text, 0, 5);
        prompt().onModal([](QDialog *d) {
            auto *fonts = qobject_cast<QFontDialog *>(d);
            if (!fonts)
                return int(QDialog::Rejected);
            QFont f(QStringLiteral("Times New Roman"));
            f.setPointSize(16);
            fonts->setCurrentFont(f);
            return int(QDialog::Accepted);
        });
        QTest::keyClick(text, Qt::Key_F, Qt::ControlModifier);
        QTextCursor probe(text->document());
        probe.setPosition(3);
        QCOMPARE(probe.charFormat().fontPointSize(), 16.0);

        // the row has all of it, and reads back the same
        QTextDocument back;
        Rtf::read(fieldText(row.value(QStringLiteral("TEXT"))), &back);
        QCOMPARE(runs(back), runs(*text->document()));
        editor.Unbind();
    }

    void rulerSetsTheIndents()
    {
        // the rule itself
        ParagraphIndents now{20, 10};   // first line at 30
        ParagraphIndents r = indentsAfterRulerClick(now, RulerFirstLineBand, 50);
        QCOMPARE(r.left, 20.0);
        QCOMPARE(r.firstLine, 30.0);   // first line at 50, the rest stays
        r = indentsAfterRulerClick(now, RulerFirstLineBand - 1, 60);
        QCOMPARE(r.left, 60.0);
        QCOMPARE(r.firstLine, -30.0);  // the first line stays at 30
        r = indentsAfterRulerClick(now, 0, -15);
        QCOMPARE(r.left, 0.0);
        QCOMPARE(r.firstLine, 30.0);

        // clicked on the window's ruler
        insertText(QString(), QStringLiteral("Pravítko"), QStringLiteral("první\ndruhý"));
        RowCache row;
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT * FROM TEXTY")));
        row.load(q);
        TfTextEdit editor;
        editor.BindField(row, QStringLiteral("TEXT"));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTextEdit *text = editor.editor();
        select(text, 7, 7);   // the second paragraph
        TRuler *ruler = editor.ruler();
        const int origin = ruler->origin();
        QVERIFY(origin > 0);
        QTest::mouseClick(ruler, Qt::LeftButton, Qt::NoModifier, QPoint(origin + 40, 4));
        QCOMPARE(text->textCursor().blockFormat().leftMargin(), 40.0);
        QCOMPARE(text->textCursor().blockFormat().textIndent(), -40.0);
        QTest::mouseClick(ruler, Qt::LeftButton, Qt::NoModifier, QPoint(origin + 60, 15));
        QCOMPARE(text->textCursor().blockFormat().leftMargin(), 40.0);
        QCOMPARE(text->textCursor().blockFormat().textIndent(), 20.0);
        QCOMPARE(ruler->indents().left, 40.0);
        QCOMPARE(ruler->indents().firstLine, 20.0);
        // the first paragraph is untouched, and the markers follow the caret to it
        select(text, 1, 1);
        QCOMPARE(text->textCursor().blockFormat().leftMargin(), 0.0);
        QCOMPARE(ruler->indents().left, 0.0);

        // the indents are kept in the stored text
        QTextDocument back;
        Rtf::read(fieldText(row.value(QStringLiteral("TEXT"))), &back);
        QCOMPARE(back.findBlockByNumber(1).blockFormat().leftMargin(), 40.0);
        QCOMPARE(back.findBlockByNumber(1).blockFormat().textIndent(), 20.0);
        editor.Unbind();
    }

    void printsTheTextWithItsTitle()
    {
        insertText(QString(), QStringLiteral("Tisk"), QStringLiteral("{\\rtf1\\ansi\\ansicpg1250 "
                                                                     "{\\b P\\'f8\\'edstroje} v po\\'f8\\'e1dku\\par}"));
        RowCache row;
        QSqlQuery q = DM->NewQuery();
        QVERIFY(q.exec(QStringLiteral("SELECT * FROM TEXTY")));
        row.load(q);
        TfTextEdit editor;
        editor.BindField(row, QStringLiteral("TEXT"));
        const QString pdf = env->path(QStringLiteral("tisk.pdf"));
        QString title;
        prompt().onModal([&](QDialog *d) {
            auto *dialog = qobject_cast<QPrintDialog *>(d);
            if (!dialog)
                return int(QDialog::Rejected);
            title = dialog->windowTitle();
            dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog->printer()->setOutputFileName(pdf);
            return int(QDialog::Accepted);
        });
        QCOMPARE(editor.Tisk(), 0);
        QCOMPARE(title, QStringLiteral("Tisk PIF"));
        QVERIFY(QFileInfo::exists(pdf));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            return;
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral("Přístroje v pořádku")));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("Tisk PIF")));
        editor.Unbind();
    }

    void menuEntryOpensTheLibrary()
    {
        TDM shellDm(QStringLiteral("QelTextsMenu"));
        TfLTarko w(&shellDm);
        QString opened;
        prompt().onModal([&](QDialog *d) {
            opened = d->objectName() + QLatin1Char(' ') + d->windowTitle();
            return 0;
        });
        w.trigger(QStringLiteral("miTexty"));
        QCOMPARE(opened, QStringLiteral("fTexty Tarko 8: Předdefinice textů"));
    }
};

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
