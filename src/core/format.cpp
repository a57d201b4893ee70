#include "core/format.h"
#include "core/globals.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString formatNumber(double value, int decimals)
{
    QString text;
    if (decimals >= 0) {
        text = QString::number(value, 'f', decimals);
    } else {
        text = QString::number(value, 'f', 6);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
        if (text == QLatin1String("-0"))
            text = QStringLiteral("0");
    }
    return text.replace(QLatin1Char('.'), DecimalSeparator);
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
