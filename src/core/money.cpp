#include "core/money.h"
#include "core/format.h"

#include <QStringList>
#include <cmath>
#include <initializer_list>

namespace {

constexpr double Halir = 0.01;

double platnyKrok(double krok)
{
    return std::isfinite(krok) && krok > 0 ? krok : Halir;
}

// Drops the binary noise of a computed amount by keeping 15 significant digits of the
// largest number it came from, the precision a double holds reliably. 1.005 / 0.01
// comes out as 100.49999999999999; cleaned it is the 100.5 the user meant, so a half
// really rounds away from zero. A difference must be measured against its operands,
// not itself: 1210 - 1210.48 is -0.48000000000001802, and only the digits down to
// 15 places of 1210.48 mean anything. Also turns -0 into 0.
double bezSumu(double x, double velikost = 0.0)
{
    if (!std::isfinite(x) || x == 0.0)
        return x + 0.0;
    velikost = qMax(std::fabs(x), velikost);
    const int mist = 14 - int(std::floor(std::log10(velikost)));
    if (mist <= 0)
        return x;
    return QString::number(x, 'f', qMin(mist, 330)).toDouble() + 0.0;
}

// A sum of amounts without the binary noise of the additions.
double secti(std::initializer_list<double> cleny)
{
    double soucet = 0.0, velikost = 0.0;
    for (double c : cleny) {
        soucet += c;
        velikost = qMax(velikost, std::fabs(c));
    }
    return bezSumu(soucet, velikost);
}

// ---- amounts in words ----

enum Rod { Muzsky, Zensky };

const char *const Jednotky[20] = {
    "", "jedna", "dva", "tři", "čtyři", "pět", "šest", "sedm", "osm", "devět",
    "deset", "jedenáct", "dvanáct", "třináct", "čtrnáct", "patnáct", "šestnáct",
    "sedmnáct", "osmnáct", "devatenáct"};
const char *const Desitky[10] = {
    "", "", "dvacet", "třicet", "čtyřicet", "padesát", "šedesát", "sedmdesát",
    "osmdesát", "devadesát"};
const char *const Stovky[10] = {
    "", "sto", "dvě stě", "tři sta", "čtyři sta", "pět set", "šest set", "sedm set",
    "osm set", "devět set"};

struct Podstatne
{
    Rod rod;
    const char *jedna;   // 1
    const char *dve;     // 2, 3, 4 (also 22, 103, ...)
    const char *pet;     // 0, 5 and more, teens, and compounds ending in one
};

const Podstatne Koruny = {Zensky, "koruna česká", "koruny české", "korun českých"};
// Orders of a thousand, from 10^3 up; a qint64 never reaches beyond trillions.
const Podstatne Rady[6] = {
    {Muzsky, "tisíc", "tisíce", "tisíc"},
    {Muzsky, "milion", "miliony", "milionů"},
    {Zensky, "miliarda", "miliardy", "miliard"},
    {Muzsky, "bilion", "biliony", "bilionů"},
    {Zensky, "biliarda", "biliardy", "biliard"},
    {Muzsky, "trilion", "triliony", "trilionů"},
};

// Czech counts 2 to 4 with the nominative plural and everything else with the genitive
// plural; a compound ending in one ("dvacet jedna", "tisíc jedna") takes the genitive
// plural too, so only a plain 1 takes the singular.
const char *tvar(const Podstatne &p, quint64 pocet)
{
    if (pocet == 1)
        return p.jedna;
    const quint64 posledni = pocet % 10, dve = pocet % 100;
    if (posledni >= 2 && posledni <= 4 && (dve < 12 || dve > 14))
        return p.dve;
    return p.pet;
}

// Words of 1 to 999 counting a noun of the given gender ("dva tisíce", "dvě koruny").
// A one at the end stays "jedna" in every gender, as in "dvacet jedna tisíc".
void trojice(int n, Rod rod, QStringList &slova)
{
    if (n >= 100)
        slova << QString::fromUtf8(Stovky[n / 100]);
    n %= 100;
    if (n >= 20) {
        slova << QString::fromUtf8(Desitky[n / 10]);
        n %= 10;
    }
    if (n == 2 && rod == Zensky)
        slova << QStringLiteral("dvě");
    else if (n > 0)
        slova << QString::fromUtf8(Jednotky[n]);
}

} // namespace

double Round(double value, double step, bool nahoru)
{
    if (!std::isfinite(value))
        return value;
    const double krok = platnyKrok(step);
    const double podil = bezSumu(std::fabs(value) / krok);
    const double nasobek = nahoru ? std::ceil(podil) : std::round(podil);
    const double vysledek = bezSumu(nasobek * krok);
    return value < 0 ? bezSumu(-vysledek) : vysledek;
}

