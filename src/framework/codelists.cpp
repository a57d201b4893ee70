#include "framework/codelists.h"
#include "framework/rowcachemodel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

QString codeListSelect(const QString &alias, const QString &table)
{
    return QStringLiteral(" SELECT ") + alias + QStringLiteral(".* ,'") + QStringLiteral(" ")
           + QStringLiteral("' as oznac FROM ") + table + QLatin1Char(' ') + alias;
}

TckKey tckKey(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    TckKey result;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return result;
    if (key == Qt::Key_A) {
        result.handled = result.store = true;
        result.value = QStringLiteral("A");
    } else if (key == Qt::Key_N || key == Qt::Key_Space) {
        result.handled = result.store = true;
        result.value = QStringLiteral(" ");
    } else if (!text.isEmpty() && text.at(0).isPrint()) {
        result.handled = true;
    }
    return result;
}

namespace {
// The price-list columns the two type editors list, under the alias CEN.
QString cenikSelect(const QStringList &columns)
{
    QString list;
    for (const QString &c : columns)
        list += (list.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("CEN.") + c;
    return QStringLiteral(" SELECT ") + list + QStringLiteral(" ,' ' as oznac FROM CENIK CEN");
}
} // namespace

// --- price-list types ---------------------------------------------------------------------

TfHPTypy::TfHPTypy(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fHPTypy"));
    setWindowTitle(QStringLiteral("Tarko 8: Typy HP"));
    SetCodeListTable(QStringLiteral("CENIK"));
    setBaseSelect(cenikSelect({QStringLiteral("UNCIS"), QStringLiteral("KLIC"), QStringLiteral("CSEKCE"),
                               QStringLiteral("KOD"), QStringLiteral("POPIS"), QStringLiteral("VYROBCE"),
                               QStringLiteral("DRUH"), QStringLiteral("ZKTL"), QStringLiteral("SKUPPROH"),
                               QStringLiteral("TCK")}));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    filters().SetVariable(QStringLiteral("CSEKCE"), Section);
    defaults().SetVariable(QStringLiteral("CSEKCE"), Section);
    addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"));
    addColumn(QStringLiteral("DRUH"), QStringLiteral("Druh"));
    addColumn(QStringLiteral("ZKTL"), QStringLiteral("Zk. tlak"));
    addColumn(QStringLiteral("SKUPPROH"), QStringLiteral("Skup."));
    // written by its key rule only, never through a cell editor
    addColumn(QStringLiteral("TCK"), QStringLiteral("TCK"), false);
    setGridKeyHandler([this](QKeyEvent *e) {
        const QModelIndex current = grid()->currentIndex();
        if (!current.isValid() || model()->fieldOfColumn(current.column()) != QLatin1String("TCK")
            || isEditingCell())
            return false;
        const TckKey k = tckKey(e->key(), e->modifiers(), e->text());
        if (k.store)
            setCellValue(current.row(), QStringLiteral("TCK"), k.value);
        return k.handled;
    });
    FormCreate();
}

TfPVTypy::TfPVTypy(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fPVTypy"));
    setWindowTitle(QStringLiteral("Tarko 8: Typy PV"));
    SetCodeListTable(QStringLiteral("CENIK"));
    setBaseSelect(cenikSelect({QStringLiteral("UNCIS"), QStringLiteral("KLIC"), QStringLiteral("CSEKCE"),
                               QStringLiteral("KOD"), QStringLiteral("POPIS"), QStringLiteral("VYROBCE"),
                               QStringLiteral("DRUH"), QStringLiteral("ZKTL"), QStringLiteral("PRUMHUB"),
                               QStringLiteral("SKUPPROH")}));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    filters().SetVariable(QStringLiteral("CSEKCE"), Section);
    defaults().SetVariable(QStringLiteral("CSEKCE"), Section);
    addColumn(QStringLiteral("KOD"), QStringLiteral("Kód"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    addColumn(QStringLiteral("VYROBCE"), QStringLiteral("Výrobce"));
    addColumn(QStringLiteral("DRUH"), QStringLiteral("Druh"));
    addColumn(QStringLiteral("ZKTL"), QStringLiteral("Koef."));
    addColumn(QStringLiteral("PRUMHUB"), QStringLiteral("Prum. hub."));
    addColumn(QStringLiteral("SKUPPROH"), QStringLiteral("Sk. proh."));
    FormCreate();
}

// --- one-column lists --------------------------------------------------------------------

TfHPStavy::TfHPStavy(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fHPStavy"));
    setWindowTitle(QStringLiteral("Tarko 8: stavy HP"));
    SetCodeListTable(QStringLiteral("S_STAV"));
    setBaseSelect(codeListSelect(QStringLiteral("sta"), QStringLiteral("S_STAV")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("TYP"), QStringLiteral("Typ"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));

    // the movement states a condition's type stands for
    auto *legend = new QGroupBox(QStringLiteral("Stavy pohybu HP"), this);
    legend->setObjectName(QStringLiteral("gbStavyPohybu"));
    auto *text = new QLabel(QStringLiteral("1 - HP zkontrolován, zůstává u zákazníka\n"
                                           "2 - HP převzat do opravy výměna za jiný\n"
                                           "3 - HP vyřazen převzat na likvidaci\n"
                                           "4 - HP převzat do opravy vrácen stejný\n"
                                           "5 - HP vyřazen, zůstává u zákazníka\n"
                                           "6 - dodán HP po opravě za odebraný HP (2)\n"
                                           "7 - dodán nový HP za za odebraný HP (2)\n"
                                           "8 - dodán HP po opravě za vyřazený (5)\n"
                                           "9 - dodán nový HP navíc nebo za vyřazený (3,5)\n"
                                           "10 - zlikvidován ze skladu"),
                            legend);
    auto *legendLayout = new QVBoxLayout(legend);
    legendLayout->addWidget(text);
    addBelowGrid(legend);
    FormCreate();
}

TfHPUmist::TfHPUmist(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fHPUmist"));
    setWindowTitle(QStringLiteral("Tarko 8: Umístění HP"));
    SetCodeListTable(QStringLiteral("S_UMIST"));
    setBaseSelect(codeListSelect(QStringLiteral("umi"), QStringLiteral("S_UMIST")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfHPPozice::TfHPPozice(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fHPPozice"));
    setWindowTitle(QStringLiteral("Tarko 8: pozice HP"));
    SetCodeListTable(QStringLiteral("POZICE"));
    setBaseSelect(codeListSelect(QStringLiteral("poz"), QStringLiteral("POZICE")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfHPSezOprVyr::TfHPSezOprVyr(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fHPSezOprVyr"));
    setWindowTitle(QStringLiteral("Tarko 8: seznam oprav a vyřazení"));
    SetCodeListTable(QStringLiteral("S_OPRTXT"));
    setBaseSelect(codeListSelect(QStringLiteral("sez"), QStringLiteral("S_OPRTXT")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVUmist::TfPVUmist(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fPVUmist"));
    setWindowTitle(QStringLiteral("Tarko 8: Umístění PV"));
    SetCodeListTable(QStringLiteral("S_VUMIST"));
    setBaseSelect(codeListSelect(QStringLiteral("umi"), QStringLiteral("S_VUMIST")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVOznaceni::TfPVOznaceni(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fPVOznaceni"));
    setWindowTitle(QStringLiteral("Tarko 8: označení"));
    SetCodeListTable(QStringLiteral("S_VOZNAC"));
    setBaseSelect(codeListSelect(QStringLiteral("sez"), QStringLiteral("S_VOZNAC")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVVybav::TfPVVybav(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fPVVybav"));
    setWindowTitle(QStringLiteral("Tarko 8: Vybavení"));
    SetCodeListTable(QStringLiteral("S_VYBAV"));
    setBaseSelect(codeListSelect(QStringLiteral("sez"), QStringLiteral("S_VYBAV")));
    setOrderBy(QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfSekce::TfSekce(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fSekce"));
    setWindowTitle(QStringLiteral("Tarko 8: Názvy sekcí ceníku"));
    SetCodeListTable(QStringLiteral("NAZSEKCE"));
    setBaseSelect(codeListSelect(QStringLiteral("sek"), QStringLiteral("NAZSEKCE")));
    setOrderBy(QStringLiteral(" ORDER BY CSEKCE "));
    addColumn(QStringLiteral("CSEKCE"), QStringLiteral("Číslo"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfKatVodHKon::TfKatVodHKon(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    setObjectName(QStringLiteral("fKatVodHKon"));
    setWindowTitle(QStringLiteral("Tarko 8: Prováděné kontroyl PV"));
    SetCodeListTable(QStringLiteral("KATVODHKON"));
    setBaseSelect(codeListSelect(QStringLiteral("poz"), QStringLiteral("KATVODHKON")));
    setOrderBy(QStringLiteral(" ORDER BY KONTROLA "));
    addColumn(QStringLiteral("KONTROLA"), QStringLiteral("Popis kontroly"));
    FormCreate();
}
