#include "widgets/textformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

namespace {
// The format the toggles go by: that of the first selected character.
QTextCharFormat selectionFormat(const QTextCursor &cursor)
{
    if (!cursor.hasSelection())
        return cursor.charFormat();
    QTextCursor probe(cursor.document());
    probe.setPosition(cursor.selectionStart() + 1);
    return probe.charFormat();
}

void toggleBullets(QTextEdit *editor)
{
    QTextCursor cursor = editor->textCursor();
    cursor.beginEditBlock();
    if (cursor.currentList()) {
        QTextDocument *doc = editor->document();
        const QTextBlock last = doc->findBlock(cursor.selectionEnd());
        for (QTextBlock b = doc->findBlock(cursor.selectionStart()); b.isValid(); b = b.next()) {
            if (QTextList *list = b.textList()) {
                list->remove(b);
                QTextCursor c(b);
                QTextBlockFormat f = b.blockFormat();
                f.setIndent(0);
                c.setBlockFormat(f);
            }
            if (b == last)
                break;
        }
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
    cursor.endEditBlock();
}
} // namespace

void ApplyTextFormat(QTextEdit *editor, const QString &command)
{
    if (!editor)
        return;
    for (const QChar letter : command) {
        const QTextCharFormat now = selectionFormat(editor->textCursor());
        QTextCharFormat change;
        switch (letter.unicode()) {
        case 'B':
            change.setFontWeight(now.fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
            editor->mergeCurrentCharFormat(change);
            break;
        case 'I':
            change.setFontItalic(!now.fontItalic());
            editor->mergeCurrentCharFormat(change);
            break;
        case 'U':
            change.setFontUnderline(!now.fontUnderline());
            editor->mergeCurrentCharFormat(change);
            break;
        case 'O':
            toggleBullets(editor);
            break;
        case 'L':
            editor->setAlignment(Qt::AlignLeft);
            break;
        case 'C':
            editor->setAlignment(Qt::AlignHCenter);
            break;
        case 'R':
            editor->setAlignment(Qt::AlignRight);
            break;
        default:
            break;
        }
    }
}
