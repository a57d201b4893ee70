#include "widgets/filterdesigners.h"

#include "core/class.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "templates/templatesql.h"
#include "templates/templatestore.h"
#include "widgets/columnboxes.h"
#include "widgets/seznam.h"
#include "widgets/toolbuttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

using namespace Templates;

namespace PickLists {

namespace {
QHash<QString, Factory> &factories()
{
    static QHash<QString, Factory> map;
    return map;
}
} // namespace

void registerList(const QString &name, Factory factory)
{
    factories().insert(name.trimmed().toUpper(), std::move(factory));
}

TfSeznam *create(const QString &name, QWidget *parent, int variant)
{
    const Factory f = factories().value(name.trimmed().toUpper());
    return f ? f(parent, variant) : nullptr;
}

} // namespace PickLists

namespace {

QString operatorCaption(const QString &code)
{
    for (const OperatorChoice &c : operatorChoices())
        if (c.code == code)
            return c.caption;
    return code;
}

} // namespace

// --- TfGP --------------------------------------------------------------------------------

TfGP::TfGP(const QString &window, int variant, const QString &aliasTables, QWidget *parent)
    : QDialog(parent), m_window(window), m_variant(variant), m_aliasTables(aliasTables), m_dm(DM)
{
    setObjectName(QStringLiteral("fGP"));
    setWindowTitle(QStringLiteral("Sestavení filtru seznamu"));
    setWindowFlags(Qt::Window);
    m_bar = new DesignBar(QStringLiteral("filtr"),
                          {[this](QList<DesignEntry> &out) { return TemplateStore(m_dm).listFilters(m_window, m_variant, out); },
                           [this](int key) { loadFilter(key); },
                           [this] {
                               FilterDesign f = filter();
                               const int key = TemplateStore(m_dm).saveFilter(f);
                               if (key > 0)
                                   m_filter = f;
                               return key;
                           },
                           [this](int key) { return TemplateStore(m_dm).deleteFilter(key); }},
                          this);
    m_bar->deleteQuestion = [](const QString &name) { return QStringLiteral("Smazat výběr <<") + name + QStringLiteral(">>"); };
    m_bar->deletedMessage = QStringLiteral("Smazán výběr");
    m_items = new DictionaryPanel(this);
    QList<DictionaryItem> offered;
    TemplateStore(m_dm).offeredItems(aliasTables, DesignKind::Filter, offered);
    m_items->setItems(parseAliasTables(aliasTables), offered);
    connect(m_items, &DictionaryPanel::itemActivated, this, &TfGP::addCondition);

    dbgPodminky = new QTableWidget(0, 4, this);
    dbgPodminky->setObjectName(QStringLiteral("dbgPodminky"));
    dbgPodminky->setHorizontalHeaderLabels({QStringLiteral("Položka"), QStringLiteral("Podmínka"), QStringLiteral("Hodnota"),
                                            QStringLiteral("Spojení")});
    dbgPodminky->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbgPodminky->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgPodminky->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgPodminky->verticalHeader()->hide();
    dbgPodminky->horizontalHeader()->setStretchLastSection(true);
    connect(dbgPodminky, &QTableWidget::currentCellChanged, this, [this] { showCurrent(); });

    QHBoxLayout *buttons = newToolBarLayout();
    addToolButton(buttons, this, QStringLiteral("sbPridat"), QStringLiteral("+"), QStringLiteral("Přidat položku podmínky"),
                  [this] { addCondition(); });
    addToolButton(buttons, this, QStringLiteral("sbSmazatPodm"), QStringLiteral("-"), QStringLiteral("Smazat položku podmínky"),
                  [this] { removeCondition(); });
    addToolButton(buttons, this, QStringLiteral("sbSmazatVsePodm"), QStringLiteral("x"), QStringLiteral("Smazat všechny položky podmínky"),
                  [this] { removeAllConditions(); });
    addToolButton(buttons, this, QStringLiteral("sbNahoru"), QStringLiteral("^"), QStringLiteral("Posunout záznam  nahoru"),
                  [this] { moveCondition(-1); });
    addToolButton(buttons, this, QStringLiteral("sbDolu"), QStringLiteral("v"), QStringLiteral("Posunout záznam dolů"),
                  [this] { moveCondition(1); });
    buttons->addStretch(1);

    cbPodminka = new QComboBox(this);
    cbPodminka->setObjectName(QStringLiteral("cbPodminka"));
    for (const OperatorChoice &c : operatorChoices())
        cbPodminka->addItem(c.caption, c.code);
    eHodnota = new QLineEdit(this);
    eHodnota->setObjectName(QStringLiteral("eHodnota"));
    cbSpojeni = new QComboBox(this);
    cbSpojeni->setObjectName(QStringLiteral("cbSpojeni"));
    cbSpojeni->addItem(QString());
    cbSpojeni->addItems(connectives());
    auto *valueRow = new QHBoxLayout;
    valueRow->addWidget(cbPodminka);
    valueRow->addWidget(eHodnota, 1);
    QHBoxLayout *pick = newToolBarLayout();
    addToolButton(pick, this, QStringLiteral("sbVyber"), QStringLiteral("..."), QStringLiteral("Filtr položky"), [this] { pickValue(); });
    valueRow->addLayout(pick);
    valueRow->addWidget(cbSpojeni);
    connect(cbPodminka, &QComboBox::currentIndexChanged, this, [this] {
        changeCurrent([this](FilterCondition &c) { c.op = cbPodminka->currentData().toString(); });
    });
    connect(eHodnota, &QLineEdit::textEdited, this, [this](const QString &text) {
        changeCurrent([&](FilterCondition &c) { c.value = text; });
    });
    connect(cbSpojeni, &QComboBox::currentIndexChanged, this, [this] {
        changeCurrent([this](FilterCondition &c) { c.connective = cbSpojeni->currentText(); });
    });

    auto *own = new QGroupBox(QStringLiteral(" Vlastní podmínka "), this);
    mVlastni = new QPlainTextEdit(own);
    mVlastni->setObjectName(QStringLiteral("mVlastni"));
    auto *ownLayout = new QVBoxLayout(own);
    ownLayout->addWidget(mVlastni);

    QPushButton *apply = nullptr;
    QPushButton *close = nullptr;
    QHBoxLayout *bottom = newOkCancelRow(this, apply, close, QStringLiteral("Použít filtr"), QStringLiteral("Zavřít"));
    apply->setObjectName(QStringLiteral("bPouzit"));
    close->setObjectName(QStringLiteral("bZavrit"));
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    auto *middle = new QHBoxLayout;
    middle->addWidget(m_items, 1);
    auto *conditions = new QVBoxLayout;
    conditions->addWidget(dbgPodminky, 1);
    conditions->addLayout(buttons);
    conditions->addLayout(valueRow);
    middle->addLayout(conditions, 2);
    layout->addLayout(middle, 1);
    layout->addWidget(own);
    layout->addLayout(bottom);
    resize(900, 560);
}

