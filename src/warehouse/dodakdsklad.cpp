#include "warehouse/dodakdsklad.h"
#include "warehouse/skladprevods.h"

#include "commerce/dodakc.h"
#include "commerce/fakturapresun.h"
#include "core/format.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/sqlrun.h"
#include "customers/nabcombo.h"
#include "widgets/toolbuttons.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {
const QString MoveCaption = QStringLiteral("Přenos materiálu");

QString settingsKey()
{
    return SettingsStore::productKeyPath(QStringLiteral("Param\\Sklad"));
}
} // namespace

// The note's lines with the quantity to move ("Přen."), the only editable column.
class NoteLineModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    QVector<StockMove::NoteLine> rows;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : rows.size(); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 6; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char *const heads[] = {"Sekce", "Kód", "Popis", "Jedn.", "Množ.", "Přen."};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 6)
            return {};
        return QString::fromUtf8(heads[section]);
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        const StockMove::NoteLine &l = rows.at(index.row());
        switch (index.column()) {
        case 0: return l.csekce;
        case 1: return l.kod;
        case 2: return l.popis;
        case 3: return l.jedn;
        case 4: return formatNumber(l.mnoz);
        default: return role == Qt::EditRole ? QVariant(l.prenos) : QVariant(formatNumber(l.prenos));
        }
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        return index.column() == 5 ? f | Qt::ItemIsEditable : f;
    }

    bool setPrenos(int row, double quantity)
    {
        if (row < 0 || row >= rows.size() || quantity < 0 || quantity > rows.at(row).mnoz + 0.000001)
            return false;
        rows[row].prenos = quantity;
        emit dataChanged(index(row, 5), index(row, 5));
        return true;
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid() || index.column() != 5)
            return false;
        bool ok = true;
        const QString text = value.toString().trimmed();
        const double quantity = text.isEmpty() ? 0.0 : parseNumber(text, &ok);
        if (!ok || !setPrenos(index.row(), quantity)) {
            Prompt::beep();
            return false;
        }
        return true;
    }

    void fill(bool all)
    {
        for (StockMove::NoteLine &l : rows)
            l.prenos = all ? l.mnoz : 0.0;
        if (!rows.isEmpty())
            emit dataChanged(index(0, 5), index(rows.size() - 1, 5));
    }

    void reset(QVector<StockMove::NoteLine> lines)
    {
        beginResetModel();
        rows = std::move(lines);
        endResetModel();
    }
};

