#include "inspections/planprohc.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

#include "core/sqlrun.h"

namespace PlanPeriod {

int monthNumber(const QDate &date)
{
    return date.year() * 12 + date.month();
}

QDate firstDayOfMonth(int month)
{
    return QDate((month - 1) / 12, (month - 1) % 12 + 1, 1);
}

bool fieldMonth(const QString &text, int *month)
{
    *month = 0;
    QString typed = text;
    typed.remove(QLatin1Char(' '));
    if (typed.isEmpty() || typed == QLatin1String(".."))
        return true;
    static const QRegularExpression whole(QStringLiteral("^(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4})$"));
    const QRegularExpressionMatch m = whole.match(typed);
    if (!m.hasMatch())
        return false;
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        return false;
    *month = monthNumber(date);
    return true;
}

QString condition(int fromMonth, int toMonth)
{
    QString out;
    if (fromMonth > 0)
        out = QStringLiteral(" WHERE ") + QStringLiteral(" ((obdobi+perfir >= ") + QString::number(fromMonth)
              + QStringLiteral(" and PerFir > 0) or  (obdobi+perstr >= ") + QString::number(fromMonth)
              + QStringLiteral(" and perstr > 0)) ");
    if (toMonth > 0)
        out += (fromMonth > 0 ? QStringLiteral(" AND ") : QStringLiteral(" WHERE "))
               + QStringLiteral(" ((obdobi+perfir <= ") + QString::number(toMonth)
               + QStringLiteral(" and perfir > 0) or  (obdobi+perstr <= ") + QString::number(toMonth)
               + QStringLiteral(" and perstr > 0)) ");
    return out;
}

bool fromFields(const QString &od, const QString &doText, Bounds *bounds, QString *error)
{
    const auto invalid = [error](const QString &field, const QString &text) {
        if (error)
            *error = QStringLiteral("Neplatné datum v poli \"%1\": %2\nZadejte celé datum ve tvaru dd.mm.rrrr "
                                    "nebo pole nechte prázdné.")
                         .arg(field, text.trimmed());
        return false;
    };
    Bounds b;
    if (!fieldMonth(od, &b.from))
        return invalid(QStringLiteral("Období od"), od);
    if (!fieldMonth(doText, &b.to))
        return invalid(QStringLiteral("do"), doText);
    *bounds = b;
    return true;
}

} // namespace PlanPeriod

namespace {

const QString ViewFrom = QStringLiteral(
    " ,0 as UnCis, PPP.*  from ppposlproh PPP  left outer join  adresar adr on (ppp.uncfir = adr.uncis) "
    " left outer join  Strediska str on (ppp.uncstr = str.uncis) ");
const QString TableFrom = QStringLiteral(
    " ,0 as UnCis, PPR.*  from PLANPROH PPR  left outer join  adresar adr on (PPR.uncfir = adr.uncis) "
    " left outer join  Strediska str on (PPR.uncstr = str.uncis)  left outer join  adresar te1 on "
    "(PPR.unctech = te1.uncis)  left outer join  adresar te2 on (PPR.unctech2 = te2.uncis) ");

// The columns the lists show when no grid layout is chosen.
QString defaultColumns(const QString &alias)
{
    return QStringLiteral("%1.TYP as %1TYP, %1.DATUM as %1DATUM, ADR.NAZEV as ADRNAZEV, "
                          "STR.STREDISKO as STRSTREDISKO, %1.PERFIR as %1PERFIR, %1.PERSTR as %1PERSTR")
        .arg(alias);
}

int intOf(const QVariant &v)
{
    return v.isNull() ? 0 : v.toInt();
}

} // namespace

TfPlanProhC::TfPlanProhC(TDMPro *dm, QObject *parent)
    : TfClass(dm, parent)
{
}

QString TfPlanProhC::baseFrom() const
{
    return ViewFrom;
}

int TfPlanProhC::DefineEntity()
{
    // the plan is read, never edited: nothing here is written through the controller
    setReadOnly(true);
    SetListQuery(baseFrom(), planAlias());
    setListColumns(defaultColumns(planAlias()));
    setOrderBy(QStringLiteral(" ORDER BY Adr.Nazev, %1.UnCStr ").arg(planAlias()));
    return 0;
}