void TfGP::open(const FilterDesign &filter)
{
    m_bar->open(filter.key);
    m_filter = filter;
    if (m_filter.key <= 0) {
        m_filter.window = m_window;
        m_filter.variant = m_variant;
    }
    m_bar->nameEdit()->setText(filter.name);
    mVlastni->setPlainText(filter.ownCondition);
    showConditions(0);
}

void TfGP::openStored(int key)
{
    m_bar->open(key);
}

void TfGP::loadFilter(int key)
{
    FilterDesign f;
    if (key > 0 && TemplateStore(m_dm).loadFilter(key, f) < 0)
        return;
    m_filter = f;
    if (m_filter.key <= 0) {
        m_filter.window = m_window;
        m_filter.variant = m_variant;
    }
    m_bar->nameEdit()->setText(f.name);
    m_bar->setDates(f.created, f.changed);
    mVlastni->setPlainText(f.ownCondition);
    showConditions(0);
}

FilterDesign TfGP::filter() const
{
    FilterDesign f = m_filter;
    f.name = m_bar->nameEdit()->text();
    f.ownCondition = mVlastni->toPlainText();
    return f;
}

void TfGP::showConditions(int current)
{
    const QSignalBlocker block(dbgPodminky);
    dbgPodminky->setRowCount(0);
    for (const FilterCondition &c : m_filter.conditions) {
        const int row = dbgPodminky->rowCount();
        dbgPodminky->insertRow(row);
        dbgPodminky->setItem(row, 0, new QTableWidgetItem(c.caption.trimmed()));
        dbgPodminky->setItem(row, 1, new QTableWidgetItem(operatorCaption(c.op)));
        dbgPodminky->setItem(row, 2, new QTableWidgetItem(c.value));
        dbgPodminky->setItem(row, 3, new QTableWidgetItem(c.connective));
    }
    if (!m_filter.conditions.isEmpty())
        dbgPodminky->setCurrentCell(qBound(0, current, int(m_filter.conditions.size()) - 1), 0);
    showCurrent();
}

void TfGP::showCurrent()
{
    const int row = dbgPodminky->currentRow();
    const bool any = row >= 0 && row < m_filter.conditions.size();
    const QSignalBlocker b1(cbPodminka), b2(eHodnota), b3(cbSpojeni);
    const FilterCondition c = any ? m_filter.conditions.at(row) : FilterCondition();
    cbPodminka->setCurrentIndex(qMax(0, cbPodminka->findData(c.op)));
    eHodnota->setText(c.value);
    cbSpojeni->setCurrentIndex(qMax(0, cbSpojeni->findText(c.connective)));
}

void TfGP::changeCurrent(const std::function<void(FilterCondition &)> &change)
{
    const int row = dbgPodminky->currentRow();
    if (row < 0 || row >= m_filter.conditions.size())
        return;
    change(m_filter.conditions[row]);
    const FilterCondition &c = m_filter.conditions.at(row);
    dbgPodminky->item(row, 1)->setText(operatorCaption(c.op));
    dbgPodminky->item(row, 2)->setText(c.value);
    dbgPodminky->item(row, 3)->setText(c.connective);
}

