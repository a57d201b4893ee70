#pragma once
// Printing an inspection report from a window: the design of the kind is chosen when
// there are several, the pages are rendered once and shown in the preview, which
// prints them and saves them as PDF.
#include <QString>
#include <functional>

#include "reports/printengine.h"

class QWidget;
class TDMPro;

// 0 when shown, 1 when no design was chosen, negative when rendering failed (warned).
int previewInspectionReport(const QString &designWindow,
                            const std::function<int(int designKey, Print::Document &out)> &render, QWidget *parent);
// "Tisk" / "Doklad o kontrole PV" of a stored hydrant inspection: what the hydrant
// window calls (the caller saves pending changes first).
int TiskDokladuPV(int inspectionKey, TDMPro *dm, QWidget *parent);
// "Doklad o kontrole PK" of a stored damper inspection.
int TiskDokladuPK(int inspectionKey, TDMPro *dm, QWidget *parent);
