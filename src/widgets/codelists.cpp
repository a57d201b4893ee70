#include "widgets/codelists.h"
#include "core/rowcachemodel.h"

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

// The declarations every code list of one table makes: names, table, SELECT and order.
static void declareCodeList(TfEditSez &list, const QString &objectName, const QString &caption,
                            const QString &table, const QString &alias, const QString &orderBy)
{
    list.setObjectName(objectName);
    list.setWindowTitle(caption);
    list.SetCodeListTable(table);
    list.setBaseSelect(codeListSelect(alias, table));
    list.setOrderBy(orderBy);
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
    declareCodeList(*this, QStringLiteral("fHPStavy"), QStringLiteral("Tarko 8: stavy HP"), QStringLiteral("S_STAV"),
                    QStringLiteral("sta"), QStringLiteral(" ORDER BY POPIS "));
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
    declareCodeList(*this, QStringLiteral("fHPUmist"), QStringLiteral("Tarko 8: Umístění HP"), QStringLiteral("S_UMIST"),
                    QStringLiteral("umi"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfHPPozice::TfHPPozice(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fHPPozice"), QStringLiteral("Tarko 8: pozice HP"), QStringLiteral("POZICE"),
                    QStringLiteral("poz"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfHPSezOprVyr::TfHPSezOprVyr(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fHPSezOprVyr"), QStringLiteral("Tarko 8: seznam oprav a vyřazení"), QStringLiteral("S_OPRTXT"),
                    QStringLiteral("sez"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVUmist::TfPVUmist(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fPVUmist"), QStringLiteral("Tarko 8: Umístění PV"), QStringLiteral("S_VUMIST"),
                    QStringLiteral("umi"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVOznaceni::TfPVOznaceni(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fPVOznaceni"), QStringLiteral("Tarko 8: označení"), QStringLiteral("S_VOZNAC"),
                    QStringLiteral("sez"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfPVVybav::TfPVVybav(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fPVVybav"), QStringLiteral("Tarko 8: Vybavení"), QStringLiteral("S_VYBAV"),
                    QStringLiteral("sez"), QStringLiteral(" ORDER BY POPIS "));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfSekce::TfSekce(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fSekce"), QStringLiteral("Tarko 8: Názvy sekcí ceníku"), QStringLiteral("NAZSEKCE"),
                    QStringLiteral("sek"), QStringLiteral(" ORDER BY CSEKCE "));
    addColumn(QStringLiteral("CSEKCE"), QStringLiteral("Číslo"));
    addColumn(QStringLiteral("POPIS"), QStringLiteral("Popis"));
    FormCreate();
}

TfKatVodHKon::TfKatVodHKon(QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm)
{
    declareCodeList(*this, QStringLiteral("fKatVodHKon"), QStringLiteral("Tarko 8: Prováděné kontroyl PV"), QStringLiteral("KATVODHKON"),
                    QStringLiteral("poz"), QStringLiteral(" ORDER BY KONTROLA "));
    addColumn(QStringLiteral("KONTROLA"), QStringLiteral("Popis kontroly"));
    FormCreate();
}
