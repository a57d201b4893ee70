#include "barcodes/readerload.h"
#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

#include <QDate>
#include <QFile>
#include <QStringDecoder>
#include <climits>
#include <optional>

namespace Reader {

namespace {

const QString Placeholder = QStringLiteral("?? ? ??");
const QString TerminalCaption = QStringLiteral("Načítání terminálu");
const QString PenCaption = QStringLiteral("Načítání pera");
const QString EmptyCustomer = QStringLiteral("000000,0,1/1/2000,0:0");

// A whole number at the start of the text (leading blanks allowed); *rest the text after it.
std::optional<qint64> leadingNumber(const QString &text, QString *rest = nullptr, int maxDigits = 18)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    const int start = i;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        ++i;
    const int digitsFrom = i;
    while (i < text.size() && i - digitsFrom < maxDigits && text.at(i).isDigit())
        ++i;
    if (i == digitsFrom)
        return std::nullopt;
    if (rest)
        *rest = text.mid(i);
    return text.mid(start, i - start).toLongLong();
}

std::optional<int> intField(const QString &text)
{
    QString rest;
    const auto n = leadingNumber(text.trimmed(), &rest);
    if (!n || !rest.trimmed().isEmpty() || *n > INT_MAX || *n < INT_MIN)
        return std::nullopt;
    return int(*n);
}

// "k,NNNk" of the state and placement lines: the key, one separator, then the marker
// digits and the key after them; *second is 0 when the marker is not there.
std::optional<int> keyWithMarked(const QString &body, int marker, int *second, QString *rest)
{
    QString after;
    const auto first = leadingNumber(body, &after);
    if (!first || *first > INT_MAX || *first < 0)
        return std::nullopt;
    *second = 0;
    *rest = QString();
    if (after.isEmpty())
        return int(*first);
    after = after.mid(1);   // the separator
    QString tail;
    const auto mark = leadingNumber(after, &tail, 3);
    if (mark && *mark == marker) {
        QString afterKey;
        const auto key = leadingNumber(tail, &afterKey, 9);
        if (key)
            *second = int(*key);
        *rest = key ? afterKey : tail;
    }
    return int(*first);
}

} // namespace

QVector<Code> penCodes(const QString &text, QStringList *skipped)
{
    QVector<Code> codes;
    for (int i = 0; i < text.size();) {
        if (!text.at(i).isDigit() || text.at(i).unicode() > 127) {
            ++i;
            continue;
        }
        int end = i;
        while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() <= 127)
            ++end;
        const QString run = text.mid(i, end - i);
        i = end;
        // a code is at most a kind digit, eleven digits and the check digit; anything
        // longer is a misread, not a number to be cut into some other key
        const QString digits = run.mid(1);
        const qint64 number = digits.isEmpty() ? 0 : (run.size() > 13 ? -1 : digits.toLongLong() / 10);
        if (number < 0 || number > INT_MAX) {
            if (skipped)
                skipped->append(run);
            continue;
        }
        codes.append({run.at(0).unicode() - '0', number});
    }
    return codes;
}

int manufactureYear(int year)
{
    if (year < 0 || year > 99)
        return year;
    return year > 49 ? 1900 + year : 2000 + year;
}

int testYear(int twoDigits)
{
    if (twoDigits < 0 || twoDigits > 99)
        return twoDigits;
    return twoDigits > 50 ? 1900 + twoDigits : 2000 + twoDigits;
}

StagingLoad::StagingLoad(TDMPro *dm) : m_dm(dm) {}

StagingLoad::~StagingLoad()
{
    delete m_transaction;
}

void StagingLoad::report(const QString &text, const QString &caption)
{
    m_messages.append(text);
    if (showMessages)
        Prompt::warning(text, caption);
}

void StagingLoad::setStatus(const QString &text)
{
    if (status)
        status(text);
}

bool StagingLoad::readFile(const QString &file, QString *text)
{
    if (!QFile::exists(file)) {
        Prompt::error(QStringLiteral("Soubor pro načtení nenalezen.\r Musíte zadat správnou cestu."));
        setStatus(QStringLiteral("Neotevřen vstupní soubor"));
        return false;
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        Prompt::error(QStringLiteral("Soubor se nepodařilo otevřít."));
        setStatus(QStringLiteral("Neotevřen vstupní soubor"));
        return false;
    }
    QStringDecoder decoder("windows-1250");
    *text = decoder.decode(f.readAll());
    setStatus(QStringLiteral("Otevřen vstupní soubor"));
    return true;
}

