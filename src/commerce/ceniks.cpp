#include "commerce/ceniks.h"
#include "commerce/cenik.h"
#include "core/format.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "widgets/sortheader.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString OrderField = QStringLiteral("OBJEDNAT");
}

const QString TfCenikS::AliasTables = QStringLiteral("CEN;CEN;Cenik;(1);SSF;SSF;Sklad;(1)");

TfCenikS::TfCenikS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fCenikS"));
    setWindowTitle(QStringLiteral("Tarko 8: Ceník"));

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("pnlSekce"));
    auto *row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("Zobrazit sekci"), panel));
    for (int s = 1; s <= SectionCount; ++s) {
        auto *box = new QCheckBox(QString::number(s), panel);
        box->setObjectName(QStringLiteral("cbSekce%1").arg(s));
        box->setChecked(true);
        connect(box, &QCheckBox::toggled, this, &TfCenikS::sectionsChanged);
        m_sections << box;
        row->addWidget(box);
    }
    row->addStretch();
    if (auto *v = qobject_cast<QVBoxLayout *>(layout()))
        v->insertWidget(1, panel);

    // "Objednávka"
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mmObjednavka"));
    auto makeAction = [&](const char *name, const QString &text, bool checkable) {
        auto *a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(checkable);
        menu->addAction(a);
        return a;
    };
    m_miZobrazitObjednat = makeAction("miZobrazitObjednat", QStringLiteral("Zobrazit sloupec pro objednání"), true);
    m_miPodLimit = makeAction("miPodLimit", QStringLiteral("Zobrazit položky pod limit"), true);
    m_miPodKritLimit = makeAction("miPodKritLimit", QStringLiteral("Zobrazit položky pod krytický limit"), true);
    menu->addSeparator();
    m_miSestavitObjednavku = makeAction("miSestavitObjednavku", QStringLiteral("Sestavit objednávku"), false);
    m_miSestavitObjednavku->setEnabled(bool(orderAssembler()));
    connect(m_miZobrazitObjednat, &QAction::toggled, this, [this](bool on) { showOrderColumn(on); });
    connect(m_miPodLimit, &QAction::triggered, this, [this](bool on) {
        setLimitView(on ? TfCenikC::BelowLimit : TfCenikC::AllItems);
    });
    connect(m_miPodKritLimit, &QAction::triggered, this, [this](bool on) {
        setLimitView(on ? TfCenikC::BelowCriticalLimit : TfCenikC::AllItems);
    });
    connect(m_miSestavitObjednavku, &QAction::triggered, this, &TfCenikS::SestavitObjednavku);
    if (auto *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"))) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("sbObjednavka"));
        button->setText(QStringLiteral("Objednávka"));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(button);
    }

    // the order column is typed into: a double click or Enter there edits the cell
    // instead of opening the item
    grid()->installEventFilter(this);
    grid()->viewport()->installEventFilter(this);
    grid()->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

TfCenikC *TfCenikS::cenik() const
{
    return qobject_cast<TfCenikC *>(controller());
}

std::function<void(TfCenikS &)> &TfCenikS::orderAssembler()
{
    static std::function<void(TfCenikS &)> assembler;
    return assembler;
}

void TfCenikS::SestavitObjednavku()
{
    if (orderAssembler())
        orderAssembler()(*this);
}

QCheckBox *TfCenikS::sectionBox(int section) const
{
    return section >= 1 && section <= m_sections.size() ? m_sections.at(section - 1) : nullptr;
}

QVector<int> TfCenikS::tickedSections() const
{
    QVector<int> ticked;
    for (int s = 1; s <= m_sections.size(); ++s)
        if (m_sections.at(s - 1)->isChecked())
            ticked << s;
    return ticked;
}

int TfCenikS::PrepareList()
{
    setAliasTables(AliasTables);
    if (!cenik())
        return -1;
    hintSectionNames(controller()->dm(), [this](int section) { return sectionBox(section); });

    // the typed order quantities live in the controller, by item key
    ListModel *m = model();
    m->ownFields = QStringList(OrderField);
    m->ownValue = [this](int row, const QString &) -> QVariant {
        const int key = controller()->list().value(row, QStringLiteral("UNCIS")).toInt();
        return formatNumber(cenik()->orderQuantity(key));
    };
    m->setOwnValue = [this](int row, const QString &, const QVariant &value) {
        bool ok = true;
        const QString text = value.toString().trimmed();
        const double quantity = text.isEmpty() ? 0.0 : parseNumber(text, &ok);
        if (!ok || quantity < 0) {
            Prompt::beep();
            return false;
        }
        cenik()->setOrderQuantity(controller()->list().value(row, QStringLiteral("UNCIS")).toInt(), quantity);
        return true;
    };
    return 0;
}

