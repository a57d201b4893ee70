#include "core/dokrad.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/sqlrun.h"

#include <QSqlQuery>
#include <QVariant>
#include <climits>

// --- SeriesFormat --------------------------------------------------------------------

bool SeriesFormat::isPlaceholder(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('&') || c == QLatin1Char('@')
           || c == QLatin1Char('%');
}

SeriesFormat SeriesFormat::parse(const QString &format)
{
    SeriesFormat f;
    bool ask = false;
    for (QChar c : format) {
        if (c == QLatin1Char('?')) {
            ask = true;
            continue;
        }
        f.m_text.append(c);
        f.m_asked.append(ask);
        ask = false;
    }
    return f;
}

QVector<SeriesFormat::Part> SeriesFormat::parts() const
{
    QVector<Part> result;
    QString seen;
    for (int i = 0; i < m_text.size(); ++i) {
        const QChar c = m_text.at(i);
        if (!isPlaceholder(c) || seen.contains(c))
            continue;
        seen.append(c);
        result.append({c, m_asked.at(i)});
    }
    return result;
}

QString SeriesFormat::fill(const QVector<QPair<QChar, QString>> &values) const
{
    // Positions are chosen from the format, not from the text being filled, so a value
    // that itself holds a placeholder character (a technician code "A#1") stays as typed.
    QString result = m_text;
    for (const auto &value : values) {
        int from = value.second.size();
        for (int i = m_text.size() - 1; i >= 0; --i) {
            if (m_text.at(i) != value.first)
                continue;
            result[i] = from > 0 ? value.second.at(--from) : QLatin1Char('0');
        }
    }
    return result;
}

// --- DocumentSeries ------------------------------------------------------------------

const QString DocumentSeries::DefaultFormat = QStringLiteral("###/&&");
const QString DocumentSeries::MessageCaption = QStringLiteral("Řady dokladů");

namespace {
const QString SeriesGenerator = QStringLiteral("DokRad");
}

DocumentSeries::DocumentSeries(TDMPro *dm)
    : m_dm(dm)
{
}

QString DocumentSeries::normalizeCode(const QString &typed)
{
    const QString code = typed.trimmed().toUpper();
    if (code.isEmpty() || code.size() > MaxCodeLength)
        return QString();
    for (QChar c : code) {
        const bool letter = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!letter && !digit && c != QLatin1Char('_'))
            return QString();
    }
    return code;
}

int DocumentSeries::find(const QString &code, Series *series)
{
    const QString wanted = normalizeCode(code);
    if (wanted.isEmpty() || !m_dm)
        return 0;
    QSqlQuery q = runSql(m_dm,
                         QStringLiteral("SELECT UNCIS, KOD, POPIS, FORMAT FROM DOKRAD "
                                        "WHERE UPPER(TRIM(KOD)) = :KOD ORDER BY UNCIS"),
                         {{QStringLiteral("KOD"), wanted}}, &m_error);
    if (!q.isActive())
        return -1;
    if (!q.next())
        return 0;
    if (series) {
        series->key = q.value(0).toInt();
        series->code = q.value(1).toString().trimmed();
        series->name = q.value(2).toString();
        series->format = q.value(3).toString();
    }
    return 1;
}

int DocumentSeries::generatorExists(const QString &code)
{
    const QString valid = normalizeCode(code);
    if (valid.isEmpty() || !m_dm)
        return 0;
    bool ok = false;
    const int count = scalarSql(m_dm, QStringLiteral("SELECT COUNT(*) FROM RDB$GENERATORS WHERE RDB$GENERATOR_NAME = :NAME"),
                                {{QStringLiteral("NAME"), generatorName(valid)}}, &ok, &m_error)
                          .toInt();
    if (!ok)
        return -1;
    return count > 0 ? 1 : 0;
}

bool DocumentSeries::readValue(const QString &code, qint64 *value)
{
    const QString valid = normalizeCode(code);
    if (valid.isEmpty() || !m_dm)
        return false;
    bool ok = false;
    const QVariant read = scalarSql(m_dm, QStringLiteral("SELECT gen_id(X") + valid
                                              + QStringLiteral(",0) as UnCis FROM RDB$DATABASE"),
                                    {}, &ok, &m_error);
    if (ok && value)
        *value = read.toLongLong();
    return ok;
}

