#pragma once
// The data maintenance operations on the whole database, without windows: the change
// counters and key generators, the price-list nulls, the renumbering of keys with every
// column that refers to them, the workshop's link to the inspections, the old state
// letters, two-place decimals, regular hydrant and damper inspections, the change stamps
// with their triggers, and the row order of inspection items. Each operation asks its
// questions through the prompt service, writes its log line by line and reports its
// progress; the window TfUdrzbaDat only shows them.
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class TDMPro;

// A column that holds the key of another table's row.
struct ReferringColumn
{
    QString table;
    QString column;
};

// A table whose keys "Úprava ID" renumbers, with every column of the schema that refers
// to it (0 or null in such a column means "none").
struct RenumberedTable
{
    QString table;
    QVector<ReferringColumn> referring;
};

// The renumbered tables in the order they are renumbered. The one place that knows
// which column refers to which of them.
const QVector<RenumberedTable> &renumberedTables();

// Key-like columns (named UNC…, DODAV…) that refer to no renumbered table, each with
// why it is left alone, so that a new column nobody thought of is noticed.
struct KeptColumn
{
    QString table;
    QString column;
    QString why;
};
const QVector<KeptColumn> &keyColumnsNotRenumbered();

class DataMaintenance
{
public:
    using Log = std::function<void(const QString &line)>;
    // done of total steps of the running operation; total 0 ends the run
    using Progress = std::function<void(int done, int total)>;

    explicit DataMaintenance(TDMPro *dm, Log log = {}, Progress progress = {});

    // The eight operations behind the window's buttons. Each asks first where it has a
    // question (No does nothing) and returns false when it was declined or a step failed.
    bool maintainData();          // "Údržba dat"
    bool renumberKeys();          // "Úprava ID"
    bool linkWorkshop();          // "Dílna x protokol"
    bool recodeStates();          // "Oprava stavů"
    bool roundDecimals();         // "Oprava des. čísel"
    bool markRegular();           // "Pravidelné PV,PK"
    bool addStamps();             // "Úprava tabulek"
    bool fillItemOrder();         // "Oprava pořadí HP, PV, PK"

    // The steps, without questions.
    // The user tables of the catalogue (views are not tables), in name order.
    QStringList userTables() const;
    // Tables the key and version pass and the stamp pass leave alone.
    static bool isExcluded(const QString &table);
    // KLIC 0 in every table, every generator raised above the table's keys.
    bool resetVersionsAndGenerators();
    bool fillPriceListNulls();
    // Renumbers one table and its referring columns in one transaction.
    bool renumberTable(const RenumberedTable &table, QString *error);
    // Raises the generator to at least value; never lowers it.
    bool raiseGenerator(const QString &generator, qint64 value, QString *error);

private:
    void log(const QString &line) const;
    void progress(int done, int total) const;
    bool keyPassAndPriceList();

    TDMPro *m_dm;
    Log m_log;
    Progress m_progress;
};
