#pragma once
// The user price lists: named lists (CENUZH) of customer prices (CENUZP) for items of
// the price list. UserPriceLists keeps the rules and the rows without any window;
// UserPriceModel shows the prices of one list and section in a grid.
#include <QColor>

#include "core/datamodulpro.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"

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
