#include "inspections/hpnajdi.h"
#include "inspections/hpc.h"
#include "framework/format.h"
#include "framework/prompt.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { ColVyrCis, ColDatum, ColFirma, ColTyp, ColDruh, ColStav, ColTechnik, ColumnCount };
}

TfHPNajdi::TfHPNajdi(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fHPNajdi"));
    setWindowTitle(QStringLiteral("Hledání HP podle výrobního čísla"));

    auto *label = new QLabel(QStringLiteral("Hledané výrobní číslo"), this);
    m_eHledat = new QLineEdit(this);
    m_eHledat->setObjectName(QStringLiteral("eHledat"));
    label->setBuddy(m_eHledat);
    // every released key searches again, the way the user types
    m_eHledat->installEventFilter(this);

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("dbgHledat"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Výr. číslo"), QStringLiteral("Datum"),
                                       QStringLiteral("Firma"), QStringLiteral("Typ"), QStringLiteral("Druh"),
                                       QStringLiteral("Stav"), QStringLiteral("Technik")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { Zobrazit(); });

    m_bZobrazit = new QPushButton(QStringLiteral("Zobrazit doklad o kontrole"), this);
    m_bZobrazit->setObjectName(QStringLiteral("bZobrazit"));
    m_bZavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    m_bZavrit->setObjectName(QStringLiteral("bZavrit"));
    connect(m_bZobrazit, &QPushButton::clicked, this, &TfHPNajdi::Zobrazit);
    connect(m_bZavrit, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_eHledat, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bZobrazit);
    buttons->addWidget(m_bZavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

bool TfHPNajdi::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_eHledat && event->type() == QEvent::KeyRelease)
        Hledat();
    return QDialog::eventFilter(watched, event);
}

int TfHPNajdi::Hledat()
{
    m_grid->setRowCount(0);
    QString error;
    QSqlQuery q = FindBySerialNumber(m_dm, m_eHledat->text(), &error);
    if (!q.isActive()) {
        Prompt::warning(QStringLiteral("Hledání výrobního čísla"), windowTitle());
        return -1;
    }
    // the query's columns: datum, nazev, druh, stav, vyrcis, jmepri, hp, uncis, tuncis
    int row = 0;
    while (q.next()) {
        m_grid->insertRow(row);
        auto cell = [&](int column, const QString &text) {
            m_grid->setItem(row, column, new QTableWidgetItem(text.trimmed()));
        };
        cell(ColVyrCis, q.value(4).toString());
        cell(ColDatum, formatDate(q.value(0).toDate()));
        cell(ColFirma, q.value(1).toString());
        cell(ColTyp, q.value(6).toString());
        cell(ColDruh, q.value(2).toString());
        cell(ColStav, q.value(3).toString());
        cell(ColTechnik, q.value(5).toString());
        m_grid->item(row, ColVyrCis)->setData(Qt::UserRole, q.value(7).toInt());
        m_grid->item(row, ColVyrCis)->setData(Qt::UserRole + 1, q.value(8).toInt());
        ++row;
    }
    if (row > 0)
        m_grid->setCurrentCell(0, ColVyrCis);
    return row;
}

void TfHPNajdi::Zobrazit()
{
    const int row = m_grid->currentRow();
    if (row < 0 || !m_grid->item(row, ColVyrCis))
        return;
    m_uncis = m_grid->item(row, ColVyrCis)->data(Qt::UserRole).toInt();
    m_tuncis = m_grid->item(row, ColVyrCis)->data(Qt::UserRole + 1).toInt();
    accept();
}
