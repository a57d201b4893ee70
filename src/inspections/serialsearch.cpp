#include "inspections/serialsearch.h"

#include <QSqlError>
#include <QVariant>

#include "core/committedsearch.h"
#include "core/datamodulpro.h"

namespace {

// STARTING WITH takes the typed text as it is (no wildcards) and reads the serial
// number index; an inspection without a technician is still found.
const QString SearchSql = QStringLiteral(
    "SELECT  h.datum, a.nazev, t.druh, t.stav, t.vyrcis, b.prijmeni as jmepri, t.hp, h.uncis, "
    "t.uncis as tuncis FROM PR_TAB t JOIN PR_HLAV h ON h.UNCIS = t.UNCH "
    "LEFT JOIN Adresar a ON a.UnCis = h.uncfir LEFT JOIN Adresar b ON b.Uncis = h.UnCTech "
    "WHERE t.VYRCIS STARTING WITH :VYRCIS ORDER BY t.VYRCIS ");
const QString Placeholder = QStringLiteral(":VYRCIS");

enum Column { ColDatum, ColNazev, ColDruh, ColStav, ColVyrCis, ColJmePri, ColHp, ColUncis, ColTUncis, ColumnCount };

} // namespace

HPSerialSearch::HPSerialSearch(TDMPro *dm)
    : m_search(std::make_unique<CommittedSearch>(dm, SearchSql, Placeholder, int(ColumnCount)))
{
}

HPSerialSearch::~HPSerialSearch() = default;

int HPSerialSearch::preparations() const
{
    return m_search->preparations();
}

bool HPSerialSearch::find(const QString &typed, QVector<Row> *rows, QString *error)
{
    rows->clear();
    QVector<QVariantList> found;
    if (!m_search->run(typed, &found, error))
        return false;
    rows->reserve(found.size());
    for (const QVariantList &v : found) {
        Row r;
        r.datum = v[ColDatum].toDate();
        r.nazev = v[ColNazev].toString();
        r.druh = v[ColDruh].toString();
        r.stav = v[ColStav].toString();
        r.vyrcis = v[ColVyrCis].toString();
        r.jmepri = v[ColJmePri].toString();
        r.hp = v[ColHp].toString();
        r.uncis = v[ColUncis].toInt();
        r.tuncis = v[ColTUncis].toInt();
        rows->append(r);
    }
    return true;
}

QSqlQuery FindBySerialNumber(TDMPro *dm, const QString &typed, QString *error)
{
    QSqlQuery q = dm->NewQuery();
    q.setForwardOnly(true);
    if (q.prepare(SearchSql)) {
        q.bindValue(Placeholder, typed);
        if (q.exec())
            return q;
    }
    if (error)
        *error = q.lastError().text();
    q.clear();
    return q;
}
