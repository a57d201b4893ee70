#include "widgets/seztext.h"
#include "widgets/viewhelpers.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "core/rtf.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSplitter>
#include <QSqlQuery>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

TfSezText::TfSezText(QWidget *parent, TDMPro *dm)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fSezText"));
    setWindowTitle(QStringLiteral("Seznam textů"));

    m_grid = new QTableView(this);
    setUpPickGrid(m_grid, QStringLiteral("dbgTexty"));
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_model = new RowCacheModel(&m_rows, this);
    m_model->addColumn(QStringLiteral("POPIS"), QStringLiteral("Název textu"), false);
    m_model->setReadOnly(true);
    m_grid->setModel(m_model);
    followCurrentRow(m_grid, m_model);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { Vybrat(); });

    m_preview = new QTextEdit(this);
    m_preview->setObjectName(QStringLiteral("reNahled"));
    m_preview->setReadOnly(true);
    m_preview->setFont(Rtf::defaultFont());
    m_fields.bind(m_preview, m_rows, QStringLiteral("TEXT"));

    auto *ok = new QPushButton(QStringLiteral("O.K. - Přidat"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Vybrat(); });
    auto *end = new QPushButton(QStringLiteral("Konec"), this);
    end->setObjectName(QStringLiteral("bKonec"));
    connect(end, &QPushButton::clicked, this, [this] { Konec(); });

    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(m_grid);
    split->addWidget(m_preview);
    split->setStretchFactor(1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(end);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    resize(520, 480);

    if (dm && dm->isOpen()) {
        QSqlQuery q = dm->NewQuery();
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("select * from texty order by popis"))) {
            m_rows.load(q);
            m_created = true;
        }
    }
    if (!m_created)
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
}

void TfSezText::Vybrat()
{
    if (m_rows.currentRow() < 0) {
        Prompt::beep();
        return;
    }
    m_chosenKey = m_rows.value(QStringLiteral("UNCIS")).toInt();
    accept();
}

void TfSezText::Konec()
{
    m_chosenKey = 0;
    reject();
}
