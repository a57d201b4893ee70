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

#include "core/lookup.h"
#include "inspections/protocolc.h"
#include "inspections/dilnac.h"

class TfHPC : public TfInspectionC
{
    Q_OBJECT
public:
    explicit TfHPC(TDMPro *dm = DM, QObject *parent = nullptr);

    RowCache &hp() { return items(); }

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

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
    void PostCurrentItem() override;
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

    // "Opakovat HP": a new item with every value of the current one except the serial
    // number, the note and the barcode, for a row of identical extinguishers. Returns
    // its key.
    int RepeatItem() override;
    // What the item panel offers to choose from.
    enum ItemChoice { UmisteniChoices, TypChoices, StavChoices, PoziceChoices, OprTextChoices };
    // The rows offered: locations, positions and refinement texts are their own keys;
    // a type is keyed by its CENIK row with the maker as extra column; a condition by
    // its TYP with the TYP again as extra column.
    QVector<LookupItem> ItemChoices(ItemChoice which, bool *ok = nullptr);
    // The refinement text is offered from now on: a text not yet in S_OPRTXT is added
    // with a generated key. Returns 0, 1 when it was there already, -1 on failure.
    int AddRefinementText(const QString &text);
    // --- inspection rules ----------------------------------------------------------
    // The check before saving: the regular-inspection dates (unless skipped once after
    // a move or insertion) and the count of extinguishers left at the customer.
    // Returns 0, or -1 when the save must be refused.
    int CheckBeforeSave(bool skipDateCheck) override;
    // Carry-forward of the inspection into a new one. Returns the new key (the new
    // inspection is open) or a negative code (the open record is the source again).
    int CarryForward(int key) override;
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

    // The row of the first item whose serial number starts with the text, ignoring
    // case; -1 when none does.
    int FindItemBySerial(const QString &prefix) { return FindItem(QStringLiteral("VYRCIS"), prefix); }

protected:
    // regular, dated today, in preparation, no number, no delivery note, unlocked
    void presetInspection(const QDate &today) override;
    void presetNewItem(TVarSQL &defaults) override;

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
    int m_itemRow = -1;   // the item current before, posted when it is left
};