void TfPlanProhC::setPeriod(const PlanPeriod::Bounds &bounds)
{
    m_bounds = bounds;
    SetListQuery(baseFrom() + periodCondition(), planAlias());
}

bool TfPlanProhC::readRows(QVector<PlanRow> *rows)
{
    rows->clear();
    const ListSql sql = buildListSql(listFrom(), QStringLiteral("ADR.NAZEV as ADRNAZEV, STR.STREDISKO as STRSTREDISKO"),
                                     defaultWhere(),
                                     QStringLiteral(" ORDER BY Adr.Nazev, %1.UnCStr ").arg(planAlias()));
    QString error;
    QSqlQuery q = runSql(dm(), sql.select, sql.parameters, &error);
    if (!q.isActive()) {
        m_lastError = error;
        return false;
    }
    const QSqlRecord r = q.record();
    const int fir = r.indexOf(QStringLiteral("UNCFIR")), str = r.indexOf(QStringLiteral("UNCSTR")),
              typ = r.indexOf(QStringLiteral("TYP")), datum = r.indexOf(QStringLiteral("DATUM")),
              perFir = r.indexOf(QStringLiteral("PERFIR")), perStr = r.indexOf(QStringLiteral("PERSTR")),
              obdobi = r.indexOf(QStringLiteral("OBDOBI")), name = r.indexOf(QStringLiteral("ADRNAZEV")),
              site = r.indexOf(QStringLiteral("STRSTREDISKO"));
    while (q.next()) {
        PlanRow row;
        row.uncFir = intOf(q.value(fir));
        row.uncStr = intOf(q.value(str));
        row.typ = q.value(typ).toString().trimmed();
        row.datum = q.value(datum).toDate();
        row.perFir = intOf(q.value(perFir));
        row.perStr = intOf(q.value(perStr));
        row.obdobi = intOf(q.value(obdobi));
        row.customer = q.value(name).toString().trimmed();
        row.site = q.value(site).toString().trimmed();
        rows->append(row);
    }
    return true;
}

TfPlanProhKomC::TfPlanProhKomC(TDMPro *dm, QObject *parent)
    : TfPlanProhC(dm, parent)
{
}

QString TfPlanProhKomC::baseFrom() const
{
    return TableFrom;
}

int TfPlanProhKomC::DefineEntity()
{
    return TfPlanProhC::DefineEntity();
}

QStringList TfPlanProhKomC::buildStatements() const
{
    QStringList out;
    out << QStringLiteral("DELETE FROM PLANPROH ")
        << QStringLiteral("INSERT INTO PLANPROH (UNCFIR, UNCSTR, DATUM, TYP, PERFIR,PERSTR,OBDOBI)  SELECT UNCFIR, "
                          "UNCSTR, DATUM, TYP, PERFIR, PERSTR, OBDOBI FROM PPPOSLPROH ")
               + periodCondition();
    struct Kind { const char *typ; const char *table; const char *count; };
    static const Kind kinds[] = {{"H", "PR_HLAV", "POCHP"}, {"V", "VOD_HLAV", "POCPV"}, {"K", "PK_HLAV", "POCPK"}};
    const auto update = [](const Kind &k, const QString &column, const QString &source) {
        return QStringLiteral("UPDATE PLANPROH PPR SET PPR.%1 = (SELECT  max(%2)  FROM %3 PRO  WHERE PRO.UNCFIR = "
                              "PPR.UNCFIR AND PRO.UNCSTR = PPR.UNCSTR AND  PRO.DATUM = PPR.DATUM AND PRAVID = 'A') "
                              "WHERE TYP = '%4'")
            .arg(column, source, QLatin1String(k.table), QLatin1String(k.typ));
    };
    for (const Kind &k : kinds)
        out << update(k, QStringLiteral("UNCTECH"), QStringLiteral("UNCTECH"))
            << update(k, QStringLiteral("UNCTECH2"), QStringLiteral("UNCTECH2"));
    for (const Kind &k : kinds)
        out << update(k, QStringLiteral("POCET"), QLatin1String(k.count));
    return out;
}

