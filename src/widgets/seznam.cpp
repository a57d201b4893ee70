#include "widgets/seznam.h"
#include "widgets/exportwindows.h"
#include "widgets/viewhelpers.h"
#include "widgets/windowplacement.h"
#include "core/class.h"
#include "core/globals.h"
#include "core/incrementalsearch.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "widgets/sortheader.h"
#include "widgets/dotazcasovy.h"
#include "core/sqlpro.h"
#include "widgets/designers.h"
#include "widgets/filterdesigners.h"
#include "widgets/listfilterdialogs.h"
#include "widgets/obectiskd.h"
#include "widgets/pickdialogs.h"
#include "templates/gridcolumns.h"
#include "templates/templatesql.h"
#include "templates/templatestore.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTimer>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Firebird takes at most 1,500 values in one IN list.
constexpr int InListLimit = 1500;
}

TfSeznam::TfSeznam(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setObjectName(QStringLiteral("fSeznam"));
    m_grid = new QTableView(this);
    m_header = setUpSortedPickGrid(m_grid, QStringLiteral("dbgSez"));
    m_header->setSortHandler([this](int, const QString &expression, bool descending) {
        m_controller->setOrderBy(SortHeader::orderByClause(expression, descending));
        if (Reopen() < 0) {
            Prompt::warning(QStringLiteral("Chyba při řazení"), windowTitle());
            return false;
        }
        return true;
    });
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);

    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("sbStatus"));
    m_statusCount = new QLabel(this);
    m_statusCount->setObjectName(QStringLiteral("lZaznamy"));
    m_statusCount->setMinimumWidth(200);
    m_statusSearch = new QLabel(this);
    m_statusSearch->setObjectName(QStringLiteral("lHledani"));
    statusBar->addWidget(m_statusCount);
    statusBar->addWidget(m_statusSearch, 1);
    statusBar->setSizeGripEnabled(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbSeznam"));
    layout->addWidget(bar);
    layout->addWidget(m_grid, 1);
    layout->addWidget(statusBar);
    buildToolBar();
    resize(800, 500);
    timedConfirmation = [this](const QString &question) {
        TfDotazCasovy dialog(this);
        return dialog.ask(question);
    };
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Detail();
    });
}

TfSeznam::~TfSeznam()
{
    // Settings are written on close and at the program's end: here the window already
    // reads as the base class and would write them under the wrong name.
    // The grid must let go of the rows before the controller that owns them goes.
    m_grid->setModel(nullptr);
    delete m_model;
    m_model = nullptr;
    delete m_search;
    m_search = nullptr;
    if (TfClass *c = m_controller) {
        m_controller = nullptr;
        c->Release();
    }
}

QAction *TfSeznam::addAction(QToolBar *bar, const QString &name, const QString &text, void (TfSeznam::*slot)())
{
    auto *a = new QAction(text, this);
    a->setObjectName(name);
    a->setToolTip(text);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    if (bar)
        bar->addAction(a);
    return a;
}

