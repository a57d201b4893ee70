#pragma once
// TfHPDilyVykony ("Díly a výkony pro HP"): the spare parts and work items of each
// extinguisher type and the template they are copied from. The rows live in
// PartsCatalogue; the window only shows them and passes the buttons on.
#include <QDialog>

#include "inspections/partscatalogue.h"

class QTabBar;
class QTableView;
class RowCacheModel;

class TfHPDilyVykony : public QDialog
{
    Q_OBJECT
public:
    explicit TfHPDilyVykony(TDMPro *dm = DM, QWidget *parent = nullptr);

    // Whether the rows could be read; a window that could not has told the user.
    bool isCreated() const { return m_created; }
    PartsCatalogue &catalogue() { return m_catalogue; }

    void PridatDil();
    void UbratDil();
    void PridatDoSablony();
    void UbratZeSablony();
    void PrenestSablonu();
    // Closing: the remembered firm is stored / the rows are written first.
    void done(int result) override;

private:
    QTableView *grid(const QString &objectName, RowCacheModel *model);
    void typeChosen(int row);

    PartsCatalogue m_catalogue;
    RowCacheModel *m_types = nullptr;
    RowCacheModel *m_offered = nullptr;
    RowCacheModel *m_parts = nullptr;
    RowCacheModel *m_template = nullptr;
    QTableView *m_dbgParts = nullptr;
    QTableView *m_dbgTemplate = nullptr;
    QTabBar *m_sections = nullptr;
    bool m_created = false;
    bool m_followingType = false;
};
