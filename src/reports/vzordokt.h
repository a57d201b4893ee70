#pragma once
// The page forms of printed documents with the performing firm and the customer in
// their header: the inspection reports (TtVzorDokT, and TtDok for extinguishers) and
// the common header of the commercial documents (TfVzorT). The forms take plain
// values; the inspection windows gather them from the records.
#include "reports/printengine.h"
#include "templates/templatemodel.h"
#include "templates/templatesql.h"

#include <QDate>

class TDMPro;

// The firm that performs the work, as the program parameters describe it.
struct Performer
{
    QString name;
    QString address;
    QString premises1;       // eProv1
    QString premises2;       // eProv2
    QString registration;
    QString ico;
    QString dic;
    QString phone;
    // The firm's own data from the program parameters.
    static Performer fromParameters();
    QStringList lines() const;
};

// A customer block: up to five lines with IČO and DIČ.
struct AddressLines
{
    QStringList lines;
    QString ico;
    QString dic;
    QStringList printed() const;
};

// What an inspection document says around its rows.
struct InspectionDocumentHeader
{
    QString title;               // "Doklad o kontrole provozuschopnosti HP"
    QString performerCaption = QStringLiteral("Kontrolu vykonal:");
    QString siteCaption = QStringLiteral("Adresa umístnění HP:");
    QString ownerCaption = QStringLiteral("Vlastník (uživatel, správce) HP:");
    QString number;              // CISPRO
    QDate date;                  // DATUM
    AddressLines site;
    AddressLines owner;
    bool hasSite = true;         // without a site the customer is the owner
    QString technician1;
    QString technician2;
    bool hideTechnicians = false;
    int leftAtCustomer = -1;     // POCHP; -1 prints no such line
    QString countLine;           // the kind's own count line instead ("Zkontrolováno PV: 3")
    QString ownHeader;           // the inspection's own header and footer texts
    QString ownFooter;
    int noticePeriod = 12;       // months to the next inspection; 0: no notice
};

// The next-inspection notice for an inspection on the date with a period of p months.
QString nextInspectionNotice(const QDate &date, int months);
// The per-hydrant evaluation text: codes gives the code of each component column.
QString hydrantEvaluation(const std::function<QString(const QString &column)> &codes);
// "Zjištěný stav" of a hydrant inspection: one line of label and verdict per coded header
// column (value gives the stored text of a column); a column with another code prints
// nothing.
QStringList hydrantFindings(const std::function<QString(const QString &column)> &value);

class TtVzorDokT : public Print::Report
{
public:
    TtVzorDokT();

    void setPerformer(const Performer &performer);
    void setLogo(const QString &file);
    // eHorOkr and eDolOkr, in millimetres.
    void setMargins(int topMm, int bottomMm);
    // cbTiskZZ: the performer band and the signature block on every page.
    void setHeaderFooterOnEveryPage(bool on);
    void setInspectedBy(const QString &name);
    void setHeader(const InspectionDocumentHeader &header);
    // The document design: titles, the rich-text header, footer and legend, and the
    // columns after the running number; subRowField prints under each row.
    bool setDesign(const Templates::ReportDesign &design, const QList<Templates::PrintColumn> &columns,
                   const QString &subRowField = QString());

protected:
    void beforeRender() override;
    Print::Band *m_objectHead = nullptr;

private:
    InspectionDocumentHeader m_header;
    QStringList m_performer;
    bool m_everyPage = false;
};

// The extinguisher report: each object's items under a head with its name and number.
class TtDok : public TtVzorDokT
{
public:
    TtDok();
};

// The hydrant report: "Zjištěný stav" with the header findings and the user-defined
// checks before the hydrants, and, when asked, each hydrant's evaluation under its row.
class TtDokPV : public TtVzorDokT
{
public:
    TtDokPV();
    void setFindings(const QStringList &findings, const QStringList &checks);
    void setEvaluation(bool on);
};

// The workshop report: the items checked in the workshop, grouped by the firm that did
// the check (UNCFIRMA) and its technician (UNCKOMTECH); each group head names them.
class TtDokTDil : public TtVzorDokT
{
public:
    TtDokTDil();
    // The printed names of a firm and a technician by their address-book keys.
    void setNames(std::function<QString(int firm)> firm, std::function<QString(int technician)> technician);

private:
    std::function<QString(int)> m_firmName;
    std::function<QString(int)> m_technicianName;
};

// The header of the commercial documents (delivery note, invoice): the performer
// block, the customer blocks (an invoice has the orderer and the recipient) and
// "Strana: n".
class TfVzorT : public Print::Report
{
public:
    explicit TfVzorT(int customerBlocks = 1);
    void setPerformer(const Performer &performer);
    // block counts the customer blocks from 1.
    void setCustomer(const QString &caption, const AddressLines &customer, int block = 1);
    void setTitle(const QString &title, const QString &number);
};