void TfSeznam::buildToolBar()
{
    QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"));
    QAction *a = addAction(bar, QStringLiteral("acNovy"), QStringLiteral("Nový"), &TfSeznam::NewRecord);
    a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    a->setShortcutContext(Qt::WindowShortcut);

    auto *deleteMenu = new QMenu(this);
    QAction *del = addAction(nullptr, QStringLiteral("acSmazat"), QStringLiteral("Smazat"), nullptr);
    QAction *delOne = addAction(nullptr, QStringLiteral("acSmazatVybrany"), QStringLiteral("Vybraný záznam"), &TfSeznam::DeleteCurrent);
    deleteMenu->addAction(delOne);
    del->setMenu(deleteMenu);
    connect(del, &QAction::triggered, this, &TfSeznam::DeleteCurrent);
    bar->addAction(del);
    m_rowActions << del << delOne;

    m_rowActions << addAction(bar, QStringLiteral("acDetail"), QStringLiteral("Zobrazit detail"), &TfSeznam::Detail);
    bar->addSeparator();

    auto *filterMenu = new QMenu(this);
    QAction *filters = addAction(nullptr, QStringLiteral("acFiltry"), QStringLiteral("Seznam uložených filtrů"), &TfSeznam::ChooseStoredFilter);
    filters->setMenu(filterMenu);
    bar->addAction(filters);
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acZrusitFiltr"), QStringLiteral("Zrušit filtr"), &TfSeznam::ClearFilter));
    QAction *columnFilter = addAction(nullptr, QStringLiteral("acFiltrSloupec"), QStringLiteral("Filtr pro sloupec"), &TfSeznam::ColumnFilterAtCursor);
    filterMenu->addAction(columnFilter);
    m_rowActions << columnFilter;
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acEditaceFiltru"), QStringLiteral("Editace filtru"), &TfSeznam::EditFilter));
    filterMenu->addSeparator();
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acUlozitOznacene"), QStringLiteral("Uložit označné položky jako filtr"), &TfSeznam::SaveMarkedAsFilter));
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acUlozitFiltr"), QStringLiteral("Uložit aktuální filtr"), &TfSeznam::SaveCurrentFilter));
    filterMenu->addSeparator();
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acNacistOznacene"), QStringLiteral("Načíst a zobrazit označené položky"), &TfSeznam::LoadMarked));
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acOznaceneBezNacteni"), QStringLiteral("Zobrazit označené položky bez načtení"), &TfSeznam::ShowMarkedOnly));
    filterMenu->addAction(addAction(nullptr, QStringLiteral("acNeoznacene"), QStringLiteral("Zobrazit i neoznačené položky"), &TfSeznam::ShowUnmarkedToo));

    addAction(bar, QStringLiteral("acSloupce"), QStringLiteral("Definovat sloupce seznamu"), &TfSeznam::DefineColumns);
    addAction(bar, QStringLiteral("acOznacitVse"), QStringLiteral("Označit vše"), &TfSeznam::MarkAll);
    addAction(bar, QStringLiteral("acZrusitOznaceni"), QStringLiteral("Zrušit všechno označení"), &TfSeznam::UnmarkAll);
    addAction(bar, QStringLiteral("acRazeni"), QStringLiteral("Řazení záznamů"), &TfSeznam::SortRecords);
    bar->addSeparator();

    auto *printMenu = new QMenu(this);
    QAction *print = addAction(nullptr, QStringLiteral("acTisk"), QStringLiteral("Tisk"), nullptr);
    print->setMenu(printMenu);
    printMenu->addAction(addAction(nullptr, QStringLiteral("acOpisTabulky"), QStringLiteral("Opis tabulky"), &TfSeznam::OpisTabulky));
    printMenu->addAction(addAction(nullptr, QStringLiteral("acUzivSestava"), QStringLiteral("Uživatelská sestava"), &TfSeznam::UzivatelskaSestava));
    bar->addAction(print);
    auto *exportMenu = new QMenu(this);
    QAction *exportAction = addAction(nullptr, QStringLiteral("acExport"), QStringLiteral("Export"), nullptr);
    exportAction->setMenu(exportMenu);
    QAction *toExcel = addAction(nullptr, QStringLiteral("acExportExcel"), QStringLiteral("Export do Excelu"), nullptr);
    QAction *toXml = addAction(nullptr, QStringLiteral("acExportXML"), QStringLiteral("Export do XML"), nullptr);
    QAction *toTxt = addAction(nullptr, QStringLiteral("acExportTXT"), QStringLiteral("Export do TXT"), nullptr);
    connect(toExcel, &QAction::triggered, this, [this] { ExportWindows::exportExcel(this, m_model); });
    connect(toXml, &QAction::triggered, this, [this] { ExportWindows::exportXml(this, m_model); });
    connect(toTxt, &QAction::triggered, this, [this] { ExportWindows::exportTxt(this, m_model); });
    exportMenu->addActions({toExcel, toXml, toTxt});
    bar->addAction(exportAction);

    auto *bulkMenu = new QMenu(this);
    QAction *bulk = addAction(nullptr, QStringLiteral("acHromadneMazani"), QStringLiteral("Hromadné mazání"), nullptr);
    bulk->setMenu(bulkMenu);
    QAction *bulkMarked = addAction(nullptr, QStringLiteral("acMazatOznacene"), QStringLiteral("Označené záznamy"), nullptr);
    QAction *bulkUnmarked = addAction(nullptr, QStringLiteral("acMazatNeoznacene"), QStringLiteral("Neoznačené záznamy"), nullptr);
    QAction *bulkAll = addAction(nullptr, QStringLiteral("acMazatVse"), QStringLiteral("Všechny záznamy"), nullptr);
    connect(bulkMarked, &QAction::triggered, this, [this] { BulkDelete(0); });
    connect(bulkUnmarked, &QAction::triggered, this, [this] { BulkDelete(1); });
    connect(bulkAll, &QAction::triggered, this, [this] { BulkDelete(2); });
    bulkMenu->addActions({bulkMarked, bulkUnmarked, bulkAll});
    bar->addAction(bulk);
    bar->addSeparator();

    m_rowActions << addAction(bar, QStringLiteral("acPrvni"), QStringLiteral("První záznam"), &TfSeznam::GoFirst);
    m_rowActions << addAction(bar, QStringLiteral("acPosledni"), QStringLiteral("Poslední záznam"), &TfSeznam::GoLast);
    addAction(bar, QStringLiteral("acZavrit"), QStringLiteral("Zavřít"), &TfSeznam::CloseOrCancel);
}

