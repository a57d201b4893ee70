#pragma once
// TfNactiCK "Načtení dat z  čárových kódů": the reader file named in "Vstupní soubor"
// loaded into VSTCARKOD by the pen or the terminal loader (barcodes/readerload.h).
#include <QDialog>

class QLabel;
class QLineEdit;
class TDMPro;

class TfNactiCK : public QDialog
{
    Q_OBJECT
public:
    explicit TfNactiCK(TDMPro *dm, QWidget *parent = nullptr);

    void NacitCPen();
    void NacitTerminal();
    QString statusText() const;

private:
    void load(bool pen);
    TDMPro *m_dm;
    QLineEdit *m_file;
    QLabel *m_status;
};
