#include "widgets/editform.h"
#include "widgets/windowplacement.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"
#include "core/class.h"
#include "widgets/heslo.h"
#include "widgets/keyfilters.h"
#include "core/prompt.h"
#include "core/rowcache.h"
#include "core/rowcachemodel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString ZamekField = QStringLiteral("ZAMEK");
}

TfEditForm::TfEditForm(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    WindowPlacement::keep(this);

    QHBoxLayout *bar = newToolBarLayout();
    auto addButton = [&](const QString &name, QAction *action) {
        auto *b = new QToolButton(this);
        b->setObjectName(name);
        b->setDefaultAction(action);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(b);
        return b;
    };
    addButton(QStringLiteral("sbNovy"), makeAction(QStringLiteral("cNovy"), QStringLiteral("Nový"), [this] { cNovy(); }));
    addButton(QStringLiteral("sbSmaz"), makeAction(QStringLiteral("cSmaz"), QStringLiteral("Smazat"), [this] { cSmaz(); }));
    addButton(QStringLiteral("sbOpakuj"), makeAction(QStringLiteral("cOpakuj"), QStringLiteral("Kopie"), [this] { cOpakuj(); }));
    m_sbUloz = addButton(QStringLiteral("sbUloz"),
                         makeAction(QStringLiteral("cUloz"), QStringLiteral("Uložit změny"), [this] { cUloz(); }));
    m_sbZpet = addButton(QStringLiteral("sbZpet"),
                         makeAction(QStringLiteral("cZpet"), QStringLiteral("Odvolat změny"), [this] { cZpet(); }));
    addButton(QStringLiteral("sbZaz"),
              makeAction(QStringLiteral("cZaz"), QStringLiteral("Záznam ze seznamu"), [this] { cZaz(); }));
    addButton(QStringLiteral("sbZamek"), makeAction(QStringLiteral("ZamknoutOdemknout"), QStringLiteral("Zamknout"),
                                                    [this] { ZamknoutOdemknout(); }));
    addButton(QStringLiteral("sbKonec"), makeAction(QStringLiteral("cKonec"), QStringLiteral("Zavřít"), [this] { cKonec(); }));
    bar->addStretch();
    m_lZamek = new QLabel(QStringLiteral("Zamčeno"), this);
    m_lZamek->setObjectName(QStringLiteral("lZamek"));
    m_lZamek->setStyleSheet(QStringLiteral("QLabel { color: red; font-weight: bold; }"));
    m_lZamek->setVisible(false);
    bar->addWidget(m_lZamek);

    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("pnlTelo"));
    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(bar);
    m_layout->addWidget(m_body, 1);

    m_fields.setChangeGate([this](RowCache &, const QString &) {
        return m_controller && !m_controller->readOnly();
    });
    connect(&m_fields, &FieldBinding::changed, this, [this](RowCache *cache, const QString &) { Zmena(cache); });

    setChanged(false);
    RefreshEditActions();
}

TfEditForm::~TfEditForm()
{
    if (m_controller)
        m_controller->Release();
}

QAction *TfEditForm::makeAction(const QString &objectName, const QString &caption, std::function<void()> run)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(objectName);
    a->setToolTip(caption);
    connect(a, &QAction::triggered, this, [run] { run(); });
    m_actions.append(a);
    return a;
}

QAction *TfEditForm::action(const QString &objectName) const
{
    for (QAction *a : m_actions)
        if (a->objectName() == objectName)
            return a;
    return nullptr;
}

int TfEditForm::AttachController(TfClass *controller, int caller)
{
    if (!controller)
        return -17;
    if (m_controller != controller) {
        if (m_controller)
            m_controller->Release();
        m_controller = controller;
        controller->AddRef();
    }
    m_caller = caller;
    setChanged(controller->isModified());
    RefreshEditActions();
    return 0;
}

RowCache *TfEditForm::dsHla() const
{
    return m_controller ? &m_controller->header() : nullptr;
}

bool TfEditForm::hasRow() const
{
    const RowCache *h = dsHla();
    return h && h->isOpen() && h->currentRow() >= 0;
}

bool TfEditForm::isLocked() const
{
    if (!m_lockable || !hasRow())
        return false;
    const RowCache *h = dsHla();
    // the stored value decides: a lock typed but not saved locks nothing yet
    return h->originalValue(h->currentRow(), ZamekField).toString().trimmed() == QLatin1String("A");
}

void TfEditForm::setChanged(bool on)
{
    action(QStringLiteral("cUloz"))->setEnabled(on);
    action(QStringLiteral("cZpet"))->setEnabled(on);
}

bool TfEditForm::isChanged() const
{
    return action(QStringLiteral("cUloz"))->isEnabled();
}

