#pragma once
// The stock reports of "Sestavy skladu", without widgets: the rows of each report read
// from the movements (SKLADPOHYB) or the slips, and the four page forms on the general
// list print (TtObecTisk) with its titles, header and footer.
//
// Every condition of a report applies to the whole of it: the opening balance of the
// store movement takes the same store as its period, a purchase is filtered on the
// store that received it and a sale on the store that issued it.
#include "core/lookup.h"
#include "reports/obectisk.h"

#include <QDate>
#include <memory>

class TDMPro;

namespace StockReports {

enum Kind {
    StoreMovement,    // "Pohyb skladu"
    ItemMovement,     // "Pohyb materiálu"
    PurchaseByDay,    // "Nákup po dnech"
    SaleByDay,        // "Prodej po dnech"
    PurchaseSum,      // "Nákup sumárně"
    SaleSum,          // "Prodej sumárně"
};

struct Filter
{
    QDate from;
    QDate to;
    int store = 0;    // 0: every store
    int item = 0;     // 0: every item (the item movement needs one)
};

// "Sestava pohybu skladu", "Sestava pohybu materiálu", "Nákup za období", "Prodej za období".
QString title(Kind kind);
// The condition letter: 'N' new, 'O' after repair, 'D' for repair, 'V' scrapped.
QString conditionLetter(int condition);
// "Vyrobce - Popis", or Popis alone without a manufacturer.
QString description(const QString &vyrobce, const QString &popis);

// The items of a section ("Vše": 0, every item) by description, for the item choice.
QVector<LookupItem> materialChoices(TDMPro *dm, int section);

// The rows of a report as its form prints them; ok false when they could not be read
// (the driver's text in *error).
std::unique_ptr<Print::RowsDataSource> rows(TDMPro *dm, Kind kind, const Filter &filter, bool *ok = nullptr,
                                            QString *error = nullptr);
// The second title: the period and, when chosen, the store.
QString periodText(TDMPro *dm, const Filter &filter);

// Renders the report with the options of the print dialog. 0, negative on failure with
// the reason in *error.
int render(TDMPro *dm, Kind kind, const Filter &filter, const ListPrintOptions &options, Print::Document &out,
           QString *error = nullptr);

} // namespace StockReports

// The four page forms: fixed columns on the general list print.
class TfSklSesT : public TtObecTisk
{
public:
    struct Column
    {
        const char *field;
        const char *caption;
        int width;
        bool number;
        const char *mask;
        bool sum;
    };
    // Lays the columns out over the data with the titles and options.
    bool prepare(Print::DataSource *source, const ListPrintOptions &options);

protected:
    explicit TfSklSesT(std::initializer_list<Column> columns) : m_columns(columns) {}

private:
    QVector<Column> m_columns;
};

// The movement of a store by item and condition.
class TfSklSesTPoh : public TfSklSesT
{
public:
    TfSklSesTPoh();
};
// The movements of one item.
class TfSklSesTPohMat : public TfSklSesT
{
public:
    TfSklSesTPohMat();
};
// Purchase or sale lines by date.
class TfSklSesTNakPro : public TfSklSesT
{
public:
    TfSklSesTNakPro();
};
// Purchases or sales summed per item.
class TfSklSesTNakProSum : public TfSklSesT
{
public:
    TfSklSesTNakProSum();
};