bool StagingLoad::loadPen(const QString &file)
{
    QString text;
    return readFile(file, &text) && loadPenText(text);
}

bool StagingLoad::loadTerminal(const QString &file)
{
    QString text;
    return readFile(file, &text) && loadTerminalText(text);
}

void StagingLoad::loadCodeLists()
{
    const auto read = [this](const QString &sql, QHash<int, Entry> &into, bool withType) {
        QSqlQuery q = runSql(m_dm, sql);
        while (q.next())
            into.insert(q.value(QStringLiteral("UNCIS")).toInt(),
                        {q.value(QStringLiteral("POPIS")).toString(), withType ? q.value(QStringLiteral("TYP")).toInt() : 0});
    };
    read(QStringLiteral("SELECT * from S_Stav"), m_states, true);
    read(QStringLiteral("SELECT * from S_Umist"), m_placements, false);
    read(QStringLiteral("SELECT * from S_OprTxt"), m_repairs, false);
    read(QStringLiteral("SELECT * from Pozice"), m_positions, false);
    QSqlQuery q = runSql(m_dm, QStringLiteral("SELECT * from cenik where CSekce = 7"));
    while (q.next()) {
        const TypeRow t{q.value(QStringLiteral("UNCIS")).toInt(), q.value(QStringLiteral("DRUH")).toString(),
                        q.value(QStringLiteral("POPIS")).toString(), q.value(QStringLiteral("VYROBCE")).toString()};
        m_typesByKey.insert(t.uncis, t);
        const QString code = q.value(QStringLiteral("KOD")).toString().trimmed();
        if (!code.isEmpty() && !m_typesByCode.contains(code))
            m_typesByCode.insert(code, t);
    }
}

bool StagingLoad::start()
{
    bool ok = false;
    const int rows = scalarSql(m_dm, QStringLiteral("SELECT COUNT(*) FROM VstCarKod"), {}, &ok).toInt();
    if (!ok || rows > 0) {
        Prompt::warning(QStringLiteral("Vstupní tabulka není prázdná\nMusíte jí nejprve vypráznit v editačním okně"),
                        QStringLiteral("Varovíní"));
        return false;
    }
    loadCodeLists();
    m_transaction = new TransactionGuard(m_dm);
    m_insert = m_dm->NewQuery();
    m_byLabel = m_dm->NewQuery();
    QString error;
    // the newest inspection of a label tells what the extinguisher is now
    if (!prepareSql(m_insert,
                    QStringLiteral("INSERT INTO VstCarKod (UnCis, TypVet, FirCK, ObjCK, Misto, Pozn, OprText, Druh, VyrCis, "
                                   "HPCK, Stav, HP, Rok, Vyrobce, Status, PreDilna, PreVyraz, UnCCen, PosDil, CarKod, "
                                   "UnCFir, UnCStr, Datum, Znacka, Objekt) VALUES (GEN_ID(VSTCARKOD, 1), :TypVet, :FirCK, "
                                   ":ObjCK, :Misto, :Pozn, :OprText, :Druh, :VyrCis, :HPCK, :Stav, :HP, :Rok, :Vyrobce, "
                                   ":Status, :PreDilna, :PreVyraz, :UnCCen, :PosDil, :CarKod, :UnCFir, :UnCStr, :Datum, "
                                   ":Znacka, :Objekt)"),
                    &error)
        || !prepareSql(m_byLabel,
                       QStringLiteral("SELECT FIRST 1 t.DRUH, t.VYRCIS, t.HP, t.ROK, t.VYROBCE, t.UNCCEN, t.POSDIL "
                                      "FROM Pr_tab t LEFT JOIN PR_HLAV h ON h.UNCIS = t.UNCH WHERE t.CarKod = :CarKod "
                                      "ORDER BY h.DATUM DESC NULLS LAST, t.UNCIS DESC"),
                       &error)) {
        Prompt::error(error);
        return false;
    }
    m_customerWritten = false;
    m_rows = m_extinguishers = 0;
    return true;
}

bool StagingLoad::finish()
{
    m_insert = QSqlQuery();
    m_byLabel = QSqlQuery();
    const bool committed = m_transaction && m_transaction->commit();
    if (!committed && m_transaction)
        Prompt::error(m_transaction->lastError());
    delete m_transaction;
    m_transaction = nullptr;
    if (committed)
        setStatus(QStringLiteral("Hotovo - úspěšně načteno"));
    return committed;
}

