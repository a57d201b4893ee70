#include "widgets/designers.h"

#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "reports/obectisk.h"
#include "templates/templatestore.h"
#include "widgets/obectiskd.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

using namespace Templates;

namespace {

QComboBox *newCombo(QWidget *parent, const QString &name, const QStringList &entries)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(entries);
    return combo;
}

QWidget *labelled(QWidget *parent, const QString &caption, QWidget *field)
{
    auto *w = new QWidget(parent);
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(caption, w));
    row->addWidget(field, 1);
    return w;
}

} // namespace

// --- ColumnDesigner ----------------------------------------------------------------------

ColumnDesigner::ColumnDesigner(const QString &window, int variant, const QString &aliasTables, DesignKind kind,
                               QWidget *parent)
    : QDialog(parent), m_window(window), m_variant(variant), m_aliasTables(aliasTables), m_kind(kind), m_dm(DM)
{
    setWindowFlags(Qt::Window);
    m_items = new DictionaryPanel(this);
    m_strip = new ColumnStrip(this);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lStav"));
    connect(m_strip, &ColumnStrip::statusChanged, m_status, &QLabel::setText);
    connect(m_strip, &ColumnStrip::selectionChanged, this, [this] { showSelectedColumn(); });
    connect(m_items, &DictionaryPanel::itemActivated, this, &ColumnDesigner::addSelectedItem);
    loadItems();
    resize(900, 600);
}

QString ColumnDesigner::status() const
{
    return m_status->text();
}

void ColumnDesigner::loadItems()
{
    QList<DictionaryItem> offered;
    TemplateStore(m_dm).offeredItems(m_aliasTables, m_kind, offered);
    m_items->setItems(parseAliasTables(m_aliasTables), offered);
}

void ColumnDesigner::setColumns(const QList<ReportColumn> &columns)
{
    m_strip->row().clear();
    m_strip->row().columns = columns;
    m_strip->rebuild();
}

void ColumnDesigner::addSelectedItem()
{
    const DictionaryItem *item = m_items->currentItem();
    if (!item)
        return;
    if (m_strip->row().addItem(*item) < 0) {
        Prompt::error(QStringLiteral("Existující položka"), QStringLiteral("Chyba"));
        return;
    }
    m_strip->rebuild();
}

void ColumnDesigner::addEmptyColumn()
{
    m_strip->row().addEmpty();
    m_strip->rebuild();
}

void ColumnDesigner::removeSelectedColumn()
{
    m_strip->row().removeSelected();
    m_strip->rebuild();
}

void ColumnDesigner::removeAllColumns()
{
    m_strip->row().clear();
    m_strip->rebuild();
}

// --- TfGS --------------------------------------------------------------------------------

