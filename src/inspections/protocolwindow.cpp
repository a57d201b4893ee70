#include "inspections/protocolwindow.h"
#include "inspections/protocolc.h"
#include "commerce/dodaklink.h"
#include "customers/adrobjekty.h"
#include "customers/adresys.h"
#include "customers/nabcombo.h"
#include "widgets/dokradwindow.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "widgets/textedit.h"
#include "widgets/viewhelpers.h"
#include "core/format.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"

#include <QCheckBox>
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
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

bool isEnter(const QKeyEvent *k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier);
}

// A menu entry whose function comes later keeps still whatever the enabling says.
const char *const WaitingEntry = "waitsForItsFunction";

} // namespace

TfInspectionWindow::TfInspectionWindow(TfInspectionC *controller, const Texts &texts, QWidget *parent)
    : TfEditForm(parent)
    , m_texts(texts)
{
    setObjectName(QStringLiteral("f") + texts.kind);
    setWindowTitle(texts.title);
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
    m_pages->setObjectName(QStringLiteral("pc") + texts.kind);
    m_status = new QLabel(body());
    m_status->setObjectName(QStringLiteral("lStatus"));
    connect(controller, &TfInspectionC::statusText, m_status, &QLabel::setText);

    auto *f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, &TfInspectionWindow::HledatF3);
    auto *altN = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_N), this);
    connect(altN, &QShortcut::activated, this, [this] { Pridat(); });

    RowCache &h = *dsHla();
    connect(&h, &RowCache::reset, this, [this] { currentInspectionChanged(); });
    connect(&h, &RowCache::currentRowChanged, this, [this] { currentInspectionChanged(); });
    RowCache &items = controller->items();
    connect(&items, &RowCache::reset, this, [this] { showItemChoices(); RefreshEditActions(); });
    connect(&items, &RowCache::currentRowChanged, this, [this] { showItemChoices(); });
    connect(&items, &RowCache::rowChanged, this, [this](int row) {
        if (row == inspection()->items().currentRow())
            showItemChoices();
    });
    connect(&items, &RowCache::rowInserted, this, [this] { RefreshEditActions(); });
    connect(&items, &RowCache::rowRemoved, this, [this] { RefreshEditActions(); });
}

TfInspectionC *TfInspectionWindow::inspection() const
{
    return static_cast<TfInspectionC *>(controller());
}

bool TfInspectionWindow::skipsNextCheck() const
{
    return inspection()->skipsNextDateCheck();
}

int TfInspectionWindow::ownerPriceList() const
{
    return inspection()->ownerPriceList();
}

double TfInspectionWindow::ownerDiscount() const
{
    return inspection()->ownerDiscount();
}

bool TfInspectionWindow::editable() const
{
    return controller() && !controller()->readOnly() && dsHla() && dsHla()->currentRow() >= 0 && !isLocked();
}

bool TfInspectionWindow::itemsEditable() const
{
    return editable() && inspection()->CanHaveItems();
}

QToolButton *TfInspectionWindow::button(const QString &objectName, const QString &caption, QWidget *parent)
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

void TfInspectionWindow::layoutBody(QLayout *betweenHeaderAndPages)
{
    auto *layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildHeader());
    if (betweenHeaderAndPages)
        layout->addLayout(betweenHeaderAndPages);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_status);
}