QAction *TfSeznam::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

int TfSeznam::AttachController(TfClass *controller)
{
    if (!controller)
        return -17;
    m_controller = controller;
    controller->AddRef();
    delete m_model;
    m_model = new ListModel(&controller->list(), this);
    m_model->cellColors = [this](int row, int column, CellLook &look) { CellColors(row, column, look); };
    m_grid->setModel(m_model);
    // without a stored layout the columns are known only once the list is open
    connect(m_model, &QAbstractItemModel::modelReset, this, &TfSeznam::updateSortExpressions);
    delete m_search;
    m_search = new IncrementalSearch(&controller->list());
    // the grid's current row is the list's current row
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_controller->list().setCurrentRow(current.row());
            });
    connect(&controller->list(), &ListDataset::currentRowChanged, this, [this](int row) {
        if (row >= 0 && m_grid->currentIndex().row() != row) {
            const int column = qMax(0, m_grid->currentIndex().column());
            m_grid->setCurrentIndex(m_model->index(row, column));
        }
    });
    return 0;
}

QString TfSeznam::settingsKey() const
{
    return WindowPlacement::settingsKey(this, QString::number(m_variant));
}

void TfSeznam::readSettings()
{
    const QString key = settingsKey();
    m_gridNumber = ReadRegistryValue(QStringLiteral("GG"), QStringLiteral("0"), key).trimmed();
    if (m_gridNumber.isEmpty())
        m_gridNumber = QStringLiteral("0");
    WindowPlacement::restore(this, key);
    const QString order = ReadRegistryValue(QStringLiteral("Order"), m_controller->orderBy(), key);
    m_controller->setOrderBy(order);
    if (!m_initialOrderBy.isEmpty())
        m_controller->setOrderBy(m_initialOrderBy);
}

void TfSeznam::writeSettings()
{
    if (!m_controller || !m_prepared)
        return;
    const QString key = settingsKey();
    WriteRegistryValue(QStringLiteral("GG"), m_gridNumber, key);
    WindowPlacement::store(this, key);
    WriteRegistryValue(QStringLiteral("Order"), m_controller->orderBy(), key);
}

