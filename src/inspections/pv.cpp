#include "inspections/pv.h"
#include "inspections/pvc.h"
#include "inspections/protocolpreview.h"
#include "inspections/protocolprint.h"
#include "widgets/codelists.h"
#include "widgets/exportwindows.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "widgets/viewhelpers.h"
#include "core/codelisttables.h"
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
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Legend = QStringLiteral(
    "  LEGENDA:   V - vyhovuje,   N - nevyhovuje,   O - opraveno obměněno,   X - nekontroluje se,   K - nelze kontrolovat");

// The captions of the item findings, in the order of TfPVC::findingColumns().
const QStringList FindingCaptions = {
    QStringLiteral("Označení místa"), QStringLiteral("Skříň"), QStringLiteral("Hadice"), QStringLiteral("Tlakoměr"),
    QStringLiteral("Tepelná ochrana"), QStringLiteral("Přístupnost"), QStringLiteral("Upevnění"),
    QStringLiteral("Úvazy a spony"), QStringLiteral("Protikorozní ochrana"), QStringLiteral("Viditelnost"),
    QStringLiteral("Výkyvné rameno"), QStringLiteral("Hadicová vodítka"), QStringLiteral("Víčko"),
    QStringLiteral("Protivibrační ochrana"), QStringLiteral("Návod k použití"), QStringLiteral("Naviják"),
    QStringLiteral("Proudnice"), QStringLiteral("Ventil"), QStringLiteral("Stav"), QStringLiteral("Odpovídá projektu"),
    QStringLiteral("Buben"), QStringLiteral("Průtok vody"), QStringLiteral("Půlspojka")};

// The captions of the coded header findings, in the order of
// TfPVC::headerFindingColumns().
const QStringList HeaderFindingCaptions = {
    QStringLiteral("Výtokové armatury a uzávěry"), QStringLiteral("Tepelná ochrana"),
    QStringLiteral("Protikorozní ocharana"), QStringLiteral("Protivibrační ochrana"), QStringLiteral("Pohotovost"),
    QStringLiteral("Napojení na el. rozvod"), QStringLiteral("Doba uved. do provozu")};

using Choice = QPair<QString, QString>;   // stored value, text shown

bool isEnter(const QKeyEvent *k)
{
    return (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && !(k->modifiers() & ~Qt::KeypadModifier);
}

} // namespace

const QStringList TfPV::TitleOrders = {
    QStringLiteral("poradi,uncpom"), QStringLiteral("poradi,uncpom"), QStringLiteral("misto"),
    QStringLiteral("typ"),           QStringLiteral("druh"),          QStringLiteral("vyrobce"),
    QStringLiteral("oznaceni"),      QStringLiteral("pretlak"),       QStringLiteral("vyhov"),
    QStringLiteral("uncpom")};

