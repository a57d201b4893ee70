#include "commerce/faktura.h"
#include "commerce/fakturac.h"
#include "commerce/fakturat.h"
#include "commerce/nabmats.h"
#include "commerce/skladprevoddmnozstvi.h"
#include "core/listdataset.h"
#include "core/money.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "customers/nabcombo.h"
#include "widgets/dokradwindow.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Tarko 8: Faktura");

// The line grid: the VAT column takes 'Z', 'S', 'B' and blank only; a price or quantity
// typed recounts the line total.
class FakturaLineModel : public RowCacheModel
{
public:
    FakturaLineModel(TfFakturaC *controller, QObject *parent)
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
        if (field == QLatin1String("JEDCEN") || field == QLatin1String("MNOZ"))
            m_c->CenaPod(index.row());
        return true;
    }

private:
    TfFakturaC *m_c;
};

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    return e;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return d;
}
} // namespace

TfFaktura::TfFaktura(TfFakturaC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fFaktura"));
    setWindowTitle(Caption);
    setLockable(true);
    AttachController(controller);
    controller->setAskQuantity([this](const QString &popis, QString &quantity, double &price) {
        return TfSkladPrevodDMnozstvi::ask(this, popis, quantity, price);
    });

    auto *pages = new QTabWidget(body());
    pages->setObjectName(QStringLiteral("pcFaktura"));
    auto *hlavicka = new QWidget(pages);
    hlavicka->setObjectName(QStringLiteral("tsHlavicka"));
    auto *layout = new QVBoxLayout(hlavicka);
    layout->addWidget(buildHeader(hlavicka));

    auto *bar = newToolBarLayout();
    addToolButton(bar, hlavicka, QStringLiteral("sbPridat"), QStringLiteral("Přidat"), [this] { Pridat(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbUbrat"), QStringLiteral("Ubrat"), [this] { Ubrat(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbPrepocet"), QStringLiteral("Přeočet"), [this] { Prepocet(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbCenik"), QStringLiteral("Přidat položky z ceníku"), [this] { PridatZCeniku(); });
    bar->addStretch(1);
    layout->addLayout(bar);

    m_model = new FakturaLineModel(controller, this);
    m_model->addColumn(QStringLiteral("POLOZKA"), QStringLiteral("Položka"));
    m_model->addColumn(QStringLiteral("JEDCEN"), QStringLiteral("Jedn. cena"), true, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("MNOZ"), QStringLiteral("Množ."), true, DisplayFormat::Quantity);
    m_model->addColumn(QStringLiteral("JEDN"), QStringLiteral("Jedn."));
    m_model->addColumn(QStringLiteral("DPH"), QStringLiteral("DPH"));
    m_model->addColumn(QStringLiteral("CENCELK"), QStringLiteral("Celkem"), false, DisplayFormat::Money);
    m_grid = new QTableView(hlavicka);
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setColumnWidth(0, 320);
    followCurrentRow(m_grid, m_model);
    watchItemGrid(m_model, m_grid);
    layout->addWidget(m_grid, 1);

    auto *sums = new QGridLayout;
    m_lSumaZ = new QLabel(hlavicka);
    m_lSumaZ->setObjectName(QStringLiteral("lSumaZ"));
    m_lSumaS = new QLabel(hlavicka);
    m_lSumaS->setObjectName(QStringLiteral("lSumaS"));
    m_lCelkem = new QLabel(hlavicka);
    m_lCelkem->setObjectName(QStringLiteral("lCelkem"));
    sums->addWidget(new QLabel(QStringLiteral("Základní sazba s DPH"), hlavicka), 0, 0);
    sums->addWidget(m_lSumaZ, 0, 1);
    sums->addWidget(new QLabel(QStringLiteral("Snížená sazba s DPH"), hlavicka), 0, 2);
    sums->addWidget(m_lSumaS, 0, 3);
    sums->addWidget(new QLabel(QStringLiteral("Celkem k úhradě"), hlavicka), 0, 4);
    sums->addWidget(m_lCelkem, 0, 5);
    layout->addLayout(sums);
    pages->addTab(hlavicka, QStringLiteral("Hlavička"));

    RowCache &h = *dsHla();
    for (const auto &page : {std::pair{"HLAVTXT", "Záhlaví"}, std::pair{"PATTXT", "Zápatí"}}) {
        auto *text = new QTextEdit(pages);
        text->setObjectName(QStringLiteral("re") + QLatin1String(page.first));
        fields().bind(text, h, QLatin1String(page.first));
        pages->addTab(text, QString::fromUtf8(page.second));
    }
    auto *uhrada = new QWidget(pages);
    uhrada->setObjectName(QStringLiteral("tsUhrada"));
    buildPayment(uhrada);
    pages->addTab(uhrada, QStringLiteral("Úhrada"));

    auto *outer = new QVBoxLayout(body());
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pages);
    connect(&h, &RowCache::rowChanged, this, [this] { refreshSums(); });
    connect(&h, &RowCache::reset, this, [this] { refreshSums(); });
    refreshSums();
    buildMenu();
    resize(1000, 700);
}

TfFakturaC *TfFaktura::fakturac() const
{
    return qobject_cast<TfFakturaC *>(controller());
}

QWidget *TfFaktura::buildHeader(QWidget *page)
{
    RowCache &h = *dsHla();
    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("pnlHlavicka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto gate = [this] { return !isLocked(); };

    m_ncOdb = new NabCombo(panel);
    m_ncOdb->setObjectName(QStringLiteral("ncOdberatel"));
    m_ncOdb->setAddressMode(QStringLiteral("FIR"));
    m_ncOdb->bindField(&h, QStringLiteral("UNCODB"), gate);
    m_ncPri = new NabCombo(panel);
    m_ncPri->setObjectName(QStringLiteral("ncPrijemce"));
    m_ncPri->setAddressMode(QStringLiteral("FIR"));
    m_ncPri->bindField(&h, QStringLiteral("UNCPRI"), gate);
    m_ncStr = new NabCombo(panel);
    m_ncStr->setObjectName(QStringLiteral("ncStredisko"));
    m_ncStr->setAddressMode(QStringLiteral("STR"), [this] {
        return dsHla()->currentRow() >= 0 ? dsHla()->value(QStringLiteral("UNCPRI")).toInt() : 0;
    });
    m_ncStr->bindField(&h, QStringLiteral("UNCSTR"), gate);
    connect(m_ncPri, &NabCombo::OnVyber, this, [this] {
        // another recipient: the site was the former recipient's
        dsHla()->setValue(QStringLiteral("UNCSTR"), 0);
        m_ncStr->setKey(0);
        Zmena(dsHla());
    });
    for (NabCombo *c : {m_ncOdb, m_ncStr})
        connect(c, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    auto *eCisFak = lineEdit(panel, "eCisFak", 20);
    fields().bind(eCisFak, h, QStringLiteral("CISFAK"));
    auto *cislo = newToolBarLayout();
    cislo->addWidget(eCisFak, 1);
    addToolButton(cislo, panel, QStringLiteral("sbDokRad"), QStringLiteral("Výběr číselné řady"), [this] {
        if (isLocked())
            return;
        const QString code = TfDokRad::pickSeries(this, controller()->dm());
        if (!code.isEmpty()) {
            dsHla()->setValue(QStringLiteral("CISFAK"), code);
            Zmena(dsHla());
        }
    });
    auto *cbTyp = new QComboBox(panel);
    cbTyp->setObjectName(QStringLiteral("cbTypFak"));
    for (const auto &t : {std::pair{"F", "FAKTURA - Daňový doklad"}, std::pair{"Z", "Zálohová faktura"},
                          std::pair{"D", "Dobropis"}, std::pair{"P", "Příjmový pokladní doklad"},
                          std::pair{"U", "Účtenka za hotové - daňový doklad"}})
        cbTyp->addItem(QString::fromUtf8(t.second), QLatin1String(t.first));
    fields().bind(cbTyp, h, QStringLiteral("TYPFAK"));
    auto *cbZpusUh = new QComboBox(panel);
    cbZpusUh->setObjectName(QStringLiteral("cbZpusUh"));
    cbZpusUh->addItems({QString(), QStringLiteral("Převodem"), QStringLiteral("Hotově"), QStringLiteral("Dobírka")});
    fields().bind(cbZpusUh, h, QStringLiteral("ZPUSUH"));
    auto *cbPlatPod = new QComboBox(panel);
    cbPlatPod->setObjectName(QStringLiteral("cbPlatPod"));
    cbPlatPod->addItems({QString(), QStringLiteral("Ceny bez DPH"), QStringLiteral("Ceny s DPH")});
    fields().bind(cbPlatPod, h, QStringLiteral("PLATPOD"));
    auto *cbSDPH = new QCheckBox(QStringLiteral("Cena s DPH"), panel);
    cbSDPH->setObjectName(QStringLiteral("cbSDPH"));
    fields().bind(cbSDPH, h, QStringLiteral("SDPH"));

    struct Field { const char *label; QWidget *widget; };
    auto *eObjednavka = lineEdit(panel, "eObjednavka", 30);
    auto *eKS = lineEdit(panel, "eKS", 10);
    auto *eAkce = lineEdit(panel, "eAkce", 30);
    auto *ePopis = lineEdit(panel, "ePopis", 120);
    auto *eVystavil = lineEdit(panel, "eVystavil", 40);
    auto *eSleva = lineEdit(panel, "eSleva", 10);
    fields().bind(eObjednavka, h, QStringLiteral("OBJEDNAVKA"));
    fields().bind(eKS, h, QStringLiteral("KS"));
    fields().bind(eAkce, h, QStringLiteral("AKCE"));
    fields().bind(ePopis, h, QStringLiteral("POPIS"));
    fields().bind(eVystavil, h, QStringLiteral("VYSTAVIL"));
    fields().bind(eSleva, h, QStringLiteral("SLEVA"), DisplayFormat::Quantity);
    auto *deDatVys = dateEdit(panel, "deDatVys");
    auto *deDatDPH = dateEdit(panel, "deDatDPH");
    auto *deDatSpl = dateEdit(panel, "deDatSpl");
    fields().bind(deDatVys, h, QStringLiteral("DATVYS"));
    fields().bind(deDatDPH, h, QStringLiteral("DATDPH"));
    fields().bind(deDatSpl, h, QStringLiteral("DATSPL"));

    const Field left[] = {{"Odběr. :", m_ncOdb}, {"Příj. :", m_ncPri}, {"Středisko", m_ncStr}, {"Popis :", ePopis},
                          {"Objednávka", eObjednavka}, {"Akce", eAkce}, {"Druh", cbTyp}};
    const Field right[] = {{"Vystaveno", deDatVys}, {"Datum DPH", deDatDPH}, {"Splatnost", deDatSpl},
                           {"Způsob úhrady", cbZpusUh}, {"Platební podmínky", cbPlatPod}, {"KS:", eKS},
                           {"Sleva :", eSleva}, {"Vystavil", eVystavil}};
    int row = 0;
    for (const Field &f : left) {
        grid->addWidget(new QLabel(QString::fromUtf8(f.label), panel), row, 0);
        grid->addWidget(f.widget, row++, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("Číslo"), panel), row, 0);
    grid->addLayout(cislo, row, 1);
    row = 0;
    for (const Field &f : right) {
        grid->addWidget(new QLabel(QString::fromUtf8(f.label), panel), row, 2);
        grid->addWidget(f.widget, row++, 3);
    }
    grid->addWidget(cbSDPH, row, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

void TfFaktura::buildMenu()
{
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("mmFaktura"));
    layout()->setMenuBar(bar);
    QMenu *menu = bar->addMenu(QStringLiteral("Faktura"));
    menu->setObjectName(QStringLiteral("miFaktura"));
    const std::tuple<const char *, const char *, std::function<void()>> prints[] = {
        {"miTiskFaktury", "Tisk faktury", [this] { TiskFaktury(); }},
        {"miTiskDokladu", "Tisk dokladu po položkách", [this] { TiskDokladu(true); }},
        {"miTiskDokladuRadek", "Tisk dokladu jedním řádkem", [this] { TiskDokladu(false); }}};
    for (const auto &[name, caption, run] : prints) {
        QAction *a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, run);
    }
    menu->addSeparator();
    menu->addAction(action(QStringLiteral("ZamknoutOdemknout")));
    menu->addAction(action(QStringLiteral("cKonec")));
}

bool TfFaktura::readyToPrint()
{
    return dsHla()->currentRow() >= 0 && ConfirmLeave() && controller()->currentKey() > 0;
}

void TfFaktura::TiskFaktury()
{
    if (readyToPrint())
        TfFakturaT::preview(controller()->dm(), controller()->currentKey(), this);
}

void TfFaktura::TiskDokladu(bool itemised)
{
    if (readyToPrint())
        TfFakturaTDoklad::preview(controller()->dm(), controller()->currentKey(), itemised, this);
}

QWidget *TfFaktura::buildPayment(QWidget *page)
{
    RowCache &h = *dsHla();
    auto *grid = new QGridLayout(page);
    auto *eUhrCastka = lineEdit(page, "eUhrCastka", 20);
    auto *deUhrDne = dateEdit(page, "deUhrDne");
    auto *eUhrVypis = lineEdit(page, "eUhrVypis", 20);
    auto *eDokUhrady = lineEdit(page, "eDokUhrady", 20);
    fields().bind(eUhrCastka, h, QStringLiteral("UHRCASTKA"), DisplayFormat::Money);
    fields().bind(deUhrDne, h, QStringLiteral("UHRDNE"));
    fields().bind(eUhrVypis, h, QStringLiteral("UHRVYPIS"));
    fields().bind(eDokUhrady, h, QStringLiteral("DOKUHRADY"));
    const std::pair<const char *, QWidget *> rows[] = {
        {"Uhrazeno Kč:", eUhrCastka}, {"Dne :", deUhrDne}, {"Výpis : ", eUhrVypis}, {"Doklad :", eDokUhrady}};
    int row = 0;
    for (const auto &r : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.first), page), row, 0);
        grid->addWidget(r.second, row++, 1);
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

int TfFaktura::OnEditChange(RowCache *source)
{
    refreshSums();
    return 0;
}

void TfFaktura::refreshSums()
{
    RowCache *h = dsHla();
    auto v = [h](const char *f) { return h && h->currentRow() >= 0 ? h->value(QLatin1String(f)).toDouble() : 0.0; };
    m_lSumaZ->setText(formatMoney(v("CENZ") + v("DANZ")));
    m_lSumaS->setText(formatMoney(v("CENS") + v("DANS")));
    m_lCelkem->setText(formatMoney(Invoice::grandTotal(v("CENZ"), v("DANZ"), v("CENS"), v("DANS"), v("CEN0"), v("HALDOR"))));
}

QStringList TfFaktura::shownSums() const
{
    return {m_lSumaZ->text(), m_lSumaS->text(), m_lCelkem->text()};
}

void TfFaktura::Pridat()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    if (controller()->AppendItem(controller()->item(0)) >= 0)
        Zmena(&fakturac()->lines());
}

void TfFaktura::Ubrat()
{
    RowCache &l = fakturac()->lines();
    if (isLocked() || l.currentRow() < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat tuto položku?"), QStringLiteral("Smazání položky")) != PromptYes)
        return;
    l.deleteCurrentRow();
    Zmena(&l);
}

void TfFaktura::Prepocet()
{
    if (isLocked())
        return;
    if (fakturac()->PrepocetFaktury() < 0)
        Prompt::warning(QStringLiteral("Přepočet faktury nebyl uložen.\n") + controller()->lastError(), Caption);
    setChanged(isChanged() && controller()->isModified());
    refreshSums();
}

void TfFaktura::PridatZCeniku()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    TfFakturaC *c = fakturac();
    TfNabMatS::vyber(this, TfFakturaC::PickList, false, [this, c](int key, ListDataset &rows) {
        QVariantMap row;
        for (const char *f : {"POPIS", "JEDN", "DPH", "CSEKCE", "CENPRO"})
            row.insert(QLatin1String(f), rows.value(QLatin1String(f)));
        if (c->NactiPolozku(key, row) > 0)
            Zmena(&c->lines());
    });
    Prepocet();
}
