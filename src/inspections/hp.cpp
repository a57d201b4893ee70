#include "inspections/hp.h"
#include "commerce/doddil.h"
#include "inspections/hpc.h"
#include "inspections/dilnadialogs.h"
#include "widgets/codelists.h"
#include "widgets/exportwindows.h"
#include "widgets/keyfilters.h"
#include "widgets/lookupcombo.h"
#include "core/format.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"
#include "widgets/viewhelpers.h"
#include "inspections/protocolpreview.h"

#include <QColor>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
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
    : TfInspectionWindow(controller,
                         {QStringLiteral("HP"), QStringLiteral("Kontroly HP"), QStringLiteral("FAKTURA"),
                          QStringLiteral("Vlastník HP"), QStringLiteral("Umístění HP"), QStringLiteral("Číslo"),
                          QStringLiteral("Smazat tento HP?"), QStringLiteral("VYRCIS"),
                          QStringLiteral("Hledat číslo (F3)"), TitleOrders},
                         parent)
{
    auto *model = new HPItemModel(&controller->hp(), this);
    model->addColumn(QStringLiteral("PORADI"), QStringLiteral("P.O."), false);
    model->addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Objekt"), false);
    model->addColumn(QStringLiteral("MISTO"), QStringLiteral("Umístění"));
    model->addColumn(QStringLiteral("HP"), QStringLiteral("Typ HP"), false);
    model->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"), false);
    model->addColumn(QStringLiteral("VYRCIS"), QStringLiteral("Vyr. číslo"));
    model->addColumn(QStringLiteral("POSDIL"), QStringLiteral("P.D.Z."));
    model->addColumn(QStringLiteral("STAV"), QStringLiteral("Stav HP"), false);
    // the spare parts and work of an item come with the delivery notes; until then the
    // button does nothing and says so by being disabled
    QToolButton *sbND = button(QStringLiteral("sbND"), QStringLiteral("Náhradní díly a práce"));
    connect(sbND, &QToolButton::clicked, this, [this] { NahradniDily(); });
    QWidget *items = buildItemsPage(model, {40, 140, 180, 120, 110, 110, 60, 160}, {sbND});
    setItemPanel(items, buildItemPanel());
    pages()->addTab(items, QStringLiteral("Hasicí přístoje"));
    pages()->addTab(buildTextPage(QStringLiteral("tsZahlavi"), QStringLiteral("POZN"), QStringLiteral("sbZahlavi"),
                                  QStringLiteral("Záhlaví do tisku"), QStringLiteral("Editace záhlaví")),
                    QStringLiteral("Záhlaví"));
    pages()->addTab(buildSummaryPage(QStringLiteral("tsZapati"), QStringLiteral("ZAPATI"), QStringLiteral("sbZapati"),
                                     QStringLiteral("Zápatí do tisku"), QStringLiteral("Editace zápatí"),
                                     QStringLiteral("POCHP"), QStringLiteral("Počet HP")),
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
    layoutBody(markers);
    buildMenus();

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

QWidget *TfHP::itemEntryField() const
{
    return m_cbUmisteni;
}

QWidget *TfHP::searchDoneField() const
{
    return m_cbStav;
}

// --- building ------------------------------------------------------------------------

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

    QLineEdit *eHledat = buildSearchBox(panel);

    auto catalogue = [&](const QString &name, const QString &caption, std::function<void()> run) {
        QToolButton *b = button(name, caption, panel);
        connect(b, &QToolButton::clicked, this, std::move(run));
        addItemTool(b);
        return b;
    };
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Objekt"), panel), row, 0);
    grid->addLayout(buildObjectRow(panel), row, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Hledat číslo (F3)"), panel), row, 4);
    grid->addWidget(eHledat, row++, 5);

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

    for (QWidget *w : std::initializer_list<QWidget *>{m_cbUmisteni, m_cbPozice, m_cbTyp, m_eVyrCis, ePosDil, m_cbStav,
                                                        m_cbOprText, m_cbPozn, eNakStr})
        addItemEditor(w);
    // the tab order follows the work: object, location, type, condition, serial number
    setTabOrder(orderNumberField(), objectCombo());
    setTabOrder(objectCombo(), m_cbUmisteni);
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

void TfHP::buildMenus()
{
    QMenu *hp = buildMenuBar();
    menuEntry(hp, QStringLiteral("miND"), QStringLiteral("Náhradní &díly a práce"), [this] { NahradniDily(); });
    addSortEntry(hp);

    QMenu *dilna = menuBar()->addMenu(QStringLiteral("Dílna"));
    dilna->setObjectName(QStringLiteral("miDilna"));
    menuEntry(dilna, QStringLiteral("miPropojit"), QStringLiteral("&Propojit s dílnou"), [this] { PropojitSDilnou(); });
    QMenu *dodaci = menuBar()->addMenu(QStringLiteral("Dodací list"));
    dodaci->setObjectName(QStringLiteral("miDodaciList"));
    menuEntry(dodaci, QStringLiteral("miOtevritDL"), QStringLiteral("Otevřít"), [this] { OtevritDL(); });
    menuEntry(dodaci, QStringLiteral("miOdpojitDL"), QStringLiteral("Odpojit"), [this] { OdpojitDL(); });
    QMenu *tisk = menuBar()->addMenu(QStringLiteral("Tisk"));
    tisk->setObjectName(QStringLiteral("miTisk"));
    menuEntry(tisk, QStringLiteral("miTiskKontrola"), QStringLiteral("Doklad o kontrole HP"),
              [this] { TiskDokladu(HPDocument::Kontrola); });
    menuEntry(tisk, QStringLiteral("miTiskVyrazeni"), QStringLiteral("Doklad o vyřazení HP"),
              [this] { TiskDokladu(HPDocument::Vyrazeni); });
    menuEntry(tisk, QStringLiteral("miTiskDilna"), QStringLiteral("Doklad o dílenské kontrole HP"),
              [this] { TiskDokladu(HPDocument::Dilna); });
    addDesignEntry(tisk,
                   {{QStringLiteral("Doklad o kontrole HP"), HPPrint::designWindow(HPDocument::Kontrola)},
                    {QStringLiteral("Doklad o vyřazení HP"), HPPrint::designWindow(HPDocument::Vyrazeni)},
                    {QStringLiteral("Doklad o dílenské kontrole HP"), HPPrint::designWindow(HPDocument::Dilna)}},
                   this);
    menuEntry(tisk, QStringLiteral("miExport"), QStringLiteral("Export do Excelu"),
              [this] { ExportWindows::exportExcel(this, itemModel()); });
    addKonec();
}

void TfHP::NahradniDily()
{
    showSparePartsOfItem(hpc()->hp(), dsHla()->value(QStringLiteral("UNCIS")).toInt(), this);
}

// --- showing ---------------------------------------------------------------------------

void TfHP::showEvent(QShowEvent *event)
{
    if (!m_seznamyNacteny)
        NaplnSeznamy();
    PrepocitejZnacky();
    TfInspectionWindow::showEvent(event);
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

void TfHP::currentInspectionChanged()
{
    TfInspectionWindow::currentInspectionChanged();
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
    TfInspectionWindow::showItemChoices();
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

void TfHP::refreshKindActions(bool header, bool items, bool hasItems, bool hasCurrent)
{
    (void)items, (void)hasCurrent;
    if (QAction *a = menuAction(QStringLiteral("miND")))
        a->setEnabled(header);
    if (QAction *a = menuAction(QStringLiteral("miPropojit")))
        a->setEnabled(header && hasItems);
}

// --- the document ----------------------------------------------------------------------

int TfHP::PropojitSDilnou()
{
    TfHPC *c = hpc();
    if (!editable())
        return 1;
    commitPendingEdit(grid());
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

// --- the extinguishers ---------------------------------------------------------------

int TfHP::SmazatHP()
{
    const int r = Smazat();
    if (r == 0)
        PrepocitejZnacky();
    return r;
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

bool TfHP::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (watched == m_cbPozn && isEnter(k)) {
            fields().flush();
            objectCombo()->setFocus();
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
    }
    return TfInspectionWindow::eventFilter(watched, event);
}

bool OtevriKontroluHP(TfHPC *controller, int key, QWidget *parent, int itemKey)
{
    return ShowEditWindow(controller, key, [&]() -> QDialog * {
        if (itemKey > 0)
            controller->hp().locate(QStringLiteral("UNCIS"), itemKey);
        return new TfHP(controller, parent);
    }, parent ? parent->windowTitle() : QString());
}
