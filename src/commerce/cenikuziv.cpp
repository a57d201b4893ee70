#include "commerce/cenikuziv.h"
#include "widgets/viewhelpers.h"
#include "widgets/pickdialogs.h"
#include "widgets/toolbuttons.h"
#include "core/prompt.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

// --- TfCenikUziv ---------------------------------------------------------------------

TfCenikUziv::TfCenikUziv(QWidget *parent, TDMPro *dm)
    : QDialog(parent), m_data(dm)
{
    setObjectName(QStringLiteral("fCenikUziv"));
    setWindowTitle(QStringLiteral("Tarko 8: Uživatelský ceník"));

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Ceník:"), this));
    m_cbCenik = new QComboBox(this);
    m_cbCenik->setObjectName(QStringLiteral("cbCenik"));
    m_cbCenik->setMinimumWidth(240);
    top->addWidget(m_cbCenik, 1);
    addToolButton(top, this, QStringLiteral("sbNovy"), QStringLiteral("Nový"), [this] { Novy(); });
    addToolButton(top, this, QStringLiteral("sbSmazat"), QStringLiteral("Smazat"), [this] { SmazatCenik(); });
    m_sbUloz = addToolButton(top, this, QStringLiteral("sbUloz"), QStringLiteral("Uložit"), [this] { Uloz(); });

    m_tbSekce = new QTabBar(this);
    m_tbSekce->setObjectName(QStringLiteral("tbSekce"));
    for (int s = 1; s <= SectionCount; ++s)
        m_tbSekce->addTab(QString::number(s));

    m_model = new UserPriceModel(&m_data, this);
    m_model->addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"), false);
    m_model->addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"), false);
    m_model->addColumn(QStringLiteral("JEDN"), QStringLiteral("Jedn."), false);
    m_model->addColumn(QStringLiteral("ZNACKA"), QStringLiteral("Značka"), false);
    m_model->addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"), false);
    m_model->addColumn(QStringLiteral("CENPRO"), QStringLiteral("Pův. cen."), false, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("CENA"), QStringLiteral("Nov. cen."), true, DisplayFormat::Money);
    m_dbgCenik = new QTableView(this);
    m_dbgCenik->setObjectName(QStringLiteral("dbgCenik"));
    m_dbgCenik->setModel(m_model);
    m_dbgCenik->verticalHeader()->setDefaultSectionSize(20);
    m_dbgCenik->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_dbgCenik->setSelectionMode(QAbstractItemView::SingleSelection);
    m_dbgCenik->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);
    const int widths[] = {70, 240, 45, 90, 110, 75, 75};
    for (int c = 0; c < int(std::size(widths)); ++c)
        m_dbgCenik->setColumnWidth(c, widths[c]);
    followCurrentRow(m_dbgCenik, m_model);
    connect(m_model, &RowCacheModel::edited, this, [this] { refreshButtons(); });

    auto *bottom = new QHBoxLayout;
    addToolButton(bottom, this, QStringLiteral("sbPridej"), QStringLiteral("Přidat"), [this] { Pridej(); });
    addToolButton(bottom, this, QStringLiteral("sbUber"), QStringLiteral("Ubrat"), [this] { Uber(); });
    bottom->addSpacing(16);
    bottom->addWidget(new QLabel(QStringLiteral("Dohledání:"), this));
    m_eDohledani = new QLineEdit(this);
    m_eDohledani->setObjectName(QStringLiteral("eDohledani"));
    bottom->addWidget(m_eDohledani, 1);
    connect(m_eDohledani, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!text.isEmpty() && m_data.locate(text) < 0)
            Prompt::beep();
    });
    bottom->addStretch();
    addToolButton(bottom, this, QStringLiteral("sbESC"), QStringLiteral("Zavřít"), [this] { close(); });

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_tbSekce);
    layout->addWidget(m_dbgCenik, 1);
    layout->addLayout(bottom);
    resize(760, 520);

    m_created = m_data.readLists(0) == 0 && m_data.readPrices(m_data.list(), 1) == 0;
    if (!m_created)
        Prompt::error(QStringLiteral("Založení formuláře"), windowTitle());
    fillListCombo();
    connect(m_cbCenik, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        if (!chooseList(m_cbCenik->itemData(index).toInt()))
            fillListCombo();
    });
    connect(m_tbSekce, &QTabBar::currentChanged, this, [this](int index) {
        if (!chooseSection(index + 1)) {
            const QSignalBlocker block(m_tbSekce);
            m_tbSekce->setCurrentIndex(m_data.section() - 1);
        }
    });
    refreshButtons();
}