QWidget *TfInspectionWindow::buildHeader()
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

    auto *cbStav = new QComboBox(panel);
    cbStav->setObjectName(QStringLiteral("cb") + m_texts.stateColumn.left(1) + m_texts.stateColumn.mid(1).toLower());
    const QStringList states = {QStringLiteral("Příprava"), QStringLiteral("Realizace"), QStringLiteral("Fakturováné"),
                                QStringLiteral("Uhrazeno"), QStringLiteral("Hotovo")};
    for (const QString &s : states)
        cbStav->addItem(s, s.left(1));
    fields().bind(cbStav, h, m_texts.stateColumn);

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
    connect(sbDokRad, &QToolButton::clicked, this, &TfInspectionWindow::KatalogRad);

    auto gate = [this] { return editable(); };
    auto picker = [&](const QString &name, const QString &mode, const QString &field) {
        auto *p = new NabCombo(panel);
        p->setObjectName(name);
        p->setAddressMode(mode);
        p->bindField(&h, field, gate);
        return p;
    };
    m_ncFirma = picker(QStringLiteral("ncFirma"), QStringLiteral("FIR"), QStringLiteral("UNCFIR"));
    connect(m_ncFirma, &NabCombo::OnVyber, this, &TfInspectionWindow::VlastnikVybran);
    QToolButton *sbAdresar = button(QStringLiteral("sbAdresar"), QStringLiteral("Adresář firem"), panel);
    connect(sbAdresar, &QToolButton::clicked, this, &TfInspectionWindow::AdresarFirem);

    m_ncStredisko = new NabCombo(panel);
    m_ncStredisko->setObjectName(QStringLiteral("ncStredisko"));
    m_ncStredisko->setAddressMode(QStringLiteral("STR"), [this] {
        return dsHla()->currentRow() >= 0 ? dsHla()->value(QStringLiteral("UNCFIR")).toInt() : 0;
    });
    m_ncStredisko->bindField(&h, QStringLiteral("UNCSTR"), gate);
    NabCombo *ncTechnik = picker(QStringLiteral("ncTechnik"), QStringLiteral("TEC"), QStringLiteral("UNCTECH"));
    NabCombo *ncTechnik2 = picker(QStringLiteral("ncTechnik2"), QStringLiteral("TEC"), QStringLiteral("UNCTECH2"));
    for (NabCombo *t : {m_ncStredisko, ncTechnik, ncTechnik2})
        connect(t, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    grid->addWidget(new QLabel(QStringLiteral("Datum"), panel), 0, 0);
    grid->addWidget(deDatum, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Stav "), panel), 0, 2);
    grid->addWidget(cbStav, 0, 3);
    grid->addWidget(cbPravid, 0, 4);
    grid->addWidget(new QLabel(m_texts.numberLabel, panel), 0, 5);
    auto *cislo = new QHBoxLayout;
    cislo->addWidget(m_eCisPro, 1);
    cislo->addWidget(sbDokRad);
    grid->addLayout(cislo, 0, 6);
    auto *lFirma = new QLabel(m_texts.ownerLabel, panel);
    lFirma->setBuddy(m_ncFirma);
    grid->addWidget(lFirma, 1, 0);
    grid->addWidget(m_ncFirma, 1, 1, 1, 5);
    grid->addWidget(sbAdresar, 1, 6, Qt::AlignLeft);
    auto *lStredisko = new QLabel(m_texts.siteLabel, panel);
    lStredisko->setBuddy(m_ncStredisko);
    grid->addWidget(lStredisko, 2, 0);
    grid->addWidget(m_ncStredisko, 2, 1, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Technik"), panel), 3, 0);
    grid->addWidget(ncTechnik, 3, 1, 1, 3);
    grid->addWidget(ncTechnik2, 3, 4, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(6, 1);

    m_headerEditors << deDatum << cbStav << cbPravid << m_eCisPro << sbDokRad << m_ncFirma->button()
                    << m_ncStredisko->button() << ncTechnik->button() << ncTechnik2->button();
    return panel;
}

QWidget *TfInspectionWindow::buildItemsPage(RowCacheModel *model, const QVector<int> &widths,
                                            const QList<QToolButton *> &extraButtons)
{
    const QString &kind = m_texts.kind;
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("ts") + kind);
    auto *layout = new QVBoxLayout(page);

    auto *buttons = new QHBoxLayout;
    QToolButton *sbPridat = button(QStringLiteral("sbPridat") + kind, QStringLiteral("Přidat ") + kind, page);
    QToolButton *sbOpakovat = button(QStringLiteral("sbOpakovat") + kind, QStringLiteral("Opakovat ") + kind, page);
    QToolButton *sbSmazat = button(QStringLiteral("sbSmazat") + kind, QStringLiteral("Smazat ") + kind, page);
    QToolButton *sbVys = button(QStringLiteral("sbVys"), QStringLiteral("Přesun řádku výš"), page);
    QToolButton *sbNiz = button(QStringLiteral("sbNiz"), QStringLiteral("Přesun řádku níž"), page);
    connect(sbPridat, &QToolButton::clicked, this, [this] { Pridat(); });
    connect(sbOpakovat, &QToolButton::clicked, this, [this] { Opakovat(); });
    connect(sbSmazat, &QToolButton::clicked, this, [this] { Smazat(); });
    connect(sbVys, &QToolButton::clicked, this, [this] { Presun(QLatin1Char('P')); });
    connect(sbNiz, &QToolButton::clicked, this, [this] { Presun(QLatin1Char('N')); });
    for (QToolButton *b : {sbPridat, sbOpakovat, sbSmazat, sbVys, sbNiz})
        buttons->addWidget(b);
    for (QToolButton *b : extraButtons) {
        b->setParent(page);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    m_model = model;
    m_grid = new QTableView(page);
    m_grid->setObjectName(QStringLiteral("dbg") + kind);
    m_grid->setModel(m_model);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < widths.size(); ++c)
        m_grid->setColumnWidth(c, widths.at(c));
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { RaditPodleSloupce(column); });
    m_grid->installEventFilter(this);
    followCurrentRow(m_grid, m_model);
    watchItemGrid(m_model, m_grid);
    layout->addWidget(m_grid, 1);

    m_itemEditors << sbOpakovat << sbSmazat << sbVys << sbNiz;
    m_itemTools << sbPridat;
    m_itemsPage = page;
    m_itemPages << page;
    return page;
}

void TfInspectionWindow::setItemPanel(QWidget *page, QWidget *panel)
{
    page->layout()->addWidget(panel);
}

QHBoxLayout *TfInspectionWindow::buildObjectRow(QWidget *panel)
{
    m_ePoradi = new QLineEdit(panel);
    m_ePoradi->setObjectName(QStringLiteral("ePoradi"));
    fields().bind(m_ePoradi, inspection()->items(), QStringLiteral("PORADI"));
    installKeyFilter(m_ePoradi, KeyFilter::ZadejIntX);
    m_ePoradi->installEventFilter(this);
    m_ePoradi->setMaximumWidth(60);
    m_cbObjekt = new QComboBox(panel);
    m_cbObjekt->setObjectName(QStringLiteral("cbObjekt"));
    m_cbObjekt->setInsertPolicy(QComboBox::NoInsert);
    connect(m_cbObjekt, qOverload<int>(&QComboBox::activated), this, &TfInspectionWindow::ObjektVybran);
    QToolButton *sbKatObjektu = button(QStringLiteral("sbKatObjektu"), QStringLiteral("Katalog objektů"), panel);
    connect(sbKatObjektu, &QToolButton::clicked, this, [this] {
        TfAdrObjekty editor(this, dsHla()->value(QStringLiteral("UNCFIR")).toInt(), controller()->dm());
        if (editor.isCreated())
            Prompt::runModal(&editor);
        NactiObjekty();
    });
    m_itemEditors << m_ePoradi << m_cbObjekt << sbKatObjektu;
    auto *row = new QHBoxLayout;
    row->addWidget(m_ePoradi);
    row->addWidget(m_cbObjekt, 1);
    row->addWidget(sbKatObjektu);
    return row;
}

QLineEdit *TfInspectionWindow::buildSearchBox(QWidget *panel)
{
    m_eHledat = new QLineEdit(panel);
    m_eHledat->setObjectName(QStringLiteral("eHledat"));
    m_eHledat->setPlaceholderText(m_texts.searchCaption);
    m_eHledat->setToolTip(m_texts.searchCaption);
    m_eHledat->installEventFilter(this);
    return m_eHledat;
}

QWidget *TfInspectionWindow::buildTextPage(const QString &objectName, const QString &field, const QString &buttonName,
                                           const QString &buttonCaption, const QString &caption)
{
    auto *page = new QWidget;
    page->setObjectName(objectName);
    auto *layout = new QVBoxLayout(page);
    auto *text = new QTextEdit(page);
    text->setObjectName(QStringLiteral("m") + field.left(1) + field.mid(1).toLower());
    fields().bind(text, *dsHla(), field);
    m_headerEditors << text;
    QToolButton *edit = button(buttonName, buttonCaption, page);
    connect(edit, &QToolButton::clicked, this, [this, field, caption] { editText(field, caption); });
    auto *row = new QHBoxLayout;
    row->addWidget(edit);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(text, 1);
    return page;
}

QWidget *TfInspectionWindow::buildSummaryPage(const QString &objectName, const QString &field,
                                             const QString &buttonName, const QString &buttonCaption,
                                             const QString &caption, const QString &countColumn,
                                             const QString &countCaption)
{
    QWidget *page = buildTextPage(objectName, field, buttonName, buttonCaption, caption);
    auto *summary = new QGridLayout;
    static_cast<QBoxLayout *>(page->layout())->addLayout(summary);
    auto number = [&](const QString &name, const QString &column, const QString &numberCaption, int at,
                      bool readOnly, DisplayFormat format) {
        auto *e = new QLineEdit(page);
        e->setObjectName(name);
        e->setReadOnly(readOnly);
        fields().bind(e, *dsHla(), column, format);
        if (!readOnly) {
            installKeyFilter(e, KeyFilter::ZadejFlo);
            m_headerEditors << e;
        }
        summary->addWidget(new QLabel(numberCaption, page), 0, at);
        summary->addWidget(e, 0, at + 1);
    };
    number(QStringLiteral("ePoc") + m_texts.kind, countColumn, countCaption, 0, true, DisplayFormat::Integer);
    number(QStringLiteral("eCasNar"), QStringLiteral("CASNAR"), QStringLiteral("Časová náročnost"), 2, false,
           DisplayFormat::Quantity);
    number(QStringLiteral("eCena"), QStringLiteral("CENA"), QStringLiteral("Cena"), 4, false, DisplayFormat::Money);
    return page;
}

QAction *TfInspectionWindow::menuEntry(QMenu *menu, const QString &objectName, const QString &caption,
                                       std::function<void()> run, const QKeySequence &keys)
{
    auto *a = menu->addAction(caption);
    a->setObjectName(objectName);
    if (!keys.isEmpty())
        a->setShortcut(keys);
    if (run) {
        connect(a, &QAction::triggered, this, [run] { run(); });
    } else {
        a->setEnabled(false);   // an entry that waits for its function does not pretend to have one
        a->setProperty(WaitingEntry, true);
    }
    m_menuActions << a;
    return a;
}

QAction *TfInspectionWindow::menuAction(const QString &objectName) const
{
    for (QAction *a : m_menuActions)
        if (a->objectName() == objectName)
            return a;
    return action(objectName);
}

QMenu *TfInspectionWindow::buildMenuBar()
{
    const QString &kind = m_texts.kind;
    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("mm") + kind);
    layout()->setMenuBar(m_menu);

    QMenu *protokol = m_menu->addMenu(QStringLiteral("Protokol"));
    protokol->setObjectName(QStringLiteral("miProtokol"));
    for (const char *name : {"cNovy", "cOpakuj", "cSmaz", "cUloz", "cZpet", "ZamknoutOdemknout"})
        protokol->addAction(action(QString::fromLatin1(name)));

    QMenu *items = m_menu->addMenu(kind);
    items->setObjectName(QStringLiteral("mi") + kind);
    menuEntry(items, QStringLiteral("miPridat") + kind, QStringLiteral("Přidat nový"), [this] { Pridat(); },
              QKeySequence(Qt::Key_Insert));
    menuEntry(items, QStringLiteral("miOpakovat") + kind, QStringLiteral("&Opakovat"), [this] { Opakovat(); },
              QKeySequence(Qt::ALT | Qt::Key_O));
    menuEntry(items, QStringLiteral("miVlozit") + kind, QStringLiteral("&Vložit nový"), [this] { VlozitNovy(); });
    menuEntry(items, QStringLiteral("miSmazat") + kind, QStringLiteral("Smazat ") + kind, [this] { Smazat(); });
    return items;
}

