#pragma once
// TfAdresyC, the address-book controller: an entry (ADRESAR) with its commercial
// extension (FIRMY), its objects (S_OBJEKT) and its sites (STREDISKA), all written in
// one save with the entry. The list shows one row per site of each entry.
#include "core/class.h"
#include "core/lookup.h"

class TfAdresyC : public TfClass
{
    Q_OBJECT
public:
    // The detail tables in their declared order.
    enum Detail { Firmy = 0, Objekty = 1, Strediska = 2 };

    // The list's joins: every reader links the commercial extension and the sites by
    // their UNCH to the entry's key.
    static const QString ListFrom;

    using TfClass::TfClass;

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int AfterInsertRecord() override;
    int BeforeSaveRecord() override;
    int AfterCopyRecord() override;

    ItemTable &firmy() { return item(Firmy); }
    ItemTable &objekty() { return item(Objekty); }
    ItemTable &strediska() { return item(Strediska); }

    // The entry's commercial extension, made when the entry has none (entries from
    // older data), to be stored with the entry's save. Its key, or a negative code.
    int ensureCommercialRow();
    // "Nový objekt": a new object of the entry, numbered after the last one. Returns
    // its key or a negative code.
    int NovyObjekt();
    // "Nové středisko": a new site that starts with the entry's three inspection
    // periods. Returns its key or a negative code.
    int NoveStredisko();
    // Removes the current object or site from the record (stored with the save).
    int SmazatObjekt();
    int SmazatStredisko();
    // "Odebrat ceník": the entry has no user price list any more.
    int OdebratCenik();
    // The user price lists an entry may take, by name.
    QVector<LookupItem> PriceListChoices() const;
};