int DocumentSeries::add(const QString &name, const QString &typedCode, QString *storedCode)
{
    const QString code = normalizeCode(typedCode);
    if (code.isEmpty()) {
        Prompt::warning(QStringLiteral("Kód řady smí obsahovat jen písmena bez diakritiky, číslice "
                                       "a podtržítko, nejvýše %1 znaků.")
                            .arg(MaxCodeLength),
                        MessageCaption);
        return InvalidCode;
    }
    auto failed = [this] {
        Prompt::error(QStringLiteral("Uložení nové řady!"), QStringLiteral("Chyba !"));
        return int(Failed);
    };
    const int found = find(code);
    if (found < 0)
        return failed();
    if (found > 0) {
        // a second row would reset the live counter and repeat document numbers
        Prompt::warning(QStringLiteral("Číselná řada s kódem %1 již existuje.").arg(code), MessageCaption);
        return CodeExists;
    }
    const int exists = generatorExists(code);
    if (exists < 0)
        return failed();

    const bool stored = inTransaction(m_dm, [&](QString *error) {
        const qint64 key = m_dm->NextKey(SeriesGenerator);
        if (key < 0) {
            *error = QStringLiteral("No key from the generator DOKRAD");
            return false;
        }
        if (!runSql(m_dm, QStringLiteral("INSERT INTO DokRad (UnCis,Kod,Popis,Format) VALUES (:UnCis,:Kod,:Popis,:Format)"),
                    {{QStringLiteral("UnCis"), int(key)},
                     {QStringLiteral("Kod"), code},
                     {QStringLiteral("Popis"), name.trimmed()},
                     {QStringLiteral("Format"), DefaultFormat}},
                    error)
                 .isActive())
            return false;
        // The generator statement commits on its own; it runs last, so a failed insert
        // leaves no generator behind. A generator left by a removed series starts again.
        const QString generator = exists ? QStringLiteral("SET GENERATOR ") + generatorName(code) + QStringLiteral(" TO 0")
                                         : QStringLiteral("CREATE SEQUENCE ") + generatorName(code);
        return m_dm->executeDdl(generator, error);
    }, &m_error);
    if (!stored)
        return failed();
    if (storedCode)
        *storedCode = code;
    return Done;
}

int DocumentSeries::remove(const QString &code)
{
    auto failed = [] {
        Prompt::error(QStringLiteral("Mazání číslelné řady"), QStringLiteral("Chyba"));
        return int(Failed);
    };
    // The rows go first, in a transaction of their own: a generator is dropped in a
    // transaction of its own too, so dropping it before the delete is committed could
    // leave a series without its generator.
    const bool removed = inTransaction(m_dm, [&](QString *error) {
        return runSql(m_dm, QStringLiteral("DELETE FROM DokRad WHERE Kod=:Kod"), {{QStringLiteral("Kod"), code}}, error)
            .isActive();
    }, &m_error);
    if (!removed)
        return failed();
    // A code that is no valid name never had a generator. Rows written before codes
    // were checked may differ in case only and share the generator: it goes with the
    // last of them. One that something else in the database still uses stays; a series
    // added later with the code starts it again from 0.
    const QString valid = normalizeCode(code);
    if (!valid.isEmpty() && find(valid) == 0 && generatorExists(valid) > 0)
        m_dm->executeDdl(QStringLiteral("DROP SEQUENCE ") + generatorName(valid), &m_error);
    return Done;
}

int DocumentSeries::storeValue(const QString &code, const QString &typedValue)
{
    const QString text = typedValue.trimmed();
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) {
        Prompt::warning(QStringLiteral("Hodnota generátoru musí být celé číslo, nula nebo větší."),
                        MessageCaption);
        return InvalidValue;
    }
    const QString valid = normalizeCode(code);
    if (valid.isEmpty()
        || !m_dm->executeDdl(QStringLiteral("SET GENERATOR X") + valid + QStringLiteral(" TO ")
                                 + QString::number(value),
                             &m_error)) {
        Prompt::error(QStringLiteral("Uložení hodnoty"), QStringLiteral("Chyba!"));
        return Failed;
    }
    return Done;
}

QString DocumentSeries::next(const QString &code, const QString &technician, int *sequence)
{
    if (sequence)
        *sequence = 0;
    auto failed = [] {
        Prompt::error(QStringLiteral("Generátor řady"), MessageCaption);
        return QString();
    };
    Series series;
    const int found = find(code, &series);
    if (found < 0)
        return failed();
    if (found == 0)
        return QString();
    // the stored code goes into the generator's name in SQL text
    const QString valid = normalizeCode(series.code);
    if (valid.isEmpty())
        return failed();

    const SeriesFormat format = SeriesFormat::parse(series.format);
    const Parameters &p = Parameters::instance();
    QVector<QPair<QChar, QString>> values;
    bool drawNumber = false;
    qint64 number = 0;
    for (const SeriesFormat::Part &part : format.parts()) {
        const QChar c = part.placeholder;
        if (c == QLatin1Char('#')) {
            if (!part.asked) {
                drawNumber = true;
                continue;
            }
            int typed = 0;
            if (!Prompt::askInteger(QStringLiteral("Zadejte pořadové číslo"), typed))
                return QString();
            number = typed;
            values.append({c, QString::number(typed)});
            continue;
        }
        QString value;
        QString question;
        if (c == QLatin1Char('&')) {
            value = QString::number(p.year);
            question = QStringLiteral("Zadejte rok");
        } else if (c == QLatin1Char('@')) {
            value = QString::number(p.month);
            question = QStringLiteral("Zadejte měsíc");
        } else {
            value = technician;
            question = QStringLiteral("Zadejte kód technika");
        }
        if (part.asked && !Prompt::askText(question, value))
            return QString();
        values.append({c, value});
    }
    if (drawNumber) {
        number = m_dm->NextKey(generatorName(valid), false);
        if (number < 0 || number > INT_MAX)
            return failed();
        values.append({QLatin1Char('#'), QString::number(number)});
    }
    if (sequence)
        *sequence = int(number);
    return format.fill(values);
}

QString NextDocumentNumber(const QString &code, const QString &technician, int &sequence, TDMPro *dm)
{
    return DocumentSeries(dm).next(code, technician, &sequence);
}