void TfInspectionWindow::addSortEntry(QMenu *menu)
{
    menuEntry(menu, QStringLiteral("miRaditZapis"), QStringLiteral("Řadit podle pořadí zápisu"),
              [this] { RaditPodlePoradiZapisu(); });
}

void TfInspectionWindow::addKonec()
{
    QAction *konec = m_menu->addAction(QStringLiteral("Konec"));
    konec->setObjectName(QStringLiteral("miKonec"));
    connect(konec, &QAction::triggered, this, &TfInspectionWindow::cKonec);
    m_menuActions << konec;
}

// --- showing ---------------------------------------------------------------------------

void TfInspectionWindow::showEvent(QShowEvent *event)
{
    inspection()->setSkipNextDateCheck(false);
    TfEditForm::showEvent(event);
}

void TfInspectionWindow::NactiObjekty()
{
    if (!m_cbObjekt)
        return;
    bool ok = false;
    fillLookupCombo(m_cbObjekt, inspection()->OwnerObjects(&ok));
    if (!ok) {
        Prompt::warning(QStringLiteral("Otevření tabulek 1 !"), QStringLiteral("Chyba"));
        return;
    }
    showItemChoices();
}

void TfInspectionWindow::currentInspectionChanged()
{
    // the bound pickers show the new row themselves; the owner's terms and objects are
    // read again only when the owner is another (every save reads the record again)
    if (inspection()->FollowOwner() && m_cbObjekt)
        NactiObjekty();
}

