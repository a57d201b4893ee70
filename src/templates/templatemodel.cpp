#include "templates/templatemodel.h"
#include "core/stringpro.h"

#include <climits>

namespace Templates {

Alignment alignmentFromCode(int code)
{
    switch (code) {
    case AlignCenter:
        return AlignCenter;
    case AlignRight:
        return AlignRight;
    default:
        return AlignLeft;
    }
}

QString storedCaption(const QString &caption)
{
    return caption.left(CaptionLength);
}

QString encodeFontStyle(const ColumnFont &font)
{
    auto bit = [](bool on) { return on ? QLatin1Char('1') : QLatin1Char('0'); };
    QString style;
    style += bit(font.bold);
    style += bit(font.italic);
    style += bit(font.underline);
    style += bit(font.strikeOut);
    return style;
}

void decodeFontStyle(const QString &style, ColumnFont &font)
{
    const QString s = style + QStringLiteral("00000");
    font.bold = s.at(0) == QLatin1Char('1');
    font.italic = s.at(1) == QLatin1Char('1');
    font.underline = s.at(2) == QLatin1Char('1');
    font.strikeOut = s.at(3) == QLatin1Char('1');
}

QString encodeColor(quint32 rgb)
{
    const quint32 r = (rgb >> 16) & 0xFF;
    const quint32 g = (rgb >> 8) & 0xFF;
    const quint32 b = rgb & 0xFF;
    return QString::number((b << 16) | (g << 8) | r);
}

quint32 decodeColor(const QString &text, quint32 fallback)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < qint64(INT_MIN) || v > qint64(0xFFFFFFFFu))
        return fallback;
    const quint32 value = v < 0 ? quint32(qint32(v)) : quint32(v);
    if (value > 0xFFFFFF) {
        // system colours carry the index of the Windows colour in the low byte
        switch (value & 0xFF) {
        case 5:   // window background
            return 0xFFFFFF;
        case 15:  // button face
            return 0xF0F0F0;
        default:
            return 0x000000;
        }
    }
    const quint32 r = value & 0xFF;
    const quint32 g = (value >> 8) & 0xFF;
    const quint32 b = (value >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

QString settingValue(const QString &settings, const QString &key)
{
    const QStringList entries = settings.split(QLatin1Char(';'));
    for (const QString &entry : entries) {
        const int colon = entry.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        if (entry.left(colon).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return entry.mid(colon + 1).trimmed();
    }
    return QString();
}

QString withSetting(const QString &settings, const QString &key, const QString &value)
{
    QString out;
    bool replaced = false;
    const QStringList entries = settings.split(QLatin1Char(';'));
    for (const QString &entry : entries) {
        if (entry.trimmed().isEmpty())
            continue;
        const int colon = entry.indexOf(QLatin1Char(':'));
        if (colon >= 0 && entry.left(colon).trimmed().compare(key, Qt::CaseInsensitive) == 0) {
            if (!replaced)
                out += key + QLatin1Char(':') + value.trimmed() + QLatin1Char(';');
            replaced = true;
            continue;
        }
        out += entry + QLatin1Char(';');
    }
    if (!replaced)
        out += key + QLatin1Char(':') + value.trimmed() + QLatin1Char(';');
    return out;
}

QString DictionaryItem::typeCaption() const
{
    return type.trimmed().compare(QLatin1String("A"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("text")
               : QStringLiteral("číslo");
}

QList<AliasTable> parseAliasTables(const QString &text)
{
    QList<AliasTable> out;
    QString rest = text;
    while (!rest.trimmed().isEmpty()) {
        AliasTable a;
        a.table = NextToken(rest, QLatin1Char(';')).toUpper();
        a.alias = NextToken(rest, QLatin1Char(';')).toUpper();
        a.caption = NextToken(rest, QLatin1Char(';'));
        QString variants = NextToken(rest, QLatin1Char(';'));
        // the variant set is written "(1)" or, as a set of texts, "('1')"
        variants.remove(QLatin1Char('(')).remove(QLatin1Char(')')).remove(QLatin1Char('\''));
        for (const QString &v : variants.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const int n = v.trimmed().toInt(&ok);
            if (ok && !a.variants.contains(n))
                a.variants << n;
        }
        if (!a.table.isEmpty() && !a.alias.isEmpty())
            out << a;
    }
    return out;
}

const QList<OperatorChoice> &operatorChoices()
{
    static const QList<OperatorChoice> choices = {
        {Operator::Equal, QStringLiteral("rovná se")},
        {Operator::NotEqual, QStringLiteral("nerovná se")},
        {Operator::Greater, QStringLiteral("je větší než")},
        {Operator::Less, QStringLiteral("je menší než")},
        {Operator::GreaterOrEqual, QStringLiteral("je větší nebo rovno ")},
        {Operator::LessOrEqual, QStringLiteral("je menší nebo rovno")},
        {Operator::StartsWith, QStringLiteral("začíná řetězcem")},
        {Operator::Contains, QStringLiteral("obsahuje řetězec")},
        {Operator::EndsWith, QStringLiteral("končí řetězcem")},
        {Operator::In, QStringLiteral("výčet")},
    };
    return choices;
}

const QStringList &connectives()
{
    static const QStringList list = {
        QStringLiteral("AND"),   QStringLiteral("OR"),   QStringLiteral("AND ("), QStringLiteral(") AND"),
        QStringLiteral("OR ("), QStringLiteral(") OR"), QStringLiteral(")"),
    };
    return list;
}

} // namespace Templates