TfGS::TfGS(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : TfGS(window, variant, aliasTables, false, parent)
{
}

TfGS::TfGS(const QString &window, int variant, const QString &aliasTables, bool document, QWidget *parent)
    : ColumnDesigner(window, variant, aliasTables, DesignKind::Report, parent)
{
    setObjectName(document ? QStringLiteral("fGSDok") : QStringLiteral("fGS"));
    setWindowTitle(document ? QStringLiteral("Tarko 8: Návrhář sestav") : QStringLiteral("Návrhář sestav"));
    m_bar = new DesignBar(QStringLiteral("sestava"),
                          {[this](QList<DesignEntry> &out) { return TemplateStore(m_dm).listReports(m_window, m_variant, out); },
                           [this](int key) { loadDesign(key); },
                           [this] {
                               ReportDesign d = design();
                               return TemplateStore(m_dm).saveReport(d);
                           },
                           [this](int key) { return TemplateStore(m_dm).deleteReport(key); }},
                          this);
    if (document)
        m_extraPage = new QWidget(this);
    build();
}

void TfGS::build()
{
    eNadp1 = new QLineEdit(this);
    eNadp1->setObjectName(QStringLiteral("eNadp1"));
    eNadp2 = new QLineEdit(this);
    eNadp2->setObjectName(QStringLiteral("eNadp2"));
    auto *orientation = new QGroupBox(QStringLiteral(" Orientace stránky  "), this);
    rbNaVysku = new QRadioButton(QStringLiteral("Na výšku"), orientation);
    rbNaVysku->setObjectName(QStringLiteral("rbNaVysku"));
    rbNaSirku = new QRadioButton(QStringLiteral("Na šířku"), orientation);
    rbNaSirku->setObjectName(QStringLiteral("rbNaSirku"));
    rbNaVysku->setChecked(true);
    auto *orientationRow = new QHBoxLayout(orientation);
    orientationRow->addWidget(rbNaVysku);
    orientationRow->addWidget(rbNaSirku);

    auto *head = new QGridLayout;
    head->addWidget(m_bar, 0, 0, 1, 2);
    head->addWidget(labelled(this, QStringLiteral("Nadpis"), eNadp1), 1, 0);
    head->addWidget(eNadp2, 2, 0);
    head->addWidget(orientation, 1, 1, 2, 1);

    QHBoxLayout *columnButtons = newToolBarLayout();
    addToolButton(columnButtons, this, QStringLiteral("sbVlozit"), QStringLiteral("Vložit"), QStringLiteral("Přidat sloupec"),
                  [this] { addSelectedItem(); });
    addToolButton(columnButtons, this, QStringLiteral("sbVlozitPrazdnou"), QStringLiteral("Vložit prázdnou"),
                  QStringLiteral("Přidat prázdný sloupec"), [this] { addEmptyColumn(); });
    addToolButton(columnButtons, this, QStringLiteral("sbSmazatSloupec"), QStringLiteral("Smazat"), QStringLiteral("Smazat sloupec"),
                  [this] { removeSelectedColumn(); });
    addToolButton(columnButtons, this, QStringLiteral("sbSmazatVse"), QStringLiteral("Smatat všechny"),
                  QStringLiteral("Smatat všechny sloupce"), [this] { removeAllColumns(); });
    columnButtons->addStretch(1);

    auto *captionBox = new QGroupBox(QStringLiteral("  Nadpis sloupce   "), this);
    eNapis = new QLineEdit(captionBox);
    eNapis->setObjectName(QStringLiteral("eNapis"));
    cbZarovN = newCombo(captionBox, QStringLiteral("cbZarovN"), alignmentCaptions());
    auto *captionRow = new QHBoxLayout(captionBox);
    captionRow->addWidget(eNapis, 1);
    captionRow->addWidget(labelled(captionBox, QStringLiteral("Zarovnání"), cbZarovN));
    QHBoxLayout *captionFont = newToolBarLayout();
    addToolButton(captionFont, captionBox, QStringLiteral("sbFontN"), QStringLiteral("f"), QStringLiteral("Písmo nadpisu"),
                  [this] { chooseCaptionFont(); });
    captionRow->addLayout(captionFont);

    auto *valueBox = new QGroupBox(QStringLiteral("  Obsah sloupce   "), this);
    cbZarovH = newCombo(valueBox, QStringLiteral("cbZarovH"), alignmentCaptions());
    cbSuma = newCombo(valueBox, QStringLiteral("cbSuma"), {QStringLiteral("Ne"), QStringLiteral("Ano")});
    lUkazka = new QLabel(QStringLiteral("Ukázka písma sloupce"), valueBox);
    lUkazka->setObjectName(QStringLiteral("lUkazka"));
    auto *valueRow = new QHBoxLayout(valueBox);
    valueRow->addWidget(labelled(valueBox, QStringLiteral("Zarovnání"), cbZarovH));
    QHBoxLayout *valueFont = newToolBarLayout();
    valueRow->addWidget(new QLabel(QStringLiteral("Písmo"), valueBox));
    addToolButton(valueFont, valueBox, QStringLiteral("sbFontH"), QStringLiteral("f"), QStringLiteral("Písmo položek"),
                  [this] { chooseValueFont(); });
    valueRow->addLayout(valueFont);
    valueRow->addWidget(lUkazka, 1);
    valueRow->addWidget(labelled(valueBox, QStringLiteral("Suma"), cbSuma));

    auto *groupBox = new QGroupBox(QStringLiteral("Skupina"), this);
    lSkupina = new QLabel(QStringLiteral("-"), groupBox);
    lSkupina->setObjectName(QStringLiteral("lSkupina"));
    auto *groupRow = new QHBoxLayout(groupBox);
    groupRow->addWidget(lSkupina, 1);
    QHBoxLayout *groupButtons = newToolBarLayout();
    addToolButton(groupButtons, groupBox, QStringLiteral("sbSkupinaVlozit"), QStringLiteral("Vložit"), [this] { setGroupFromItem(); });
    addToolButton(groupButtons, groupBox, QStringLiteral("sbSkupinaSmazat"), QStringLiteral("Smazat"), [this] { clearGroup(); });
    groupRow->addLayout(groupButtons);

    auto *columnsPage = new QWidget(this);
    auto *columnsLayout = new QVBoxLayout(columnsPage);
    columnsLayout->addWidget(m_items, 1);
    columnsLayout->addLayout(columnButtons);
    columnsLayout->addWidget(captionBox);
    columnsLayout->addWidget(valueBox);
    columnsLayout->addWidget(groupBox);

    QPushButton *print = nullptr;
    QPushButton *close = nullptr;
    QHBoxLayout *bottom = newOkCancelRow(this, print, close, QStringLiteral("Tisk"), QStringLiteral("Zavřít"));
    print->setObjectName(QStringLiteral("bTisk"));
    close->setObjectName(QStringLiteral("bZavrit"));
    connect(print, &QPushButton::clicked, this, [this] { done(ResultPrint); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    if (m_extraPage) {
        auto *pages = new QTabWidget(this);
        pages->setObjectName(QStringLiteral("pcStranky"));
        pages->addTab(columnsPage, QStringLiteral("Sloupce"));
        pages->addTab(m_extraPage, QStringLiteral("Záhlaví a zápatí"));
        layout->addWidget(pages, 1);
    } else {
        layout->addWidget(columnsPage, 1);
    }
    layout->addWidget(m_strip);
    layout->addWidget(m_status);
    layout->addLayout(bottom);

    connect(eNapis, &QLineEdit::textEdited, this, [this](const QString &text) {
        changeSelected([&](ReportColumn &c) { c.caption = text; });
    });
    connect(cbZarovN, &QComboBox::currentIndexChanged, this, [this](int i) {
        changeSelected([&](ReportColumn &c) { c.captionAlignment = alignmentFromCode(i); });
    });
    connect(cbZarovH, &QComboBox::currentIndexChanged, this, [this](int i) {
        changeSelected([&](ReportColumn &c) { c.valueAlignment = alignmentFromCode(i); });
    });
    connect(cbSuma, &QComboBox::currentIndexChanged, this, [this](int i) {
        changeSelected([&](ReportColumn &c) { c.sum = i == 1; });
    });
}

void TfGS::changeSelected(const std::function<void(ReportColumn &)> &change)
{
    if (ReportColumn *c = m_strip->row().selectedColumn()) {
        change(*c);
        m_strip->refreshSelected();
    }
}

void TfGS::showSelectedColumn()
{
    const ReportColumn *c = m_strip->row().selectedColumn();
    const QSignalBlocker b1(eNapis), b2(cbZarovN), b3(cbZarovH), b4(cbSuma);
    eNapis->setText(c ? c->caption.trimmed() : QString());
    cbZarovN->setCurrentIndex(c ? int(c->captionAlignment) : 0);
    cbZarovH->setCurrentIndex(c ? int(c->valueAlignment) : 0);
    cbSuma->setCurrentIndex(c && c->sum ? 1 : 0);
    lUkazka->setFont(ListPrint::designFont(c ? c->valueFont : ColumnFont()));
}

bool TfGS::chooseFont(ColumnFont &font, const QString &caption)
{
    QFontDialog dialog(ListPrint::designFont(font), this);
    dialog.setObjectName(QStringLiteral("fdPismo"));
    dialog.setWindowTitle(caption);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return false;
    const QFont f = dialog.selectedFont();
    font.name = f.family();
    font.size = qMax(1, f.pointSize());
    font.bold = f.bold();
    font.italic = f.italic();
    font.underline = f.underline();
    font.strikeOut = f.strikeOut();
    return true;
}

void TfGS::chooseValueFont()
{
    ReportColumn *c = m_strip->row().selectedColumn();
    if (c && chooseFont(c->valueFont, QStringLiteral("Změna písma sloupce"))) {
        m_strip->refreshSelected();
        showSelectedColumn();
    }
}

void TfGS::chooseCaptionFont()
{
    ReportColumn *c = m_strip->row().selectedColumn();
    if (c && chooseFont(c->captionFont, QStringLiteral("Změna písma nadpisu")))
        m_strip->refreshSelected();
}

void TfGS::setGroupFromItem()
{
    if (const DictionaryItem *item = m_items->currentItem()) {
        m_design.setGroupItem(item->alias + QLatin1Char('.') + item->column.trimmed());
        lSkupina->setText(m_design.groupItem());
    }
}

void TfGS::clearGroup()
{
    m_design.setGroupItem(QString());
    lSkupina->setText(QStringLiteral("-"));
}

void TfGS::loadDesign(int key)
{
    ReportDesign d;
    if (key > 0 && TemplateStore(m_dm).loadReport(key, d) < 0)
        return;
    showDesign(d);
}

void TfGS::showDesign(const ReportDesign &d)
{
    m_design = d;
    if (m_design.key <= 0) {
        m_design.window = m_window;
        m_design.variant = m_variant;
    }
    m_bar->nameEdit()->setText(d.name);
    m_bar->setDates(d.created, d.changed);
    eNadp1->setText(d.title1);
    eNadp2->setText(d.title2);
    (d.orientation == Landscape ? rbNaSirku : rbNaVysku)->setChecked(true);
    lSkupina->setText(d.groupItem().isEmpty() ? QStringLiteral("-") : d.groupItem());
    setColumns(d.columns);
}

void TfGS::fillDesign(ReportDesign &d) const
{
    d.name = m_bar->nameEdit()->text();
    d.title1 = eNadp1->text();
    d.title2 = eNadp2->text();
    d.orientation = rbNaSirku->isChecked() ? Landscape : Portrait;
    d.columns = m_strip->row().columns;
}

ReportDesign TfGS::design() const
{
    ReportDesign d = m_design;
    fillDesign(d);
    return d;
}

// --- TfGSDok -----------------------------------------------------------------------------

TfGSDok::TfGSDok(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : TfGS(window, variant, aliasTables, true, parent)
{
    auto *page = new QGridLayout(m_extraPage);
    auto addText = [&](int row, const QString &caption, const QString &name, QTextEdit *&edit) {
        edit = new QTextEdit(m_extraPage);
        edit->setObjectName(name);
        page->addWidget(new QLabel(caption, m_extraPage), row, 0);
        page->addWidget(edit, row, 1);
        QHBoxLayout *clear = newToolBarLayout();
        QTextEdit *target = edit;
        addToolButton(clear, m_extraPage, QStringLiteral("sb") + name.mid(2) + QStringLiteral("Smazat"), QStringLiteral("X"),
                      QStringLiteral("Smazat text"), [target] { target->clear(); });
        page->addLayout(clear, row, 2);
    };
    addText(0, QStringLiteral("Text v záhlaví "), QStringLiteral("reZahlavi"), reZahlavi);
    addText(1, QStringLiteral("Text v zápatí"), QStringLiteral("reZapati"), reZapati);
    addText(2, QStringLiteral("Text legendy"), QStringLiteral("reLegenda"), reLegenda);
    cbPodPolozka = new QCheckBox(QStringLiteral("Tisknout vybranou položku pod ostatní položky"), m_extraPage);
    cbPodPolozka->setObjectName(QStringLiteral("cbPodPolozka"));
    cbPolozkaPod = new QComboBox(m_extraPage);
    cbPolozkaPod->setObjectName(QStringLiteral("cbPolozkaPod"));
    for (const DictionaryItem &d : m_items->items())
        cbPolozkaPod->addItem(d.caption.trimmed(), d.alias + QLatin1Char('.') + d.column.trimmed());
    cbVyhodnoceniPV = new QCheckBox(QStringLiteral("Tisknout u PV vyhodnocení každého PV"), m_extraPage);
    cbVyhodnoceniPV->setObjectName(QStringLiteral("cbVyhodnoceniPV"));
    page->addWidget(cbPodPolozka, 3, 0, 1, 2);
    page->addWidget(cbPolozkaPod, 4, 0, 1, 2);
    page->addWidget(cbVyhodnoceniPV, 5, 0, 1, 2);
}

void TfGSDok::loadDesign(int key)
{
    ReportDesign d;
    if (key > 0 && TemplateStore(m_dm).loadReport(key, d) < 0)
        return;
    if (key <= 0) {
        // a new document design starts from the default texts
        TemplateStore(m_dm).loadDefaultDocumentTexts(d.header, d.footer, d.legend);
    }
    d.documentTexts = true;
    showDesign(d);
    Rtf::read(d.header, reZahlavi->document());
    Rtf::read(d.footer, reZapati->document());
    Rtf::read(d.legend, reLegenda->document());
    const QString subRow = settingValue(d.settings, QStringLiteral("P")).trimmed();
    cbPodPolozka->setChecked(!subRow.isEmpty());
    cbPolozkaPod->setCurrentIndex(qMax(0, cbPolozkaPod->findData(subRow)));
    cbVyhodnoceniPV->setChecked(settingValue(d.settings, QStringLiteral("V")) == QLatin1String("A"));
}

void TfGSDok::fillDesign(ReportDesign &d) const
{
    TfGS::fillDesign(d);
    d.documentTexts = true;
    auto text = [](QTextEdit *edit) { return edit->document()->isEmpty() ? QString() : Rtf::write(edit->document()); };
    d.header = text(reZahlavi);
    d.footer = text(reZapati);
    d.legend = text(reLegenda);
    d.settings = withSetting(d.settings, QStringLiteral("P"),
                             cbPodPolozka->isChecked() ? cbPolozkaPod->currentData().toString() : QString());
    d.settings = withSetting(d.settings, QStringLiteral("V"), cbVyhodnoceniPV->isChecked() ? QStringLiteral("A") : QString());
}

// --- TfGG --------------------------------------------------------------------------------

TfGG::TfGG(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : ColumnDesigner(window, variant, aliasTables, DesignKind::GridLayout, parent)
{
    setObjectName(QStringLiteral("fGG"));
    setWindowTitle(QStringLiteral("Sestavení sloupců seznamu"));
    m_bar = new DesignBar(QStringLiteral("sestava"),
                          {[this](QList<DesignEntry> &out) { return TemplateStore(m_dm).listGridLayouts(m_window, m_variant, out); },
                           [this](int key) { loadLayout(key); },
                           [this] {
                               GridLayout l = layout();
                               return TemplateStore(m_dm).saveGridLayout(l);
                           },
                           [this](int key) { return TemplateStore(m_dm).deleteGridLayout(key); }},
                          this);
    QHBoxLayout *columnButtons = newToolBarLayout();
    addToolButton(columnButtons, this, QStringLiteral("sbVlozit"), QStringLiteral("Vložit sloupec"), [this] { addSelectedItem(); });
    addToolButton(columnButtons, this, QStringLiteral("sbUbrat"), QStringLiteral("Ubrat sloupec"), [this] { removeSelectedColumn(); });
    addToolButton(columnButtons, this, QStringLiteral("sbSmazatVse"), QStringLiteral("Smatat všechny sloupce"),
                  [this] { removeAllColumns(); });
    columnButtons->addSpacing(12);
    addToolButton(columnButtons, this, QStringLiteral("sbPrejmenovatPolozku"), QStringLiteral("Přejmenovat popis položky v tabulce"),
                  [this] { renameItem(); });
    addToolButton(columnButtons, this, QStringLiteral("sbSmazatPolozku"), QStringLiteral("Smazat položku z tabulky"),
                  [this] { withdrawItem(); });
    columnButtons->addStretch(1);

    eNapis = new QLineEdit(this);
    eNapis->setObjectName(QStringLiteral("eNapis"));
    cbZarov = newCombo(this, QStringLiteral("cbZarov"), alignmentCaptions());
    auto *columnRow = new QHBoxLayout;
    columnRow->addWidget(eNapis, 1);
    QHBoxLayout *rename = newToolBarLayout();
    addToolButton(rename, this, QStringLiteral("sbPrejmenovat"), QStringLiteral("Přejmenovat sloupec"), [this] { renameColumn(); });
    columnRow->addLayout(rename);
    columnRow->addWidget(labelled(this, QStringLiteral("Zarovnání"), cbZarov));
    connect(eNapis, &QLineEdit::editingFinished, this, &TfGG::renameColumn);
    connect(cbZarov, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (ReportColumn *c = m_strip->row().selectedColumn()) {
            c->valueAlignment = alignmentFromCode(i);
            c->captionAlignment = c->valueAlignment;
            m_strip->refreshSelected();
        }
    });

    QPushButton *apply = nullptr;
    QPushButton *close = nullptr;
    QHBoxLayout *bottom = newOkCancelRow(this, apply, close, QStringLiteral("Použít návrh"), QStringLiteral("Bez použití návrhu"));
    apply->setObjectName(QStringLiteral("bPouzit"));
    close->setObjectName(QStringLiteral("bBez"));
    connect(apply, &QPushButton::clicked, this, &TfGG::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_items, 1);
    layout->addLayout(columnButtons);
    layout->addLayout(columnRow);
    layout->addWidget(m_strip);
    layout->addWidget(m_status);
    layout->addLayout(bottom);
}

void TfGG::showSelectedColumn()
{
    const ReportColumn *c = m_strip->row().selectedColumn();
    const QSignalBlocker b1(eNapis), b2(cbZarov);
    eNapis->setText(c ? c->caption.trimmed() : QString());
    cbZarov->setCurrentIndex(c ? int(c->valueAlignment) : 0);
}

void TfGG::renameColumn()
{
    ReportColumn *c = m_strip->row().selectedColumn();
    if (!c || c->caption.trimmed() == eNapis->text().trimmed())
        return;
    c->caption = eNapis->text();
    m_strip->refreshSelected();
}

void TfGG::renameItem()
{
    const DictionaryItem *item = m_items->currentItem();
    if (!item)
        return;
    QString caption = item->caption.trimmed();
    if (!Prompt::askText(QStringLiteral("Zadejte nový popis položky pro tabulku"), caption) || caption.trimmed().isEmpty())
        return;
    if (TemplateStore(m_dm).renameItem(item->key, caption.trimmed()) >= 0)
        loadItems();
}

void TfGG::withdrawItem()
{
    const DictionaryItem *item = m_items->currentItem();
    if (!item || Prompt::question(QStringLiteral("Smazat nevratně položku z nabídky ?"), QStringLiteral("Pozor")) != PromptYes)
        return;
    const int key = item->key;
    if (TemplateStore(m_dm).withdrawItem(key) < 0)
        return;
    // the stored layouts lost the item's columns; the one shown loses them too
    QList<ReportColumn> kept;
    for (const ReportColumn &c : m_strip->row().columns)
        if (c.itemKey != key)
            kept << c;
    setColumns(kept);
    m_strip->row().layOut();
    m_strip->rebuild();
    loadItems();
}

void TfGG::apply()
{
    // the list reads the layout by its key: what is applied is stored first
    if (m_bar->saveDesign())
        accept();
}

void TfGG::loadLayout(int key)
{
    GridLayout l;
    if (key > 0 && TemplateStore(m_dm).loadGridLayout(key, l) < 0)
        return;
    m_layout = l;
    if (m_layout.key <= 0) {
        m_layout.window = m_window;
        m_layout.variant = m_variant;
    }
    m_bar->nameEdit()->setText(l.name);
    m_bar->setDates(l.created, l.changed);
    QList<ReportColumn> columns;
    for (const GridColumn &g : l.columns) {
        ReportColumn c;
        c.key = g.key;
        c.name = g.name;
        c.caption = g.caption;
        c.width = g.width;
        c.valueAlignment = g.alignment;
        c.captionAlignment = g.alignment;
        c.left = g.position;
        c.itemKey = g.itemKey;
        columns << c;
    }
    setColumns(columns);
}

GridLayout TfGG::layout() const
{
    GridLayout l = m_layout;
    l.name = m_bar->nameEdit()->text();
    l.columns.clear();
    for (const ReportColumn &c : m_strip->row().columns) {
        GridColumn g;
        g.name = c.name;
        g.caption = c.caption;
        g.width = c.width;
        g.alignment = c.valueAlignment;
        g.itemKey = c.itemKey;
        g.position = c.left;
        for (const DictionaryItem &d : m_items->items())
            if (d.key == c.itemKey && d.fieldName().compare(c.name.trimmed(), Qt::CaseInsensitive) == 0)
                g.order = d.order;
        l.columns << g;
    }
    return l;
}

// --- the document designs ----------------------------------------------------------------

namespace DesignWindows {

int editDocumentDesign(QWidget *parent, const QString &window, int variant, const QString &aliasTables, int key)
{
    TfGSDok designer(window, variant, aliasTables, parent);
    designer.open(key);
    Prompt::runModal(&designer);
    return designer.currentKey();
}

int chooseDocumentDesign(QWidget *parent, const QString &window, int variant, const QString &aliasTables)
{
    TfGSDokSez choice(window, variant, aliasTables, parent);
    if (Prompt::runModal(&choice) != QDialog::Accepted)
        return 0;
    return choice.chosenKey();
}

} // namespace DesignWindows