TfDodakDSklad::TfDodakDSklad(TDMPro *dm, int note, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
    , m_note(note)
{
    setObjectName(QStringLiteral("fDodakDSklad"));
    setWindowTitle(QStringLiteral("Tarko 8: Přesun dodacího listu do skladu"));
    auto *layout = new QVBoxLayout(this);

    auto *top = new QGridLayout;
    m_ncSklad = new NabCombo(this);
    m_ncSklad->setObjectName(QStringLiteral("ncSklad"));
    m_ncSklad->setAddressMode(QStringLiteral("FIR"));
    top->addWidget(new QLabel(QStringLiteral("Sklad"), this), 0, 0);
    top->addWidget(m_ncSklad, 0, 1);
    top->addWidget(new QLabel(QStringLiteral("Výdejka/příjemka (číslo) do které budou přesunuty položky d.l. - možno vybrat ze seznamu"),
                              this),
                   1, 0, 1, 2);
    auto *cislo = newToolBarLayout();
    m_eCDT = new QLineEdit(this);
    m_eCDT->setObjectName(QStringLiteral("eCDT"));
    m_eCDT->setMaxLength(20);
    cislo->addWidget(m_eCDT, 1);
    addToolButton(cislo, this, QStringLiteral("sbSeznam"), QStringLiteral("..."), QStringLiteral("Výběr výdejky pro přenos"),
                  [this] { VyberVydejky(); });
    top->addLayout(cislo, 2, 0, 1, 2);
    top->setColumnStretch(1, 1);
    layout->addLayout(top);

    const QStringList labels = InvoiceMove::sectionLabels(dm);
    const QMap<int, QString> virtualLabels = {{12, QStringLiteral(" 12 HP předané po opravě")},
                                              {13, QStringLiteral(" 13 HP předané nové")},
                                              {14, QStringLiteral("14 HP převzaté do opravy")},
                                              {15, QStringLiteral("15 PH převzaté na vyřazení")}};
    auto *sections = new QGridLayout;
    int i = 0;
    for (int s : StockMove::offeredSections()) {
        auto *box = new QCheckBox(virtualLabels.value(s, labels.value(s - 1, QString::number(s))), this);
        box->setObjectName(QStringLiteral("cbSekce%1").arg(s));
        connect(box, &QCheckBox::toggled, this, &TfDodakDSklad::reload);
        sections->addWidget(box, i % 4, i / 4);
        m_boxes.insert(s, box);
        ++i;
    }
    layout->addLayout(sections);

    auto *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbOznacit"), QStringLiteral("Označit všechny sekce"), [this] { OznacitVse(true); });
    addToolButton(bar, this, QStringLiteral("sbNeoznacit"), QStringLiteral("Neoznačit všechny sekce"), [this] { OznacitVse(false); });
    addToolButton(bar, this, QStringLiteral("sbVyplnit"), QStringLiteral("Vyplnit množství pro přenos"), [this] { Vyplnit(); });
    addToolButton(bar, this, QStringLiteral("sbSnulovat"), QStringLiteral("Snulovat množství pro přenos"), [this] { Snulovat(); });
    bar->addStretch(1);
    layout->addLayout(bar);

    m_model = new NoteLineModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setModel(m_model);
    m_grid->setColumnWidth(2, 300);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    layout->addWidget(m_grid, 1);

    auto *buttons = new QHBoxLayout;
    m_cbZapamatovat = new QCheckBox(QStringLiteral("Zapamatovat pro příští použití"), this);
    m_cbZapamatovat->setObjectName(QStringLiteral("cbZapamatovat"));
    buttons->addWidget(m_cbZapamatovat);
    buttons->addStretch(1);
    for (const auto &b : {std::pair{"bbVydej", false}, std::pair{"bbPrijem", true}}) {
        auto *button = new QPushButton(b.second ? QStringLiteral("Přenést přijímané položky") : QStringLiteral("Přenést vydávané položky"),
                                       this);
        button->setObjectName(QLatin1String(b.first));
        const bool received = b.second;
        connect(button, &QPushButton::clicked, this, [this, received] { Prenest(received); });
        buttons->addWidget(button);
    }
    auto *close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("bbZavrit"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    loadSettings();
    reload();
    resize(900, 600);
}

TfDodakDSklad::~TfDodakDSklad()
{
    if (m_cbZapamatovat->isChecked())
        saveSettings();
}

const QVector<StockMove::NoteLine> &TfDodakDSklad::lines() const
{
    return m_model->rows;
}

bool TfDodakDSklad::setPrenos(int row, double quantity)
{
    return m_model->setPrenos(row, quantity);
}

void TfDodakDSklad::reload()
{
    QVector<int> ticked;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        if (it.value()->isChecked())
            ticked << it.key();
    bool ok = true;
    QString error;
    QVector<StockMove::NoteLine> rows = StockMove::noteLines(m_dm, m_note, ticked, &ok, &error);
    if (!ok)
        Prompt::warning(QStringLiteral("Načtení položek dodacího listu\n") + error, MoveCaption);
    m_model->reset(std::move(rows));
}

void TfDodakDSklad::VyberVydejky()
{
    const int key = VyberVydejku(this, QStringLiteral("Výběr výdejky pro přenos"));
    if (key > 0)
        m_eCDT->setText(scalarSql(m_dm, QStringLiteral("SELECT CDT FROM SkladPrevodH WHERE UnCis = :UnCis "),
                                  {{QStringLiteral("UnCis"), key}})
                            .toString()
                            .trimmed());
}

void TfDodakDSklad::OznacitVse(bool on)
{
    for (QCheckBox *box : qAsConst(m_boxes)) {
        const QSignalBlocker quiet(box);
        box->setChecked(on);
    }
    reload();
}

void TfDodakDSklad::Vyplnit()
{
    m_model->fill(true);
}

void TfDodakDSklad::Snulovat()
{
    m_model->fill(false);
}

int TfDodakDSklad::Prenest(bool received)
{
    StockMove::Request r;
    r.note = m_note;
    r.number = m_eCDT->text();
    r.store = m_ncSklad->key();
    r.received = received;
    r.lines = m_model->rows;
    r.confirmCreate = [](const QString &number) {
        return Prompt::question(QStringLiteral("Výdejka s číslem ") + number + QStringLiteral(" nebyla nalezena.\nChcete jí vytvořit?"),
                                MoveCaption)
               == PromptYes;
    };
    r.confirmParty = [](const QString &question) { return Prompt::question(question, MoveCaption) == PromptYes; };
    QString error;
    const int slip = StockMove::run(m_dm, r, &error);
    if (slip < 0)
        Prompt::warning(error, MoveCaption);
    if (slip > 0) {
        m_moved = true;
        reload();
    }
    return slip;
}

void TfDodakDSklad::loadSettings()
{
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it) {
        const QSignalBlocker quiet(it.value());
        it.value()->setChecked(ReadRegistryValue(QStringLiteral("Sekce%1").arg(it.key()), QStringLiteral("1"), settingsKey())
                               == QLatin1String("1"));
    }
    m_ncSklad->setKey(ReadRegistryValue(QStringLiteral("Sklad"), QStringLiteral("0"), settingsKey()).toInt());
    m_cbZapamatovat->setChecked(ReadRegistryValue(QStringLiteral("Zapamatovat"), QStringLiteral("0"), settingsKey())
                                == QLatin1String("1"));
}

void TfDodakDSklad::saveSettings()
{
    bool ok = true;
    for (auto it = m_boxes.cbegin(); it != m_boxes.cend(); ++it)
        ok = WriteRegistryValue(QStringLiteral("Sekce%1").arg(it.key()), it.value()->isChecked() ? QStringLiteral("1") : QStringLiteral("0"),
                                settingsKey())
             && ok;
    ok = WriteRegistryValue(QStringLiteral("Sklad"), QString::number(m_ncSklad->key()), settingsKey()) && ok;
    ok = WriteRegistryValue(QStringLiteral("Zapamatovat"), QStringLiteral("1"), settingsKey()) && ok;
    if (!ok)
        Prompt::warning(QStringLiteral("Uložení parametrů"));
}

int PresunDoVydejky(TfDodakC *note, QWidget *parent)
{
    const int key = note->currentKey();
    if (key <= 0)
        return 0;
    if (note->isModified() && note->SaveRecordKeepOpen() < 0) {
        Prompt::warning(QStringLiteral("Přesun do skladu\n") + note->lastError(), TfDodakC::Caption);
        return -1;
    }
    bool moved = false;
    {
        TfDodakDSklad dialog(note->dm(), key, parent);
        Prompt::runModal(&dialog);
        moved = dialog.movedAny();
    }
    if (moved)
        note->OpenRecord(key);
    return moved ? 1 : 0;
}
