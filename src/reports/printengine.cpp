#include "reports/printengine.h"

#include "core/format.h"
#include "core/globals.h"
#include "core/rtf.h"
#include "core/sqlvalue.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextDocument>

namespace Print {

namespace {

// Points to page units: 3.6 units a millimetre, 25.4 mm an inch, 72 points an inch.
constexpr double UnitsPerPoint = UnitsPerMm * 25.4 / 72.0;

// Rich texts are laid out on a device whose pixel is one page unit, so their point
// sizes come out in page units and replay at any resolution.
QPaintDevice *unitDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        image.setDotsPerMeterX(int(UnitsPerMm * 1000));
        image.setDotsPerMeterY(int(UnitsPerMm * 1000));
        return image;
    }();
    return &device;
}

QString printedFamily(const QString &family)
{
    static QString sans;
    if (family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) != 0
        && !family.trimmed().isEmpty())
        return family;
    if (sans.isEmpty() && qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QStringList families = QFontDatabase::families();
        sans = families.contains(QStringLiteral("Liberation Sans")) ? QStringLiteral("Liberation Sans")
                                                                     : QStringLiteral("DejaVu Sans");
    }
    return sans.isEmpty() ? QStringLiteral("DejaVu Sans") : sans;
}

bool isIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString groupThousands(const QString &digits)
{
    QString out;
    const int n = digits.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(' ');
        out += digits.at(i);
    }
    return out;
}

DrawOp lineOp(const QPointF &from, const QPointF &to, qreal penWidth)
{
    DrawOp op;
    op.kind = DrawOp::Line;
    op.rect = QRectF(from, to);
    op.penWidth = penWidth;
    return op;
}

} // namespace

PageSetup PageSetup::a4(bool landscape)
{
    PageSetup s;
    if (landscape) {
        s.width = 1069;
        s.height = 756;
    }
    return s;
}

qint64 Document::memoryUsed() const
{
    qint64 bytes = sizeof(Document);
    for (const Page &p : pages) {
        bytes += qint64(sizeof(Page)) + qint64(p.ops.capacity()) * qint64(sizeof(DrawOp));
        for (const DrawOp &op : p.ops) {
            bytes += qint64(op.text.capacity()) * 2;
            if (op.document)
                bytes += 4096 + qint64(op.document->characterCount()) * 16;
        }
    }
    return bytes;
}

