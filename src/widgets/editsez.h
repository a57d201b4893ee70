#pragma once
// TfEditSez, the editor of a small code list: the rows of one table in a grid, edited
// in a cache and written together on "Uložit změny" in one transaction, each update
// and delete under the row's change counter. A concrete editor only names its table,
// base SELECT, order, grid columns and presets in its constructor and calls
// FormCreate().
#include <QDialog>
#include <QStringList>
#include <functional>

#include "core/datamodulpro.h"
#include "core/format.h"
#include "core/listdataset.h"
#include "core/rowcache.h"
#include "core/varsql.h"

class QKeyEvent;
class QTableView;
class QVBoxLayout;
class QToolButton;
class RowCacheModel;
class SortHeader;

class TfEditSez : public QDialog
{
    Q_OBJECT
public:
    explicit TfEditSez(QWidget *parent = nullptr, TDMPro *dm = DM);
    ~TfEditSez() override;

    // --- hooks, in declaration order -------------------------------------------------
    virtual int AfterAddRow() { return 0; }
    // Non-zero stops the adding.
    virtual int BeforeAddRow() { return 0; }

    // --- declaring -------------------------------------------------------------------
    // Stores the table and learns its fields; fresh presets and filters. 0 or -2.
    int SetCodeListTable(const QString &table);
    void setBaseSelect(const QString &select) { m_baseSelect = select; }
    void setFixedWhere(const QString &where) { m_fixedWhere = where; }
    void setOrderBy(const QString &orderBy) { m_orderBy = orderBy; }
    // A grid column; its title click sorts by the field.
    void addColumn(const QString &field, const QString &title, bool editable = true,
                   DisplayFormat format = DisplayFormat::Auto);
    TVarSQL &defaults() { return m_defaults; }
    TVarSQL &filters() { return m_filters; }
    // Called with the rows when Enter is pressed in the grid.
    void setPickCallback(std::function<void(RowCache &)> callback) { m_pick = std::move(callback); }
    // "Ubrat" of a stored row, once the user agreed: with a routine set, the routine
    // deletes the row at once (0 when done; otherwise the row stays) instead of the
    // next save deleting it.
    void setDeleteRoutine(std::function<int(int key)> routine) { m_deleteRoutine = std::move(routine); }
    // A key typed in the grid goes here first; true when it was handled.
    void setGridKeyHandler(std::function<bool(QKeyEvent *)> handler) { m_gridKey = std::move(handler); }

    // Reads the rows: the base SELECT with the fixed WHERE and the filter conditions
    // (bound), in the current order, then goes to the row with the key (0: the row that
    // was current). Shows "Otevření seznamu" and returns -1 on failure.
    int OpenCodeList(int key = 0);
    struct Sql
    {
        QString text;
        SqlParameters parameters;
    };
    Sql codeListSql() const;

    // --- actions -----------------------------------------------------------------------
    // Each returns 0 when done, negative on failure, positive when the user declined.
    int Pridej();
    int Uber();
    int Uloz();
    int Zpet();
    int Tisk();
    void Zavrit() { close(); }
    // The title click: asks to save, then orders by the column and reads the rows.
    bool SortByColumn(int column);
    // Asked before the rows go (close, title sort): "Uložit změny ?".
    bool ConfirmLeave();

    // A value set by a key rule or a picker, counted as the user's change.
    bool setCellValue(int row, const QString &field, const QVariant &value);

    // Whether a cell editor of the grid is open.
    bool isEditingCell() const;
    bool isCreated() const { return m_created; }
    bool isChanged() const;
    QString table() const { return m_table; }
    QString baseSelect() const { return m_baseSelect; }
    QString fixedWhere() const { return m_fixedWhere; }
    QString orderBy() const { return m_orderBy; }
    RowCache &rows() { return m_rows; }
    RowCacheModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }
    SortHeader *sortHeader() const { return m_header; }
    TDMPro *dm() const { return m_dm; }

protected:
    // The last step of a concrete editor's constructor: learns the table and reads the
    // rows; "Založení formuláře" when either fails.
    int FormCreate();
    // A panel under the grid (a legend, a hint).
    void addBelowGrid(QWidget *widget);

    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int readRows(int key, QString *error);
    void setChanged(bool on);
    void changed();

    TDMPro *m_dm;
    RowCache m_rows;          // qSez
    RowCacheModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    SortHeader *m_header = nullptr;
    QToolButton *m_sbUloz = nullptr;
    QToolButton *m_sbZpet = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QString m_table;
    QString m_fixedWhere;
    QString m_orderBy;
    QString m_baseSelect;
    TVarSQL m_defaults;
    TVarSQL m_filters;
    QStringList m_fields;     // the order list: what each grid column sorts by
    std::function<void(RowCache &)> m_pick;
    std::function<bool(QKeyEvent *)> m_gridKey;
    std::function<int(int key)> m_deleteRoutine;
    bool m_adding = false;
    bool m_created = false;
    int m_tableResult = -2;
};
