#pragma once
// The program parameters: the one process-wide parameter object the rest of the
// program reads, and ParameterStore, which loads and stores the items behind it
// without any window (the parameters window TfParProg only maps its fields onto it).
//
// Shared items live in QELSYS (POLOZKA = item name, HODNOTA = text), so every
// workstation sees the same VAT rates, state lists and database number; a few items
// (logo, print margins, "Kontrolu provedl") are per workstation in the settings store
// under "SOFTWARE\MORVANT\<product>\Param\". Items are named like the window fields
// that edit them.
#include <QMap>
#include <QString>
#include <QVector>

class TDMPro;

struct Parameters
{
    static Parameters &instance();

    // The firm's own data, printed in the performer block of every document.
    QString firmName;                // eFirma
    QString firmAddress1;            // eAdresa1: seat, street
    QString firmAddress2;            // eAdresa2: seat, postcode and town
    QString registration;            // eRegistrace: "Registrováno : "
    QString companyId;               // eICO
    QString taxId;                   // eDIC
    QString telephone;               // eTelefon
    QString bankAccount;             // eUcet
    QString addressLine1;            // eProv1: business address on printed documents
    QString addressLine2;            // eProv2
    int year = 0;                    // eRok: working year of the number series and label lists
    int month = 0;                   // eMes: working month of the number series
    QString unlockPassword;          // eHeslo: unlocks locked records
    // SQL lists used verbatim after IN: "(1,4,14,5)"; "(NULL)" when no state is checked,
    // so a billing condition still runs and simply matches nothing.
    QString chargedStates = QStringLiteral("(NULL)");    // cbUcHP1..9: inspection is charged
    QString disposalStates = QStringLiteral("(NULL)");   // cbLikHP3, cbLikHP5: disposal is charged
    // Rounding steps as read; a database that never stored them gives 0, which the money
    // routines (Round, PrepXTabDPH) treat as 0.01.
    double vatRoundingStep = 0;      // cbZaokDPH
    double totalRoundingStep = 0;    // cbZaokCen
    double vatBasic = 0;             // eDPHZ: basic VAT rate, per cent
    double vatReduced = 0;           // eDPHS: reduced VAT rate, per cent
    bool pricesWithoutVat = false;   // cbCenBezDPH
    // cbCenovePasma: price-list items are priced by quantity tiers (POCPRO.. / CENPRO..);
    // off unless an installation turns it on.
    bool quantityTiers = false;
    QString logoPath;                // feLogo (this workstation)
    int topMargin = 0;               // eHorOkr, millimetres (this workstation)
    int bottomMargin = 0;            // eDolOkr, millimetres (this workstation)
    bool headerFooterOnEveryPage = false;   // cbTiskZZ
    bool hideTechnicians = false;           // cbSkrytTech: inspection reports name no technician
    bool hpTableOnNewPage = false;   // cbTabHPNovStr
    bool pvTableOnNewPage = false;   // cbTabPVNovStr
    bool pkTableOnNewPage = false;   // cbTabPKNovStr
    QString inspectedBy;             // eKontroluProvedl: "Kontrolu provedl" (this workstation)
    int databaseNumber = 0;          // cbIDDatabaze: last two digits of every new key
    int schemaVersion = 0;           // eVerDat
};

// Item texts by item name, the form in which the window and the stores exchange them.
using ParameterTexts = QMap<QString, QString>;

struct ParameterItem
{
    enum Store { Table, Registry };
    enum Kind {
        Text,       // written when its text changed
        Flag,       // "1" checked, anything else unchecked
        Password,   // read for the process-wide value; written only by the password change
        ShownOnly,  // shown, never written back (the schema version belongs to the upgrade)
    };
    const char *name;
    Store store;
    Kind kind;
};

// Every stored item, in the order of the window.
const QVector<ParameterItem> &parameterItems();

// A decimal parameter from its text: digits and '-' are kept, the first other character
// is the decimal point, everything from the second other character on is dropped.
// "0,10" -> 0.10, "12.5%" -> 12.5, "1.2.3" -> 1.2; a text that does not convert gives 0.
double parseParameterDecimal(const QString &text);

// The SQL list of the states whose boxes are checked, boxes in the order 1 to 9;
// state 4 always brings its follow-up state 14. {1,4,5} -> "(1,4,14,5)", none -> "(NULL)".
QString chargedStatesList(const QVector<int> &checkedStates);
// The same for the disposal states 3 and 5.
QString disposalStatesList(bool state3, bool state5);

// The process-wide values that follow from a set of item texts.
Parameters parametersFromTexts(const ParameterTexts &texts);

// Loads and stores the parameter items (the window's Nacti and Uloz without widgets).
class ParameterStore
{
public:
    explicit ParameterStore(TDMPro *dm);

    // The parameters window's caption; the load and store messages carry it.
    static QString caption();
    // Accepted in place of the current unlock password when nobody remembers it.
    static const char *const ServiceCode;

    // The current texts of the items. Before load() they are the registry defaults
    // (a missing registry value is created with the field's current text); after
    // load() and save() they hold what is stored.
    ParameterTexts texts;
    // The password change fields "Stávající", "Nové" and "Kontrola"; emptied by save().
    QString currentPassword;
    QString newPassword;
    QString confirmPassword;

    // Reads every item (QELSYS rows, an item without a row reads "0"; registry values)
    // into texts and makes them the process-wide values. On failure shows
    // "Načtení parametrů", keeps the values already in force and returns false.
    bool load();
    // Writes the items whose texts differ from what load() read (so a save does not
    // undo what another workstation stored meanwhile), handles the password change,
    // then loads again. Table items are written in one transaction. On failure shows
    // "Uložení parametrů" and returns false.
    bool save();

    // The texts as last read from the stores.
    const ParameterTexts &loadedTexts() const { return m_loaded; }
    static QString registryKeyPath();

private:
    enum class PasswordChange { Untouched, Accepted, BadConfirmation, BadCurrent };
    PasswordChange checkPasswordChange(const QString &storedPassword) const;
    bool readTable(ParameterTexts &into, QString *error) const;
    bool changed(const ParameterItem &item) const;

    TDMPro *m_dm;
    ParameterTexts m_loaded;
};

// Loads every program parameter without a window (start-up, after a reconnection);
// the message "Načtení parametrů" is shown on failure.
bool loadFrameworkParameters(TDMPro &dm);
