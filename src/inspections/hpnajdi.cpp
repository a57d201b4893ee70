#include "inspections/hpnajdi.h"
#include "core/format.h"
#include "core/prompt.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Column { ColVyrCis, ColDatum, ColFirma, ColTyp, ColDruh, ColStav, ColTechnik, ColumnCount };
}

TfHPNajdi::TfHPNajdi(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_search(dm)
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
    // a released key that changed nothing (Shift, an arrow) does not search again
    if (watched == m_eHledat && event->type() == QEvent::KeyRelease && m_eHledat->text() != m_searched)
        Hledat();
    return QDialog::eventFilter(watched, event);
}

int TfHPNajdi::Hledat()
{
    m_grid->setRowCount(0);
    m_searched = m_eHledat->text();
    // nothing typed lists nothing: every extinguisher of every year is no answer
    if (m_searched.isEmpty())
        return 0;
    QVector<HPSerialSearch::Row> rows;
    if (!m_search.find(m_eHledat->text(), &rows)) {
        Prompt::warning(QStringLiteral("Hledání výrobního čísla"), windowTitle());
        return -1;
    }
    m_grid->setRowCount(int(rows.size()));
    for (int row = 0; row < int(rows.size()); ++row) {
        const HPSerialSearch::Row &r = rows.at(row);
        auto cell = [&](int column, const QString &text) {
            m_grid->setItem(row, column, new QTableWidgetItem(text.trimmed()));
        };
        cell(ColVyrCis, r.vyrcis);
        cell(ColDatum, formatDate(r.datum));
        cell(ColFirma, r.nazev);
        cell(ColTyp, r.hp);
        cell(ColDruh, r.druh);
        cell(ColStav, r.stav);
        cell(ColTechnik, r.jmepri);
        m_grid->item(row, ColVyrCis)->setData(Qt::UserRole, r.uncis);
        m_grid->item(row, ColVyrCis)->setData(Qt::UserRole + 1, r.tuncis);
    }
    if (!rows.isEmpty())
        m_grid->setCurrentCell(0, ColVyrCis);
    return int(rows.size());
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
