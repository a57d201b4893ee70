#pragma once
// TfPVC, the controller of the hydrant inspections: the header VOD_HLAV, its hydrants
// VOD_TAB and its user-defined checks VODHKON, and the rules the hydrant windows apply
// through it: the defaults of a new inspection, the type chosen, the flow from the
// pressure and its unit text, the finding letters, the checks filled from the
// catalogue, the check before saving, carry-forward, insertion at a position and moves.
#include <QChar>
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

#include "inspections/protocolc.h"

class TfPVC : public TfInspectionC
{
    Q_OBJECT
public:
    enum { Kontroly = 1 };

    explicit TfPVC(TDMPro *dm = DM, QObject *parent = nullptr);

    RowCache &pv() { return items(); }
    RowCache &kontroly() { return *item(Kontroly).cache; }

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

    // --- findings ------------------------------------------------------------------
    // The 23 finding columns of an item, in the order of their fields.
    static const QStringList &findingColumns();
    // The header findings stored as 'A', 'N', 'O', '', 'K' and shown as V, N, O, X, K
    // (PRIVPOTSTA is stored as shown, only its blank shows as X).
    static const QStringList &headerFindingColumns();
    static QString shownFinding(const QString &column, const QString &stored);
    static QString storedFinding(const QString &column, const QString &shown);
    // A key typed into a finding field: the upper-cased letter when it is one of V, K,
    // N, O, X or a space, else a null character (the key is ignored).
    static QChar acceptedFinding(QChar key);
    // Writes the typed key into the current item's finding column. True when accepted
    // (the window moves on), false when ignored (nothing changes).
    bool TypeFinding(const QString &column, QChar key);
    // "Zkopírovat vyplnění" / "Vložit vyplnění z kopie": the findings of the current
    // item into the buffer, and from it into the current item.
    void CopyFindings();
    bool PasteFindings();
    // The text a key writes into the state of an empty user-defined check (V
    // "Vyhovuje", O, N, X, K, A), or empty when the key writes none.
    static QString checkStateOfKey(QChar key);

    // --- flow ----------------------------------------------------------------------
    // The flow a pressure gives through a nozzle of the coefficient, in l/s to three
    // decimals.
    static double flowOf(double koef, double pretlak);
    // Leaving the pressure: the current item's flow from its pressure. 0 when
    // computed, 1 when the item has no coefficient (the flow stays), -1 when the
    // pressure gives no flow ("Přiřazení hodnot !", the flow stays).
    int FlowFromPressure();
    // The flow as printed with its unit ("# ##0.00 l/s").
    static QString flowText(double prutok, const QString &unit);
    QString flowUnit() const { return m_flowUnit; }
    // Leaving the flow after typing: the text with the current unit.
    void FlowTyped();
    // A click on the unit label: the text goes over to the other unit; the number
    // stays as it is.
    void ToggleFlowUnit();

    // --- items ---------------------------------------------------------------------
    // The hydrant type chosen (CENIK row of section 11). Returns 0, or -1 when there
    // is no such type (nothing changes).
    int ChooseType(int unccen);
    // "Opakovat PV": a copy of the current item without its designation, pressure,
    // flow, notes and verdict. Returns its key.
    int RepeatItem() override;
    // What the item panel offers: the hydrant types (CENIK section 11, keyed by their
    // row, the maker as extra column), the designations and the equipment texts.
    enum ItemChoice { TypChoices, OznaceniChoices, VybavChoices };
    QVector<LookupItem> ItemChoices(ItemChoice which, bool *ok = nullptr);
    // "Hledat označení": the row of the first item whose designation starts with the
    // text, ignoring case; -1 when none does.
    int FindItemByDesignation(const QString &prefix) { return FindItem(QStringLiteral("OZNACENI"), prefix); }

    // --- user-defined checks ---------------------------------------------------------
    // "Doplnit z předlohy": saves the inspection and adds one check per catalogue row
    // (again when there are some already). 0, or -1 ("Přidání položek společné části
    // se nezdařilo").
    int FillChecksFromCatalogue();
    int AddCheck();

    // --- inspection rules --------------------------------------------------------------
    // The regular-inspection dates (unless skipped) and the count of items. 0, or -1
    // when the save must be refused.
    int CheckBeforeSave(bool skipDateCheck) override;
    // Carry-forward into a new inspection with every item and check. Returns the new
    // key (the new inspection is open) or a negative code (the source is open again).
    int CarryForward(int key) override;

protected:
    // regular, dated today, in preparation, no number, no delivery note, unlocked
    void presetInspection(const QDate &today) override;
    void presetNewItem(TVarSQL &defaults) override;

private:
    void recountItems();
    QString m_flowUnit = QStringLiteral("l/s");
    QVector<QVariant> m_findingsBuffer;
};
