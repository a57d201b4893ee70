#pragma once
// Adding a prepared line to a stored stock slip with the merge rule of the slips: a line
// of the same item, unit price and both conditions takes the quantity, any other line is
// appended. Runs on the connection inside the caller's transaction, so a move writes the
// slip line and the source's moved quantity together.
#include <QString>

class TDMPro;

namespace Slip {
struct Line
{
    int uncmat = 0;
    QString popis;
    QString kodmat;
    QString jedn;
    QString vyrobce;
    int csekce = 0;
    double mnoz = 0;
    double nakcen = 0;
    QString dph = QStringLiteral(" ");
    int dphn = 0;
    QString typpoh = QStringLiteral("N");
    int stav = 1;
    int novstav = 1;
};
} // namespace Slip

// The key of the slip line that now holds the quantity; negative on failure (the
// driver's text in *error).
int mergeSlipLine(TDMPro *dm, int slip, const Slip::Line &line, QString *error = nullptr);
