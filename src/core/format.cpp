#include "core/format.h"
#include "core/globals.h"
#include "core/money.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

namespace {

// "1234567" -> "1 234 567"
QString groupThousands(const QString &digits)
{
    QString grouped;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped += QLatin1Char(' ');
        grouped += digits.at(i);
    }
    return grouped;
}

} // namespace

QString formatNumber(double value, int decimals, bool grouped)
{
    QString text = QString::number(value, 'f', decimals >= 0 ? decimals : 6);
    if (decimals < 0 && text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    // a value that rounds to nothing has no sign
    bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        text.remove(0, 1);
    if (negative && text.count(QLatin1Char('0')) + text.count(QLatin1Char('.')) == text.size())
        negative = false;
    if (grouped) {
        const int point = text.indexOf(QLatin1Char('.'));
        const QString whole = point < 0 ? text : text.left(point);
        text = groupThousands(whole) + (point < 0 ? QString() : text.mid(point));
    }
    text.replace(QLatin1Char('.'), DecimalSeparator);
    return negative ? QLatin1Char('-') + text : text;
}

QString formatQuantity(double value)
{
    // at most three decimals, and no trailing zeros
    QString text = formatNumber(value, 3, true);
    while (text.endsWith(QLatin1Char('0')) && text.contains(DecimalSeparator))
        text.chop(1);
    if (text.endsWith(DecimalSeparator))
        text.chop(1);
    return text;
}

DisplayFormat formatOfDictionaryType(const QString &type)
{
    const QString t = type.trimmed().toUpper();
    if (t.isEmpty() || t == QLatin1String("A"))
        return DisplayFormat::Text;
    if (t == QLatin1String("D"))
        return DisplayFormat::Date;
    if (t == QLatin1String("I"))
        return DisplayFormat::Integer;
    if (t == QLatin1String("C"))
        return DisplayFormat::Money;
    return DisplayFormat::Quantity;
}

QString formatValue(const QVariant &value, DisplayFormat format)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (format == DisplayFormat::Money || format == DisplayFormat::Quantity) {
        bool ok = false;
        const double number = value.typeId() == QMetaType::QString ? parseNumber(value.toString(), &ok)
                                                                    : value.toDouble(&ok);
        if (!ok)
            return value.toString();
        return format == DisplayFormat::Money ? formatMoney(number) : formatQuantity(number);
    }
    if (format == DisplayFormat::Date) {
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
            return formatDate(value.toDate());
    }
    return displayText(value);
}

QString displayText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return formatDate(value.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return formatDate(dt.date());
        return dt.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return formatNumber(value.toDouble());
    default:
        return value.toString();
    }
}

double parseNumber(const QString &text, bool *ok)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    t.remove(QLatin1Char(' '));
    bool good = false;
    const double v = t.toDouble(&good);
    if (ok)
        *ok = good;
    return good ? v : 0.0;
}

QDate parseDate(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})[.,:/](\\d{1,2})[.,:/](\\d{2}|\\d{4})\\s*$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return QDate();
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year += 2000;
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}
