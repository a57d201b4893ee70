#pragma once
// TfEditForm, the base of every record edit window: one record of an entity controller
// with its header fields and item grids, and save, undo, new, delete, copy, go to the
// list's record, lock and unlock. The window holds no data of its own: the fields are
// bound to the controller's header row and the grids show its item rows.
//
// Create the window with new: it frees itself when it is closed, and gives its
// reference on the controller back then.
#include <QDialog>
#include <QPointer>
#include <QVector>
#include <functional>

#include "core/class.h"
#include "widgets/fieldbinding.h"

class QAbstractItemView;
class QAction;
class QLabel;
class QToolButton;
class QVBoxLayout;
class RowCache;
class RowCacheModel;
class TfClass;

class TfEditForm : public QDialog
{
    Q_OBJECT
public:
    explicit TfEditForm(QWidget *parent = nullptr);
    ~TfEditForm() override;

    // Takes a reference on the controller; the fields show its header row and "go to
    // the list's record" follows its list. -17 when there is no controller.
    int AttachController(TfClass *controller, int caller = 0);
    TfClass *controller() const { return m_controller; }
    int caller() const { return m_caller; }
    // The header row (dsHla); null before a controller is attached.
    RowCache *dsHla() const;

    // An entity whose records can be locked (column ZAMEK, 'A' locked).
    void setLockable(bool on) { m_lockable = on; }
    bool isLockable() const { return m_lockable; }
    bool isLocked() const;

    // --- hooks, in declaration order -------------------------------------------------
    // Whether the window may leave the current record; asks to save unsaved changes.
    virtual bool ConfirmLeave();
    virtual int RefreshEditActions();
    virtual int BeforeEditNew() { return 0; }
    virtual int AfterEditNew() { return 0; }
    virtual int BeforeEditDelete() { return 0; }
    virtual int AfterEditDelete() { return 0; }
    // Non-zero cancels the save without a word.
    virtual int BeforeEditSave() { return 0; }
    // Non-zero makes the save fail (nothing is stored).
    virtual int AfterEditSave() { return 0; }
    virtual int BeforeEditClose() { return 0; }
    // A field of the source changed.
    virtual int OnEditChange(RowCache *source) { return 0; }
    virtual int BeforeLock() { return 0; }
    virtual void AfterRefreshEditActions() {}

    // --- actions -----------------------------------------------------------------------
    // Each returns 0 when done, negative on failure, positive when the user declined.
    int cUloz();
    int cZpet();
    int cNovy();           // the new key on success
    int cSmaz();
    int cOpakuj();         // the copy's key on success
    int cZaz();
    int ZamknoutOdemknout();
    void cKonec() { close(); }
    // Enter in a field: the focus moves on.
    void Dalsi();

    // A change made by the user (Zmena): refused at once while the record cannot be
    // edited, otherwise save and undo become possible. Subclasses call it after
    // changing rows themselves (an item added by a button).
    bool Zmena(RowCache *source = nullptr);
    // Whether there are changes to save (save and undo enabled).
    bool isChanged() const;
    int lastSaveResult() const { return m_lastSaveResult; }
    bool isSaving() const { return m_saving; }

    // The bindings of the header fields; the subclass binds its widgets here.
    FieldBinding &fields() { return m_fields; }
    // An item grid of the subclass: its edits count as changes, it follows the
    // record's read-only state, and its open cell is taken before a save.
    void watchItemGrid(RowCacheModel *model, QAbstractItemView *view = nullptr);

    // Where the subclass puts its fields and grids.
    QWidget *body() const { return m_body; }
    QAction *action(const QString &objectName) const;
    QLabel *lockIndicator() const { return m_lZamek; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Esc closes through the same checks as the close button.
    void reject() override;

    void setChanged(bool on);
    // How "Zamknout" and "Odemknout" store the lock: with the whole save of the record.
    virtual int StoreLock(bool locked);
    // Writes the lock alone under the header's change counter; other changes stay
    // pending. The result of TfClass::storeHeaderValues.
    int storeHeaderLock(bool locked);

private:
    QAction *makeAction(const QString &objectName, const QString &caption, std::function<void()> run);
    void postPendingEdits();
    int storeUnlockedCopy();
    bool hasRow() const;

    QPointer<TfClass> m_controller;
    int m_caller = 0;
    FieldBinding m_fields;
    struct ItemGrid
    {
        QPointer<RowCacheModel> model;
        QPointer<QAbstractItemView> view;
    };
    QVector<ItemGrid> m_itemGrids;
    QWidget *m_body = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QToolButton *m_sbUloz = nullptr;
    QToolButton *m_sbZpet = nullptr;
    QLabel *m_lZamek = nullptr;
    QVector<QAction *> m_actions;
    bool m_lockable = false;
    bool m_saving = false;
    bool m_closing = false;
    int m_lastSaveResult = 0;
};

// Opens the record in the controller and shows the window that createWindow makes for
// it, modally; a window closed by the user has freed itself, one still there goes
// when this returns. A record that cannot be opened (another workstation deleted it)
// shows "Chyba při výběru" under the caption and no window: false.
bool ShowEditWindow(TfClass *controller, int key, const std::function<QDialog *()> &createWindow,
                    const QString &caption);
