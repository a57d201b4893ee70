#include "commerce/cenikc.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

#include <QSqlQuery>
#include <algorithm>
#include <QVariant>

QString sectionCondition(const QString &column, const QVector<int> &sections)
{
    QStringList numbers;
    for (int s : sections) {
        const QString n = QString::number(s);
        if (!numbers.contains(n))
            numbers << n;
    }
    if (numbers.isEmpty())
        return QStringLiteral("(1 = 0)");
    return column + QStringLiteral(" IN (") + numbers.join(QLatin1Char(',')) + QLatin1Char(')');
}

namespace {

// The document lines that point to a price-list item. Each table is asked only once it
// exists in the database, so the check grows with the documents the program keeps.
struct ItemReference
{
    const char *table;
    const char *column;
    const char *documents;   // what the user is told
};

const ItemReference ItemReferences[] = {
    {"PR_TAB", "UNCCEN", "kontroly hasicích přístrojů"},
    {"VOD_TAB", "UNCCEN", "kontroly požárních vodovodů"},
    {"DILNA", "UNCCEN", "dílenské opravy"},
    {"DILVYR", "UNCVYR", "díly a výkony k HP"},
    {"DILVYR", "UNCDIL", "díly a výkony k HP"},
    {"DODAK", "UNCCEN", "dodací listy"},
    {"DODDIL", "UNCCEN", "dodací listy"},
    {"FAK_POL", "UNCCEN", "faktury"},
    {"SKLADPREVODP", "UNCMAT", "výdejky - příjemky"},
    {"OBJVYDP", "UNCMAT", "objednávky"},
};

bool isEmptyValue(const QVariant &v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}

} // namespace

// --- TfCenikC ------------------------------------------------------------------------

const QString TfCenikC::ListFrom = QStringLiteral(" from CENIK CEN,  SKLADSUMFIR SSF WHERE CEN.UNCIS = SSF.UNCMAT ");
const QString TfCenikC::ListColumns = QStringLiteral(
    "CEN.UnCis,CEN.CENNAK, CEN.DPH, CEN.JEDN, CEN.KOD, CEN.POPIS, SSF.MNOZSTVI, 0 as Objednat");

int TfCenikC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("CENIK")) < 0)
        return -1;
    setBaseListFrom(ListFrom);
    setListColumns(ListColumns);
    setOrderBy(QStringLiteral(" ORDER BY CEN.POPIS "));
    return 0;
}

void TfCenikC::setBaseListFrom(const QString &from)
{
    m_baseFrom = from;
    composeListFrom();
}

void TfCenikC::composeListFrom()
{
    QStringList conditions;
    if (m_sections)
        conditions << sectionCondition(QStringLiteral("CEN.CSEKCE"), *m_sections);
    if (m_limitView == BelowLimit)
        conditions << QStringLiteral("SSF.MNOZSTVI < CEN.LIMIT");
    else if (m_limitView == BelowCriticalLimit)
        conditions << QStringLiteral("SSF.MNOZSTVI < CEN.LIMIT2");
    QString from = m_baseFrom;
    bool hasWhere = from.toUpper().contains(QLatin1String(" WHERE "));
    for (const QString &c : conditions) {
        from += (hasWhere ? QStringLiteral(" AND ") : QStringLiteral(" WHERE ")) + c + QLatin1Char(' ');
        hasWhere = true;
    }
    SetListQuery(from, QStringLiteral("CEN"));
}

void TfCenikC::setSections(const QVector<int> &sections)
{
    m_sections = sections;
    composeListFrom();
}

void TfCenikC::clearSections()
{
    m_sections.reset();
    composeListFrom();
}

void TfCenikC::setLimitView(LimitView view)
{
    m_limitView = view;
    composeListFrom();
}

int TfCenikC::AfterNewHeaderRow()
{
    // Written explicitly, a column never takes its table default: a new item would be
    // stored without prices, VAT class and stock flag, and price to nothing.
    RowCache &h = header();
    if (isEmptyValue(h.value(QStringLiteral("DPH"))))
        h.setValue(QStringLiteral("DPH"), QStringLiteral("Z"));
    if (isEmptyValue(h.value(QStringLiteral("PRENOSSKL"))))
        h.setValue(QStringLiteral("PRENOSSKL"), QStringLiteral("N"));
    static const char *const zeros[] = {"CENPRO", "CENNAK", "POCPRO", "POCPRO2", "POCPRO3", "POCPRO4",
                                        "CENPRO2", "CENPRO3", "CENPRO4", "CENPRO5", "LIMIT", "LIMIT2"};
    for (const char *z : zeros) {
        const QString field = QString::fromLatin1(z);
        if (h.value(field).isNull())
            h.setValue(field, 0);
    }
    // without a section the item would show in no section's list
    if (m_sections && isEmptyValue(h.value(QStringLiteral("CSEKCE")))) {
        QVector<int> shown = *m_sections;
        std::sort(shown.begin(), shown.end());
        shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
        if (shown.size() == 1)
            h.setValue(QStringLiteral("CSEKCE"), shown.first());
    }
    return 0;
}

QVector<LookupItem> sectionChoices(TDMPro *dm)
{
    QMap<int, QString> names;
    for (const LookupItem &n : readLookup(dm, QStringLiteral("SELECT CSEKCE, POPIS FROM NAZSEKCE ORDER BY CSEKCE")))
        names.insert(n.key.toInt(), n.text);
    QVector<LookupItem> sections;
    for (int s = 1; s <= TfCenikC::SectionCount; ++s) {
        LookupItem item{s, QString::number(s), {}};
        if (!names.value(s).isEmpty())
            item.extra << names.value(s);
        sections << item;
    }
    return sections;
}

