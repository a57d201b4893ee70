#pragma once
// Printing an inspection report from a window: the design of the kind is chosen when
// there are several, the pages are rendered once and shown in the preview, which
// prints them and saves them as PDF.
#include <QPair>
#include <QString>
#include <QVector>
#include <functional>

#include "reports/printengine.h"

class QAction;
class QMenu;
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
// "Upravit vzor dokladu": the document choice of a design window, shown even when the
// kind has only its seeded design, whose "Nový" and "Editace" open TfGSDok. The key
// chosen with "Použít", 0 otherwise.
int UpravitVzorDokladu(const QString &designWindow, QWidget *parent);
// "Upravit vzor dokladu" in a print menu: one entry for one document, a submenu of the
// documents (caption, design window) for several. The entry, or the submenu's action.
QAction *addDesignEntry(QMenu *menu, const QVector<QPair<QString, QString>> &documents, QWidget *parent);
