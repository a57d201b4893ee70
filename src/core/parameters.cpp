#include "core/parameters.h"
#include "core/datamodulpro.h"
#include "core/format.h"
#include "core/globals.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/sqlrun.h"
#include "core/sqlvalue.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

Parameters &Parameters::instance()
{
    static Parameters p;
    return p;
}

const QVector<ParameterItem> &parameterItems()
{
    using I = ParameterItem;
    static const QVector<ParameterItem> items = {
        {"eFirma", I::Table, I::Text},
        {"eAdresa1", I::Table, I::Text},
        {"eAdresa2", I::Table, I::Text},
        {"eProv1", I::Table, I::Text},
        {"eProv2", I::Table, I::Text},
        {"eRegistrace", I::Table, I::Text},
        {"eICO", I::Table, I::Text},
        {"eDIC", I::Table, I::Text},
        {"eTelefon", I::Table, I::Text},
        {"eUcet", I::Table, I::Text},
        {"eRok", I::Table, I::Text},
        {"eMes", I::Table, I::Text},
        {"eHeslo", I::Table, I::Password},
        {"cbUcHP1", I::Table, I::Flag},
        {"cbUcHP2", I::Table, I::Flag},
        {"cbUcHP3", I::Table, I::Flag},
        {"cbUcHP4", I::Table, I::Flag},
        {"cbUcHP5", I::Table, I::Flag},
        {"cbUcHP6", I::Table, I::Flag},
        {"cbUcHP7", I::Table, I::Flag},
        {"cbUcHP8", I::Table, I::Flag},
        {"cbUcHP9", I::Table, I::Flag},
        {"cbLikHP3", I::Table, I::Flag},
        {"cbLikHP5", I::Table, I::Flag},
        {"cbZaokDPH", I::Table, I::Text},
        {"cbZaokCen", I::Table, I::Text},
        {"eDPHZ", I::Table, I::Text},
        {"eDPHS", I::Table, I::Text},
        {"cbCenBezDPH", I::Table, I::Flag},
        {"cbCenovePasma", I::Table, I::Flag},
        {"feLogo", I::Registry, I::Text},
        {"cbTiskZZ", I::Table, I::Flag},
        {"cbSkrytTech", I::Table, I::Flag},
        {"cbTabHPNovStr", I::Table, I::Flag},
        {"cbTabPVNovStr", I::Table, I::Flag},
        {"cbTabPKNovStr", I::Table, I::Flag},
        {"eHorOkr", I::Registry, I::Text},
        {"eDolOkr", I::Registry, I::Text},
        {"eKontroluProvedl", I::Registry, I::Text},
        {"cbIDDatabaze", I::Table, I::Text},
        {"eVerDat", I::Table, I::ShownOnly},
    };
    return items;
}

double parseParameterDecimal(const QString &text)
{
    // Texts typed under another regional setting ("0.10" where the separator is ',', or
    // "21 %") still give their number: whatever is not a digit or a sign is the point.
    const QString source = text.trimmed();
    QString kept;
    bool pointSeen = false;
    for (const QChar c : source) {
        if (c.isDigit() || c == QLatin1Char('-')) {
            kept += c;
        } else if (!pointSeen) {
            kept += DecimalSeparator;
            pointSeen = true;
        } else {
            break;
        }
    }
    bool ok = false;
    const double value = parseNumber(kept.trimmed(), &ok);
    return ok ? value : 0.0;
}

namespace {

QString sqlList(const QStringList &pieces)
{
    // A list with no member has no SQL form; NULL matches no state
    if (pieces.isEmpty())
        return QStringLiteral("(NULL)");
    QString list = QStringLiteral("(") + pieces.join(QString());
    list[list.size() - 1] = QLatin1Char(')');
    return list;
}

bool isChecked(const ParameterTexts &texts, const QString &name)
{
    return texts.value(name) == QLatin1String("1");
}

int toInt(const QString &text)
{
    return text.trimmed().toInt();
}

} // namespace

QString chargedStatesList(const QVector<int> &checkedStates)
{
    QStringList pieces;
    for (int state = 1; state <= 9; ++state) {
        if (!checkedStates.contains(state))
            continue;
        // state 14 is the second half of "taken for repair, the same one returned"
        pieces << (state == 4 ? QStringLiteral("4,14,") : QString::number(state) + QLatin1Char(','));
    }
    return sqlList(pieces);
}

QString disposalStatesList(bool state3, bool state5)
{
    QStringList pieces;
    if (state3)
        pieces << QStringLiteral("3,");
    if (state5)
        pieces << QStringLiteral("5,");
    return sqlList(pieces);
}

