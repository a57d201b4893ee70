#include "widgets/lookupcombo.h"

#include <QComboBox>
#include <QSignalBlocker>

void fillLookupCombo(QComboBox *combo, const QVector<LookupItem> &items, const QString &separator, bool emptyEntry)
{
    const QString typed = combo->isEditable() ? combo->currentText() : QString();
    const QSignalBlocker quiet(combo);
    combo->clear();
    if (emptyEntry)
        combo->addItem(QString());
    for (const LookupItem &item : items) {
        QString shown = item.text;
        if (!separator.isEmpty())
            for (const QVariant &extra : item.extra) {
                const QString part = extra.toString().trimmed();
                if (!part.isEmpty())
                    shown += separator + part;
            }
        combo->addItem(shown, item.key);
        const int at = combo->count() - 1;
        combo->setItemData(at, item.text, LookupTextRole);
        for (int i = 0; i < item.extra.size(); ++i)
            combo->setItemData(at, item.extra.at(i), LookupExtraRole + i);
    }
    combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(typed);
}