TfPV::TfPV(TfPVC *controller, QWidget *parent)
    : TfInspectionWindow(controller,
                         {QStringLiteral("PV"), QStringLiteral("Protokol o kontrole PV"), QStringLiteral("HOTOVO"),
                          QStringLiteral("Vlastník PV"), QStringLiteral("Umístění PV"), QStringLiteral("Číslo:"),
                          QStringLiteral("Smazat tento PV?"), QStringLiteral("OZNACENI"),
                          QStringLiteral("Hledat označení (F3)"), TitleOrders},
                         parent)
{
    auto *model = new RowCacheModel(&controller->pv(), this);
    model->addColumn(QStringLiteral("PORADI"), QStringLiteral("Po."), false);
    model->addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Objekt"), false);
    model->addColumn(QStringLiteral("MISTO"), QStringLiteral("Umístění"));
    model->addColumn(QStringLiteral("TYP"), QStringLiteral("Typ"), false);
    model->addColumn(QStringLiteral("DRUH"), QStringLiteral("Druh"), false);
    model->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"), false);
    model->addColumn(QStringLiteral("OZNACENI"), QStringLiteral("Označení"));
    model->addColumn(QStringLiteral("PRETLAK"), QStringLiteral("Tlak"), false);
    model->addColumn(QStringLiteral("VYHOV"), QStringLiteral("Vyhov."), false);
    QWidget *items = buildItemsPage(model, {40, 140, 160, 140, 70, 110, 110, 60, 50});
    auto *panel = new QTabWidget;
    panel->setObjectName(QStringLiteral("pcPolozka"));
    panel->addTab(buildDescription(), QStringLiteral("Popis PV"));
    panel->addTab(buildDetail(), QStringLiteral("Detail PV"));
    setItemPanel(items, panel);

    pages()->addTab(items, QStringLiteral("Požární vodovody"));
    pages()->addTab(buildBasicFindings(), QStringLiteral("Doplňky - základní"));
    QWidget *checks = buildChecks();
    addItemPage(checks);
    pages()->addTab(checks, QStringLiteral("Doplňky - uživatelské"));
    pages()->addTab(buildTextPage(QStringLiteral("tsZjisteno"), QStringLiteral("POZN"), QStringLiteral("sbZahlavi"),
                                  QStringLiteral("Zjištěný stav do tisku"), QStringLiteral("Editace záhlaví")),
                    QStringLiteral("Zjištěný stav"));
    pages()->addTab(buildSummaryPage(QStringLiteral("tsZaver"), QStringLiteral("ZAVER"), QStringLiteral("sbZaver"),
                                     QStringLiteral("Závěr do tisku"), QStringLiteral("Editace závěru"),
                                     QStringLiteral("POCPV"), QStringLiteral("Počet HP")),
                    QStringLiteral("Závěr a sumarizace"));
    layoutBody();
    buildMenus();

    resize(1000, 760);
    pvc()->FollowOwner(true);
    NactiObjekty();
    RefreshEditActions();
}

TfPVC *TfPV::pvc() const
{
    return static_cast<TfPVC *>(controller());
}

QWidget *TfPV::itemEntryField() const
{
    return orderNumberField();
}

QWidget *TfPV::checksGrid() const
{
    return m_dbgKontroly;
}

QLineEdit *TfPV::findingField(const QString &column) const
{
    const int i = int(TfPVC::findingColumns().indexOf(column.toUpper()));
    return i >= 0 && i < m_findings.size() ? m_findings.at(i) : nullptr;
}

// --- building ------------------------------------------------------------------------