void TfInspectionWindow::showItemChoices()
{
    if (!m_cbObjekt)
        return;
    RowCache &c = inspection()->items();
    m_cbObjekt->setCurrentIndex(
        c.currentRow() >= 0 ? m_cbObjekt->findText(c.value(QStringLiteral("OBJEKT")).toString().trimmed()) : -1);
}

// --- enabling ------------------------------------------------------------------------

void TfInspectionWindow::AfterRefreshEditActions()
{
    if (!m_grid)
        return;
    TfInspectionC *c = inspection();
    const bool header = editable();
    const bool canItems = c->CanHaveItems();
    const bool items = header && canItems;
    const bool hasItems = c->items().rowCount() > 0;
    const bool hasCurrent = c->items().currentRow() >= 0;

    for (QWidget *page : m_itemPages) {
        m_pages->setTabEnabled(m_pages->indexOf(page), canItems);
        page->setEnabled(canItems);
    }
    if (!canItems && m_itemPages.contains(m_pages->currentWidget()))
        for (int i = 0; i < m_pages->count(); ++i)
            if (m_pages->isTabEnabled(i)) {
                m_pages->setCurrentIndex(i);
                break;
            }
    for (QWidget *w : m_headerEditors)
        w->setEnabled(header);
    for (QWidget *w : m_itemEditors)
        w->setEnabled(items && hasCurrent);
    for (QWidget *w : m_itemTools)
        w->setEnabled(items);
    // the search only reads
    if (m_eHledat)
        m_eHledat->setEnabled(hasItems);

    auto enable = [this](const QString &name, bool on) {
        QAction *a = menuAction(name);
        if (a && !a->property(WaitingEntry).toBool())
            a->setEnabled(on);
    };
    const QString &kind = m_texts.kind;
    enable(QStringLiteral("miPridat") + kind, items);
    enable(QStringLiteral("miVlozit") + kind, items);
    enable(QStringLiteral("miOpakovat") + kind, items && hasCurrent);
    enable(QStringLiteral("miSmazat") + kind, items && hasCurrent);
    enable(QStringLiteral("miRaditZapis"), hasItems);
    enable(QStringLiteral("miOtevritDL"), header);
    enable(QStringLiteral("miOdpojitDL"), header && dsHla()->value(QStringLiteral("UNCDOD")).toInt() != 0);
    refreshKindActions(header, items, hasItems, hasCurrent);
}