int TfCenikS::DefaultFilter()
{
    if (cenik())
        cenik()->setSections(tickedSections());
    return 0;
}

int TfCenikS::OnListCreate()
{
    m_listReady = true;
    return 0;
}

void TfCenikS::sectionsChanged()
{
    if (!cenik())
        return;
    cenik()->setSections(tickedSections());
    if (m_listReady)
        Reopen();
}

void TfCenikS::setLimitView(TfCenikC::LimitView view)
{
    if (!cenik())
        return;
    m_miPodLimit->setChecked(view == TfCenikC::BelowLimit);
    m_miPodKritLimit->setChecked(view == TfCenikC::BelowCriticalLimit);
    cenik()->setLimitView(view);
    if (m_listReady)
        Reopen();
}

int TfCenikS::orderColumn() const
{
    for (int c = 0; c < model()->columnCount(); ++c)
        if (model()->columnAt(c).field == OrderField)
            return c;
    return -1;
}

void TfCenikS::showOrderColumn(bool on)
{
    m_orderColumn = on;
    if (m_miZobrazitObjednat->isChecked() != on)
        m_miZobrazitObjednat->setChecked(on);
    QVector<ListColumn> columns = model()->columns();
    if (columns.isEmpty())
        for (int c = 0; c < model()->columnCount(); ++c)
            columns << model()->columnAt(c);
    const int present = orderColumn();
    if (on && present < 0) {
        ListColumn c;
        c.field = OrderField;
        c.caption = QStringLiteral("Objednat");
        c.width = 70;
        c.alignment = Qt::AlignRight | Qt::AlignVCenter;
        columns << c;
    } else if (!on && present >= 0) {
        columns.removeAt(present);
    } else {
        return;
    }
    QVector<int> widths;
    for (int c = 0; c < columns.size(); ++c)
        widths << (c < model()->columnCount() ? grid()->columnWidth(c) : columns.at(c).width);
    model()->setColumns(columns);
    for (int c = 0; c < widths.size(); ++c)
        grid()->setColumnWidth(c, widths.at(c));
    QStringList expressions;
    for (const ListColumn &c : columns)
        expressions << c.order;
    sortHeader()->setSortExpressions(expressions);
}

void TfCenikS::OpenDetail(int key)
{
    TfCenikC *c = cenik();
    ShowEditWindow(c, key, [&] {
        auto *form = new TfCenik(c, this);
        form->AttachController(c);
        form->RefreshEditActions();
        return form;
    }, windowTitle());
}

int TfCenikS::BeforeDeleteRow()
{
    const int key = controller()->list().value(QStringLiteral("UNCIS")).toInt();
    return cenik() && cenik()->CanDelete(key) ? 0 : 1;
}

bool TfCenikS::eventFilter(QObject *watched, QEvent *event)
{
    if (m_orderColumn && controller()) {
        const int column = orderColumn();
        if (watched == grid()->viewport() && event->type() == QEvent::MouseButtonDblClick) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const QModelIndex index = grid()->indexAt(mouse->position().toPoint());
            if (index.isValid() && index.column() == column) {
                grid()->setCurrentIndex(index);
                grid()->edit(index);
                return true;
            }
        }
        if (watched == grid() && event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const QModelIndex index = grid()->currentIndex();
            if (index.isValid() && index.column() == column) {
                const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
                const QString text = key->text();
                const bool number = !text.isEmpty()
                                    && (text.at(0).isDigit() || text == QLatin1String(",") || text == QLatin1String("."));
                if (enter || key->key() == Qt::Key_F2 || number) {
                    grid()->edit(index);
                    // the first typed character starts the value
                    if (number)
                        if (QWidget *editor = grid()->indexWidget(index)) {
                            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
                            QApplication::sendEvent(editor, &copy);
                        }
                    return true;
                }
            }
        }
    }
    return TfSeznam::eventFilter(watched, event);
}

TfCenikS *OtevriCenik(QWidget *parent)
{
    TfCenikC *c = TfClass::create<TfCenikC>(DM);
    if (!c)
        return nullptr;
    auto *list = new TfCenikS(parent);
    if (list->AttachController(c) < 0) {
        delete list;
        delete c;
        return nullptr;
    }
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

void hintSectionNames(TDMPro *dm, const std::function<QCheckBox *(int section)> &boxOf)
{
    for (const LookupItem &section : sectionChoices(dm))
        if (QCheckBox *box = boxOf(section.key.toInt()))
            box->setToolTip(section.extra.isEmpty() ? QString() : section.extra.first().toString());
}
