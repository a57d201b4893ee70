#pragma once
// TfKonSes "Statistika kontrol": the period (both dates required), the optional firm,
// technician and manufacturer, and one button per report; each report goes through
// the general print dialog into a preview. The counting and the forms are in
// reports/konsest.h.
#include <QDialog>
#include <functional>

#include "reports/konsest.h"

class QComboBox;
class QLineEdit;
class NabCombo;
class TDMPro;

class TfKonSes : public QDialog
{
    Q_OBJECT
public:
    explicit TfKonSes(TDMPro *dm, QWidget *parent = nullptr);
    // Opens the window modeless; it frees itself when closed.
    static TfKonSes *open(TDMPro *dm, QWidget *parent);

    // The filter of the fields; false after " Není vyplněno datum " when a date is
    // missing.
    bool readFilter(InspectionStatistics::Filter *filter);
    // One report: the print dialog, then the preview. 0, 1 when the user stopped,
    // negative after a warning.
    int Tisk(InspectionStatistics::Kind kind);

    // Where the rendered report goes; the preview unless a caller sends it elsewhere.
    std::function<void(const Print::Document &)> showPreview;

    QLineEdit *eDatOd = nullptr;
    QLineEdit *eDatDo = nullptr;
    NabCombo *ncFirma = nullptr;
    NabCombo *ncTechnik = nullptr;
    QComboBox *cbVyrobce = nullptr;

private:
    TDMPro *m_dm;
};
