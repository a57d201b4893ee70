#pragma once
// The code numbers the labels, the code sheets and the technician's form share with the
// readers, and the EAN-13 symbol they are printed as. Every code is a kind digit and an
// eleven-digit number; the symbol adds the check digit.
#include <QPointF>
#include <QString>
#include <QVector>

#include "reports/printengine.h"

namespace Barcode {

// The kind digit: what the number after it means.
enum Kind {
    FormLine = 0,     // line number of the technician's form
    Label = 1,        // extinguisher label, generator CKHP
    State = 2,        // S_STAV
    Placement = 3,    // S_UMIST
    Repair = 4,       // S_OPRTXT
    TestYear = 5,     // year of the last pressure test
    Position = 6,     // POZICE
    Type = 7,         // CENIK rows with TCK 'A'
    Command = 9,
};
// The numbers of the two commands.
enum CommandNumber { NewCustomer = 10, NewObject = 11 };

inline constexpr qint64 MaxNumber = 99999999999LL;   // eleven digits

// The twelve digits of a code; empty when the kind is not a digit or the number does not
// fit eleven digits (a code is never cut or wrapped into another one).
QString codeText(int kind, qint64 number);
// The check digit of exactly twelve digits; -1 for anything else.
int checkDigit(const QString &twelveDigits);
// The 95 modules of the symbol ('1' dark, '0' light) of twelve digits and their check
// digit; empty for anything that is not exactly twelve digits.
QString modulePattern(const QString &twelveDigits);

// One symbol placed on a canvas, its origin in canvas pixels.
struct Placed
{
    QString code;
    QPointF at;
};

// A drawing canvas of symbols, one canvas pixel being `pixel` page units; a symbol
// takes 300 x 120 pixels from its origin (bars from x + 10, y + 10 down to y + 40, the
// guards to y + 50, the digits under the bars). Codes that are not twelve digits are
// refused: nothing is drawn for them and they are counted in refused().
class SymbolCanvas : public Print::Element
{
public:
    QVector<Placed> symbols;
    qreal pixel = 1;
    void draw(Print::Report &report, Print::Page &page, const QPointF &origin, qreal bandHeight) const override;
    int refused() const { return m_refused; }
private:
    mutable int m_refused = 0;
};

// Draws one symbol onto a page; false, drawing nothing, when the code is not twelve digits.
bool drawSymbol(Print::Page &page, const QString &twelveDigits, const QPointF &origin, qreal pixel);

} // namespace Barcode
