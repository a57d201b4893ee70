#include "reports/planproht.h"

#include <algorithm>

using namespace Print;

const char *const TfPlanProhT::Kinds = "HVK";

namespace {

constexpr qreal AddressWidth = 220;
constexpr qreal SiteWidth = 200;
constexpr qreal LineHeight = 11;
// within a kind's group: count, technician, periods, date
const qreal GroupColumns[] = {28, 80, 34, 47};
const char *const GroupFields[] = {"POC", "TECH", "PER", "DATUM"};
const char *const GroupCaptions[] = {"Počet", "Technik", "Perioda", "Datum"};
const char *const KindCaptions[] = {"Hasící přístroje", "Požární vodovody", "Požární klapky"};

qreal groupWidth()
{
    qreal w = 0;
    for (qreal c : GroupColumns)
        w += c;
    return w;
}

Label *addLabel(Band *band, const QString &name, const QRectF &geometry, const QString &text, bool bold = false,
                int alignment = Qt::AlignLeft | Qt::AlignTop)
{
    auto *l = band->add<Label>(name, geometry);
    l->text = text;
    l->font = pageFont(QStringLiteral("Arial"), 8, bold);
    l->alignment = alignment;
    return l;
}

DataLabel *addField(Band *band, const QString &field, const QRectF &geometry, bool wrap)
{
    auto *l = band->add<DataLabel>(QStringLiteral("d") + field, geometry);
    l->field = field;
    l->font = pageFont(QStringLiteral("Arial"), 8);
    l->alignment = Qt::AlignLeft | Qt::AlignTop;
    l->wordWrap = wrap;
    return l;
}

} // namespace

QStringList TfPlanProhT::fields()
{
    QStringList out{QStringLiteral("ADRESA"), QStringLiteral("STREDISKO")};
    for (const char *k = Kinds; *k; ++k)
        for (const char *f : GroupFields)
            out << QLatin1Char(*k) + QLatin1String(f);
    return out;
}

TfPlanProhT::TfPlanProhT(const QString &periodText)
{
    setup = PageSetup::a4(true);
    setup.jobName = QStringLiteral("Sestava plánu");
    const qreal width = setup.bodyWidth();

    Band *head = addBand(Band::PageHead, QStringLiteral("bHlavicka"), 40);
    addLabel(head, QStringLiteral("lNadpis"), QRectF(0, 0, width - 120, 20), QStringLiteral("Plán kontrol"), true);
    static_cast<Label *>(head->elements.back().get())->font = pageFont(QStringLiteral("Arial"), 12, true);
    addLabel(head, QStringLiteral("lObdobi"), QRectF(0, 22, width - 120, 14), periodText);
    Label *page = addLabel(head, QStringLiteral("lStrana"), QRectF(width - 120, 0, 120, 14), QString(), false,
                           Qt::AlignRight | Qt::AlignTop);
    head->beforePrint = [this, page](Band &) { page->text = QStringLiteral("Strana: ") + QString::number(pageNumber()); };

    Band *columns = addBand(Band::ColumnHead, QStringLiteral("bSloupce"), 30);
    addLabel(columns, QStringLiteral("lZakaznik"), QRectF(0, 14, AddressWidth, 14), QStringLiteral("Zákazník"), true);
    addLabel(columns, QStringLiteral("lStredisko"), QRectF(AddressWidth, 14, SiteWidth, 14), QStringLiteral("Středisko"), true);
    qreal x = AddressWidth + SiteWidth;
    for (int k = 0; k < 3; ++k) {
        addLabel(columns, QStringLiteral("lDruh%1").arg(k + 1), QRectF(x, 0, groupWidth(), 14),
                 QString::fromUtf8(KindCaptions[k]), true, Qt::AlignHCenter | Qt::AlignTop);
        qreal cx = x;
        for (int c = 0; c < 4; ++c) {
            addLabel(columns, QStringLiteral("lSloupec%1_%2").arg(k + 1).arg(c + 1), QRectF(cx, 14, GroupColumns[c], 14),
                     QString::fromUtf8(GroupCaptions[c]));
            cx += GroupColumns[c];
        }
        x += groupWidth();
    }
    auto *under = columns->add<Shape>(QStringLiteral("shSloupce"), QRectF(0, 29, width, 0));
    under->kind = Shape::HorizontalLine;

    Band *detail = addBand(Band::Detail, QStringLiteral("bRadek"), LineHeight + 4);
    detail->printWith = columns;
    DataLabel *address = addField(detail, QStringLiteral("ADRESA"), QRectF(0, 2, AddressWidth - 4, LineHeight), true);
    DataLabel *site = addField(detail, QStringLiteral("STREDISKO"), QRectF(AddressWidth, 2, SiteWidth - 4, LineHeight), true);
    x = AddressWidth + SiteWidth;
    for (const char *k = Kinds; *k; ++k) {
        qreal cx = x;
        for (int c = 0; c < 4; ++c) {
            addField(detail, QLatin1Char(*k) + QLatin1String(GroupFields[c]), QRectF(cx, 2, GroupColumns[c] - 2, LineHeight),
                     false);
            cx += GroupColumns[c];
        }
        x += groupWidth();
    }
    auto *line = detail->add<Shape>(QStringLiteral("shRadek"), QRectF(0, LineHeight + 3, width, 0));
    line->kind = Shape::HorizontalLine;
    line->penWidth = 0.5;
    // the line is as high as the longer of the two blocks
    detail->beforePrint = [this, address, site, line](Band &band) {
        const int lines = std::max(value(QStringLiteral("ADRESA")).toString().count(QLatin1Char('\n')),
                                   value(QStringLiteral("STREDISKO")).toString().count(QLatin1Char('\n')))
                          + 1;
        const qreal h = lines * LineHeight;
        address->geometry.setHeight(h);
        site->geometry.setHeight(h);
        line->geometry.moveTop(h + 3);
        band.height = h + 4;
    };
}
