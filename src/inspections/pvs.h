#pragma once
// TfPVS, the list of hydrant inspections ("Požární vodovody"): recent inspections
// first, coloured by HOTOVO, with the bulk change of state and lock.
#include "inspections/protocollist.h"

class TfPVC;

class TfPVS : public TfInspectionList
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfPVS(QWidget *parent = nullptr);

    void OpenDetail(int key) override;
    int BeforeNewRecord() override;

private:
    TfPVC *pvc() const;
};

// A new hydrant inspection list with its own controller and the presets of a new
// inspection, not yet shown. Null when the controller could not be made.
TfPVS *VytvorKontrolyPV(QWidget *parent = nullptr);
// "Kontroly / Požární vodovody": the list shown modeless; it frees itself and its
// controller when closed.
TfPVS *OtevriKontrolyPV(QWidget *parent = nullptr);
