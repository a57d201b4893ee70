#include "warehouse/objvydpresun.h"

#include "commerce/fakturac.h"
#include "core/datamodulpro.h"
#include "core/format.h"
#include "core/globals.h"
#include "core/sqlrun.h"
#include "warehouse/objvydc.h"
#include "warehouse/slipmerge.h"

#include <QDate>

namespace {

constexpr double Tolerance = 0.0000001;

QString text(const QVariant &v)
{
    return v.toString().trimmed();
}

// The key of the row the statement finds by a number, 0 when none; ok false when the
// statement failed.
int findByNumber(TDMPro *dm, const QString &sql, const QString &number, bool *ok, QString *error)
{
    QSqlQuery q = runSql(dm, sql, {{QStringLiteral("N"), number}}, error);
    *ok = q.isActive();
    return *ok && q.next() ? q.value(0).toInt() : 0;
}

bool storeOrderTotals(TDMPro *dm, int order, QString *error)
{
    QSqlQuery q = dm->NewQuery();
    const QString sum = QStringLiteral("(SELECT COALESCE(SUM(CENCEL), 0) FROM OBJVYDP WHERE UNCH = :O%1)");
    return runSql(q,
                  QStringLiteral("UPDATE OBJVYDH SET CENZ = %1, CENS = %2, CENB = %3, CENA = %4, KLIC = KLIC + 1 WHERE UNCIS = :O")
                      .arg(sum.arg(QStringLiteral(" AND DPHS = 'Z'")), sum.arg(QStringLiteral(" AND DPHS = 'S'")),
                           sum.arg(QStringLiteral(" AND DPHS NOT IN ('Z', 'S')")), sum.arg(QString())),
                  {{QStringLiteral("O"), order}}, error);
}

bool addOrderItem(TDMPro *dm, int order, int item, double quantity, QString *error)
{
    QSqlQuery c = runSql(dm, QStringLiteral("SELECT CENNAK, DPH, JEDN, KOD, POPIS FROM CENIK WHERE UNCIS = :U"),
                         {{QStringLiteral("U"), item}}, error);
    if (!c.isActive())
        return false;
    if (!c.next()) {
        if (error)
            *error = QStringLiteral("Položka ceníku %1 nebyla nalezena.").arg(item);
        return false;
    }
    QSqlQuery line = runSql(dm, QStringLiteral("SELECT UNCIS, POCET, CENBEZ FROM OBJVYDP WHERE UNCH = :O AND UNCMAT = :U ORDER BY UNCIS"),
                            {{QStringLiteral("O"), order}, {QStringLiteral("U"), item}}, error);
    if (!line.isActive())
        return false;
    QSqlQuery write = dm->NewQuery();
    if (line.next()) {
        const double pocet = line.value(1).toDouble() + quantity;
        return runSql(write, QStringLiteral("UPDATE OBJVYDP SET POCET = :Q, CENCEL = :C, KLIC = KLIC + 1 WHERE UNCIS = :K"),
                      {{QStringLiteral("Q"), pocet},
                       {QStringLiteral("C"), Order::lineTotal(line.value(2).toDouble(), pocet)},
                       {QStringLiteral("K"), line.value(0)}},
                      error);
    }
    const qint64 key = dm->NextKey(QStringLiteral("OBJVYDP"));
    if (key < 0) {
        if (error)
            *error = QStringLiteral("Klíč řádku objednávky");
        return false;
    }
    const double price = c.value(0).toDouble();
    QString dph = c.value(1).toString().left(1);
    if (dph.isEmpty())
        dph = QStringLiteral(" ");
    return runSql(write,
                  QStringLiteral("INSERT INTO OBJVYDP (UNCIS, UNCH, UNCMAT, KODMAT, POPIS, JEDN, POCET, CENBEZ, CENCEL, DPHS, "
                                 "DODAT, KLIC, KDO) VALUES (:UNCIS, :UNCH, :UNCMAT, :KODMAT, :POPIS, :JEDN, :POCET, :CENBEZ, "
                                 ":CENCEL, :DPHS, 0, 0, :KDO)"),
                  {{QStringLiteral("UNCIS"), key},
                   {QStringLiteral("UNCH"), order},
                   {QStringLiteral("UNCMAT"), item},
                   {QStringLiteral("KODMAT"), text(c.value(3)).left(20)},
                   {QStringLiteral("POPIS"), text(c.value(4)).left(80)},
                   {QStringLiteral("JEDN"), text(c.value(2)).left(10)},
                   {QStringLiteral("POCET"), quantity},
                   {QStringLiteral("CENBEZ"), price},
                   {QStringLiteral("CENCEL"), Order::lineTotal(price, quantity)},
                   {QStringLiteral("DPHS"), dph},
                   {QStringLiteral("KDO"), userStamp()}},
                  error);
}

} // namespace

