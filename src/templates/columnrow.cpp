#include "templates/columnrow.h"

#include <algorithm>
#include <numeric>

namespace Templates {

const ReportColumn *ColumnRow::selectedColumn() const
{
    return m_selected >= 0 && m_selected < columns.size() ? &columns.at(m_selected) : nullptr;
}

ReportColumn *ColumnRow::selectedColumn()
{
    return m_selected >= 0 && m_selected < columns.size() ? &columns[m_selected] : nullptr;
}

void ColumnRow::select(int index)
{
    m_selected = index >= 0 && index < columns.size() ? index : -1;
}

bool ColumnRow::isResizeZone(int index, int x) const
{
    return index >= 0 && index < columns.size() && x >= columns.at(index).width - EdgeGrip;
}

void ColumnRow::press(int index, int x)
{
    select(index);
    if (m_selected < 0) {
        m_drag = Drag::None;
        return;
    }
    m_drag = isResizeZone(index, x) ? Drag::Resize : Drag::Move;
    m_pressX = x;
    m_lastX = x;
}

void ColumnRow::drag(int x)
{
    ReportColumn *c = selectedColumn();
    if (!c || m_drag == Drag::None)
        return;
    if (m_drag == Drag::Move) {
        c->left = qMax(0, c->left + x - m_pressX);
    } else {
        c->width = qMax(MinWidth, c->width + x - m_lastX);
        m_lastX = x;
    }
}

QList<int> ColumnRow::release()
{
    m_drag = Drag::None;
    return layOut();
}

QList<int> ColumnRow::layOut()
{
    QList<int> order(columns.size());
    std::iota(order.begin(), order.end(), 0);
    // on equal edges the box just dropped goes first: it was put there; the others keep
    // their order
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        if (columns.at(a).left != columns.at(b).left)
            return columns.at(a).left < columns.at(b).left;
        return a == m_selected && b != m_selected;
    });
    QList<ReportColumn> sorted;
    int left = 0;
    int selected = -1;
    for (int i = 0; i < order.size(); ++i) {
        ReportColumn c = columns.at(order.at(i));
        c.left = left;
        c.width = qMax(MinWidth, c.width);
        left += c.width;
        if (order.at(i) == m_selected)
            selected = i;
        sorted << c;
    }
    columns = sorted;
    m_selected = selected;
    return order;
}

QString ColumnRow::status() const
{
    const ReportColumn *c = selectedColumn();
    return c ? QString::number(c->left) + QStringLiteral(" / ") + QString::number(c->width) : QString();
}

int ColumnRow::rightEnd() const
{
    int end = 0;
    for (const ReportColumn &c : columns)
        end = qMax(end, c.left + c.width);
    return end;
}

int ColumnRow::indexOfItem(const DictionaryItem &item) const
{
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).itemKey == item.key
            && columns.at(i).name.trimmed().compare(item.fieldName(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int ColumnRow::addItem(const DictionaryItem &item)
{
    if (indexOfItem(item) >= 0)
        return -1;
    ReportColumn c;
    c.name = item.fieldName();
    c.caption = QLatin1Char(' ') + item.caption.trimmed() + QLatin1Char(' ');
    c.itemKey = item.key;
    c.left = rightEnd();
    c.width = NewWidth;
    c.valueAlignment = item.type.trimmed() == QLatin1String("I") ? AlignRight : AlignLeft;
    c.captionAlignment = AlignLeft;
    columns << c;
    m_selected = int(columns.size()) - 1;
    return m_selected;
}

int ColumnRow::addEmpty()
{
    ReportColumn c;
    c.left = rightEnd();
    c.width = NewWidth;
    c.caption = QStringLiteral("  ...  ");
    c.name = QStringLiteral("Free_") + QString::number(c.left);
    // a name taken by an empty box that was moved away stays its own
    auto taken = [this](const QString &name) {
        return std::any_of(columns.cbegin(), columns.cend(), [&](const ReportColumn &o) { return o.name == name; });
    };
    for (int n = 1; taken(c.name); ++n)
        c.name = QStringLiteral("Free_%1_%2").arg(c.left).arg(n);
    c.valueAlignment = AlignRight;
    columns << c;
    m_selected = int(columns.size()) - 1;
    return m_selected;
}

void ColumnRow::removeSelected()
{
    if (m_selected < 0 || m_selected >= columns.size())
        return;
    columns.removeAt(m_selected);
    m_selected = -1;
    layOut();
}

void ColumnRow::clear()
{
    columns.clear();
    m_selected = -1;
    m_drag = Drag::None;
}

} // namespace Templates
