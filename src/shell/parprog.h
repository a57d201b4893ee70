#pragma once
// TfParProg, the program parameters window. Every stored item has a field whose
// object name is the item name; loading and storing are ParameterStore's, the window
// only copies texts between its fields and the store.
#include <QDialog>

#include "core/parameters.h"

class QLineEdit;

class TfParProg : public QDialog
{
    Q_OBJECT
public:
    // Opens with the stored values loaded.
    explicit TfParProg(TDMPro *dm, QWidget *parent = nullptr);

    // "Zpět původní parametry": reads every item into its field and into the
    // process-wide values. 0, or -1 when the reading failed (the message was shown).
    int Nacti();
    // "Uložit parametry": stores the items changed since Nacti and the password change,
    // then shows what is stored. 0, or -6 when storing failed.
    int Uloz();

    ParameterStore &store() { return m_store; }

private:
    void build();
    void chooseLogo();
    // Field texts into the store and back; check boxes are "1"/"0".
    void fieldsToTexts();
    void textsToFields();

    ParameterStore m_store;
    QLineEdit *m_eHesloS = nullptr;
    QLineEdit *m_eHeslo = nullptr;
    QLineEdit *m_eHeslo2 = nullptr;
    QLineEdit *m_feLogo = nullptr;
};
