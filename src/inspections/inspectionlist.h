#pragma once
// InspectionList, what the lists of the inspection kinds share: recent inspections
// first shown, rows coloured by the state of the document, and the bulk change of the
// state and the lock of many documents at once.
#include "widgets/seznam.h"

class TVarSQL;

class InspectionList : public TfSeznam
{
    Q_OBJECT
public:
    struct Kind
    {
        QString headerTable;   // "PR_HLAV"
        QString alias;         // the list's alias of the header table: "HAS"
        QString stateColumn;   // "FAKTURA"
        QString bulkCaption;   // of the bulk change's messages
    };

    InspectionList(const Kind &kind, QWidget *parent = nullptr);

    // The inspections of the last 40 days.
    int DefaultFilter() override;
    // 'P' green, 'R' red, 'H' blue.
    void CellColors(int row, int column, CellLook &look) override;

    // "Hromadně změnit doklady o kontrole": asks TfDokDop, then Doplnit.
    void HromadneZmenit();
    // Writes the values into the rows of the scope. Nothing chosen changes nothing;
    // unlocking needs the password, and without it locked inspections are left out.
    // Returns 0 when written, 1 when nothing was to be done or the user declined, -1
    // on a wrong password or a failure (the user has been told).
    int Doplnit(const TVarSQL &values, int scope);

protected:
    void reopenKeepingMarks(int key);

private:
    Kind m_kind;
};