QWidget *TfPV::buildDescription()
{
    RowCache &it = pvc()->pv();
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsPopisPV"));
    auto *grid = new QGridLayout(page);
    auto lineEdit = [&](const QString &name, const QString &field, bool readOnly = false) {
        auto *e = new QLineEdit(page);
        e->setObjectName(name);
        e->setReadOnly(readOnly);
        if (readOnly)
            e->setFocusPolicy(Qt::NoFocus);
        else
            addItemEditor(e);
        fields().bind(e, it, field);
        return e;
    };
    auto combo = [&](const QString &name, const QString &field) {
        auto *c = new QComboBox(page);
        c->setObjectName(name);
        c->setInsertPolicy(QComboBox::NoInsert);
        addItemEditor(c);
        if (!field.isEmpty()) {
            c->setEditable(true);
            fields().bind(c, it, field);
        }
        return c;
    };

    QLineEdit *eMisto = lineEdit(QStringLiteral("eMisto"), QStringLiteral("MISTO"));
    m_cbTyp = combo(QStringLiteral("cbTyp"), QString());
    connect(m_cbTyp, qOverload<int>(&QComboBox::activated), this, &TfPV::TypVybran);
    m_cbOznaceni = combo(QStringLiteral("cbOznaceni"), QStringLiteral("OZNACENI"));
    m_eTlak = lineEdit(QStringLiteral("ePretlak"), QStringLiteral("PRETLAK"));
    installKeyFilter(m_eTlak, KeyFilter::ZadejFlo);
    connect(m_eTlak, &QLineEdit::editingFinished, this, &TfPV::TlakOpusten);
    m_ePrutok = lineEdit(QStringLiteral("ePrutok"), QStringLiteral("PRUTOK"));
    installKeyFilter(m_ePrutok, KeyFilter::ZadejFlo);
    connect(m_ePrutok, &QLineEdit::textEdited, this, [this] { m_prutokPsan = true; });
    connect(m_ePrutok, &QLineEdit::editingFinished, this, &TfPV::PrutokOpusten);
    m_lJednotka = new QLabel(pvc()->flowUnit(), page);
    m_lJednotka->setObjectName(QStringLiteral("lJednotka"));
    m_lJednotka->setToolTip(QStringLiteral("Změna formátu průtoku"));
    m_lJednotka->setCursor(Qt::PointingHandCursor);
    m_lJednotka->installEventFilter(this);
    auto *lPrutokJed = new QLabel(page);
    lPrutokJed->setObjectName(QStringLiteral("lPrutokJed"));
    fields().bind(lPrutokJed, it, QStringLiteral("PRUTOKJED"));
    for (const char *name : {"cbVentil", "cbHadice", "cbProudnice"}) {
        const QString field = QString::fromLatin1(name).mid(2).toUpper();
        m_cbVybava << combo(QString::fromLatin1(name), field);
    }
    auto *deZkHadice = new QDateEdit(page);
    deZkHadice->setObjectName(QStringLiteral("deTlZkHad"));
    deZkHadice->setCalendarPopup(true);
    deZkHadice->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    fields().bind(deZkHadice, it, QStringLiteral("TLZKHAD"));
    addItemEditor(deZkHadice);
    auto *cbVyhov = new QCheckBox(QStringLiteral("Vyhovuje"), page);
    cbVyhov->setObjectName(QStringLiteral("cbVyhov"));
    fields().bind(cbVyhov, it, QStringLiteral("VYHOV"));
    addItemEditor(cbVyhov);

    int row = 0;
    auto add = [&](const QString &caption, QWidget *w, int column, int span = 1) {
        grid->addWidget(new QLabel(caption, page), row, column);
        grid->addWidget(w, row, column + 1, 1, span);
    };
    grid->addWidget(new QLabel(QStringLiteral("Objekt"), page), row, 0);
    grid->addLayout(buildObjectRow(page), row, 1, 1, 3);
    add(QStringLiteral("Hledat označení (F3)"), buildSearchBox(page), 4);
    ++row;
    add(QStringLiteral("Umístění"), eMisto, 0, 3);
    add(QStringLiteral("Označení"), m_cbOznaceni, 4);
    ++row;
    add(QStringLiteral("Typ"), m_cbTyp, 0, 3);
    add(QStringLiteral("Druh"), lineEdit(QStringLiteral("eDruh"), QStringLiteral("DRUH"), true), 4);
    ++row;
    add(QStringLiteral("Výrobce"), lineEdit(QStringLiteral("eVyrobce"), QStringLiteral("VYROBCE"), true), 0);
    add(QStringLiteral("Průměr"), lineEdit(QStringLiteral("eHubice"), QStringLiteral("HUBICE"), true), 2);
    add(QStringLiteral("Koef."), lineEdit(QStringLiteral("eKoef"), QStringLiteral("KOEF"), true), 4);
    ++row;
    add(QStringLiteral("Tlak"), m_eTlak, 0);
    add(QStringLiteral("Průtok"), m_ePrutok, 2);
    auto *unit = new QHBoxLayout;
    unit->addWidget(m_lJednotka);
    unit->addWidget(lPrutokJed, 1);
    grid->addLayout(unit, row, 4, 1, 2);
    ++row;
    add(QStringLiteral("Ventil"), m_cbVybava.at(0), 0);
    add(QStringLiteral("Hadice"), m_cbVybava.at(1), 2);
    add(QStringLiteral("Proudnice"), m_cbVybava.at(2), 4);
    ++row;
    add(QStringLiteral("Zk. hadice"), deZkHadice, 0);
    grid->addWidget(cbVyhov, row, 2, 1, 2);
    add(QStringLiteral("Nák. střed."), lineEdit(QStringLiteral("eNakStr"), QStringLiteral("NAKSTR")), 4);
    ++row;
    add(QStringLiteral("Poznámka"), lineEdit(QStringLiteral("ePozn"), QStringLiteral("POZN")), 0, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 1);
    return page;
}

