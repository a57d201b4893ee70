#include "inspections/pk.h"
#include "widgets/exportwindows.h"
#include "inspections/pkc.h"
#include "inspections/protocolpreview.h"
#include "inspections/protocolprint.h"
#include "core/rowcachemodel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

namespace {

// The captions of the findings, in the order of TfPKC::findingColumns().
const QStringList FindingCaptions = {QStringLiteral("Přístupnost"), QStringLiteral("Zazdění"),
                                     QStringLiteral("Funkčnost"), QStringLiteral("Dálk. spouštění"),
                                     QStringLiteral("Signalizace")};

} // namespace

const QStringList TfPK::TitleOrders = {
    QStringLiteral("poradi,uncpom"), QStringLiteral("poradi,uncpom"), QStringLiteral("misto"),
    QStringLiteral("oznklap"),       QStringLiteral("vyrcis"),        QStringLiteral("pristup"),
    QStringLiteral("zazdeni"),       QStringLiteral("funkcn"),        QStringLiteral("dalksp"),
    QStringLiteral("signal"),        QStringLiteral("uncpom")};

TfPK::TfPK(TfPKC *controller, QWidget *parent)
    : TfInspectionWindow(controller,
                         {QStringLiteral("PK"), QStringLiteral("Protokol o kontrole PK"), QStringLiteral("FAKTURA"),
                          QStringLiteral("Vlastník PK"), QStringLiteral("Umístění PK"), QStringLiteral("Číslo"),
                          QStringLiteral("Smazat tuto PK?"), QStringLiteral("VYRCIS"),
                          QStringLiteral("Hledat číslo (F3)"), TitleOrders},
                         parent)
{
    auto *model = new RowCacheModel(&controller->pk(), this);
    model->addColumn(QStringLiteral("PORADI"), QStringLiteral("Po."), false);
    model->addColumn(QStringLiteral("OBJEKT"), QStringLiteral("Objekt"), false);
    model->addColumn(QStringLiteral("MISTO"), QStringLiteral("Umístění"));
    model->addColumn(QStringLiteral("OZNKLAP"), QStringLiteral("Označení klapky"));
    model->addColumn(QStringLiteral("VYRCIS"), QStringLiteral("Výrobní číslo"));
    // the grades are chosen in the panel, where only the five codes are offered
    const QStringList gridCaptions = {QStringLiteral("Přístup"), QStringLiteral("Zazdění"), QStringLiteral("Funkčn."),
                                      QStringLiteral("Dálk.sp."), QStringLiteral("Signal.")};
    for (int i = 0; i < gridCaptions.size(); ++i)
        model->addColumn(TfPKC::findingColumns().at(i), gridCaptions.at(i), false);
    QWidget *items = buildItemsPage(model, {40, 140, 160, 120, 110, 60, 60, 60, 60, 60});
    setItemPanel(items, buildItemPanel());

    pages()->addTab(items, QStringLiteral("Požární klapky"));
    pages()->addTab(buildTextPage(QStringLiteral("tsZahlavi"), QStringLiteral("POZN"), QStringLiteral("sbZahlavi"),
                                  QStringLiteral("Záhlaví do tisku"), QStringLiteral("Editace záhlaví")),
                    QStringLiteral("Záhlaví"));
    pages()->addTab(buildSummaryPage(QStringLiteral("tsZapati"), QStringLiteral("ZAPATI"), QStringLiteral("sbZapati"),
                                     QStringLiteral("Zápatí do tisku"), QStringLiteral("Editace zápatí"),
                                     QStringLiteral("POCPK"), QStringLiteral("Počet PK")),
                    QStringLiteral("Zápatí a sumarizace"));
    layoutBody();
    buildMenus();

    resize(980, 720);
    // a new window shows the owner's terms and objects as they are now
    pkc()->FollowOwner(true);
    NactiObjekty();
    RefreshEditActions();
}

TfPKC *TfPK::pkc() const
{
    return static_cast<TfPKC *>(controller());
}

QWidget *TfPK::itemEntryField() const
{
    return orderNumberField();
}

