#include "templates/templatestore.h"
#include "core/prompt.h"
#include "core/sqlvalue.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <utility>

namespace Templates {

namespace {

using Binding = std::pair<const char *, QVariant>;

using Bindings = QList<Binding>;

void bind(QSqlQuery &q, const Bindings &values)
{
    for (const Binding &b : values)
        q.bindValue(QLatin1String(b.first), b.second);
}

// Runs a prepared statement; false with the database's message.
bool run(QSqlQuery &q, QString &error)
{
    if (q.exec())
        return true;
    error = q.lastError().text();
    return false;
}

bool prepareAndRun(QSqlQuery &q, const QString &sql, const Bindings &values, QString &error)
{
    if (!q.prepare(sql)) {
        error = q.lastError().text();
        return false;
    }
    bind(q, values);
    return run(q, error);
}

// Column values by name from the current row of a query.
class Row
{
public:
    explicit Row(const QSqlQuery &q) : m_q(q), m_record(q.record()) {}

    QVariant value(const char *name) const
    {
        const int i = m_record.indexOf(QLatin1String(name));
        return i < 0 ? QVariant() : readField(m_q, i);
    }
    // Long texts arrive from the driver as bytes in the connection's UTF-8.
    QString text(const char *name) const
    {
        const QVariant v = value(name);
        if (v.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(v.toByteArray());
        return v.toString();
    }
    int integer(const char *name) const { return value(name).toInt(); }
    QDateTime time(const char *name) const { return value(name).toDateTime(); }

private:
    const QSqlQuery &m_q;
    QSqlRecord m_record;
};

// Font columns of GSTAB: face, character set, colour, size and style with one suffix.
ColumnFont readFont(const Row &r, const char *suffix)
{
    auto col = [suffix](const char *base) { return QByteArray(base) + suffix; };
    ColumnFont f;
    const QString name = r.text(col("FNAME").constData()).trimmed();
    if (!name.isEmpty())
        f.name = name;
    bool ok = false;
    const int charset = r.text(col("FCHARSET").constData()).trimmed().toInt(&ok);
    if (ok)
        f.charset = charset;
    f.rgb = decodeColor(r.text(col("FCOLOR").constData()), f.rgb);
    const int size = r.text(col("FSIZE").constData()).trimmed().toInt(&ok);
    if (ok && size > 0)
        f.size = size;
    decodeFontStyle(r.text(col("FSTYLE").constData()).trimmed(), f);
    return f;
}

void readHeader(const Row &r, int key, StoredDesign &d)
{
    d.key = key;
    d.name = r.text("NAZEV");
    d.window = r.text("OKNO");
    d.variant = r.integer("TYPOKNA");
    d.created = r.time("ULOZENO");
    d.changed = r.time("KDY");
}

// The caller's design takes the saved copy only when it was stored.
template <class Design>
int keepStored(Design &design, const Design &saved, int result)
{
    if (result > 0)
        design = saved;
    return result;
}

// The texts of an inspection document go with the header only when the design has them,
// so that saving a list's design leaves the stored ones alone.
Bindings documentTextBindings(const ReportDesign &d)
{
    if (!d.documentTexts)
        return {};
    return {{":Zahlavi", d.header}, {":Zapati", d.footer}, {":Legenda", d.legend}};
}

} // namespace

TemplateStore::TemplateStore(TDMPro *dm)
    : m_dm(dm)
{
}

int TemplateStore::fail(int code, const QString &error, const QString &caption)
{
    m_lastError = error;
    Prompt::warning(error, caption);
    return code;
}

bool TemplateStore::readChangeStamps(const QString &table, int key, QDateTime &created,
                                     QDateTime &changed)
{
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT ULOZENO, KDY FROM ") + table
                   + QStringLiteral(" WHERE UNCIS = :UNCIS")))
        return false;
    q.bindValue(QStringLiteral(":UNCIS"), key);
    if (!q.exec() || !q.next())
        return false;
    created = q.value(0).toDateTime();
    changed = q.value(1).toDateTime();
    return true;
}