QWidget *TfPV::buildDetail()
{
    RowCache &it = pvc()->pv();
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsDetailPV"));
    auto *layout = new QVBoxLayout(page);
    auto *buttons = new QHBoxLayout;
    QToolButton *sbKopie = button(QStringLiteral("sbZkopirovatVyplneni"), QStringLiteral("Zkopírovat vyplnění"), page);
    QToolButton *sbVlozit = button(QStringLiteral("sbVlozitVyplneni"), QStringLiteral("Vložit vyplnění z kopie"), page);
    connect(sbKopie, &QToolButton::clicked, this, &TfPV::ZkopirovatVyplneni);
    connect(sbVlozit, &QToolButton::clicked, this, &TfPV::VlozitVyplneni);
    addItemEditor(sbKopie);
    addItemEditor(sbVlozit);
    buttons->addWidget(sbKopie);
    buttons->addWidget(sbVlozit);
    buttons->addStretch();
    layout->addLayout(buttons);

    auto *grid = new QGridLayout;
    const QStringList &columns = TfPVC::findingColumns();
    const int perColumn = 8;
    for (int i = 0; i < columns.size(); ++i) {
        auto *e = new QLineEdit(page);
        e->setObjectName(QStringLiteral("e") + columns.at(i));
        e->setMaxLength(1);
        e->setMaximumWidth(32);
        e->setAlignment(Qt::AlignCenter);
        fields().bind(e, it, columns.at(i));
        e->installEventFilter(this);
        addItemEditor(e);
        m_findings << e;
        grid->addWidget(new QLabel(FindingCaptions.at(i), page), i % perColumn, (i / perColumn) * 2);
        grid->addWidget(e, i % perColumn, (i / perColumn) * 2 + 1);
    }
    layout->addLayout(grid);
    layout->addWidget(new QLabel(Legend, page));
    layout->addStretch();
    return page;
}

