#pragma once
// TfCenikC, the price-list item controller (CENIK): the item list with its stock
// quantity, the section and under-limit conditions of that list, the order quantities
// typed beside its rows, and the rule that an item documents refer to stays. TfMaterialC
// is the same entity listed without the stock join, for the material picker.
#include "core/class.h"
#include "core/lookup.h"

#include <QMap>
#include <QPair>
#include <QStringList>
#include <QVector>
#include <optional>

// The section condition of the price-list lists: the ticked sections as whole numbers
// in one IN list. The numbers are written into the SQL text (a bound parameter holds one
// value, not a list); with no section ticked the condition matches no row.
QString sectionCondition(const QString &column, const QVector<int> &sections);

class TfCenikC : public TfClass
{
    Q_OBJECT
public:
    // Which items the list shows by their stock.
    enum LimitView {
        AllItems = 0,
        BelowLimit = 1,            // "Zobrazit položky pod limit"
        BelowCriticalLimit = 2,    // "Zobrazit položky pod krytický limit"
    };

    // Every item has a row in SKLADSUMFIR (0 when never stocked), so the inner join
    // keeps every item in the list.
    static const QString ListFrom;
    static const QString ListColumns;

    static constexpr int SectionCount = 11;

    using TfClass::TfClass;

    int DefineEntity() override;
    // A new item starts in the list's section when the list shows exactly one.
    int AfterNewHeaderRow() override;
    int BeforeDeleteRecord(int key) override;
    int AfterDeleteRecord() override;

    // The sections the list shows; until set, every item whatever its section.
    void setSections(const QVector<int> &sections);
    void clearSections();
    std::optional<QVector<int>> sections() const { return m_sections; }
    void setLimitView(LimitView view);
    LimitView limitView() const { return m_limitView; }

    // The quantities typed into the list's order column ("Objednat"), by item key;
    // they stay while the list is read again, sorted or filtered.
    void setOrderQuantity(int key, double quantity);
    double orderQuantity(int key) const { return m_orderQuantities.value(key, 0.0); }
    // The items to order: a quantity above 0, in key order.
    QVector<QPair<int, double>> orderLines() const;
    void clearOrderQuantities() { m_orderQuantities.clear(); }

    // The kinds of documents whose lines refer to the item ("dodací listy", ...); empty
    // when none does. ok is false when that could not be read.
    QStringList documentsUsing(int key, bool *ok = nullptr) const;
    // Whether the item may be deleted; when not, the user has been told why.
    bool CanDelete(int key);
    // Deletes the item for a grid's "Ubrat" with the rules of the item window: refused
    // (1) when documents use it, otherwise the item and its user prices go in one
    // transaction (0). A failed delete is told under the caption (-1).
    int deleteItem(int key, const QString &caption);
    // The suppliers an item may name: the firms of the address book by name, their town
    // the extra column.
    QVector<LookupItem> SupplierChoices() const;

protected:
    // The list without its conditions; the sections and the limit view are added to it.
    void setBaseListFrom(const QString &from);
    QString baseListFrom() const { return m_baseFrom; }

private:
    void composeListFrom();

    QString m_baseFrom;
    std::optional<QVector<int>> m_sections;
    LimitView m_limitView = AllItems;
    QMap<int, double> m_orderQuantities;
    int m_deletingKey = 0;
};

// The sections of the price list, 1 to SectionCount: the number as the text, the name
// from NAZSEKCE, where the section has one, as the extra column.
QVector<LookupItem> sectionChoices(TDMPro *dm);

class TfMaterialC : public TfCenikC
{
    Q_OBJECT
public:
    static const QString ListFrom;

    using TfCenikC::TfCenikC;

    int DefineEntity() override;

    // The list a document asks for, columns and FROM in one text as the documents give
    // it (" ,CEN.POPIS, CEN.Jedn, CEN.UNCIS  from CENIK CEN "). False when the text has
    // no FROM part (the list stays as it was).
    bool setListText(const QString &text);
    // Only items kept on stock (PRENOSSKL 'A').
    void setStockOnly(bool on);
    bool stockOnly() const { return m_stockOnly; }

private:
    bool m_stockOnly = false;
};