QFont pageFont(const QString &family, double pointSize, bool bold, bool italic, bool underline)
{
    QFont f(printedFamily(family));
    f.setPixelSize(qMax(1, qRound(pointSize * UnitsPerPoint)));
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

QString sumMask(bool integer)
{
    return integer ? QStringLiteral("# ### ##0") : QStringLiteral("# ### ##0.00");
}

QString formatMasked(const QVariant &value, const QString &mask)
{
    if (!value.isValid() || value.isNull())
        return QString();
    if (mask.isEmpty())
        return displayText(value);
    const int type = value.metaType().id();
    if (type == QMetaType::QDate || type == QMetaType::QDateTime || mask.contains(QLatin1Char('y'))) {
        QString qtMask = mask;
        qtMask.replace(QLatin1String("mm"), QLatin1String("MM"));
        return value.toDate().toString(qtMask);
    }
    int first = -1, last = -1;
    for (int i = 0; i < mask.size(); ++i)
        if (mask.at(i) == QLatin1Char('#') || mask.at(i) == QLatin1Char('0')) {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first < 0)
        return mask;
    const QString core = mask.mid(first, last - first + 1);
    const int point = core.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? core : core.left(point);
    const int decimals = point < 0 ? 0 : core.size() - point - 1;
    const int minDigits = int(integerPart.count(QLatin1Char('0')));
    const double v = value.toDouble();
    QString text = QString::number(qAbs(v), 'f', decimals);
    QString digits = decimals > 0 ? text.left(text.indexOf(QLatin1Char('.'))) : text;
    const QString fraction = decimals > 0 ? text.mid(text.indexOf(QLatin1Char('.')) + 1) : QString();
    while (digits.size() < minDigits)
        digits.prepend(QLatin1Char('0'));
    if (integerPart.contains(QLatin1Char(' ')))
        digits = groupThousands(digits);
    const bool negative = v < 0 && QString(digits + fraction).contains(QRegularExpression(QStringLiteral("[1-9]")));
    return mask.left(first) + (negative ? QStringLiteral("-") : QString()) + digits
           + (decimals > 0 ? DecimalSeparator + fraction : QString()) + mask.mid(last + 1);
}

// --- data sources ------------------------------------------------------------------

bool SqlDataSource::first()
{
    // a forward-only statement can be started once; a second render reads it again
    if (m_started && !m_query.first())
        return false;
    m_started = true;
    return m_query.isForwardOnly() ? m_query.next() : m_query.first();
}

bool SqlDataSource::next()
{
    return m_query.next();
}

int SqlDataSource::indexOf(const QString &field) const
{
    auto it = m_columns.constFind(field);
    if (it == m_columns.constEnd())
        it = m_columns.insert(field, m_query.record().indexOf(field));
    return it.value();
}

QVariant SqlDataSource::value(const QString &field) const
{
    const int at = indexOf(field);
    return at < 0 ? QVariant() : readField(m_query, at);
}

bool SqlDataSource::isInteger(const QString &field) const
{
    const QSqlRecord r = m_query.record();
    const int at = r.indexOf(field);
    return at >= 0 && isIntegerType(r.field(at).metaType().id());
}

QVariant RowsDataSource::value(const QString &field) const
{
    const int at = int(m_fields.indexOf(field));
    if (at < 0 || m_row < 0 || m_row >= m_rows.size())
        return QVariant();
    return m_rows.at(m_row).value(at);
}

bool RowsDataSource::isInteger(const QString &field) const
{
    const int at = int(m_fields.indexOf(field));
    for (const QVariantList &row : m_rows) {
        const QVariant v = row.value(at);
        if (!v.isNull())
            return isIntegerType(v.metaType().id());
    }
    return false;
}

// --- elements ----------------------------------------------------------------------

void Label::drawText(Page &page, const QPointF &origin, const QString &shown) const
{
    if (shown.isEmpty())
        return;
    DrawOp op;
    op.kind = DrawOp::Text;
    op.rect = geometry.translated(origin);
    op.flags = alignment | (wordWrap ? Qt::TextWordWrap : 0);
    op.font = font;
    op.color = color;
    op.text = shown;
    page.ops.append(std::move(op));
}

void Label::draw(Report &, Page &page, const QPointF &origin, qreal) const
{
    drawText(page, origin, text);
}

void DataLabel::draw(Report &report, Page &page, const QPointF &origin, qreal) const
{
    drawText(page, origin, field.isEmpty() ? text : formatMasked(report.value(field), mask));
}

void SumLabel::draw(Report &report, Page &page, const QPointF &origin, qreal) const
{
    const double v = groupTotal ? report.groupTotal(field) : report.total(field);
    drawText(page, origin, formatMasked(v, mask.isEmpty() ? sumMask(report.isIntegerField(field)) : mask));
}

std::shared_ptr<QTextDocument> RichText::layout(const Report &report) const
{
    auto doc = std::make_shared<QTextDocument>();
    doc->documentLayout()->setPaintDevice(unitDevice());
    doc->setDocumentMargin(0);
    Rtf::read(field.isEmpty() ? text : Rtf::fieldText(report.value(field)), doc.get());
    doc->setTextWidth(geometry.width());
    return doc;
}

qreal RichText::neededHeight(const Report &report) const
{
    return qMax(geometry.height(), layout(report)->size().height());
}

void RichText::draw(Report &report, Page &page, const QPointF &origin, qreal) const
{
    auto doc = layout(report);
    if (doc->isEmpty())
        return;
    DrawOp op;
    op.kind = DrawOp::RichText;
    op.rect = QRectF(geometry.topLeft() + origin, QSizeF(geometry.width(), doc->size().height()));
    op.document = std::move(doc);
    page.ops.append(std::move(op));
}

bool ImageElement::loadFile(const QString &file)
{
    return !file.isEmpty() && image.load(file);
}

void ImageElement::draw(Report &, Page &page, const QPointF &origin, qreal) const
{
    if (image.isNull())
        return;
    QSizeF size = image.size();
    size.scale(geometry.size(), Qt::KeepAspectRatio);
    DrawOp op;
    op.kind = DrawOp::Image;
    op.rect = QRectF(geometry.topLeft() + origin, size);
    op.image = image;
    page.ops.append(std::move(op));
}

void Shape::draw(Report &, Page &page, const QPointF &origin, qreal) const
{
    const QRectF r = geometry.translated(origin);
    if (kind == HorizontalLine) {
        page.ops.append(lineOp(r.topLeft(), r.topRight(), penWidth));
    } else if (kind == VerticalLine) {
        page.ops.append(lineOp(r.topLeft(), r.bottomLeft(), penWidth));
    } else {
        DrawOp op;
        op.kind = DrawOp::Rect;
        op.rect = r;
        op.penWidth = penWidth;
        page.ops.append(std::move(op));
    }
}

void GridLines::draw(Report &, Page &page, const QPointF &origin, qreal bandHeight) const
{
    const qreal top = origin.y() + geometry.top();
    const qreal bottom = origin.y() + (partner ? partner->geometry.bottom() : bandHeight);
    const qreal left = origin.x() + geometry.left();
    const qreal right = origin.x() + geometry.right();
    if (this->top)
        page.ops.append(lineOp({left, top}, {right, top}, penWidth));
    if (this->bottom)
        page.ops.append(lineOp({left, bottom}, {right, bottom}, penWidth));
    for (qreal x : verticals)
        page.ops.append(lineOp({origin.x() + x, top}, {origin.x() + x, bottom}, penWidth));
}

Element *Band::element(const QString &elementName) const
{
    for (const auto &e : elements)
        if (e->name == elementName)
            return e.get();
    return nullptr;
}

// --- the report ----------------------------------------------------------------------

Band *Report::addBand(Band::Kind kind, const QString &name, qreal height)
{
    m_bands.push_back(std::make_unique<Band>(kind, name, height));
    return m_bands.back().get();
}

Band *Report::band(const QString &name) const
{
    for (const auto &b : m_bands)
        if (b->name == name)
            return b.get();
    return nullptr;
}

QVector<Band *> Report::bandsOf(Band::Kind kind) const
{
    QVector<Band *> out;
    for (const auto &b : m_bands)
        if (b->kind == kind)
            out << b.get();
    return out;
}

void Report::addSum(const QString &field)
{
    for (const SumState &s : m_sums)
        if (s.field == field)
            return;
    m_sums.push_back({field, 0, 0});
}

double Report::total(const QString &field) const
{
    for (const SumState &s : m_sums)
        if (s.field == field)
            return s.total;
    return 0;
}

double Report::groupTotal(const QString &field) const
{
    for (const SumState &s : m_sums)
        if (s.field == field)
            return s.group;
    return 0;
}

bool Report::nextRecord()
{
    m_hasRecord = data && data->next();
    if (m_hasRecord)
        ++m_recordNumber;
    return m_hasRecord;
}

qreal Report::bandHeightNeeded(Band &band) const
{
    qreal h = band.height;
    for (const auto &e : band.elements)
        if (e->visible)
            h = qMax(h, e->geometry.top() + e->neededHeight(*this));
    return h;
}

qreal Report::footReserve() const
{
    qreal h = 0;
    for (const auto &b : m_bands)
        if (b->kind == Band::PageFoot && b->visible)
            h += b->height;
    return h;
}

void Report::startPage()
{
    m_document.pages.append(Page());
    m_page = &m_document.pages.last();
    ++m_pageNumber;
    m_y = setup.top;
    m_detailOnPage = false;
    const int flag = m_pageNumber == 1 ? Band::FirstPage : Band::FollowingPages;
    for (Band *b : bandsOf(Band::PageHead)) {
        if (!b->printsOn(flag))
            continue;
        if (b->beforePrint)
            b->beforePrint(*b);
        if (!b->visible)
            continue;
        const qreal h = bandHeightNeeded(*b);
        for (const auto &e : b->elements)
            if (e->visible)
                e->draw(*this, *m_page, QPointF(setup.left, m_y), h);
        m_y += h;
        if (b->afterPrint)
            b->afterPrint(*b);
    }
}

void Report::finishPage(bool last)
{
    const int flag = (m_pageNumber == 1 ? Band::FirstPage : Band::FollowingPages) | (last ? Band::LastPage : 0);
    qreal y = setup.height - setup.bottom - footReserve();
    for (Band *b : bandsOf(Band::PageFoot)) {
        if (!b->visible || !(b->always || (b->pages & flag)))
            continue;
        if (b->beforePrint)
            b->beforePrint(*b);
        for (const auto &e : b->elements)
            if (e->visible)
                e->draw(*this, *m_page, QPointF(setup.left, y), b->height);
        y += b->height;
        if (b->afterPrint)
            b->afterPrint(*b);
    }
}

bool Report::placeBand(Band &band)
{
    const qreal h = bandHeightNeeded(band);
    const qreal limit = setup.height - setup.bottom - footReserve();
    const bool pageEmpty = m_page->ops.isEmpty() || m_y <= setup.top;
    if (m_y + h > limit && !pageEmpty) {
        finishPage(false);
        startPage();
        if (band.kind == Band::Detail && band.printWith && band.printWith->visible)
            placeBand(*band.printWith);
    }
    for (const auto &e : band.elements)
        if (e->visible)
            e->draw(*this, *m_page, QPointF(setup.left, m_y), h);
    m_y += h;
    return true;
}

void Report::printBand(Band &band)
{
    bool again = false;
    do {
        if (band.beforePrint)
            band.beforePrint(band);
        again = band.onPrint ? band.onPrint(band) : false;
        if (!band.visible)
            break;
        if (band.kind == Band::Detail) {
            // the column heads stay with the first detail of every page
            if (band.printWith && band.printWith->visible && !m_detailOnPage) {
                const qreal both = bandHeightNeeded(*band.printWith) + bandHeightNeeded(band);
                if (m_y + both > setup.height - setup.bottom - footReserve() && m_y > setup.top) {
                    finishPage(false);
                    startPage();
                }
                placeBand(*band.printWith);
            }
            placeBand(band);
            m_detailOnPage = true;
            for (SumState &s : m_sums) {
                const QVariant v = value(s.field);
                const double d = v.isNull() ? 0.0 : v.toDouble();
                s.total += d;
                s.group += d;
            }
        } else {
            placeBand(band);
        }
        if (band.afterPrint)
            band.afterPrint(band);
        if (band.child)
            printBand(*band.child);
    } while (again);
}

void Report::printGroupHeads(int from)
{
    for (int i = from; i < m_groups.size(); ++i) {
        m_groupValues[i] = value(m_groups[i]->groupField);
        for (SumState &s : m_sums)
            s.group = 0;
        printBand(*m_groups[i]);
    }
}

void Report::printGroupFoots(int downTo)
{
    for (int i = int(m_groups.size()) - 1; i >= downTo; --i)
        if (m_groups[i]->groupFoot)
            printBand(*m_groups[i]->groupFoot);
}

Document Report::render()
{
    m_document = Document();
    m_document.setup = setup;
    for (SumState &s : m_sums)
        s.total = s.group = 0;
    m_pageNumber = 0;
    m_recordNumber = 0;
    m_groups = bandsOf(Band::GroupHead);
    m_groupValues = QVector<QVariant>(m_groups.size());
    const QVector<Band *> details = bandsOf(Band::Detail);
    m_detail = details.isEmpty() ? nullptr : details.first();
    beforeRender();
    startPage();
    for (Band *b : bandsOf(Band::Title))
        printBand(*b);
    if (m_detail) {
        m_hasRecord = data ? data->first() : true;
        bool firstRecord = true;
        while (m_hasRecord) {
            ++m_recordNumber;
            int changed = -1;
            for (int i = 0; i < m_groups.size() && changed < 0; ++i)
                if (firstRecord || value(m_groups[i]->groupField) != m_groupValues[i])
                    changed = i;
            if (changed >= 0) {
                if (!firstRecord)
                    printGroupFoots(changed);
                printGroupHeads(changed);
            }
            printBand(*m_detail);
            for (Band *c : bandsOf(Band::Control))
                printBand(*c);
            firstRecord = false;
            m_hasRecord = data && data->next();
        }
        if (!firstRecord)
            printGroupFoots(0);
    }
    m_hasRecord = false;
    for (Band *b : bandsOf(Band::Summary))
        printBand(*b);
    finishPage(true);
    m_page = nullptr;
    return std::move(m_document);
}

// --- replay ----------------------------------------------------------------------------

void paintPage(QPainter &painter, const Document &document, int page, const QRectF &target)
{
    if (page < 0 || page >= document.pages.size())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / document.setup.width, target.height() / document.setup.height);
    painter.setBrush(Qt::NoBrush);
    for (const DrawOp &op : document.pages.at(page).ops) {
        switch (op.kind) {
        case DrawOp::Text:
            painter.setFont(op.font);
            painter.setPen(op.color);
            painter.drawText(op.rect, op.flags, op.text);
            break;
        case DrawOp::Line:
            painter.setPen(QPen(op.color, op.penWidth));
            painter.drawLine(op.rect.topLeft(), op.rect.bottomRight());
            break;
        case DrawOp::Rect:
            painter.setPen(QPen(op.color, op.penWidth));
            painter.drawRect(op.rect);
            break;
        case DrawOp::Image:
            painter.drawImage(op.rect, op.image);
            break;
        case DrawOp::RichText: {
            painter.save();
            painter.translate(op.rect.topLeft());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(QPointF(0, 0), op.rect.size());
            context.palette.setColor(QPalette::Text, Qt::black);
            op.document->documentLayout()->draw(&painter, context);
            painter.restore();
            break;
        }
        }
    }
    painter.restore();
}

bool replay(QPainter &painter, const Document &document, const std::function<bool()> &newPage)
{
    const QRectF target = painter.viewport();
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0 && !newPage())
            return false;
        paintPage(painter, document, i, target);
    }
    return true;
}

bool writePdf(const Document &document, const QString &file, QString *error)
{
    QPdfWriter writer(file);
    writer.setTitle(document.setup.jobName);
    writer.setCreator(QStringLiteral("Tarko 8 VEX"));
    writer.setResolution(300);
    const bool landscape = document.setup.width > document.setup.height;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Soubor %1 nelze zapsat.").arg(file);
        return false;
    }
    replay(painter, document, [&writer] { return writer.newPage(); });
    painter.end();
    return true;
}

} // namespace Print
