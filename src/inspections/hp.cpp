#include "inspections/hp.h"
#include "widgets/viewhelpers.h"
#include "inspections/hpc.h"
#include "inspections/dilnadialogs.h"
#include "customers/adrobjekty.h"
#include "customers/adresys.h"
#include "customers/nabcombo.h"
#include "widgets/codelists.h"
#include "widgets/dokradwindow.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "widgets/textedit.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"
#include "inspections/protocolpreview.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

// The items an inspection hands to the workshop are written in green once they are
// there (state 14) and in crimson while they still wait for the link.
class HPItemModel : public RowCacheModel
{
public:
    using RowCacheModel::RowCacheModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::ForegroundRole && cache() && index.row() < cache()->rowCount()) {
            const RowCache &c = *cache();
            if (c.value(index.row(), QStringLiteral("PREDILNA")).toString().trimmed() == QLatin1String("A"))
                return c.value(index.row(), QStringLiteral("STATUS")).toInt() == 14 ? QColor(64, 160, 64)
                                                                                    : QColor(216, 39, 88);
        }
        return RowCacheModel::data(index, role);
    }
};

bool isEnter(const QKeyEvent *k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier);
}

} // namespace

const QStringList TfHP::TitleOrders = {
    QStringLiteral("poradi,uncpom"), QStringLiteral("poradi,uncpom"), QStringLiteral("misto"),
    QStringLiteral("hp"), QStringLiteral("vyrobce"), QStringLiteral("vyrcis"), QStringLiteral("posdil"),
    QStringLiteral("stav"), QStringLiteral("uncpom")};

TfHP::TfHP(TfHPC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fHP"));
    setWindowTitle(QStringLiteral("Kontroly HP"));
    setLockable(true);
    AttachController(controller);

    if (QAction *a = action(QStringLiteral("cNovy")))
        a->setToolTip(QStringLiteral("Nový protokol"));
    if (QAction *a = action(QStringLiteral("cSmaz")))
        a->setToolTip(QStringLiteral("Smazat protokol"));
    // The copy of an inspection is next year's inspection of the same site.
    if (QAction *a = action(QStringLiteral("cOpakuj"))) {
        a->disconnect(this);
        a->setText(QStringLiteral("Zkopírovat"));
        a->setToolTip(QStringLiteral("Zkopírovat"));
        connect(a, &QAction::triggered, this, [this] { Zkopirovat(); });
    }
    if (QAction *a = action(QStringLiteral("cUloz")))
        a->setText(QStringLiteral("&Uložit změny"));

    m_pages = new QTabWidget(body());
    m_pages->setObjectName(QStringLiteral("pcHP"));
    m_itemsPage = buildItemsPage();
    m_pages->addTab(m_itemsPage, QStringLiteral("Hasicí přístoje"));
    m_pages->addTab(buildTextPage(QStringLiteral("tsZahlavi"), QStringLiteral("POZN"), QStringLiteral("sbZahlavi"),
                                  QStringLiteral("Záhlaví do tisku"), false),
                    QStringLiteral("Záhlaví"));
    m_pages->addTab(buildTextPage(QStringLiteral("tsZapati"), QStringLiteral("ZAPATI"), QStringLiteral("sbZapati"),
                                  QStringLiteral("Zápatí do tisku"), true),
                    QStringLiteral("Zápatí a sumarizace"));

    m_lVyrazeni = new QLabel(QStringLiteral("Vyřazovací protokol"), body());
    m_lVyrazeni->setObjectName(QStringLiteral("lVyrazeni"));
    m_lDilna = new QLabel(QStringLiteral("Propojit s dílnou"), body());
    m_lDilna->setObjectName(QStringLiteral("lDilna"));
    for (QLabel *marker : {m_lVyrazeni, m_lDilna}) {
        marker->setStyleSheet(QStringLiteral("QLabel { background: red; color: white; font-weight: bold; padding: 2px 8px; }"));
        marker->setVisible(false);
    }
    auto *markers = new QHBoxLayout;
    markers->addWidget(m_lVyrazeni);
    markers->addWidget(m_lDilna);
    markers->addStretch();

    auto *status = new QLabel(body());
    status->setObjectName(QStringLiteral("lStatus"));
    connect(controller, &TfHPC::statusText, status, &QLabel::setText);

    auto *layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildHeader());
    layout->addLayout(markers);
    layout->addWidget(m_pages, 1);
    layout->addWidget(status);
    buildMenus();

    auto *f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, &TfHP::HledatF3);
    auto *altN = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_N), this);
    connect(altN, &QShortcut::activated, this, [this] { PridatHP(); });

    RowCache &h = *dsHla();
    connect(&h, &RowCache::reset, this, &TfHP::currentInspectionChanged);
    connect(&h, &RowCache::currentRowChanged, this, &TfHP::currentInspectionChanged);
    RowCache &items = hpc()->hp();
    connect(&items, &RowCache::reset, this, [this] { showItemChoices(); RefreshEditActions(); });
    connect(&items, &RowCache::currentRowChanged, this, &TfHP::showItemChoices);
    connect(&items, &RowCache::rowChanged, this, [this](int row) {
        if (row == hpc()->hp().currentRow())
            showItemChoices();
    });
    connect(&items, &RowCache::rowInserted, this, [this] { RefreshEditActions(); });
    connect(&items, &RowCache::rowRemoved, this, [this] { RefreshEditActions(); });

    resize(980, 720);
    // a new window shows the owner's terms and objects as they are now
    hpc()->FollowOwner(true);
    NactiObjekty();
    PrepocitejZnacky();
    RefreshEditActions();
}

TfHPC *TfHP::hpc() const
{
    return static_cast<TfHPC *>(controller());
}

bool TfHP::skipsNextCheck() const
{
    return hpc()->skipsNextDateCheck();
}

int TfHP::ownerPriceList() const
{
    return hpc()->ownerPriceList();
}

double TfHP::ownerDiscount() const
{
    return hpc()->ownerDiscount();
}

bool TfHP::editable() const
{
    return controller() && !controller()->readOnly() && dsHla() && dsHla()->currentRow() >= 0 && !isLocked();
}

bool TfHP::itemsEditable() const
{
    return editable() && hpc()->CanHaveItems();
}

