#include "exports/listexport.h"

#include "core/format.h"
#include "core/listmodel.h"
#include "core/progress.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QFile>
#include <QStringEncoder>

#include <xlsxwriter.h>

namespace ListExport {

namespace {

CellKind kindOfFormat(DisplayFormat format)
{
    switch (format) {
    case DisplayFormat::Integer: return CellKind::Integer;
    case DisplayFormat::Money:
    case DisplayFormat::Quantity: return CellKind::Decimal;
    case DisplayFormat::Date: return CellKind::Date;
    default: return CellKind::Text;
    }
}

CellKind kindOfValue(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return CellKind::Integer;
    case QMetaType::Float:
    case QMetaType::Double: return CellKind::Decimal;
    case QMetaType::QDate: return CellKind::Date;
    case QMetaType::QTime: return CellKind::Time;
    case QMetaType::QDateTime: return CellKind::DateTime;
    default: return CellKind::Text;
    }
}

// A column shown without a format of its own takes the type of its first value.
CellKind kindOfColumn(const Sheet &sheet, int column, DisplayFormat format)
{
    if (format != DisplayFormat::Auto)
        return kindOfFormat(format);
    for (int r = 0; r < sheet.rows; ++r) {
        const QVariant v = sheet.value(r, column);
        if (v.isValid() && !v.isNull())
            return kindOfValue(v);
    }
    return CellKind::Text;
}

QString cleanText(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return text;
}

QString escapedXml(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else
            out += c;
    }
    return out;
}

QByteArray win1250(const QString &text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

} // namespace

Sheet fromModel(QAbstractItemModel *model)
{
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    Sheet sheet;
    sheet.rows = model->rowCount();
    const int columns = model->columnCount();
    for (int c = 0; c < columns; ++c)
        sheet.titles << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    sheet.text = [model](int row, int column) {
        const QVariant shown = model->index(row, column).data(Qt::DisplayRole);
        return shown.typeId() == QMetaType::QString ? shown.toString() : displayText(shown);
    };
    QVector<DisplayFormat> formats(columns, DisplayFormat::Auto);
    if (auto *list = qobject_cast<ListModel *>(model)) {
        for (int c = 0; c < columns; ++c)
            formats[c] = list->columnFormat(c);
        sheet.value = [model](int row, int column) { return model->index(row, column).data(Qt::EditRole); };
    } else if (auto *items = qobject_cast<RowCacheModel *>(model)) {
        // the edited rows' grid shows texts only: their values come from the cache
        for (int c = 0; c < columns && c < items->columns().size(); ++c)
            formats[c] = items->columns().at(c).format;
        sheet.value = [items](int row, int column) {
            const int field = items->fieldIndexOfColumn(column);
            return items->cache() && field >= 0 ? items->cache()->value(row, field) : QVariant();
        };
    } else {
        sheet.value = [model](int row, int column) { return model->index(row, column).data(Qt::EditRole); };
    }
    for (int c = 0; c < columns; ++c)
        sheet.kinds << kindOfColumn(sheet, c, formats.at(c));
    return sheet;
}

QByteArray txtBytes(const Sheet &sheet)
{
    const QString tab = QStringLiteral("\t");
    const QString lineEnd = QStringLiteral("\r\n");
    QStringList titles;
    for (const QString &t : sheet.titles)
        titles << cleanText(t.trimmed());
    QString out = titles.join(tab) + lineEnd;
    ProgressRun progress(sheet.rows);
    for (int r = 0; r < sheet.rows; ++r) {
        QStringList cells;
        for (int c = 0; c < sheet.titles.size(); ++c)
            cells << cleanText(sheet.text(r, c).trimmed());
        out += cells.join(tab) + lineEnd;
        progress.step();
    }
    return win1250(out);
}

