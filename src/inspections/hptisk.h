#pragma once
// The printed documents of one extinguisher inspection: the inspection report, the
// withdrawal document and the workshop document, each laid out by a document design of
// its kind ("DokHP", "VyrHP", "DilHP") with the performer, the site, the owner and the
// signature block. No window: the edit window only picks the design and shows the pages.
#include "reports/printengine.h"

class TDMPro;

enum class HPDocument { Kontrola, Vyrazeni, Dilna };

namespace HPPrint {

// The window name the document designs of the kind are stored under.
QString designWindow(HPDocument kind);
// Renders the document of the inspection with the design (0: the first design of the
// kind). 0, or negative after a warning captioned "Tisk dokladu o kontrole" (the report
// and the workshop document) or "Tisk dokladu o vyřazení".
int render(HPDocument kind, int inspectionKey, int designKey, Print::Document &out, TDMPro *dm);

} // namespace HPPrint
