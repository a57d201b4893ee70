#pragma once
// TfAdresy, the edit window of an address-book entry: the entry and its commercial
// extension, periods, price list, managing firm and objects, its sites as panels, and
// the person's page with the kind of entry.
#include "widgets/editform.h"

class NabCombo;
class PanelyStredisek;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QTableView;
class QTabWidget;
class QToolButton;
class RowCacheModel;
class TfAdresyC;

class TfAdresy : public TfEditForm
{
    Q_OBJECT
public:
    explicit TfAdresy(TfAdresyC *controller, QWidget *parent = nullptr);

    TfAdresyC *adresy() const;

    // Reads the user price lists into the "Ceník" drop-down (done on show).
    void nactiCeniky();

    // The page actions.
    void NovyObjekt();
    void SmazatObjekt();
    void NoveStredisko();
    void SmazatStredisko();
    void OdebratCenik();

    QTabWidget *pages() const { return m_pages; }
    NabCombo *spravniFirma() const { return m_ncSprFir; }
    QTableView *objektyGrid() const { return m_dbgObjekty; }
    RowCacheModel *objektyModel() const { return m_objekty; }
    PanelyStredisek *strediska() const { return m_strediska; }
    QButtonGroup *typOsoby() const { return m_rgTyp; }

protected:
    void showEvent(QShowEvent *event) override;
    void AfterRefreshEditActions() override;

private:
    QWidget *buildZakladni();
    QWidget *buildDoplnky();
    QWidget *buildStrediska();
    QWidget *buildZamestnanec();
    QLineEdit *edit(const QString &objectName, RowCache &rows, const QString &field);
    QToolButton *button(QWidget *parent, const QString &objectName, const QString &caption);
    // The kind radio group follows the header row; a click writes it.
    void showTyp();
    void typClicked(int typ);
    bool editable() const;

    QTabWidget *m_pages = nullptr;
    QComboBox *m_cbCenik = nullptr;
    NabCombo *m_ncSprFir = nullptr;
    QTableView *m_dbgObjekty = nullptr;
    RowCacheModel *m_objekty = nullptr;
    RowCacheModel *m_strediskaModel = nullptr;
    PanelyStredisek *m_strediska = nullptr;
    QButtonGroup *m_rgTyp = nullptr;
    bool m_cenikyNacteny = false;
};