QByteArray xmlBytes(const Sheet &sheet, const XmlNames &names)
{
    const QChar cr(13);
    QString out = QStringLiteral("<?xml version='1.0' encoding='Windows-1250'?>");
    out += QLatin1Char('<') + names.root + QLatin1Char('>') + cr;
    ProgressRun progress(sheet.rows);
    for (int r = 0; r < sheet.rows; ++r) {
        out += QLatin1Char('<') + names.row + QLatin1Char('>') + cr;
        for (int c = 0; c < sheet.titles.size(); ++c) {
            const QString item = names.items.value(c, sheet.titles.at(c));
            out += QLatin1Char('<') + item + QLatin1Char('>') + escapedXml(sheet.text(r, c))
                   + QLatin1String("</") + item + QLatin1Char('>');
        }
        out += QLatin1String("</") + names.row + QLatin1Char('>') + cr;
        progress.step();
    }
    out += QLatin1String("</") + names.root + QLatin1Char('>') + cr;
    return win1250(out);
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace {

lxw_datetime excelDateTime(const QDate &date, const QTime &time)
{
    lxw_datetime dt{};
    if (date.isValid()) {
        dt.year = date.year();
        dt.month = date.month();
        dt.day = date.day();
    }
    if (time.isValid()) {
        dt.hour = time.hour();
        dt.min = time.minute();
        dt.sec = time.second() + time.msec() / 1000.0;
    }
    return dt;
}

// Writes one cell by its column's kind; a value that is not of the kind goes in as
// the text the grid shows.
lxw_error writeCell(lxw_worksheet *ws, lxw_row_t row, lxw_col_t column, CellKind kind, const QVariant &value,
                    const QString &text, lxw_format *format)
{
    if (!value.isValid() || value.isNull())
        return LXW_NO_ERROR;
    bool ok = false;
    switch (kind) {
    case CellKind::Integer:
    case CellKind::Decimal: {
        const double number = value.typeId() == QMetaType::QString ? parseNumber(value.toString(), &ok)
                                                                   : value.toDouble(&ok);
        if (ok)
            return worksheet_write_number(ws, row, column, number, format);
        break;
    }
    case CellKind::Date:
    case CellKind::DateTime:
    case CellKind::Time: {
        const QDateTime dt = value.toDateTime();
        QDate date = value.typeId() == QMetaType::QTime ? QDate() : value.toDate();
        QTime time = value.typeId() == QMetaType::QTime ? value.toTime() : dt.time();
        if (kind == CellKind::Date)
            time = QTime();
        if (kind == CellKind::Time)
            date = QDate();
        if (date.isValid()) {
            lxw_datetime stamp = excelDateTime(date, time);
            return worksheet_write_datetime(ws, row, column, &stamp, format);
        }
        if (time.isValid())   // a time alone is the fraction of a day
            return worksheet_write_number(ws, row, column, time.msecsSinceStartOfDay() / 86400000.0, format);
        break;
    }
    case CellKind::Text:
        break;
    }
    const QByteArray utf8 = text.toUtf8();
    return utf8.isEmpty() ? LXW_NO_ERROR : worksheet_write_string(ws, row, column, utf8.constData(), format);
}

} // namespace

bool writeXlsx(const Sheet &sheet, const QString &path, QString *error)
{
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook *wb = workbook_new(file.constData());
    if (!wb) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze založit").arg(path);
        return false;
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, nullptr);
    lxw_format *bold = workbook_add_format(wb);
    format_set_bold(bold);
    // the spreadsheet's built-in formats, shown in the reader's own locale
    auto builtIn = [wb](int index) {
        lxw_format *f = workbook_add_format(wb);
        format_set_num_format_index(f, uint8_t(index));
        return f;
    };
    lxw_format *text = builtIn(49);        // @
    lxw_format *integer = builtIn(3);      // #,##0
    lxw_format *decimal = builtIn(4);      // #,##0.00
    lxw_format *date = builtIn(14);        // the short date
    lxw_format *time = builtIn(20);        // h:mm
    lxw_format *dateTime = builtIn(22);    // short date h:mm
    auto formatOf = [&](CellKind kind) {
        switch (kind) {
        case CellKind::Integer: return integer;
        case CellKind::Decimal: return decimal;
        case CellKind::Date: return date;
        case CellKind::Time: return time;
        case CellKind::DateTime: return dateTime;
        default: return text;
        }
    };

    lxw_error result = LXW_NO_ERROR;
    const int columns = sheet.titles.size();
    for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c) {
        const QByteArray title = sheet.titles.at(c).trimmed().toUtf8();
        result = worksheet_write_string(ws, 0, lxw_col_t(c), title.constData(), bold);
        const double width = sheet.kinds.at(c) == CellKind::DateTime ? 16 : qMax(10, int(title.size()) + 2);
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), width, nullptr);
    }
    {
        ProgressRun progress(sheet.rows);
        for (int r = 0; r < sheet.rows && result == LXW_NO_ERROR; ++r) {
            for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c) {
                const CellKind kind = sheet.kinds.at(c);
                result = writeCell(ws, lxw_row_t(r + 1), lxw_col_t(c), kind, sheet.value(r, c), sheet.text(r, c),
                                   formatOf(kind));
            }
            progress.step();
        }
    }
    worksheet_activate(ws);
    worksheet_set_selection(ws, 0, 0, 0, 0);
    const lxw_error closed = workbook_close(wb);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result != LXW_NO_ERROR) {
        if (error)
            *error = QString::fromUtf8(lxw_strerror(result));
        return false;
    }
    return true;
}

} // namespace ListExport
