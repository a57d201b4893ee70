#include "customers/adrtexty.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "core/sqlrun.h"
#include "core/rowcache.h"

#include <QSqlQuery>

namespace {
const QString ChybaSestaveni = QStringLiteral("Chyba při sestavení");
const QString SestaveniAdresy = QStringLiteral("Sestavení adresy");

QString text(const RowCache &r, const char *field)
{
    return r.value(0, QString::fromLatin1(field)).toString().trimmed();
}

// "Kon.Os.: " + person + ", " + function + "     " + telephones; empty without a person.
QString kontakt(const QString &osoba, const QString &funkce, const QStringList &telefony)
{
    if (osoba.isEmpty())
        return QString();
    QStringList tel;
    for (const QString &t : telefony)
        if (!t.isEmpty())
            tel << t;
    return QStringLiteral("Kon.Os.: ") + osoba + QStringLiteral(", ") + funkce + QStringLiteral("     ")
           + tel.join(QStringLiteral(", "));
}
} // namespace

TDMPro *TAdresniTexty::dm() const
{
    return m_dm ? m_dm : DM;
}

int TAdresniTexty::druhZaznamu(const RowCache &row)
{
    const QVariant v = row.value(0, QStringLiteral("TYP"));
    const int typ = v.isNull() ? 1 : v.toInt();
    return (typ < 1 || typ > 5) ? 1 : typ;
}

bool TAdresniTexty::read(const QString &sql, int key, RowCache &into)
{
    TDMPro *d = dm();
    if (!d) {
        Prompt::warning(ChybaSestaveni, SestaveniAdresy);
        return false;
    }
    QSqlQuery q = runSql(d, sql, {{QStringLiteral("UnCis"), key}});
    if (!q.isActive()) {
        Prompt::warning(ChybaSestaveni, SestaveniAdresy);
        return false;
    }
    into.load(q);
    return true;
}

QString TAdresniTexty::SestavAdresu(int key, QString *registrace)
{
    // Both side results belong to this entry alone: a caller reading them after the
    // call must never get the previous entry's price list or discount.
    UnCCen = 0;
    Sleva = 0;
    RowCache a;
    if (!read(QStringLiteral("SELECT ADR.*, FIR.Sleva FROM Adresar ADR  left outer join Firmy FIR on "
                             "(ADR.UnCis = FIR.UNCH)  WHERE ADR.UnCis = :UnCis  "),
              key, a)
        || a.isEmpty())
        return QString();
    UnCCen = a.value(0, QStringLiteral("UNCCEN")).toInt();
    if (registrace)
        *registrace = text(a, "REGISTRACE");
    switch (druhZaznamu(a)) {
    case 2:
        return text(a, "JMENO") + QLatin1Char(' ') + text(a, "PRIJMENI") + QStringLiteral(" (") + text(a, "KOD")
               + QStringLiteral(") ") + text(a, "ULICE") + QLatin1Char(' ') + text(a, "CISPOP")
               + QStringLiteral(", ") + text(a, "MESTO");
    case 3:
    case 4:
        return text(a, "JMENO") + QLatin1Char(' ') + text(a, "PRIJMENI") + QStringLiteral(" (")
               + text(a, "CISPRUKAZU") + QStringLiteral(") ");
    default: {
        Sleva = a.value(0, QStringLiteral("SLEVA")).toDouble();
        QString s = text(a, "NAZEV") + QStringLiteral(", ") + text(a, "ULICE") + QLatin1Char(' ')
                    + text(a, "CISPOP") + QStringLiteral(", ") + text(a, "PSC") + QLatin1Char(' ')
                    + text(a, "MESTO");
        const QString ico = text(a, "ICO");
        if (!ico.isEmpty())
            s += QStringLiteral(" (") + ico + QLatin1Char(')');
        return s;
    }
    }
}

QString TAdresniTexty::SestavStredisko(int key)
{
    RowCache s;
    if (!read(QStringLiteral("SELECT * FROM Strediska WHERE UnCis = :UnCis "), key, s) || s.isEmpty())
        return QString();
    RowCache a;
    if (!read(QStringLiteral("SELECT * FROM Adresar WHERE UnCis = :UnCis "),
              s.value(0, QStringLiteral("UNCH")).toInt(), a))
        return QString();
    // The site's own part when it has one, else the owner's; the separators follow
    // whose part it is.
    auto own = [&](const char *field) { return text(s, field); };
    auto owner = [&](const char *field) { return a.isEmpty() ? QString() : text(a, field); };
    QString line = (own("STREDISKO").isEmpty() ? owner("NAZEV") : own("STREDISKO")) + QStringLiteral(", ");
    line += own("ULICE").isEmpty() ? owner("ULICE") + QLatin1Char(' ') : own("ULICE") + QStringLiteral(", ");
    line += own("CISPOP").isEmpty() ? owner("CISPOP") + QStringLiteral(", ") : own("CISPOP") + QLatin1Char(' ');
    line += (own("PSC").isEmpty() ? owner("PSC") : own("PSC")) + QLatin1Char(' ');
    line += own("MESTO").isEmpty() ? owner("MESTO") : own("MESTO");
    return line;
}

