#pragma once
// TfSeznam, the base of every browse window: a grid over the list of one entity
// controller with new, detail, delete, filters, marking, title sort, incremental
// search, bulk delete and a pick mode. An entity's own list only overrides the hooks.
#include <QDialog>
#include <QVector>
#include <functional>

#include "core/listmodel.h"
#include "templates/templatemodel.h"

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QToolBar;
class TfClass;
class IncrementalSearch;
class SortHeader;

class TfSeznam : public QDialog
{
    Q_OBJECT
public:
    explicit TfSeznam(QWidget *parent = nullptr);
    ~TfSeznam() override;

    // Attaches the controller whose list the grid shows. -17 on failure.
    int AttachController(TfClass *controller);
    TfClass *controller() const { return m_controller; }

    // Pick mode: detail and close end the window with result 1 (chosen) or 2.
    void setPickMode(bool on) { m_pickMode = on; }
    bool pickMode() const { return m_pickMode; }
    void setVariant(int variant) { m_variant = variant; }
    int variant() const { return m_variant; }
    void setInitialOrderBy(const QString &orderBy) { m_initialOrderBy = orderBy; }

    // The show sequence: prepare, settings, grid columns, default filter, open.
    // Runs on the first show; tests may call it directly.
    int prepareAndOpen();
    // Reopens the list keeping the current record.
    int Reopen(int key = 0);
    void UpdateStatus();
    // The record count in the status bar (counting the list when needed).
    void showCount();

    // --- hooks, in declaration order -----------------------------------------------
    virtual void RefreshActions();
    virtual void AfterRefreshActions() {}
    virtual int DefaultFilter() { return 0; }
    virtual void OpenDetail(int key) {}
    virtual int PrepareList() { return 0; }
    virtual int OnListCreate() { return 0; }
    virtual int BeforeNewRecord() { return 0; }
    virtual int AfterNewRecord() { return 0; }
    virtual int BeforeDeleteRow() { return 0; }
    virtual void AfterDeleteRow() {}
    virtual void CellColors(int row, int column, CellLook &look) {}

    // --- actions ---------------------------------------------------------------------
    void NewRecord();
    void Detail();
    void DeleteCurrent();
    // 0 marked, 1 unmarked, 2 all rows
    void BulkDelete(int which);
    void ClearFilter();
    void ApplyColumnFilter(int column, const QString &op, const QString &value);
    void ColumnFilterAtCursor();     // "Filtr pro sloupec"
    void EditFilter();               // "Editace filtru"
    void SaveMarkedAsFilter();       // "Uložit označné položky jako filtr"
    void SaveCurrentFilter();        // "Uložit aktuální filtr"
    void ChooseStoredFilter();       // "Seznam uložených filtrů"
    void DefineColumns();            // "Definovat sloupce seznamu"
    void SortRecords();              // "Řazení záznamů"
    void LoadMarked();          // "Načíst a zobrazit označené položky"
    void ShowMarkedOnly();      // "Zobrazit označené položky bez načtení"
    void ShowUnmarkedToo();     // "Zobrazit i neoznačené položky"
    void SortByColumn(int column);
    void MarkAll();
    void UnmarkAll();
    void ToggleMark(int row);
    void OpisTabulky();         // "Opis tabulky": the grid as it is, on paper
    void UzivatelskaSestava();  // "Uživatelská sestava": a report design of the window
    void GoFirst();
    void GoLast();
    void CloseOrCancel();

    // The design pieces the window works with.
    Templates::FilterDesign &filter() { return m_filter; }
    QString aliasTables() const { return m_aliasTables; }
    void setAliasTables(const QString &text) { m_aliasTables = text; }
    void setGridNumber(const QString &number) { m_gridNumber = number; }
    QString gridNumber() const { return m_gridNumber; }
    void setColourMode(bool on) { m_model->setColourMode(on); }
    // The timed confirmation of a bulk delete: 6 when the user chose "ANO".
    std::function<int(const QString &)> timedConfirmation;

    QTableView *grid() const { return m_grid; }
    SortHeader *sortHeader() const { return m_header; }
    ListModel *model() const { return m_model; }
    QString statusText() const;
    QString searchText() const;
    QAction *action(const QString &objectName) const;
    // Settings key of this window and variant.
    QString settingsKey() const;
    // The key condition of the given rows' keys, split to stay within the engine's
    // limit of values in one IN list.
    static QString keyCondition(const QString &keyExpression, const QVector<int> &keys);
    // Writes the size, position, layout and order of every open list window, as the
    // program ends with lists still open.
    static void writeOpenWindowSettings();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The list's key column in SQL (alias + ".UNCIS").
    QString keyExpression() const;
    int currentKey() const;
    bool deleteRow(int row);

private:
    void buildToolBar();
    void buildGridColumns();
    // The list's own columns, without a layout.
    void useOwnColumns();
    void readSettings();
    void writeSettings();
    QString composedWhere() const;
    QVector<int> markedKeys();
    bool storeFilter(Templates::FilterDesign filter);
    void updateSortExpressions();
    QAction *addAction(QToolBar *bar, const QString &name, const QString &text, void (TfSeznam::*slot)());

    TfClass *m_controller = nullptr;
    QTableView *m_grid = nullptr;
    SortHeader *m_header = nullptr;
    ListModel *m_model = nullptr;
    QLabel *m_statusCount = nullptr;
    QLabel *m_statusSearch = nullptr;
    IncrementalSearch *m_search = nullptr;
    QVector<QAction *> m_rowActions;   // actions that need a current row
    bool m_pickMode = false;
    bool m_prepared = false;
    bool m_firstShow = true;
    bool m_countPending = false;
    int m_variant = 1;
    QString m_gridNumber = QStringLiteral("0");
    QString m_aliasTables;
    QString m_ownListColumns;
    QString m_initialOrderBy;
    QString m_markedCondition;
    Templates::FilterDesign m_filter;
    QVector<ListColumn> m_columns;
};

// A new list window of the class over the controller. When the window cannot take the
// controller, both are deleted and nullptr is returned.
template <class List, class Controller>
List *attachList(QWidget *parent, Controller *controller)
{
    auto *list = new List(parent);
    if (list->AttachController(controller) < 0) {
        delete list;
        delete controller;
        return nullptr;
    }
    return list;
}
