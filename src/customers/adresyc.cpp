#include "customers/adresyc.h"

const QString TfAdresyC::ListFrom = QStringLiteral(
    " FROM ADRESAR ADR  LEFT OUTER JOIN FIRMY FIR ON (ADR.UNCIS = FIR.UNCH) "
    " LEFT OUTER JOIN STREDISKA STR ON (ADR.UNCIS = STR.UNCH) ");

namespace {
bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}
} // namespace

int TfAdresyC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("ADRESAR")) < 0)
        return -1;
    if (AllocateItemTables(3) < 0)
        return -1;
    if (DefineItemTable(Firmy, QStringLiteral("FIRMY")) < 0
        || DefineItemTable(Objekty, QStringLiteral("S_OBJEKT")) < 0
        || DefineItemTable(Strediska, QStringLiteral("STREDISKA")) < 0)
        return -1;
    objekty().orderBy = QStringLiteral(" ORDER BY PORADI ");
    objekty().copyOrder = QStringLiteral("PORADI, UNCIS");
    strediska().orderBy = QStringLiteral(" ORDER BY STREDISKO ");
    strediska().copyOrder = QStringLiteral("STREDISKO, UNCIS");
    SetListQuery(ListFrom, QStringLiteral("ADR"));
    // The grid layout adds its columns; these few stand in when no layout is chosen.
    setListColumns(QStringLiteral("ADR.KOD as ADRKOD, ADR.NAZEV as ADRNAZEV, ADR.MESTO as ADRMESTO, "
                                  "STR.STREDISKO as STRSTREDISKO, ADR.UnCis"));
    setOrderBy(QStringLiteral(" ORDER BY ADR.NAZEV "));
    return 0;
}

int TfAdresyC::AfterNewHeaderRow()
{
    // Written explicitly, a column never takes its table default: without these a new
    // entry would be stored with no kind and no hidden flag, and the pickers would not
    // know what to make of it.
    RowCache &h = header();
    if (isEmptyValue(h.value(QStringLiteral("SESTADR"))))
        h.setValue(QStringLiteral("SESTADR"), QStringLiteral("N"));
    if (isEmptyValue(h.value(QStringLiteral("TYP"))))
        h.setValue(QStringLiteral("TYP"), 1);
    return 0;
}

int TfAdresyC::AfterInsertRecord()
{
    // A copy brings the source's commercial extension along (AfterCopyRecord); an own
    // one here would leave the copy with two.
    if (isCopying())
        return 0;
    const int r = ensureCommercialRow();
    return r < 0 ? r : 0;
}

int TfAdresyC::AfterCopyRecord()
{
    // the source had no commercial extension: the copy starts with one like any entry
    const int r = ensureCommercialRow();
    return r < 0 ? r : 0;
}

int TfAdresyC::ensureCommercialRow()
{
    RowCache &rows = *firmy().cache;
    if (rows.rowCount() > 0)
        return rows.value(0, QStringLiteral("UNCIS")).toInt();
    if (readOnly() || header().currentRow() < 0)
        return ResNoKey;
    return AppendItem(firmy());
}

int TfAdresyC::BeforeSaveRecord()
{
    RowCache &h = header();
    if (h.currentRow() < 0)
        return 0;
    const int typ = h.value(QStringLiteral("TYP")).toInt();
    if (typ < 2 || typ > 4)
        return 0;
    // a person's name is made of the surname and the first name
    const QString nazev = h.value(QStringLiteral("PRIJMENI")).toString().trimmed() + QLatin1Char(' ')
                          + h.value(QStringLiteral("JMENO")).toString().trimmed();
    if (h.value(QStringLiteral("NAZEV")).toString() == nazev)
        return 0;
    return h.setValue(QStringLiteral("NAZEV"), nazev) ? 0 : -2;
}

int TfAdresyC::NovyObjekt()
{
    RowCache &rows = *objekty().cache;
    int last = 0;
    for (int r = 0; r < rows.rowCount(); ++r)
        last = qMax(last, rows.value(r, QStringLiteral("PORADI")).toInt());
    objekty().defaults.SetVariable(QStringLiteral("PORADI"), last + 1);
    const int key = AppendItem(objekty());
    objekty().defaults.remove(QStringLiteral("PORADI"));
    return key;
}

int TfAdresyC::NoveStredisko()
{
    // The site starts with the entry's periods; later changes of the entry's periods
    // leave the existing sites alone.
    static const char *periods[] = {"PERPV", "PERHP", "PERPK"};
    for (const char *p : periods)
        strediska().defaults.SetVariable(QString::fromLatin1(p), header().value(QString::fromLatin1(p)));
    const int key = AppendItem(strediska());
    for (const char *p : periods)
        strediska().defaults.remove(QString::fromLatin1(p));
    return key;
}

int TfAdresyC::SmazatObjekt()
{
    if (objekty().cache->currentRow() < 0)
        return ResItemDeleteFailed;
    return DeleteItem(objekty(), 0, objekty().table);
}

int TfAdresyC::SmazatStredisko()
{
    if (strediska().cache->currentRow() < 0)
        return ResItemDeleteFailed;
    return DeleteItem(strediska(), 0, strediska().table);
}

int TfAdresyC::OdebratCenik()
{
    if (readOnly() || header().currentRow() < 0)
        return -1;
    return header().setValue(QStringLiteral("UNCCEN"), QVariant(QMetaType(QMetaType::Int))) ? 0 : -1;
}

QVector<LookupItem> TfAdresyC::PriceListChoices() const
{
    return readLookup(dm(), QStringLiteral("select UnCis, Nazev from CenUzH order by Nazev"));
}
