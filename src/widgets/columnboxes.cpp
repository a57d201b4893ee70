#include "widgets/columnboxes.h"

#include "core/format.h"
#include "core/prompt.h"
#include "reports/obectisk.h"
#include "widgets/toolbuttons.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int BoxHeight = 60;
constexpr int CaptionHeight = 20;

Qt::Alignment qtAlignment(Templates::Alignment a)
{
    switch (a) {
    case Templates::AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    case Templates::AlignCenter: return Qt::AlignCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

QStringList alignmentCaptions()
{
    return {QStringLiteral("Levá"), QStringLiteral("Střed"), QStringLiteral("Pravá")};
}

// --- ColumnBox -----------------------------------------------------------------------

ColumnBox::ColumnBox(QWidget *parent)
    : QFrame(parent)
{
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setMouseTracking(true);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lNadpis"));
    m_caption->setAutoFillBackground(true);
    QPalette grey = m_caption->palette();
    // the caption band is grey 8421504 as the stored colour reads
    grey.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    grey.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(grey);
    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("lObsah"));
    // the box itself takes the mouse: its parts only show
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_value->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ColumnBox::show(const Templates::ReportColumn &c, bool selected)
{
    setObjectName(c.name);
    m_caption->setText(c.caption.trimmed());
    m_caption->setAlignment(qtAlignment(c.captionAlignment));
    m_caption->setFont(ListPrint::designFont(c.captionFont));
    m_caption->setProperty("itemKey", c.itemKey);
    m_value->setText(c.caption);
    m_value->setAlignment(qtAlignment(c.valueAlignment));
    m_value->setFont(ListPrint::designFont(c.valueFont));
    setProperty("sum", c.sum ? 1 : 0);
    setToolTip(c.caption.trimmed());
    QPalette p = palette();
    p.setColor(QPalette::Window, selected ? QColor(Qt::cyan) : QApplication::palette().color(QPalette::Button));
    setPalette(p);
    m_caption->setGeometry(1, 1, qMax(1, width() - 2), CaptionHeight);
    m_value->setGeometry(1, CaptionHeight + 1, qMax(1, width() - 2), qMax(1, height() - CaptionHeight - 2));
}

// --- ColumnStrip ---------------------------------------------------------------------

ColumnStrip::ColumnStrip(QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("sbSloupce"));
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(QStringLiteral("tbSloupce"));
    m_canvas->resize(400, BoxHeight + 4);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setMinimumHeight(BoxHeight + 24);
}

void ColumnStrip::rebuild()
{
    qDeleteAll(m_boxes);
    m_boxes.clear();
    for (int i = 0; i < m_row.columns.size(); ++i) {
        auto *box = new ColumnBox(m_canvas);
        box->installEventFilter(this);
        m_boxes << box;
        place(i);
        box->QWidget::show();
    }
    m_canvas->resize(qMax(400, m_row.rightEnd() + 40), BoxHeight + 4);
    emit selectionChanged();
    emit statusChanged(m_row.status());
}

void ColumnStrip::place(int index)
{
    const Templates::ReportColumn &c = m_row.columns.at(index);
    ColumnBox *box = m_boxes.at(index);
    box->setGeometry(c.left, 2, c.width, BoxHeight);
    box->show(c, index == m_row.selected());
}

void ColumnStrip::refreshSelected()
{
    if (m_row.selected() >= 0 && m_row.selected() < m_boxes.size())
        place(m_row.selected());
}

bool ColumnStrip::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<ColumnBox *>(watched);
    const int index = box ? int(m_boxes.indexOf(box)) : -1;
    if (index < 0)
        return QScrollArea::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QScrollArea::eventFilter(watched, event);
    const int x = qRound(static_cast<QMouseEvent *>(event)->position().x());
    if (type == QEvent::MouseButtonPress) {
        const int previous = m_row.selected();
        m_row.press(index, x);
        if (previous >= 0 && previous < m_boxes.size() && previous != index)
            place(previous);
        place(index);
        emit selectionChanged();
    } else if (type == QEvent::MouseMove) {
        if (m_row.dragMode() != Templates::ColumnRow::Drag::None && index == m_row.selected()) {
            m_row.drag(x);
            place(index);
            m_canvas->resize(qMax(m_canvas->width(), m_row.rightEnd() + 40), m_canvas->height());
        } else {
            box->setCursor(m_row.isResizeZone(index, x) ? Qt::SplitHCursor : Qt::PointingHandCursor);
            return true;
        }
    } else {
        const QList<int> order = m_row.release();
        QList<ColumnBox *> boxes;
        for (int old : order)
            boxes << m_boxes.at(old);
        m_boxes = boxes;
        for (int i = 0; i < m_boxes.size(); ++i)
            place(i);
        m_canvas->resize(qMax(400, m_row.rightEnd() + 40), m_canvas->height());
    }
    emit statusChanged(m_row.status());
    return true;
}

