#pragma once
// TfSkladPrevodT, the printed stock slip (" Výdejka - příjemka "): number, date, the
// issuing and the receiving party, the lines with both conditions of the material, the
// legend of the conditions, the two signatures and "Strana: n" on every page.
#include "reports/printengine.h"

class QWidget;
class TDMPro;

class TfSkladPrevodT : public Print::Report
{
public:
    TfSkladPrevodT();

    // Renders the slip's pages. 0, or negative with the reason in *error ("Tisková
    // sestava" when the slip cannot be read).
    static int renderSlip(TDMPro *dm, int slip, Print::Document &out, QString *error = nullptr);
    static bool writePdf(TDMPro *dm, int slip, const QString &file, QString *error = nullptr);
    // The preview of the slip.
    static void preview(TDMPro *dm, int slip, QWidget *parent = nullptr);
};
