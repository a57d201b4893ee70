#pragma once
// The serial-number search over every inspection ("Dohledání HP"): the extinguisher
// items whose serial number starts with the typed text, with the inspection's date,
// the owner and technician 1. The search window runs it on every key release.
#include <QDate>
#include <QSqlQuery>
#include <QString>
#include <QVector>
#include <memory>

class CommittedSearch;
class TDMPro;

// One search statement prepared once per connection and executed again for each typed
// text, every search in a short read-committed transaction of its own (see
// CommittedSearch): it sees what other workstations committed meanwhile.
class HPSerialSearch
{
public:
    struct Row
    {
        QDate datum;       // of the inspection
        QString nazev;     // owner
        QString druh;
        QString stav;
        QString vyrcis;
        QString jmepri;    // technician 1's surname
        QString hp;        // type
        int uncis = 0;     // inspection
        int tuncis = 0;    // item
    };

    explicit HPSerialSearch(TDMPro *dm);
    ~HPSerialSearch();
    HPSerialSearch(const HPSerialSearch &) = delete;
    HPSerialSearch &operator=(const HPSerialSearch &) = delete;

    // The items whose serial number starts with the text as typed (no wildcards, case
    // as stored), in serial-number order. False with the reason in *error (*rows empty).
    bool find(const QString &typed, QVector<Row> *rows, QString *error = nullptr);

    // How often the statement has been prepared: once per connection, again only after
    // the connection was reopened or a search failed.
    int preparations() const;

private:
    std::unique_ptr<CommittedSearch> m_search;
};

// The same search as one query prepared for this call, in the connection's transaction
// when one is open. Columns: datum, nazev, druh, stav, vyrcis, jmepri, hp, uncis, tuncis.
// Returns an executed query, or an inactive one (the reason in *error).
QSqlQuery FindBySerialNumber(TDMPro *dm, const QString &typed, QString *error = nullptr);
