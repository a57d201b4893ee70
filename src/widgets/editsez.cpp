#include "widgets/editsez.h"
#include "widgets/windowplacement.h"
#include "widgets/obectiskd.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"
#include "core/class.h"
#include "core/globals.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "widgets/sortheader.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfEditSez::TfEditSez(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_dm(dm)
{
    m_rows.setInsertGate([this] { return m_adding; });
    WindowPlacement::keep(this);

    QHBoxLayout *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbPridej"), QStringLiteral("Přidat"), [this] { Pridej(); });
    addToolButton(bar, this, QStringLiteral("sbUber"), QStringLiteral("Ubrat"), [this] { Uber(); });
    m_sbUloz = addToolButton(bar, this, QStringLiteral("sbUloz"), QStringLiteral("Uložit změny"), [this] { Uloz(); });
    m_sbZpet = addToolButton(bar, this, QStringLiteral("sbZpet"), QStringLiteral("Odvolat změny"), [this] { Zpet(); });
    addToolButton(bar, this, QStringLiteral("sbTisk"), QStringLiteral("Tisk"), [this] { Tisk(); });
    bar->addStretch();
    addToolButton(bar, this, QStringLiteral("sbESC"), QStringLiteral("Zavřít"), [this] { Zavrit(); });

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dbgSez"));
    m_header = new SortHeader(m_grid);
    m_header->setStretchLastSection(true);
    m_grid->setHorizontalHeader(m_header);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_model = new RowCacheModel(&m_rows, this);
    m_grid->setModel(m_model);
    followCurrentRow(m_grid, m_model);
    m_grid->installEventFilter(this);
    connect(m_model, &RowCacheModel::edited, this, [this] { changed(); });
    m_header->setSortHandler([this](int, const QString &expression, bool descending) {
        if (!ConfirmLeave())
            return false;
        const QString previous = m_orderBy;
        m_orderBy = SortHeader::orderByClause(expression, descending);
        if (readRows(0, nullptr) < 0) {
            m_orderBy = previous;
            Prompt::error(QStringLiteral("Řazení vět"), windowTitle());
            return false;
        }
        return true;
    });

    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(bar);
    m_layout->addWidget(m_grid, 1);
    resize(520, 420);
    setChanged(false);
}

TfEditSez::~TfEditSez() = default;

void TfEditSez::addBelowGrid(QWidget *widget)
{
    m_layout->addWidget(widget);
}

int TfEditSez::SetCodeListTable(const QString &table)
{
    m_table = table.trimmed().toUpper();
    m_tableResult = -2;
    if (!m_dm || m_table.isEmpty())
        return m_tableResult;
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT * FROM ") + m_table + QStringLiteral(" WHERE UnCis = :UnCis")))
        return m_tableResult;
    q.bindValue(QStringLiteral(":UnCis"), 0);
    if (!q.exec())
        return m_tableResult;
    m_defaults = TVarSQL();
    m_filters = TVarSQL();
    m_tableResult = 0;
    return m_tableResult;
}

void TfEditSez::addColumn(const QString &field, const QString &title, bool editable, DisplayFormat format)
{
    m_model->addColumn(field, title, editable, format);
    m_fields.append(field.trimmed().toUpper());
    m_header->setSortExpressions(m_fields);
}

TfEditSez::Sql TfEditSez::codeListSql() const
{
    Sql sql;
    sql.text = m_baseSelect;
    QString connector = QStringLiteral(" WHERE ");
    if (!m_fixedWhere.trimmed().isEmpty()) {
        sql.text += QStringLiteral(" WHERE ") + m_fixedWhere;
        connector = QStringLiteral(" AND ");
    }
    for (const TVarSQL::Item &item : m_filters.items()) {
        if (!TVarSQL::hasValue(item.value))
            continue;
        QString parameter = item.name;
        for (QChar &c : parameter)
            if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
                c = QLatin1Char('_');
        sql.text += connector + QLatin1Char(' ') + item.name + QStringLiteral(" = :") + parameter;
        sql.parameters.append({parameter, item.value});
        connector = QStringLiteral(" AND ");
    }
    sql.text += m_orderBy;
    return sql;
}

int TfEditSez::readRows(int key, QString *error)
{
    if (!m_dm)
        return -1;
    if (key == 0 && m_rows.isOpen() && m_rows.currentRow() >= 0)
        key = m_rows.value(QStringLiteral("UNCIS")).toInt();
    const Sql sql = codeListSql();
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    bool ok = q.prepare(sql.text);
    if (ok) {
        bindParameters(q, sql.parameters);
        ok = q.exec();
    }
    if (!ok) {
        if (error)
            *error = q.lastError().text();
        return -1;
    }
    m_rows.load(q);
    if (key != 0)
        m_rows.locate(QStringLiteral("UNCIS"), key);
    setChanged(false);
    return 0;
}

int TfEditSez::OpenCodeList(int key)
{
    if (readRows(key, nullptr) < 0) {
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
        return -1;
    }
    return 0;
}

int TfEditSez::FormCreate()
{
    m_created = m_tableResult == 0 && readRows(0, nullptr) == 0;
    if (!m_created) {
        Prompt::error(QStringLiteral("Založení formuláře"), windowTitle());
        return -1;
    }
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, m_fields.value(c) == QLatin1String("POPIS") ? 240 : 90);
    return 0;
}