// --- the document ----------------------------------------------------------------------

int TfInspectionWindow::BeforeEditNew()
{
    inspection()->PresetNewInspection();
    return 0;
}

int TfInspectionWindow::AfterEditNew()
{
    currentInspectionChanged();
    return 0;
}

int TfInspectionWindow::BeforeEditSave()
{
    return inspection()->CheckBeforeNextSave() < 0 ? -1 : 0;
}

int TfInspectionWindow::Zkopirovat()
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
    const int newKey = inspection()->CarryForward(key);
    setChanged(controller()->isModified());
    RefreshEditActions();
    currentInspectionChanged();
    return newKey > 0 ? 0 : newKey;
}

int TfInspectionWindow::OtevritDL()
{
    const int result = OtevritDodaciList(controller(), this);
    setChanged(controller()->isModified());
    RefreshEditActions();
    return result;
}

int TfInspectionWindow::OdpojitDL()
{
    if (!editable() || dsHla()->value(QStringLiteral("UNCDOD")).toInt() == 0)
        return -1;
    if (Prompt::question(QStringLiteral("Chcete odpojit dodací list od této kontroy?"), QStringLiteral("Odpojení DL"))
        != PromptYes)
        return 1;
    if (inspection()->UnlinkDeliveryNote() < 0) {
        Prompt::warning(inspection()->lastError(), QStringLiteral("Odpojení DL"));
        return -1;
    }
    setChanged(controller()->isModified());
    RefreshEditActions();
    return 0;
}

