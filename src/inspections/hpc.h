#pragma once
// TfHPC, the controller of the extinguisher inspections: the header PR_HLAV and its
// extinguishers PR_TAB, and the rules the inspection windows apply through it: the
// defaults of a new inspection, what a chosen condition, type or position writes into
// an item, the check before saving, carry-forward to next year's inspection, insertion
// at a position and moves, the document number, the owner's terms and objects, and the
// choices the item panel offers.
#include <QChar>
#include <QDate>
#include <QSqlQuery>
#include <QString>

#include "core/class.h"
#include "core/lookup.h"
#include "inspections/dilnac.h"

class TfHPC : public TfClass
{
    Q_OBJECT
public:
    enum { Polozky = 0 };

    explicit TfHPC(TDMPro *dm = DM, QObject *parent = nullptr);

    ItemTable &polozky() { return item(Polozky); }
    RowCache &hp() { return *item(Polozky).cache; }

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

    // Presets the values of the next new inspection: regular, dated today, in
    // preparation, no number, no delivery note, unlocked.
    void PresetNewInspection(const QDate &today = QDate::currentDate());

    // --- item rules --------------------------------------------------------------
    // The flags a movement state sets.
    struct StateFlags
    {
        QString preDilna, preVyraz, preSklad;
    };
    static StateFlags flagsOfState(int status);
    // Whether an item in this state is still at the customer after the visit.
    static bool leftAtCustomer(int status);
    // The year of manufacture the serial number gives ("1234/98" 1998, "1234/07"
    // 2007), or the current year when the number does not say.
    static int yearFromSerial(const QString &serial, int current);
    static QString markOf(const QString &hp, const QString &oprText);

    // Before an item row is posted: the mark and the year from the serial number.
    int qPodPredPost(int row);
    // Enter on an item posts it: the rule above runs on it now when it has changes
    // (leaving an item does the same by itself).
    void PostCurrentItem();
    // Whether the current item has changes not yet saved (it is being added or edited).
    bool ItemBeingEdited();
    // The condition chosen for the current item (S_STAV POPIS and TYP).
    int ChooseCondition(const QString &popis, int typ);
    // The extinguisher type chosen for the current item (CENIK row of section 7).
    // Returns 0, or -1 when there is no such type (nothing changes).
    int ChooseType(int unccen);
    // A position chosen for the current item (POZICE POPIS) is added to its location.
    int AddPosition(const QString &pozice);
    // The markers of the edit window.
    bool NeedsWithdrawalDocument();
    bool NeedsWorkshopLink();

    // A new item at the end of the inspection, taking object, location, order number
    // and cost centre from the current item ("Přidat HP"). Returns its key.
    int AddItem();

    // "Opakovat HP": a new item with every value of the current one except the serial
    // number, the note and the barcode, for a row of identical extinguishers. Returns
    // its key.
    int RepeatItem();
    // "Smazat HP": the current item leaves with the next save.
    int DeleteCurrentItem();
    // The row of the first item whose serial number starts with the text, ignoring
    // case; -1 when none does.
    int FindItemBySerial(const QString &prefix);
    // The name of the owner's object with the order number; *found tells whether the
    // owner has one.
    QString ObjectOfOwner(int poradi, bool *found = nullptr);
    // Enter in the order number: the current item takes the name of the owner's object
    // with its order number. True when the name changed.
    bool TakeObjectByNumber();
    // What the item panel offers to choose from.
    enum ItemChoice { UmisteniChoices, TypChoices, StavChoices, PoziceChoices, OprTextChoices };
    // The rows offered: locations, positions and refinement texts are their own keys;
    // a type is keyed by its CENIK row with the maker as extra column; a condition by
    // its TYP with the TYP again as extra column.
    QVector<LookupItem> ItemChoices(ItemChoice which, bool *ok = nullptr);
    // The objects of the open inspection's owner: order number and name, by order
    // number.
    QVector<LookupItem> OwnerObjects(bool *ok = nullptr);
    // The refinement text is offered from now on: a text not yet in S_OPRTXT is added
    // with a generated key. Returns 0, 1 when it was there already, -1 on failure.
    int AddRefinementText(const QString &text);
    // The items read again in the given order (the open record is read again, so the
    // caller saves or drops its changes first).
    int SortItems(const QString &order);
    QString itemOrder() const { return m_itemOrder; }

