#pragma once
// TfDokDop, "Doplnění plnění": what a bulk change of inspection documents writes (the
// state and the lock, each optional) and to which rows of the list.
#include <QDialog>

#include "core/varsql.h"

class QComboBox;
class QRadioButton;

class TfDokDop : public QDialog
{
    Q_OBJECT
public:
    explicit TfDokDop(QWidget *parent = nullptr);

    QComboBox *cbStav() const { return m_cbStav; }
    QComboBox *cbZamek() const { return m_cbZamek; }
    QRadioButton *rbVybrany() const { return m_rbVybrany; }
    QRadioButton *rbOznacene() const { return m_rbOznacene; }
    QRadioButton *rbNeoznacene() const { return m_rbNeoznacene; }
    QRadioButton *rbVsechny() const { return m_rbVsechny; }

    // The chosen rows as an UpdateRows scope.
    int scope() const;
    // FAKTURA := first letter of the chosen state, ZAMEK := 'A' or 'N'; only what was
    // chosen, so nothing chosen gives an empty list.
    TVarSQL values() const;

private:
    QComboBox *m_cbStav;
    QComboBox *m_cbZamek;
    QRadioButton *m_rbVybrany;
    QRadioButton *m_rbOznacene;
    QRadioButton *m_rbNeoznacene;
    QRadioButton *m_rbVsechny;
};