void TfCenikUziv::fillListCombo()
{
    const QSignalBlocker block(m_cbCenik);
    m_cbCenik->clear();
    RowCache &lists = m_data.lists();
    for (int r = 0; r < lists.rowCount(); ++r)
        m_cbCenik->addItem(lists.value(r, QStringLiteral("NAZEV")).toString().trimmed(),
                           lists.value(r, QStringLiteral("UNCIS")).toInt());
    m_cbCenik->setCurrentIndex(m_cbCenik->findData(m_data.list()));
}

void TfCenikUziv::refreshButtons()
{
    m_sbUloz->setEnabled(m_data.isModified());
    const bool hasList = m_data.list() > 0;
    for (const char *name : {"sbSmazat", "sbPridej", "sbUber"})
        findChild<QToolButton *>(QString::fromLatin1(name))->setEnabled(hasList);
}

bool TfCenikUziv::ConfirmLeave()
{
    commitPendingEdit(m_dbgCenik);
    if (!m_data.isModified())
        return true;
    return Prompt::confirmLeave([this] { return Uloz() == 0; },
                                [this] {
                                    m_data.cancel();
                                    refreshButtons();
                                });
}

bool TfCenikUziv::chooseList(int key)
{
    if (key == m_data.list())
        return true;
    if (!ConfirmLeave())
        return false;
    m_data.readLists(key);
    if (m_data.readPrices(m_data.list(), m_data.section()) < 0)
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
    fillListCombo();
    refreshButtons();
    return true;
}

bool TfCenikUziv::chooseSection(int section)
{
    if (section == m_data.section())
        return true;
    if (section < 1 || section > SectionCount || !ConfirmLeave())
        return false;
    if (m_data.readPrices(m_data.list(), section) < 0) {
        Prompt::error(QStringLiteral("Otevření seznamu"), windowTitle());
        return false;
    }
    const QSignalBlocker block(m_tbSekce);
    m_tbSekce->setCurrentIndex(section - 1);
    refreshButtons();
    return true;
}

int TfCenikUziv::Novy()
{
    if (!ConfirmLeave())
        return 1;
    const QString name = TfVyberNaz::askName(QString(), this);
    if (name.isEmpty())
        return 1;
    const int key = m_data.createList(name);
    if (key < 0) {
        Prompt::error(QStringLiteral("Založení ceníku"), windowTitle());
        return -1;
    }
    m_data.readPrices(key, m_data.section());
    fillListCombo();
    refreshButtons();
    return 0;
}

int TfCenikUziv::SmazatCenik()
{
    if (m_data.list() <= 0)
        return 1;
    if (Prompt::question(QStringLiteral("Smazat vybraný ceník ?"), QStringLiteral("Pozor")) != PromptYes)
        return 1;
    // what was typed belongs to the list that goes
    m_data.cancel();
    if (m_data.deleteList(m_data.list()) < 0) {
        Prompt::error(QStringLiteral("Smazání záznamu"), QStringLiteral("Chyba"));
        return -1;
    }
    m_data.readPrices(m_data.list(), m_data.section());
    fillListCombo();
    refreshButtons();
    return 0;
}

int TfCenikUziv::Uloz()
{
    commitPendingEdit(m_dbgCenik);
    if (m_data.save() < 0) {
        // the typed prices stay, to be saved again or left
        Prompt::error(QStringLiteral("Chyba při uložení ceníku"), QStringLiteral("Chyba"));
        return -1;
    }
    refreshButtons();
    return 0;
}

int TfCenikUziv::Pridej()
{
    commitPendingEdit(m_dbgCenik);
    const int r = m_data.addCurrent();
    if (r < 0) {
        Prompt::error(QStringLiteral("Přidání položky"), windowTitle());
        return -1;
    }
    refreshButtons();
    return r;
}

int TfCenikUziv::Uber()
{
    commitPendingEdit(m_dbgCenik);
    const int r = m_data.removeCurrent();
    if (r < 0) {
        Prompt::error(QStringLiteral("Smazání záznamu"), QStringLiteral("Chyba"));
        return -1;
    }
    refreshButtons();
    return r;
}

void TfCenikUziv::closeEvent(QCloseEvent *event)
{
    if (!ConfirmLeave()) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfCenikUziv::reject()
{
    close();
}