bool StagingLoad::saveRow(const StagedRow &r)
{
    const auto text = [](const QString &s) { return QVariant(s); };
    const SqlParameters values = {
        {QStringLiteral("TypVet"), r.typVet}, {QStringLiteral("FirCK"), r.firCK}, {QStringLiteral("ObjCK"), r.objCK},
        {QStringLiteral("Misto"), text(r.misto)}, {QStringLiteral("Pozn"), text(r.pozn)},
        {QStringLiteral("OprText"), text(r.oprText)}, {QStringLiteral("Druh"), text(r.druh)},
        {QStringLiteral("VyrCis"), text(r.vyrCis)}, {QStringLiteral("HPCK"), r.hpCK}, {QStringLiteral("Stav"), text(r.stav)},
        {QStringLiteral("HP"), text(r.hp)}, {QStringLiteral("Rok"), r.rok}, {QStringLiteral("Vyrobce"), text(r.vyrobce)},
        {QStringLiteral("Status"), r.status}, {QStringLiteral("PreDilna"), r.preDilna},
        {QStringLiteral("PreVyraz"), r.preVyraz}, {QStringLiteral("UnCCen"), r.uncCen}, {QStringLiteral("PosDil"), r.posDil},
        {QStringLiteral("CarKod"), r.carKod}, {QStringLiteral("UnCFir"), r.uncFir}, {QStringLiteral("UnCStr"), r.uncStr},
        {QStringLiteral("Datum"), r.datum.isValid() ? QVariant(r.datum) : QVariant(QMetaType(QMetaType::QDate))},
        {QStringLiteral("Znacka"), text(r.znacka)}, {QStringLiteral("Objekt"), text(r.objekt)}};
    QString error;
    if (!execSql(m_insert, values, &error))
        return false;
    ++m_rows;
    return true;
}

void StagingLoad::writeCaptions()
{
    StagedRow captions;
    captions.typVet = 99;
    captions.misto = QStringLiteral("Umístění");
    captions.oprText = QStringLiteral("Specifikace");
    captions.vyrCis = QStringLiteral("Výr. číslo");
    captions.stav = QStringLiteral("Stav");
    captions.hp = QStringLiteral("Značka HP");
    captions.pozn = QStringLiteral("Poznámka");
    captions.preDilna = captions.preVyraz = QString();
    saveRow(captions);
}

bool StagingLoad::saveCustomerOrObject(const StagedRow &row)
{
    if (!saveRow(row)) {
        report(QStringLiteral("Uložení Firmy nebo objektu"), QStringLiteral("Chyba"));
        return false;
    }
    if (row.typVet == 10)
        m_customerWritten = true;
    return true;
}

bool StagingLoad::saveExtinguisher(const Scan &scan)
{
    StagedRow r;
    r.typVet = 1;
    r.hpCK = scan.line;
    r.carKod = scan.label;
    r.posDil = scan.testYear;
    const auto useType = [&r](const TypeRow *t) {
        r.druh = t ? t->druh : Placeholder;
        r.hp = t ? t->popis : Placeholder;
        r.vyrobce = t ? t->vyrobce : Placeholder;
        r.uncCen = t ? t->uncis : 0;
    };
    if (scan.line == 0) {
        bool found = false;
        if (execSql(m_byLabel, {{QStringLiteral("CarKod"), scan.label}}) && m_byLabel.next()) {
            found = true;
            r.druh = m_byLabel.value(0).toString();
            r.vyrCis = m_byLabel.value(1).toString();
            r.hp = m_byLabel.value(2).toString();
            r.rok = m_byLabel.value(3).toInt();
            r.vyrobce = m_byLabel.value(4).toString();
            r.uncCen = m_byLabel.value(5).toInt();
            if (scan.testYear == 0)
                r.posDil = m_byLabel.value(6).toInt();
        }
        m_byLabel.finish();
        if (!found) {
            useType(nullptr);
            r.vyrCis = Placeholder;
        }
    }
    if (!scan.typeCode.isEmpty()) {
        // a code that is no number is simply no key of the price list
        const auto key = intField(scan.typeCode);
        const auto it = key ? m_typesByKey.constFind(*key) : m_typesByKey.constEnd();
        useType(it != m_typesByKey.constEnd() ? &*it : nullptr);
    }
    if (scan.line == -1) {
        r.vyrCis = scan.serial;
        r.rok = scan.year;
        const auto it = m_typesByCode.constFind(scan.typeCode.trimmed());
        useType(it != m_typesByCode.constEnd() ? &*it : nullptr);
    }
    QStringList place;
    for (const QString &part : {m_placements.value(scan.placementKey).popis, m_positions.value(scan.positionKey).popis, scan.note})
        place << part;
    r.misto = place.join(QLatin1Char(' ')).trimmed();
    if (r.misto.isEmpty())
        r.misto = Placeholder;
    const Entry state = m_states.value(scan.stateKey);
    r.stav = state.popis;
    r.status = state.typ;
    r.preDilna = (state.typ == 2 || state.typ == 4 || state.typ == 6 || state.typ == 8) ? QStringLiteral("A") : QStringLiteral("N");
    r.preVyraz = state.typ == 3 ? QStringLiteral("A") : QStringLiteral("N");
    if (scan.repairKey)
        r.oprText = m_repairs.value(scan.repairKey).popis;
    if (!saveRow(r)) {
        report(QStringLiteral("Uložení HP"), QStringLiteral("Chyba"));
        return false;
    }
    ++m_extinguishers;
    setStatus(QStringLiteral("Přidán HP %1").arg(m_extinguishers));
    return true;
}

