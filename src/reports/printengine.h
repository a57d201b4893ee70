#pragma once
// The band engine every printed document is made with. A report is a page setup and
// bands printed top to bottom; rendering it runs the band events and lays the bands
// out on pages once, as recorded draw operations. The preview, the printer and PDF
// files replay those pages, so whatever an event counts or sums happens once per print.
//
// Units: 3.6 per millimetre; A4 is 756 x 1069 (portrait) or 1069 x 756 (landscape).
#include <QColor>
#include <QHash>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QSqlQuery;
class QTextDocument;

namespace Print {

inline constexpr double UnitsPerMm = 3.6;

struct PageSetup
{
    qreal width = 756;
    qreal height = 1069;
    qreal left = 54, right = 54, top = 60, bottom = 54;
    QString jobName;
    static PageSetup a4(bool landscape);
    qreal bodyWidth() const { return width - left - right; }
};

// One recorded drawing step of a page, in page units.
struct DrawOp
{
    enum Kind : quint8 { Text, Line, Rect, Image, RichText };
    Kind kind = Text;
    int flags = 0;               // Qt alignment and wrap flags of a text
    qreal penWidth = 1;
    QRectF rect;                 // a line runs from topLeft to bottomRight
    QColor color = Qt::black;
    QFont font;
    QString text;
    QImage image;
    std::shared_ptr<QTextDocument> document;
};

struct Page
{
    QVector<DrawOp> ops;
};

// The rendered pages of one print.
struct Document
{
    PageSetup setup;
    QVector<Page> pages;
    // What the pages hold in memory, in bytes (an estimate of the recorded steps).
    qint64 memoryUsed() const;
};

// Draws one page scaled into the painter's target rectangle (device coordinates).
void paintPage(QPainter &painter, const Document &document, int page, const QRectF &target);
// Replays every page onto an open painter of a paged device (printer, PDF writer):
// newPage() is called between pages.
bool replay(QPainter &painter, const Document &document, const std::function<bool()> &newPage);
// Writes the pages to a PDF file. false with the reason on failure.
bool writePdf(const Document &document, const QString &file, QString *error = nullptr);

// A font at a point size as the pages use it (sizes in page units); Arial and other
// families without Czech glyphs here map to DejaVu Sans.
QFont pageFont(const QString &family, double pointSize, bool bold = false, bool italic = false,
               bool underline = false);
// The text of a value through a mask: "000", "##0", "# ### ##0", "# ### ##0.00",
// "## ##0.00 Kč", a date mask "dd.mm.yyyy"; an empty mask shows the value as grids do.
QString formatMasked(const QVariant &value, const QString &mask);
// "# ### ##0" for whole numbers, "# ### ##0.00" for others: how sums are printed.
QString sumMask(bool integer);

// The rows a report prints, one current record at a time.
class DataSource
{
public:
    virtual ~DataSource() = default;
    virtual bool first() = 0;
    virtual bool next() = 0;
    virtual QVariant value(const QString &field) const = 0;
    // Whether the field holds whole numbers (sums print without decimals).
    virtual bool isInteger(const QString &field) const { return false; }
};

// Rows read forward from a statement that has been executed.
class SqlDataSource : public DataSource
{
public:
    explicit SqlDataSource(QSqlQuery &query) : m_query(query) {}
    bool first() override;
    bool next() override;
    QVariant value(const QString &field) const override;
    bool isInteger(const QString &field) const override;
private:
    int indexOf(const QString &field) const;
    QSqlQuery &m_query;
    mutable QHash<QString, int> m_columns;   // the statement's columns, learnt once
    bool m_started = false;
};

// Rows held in memory: field names and their values per row.
class RowsDataSource : public DataSource
{
public:
    RowsDataSource(QStringList fields, QVector<QVariantList> rows)
        : m_fields(std::move(fields)), m_rows(std::move(rows)) {}
    bool first() override { m_row = 0; return !m_rows.isEmpty(); }
    bool next() override { return ++m_row < m_rows.size(); }
    QVariant value(const QString &field) const override;
    bool isInteger(const QString &field) const override;
private:
    QStringList m_fields;
    QVector<QVariantList> m_rows;
    int m_row = -1;
};

class Report;
class Band;

// --- elements ------------------------------------------------------------------------
class Element
{
public:
    virtual ~Element() = default;
    QString name;
    QRectF geometry;                 // within the band
    bool visible = true;
    // The height the element needs (rich text grows with its content).
    virtual qreal neededHeight(const Report &) const { return geometry.height(); }
    virtual void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const = 0;
};

class Label : public Element
{
public:
    QString text;
    QFont font = pageFont(QStringLiteral("Arial"), 8);
    int alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;
    QColor color = Qt::black;
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
protected:
    void drawText(Page &page, const QPointF &origin, const QString &shown) const;
};

// A field of the current record through a mask.
class DataLabel : public Label
{
public:
    QString field;
    QString mask;
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
};

// A running sum of a field: the whole print's total, or the current group's.
class SumLabel : public Label
{
public:
    QString field;
    bool groupTotal = false;
    QString mask;                    // empty: sumMask() by the field's kind
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
};

// Rich text, fixed or from a field (RTF or plain text); grows with its content.
class RichText : public Element
{
public:
    QString text;
    QString field;
    qreal neededHeight(const Report &report) const override;
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
private:
    std::shared_ptr<QTextDocument> layout(const Report &report) const;
};

class ImageElement : public Element
{
public:
    QImage image;
    bool loadFile(const QString &file);
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
};

class Shape : public Element
{
public:
    enum Kind { Rectangle, HorizontalLine, VerticalLine };
    Kind kind = Rectangle;
    qreal penWidth = 1;
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
};

// Grid lines of an element's box: top, bottom, and vertical separators at the given
// x positions (band coordinates) running down to the partner element's bottom, or the
// band's bottom when there is no partner.
class GridLines : public Element
{
public:
    bool top = false;
    bool bottom = false;
    QVector<qreal> verticals;
    const Element *partner = nullptr;
    qreal penWidth = 1;
    void draw(Report &report, Page &page, const QPointF &origin, qreal bandHeight) const override;
};

// --- bands -----------------------------------------------------------------------
class Band
{
public:
    enum Kind {
        PageHead,     // top of every page, by the page flags
        Title,        // once, before the records
        GroupHead,    // on a change of its group value
        ColumnHead,   // printed with the detail: above the first detail of every page
        Detail,       // once per record
        Control,      // after each detail
        GroupFoot,    // closing its group
        Summary,      // once, after the records
        PageFoot,     // bottom of every page, its space kept on every page
    };
    enum PageFlag { FirstPage = 1, FollowingPages = 2, LastPage = 4 };

