#include "templates/templatesql.h"
#include "core/class.h"

#include <algorithm>

namespace Templates {

ReportSelect reportSelect(const ReportDesign &design, const QList<DictionaryItem> &offered)
{
    QList<ReportColumn> columns = design.columns;
    std::stable_sort(columns.begin(), columns.end(),
                     [](const ReportColumn &a, const ReportColumn &b) { return a.left < b.left; });
    ReportSelect out;
    int number = 0;
    for (const ReportColumn &c : columns) {
        PrintColumn p;
        p.number = ++number;
        p.left = c.left + 2;
        p.width = c.width - 3;
        p.caption = c.caption.trimmed();
        p.captionAlignment = c.captionAlignment;
        p.valueAlignment = c.valueAlignment;
        p.captionFont = c.captionFont;
        p.valueFont = c.valueFont;
        p.sum = c.sum;
        if (c.itemKey != 0) {
            auto it = std::find_if(offered.cbegin(), offered.cend(),
                                   [&](const DictionaryItem &i) { return i.key == c.itemKey; });
            if (it != offered.cend()) {
                if (!out.selectList.isEmpty())
                    out.selectList += QStringLiteral(", ");
                out.selectList += it->alias + QLatin1Char('.') + it->column + QStringLiteral(" as ")
                                  + it->fieldName();
                p.fieldName = it->fieldName();
            }
        }
        out.columns << p;
    }
    return out;
}

static bool isNullWord(const QString &value)
{
    return value.trimmed().compare(QLatin1String("null"), Qt::CaseInsensitive) == 0;
}

// One condition as a line of the WHERE text. Values go inside apostrophes with theirs
// doubled, so a name such as O'Neil stays one literal.
static QString conditionLine(const FilterCondition &c, const QString &previousConnective)
{
    const QString type = c.type.trimmed().toUpper();
    const bool text = type == QLatin1String("A");
    const bool quotable = text || type == QLatin1String("D");
    const bool isNull = isNullWord(c.value);
    const QString value = text ? c.value.toUpper() : c.value;

    QString line = previousConnective;
    if (text)
        line += QStringLiteral(" Upper(") + c.item + QStringLiteral(" COLLATE PXW_CSY)");
    else
        line += QLatin1Char(' ') + c.item;

    const QString op = c.op.trimmed();
    if (op == Operator::StartsWith) {
        line += QStringLiteral(" like '") + sqlQuoted(value) + QStringLiteral("%' ");
    } else if (op == Operator::EndsWith) {
        line += QStringLiteral(" like '%") + sqlQuoted(value) + QStringLiteral("' ");
    } else if (op == Operator::Contains) {
        line += QStringLiteral(" like '%") + sqlQuoted(value) + QStringLiteral("%' ");
    } else if (op.compare(Operator::In, Qt::CaseInsensitive) == 0) {
        // the user writes the list with its own apostrophes
        line += QStringLiteral(" IN (") + value + QStringLiteral(") ");
    } else if (isNull && op == Operator::Equal) {
        line += QStringLiteral(" IS NULL ");
    } else if (isNull && op == Operator::NotEqual) {
        line += QStringLiteral(" IS NOT NULL ");
    } else if (!op.isEmpty()) {
        const QString literal = quotable && !isNull
                                    ? QLatin1Char('\'') + sqlQuoted(value) + QLatin1Char('\'')
                                    : value;
        line += QLatin1Char(' ') + op + QLatin1Char(' ') + literal;
    }
    return line;
}

// Text that may end in a "--" comment gets its closing parenthesis on the next line.
static QString parenthesised(const QString &text)
{
    return QLatin1Char('(') + text + (text.contains(QLatin1String("--")) ? QStringLiteral("\n)")
                                                                          : QStringLiteral(")"));
}

// The parts of a filter, each in parentheses, joined by " AND " lines.
static QStringList filterParts(const QList<FilterCondition> &conditions, const QString &ownCondition,
                               const QString &baseCondition, int *partCount)
{
    QStringList rows;
    QString previous;
    for (const FilterCondition &c : conditions) {
        rows << conditionLine(c, previous);
        previous = c.connective;
    }
    if (!rows.isEmpty() && previous.trimmed().startsWith(QLatin1Char(')')))
        rows << QStringLiteral(")");

    QStringList lines;
    int parts = 0;
    auto addPart = [&](const QStringList &part) {
        if (parts++ > 0)
            lines << QStringLiteral(" AND ");
        lines += part;
    };
    if (!rows.isEmpty()) {
        rows.first().prepend(QLatin1Char('('));
        rows.last().append(QLatin1Char(')'));
        addPart(rows);
    }
    if (!ownCondition.trimmed().isEmpty())
        addPart({parenthesised(ownCondition.trimmed())});
    if (!baseCondition.trimmed().isEmpty())
        addPart({parenthesised(baseCondition.trimmed())});
    if (partCount)
        *partCount = parts;
    return lines;
}

QStringList filterLines(const QList<FilterCondition> &conditions, const QString &ownCondition,
                        const QString &baseCondition)
{
    return filterParts(conditions, ownCondition, baseCondition, nullptr);
}

QString filterCondition(const QList<FilterCondition> &conditions, const QString &ownCondition,
                        const QString &baseCondition)
{
    int parts = 0;
    const QStringList lines = filterParts(conditions, ownCondition, baseCondition, &parts);
    if (parts == 0)
        return QString();
    // a single part is in parentheses already
    if (parts == 1)
        return lines.join(QString());
    return QLatin1Char('(') + lines.join(QString()) + QLatin1Char(')');
}

QString sortOrder(const QList<SortChoice> &choices)
{
    QStringList items;
    for (const SortChoice &c : choices) {
        const QString item = c.item.trimmed();
        if (item.isEmpty() || item == QLatin1String("nic"))
            continue;
        items << (c.descending ? item + QStringLiteral(" DESC ") : item);
    }
    if (items.isEmpty())
        return QString();
    return QStringLiteral(" ORDER BY ") + items.join(QStringLiteral(", "));
}

} // namespace Templates
