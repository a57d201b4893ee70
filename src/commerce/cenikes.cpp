#include "commerce/cenikes.h"
#include "commerce/cenikc.h"
#include "commerce/picklistdelegate.h"
#include "widgets/fieldbinding.h"
#include "widgets/keyfilters.h"
#include "core/lookup.h"
#include "core/parameters.h"
#include "core/rowcachemodel.h"
#include "core/sqlrun.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

QString workshopDescription(const QString &znacka, const QString &oprText)
{
    const QString mark = znacka.trimmed();
    const QString text = oprText.trimmed();
    return text.isEmpty() ? mark : mark + QStringLiteral(" - ") + text;
}

QString priceListGridSelect(bool workshop)
{
    return QStringLiteral(" SELECT uncis, klic, kod, csekce, popis, Jedn, DPH, Prenosskl, skupproh, STATUS, cenpro, "
                          "pocpro, cenpro2, cenpro3, cenpro4, cenpro5, pocpro2, pocpro3, pocpro4")
           + (workshop ? QStringLiteral(", znacka, oprtext") : QString()) + QStringLiteral(" FROM CENIK ");
}

namespace {

// What a new row of either editor starts with: a row is written with every column of
// the grid, so the table's own defaults would never apply.
void presetNewRows(TVarSQL &defaults, int section)
{
    defaults.SetVariable(QStringLiteral("CSEKCE"), section);
    defaults.SetVariable(QStringLiteral("DPH"), QStringLiteral("Z"));
    defaults.SetVariable(QStringLiteral("PRENOSSKL"), QStringLiteral("N"));
    static const char *const zeros[] = {"CENPRO", "POCPRO", "POCPRO2", "POCPRO3", "POCPRO4",
                                        "CENPRO2", "CENPRO3", "CENPRO4", "CENPRO5"};
    for (const char *z : zeros)
        defaults.SetVariable(QString::fromLatin1(z), 0.0);
}

// "Ubrat" deletes an item at once through the item controller, under the rules of the
// item window: not an item documents use, and its user prices with it.
void deleteThroughController(TfEditSez &grid, TDMPro *dm)
{
    TfCenikC *cenik = TfClass::create<TfCenikC>(dm, &grid);
    if (!cenik)
        return;
    grid.setDeleteRoutine([cenik, &grid](int key) { return cenik->deleteItem(key, grid.windowTitle()); });
}

} // namespace

// --- TfCenikES -----------------------------------------------------------------------

const QVector<int> &TfCenikES::Sections()
{
    static const QVector<int> sections = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    return sections;
}

TfCenikES::TfCenikES(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fCenikES"));
    setWindowTitle(QStringLiteral("Tarko 8: Základní ceník"));
    SetCodeListTable(QStringLiteral("CENIK"));
    setBaseSelect(priceListGridSelect(false));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    m_section = Sections().first();
    filters().SetVariable(QStringLiteral("CSEKCE"), m_section);
    presetNewRows(defaults(), m_section);
    deleteThroughController(*this, dm);
    addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    addColumn(QStringLiteral("JEDN"), QStringLiteral("Jend."));
    addColumn(QStringLiteral("CENPRO"), QStringLiteral("Cena"), true, DisplayFormat::Money);
    addColumn(QStringLiteral("DPH"), QStringLiteral("DPH"));
    addColumn(QStringLiteral("PRENOSSKL"), QStringLiteral("PS"));
    addColumn(QStringLiteral("SKUPPROH"), QStringLiteral("Sk."));
    addColumn(QStringLiteral("STATUS"), QStringLiteral("Výk."));

    m_tbSekce = new QTabBar(this);
    m_tbSekce->setObjectName(QStringLiteral("tbSekce"));
    for (int s : Sections())
        m_tbSekce->addTab(QString::number(s));
    connect(m_tbSekce, &QTabBar::currentChanged, this, &TfCenikES::tabChosen);
    if (auto *v = qobject_cast<QVBoxLayout *>(layout()))
        v->insertWidget(1, m_tbSekce);

    // the tiers of the current item, typed into its row like any cell
    m_pnlPasma = new QGroupBox(QStringLiteral("  Cenová pásma  "), this);
    m_pnlPasma->setObjectName(QStringLiteral("pnlPasma"));
    auto *tiers = new QGridLayout(m_pnlPasma);
    static const struct { const char *name; const char *field; const char *caption; } tierFields[] = {
        {"eCenPro", "CENPRO", "Cena 1"},   {"ePocPro", "POCPRO", "Počet 1"},
        {"eCenPro2", "CENPRO2", "Cena 2"}, {"ePocPro2", "POCPRO2", "Počet 2"},
        {"eCenPro3", "CENPRO3", "Cena 3"}, {"ePocPro3", "POCPRO3", "Počet 3"},
        {"eCenPro4", "CENPRO4", "Cena 4"}, {"ePocPro4", "POCPRO4", "Počet 4"},
        {"eCenPro5", "CENPRO5", "Cena 5"},
    };
    auto *binding = new FieldBinding(this);
    int i = 0;
    for (const auto &t : tierFields) {
        auto *e = new QLineEdit(m_pnlPasma);
        e->setObjectName(QString::fromLatin1(t.name));
        const bool count = QByteArray(t.field).startsWith("POC");
        installKeyFilter(e, count ? KeyFilter::ZadejIntX : KeyFilter::ZadejFloX);
        const int column = i / 2;
        const int row = (i % 2) * 2;
        tiers->addWidget(new QLabel(QString::fromUtf8(t.caption), m_pnlPasma), row, column);
        tiers->addWidget(e, row + 1, column);
        binding->bind(e, rows(), QString::fromLatin1(t.field));
        ++i;
    }
    connect(binding, &FieldBinding::changed, this, [this](RowCache *cache, const QString &field) {
        // in the row already; setting it again counts it as the user's change
        if (cache->currentRow() >= 0)
            setCellValue(cache->currentRow(), field, cache->value(field));
    });
    addBelowGrid(m_pnlPasma);
    m_pnlPasma->setVisible(Parameters::instance().quantityTiers);
    FormCreate();
    static const struct { const char *field; int width; } widths[] = {
        {"KOD", 70}, {"POPIS", 260}, {"JEDN", 45}, {"CENPRO", 80}, {"DPH", 40}, {"PRENOSSKL", 35},
        {"SKUPPROH", 50}, {"STATUS", 50}};
    for (const auto &w : widths)
        grid()->setColumnWidth(model()->columnOfField(QString::fromLatin1(w.field)), w.width);
    resize(760, 520);
}

