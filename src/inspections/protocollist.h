#pragma once
// TfInspectionList, what the lists of every inspection kind share: recent inspections
// first (the first showing filters the last 40 days), rows coloured by the state of the
// document, and the bulk change of state and lock.
#include "widgets/seznam.h"

class TVarSQL;

class TfInspectionList : public TfSeznam
{
    Q_OBJECT
public:
    struct Texts
    {
        QString aliasTables;   // the column groups: alias, alias, caption, variants
        QString alias;         // the list's alias of the header ("HAS")
        QString headerTable;   // "PR_HLAV"
        QString stateColumn;   // FAKTURA or HOTOVO
        QString bulkCaption;   // the caption of a failed bulk change
    };

    TfInspectionList(const Texts &texts, QWidget *parent = nullptr);

    int PrepareList() override;
    int DefaultFilter() override;
    void CellColors(int row, int column, CellLook &look) override;

    // "Hromadně změnit doklady o kontrole": asks TfDokDop, then Doplnit.
    void HromadneZmenit();
    // Writes the values into the rows of the scope. Nothing chosen changes nothing;
    // unlocking needs the password, and without it locked inspections are left out.
    // The state chosen goes into the kind's state column. Returns 0 when written, 1
    // when nothing was to be done or the user declined, -1 on a wrong password or a
    // failure (the user has been told).
    int Doplnit(const TVarSQL &values, int scope);

protected:
    const Texts &texts() const { return m_texts; }

private:
    void reopenKeepingMarks(int key);
    Texts m_texts;
};

// The list of an inspection kind shown modeless; it frees itself and its controller
// when closed. Null stays null.
template <class List>
List *showInspectionList(List *list)
{
    if (list) {
        list->setAttribute(Qt::WA_DeleteOnClose);
        list->show();
    }
    return list;
}
