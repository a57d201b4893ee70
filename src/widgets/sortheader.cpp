#include "widgets/sortheader.h"
#include "core/listmodel.h"

#include <QStyleOptionHeader>

SortHeader::SortHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSortIndicatorShown(false);
    connect(this, &QHeaderView::sectionClicked, this, [this](int logical) { clickSection(logical); });
}

QString SortHeader::sortExpression(int section) const
{
    return section >= 0 && section < m_expressions.size() ? m_expressions.at(section).trimmed() : QString();
}

bool SortHeader::clickSection(int section)
{
    const QString expression = sortExpression(section);
    if (expression.isEmpty())
        return false;
    // only the ascending (blue) title turns descending; every other click is ascending
    const bool descending = section == m_section && !m_descending;
    if (m_handler && !m_handler(section, expression, descending))
        return false;
    setSortState(section, descending);
    emit sorted(section, expression, descending);
    return true;
}

void SortHeader::setSortState(int section, bool descending)
{
    m_section = section;
    m_descending = section >= 0 && descending;
    viewport()->update();
}

QColor SortHeader::titleColor(int section) const
{
    if (section >= 0 && section == m_section)
        return m_descending ? ListColours::descending() : ListColours::ascending();
    return QColor(Qt::black);
}

QString SortHeader::orderByClause(const QString &expression, bool descending)
{
    return QStringLiteral(" ORDER BY ") + expression + (descending ? QStringLiteral(" Desc ") : QString());
}

void SortHeader::initStyleOptionForIndex(QStyleOptionHeader *option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->palette.setColor(QPalette::ButtonText, titleColor(logicalIndex));
}