int TfPlanProhKomC::BuildPlan(const std::function<bool(QString *error)> &afterInsert)
{
    const QStringList statements = buildStatements();
    QString error;
    const bool ok = inTransaction(
        dm(),
        [&](QString *err) {
            QSqlQuery q = dm()->NewQuery();
            for (int i = 0; i < statements.size(); ++i) {
                if (!runSql(q, statements.at(i), {}, err))
                    return false;
                if (i == 1 && afterInsert && !afterInsert(err))
                    return false;
            }
            return true;
        },
        &error);
    if (!ok) {
        m_lastError = error;
        return -1;
    }
    return 0;
}

namespace PlanCalendar {

int dueMonth(const PlanRow &row, const PlanPeriod::Bounds &bounds)
{
    QVector<int> due;
    if (row.perFir > 0)
        due << row.obdobi + row.perFir;
    if (row.perStr > 0)
        due << row.obdobi + row.perStr;
    if (due.isEmpty())
        return 0;
    std::sort(due.begin(), due.end());
    for (int m : due)
        if ((bounds.from <= 0 || m >= bounds.from) && (bounds.to <= 0 || m <= bounds.to))
            return m;
    for (int m : due)
        if (m >= bounds.from)
            return m;
    return due.first();
}

QString kindName(const QString &typ)
{
    if (typ == QLatin1String("H"))
        return QStringLiteral("Hasící přístroje");
    if (typ == QLatin1String("V"))
        return QStringLiteral("Požární vodovody");
    if (typ == QLatin1String("K"))
        return QStringLiteral("Požární klapky");
    return typ;
}

namespace {

QString escaped(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char(';'), QLatin1String("\\;"));
    text.replace(QLatin1Char(','), QLatin1String("\\,"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

// Lines longer than 75 octets continue on lines that start with a space; a character
// is never split.
QString folded(const QString &line)
{
    QString out;
    int octets = 0;
    for (const QChar c : line) {
        const int size = c.unicode() < 0x80 ? 1 : c.unicode() < 0x800 ? 2 : c.isSurrogate() ? 2 : 3;
        if (octets + size > 75) {
            out += QStringLiteral("\r\n ");
            octets = 1;
        }
        out += c;
        octets += size;
    }
    return out + QStringLiteral("\r\n");
}

} // namespace

QString text(const QVector<PlanRow> &rows, const PlanPeriod::Bounds &bounds, const QDateTime &stamp)
{
    QString out = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//MORVANT//Tarko 8 VEX//CS\r\n"
                                 "CALSCALE:GREGORIAN\r\n");
    const QString dtStamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    for (const PlanRow &row : rows) {
        const int month = dueMonth(row, bounds);
        if (month <= 0)
            continue;
        const QDate day = PlanPeriod::firstDayOfMonth(month);
        QStringList name{row.customer, row.site, kindName(row.typ)};
        name.removeAll(QString());
        out += QStringLiteral("BEGIN:VEVENT\r\n");
        out += folded(QStringLiteral("UID:plan-%1-%2-%3-%4@tarko8")
                          .arg(row.uncFir).arg(row.uncStr).arg(row.typ, day.toString(QStringLiteral("yyyyMM"))));
        out += QStringLiteral("DTSTAMP:") + dtStamp + QStringLiteral("\r\n");
        out += QStringLiteral("DTSTART;VALUE=DATE:") + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("\r\n");
        out += QStringLiteral("DTEND;VALUE=DATE:") + day.addDays(1).toString(QStringLiteral("yyyyMMdd"))
               + QStringLiteral("\r\n");
        out += folded(QStringLiteral("SUMMARY:") + escaped(name.join(QStringLiteral(" - "))));
        out += QStringLiteral("TRANSP:TRANSPARENT\r\nEND:VEVENT\r\n");
    }
    return out + QStringLiteral("END:VCALENDAR\r\n");
}

bool write(const QString &file, const QVector<PlanRow> &rows, const PlanPeriod::Bounds &bounds, QString *error)
{
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    const QByteArray bytes = text(rows, bounds).toUtf8();
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

} // namespace PlanCalendar
