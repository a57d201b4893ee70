#pragma once
// Search by typing in a list grid, shared by the list window and the address picker:
// the typed text is a case-insensitive prefix of the current column's display text,
// looked for from the first row, reading further pages of the list as needed. The
// window forwards its keys and shows text() in its status bar.
#include <QString>
#include <QVariant>
#include <functional>

class ListDataset;
class QKeyEvent;

class IncrementalSearch
{
public:
    using DisplayText = std::function<QString(const QVariant &)>;

    explicit IncrementalSearch(ListDataset *list = nullptr, const QString &column = QString());

    void setDataset(ListDataset *list);
    ListDataset *dataset() const { return m_list; }
    // Searching another column starts a new text.
    void setColumn(const QString &column);
    QString column() const { return m_column; }
    // How a value reads in the grid; by default defaultDisplayText.
    void setDisplayText(DisplayText displayText);

    QString text() const { return m_text; }

    // Each of these changes the text and searches again; they return the row found
    // (now the current row) or -1. A failed search beeps and leaves the current row;
    // an empty text searches nothing.
    int append(QChar c);
    int backspace();
    void clear() { m_text.clear(); }

    // Backspace, Esc (while there is a text) and printable characters belong to the
    // search and return true; Up, Down, Page Up and Page Down end the search text and
    // return false so the grid still moves; anything else is left to the window.
    bool handleKey(const QKeyEvent &event);

    // Finds the first row whose column starts with the text (ignoring case), makes it
    // the current row and returns it; -1 when there is none (the row stays).
    static int locatePrefix(ListDataset &list, const QString &column, const QString &text,
                            const DisplayText &displayText = DisplayText());
    // Dates as dd.mm.yyyy, decimals with the program's separator, the rest as text.
    static QString defaultDisplayText(const QVariant &value);

private:
    int search();
    ListDataset *m_list = nullptr;
    QString m_column;
    QString m_text;
    DisplayText m_displayText;
};