QToolButton *TfHP::button(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setText(caption);
    b->setToolTip(caption);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

// --- building ------------------------------------------------------------------------

QWidget *TfHP::buildHeader()
{
    RowCache &h = *dsHla();
    auto *panel = new QWidget(body());
    panel->setObjectName(QStringLiteral("pnlHlavicka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *deDatum = new QDateEdit(panel);
    deDatum->setObjectName(QStringLiteral("deDatum"));
    deDatum->setCalendarPopup(true);
    deDatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    fields().bind(deDatum, h, QStringLiteral("DATUM"));

    auto *cbFaktura = new QComboBox(panel);
    cbFaktura->setObjectName(QStringLiteral("cbFaktura"));
    const QStringList states = {QStringLiteral("Příprava"), QStringLiteral("Realizace"), QStringLiteral("Fakturováné"),
                                QStringLiteral("Uhrazeno"), QStringLiteral("Hotovo")};
    for (const QString &s : states)
        cbFaktura->addItem(s, s.left(1));
    fields().bind(cbFaktura, h, QStringLiteral("FAKTURA"));

    auto *cbPravid = new QCheckBox(QStringLiteral("Pravidelná prohlídka"), panel);
    cbPravid->setObjectName(QStringLiteral("cbPravid"));
    fields().bind(cbPravid, h, QStringLiteral("PRAVID"));

    m_eCisPro = new QLineEdit(panel);
    m_eCisPro->setObjectName(QStringLiteral("eCisPro"));
    m_eCisPro->setMaxLength(20);
    setUpperCase(m_eCisPro);
    fields().bind(m_eCisPro, h, QStringLiteral("CISPRO"));
    m_eCisPro->installEventFilter(this);
    QToolButton *sbDokRad = button(QStringLiteral("sbDokRad"), QStringLiteral("Katalog číselných řad"), panel);
    connect(sbDokRad, &QToolButton::clicked, this, &TfHP::KatalogRad);

    auto gate = [this] { return editable(); };
    m_ncFirma = new NabCombo(panel);
    m_ncFirma->setObjectName(QStringLiteral("ncFirma"));
    m_ncFirma->setAddressMode(QStringLiteral("FIR"));
    m_ncFirma->bindField(&h, QStringLiteral("UNCFIR"), gate);
    connect(m_ncFirma, &NabCombo::OnVyber, this, &TfHP::VlastnikVybran);
    QToolButton *sbAdresar = button(QStringLiteral("sbAdresar"), QStringLiteral("Adresář firem"), panel);
    connect(sbAdresar, &QToolButton::clicked, this, &TfHP::AdresarFirem);

    m_ncStredisko = new NabCombo(panel);
    m_ncStredisko->setObjectName(QStringLiteral("ncStredisko"));
    m_ncStredisko->setAddressMode(QStringLiteral("STR"), [this] {
        return dsHla()->currentRow() >= 0 ? dsHla()->value(QStringLiteral("UNCFIR")).toInt() : 0;
    });
    m_ncStredisko->bindField(&h, QStringLiteral("UNCSTR"), gate);
    connect(m_ncStredisko, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    m_ncTechnik = new NabCombo(panel);
    m_ncTechnik->setObjectName(QStringLiteral("ncTechnik"));
    m_ncTechnik->setAddressMode(QStringLiteral("TEC"));
    m_ncTechnik->bindField(&h, QStringLiteral("UNCTECH"), gate);
    m_ncTechnik2 = new NabCombo(panel);
    m_ncTechnik2->setObjectName(QStringLiteral("ncTechnik2"));
    m_ncTechnik2->setAddressMode(QStringLiteral("TEC"));
    m_ncTechnik2->bindField(&h, QStringLiteral("UNCTECH2"), gate);
    for (NabCombo *t : {m_ncTechnik, m_ncTechnik2})
        connect(t, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    grid->addWidget(new QLabel(QStringLiteral("Datum"), panel), 0, 0);
    grid->addWidget(deDatum, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Stav "), panel), 0, 2);
    grid->addWidget(cbFaktura, 0, 3);
    grid->addWidget(cbPravid, 0, 4);
    grid->addWidget(new QLabel(QStringLiteral("Číslo"), panel), 0, 5);
    auto *cislo = new QHBoxLayout;
    cislo->addWidget(m_eCisPro, 1);
    cislo->addWidget(sbDokRad);
    grid->addLayout(cislo, 0, 6);
    auto *lFirma = new QLabel(QStringLiteral("Vlastník HP"), panel);
    lFirma->setBuddy(m_ncFirma);
    grid->addWidget(lFirma, 1, 0);
    grid->addWidget(m_ncFirma, 1, 1, 1, 5);
    grid->addWidget(sbAdresar, 1, 6, Qt::AlignLeft);
    auto *lStredisko = new QLabel(QStringLiteral("Umístění HP"), panel);
    lStredisko->setBuddy(m_ncStredisko);
    grid->addWidget(lStredisko, 2, 0);
    grid->addWidget(m_ncStredisko, 2, 1, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Technik"), panel), 3, 0);
    grid->addWidget(m_ncTechnik, 3, 1, 1, 3);
    grid->addWidget(m_ncTechnik2, 3, 4, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(6, 1);

    m_headerEditors = {deDatum, cbFaktura, cbPravid, m_eCisPro, sbDokRad, m_ncFirma->button(),
                       m_ncStredisko->button(), m_ncTechnik->button(), m_ncTechnik2->button()};
    return panel;
}

QWidget *TfHP::buildItemsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsHP"));
    auto *layout = new QVBoxLayout(page);

    auto *buttons = new QHBoxLayout;
    QToolButton *sbPridat = button(QStringLiteral("sbPridatHP"), QStringLiteral("Přidat HP"), page);
    QToolButton *sbOpakovat = button(QStringLiteral("sbOpakovatHP"), QStringLiteral("Opakovat HP"), page);
    QToolButton *sbSmazat = button(QStringLiteral("sbSmazatHP"), QStringLiteral("Smazat HP"), page);
    QToolButton *sbVys = button(QStringLiteral("sbVys"), QStringLiteral("Přesun řádku výš"), page);
    QToolButton *sbNiz = button(QStringLiteral("sbNiz"), QStringLiteral("Přesun řádku níž"), page);
    QToolButton *sbND = button(QStringLiteral("sbND"), QStringLiteral("Náhradní díly a práce"), page);
    connect(sbPridat, &QToolButton::clicked, this, [this] { PridatHP(); });
    connect(sbOpakovat, &QToolButton::clicked, this, [this] { OpakovatHP(); });
    connect(sbSmazat, &QToolButton::clicked, this, [this] { SmazatHP(); });
    connect(sbVys, &QToolButton::clicked, this, [this] { Presun(QLatin1Char('P')); });
    connect(sbNiz, &QToolButton::clicked, this, [this] { Presun(QLatin1Char('N')); });
    // the spare parts and work of an item come with the delivery notes; until then the
    // button does nothing and says so by being disabled
    sbND->setEnabled(false);
    for (QToolButton *b : {sbPridat, sbOpakovat, sbSmazat, sbVys, sbNiz, sbND})
        buttons->addWidget(b);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_model = new HPItemModel(&hpc()->hp(), this);
    m_model->addColumn(QStringLiteral("PORADI"), QStringLiteral("P.O."), false);
    m_model->addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Objekt"), false);
    m_model->addColumn(QStringLiteral("MISTO"), QStringLiteral("Umístění"));
    m_model->addColumn(QStringLiteral("HP"), QStringLiteral("Typ HP"), false);
    m_model->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"), false);
    m_model->addColumn(QStringLiteral("VYRCIS"), QStringLiteral("Vyr. číslo"));
    m_model->addColumn(QStringLiteral("POSDIL"), QStringLiteral("P.D.Z."));
    m_model->addColumn(QStringLiteral("STAV"), QStringLiteral("Stav HP"), false);
    m_dbgHP = new QTableView(page);
    m_dbgHP->setObjectName(QStringLiteral("dbgHP"));
    m_dbgHP->setModel(m_model);
    m_dbgHP->verticalHeader()->setDefaultSectionSize(m_dbgHP->fontMetrics().height() + 6);
    m_dbgHP->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_dbgHP->setSelectionMode(QAbstractItemView::SingleSelection);
    m_dbgHP->horizontalHeader()->setSectionsClickable(true);
    m_dbgHP->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {40, 140, 180, 120, 110, 110, 60, 160};
    for (int c = 0; c < 8; ++c)
        m_dbgHP->setColumnWidth(c, widths[c]);
    connect(m_dbgHP->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { RaditPodleSloupce(column); });
    m_dbgHP->installEventFilter(this);
    followCurrentRow(m_dbgHP, m_model);
    watchItemGrid(m_model, m_dbgHP);
    layout->addWidget(m_dbgHP, 1);
    layout->addWidget(buildItemPanel());

    m_itemEditors << sbOpakovat << sbSmazat << sbVys << sbNiz;
    m_itemTools << sbPridat;
    return page;
}

QWidget *TfHP::buildItemPanel()
{
    RowCache &it = hpc()->hp();
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("pnlPolozka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    auto lineEdit = [&](const QString &name, const QString &field, bool readOnly = false) {
        auto *e = new QLineEdit(panel);
        e->setObjectName(name);
        e->setReadOnly(readOnly);
        if (readOnly)
            e->setFocusPolicy(Qt::NoFocus);
        fields().bind(e, it, field);
        return e;
    };
    auto combo = [&](const QString &name, bool editableText) {
        auto *c = new QComboBox(panel);
        c->setObjectName(name);
        c->setEditable(editableText);
        c->setInsertPolicy(QComboBox::NoInsert);
        return c;
    };

    m_ePoradi = lineEdit(QStringLiteral("ePoradi"), QStringLiteral("PORADI"));
    installKeyFilter(m_ePoradi, KeyFilter::ZadejIntX);
    m_ePoradi->installEventFilter(this);
    m_ePoradi->setMaximumWidth(60);
    m_cbObjekt = combo(QStringLiteral("cbObjekt"), false);
    connect(m_cbObjekt, qOverload<int>(&QComboBox::activated), this, &TfHP::ObjektVybran);

    m_cbUmisteni = combo(QStringLiteral("cbUmisteni"), true);
    fields().bind(m_cbUmisteni, it, QStringLiteral("MISTO"));
    m_cbPozice = combo(QStringLiteral("cbPozice"), false);
    connect(m_cbPozice, qOverload<int>(&QComboBox::activated), this, &TfHP::PoziceVybrana);

    m_cbTyp = combo(QStringLiteral("cbTyp"), false);
    connect(m_cbTyp, qOverload<int>(&QComboBox::activated), this, &TfHP::TypVybran);
    QLineEdit *eDruh = lineEdit(QStringLiteral("eDruh"), QStringLiteral("DRUH"), true);
    QLineEdit *eVyrobce = lineEdit(QStringLiteral("eVyrobce"), QStringLiteral("VYROBCE"), true);

    m_eVyrCis = lineEdit(QStringLiteral("eVyrCis"), QStringLiteral("VYRCIS"));
    QLineEdit *eRok = lineEdit(QStringLiteral("eRok"), QStringLiteral("ROK"), true);
    QLineEdit *ePosDil = lineEdit(QStringLiteral("ePosDil"), QStringLiteral("POSDIL"));
    installKeyFilter(ePosDil, KeyFilter::ZadejInt);

    QLineEdit *eStatus = lineEdit(QStringLiteral("eStatus"), QStringLiteral("STATUS"), true);
    eStatus->setMaximumWidth(40);
    m_cbStav = combo(QStringLiteral("cbStav"), false);
    m_cbStav->installEventFilter(this);
    connect(m_cbStav, qOverload<int>(&QComboBox::activated), this, &TfHP::StavVybran);

    m_cbOprText = combo(QStringLiteral("cbOprText"), true);
    fields().bind(m_cbOprText, it, QStringLiteral("OPRTEXT"));
    m_cbOprText->installEventFilter(this);
    m_cbPozn = combo(QStringLiteral("cbPozn"), true);
    fields().bind(m_cbPozn, it, QStringLiteral("POZN"));
    m_cbPozn->installEventFilter(this);
    QLineEdit *eNakStr = lineEdit(QStringLiteral("eNakStr"), QStringLiteral("NAKSTR"));

    m_eHledat = new QLineEdit(panel);
    m_eHledat->setObjectName(QStringLiteral("eHledat"));
    m_eHledat->setPlaceholderText(QStringLiteral("Hledat číslo (F3)"));
    m_eHledat->setToolTip(QStringLiteral("Hledat číslo (F3)"));
    m_eHledat->installEventFilter(this);

    auto catalogue = [&](const QString &name, const QString &caption, std::function<void()> run) {
        QToolButton *b = button(name, caption, panel);
        connect(b, &QToolButton::clicked, this, std::move(run));
        m_itemTools << b;
        return b;
    };
    QToolButton *sbKatObjektu = catalogue(QStringLiteral("sbKatObjektu"), QStringLiteral("Katalog objektů"), [this] {
        TfAdrObjekty editor(this, dsHla()->value(QStringLiteral("UNCFIR")).toInt(), controller()->dm());
        if (editor.isCreated())
            Prompt::runModal(&editor);
        NactiObjekty();
    });
    m_itemTools.removeOne(sbKatObjektu);
    m_itemEditors << sbKatObjektu;

    int row = 0;
    auto objekt = new QHBoxLayout;
    objekt->addWidget(m_ePoradi);
    objekt->addWidget(m_cbObjekt, 1);
    objekt->addWidget(sbKatObjektu);
    grid->addWidget(new QLabel(QStringLiteral("Objekt"), panel), row, 0);
    grid->addLayout(objekt, row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Hledat číslo (F3)"), panel), row, 4);
    grid->addWidget(m_eHledat, row++, 5);

    auto codeList = [&](QWidget *field, const QString &name, const QString &caption, CodeList which) {
        auto *l = new QHBoxLayout;
        l->addWidget(field, 1);
        l->addWidget(catalogue(name, caption, [this, which] { openCodeListEditor(which); }));
        return l;
    };
    grid->addWidget(new QLabel(QStringLiteral("Umístění"), panel), row, 0);
    grid->addLayout(codeList(m_cbUmisteni, QStringLiteral("sbKatUmisteni"), QStringLiteral("Katalog umístění"), CodeList::HPUmist),
                    row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Pozice"), panel), row, 4);
    grid->addLayout(codeList(m_cbPozice, QStringLiteral("sbKatPozic"), QStringLiteral("Katalog pozic"), CodeList::HPPozice), row++, 5);

    grid->addWidget(new QLabel(QStringLiteral("Typ"), panel), row, 0);
    grid->addLayout(codeList(m_cbTyp, QStringLiteral("sbKatZnacek"), QStringLiteral("Katalog značek HP"), CodeList::HPTypy),
                    row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Druh"), panel), row, 4);
    auto druh = new QHBoxLayout;
    druh->addWidget(eDruh);
    druh->addWidget(new QLabel(QStringLiteral("Výrobce:"), panel));
    druh->addWidget(eVyrobce);
    grid->addLayout(druh, row++, 5);

    grid->addWidget(new QLabel(QStringLiteral("Výrobní číslo"), panel), row, 0);
    grid->addWidget(m_eVyrCis, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Rok v.:"), panel), row, 2);
    grid->addWidget(eRok, row, 3);
    grid->addWidget(new QLabel(QStringLiteral("Rok díl. zk."), panel), row, 4);
    grid->addWidget(ePosDil, row++, 5);

    auto stav = codeList(m_cbStav, QStringLiteral("sbKatStavu"), QStringLiteral("Katalog stavů HP"), CodeList::HPStavy);
    stav->insertWidget(0, eStatus);
    grid->addWidget(new QLabel(QStringLiteral("Stav HP"), panel), row, 0);
    grid->addLayout(stav, row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Upřesnění stavu"), panel), row, 4);
    grid->addLayout(codeList(m_cbOprText, QStringLiteral("sbKatOprav"), QStringLiteral("Katalog oprav a ND HP"), CodeList::HPSezOprVyr),
                    row++, 5);

    grid->addWidget(new QLabel(QStringLiteral("Náhradní  díly:"), panel), row, 0);
    grid->addWidget(m_cbPozn, row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Nákladové střed."), panel), row, 4);
    grid->addWidget(eNakStr, row++, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 2);

    m_itemEditors << m_ePoradi << m_cbObjekt << m_cbUmisteni << m_cbPozice << m_cbTyp << m_eVyrCis << ePosDil
                  << m_cbStav << m_cbOprText << m_cbPozn << eNakStr;
    // the tab order follows the work: object, location, type, condition, serial number
    setTabOrder(m_ePoradi, m_cbObjekt);
    setTabOrder(m_cbObjekt, m_cbUmisteni);
    setTabOrder(m_cbUmisteni, m_cbPozice);
    setTabOrder(m_cbPozice, m_cbTyp);
    setTabOrder(m_cbTyp, m_cbStav);
    setTabOrder(m_cbStav, m_eVyrCis);
    setTabOrder(m_eVyrCis, ePosDil);
    setTabOrder(ePosDil, m_cbOprText);
    setTabOrder(m_cbOprText, m_cbPozn);
    setTabOrder(m_cbPozn, eNakStr);
    return panel;
}

QWidget *TfHP::buildTextPage(const QString &objectName, const QString &field, const QString &buttonName,
                             const QString &buttonCaption, bool withSummary)
{
    RowCache &h = *dsHla();
    auto *page = new QWidget;
    page->setObjectName(objectName);
    auto *layout = new QVBoxLayout(page);
    auto *text = new QTextEdit(page);
    text->setObjectName(QStringLiteral("m") + field.left(1) + field.mid(1).toLower());
    fields().bind(text, h, field);
    m_headerEditors << text;
    QToolButton *edit = button(buttonName, buttonCaption, page);
    const QString caption = withSummary ? QStringLiteral("Editace zápatí") : QStringLiteral("Editace záhlaví");
    connect(edit, &QToolButton::clicked, this, [this, field, caption] { editText(field, caption); });
    auto *row = new QHBoxLayout;
    row->addWidget(edit);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(text, 1);
    if (withSummary) {
        auto *summary = new QGridLayout;
        auto number = [&](const QString &name, const QString &column, const QString &caption, int at, bool readOnly,
                          DisplayFormat format) {
            auto *e = new QLineEdit(page);
            e->setObjectName(name);
            e->setReadOnly(readOnly);
            fields().bind(e, h, column, format);
            if (!readOnly) {
                installKeyFilter(e, KeyFilter::ZadejFlo);
                m_headerEditors << e;
            }
            summary->addWidget(new QLabel(caption, page), 0, at);
            summary->addWidget(e, 0, at + 1);
        };
        // the count is the controller's, recomputed at every save
        number(QStringLiteral("ePocHP"), QStringLiteral("POCHP"), QStringLiteral("Počet HP"), 0, true, DisplayFormat::Integer);
        number(QStringLiteral("eCasNar"), QStringLiteral("CASNAR"), QStringLiteral("Časová náročnost"), 2, false,
               DisplayFormat::Quantity);
        number(QStringLiteral("eCena"), QStringLiteral("CENA"), QStringLiteral("Cena"), 4, false, DisplayFormat::Money);
        layout->addLayout(summary);
    }
    return page;
}

QAction *TfHP::menuEntry(QMenu *menu, const QString &objectName, const QString &caption, std::function<void()> run,
                         const QKeySequence &keys)
{
    auto *a = menu->addAction(caption);
    a->setObjectName(objectName);
    if (!keys.isEmpty())
        a->setShortcut(keys);
    if (run)
        connect(a, &QAction::triggered, this, [run] { run(); });
    else
        a->setEnabled(false);   // an entry that waits for its function does not pretend to have one
    m_menuActions << a;
    return a;
}

QAction *TfHP::menuAction(const QString &objectName) const
{
    for (QAction *a : m_menuActions)
        if (a->objectName() == objectName)
            return a;
    return action(objectName);
}

void TfHP::buildMenus()
{
    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("mmHP"));
    layout()->setMenuBar(m_menu);

    QMenu *protokol = m_menu->addMenu(QStringLiteral("Protokol"));
    protokol->setObjectName(QStringLiteral("miProtokol"));
    for (const char *name : {"cNovy", "cOpakuj", "cSmaz", "cUloz", "cZpet", "ZamknoutOdemknout"})
        protokol->addAction(action(QString::fromLatin1(name)));

    QMenu *hp = m_menu->addMenu(QStringLiteral("HP"));
    hp->setObjectName(QStringLiteral("miHP"));
    menuEntry(hp, QStringLiteral("miPridatHP"), QStringLiteral("Přidat nový"), [this] { PridatHP(); },
              QKeySequence(Qt::Key_Insert));
    menuEntry(hp, QStringLiteral("miOpakovatHP"), QStringLiteral("&Opakovat"), [this] { OpakovatHP(); },
              QKeySequence(Qt::ALT | Qt::Key_O));
    menuEntry(hp, QStringLiteral("miVlozitHP"), QStringLiteral("&Vložit nový"), [this] { VlozitNovy(); });
    menuEntry(hp, QStringLiteral("miSmazatHP"), QStringLiteral("Smazat HP"), [this] { SmazatHP(); });
    // the spare parts and work of an item come with the delivery notes
    menuEntry(hp, QStringLiteral("miND"), QStringLiteral("Náhradní &díly a práce"));
    menuEntry(hp, QStringLiteral("miRaditZapis"), QStringLiteral("Řadit podle pořadí zápisu"),
              [this] { RaditPodlePoradiZapisu(); });

    // the delivery notes are the business of their own windows; their entries wait for them
    QMenu *dilna = m_menu->addMenu(QStringLiteral("Dílna"));
    dilna->setObjectName(QStringLiteral("miDilna"));
    menuEntry(dilna, QStringLiteral("miPropojit"), QStringLiteral("&Propojit s dílnou"), [this] { PropojitSDilnou(); });
    QMenu *dodaci = m_menu->addMenu(QStringLiteral("Dodací list"));
    dodaci->setObjectName(QStringLiteral("miDodaciList"));
    menuEntry(dodaci, QStringLiteral("miOtevritDL"), QStringLiteral("Otevřít"));
    menuEntry(dodaci, QStringLiteral("miOdpojitDL"), QStringLiteral("Odpojit"), [this] { OdpojitDL(); });
    QMenu *tisk = m_menu->addMenu(QStringLiteral("Tisk"));
    tisk->setObjectName(QStringLiteral("miTisk"));
    menuEntry(tisk, QStringLiteral("miTiskKontrola"), QStringLiteral("Doklad o kontrole HP"),
              [this] { TiskDokladu(HPDocument::Kontrola); });
    menuEntry(tisk, QStringLiteral("miTiskVyrazeni"), QStringLiteral("Doklad o vyřazení HP"),
              [this] { TiskDokladu(HPDocument::Vyrazeni); });
    menuEntry(tisk, QStringLiteral("miTiskDilna"), QStringLiteral("Doklad o dílenské kontrole HP"),
              [this] { TiskDokladu(HPDocument::Dilna); });
    menuEntry(tisk, QStringLiteral("miExport"), QStringLiteral("Export do Excelu"));
    QAction *konec = m_menu->addAction(QStringLiteral("Konec"));
    konec->setObjectName(QStringLiteral("miKonec"));
    connect(konec, &QAction::triggered, this, &TfHP::cKonec);
    m_menuActions << konec;
}

// --- showing ---------------------------------------------------------------------------

void TfHP::showEvent(QShowEvent *event)
{
    if (!m_seznamyNacteny)
        NaplnSeznamy();
    PrepocitejZnacky();
    hpc()->setSkipNextDateCheck(false);
    TfEditForm::showEvent(event);
}

bool TfHP::NaplnSeznamy()
{
    TfHPC *c = hpc();
    bool ok = false;
    fillLookupCombo(m_cbUmisteni, c->ItemChoices(TfHPC::UmisteniChoices, &ok));
    if (!ok) {
        Prompt::warning(QStringLiteral("Naplnění seznamu umístění HP !"), QStringLiteral("Chyba"));
        return false;
    }
    const QString between = QStringLiteral("  ");
    bool typy = false, stavy = false, pozice = false, texty = false;
    fillLookupCombo(m_cbTyp, c->ItemChoices(TfHPC::TypChoices, &typy), between);
    fillLookupCombo(m_cbStav, c->ItemChoices(TfHPC::StavChoices, &stavy), between);
    fillLookupCombo(m_cbPozice, c->ItemChoices(TfHPC::PoziceChoices, &pozice));
    const QVector<LookupItem> opravy = c->ItemChoices(TfHPC::OprTextChoices, &texty);
    fillLookupCombo(m_cbOprText, opravy);
    fillLookupCombo(m_cbPozn, opravy);
    if (!(typy && stavy && pozice && texty)) {
        Prompt::warning(QStringLiteral("Otevření tabulek 1 !"), QStringLiteral("Chyba"));
        return false;
    }
    m_seznamyNacteny = true;
    NactiObjekty();
    fields().refresh();
    showItemChoices();
    return true;
}

void TfHP::NactiObjekty()
{
    bool ok = false;
    fillLookupCombo(m_cbObjekt, hpc()->OwnerObjects(&ok));
    if (!ok) {
        Prompt::warning(QStringLiteral("Otevření tabulek 1 !"), QStringLiteral("Chyba"));
        return;
    }
    showItemChoices();
}

void TfHP::currentInspectionChanged()
{
    // the bound pickers show the new row themselves; the owner's terms and objects are
    // read again only when the owner is another (every save reads the record again)
    if (hpc()->FollowOwner() && m_cbObjekt)
        NactiObjekty();
    PrepocitejZnacky();
}

void TfHP::showItemChoices()
{
    if (!m_cbTyp || m_showingChoices)
        return;
    m_showingChoices = true;
    RowCache &c = hpc()->hp();
    const bool row = c.currentRow() >= 0;
    m_cbTyp->setCurrentIndex(row ? m_cbTyp->findData(c.value(QStringLiteral("UNCCEN"))) : -1);
    const QString popis = row ? c.value(QStringLiteral("STAV")).toString().trimmed() : QString();
    m_cbStav->setCurrentIndex(popis.isEmpty() ? -1 : m_cbStav->findData(popis, LookupTextRole));
    m_cbObjekt->setCurrentIndex(row ? m_cbObjekt->findText(c.value(QStringLiteral("OBJEKT")).toString().trimmed()) : -1);
    m_showingChoices = false;
}

void TfHP::PrepocitejZnacky()
{
    if (!m_lVyrazeni)
        return;
    m_lVyrazeni->setVisible(hpc()->NeedsWithdrawalDocument());
    m_lDilna->setVisible(hpc()->NeedsWorkshopLink());
}

// --- enabling ------------------------------------------------------------------------

int TfHP::OnEditChange(RowCache *source)
{
    (void)source;
    PrepocitejZnacky();
    RefreshEditActions();
    return 0;
}

void TfHP::AfterRefreshEditActions()
{
    if (!m_pages)
        return;
    const bool header = editable();
    const bool canItems = hpc()->CanHaveItems();
    const bool items = header && canItems;
    const bool hasItems = hpc()->hp().rowCount() > 0;
    const bool hasCurrent = hpc()->hp().currentRow() >= 0;

    m_pages->setTabEnabled(0, canItems);
    m_itemsPage->setEnabled(canItems);
    if (!canItems && m_pages->currentIndex() == 0)
        m_pages->setCurrentIndex(1);
    for (QWidget *w : m_headerEditors)
        w->setEnabled(header);
    for (QWidget *w : m_itemEditors)
        w->setEnabled(items && hasCurrent);
    for (QWidget *w : m_itemTools)
        w->setEnabled(items);
    // the search only reads
    m_eHledat->setEnabled(hasItems);

    auto enable = [this](const char *name, bool on) {
        if (QAction *a = menuAction(QString::fromLatin1(name)))
            a->setEnabled(on);
    };
    enable("miPridatHP", items);
    enable("miVlozitHP", items);
    enable("miOpakovatHP", items && hasCurrent);
    enable("miSmazatHP", items && hasCurrent);
    enable("miRaditZapis", hasItems);
    enable("miPropojit", header && hasItems);
    enable("miOdpojitDL", header && dsHla()->value(QStringLiteral("UNCDOD")).toInt() != 0);
}

// --- the document ----------------------------------------------------------------------

int TfHP::BeforeEditNew()
{
    hpc()->PresetNewInspection();
    return 0;
}

int TfHP::AfterEditNew()
{
    currentInspectionChanged();
    return 0;
}

int TfHP::BeforeEditSave()
{
    return hpc()->CheckBeforeNextSave() < 0 ? -1 : 0;
}

int TfHP::Zkopirovat()
{
    if (!controller() || dsHla()->currentRow() < 0)
        return -1;
    if (!ConfirmLeave())
        return 1;
    if (Prompt::question(QStringLiteral("Zkopírovat tento doklad?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    const int key = dsHla()->value(QStringLiteral("UNCIS")).toInt();
    // a locked inspection is copied all the same: the copy starts unlocked
    controller()->setReadOnly(false);
    const int newKey = hpc()->CarryForward(key);
    setChanged(controller()->isModified());
    RefreshEditActions();
    currentInspectionChanged();
    return newKey > 0 ? 0 : newKey;
}

int TfHP::PropojitSDilnou()
{
    TfHPC *c = hpc();
    if (!editable())
        return 1;
    commitPendingEdit(m_dbgHP);
    std::unique_ptr<TfDilnaC> workshop(TfClass::create<TfDilnaC>(c->dm()));
    TfDilnaDPredVyp dialog(workshop.get(), TfDilnaDPredVyp::LinkMode, this);
    dialog.setFill(c->LinkFill());
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return 1;
    const int r = c->PropojSDilnou(dialog.fill(), [this](TfDilnaC &rows, const TfHPC::ReturnedItem &item, int *key) {
        TfDilnaDNabHP picker(rows, item, this);
        Prompt::runModal(&picker);
        *key = picker.chosenKey();
        return picker.choice();
    });
    if (r != 0)
        Prompt::warning(QStringLiteral("Chyba v propojení s dílnou"), QStringLiteral("Dílna"));
    setChanged(c->isModified());
    PrepocitejZnacky();
    RefreshEditActions();
    return r;
}

int TfHP::TiskDokladu(HPDocument kind)
{
    const int key = dsHla()->value(QStringLiteral("UNCIS")).toInt();
    if (hpc()->isModified()) {
        Prompt::information(QStringLiteral("Před tiskem uložte změny dokladu."), QStringLiteral("Tisk dokladu o kontrole"));
        return 1;
    }
    TDMPro *dm = hpc()->dm();
    return previewInspectionReport(
        HPPrint::designWindow(kind),
        [=](int design, Print::Document &out) { return HPPrint::render(kind, key, design, out, dm); }, this);
}

int TfHP::OdpojitDL()
{
    if (!editable() || dsHla()->value(QStringLiteral("UNCDOD")).toInt() == 0)
        return -1;
    if (Prompt::question(QStringLiteral("Chcete odpojit dodací list od této kontroy?"), QStringLiteral("Odpojení DL"))
        != PromptYes)
        return 1;
    if (hpc()->UnlinkDeliveryNote() < 0) {
        Prompt::warning(hpc()->lastError(), QStringLiteral("Odpojení DL"));
        return -1;
    }
    setChanged(controller()->isModified());
    RefreshEditActions();
    return 0;
}

void TfHP::CisloEnter()
{
    fields().flush();
    if (editable() && hpc()->TakeNumberOfSeries())
        Zmena(dsHla());
    Dalsi();
}

void TfHP::KatalogRad()
{
    if (!editable())
        return;
    const QString code = TfDokRad::pickSeries(this, controller()->dm());
    if (code.isEmpty())
        return;
    dsHla()->setValue(QStringLiteral("CISPRO"), code);
    Zmena(dsHla());
    m_eCisPro->setFocus();
}

void TfHP::AdresarFirem()
{
    const int owner = dsHla()->currentRow() >= 0 ? dsHla()->value(QStringLiteral("UNCFIR")).toInt() : 0;
    QPointer<TfAdresyS> list = VytvorAdresar(this);
    if (!list) {
        Prompt::warning(QStringLiteral("Adresář firem"), QStringLiteral("Zobrazení adresy"));
        return;
    }
    if (list->prepareAndOpen() == 0 && owner > 0)
        list->Reopen(owner);
    Prompt::runModal(list);
    delete list.data();
    m_ncFirma->refresh();
    m_ncStredisko->refresh();
}

void TfHP::VlastnikVybran()
{
    hpc()->OwnerChosen();
    m_ncStredisko->refresh();
    NactiObjekty();
    Zmena(dsHla());
}

void TfHP::editText(const QString &field, const QString &caption)
{
    if (dsHla()->currentRow() < 0) {
        Prompt::warning(QStringLiteral("Doklad není otevřen"), caption);
        return;
    }
    const QVariant before = dsHla()->value(field);
    TfTextEdit editor(this, controller()->dm());
    editor.BindField(*dsHla(), field);
    editor.setReadOnly(!editable());
    Prompt::runModal(&editor);
    editor.Unbind();
    if (dsHla()->value(field) != before)
        Zmena(dsHla());
}

// --- the extinguishers ---------------------------------------------------------------

void TfHP::focusItemField(QWidget *field)
{
    m_pages->setCurrentWidget(m_itemsPage);
    if (field && field->isEnabled())
        field->setFocus();
}

int TfHP::PridatHP()
{
    if (!itemsEditable()) {
        Prompt::beep();
        return -1;
    }
    emit hpc()->statusText(QStringLiteral("Založení HP ..."));
    const int key = hpc()->AddItem();
    emit hpc()->statusText(QString());
    if (key <= 0) {
        Prompt::warning(QStringLiteral("HP nebyl přidán"), QStringLiteral("Přidání nového HP"));
        return -1;
    }
    Zmena(&hpc()->hp());
    focusItemField(m_cbUmisteni);
    return key;
}

int TfHP::OpakovatHP()
{
    if (!itemsEditable() || hpc()->hp().currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    const int key = hpc()->RepeatItem();
    if (key <= 0) {
        Prompt::warning(QStringLiteral("HP nebyl přidán"), QStringLiteral("Přidání opakovaného HP"));
        return -1;
    }
    Zmena(&hpc()->hp());
    focusItemField(m_cbUmisteni);
    return key;
}

int TfHP::VlozitNovy()
{
    if (!itemsEditable()) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(QStringLiteral("Vložit HP a uložit změny?"), QStringLiteral("Pozor")) != PromptYes) {
        // declined all the same, the next save does not check the dates
        hpc()->setSkipNextDateCheck(true);
        return 1;
    }
    fields().flush();
    const int key = hpc()->InsertItemAtCurrent();
    setChanged(controller()->isModified());
    RefreshEditActions();
    if (key <= 0)
        return -1;
    focusItemField(m_cbUmisteni);
    return key;
}

int TfHP::SmazatHP()
{
    if (!itemsEditable() || hpc()->hp().currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(QStringLiteral("Smazat tento HP?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    if (hpc()->DeleteCurrentItem() < 0) {
        Prompt::warning(QStringLiteral("HP nebyl smazán"), QStringLiteral("Smazání HP"));
        return -1;
    }
    Zmena(&hpc()->hp());
    PrepocitejZnacky();
    return 0;
}

int TfHP::Presun(QChar direction)
{
    if (!itemsEditable() || hpc()->hp().currentRow() < 0)
        return -1;
    fields().flush();
    const int r = hpc()->MoveItem(direction);
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

int TfHP::RaditPodleSloupce(int column)
{
    if (column < 0 || column >= TitleOrders.size() || !controller())
        return -1;
    if (!ConfirmLeave())
        return 1;
    const int r = hpc()->SortItems(TitleOrders.at(column));
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

int TfHP::RaditPodlePoradiZapisu()
{
    return RaditPodleSloupce(TitleOrders.size() - 1);
}

void TfHP::PoradiEnter()
{
    RowCache &c = hpc()->hp();
    fields().flush();
    // only an item being typed in goes on to the next one; otherwise Enter moves on as
    // in every other field
    if (!itemsEditable() || !hpc()->ItemBeingEdited()) {
        Dalsi();
        return;
    }
    if (hpc()->TakeObjectByNumber())
        Zmena(&c);
    c.next();
    m_ePoradi->setFocus();
    m_ePoradi->selectAll();
}

void TfHP::ObjektVybran(int index)
{
    RowCache &c = hpc()->hp();
    if (index < 0 || c.currentRow() < 0 || !itemsEditable())
        return;
    c.setValue(QStringLiteral("OBJEKT"), m_cbObjekt->itemText(index));
    Zmena(&c);
}

void TfHP::TypVybran(int index)
{
    if (index < 0 || !itemsEditable() || hpc()->hp().currentRow() < 0) {
        showItemChoices();
        return;
    }
    if (hpc()->ChooseType(m_cbTyp->itemData(index).toInt()) < 0) {
        showItemChoices();
        return;
    }
    Zmena(&hpc()->hp());
    m_cbStav->setFocus();
}

void TfHP::StavVybran(int index)
{
    RowCache &c = hpc()->hp();
    if (index < 0 || !itemsEditable() || c.currentRow() < 0) {
        showItemChoices();
        return;
    }
    const QString popis = m_cbStav->itemData(index, LookupTextRole).toString();
    const int typ = m_cbStav->itemData(index).toInt();
    // a condition of the item's own type changes only the text
    hpc()->ChooseCondition(popis, typ);
    Zmena(&c);
    m_eVyrCis->setFocus();
}

void TfHP::PoziceVybrana(int index)
{
    if (index >= 0 && itemsEditable() && hpc()->hp().currentRow() >= 0) {
        hpc()->AddPosition(m_cbPozice->itemData(index).toString());
        Zmena(&hpc()->hp());
    }
    // the picker is empty for the next position
    m_cbPozice->setCurrentIndex(-1);
}

void TfHP::openCodeListEditor(CodeList list)
{
    CodeListEditor::showModal(list, this, controller()->dm());
    NaplnSeznamy();
}

// --- the serial-number search --------------------------------------------------------

void TfHP::HledatF3()
{
    m_hledat.clear();
    m_eHledat->clear();
    focusItemField(m_eHledat);
}

void TfHP::HledatZnak(const QString &text)
{
    m_hledat += text;
    showSearchResult();
}

void TfHP::HledatZpet()
{
    m_hledat.chop(1);
    showSearchResult();
}

void TfHP::HledatZrusit()
{
    m_hledat.clear();
    showSearchResult();
}

void TfHP::showSearchResult()
{
    QPalette palette = m_eHledat->palette();
    if (m_hledat.isEmpty()) {
        m_eHledat->clear();
        palette.setColor(QPalette::Text, Qt::black);
        m_eHledat->setPalette(palette);
        return;
    }
    RowCache &c = hpc()->hp();
    const int row = hpc()->FindItemBySerial(m_hledat);
    if (row < 0) {
        palette.setColor(QPalette::Text, Qt::red);
        m_eHledat->setPalette(palette);
        m_eHledat->setText(m_hledat);
        return;
    }
    c.setCurrentRow(row);
    palette.setColor(QPalette::Text, Qt::black);
    m_eHledat->setPalette(palette);
    m_eHledat->setText(c.value(row, QStringLiteral("VYRCIS")).toString());
    m_eHledat->setSelection(0, int(m_hledat.size()));
}

bool TfHP::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == m_eHledat) {
        // the grid shows which column is searched
        const int row = hpc()->hp().currentRow();
        if (row >= 0)
            m_dbgHP->setCurrentIndex(m_model->index(row, m_model->columnOfField(QStringLiteral("VYRCIS"))));
    }
    if (event->type() != QEvent::KeyPress)
        return TfEditForm::eventFilter(watched, event);
    auto *k = static_cast<QKeyEvent *>(event);

    if (watched == m_eHledat) {
        if (isEnter(k)) {
            m_cbStav->setFocus();
        } else if (k->key() == Qt::Key_Backspace) {
            HledatZpet();
        } else if (k->key() == Qt::Key_Escape) {
            HledatZrusit();
        } else if (!k->text().isEmpty() && k->text().at(0).isPrint()
                   && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            HledatZnak(k->text());
        } else {
            return false;   // Tab, arrows and shortcuts go on as usual
        }
        return true;
    }
    if (watched == m_eCisPro && isEnter(k)) {
        CisloEnter();
        return true;
    }
    if (watched == m_ePoradi && isEnter(k)) {
        PoradiEnter();
        return true;
    }
    if (watched == m_cbPozn && isEnter(k)) {
        fields().flush();
        m_cbObjekt->setFocus();
        return true;
    }
    if (watched == m_cbOprText && isEnter(k)) {
        fields().flush();
        const QString text = m_cbOprText->currentText().trimmed();
        if (!text.isEmpty() && m_cbOprText->findText(text) < 0 && editable()) {
            if (hpc()->AddRefinementText(text) < 0)
                Prompt::warning(hpc()->lastError(), QStringLiteral("Upřesnění stavu"));
            else
                NaplnSeznamy();
        }
        Dalsi();
        return true;
    }
    if (watched == m_dbgHP && k->key() == Qt::Key_Delete && (k->modifiers() & Qt::ControlModifier))
        return true;   // items go only through "Smazat HP"
    return TfEditForm::eventFilter(watched, event);
}

void TfHP::keyPressEvent(QKeyEvent *event)
{
    // Enter posts the item as leaving it does: its mark and year show at once
    if (isEnter(event)) {
        fields().flush();
        hpc()->PostCurrentItem();
    }
    TfEditForm::keyPressEvent(event);
}

int TfHP::StoreLock(bool locked)
{
    const int r = storeHeaderLock(locked);
    if (r != 0)
        Prompt::error(QStringLiteral("Uložení hodnot"), windowTitle());
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

bool OtevriKontroluHP(TfHPC *controller, int key, QWidget *parent, int itemKey)
{
    return ShowEditWindow(controller, key, [&]() -> QDialog * {
        if (itemKey > 0)
            controller->hp().locate(QStringLiteral("UNCIS"), itemKey);
        return new TfHP(controller, parent);
    }, parent ? parent->windowTitle() : QString());
}