int TemplateStore::listDesigns(const QString &table, const QString &window, int variant,
                               const QString &selectionKind, QList<DesignEntry> &out)
{
    out.clear();
    QString sql = QStringLiteral("Select * from ") + table
                  + QStringLiteral(" where okno=:okno and typokna=:typokna");
    if (!selectionKind.isEmpty())
        sql += QStringLiteral(" and TypVyberu = :TypVyberu");
    sql += QStringLiteral(" ORDER BY NAZEV");
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return fail(ResReadFailed, q.lastError().text(), QStringLiteral("Otevření seznamu sestav"));
    q.bindValue(QStringLiteral(":okno"), window);
    q.bindValue(QStringLiteral(":typokna"), variant);
    if (!selectionKind.isEmpty())
        q.bindValue(QStringLiteral(":TypVyberu"), selectionKind);
    if (!q.exec())
        return fail(ResReadFailed, q.lastError().text(), QStringLiteral("Otevření seznamu sestav"));
    while (q.next()) {
        const Row r(q);
        DesignEntry e;
        e.key = r.integer("UNCIS");
        e.name = r.text("NAZEV");
        e.created = r.time("ULOZENO");
        e.changed = r.time("KDY");
        e.selectionKind = r.text("TYPVYBERU");
        out << e;
    }
    return out.size();
}

int TemplateStore::deleteDesign(const QString &header, const QString &items, int key)
{
    QString error;
    TransactionGuard guard(m_dm);
    bool ok = guard.isActive();
    if (!ok)
        error = guard.lastError();
    QSqlQuery q = m_dm->NewQuery();
    ok = ok
         && prepareAndRun(q, QStringLiteral("delete from ") + items + QStringLiteral(" where unch=:unch"),
                          {{":unch", key}}, error)
         && prepareAndRun(q, QStringLiteral("delete from ") + header + QStringLiteral(" where uncis=:uncis"),
                          {{":uncis", key}}, error);
    if (ok && !guard.commit()) {
        ok = false;
        error = guard.lastError();
    }
    if (!ok) {
        m_lastError = error;
        Prompt::error(QStringLiteral("Chyba při mazání návrhu sestavy"), QStringLiteral("Chyba!"));
        return ResDeleteFailed;
    }
    return 0;
}

// --- reports ---------------------------------------------------------------------

int TemplateStore::loadDesign(const QString &headerTable, const QString &itemsSql, int key,
                              StoredDesign &design, const std::function<void(const QSqlQuery &)> &onHeader,
                              const std::function<void(const QSqlQuery &)> &onItem,
                              const std::function<void()> &reset)
{
    static const QString caption = QStringLiteral("Zobrazení návrhu sestavy");
    reset();
    if (key <= 0)
        return 0;
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("select * from ") + headerTable + QStringLiteral(" where uncis=:uncis")))
        return fail(ResReadFailed, q.lastError().text(), caption);
    q.bindValue(QStringLiteral(":uncis"), key);
    if (!q.exec())
        return fail(ResReadFailed, q.lastError().text(), caption);
    if (!q.next())
        return 0;
    readHeader(Row(q), key, design);
    if (onHeader)
        onHeader(q);
    q.clear();
    if (!q.prepare(itemsSql))
        return fail(ResReadFailed, q.lastError().text(), caption);
    q.bindValue(QStringLiteral(":unch"), key);
    if (!q.exec()) {
        const QString error = q.lastError().text();
        reset();
        return fail(ResReadFailed, error, caption);
    }
    while (q.next())
        onItem(q);
    return key;
}