void TfEditForm::watchItemGrid(RowCacheModel *model, QAbstractItemView *view)
{
    if (!model)
        return;
    m_itemGrids.append({model, view});
    connect(model, &RowCacheModel::edited, this, [this, model] { Zmena(model->cache()); });
    model->setReadOnly(!m_controller || m_controller->readOnly());
}

bool TfEditForm::Zmena(RowCache *source)
{
    if (!m_controller || m_controller->readOnly())
        return false;
    setChanged(true);
    OnEditChange(source);
    return true;
}

void TfEditForm::postPendingEdits()
{
    for (const ItemGrid &g : m_itemGrids)
        commitPendingEdit(g.view);
    m_fields.flush();
}

// --- hooks ---------------------------------------------------------------------------

bool TfEditForm::ConfirmLeave()
{
    postPendingEdits();
    if (!isChanged())
        return true;
    return Prompt::confirmLeave([this] { return cUloz() == 0; }, [this] { cZpet(); });
}

int TfEditForm::RefreshEditActions()
{
    const bool row = hasRow();
    m_fields.setEnabled(row);
    const bool locked = isLocked();
    if (m_lockable && m_controller)
        m_controller->setReadOnly(locked);
    const bool editable = m_controller && !m_controller->readOnly();
    action(QStringLiteral("cSmaz"))->setEnabled(row && !locked);
    action(QStringLiteral("cOpakuj"))->setEnabled(row);
    action(QStringLiteral("cNovy"))->setEnabled(m_controller != nullptr);
    action(QStringLiteral("cZaz"))->setEnabled(m_controller && m_controller->list().isOpen());
    QAction *lock = action(QStringLiteral("ZamknoutOdemknout"));
    lock->setEnabled(m_lockable && row);
    lock->setText(locked ? QStringLiteral("Odemknout") : QStringLiteral("Zamknout"));
    m_lZamek->setVisible(locked);
    for (const ItemGrid &g : m_itemGrids)
        if (g.model)
            g.model->setReadOnly(!editable);
    AfterRefreshEditActions();
    return 0;
}

// --- actions -------------------------------------------------------------------------

int TfEditForm::cUloz()
{
    if (!m_controller)
        return -1;
    ScopedSwitch saving(m_saving);
    postPendingEdits();
    int r = BeforeEditSave();
    if (r != 0) {
        m_lastSaveResult = r;
        return r;
    }
    TfClass &c = *m_controller;
    bool hookFailed = false;
    r = c.saveRecordInTransaction([&] {
        const int after = AfterEditSave();
        hookFailed = after != 0;
        return after;
    });
    if (r != 0 && !hookFailed)
        Prompt::error(QStringLiteral("Uložení hodnot"), windowTitle());
    if (r == 0) {
        // only now is the record stored: show it as it is stored (new change counters)
        c.OpenRecord(c.currentKey());
        setChanged(false);
    }
    m_lastSaveResult = r;
    RefreshEditActions();
    return r;
}

