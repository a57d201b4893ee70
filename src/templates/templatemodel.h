#pragma once
// The designs users make for a list window, as the designers and the printing see
// them: reports, grid layouts and filters, all described against the data dictionary
// (STRUK), plus the encodings their rows use for fonts, colours and settings.
// Plain values only; TemplateStore reads and writes them.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace Templates {

// Which designer an item is offered to (STRUK.GS, GG, GP).
enum class DesignKind { Report, GridLayout, Filter };

// Alignment codes of ZAROVH, ZAROVN and ZAROV.
enum Alignment { AlignLeft = 0, AlignCenter = 1, AlignRight = 2 };
// Anything but a known code reads as left.
Alignment alignmentFromCode(int code);

// Page orientation of a report (ORIENTACE).
enum Orientation { Portrait = 0, Landscape = 1 };

// Column captions are cut to this many characters when stored.
constexpr int CaptionLength = 30;
QString storedCaption(const QString &caption);

// A font as the report columns keep it: face name, character set, colour and point
// size as decimal texts, the style as four "0"/"1" characters.
struct ColumnFont
{
    QString name = QStringLiteral("Arial");
    int charset = 238;          // Central European
    quint32 rgb = 0x000000;     // 0xRRGGBB
    int size = 8;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const ColumnFont &o) const
    {
        return name == o.name && charset == o.charset && rgb == o.rgb && size == o.size
               && bold == o.bold && italic == o.italic && underline == o.underline
               && strikeOut == o.strikeOut;
    }
    bool operator!=(const ColumnFont &o) const { return !(*this == o); }
};

// "bold italic underline strike-out" as "0"/"1"; "1010" is bold and underlined.
QString encodeFontStyle(const ColumnFont &font);
// A short or empty text counts as zeros for the missing characters.
void decodeFontStyle(const QString &style, ColumnFont &font);

// Colours are stored as the decimal value of a Windows colour reference: blue in the
// high byte, red in the low one (grey 0x808080 is "8421504", red is "255"). Values
// with the high byte set name system colours; they read as black, except the window
// and button-face backgrounds.
QString encodeColor(quint32 rgb);
quint32 decodeColor(const QString &text, quint32 fallback = 0x000000);

// OSTNAS, the report's further settings: "key:value;" entries, of which "G" is the
// grouping item ("G:;" when there is none). Setting a key keeps the other entries.
QString settingValue(const QString &settings, const QString &key);
QString withSetting(const QString &settings, const QString &key, const QString &value);

// One row of the data dictionary as a designer is offered it.
struct DictionaryItem
{
    int key = 0;               // STRUK.UNCIS
    QString alias;             // the list query's alias the item is offered under
    QString caption;           // POPIS
    QString column;            // POLOZKA
    QString order;             // ORD
    QString type;              // TYP: "A" text, "D" date, other letters numbers
    QString pickColumn;        // VYBPOL
    QString window;            // OKNO
    QString table;             // TAB
    int pickVariant = 0;       // NABTYP
    QString pickValueColumn;   // VYBPOLNAB

    // "text" for texts, "číslo" for everything else, as the designers show the type.
    QString typeCaption() const;
    // The field name under which the list query returns the item (alias + column).
    QString fieldName() const { return alias + column; }
};

// One entry of a window's alias table text "table;alias;caption;(variants);...":
// the dictionary items of the table group are offered under the alias for the
// listed window variants.
struct AliasTable
{
    QString table;
    QString alias;
    QString caption;
    QList<int> variants;
};
QList<AliasTable> parseAliasTables(const QString &text);

// One saved design in a choice list.
struct DesignEntry
{
    int key = 0;
    QString name;
    QDateTime created;      // ULOZENO
    QDateTime changed;      // KDY
    QString selectionKind;  // filters only: "V" or "S"
};

// What every stored design has in its header row (GSHLAV, GGHLAV, GPHLAV).
struct StoredDesign
{
    int key = 0;            // 0 until first stored
    QString name;
    QString window;
    int variant = 0;
    QDateTime created;      // ULOZENO
    QDateTime changed;      // KDY
};

struct ReportColumn
{
    int key = 0;            // GSTAB.UNCIS, set when stored
    QString name;           // unique within the design; "Free_<left>" for an empty column
    QString caption;
    int width = 120;
    Alignment valueAlignment = AlignLeft;
    Alignment captionAlignment = AlignLeft;
    bool sum = false;
    ColumnFont valueFont;
    ColumnFont captionFont;
    int left = 0;           // PORADI: left position in the designer, the print order
    int itemKey = 0;        // UNCPOL: STRUK.UNCIS, 0 for an empty column
};

struct ReportDesign : StoredDesign
{
    QString title1;
    QString title2;
    Orientation orientation = Portrait;
    QString settings = QStringLiteral("G:;");   // OSTNAS
    // Inspection documents only: rich texts the document designer writes.
    bool documentTexts = false;
    QString header;
    QString footer;
    QString legend;
    QList<ReportColumn> columns;

    QString groupItem() const { return settingValue(settings, QStringLiteral("G")); }
    void setGroupItem(const QString &item) { settings = withSetting(settings, QStringLiteral("G"), item); }
};

struct GridColumn
{
    int key = 0;            // GGTAB.UNCIS
    QString name;
    QString caption;
    int width = 120;
    Alignment alignment = AlignLeft;
    QString order;          // ORD of the dictionary item
    int itemKey = 0;        // UNCSTR
    int position = 0;       // PORADI
};

struct GridLayout : StoredDesign
{
    QList<GridColumn> columns;
};

// Operator codes of a filter condition (PODMINKA).
namespace Operator {
inline const QString Equal = QStringLiteral("=");
inline const QString NotEqual = QStringLiteral("<>");
inline const QString Greater = QStringLiteral(">");
inline const QString Less = QStringLiteral("<");
inline const QString GreaterOrEqual = QStringLiteral(">=");
inline const QString LessOrEqual = QStringLiteral("<=");
inline const QString StartsWith = QStringLiteral(".=");
inline const QString Contains = QStringLiteral(".=.");
inline const QString EndsWith = QStringLiteral("=.");
inline const QString In = QStringLiteral("IN");
}

// The operator codes with the captions the filter designer offers, in its order.
struct OperatorChoice
{
    QString code;
    QString caption;
};
const QList<OperatorChoice> &operatorChoices();
// The connectives of SPOJENI: "AND", "OR", "AND (", ") AND", "OR (", ") OR", ")".
const QStringList &connectives();

struct FilterCondition
{
    int key = 0;            // GPTAB.UNCIS; conditions apply in key order
    QString item;           // POLOZKA: alias + "." + column
    QString caption;        // POPIS
    QString op;             // PODMINKA
    QString value;          // HODNOTA as typed
    QString connective;     // SPOJENI, joins this condition to the next one
    QString type;           // TYP of the dictionary item
};

struct FilterDesign : StoredDesign
{
    QString selectionKind = QStringLiteral("V");   // "V" designed, "S" saved from a list
    QString ownCondition;                          // VLASTPODM, free SQL
    QList<FilterCondition> conditions;
};

} // namespace Templates