Parameters parametersFromTexts(const ParameterTexts &t)
{
    Parameters p;
    // the firm's own data print in every performer block: an item never stored ("0")
    // prints as nothing
    auto firmText = [&t](const char *name) {
        const QString text = t.value(QString::fromLatin1(name)).trimmed();
        return text == QLatin1String("0") ? QString() : text;
    };
    p.firmName = firmText("eFirma");
    p.firmAddress1 = firmText("eAdresa1");
    p.firmAddress2 = firmText("eAdresa2");
    p.registration = firmText("eRegistrace");
    p.companyId = firmText("eICO");
    p.taxId = firmText("eDIC");
    p.telephone = firmText("eTelefon");
    p.bankAccount = firmText("eUcet");
    p.addressLine1 = firmText("eProv1");
    p.addressLine2 = firmText("eProv2");
    p.year = toInt(t.value(QStringLiteral("eRok")));
    p.month = toInt(t.value(QStringLiteral("eMes")));
    p.unlockPassword = t.value(QStringLiteral("eHeslo"));
    QVector<int> charged;
    for (int state = 1; state <= 9; ++state) {
        if (isChecked(t, QStringLiteral("cbUcHP") + QString::number(state)))
            charged << state;
    }
    p.chargedStates = chargedStatesList(charged);
    p.disposalStates = disposalStatesList(isChecked(t, QStringLiteral("cbLikHP3")),
                                          isChecked(t, QStringLiteral("cbLikHP5")));
    p.vatRoundingStep = parseParameterDecimal(t.value(QStringLiteral("cbZaokDPH")));
    p.totalRoundingStep = parseParameterDecimal(t.value(QStringLiteral("cbZaokCen")));
    p.vatBasic = parseParameterDecimal(t.value(QStringLiteral("eDPHZ")));
    p.vatReduced = parseParameterDecimal(t.value(QStringLiteral("eDPHS")));
    p.pricesWithoutVat = isChecked(t, QStringLiteral("cbCenBezDPH"));
    p.quantityTiers = isChecked(t, QStringLiteral("cbCenovePasma"));
    p.logoPath = t.value(QStringLiteral("feLogo")).trimmed();
    p.topMargin = toInt(t.value(QStringLiteral("eHorOkr")));
    p.bottomMargin = toInt(t.value(QStringLiteral("eDolOkr")));
    p.headerFooterOnEveryPage = isChecked(t, QStringLiteral("cbTiskZZ"));
    p.hideTechnicians = isChecked(t, QStringLiteral("cbSkrytTech"));
    p.hpTableOnNewPage = isChecked(t, QStringLiteral("cbTabHPNovStr"));
    p.pvTableOnNewPage = isChecked(t, QStringLiteral("cbTabPVNovStr"));
    p.pkTableOnNewPage = isChecked(t, QStringLiteral("cbTabPKNovStr"));
    p.inspectedBy = t.value(QStringLiteral("eKontroluProvedl")).trimmed();
    p.databaseNumber = toInt(t.value(QStringLiteral("cbIDDatabaze")));
    p.schemaVersion = toInt(t.value(QStringLiteral("eVerDat")));
    return p;
}

// ---------------------------------------------------------------------------

// Ten digits nobody types by accident; handed out by the service desk only.
const char *const ParameterStore::ServiceCode = "4719053862";

ParameterStore::ParameterStore(TDMPro *dm)
    : m_dm(dm)
{
}

QString ParameterStore::caption()
{
    return QStringLiteral("Tarko 8: Parametry programu");
}

QString ParameterStore::registryKeyPath()
{
    return SettingsStore::productKeyPath(QStringLiteral("Param")) + QLatin1Char('\\');
}

bool ParameterStore::readTable(ParameterTexts &into, QString *error) const
{
    if (!m_dm || !m_dm->isOpen()) {
        if (error)
            *error = QStringLiteral("no connection");
        return false;
    }
    QSqlQuery q = runSql(m_dm, QStringLiteral("select * from qelsys"), {}, error);
    if (!q.isActive())
        return false;
    const int polozka = q.record().indexOf(QStringLiteral("POLOZKA"));
    const int hodnota = q.record().indexOf(QStringLiteral("HODNOTA"));
    QHash<QString, QString> rows;
    while (q.next())
        rows.insert(readField(q, polozka).toString().trimmed(), q.value(hodnota).toString());
    for (const ParameterItem &item : parameterItems()) {
        if (item.store != ParameterItem::Table)
            continue;
        const QString name = QString::fromLatin1(item.name);
        into.insert(name, rows.value(name, QStringLiteral("0")));
    }
    return true;
}

