#include "barcodes/transfer.h"
#include "core/datamodulpro.h"
#include "core/globals.h"
#include "core/sqlrun.h"
#include "inspections/hpc.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVector>

namespace Reader {

namespace {

struct Report
{
    qint64 key = 0;
    QVariant datum;
    int tech = 0, tech2 = 0, fir = 0, str = 0;
    int pochp = 0;
    bool withdrawn = false;
};

// The extinguisher states that stay with the customer and count into POCHP.
bool countsAsLeft(int status)
{
    return status == 1 || (status >= 6 && status <= 9);
}

} // namespace

bool transferStaged(TDMPro *dm, TransferResult *result, QString *error)
{
    TransferResult done;
    if (dm->WritesBlocked() != 0) {
        *error = QStringLiteral("Zápis do databáze je blokován. Zkuste volbu zopakovat později.");
        return false;
    }
    QString readError;
    QSqlQuery rows = runSql(dm, QStringLiteral("SELECT * FROM VstCarKod ORDER BY UnCis"), {}, &readError);
    if (!rows.isActive()) {
        *error = readError;
        return false;
    }
    // read first: the inserts run in a transaction of their own
    QVector<QSqlRecord> staged;
    while (rows.next())
        staged.append(rows.record());
    rows = QSqlQuery();
    const bool ok = inTransaction(dm, [&](QString *failure) {
        QSqlQuery header = dm->NewQuery(), item = dm->NewQuery();
        if (!prepareSql(header,
                        QStringLiteral("INSERT INTO Pr_Hlav (UnCis, Pravid, Datum, faktura, vyrprot, unctech, unctech2, "
                                       "uncfir, uncstr, pochp, klic, kdo) VALUES (:UnCis, 'A', :Datum, 'R', :VyrProt, "
                                       ":UncTech, :UncTech2, :UncFir, :UncStr, :PocHP, 0, :Kdo)"),
                        failure)
            || !prepareSql(item,
                           QStringLiteral("INSERT INTO Pr_Tab (UnCis, UnCH, Objekt, Misto, Znacka, OprText, Druh, VyrCis, "
                                          "Stav, Pozn, HP, Rok, Vyrobce, Status, Predilna, PreVyraz, PreSklad, UnCCen, "
                                          "Poradi, Posdil, Carkod, UncPom, Klic, Kdo) VALUES (:UnCis, :UnCH, :Objekt, "
                                          ":Misto, :Znacka, :OprText, :Druh, :VyrCis, :Stav, :Pozn, :HP, :Rok, :Vyrobce, "
                                          ":Status, :Predilna, :PreVyraz, :PreSklad, :UnCCen, :Poradi, :Posdil, "
                                          ":Carkod, :UnCis, 0, :Kdo)"),
                           failure))
            return false;
        Report report;
        bool open = false;
        int objects = 0;
        QString objectName;
        const auto writeReport = [&]() {
            if (!open)
                return true;
            ++done.inspections;
            return execSql(header,
                           {{QStringLiteral("UnCis"), report.key}, {QStringLiteral("Datum"), report.datum},
                            {QStringLiteral("VyrProt"), report.withdrawn ? QStringLiteral("A") : QStringLiteral("N")},
                            {QStringLiteral("UncTech"), report.tech}, {QStringLiteral("UncTech2"), report.tech2},
                            {QStringLiteral("UncFir"), report.fir}, {QStringLiteral("UncStr"), report.str},
                            {QStringLiteral("PocHP"), report.pochp}, {QStringLiteral("Kdo"), userStamp()}},
                           failure);
        };
        int stagedRow = 0;
        for (const QSqlRecord &rows : staged) {
            ++stagedRow;
            const auto text = [&rows](const char *field) { return rows.value(QLatin1String(field)).toString(); };
            const int kind = rows.value(QStringLiteral("TYPVET")).toInt();
            if (kind == 10) {
                if (!writeReport())
                    return false;
                report = Report();
                report.fir = rows.value(QStringLiteral("UNCFIR")).toInt();
                report.datum = rows.value(QStringLiteral("DATUM"));
                if (report.fir <= 0 || report.datum.isNull() || !report.datum.toDate().isValid()) {
                    *failure = QStringLiteral("Řádek %1 (firma) nemá zadanou firmu nebo datum kontroly.").arg(stagedRow);
                    return false;
                }
                report.key = dm->NextKey(QStringLiteral("PR_HLAV"));
                if (report.key < 0) {
                    *failure = QStringLiteral("Klíč protokolu se nepodařilo získat.");
                    return false;
                }
                report.tech = rows.value(QStringLiteral("UNCTECH")).toInt();
                report.tech2 = rows.value(QStringLiteral("UNCTECH2")).toInt();
                report.str = rows.value(QStringLiteral("UNCSTR")).toInt();
                open = true;
                objects = 0;
                objectName.clear();
            } else if (kind == 11) {
                ++objects;
                objectName = text("OBJEKT");
            } else if (kind == 1) {
                if (!open) {
                    *failure = QStringLiteral("Řádek %1: hasicí přístroj před první firmou.").arg(stagedRow);
                    return false;
                }
                const qint64 key = dm->NextKey(QStringLiteral("PR_TAB"));
                if (key < 0) {
                    *failure = QStringLiteral("Klíč HP se nepodařilo získat.");
                    return false;
                }
                const int status = rows.value(QStringLiteral("STATUS")).toInt();
                const TfHPC::StateFlags flags = TfHPC::flagsOfState(status);
                const SqlParameters values = {
                    {QStringLiteral("UnCis"), key}, {QStringLiteral("UnCH"), report.key},
                    {QStringLiteral("Objekt"), objectName}, {QStringLiteral("Misto"), text("MISTO")},
                    {QStringLiteral("Znacka"), TfHPC::markOf(text("HP"), text("OPRTEXT"))},
                    {QStringLiteral("OprText"), text("OPRTEXT")}, {QStringLiteral("Druh"), text("DRUH")},
                    {QStringLiteral("VyrCis"), text("VYRCIS")}, {QStringLiteral("Stav"), text("STAV")},
                    {QStringLiteral("Pozn"), text("POZN")}, {QStringLiteral("HP"), text("HP")},
                    {QStringLiteral("Rok"), rows.value(QStringLiteral("ROK"))}, {QStringLiteral("Vyrobce"), text("VYROBCE")},
                    {QStringLiteral("Status"), status}, {QStringLiteral("Predilna"), flags.preDilna},
                    {QStringLiteral("PreVyraz"), flags.preVyraz}, {QStringLiteral("PreSklad"), flags.preSklad},
                    {QStringLiteral("UnCCen"), rows.value(QStringLiteral("UNCCEN")).toInt()},
                    {QStringLiteral("Poradi"), objects}, {QStringLiteral("Posdil"), rows.value(QStringLiteral("POSDIL"))},
                    {QStringLiteral("Carkod"), rows.value(QStringLiteral("CARKOD")).toInt()},
                    {QStringLiteral("Kdo"), userStamp()}};
                if (!execSql(item, values, failure))
                    return false;
                ++done.items;
                if (flags.preVyraz == QLatin1String("A"))
                    report.withdrawn = true;
                if (countsAsLeft(status))
                    ++report.pochp;
            }
        }
        return writeReport();
    }, error);
    if (ok && result)
        *result = done;
    return ok;
}

} // namespace Reader