int TemplateStore::loadReport(int key, ReportDesign &design)
{
    return loadDesign(
        QStringLiteral("GSHlav"), QStringLiteral("select * from GSTab where unch=:unch Order by Poradi"), key, design,
        [&](const QSqlQuery &q) {
            const Row r(q);
            design.title1 = r.text("NADP1");
            design.title2 = r.text("NADP2");
            design.orientation = r.integer("ORIENTACE") == Landscape ? Landscape : Portrait;
            design.settings = r.text("OSTNAS");
            design.header = r.text("ZAHLAVI");
            design.footer = r.text("ZAPATI");
            design.legend = r.text("LEGENDA");
            design.documentTexts = !design.header.isEmpty() || !design.footer.isEmpty()
                                   || !design.legend.isEmpty();
        },
        [&](const QSqlQuery &q) {
            const Row r(q);
            ReportColumn c;
            c.key = r.integer("UNCIS");
            c.name = r.text("NAZEV");
            c.caption = r.text("NAPIS");
            c.width = r.integer("SIRKA");
            c.valueAlignment = alignmentFromCode(r.integer("ZAROVH"));
            c.captionAlignment = alignmentFromCode(r.integer("ZAROVN"));
            c.sum = r.integer("SUMA") == 1;
            c.valueFont = readFont(r, "H");
            c.captionFont = readFont(r, "N");
            c.left = r.integer("PORADI");
            c.itemKey = r.integer("UNCPOL");
            design.columns << c;
        },
        [&] { design = ReportDesign(); });
}

int TemplateStore::saveDesign(const QString &header, const QString &items, StoredDesign &design,
                              const QString &noNameMessage, const QString &caption,
                              const Statement &update, const Statement &insert, const QString &itemSql,
                              int itemCount, const ItemBinder &bindItem)
{
    design.name = design.name.trimmed();
    if (design.name.isEmpty()) {
        Prompt::information(noNameMessage, QStringLiteral("Uložení"));
        return ResNoName;
    }
    QString error;
    TransactionGuard guard(m_dm);
    if (!guard.isActive())
        return fail(ResSaveFailed, guard.lastError(), caption);
    QSqlQuery q = m_dm->NewQuery();
    bool stored = false;
    if (design.key > 0) {
        if (!update(q, error))
            return fail(ResSaveFailed, error, caption);
        // a design another workstation deleted meanwhile is stored again as a new one
        stored = q.numRowsAffected() > 0;
    }
    if (!stored) {
        const qint64 key = m_dm->NextKey(header);
        if (key <= 0)
            return fail(ResSaveFailed, QStringLiteral("Nelze získat klíč nového záznamu."), caption);
        design.key = int(key);
        if (!insert(q, error))
            return fail(ResSaveFailed, error, caption);
    }
    if (!prepareAndRun(q, QStringLiteral("delete from ") + items + QStringLiteral(" where unch=:unch"),
                       {{":unch", design.key}}, error))
        return fail(ResSaveFailed, error, caption);
    if (!q.prepare(itemSql))
        return fail(ResSaveFailed, q.lastError().text(), caption);
    // keys rise in the order given, which is the order filter conditions apply in
    for (int i = 0; i < itemCount; ++i) {
        const qint64 key = m_dm->NextKey(items);
        if (key <= 0)
            return fail(ResSaveFailed, QStringLiteral("Nelze získat klíč nového záznamu."), caption);
        bindItem(q, i, int(key));
        if (!run(q, error))
            return fail(ResSaveFailed, error, caption);
    }
    if (!guard.commit())
        return fail(ResSaveFailed, guard.lastError(), caption);

    readChangeStamps(header, design.key, design.created, design.changed);
    return design.key;
}

