#include "commerce/fakturapresun.h"

#include "commerce/fakturac.h"
#include "core/datamodulpro.h"
#include "core/globals.h"
#include "core/parameters.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"
#include "customers/adrtexty.h"

#include <QDate>
#include <QMap>
#include <QSqlQuery>
#include <QVector>
#include <cmath>

namespace InvoiceMove {

namespace {

struct StoredLine
{
    int key = 0;            // 0: a new line
    Invoice::Line line;
    bool changed = false;
};

QString text(const QVariant &v)
{
    return v.toString().trimmed();
}

bool bearsVat(const QString &vatClass)
{
    const QString c = vatClass.trimmed().toUpper();
    return c == QLatin1String("Z") || c == QLatin1String("S");
}

// The invoice's defaults taken from the note: orderer and recipient the customer, the
// note's site, today, the note's date as the taxable date, the note's discount, and the
// prices as the firm gives them.
bool insertInvoice(TDMPro *dm, int key, const QString &number, int note, QString *error)
{
    QSqlQuery q = runSql(dm, QStringLiteral("SELECT UNCFIR, UNCSTR, DATVYST, SLEVA FROM DODAKH WHERE UNCIS = :N"),
                         {{QStringLiteral("N"), note}}, error);
    if (!q.next())
        return false;
    const int customer = q.value(0).toInt();
    const QDate issued = q.value(2).toDate();
    TAdresniTexty texts(dm);
    const QString popis = (texts.SestavAdresu(customer) + QLatin1Char(' ')
                           + issued.toString(QStringLiteral("d.M.yyyy"))).left(120);
    const bool withVat = !Parameters::instance().pricesWithoutVat;
    QSqlQuery ins = dm->NewQuery();
    return runSql(ins,
                  QStringLiteral("INSERT INTO FAKTURY (UNCIS, CISFAK, TYPFAK, UNCODB, UNCPRI, UNCSTR, DATVYS, DATDPH, SDPH, "
                                 "POPIS, SLEVA, ZAMEK, KLIC, KDO) VALUES (:UNCIS, :CISFAK, 'F', :UNCODB, :UNCPRI, :UNCSTR, "
                                 ":DATVYS, :DATDPH, :SDPH, :POPIS, :SLEVA, 'N', 0, :KDO)"),
                  {{QStringLiteral("UNCIS"), key},
                   {QStringLiteral("CISFAK"), number},
                   {QStringLiteral("UNCODB"), customer},
                   {QStringLiteral("UNCPRI"), customer},
                   {QStringLiteral("UNCSTR"), q.value(1).toInt()},
                   {QStringLiteral("DATVYS"), QDate::currentDate()},
                   {QStringLiteral("DATDPH"), issued},
                   {QStringLiteral("SDPH"), withVat ? QStringLiteral("A") : QStringLiteral("N")},
                   {QStringLiteral("POPIS"), popis},
                   {QStringLiteral("SLEVA"), q.value(3).toDouble()},
                   {QStringLiteral("KDO"), userStamp()}},
                  error);
}

bool readLines(TDMPro *dm, int invoice, QVector<StoredLine> &into, QString *error)
{
    QSqlQuery q = runSql(dm, QStringLiteral("SELECT UNCIS, POLOZKA, JEDCEN, MNOZ, JEDN, DPH, DPHN, UNCCEN, CSEKCE "
                                            "FROM FAK_POL WHERE UNCH = :F ORDER BY UNCIS"),
                         {{QStringLiteral("F"), invoice}}, error);
    if (!q.isActive())
        return false;
    while (q.next()) {
        StoredLine s;
        s.key = q.value(0).toInt();
        s.line = {text(q.value(1)), q.value(2).toDouble(), q.value(3).toDouble(), text(q.value(4)),
                  readField(q, 5).toString(), q.value(6).toInt(), q.value(7).toInt(), q.value(8).toInt()};
        into.append(s);
    }
    return true;
}

// The merge of equal items: a line of the same price-list item at the same unit price
// takes the quantity.
void addMerged(QVector<StoredLine> &lines, const Invoice::Line &line)
{
    if (line.unccen != 0)
        for (StoredLine &s : lines)
            if (s.line.unccen == line.unccen && std::fabs(s.line.jedcen - line.jedcen) < 0.000001) {
                s.line.mnoz += line.mnoz;
                s.changed = true;
                return;
            }
    lines.append({0, line, true});
}

bool addSection(TDMPro *dm, const Request &r, int section, QVector<StoredLine> &lines, QString *error)
{
    QSqlQuery q = runSql(dm, QStringLiteral("SELECT POPIS, CENA, MNOZ - MNOZFAK, JEDN, DAN, SAZBADPH, UNCCEN FROM DODAK "
                                            "WHERE UNCH = :UNCH AND CSEKCE = :CSEKCE ORDER BY UNCIS"),
                         {{QStringLiteral("UNCH"), r.note}, {QStringLiteral("CSEKCE"), section}}, error);
    if (!q.isActive())
        return false;
    const bool itemByItem = r.itemSections.contains(section);
    // per VAT class: the line totals of the class, in the order the classes come
    QStringList classes;
    QMap<QString, QPair<double, int>> perClass;
    while (q.next()) {
        QString dph = readField(q, 4).toString();
        if (dph.isEmpty())
            dph = QStringLiteral(" ");
        // a line without VAT is billed without VAT whatever rate the note's line holds
        const int rate = bearsVat(dph) ? qRound(q.value(5).toDouble()) : 0;
        const double price = q.value(1).toDouble(), quantity = q.value(2).toDouble();
        if (itemByItem) {
            addMerged(lines, {text(q.value(0)), price, quantity, text(q.value(3)), dph, rate, q.value(6).toInt(), section});
            continue;
        }
        if (!perClass.contains(dph)) {
            classes << dph;
            perClass.insert(dph, {0.0, 0});
        }
        auto &c = perClass[dph];
        c.first += Invoice::lineTotal(price, quantity);
        c.second = qMax(c.second, rate);
    }
    const QString label = section - 1 < r.sectionLabels.size() ? r.sectionLabels.at(section - 1) : QString::number(section);
    for (const QString &dph : classes)
        lines.append({0, {label, perClass[dph].first, 1, sectionUnit(), dph, perClass[dph].second, 0, section}, true});
    return true;
}

bool writeLines(TDMPro *dm, int invoice, QVector<StoredLine> &lines, QString *error)
{
    QSqlQuery upd = dm->NewQuery(), ins = dm->NewQuery();
    if (!prepareSql(upd, QStringLiteral("UPDATE FAK_POL SET MNOZ = :MNOZ, CENCELK = :CENCELK, KLIC = KLIC + 1 WHERE UNCIS = :UNCIS"), error)
        || !prepareSql(ins, QStringLiteral("INSERT INTO FAK_POL (UNCIS, UNCH, POLOZKA, JEDCEN, MNOZ, JEDN, DPH, DPHN, CENCELK, "
                                           "UNCCEN, CSEKCE, KLIC, KDO) VALUES (:UNCIS, :UNCH, :POLOZKA, :JEDCEN, :MNOZ, :JEDN, "
                                           ":DPH, :DPHN, :CENCELK, :UNCCEN, :CSEKCE, 0, :KDO)"),
                       error))
        return false;
    for (StoredLine &s : lines) {
        if (!s.changed)
            continue;
        const Invoice::Line &l = s.line;
        const double total = Invoice::lineTotal(l.jedcen, l.mnoz);
        if (s.key) {
            if (!execSql(upd, {{QStringLiteral("MNOZ"), l.mnoz}, {QStringLiteral("CENCELK"), total}, {QStringLiteral("UNCIS"), s.key}},
                         error))
                return false;
            continue;
        }
        const qint64 key = dm->NextKey(QStringLiteral("FAK_POL"));
        if (key < 0) {
            if (error)
                *error = QStringLiteral("Klíč řádku faktury");
            return false;
        }
        s.key = int(key);
        if (!execSql(ins, {{QStringLiteral("UNCIS"), s.key}, {QStringLiteral("UNCH"), invoice},
                           {QStringLiteral("POLOZKA"), l.polozka.left(120)}, {QStringLiteral("JEDCEN"), l.jedcen},
                           {QStringLiteral("MNOZ"), l.mnoz}, {QStringLiteral("JEDN"), l.jedn.left(10)},
                           {QStringLiteral("DPH"), l.dph}, {QStringLiteral("DPHN"), l.dphn},
                           {QStringLiteral("CENCELK"), total}, {QStringLiteral("UNCCEN"), l.unccen},
                           {QStringLiteral("CSEKCE"), l.csekce}, {QStringLiteral("KDO"), userStamp()}},
                     error))
            return false;
    }
    return true;
}

bool storeTotals(TDMPro *dm, int invoice, const QVector<StoredLine> &lines, QString *error)
{
    QSqlQuery h = runSql(dm, QStringLiteral("SELECT SLEVA, SDPH FROM FAKTURY WHERE UNCIS = :F"), {{QStringLiteral("F"), invoice}}, error);
    if (!h.next())
        return false;
    QVector<Invoice::LineAmount> amounts;
    for (const StoredLine &s : lines)
        amounts.append({s.line.dph, s.line.dphn, Invoice::lineTotal(s.line.jedcen, s.line.mnoz)});
    const Invoice::Totals t = Invoice::computeTotals(amounts, h.value(0).toDouble(), readField(h, 1).toString() == QLatin1String("A"));
    if (t.result < 0) {
        if (error)
            *error = QStringLiteral("Přepočet faktury");
        return false;
    }
    QSqlQuery u = dm->NewQuery();
    return runSql(u,
                  QStringLiteral("UPDATE FAKTURY SET CEN0 = :CEN0, CENS = :CENS, CENZ = :CENZ, DANS = :DANS, DANZ = :DANZ, "
                                 "DPHS = :DPHS, DPHZ = :DPHZ, HALDOR = :HALDOR, CELSLEVA = :CELSLEVA, CELKEM = :CELKEM, "
                                 "KLIC = KLIC + 1 WHERE UNCIS = :F"),
                  {{QStringLiteral("CEN0"), t.tab[TTabDPH::ZakB]},
                   {QStringLiteral("CENS"), t.tab[TTabDPH::ZakS]},
                   {QStringLiteral("CENZ"), t.tab[TTabDPH::ZakZ]},
                   {QStringLiteral("DANS"), t.tab[TTabDPH::DanS]},
                   {QStringLiteral("DANZ"), t.tab[TTabDPH::DanZ]},
                   {QStringLiteral("DPHS"), t.rateS},
                   {QStringLiteral("DPHZ"), t.rateZ},
                   {QStringLiteral("HALDOR"), t.tab[TTabDPH::Zaokr]},
                   {QStringLiteral("CELSLEVA"), t.tab[TTabDPH::SlevaKc]},
                   {QStringLiteral("CELKEM"), t.tab[TTabDPH::ZakZ] + t.tab[TTabDPH::ZakS] + t.tab[TTabDPH::ZakB]},
                   {QStringLiteral("F"), invoice}},
                  error);
}

int findInvoice(TDMPro *dm, const QString &number, bool *ok, QString *error)
{
    const QVariant v = scalarSql(dm, QStringLiteral("SELECT UnCis FROM Faktury WHERE CisFak=:CisFak "),
                                 {{QStringLiteral("CisFak"), number}}, ok, error);
    if (!*ok && error && error->isEmpty()) {
        *ok = true;   // no row: no such invoice
        return 0;
    }
    return v.toInt();
}

} // namespace

QString sectionUnit()
{
    return QStringLiteral("kpl");
}

QString currentNumber(TDMPro *dm, int note)
{
    return scalarSql(dm, QStringLiteral("SELECT F.CisFak FROM FAKTURY F, DODAKH D WHERE D.UNCIS = :N AND F.UnCis = D.UNCFAK"),
                     {{QStringLiteral("N"), note}})
        .toString()
        .trimmed();
}

QStringList sectionLabels(TDMPro *dm, QString *error)
{
    QStringList labels;
    for (int s = FirstSection; s <= LastSection; ++s)
        labels << QString::number(s);
    QSqlQuery q = runSql(dm, QStringLiteral("SELECT CSEKCE, POPIS FROM NazSekce Order by CSekce"), {}, error);
    while (q.next()) {
        const int s = q.value(0).toInt();
        if (s >= FirstSection && s <= LastSection)
            labels[s - 1] = QString::number(s) + QStringLiteral(" - ") + text(q.value(1));
    }
    return labels;
}

int run(TDMPro *dm, const Request &r, QString *error)
{
    QString local;
    QString *err = error ? error : &local;
    err->clear();
    const QString number = r.number.trimmed();
    if (number.isEmpty()) {
        *err = QStringLiteral("Zadejte číslo faktury.");
        return -1;
    }
    // asked before the transaction, so no lock is held while the user thinks
    bool ok = true;
    if (findInvoice(dm, number, &ok, err) == 0) {
        if (!ok)
            return -3;
        if (!r.confirmCreate || !r.confirmCreate(number))
            return 0;
    }
    int invoice = 0;
    int failure = -3;
    const bool done = inTransaction(dm, [&](QString *e) {
        QSqlQuery lock = runSql(dm, QStringLiteral("SELECT UNCIS FROM DODAKH WHERE UNCIS = :N WITH LOCK"),
                                {{QStringLiteral("N"), r.note}}, e);
        if (!lock.isActive())
            return false;
        if (!lock.next()) {
            failure = -2;
            *e = QStringLiteral("Dodací list nebyl nalezen.");
            return false;
        }
        bool found = true;
        invoice = findInvoice(dm, number, &found, e);
        if (!found)
            return false;
        if (invoice == 0) {
            const qint64 key = dm->NextKey(QStringLiteral("FAKTURY"));
            if (key < 0 || !insertInvoice(dm, int(key), number, r.note, e))
                return false;
            invoice = int(key);
        }
        QVector<StoredLine> lines;
        if (!readLines(dm, invoice, lines, e))
            return false;
        for (int s = FirstSection; s <= LastSection; ++s)
            if (!addSection(dm, r, s, lines, e))
                return false;
        if (!writeLines(dm, invoice, lines, e) || !storeTotals(dm, invoice, lines, e))
            return false;
        QSqlQuery mark = dm->NewQuery(), link = dm->NewQuery();
        return runSql(mark, QStringLiteral("Update Dodak SET MnozFak = Mnoz WHERE UnCH = :UnCH"), {{QStringLiteral("UnCH"), r.note}}, e)
               && runSql(link, QStringLiteral("UPDATE DODAKH SET UNCFAK = :F, CISFAK = :C, KLIC = KLIC + 1 WHERE UNCIS = :N"),
                         {{QStringLiteral("F"), invoice}, {QStringLiteral("C"), number}, {QStringLiteral("N"), r.note}}, e);
    }, err);
    return done ? invoice : failure;
}

int detach(TDMPro *dm, int note, QString *error)
{
    QSqlQuery q = dm->NewQuery();
    return runSql(q, QStringLiteral("UPDATE DODAKH SET UNCFAK = 0, KLIC = KLIC + 1 WHERE UNCIS = :N"), {{QStringLiteral("N"), note}}, error)
               ? 0
               : -1;
}

} // namespace InvoiceMove