void TfSeznam::buildGridColumns()
{
    // The stored layout, or the window's own default layout when none was chosen; a
    // layout chosen later starts again from the list's own columns.
    if (m_ownListColumns.isEmpty())
        m_ownListColumns = m_controller->listColumns();
    m_columns.clear();
    Templates::GridColumns grid;
    if (Templates::resolveGridColumns(m_controller->dm(), QString::fromLatin1(metaObject()->className()),
                                      m_variant, m_gridNumber.toInt(), m_aliasTables,
                                      m_ownListColumns, &grid)) {
        m_columns = grid.columns;
        m_controller->setListColumns(grid.selectColumns);
        m_model->setColumns(m_columns);
        for (int i = 0; i < m_columns.size(); ++i)
            m_grid->setColumnWidth(i, m_columns.at(i).width);
        updateSortExpressions();
        m_header->clearSortState();
    } else {
        useOwnColumns();
    }
}

void TfSeznam::useOwnColumns()
{
    m_columns.clear();
    if (!m_ownListColumns.isEmpty())
        m_controller->setListColumns(m_ownListColumns);
    // the list's own columns show as the dictionary describes them, like a layout's
    m_model->setFieldFormats(Templates::dictionaryFormats(m_controller->dm(), m_aliasTables));
    m_model->setColumns(m_columns);
    updateSortExpressions();
    m_header->clearSortState();
}

int TfSeznam::prepareAndOpen()
{
    if (!m_controller)
        return -17;
    if (PrepareList() < 0) {
        Prompt::warning(QStringLiteral("Chyba při otevření"), windowTitle());
        return -1;
    }
    readSettings();
    buildGridColumns();
    if (m_firstShow) {
        DefaultFilter();
        m_firstShow = false;
    }
    m_prepared = true;
    OnListCreate();
    int r = Reopen();
    if (r < 0 && m_controller->orderBy() != m_controller->ownOrderBy()) {
        // a stored order that no longer fits the list (a column gone): fall back to
        // the controller's own order and forget the stored one
        m_controller->setOrderBy(m_controller->ownOrderBy());
        WriteRegistryValue(QStringLiteral("Order"), m_controller->orderBy(), settingsKey());
        r = Reopen();
    }
    if (r < 0 && !m_columns.isEmpty()) {
        // a layout whose columns the tables no longer have: the list's own columns
        useOwnColumns();
        r = Reopen();
    }
    if (r < 0)
        Prompt::warning(QStringLiteral("Chyba při založení"), windowTitle());
    return r;
}

// Each print step warns of its own failure ("Generování sestavy", "Tisk sestavy").
void TfSeznam::OpisTabulky()
{
    ListPrintWindows::printListGrid(this, *m_controller, m_columns, windowTitle());
}

void TfSeznam::UzivatelskaSestava()
{
    ListPrintWindows::printUserReport(this, *m_controller, QString::fromLatin1(metaObject()->className()), m_variant,
                                      m_aliasTables);
}

QString TfSeznam::composedWhere() const
{
    QStringList parts;
    const QString filterText = Templates::filterCondition(m_filter);
    if (!filterText.trimmed().isEmpty())
        parts << filterText;
    if (!m_markedCondition.isEmpty())
        parts << m_markedCondition;
    return parts.join(QStringLiteral(" AND "));
}

int TfSeznam::Reopen(int key)
{
    m_controller->setDefaultWhere(composedWhere());
    const int r = m_controller->OpenList(m_controller->listFrom(), m_controller->listColumns(),
                                         m_controller->defaultWhere(), m_controller->orderBy(), key);
    if (r == 0 && m_model->rowCount() > 0 && !m_grid->currentIndex().isValid()) {
        const int row = qMax(0, m_controller->list().currentRow());
        m_grid->setCurrentIndex(m_model->index(row, 0));
    }
    UpdateStatus();
    RefreshActions();
    return r;
}