// --- DictionaryPanel -----------------------------------------------------------------

DictionaryPanel::DictionaryPanel(QWidget *parent)
    : QWidget(parent)
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tcTabulky"));
    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Popis"), QStringLiteral("Položka")});
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(0, 180);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    layout->addWidget(m_grid, 1);
    connect(m_tabs, &QTabBar::currentChanged, this, &DictionaryPanel::showTab);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &DictionaryPanel::itemActivated);
}

void DictionaryPanel::setItems(const QList<Templates::AliasTable> &aliases, const QList<Templates::DictionaryItem> &items)
{
    const QString shownAlias = m_tabs->currentIndex() >= 0 ? m_tabs->tabData(m_tabs->currentIndex()).toString() : QString();
    m_items = items;
    const QSignalBlocker block(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    int current = 0;
    for (const Templates::AliasTable &a : aliases) {
        const int i = m_tabs->addTab(a.caption.isEmpty() ? a.alias : a.caption);
        m_tabs->setTabData(i, a.alias);
        if (a.alias == shownAlias)
            current = i;
    }
    m_tabs->setCurrentIndex(current);
    showTab();
}

void DictionaryPanel::showTab()
{
    const QString alias = m_tabs->currentIndex() >= 0 ? m_tabs->tabData(m_tabs->currentIndex()).toString() : QString();
    m_shown.clear();
    m_grid->setRowCount(0);
    for (int i = 0; i < m_items.size(); ++i) {
        const Templates::DictionaryItem &d = m_items.at(i);
        if (d.alias != alias)
            continue;
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        m_grid->setItem(row, 0, new QTableWidgetItem(d.caption.trimmed()));
        m_grid->setItem(row, 1, new QTableWidgetItem(d.column.trimmed()));
        m_shown << i;
    }
    if (m_grid->rowCount() > 0)
        m_grid->selectRow(0);
}

const Templates::DictionaryItem *DictionaryPanel::currentItem() const
{
    const int row = m_grid->currentRow();
    return row >= 0 && row < m_shown.size() ? &m_items.at(m_shown.at(row)) : nullptr;
}

bool DictionaryPanel::selectItem(const QString &alias, const QString &column)
{
    for (const Templates::DictionaryItem &d : m_items)
        if (d.alias.compare(alias, Qt::CaseInsensitive) == 0 && d.column.trimmed().compare(column, Qt::CaseInsensitive) == 0)
            return selectKey(d.key);
    return false;
}

bool DictionaryPanel::selectKey(int key)
{
    for (const Templates::DictionaryItem &d : m_items) {
        if (d.key != key)
            continue;
        for (int t = 0; t < m_tabs->count(); ++t)
            if (m_tabs->tabData(t).toString() == d.alias)
                m_tabs->setCurrentIndex(t);
        showTab();
        for (int row = 0; row < m_shown.size(); ++row)
            if (m_items.at(m_shown.at(row)).key == key) {
                m_grid->selectRow(row);
                m_grid->setCurrentCell(row, 0);
                return true;
            }
    }
    return false;
}

// --- DesignBar -----------------------------------------------------------------------

DesignBar::DesignBar(const QString &what, Operations operations, QWidget *parent)
    : QWidget(parent), m_ops(std::move(operations))
{
    deleteQuestion = [](const QString &) { return QStringLiteral("Smazat sestavu ?"); };
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("eNazev"));
    m_created = new QLabel(this);
    m_created->setObjectName(QStringLiteral("lUlozeno"));
    m_changed = new QLabel(this);
    m_changed->setObjectName(QStringLiteral("lKdy"));
    layout->addWidget(new QLabel(QStringLiteral("Název"), this), 0, 0);
    layout->addWidget(m_name, 0, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Vytvořeno:"), this), 1, 0);
    layout->addWidget(m_created, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Změněno:"), this), 1, 2);
    layout->addWidget(m_changed, 1, 3);
    QHBoxLayout *bar = newToolBarLayout();
    // what: "sestava" names the report buttons, the others pass their own
    const bool filter = what == QLatin1String("filtr");
    addToolButton(bar, this, QStringLiteral("sbNovy"), filter ? QStringLiteral("Nový filtr") : QStringLiteral("Nová sestava"),
                  [this] { newDesign(); });
    addToolButton(bar, this, QStringLiteral("sbSmazat"), filter ? QStringLiteral("Smazat uložený filtr") : QStringLiteral("Smazat sestavu"),
                  [this] { deleteDesign(); });
    addToolButton(bar, this, QStringLiteral("sbUloz"), filter ? QStringLiteral("Uložit filtr") : QStringLiteral("Uložit sestavu"),
                  [this] { saveDesign(); });
    addToolButton(bar, this, QStringLiteral("sbOdvolat"), QStringLiteral("Odvolat změny"), [this] { reload(); });
    bar->addSpacing(12);
    addToolButton(bar, this, QStringLiteral("sbPrvni"), QStringLiteral("|<"), QStringLiteral("První záznam"), [this] { step(-1, true); });
    addToolButton(bar, this, QStringLiteral("sbPredchozi"), QStringLiteral("<"), QStringLiteral("Předcházející záznam"), [this] { step(-1, false); });
    addToolButton(bar, this, QStringLiteral("sbDalsi"), QStringLiteral(">"), QStringLiteral("Následující záznam"), [this] { step(1, false); });
    addToolButton(bar, this, QStringLiteral("sbPosledni"), QStringLiteral(">|"), QStringLiteral("Poslední záznam"), [this] { step(1, true); });
    bar->addStretch(1);
    layout->addLayout(bar, 2, 0, 1, 4);
}

void DesignBar::setDates(const QDateTime &created, const QDateTime &changed)
{
    m_created->setText(created.isValid() ? displayText(created) : QString());
    m_changed->setText(changed.isValid() ? displayText(changed) : QString());
}

void DesignBar::open(int key)
{
    m_ops.list(m_entries);
    m_key = key;
    m_ops.load(key);
}

void DesignBar::newDesign()
{
    m_key = 0;
    m_ops.load(0);
}

bool DesignBar::saveDesign()
{
    const int key = m_ops.save();
    if (key <= 0)
        return false;
    // the list is read again and the saved design stays shown
    open(key);
    return true;
}

void DesignBar::deleteDesign()
{
    if (m_key <= 0) {
        Prompt::warning(QStringLiteral("Musíte vybrat sestavu !"), QStringLiteral("Pozor"));
        return;
    }
    if (Prompt::question(deleteQuestion(m_name->text().trimmed()), QStringLiteral("Pozor")) != PromptYes)
        return;
    // the store says why a delete failed
    if (m_ops.remove(m_key) < 0)
        return;
    if (!deletedMessage.isEmpty())
        Prompt::information(deletedMessage, QStringLiteral("Zpráva"));
    m_ops.list(m_entries);
    m_key = m_entries.isEmpty() ? 0 : m_entries.first().key;
    m_ops.load(m_key);
}

void DesignBar::reload()
{
    m_ops.load(m_key);
}

void DesignBar::step(int delta, bool toEnd)
{
    if (m_entries.isEmpty())
        return;
    int at = -1;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries.at(i).key == m_key)
            at = i;
    const int last = int(m_entries.size()) - 1;
    int next = toEnd ? (delta < 0 ? 0 : last) : (at < 0 ? 0 : qBound(0, at + delta, last));
    m_key = m_entries.at(next).key;
    m_ops.load(m_key);
}
