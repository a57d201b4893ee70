#pragma once
// TfPV, the edit window of one hydrant inspection ("Protokol o kontrole PV"): the
// shared header, the grid of hydrants with their description and their 23 findings
// under it, the findings on the whole installation, the user-defined checks, the
// findings text and the conclusion. The rules behind it live in TfPVC.
#include "inspections/protocolwindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class TfPVC;

class TfPV : public TfInspectionWindow
{
    Q_OBJECT
public:
    // The item orders a click on a grid title chooses, one per grid column.
    static const QStringList TitleOrders;

    explicit TfPV(TfPVC *controller, QWidget *parent = nullptr);

    TfPVC *pvc() const;

    int OnEditChange(RowCache *source) override;

    // The type chosen in the item panel.
    void TypVybran(int index);
    // Leaving the pressure and the flow, and a click on the unit label.
    void TlakOpusten();
    void PrutokOpusten();
    void JednotkaKlik();
    // A key typed into the finding field of the column: true when it was taken (the
    // focus moved on), false when ignored.
    bool NalezZadan(const QString &column, QChar key);
    void ZkopirovatVyplneni();
    void VlozitVyplneni();
    // The user-defined checks.
    int DoplnitZPredlohy();
    int PridatKontrolu();
    int UbratKontrolu();
    void KatalogKontrol();
    // A key in the state column of the checks grid: true when it wrote a state.
    bool StavKontrolyKlavesou(QChar key);

    QLineEdit *findingField(const QString &column) const;
    QLabel *unitLabel() const { return m_lJednotka; }
    QWidget *checksGrid() const;

    // "Tisk" / "Doklad o kontrole PV" of the inspection, saved first.
    int TiskDokladu();

    // The drop-downs of the item panel read again (done on show).
    bool NaplnSeznamy();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QWidget *itemEntryField() const override;
    void showItemChoices() override;
    void refreshKindActions(bool header, bool items, bool hasItems, bool hasCurrent) override;

private:
    QWidget *buildDescription();
    QWidget *buildDetail();
    QWidget *buildBasicFindings();
    QWidget *buildChecks();
    void buildMenus();

    QComboBox *m_cbTyp = nullptr;
    QComboBox *m_cbOznaceni = nullptr;
    QList<QComboBox *> m_cbVybava;
    QLineEdit *m_eTlak = nullptr;
    QLineEdit *m_ePrutok = nullptr;
    QLabel *m_lJednotka = nullptr;
    QList<QLineEdit *> m_findings;
    class RowCacheModel *m_checksModel = nullptr;
    class QTableView *m_dbgKontroly = nullptr;
    QList<QWidget *> m_checkTools;
    bool m_seznamyNacteny = false;
    bool m_prutokPsan = false;
};

// Opens the inspection of the key in its edit window, modally, on the controller of a
// list. Returns false when it could not be opened (the user was told).
bool OtevriKontroluPV(TfPVC *controller, int key, QWidget *parent = nullptr);