bool ParameterStore::load()
{
    ParameterTexts read;
    QString error;
    if (!readTable(read, &error)) {
        qWarning("parameters: %s", qPrintable(error));
        Prompt::warning(QStringLiteral("Načtení parametrů"), caption());
        return false;
    }
    const QString key = registryKeyPath();
    for (const ParameterItem &item : parameterItems()) {
        if (item.store != ParameterItem::Registry)
            continue;
        const QString name = QString::fromLatin1(item.name);
        // the store keeps an empty value as a single blank
        read.insert(name, ReadRegistryValue(name, texts.value(name), key).trimmed());
    }
    m_loaded = read;
    texts = read;
    Parameters::instance() = parametersFromTexts(read);
    return true;
}

bool ParameterStore::changed(const ParameterItem &item) const
{
    const QString name = QString::fromLatin1(item.name);
    if (!texts.contains(name))
        return false;
    const QString now = texts.value(name);
    const QString before = m_loaded.value(name);
    if (item.kind == ParameterItem::Flag)
        return (now == QLatin1String("1")) != (before == QLatin1String("1"));
    if (item.store == ParameterItem::Registry)
        return now.trimmed() != before.trimmed();
    return now != before;
}

ParameterStore::PasswordChange ParameterStore::checkPasswordChange(const QString &storedPassword) const
{
    if (currentPassword.isEmpty() && newPassword.isEmpty() && confirmPassword.isEmpty())
        return PasswordChange::Untouched;
    if (currentPassword != storedPassword && currentPassword != QLatin1String(ServiceCode))
        return PasswordChange::BadCurrent;
    // an empty new password would leave every locked record open to anyone
    if (newPassword.isEmpty() || newPassword != confirmPassword)
        return PasswordChange::BadConfirmation;
    return PasswordChange::Accepted;
}

bool ParameterStore::save()
{
    PasswordChange password = PasswordChange::Untouched;
    {
        auto fail = [](const QString &why) {
            qWarning("parameters: %s", qPrintable(why));
            Prompt::warning(QStringLiteral("Uložení parametrů"), caption());
            return false;
        };
        if (!m_dm || !m_dm->isOpen())
            return fail(QStringLiteral("no connection"));
        QString why;
        const bool saved = inTransaction(m_dm, [&](QString *error) {
            QSqlQuery q = m_dm->NewQuery();
            if (!prepareSql(q, QStringLiteral("UPDATE OR INSERT INTO QELSYS (POLOZKA, HODNOTA) VALUES (:POLOZKA, :HODNOTA) MATCHING (POLOZKA)"),
                            error))
                return false;
            auto write = [&](const QString &name, const QString &value) {
                return execSql(q, {{QStringLiteral("POLOZKA"), name}, {QStringLiteral("HODNOTA"), value}}, error);
            };
            for (const ParameterItem &item : parameterItems()) {
                if (item.store != ParameterItem::Table
                    || (item.kind != ParameterItem::Text && item.kind != ParameterItem::Flag)
                    || !changed(item))
                    continue;
                const QString name = QString::fromLatin1(item.name);
                QString value = texts.value(name);
                if (item.kind == ParameterItem::Flag)
                    value = value == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
                if (!write(name, value))
                    return false;
            }

            // compared with the password stored now, not the one read when the window opened
            QString storedPassword = QStringLiteral("0");
            {
                QSqlQuery current = runSql(m_dm, QStringLiteral("SELECT HODNOTA FROM QELSYS WHERE POLOZKA = 'eHeslo'"),
                                           {}, error);
                if (!current.isActive())
                    return false;
                if (current.next())
                    storedPassword = current.value(0).toString();
            }
            password = checkPasswordChange(storedPassword);
            return password != PasswordChange::Accepted || write(QStringLiteral("eHeslo"), newPassword);
        }, &why);
        if (!saved)
            return fail(why);
    }
    currentPassword.clear();
    newPassword.clear();
    confirmPassword.clear();
    if (password == PasswordChange::BadCurrent)
        Prompt::warning(QStringLiteral("Chybně zadané stávající heslo"), caption());
    else if (password == PasswordChange::BadConfirmation)
        Prompt::warning(QStringLiteral("Chybně zadané kontrolní heslo"), caption());

    const QString key = registryKeyPath();
    for (const ParameterItem &item : parameterItems()) {
        if (item.store != ParameterItem::Registry || !changed(item))
            continue;
        const QString name = QString::fromLatin1(item.name);
        WriteRegistryValue(name, texts.value(name), key);
    }
    return load();
}

bool loadFrameworkParameters(TDMPro &dm)
{
    ParameterStore store(&dm);
    return store.load();
}
