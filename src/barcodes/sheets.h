#pragma once
// The printed forms of the barcodes, without widgets: the label sheet, the five code
// sheets and the technician's form. Each is rendered once into pages; the preview or the
// printer only replays them, so a label number taken from the generator is drawn on
// exactly one label.
#include <QDate>
#include <QString>
#include <QVector>

#include "reports/printengine.h"

class TDMPro;

namespace Barcode {

struct LabelSheetSetup
{
    int columns = 3;   // sePocX
    int rows = 8;      // sePocY
    int sheets = 1;    // sePocStr
};

// The label sheets, one page per sheet, each label with a fresh number of CKHP laid out
// column by column. When a number cannot be had, nothing is rendered: *error says so
// and the document is empty (the numbers already taken are left unused, never guessed).
// *numbers gets the label numbers in the order they were drawn.
Print::Document labelSheets(TDMPro *dm, const LabelSheetSetup &setup, QVector<qint64> *numbers,
                            QString *error);

enum class CodeSheet { States, Placements, Repairs, Positions, Types };
// The sheet title ("Stavy HP", ...).
QString codeSheetTitle(CodeSheet sheet);
// One row per entry of the code list: its text and its code. The repair sheet begins with
// the pressure-test years from workingYear down to five years before it.
Print::Document codeSheet(TDMPro *dm, CodeSheet sheet, int workingYear, QString *error);

struct TechnicianForm
{
    QString title;        // Nadpis
    QString technician;   // Technik
    QDate date;           // Datum kontroly
    int sheets = 1;       // sePocLis
};
inline constexpr int FormCellsPerPage = 34;
// The form: the instructions at the head of every page, 34 numbered cells a page counted
// on across the pages, the two command codes at the foot.
Print::Document technicianForm(const TechnicianForm &form);

} // namespace Barcode
