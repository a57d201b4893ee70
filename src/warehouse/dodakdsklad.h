#pragma once
// TfDodakDSklad ("Tarko 8: Přesun dodacího listu do skladu"): the store, the slip number
// (typed, or picked from the slip list), the sections whose stock lines are offered, the
// grid of those lines with the editable quantity to move, and the two moves: the issued
// items (a sale from the store to the customer) and the received items (a purchase from
// the customer into the store). The ticks and the store are kept for the user under
// "Param\Sklad" when "Zapamatovat pro příští použití" is ticked. The move itself is
// StockMove::run (skladpresun.h).
#include "warehouse/skladpresun.h"

#include <QDialog>
#include <QMap>

class NabCombo;
class QAbstractTableModel;
class QCheckBox;
class QLineEdit;
class QTableView;
class TDMPro;
class NoteLineModel;

class TfDodakDSklad : public QDialog
{
    Q_OBJECT
public:
    TfDodakDSklad(TDMPro *dm, int note, QWidget *parent = nullptr);
    ~TfDodakDSklad() override;

    QCheckBox *sectionBox(int section) const { return m_boxes.value(section); }
    QLineEdit *numberField() const { return m_eCDT; }
    NabCombo *storeCombo() const { return m_ncSklad; }
    QTableView *grid() const { return m_grid; }
    QCheckBox *rememberBox() const { return m_cbZapamatovat; }
    const QVector<StockMove::NoteLine> &lines() const;
    // The quantity to move of a grid row: refused (false) below 0 or above what is left.
    bool setPrenos(int row, double quantity);

    void VyberVydejky();
    void OznacitVse(bool on);
    void Vyplnit();
    void Snulovat();
    // "Přenést vydávané položky" (false) / "Přenést přijímané položky" (true): the slip
    // key, 0 when the user stopped it, negative on failure (told).
    int Prenest(bool received);
    // Whether a move of this dialog wrote anything.
    bool movedAny() const { return m_moved; }
    // The grid read again for the ticked sections.
    void reload();

private:
    void loadSettings();
    void saveSettings();

    TDMPro *m_dm;
    int m_note;
    NabCombo *m_ncSklad = nullptr;
    QLineEdit *m_eCDT = nullptr;
    QMap<int, QCheckBox *> m_boxes;
    QTableView *m_grid = nullptr;
    NoteLineModel *m_model = nullptr;
    QCheckBox *m_cbZapamatovat = nullptr;
    bool m_moved = false;
};

class TfDodakC;
// "Přesun do skladu" of a delivery note: pending edits saved, then the dialog, whose
// moves each run in one transaction. 1 when something was moved, 0 when not, negative
// on failure (told).
int PresunDoVydejky(TfDodakC *note, QWidget *parent);