QWidget *TfPV::buildBasicFindings()
{
    RowCache &h = *dsHla();
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsDoplnkyZakladni"));
    auto *grid = new QGridLayout(page);
    int row = 0;
    auto choices = [&](const QString &caption, const QString &field, const QList<Choice> &values) {
        auto *c = new QComboBox(page);
        c->setObjectName(QStringLiteral("cb") + field.left(1) + field.mid(1).toLower());
        for (const Choice &v : values)
            c->addItem(v.second, v.first);
        fields().bind(c, h, field);
        addHeaderEditor(c);
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(c, row++, 1);
    };
    auto text = [&](const QString &caption, const QString &field) {
        auto *e = new QLineEdit(page);
        e->setObjectName(QStringLiteral("e") + field.left(1) + field.mid(1).toLower());
        fields().bind(e, h, field);
        addHeaderEditor(e);
        grid->addWidget(new QLabel(caption, page), row, 0);
        grid->addWidget(e, row++, 1);
    };
    // a finding shows its letter and stores what TfPVC maps it to
    auto finding = [&](const QString &caption, const QString &field) {
        QList<Choice> values;
        for (const char *letter : {"V", "N", "O", "X", "K"})
            values << Choice(TfPVC::storedFinding(field, QLatin1String(letter)), QLatin1String(letter));
        choices(caption, field, values);
    };

    choices(QStringLiteral("Typ zprávy"), QStringLiteral("TYPDOKL"),
            {{QString(), QString()}, {QStringLiteral("D"), QStringLiteral("Kontrola před předáním")},
             {QStringLiteral("P"), QStringLiteral("Provozní kontrola")}});
    choices(QStringLiteral("Technická dokumentace předložena"), QStringLiteral("TECDOK"),
            {{QStringLiteral("A"), QStringLiteral("byla")}, {QStringLiteral("N"), QStringLiteral("nebyla")},
             {QStringLiteral("X"), QStringLiteral("bez")}});
    choices(QStringLiteral("Předložen doklad tlakové zkoušky suchovodu"), QStringLiteral("TLAKZKSV"),
            {{QStringLiteral("A"), QStringLiteral("ANO")}, {QStringLiteral("N"), QStringLiteral("NE")},
             {QStringLiteral("X"), QStringLiteral("bez")}});
    text(QStringLiteral("Zdroj vody"), QStringLiteral("ZDROJVOD"));
    text(QStringLiteral("Požární nádrž"), QStringLiteral("POZNADRZ"));
    text(QStringLiteral("Přívodní potrubí"), QStringLiteral("PRIVPOT"));
    choices(QString(), QStringLiteral("PRIVPOTZAV"),
            {{QStringLiteral("T"), QStringLiteral("Zavodněné")}, {QStringLiteral("V"), QStringLiteral("Nezavodněné")}});
    finding(QStringLiteral("Stav přívodního potrubí"), QStringLiteral("PRIVPOTSTA"));
    choices(QStringLiteral("Druh rozvodu"), QStringLiteral("OZNMIS"),
            {{QStringLiteral("V"), QStringLiteral("Větvový")}, {QStringLiteral("O"), QStringLiteral("Okruhový")},
             {QStringLiteral("K"), QStringLiteral("Kombinovaný")}});
    for (int i = 0; i < TfPVC::headerFindingColumns().size(); ++i)
        finding(HeaderFindingCaptions.at(i), TfPVC::headerFindingColumns().at(i));
    choices(QStringLiteral("Čerpací zařízení"), QStringLiteral("POHCEN"),
            {{QStringLiteral("A"), QString()},
             {QStringLiteral("V"), QStringLiteral("jsou instalována a jsou funkční")},
             {QStringLiteral("N"), QStringLiteral("jsou instalována a jsou nevyhovující")},
             {QStringLiteral("X"), QStringLiteral("nekotrolována")},
             {QStringLiteral("K"), QStringLiteral("nelze zkontrolovat")}});
    auto *naskon = new QPlainTextEdit(page);
    naskon->setObjectName(QStringLiteral("mNaskon"));
    fields().bind(naskon, h, QStringLiteral("NASKON"));
    addHeaderEditor(naskon);
    grid->addWidget(new QLabel(QStringLiteral("Následná kontrola"), page), row, 0);
    grid->addWidget(naskon, row++, 1);
    grid->addWidget(new QLabel(Legend, page), row++, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return page;
}

QWidget *TfPV::buildChecks()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("tsDoplnkyUzivatelske"));
    auto *layout = new QVBoxLayout(page);
    auto *buttons = new QHBoxLayout;
    auto tool = [&](const QString &name, const QString &caption, std::function<void()> run) {
        QToolButton *b = button(name, caption, page);
        connect(b, &QToolButton::clicked, this, std::move(run));
        buttons->addWidget(b);
        m_checkTools << b;
        return b;
    };
    tool(QStringLiteral("sbDoplnitZPredlohy"), QStringLiteral("Doplnit z předlohy"), [this] { DoplnitZPredlohy(); });
    tool(QStringLiteral("sbPridatKontrolu"), QStringLiteral("Přidat novu"), [this] { PridatKontrolu(); });
    tool(QStringLiteral("sbUbratKontrolu"), QStringLiteral("Ubrat"), [this] { UbratKontrolu(); });
    tool(QStringLiteral("sbKatKontrol"), QStringLiteral("Katalog uživatelsky definovaných kontrol"),
         [this] { KatalogKontrol(); });
    buttons->addStretch();
    layout->addLayout(buttons);

    m_checksModel = new RowCacheModel(&pvc()->kontroly(), this);
    m_checksModel->addColumn(QStringLiteral("KONTROLA"), QStringLiteral("Popis kontroly"));
    m_checksModel->addColumn(QStringLiteral("STAV"), QStringLiteral("Zjištěný stav"));
    m_dbgKontroly = new QTableView(page);
    m_dbgKontroly->setObjectName(QStringLiteral("dbgKontroly"));
    m_dbgKontroly->setModel(m_checksModel);
    m_dbgKontroly->horizontalHeader()->setStretchLastSection(true);
    m_dbgKontroly->setColumnWidth(0, 480);
    m_dbgKontroly->installEventFilter(this);
    followCurrentRow(m_dbgKontroly, m_checksModel);
    watchItemGrid(m_checksModel, m_dbgKontroly);
    layout->addWidget(m_dbgKontroly, 1);
    layout->addWidget(new QLabel(Legend, page));
    return page;
}

