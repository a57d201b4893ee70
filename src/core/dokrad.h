#pragma once
// Document number series: the DOKRAD rows, the generator each series counts in
// ("X" + code) and the next document number of a series. The series window TfDokRad
// (dokradwindow.h) only calls these.
//
// A series code becomes part of a generator name and of SQL text, so only letters,
// digits and underscore are accepted, stored upper case. Generators are created,
// reset and dropped with the sequence statements (the system table RDB$GENERATORS is
// only read, to learn whether a generator exists).
#include <QChar>
#include <QString>
#include <QVector>

#include "core/datamodulpro.h"


// A number format with its "?" marks taken out.
class SeriesFormat
{
public:
    // The characters filled from values; every other character is copied.
    static bool isPlaceholder(QChar c);

    // Each "?" is removed and marks the character after it as asked.
    static SeriesFormat parse(const QString &format);

    struct Part
    {
        QChar placeholder;
        bool asked = false;
    };
    // The placeholders in the order a walk from the first character meets them, once
    // each; the first occurrence decides whether the part is asked.
    QVector<Part> parts() const;

    // The format with every placeholder's positions filled from its value: the value's
    // characters go into the positions holding that placeholder from the right end
    // towards the left, one per position; positions left over become "0", characters
    // left over (the value's leading ones) are dropped. "###/&&" with 7 and 2026 gives
    // "007/26". A placeholder without a value stays as it is.
    QString fill(const QVector<QPair<QChar, QString>> &values) const;

    QString text() const { return m_text; }

private:
    QString m_text;
    QVector<bool> m_asked;
};

class DocumentSeries
{
public:
    static constexpr int MaxCodeLength = 10;   // DOKRAD.KOD
    static const QString DefaultFormat;        // "###/&&", the format of a new series
    static const QString MessageCaption;       // "Řady dokladů"

    explicit DocumentSeries(TDMPro *dm = DM);

    // A typed code in its stored form (trimmed, upper case); empty when it is not a
    // code (empty, too long, or anything but letters A-Z, digits and underscore).
    static QString normalizeCode(const QString &typed);
    static QString generatorName(const QString &code) { return QStringLiteral("X") + code; }

    struct Series
    {
        int key = 0;
        QString code;
        QString name;
        QString format;
    };
    // The series of a code (compared in its stored form): 1 found, 0 none, -1 the
    // read failed (reason in lastError()).
    int find(const QString &code, Series *series = nullptr);
    // Whether the series' generator exists: 1 yes, 0 no, -1 the read failed.
    int generatorExists(const QString &code);
    // The generator's current value ("Zobrazit hodnotu"); false when it cannot be read.
    bool readValue(const QString &code, qint64 *value);

    // The window's actions. Each shows its own messages and returns 0 when done, a
    // positive value when the input was refused (nothing changed), negative on failure.
    enum Result { Done = 0, InvalidCode = 1, CodeExists = 2, InvalidValue = 3, Failed = -1 };
    // "Přidat": the row with the default format and a generator counting from 1, in one
    // transaction. A code already in DOKRAD is refused (it would reset a live counter);
    // a generator left without a series is reset to 0. *storedCode gets the code as
    // stored.
    int add(const QString &name, const QString &typedCode, QString *storedCode = nullptr);
    // "Ubrat" without the question: the rows of the code, then, once their delete is
    // committed, its generator (one the database still uses elsewhere stays).
    int remove(const QString &code);
    // "Uložit hodnotu": the typed text must be a whole number, 0 or more.
    int storeValue(const QString &code, const QString &typedValue);

    // The next number of the series of the code. The asked parts are asked first, in
    // the order of the format, and the generator is drawn only after all of them were
    // given, so a cancelled question never uses up a number. Returns the filled format
    // and the sequence number through *sequence (0 when the format has no "#"); an empty
    // text when no series has the code, an input was cancelled or the generator could
    // not be drawn ("Generátor řady" shown).
    QString next(const QString &code, const QString &technician, int *sequence);

    QString lastError() const { return m_error; }

private:
    TDMPro *m_dm;
    QString m_error;
};

// The next document number of the series whose code the user typed into a document's
// number field; see DocumentSeries::next. Its questions go through the prompt service.
QString NextDocumentNumber(const QString &code, const QString &technician, int &sequence,
                           TDMPro *dm = DM);