QString TfSeznam::statusText() const
{
    // asked for, the status is complete
    const_cast<TfSeznam *>(this)->showCount();
    return m_statusCount->text();
}

QString TfSeznam::searchText() const
{
    return m_statusSearch->text();
}

void TfSeznam::UpdateStatus()
{
    if (!m_controller)
        return;
    m_statusSearch->setText(m_search ? m_search->text() : QString());
    ListDataset &list = m_controller->list();
    if (!list.isOpen() || list.recordCountKnown() || !isVisible()) {
        showCount();
        return;
    }
    // The first screen shows at once; the count of a large list follows when the
    // window has been drawn.
    m_statusCount->setText(QStringLiteral("Záznamy: … / %1").arg(m_controller->markedCount()));
    if (!m_countPending) {
        m_countPending = true;
        QTimer::singleShot(0, this, [this] {
            m_countPending = false;
            showCount();
        });
    }
}

void TfSeznam::showCount()
{
    if (m_controller)
        m_statusCount->setText(QStringLiteral("Záznamy: %1 / %2").arg(m_controller->rowCount()).arg(m_controller->markedCount()));
}

void TfSeznam::RefreshActions()
{
    const bool hasRows = m_controller && !m_controller->list().isEmpty();
    for (QAction *a : m_rowActions)
        a->setEnabled(hasRows);
    AfterRefreshActions();
}

void TfSeznam::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_prepared && m_controller)
        prepareAndOpen();
}

void TfSeznam::closeEvent(QCloseEvent *event)
{
    writeSettings();
    QDialog::closeEvent(event);
}

void TfSeznam::done(int result)
{
    // a pick or Esc ends a modal list without a close event
    writeSettings();
    QDialog::done(result);
}

void TfSeznam::writeOpenWindowSettings()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *list = qobject_cast<TfSeznam *>(w))
            list->writeSettings();
}

int TfSeznam::currentKey() const
{
    return m_controller ? m_controller->list().value(QStringLiteral("UNCIS")).toInt() : 0;
}

QString TfSeznam::keyExpression() const
{
    const QString alias = m_controller->listAlias().trimmed();
    return alias.isEmpty() ? QStringLiteral("UNCIS") : alias + QStringLiteral(".UNCIS");
}

// --- actions -----------------------------------------------------------------------

void TfSeznam::NewRecord()
{
    if (BeforeNewRecord() < 0)
        return;
    const int key = m_controller->InsertRecord();
    if (key <= 0) {
        // never open the detail of an insert that failed
        if (key != TfClass::ResWritesBlocked)
            Prompt::warning(QStringLiteral("Založení nového záznamu"), windowTitle());
        return;
    }
    AfterNewRecord();
    OpenDetail(key);
    Reopen(key);
}

void TfSeznam::Detail()
{
    if (!m_controller || m_controller->list().isEmpty() || m_controller->list().currentRow() < 0)
        return;
    if (m_pickMode) {
        done(1);
        return;
    }
    const int key = currentKey();
    OpenDetail(key);
    Reopen(key);
}

bool TfSeznam::deleteRow(int row)
{
    ListDataset &list = m_controller->list();
    const int key = list.value(row, QStringLiteral("UNCIS")).toInt();
    // the controller deletes the record and its items in one transaction
    if (m_controller->DeleteRecord(key) != 0) {
        Prompt::warning(QStringLiteral("Smazání hodnot"), windowTitle());
        return false;
    }
    // only now, with the delete committed, the row leaves the list
    list.removeRow(row);
    AfterDeleteRow();
    return true;
}