void TfPV::buildMenus()
{
    QMenu *pv = buildMenuBar();
    addSortEntry(pv);
    QMenu *dodaci = menuBar()->addMenu(QStringLiteral("Dodací list"));
    dodaci->setObjectName(QStringLiteral("miDodaciList"));
    menuEntry(dodaci, QStringLiteral("miOtevritDL"), QStringLiteral("Otevřít"), [this] { OtevritDL(); });
    menuEntry(dodaci, QStringLiteral("miOdpojitDL"), QStringLiteral("Odpojit"), [this] { OdpojitDL(); });
    QMenu *tisk = menuBar()->addMenu(QStringLiteral("Tisk"));
    tisk->setObjectName(QStringLiteral("miTisk"));
    menuEntry(tisk, QStringLiteral("miTiskKontrola"), QStringLiteral("Doklad o kontrole PV"), [this] { TiskDokladu(); });
    addDesignEntry(tisk, {{QStringLiteral("Doklad o kontrole PV"), ProtocolPrint::hydrantDesignWindow()}}, this);
    menuEntry(tisk, QStringLiteral("miExport"), QStringLiteral("Export do Excelu"),
              [this] { ExportWindows::exportExcel(this, itemModel()); });
    addKonec();
}

int TfPV::TiskDokladu()
{
    return TiskUlozeneho([this](int key) { return TiskDokladuPV(key, controller()->dm(), this); });
}

// --- showing ---------------------------------------------------------------------------

void TfPV::showEvent(QShowEvent *event)
{
    if (!m_seznamyNacteny)
        NaplnSeznamy();
    TfInspectionWindow::showEvent(event);
}

bool TfPV::NaplnSeznamy()
{
    TfPVC *c = pvc();
    bool typy = false, oznaceni = false, vybava = false;
    fillLookupCombo(m_cbTyp, c->ItemChoices(TfPVC::TypChoices, &typy), QStringLiteral("  "));
    fillLookupCombo(m_cbOznaceni, c->ItemChoices(TfPVC::OznaceniChoices, &oznaceni));
    const QVector<LookupItem> equipment = c->ItemChoices(TfPVC::VybavChoices, &vybava);
    for (QComboBox *cb : m_cbVybava)
        fillLookupCombo(cb, equipment);
    if (!(typy && oznaceni && vybava)) {
        Prompt::warning(QStringLiteral("Otevření tabulek 1 !"), QStringLiteral("Chyba"));
        return false;
    }
    m_seznamyNacteny = true;
    NactiObjekty();
    fields().refresh();
    return true;
}

void TfPV::showItemChoices()
{
    if (!m_cbTyp || !m_lJednotka)
        return;
    RowCache &c = pvc()->pv();
    m_cbTyp->setCurrentIndex(c.currentRow() >= 0 ? m_cbTyp->findData(c.value(QStringLiteral("UNCCEN"))) : -1);
    m_lJednotka->setText(pvc()->flowUnit());
    TfInspectionWindow::showItemChoices();
}

// --- enabling ------------------------------------------------------------------------

int TfPV::OnEditChange(RowCache *source)
{
    (void)source;
    RefreshEditActions();
    return 0;
}

void TfPV::refreshKindActions(bool header, bool items, bool hasItems, bool hasCurrent)
{
    (void)header, (void)hasItems, (void)hasCurrent;
    for (QWidget *w : m_checkTools)
        w->setEnabled(items);
    if (QWidget *ubrat = findChild<QWidget *>(QStringLiteral("sbUbratKontrolu")))
        ubrat->setEnabled(items && pvc()->kontroly().currentRow() >= 0);
    m_dbgKontroly->setEditTriggers(items ? QAbstractItemView::AllEditTriggers : QAbstractItemView::NoEditTriggers);
}

// --- the hydrants ------------------------------------------------------------------------

void TfPV::TypVybran(int index)
{
    if (index < 0 || !itemsEditable() || pvc()->pv().currentRow() < 0
        || pvc()->ChooseType(m_cbTyp->itemData(index).toInt()) < 0) {
        showItemChoices();
        return;
    }
    Zmena(&pvc()->pv());
    m_cbOznaceni->setFocus();
}

void TfPV::TlakOpusten()
{
    if (!itemsEditable())
        return;
    fields().flush();
    if (pvc()->FlowFromPressure() == 0)
        Zmena(&pvc()->pv());
}