namespace OrderAssembly {

namespace {
const QString FindOrder = QStringLiteral("SELECT UnCis FROM ObjVydH WHERE CisObj=:N ");
}

int run(TDMPro *dm, const Request &r, QString *error)
{
    QString local;
    QString *err = error ? error : &local;
    err->clear();
    const QString number = r.number.trimmed();
    if (number.isEmpty()) {
        *err = QStringLiteral("Zadejte číslo objednávky.");
        return -1;
    }
    bool ok = true;
    if (findByNumber(dm, FindOrder, number, &ok, err) == 0) {
        if (!ok)
            return -3;
        if (!r.confirmCreate || !r.confirmCreate(number))
            return 0;
    }
    int order = 0;
    const bool done = inTransaction(dm, [&](QString *e) {
        bool found = true;
        order = findByNumber(dm, FindOrder + QStringLiteral("WITH LOCK"), number, &found, e);
        if (!found)
            return false;
        if (order == 0) {
            const qint64 key = dm->NextKey(QStringLiteral("OBJVYDH"));
            QSqlQuery ins = dm->NewQuery();
            if (key < 0
                || !runSql(ins,
                           QStringLiteral("INSERT INTO OBJVYDH (UNCIS, CISOBJ, DATVYST, STAV, ZAMEK, KLIC, KDO) "
                                          "VALUES (:UNCIS, :CISOBJ, :DATVYST, 'N', 'N', 0, :KDO)"),
                           {{QStringLiteral("UNCIS"), key}, {QStringLiteral("CISOBJ"), number.left(20)},
                            {QStringLiteral("DATVYST"), QDate::currentDate()}, {QStringLiteral("KDO"), userStamp()}},
                           e))
                return false;
            order = int(key);
        }
        for (const auto &item : r.items)
            if (item.second > 0 && !addOrderItem(dm, order, item.first, item.second, e))
                return false;
        return storeOrderTotals(dm, order, e);
    }, err);
    return done ? order : -3;
}

} // namespace OrderAssembly