bool StagingLoad::loadPenText(const QString &text)
{
    if (!start())
        return false;
    QStringList skipped;
    const QVector<Code> codes = penCodes(text, &skipped);
    const int n = codes.size();
    int i = 0;
    while (true) {
        while (i < n && codes[i].kind != 1 && codes[i].kind != 9)
            ++i;
        if (i >= n)
            break;
        const Code head = codes[i++];
        if (head.kind == 1) {
            Scan scan;
            scan.label = head.number;
            for (; i < n; ++i) {
                const Code c = codes[i];
                if (c.kind == 0) scan.line = int(c.number);
                else if (c.kind == 2) scan.stateKey = int(c.number);
                else if (c.kind == 3) scan.placementKey = int(c.number);
                else if (c.kind == 4) scan.repairKey = int(c.number);
                else if (c.kind == 5) scan.testYear = int(c.number);
                else if (c.kind == 7) scan.typeCode = QString::number(c.number);
                else break;
            }
            if (!m_customerWritten) {
                StagedRow customer;
                customer.typVet = 10;
                if (saveCustomerOrObject(customer))
                    writeCaptions();
                setStatus(QStringLiteral("Přidána firma"));
            }
            saveExtinguisher(scan);
            continue;
        }
        int line = 0;
        for (; i < n && codes[i].kind == 0; ++i)
            line = int(codes[i].number);
        if (head.number != 10 && head.number != 11)
            continue;
        StagedRow row;
        row.typVet = int(head.number);
        if (row.typVet == 11 && !m_customerWritten) {
            StagedRow customer;
            customer.typVet = 10;
            if (saveCustomerOrObject(customer))
                writeCaptions();
            setStatus(QStringLiteral("Přidáno středisko"));
        }
        (row.typVet == 10 ? row.firCK : row.objCK) = line;
        if (saveCustomerOrObject(row))
            writeCaptions();
        setStatus(row.typVet == 10 ? QStringLiteral("Přidána firma") : QStringLiteral("Přidán Objekt"));
    }
    if (!skipped.isEmpty())
        report(QStringLiteral("Přeskočeny kódy, které nejsou čárovým kódem programu:\n") + skipped.join(QLatin1Char('\n')),
               PenCaption);
    return finish();
}

bool StagingLoad::terminalCustomer(const QString &body)
{
    const QStringList parts = body.split(QLatin1Char(','));
    if (parts.size() < 3)
        return false;
    const QStringList date = parts.at(2).split(QLatin1Char('/'));
    const auto ordinal = intField(parts.at(1));
    const QDate datum = date.size() == 3 ? QDate(date.at(2).trimmed().toInt(), date.at(1).trimmed().toInt(),
                                                 date.at(0).trimmed().toInt())
                                         : QDate();
    if (!ordinal || *ordinal < 0 || !datum.isValid())
        return false;
    StagedRow row;
    row.typVet = 10;
    row.datum = datum;
    const QString ico = parts.at(0).trimmed();
    QSqlQuery customer = runSql(m_dm, QStringLiteral("SELECT * FROM Adresar WHERE ICO = :ICO"), {{QStringLiteral("ICO"), ico}});
    if (!ico.isEmpty() && customer.next()) {
        row.uncFir = customer.value(QStringLiteral("UNCIS")).toInt();
        row.znacka = customer.value(QStringLiteral("NAZEV")).toString();
        QSqlQuery sites = runSql(m_dm, QStringLiteral("SELECT * FROM Strediska WHERE UnCH = :UnCFir ORDER BY UnCis"),
                                 {{QStringLiteral("UnCFir"), row.uncFir}});
        for (int n = 1; *ordinal > 0 && sites.next(); ++n) {
            if (n < *ordinal)
                continue;
            row.uncStr = sites.value(QStringLiteral("UNCIS")).toInt();
            QStringList site;
            for (const char *field : {"STREDISKO", "MESTO", "ULICE", "CISPOP"})
                site << sites.value(QLatin1String(field)).toString();
            row.oprText = site.join(QLatin1Char(','));
            break;
        }
    }
    if (saveCustomerOrObject(row))
        setStatus(QStringLiteral("Přidána firma"));
    return true;
}

