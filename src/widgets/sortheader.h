#pragma once
// The title sort of the program's grids: a click on a column title orders the rows by
// that column ascending and shows the title blue; a click on the blue title orders them
// descending and shows it green; any other click starts ascending again. The header
// keeps only the state and the colours; the window that owns the rows rebuilds its
// ORDER BY and reopens them in its sort handler, and refuses the new order by
// returning false (asked to save first and cancelled, or the reopen failed), in which
// case the titles stay as they were.
#include <QHeaderView>
#include <QStringList>
#include <functional>

class SortHeader : public QHeaderView
{
    Q_OBJECT
public:
    // Receives the section, the expression to sort by and the direction; true when the
    // rows now are in that order.
    using SortHandler = std::function<bool(int section, const QString &expression, bool descending)>;

    explicit SortHeader(QWidget *parent = nullptr);

    // What each section sorts by (a field or an expression); a section without one is
    // not sortable.
    void setSortExpressions(const QStringList &expressions) { m_expressions = expressions; }
    QStringList sortExpressions() const { return m_expressions; }
    QString sortExpression(int section) const;
    void setSortHandler(SortHandler handler) { m_handler = std::move(handler); }

    // The click on a title; true when the order changed.
    bool clickSection(int section);

    int sortSection() const { return m_section; }
    bool sortDescending() const { return m_descending; }
    void setSortState(int section, bool descending);
    void clearSortState() { setSortState(-1, false); }
    QColor titleColor(int section) const;

    // " ORDER BY " + expression, with " Desc " for the descending order.
    static QString orderByClause(const QString &expression, bool descending);

signals:
    void sorted(int section, const QString &expression, bool descending);

protected:
    void initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const override;

private:
    QStringList m_expressions;
    SortHandler m_handler;
    int m_section = -1;
    bool m_descending = false;
};
