#pragma once
// TfHPS, the list of extinguisher inspections: recent inspections first, coloured by
// the state of the document, with the bulk change of state and lock and the search by
// serial number.
#include "widgets/seznam.h"

class TfHPC;
class TVarSQL;

class TfHPS : public TfSeznam
{
    Q_OBJECT
public:
    // The column groups: alias, alias, caption, variants.
    static const QString AliasTables;

    explicit TfHPS(QWidget *parent = nullptr);

    int PrepareList() override;
    int DefaultFilter() override;
    void OpenDetail(int key) override;
    int BeforeNewRecord() override;
    void CellColors(int row, int column, CellLook &look) override;

    // "Hromadně změnit doklady o kontrole": asks TfDokDop, then Doplnit.
    void HromadneZmenit();
    // Writes the values into the rows of the scope. Nothing chosen changes nothing;
    // unlocking needs the password, and without it locked inspections are left out.
    // Returns 0 when written, 1 when nothing was to be done or the user declined, -1
    // on a wrong password or a failure (the user has been told).
    int Doplnit(const TVarSQL &values, int scope);
    // "Fltr pro výrobní číslo HP": the search window; a chosen row opens its inspection.
    void FiltrVyrobniCislo();

private:
    TfHPC *hpc() const;
    void reopenKeepingMarks(int key);
};

// A new inspection list with its own controller and the presets of a new inspection,
// not yet shown. Null when the controller could not be made (the user has been told).
TfHPS *VytvorKontrolyHP(QWidget *parent = nullptr);
// "Kontroly / Hasící přístroje": the list shown modeless; it frees itself and its
// controller when closed.
TfHPS *OtevriKontrolyHP(QWidget *parent = nullptr);
// "Kontroly / Dohledání HP": the search window, modal, only showing the results.
void OtevriDohledaniHP(QWidget *parent = nullptr);
