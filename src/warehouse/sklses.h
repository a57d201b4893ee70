#pragma once
// TfSklSes ("Tarko 8: Sestavy skladu"): the period, the store, the section and the item
// of the stock reports, and the six buttons that print them through the dialog of the
// general list print into a preview. The reports themselves are StockReports.
#include "warehouse/sklsest.h"

#include <QDialog>

class NabCombo;
class QComboBox;
class QDateEdit;

class TfSklSes : public QDialog
{
    Q_OBJECT
public:
    explicit TfSklSes(TDMPro *dm, QWidget *parent = nullptr);

    QDateEdit *dateFrom() const { return m_deOd; }
    QDateEdit *dateTo() const { return m_deDo; }
    NabCombo *store() const { return m_ncSklad; }
    QComboBox *section() const { return m_cbSekce; }
    QComboBox *material() const { return m_cbMaterial; }
    StockReports::Filter filter() const;

    // One of the six buttons: the print dialog, then the preview. 0, 1 when the user
    // stopped, negative on failure (after its message).
    int Tisk(StockReports::Kind kind);
    // The rendered pages of the last report.
    const Print::Document &lastDocument() const { return m_last; }

private:
    void sectionChanged();

    TDMPro *m_dm;
    QDateEdit *m_deOd = nullptr;
    QDateEdit *m_deDo = nullptr;
    NabCombo *m_ncSklad = nullptr;
    QComboBox *m_cbSekce = nullptr;
    QComboBox *m_cbMaterial = nullptr;
    Print::Document m_last;
};

// "Sklad / Sestavy skladu": the window shown modeless; it frees itself when closed.
TfSklSes *OtevriSestavySkladu(QWidget *parent = nullptr);
