#pragma once
// What the inspection kinds (extinguishers, hydrants, fire dampers) share: the regular-inspection
// check, the set-based carry-forward of an inspection with its rows inside one
// transaction, and the renumbering of an item into a position.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

#include "core/class.h"

namespace ProtocolRules {

// The earlier regular inspections of the same owner and site: a regular one within 12
// months less 20 days of the last one, or a non-regular one after that, is pointed out
// (the save goes on). 0, or -1 when they could not be read (*error).
int checkRegularInspection(TDMPro *dm, const QString &headerTable, const RowCache &header, QString *error);
// The check before saving that every inspection kind makes before its own counts: an
// inspection must be open, and unless skipped the regular-inspection check runs.
// Failures are warned with the caption "Kontrola před uložením". 0, or -1 (*error).
int checkBeforeSave(TDMPro *dm, const QString &headerTable, const RowCache &header, bool skipDateCheck,
                    QString *error);

// One item table copied forward: the rows of the source inspection that filter (SQL,
// may be empty) keeps, in the order given, with the values resets writes instead of
// the copied ones (":KDO" and constants).
struct CopiedItems
{
    QString table;
    QString filter;
    QString order = QStringLiteral("UNCIS");
    QHash<QString, QString> resets;
};
// Copies the header (with headerResets, ":DATUM" being today) and the item tables into
// a new inspection; the caller holds the transaction. The new key, or a negative code.
int copyInspection(TDMPro *dm, const QString &headerTable, int key, const QHash<QString, QString> &headerResets,
                   const QVector<CopiedItems> &items, QString *error);

// The whole carry-forward: copy (and the steps after it) in one transaction, then the
// new inspection is open. On failure the source is open again, the warning shown under
// failureCaption and the reason in *failure.
// The new key or a negative code.
int carryForwardInTransaction(TfClass &controller, int key, const std::function<int(QString *)> &copy,
                              const std::function<void(const QString &)> &status, QString *failure,
                              const QString &failureCaption = QStringLiteral("Zkopírování dokladu HP"));

// A column written explicitly never takes its table default, so a new inspection gets
// these values where no preset gave one (a copy brings its own).
void presetBlankHeader(RowCache &header, const QList<QPair<QString, QVariant>> &values);

// The item itemKey takes position pozice of inspection inspKey; every item at or after
// it moves one down. The caller holds the transaction. 0, or -2 (*error).
int shiftToPosition(TDMPro *dm, const QString &itemTable, int itemKey, int inspKey, int pozice, QString *error);

// "Opakovat": a new item with every value of the current one but its own key, position
// and change stamp, and the values given instead. Returns its key.
int repeatItem(TfClass &controller, TfClass::ItemTable &items, const QHash<QString, QVariant> &instead);

// "Vložit nový": in one transaction a new item (addItem) takes the position of the
// current one and the later items move one down; the inspection is read again. Returns
// the new item's key (it is current) or a negative code (warned, kind names the item:
// "HP", "PV").
int insertItemAtCurrent(TfClass &controller, TfClass::ItemTable &items, const std::function<int()> &addItem,
                        const QString &kind, const std::function<void(const QString &)> &status);

// Moves the current item one place down ('N') or up ('P') in the order shown by
// exchanging the two positions. Returns 0 when moved, -1 at the first or last item, -2
// on failure.
int moveItem(TfClass &controller, RowCache &items, QChar direction);

} // namespace ProtocolRules
