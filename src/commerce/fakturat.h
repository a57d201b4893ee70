#pragma once
// TfFakturaT, the printed invoice, and TfFakturaTDoklad, the printed receipt: the
// commercial header with the supplier, the orderer and the recipient, the dates and
// symbols, the header text, the lines, the summary by VAT class with the grand total
// and the footer text. The receipt is titled by the invoice's kind, lists the lines
// item by item or as one line, and prints the grand total in words.
#include "reports/vzordokt.h"

class QWidget;

class TfFakturaT : public TfVzorT
{
public:
    TfFakturaT();

    // Renders the invoice's pages. 0, or negative with the reason in *error.
    static int renderInvoice(TDMPro *dm, int invoice, Print::Document &out, QString *error = nullptr);
    static bool writePdf(TDMPro *dm, int invoice, const QString &file, QString *error = nullptr);
    // The preview of the invoice ("Vyplnění záhlaví a zápatí" when it cannot be built).
    static void preview(TDMPro *dm, int invoice, QWidget *parent = nullptr);

protected:
    // Reads the invoice and fills the form, its lines from linesSql (":UnCis" the
    // invoice), and renders it.
    int build(TDMPro *dm, int invoice, const QString &linesSql, Print::Document &out, QString *error);
    bool m_receipt = false;
};

class TfFakturaTDoklad : public TfFakturaT
{
public:
    TfFakturaTDoklad();

    // itemised: one printed line per invoice line; otherwise the description and the
    // total as one line.
    static int renderReceipt(TDMPro *dm, int invoice, bool itemised, Print::Document &out, QString *error = nullptr);
    static bool writePdf(TDMPro *dm, int invoice, bool itemised, const QString &file, QString *error = nullptr);
    static void preview(TDMPro *dm, int invoice, bool itemised, QWidget *parent = nullptr);
};