int PrepXTabDPH(TTabDPH *tab, double slevaProc, bool cenySDPH, int sazbaZ, int sazbaS,
                double krokDPH, double krokCelkem)
{
    if (!tab)
        return -1;
    TTabDPH &t = *tab;
    for (int i = TTabDPH::ZakZ; i <= TTabDPH::ZakB; ++i)
        if (!std::isfinite(t[i]))
            return -1;

    const double krokDane = platnyKrok(krokDPH);
    const double krokCastky = platnyKrok(krokCelkem);
    const double sleva = std::isfinite(slevaProc) ? slevaProc : 0.0;
    // A negative rate makes no sense on a document; it must not turn into a refund.
    const int sazby[3] = {qMax(sazbaZ, 0), qMax(sazbaS, 0), 0};

    double radky = 0, slevy = 0;
    double zaklady[3], dane[3];
    for (int i = 0; i < 3; ++i) {
        const double soucet = t[TTabDPH::ZakZ + i];
        radky = secti({radky, soucet});
        const double slevaTridy = Round(soucet * sleva / 100.0, Halir);
        const double poSleve = Round(soucet - slevaTridy, Halir);
        slevy = secti({slevy, slevaTridy});
        const int sazba = sazby[i];
        if (cenySDPH) {
            dane[i] = sazba ? Round(poSleve * sazba / (100.0 + sazba), krokDane) : 0.0;
            zaklady[i] = secti({poSleve, -dane[i]});
        } else {
            zaklady[i] = poSleve;
            dane[i] = sazba ? Round(poSleve * sazba / 100.0, krokDane) : 0.0;
        }
    }

    const double zaklad = secti({zaklady[0], zaklady[1], zaklady[2]});
    const double dan = secti({dane[0], dane[1]});
    const double nezaokrouhleno = secti({zaklad, dan});
    const double castka = Round(nezaokrouhleno, krokCastky);

    t[TTabDPH::ZakZ] = zaklady[0];
    t[TTabDPH::ZakS] = zaklady[1];
    t[TTabDPH::ZakB] = zaklady[2];
    t[TTabDPH::Mezisoucet] = Round(radky, Halir);
    t[TTabDPH::ZakCelkem] = zaklad;
    t[TTabDPH::DanZ] = dane[0];
    t[TTabDPH::DanS] = dane[1];
    t[TTabDPH::DanCelkem] = dan;
    t[TTabDPH::SlevaKc] = slevy;
    t[TTabDPH::Castka] = castka;
    t[TTabDPH::Zaokr] = secti({castka, -nezaokrouhleno});
    return 0;
}

QString DejSlovyKC(qint64 castka)
{
    if (castka == 0)
        return QStringLiteral("nula ") + QString::fromUtf8(Koruny.pet);

    // The magnitude as unsigned, so that even the lowest qint64 has one.
    const quint64 velikost = castka < 0 ? quint64(0) - quint64(castka) : quint64(castka);
    int skupiny[7];
    int pocet = 0;
    for (quint64 zbytek = velikost; zbytek > 0; zbytek /= 1000)
        skupiny[pocet++] = int(zbytek % 1000);

    QStringList slova;
    if (castka < 0)
        slova << QStringLiteral("minus");
    for (int i = pocet - 1; i >= 1; --i) {
        const int g = skupiny[i];
        if (g == 0)
            continue;
        const Podstatne &rad = Rady[i - 1];
        if (g > 1)   // "tisíc", "milion": a plain one is not said
            trojice(g, rad.rod, slova);
        slova << QString::fromUtf8(tvar(rad, quint64(g)));
    }
    trojice(skupiny[0], Koruny.rod, slova);
    // The crowns agree with the last group, except that a plain 1 is singular only
    // when it is the whole amount ("tisíc jedna korun českých").
    const quint64 posledni = velikost == 1 ? 1 : (skupiny[0] == 1 ? 0 : quint64(skupiny[0]));
    slova << QString::fromUtf8(tvar(Koruny, posledni));
    return slova.join(QLatin1Char(' '));
}

void PlusDT(int roky, int mesice, int dny, QDate &datum)
{
    if (!datum.isValid())
        return;
    // QDate::addMonths keeps the day and clamps it to the end of a shorter month.
    const QDate vysledek = datum.addMonths(roky * 12 + mesice).addDays(dny);
    if (vysledek.isValid())
        datum = vysledek;
}

QString formatMoney(double amount)
{
    // rounded the way the documents round, so a shown half agrees with the stored total
    return formatNumber(std::isfinite(amount) ? Round(amount, Halir) : amount, 2, true);
}