QString TAdresniTexty::SestavTechnika(int key)
{
    RowCache a;
    if (!read(QStringLiteral("SELECT * FROM Adresar WHERE UnCis = :UnCis "), key, a) || a.isEmpty())
        return QString();
    return text(a, "CISPRUKAZU") + QStringLiteral(" - ") + text(a, "JMENO") + QLatin1Char(' ') + text(a, "PRIJMENI");
}

void TAdresniTexty::vyplnFirmu(const RowCache &a, AdresniBlok &blok)
{
    blok.radky[0] = text(a, "NAZEV");
    blok.radky[1] = text(a, "ULICE") + QLatin1Char(' ') + text(a, "CISPOP");
    blok.radky[2] = text(a, "PSC") + QLatin1Char(' ') + text(a, "MESTO");
    blok.ico = text(a, "ICO");
    blok.dic = text(a, "DIC");
    blok.registrace = text(a, "REGISTRACE");
    const QString cislo = text(a, "CISOBJ");
    const QString typ = text(a, "TYPOBJ");
    if (typ == QLatin1String("U"))
        blok.objednavka = QStringLiteral("Ústní objednávka ") + cislo;
    else if (typ == QLatin1String("O"))
        blok.objednavka = QStringLiteral("Objednávka: ") + cislo;
    else if (typ == QLatin1String("S"))
        blok.objednavka = QStringLiteral("Smlouva: ") + cislo;
    else if (typ == QLatin1String("E"))
        blok.objednavka = QStringLiteral("Objednáno e-mailem ") + cislo;
    else if (typ == QLatin1String("F"))
        blok.objednavka = QStringLiteral("Faxová objednávka ") + cislo;
}

void TAdresniTexty::vyplnOsobu(const RowCache &a, AdresniBlok &blok)
{
    blok.radky[0] = text(a, "JMENO") + QLatin1Char(' ') + text(a, "PRIJMENI");
    blok.radky[1] = text(a, "ULICE") + QLatin1Char(' ') + text(a, "CISPOP");
    blok.radky[2] = text(a, "MESTO");
    blok.ico.clear();
    blok.dic.clear();
    blok.registrace.clear();
}

bool TAdresniTexty::isPerson(const RowCache &a)
{
    // employees and technicians are people; customers and outside services firms
    const int typ = druhZaznamu(a);
    return typ >= 2 && typ <= 4;
}

int TAdresniTexty::fillEntryLines(int key, RowCache &a, AdresniBlok &blok)
{
    blok = AdresniBlok();
    if (!read(QStringLiteral("SELECT * FROM Adresar a  Left outer join Firmy f on (a.UnCis = f.UnCH ) "
                             "WHERE a.UnCis = :UnCis  "),
              key, a))
        return -1;
    if (a.isEmpty())
        return 1;
    if (isPerson(a))
        vyplnOsobu(a, blok);
    else
        vyplnFirmu(a, blok);
    return 0;
}

int TAdresniTexty::VyplnAdresu(int key, AdresniBlok &blok, const QString &caption)
{
    RowCache a;
    const int result = fillEntryLines(key, a, blok);
    if (result != 0 || isPerson(a))
        return result;
    const int spravce = a.value(0, QStringLiteral("UNCSPRFIR")).toInt();
    if (spravce > 0
        && Prompt::question(QStringLiteral("Použít v adrese správní firmu?"), caption) == PromptYes) {
        RowCache s;
        if (!read(QStringLiteral("SELECT * FROM Adresar WHERE UnCis = :UnCis "), spravce, s))
            return -1;
        if (!s.isEmpty()) {
            blok.radky[1] = QStringLiteral("Zastoupena: ") + text(s, "NAZEV");
            blok.radky[2] = text(s, "ULICE") + QLatin1Char(' ') + text(s, "CISPOP");
            blok.radky[3] = text(s, "PSC") + QLatin1Char(' ') + text(s, "MESTO");
        }
    }
    return 0;
}

int TAdresniTexty::VyplnAdresuPlan(int key, AdresniBlok &blok)
{
    RowCache a;
    const int result = fillEntryLines(key, a, blok);
    if (result != 0)
        return result;
    for (const QString &k : {kontakt(text(a, "ODP1"), text(a, "FCE1"), {text(a, "TEL1"), text(a, "TEL2")}),
                             kontakt(text(a, "ODP2"), text(a, "FCE2"), {text(a, "TEL3"), text(a, "TEL4")})})
        if (!k.isEmpty())
            blok.kontakty << k;
    return 0;
}

int TAdresniTexty::VyplnStrediskoPlan(int key, AdresniBlok &blok)
{
    blok = AdresniBlok();
    RowCache s;
    if (!read(QStringLiteral("SELECT * FROM Strediska WHERE UnCis = :UnCis "), key, s))
        return -1;
    if (s.isEmpty())
        return 1;
    blok.radky[0] = text(s, "STREDISKO");
    blok.radky[1] = text(s, "ULICE") + QLatin1Char(' ') + text(s, "CISPOP");
    blok.radky[2] = text(s, "PSC") + QLatin1Char(' ') + text(s, "MESTO");
    const QString osoba = text(s, "KONOSO");
    const QString spojeni = text(s, "KONTAKT");
    if (!osoba.isEmpty() || !spojeni.isEmpty())
        blok.kontakty << QStringLiteral("Kon.Os.: ") + osoba + QStringLiteral("     ") + spojeni;
    return 0;
}
