#pragma once
// A drop-down filled from lookup rows keeps each row's key in its item data, so a
// window reads the key of the chosen item instead of taking it apart from the text.
#include <QString>
#include <QVector>

#include "core/lookup.h"

class QComboBox;

enum LookupRole {
    LookupKeyRole = Qt::UserRole,         // the key (the item data)
    LookupTextRole = Qt::UserRole + 1,    // the text alone, without the extra columns
    LookupExtraRole = Qt::UserRole + 2,   // the first extra column; the next ones follow
};

// Fills the drop-down with the items. Each shows its text, followed by its non-empty
// extra columns each after the separator when one is given. With emptyEntry an item
// without key and text comes first. No item is chosen afterwards; an editable
// drop-down keeps the text typed in it; the drop-down sends no signal meanwhile.
void fillLookupCombo(QComboBox *combo, const QVector<LookupItem> &items, const QString &separator = QString(),
                     bool emptyEntry = false);
