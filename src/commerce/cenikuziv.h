#pragma once
// TfCenikUziv ("Tarko 8: Uživatelský ceník") shows one user price list and one section
// at a time; the rules are UserPriceLists'.
#include <QDialog>

#include "commerce/cenikc.h"
#include "commerce/userpricelists.h"

class QComboBox;
class QLineEdit;
class QTabBar;
class QTableView;
class QToolButton;

class TfCenikUziv : public QDialog
{
    Q_OBJECT
public:
    static constexpr int SectionCount = TfCenikC::SectionCount;

    explicit TfCenikUziv(QWidget *parent = nullptr, TDMPro *dm = DM);

    UserPriceLists &data() { return m_data; }
    bool isCreated() const { return m_created; }

    // The actions; each returns 0 when done, negative on failure, positive when the
    // user declined or there was nothing to do.
    int Novy();          // a new list, named by the user
    int SmazatCenik();   // "Smazat vybraný ceník ?"
    int Uloz();
    int Pridej();        // the current item into the list
    int Uber();          // the current item out of the list
    // Another list or section, asking first about typed prices; false when the user
    // stayed.
    bool chooseList(int key);
    bool chooseSection(int section);
    // "Uložit změny ?" when prices were typed; false when the user stayed.
    bool ConfirmLeave();

    QComboBox *cenikCombo() const { return m_cbCenik; }
    QTabBar *sectionTabs() const { return m_tbSekce; }
    QTableView *grid() const { return m_dbgCenik; }
    UserPriceModel *model() const { return m_model; }
    QLineEdit *searchField() const { return m_eDohledani; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void fillListCombo();
    void refreshButtons();

    UserPriceLists m_data;
    QComboBox *m_cbCenik = nullptr;
    QTabBar *m_tbSekce = nullptr;
    QTableView *m_dbgCenik = nullptr;
    UserPriceModel *m_model = nullptr;
    QLineEdit *m_eDohledani = nullptr;
    QToolButton *m_sbUloz = nullptr;
    bool m_created = false;
};
