#include "commerce/pricing.h"
#include "core/parameters.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>
#include <QtMath>

double tierPrice(const PriceTiers &tiers, double quantity)
{
    const qint64 q = qint64(quantity);
    for (int i = 0; i < 4; ++i) {
        const int threshold = tiers.thresholds.at(std::size_t(i));
        if (threshold == 0 || q <= threshold)
            return tiers.prices.at(std::size_t(i));
    }
    return tiers.prices.at(4);
}

int vatRateOf(const QString &vatClass, const Parameters &parameters)
{
    const QString c = vatClass.trimmed().toUpper();
    if (c == QLatin1String("Z"))
        return qRound(parameters.vatBasic);
    if (c == QLatin1String("S"))
        return qRound(parameters.vatReduced);
    return 0;
}

int vatRateOf(const QString &vatClass)
{
    return vatRateOf(vatClass, Parameters::instance());
}

Pricing::Pricing(TDMPro *dm)
    : m_dm(dm)
{
}

bool Pricing::tiersOn()
{
    return Parameters::instance().quantityTiers;
}

ItemPrice Pricing::itemPrice(int item, int userList) const
{
    ItemPrice p;
    p.item = item;
    m_lastError.clear();
    if (!m_dm || item == 0)
        return p;
    // A user price of 0 leaves the item at its basic price; a list that holds the item
    // twice (older data) gives its first non-zero price.
    QSqlQuery q = runSql(m_dm,
                         QStringLiteral("SELECT C.CSEKCE, C.KOD, C.POPIS, C.JEDN, C.CENPRO, C.CENNAK, C.DPH, C.PRENOSSKL, "
                                        "C.POCPRO, C.POCPRO2, C.POCPRO3, C.POCPRO4, C.CENPRO2, C.CENPRO3, C.CENPRO4, C.CENPRO5, "
                                        "(SELECT FIRST 1 U.CENA FROM CENUZP U WHERE U.UNCH = :UNCH AND U.UNCCEN = C.UNCIS "
                                        "AND U.CENA <> 0 ORDER BY U.UNCIS) AS UZCENA "
                                        "FROM CENIK C WHERE C.UNCIS = :UNCIS"),
                         {{QStringLiteral("UNCH"), userList > 0 ? userList : 0}, {QStringLiteral("UNCIS"), item}},
                         &m_lastError);
    if (!q.next())
        return p;
    const QSqlRecord r = q.record();
    auto number = [&](const char *field) { return q.value(r.indexOf(QString::fromLatin1(field))).toDouble(); };
    auto text = [&](const char *field) {
        return readField(q, r.indexOf(QString::fromLatin1(field))).toString().trimmed();
    };
    p.found = true;
    p.section = q.value(r.indexOf(QStringLiteral("CSEKCE"))).toInt();
    p.code = text("KOD");
    p.description = text("POPIS");
    p.unit = text("JEDN");
    p.basicPrice = number("CENPRO");
    p.purchasePrice = number("CENNAK");
    p.vatClass = text("DPH");
    p.vatRate = vatRateOf(p.vatClass);
    p.stockItem = text("PRENOSSKL") == QLatin1String("A");
    static const char *const thresholds[] = {"POCPRO", "POCPRO2", "POCPRO3", "POCPRO4"};
    static const char *const prices[] = {"CENPRO", "CENPRO2", "CENPRO3", "CENPRO4", "CENPRO5"};
    for (std::size_t i = 0; i < 4; ++i)
        p.tiers.thresholds[i] = q.value(r.indexOf(QString::fromLatin1(thresholds[i]))).toInt();
    for (std::size_t i = 0; i < 5; ++i)
        p.tiers.prices[i] = number(prices[i]);
    const QVariant user = q.value(r.indexOf(QStringLiteral("UZCENA")));
    p.userPrice = userList > 0 && !user.isNull() && user.toDouble() != 0.0;
    p.price = p.userPrice ? user.toDouble() : p.basicPrice;
    return p;
}

int Pricing::userListOf(int customer) const
{
    m_lastError.clear();
    if (!m_dm || customer == 0)
        return 0;
    QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT UNCCEN FROM ADRESAR WHERE UNCIS = :UNCIS"),
                         {{QStringLiteral("UNCIS"), customer}}, &m_lastError);
    return q.next() ? qMax(0, q.value(0).toInt()) : 0;
}

ItemPrice Pricing::customerPrice(int item, int customer) const
{
    return itemPrice(item, userListOf(customer));
}

double Pricing::priceForQuantity(const ItemPrice &price, double quantity) const
{
    if (!tiersOn() || !price.found)
        return price.price;
    return tierPrice(price.tiers, quantity);
}