int TemplateStore::saveReport(ReportDesign &design)
{
    ReportDesign d = design;
    d.title1 = d.title1.trimmed();
    d.title2 = d.title2.trimmed();
    for (ReportColumn &c : d.columns)
        c.caption = storedCaption(c.caption);
    return keepStored(design, d, saveDesign(
        QStringLiteral("GSHLAV"), QStringLiteral("GSTAB"), d, QStringLiteral("Zadejte prosím název seznamu"),
        QStringLiteral("Uložení návrhu sestavy"),
        [&](QSqlQuery &q, QString &error) {
            QString sql = QStringLiteral("UPDATE GSHLAV set Nazev = :Nazev,Nadp1 = :Nadp1, Nadp2 = :Nadp2, "
                                         "Okno = :Okno, TypOkna = :TypOkna, Orientace = :Orientace,  "
                                         "OstNas = :OstNas");
            if (d.documentTexts)
                sql += QStringLiteral(", Zahlavi = :Zahlavi, Zapati = :Zapati, Legenda = :Legenda");
            sql += QStringLiteral("  WHERE UnCis = :UnCis ");
            return prepareAndRun(q, sql,
                                 Bindings{{":Nazev", d.name}, {":Nadp1", d.title1}, {":Nadp2", d.title2},
                                          {":Okno", d.window}, {":TypOkna", d.variant},
                                          {":Orientace", int(d.orientation)}, {":OstNas", d.settings},
                                          {":UnCis", d.key}}
                                     + documentTextBindings(d),
                                 error);
        },
        [&](QSqlQuery &q, QString &error) {
            QString columns = QStringLiteral("Uncis,Nazev,Nadp1,Nadp2,Okno,TypOkna,Ulozeno,Orientace,OstNas");
            QString values = QStringLiteral(":Uncis,:Nazev,:Nadp1,:Nadp2,:Okno,:TypOkna,:Ulozeno,:Orientace,:OstNas");
            if (d.documentTexts) {
                columns += QStringLiteral(",Zahlavi,Zapati,Legenda");
                values += QStringLiteral(",:Zahlavi,:Zapati,:Legenda");
            }
            return prepareAndRun(q,
                                 QStringLiteral("Insert into GSHLAV (") + columns + QStringLiteral(") values (")
                                     + values + QStringLiteral(")"),
                                 Bindings{{":Uncis", d.key}, {":Nazev", d.name}, {":Nadp1", d.title1},
                                          {":Nadp2", d.title2}, {":Okno", d.window}, {":TypOkna", d.variant},
                                          {":Ulozeno", QDateTime::currentDateTime()},
                                          {":Orientace", int(d.orientation)}, {":OstNas", d.settings}}
                                     + documentTextBindings(d),
                                 error);
        },
        QStringLiteral(
            "Insert into GSTAB (Uncis,UnCH,Nazev,Napis,Sirka,ZarovH,ZarovN,Suma,FNameH, FCharsetH, "
            "FColorH, FSizeH, FStyleH, FNameN, FCharsetN, FColorN, FSizeN, FStyleN,Poradi,UnCPol ) "
            "values (:Uncis,:UnCH,:Nazev,:Napis,:Sirka,:ZarovH,:ZarovN,:Suma,:FNameH,:FCharsetH,"
            ":FColorH,:FSizeH,:FStyleH,:FNameN,:FCharsetN,:FColorN,:FSizeN,:FStyleN,:Poradi,:UnCPol)"),
        int(d.columns.size()), [&](QSqlQuery &q, int i, int key) {
            ReportColumn &c = d.columns[i];
            c.key = key;
            bind(q, {{":Uncis", c.key}, {":UnCH", d.key}, {":Nazev", c.name}, {":Napis", c.caption},
                     {":Sirka", c.width}, {":ZarovH", int(c.valueAlignment)},
                     {":ZarovN", int(c.captionAlignment)}, {":Suma", c.sum ? 1 : 0},
                     {":FNameH", c.valueFont.name}, {":FCharsetH", QString::number(c.valueFont.charset)},
                     {":FColorH", encodeColor(c.valueFont.rgb)}, {":FSizeH", QString::number(c.valueFont.size)},
                     {":FStyleH", encodeFontStyle(c.valueFont)},
                     {":FNameN", c.captionFont.name}, {":FCharsetN", QString::number(c.captionFont.charset)},
                     {":FColorN", encodeColor(c.captionFont.rgb)}, {":FSizeN", QString::number(c.captionFont.size)},
                     {":FStyleN", encodeFontStyle(c.captionFont)},
                     {":Poradi", c.left}, {":UnCPol", c.itemKey}});
        }));
}

int TemplateStore::deleteReport(int key)
{
    return deleteDesign(QStringLiteral("GSHlav"), QStringLiteral("GSTab"), key);
}

int TemplateStore::listReports(const QString &window, int variant, QList<DesignEntry> &out)
{
    return listDesigns(QStringLiteral("gshlav"), window, variant, QString(), out);
}