void TfSeznam::DeleteCurrent()
{
    ListDataset &list = m_controller->list();
    const int row = list.currentRow();
    if (row < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat tuto větu?"), QStringLiteral("Pozor")) != PromptYes)
        return;
    if (BeforeDeleteRow() != 0)
        return;
    deleteRow(row);
    UpdateStatus();
    RefreshActions();
}

void TfSeznam::BulkDelete(int which)
{
    if (Prompt::question(QStringLiteral("Jste si vědomi\nNEVRATNOSTI MAZÁNÍ ZÁZNAMŮ?"), QStringLiteral("Pozor")) != PromptYes)
        return;
    static const char *questions[] = {
        "Chete skutečně NEVRATNĚ SMAZAT ozančené záznamy?",
        "Chete skutečně NEVRATNĚ SMAZAT neozančené záznamy?",
        "Chete skutečně NEVRATNĚ SMAZAT VŠECHNY záznamy?",
    };
    if (timedConfirmation(QString::fromUtf8(questions[qBound(0, which, 2)])) != PromptYes)
        return;
    ListDataset &list = m_controller->list();
    list.fetchAll();
    // the keys of the chosen set first, so no row is skipped as the list shrinks
    QVector<int> keys;
    for (int row = 0; row < list.loadedRows(); ++row) {
        const bool marked = list.isMarked(row);
        if (which == 2 || (which == 0 && marked) || (which == 1 && !marked))
            keys << list.value(row, QStringLiteral("UNCIS")).toInt();
    }
    for (int key : keys) {
        const int row = list.find(QStringLiteral("UNCIS"), key);
        if (row < 0)
            continue;
        list.setCurrentRow(row);
        if (BeforeDeleteRow() != 0)
            continue;
        if (!deleteRow(row))
            break;
    }
    UpdateStatus();
    RefreshActions();
}

void TfSeznam::ClearFilter()
{
    m_filter.conditions.clear();
    m_filter.ownCondition.clear();
    m_filter.key = 0;
    m_filter.name.clear();
    m_markedCondition.clear();
    Reopen();
}

void TfSeznam::ApplyColumnFilter(int column, const QString &op, const QString &value)
{
    const ListColumn c = m_model->columnAt(column);
    if (c.field.isEmpty())
        return;
    Templates::FilterCondition condition;
    condition.item = c.order;
    condition.caption = c.caption;
    condition.op = op;
    condition.value = value;
    // texts compare as texts, dates as dates, the rest as typed
    const QVariant sample = m_controller->list().value(qMax(0, m_controller->list().currentRow()), c.field);
    condition.type = sample.typeId() == QMetaType::QString ? QStringLiteral("A")
                   : (sample.typeId() == QMetaType::QDate || sample.typeId() == QMetaType::QDateTime) ? QStringLiteral("D")
                                                                                                       : QStringLiteral("N");
    if (!m_filter.conditions.isEmpty() && m_filter.conditions.constLast().connective.trimmed().isEmpty())
        m_filter.conditions.last().connective = QStringLiteral("AND");
    m_filter.conditions << condition;
    Reopen();
}

QString TfSeznam::keyCondition(const QString &keyExpression, const QVector<int> &keys)
{
    if (keys.isEmpty())
        return QStringLiteral("(1 = 0)");
    QStringList chunks;
    for (int i = 0; i < keys.size(); i += InListLimit) {
        QStringList values;
        for (int k = i; k < qMin(int(keys.size()), i + InListLimit); ++k)
            values << QString::number(keys.at(k));
        chunks << keyExpression + QStringLiteral(" IN (") + values.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return QLatin1Char('(') + chunks.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

QVector<int> TfSeznam::markedKeys()
{
    ListDataset &list = m_controller->list();
    QVector<int> keys;
    for (int row : list.markedRows())
        keys << list.value(row, QStringLiteral("UNCIS")).toInt();
    return keys;
}

void TfSeznam::LoadMarked()
{
    m_controller->list().fetchAll();
    ShowMarkedOnly();
}

void TfSeznam::ShowMarkedOnly()
{
    if (m_controller->markedCount() == 0) {
        Prompt::information(QStringLiteral("Nejsou vybrané položky pro zobrazení."), QStringLiteral("Zpráva"));
        return;
    }
    m_markedCondition = keyCondition(keyExpression(), markedKeys());
    Reopen();
}

void TfSeznam::ShowUnmarkedToo()
{
    m_markedCondition.clear();
    Reopen();
}

void TfSeznam::SortByColumn(int column)
{
    m_header->clickSection(column);
}

void TfSeznam::MarkAll()
{
    m_controller->MarkRow(2);
    UpdateStatus();
}

void TfSeznam::UnmarkAll()
{
    m_controller->MarkRow(4);
    UpdateStatus();
}

void TfSeznam::ToggleMark(int row)
{
    if (row < 0)
        return;
    m_controller->list().setCurrentRow(row);
    m_controller->MarkRow(0);
    UpdateStatus();
}

void TfSeznam::GoFirst()
{
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, qMax(0, m_grid->currentIndex().column())));
}

void TfSeznam::GoLast()
{
    m_controller->list().fetchAll();
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(m_model->rowCount() - 1, qMax(0, m_grid->currentIndex().column())));
}

