#include "warehouse/skladprevod.h"
#include "warehouse/skladprevodc.h"
#include "warehouse/skladprevodt.h"

#include "commerce/nabmats.h"
#include "commerce/skladprevoddmnozstvi.h"
#include "core/dokrad.h"
#include "core/listdataset.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "customers/nabcombo.h"
#include "widgets/dokradwindow.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

#include <QAction>
#include <QButtonGroup>
#include <QDate>
#include <QMenu>
#include <QToolButton>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
// The line grid: the VAT column takes 'Z', 'S', 'B' and blank only; a price or quantity
// typed recounts the line total.
class SlipLineModel : public RowCacheModel
{
public:
    SlipLineModel(TfSkladPrevodC *controller, QObject *parent)
        : RowCacheModel(&controller->lines(), parent)
        , m_c(controller)
    {
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        const QString field = fieldOfColumn(index.column()).toUpper();
        if (field == QLatin1String("DPH")) {
            const QString typed = value.toString();
            const bool ok = m_c->setVatClass(index.row(), typed.isEmpty() ? QLatin1Char(' ') : typed.at(0));
            if (!ok)
                Prompt::beep();
            else
                emit edited(index.row(), field);
            return ok;
        }
        if (!RowCacheModel::setData(index, value, role))
            return false;
        if (field == QLatin1String("NAKCEN") || field == QLatin1String("MNOZ"))
            m_c->CenaPod(index.row());
        return true;
    }

private:
    TfSkladPrevodC *m_c;
};
} // namespace

TfSkladPrevod::TfSkladPrevod(TfSkladPrevodC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fSkladPrevod"));
    setWindowTitle(TfSkladPrevodC::Caption);
    setLockable(true);
    AttachController(controller);
    controller->setAskQuantity([this](const QString &popis, QString &quantity, double &price) {
        return TfSkladPrevodDMnozstvi::ask(this, popis, quantity, price);
    });

    auto *layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildHeader());

    auto *bar = newToolBarLayout();
    // "Převodka": a new slip of each kind, and the record's own actions
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mmPrevodka"));
    for (const StockSlip::NewKind &k : StockSlip::newKinds()) {
        auto *a = menu->addAction(k.text);
        a->setObjectName(k.objectName);
        connect(a, &QAction::triggered, this, [this, kind = k.kind] {
            this->controller()->SetVariable(QStringLiteral("TYPPOH"), kind);
            this->controller()->SetVariable(QStringLiteral("DATUM"), QDate::currentDate());
            cNovy();
        });
    }
    menu->addSeparator();
    struct RecordAction { const char *name, *text; int (TfEditForm::*run)(); };
    for (const RecordAction &r : {RecordAction{"miSmazat", "Smazat", &TfEditForm::cSmaz},
                                  RecordAction{"miUlozit", "Uložit změny", &TfEditForm::cUloz},
                                  RecordAction{"miOdvolat", "Odvolat změny", &TfEditForm::cZpet}}) {
        auto *a = menu->addAction(QString::fromUtf8(r.text));
        a->setObjectName(QLatin1String(r.name));
        connect(a, &QAction::triggered, this, [this, run = r.run] { (this->*run)(); });
    }
    auto *prevodka = new QToolButton(body());
    prevodka->setObjectName(QStringLiteral("sbPrevodka"));
    prevodka->setText(QStringLiteral("Převodka"));
    prevodka->setMenu(menu);
    prevodka->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(prevodka);
    addToolButton(bar, body(), QStringLiteral("sbCenik"), QStringLiteral("Přidat položky z ceníku"), [this] { PridatZCeniku(); });
    addToolButton(bar, body(), QStringLiteral("sbUbrat"), QStringLiteral("Smazat položku"), [this] { SmazPolozku(); });
    addToolButton(bar, body(), QStringLiteral("sbTisk"), QStringLiteral("Tisk"), [this] { Tisk(); });
    bar->addStretch(1);
    layout->addLayout(bar);

    m_model = new SlipLineModel(controller, this);
    m_model->addColumn(QStringLiteral("KODMAT"), QStringLiteral("Kód"));
    m_model->addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    m_model->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"));
    m_model->addColumn(QStringLiteral("DPH"), QStringLiteral("DPH"));
    m_model->addColumn(QStringLiteral("NAKCEN"), QStringLiteral("Cen/Jed"), true, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("MNOZ"), QStringLiteral("Množ."), true, DisplayFormat::Quantity);
    m_model->addColumn(QStringLiteral("JEDN"), QStringLiteral("Jedn."));
    m_model->addColumn(QStringLiteral("CENA"), QStringLiteral("Celkem"), false, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("STAV"), QStringLiteral("St"));
    m_model->addColumn(QStringLiteral("NOVSTAV"), QStringLiteral("N.St."));
    m_grid = new QTableView(body());
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setColumnWidth(1, 280);
    followCurrentRow(m_grid, m_model);
    watchItemGrid(m_model, m_grid);
    layout->addWidget(m_grid, 1);

    auto *groups = new QHBoxLayout;
    const QStringList names = StockSlip::conditionNames();
    const char *titles[] = {" Původní stav materiálu ", " Nový stav materiálu "};
    for (int g = 0; g < 2; ++g) {
        auto *box = new QGroupBox(QString::fromUtf8(titles[g]), body());
        box->setObjectName(g == 0 ? QStringLiteral("rgStav") : QStringLiteral("rgNovStav"));
        auto *col = new QHBoxLayout(box);
        m_stav[g] = new QButtonGroup(box);
        for (int c = 0; c < names.size(); ++c) {
            auto *radio = new QRadioButton(names.at(c), box);
            radio->setObjectName(box->objectName() + QString::number(c + 1));
            m_stav[g]->addButton(radio, c + 1);
            col->addWidget(radio);
        }
        m_stav[g]->button(1)->setChecked(true);
        groups->addWidget(box);
    }
    layout->addLayout(groups);

    connect(dsHla(), &RowCache::rowChanged, this, [this] { showKind(); });
    connect(dsHla(), &RowCache::reset, this, [this] { showKind(); });
    showKind();
    resize(1000, 650);
}