bool StagingLoad::loadTerminalText(const QString &text)
{
    if (!start())
        return false;
    std::optional<Scan> pending;
    int lineNumber = 0;
    const auto where = [&lineNumber](const QString &message, const QString &line) {
        return message + QStringLiteral("\nŘádek %1: %2").arg(lineNumber).arg(line);
    };
    // a record the terminal left without its closing year is kept, never dropped
    const auto closePending = [&] {
        if (!pending)
            return;
        report(QStringLiteral("HP se štítkem %1 nemá rok zkoušky; uložen bez něj.").arg(pending->label), TerminalCaption);
        saveExtinguisher(*pending);
        pending.reset();
    };
    const auto ensureCustomer = [&] {
        if (!m_customerWritten)
            terminalCustomer(EmptyCustomer);
    };
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        ++lineNumber;
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        QString body;
        const auto type = leadingNumber(line.left(3), &body, 3);
        body = line.mid(3, 99);
        if (!type)
            continue;
        switch (*type) {
        case 910:
            closePending();
            if (!terminalCustomer(body))
                report(where(QStringLiteral("Chybně načtená firma"), line), TerminalCaption);
            break;
        case 911: {
            closePending();
            const QString name = body.trimmed().left(20);
            if (name.isEmpty()) {
                report(where(QStringLiteral("Chybně načtený objekt"), line), TerminalCaption);
                break;
            }
            ensureCustomer();
            StagedRow row;
            row.typVet = 11;
            row.objekt = name;
            if (saveCustomerOrObject(row))
                setStatus(QStringLiteral("Přidán objekt"));
            break;
        }
        case 100: {
            closePending();
            const QStringList parts = body.split(QLatin1Char(','));
            const std::optional<int> label = intField(parts.value(0));
            const auto year = parts.size() >= 4 ? intField(parts.at(3)) : std::nullopt;
            const QString typeCode = parts.value(1).trimmed();
            if (!label || *label < 0 || (!typeCode.isEmpty() && (parts.size() < 4 || !year))) {
                report(where(QStringLiteral("Chybně načtený HP"), line), TerminalCaption);
                break;
            }
            ensureCustomer();
            Scan scan;
            scan.label = label.value_or(0);
            scan.typeCode = typeCode;
            scan.line = typeCode.isEmpty() ? 0 : -1;
            if (scan.line == -1) {
                scan.serial = parts.at(2).trimmed() + QLatin1Char('/') + parts.at(3).trimmed();
                scan.year = manufactureYear(year.value_or(0));
            }
            pending = scan;
            break;
        }
        case 200: {
            int repair = 0;
            QString rest;
            const auto state = keyWithMarked(body, 400, &repair, &rest);
            if (!state || !pending) {
                report(where(QStringLiteral("Chybně načtené stavy"), line), TerminalCaption);
                break;
            }
            pending->stateKey = *state;
            pending->repairKey = repair;
            setStatus(QStringLiteral("Přidán stav"));
            break;
        }
        case 300: {
            int position = 0;
            QString rest;
            const auto placement = keyWithMarked(body, 600, &position, &rest);
            if (!placement || !pending) {
                report(where(QStringLiteral("Chybně načtené umístnění"), line), TerminalCaption);
                break;
            }
            pending->placementKey = *placement;
            pending->positionKey = position;
            pending->note = position ? rest.mid(2).trimmed() : QString();
            setStatus(QStringLiteral("Přidáno umístění"));
            break;
        }
        case 500: {
            const auto year = intField(body);
            if (!year || !pending) {
                report(where(QStringLiteral("Chybně načtený rok zkoušky"), line), TerminalCaption);
                break;
            }
            pending->testYear = testYear(*year);
            setStatus(QStringLiteral("Přidán rok D.Z."));
            saveExtinguisher(*pending);
            pending.reset();
            break;
        }
        default:
            break;
        }
    }
    closePending();
    return finish();
}

} // namespace Reader