bool TfCenikES::setSection(int section)
{
    const int index = Sections().indexOf(section);
    if (index < 0)
        return false;
    if (section == m_section)
        return true;
    if (!ConfirmLeave())
        return false;
    const int previous = m_section;
    m_section = section;
    filters().SetVariable(QStringLiteral("CSEKCE"), section);
    defaults().SetVariable(QStringLiteral("CSEKCE"), section);
    const bool ok = OpenCodeList(-1) == 0;
    if (!ok) {
        m_section = previous;
        filters().SetVariable(QStringLiteral("CSEKCE"), previous);
        defaults().SetVariable(QStringLiteral("CSEKCE"), previous);
    }
    const QSignalBlocker block(m_tbSekce);
    m_tbSekce->setCurrentIndex(Sections().indexOf(m_section));
    return ok;
}

void TfCenikES::tabChosen(int index)
{
    if (index >= 0 && index < Sections().size())
        setSection(Sections().at(index));
}

// --- TfCenikProhES -------------------------------------------------------------------

TfCenikProhES::TfCenikProhES(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fCenikProhES"));
    setWindowTitle(QStringLiteral("Tarko 8: Ceník dílenské údržby"));
    SetCodeListTable(QStringLiteral("CENIK"));
    setBaseSelect(priceListGridSelect(true));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    filters().SetVariable(QStringLiteral("CSEKCE"), Section);
    presetNewRows(defaults(), Section);
    deleteThroughController(*this, dm);
    addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    addColumn(QStringLiteral("ZNACKA"), QStringLiteral("Značka"));
    addColumn(QStringLiteral("OPRTEXT"), QStringLiteral("Upřesňující text"));
    addColumn(QStringLiteral("JEDN"), QStringLiteral("Jend."));
    addColumn(QStringLiteral("CENPRO"), QStringLiteral("Cena"), true, DisplayFormat::Money);
    addColumn(QStringLiteral("DPH"), QStringLiteral("DPH"));
    addColumn(QStringLiteral("PRENOSSKL"), QStringLiteral("PS"));

    // the general marks first, then the extinguisher types
    m_znacky = {QStringLiteral("HP1"), QStringLiteral("HP2"), QStringLiteral("HP3"), QStringLiteral("HP4"),
                QStringLiteral("HP5")};
    for (const QString &typ : lookupTexts(readLookup(dm, QStringLiteral("SELECT POPIS from cenik where csekce=7 order by popis"))))
        if (!typ.isEmpty() && !m_znacky.contains(typ))
            m_znacky << typ;
    m_opravy = lookupTexts(readLookup(dm, QStringLiteral("SELECT POPIS from s_oprtxt order by popis")));
    grid()->setItemDelegateForColumn(model()->columnOfField(QStringLiteral("ZNACKA")),
                                     new PickListDelegate(m_znacky, this));
    grid()->setItemDelegateForColumn(model()->columnOfField(QStringLiteral("OPRTEXT")),
                                     new PickListDelegate(m_opravy, this));
    connect(model(), &RowCacheModel::edited, this, [this](int row, const QString &field) {
        const QString f = field.toUpper();
        if (f == QLatin1String("ZNACKA") || f == QLatin1String("OPRTEXT"))
            describe(row);
    });
    FormCreate();
    static const struct { const char *field; int width; } widths[] = {
        {"KOD", 70}, {"ZNACKA", 170}, {"OPRTEXT", 220}, {"JEDN", 45}, {"CENPRO", 80}, {"DPH", 40}, {"PRENOSSKL", 35}};
    for (const auto &w : widths)
        grid()->setColumnWidth(model()->columnOfField(QString::fromLatin1(w.field)), w.width);
    resize(760, 480);
}

void TfCenikProhES::describe(int row)
{
    RowCache &r = rows();
    const QString popis = workshopDescription(r.value(row, QStringLiteral("ZNACKA")).toString(),
                                              r.value(row, QStringLiteral("OPRTEXT")).toString());
    if (r.value(row, QStringLiteral("POPIS")).toString() != popis)
        setCellValue(row, QStringLiteral("POPIS"), popis);
}