int TemplateStore::loadDefaultDocumentTexts(QString &header, QString &footer, QString &legend)
{
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ZAHLAVI, ZAPATI, LEGENDA FROM GSHLAV WHERE UNCIS = 0")))
        return fail(ResReadFailed, q.lastError().text(), QStringLiteral("Zobrazení návrhu sestavy"));
    header.clear();
    footer.clear();
    legend.clear();
    if (q.next()) {
        const Row r(q);
        header = r.text("ZAHLAVI");
        footer = r.text("ZAPATI");
        legend = r.text("LEGENDA");
    }
    return 0;
}

int TemplateStore::saveDefaultDocumentTexts(const QString &header, const QString &footer,
                                            const QString &legend)
{
    static const QString caption = QStringLiteral("Uložení návrhu sestavy");
    QString error;
    QSqlQuery q = m_dm->NewQuery();
    // the row belongs to the schema, but a database that lost it gets it back
    if (!prepareAndRun(q, QStringLiteral("UPDATE OR INSERT INTO GSHLAV (UNCIS, ORIENTACE, ZAHLAVI, ZAPATI, LEGENDA) "
                                         "VALUES (0, 0, :ZAHLAVI, :ZAPATI, :LEGENDA) MATCHING (UNCIS)"),
                       {{":ZAHLAVI", header}, {":ZAPATI", footer}, {":LEGENDA", legend}}, error))
        return fail(ResSaveFailed, error, caption);
    return 0;
}

// --- grid layouts ----------------------------------------------------------------

int TemplateStore::loadGridLayout(int key, GridLayout &layout)
{
    return loadDesign(
        QStringLiteral("GGHlav"), QStringLiteral("select * from GGTab where unch=:unch ORDER BY PORADI"), key, layout,
        nullptr,
        [&](const QSqlQuery &q) {
            const Row r(q);
            GridColumn c;
            c.key = r.integer("UNCIS");
            c.name = r.text("NAZEV");
            c.caption = r.text("NAPIS");
            c.width = r.integer("SIRKA");
            c.alignment = alignmentFromCode(r.integer("ZAROV"));
            c.order = r.text("ORD");
            c.itemKey = r.integer("UNCSTR");
            c.position = r.integer("PORADI");
            layout.columns << c;
        },
        [&] { layout = GridLayout(); });
}

int TemplateStore::saveGridLayout(GridLayout &layout)
{
    GridLayout d = layout;
    for (GridColumn &c : d.columns)
        c.caption = storedCaption(c.caption);
    return keepStored(layout, d, saveDesign(
        QStringLiteral("GGHLAV"), QStringLiteral("GGTAB"), d, QStringLiteral("Zadejte prosím název seznamu"),
        QStringLiteral("Uložení"),
        [&](QSqlQuery &q, QString &error) {
            return prepareAndRun(q, QStringLiteral("Update GGHLAV SET Nazev = :Nazev,Okno = :Okno,TypOkna = :TypOkna  "
                                                   "WHERE UnCis = :Uncis "),
                                 {{":Nazev", d.name}, {":Okno", d.window}, {":TypOkna", d.variant}, {":Uncis", d.key}},
                                 error);
        },
        [&](QSqlQuery &q, QString &error) {
            return prepareAndRun(q, QStringLiteral("Insert into GGHLAV (Uncis,Nazev,Okno,TypOkna,Ulozeno) "
                                                   "values (:Uncis,:Nazev,:Okno,:TypOkna,:Ulozeno)"),
                                 {{":Uncis", d.key}, {":Nazev", d.name}, {":Okno", d.window},
                                  {":TypOkna", d.variant}, {":Ulozeno", QDateTime::currentDateTime()}},
                                 error);
        },
        QStringLiteral("Insert into GGTAB (Uncis,UnCH,Nazev,Napis,Sirka,Zarov,Ord,UncStr,Poradi) "
                       "values (:Uncis,:UnCH,:Nazev,:Napis,:Sirka,:Zarov,:Ord,:UnCStr,:Poradi) "),
        int(d.columns.size()), [&](QSqlQuery &q, int i, int key) {
            GridColumn &c = d.columns[i];
            c.key = key;
            bind(q, {{":Uncis", c.key}, {":UnCH", d.key}, {":Nazev", c.name}, {":Napis", c.caption},
                     {":Sirka", c.width}, {":Zarov", int(c.alignment)}, {":Ord", c.order},
                     {":UnCStr", c.itemKey}, {":Poradi", c.position}});
        }));
}