    // --- inspection rules ----------------------------------------------------------
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
    // The check before saving: the regular-inspection dates (unless skipped once after
    // a move or insertion) and the count of extinguishers left at the customer.
    // Returns 0, or -1 when the save must be refused.
    int CheckBeforeSave(bool skipDateCheck);
    // A move or insertion is saved without the date check, and the save after it skips
    // it too, once. A window that shows an inspection anew starts without the skip.
    void setSkipNextDateCheck(bool skip) { m_skipDateCheckOnce = skip; }
    bool skipsNextDateCheck() const { return m_skipDateCheckOnce; }
    // The check before the next save, skipping the dates when a skip is pending (which
    // that uses up).
    int CheckBeforeNextSave();
    // Carry-forward of the inspection into a new one. Returns the new key (the new
    // inspection is open) or a negative code (the open record is the source again).
    int CarryForward(int key);
    // Renumbers positions so the item itemKey takes position pozice in inspection
    // inspKey. Saves pending changes first; the caller holds the transaction.
    int VlozNaPozici(int itemKey, int inspKey, int pozice);
    // "Vložit nový": a new item at the position of the current one; the later items
    // move one down. The next save skips the date check. Returns the new item's key (it is current) or a negative code.
    int InsertItemAtCurrent();
    // Moves the current item one place down ('N') or up ('P') in the order shown.
    // Returns 0 when moved, -1 at the first or last item, -2 on failure. Once moved,
    // the next save skips the date check.
    int MoveItem(QChar direction);

    // --- the workshop link -----------------------------------------------------------
    // An extinguisher coming back from the workshop that has no fit row of its serial
    // number and type: the user picks one (*key), skips it or ends the return.
    enum WorkshopChoice { WorkshopTake, WorkshopSkip, WorkshopEnd };
    struct ReturnedItem
    {
        QString hp;
        QString vyrCis;
        int unccen = 0;
    };
    using WorkshopChooser = std::function<int(TfDilnaC &workshop, const ReturnedItem &item, int *key)>;
    // What the fill dialog of the link starts with: both dates the inspection's, the
    // dispatch to its owner and site by its first technician.
    WorkshopFill LinkFill();
    // "Propojit s dílnou": hands the items in states 2 and 4 over to the workshop and
    // takes back those in states 6, 8 and 14, each part in one transaction. An item
    // handed over by this same link is taken back only when its check, filled at once,
    // found it fit: the user is not asked to pick a row for it. 0, or -2
    // when a part failed (it left nothing changed; the reason in lastError()).
    int PropojSDilnou(const WorkshopFill &fill, const WorkshopChooser &choose);

signals:
    // The progress text of a long operation, for the window's status bar.
    void statusText(const QString &text);

private:
    int handOver(TfDilnaC &workshop, const WorkshopFill &fill);
    int takeBack(TfDilnaC &workshop, const WorkshopFill &fill, const WorkshopChooser &choose);
    // Runs one part of the link in a transaction; the caches get their state back
    // when it fails.
    int linkStep(const std::function<int()> &step);
    // The set-based steps of CarryForward, run inside its transaction.
    int copyForward(int key, QString *error);
    bool correctYearsOf(int key, QString *error);
    void postItem(int row);
    void recountLeftAtCustomer();
    void readOwnerTerms(int owner);
    int currentOwner();
    QString m_itemOrder = QStringLiteral("poradi,uncpom");
    int m_termsOwner = -1;   // whose terms were read last
    int m_ownerPriceList = 0;
    double m_ownerDiscount = 0;
    bool m_skipDateCheckOnce = false;
    int m_itemRow = -1;   // the item current before, posted when it is left
};
