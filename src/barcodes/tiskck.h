#pragma once
// TfTiskCK "Tisky čárových kódů": the label sheets printed at once, the code sheets and
// the technician's form in preview. The forms themselves are in barcodes/sheets.h.
#include <QDialog>
#include <functional>

#include "reports/printengine.h"

class QDateEdit;
class QLineEdit;
class QSpinBox;
class TDMPro;

class TfTiskCK : public QDialog
{
    Q_OBJECT
public:
    explicit TfTiskCK(TDMPro *dm, QWidget *parent = nullptr);

    // "Štítky na HP": asks, renders the sheets with fresh numbers, prints them.
    void Stitky();
    // The code sheets, in preview.
    void KodyStavy();
    void KodyUmisteni();
    void KodyOpravy();
    void KodyPozice();
    void KodyTypy();
    // "Formulář pro technika": asks, then the form in preview.
    void FormularTechnik();

    // Where the label sheets go; the printer unless a caller sends them elsewhere.
    std::function<void(const Print::Document &)> printSheets;
    // Where the previewed forms go; the preview unless a caller sends them elsewhere.
    std::function<void(const Print::Document &)> showPreview;

private:
    void codeSheet(int sheet);
    TDMPro *m_dm;
    QSpinBox *m_columns, *m_rows, *m_sheets, *m_formSheets;
    QLineEdit *m_title, *m_technician;
    QDateEdit *m_date;
};

// Prints the pages on the default printer; false after a warning.
bool printDirectly(const Print::Document &document);
