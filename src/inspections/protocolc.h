#pragma once
// TfInspectionC, what the controllers of every inspection kind (extinguishers, hydrants,
// fire dampers) have in common on top of the record framework: the header with owner,
// site, technicians and document number, the items of item table 0 with their
// positions, the check before saving that a move or an insertion skips once, and the
// item operations the inspection windows drive. The kinds add their own item rules,
// counts and carry-forward.
#include <QChar>
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

#include "core/class.h"
#include "core/lookup.h"

class TfInspectionC : public TfClass
{
    Q_OBJECT
public:
    enum { Polozky = 0 };

    // kind names the items in messages ("HP", "PV", "PK").
    TfInspectionC(const QString &kind, TDMPro *dm = DM, QObject *parent = nullptr);

    QString kind() const { return m_kind; }
    ItemTable &polozky() { return item(Polozky); }
    RowCache &items() { return *item(Polozky).cache; }

    // Presets the values of the next new inspection.
    void PresetNewInspection(const QDate &today = QDate::currentDate()) { presetInspection(today); }

    // --- the header ----------------------------------------------------------------
    // Whether the inspection may receive items: it has an owner, a date and its first
    // technician.
    bool CanHaveItems();
    // "Odpojit": the delivery note is no longer linked; saved at once.
    int UnlinkDeliveryNote();
    // Enter in "Číslo": the series code typed into CISPRO becomes the next number of
    // its series, with its sequence in PCISLO. True when a number was written.
    bool TakeNumberOfSeries();
    // A new owner was chosen: a site belongs to its owner, so the inspection starts
    // without one; the new owner's terms are read.
    void OwnerChosen();
    // Reads the terms of the open inspection's owner when the owner is another than the
    // one last read (or always, with again). True when they were read: the owner's
    // objects are to be shown again too.
    bool FollowOwner(bool again = false);
    // The owner's user price list and discount, which seed a new delivery note.
    int ownerPriceList() const { return m_ownerPriceList; }
    double ownerDiscount() const { return m_ownerDiscount; }
    // The objects of the open inspection's owner: order number and name, by order
    // number.
    QVector<LookupItem> OwnerObjects(bool *ok = nullptr);
    // The name of the owner's object with the order number; *found tells whether the
    // owner has one.
    QString ObjectOfOwner(int poradi, bool *found = nullptr);
    // Enter in the order number: the current item takes the name of the owner's object
    // with its order number. True when the name changed.
    bool TakeObjectByNumber();

    // --- the check before saving -----------------------------------------------------
    // The regular-inspection dates (unless skipped) and the kind's own counts. 0, or
    // -1 when the save must be refused.
    virtual int CheckBeforeSave(bool skipDateCheck) = 0;
    // A move or insertion is saved without the date check, and the save after it skips
    // it too, once. A window that shows an inspection anew starts without the skip.
    void setSkipNextDateCheck(bool skip) { m_skipDateCheckOnce = skip; }
    bool skipsNextDateCheck() const { return m_skipDateCheckOnce; }
    // The check before the next save, skipping the dates when a skip is pending (which
    // that uses up).
    int CheckBeforeNextSave();
    // Carry-forward of the inspection into a new one. Returns the new key (the new
    // inspection is open) or a negative code (the open record is the source again).
    virtual int CarryForward(int key) = 0;

    // --- the items -------------------------------------------------------------------
    // "Přidat": a new item at the end, with the object, location, order number and cost
    // centre of the current one. Returns its key.
    int AddItem();
    // "Opakovat": a copy of the current item without what identifies it. Returns its key.
    virtual int RepeatItem() = 0;
    // Whether the current item has changes not yet saved (it is being added or edited).
    bool ItemBeingEdited();
    // Enter on an item posts it: the kind's rules for a posted item run on it now.
    virtual void PostCurrentItem() {}
    // "Smazat": the current item leaves with the next save.
    int DeleteCurrentItem();
    // The row of the first item whose column starts with the text, ignoring case; -1
    // when none does.
    int FindItem(const QString &column, const QString &prefix);
    // The items read again in the given order (the open record is read again, so the
    // caller saves or drops its changes first).
    int SortItems(const QString &order);
    QString itemOrder() const { return m_itemOrder; }
    // Renumbers positions so the item itemKey takes position pozice in inspection
    // inspKey. Saves pending changes first; the caller holds the transaction.
    int VlozNaPozici(int itemKey, int inspKey, int pozice);
    // "Vložit nový": a new item at the position of the current one; the later items
    // move one down. The next save skips the date check. Returns the new item's key (it
    // is current) or a negative code.
    int InsertItemAtCurrent();
    // Moves the current item one place down ('N') or up ('P') in the order shown.
    // Returns 0 when moved, -1 at the first or last item, -2 on failure. Once moved,
    // the next save skips the date check.
    int MoveItem(QChar direction);

    using Values = QList<QPair<QString, QVariant>>;
    // What a new inspection of the kind starts with: regular, dated, state 'P' in the
    // kind's state column and open, with the kind's own presets; a header row that no
    // preset filled takes these with a zero count, no note, number or second
    // technician, and the kind's further defaults.
    struct NewInspection
    {
        QString stateColumn;   // FAKTURA or HOTOVO
        QString countColumn;   // POCHP, POCPV, POCPK
        Values own;
        Values blank;
    };

signals:
    // The progress text of a long operation, for the window's status bar.
    void statusText(const QString &text);

protected:
    virtual void presetInspection(const QDate &today) = 0;
    void presetNewInspection(const QDate &today, const NewInspection &kind);
    void presetBlankInspection(const NewInspection &kind);
    // The values a new item of the kind starts with besides its inspection and the
    // place taken from the current item.
    virtual void presetNewItem(TVarSQL &defaults) { (void)defaults; }
    // The item table 0 ordered by position, a new item landing at the end.
    int definePositionedItems(const QString &table);
    // Writes count into the header column when it differs.
    void storeCount(const QString &column, int count);

private:
    void readOwnerTerms(int owner);
    int currentOwner();
    QString m_kind;
    QString m_itemOrder = QStringLiteral("poradi,uncpom");
    int m_termsOwner = -1;   // whose terms were read last
    int m_ownerPriceList = 0;
    double m_ownerDiscount = 0;
    bool m_skipDateCheckOnce = false;
};
