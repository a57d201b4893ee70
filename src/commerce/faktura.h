#pragma once
// TfFaktura ("Tarko 8: Faktura"), the invoice edit window: page "Hlavička" with the
// header fields, the line grid and the three shown sums; pages "Záhlaví", "Zápatí" and
// "Úhrada"; lines added, removed, recounted and taken from the price list. The rules
// live in TfFakturaC; the window passes the user's actions on.
#include "widgets/editform.h"

class NabCombo;
class QLabel;
class QTableView;
class RowCacheModel;
class TfFakturaC;

class TfFaktura : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfFaktura(TfFakturaC *controller, QWidget *parent = nullptr);

    TfFakturaC *fakturac() const;
    QTableView *grid() const { return m_grid; }

    void Pridat();
    void Ubrat();
    void Prepocet();
    void PridatZCeniku();
    // Menu "Faktura": the invoice and the receipt (item by item or as one line) printed
    // as stored, pending changes saved first.
    void TiskFaktury();
    void TiskDokladu(bool itemised);
    // The basic-rate, reduced-rate and grand totals as shown.
    QStringList shownSums() const;

protected:
    int OnEditChange(RowCache *source) override;

private:
    QWidget *buildHeader(QWidget *page);
    QWidget *buildPayment(QWidget *page);
    void buildMenu();
    bool readyToPrint();
    void refreshSums();

    NabCombo *m_ncOdb = nullptr;
    NabCombo *m_ncPri = nullptr;
    NabCombo *m_ncStr = nullptr;
    QTableView *m_grid = nullptr;
    RowCacheModel *m_model = nullptr;
    QLabel *m_lSumaZ = nullptr;
    QLabel *m_lSumaS = nullptr;
    QLabel *m_lCelkem = nullptr;
};
