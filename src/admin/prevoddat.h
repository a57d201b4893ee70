#pragma once
// TfPrevodDat, "Tarko 8: Převod dat z verze 7.4x": picks the old database (or a backup
// of it), runs OldImport with the table and row gauges and the log, and gives the
// closing advice. The maintenance and parameter windows live above this folder; the
// menu wiring hands them in.
#include <QDialog>
#include <functional>

class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QToolButton;
class TDMPro;

class TfPrevodDat : public QDialog
{
    Q_OBJECT
public:
    explicit TfPrevodDat(TDMPro *dm, QWidget *parent = nullptr);

    // Opened after the import, each modally, in this order.
    std::function<void()> openMaintenance;
    std::function<void()> openParameters;

    // "..." of "Zdrojová databáze": the file dialog with the old program's file name.
    void VyberZdroj();
    // "Převod": 0 done, 1 declined, -1 the source did not open.
    int Prevod();

    QLineEdit *eZdroj = nullptr;
    QProgressBar *ggTabulky = nullptr;
    QProgressBar *ggZaznamy = nullptr;
    QPlainTextEdit *mVypis = nullptr;
    QToolButton *sbPrevod = nullptr;

private:
    TDMPro *m_dm;
};
