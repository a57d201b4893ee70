#pragma once
// The move of a delivery note's stock lines into a stock slip ("Přesun dodacího listu do
// skladu"), without widgets.
//
// Only lines of items kept on stock (CENIK.PRENOSSKL 'A') are offered, each with what
// is left to move (MNOZ - MNOZSKL). Everything the move writes happens in one
// transaction: the slip found by its number or created with that number, its lines
// merged through TfSkladPrevodC::PridejSloucene, and the moved quantities added to the
// note's MNOZSKL. The note's header is locked first, so two workstations moving one note
// at once cannot both move its quantities: the second waits and then fails, or, coming
// later, finds nothing left to move.
#include <QMap>
#include <QString>
#include <QVector>
#include <functional>

class TDMPro;

namespace StockMove {
// Sections 14 and 15 are received from the customer, every other one is issued.
constexpr int FirstReceivedSection = 14;
// The sections the dialog offers: 3, 4, 5, 8 to 11 and the virtual 12 to 15.
QVector<int> offeredSections();
// The conditions a moved line gets (STAV = NOVSTAV): 2 for section 12, 1 for 13, 3 for
// 14, 4 for 15 and 1 for every other section.
int conditionOf(int section);
// The section a moved line is written with: the virtual sections 12 to 15 are the
// extinguishers of section 7.
int storedSection(int section);

// A line of the note as the dialog's grid shows it.
struct NoteLine
{
    int uncis = 0;       // DODAK.UNCIS
    int uncmat = 0;
    QString popis;
    double nakcen = 0;
    QString dan;
    QString kod;
    int csekce = 0;
    QString jedn;
    QString vyrobce;
    int sazbadph = 0;
    double mnoz = 0;     // left to move
    double prenos = 0;   // to move now
};
// The note's lines of items kept on stock in the sections, ordered by section and
// description, each with what is left to move as both quantities. ok false when
// they could not be read (reason in *error).
QVector<NoteLine> noteLines(TDMPro *dm, int note, const QVector<int> &sections, bool *ok = nullptr,
                            QString *error = nullptr);

struct Request
{
    int note = 0;
    QString number;               // CDT of the slip to move into
    int store = 0;                // ADRESAR key of the store
    bool received = false;        // false: the issued lines (sections below 14); true: 14 and 15
    QVector<NoteLine> lines;      // the grid; a line moves its prenos
    // "Výdejka s číslem … nebyla nalezena.\nChcete jí vytvořit?"
    std::function<bool(const QString &number)> confirmCreate;
    // The party question of an existing slip whose customer side differs; true goes on.
    std::function<bool(const QString &question)> confirmParty;
};

// Runs the move. The slip key; 0 when the user stopped it (no slip created, another
// party declined); negative with the reason in *error, nothing written: -1 the request
// is incomplete (no number, no store), -2 the note is not there, -3 the slip is of
// another kind or locked, -4 the database refused a step.
int run(TDMPro *dm, const Request &request, QString *error = nullptr);
} // namespace StockMove
