#include "warehouse/slipmerge.h"

#include "core/datamodulpro.h"
#include "core/globals.h"
#include "core/money.h"
#include "core/sqlrun.h"

int mergeSlipLine(TDMPro *dm, int slip, const Slip::Line &line, QString *error)
{
    // prices are compared as stored, to the hundredth of a haler
    QSqlQuery found = runSql(dm,
                             QStringLiteral("SELECT UNCIS, MNOZ, NAKCEN FROM SKLADPREVODP WHERE UNCH = :UNCH AND UNCMAT = :UNCMAT "
                                            "AND STAV = :STAV AND NOVSTAV = :NOVSTAV AND ABS(NAKCEN - :NAKCEN) < 0.0001"),
                             {{QStringLiteral("UNCH"), slip}, {QStringLiteral("UNCMAT"), line.uncmat},
                              {QStringLiteral("STAV"), line.stav}, {QStringLiteral("NOVSTAV"), line.novstav},
                              {QStringLiteral("NAKCEN"), line.nakcen}},
                             error);
    if (!found.isActive())
        return -1;
    QSqlQuery write = dm->NewQuery();
    if (found.next()) {
        const int key = found.value(0).toInt();
        const double mnoz = found.value(1).toDouble() + line.mnoz;
        return runSql(write,
                      QStringLiteral("UPDATE SKLADPREVODP SET MNOZ = :MNOZ, CENA = :CENA, KLIC = KLIC + 1 WHERE UNCIS = :UNCIS"),
                      {{QStringLiteral("MNOZ"), mnoz},
                       {QStringLiteral("CENA"), Round(found.value(2).toDouble() * mnoz, 0.01, false)},
                       {QStringLiteral("UNCIS"), key}},
                      error)
                   ? key
                   : -1;
    }
    const qint64 key = dm->NextKey(QStringLiteral("SKLADPREVODP"));
    if (key < 0) {
        if (error)
            *error = QStringLiteral("Klíč řádku převodky");
        return -1;
    }
    const bool ok = runSql(
        write,
        QStringLiteral("INSERT INTO SKLADPREVODP (UNCIS, UNCH, UNCMAT, POPIS, KODMAT, JEDN, VYROBCE, CSEKCE, MNOZ, NAKCEN, CENA, "
                       "DPH, DPHN, TYPPOH, STAV, NOVSTAV, KLIC, KDO) VALUES (:UNCIS, :UNCH, :UNCMAT, :POPIS, :KODMAT, :JEDN, "
                       ":VYROBCE, :CSEKCE, :MNOZ, :NAKCEN, :CENA, :DPH, :DPHN, :TYPPOH, :STAV, :NOVSTAV, 0, :KDO)"),
        {{QStringLiteral("UNCIS"), key},
         {QStringLiteral("UNCH"), slip},
         {QStringLiteral("UNCMAT"), line.uncmat},
         {QStringLiteral("POPIS"), line.popis.left(80)},
         {QStringLiteral("KODMAT"), line.kodmat.left(20)},
         {QStringLiteral("JEDN"), line.jedn.left(10)},
         {QStringLiteral("VYROBCE"), line.vyrobce.left(40)},
         {QStringLiteral("CSEKCE"), line.csekce},
         {QStringLiteral("MNOZ"), line.mnoz},
         {QStringLiteral("NAKCEN"), line.nakcen},
         {QStringLiteral("CENA"), Round(line.nakcen * line.mnoz, 0.01, false)},
         {QStringLiteral("DPH"), line.dph.isEmpty() ? QStringLiteral(" ") : line.dph.left(1)},
         {QStringLiteral("DPHN"), line.dphn},
         {QStringLiteral("TYPPOH"), line.typpoh.left(1)},
         {QStringLiteral("STAV"), line.stav},
         {QStringLiteral("NOVSTAV"), line.novstav},
         {QStringLiteral("KDO"), userStamp()}},
        error);
    return ok ? int(key) : -1;
}