QComboBox *TfPK::findingCombo(const QString &column) const
{
    const int i = int(TfPKC::findingColumns().indexOf(column.toUpper()));
    return i >= 0 && i < m_findings.size() ? m_findings.at(i) : nullptr;
}

QWidget *TfPK::buildItemPanel()
{
    RowCache &it = pkc()->pk();
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("pPolozka"));
    auto *grid = new QGridLayout(panel);
    auto lineEdit = [&](const QString &name, const QString &field) {
        auto *e = new QLineEdit(panel);
        e->setObjectName(name);
        fields().bind(e, it, field);
        addItemEditor(e);
        return e;
    };
    int row = 0;
    auto add = [&](const QString &caption, QWidget *w, int column, int span = 1) {
        grid->addWidget(new QLabel(caption, panel), row, column);
        grid->addWidget(w, row, column + 1, 1, span);
    };
    grid->addWidget(new QLabel(QStringLiteral("Objekt"), panel), row, 0);
    grid->addLayout(buildObjectRow(panel), row, 1, 1, 3);
    add(QStringLiteral("Hledat číslo (F3)"), buildSearchBox(panel), 4);
    ++row;
    add(QStringLiteral("Umístění"), lineEdit(QStringLiteral("eMisto"), QStringLiteral("MISTO")), 0, 3);
    add(QStringLiteral("Označení klapky"), lineEdit(QStringLiteral("eOznKlap"), QStringLiteral("OZNKLAP")), 4);
    ++row;
    add(QStringLiteral("Výrobní číslo"), lineEdit(QStringLiteral("eVyrCis"), QStringLiteral("VYRCIS")), 0, 3);
    add(QStringLiteral("Nák. střed."), lineEdit(QStringLiteral("eNakStr"), QStringLiteral("NAKSTR")), 4);
    // a finding not yet judged stays empty; otherwise only the five grades are offered
    for (int i = 0; i < TfPKC::findingColumns().size(); ++i) {
        const QString &column = TfPKC::findingColumns().at(i);
        auto *combo = new QComboBox(panel);
        combo->setObjectName(QStringLiteral("cb") + column.left(1) + column.mid(1).toLower());
        combo->addItem(QString(), QString());
        for (const QString &text : TfPKC::findingTexts())
            combo->addItem(text, TfPKC::findingCode(text));
        fields().bind(combo, it, column);
        addItemEditor(combo);
        m_findings << combo;
        if (i % 2 == 0)
            ++row;
        add(FindingCaptions.at(i), combo, (i % 2) * 4, i % 2 == 0 ? 3 : 1);
    }
    ++row;
    add(QStringLiteral("Poznámka"), lineEdit(QStringLiteral("ePozn"), QStringLiteral("POZN")), 0, 5);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(5, 1);
    return panel;
}

void TfPK::buildMenus()
{
    QMenu *pk = buildMenuBar();
    addSortEntry(pk);
    QMenu *tisk = menuBar()->addMenu(QStringLiteral("Tisk"));
    tisk->setObjectName(QStringLiteral("miTisk"));
    menuEntry(tisk, QStringLiteral("miTiskKontrola"), QStringLiteral("Doklad o kontrole PK"), [this] { TiskDokladu(); });
    addDesignEntry(tisk, {{QStringLiteral("Doklad o kontrole PK"), ProtocolPrint::damperDesignWindow()}}, this);
    // the export comes with the other exports; the entry waits for it
    menuEntry(tisk, QStringLiteral("miExport"), QStringLiteral("Export do Excelu"),
              [this] { ExportWindows::exportExcel(this, itemModel()); });
    addKonec();
}

int TfPK::TiskDokladu()
{
    return TiskUlozeneho([this](int key) { return TiskDokladuPK(key, controller()->dm(), this); });
}

bool OtevriKontroluPK(TfPKC *controller, int key, QWidget *parent)
{
    return ShowEditWindow(controller, key, [&]() -> QDialog * { return new TfPK(controller, parent); },
                          parent ? parent->windowTitle() : QString());
}
