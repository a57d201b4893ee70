#pragma once
// TfHPS, the list of extinguisher inspections: recent inspections first, coloured by
// the state of the document, with the bulk change of state and lock and the search by
// serial number.
#include "inspections/protocollist.h"

class TfHPC;

class TfHPS : public TfInspectionList
{
    Q_OBJECT
public:
    // The column groups: alias, alias, caption, variants.
    static const QString AliasTables;

    explicit TfHPS(QWidget *parent = nullptr);

    void OpenDetail(int key) override;
    int BeforeNewRecord() override;

    // "Fltr pro výrobní číslo HP": the search window; a chosen row opens its inspection.
    void FiltrVyrobniCislo();

private:
    TfHPC *hpc() const;
};

// A new inspection list with its own controller and the presets of a new inspection,
// not yet shown. Null when the controller could not be made (the user has been told).
TfHPS *VytvorKontrolyHP(QWidget *parent = nullptr);
// "Kontroly / Hasící přístroje": the list shown modeless; it frees itself and its
// controller when closed.
TfHPS *OtevriKontrolyHP(QWidget *parent = nullptr);
// "Kontroly / Dohledání HP": the search window, modal, only showing the results.
void OtevriDohledaniHP(QWidget *parent = nullptr);