void TfEditSez::setChanged(bool on)
{
    m_sbUloz->setEnabled(on);
    m_sbZpet->setEnabled(on);
}

void TfEditSez::changed()
{
    setChanged(true);
}

bool TfEditSez::isChanged() const
{
    return m_sbUloz->isEnabled();
}

bool TfEditSez::isEditingCell() const
{
    return m_grid->indexWidget(m_grid->currentIndex()) != nullptr;
}

bool TfEditSez::setCellValue(int row, const QString &field, const QVariant &value)
{
    const int column = m_rows.fieldIndex(field);
    if (row < 0 || row >= m_rows.rowCount() || column < 0)
        return false;
    m_rows.setValue(row, column, value);
    changed();
    return true;
}

// --- actions -------------------------------------------------------------------------

int TfEditSez::Pridej()
{
    if (!m_rows.isOpen() || !m_dm) {
        Prompt::error(QStringLiteral("Přidáno záznamu"), windowTitle());
        return -1;
    }
    if (BeforeAddRow() != 0)
        return 1;
    commitPendingEdit(m_grid);
    int row = -1;
    {
        ScopedSwitch adding(m_adding);
        row = m_rows.appendRow();
    }
    if (row < 0) {
        Prompt::error(QStringLiteral("Přidáno záznamu"), windowTitle());
        return -1;
    }
    m_defaults.ApplyVariables(m_rows, row);
    const qint64 key = m_dm->NextKey(m_table);
    if (key < 0) {
        // never a row without its own key
        m_rows.setCurrentRow(row);
        m_rows.deleteCurrentRow();
        Prompt::error(QStringLiteral("Přidáno záznamu"), windowTitle());
        return -1;
    }
    m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("UNCIS")), int(key));
    if (m_rows.hasField(QStringLiteral("KLIC")))
        m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KLIC")), 0);
    if (m_rows.hasField(QStringLiteral("KDO")))
        m_rows.setValue(row, m_rows.fieldIndex(QStringLiteral("KDO")), userStamp());
    AfterAddRow();
    changed();
    m_rows.setCurrentRow(row);
    m_grid->setFocus();
    return 0;
}

int TfEditSez::Uber()
{
    if (!m_rows.isOpen() || m_rows.currentRow() < 0)
        return -1;
    if (Prompt::question(QStringLiteral("Smazat tento záznam ?"), QStringLiteral("Potvrdit")) != PromptYes)
        return 1;
    if (m_deleteRoutine && m_rows.row(m_rows.currentRow()).state != RowCache::Inserted) {
        const int r = m_deleteRoutine(m_rows.value(QStringLiteral("UNCIS")).toInt());
        if (r != 0)
            return r;
        // gone from the table already; the other rows' changes stay pending
        m_rows.dropCurrentRow();
        return 0;
    }
    m_rows.deleteCurrentRow();
    changed();
    return 0;
}

int TfEditSez::Uloz()
{
    commitPendingEdit(m_grid);
    if (!m_dm || !m_rows.isOpen()) {
        Prompt::error(QStringLiteral("Uložení"), windowTitle());
        return -1;
    }
    CacheWriter::Result result;
    bool ok = false;
    {
        TransactionGuard guard(m_dm);
        if (guard.isActive()) {
            result = CacheWriter(m_dm, m_table).apply(m_rows);
            ok = result.ok && guard.commit();
        }
    }
    if (!ok) {
        // the changes stay in the grid, to be saved again or undone
        Prompt::error(QStringLiteral("Uložení"), windowTitle());
        return -1;
    }
    applyNewCounters(m_rows, result);
    m_rows.commitUpdates();
    setChanged(false);
    return 0;
}

int TfEditSez::Zpet()
{
    const int key = m_rows.currentRow() >= 0 ? m_rows.value(QStringLiteral("UNCIS")).toInt() : 0;
    m_rows.cancelUpdates();
    if (readRows(key, nullptr) < 0) {
        Prompt::error(QStringLiteral("Odvolání změn"), windowTitle());
        return -1;
    }
    setChanged(false);
    return 0;
}

int TfEditSez::Tisk()
{
    QVector<ListColumn> columns;
    for (int i = 0; i < m_fields.size(); ++i) {
        ListColumn c;
        c.field = m_fields.at(i);
        c.caption = m_model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
        c.width = m_grid->columnWidth(i);
        columns << c;
    }
    // the print warns of its own failure
    const Sql sql = codeListSql();
    return ListPrintWindows::printTable(this, m_dm, sql.text, sql.parameters, columns, windowTitle());
}

bool TfEditSez::SortByColumn(int column)
{
    return m_header->clickSection(column);
}

bool TfEditSez::ConfirmLeave()
{
    commitPendingEdit(m_grid);
    if (!isChanged())
        return true;
    return Prompt::confirmLeave([this] { return Uloz() == 0; }, [this] { Zpet(); });
}

// --- window --------------------------------------------------------------------------

void TfEditSez::closeEvent(QCloseEvent *event)
{
    if (!ConfirmLeave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfEditSez::reject()
{
    close();
}

bool TfEditSez::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_gridKey && m_gridKey(key))
            return true;
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && m_pick && !isEditingCell()) {
            m_pick(m_rows);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
