#pragma once
// TfEditHPCK "Editace HP z načtených čárových kódů": the staged rows in a grid, customer
// and object rows drawn as their own lines, the pickers for the current row and the
// actions of barcodes/stagingedit.h.
#include <QDialog>

#include "barcodes/stagingedit.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QTableView;
class RowCacheModel;

class TfEditHPCK : public QDialog
{
    Q_OBJECT
public:
    explicit TfEditHPCK(TDMPro *dm, QWidget *parent = nullptr);
    StagingEdit &edit() { return m_edit; }
    QTableView *grid() const { return m_grid; }

private:
    void currentChanged(int row);
    void refresh();
    TDMPro *m_dm;
    StagingEdit m_edit;
    RowCacheModel *m_model;
    QTableView *m_grid;
    QComboBox *m_customer, *m_site, *m_technician, *m_type;
    QDateEdit *m_date;
    QLineEdit *m_object;
    bool m_filling = false;
};
