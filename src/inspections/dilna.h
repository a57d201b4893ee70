#pragma once
// TfDilna, one workshop row ("Dílna - detail"): what was received, the workshop check
// and the dispatch, each on its page, and the state of the row. The rules behind the
// fields live in the controller TfDilnaC.
#include "widgets/editform.h"

class NabCombo;
class QButtonGroup;
class QComboBox;
class QTabWidget;
class TfDilnaC;

class TfDilna : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfDilna(TfDilnaC *controller, QWidget *parent = nullptr);

    TfDilnaC *dilnac() const;

    // A type chosen in "Typ": its name, maker and test pressure come along.
    void TypVybran(int index);
    // "Doplnit vyřazení v protokole".
    int DoplnitVyrazeni();
    // The state chosen in the radio group.
    void StavVybran(int status);

    QTabWidget *pages() const { return m_pages; }
    QButtonGroup *states() const { return m_states; }

protected:
    void AfterRefreshEditActions() override;

private:
    QWidget *receivedPage();
    QWidget *checkPage();
    QWidget *dispatchPage();
    NabCombo *addressPicker(QWidget *parent, const QString &objectName, const QString &mode, const QString &field,
                            const QString &firmField = QString());
    void showRow();
    bool editable() const;

    QTabWidget *m_pages = nullptr;
    QButtonGroup *m_states = nullptr;
    QComboBox *m_cbTyp = nullptr;
    QList<NabCombo *> m_pickers;
};
