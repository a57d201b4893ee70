#pragma once
// TfPKC, the controller of the fire-damper inspections: the header PK_HLAV and its
// dampers PK_TAB with their five graded findings, and the rules the inspection windows
// apply through it: the defaults of a new inspection, the findings offered, repeated
// dampers, the check before saving with the count of dampers and the carry-forward that
// keeps every damper with its findings. Insertion, moves, the sort order and the
// document number are the shared inspection's.
#include <QDate>
#include <QString>
#include <QStringList>

#include "inspections/protocolc.h"

class TfPKC : public TfInspectionC
{
    Q_OBJECT
public:
    explicit TfPKC(TDMPro *dm = DM, QObject *parent = nullptr);

    RowCache &pk() { return items(); }

    int DefineEntity() override;
    int AfterNewHeaderRow() override;
    int BeforeSaveRecord() override;

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
    // "Opakovat": a new damper with every value of the current one except the serial
    // number, the designation and the note. Returns its key.
    int RepeatItem() override;
    // "Řadit podle pořadí zápisu": the dampers in the order they were entered in.
    int NeradiPK() { return SortItems(QStringLiteral("uncpom")); }

    // --- inspection rules --------------------------------------------------------------
    // The regular-inspection dates (unless skipped) and POCPK, the number of all
    // dampers whatever their findings. 0, or -1 when the save must be refused.
    int CheckBeforeSave(bool skipDateCheck) override;
    // "Zkopírovat": a new inspection with every damper and its findings, copied in the
    // order shown; only the document starts afresh. Returns the new key (it is open) or
    // a negative code (the source is open again and nothing was copied).
    int CarryForward(int key) override;

protected:
    // regular, dated today, in preparation, unlocked
    void presetInspection(const QDate &today) override;

private:
    void recountItems();
};
