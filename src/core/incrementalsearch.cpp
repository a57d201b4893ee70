#include "core/incrementalsearch.h"
#include "core/format.h"
#include "core/globals.h"
#include "core/listdataset.h"
#include "core/prompt.h"

#include <QDate>
#include <QDateTime>
#include <QKeyEvent>

IncrementalSearch::IncrementalSearch(ListDataset *list, const QString &column)
    : m_list(list), m_column(column)
{
}

void IncrementalSearch::setDataset(ListDataset *list)
{
    m_list = list;
    m_text.clear();
}

void IncrementalSearch::setColumn(const QString &column)
{
    if (column.compare(m_column, Qt::CaseInsensitive) != 0)
        m_text.clear();
    m_column = column;
}

void IncrementalSearch::setDisplayText(DisplayText displayText)
{
    m_displayText = std::move(displayText);
}

int IncrementalSearch::append(QChar c)
{
    m_text += c;
    return search();
}

int IncrementalSearch::backspace()
{
    m_text.chop(1);
    return search();
}

int IncrementalSearch::search()
{
    if (m_text.isEmpty() || !m_list)
        return -1;
    const int row = locatePrefix(*m_list, m_column, m_text, m_displayText);
    if (row < 0)
        Prompt::beep();
    return row;
}

bool IncrementalSearch::handleKey(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        backspace();
        return true;
    case Qt::Key_Escape:
        if (m_text.isEmpty())
            return false;
        clear();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        clear();
        return false;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString typed = event.text();
    if (typed.size() != 1 || !typed.at(0).isPrint())
        return false;
    append(typed.at(0));
    return true;
}

int IncrementalSearch::locatePrefix(ListDataset &list, const QString &column, const QString &text,
                                    const DisplayText &displayText)
{
    const int c = list.fieldIndex(column);
    if (c < 0 || text.isEmpty())
        return -1;
    const DisplayText &show = displayText ? displayText : DisplayText(&IncrementalSearch::defaultDisplayText);
    int from = 0;
    for (;;) {
        for (int r = from; r < list.loadedRows(); ++r) {
            if (show(list.value(r, c)).startsWith(text, Qt::CaseInsensitive)) {
                list.setCurrentRow(r);
                return r;
            }
        }
        from = list.loadedRows();
        if (!list.canFetchMore() || list.fetchMore() == 0)
            return -1;
    }
}

QString IncrementalSearch::defaultDisplayText(const QVariant &value)
{
    return displayText(value);
}
