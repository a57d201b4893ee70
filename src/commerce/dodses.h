#pragma once
// TfDodSes "Tarko 8: Statistika dodacíh listů": the period (both dates required), the
// optional customer, section and item, and the three layouts of the material the
// delivery notes delivered ("Sestava po položkách"), each through the general print
// dialog into a preview. The statements and the form are in
// reports/deliverystatistics.h.
#include <QDialog>
#include <functional>

#include "reports/deliverystatistics.h"

class QComboBox;
class QLineEdit;
class NabCombo;
class TDMPro;

class TfDodSes : public QDialog
{
    Q_OBJECT
public:
    explicit TfDodSes(TDMPro *dm, QWidget *parent = nullptr);
    static TfDodSes *open(TDMPro *dm, QWidget *parent);

    // The filter of the fields; false after " Není vyplněno datum " when a date is
    // missing.
    bool readFilter(DeliveryStatistics::Filter *filter);
    // One layout: the print dialog, then the preview. 0, 1 when the user stopped,
    // negative after a warning.
    int Tisk(DeliveryStatistics::Layout layout);
    // Fills "Materiál" with the items of the chosen section (none without one).
    void NactiMaterial();

    std::function<void(const Print::Document &)> showPreview;

    QLineEdit *eDatOd = nullptr;
    QLineEdit *eDatDo = nullptr;
    NabCombo *ncFirma = nullptr;
    QComboBox *cbSekce = nullptr;
    QComboBox *cbMaterial = nullptr;

private:
    TDMPro *m_dm;
};