TfSkladPrevodC *TfSkladPrevod::prevodc() const
{
    return qobject_cast<TfSkladPrevodC *>(controller());
}

QWidget *TfSkladPrevod::buildHeader()
{
    RowCache &h = *dsHla();
    auto *panel = new QWidget(body());
    panel->setObjectName(QStringLiteral("pnlHlavicka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto gate = [this] { return !isLocked(); };

    auto *deDatum = new QDateEdit(panel);
    deDatum->setObjectName(QStringLiteral("deDatum"));
    deDatum->setCalendarPopup(true);
    deDatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    fields().bind(deDatum, h, QStringLiteral("DATUM"));

    m_eCDT = new QLineEdit(panel);
    m_eCDT->setObjectName(QStringLiteral("eCDT"));
    m_eCDT->setMaxLength(20);
    fields().bind(m_eCDT, h, QStringLiteral("CDT"));
    // Enter takes the next number of the series whose code was typed
    connect(m_eCDT, &QLineEdit::returnPressed, this, [this] { CisloZRady(); });
    auto *cislo = newToolBarLayout();
    cislo->addWidget(m_eCDT, 1);
    addToolButton(cislo, panel, QStringLiteral("sbDokRad"), QStringLiteral("Výběr číselné řady"), [this] {
        if (isLocked())
            return;
        const QString code = TfDokRad::pickSeries(this, controller()->dm());
        if (!code.isEmpty()) {
            dsHla()->setValue(QStringLiteral("CDT"), code);
            CisloZRady();
        }
    });

    m_ncVyd = new NabCombo(panel);
    m_ncVyd->setObjectName(QStringLiteral("ncVydava"));
    m_ncVyd->setAddressMode(QStringLiteral("FIR"));
    m_ncVyd->bindField(&h, QStringLiteral("UNCVYD"), gate);
    m_ncPri = new NabCombo(panel);
    m_ncPri->setObjectName(QStringLiteral("ncPrijima"));
    m_ncPri->setAddressMode(QStringLiteral("FIR"));
    m_ncPri->bindField(&h, QStringLiteral("UNCPRI"), gate);
    for (NabCombo *c : {m_ncVyd, m_ncPri})
        connect(c, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    m_lTyp = new QLabel(panel);
    m_lTyp->setObjectName(QStringLiteral("lTypPoh"));
    m_lTyp->setAutoFillBackground(true);
    m_lTyp->setAlignment(Qt::AlignCenter);
    m_lTyp->setMinimumWidth(120);
    QFont bold = m_lTyp->font();
    bold.setBold(true);
    m_lTyp->setFont(bold);

    auto *eDoklad = new QLineEdit(panel);
    eDoklad->setObjectName(QStringLiteral("eUcetniDoklad"));
    eDoklad->setMaxLength(20);
    fields().bind(eDoklad, h, QStringLiteral("UCETNIDOKLAD"));

    grid->addWidget(new QLabel(QStringLiteral("Datum"), panel), 0, 0);
    grid->addWidget(deDatum, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Číslo"), panel), 0, 2);
    grid->addLayout(cislo, 0, 3);
    grid->addWidget(m_lTyp, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Vydává"), panel), 1, 0);
    grid->addWidget(m_ncVyd, 1, 1, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Přijímá"), panel), 2, 0);
    grid->addWidget(m_ncPri, 2, 1, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Účetní doklad"), panel), 3, 0);
    grid->addWidget(eDoklad, 3, 1);
    grid->setColumnStretch(3, 1);
    return panel;
}

void TfSkladPrevod::showKind()
{
    RowCache *h = dsHla();
    const StockSlip::KindLabel k =
        StockSlip::kindLabel(h && h->currentRow() >= 0 ? h->value(QStringLiteral("TYPPOH")).toString() : QString());
    m_lTyp->setText(k.text);
    QPalette p = m_lTyp->palette();
    p.setColor(QPalette::Window, k.colour);
    m_lTyp->setPalette(p);
}

int TfSkladPrevod::condition(int group) const
{
    return m_stav[group == 0 ? 0 : 1]->checkedId();
}

void TfSkladPrevod::setCondition(int group, int condition)
{
    if (QAbstractButton *b = m_stav[group == 0 ? 0 : 1]->button(condition))
        b->setChecked(true);
}

int TfSkladPrevod::OnEditChange(RowCache *)
{
    showKind();
    return 0;
}

void TfSkladPrevod::CisloZRady()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    if (prevodc()->TakeNumberOfSeries())
        Zmena(dsHla());
}

void TfSkladPrevod::PridatZCeniku()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    TfSkladPrevodC *c = prevodc();
    c->setConditions(condition(0), condition(1));
    TfNabMatS::vyber(this, TfSkladPrevodC::PickList, true, [this, c](int key, ListDataset &rows) {
        QVariantMap row;
        for (const char *f : {"POPIS", "JEDN", "DPH", "CSEKCE", "CENPRO", "KOD", "VYROBCE"})
            row.insert(QLatin1String(f), rows.value(QLatin1String(f)));
        if (c->NactiPolozku(key, row) > 0)
            Zmena(&c->lines());
    });
}

void TfSkladPrevod::SmazPolozku()
{
    RowCache &l = prevodc()->lines();
    if (isLocked() || l.currentRow() < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat tuto položku?"), QStringLiteral("Smazání položky")) != PromptYes)
        return;
    l.deleteCurrentRow();
    Zmena(&l);
}

void TfSkladPrevod::Tisk()
{
    const int key = controller()->currentKey();
    if (key <= 0 || !ConfirmLeave())
        return;
    TfSkladPrevodT::preview(controller()->dm(), key, this);
}
