#include "db/schema.h"
#include "core/datamodulpro.h"
#include "core/secrets.h"
#include "core/sqlrun.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlQuery>

static void initSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace Schema {

QStringList scriptNames()
{
    return {QStringLiteral("framework.sql"), QStringLiteral("templates.sql"),
            QStringLiteral("codelists.sql"), QStringLiteral("numbering.sql"),
            QStringLiteral("texts.sql"), QStringLiteral("customers.sql"),
            QStringLiteral("pricelists.sql"), QStringLiteral("equipment.sql"),
            QStringLiteral("dampers.sql"),
            QStringLiteral("hydrants.sql"), QStringLiteral("barcodes.sql"),
            QStringLiteral("deliverynotes.sql"), QStringLiteral("invoices.sql"),
            QStringLiteral("warehouse.sql"), QStringLiteral("orders.sql"),
            QStringLiteral("plan.sql"),
            QStringLiteral("reports.sql")};
}

QString scriptText(const QString &name)
{
    initSchemaResources();
    QFile f(QStringLiteral(":/db/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

bool apply(TDMPro &dm, QString *error)
{
    for (const QString &name : scriptNames()) {
        const QString text = scriptText(name);
        if (text.isEmpty()) {
            if (error)
                *error = QStringLiteral("Chybí skript %1").arg(name);
            return false;
        }
        for (const QString &statement : Firebird::splitScript(text)) {
            QString err;
            const QString head = statement.section(QLatin1Char(' '), 0, 0).toUpper();
            bool ok;
            if (head == QLatin1String("INSERT") || head == QLatin1String("UPDATE")
                || head == QLatin1String("DELETE")) {
                ok = runSql(&dm, statement, {}, &err).isActive();
            } else {
                ok = dm.executeDdl(statement, &err);
            }
            if (!ok) {
                if (error)
                    *error = QStringLiteral("%1: %2\n%3").arg(name, err, statement.left(200));
                return false;
            }
        }
    }
    return true;
}

bool createDatabase(const Firebird::Location &where, const QString &user, const QString &password,
                    QString *error, bool forcedWrites)
{
    Secrets::remember(password);
    if (!Firebird::createDatabase(where, user, password, error))
        return false;
    if (!Firebird::setForcedWrites(where, user, password, false, error))
        return false;
    bool ok;
    {
        TDMPro dm(QStringLiteral("QelSchema"));
        ok = dm.open(where, user, password, error) && apply(dm, error);
        dm.close();
    }
    if (ok && forcedWrites)
        ok = Firebird::setForcedWrites(where, user, password, true, error);
    return ok;
}

QByteArray fingerprint()
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &name : scriptNames())
        hash.addData(scriptText(name).toUtf8());
    return hash.result().toHex().left(16);
}

} // namespace Schema
