#pragma once
// The spare parts and work used on one inspected extinguisher (DODDIL): DodDilParts
// holds every part of the extinguisher's type with the quantity used on the item and
// writes the rows; TfDodDil ("Tarko 8: Díly a výkony k HP") shows them. The fill of the
// delivery notes counts these rows.
#include <QDialog>

#include "core/datamodulpro.h"
#include "core/rowcache.h"

class RowCacheModel;
class QTableView;

class DodDilParts
{
public:
    explicit DodDilParts(TDMPro *dm = DM);

    // The parts of the type uncvyr for the inspection item uncpol of the inspection uncpro.
    bool open(int uncpol, int uncpro, int uncvyr);
    RowCache &rows() { return m_rows; }
    // "Přidat": the part of the row used once. 0 added, 1 already used, -1 failed (told).
    int Pridat(int row);
    // "Ubrat": the part of the row no longer used. 0 removed, 1 not used, -1 failed (told).
    int Ubrat(int row);
    // The codes of the used parts, joined by ",", into the item's note in one
    // transaction. False when that failed (told).
    bool writeNote();
    // The note last written (null before).
    QString writtenNote() const { return m_note; }

private:
    bool reload();

    TDMPro *m_dm;
    RowCache m_rows;
    int m_uncpol = 0;
    int m_uncpro = 0;
    int m_uncvyr = 0;
    QString m_note;
};

class TfDodDil : public QDialog
{
    Q_OBJECT
public:
    TfDodDil(int uncpol, int uncpro, int uncvyr, QWidget *parent = nullptr, TDMPro *dm = DM);

    bool isCreated() const { return m_created; }
    DodDilParts &parts() { return m_parts; }
    void done(int result) override;

private:
    DodDilParts m_parts;
    RowCacheModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    bool m_created = false;
};

// "Náhradní díly a práce" of the extinguisher item uncpol of the inspection uncpro with
// the type uncvyr: the dialog, modal. The note it wrote into the item (the caller's copy
// of the row takes it), null when none; nothing happens for an item without a type.
QString showSpareParts(int uncpol, int uncpro, int uncvyr, QWidget *parent = nullptr);
// The same for the current row of an inspection's item rows (PR_TAB columns); the note
// written becomes the row's stored note, so a later save of the row keeps it.
void showSparePartsOfItem(RowCache &items, int inspection, QWidget *parent = nullptr);