    Band(Kind kind, QString name, qreal height) : kind(kind), name(std::move(name)), height(height) {}
    Kind kind;
    QString name;
    qreal height;
    bool visible = true;
    int pages = FirstPage | FollowingPages | LastPage;   // StrPrvni, StrNasl, StrPosl
    bool always = false;                                 // TiskVzdy
    Band *printWith = nullptr;       // TiskS: printed right before this band when needed
    Band *child = nullptr;           // printed after this band
    QString groupField;              // group head: the value whose change starts a group
    Band *groupFoot = nullptr;       // group head: its foot
    std::vector<std::unique_ptr<Element>> elements;

    std::function<void(Band &)> beforePrint;     // may set texts, visibility, height
    std::function<bool(Band &)> onPrint;         // true: print the band once more
    std::function<void(Band &)> afterPrint;

    template <class E> E *add(const QString &elementName, const QRectF &geometry)
    {
        auto e = std::make_unique<E>();
        e->name = elementName;
        e->geometry = geometry;
        E *raw = e.get();
        elements.push_back(std::move(e));
        return raw;
    }
    Element *element(const QString &elementName) const;
    bool printsOn(int pageFlag) const { return always || (pages & pageFlag); }
};

class Report
{
public:
    Report() = default;
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;
    virtual ~Report() = default;

    PageSetup setup;
    DataSource *data = nullptr;      // none: the detail band prints once (and again on request)

    Band *addBand(Band::Kind kind, const QString &name, qreal height);
    Band *band(const QString &name) const;
    const std::vector<std::unique_ptr<Band>> &bands() const { return m_bands; }

    // Sums added after each printed detail (a null adds nothing).
    void addSum(const QString &field);
    double total(const QString &field) const;
    double groupTotal(const QString &field) const;
    bool isIntegerField(const QString &field) const { return data && data->isInteger(field); }

    // Renders every page; the events run here and nowhere else.
    Document render();

    // While rendering: the page number (1, 2, ...), the current record's values.
    int pageNumber() const { return m_pageNumber; }
    QVariant value(const QString &field) const { return data && m_hasRecord ? data->value(field) : QVariant(); }
    int recordNumber() const { return m_recordNumber; }
    // Moves the data to its next record; false at the end (for manual record loops).
    bool nextRecord();
    bool atEnd() const { return !m_hasRecord; }

protected:
    virtual void beforeRender() {}

private:
    struct SumState { QString field; double total = 0; double group = 0; };
    qreal bandHeightNeeded(Band &band) const;
    void printBand(Band &band);
    bool placeBand(Band &band);
    void startPage();
    void finishPage(bool last);
    qreal footReserve() const;
    void printGroupHeads(int from);
    void printGroupFoots(int downTo);
    QVector<Band *> bandsOf(Band::Kind kind) const;

    std::vector<std::unique_ptr<Band>> m_bands;
    std::vector<SumState> m_sums;
    Document m_document;
    Page *m_page = nullptr;
    qreal m_y = 0;
    int m_pageNumber = 0;
    int m_recordNumber = 0;
    bool m_hasRecord = false;
    bool m_detailOnPage = false;
    bool m_inRecords = false;
    Band *m_detail = nullptr;
    QVector<Band *> m_groups;
    QVector<QVariant> m_groupValues;
};

} // namespace Print
