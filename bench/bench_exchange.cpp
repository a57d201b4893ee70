// The exchange of 100,000 changed address-book rows (every tenth with a memo): the
// export into the transfer file and its import into another installation that has
// none of them, against the same rows written by raw prepared inserts in one
// transaction. Target: each within 3 x raw.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <cstdio>

#include "admin/exchange.h"
#include "core/datamodulpro.h"
#include "core/sqlrun.h"
#include "db/schema.h"

namespace {

constexpr int Rows = 100000;

bool makeDatabase(TDMPro &dm, const QString &path)
{
    const Firebird::Location where{QString(), path};
    QString error;
    if (Schema::createDatabase(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error, false)
        && dm.open(where, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), &error))
        return true;
    std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(path), qPrintable(error));
    return false;
}

// The rows written by one prepared insert each, in one transaction; milliseconds.
double rawInsert(TDMPro &dm, const QString &table, const QVector<QSqlRecord> &rows)
{
    QStringList names, marks;
    for (int i = 0; i < rows.first().count(); ++i) {
        names << rows.first().fieldName(i);
        marks << QStringLiteral("?");
    }
    QElapsedTimer t;
    t.start();
    TransactionGuard guard(&dm);
    QSqlQuery q = dm.NewQuery();
    q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (const QSqlRecord &r : rows) {
        for (int i = 0; i < r.count(); ++i)
            q.bindValue(i, r.value(i));
        if (!q.exec())
            std::fprintf(stderr, "raw insert into %s failed\n", qPrintable(table));
    }
    guard.commit();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("prenos"));
    QDir().mkpath(folder);
    int rc = 0;
    {
        TDMPro source(QStringLiteral("BenchSource")), target(QStringLiteral("BenchTarget")), raw(QStringLiteral("BenchRaw"));
        if (!makeDatabase(source, dir.filePath(QStringLiteral("a.fdb"))) || !makeDatabase(target, dir.filePath(QStringLiteral("b.fdb")))
            || !makeDatabase(raw, dir.filePath(QStringLiteral("raw.fdb"))))
            return 1;
        inTransaction(&source, [&source](QString *error) {
            QSqlQuery q = source.NewQuery();
            if (!prepareSql(q, QStringLiteral("INSERT INTO ADRESAR (UNCIS, CISLO, KOD, NAZEV, ULICE, MESTO, PSC, ICO, POZN, TYP, SERTECH) "
                                              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, 'N')"), error))
                return false;
            for (int i = 0; i < Rows; ++i) {
                q.bindValue(0, i * 100 + 1);
                q.bindValue(1, i);
                q.bindValue(2, QStringLiteral("K%1").arg(i));
                q.bindValue(3, QStringLiteral("Firma Žďárský %1 s.r.o.").arg(i));
                q.bindValue(4, QStringLiteral("Náměstí %1").arg(i % 300));
                q.bindValue(5, QStringLiteral("Třebíč"));
                q.bindValue(6, QStringLiteral("674 01"));
                q.bindValue(7, QString::number(10000000 + i));
                q.bindValue(8, i % 10 ? QVariant() : QVariant(QStringLiteral("Přístroje v přízemí, klíč u vrátného")));
                if (!execSql(q, {}, error))
                    return false;
            }
            return true;
        });

        QElapsedTimer t;
        t.start();
        const Exchange::Outcome exported = Exchange::exportChanges(source, folder, QDate::currentDate().addDays(-1), {QStringLiteral("cbAdr")});
        const double exportMs = t.nsecsElapsed() / 1e6;
        t.restart();
        const Exchange::Outcome imported = Exchange::importChanges(target, folder, {QStringLiteral("cbAdr")});
        const double importMs = t.nsecsElapsed() / 1e6;
        if (!exported.ok || !imported.ok) {
            std::fprintf(stderr, "exchange failed: %s %s\n", qPrintable(exported.message), qPrintable(imported.message));
            return 1;
        }
        QVector<QSqlRecord> rows;
        QSqlQuery q = runSql(&source, QStringLiteral("SELECT * FROM ADRESAR"));
        while (q.next())
            rows.append(q.record());
        q = QSqlQuery();
        const double rawMs = rawInsert(raw, QStringLiteral("ADRESAR"), rows);
        std::printf("%d rows exported, %lld imported (%lld inserted)\n", int(exported.rows), imported.rows, imported.changed);
        std::printf("%-24s %10s %10s %8s  %s\n", "step", "ours ms", "raw ms", "ratio", "target");
        std::printf("%-24s %10.1f %10.1f %8.2f  %s\n", "export", exportMs, rawMs, exportMs / rawMs, "3.00");
        std::printf("%-24s %10.1f %10.1f %8.2f  %s\n", "import", importMs, rawMs, importMs / rawMs, "3.00");
        if (exported.rows != Rows || imported.changed != Rows)
            rc = 1;
    }
    return rc;
}