void TfPV::PrutokOpusten()
{
    if (!m_prutokPsan || !itemsEditable())
        return;
    m_prutokPsan = false;
    fields().flush();
    pvc()->FlowTyped();
    Zmena(&pvc()->pv());
}

void TfPV::JednotkaKlik()
{
    if (!itemsEditable() || pvc()->pv().currentRow() < 0)
        return;
    fields().flush();
    pvc()->ToggleFlowUnit();
    m_lJednotka->setText(pvc()->flowUnit());
    Zmena(&pvc()->pv());
}

bool TfPV::NalezZadan(const QString &column, QChar key)
{
    if (!itemsEditable() || !pvc()->TypeFinding(column, key))
        return false;
    Zmena(&pvc()->pv());
    const int i = int(TfPVC::findingColumns().indexOf(column.toUpper()));
    if (i + 1 < m_findings.size())
        m_findings.at(i + 1)->setFocus();
    else
        focusNextChild();
    return true;
}

void TfPV::ZkopirovatVyplneni()
{
    fields().flush();
    pvc()->CopyFindings();
}

void TfPV::VlozitVyplneni()
{
    if (itemsEditable() && pvc()->PasteFindings())
        Zmena(&pvc()->pv());
}

// --- the user-defined checks -------------------------------------------------------------

int TfPV::DoplnitZPredlohy()
{
    if (!itemsEditable())
        return -1;
    fields().flush();
    commitPendingEdit(m_dbgKontroly);
    // the inspection is saved with the checks: the check before saving runs first
    if (BeforeEditSave() < 0)
        return -1;
    const int r = pvc()->FillChecksFromCatalogue();
    setChanged(controller()->isModified());
    RefreshEditActions();
    return r;
}

int TfPV::PridatKontrolu()
{
    if (!itemsEditable())
        return -1;
    emit pvc()->statusText(QStringLiteral("Založení položky spoleného doplňku ..."));
    const int key = pvc()->AddCheck();
    emit pvc()->statusText(QString());
    if (key <= 0)
        return -1;
    Zmena(&pvc()->kontroly());
    m_dbgKontroly->setFocus();
    return key;
}

int TfPV::UbratKontrolu()
{
    if (!itemsEditable() || pvc()->kontroly().currentRow() < 0)
        return -1;
    if (Prompt::question(QStringLiteral("Smazat tento spoečný doplňek?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    TfClass::ItemTable &checks = pvc()->item(TfPVC::Kontroly);
    if (pvc()->DeleteItem(checks, 0, checks.table) < 0)
        return -1;
    Zmena(&pvc()->kontroly());
    return 0;
}

void TfPV::KatalogKontrol()
{
    CodeListEditor::showModal(CodeList::KatVodHKon, this, controller()->dm());
}

bool TfPV::StavKontrolyKlavesou(QChar key)
{
    RowCache &c = pvc()->kontroly();
    const QString state = TfPVC::checkStateOfKey(key);
    if (state.isEmpty() || c.currentRow() < 0 || !itemsEditable()
        || !c.value(QStringLiteral("STAV")).toString().trimmed().isEmpty())
        return false;
    c.setValue(QStringLiteral("STAV"), state);
    Zmena(&c);
    return true;
}

bool TfPV::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lJednotka && event->type() == QEvent::MouseButtonRelease) {
        JednotkaKlik();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        const bool typed = !k->text().isEmpty() && k->text().at(0).isPrint()
                           && !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (auto *field = qobject_cast<QLineEdit *>(watched); field && m_findings.contains(field) && typed) {
            NalezZadan(fields().fieldOf(field), k->text().at(0));
            return true;   // a key outside the five letters is ignored
        }
        if (watched == m_dbgKontroly && typed && !isEnter(k)
            && m_dbgKontroly->currentIndex().column() == m_checksModel->columnOfField(QStringLiteral("STAV"))
            && StavKontrolyKlavesou(k->text().at(0)))
            return true;
    }
    return TfInspectionWindow::eventFilter(watched, event);
}

bool OtevriKontroluPV(TfPVC *controller, int key, QWidget *parent)
{
    return ShowEditWindow(controller, key, [&]() -> QDialog * { return new TfPV(controller, parent); },
                          parent ? parent->windowTitle() : QString());
}
