#pragma once
// The code lists of the "Seznamy" menu, each one table (or one section of the price
// list) edited row by row in a grid: what each one reads, in what order, under which
// names and with which columns. A new code list is one more row of codeListTables().
#include <QString>
#include <QVector>
#include <Qt>

#include "core/format.h"

enum class CodeList {
    Sekce,
    HPTypy,
    HPStavy,
    HPUmist,
    HPPozice,
    HPSezOprVyr,
    PVTypy,
    PVUmist,
    PVOznaceni,
    PVVybav,
    KatVodHKon,
};

struct CodeListColumn
{
    // How a cell gets its value: typed into a cell editor, or set by the TCK key rule
    // alone (tckKey below) and never opened for typing.
    enum Input { Typed, TckRule };

    QString field;
    QString title;
    Input input = Typed;
    DisplayFormat format = DisplayFormat::Auto;
};

// A panel of explanations under the grid.
struct CodeListLegend
{
    QString objectName;
    QString title;
    QString text;
};

struct CodeListTable
{
    CodeList id;
    QString objectName;   // the editor window's
    QString caption;
    QString table;
    QString select;       // the base SELECT: the table's columns and the list mark OZNAC
    QString orderBy;
    // A price-list section (CSEKCE) the list keeps to: only its rows are read and new
    // rows go into it. 0 for a table of its own.
    int section = 0;
    QVector<CodeListColumn> columns;
    CodeListLegend legend;   // none while its title is empty
};

// Every code list, in the order of the menu.
const QVector<CodeListTable> &codeListTables();
const CodeListTable &codeListTable(CodeList id);

// The base SELECT of a code list: every column of the table under its alias and the
// list mark.
QString codeListSelect(const QString &alias, const QString &table);

// What a key does in the TCK column of "Typy HP" (whether the type is offered on the
// barcode code sheet): A stores "A", N or Space store " ", any other typed character
// is swallowed. Keys that type nothing (arrows, Tab, Enter) and shortcuts go on to the
// grid.
struct TckKey
{
    bool handled = false;   // the grid must not see the key
    bool store = false;     // value goes into the cell
    QString value;
};
TckKey tckKey(int key, Qt::KeyboardModifiers modifiers, const QString &text);
