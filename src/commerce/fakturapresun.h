#pragma once
// The move of a delivery note into an invoice ("Přenos do faktur"), without widgets.
//
// Everything the move writes happens in one transaction: finding or creating the
// invoice, adding its lines, recounting its summary, marking the note's lines invoiced
// (MNOZFAK) and linking the note. A failure anywhere leaves neither half an invoice nor
// a note marked invoiced without its lines. The note's header is locked first, so two
// workstations moving one note at once cannot both bill it: the second waits and then
// fails, or, coming later, sees the lines already invoiced and moves zero amounts.
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class TDMPro;

namespace InvoiceMove {
constexpr int FirstSection = 1;
constexpr int LastSection = 11;
// The unit of a line that carries a whole section's amount of one VAT class.
QString sectionUnit();

struct Request
{
    int note = 0;
    QString number;                 // CISFAK of the invoice to move into
    QSet<int> itemSections;         // sections moved item by item; the rest one line per VAT class
    QStringList sectionLabels;      // the labels of sections 1 to 11, "1 - Revize" (index 0 = section 1)
    // Asked when no invoice has the number: true creates it (the caller's question
    // "Faktura s číslem … nebyla nalezena.\nChcete jí vytvořit?").
    std::function<bool(const QString &number)> confirmCreate;
};

// The invoice number the note already points to, or empty.
QString currentNumber(TDMPro *dm, int note);
// The labels of the sections as the dialog shows them ("1 - Revize"), from NAZSEKCE;
// a section without a name shows its number alone.
QStringList sectionLabels(TDMPro *dm, QString *error = nullptr);

// Runs the move. The invoice key; 0 when the user chose not to create the invoice;
// negative on failure with the reason in *error (nothing written then): -1 no number,
// -2 the note is not there, -3 the database refused a step.
int run(TDMPro *dm, const Request &request, QString *error = nullptr);

// "Odpojit fakturu": the note no longer points to its invoice. 0, or -1 (reason in *error).
int detach(TDMPro *dm, int note, QString *error = nullptr);
} // namespace InvoiceMove
