#include "widgets/designchoice.h"

#include "core/prompt.h"
#include "widgets/toolbuttons.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TfDesignChoice::TfDesignChoice(const QString &objectName, const QString &title, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    QHBoxLayout *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbNovy"), QStringLiteral("Nový"), [this] { Novy(); });
    addToolButton(bar, this, QStringLiteral("sbSmazat"), QStringLiteral("Smazat"), [this] { Smazat(); });
    addToolButton(bar, this, QStringLiteral("sbEditace"), QStringLiteral("Editace"), [this] { Editace(); });
    bar->addStretch(1);
    layout->addLayout(bar);
    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("dbgSeznam"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Název"), QStringLiteral("Vytvořeno"), QStringLiteral("Změněno")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setColumnWidth(0, 220);
    m_table->setColumnWidth(1, 130);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    layout->addWidget(m_table, 1);
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;
    layout->addLayout(newOkCancelRow(this, ok, cancel, QStringLiteral("Použít"), QStringLiteral("Zavřít bez použití")));
    ok->setObjectName(QStringLiteral("bPouzit"));
    cancel->setObjectName(QStringLiteral("bZavrit"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    resize(520, 360);
}

void TfDesignChoice::setOperations(Operations operations)
{
    m_ops = std::move(operations);
    refresh();
}

void TfDesignChoice::refresh(int selectKey)
{
    QList<Templates::DesignEntry> entries;
    if (m_ops.list)
        m_ops.list(entries);
    m_table->setSortingEnabled(false);
    m_table->setRowCount(0);
    int selectRow = 0;
    for (const Templates::DesignEntry &e : entries) {
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        auto *name = new QTableWidgetItem(e.name);
        name->setData(Qt::UserRole, e.key);
        m_table->setItem(row, 0, name);
        auto *created = new QTableWidgetItem;
        created->setData(Qt::DisplayRole, e.created);
        m_table->setItem(row, 1, created);
        auto *changed = new QTableWidgetItem;
        changed->setData(Qt::DisplayRole, e.changed);
        m_table->setItem(row, 2, changed);
        if (e.key == selectKey)
            selectRow = row;
    }
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(0, Qt::AscendingOrder);
    if (m_table->rowCount() > 0) {
        // sorting moved the rows: find the key again
        for (int row = 0; row < m_table->rowCount(); ++row)
            if (m_table->item(row, 0)->data(Qt::UserRole).toInt() == selectKey)
                selectRow = row;
        m_table->selectRow(selectRow);
        m_table->setCurrentCell(selectRow, 0);
    }
}

int TfDesignChoice::chosenKey() const
{
    const int row = m_table->currentRow();
    return row >= 0 && m_table->item(row, 0) ? m_table->item(row, 0)->data(Qt::UserRole).toInt() : 0;
}

int TfDesignChoice::count() const
{
    return m_table->rowCount();
}

bool TfDesignChoice::selectName(const QString &name)
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        if (m_table->item(row, 0)->text() == name) {
            m_table->selectRow(row);
            m_table->setCurrentCell(row, 0);
            return true;
        }
    return false;
}

void TfDesignChoice::Novy()
{
    if (m_ops.edit)
        refresh(m_ops.edit(0));
}

void TfDesignChoice::Editace()
{
    const int key = chosenKey();
    if (key <= 0) {
        Prompt::warning(QStringLiteral("Musíte vybrat sestavu !"), QStringLiteral("Pozor"));
        return;
    }
    if (m_ops.edit)
        refresh(m_ops.edit(key));
}

void TfDesignChoice::Smazat()
{
    const int key = chosenKey();
    if (key <= 0) {
        Prompt::warning(QStringLiteral("Musíte vybrat sestavu !"), QStringLiteral("Pozor"));
        return;
    }
    const QString name = m_table->item(m_table->currentRow(), 0)->text();
    if (Prompt::question(QStringLiteral("Smazat <<") + name + QStringLiteral(">>"), QStringLiteral("Pozor")) != PromptYes)
        return;
    // the store says why a delete failed
    if (m_ops.remove && m_ops.remove(key) < 0)
        return;
    refresh();
}