void TfGP::addCondition()
{
    const DictionaryItem *item = m_items->currentItem();
    if (!item)
        return;
    FilterCondition c;
    c.item = item->alias + QLatin1Char('.') + item->column.trimmed();
    c.caption = item->caption.trimmed();
    c.type = item->type.trimmed();
    c.op = Operator::Equal;
    // a condition added after another joins it with AND unless the user says otherwise
    if (!m_filter.conditions.isEmpty() && m_filter.conditions.constLast().connective.trimmed().isEmpty())
        m_filter.conditions.last().connective = QStringLiteral("AND");
    m_filter.conditions << c;
    showConditions(int(m_filter.conditions.size()) - 1);
}

void TfGP::removeCondition()
{
    const int row = dbgPodminky->currentRow();
    if (row < 0 || row >= m_filter.conditions.size())
        return;
    m_filter.conditions.removeAt(row);
    showConditions(row);
}

void TfGP::removeAllConditions()
{
    m_filter.conditions.clear();
    showConditions(0);
}

void TfGP::moveCondition(int delta)
{
    const int row = dbgPodminky->currentRow();
    const int to = row + delta;
    if (row < 0 || to < 0 || to >= m_filter.conditions.size())
        return;
    // the connectives stay in their places: they join positions, not items
    FilterCondition &a = m_filter.conditions[row];
    FilterCondition &b = m_filter.conditions[to];
    std::swap(a.connective, b.connective);
    m_filter.conditions.swapItemsAt(row, to);
    showConditions(to);
}

const DictionaryItem *TfGP::itemOf(const FilterCondition &condition) const
{
    for (const DictionaryItem &d : m_items->items())
        if ((d.alias + QLatin1Char('.') + d.column.trimmed()).compare(condition.item, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

void TfGP::pickValue()
{
    const int row = dbgPodminky->currentRow();
    if (row < 0 || row >= m_filter.conditions.size())
        return;
    const DictionaryItem *item = itemOf(m_filter.conditions.at(row));
    std::unique_ptr<TfSeznam> list(item ? PickLists::create(item->pickColumn, this, item->pickVariant) : nullptr);
    if (!list) {
        Prompt::warning(QStringLiteral("Okno výběru nebylo nalezeno"), QStringLiteral("Otevření dialogu výběru"));
        return;
    }
    list->setPickMode(true);
    if (Prompt::runModal(list.get()) != 1)
        return;
    ListDataset &rows = list->controller()->list();
    const QString column = item->pickValueColumn.trimmed().isEmpty() ? QStringLiteral("UNCIS") : item->pickValueColumn.trimmed().toUpper();
    QList<int> picked = rows.markedRows();
    if (picked.isEmpty())
        picked << rows.currentRow();
    const bool quoted = item->type.trimmed() == QLatin1String("A") || item->type.trimmed() == QLatin1String("D");
    QStringList values;
    for (int r : picked) {
        const QString v = rows.value(r, column).toString().trimmed();
        values << (quoted && picked.size() > 1 ? QLatin1Char('\'') + v + QLatin1Char('\'') : v);
    }
    // several rows make one list of values
    changeCurrent([&](FilterCondition &c) {
        if (values.size() > 1)
            c.op = Operator::In;
        c.value = values.join(QStringLiteral(","));
    });
    showCurrent();
}

// --- TfGR --------------------------------------------------------------------------------

TfGR::TfGR(const QString &aliasTables, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fGR"));
    setWindowTitle(QStringLiteral("Řazení záznamů"));
    QList<DictionaryItem> offered;
    TemplateStore(DM).offeredItems(aliasTables, DesignKind::GridLayout, offered);
    auto *form = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        cbPolozka[i] = new QComboBox(this);
        cbPolozka[i]->setObjectName(QStringLiteral("cbPolozka%1").arg(i + 1));
        cbPolozka[i]->addItem(QStringLiteral("nic"), QString());
        for (const DictionaryItem &d : offered) {
            const QString expression = d.order.trimmed().isEmpty() ? d.alias + QLatin1Char('.') + d.column.trimmed()
                                                                    : d.order.trimmed();
            cbPolozka[i]->addItem(d.caption.trimmed(), expression);
        }
        cbSestupne[i] = new QCheckBox(QStringLiteral("Sestupně"), this);
        cbSestupne[i]->setObjectName(QStringLiteral("cbSestupne%1").arg(i + 1));
        auto *row = new QHBoxLayout;
        row->addWidget(cbPolozka[i], 1);
        row->addWidget(cbSestupne[i]);
        form->addRow(QStringLiteral("%1.").arg(i + 1), row);
    }
    QPushButton *apply = nullptr;
    QPushButton *close = nullptr;
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(newOkCancelRow(this, apply, close, QStringLiteral("Použít návrh"), QStringLiteral("Bez použití návrhu")));
    apply->setObjectName(QStringLiteral("bPouzit"));
    close->setObjectName(QStringLiteral("bBez"));
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TfGR::orderBy() const
{
    QList<SortChoice> choices;
    for (int i = 0; i < 3; ++i)
        choices << SortChoice{cbPolozka[i]->currentData().toString(), cbSestupne[i]->isChecked()};
    return sortOrder(choices);
}
