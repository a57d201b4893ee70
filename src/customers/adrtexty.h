#pragma once
// The address texts every window and printout shows for an address-book entry, a site
// or a technician: one line for a picker or a list, a block of lines for the customer
// block of a printed document, and the blocks of the inspection plan. The address
// picker carries these routines (and their side results) for the whole program; they
// need no window.
#include <QString>
#include <QStringList>

class TDMPro;
class RowCache;

// The customer block of a printed document: five lines and the optional parts a
// document may print beside them.
struct AdresniBlok
{
    QStringList radky = QStringList(5, QString());
    QString ico;
    QString dic;
    QString registrace;
    QString objednavka;
    // Contact lines ("Kon.Os.: ..."), filled only by the plan blocks.
    QStringList kontakty;
};

class TAdresniTexty
{
public:
    // Without a data module the program's DM is used at each call.
    explicit TAdresniTexty(TDMPro *dm = nullptr) : m_dm(dm) {}
    virtual ~TAdresniTexty() = default;

    // One line for an entry: a firm (kinds 1 and 5) with its address and ICO, an
    // employee (2) with code and address, a technician (3, 4) with the licence card
    // number. Empty when there is no such entry. Side results: UnCCen always, Sleva for
    // firms only, both reset first; *registrace gets the entry's registration text.
    QString SestavAdresu(int key, QString *registrace = nullptr);
    // One line for a site; each part is the site's own when given, else the owner's.
    QString SestavStredisko(int key);
    // Licence card number, first name and surname of a technician.
    QString SestavTechnika(int key);

    // Fills the block of a printed document. When the firm has a managing firm the user
    // is asked whether to print it (question caption = caption). Returns 0, 1 when
    // there is no such entry, -1 when reading failed (message shown).
    int VyplnAdresu(int key, AdresniBlok &blok, const QString &caption);
    // The plan printout's blocks: the entry's lines with the contact persons of its
    // commercial extension (never asks), and a site's lines with its contact.
    int VyplnAdresuPlan(int key, AdresniBlok &blok);
    int VyplnStrediskoPlan(int key, AdresniBlok &blok);

    // Side results of the last SestavAdresu: the entry's user price list (0 = none)
    // and its discount in per cent (firms only; 0 otherwise).
    int UnCCen = 0;
    double Sleva = 0;

    TDMPro *dm() const;

    // Kind of an entry as the texts use it: rows without a kind (older data) are
    // customers.
    static int druhZaznamu(const RowCache &row);

private:
    // Reads the rows of a query with one key parameter; false (message shown) when the
    // query failed.
    bool read(const QString &sql, int key, RowCache &into);
    static bool isPerson(const RowCache &a);
    // Reads the entry (with its commercial extension) into a and fills the block's lines
    // as for a person or a firm; the same results as VyplnAdresu.
    int fillEntryLines(int key, RowCache &a, AdresniBlok &blok);
    void vyplnFirmu(const RowCache &a, AdresniBlok &blok);
    void vyplnOsobu(const RowCache &a, AdresniBlok &blok);

    TDMPro *m_dm;
};
