#include "barcodes/ean13.h"

namespace Barcode {

namespace {

// Code sets A (odd parity), B (even parity) and C of the ten digits, seven modules each.
const char *const setA[10] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                              "0110001", "0101111", "0111011", "0110111", "0001011"};
const char *const setB[10] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                              "0111001", "0000101", "0010001", "0001001", "0010111"};
const char *const setC[10] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                              "1001110", "1010000", "1000100", "1001000", "1110100"};
// Which set each of the six left digits takes, chosen by the first digit.
const char *const parity[10] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

bool isTwelveDigits(const QString &text)
{
    if (text.size() != 12)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The module where data digit n (1..12, after the first digit) starts.
int digitStart(int n)
{
    return n <= 6 ? (n - 1) * 7 + 3 : (n - 1) * 7 + 8;
}

bool isGuard(int module)
{
    return module == 0 || module == 2 || module == 46 || module == 48 || module == 92 || module == 94;
}

} // namespace

QString codeText(int kind, qint64 number)
{
    if (kind < 0 || kind > 9 || number < 0 || number > MaxNumber)
        return QString();
    return QString::number(kind) + QStringLiteral("%1").arg(number, 11, 10, QLatin1Char('0'));
}

int checkDigit(const QString &twelveDigits)
{
    if (!isTwelveDigits(twelveDigits))
        return -1;
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += twelveDigits.at(i).digitValue() * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

QString modulePattern(const QString &twelveDigits)
{
    const int check = checkDigit(twelveDigits);
    if (check < 0)
        return QString();
    const QString digits = twelveDigits + QString::number(check);
    const char *sets = parity[digits.at(0).digitValue()];
    QString modules = QStringLiteral("101");
    for (int i = 1; i <= 6; ++i) {
        const int d = digits.at(i).digitValue();
        modules += QLatin1String(sets[i - 1] == 'A' ? setA[d] : setB[d]);
    }
    modules += QStringLiteral("01010");
    for (int i = 7; i <= 12; ++i)
        modules += QLatin1String(setC[digits.at(i).digitValue()]);
    modules += QStringLiteral("101");
    return modules;
}

bool drawSymbol(Print::Page &page, const QString &twelveDigits, const QPointF &origin, qreal pixel)
{
    const QString modules = modulePattern(twelveDigits);
    if (modules.isEmpty())
        return false;
    const auto at = [&](qreal x, qreal y) { return origin + QPointF(x * pixel, y * pixel); };
    // A run of dark modules is one bar as wide as the run, so neighbouring modules leave
    // no hairline between them at any scale.
    for (int m = 0; m < modules.size();) {
        if (modules.at(m) != QLatin1Char('1')) {
            ++m;
            continue;
        }
        int end = m;
        while (end < modules.size() && modules.at(end) == QLatin1Char('1') && isGuard(end) == isGuard(m))
            ++end;
        const qreal bottom = isGuard(m) ? 50 : 40;
        const qreal middle = 10 + (m + end) / 2.0;
        Print::DrawOp bar;
        bar.kind = Print::DrawOp::Line;
        bar.penWidth = (end - m) * pixel;
        bar.rect = QRectF(at(middle, 10), at(middle, bottom));
        page.ops.append(bar);
        m = end;
    }
    const QString digits = twelveDigits + QString::number(checkDigit(twelveDigits));
    for (int n = 1; n <= 12; ++n) {
        Print::DrawOp text;
        text.kind = Print::DrawOp::Text;
        text.flags = Qt::AlignHCenter | Qt::AlignTop;
        text.font = Print::pageFont(QStringLiteral("Arial"), 7 * pixel);
        text.rect = QRectF(at(10 + digitStart(n), 41), QSizeF(7 * pixel, 10 * pixel));
        text.text = digits.at(n);
        page.ops.append(text);
    }
    return true;
}

void SymbolCanvas::draw(Print::Report &, Print::Page &page, const QPointF &origin, qreal) const
{
    const QPointF topLeft = origin + geometry.topLeft();
    for (const Placed &symbol : symbols)
        if (!drawSymbol(page, symbol.code, topLeft + symbol.at * pixel, pixel))
            ++m_refused;
}

} // namespace Barcode
