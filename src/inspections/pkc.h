#pragma once
// TfPKC, the controller of the fire-damper inspections: the header PK_HLAV and its
// dampers PK_TAB with their five graded findings, and the rules the inspection windows
// apply through it: the defaults of a new inspection, the findings offered, new and
// repeated dampers, the check before saving with the count of dampers, the carry-forward
// that keeps every damper with its findings, insertion at a position, moves, the sort
// order and the document number.
#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

#include "core/class.h"

class TfPKC : public TfClass
{
    Q_OBJECT
public:
    enum { Polozky = 0 };

    explicit TfPKC(TDMPro *dm = DM, QObject *parent = nullptr);

    ItemTable &polozky() { return item(Polozky); }
    RowCache &pk() { return *item(Polozky).cache; }

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

    // Presets the values of the next new inspection: regular, dated today, in
    // preparation, unlocked.
    void PresetNewInspection(const QDate &today = QDate::currentDate());

    // --- the findings ----------------------------------------------------------------
    // The five finding columns of a damper, in the order the grid shows them.
    static const QStringList &findingColumns();
    // The five grades in code order: '1' "Bezvadný" ... '5' "Nelze zkontrolovat".
    static const QStringList &findingTexts();
    // The text of a stored code; empty for an empty or unknown code.
    static QString findingText(const QString &code);
    // The code of an offered text; empty for any other text.
    static QString findingCode(const QString &text);
    // Writes a finding of the current damper: one of the five codes, or empty while
    // not judged. Returns 0, or -1 (nothing changes) for another column or value.
    int SetFinding(const QString &column, const QString &code);

    // --- items -----------------------------------------------------------------------
    // "Přidat nový": a new damper at the end, taking object, location, order number and
    // cost centre from the current one. Returns its key.
    int AddItem();
    // "Opakovat": a new damper with every value of the current one except the serial
    // number, the designation and the note. Returns its key.
    int RepeatItem();
    // "Smazat PK": the current damper leaves with the next save.
    int DeleteCurrentItem();
    // The dampers read again in the given order; "Řadit podle pořadí zápisu" is the
    // order they were entered in.
    int SortItems(const QString &order);
    int NeradiPK() { return SortItems(QStringLiteral("uncpom")); }
    QString itemOrder() const { return m_itemOrder; }
    // Enter in "Číslo": the next number of the series typed in.
    bool TakeNumberOfSeries();
    // Insertion at a position ("Vložit nový") and the moves, as for extinguishers.
    int VlozNaPozici(int itemKey, int inspKey, int pozice);
    int InsertItemAtCurrent();
    int MoveItem(QChar direction);

    // --- inspection rules --------------------------------------------------------------
    // The regular-inspection dates (unless skipped) and POCPK, the number of all
    // dampers whatever their findings. 0, or -1 when the save must be refused.
    int CheckBeforeSave(bool skipDateCheck);
    // A move or insertion is saved without the date check, and the save after it skips
    // it too, once.
    void setSkipNextDateCheck(bool skip) { m_skipDateCheckOnce = skip; }
    bool skipsNextDateCheck() const { return m_skipDateCheckOnce; }
    int CheckBeforeNextSave();
    // "Zkopírovat": a new inspection with every damper and its findings, copied in the
    // order shown; only the document starts afresh. Returns the new key (it is open) or
    // a negative code (the source is open again and nothing was copied).
    int CarryForward(int key);

signals:
    void statusText(const QString &text);

private:
    void recountItems();
    QString m_itemOrder = QStringLiteral("poradi,uncpom");
    bool m_skipDateCheckOnce = false;
};
