#include "customers/adresy.h"
#include "widgets/viewhelpers.h"
#include "customers/adresyc.h"
#include "customers/nabcombo.h"
#include "customers/panelystredisek.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "core/rowcachemodel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfAdresy::TfAdresy(TfAdresyC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fAdresy"));
    setWindowTitle(QStringLiteral("Tarko 8: Adresy"));
    AttachController(controller);

    m_pages = new QTabWidget(body());
    m_pages->setObjectName(QStringLiteral("pcAdresy"));
    m_pages->addTab(buildZakladni(), QStringLiteral("Základní údaje"));
    m_pages->addTab(buildDoplnky(), QStringLiteral("Doplňky a objekty"));
    m_pages->addTab(buildStrediska(), QStringLiteral("Střediska"));
    m_pages->addTab(buildZamestnanec(), QStringLiteral("Zaměstnanec"));
    auto *layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    resize(760, 560);
    // an entry from older data has no commercial extension: typing into one of its
    // fields gives it one
    fields().setRowMaker(*controller->firmy().cache,
                         [this] { return editable() && adresy()->ensureCommercialRow() > 0; });
    RefreshEditActions();
}

TfAdresyC *TfAdresy::adresy() const
{
    return static_cast<TfAdresyC *>(controller());
}

bool TfAdresy::editable() const
{
    return controller() && !controller()->readOnly() && dsHla() && dsHla()->currentRow() >= 0;
}

QLineEdit *TfAdresy::edit(const QString &objectName, RowCache &rows, const QString &field)
{
    auto *e = new QLineEdit;
    e->setObjectName(objectName);
    fields().bind(e, rows, field);
    return e;
}