void TfSeznam::CloseOrCancel()
{
    if (m_pickMode)
        done(2);
    else
        close();
}

void TfSeznam::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        if (m_search && !m_search->text().isEmpty()) {
            m_search->clear();
            UpdateStatus();
        } else {
            CloseOrCancel();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfSeznam::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress && m_controller) {
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && (mods & Qt::ShiftModifier)) {
            // Shift+arrow marks the row it leaves and moves on
            ToggleMark(m_grid->currentIndex().row());
            const int next = m_grid->currentIndex().row() + (key->key() == Qt::Key_Down ? 1 : -1);
            if (next >= 0 && next < m_model->rowCount())
                m_grid->setCurrentIndex(m_model->index(next, qMax(0, m_grid->currentIndex().column())));
            return true;
        }
        if (key->key() == Qt::Key_C && (mods & Qt::ControlModifier)) {
            CopyGridToClipboard(m_grid);
            return true;
        }
        if (key->key() == Qt::Key_Period && (mods & Qt::ControlModifier))
            return true;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Detail();
            return true;
        }
        if (key->key() == Qt::Key_Escape)
            return false;   // the window decides
        if (m_search) {
            const ListColumn c = m_model->columnAt(qMax(0, m_grid->currentIndex().column()));
            if (m_search->column() != c.field)
                m_search->setColumn(c.field);
            const bool handled = m_search->handleKey(*key);
            UpdateStatus();
            if (handled) {
                const int row = m_controller->list().currentRow();
                if (row >= 0)
                    m_grid->setCurrentIndex(m_model->index(row, qMax(0, m_grid->currentIndex().column())));
                return true;
            }
        }
    }
    if (watched == m_grid->viewport() && event->type() == QEvent::MouseButtonPress && m_controller) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
        if (index.isValid() && mouse->button() == Qt::RightButton) {
            m_grid->setCurrentIndex(index);
            ColumnFilterAtCursor();
            return true;
        }
        if (index.isValid() && mouse->button() == Qt::LeftButton
            && (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
            ToggleMark(index.row());
            m_grid->setCurrentIndex(index);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfSeznam::ColumnFilterAtCursor()
{
    const QModelIndex index = m_grid->currentIndex();
    if (!index.isValid())
        return;
    const ListColumn c = m_model->columnAt(index.column());
    TfFiltrSloupec dialog(c.caption, index.data().toString(), this);
    dialog.move(QCursor::pos());
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    ApplyColumnFilter(index.column(), dialog.op(), dialog.value());
}

void TfSeznam::EditFilter()
{
    if (m_filter.conditions.isEmpty() && m_filter.ownCondition.trimmed().isEmpty()) {
        Prompt::information(QStringLiteral("Není vybrán žádný filtr"), QStringLiteral("Zpráva"));
        return;
    }
    TfGP designer(QString::fromLatin1(metaObject()->className()), m_variant, m_aliasTables, this);
    designer.open(m_filter);
    if (Prompt::runModal(&designer) != QDialog::Accepted)
        return;
    m_filter = designer.filter();
    Reopen();
}

void TfSeznam::DefineColumns()
{
    TfGG designer(QString::fromLatin1(metaObject()->className()), m_variant, m_aliasTables, this);
    // "0" shows the window's first layout: the designer opens on that one
    const int key = Templates::gridLayoutKey(m_controller->dm(), QString::fromLatin1(metaObject()->className()), m_variant,
                                             m_gridNumber.toInt());
    designer.open(key);
    if (Prompt::runModal(&designer) != QDialog::Accepted || designer.currentKey() <= 0)
        return;
    m_gridNumber = QString::number(designer.currentKey());
    WriteRegistryValue(QStringLiteral("GG"), m_gridNumber, settingsKey());
    const int current = currentKey();
    buildGridColumns();
    Reopen(current);
}

void TfSeznam::SortRecords()
{
    TfGR dialog(m_aliasTables, this);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    const QString order = dialog.orderBy();
    // no item chosen keeps the list's order: an empty ORDER BY would break every opening
    if (order.trimmed().isEmpty())
        return;
    const QString previous = m_controller->orderBy();
    m_controller->setOrderBy(order);
    if (Reopen() < 0) {
        m_controller->setOrderBy(previous);
        Reopen();
        Prompt::warning(QStringLiteral("Chyba při řazení"), QStringLiteral("Sestavení řazení"));
        return;
    }
    m_header->clearSortState();
    WriteRegistryValue(QStringLiteral("Order"), order, settingsKey());
}

bool TfSeznam::storeFilter(Templates::FilterDesign filter)
{
    const QString name = TfVyberNaz::askName(QString(), this);
    if (name.trimmed().isEmpty())
        return false;
    filter.key = 0;
    filter.name = name.trimmed();
    filter.window = QString::fromLatin1(metaObject()->className());
    filter.variant = m_variant;
    filter.selectionKind = QStringLiteral("S");
    Templates::TemplateStore store(m_controller->dm());
    return store.saveFilter(filter) >= 0;
}

void TfSeznam::SaveMarkedAsFilter()
{
    if (m_controller->markedCount() == 0) {
        Prompt::information(QStringLiteral("Nejsou vybrané záznamy pro uložení výběru."), QStringLiteral("Zpráva"));
        return;
    }
    Templates::FilterDesign filter;
    filter.ownCondition = keyCondition(keyExpression(), markedKeys());
    storeFilter(filter);
}

void TfSeznam::SaveCurrentFilter()
{
    Templates::FilterDesign filter = m_filter;
    if (!m_markedCondition.isEmpty())
        filter.ownCondition = filter.ownCondition.trimmed().isEmpty()
            ? m_markedCondition
            : QLatin1Char('(') + filter.ownCondition + QStringLiteral(") AND ") + m_markedCondition;
    storeFilter(filter);
}

void TfSeznam::ChooseStoredFilter()
{
    TfFiltrySez dialog(QString::fromLatin1(metaObject()->className()), m_variant, m_aliasTables, this);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    Templates::FilterDesign filter;
    if (dialog.appliedFilter())
        filter = *dialog.appliedFilter();
    else if (dialog.chosenKey() <= 0 || Templates::TemplateStore(m_controller->dm()).loadFilter(dialog.chosenKey(), filter) < 0)
        return;
    m_filter = filter;
    m_markedCondition.clear();
    Reopen();
}

void TfSeznam::updateSortExpressions()
{
    QStringList expressions;
    for (int i = 0; i < m_model->columnCount(); ++i)
        expressions << m_model->columnAt(i).order;
    m_header->setSortExpressions(expressions);
}
