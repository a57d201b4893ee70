#pragma once
// Loading a reader file into the staging table VSTCARKOD: the pen scanner's file of
// scanned codes, or the data terminal's file of typed records. Reader files are
// Windows-1250 text with CRLF line ends. Nothing here shows a window: messages go
// through the prompt service, progress through the status callback.
#include <QDate>
#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class TDMPro;
class TransactionGuard;

namespace Reader {

// One scanned code of a pen file: its kind digit and its number without the check digit.
struct Code
{
    int kind = 0;
    qint64 number = 0;
};
// The codes of a pen file's text: every run of digits is one code. A run too long to be
// a code, or whose number fits no key, is left out and its digits go to *skipped.
QVector<Code> penCodes(const QString &text, QStringList *skipped = nullptr);

// The values of one staged row.
struct StagedRow
{
    int typVet = 1;
    int firCK = 0, objCK = 0, hpCK = 0;
    qint64 carKod = 0;
    int posDil = 0;
    int rok = 0;
    int status = 0;
    int uncCen = 0, uncFir = 0, uncStr = 0;
    QDate datum;
    QString misto, pozn, oprText, druh, vyrCis, stav, hp, vyrobce, znacka, objekt;
    QString preDilna = QStringLiteral("N"), preVyraz = QStringLiteral("N");
};

// What was read for one extinguisher, before the code lists give it its texts.
struct Scan
{
    qint64 label = 0;
    int line = 0;                 // HPCK: form line (pen), -1 typed (terminal), 0 none
    int stateKey = 0, placementKey = 0, repairKey = 0, positionKey = 0;
    int testYear = 0;             // POSDIL
    QString typeCode;             // pen kind 7 or the terminal's typed type
    QString serial;               // typed serial, with "/" and the year
    int year = 0;                 // typed year of manufacture
    QString note;
};

// The year a two-digit year of manufacture means, as the inspection editor reads it
// from a serial number: 50..99 the 1900s, 00..49 the 2000s; a full year stays.
int manufactureYear(int year);
// The year of a two-digit year of the last pressure test: above 50 the 1900s.
int testYear(int twoDigits);

class StagingLoad
{
public:
    explicit StagingLoad(TDMPro *dm);
    ~StagingLoad();

    // Shows the progress of the load ("Přidán HP 12", "Hotovo - úspěšně načteno").
    std::function<void(const QString &)> status;
    // When false, the per-line messages are collected in messages() and not shown.
    bool showMessages = true;

    // Fill VSTCARKOD from the file; false when the file or the table stops the load
    // before anything is written.
    bool loadPen(const QString &file);
    bool loadTerminal(const QString &file);
    // The same from text already read.
    bool loadPenText(const QString &text);
    bool loadTerminalText(const QString &text);

    int rowsWritten() const { return m_rows; }
    int extinguishers() const { return m_extinguishers; }
    const QStringList &messages() const { return m_messages; }

    // The file's text, decoded from Windows-1250; false after a message.
    bool readFile(const QString &file, QString *text);

private:
    bool start();
    bool finish();
    void report(const QString &text, const QString &caption);
    void setStatus(const QString &text);
    bool saveExtinguisher(const Scan &scan);
    bool saveRow(const StagedRow &row);
    bool saveCustomerOrObject(const StagedRow &row);
    void writeCaptions();
    bool terminalCustomer(const QString &body);
    void loadCodeLists();

    struct Entry { QString popis; int typ = 0; };
    struct TypeRow { int uncis = 0; QString druh, popis, vyrobce; };
    TDMPro *m_dm;
    QHash<int, Entry> m_states, m_placements, m_repairs, m_positions;
    QHash<int, TypeRow> m_typesByKey;
    QHash<QString, TypeRow> m_typesByCode;
    QSqlQuery m_insert, m_byLabel;
    bool m_customerWritten = false;
    bool m_ok = true;
    int m_rows = 0;
    int m_extinguishers = 0;
    QStringList m_messages;
    TransactionGuard *m_transaction = nullptr;
};

} // namespace Reader