int TfEditForm::cZpet()
{
    if (!m_controller)
        return -1;
    if (Prompt::question(QStringLiteral("Chcete odvolat provedené změny?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    const int r = m_controller->CancelRecord();
    if (r != 0)
        Prompt::error(QStringLiteral("Odvolání změn"), windowTitle());
    m_fields.refresh();
    setChanged(false);
    RefreshEditActions();
    return r;
}

int TfEditForm::cNovy()
{
    if (!m_controller)
        return -1;
    if (!ConfirmLeave())
        return 1;
    int r = BeforeEditNew();
    if (r < 0)
        return r;
    const int previous = hasRow() ? dsHla()->value(QStringLiteral("UNCIS")).toInt() : 0;
    const int key = m_controller->InsertRecord();
    if (key <= 0) {
        Prompt::error(QStringLiteral("Vytvoření nového záznamu"), windowTitle());
        // the window goes back to the record it showed
        if (previous > 0 && !hasRow())
            m_controller->OpenRecord(previous);
        RefreshEditActions();
        return key < 0 ? key : -1;
    }
    AfterEditNew();
    setChanged(m_controller->isModified());
    RefreshEditActions();
    return key;
}

int TfEditForm::cSmaz()
{
    if (!m_controller || !hasRow())
        return -1;
    if (isLocked() || m_controller->readOnly()) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(QStringLiteral("Smazat tento záznam?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    int r = BeforeEditDelete();
    if (r < 0)
        return r;
    const int key = dsHla()->value(QStringLiteral("UNCIS")).toInt();
    r = m_controller->DeleteRecord(key);
    if (r != 0) {
        Prompt::error(QStringLiteral("Smazání hodnot"), windowTitle());
        RefreshEditActions();
        return r;
    }
    AfterEditDelete();

    // The list is not read again; the deleted record leaves it only now that the
    // delete is committed, and the window goes on with the record that followed it
    // (the one before it when it was the last).
    ListDataset &list = m_controller->list();
    if (list.isOpen()) {
        const int row = list.find(QStringLiteral("UNCIS"), key);
        if (row >= 0) {
            list.removeRow(row);
            if (row >= list.loadedRows() && list.canFetchMore())
                list.fetchMore();
            list.setCurrentRow(qMin(row, list.loadedRows() - 1));
        }
    }
    setChanged(false);
    if (list.isOpen() && list.currentRow() >= 0) {
        m_controller->OpenRecord(list.value(QStringLiteral("UNCIS")).toInt());
        RefreshEditActions();
        return 0;
    }
    RefreshEditActions();
    close();
    return 0;
}

int TfEditForm::cOpakuj()
{
    if (!m_controller || !hasRow())
        return -1;
    if (!ConfirmLeave())
        return 1;
    const int key = dsHla()->value(QStringLiteral("UNCIS")).toInt();
    const int newKey = m_controller->CopyRecord(key);
    if (newKey <= 0) {
        Prompt::error(QStringLiteral("Vytvoření kopírovaného záznamu"), windowTitle());
        if (!hasRow())
            m_controller->OpenRecord(key);
        setChanged(m_controller->isModified());
        RefreshEditActions();
        return newKey < 0 ? newKey : -1;
    }
    if (m_lockable && isLocked())
        storeUnlockedCopy();
    // the copied items wait in the caches for the save
    setChanged(m_controller->isModified());
    RefreshEditActions();
    return newKey;
}

// A copy takes every value of its source, the lock too; it is a new document, so it
// starts unlocked, or its copied items could never be saved.
int TfEditForm::storeUnlockedCopy()
{
    if (storeHeaderLock(false) != 0) {
        Prompt::error(QStringLiteral("Vytvoření kopírovaného záznamu"), windowTitle());
        return -1;
    }
    return 0;
}

int TfEditForm::cZaz()
{
    if (!m_controller)
        return -1;
    ListDataset &list = m_controller->list();
    if (!list.isOpen() || list.currentRow() < 0)
        return -1;
    if (!ConfirmLeave())
        return 1;
    const int r = m_controller->OpenRecord(list.value(QStringLiteral("UNCIS")).toInt());
    setChanged(m_controller->isModified());
    RefreshEditActions();
    return r;
}

int TfEditForm::storeHeaderLock(bool locked)
{
    TVarSQL lock;
    lock.SetVariable(ZamekField, locked ? QStringLiteral("A") : QStringLiteral("N"));
    return m_controller->storeHeaderValues(lock);
}

int TfEditForm::StoreLock(bool locked)
{
    // stored at once; a stored lock makes the record read-only at the refresh
    dsHla()->setValue(ZamekField, locked ? QStringLiteral("A") : QStringLiteral("N"));
    return cUloz();
}

int TfEditForm::ZamknoutOdemknout()
{
    if (!m_controller || !m_lockable || !hasRow())
        return -1;
    if (isLocked()) {
        TfHeslo fHeslo(this);
        const int answer = fHeslo.ask();
        if (answer == TfHeslo::Wrong) {
            Prompt::warning(QStringLiteral("Nesprávné heslo"), QStringLiteral("Zámek"));
            return 1;
        }
        if (answer != TfHeslo::Correct)
            return 1;
        m_controller->setReadOnly(false);
        const int r = StoreLock(false);
        if (r == 0)
            Prompt::information(QStringLiteral("Záznam odemčen"), QStringLiteral("Zámek"));
        return r;
    }
    if (BeforeLock() < 0)
        return 1;
    m_controller->setReadOnly(false);
    return StoreLock(true);
}

void TfEditForm::Dalsi()
{
    focusNextControl(focusWidget());
}

// --- window --------------------------------------------------------------------------

void TfEditForm::closeEvent(QCloseEvent *event)
{
    if (BeforeEditClose() < 0 || !ConfirmLeave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfEditForm::reject()
{
    close();
}

void TfEditForm::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        QWidget *f = focusWidget();
        if (f && !qobject_cast<QPlainTextEdit *>(f) && !qobject_cast<QTextEdit *>(f)
            && !qobject_cast<QAbstractItemView *>(f) && !qobject_cast<QAbstractButton *>(f)) {
            Dalsi();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

bool ShowEditWindow(TfClass *controller, int key, const std::function<QDialog *()> &createWindow,
                    const QString &caption)
{
    if (!controller || controller->OpenRecord(key) < 0 || controller->header().currentRow() < 0) {
        Prompt::warning(QStringLiteral("Chyba při výběru"), caption);
        return false;
    }
    QPointer<QDialog> form = createWindow();
    if (!form)
        return false;
    Prompt::runModal(form);
    delete form.data();
    return true;
}