QToolButton *TfAdresy::button(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setText(caption);
    b->setToolTip(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

QWidget *TfAdresy::buildZakladni()
{
    RowCache &h = *dsHla();
    RowCache &f = *adresy()->firmy().cache;
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsZakladni"));
    auto *grid = new QGridLayout(page);

    QLineEdit *eNazev = edit(QStringLiteral("eNazev"), h, QStringLiteral("NAZEV"));
    QFont bold = eNazev->font();
    bold.setBold(true);
    eNazev->setFont(bold);

    int row = 0;
    auto line = [&](const QString &caption, QWidget *w, int column = 0, int span = 1) {
        grid->addWidget(new QLabel(caption, page), row, column);
        grid->addWidget(w, row, column + 1, 1, span);
    };
    line(QStringLiteral("Kód:"), edit(QStringLiteral("eKod"), h, QStringLiteral("KOD")));
    ++row;
    line(QStringLiteral("Název:"), eNazev, 0, 3);
    ++row;
    line(QStringLiteral("Ulice:"), edit(QStringLiteral("eUlice"), h, QStringLiteral("ULICE")));
    line(QStringLiteral("čp:"), edit(QStringLiteral("eCisPop"), h, QStringLiteral("CISPOP")), 2);
    ++row;
    line(QStringLiteral("Město:"), edit(QStringLiteral("eMesto"), h, QStringLiteral("MESTO")));
    line(QStringLiteral("Část města:"), edit(QStringLiteral("eCastM"), h, QStringLiteral("CASTM")), 2);
    ++row;
    line(QStringLiteral("PSČ:"), edit(QStringLiteral("ePSC"), h, QStringLiteral("PSC")));
    ++row;
    line(QStringLiteral("IČO:"), edit(QStringLiteral("eICO"), h, QStringLiteral("ICO")));
    line(QStringLiteral("DIČ:"), edit(QStringLiteral("eDIC"), f, QStringLiteral("DIC")), 2);
    ++row;
    line(QStringLiteral("Registrace:"), edit(QStringLiteral("eRegistrace"), h, QStringLiteral("REGISTRACE")), 0, 3);
    ++row;

    auto *osoby = new QGroupBox(QStringLiteral("Odpovědné osoby"), page);
    osoby->setObjectName(QStringLiteral("gbOsoby"));
    auto *og = new QGridLayout(osoby);
    const QStringList titles = {QStringLiteral("Jméno"), QStringLiteral("Funkce"), QStringLiteral("Telefon"),
                                QStringLiteral("Telefon")};
    for (int c = 0; c < titles.size(); ++c)
        og->addWidget(new QLabel(titles.at(c), osoby), 0, c);
    const QStringList first = {QStringLiteral("ODP1"), QStringLiteral("FCE1"), QStringLiteral("TEL1"), QStringLiteral("TEL2")};
    const QStringList second = {QStringLiteral("ODP2"), QStringLiteral("FCE2"), QStringLiteral("TEL3"), QStringLiteral("TEL4")};
    for (int c = 0; c < first.size(); ++c) {
        const QString a = first.at(c), b = second.at(c);
        og->addWidget(edit(QLatin1Char('e') + a.left(1) + a.mid(1).toLower(), f, a), 1, c);
        og->addWidget(edit(QLatin1Char('e') + b.left(1) + b.mid(1).toLower(), f, b), 2, c);
    }
    grid->addWidget(osoby, row++, 0, 1, 4);

    grid->addWidget(new QLabel(QStringLiteral("Poznámka:"), page), row, 0, Qt::AlignTop);
    auto *mPozn = new QTextEdit(page);
    mPozn->setObjectName(QStringLiteral("mPozn"));
    fields().bind(mPozn, h, QStringLiteral("POZN"));
    grid->addWidget(mPozn, row++, 1, 1, 3);

    auto *cbSestAdr = new QCheckBox(QStringLiteral("Skrýt adresu"), page);
    cbSestAdr->setObjectName(QStringLiteral("cbSestAdr"));
    fields().bind(cbSestAdr, h, QStringLiteral("SESTADR"));
    grid->addWidget(cbSestAdr, row++, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);
    return page;
}

QWidget *TfAdresy::buildDoplnky()
{
    RowCache &h = *dsHla();
    RowCache &f = *adresy()->firmy().cache;
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsDoplnky"));
    auto *layout = new QGridLayout(page);

    auto *periody = new QGroupBox(QStringLiteral("Periody kontrol"), page);
    periody->setObjectName(QStringLiteral("gbPeriody"));
    auto *pf = new QFormLayout(periody);
    const QList<QPair<QString, QString>> periods = {{QStringLiteral("PERHP"), QStringLiteral("hasicí přístroje")},
                                                    {QStringLiteral("PERPV"), QStringLiteral("požární vodovody")},
                                                    {QStringLiteral("PERPK"), QStringLiteral("požární klapky")}};
    for (const auto &p : periods) {
        QLineEdit *e = edit(QStringLiteral("ePer") + p.first.mid(3), h, p.first);
        installKeyFilter(e, KeyFilter::ZadejInt);
        pf->addRow(p.second, e);
    }
    layout->addWidget(periody, 0, 0, 2, 1);

    auto *obchod = new QGroupBox(QStringLiteral("Obchodní údaje"), page);
    obchod->setObjectName(QStringLiteral("gbObchod"));
    auto *of = new QFormLayout(obchod);
    auto *cbDPH = new QCheckBox(QStringLiteral("Plátce DPH"), obchod);
    cbDPH->setObjectName(QStringLiteral("cbDPH"));
    fields().bind(cbDPH, f, QStringLiteral("DPH"));
    of->addRow(cbDPH);
    of->addRow(QStringLiteral("Účet:"), edit(QStringLiteral("eUcet1"), f, QStringLiteral("UCET1")));
    of->addRow(QStringLiteral("Účet:"), edit(QStringLiteral("eUcet2"), f, QStringLiteral("UCET2")));
    auto *sleva = new QHBoxLayout;
    QLineEdit *eSleva = edit(QStringLiteral("eSleva"), f, QStringLiteral("SLEVA"));
    installKeyFilter(eSleva, KeyFilter::ZadejFlo);
    sleva->addWidget(eSleva);
    sleva->addWidget(new QLabel(QStringLiteral("%"), obchod));
    of->addRow(QStringLiteral("Sleva"), sleva);

    auto *cenik = new QHBoxLayout;
    m_cbCenik = new QComboBox(obchod);
    m_cbCenik->setObjectName(QStringLiteral("cbCenik"));
    fields().bind(m_cbCenik, h, QStringLiteral("UNCCEN"));
    QToolButton *sbOdebratCenik = button(obchod, QStringLiteral("sbOdebratCenik"), QStringLiteral("Odebrat ceník"));
    connect(sbOdebratCenik, &QToolButton::clicked, this, &TfAdresy::OdebratCenik);
    cenik->addWidget(m_cbCenik, 1);
    cenik->addWidget(sbOdebratCenik);
    of->addRow(QStringLiteral("Ceník:"), cenik);

    auto *objednavka = new QHBoxLayout;
    auto *cbTypObj = new QComboBox(obchod);
    cbTypObj->setObjectName(QStringLiteral("cbTypObj"));
    cbTypObj->addItem(QString(), QString());
    cbTypObj->addItem(QStringLiteral("Ústně"), QStringLiteral("U"));
    cbTypObj->addItem(QStringLiteral("Objednávka"), QStringLiteral("O"));
    cbTypObj->addItem(QStringLiteral("Smlouva"), QStringLiteral("S"));
    cbTypObj->addItem(QStringLiteral("E-Mail"), QStringLiteral("E"));
    cbTypObj->addItem(QStringLiteral("Fax"), QStringLiteral("F"));
    fields().bind(cbTypObj, f, QStringLiteral("TYPOBJ"));
    objednavka->addWidget(cbTypObj);
    objednavka->addWidget(new QLabel(QStringLiteral("Číslo"), obchod));
    objednavka->addWidget(edit(QStringLiteral("eCisObj"), f, QStringLiteral("CISOBJ")), 1);
    of->addRow(QStringLiteral("Typ ojb."), objednavka);

    m_ncSprFir = new NabCombo(obchod);
    m_ncSprFir->setObjectName(QStringLiteral("ncSprFir"));
    m_ncSprFir->setAddressMode(QStringLiteral("FIR"));
    m_ncSprFir->button()->setToolTip(QStringLiteral("Správní firma"));
    m_ncSprFir->bindField(&h, QStringLiteral("UNCSPRFIR"), [this] { return editable(); });
    connect(m_ncSprFir, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });
    of->addRow(QStringLiteral("Správní firma:"), m_ncSprFir);
    layout->addWidget(obchod, 0, 1, 2, 1);

    auto *objekty = new QGroupBox(QStringLiteral("Objekty"), page);
    objekty->setObjectName(QStringLiteral("gbObjekty"));
    auto *ol = new QVBoxLayout(objekty);
    auto *ob = new QHBoxLayout;
    QToolButton *sbNovy = button(objekty, QStringLiteral("sbNovyObjekt"), QStringLiteral("Nový objekt"));
    QToolButton *sbSmazat = button(objekty, QStringLiteral("sbSmazatObjekt"), QStringLiteral("Smazat objekt"));
    connect(sbNovy, &QToolButton::clicked, this, &TfAdresy::NovyObjekt);
    connect(sbSmazat, &QToolButton::clicked, this, &TfAdresy::SmazatObjekt);
    ob->addWidget(sbNovy);
    ob->addWidget(sbSmazat);
    ob->addStretch();
    ol->addLayout(ob);
    m_objekty = new RowCacheModel(adresy()->objekty().cache, this);
    m_objekty->addColumn(QStringLiteral("PORADI"), QStringLiteral("Pořadí"));
    m_objekty->addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Název objektu"));
    m_dbgObjekty = new QTableView(objekty);
    m_dbgObjekty->setObjectName(QStringLiteral("dbgObjekty"));
    m_dbgObjekty->setModel(m_objekty);
    m_dbgObjekty->verticalHeader()->hide();
    m_dbgObjekty->setColumnWidth(0, 60);
    m_dbgObjekty->horizontalHeader()->setStretchLastSection(true);
    followCurrentRow(m_dbgObjekty, m_objekty);
    watchItemGrid(m_objekty, m_dbgObjekty);
    ol->addWidget(m_dbgObjekty);
    layout->addWidget(objekty, 2, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return page;
}

QWidget *TfAdresy::buildStrediska()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsStrediska"));
    auto *layout = new QVBoxLayout(page);
    auto *buttons = new QHBoxLayout;
    QToolButton *sbNove = button(page, QStringLiteral("sbNoveStredisko"), QStringLiteral("Nové středisko"));
    QToolButton *sbSmazat = button(page, QStringLiteral("sbSmazatStredisko"), QStringLiteral("Smazat středisko"));
    connect(sbNove, &QToolButton::clicked, this, &TfAdresy::NoveStredisko);
    connect(sbSmazat, &QToolButton::clicked, this, &TfAdresy::SmazatStredisko);
    buttons->addWidget(sbNove);
    buttons->addWidget(sbSmazat);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_strediskaModel = new RowCacheModel(adresy()->strediska().cache, this);
    m_strediskaModel->addColumn(QStringLiteral("STREDISKO"), QStringLiteral("Středisko"));
    m_strediskaModel->addColumn(QStringLiteral("ULICE"), QStringLiteral("Ulice"));
    m_strediskaModel->addColumn(QStringLiteral("CISPOP"), QStringLiteral("Č. pop."));
    m_strediskaModel->addColumn(QStringLiteral("PSC"), QStringLiteral("PSČ"));
    m_strediskaModel->addColumn(QStringLiteral("MESTO"), QStringLiteral("Město"));
    m_strediskaModel->addColumn(QStringLiteral("KONOSO"), QStringLiteral("Kontaktní osoba"));
    m_strediskaModel->addColumn(QStringLiteral("KONTAKT"), QStringLiteral("Kontakt"));
    m_strediskaModel->addColumn(QStringLiteral("PERHP"), QStringLiteral("Perioda HP"));
    m_strediskaModel->addColumn(QStringLiteral("PERPV"), QStringLiteral("Perioda PV"));
    m_strediskaModel->addColumn(QStringLiteral("PERPK"), QStringLiteral("Perioda PK"));
    watchItemGrid(m_strediskaModel);
    m_strediska = new PanelyStredisek(page);
    m_strediska->setObjectName(QStringLiteral("pnlStrediska"));
    m_strediska->setModel(m_strediskaModel);
    layout->addWidget(m_strediska, 1);
    return page;
}

QWidget *TfAdresy::buildZamestnanec()
{
    RowCache &h = *dsHla();
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsZamestnanec"));
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Jméno"), edit(QStringLiteral("eJmeno"), h, QStringLiteral("JMENO")));
    form->addRow(QStringLiteral("Příjmení"), edit(QStringLiteral("ePrijmeni"), h, QStringLiteral("PRIJMENI")));
    form->addRow(QStringLiteral("Číslo průkazu technika"),
                 edit(QStringLiteral("eCisPrukazu"), h, QStringLiteral("CISPRUKAZU")));
    layout->addLayout(form);

    auto *typ = new QGroupBox(QStringLiteral("Typ osoby"), page);
    typ->setObjectName(QStringLiteral("rgTyp"));
    auto *tl = new QVBoxLayout(typ);
    m_rgTyp = new QButtonGroup(this);
    const QStringList captions = {
        QStringLiteral("Zákazník - neporvádějící servisní práce"),
        QStringLiteral("Zaměstnanec - zaměstnanec neprovádějící servisní práce"),
        QStringLiteral("Technik - vlastní technik (zaměstnanec) provádějící servisní práce"),
        QStringLiteral("Cizí technik - cízí technik, provádějící servisní práce"),
        QStringLiteral("Cizí servis - cizí firma provádějící servisní práce"),
    };
    for (int i = 0; i < captions.size(); ++i) {
        auto *rb = new QRadioButton(captions.at(i), typ);
        rb->setObjectName(QStringLiteral("rbTyp%1").arg(i + 1));
        m_rgTyp->addButton(rb, i + 1);
        tl->addWidget(rb);
    }
    connect(m_rgTyp, &QButtonGroup::idClicked, this, &TfAdresy::typClicked);
    connect(&h, &RowCache::reset, this, &TfAdresy::showTyp);
    connect(&h, &RowCache::currentRowChanged, this, &TfAdresy::showTyp);
    connect(&h, &RowCache::rowChanged, this, &TfAdresy::showTyp);
    showTyp();
    layout->addWidget(typ);
    layout->addStretch();
    return page;
}

void TfAdresy::showTyp()
{
    RowCache *h = dsHla();
    const int typ = h && h->currentRow() >= 0 ? h->value(QStringLiteral("TYP")).toInt() : 0;
    QAbstractButton *b = m_rgTyp->button(typ);
    if (b) {
        b->setChecked(true);
        return;
    }
    // no kind: no button is on
    m_rgTyp->setExclusive(false);
    for (QAbstractButton *other : m_rgTyp->buttons())
        other->setChecked(false);
    m_rgTyp->setExclusive(true);
}

void TfAdresy::typClicked(int typ)
{
    if (!editable() || !dsHla()->setValue(QStringLiteral("TYP"), typ)) {
        showTyp();
        return;
    }
    Zmena(dsHla());
}

void TfAdresy::nactiCeniky()
{
    fillLookupCombo(m_cbCenik, adresy()->PriceListChoices());
    m_cenikyNacteny = true;
    fields().refresh();
}

void TfAdresy::showEvent(QShowEvent *event)
{
    if (!m_cenikyNacteny)
        nactiCeniky();
    TfEditForm::showEvent(event);
}

void TfAdresy::AfterRefreshEditActions()
{
    const bool on = editable();
    for (const char *name : {"sbNovyObjekt", "sbSmazatObjekt", "sbNoveStredisko", "sbSmazatStredisko",
                             "sbOdebratCenik"})
        if (auto *b = findChild<QToolButton *>(QString::fromLatin1(name)))
            b->setEnabled(on);
    if (m_ncSprFir)
        m_ncSprFir->button()->setEnabled(on);
    if (m_rgTyp)
        for (QAbstractButton *b : m_rgTyp->buttons())
            b->setEnabled(on);
}

void TfAdresy::NovyObjekt()
{
    if (!editable())
        return;
    const int key = adresy()->NovyObjekt();
    if (key <= 0)
        return;
    Zmena(adresy()->objekty().cache);
    const int row = adresy()->objekty().cache->currentRow();
    if (row >= 0) {
        const QModelIndex cell = m_objekty->index(row, m_objekty->columnOfField(QStringLiteral("OBJEKT")));
        m_dbgObjekty->setCurrentIndex(cell);
        m_dbgObjekty->setFocus();
    }
}

void TfAdresy::SmazatObjekt()
{
    if (!editable() || adresy()->objekty().cache->currentRow() < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat tento objekt?"), QStringLiteral("Pozor")) != PromptYes)
        return;
    if (adresy()->SmazatObjekt() == 0)
        Zmena(adresy()->objekty().cache);
}

void TfAdresy::NoveStredisko()
{
    if (!editable())
        return;
    const int key = adresy()->NoveStredisko();
    if (key <= 0)
        return;
    Zmena(adresy()->strediska().cache);
    m_pages->setCurrentWidget(m_strediska->parentWidget());
    m_strediska->showPanel(adresy()->strediska().cache->currentRow());
}

void TfAdresy::SmazatStredisko()
{
    if (!editable() || adresy()->strediska().cache->currentRow() < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat toto středisko?"), QStringLiteral("Pozor")) != PromptYes)
        return;
    if (adresy()->SmazatStredisko() == 0)
        Zmena(adresy()->strediska().cache);
}

void TfAdresy::OdebratCenik()
{
    if (!editable())
        return;
    if (adresy()->OdebratCenik() == 0)
        Zmena(dsHla());
}
