#pragma once
// TfObjVydDSklad ("Tarko 8: Přesun dodacího listu do výdejky / příjemky"): the move of an
// order's delivered quantities into a receipt slip. The store, the slip number (typed or
// picked from the slip list) and the quantity to move per line; the move itself is
// OrderMove::run.
#include <QDialog>
#include <functional>

#include "warehouse/objvydpresun.h"

class NabCombo;
class QLineEdit;
class QTableWidget;
class TDMPro;

class TfObjVydDSklad : public QDialog
{
    Q_OBJECT
public:
    // The slip list in pick mode (the chosen slip's key, 0 for none) and the slip's edit
    // window; the slips set them when they are there. Without a picker the list button
    // is disabled; without an opener the slip is not opened after the move.
    static std::function<int(QWidget *parent, const QString &caption)> &slipPicker();
    static std::function<void(QWidget *parent, int slip)> &slipOpener();

    TfObjVydDSklad(TDMPro *dm, int order, QWidget *parent = nullptr);

    NabCombo *store() const { return m_ncSklad; }
    QLineEdit *slipNumber() const { return m_eCDT; }
    QTableWidget *grid() const { return m_grid; }
    const QVector<OrderMove::Line> &lines() const { return m_lines; }

    // "Naplnit množství pro přenos" (fill) / "Snulovat množství pro přenos".
    void fillQuantities(bool fill);
    // The quantity to move of a grid row; refused (false, a beep) below 0 or above
    // what is left of the line.
    bool setQuantity(int row, const QString &typed);
    // "Přenést": the move; the dialog closes after a move.
    void Prenest();
    int movedSlip() const { return m_slip; }

private:
    void showLines();
    void pickSlip();

    TDMPro *m_dm;
    int m_order;
    int m_slip = 0;
    NabCombo *m_ncSklad = nullptr;
    QLineEdit *m_eCDT = nullptr;
    QTableWidget *m_grid = nullptr;
    QVector<OrderMove::Line> m_lines;
    bool m_showing = false;
};