QStringList TfCenikC::documentsUsing(int key, bool *ok) const
{
    if (ok)
        *ok = true;
    QStringList found;
    QSqlQuery exists = dm()->NewQuery();
    exists.setForwardOnly(true);
    if (!prepareSql(exists, QStringLiteral("SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = :T "
                                           "AND RDB$FIELD_NAME = :C"))) {
        if (ok)
            *ok = false;
        return found;
    }
    for (const ItemReference &r : ItemReferences) {
        const QString documents = QString::fromUtf8(r.documents);
        if (found.contains(documents))
            continue;
        const QString table = QString::fromLatin1(r.table), column = QString::fromLatin1(r.column);
        if (!execSql(exists, {{QStringLiteral("T"), table}, {QStringLiteral("C"), column}}) || !exists.next()) {
            if (ok)
                *ok = false;
            continue;
        }
        const bool present = exists.value(0).toInt() > 0;
        exists.finish();
        if (!present)
            continue;
        // table and column come from the list above, never from the user
        QSqlQuery q = runSql(dm(), QStringLiteral("SELECT FIRST 1 1 FROM ") + table + QStringLiteral(" WHERE ") + column
                                       + QStringLiteral(" = :KEY"),
                             {{QStringLiteral("KEY"), key}});
        if (!q.isActive()) {
            if (ok)
                *ok = false;
            continue;
        }
        if (q.next())
            found << documents;
    }
    return found;
}

QVector<LookupItem> TfCenikC::SupplierChoices() const
{
    return readLookup(dm(), QStringLiteral("select UnCis, NAZEV,Mesto from  ADRESAR WHERE TYP = 1 ORDER BY NAZEV"));
}

bool TfCenikC::CanDelete(int key)
{
    bool ok = true;
    const QStringList documents = documentsUsing(key, &ok);
    if (!ok) {
        Prompt::warning(QStringLiteral("Nelze zjistit, zda položku nepoužívají doklady.\nPoložka nebyla smazána."),
                        QStringLiteral("Smazání položky ceníku"));
        return false;
    }
    if (!documents.isEmpty()) {
        // the lines keep only the item's key: without the item they would lose their
        // description, unit and price for good
        Prompt::warning(QStringLiteral("Položku nelze smazat, používají ji doklady: ") + documents.join(QStringLiteral(", "))
                            + QStringLiteral(".\nPo smazání by jejich řádky ztratily svou položku ceníku."),
                        QStringLiteral("Smazání položky ceníku"));
        return false;
    }
    return true;
}

int TfCenikC::deleteItem(int key, const QString &caption)
{
    if (!CanDelete(key))
        return 1;
    if (DeleteRecord(key) != 0) {
        Prompt::warning(QStringLiteral("Smazání hodnot"), caption);
        return -1;
    }
    return 0;
}

int TfCenikC::BeforeDeleteRecord(int key)
{
    m_deletingKey = 0;
    if (!CanDelete(key)) {
        m_lastError = QStringLiteral("Položku používají doklady.");
        return ResDeleteFailed;
    }
    m_deletingKey = key;
    return 0;
}

int TfCenikC::AfterDeleteRecord()
{
    // Inside the delete's transaction: the item's prices in the user price lists go
    // with it.
    if (m_deletingKey == 0)
        return 0;
    const int deleting = m_deletingKey;
    m_deletingKey = 0;
    if (!runSql(dm(), QStringLiteral("DELETE FROM CENUZP WHERE UNCCEN = :UNCCEN"),
                {{QStringLiteral("UNCCEN"), deleting}}, &m_lastError)
             .isActive())
        return ResDeleteFailed;
    return 0;
}

void TfCenikC::setOrderQuantity(int key, double quantity)
{
    if (quantity == 0.0)
        m_orderQuantities.remove(key);
    else
        m_orderQuantities.insert(key, quantity);
}

QVector<QPair<int, double>> TfCenikC::orderLines() const
{
    QVector<QPair<int, double>> lines;
    for (auto it = m_orderQuantities.constBegin(); it != m_orderQuantities.constEnd(); ++it)
        if (it.value() > 0)
            lines.append({it.key(), it.value()});
    return lines;
}

// --- TfMaterialC ---------------------------------------------------------------------

const QString TfMaterialC::ListFrom = QStringLiteral(" from CENIK CEN ");

int TfMaterialC::DefineEntity()
{
    if (SetHeaderTable(QStringLiteral("CENIK")) < 0)
        return -1;
    setBaseListFrom(ListFrom);
    setListColumns(QStringLiteral("CEN.UnCis, CEN.CSEKCE"));
    setOrderBy(QStringLiteral(" ORDER BY CEN.POPIS "));
    return 0;
}

bool TfMaterialC::setListText(const QString &text)
{
    const int from = text.lastIndexOf(QLatin1String(" from "), -1, Qt::CaseInsensitive);
    if (from < 0)
        return false;
    QString columns = text.left(from).trimmed();
    if (columns.startsWith(QLatin1Char(',')))
        columns = columns.mid(1).trimmed();
    if (columns.isEmpty())
        return false;
    setListColumns(columns);
    setBaseListFrom(text.mid(from));
    return true;
}

void TfMaterialC::setStockOnly(bool on)
{
    m_stockOnly = on;
    if (on)
        filters().SetVariable(QStringLiteral("CEN.PRENOSSKL"), QStringLiteral("A"));
    else
        filters().remove(QStringLiteral("CEN.PRENOSSKL"));
}