int TemplateStore::deleteGridLayout(int key)
{
    return deleteDesign(QStringLiteral("GGHlav"), QStringLiteral("GGTab"), key);
}

int TemplateStore::listGridLayouts(const QString &window, int variant, QList<DesignEntry> &out)
{
    return listDesigns(QStringLiteral("gghlav"), window, variant, QString(), out);
}

// --- filters ---------------------------------------------------------------------

int TemplateStore::loadFilter(int key, FilterDesign &filter)
{
    return loadDesign(
        QStringLiteral("GPHlav"), QStringLiteral("select * from GPTab where unch=:unch order by uncis"), key, filter,
        [&](const QSqlQuery &q) {
            const Row r(q);
            filter.selectionKind = r.text("TYPVYBERU");
            filter.ownCondition = r.text("VLASTPODM");
        },
        [&](const QSqlQuery &q) {
            const Row r(q);
            FilterCondition c;
            c.key = r.integer("UNCIS");
            c.item = r.text("POLOZKA");
            c.caption = r.text("POPIS");
            c.op = r.text("PODMINKA");
            c.value = r.text("HODNOTA");
            c.connective = r.text("SPOJENI");
            c.type = r.text("TYP");
            filter.conditions << c;
        },
        [&] { filter = FilterDesign(); });
}

int TemplateStore::saveFilter(FilterDesign &filter)
{
    FilterDesign d = filter;
    return keepStored(filter, d, saveDesign(
        QStringLiteral("GPHLAV"), QStringLiteral("GPTAB"), d, QStringLiteral("Zadejte prosím název filtru "),
        QStringLiteral("Uložení"),
        [&](QSqlQuery &q, QString &error) {
            return prepareAndRun(q, QStringLiteral("Update GPHLAV SET Nazev = :Nazev,Okno = :Okno,TypOkna = :TypOkna,  "
                                                   "VlastPodm = :VlastPodm WHERE UnCis = :Uncis "),
                                 {{":Nazev", d.name}, {":Okno", d.window}, {":TypOkna", d.variant},
                                  {":VlastPodm", d.ownCondition}, {":Uncis", d.key}},
                                 error);
        },
        [&](QSqlQuery &q, QString &error) {
            return prepareAndRun(q, QStringLiteral("Insert into gphlav (uncis,nazev,okno,TypOkna,Ulozeno,TypVyberu, VlastPodm) "
                                                   "values (:uncis,:nazev,:okno,:TypOkna,:Ulozeno,:TypVyberu, :VlastPodm) "),
                                 {{":uncis", d.key}, {":nazev", d.name}, {":okno", d.window}, {":TypOkna", d.variant},
                                  {":Ulozeno", QDateTime::currentDateTime()}, {":TypVyberu", d.selectionKind},
                                  {":VlastPodm", d.ownCondition}},
                                 error);
        },
        QStringLiteral("insert into gptab (uncis,unch,polozka,popis,podminka,hodnota,spojeni,typ ) "
                       "values (:uncis,:unch,:polozka,:popis,:podminka,:hodnota,:spojeni,:typ )"),
        int(d.conditions.size()), [&](QSqlQuery &q, int i, int key) {
            FilterCondition &c = d.conditions[i];
            c.key = key;
            bind(q, {{":uncis", c.key}, {":unch", d.key}, {":polozka", c.item}, {":popis", c.caption},
                     {":podminka", c.op}, {":hodnota", c.value}, {":spojeni", c.connective}, {":typ", c.type}});
        }));
}

int TemplateStore::deleteFilter(int key)
{
    return deleteDesign(QStringLiteral("GPHlav"), QStringLiteral("GPTab"), key);
}

int TemplateStore::listFilters(const QString &window, int variant, QList<DesignEntry> &out,
                               const QString &selectionKind)
{
    return listDesigns(QStringLiteral("gphlav"), window, variant, selectionKind, out);
}

// --- data dictionary -------------------------------------------------------------

