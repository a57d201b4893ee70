#pragma once
// The two dialogs of the workshop: TfDilnaDPredVyp ("Vyplnění kontroly a expedice HP"),
// what the workshop check and the dispatch fill into workshop rows, used by the list's
// "Doplnit" and by the inspection's workshop link; and TfDilnaDNabHP ("Nabídka HP"),
// the fit rows of a type offered for an extinguisher coming back from the workshop.
#include <QDialog>
#include <array>

#include "inspections/dilnac.h"
#include "inspections/hpc.h"

class NabCombo;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

// A date field of the workshop windows, with its calendar.
QDateEdit *workshopDateField(QWidget *parent, const QString &objectName);

class TfDilnaDPredVyp : public QDialog
{
    Q_OBJECT
public:
    // The link offers only "Potvrdit volbu"; the list only the scopes of "Doplnit".
    enum Mode { LinkMode, ListMode };

    TfDilnaDPredVyp(TfDilnaC *workshop, Mode mode, QWidget *parent = nullptr);

    // Shows the values (the checking firm stays the remembered one when none is given).
    void setFill(const WorkshopFill &fill);
    WorkshopFill fill() const;
    // The scope chosen from "Doplnit" (an UpdateScope), -1 before one was chosen.
    int scope() const { return m_scope; }
    // A scope chosen from "Doplnit": the dialog closes with it unless the values are
    // refused (the user is told why and the dialog stays).
    void Doplnit(int scope);
    // "Zapamatovat pro příští použití": the checking firm is kept for the next time.
    void Zapamatovat();
    // Closing: the remembered firm is stored / the rows are written first.
    void done(int result) override;

    QCheckBox *cbKontrola() const { return m_cbKontrola; }
    QCheckBox *cbExpedice() const { return m_cbExpedice; }
    QComboBox *cbDuvVyr() const { return m_cbDuvVyr; }
    QCheckBox *result(int index) const { return m_results.at(size_t(index)); }

private:
    void followBoxes();

    QCheckBox *m_cbKontrola = nullptr;
    QCheckBox *m_cbExpedice = nullptr;
    QGroupBox *m_gbKontrola = nullptr;
    QGroupBox *m_gbExpedice = nullptr;
    QDateEdit *m_deDatum = nullptr;
    QDateEdit *m_deDatExp = nullptr;
    NabCombo *m_ncKomisar = nullptr;
    NabCombo *m_ncFirma = nullptr;
    NabCombo *m_ncTechnik = nullptr;
    NabCombo *m_ncExpFirma = nullptr;
    NabCombo *m_ncStredisko = nullptr;
    QComboBox *m_cbDuvVyr = nullptr;
    std::array<QCheckBox *, 8> m_results{};
    int m_scope = -1;
    int m_firmToRemember = -1;
};

class TfDilnaDNabHP : public QDialog
{
    Q_OBJECT
public:
    TfDilnaDNabHP(TfDilnaC &workshop, const TfHPC::ReturnedItem &item, QWidget *parent = nullptr);

    // TfHPC::WorkshopChoice, and the row taken with "Vyber".
    int choice() const { return m_choice; }
    int chosenKey() const { return m_key; }
    QTableWidget *grid() const { return m_grid; }
    QLineEdit *filterBox() const { return m_eFiltr; }

    void Vyber();
    void Preskoc();
    void Konec();
    // The fit rows read again for the typed serial number.
    void Nacti();

private:
    TfDilnaC &m_workshop;
    QString m_hp;
    QLineEdit *m_eFiltr = nullptr;
    QTableWidget *m_grid = nullptr;
    int m_choice = TfHPC::WorkshopSkip;
    int m_key = 0;
};