int TfInspectionWindow::TiskUlozeneho(const std::function<int(int key)> &print)
{
    if (dsHla()->currentRow() < 0)
        return -1;
    // the document prints what is stored: what is on the screen is stored first
    if (isChanged()) {
        const int r = cUloz();
        if (r != 0)
            return r;
    }
    return print(dsHla()->value(QStringLiteral("UNCIS")).toInt());
}

void TfInspectionWindow::CisloEnter()
{
    fields().flush();
    if (editable() && inspection()->TakeNumberOfSeries())
        Zmena(dsHla());
    Dalsi();
}

void TfInspectionWindow::KatalogRad()
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

void TfInspectionWindow::AdresarFirem()
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

void TfInspectionWindow::VlastnikVybran()
{
    inspection()->OwnerChosen();
    m_ncStredisko->refresh();
    NactiObjekty();
    Zmena(dsHla());
}

void TfInspectionWindow::editText(const QString &field, const QString &caption)
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

int TfInspectionWindow::StoreLock(bool locked)
{
    const int r = storeHeaderLock(locked);
    if (r != 0)
        Prompt::error(QStringLiteral("Uložení hodnot"), windowTitle());
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

// --- the items -------------------------------------------------------------------------

void TfInspectionWindow::focusItemField(QWidget *field)
{
    m_pages->setCurrentWidget(m_itemsPage);
    if (field && field->isEnabled())
        field->setFocus();
}

int TfInspectionWindow::Pridat()
{
    if (!itemsEditable()) {
        Prompt::beep();
        return -1;
    }
    const QString &kind = m_texts.kind;
    emit inspection()->statusText(QStringLiteral("Založení ") + kind + QStringLiteral(" ..."));
    const int key = inspection()->AddItem();
    emit inspection()->statusText(QString());
    if (key <= 0) {
        Prompt::warning(kind + QStringLiteral(" nebyl přidán"), QStringLiteral("Přidání nového ") + kind);
        return -1;
    }
    Zmena(&inspection()->items());
    focusItemField(itemEntryField());
    return key;
}

int TfInspectionWindow::Opakovat()
{
    if (!itemsEditable() || inspection()->items().currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    const int key = inspection()->RepeatItem();
    if (key <= 0) {
        Prompt::warning(m_texts.kind + QStringLiteral(" nebyl přidán"),
                        QStringLiteral("Přidání opakovaného ") + m_texts.kind);
        return -1;
    }
    Zmena(&inspection()->items());
    focusItemField(itemEntryField());
    return key;
}

int TfInspectionWindow::VlozitNovy()
{
    if (!itemsEditable()) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(QStringLiteral("Vložit ") + m_texts.kind + QStringLiteral(" a uložit změny?"),
                         QStringLiteral("Pozor"))
        != PromptYes) {
        // declined all the same, the next save does not check the dates
        inspection()->setSkipNextDateCheck(true);
        return 1;
    }
    fields().flush();
    const int key = inspection()->InsertItemAtCurrent();
    setChanged(controller()->isModified());
    RefreshEditActions();
    if (key <= 0)
        return -1;
    focusItemField(itemEntryField());
    return key;
}

int TfInspectionWindow::Smazat()
{
    if (!itemsEditable() || inspection()->items().currentRow() < 0) {
        Prompt::beep();
        return -1;
    }
    if (Prompt::question(m_texts.deleteQuestion, QStringLiteral("Pozor")) != PromptYes)
        return 1;
    if (inspection()->DeleteCurrentItem() < 0) {
        Prompt::warning(m_texts.kind + QStringLiteral(" nebyl smazán"), QStringLiteral("Smazání ") + m_texts.kind);
        return -1;
    }
    Zmena(&inspection()->items());
    return 0;
}

int TfInspectionWindow::Presun(QChar direction)
{
    if (!itemsEditable() || inspection()->items().currentRow() < 0)
        return -1;
    fields().flush();
    const int r = inspection()->MoveItem(direction);
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

int TfInspectionWindow::RaditPodleSloupce(int column)
{
    if (column < 0 || column >= m_texts.titleOrders.size() || !controller())
        return -1;
    if (!ConfirmLeave())
        return 1;
    const int r = inspection()->SortItems(m_texts.titleOrders.at(column));
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

int TfInspectionWindow::RaditPodlePoradiZapisu()
{
    return RaditPodleSloupce(int(m_texts.titleOrders.size()) - 1);
}

void TfInspectionWindow::PoradiEnter()
{
    RowCache &c = inspection()->items();
    fields().flush();
    // only an item being typed in goes on to the next one; otherwise Enter moves on as
    // in every other field
    if (!itemsEditable() || !inspection()->ItemBeingEdited()) {
        Dalsi();
        return;
    }
    if (inspection()->TakeObjectByNumber())
        Zmena(&c);
    c.next();
    m_ePoradi->setFocus();
    m_ePoradi->selectAll();
}

void TfInspectionWindow::ObjektVybran(int index)
{
    RowCache &c = inspection()->items();
    if (index < 0 || c.currentRow() < 0 || !itemsEditable())
        return;
    c.setValue(QStringLiteral("OBJEKT"), m_cbObjekt->itemText(index));
    Zmena(&c);
}

// --- the search box ----------------------------------------------------------------------

void TfInspectionWindow::HledatF3()
{
    m_hledat.clear();
    m_eHledat->clear();
    focusItemField(m_eHledat);
}

void TfInspectionWindow::HledatZnak(const QString &text)
{
    m_hledat += text;
    showSearchResult();
}

void TfInspectionWindow::HledatZpet()
{
    m_hledat.chop(1);
    showSearchResult();
}

void TfInspectionWindow::HledatZrusit()
{
    m_hledat.clear();
    showSearchResult();
}

void TfInspectionWindow::showSearchResult()
{
    QPalette palette = m_eHledat->palette();
    if (m_hledat.isEmpty()) {
        m_eHledat->clear();
        palette.setColor(QPalette::Text, Qt::black);
        m_eHledat->setPalette(palette);
        return;
    }
    RowCache &c = inspection()->items();
    const int row = inspection()->FindItem(m_texts.searchColumn, m_hledat);
    if (row < 0) {
        palette.setColor(QPalette::Text, Qt::red);
        m_eHledat->setPalette(palette);
        m_eHledat->setText(m_hledat);
        return;
    }
    c.setCurrentRow(row);
    palette.setColor(QPalette::Text, Qt::black);
    m_eHledat->setPalette(palette);
    m_eHledat->setText(c.value(row, m_texts.searchColumn).toString());
    m_eHledat->setSelection(0, int(m_hledat.size()));
}

bool TfInspectionWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched == m_eHledat) {
        // the grid shows which column is searched
        const int row = inspection()->items().currentRow();
        if (row >= 0)
            m_grid->setCurrentIndex(m_model->index(row, m_model->columnOfField(m_texts.searchColumn)));
    }
    if (event->type() != QEvent::KeyPress)
        return TfEditForm::eventFilter(watched, event);
    auto *k = static_cast<QKeyEvent *>(event);

    if (watched == m_eHledat) {
        if (isEnter(k)) {
            if (QWidget *next = searchDoneField())
                next->setFocus();
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
    if (watched == m_grid && k->key() == Qt::Key_Delete && (k->modifiers() & Qt::ControlModifier))
        return true;   // items go only through the delete button and entry
    return TfEditForm::eventFilter(watched, event);
}

void TfInspectionWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter posts the item as leaving it does: what the kind derives shows at once
    if (isEnter(event)) {
        fields().flush();
        inspection()->PostCurrentItem();
    }
    TfEditForm::keyPressEvent(event);
}
