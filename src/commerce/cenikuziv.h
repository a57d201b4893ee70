#pragma once
// The user price lists: named lists (CENUZH) of customer prices (CENUZP) for items of
// the price list. UserPriceLists keeps the rules and the rows without any window;
// TfCenikUziv ("Tarko 8: Uživatelský ceník") shows one list and one section at a time.
#include <QColor>
#include <QDialog>
#include <QVector>

#include "core/datamodulpro.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"

class QComboBox;
class QLineEdit;
class QTabBar;
class QTableView;
class QToolButton;

class UserPriceLists
{
public:
    enum Result {
        Done = 0,
        NothingToDo = 1,          // the row already has a price / there is no row
        Failed = -1,
    };

    explicit UserPriceLists(TDMPro *dm = DM);

    // "SELECT * FROM CenUzH Order by Nazev"; the list with the key becomes current (0:
    // the one that was, else the first).
    int readLists(int key = 0);
    // Every item of the section with its price in the list (null where it has none).
    int readPrices(int list, int section);
    int list() const { return m_list; }
    int section() const { return m_section; }

    RowCache &lists() { return m_lists; }
    RowCache &prices() { return m_prices; }

    // A new list of the name; its key or Failed.
    int createList(const QString &name);
    // Deletes the list with all its prices.
    int deleteList(int key);
    // Gives the current item a price in the list (0, the user types it then); an item
    // that has one already gets nothing.
    int addCurrent();
    // Takes the current item's price out of the list.
    int removeCurrent();
    // Stores the typed prices (and list names) in one transaction; they stay typed when
    // that fails.
    int save();
    bool isModified() const { return m_lists.isDirty() || m_prices.isDirty(); }
    // Forgets the typed prices.
    void cancel();

    // Whether the row of the prices has a price in the list.
    bool hasUserPrice(int row) const;
    // Finds the first item whose description starts with the text (ignoring case) and
    // makes it current; -1 when none does.
    int locate(const QString &text);

    QString lastError() const { return m_lastError; }

private:
    // Puts the stored state of one price into the row without touching other rows'
    // typed prices.
    void setStoredPrice(int row, const QVariant &key, const QVariant &price, const QVariant &klic);

    TDMPro *m_dm;
    RowCache m_lists;
    RowCache m_prices;
    int m_list = 0;
    int m_section = 1;
    QString m_lastError;
};

// The prices grid: only the price of an item in the list can be typed, and those rows
// are coloured.
class UserPriceModel : public RowCacheModel
{
    Q_OBJECT
public:
    static QColor priceColour() { return QColor(255, 255, 200); }

    UserPriceModel(UserPriceLists *lists, QObject *parent = nullptr);
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    UserPriceLists *m_lists;
};

class TfCenikUziv : public QDialog
{
    Q_OBJECT
public:
    static constexpr int SectionCount = 11;

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
    QToolButton *button(const QString &name, const QString &caption);

    UserPriceLists m_data;
    QComboBox *m_cbCenik = nullptr;
    QTabBar *m_tbSekce = nullptr;
    QTableView *m_dbgCenik = nullptr;
    UserPriceModel *m_model = nullptr;
    QLineEdit *m_eDohledani = nullptr;
    QToolButton *m_sbUloz = nullptr;
    bool m_created = false;
};
