#pragma once
// TfDilnaS, the list of workshop rows ("Dílenské prohlídky"): the states shown chosen
// by three toggles, rows coloured by state, the fill of the check and dispatch for
// many rows, and the spare parts of an extinguisher.
#include "widgets/seznam.h"

class TfDilnaC;

class TfDilnaS : public TfSeznam
{
    Q_OBJECT
public:
    static const QString AliasTables;

    explicit TfDilnaS(QWidget *parent = nullptr);

    int PrepareList() override;
    int DefaultFilter() override;
    void OpenDetail(int key) override;
    int BeforeNewRecord() override;
    void CellColors(int row, int column, CellLook &look) override;

    // The three toggles: received, checked and fit, dispatched or withdrawn.
    void ZobrazitStavy(bool received, bool checked, bool dispatched);
    // "Doplnit": the fill dialog, then its values into the rows of the chosen scope.
    void Doplnit();
    // "Náhradní  díly a práce k HP".
    void NahradniDily();

private:
    TfDilnaC *dilnac() const;
    QString stateCondition() const;
};

// A new workshop list with its own controller presetting new rows as received, not
// yet shown; null when the controller could not be made (the user has been told).
TfDilnaS *VytvorDilnu(QWidget *parent = nullptr);
// "Dílenské opravy": the list shown modeless; it frees itself and its controller.
TfDilnaS *OtevriDilnu(QWidget *parent = nullptr);