int TemplateStore::offeredItems(const QList<AliasTable> &aliases, DesignKind kind,
                                QList<DictionaryItem> &out)
{
    static const QString caption = QStringLiteral("Otevření seznamu položek");
    out.clear();
    if (aliases.isEmpty())
        return 0;
    const QString flag = kind == DesignKind::Report       ? QStringLiteral("GS")
                         : kind == DesignKind::GridLayout ? QStringLiteral("GG")
                                                          : QStringLiteral("GP");
    QString sql;
    QList<std::pair<QString, QVariant>> values;
    for (int i = 0; i < aliases.size(); ++i) {
        const AliasTable &a = aliases.at(i);
        const QString n = QString::number(i);
        QString variants = QStringLiteral("0");
        for (int j = 0; j < a.variants.size(); ++j) {
            const QString name = QStringLiteral(":V%1_%2").arg(i).arg(j);
            variants += QStringLiteral(", ") + name;
            values.append({name, a.variants.at(j)});
        }
        if (!sql.isEmpty())
            sql += QStringLiteral(" UNION ");
        sql += QStringLiteral(" SELECT CAST(:ALIAS") + n
               + QStringLiteral(" AS VARCHAR(31)) as Alias,popis, polozka, ord, typ, vybpol, okno, Tab,UnCis, "
                                "NabTyp, VybPolNab  FROM Struk  WHERE UPPER (tab) = :TAB")
               + n + QStringLiteral(" and ") + flag + QStringLiteral("=1 and TypOkna in (") + variants
               + QLatin1Char(')');
        values.append({QStringLiteral(":ALIAS") + n, a.alias});
        values.append({QStringLiteral(":TAB") + n, a.table.toUpper()});
    }
    // a UNION cannot be ordered by a column name of its own
    sql = QStringLiteral("SELECT * FROM (") + sql + QStringLiteral(") ORDER BY Popis ");
    QSqlQuery q = m_dm->NewQuery();
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        return fail(ResReadFailed, q.lastError().text(), caption);
    for (const auto &v : values)
        q.bindValue(v.first, v.second);
    if (!q.exec())
        return fail(ResReadFailed, q.lastError().text(), caption);
    while (q.next()) {
        const Row r(q);
        DictionaryItem item;
        item.key = r.integer("UNCIS");
        item.alias = r.text("ALIAS");
        item.caption = r.text("POPIS");
        item.column = r.text("POLOZKA");
        item.order = r.text("ORD");
        item.type = r.text("TYP");
        item.pickColumn = r.text("VYBPOL");
        item.window = r.text("OKNO");
        item.table = r.text("TAB");
        item.pickVariant = r.integer("NABTYP");
        item.pickValueColumn = r.text("VYBPOLNAB");
        out << item;
    }
    return out.size();
}

int TemplateStore::renameItem(int key, const QString &caption)
{
    QString error;
    QSqlQuery q = m_dm->NewQuery();
    if (!prepareAndRun(q, QStringLiteral("Update Struk SET Popis = :Popis WHERE UnCis = :UnCis"),
                       {{":Popis", caption.trimmed()}, {":UnCis", key}}, error))
        return fail(ResSaveFailed, error, QStringLiteral("Přejmenovat popis položky v tabulce"));
    return 0;
}

int TemplateStore::withdrawItem(int key)
{
    static const QString caption = QStringLiteral("Smazat položku z tabulky");
    QString error;
    TransactionGuard guard(m_dm);
    if (!guard.isActive())
        return fail(ResSaveFailed, guard.lastError(), caption);
    QSqlQuery q = m_dm->NewQuery();
    if (!prepareAndRun(q, QStringLiteral("Update Struk SET GS=0, GG=0, GP=0 WHERE UnCis = :UnCis"),
                       {{":UnCis", key}}, error)
        || !prepareAndRun(q, QStringLiteral("DELETE FROM GGTAB WHERE UnCStr=:UnCis"), {{":UnCis", key}}, error))
        return fail(ResSaveFailed, error, caption);
    if (!guard.commit())
        return fail(ResSaveFailed, guard.lastError(), caption);
    return 0;
}

} // namespace Templates
