#pragma once
// The three files a list can be written to: tab-separated text, XML and a spreadsheet
// workbook (.xlsx). They take the rows as a grid shows them (its titles, order and
// display texts) together with each cell's own value, so the workbook keeps numbers as
// numbers and dates as dates. No windows here: the list windows, the inspection windows
// and the SQL console choose the file and hand over their grid's model.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

class QAbstractItemModel;

namespace ListExport {

// What a column holds, deciding the spreadsheet's cell type and number format.
enum class CellKind { Text, Integer, Decimal, Date, Time, DateTime };

struct Sheet
{
    QStringList titles;
    QVector<CellKind> kinds;
    int rows = 0;
    std::function<QVariant(int row, int column)> value;   // the cell's own value
    std::function<QString(int row, int column)> text;     // the cell as the grid shows it
};

// The grid of a model, every row of it read (a list reads the rest of its rows first):
// titles from the horizontal header, texts as shown, values and kinds from the list's
// and the edited rows' formats, or from the values' types for any other model.
Sheet fromModel(QAbstractItemModel *model);

// TXT: trimmed titles, then one line per row of trimmed texts, TAB between them, CRLF
// after each line, in Windows-1250. A TAB, CR or LF inside a value becomes a blank so
// that it cannot split the record.
QByteArray txtBytes(const Sheet &sheet);

// The element names of an XML export, chosen by the user.
struct XmlNames
{
    QString root;
    QString row;
    QStringList items;   // one per column
};
// XML in Windows-1250 bytes: the declaration, the root element, one row element per
// row with its items on one line, CR alone as the line end. "<", ">" and "&" in a
// value are escaped, so the file stays readable as XML.
QByteArray xmlBytes(const Sheet &sheet, const XmlNames &names);

// Writes bytes to a file; false with the reason in error.
bool writeFile(const QString &path, const QByteArray &bytes, QString *error);
// An .xlsx workbook: the titles in row 1 (bold), one row per record, each column in
// its kind's format (text, "#,##0", "#,##0.00", dates, times, both), A1 selected.
bool writeXlsx(const Sheet &sheet, const QString &path, QString *error);

} // namespace ListExport
