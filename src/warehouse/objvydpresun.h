#pragma once
// The two moves of the purchase orders, without widgets, each in one transaction:
// assembling an order from the price list's order column ("Sestavit objednávku") and
// moving delivered quantities into a receipt slip ("Přenos dodaného množství do
// skladu"). A failure anywhere writes nothing. The order's header is locked first, so
// two workstations moving one order at once cannot both move its quantities: the second
// waits, then sees what is left and refuses a quantity above it.
#include <QPair>
#include <QString>
#include <QVector>
#include <functional>

class TDMPro;

namespace OrderAssembly {
struct Request
{
    QString number;                       // CISOBJ of the order to add to
    QVector<QPair<int, double>> items;    // price-list item and the quantity to order
    // Asked when no order has the number: true creates it.
    std::function<bool(const QString &number)> confirmCreate;
};
// The order key; 0 when the user chose not to create the order; negative with the
// reason in *error: -1 no number, -3 the database refused a step.
int run(TDMPro *dm, const Request &request, QString *error = nullptr);
} // namespace OrderAssembly

namespace OrderMove {
// A line of the order as the move offers it.
struct Line
{
    int key = 0;            // OBJVYDP.UNCIS
    int uncmat = 0;
    QString popis;
    double cennak = 0;      // the item's purchase price
    QString dphs;
    QString kod;
    int csekce = 0;
    QString jedn;
    QString vyrobce;
    double mnoz = 0;        // ordered and not delivered yet
    double prenos = 0;      // to move now
};
// The order's lines of items kept on stock with what is left to deliver; prenos is that
// quantity when fill, else 0. ok false when they could not be read.
QVector<Line> readLines(TDMPro *dm, int order, bool fill, bool *ok = nullptr, QString *error = nullptr);

struct Request
{
    int order = 0;
    int store = 0;                        // the receiving store of a new slip
    QString number;                       // CDT of the slip to move into
    QVector<QPair<int, double>> quantities;   // order line and the quantity to move
    std::function<bool(const QString &number)> confirmCreate;   // no slip has the number
    std::function<bool()> confirmOtherIssuer;   // the slip's issuer is not the supplier
};
// The slip key; 0 when the user declined a question; negative with the reason in
// *error: -1 no number, -4 no store, -2 the order is not there, -5 a slip of another
// kind, -6 a quantity below 0 or above what is left, -3 the database refused a step.
int run(TDMPro *dm, const Request &request, QString *error = nullptr);
} // namespace OrderMove
