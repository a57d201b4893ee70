#include "warehouse/objvyd.h"

#include "commerce/nabmats.h"
#include "commerce/skladprevoddmnozstvi.h"
#include "core/listdataset.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "customers/nabcombo.h"
#include "warehouse/objvydc.h"
#include "warehouse/objvyddsklad.h"
#include "widgets/dokradwindow.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
const QString Caption = QStringLiteral("Tarko 8: Vydaná objednávka");

// The line grid: a price or quantity typed recounts the line total.
class ObjVydLineModel : public RowCacheModel
{
public:
    ObjVydLineModel(TfObjVydC *controller, QObject *parent)
        : RowCacheModel(&controller->lines(), parent)
        , m_c(controller)
    {
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (!RowCacheModel::setData(index, value, role))
            return false;
        const QString field = fieldOfColumn(index.column()).toUpper();
        if (field == QLatin1String("CENBEZ") || field == QLatin1String("POCET"))
            m_c->CenaPod(index.row());
        return true;
    }

private:
    TfObjVydC *m_c;
};
} // namespace

TfObjVyd::TfObjVyd(TfObjVydC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fObjVyd"));
    setWindowTitle(Caption);
    setLockable(true);
    AttachController(controller);
    controller->setAskQuantity([this](const QString &popis, QString &quantity, double &price) {
        return TfSkladPrevodDMnozstvi::ask(this, popis, quantity, price);
    });

    auto *pages = new QTabWidget(body());
    pages->setObjectName(QStringLiteral("pcObjVyd"));
    auto *hlavicka = new QWidget(pages);
    hlavicka->setObjectName(QStringLiteral("tsHlavicka"));
    auto *layout = new QVBoxLayout(hlavicka);
    layout->addWidget(buildHeader(hlavicka));

    auto *bar = newToolBarLayout();
    addToolButton(bar, hlavicka, QStringLiteral("sbCenik"), QStringLiteral("Přidat z ceníku"), [this] { PridatZCeniku(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbPridat"), QStringLiteral("Přidat"), [this] { Pridat(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbUbrat"), QStringLiteral("Ubrat"), [this] { Ubrat(); });
    addToolButton(bar, hlavicka, QStringLiteral("sbPrenos"), QStringLiteral("Přenos dodaného množství do skladu"),
                  [this] { Prenos(); });
    bar->addStretch(1);
    layout->addLayout(bar);

    m_model = new ObjVydLineModel(controller, this);
    m_model->addColumn(QStringLiteral("KODMAT"), QStringLiteral("Kód"));
    m_model->addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    m_model->addColumn(QStringLiteral("CENBEZ"), QStringLiteral("Cen/Jed"), true, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("POCET"), QStringLiteral("Množ."), true, DisplayFormat::Quantity);
    m_model->addColumn(QStringLiteral("JEDN"), QStringLiteral("Jedn."));
    m_model->addColumn(QStringLiteral("CENCEL"), QStringLiteral("Celkem"), false, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("DODAT"), QStringLiteral("Dodáno"), false, DisplayFormat::Quantity);
    m_grid = new QTableView(hlavicka);
    m_grid->setObjectName(QStringLiteral("dbgPolozky"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setColumnWidth(1, 300);
    followCurrentRow(m_grid, m_model);
    watchItemGrid(m_model, m_grid);
    layout->addWidget(m_grid, 1);
    pages->addTab(hlavicka, QStringLiteral("Hlavička a položky"));

    auto *texty = new QWidget(pages);
    texty->setObjectName(QStringLiteral("tsZahlaviZapati"));
    auto *textLayout = new QVBoxLayout(texty);
    RowCache &h = *dsHla();
    for (const auto &t : {std::pair{"ZAHLAVI", "Záhlaví"}, std::pair{"ZAPATI", "Zápatí"}}) {
        textLayout->addWidget(new QLabel(QString::fromUtf8(t.second), texty));
        auto *edit = new QTextEdit(texty);
        edit->setObjectName(QStringLiteral("re") + QLatin1String(t.first));
        fields().bind(edit, h, QLatin1String(t.first));
        textLayout->addWidget(edit, 1);
    }
    pages->addTab(texty, QStringLiteral("Záhlaví a zápatí"));

    auto *outer = new QVBoxLayout(body());
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pages);
    resize(950, 650);
}

TfObjVydC *TfObjVyd::objvydc() const
{
    return qobject_cast<TfObjVydC *>(controller());
}

QWidget *TfObjVyd::buildHeader(QWidget *page)
{
    RowCache &h = *dsHla();
    auto *panel = new QWidget(page);
    panel->setObjectName(QStringLiteral("pnlHlavicka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);

    auto *ncDodavatel = new NabCombo(panel);
    ncDodavatel->setObjectName(QStringLiteral("ncDodavatel"));
    ncDodavatel->setAddressMode(QStringLiteral("FIR"));
    ncDodavatel->bindField(&h, QStringLiteral("UNCFIR"), [this] { return !isLocked(); });
    connect(ncDodavatel, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    auto line = [&](const char *name, const char *field, int maxLength) {
        auto *e = new QLineEdit(panel);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        fields().bind(e, h, QLatin1String(field));
        return e;
    };
    auto date = [&](const char *name, const char *field) {
        auto *d = new QDateEdit(panel);
        d->setObjectName(QLatin1String(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        fields().bind(d, h, QLatin1String(field));
        return d;
    };
    auto *eCisObj = line("eCisObj", "CISOBJ", 20);
    auto *cislo = newToolBarLayout();
    cislo->addWidget(eCisObj, 1);
    addToolButton(cislo, panel, QStringLiteral("sbDokRad"), QStringLiteral("Výběr číselné řady"), [this] {
        if (isLocked())
            return;
        const QString code = TfDokRad::pickSeries(this, controller()->dm());
        if (!code.isEmpty()) {
            dsHla()->setValue(QStringLiteral("CISOBJ"), code);
            Zmena(dsHla());
        }
    });
    auto *cbStav = new QCheckBox(QStringLiteral("Vyřízeno"), panel);
    cbStav->setObjectName(QStringLiteral("cbStav"));
    fields().bind(cbStav, h, QStringLiteral("STAV"));

    const std::pair<const char *, QWidget *> left[] = {{"Dodavatel", ncDodavatel},
                                                       {"Doprava ", line("eDoprDisp", "DOPRDISP", 40)},
                                                       {"Popis", line("ePopis", "POPIS", 120)},
                                                       {"Vystavil", line("eVystavil", "VYSTAVIL", 40)}};
    const std::pair<const char *, QWidget *> right[] = {{"Vystaveno", date("deDatVyst", "DATVYST")},
                                                        {"Termín dod.", date("deTermin", "TERMIN")},
                                                        {"Dodáno", date("deDatDod", "DATDOD")}};
    grid->addWidget(new QLabel(QStringLiteral("Číslo"), panel), 0, 0);
    grid->addLayout(cislo, 0, 1);
    int row = 1;
    for (const auto &f : left) {
        grid->addWidget(new QLabel(QString::fromUtf8(f.first), panel), row, 0);
        grid->addWidget(f.second, row++, 1);
    }
    row = 0;
    for (const auto &f : right) {
        grid->addWidget(new QLabel(QString::fromUtf8(f.first), panel), row, 2);
        grid->addWidget(f.second, row++, 3);
    }
    grid->addWidget(cbStav, row, 3);
    grid->setColumnStretch(1, 1);
    return panel;
}

void TfObjVyd::Pridat()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    if (controller()->AppendItem(controller()->item(0)) >= 0)
        Zmena(&objvydc()->lines());
}

void TfObjVyd::Ubrat()
{
    RowCache &l = objvydc()->lines();
    if (isLocked() || l.currentRow() < 0)
        return;
    if (Prompt::question(QStringLiteral("Smazat tuto položku?"), QStringLiteral("Smazání položky")) != PromptYes)
        return;
    l.deleteCurrentRow();
    Zmena(&l);
}

void TfObjVyd::PridatZCeniku()
{
    if (isLocked() || dsHla()->currentRow() < 0)
        return;
    TfObjVydC *c = objvydc();
    TfNabMatS::vyber(this, TfObjVydC::PickList, true, [this, c](int key, ListDataset &rows) {
        QVariantMap row;
        for (const char *f : {"POPIS", "JEDN", "DPH", "CENPRO", "KOD"})
            row.insert(QLatin1String(f), rows.value(QLatin1String(f)));
        if (c->NactiPolozku(key, row) > 0)
            Zmena(&c->lines());
    });
}

void TfObjVyd::Prenos()
{
    // the move reads the order as stored
    if (isChanged() && cUloz() < 0)
        return;
    const int key = controller()->currentKey();
    if (key <= 0)
        return;
    TfObjVydDSklad dialog(controller()->dm(), key, this);
    if (Prompt::runModal(&dialog) == QDialog::Accepted)
        controller()->OpenRecord(key);
}
