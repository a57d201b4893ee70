#include "warehouse/objvyddsklad.h"

#include "core/format.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "customers/nabcombo.h"
#include "widgets/toolbuttons.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Vydaná objednávka");
const QString MoveCaption = QStringLiteral("Přenos materiálu");
enum Column { ColPopis, ColKod, ColJedn, ColMnoz, ColPrenos, ColumnCount };
} // namespace

std::function<int(QWidget *, const QString &)> &TfObjVydDSklad::slipPicker()
{
    static std::function<int(QWidget *, const QString &)> picker;
    return picker;
}

std::function<void(QWidget *, int)> &TfObjVydDSklad::slipOpener()
{
    static std::function<void(QWidget *, int)> opener;
    return opener;
}

TfObjVydDSklad::TfObjVydDSklad(TDMPro *dm, int order, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_order(order)
{
    setObjectName(QStringLiteral("fObjVydDSklad"));
    setWindowTitle(QStringLiteral("Tarko 8: Přesun dodacího listu do výdejky / příjemky"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QGridLayout;
    m_ncSklad = new NabCombo(this);
    m_ncSklad->setObjectName(QStringLiteral("ncSklad"));
    m_ncSklad->setAddressMode(QStringLiteral("FIR"));
    top->addWidget(new QLabel(QStringLiteral("Sklad"), this), 0, 0);
    top->addWidget(m_ncSklad, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Výdejka/příjemka (číslo) do které budou přesunuty položky objednávky - možno "
                                             "vybrat ze seznamu"),
                              this),
                   1, 0, 1, 2);
    m_eCDT = new QLineEdit(this);
    m_eCDT->setObjectName(QStringLiteral("eCDT"));
    m_eCDT->setMaxLength(20);
    auto *number = newToolBarLayout();
    number->addWidget(m_eCDT, 1);
    QToolButton *list = addToolButton(number, this, QStringLiteral("sbSeznam"), QStringLiteral("Výběr výdejky pro přenos"),
                                      [this] { pickSlip(); });
    list->setEnabled(bool(slipPicker()));
    top->addLayout(number, 2, 0, 1, 2);
    top->setColumnStretch(1, 1);
    layout->addLayout(top);

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Popis"), QStringLiteral("Kód"), QStringLiteral("Jedn."),
                                       QStringLiteral("Zbývá"), QStringLiteral("Přen.")});
    m_grid->horizontalHeader()->setSectionResizeMode(ColPopis, QHeaderView::Stretch);
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (!m_showing && item->column() == ColPrenos && !setQuantity(item->row(), item->text()))
            showLines();
    });
    layout->addWidget(m_grid, 1);

    auto *buttons = newToolBarLayout();
    addToolButton(buttons, this, QStringLiteral("sbNaplnit"), QStringLiteral("Naplnit množství pro přenos"),
                  [this] { fillQuantities(true); });
    addToolButton(buttons, this, QStringLiteral("sbSnulovat"), QStringLiteral("Snulovat množství pro přenos"),
                  [this] { fillQuantities(false); });
    buttons->addStretch(1);
    auto *bPrenest = new QPushButton(QStringLiteral("Přenést"), this);
    bPrenest->setObjectName(QStringLiteral("bPrenest"));
    connect(bPrenest, &QPushButton::clicked, this, [this] { Prenest(); });
    auto *bZavrit = new QPushButton(QStringLiteral("Zavřít"), this);
    bZavrit->setObjectName(QStringLiteral("bZavrit"));
    connect(bZavrit, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(bPrenest);
    buttons->addWidget(bZavrit);
    layout->addLayout(buttons);
    resize(760, 480);
    fillQuantities(true);
}

void TfObjVydDSklad::fillQuantities(bool fill)
{
    bool ok = true;
    QString error;
    m_lines = OrderMove::readLines(m_dm, m_order, fill, &ok, &error);
    if (!ok)
        Prompt::error(QStringLiteral("Naplnit množství pro přenos\n") + error, Caption);
    showLines();
}

void TfObjVydDSklad::showLines()
{
    m_showing = true;
    m_grid->setRowCount(int(m_lines.size()));
    for (int r = 0; r < m_lines.size(); ++r) {
        const OrderMove::Line &l = m_lines.at(r);
        const QString cells[] = {l.popis, l.kod, l.jedn, formatQuantity(l.mnoz), formatQuantity(l.prenos)};
        for (int c = 0; c < ColumnCount; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c != ColPrenos)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c >= ColMnoz)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(r, c, item);
        }
    }
    m_showing = false;
}

bool TfObjVydDSklad::setQuantity(int row, const QString &typed)
{
    if (row < 0 || row >= m_lines.size())
        return false;
    bool ok = true;
    const QString t = typed.trimmed();
    const double q = t.isEmpty() ? 0.0 : parseNumber(t, &ok);
    if (!ok || q < 0 || q > m_lines.at(row).mnoz + 0.0000001) {
        Prompt::beep();
        return false;
    }
    m_lines[row].prenos = q;
    return true;
}

void TfObjVydDSklad::pickSlip()
{
    if (!slipPicker())
        return;
    const int key = slipPicker()(this, QStringLiteral("Výběr výdejky pro přenos"));
    if (key <= 0)
        return;
    m_eCDT->setText(scalarSql(m_dm, QStringLiteral("SELECT CDT FROM SkladPrevodH WHERE UnCis = :UnCis "),
                              {{QStringLiteral("UnCis"), key}})
                        .toString()
                        .trimmed());
}

void TfObjVydDSklad::Prenest()
{
    OrderMove::Request r;
    r.order = m_order;
    r.store = m_ncSklad->key();
    r.number = m_eCDT->text();
    for (const OrderMove::Line &l : m_lines)
        r.quantities.append({l.key, l.prenos});
    r.confirmCreate = [](const QString &number) {
        return Prompt::question(QStringLiteral("Výdejka s číslem ") + number + QStringLiteral(" nebyla nalezena.\nChcete jí vytvořit?"),
                                MoveCaption)
               == PromptYes;
    };
    r.confirmOtherIssuer = [] {
        return Prompt::question(QStringLiteral("Vybraná výdejka neodpovídá výdejci.\nChcete provést přenos"), MoveCaption)
               == PromptYes;
    };
    QString error;
    const int slip = OrderMove::run(m_dm, r, &error);
    if (slip == 0)
        return;
    if (slip < 0) {
        if (slip == -3)
            Prompt::error(QStringLiteral("Přesun do výdejky\n") + error, Caption);
        else
            Prompt::warning(error, MoveCaption);
        return;
    }
    m_slip = slip;
    accept();
    if (slipOpener())
        slipOpener()(parentWidget(), slip);
}
