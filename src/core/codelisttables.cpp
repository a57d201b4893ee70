#include "core/codelisttables.h"

#include <QStringList>

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

QVector<CodeListTable> declareCodeLists()
{
    const QString byPopis = QStringLiteral(" ORDER BY POPIS ");
    const CodeListColumn popis{QStringLiteral("POPIS"), QStringLiteral("Popis")};
    // a list of descriptions alone
    const auto texts = [&](CodeList id, const char *objectName, const char *caption, const char *table,
                           const char *alias) {
        const QString name = QString::fromLatin1(table);
        return CodeListTable{id, QString::fromLatin1(objectName), QString::fromUtf8(caption), name,
                             codeListSelect(QString::fromLatin1(alias), name), byPopis, 0, {popis}, {}};
    };
    // the items of one price-list section; only the shown columns are read, so the
    // columns it does not show keep the table's defaults in new rows
    const auto priceListTypes = [&](CodeList id, const char *objectName, const char *caption, int section,
                                    const QVector<CodeListColumn> &columns) {
        QStringList read = {QStringLiteral("UNCIS"), QStringLiteral("KLIC"), QStringLiteral("CSEKCE")};
        for (const CodeListColumn &c : columns)
            read << c.field;
        const QString select = QStringLiteral(" SELECT CEN.") + read.join(QStringLiteral(", CEN."))
                               + QStringLiteral(" ,' ' as oznac FROM CENIK CEN");
        return CodeListTable{id, QString::fromLatin1(objectName), QString::fromUtf8(caption), QStringLiteral("CENIK"),
                             select, byPopis, section, columns, {}};
    };
    const CodeListColumn kod{QStringLiteral("KOD"), QStringLiteral("Kód")};
    const CodeListColumn vyrobce{QStringLiteral("VYROBCE"), QStringLiteral("Výrobce")};
    const CodeListColumn druh{QStringLiteral("DRUH"), QStringLiteral("Druh")};

    return {
        {CodeList::Sekce, QStringLiteral("fSekce"), QStringLiteral("Tarko 8: Názvy sekcí ceníku"),
         QStringLiteral("NAZSEKCE"), codeListSelect(QStringLiteral("sek"), QStringLiteral("NAZSEKCE")),
         QStringLiteral(" ORDER BY CSEKCE "), 0,
         {{QStringLiteral("CSEKCE"), QStringLiteral("Číslo")}, popis}, {}},
        priceListTypes(CodeList::HPTypy, "fHPTypy", "Tarko 8: Typy HP", 7,
                       {kod, popis, vyrobce, druh, {QStringLiteral("ZKTL"), QStringLiteral("Zk. tlak"), CodeListColumn::Typed, DisplayFormat::Quantity},
                        {QStringLiteral("SKUPPROH"), QStringLiteral("Skup.")},
                        {QStringLiteral("TCK"), QStringLiteral("TCK"), CodeListColumn::TckRule}}),
        {CodeList::HPStavy, QStringLiteral("fHPStavy"), QStringLiteral("Tarko 8: stavy HP"), QStringLiteral("S_STAV"),
         codeListSelect(QStringLiteral("sta"), QStringLiteral("S_STAV")), byPopis, 0,
         {{QStringLiteral("TYP"), QStringLiteral("Typ")}, popis},
         // the movement states a condition's type stands for
         {QStringLiteral("gbStavyPohybu"), QStringLiteral("Stavy pohybu HP"),
          QStringLiteral("1 - HP zkontrolován, zůstává u zákazníka\n"
                         "2 - HP převzat do opravy výměna za jiný\n"
                         "3 - HP vyřazen převzat na likvidaci\n"
                         "4 - HP převzat do opravy vrácen stejný\n"
                         "5 - HP vyřazen, zůstává u zákazníka\n"
                         "6 - dodán HP po opravě za odebraný HP (2)\n"
                         "7 - dodán nový HP za za odebraný HP (2)\n"
                         "8 - dodán HP po opravě za vyřazený (5)\n"
                         "9 - dodán nový HP navíc nebo za vyřazený (3,5)\n"
                         "10 - zlikvidován ze skladu")}},
        texts(CodeList::HPUmist, "fHPUmist", "Tarko 8: Umístění HP", "S_UMIST", "umi"),
        texts(CodeList::HPPozice, "fHPPozice", "Tarko 8: pozice HP", "POZICE", "poz"),
        texts(CodeList::HPSezOprVyr, "fHPSezOprVyr", "Tarko 8: seznam oprav a vyřazení", "S_OPRTXT", "sez"),
        priceListTypes(CodeList::PVTypy, "fPVTypy", "Tarko 8: Typy PV", 11,
                       {kod, popis, vyrobce, druh, {QStringLiteral("ZKTL"), QStringLiteral("Koef."), CodeListColumn::Typed, DisplayFormat::Quantity},
                        {QStringLiteral("PRUMHUB"), QStringLiteral("Prum. hub."), CodeListColumn::Typed, DisplayFormat::Quantity},
                        {QStringLiteral("SKUPPROH"), QStringLiteral("Sk. proh.")}}),
        texts(CodeList::PVUmist, "fPVUmist", "Tarko 8: Umístění PV", "S_VUMIST", "umi"),
        texts(CodeList::PVOznaceni, "fPVOznaceni", "Tarko 8: označení", "S_VOZNAC", "sez"),
        texts(CodeList::PVVybav, "fPVVybav", "Tarko 8: Vybavení", "S_VYBAV", "sez"),
        {CodeList::KatVodHKon, QStringLiteral("fKatVodHKon"), QStringLiteral("Tarko 8: Prováděné kontroyl PV"),
         QStringLiteral("KATVODHKON"), codeListSelect(QStringLiteral("poz"), QStringLiteral("KATVODHKON")),
         QStringLiteral(" ORDER BY KONTROLA "), 0,
         {{QStringLiteral("KONTROLA"), QStringLiteral("Popis kontroly")}}, {}},
    };
}

} // namespace

const QVector<CodeListTable> &codeListTables()
{
    static const QVector<CodeListTable> tables = declareCodeLists();
    return tables;
}

const CodeListTable &codeListTable(CodeList id)
{
    const QVector<CodeListTable> &tables = codeListTables();
    for (const CodeListTable &t : tables)
        if (t.id == id)
            return t;
    Q_UNREACHABLE();
}