namespace OrderMove {

QVector<Line> readLines(TDMPro *dm, int order, bool fill, bool *ok, QString *error)
{
    QVector<Line> lines;
    // only items kept on stock move stock
    QSqlQuery q = runSql(dm,
                         QStringLiteral("SELECT O.UnCis, O.UnCMat, O.Popis, C.CenNak as CenNak, O.DPHS,  C.Kod, C.CSekce,C.Jedn,"
                                        "C.Vyrobce, (O.Pocet-O.Dodat) as Mnoz FROM ObjVydP O, Cenik C  WHERE O.UnCH=:UnCH AND "
                                        "O.UnCMat=C.UnCis AND C.PRENOSSKL = 'A' ORDER BY O.POPIS "),
                         {{QStringLiteral("UnCH"), order}}, error);
    if (ok)
        *ok = q.isActive();
    while (q.next()) {
        Line l;
        l.key = q.value(0).toInt();
        l.uncmat = q.value(1).toInt();
        l.popis = text(q.value(2));
        l.cennak = q.value(3).toDouble();
        l.dphs = q.value(4).toString();
        l.kod = text(q.value(5));
        l.csekce = q.value(6).toInt();
        l.jedn = text(q.value(7));
        l.vyrobce = text(q.value(8));
        // a line delivered beyond its order has nothing left
        l.mnoz = qMax(0.0, q.value(9).toDouble());
        l.prenos = fill ? l.mnoz : 0.0;
        lines.append(l);
    }
    return lines;
}

namespace {
const QString FindSlip = QStringLiteral("SELECT UnCis, TypPoh, UnCVyd, UnCPri, Zamek FROM SkladPrevodH WHERE CDT=:N ");
const QString NotPurchase = QStringLiteral("Vybraná výdejka není typu nákup.\nMateriál nelze převést");
} // namespace

int run(TDMPro *dm, const Request &r, QString *error)
{
    QString local;
    QString *err = error ? error : &local;
    err->clear();
    const QString number = r.number.trimmed();
    if (number.isEmpty()) {
        *err = QStringLiteral("Zadejte číslo výdejky/příjemky.");
        return -1;
    }
    if (r.store <= 0) {
        *err = QStringLiteral("Vyberte sklad, do kterého se dodané množství přijme.");
        return -4;
    }
    for (const auto &q : r.quantities)
        if (q.second < 0) {
            *err = QStringLiteral("Množství k přenosu nesmí být záporné.");
            return -6;
        }
    const QVariant supplier = scalarSql(dm, QStringLiteral("SELECT UNCFIR FROM OBJVYDH WHERE UNCIS = :O"),
                                        {{QStringLiteral("O"), r.order}});
    if (supplier.isNull()) {
        *err = QStringLiteral("Objednávka nebyla nalezena.");
        return -2;
    }
    // the questions come before the transaction, so no lock is held while the user thinks
    QSqlQuery slip = runSql(dm, FindSlip, {{QStringLiteral("N"), number}}, err);
    if (!slip.isActive())
        return -3;
    if (slip.next()) {
        if (text(slip.value(1)) != QLatin1String("N")) {
            *err = NotPurchase;
            return -5;
        }
        if (slip.value(2).toInt() != supplier.toInt() && (!r.confirmOtherIssuer || !r.confirmOtherIssuer()))
            return 0;
    } else if (!r.confirmCreate || !r.confirmCreate(number)) {
        return 0;
    }
    int slipKey = 0;
    int failure = -3;
    const bool done = inTransaction(dm, [&](QString *e) {
        QSqlQuery order = runSql(dm, QStringLiteral("SELECT UNCFIR, DATVYST FROM OBJVYDH WHERE UNCIS = :O WITH LOCK"),
                                 {{QStringLiteral("O"), r.order}}, e);
        if (!order.isActive())
            return false;
        if (!order.next()) {
            failure = -2;
            *e = QStringLiteral("Objednávka nebyla nalezena.");
            return false;
        }
        QSqlQuery s = runSql(dm, FindSlip + QStringLiteral("WITH LOCK"), {{QStringLiteral("N"), number}}, e);
        if (!s.isActive())
            return false;
        if (s.next()) {
            if (text(s.value(1)) != QLatin1String("N")) {
                failure = -5;
                *e = NotPurchase;
                return false;
            }
            if (text(s.value(4)) == QLatin1String("A")) {
                failure = -5;
                *e = QStringLiteral("Výdejka ") + number + QStringLiteral(" je zamčena.\nMateriál nelze převést");
                return false;
            }
            slipKey = s.value(0).toInt();
        } else {
            const qint64 key = dm->NextKey(QStringLiteral("SKLADPREVODH"));
            QSqlQuery ins = dm->NewQuery();
            if (key < 0
                || !runSql(ins,
                           QStringLiteral("INSERT INTO SKLADPREVODH (UNCIS, CDT, UNCVYD, UNCPRI, DATUM, TYPPOH, ZAMEK, KLIC, KDO) "
                                          "VALUES (:UNCIS, :CDT, :UNCVYD, :UNCPRI, :DATUM, 'N', 'N', 0, :KDO)"),
                           {{QStringLiteral("UNCIS"), key}, {QStringLiteral("CDT"), number.left(20)},
                            {QStringLiteral("UNCVYD"), order.value(0).toInt()}, {QStringLiteral("UNCPRI"), r.store},
                            {QStringLiteral("DATUM"), order.value(1)}, {QStringLiteral("KDO"), userStamp()}},
                           e))
                return false;
            slipKey = int(key);
        }
        QSqlQuery delivered = dm->NewQuery();
        if (!prepareSql(delivered, QStringLiteral("UPDATE ObjVydP SET Dodat = Dodat + :Mnoz, KLIC = KLIC + 1 WHERE UnCis = :UnCis"), e))
            return false;
        // what is left is read again under the lock: another workstation may have moved some
        bool read = true;
        const QVector<Line> lines = readLines(dm, r.order, true, &read, e);
        if (!read)
            return false;
        for (const auto &q : r.quantities) {
            if (q.second == 0)
                continue;
            const Line *l = nullptr;
            for (const Line &candidate : lines)
                if (candidate.key == q.first)
                    l = &candidate;
            if (!l || q.second > l->mnoz + Tolerance) {
                failure = -6;
                *e = QStringLiteral("Položka ") + (l ? l->popis : QString::number(q.first))
                     + QStringLiteral(": zbývá dodat ") + formatNumber(l ? l->mnoz : 0.0) + QStringLiteral(".");
                return false;
            }
            Slip::Line line;
            line.uncmat = l->uncmat;
            line.popis = l->popis;
            line.nakcen = l->cennak;
            line.dph = l->dphs.isEmpty() ? QStringLiteral(" ") : l->dphs;
            line.dphn = Invoice::rateOf(l->dphs);
            line.kodmat = l->kod;
            line.jedn = l->jedn;
            line.vyrobce = l->vyrobce;
            line.csekce = l->csekce;
            line.mnoz = q.second;
            if (mergeSlipLine(dm, slipKey, line, e) < 0
                || !execSql(delivered, {{QStringLiteral("Mnoz"), q.second}, {QStringLiteral("UnCis"), q.first}}, e))
                return false;
        }
        return true;
    }, err);
    return done ? slipKey : failure;
}

} // namespace OrderMove
