#pragma once
// TfAdresyS, the address-book list: one row per site of each entry, with the column
// groups of the entry, its commercial extension and its sites; a row opens the entry's
// edit window.
#include "widgets/seznam.h"

class TfAdresyC;

class TfAdresyS : public TfSeznam
{
    Q_OBJECT
public:
    // The column groups: alias, alias, caption, variants.
    static const QString AliasTables;

    explicit TfAdresyS(QWidget *parent = nullptr);

    int PrepareList() override;
    void OpenDetail(int key) override;
};

// A new address-book list with its own controller and the presets of a new entry (a
// customer with twelve-month periods), not yet shown. Null when the controller could
// not be made (the user has been told).
TfAdresyS *VytvorAdresar(QWidget *parent = nullptr);

// "Adresář / Adresy": the list shown modeless, on the entry with the key when given;
// it frees itself and its controller when closed.
TfAdresyS *OtevriAdresar(QWidget *parent = nullptr, int key = 0);
