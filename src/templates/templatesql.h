#pragma once
// SQL text made from the designs: the select list of a printed report, the WHERE
// condition of a filter and the ORDER BY of the sort dialog. Pure functions: the
// windows and the printing hand in what the user designed and get text back.
#include <QList>
#include <QString>
#include <QStringList>

#include "templates/templatemodel.h"

namespace Templates {

// One column as the print lays it out.
struct PrintColumn
{
    int number = 0;          // 1, 2, ... in print order
    int left = 0;            // designer left position + 2
    int width = 0;           // designer width - 3
    QString caption;         // trimmed
    QString fieldName;       // alias + column; empty when the column prints no value
    Alignment captionAlignment = AlignLeft;
    Alignment valueAlignment = AlignLeft;
    ColumnFont captionFont;
    ColumnFont valueFont;
    bool sum = false;
};

struct ReportSelect
{
    QString selectList;      // "HAS.DATUM as HASDATUM, ADR.NAZEV as ADRNAZEV"
    QList<PrintColumn> columns;
};

// The columns in print order (ascending left position) with their fields. A column
// is looked up among the items the report designer is offered; one whose item is
// missing or withdrawn keeps its caption and prints no value.
ReportSelect reportSelect(const ReportDesign &design, const QList<DictionaryItem> &offered);

// The lines of a filter's condition: the conditions in order (each line starting with
// the previous condition's connective; a closing ")" when the last connective starts
// with one), the user's own condition and the caller's base condition, each part in
// parentheses and joined by " AND ".
QStringList filterLines(const QList<FilterCondition> &conditions, const QString &ownCondition,
                        const QString &baseCondition = QString());
// The whole condition in one pair of parentheses, ready to be joined with other
// conditions; empty when the filter has nothing.
QString filterCondition(const QList<FilterCondition> &conditions, const QString &ownCondition,
                        const QString &baseCondition = QString());
inline QString filterCondition(const FilterDesign &filter, const QString &baseCondition = QString())
{
    return filterCondition(filter.conditions, filter.ownCondition, baseCondition);
}

// One pick of the sort dialog; an empty item (or "nic") is no choice.
struct SortChoice
{
    QString item;
    bool descending = false;
};
// " ORDER BY a DESC , b": the chosen items in pick order; empty when none is chosen.
QString sortOrder(const QList<SortChoice> &choices);

} // namespace Templates
