#pragma once
// Helpers for item views: following a row cache's current row, committing the cell
// being typed, and the clipboard copy of a grid.
#include <QString>
#include <QVector>

class QAbstractItemModel;
class QAbstractItemView;
class QLineEdit;
class QTableView;
class RowCacheModel;
class SortHeader;
class QWidget;

// A grid to pick a whole row from: rows selected whole, one at a time, nothing edited
// in place, the program's row height.
void setUpPickGrid(QTableView *grid, const QString &objectName);
// The same with the title sort and without row titles; returns the grid's new header.
SortHeader *setUpSortedPickGrid(QTableView *grid, const QString &objectName);

// Keeps the view's current row and the cache's current row the same, both ways.
void followCurrentRow(QAbstractItemView *view, RowCacheModel *model);

// Puts what is being typed in the view's open cell editor into the model, so that a
// save started from a button does not miss the last cell.
void commitPendingEdit(QAbstractItemView *view);

// The clipboard text of a grid: the header titles of the columns joined by tabs, then
// for each row "\r\n" and its display texts joined by tabs (no line break after the
// last row). All rows the model can fetch are fetched first. Columns are given in
// the order wanted; GridText(model) takes every column in model order.
QString GridText(QAbstractItemModel *model, const QVector<int> &columns);
QString GridText(QAbstractItemModel *model);
// Copies the grid's visible columns, in the order shown, to the clipboard.
// Returns false (message shown) when there is nothing to copy from.
bool CopyGridToClipboard(QAbstractItemView *view);

// A date typed as "dd.mm.yyyy" over its mask; the empty field reads "  .  .    ".
QLineEdit *maskedDateField(QWidget *parent, const QString &objectName);
