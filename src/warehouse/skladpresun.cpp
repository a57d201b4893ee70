#include "warehouse/skladpresun.h"

#include "core/class.h"
#include "core/datamodulpro.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"
#include "warehouse/skladprevodc.h"

#include <QDate>
#include <QSqlQuery>
#include <memory>
#include <QStringList>

namespace StockMove {

namespace {
QString text(const QVariant &v)
{
    return v.toString().trimmed();
}

bool isReceived(int section)
{
    return section >= FirstReceivedSection;
}

struct Slip
{
    int key = 0;
    QString kind;
    int vyd = 0;
    int pri = 0;
    bool locked = false;
};

// The slip of the number; key 0 when there is none.
bool findSlip(TDMPro *dm, const QString &number, Slip *slip, QString *error)
{
    QSqlQuery q = runSql(dm, QStringLiteral("SELECT UnCis, TypPoh, UnCVyd, UnCPri, Zamek FROM SkladPrevodH WHERE CDT=:CDT "
                                            "ORDER BY UnCis"),
                         {{QStringLiteral("CDT"), number}}, error);
    if (!q.isActive())
        return false;
    *slip = Slip();
    if (q.next())
        *slip = {q.value(0).toInt(), text(q.value(1)), q.value(2).toInt(), q.value(3).toInt(),
                 text(q.value(4)) == QLatin1String("A")};
    return true;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}
} // namespace

QVector<int> offeredSections()
{
    return {3, 4, 5, 8, 9, 10, 11, 12, 13, 14, 15};
}

int conditionOf(int section)
{
    switch (section) {
    case 12: return 2;
    case 14: return 3;
    case 15: return 4;
    default: return 1;
    }
}

int storedSection(int section)
{
    return section >= 12 && section <= 15 ? 7 : section;
}

QVector<NoteLine> noteLines(TDMPro *dm, int note, const QVector<int> &sections, bool *ok, QString *error)
{
    QVector<NoteLine> out;
    QStringList chosen;
    for (int s : sections)
        chosen << QString::number(s);
    QSqlQuery q = runSql(dm,
                         QStringLiteral("SELECT D.UnCis, D.UnCCen as UnCMat, D.Popis, D.Cena as NakCen, D.Dan,  C.Kod, D.CSekce,"
                                        "D.Jedn,C.Vyrobce,D.SazbaDPH, (D.Mnoz-D.MnozSkl) as Mnoz  FROM Dodak D, Cenik C  "
                                        "WHERE D.UnCH=:UnCH AND D.CSekce in (")
                             + (chosen.isEmpty() ? QStringLiteral("NULL") : chosen.join(QLatin1Char(',')))
                             + QStringLiteral(") AND  D.UnCCen=C.UnCis AND C.PrenosSkl = 'A' ORDER BY D.CSEKCE, D.POPIS "),
                         {{QStringLiteral("UnCH"), note}}, error);
    if (ok)
        *ok = q.isActive();
    while (q.next()) {
        NoteLine l;
        l.uncis = q.value(0).toInt();
        l.uncmat = q.value(1).toInt();
        l.popis = text(q.value(2));
        l.nakcen = q.value(3).toDouble();
        l.dan = readField(q, 4).toString();
        l.kod = text(q.value(5));
        l.csekce = q.value(6).toInt();
        l.jedn = text(q.value(7));
        l.vyrobce = text(q.value(8));
        l.sazbadph = qRound(q.value(9).toDouble());
        l.mnoz = qMax(0.0, q.value(10).toDouble());
        l.prenos = l.mnoz;
        out.append(l);
    }
    return out;
}

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
        *err = QStringLiteral("Vyberte sklad, do kterého nebo ze kterého se materiál přesouvá.");
        return -1;
    }
    QSqlQuery h = runSql(dm, QStringLiteral("SELECT UNCFIR, DATVYST FROM DODAKH WHERE UNCIS = :N"), {{QStringLiteral("N"), r.note}}, err);
    if (!h.next()) {
        if (err->isEmpty())
            *err = QStringLiteral("Dodací list nebyl nalezen.");
        return -2;
    }
    const int customer = h.value(0).toInt();
    const QDate issued = h.value(1).toDate();
    h = QSqlQuery();

    // the questions come before the transaction, so no lock is held while the user thinks
    Slip slip;
    if (!findSlip(dm, number, &slip, err))
        return -4;
    const QString kind = r.received ? QStringLiteral("N") : QStringLiteral("P");
    if (slip.key == 0) {
        if (!r.confirmCreate || !r.confirmCreate(number))
            return 0;
    } else {
        if (slip.kind != kind) {
            *err = r.received ? QStringLiteral("Vybraná výdejka není typu nákup.\nMateriál nelze převést")
                              : QStringLiteral("Vybraná výdejka není typu prodej.\nMateriál nelze převést");
            return -3;
        }
        if (slip.locked) {
            *err = QStringLiteral("Vybraná výdejka je zamčena.\nMateriál nelze převést");
            return -3;
        }
        const int party = r.received ? slip.vyd : slip.pri;
        if (party != customer) {
            const QString question = r.received ? QStringLiteral("Vybraná výdejka neodpovídá výdejci.\nChcete provést přenos")
                                                : QStringLiteral("Vybraná výdejka neodpovídá příjemci.\nChcete provést přenos");
            if (!r.confirmParty || !r.confirmParty(question))
                return 0;
        }
    }

    int key = 0;
    int failure = -4;
    const bool done = inTransaction(dm, [&](QString *e) {
        QSqlQuery lock = runSql(dm, QStringLiteral("SELECT UNCIS FROM DODAKH WHERE UNCIS = :N WITH LOCK"),
                                {{QStringLiteral("N"), r.note}}, e);
        if (!lock.next()) {
            failure = -2;
            return e->isEmpty() ? fail(e, QStringLiteral("Dodací list nebyl nalezen.")) : false;
        }
        lock = QSqlQuery();
        std::unique_ptr<TfSkladPrevodC> c(TfClass::create<TfSkladPrevodC>(dm));
        if (!c)
            return fail(e, QStringLiteral("Skladová převodka"));
        Slip found;
        if (!findSlip(dm, number, &found, e))
            return false;
        key = found.key;
        if (key == 0) {
            c->SetVariable(QStringLiteral("CDT"), number);
            c->SetVariable(QStringLiteral("DATUM"), issued);
            c->SetVariable(QStringLiteral("TYPPOH"), kind);
            c->SetVariable(QStringLiteral("UNCVYD"), r.received ? customer : r.store);
            c->SetVariable(QStringLiteral("UNCPRI"), r.received ? r.store : customer);
            key = c->InsertRecord();
            if (key <= 0)
                return fail(e, c->lastError().isEmpty() ? QStringLiteral("Založení výdejky") : c->lastError());
        } else if (found.kind != kind) {
            failure = -3;
            return fail(e, QStringLiteral("Vybraná výdejka není typu ") + (r.received ? QStringLiteral("nákup") : QStringLiteral("prodej"))
                               + QStringLiteral(".\nMateriál nelze převést"));
        }
        if (c->OpenRecord(key) < 0)
            return fail(e, c->lastError());
        // what is left to move is read again here, under the note's lock
        QSqlQuery left = dm->NewQuery(), mark = dm->NewQuery();
        if (!prepareSql(left, QStringLiteral("SELECT D.Mnoz - D.MnozSkl FROM Dodak D JOIN Cenik C ON C.UnCis = D.UnCCen "
                                             "WHERE D.UnCis = :UnCis AND D.UnCH = :UnCH AND C.PrenosSkl = 'A'"), e)
            || !prepareSql(mark, QStringLiteral("UPDATE Dodak SET MnozSkl = MnozSkl + :Mnoz WHERE UnCis = :UnCis"), e))
            return false;
        for (const NoteLine &l : r.lines) {
            if (isReceived(l.csekce) != r.received || l.prenos <= 0)
                continue;
            if (!execSql(left, {{QStringLiteral("UnCis"), l.uncis}, {QStringLiteral("UnCH"), r.note}}, e))
                return false;
            const double quantity = left.next() ? qMin(l.prenos, left.value(0).toDouble()) : 0.0;
            if (quantity <= 0)
                continue;
            StockSlip::Line line;
            line.uncmat = l.uncmat;
            line.popis = l.popis;
            line.nakcen = l.nakcen;
            line.dph = l.dan.isEmpty() ? QStringLiteral(" ") : l.dan;
            line.dphn = l.sazbadph;
            line.kodmat = l.kod;
            line.jedn = l.jedn;
            line.vyrobce = l.vyrobce;
            line.mnoz = quantity;
            line.stav = line.novstav = conditionOf(l.csekce);
            line.csekce = storedSection(l.csekce);
            if (c->PridejSloucene(line) < 0)
                return fail(e, QStringLiteral("Vložení položky"));
            if (!execSql(mark, {{QStringLiteral("Mnoz"), quantity}, {QStringLiteral("UnCis"), l.uncis}}, e))
                return false;
        }
        if (c->SaveRecordKeepOpen() < 0)
            return fail(e, c->lastError());
        return true;
    }, err);
    return done ? key : failure;
}

} // namespace StockMove
