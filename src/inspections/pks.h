#pragma once
// TfPKS, the list of fire-damper inspections ("Požární klapky"): recent inspections
// first, coloured by the state of the document, the bulk change of state and lock, and
// the damper report of the current inspection from "Tisk".
#include "inspections/protocollist.h"

class TfPKC;

class TfPKS : public TfInspectionList
{
    Q_OBJECT
public:
    // The column groups: alias, alias, caption, variants.
    static const QString AliasTables;

    explicit TfPKS(QWidget *parent = nullptr);

    int BeforeNewRecord() override;
    void OpenDetail(int key) override;

    // "Tisk" / "Doklad o kontrole PK" of the current inspection. 0 when shown, 1 when
    // there is none or no design was chosen, negative on failure (warned).
    int TiskDokladu();

private:
    TfPKC *pkc() const;
};

// A new damper inspection list with its own controller and the presets of a new
// inspection, not yet shown. Null when the controller could not be made.
TfPKS *VytvorKontrolyPK(QWidget *parent = nullptr);
// "Kontroly / Požární klapky": the list shown modeless; it frees itself and its
// controller when closed.
TfPKS *OtevriKontrolyPK(QWidget *parent = nullptr);
