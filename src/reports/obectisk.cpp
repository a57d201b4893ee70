#include "reports/obectisk.h"

#include "core/class.h"
#include "core/listmodel.h"
#include "core/prompt.h"

#include <QRegularExpression>
#include <QSqlError>
#include <cmath>

using namespace Print;
using Templates::PrintColumn;

namespace {

const QString GenerateCaption = QStringLiteral("Generování sestavy");

int qtAlignment(Templates::Alignment a)
{
    switch (a) {
    case Templates::AlignCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Templates::AlignRight: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

Templates::Alignment designAlignment(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return Templates::AlignRight;
    if (a & Qt::AlignHCenter)
        return Templates::AlignCenter;
    return Templates::AlignLeft;
}

QFont columnFont(const Templates::ColumnFont &f)
{
    return pageFont(f.name, f.size, f.bold, f.italic, f.underline);
}

QColor columnColor(const Templates::ColumnFont &f)
{
    return QColor::fromRgb(QRgb(f.rgb));
}

QFont titleFont()
{
    // the titles are Arial bold, 16 units high
    QFont f = pageFont(QStringLiteral("Arial"), 12, true);
    f.setPixelSize(16);
    return f;
}


} // namespace

TtObecTisk::TtObecTisk(bool landscape)
{
    setup = PageSetup::a4(landscape);
    const qreal w = setup.bodyWidth();

    Band *head = addBand(Band::PageHead, QStringLiteral("pHla"), 48);
    auto *t1 = head->add<Label>(QStringLiteral("lNadp1"), QRectF(0, 0, w - 120, 20));
    t1->font = titleFont();
    auto *t2 = head->add<Label>(QStringLiteral("lNadp2"), QRectF(0, 22, w - 120, 20));
    t2->font = titleFont();
    auto *page = head->add<Label>(QStringLiteral("lStrana"), QRectF(w - 120, 0, 120, 16));
    page->alignment = Qt::AlignRight | Qt::AlignVCenter;
    head->add<Shape>(QStringLiteral("shHla"), QRectF(0, 45, w, 0))->kind = Shape::HorizontalLine;
    head->beforePrint = [this, page](Band &) { page->text = QStringLiteral("Strana: ") + QString::number(pageNumber()); };

    Band *header = addBand(Band::Title, QStringLiteral("pZah"), 0);
    header->add<RichText>(QStringLiteral("reZahlavi"), QRectF(0, 4, w, 0));
    header->visible = false;

    Band *groupHead = addBand(Band::GroupHead, QStringLiteral("GSPSkupH1"), 20);
    auto *groupValue = groupHead->add<DataLabel>(QStringLiteral("lSkupina"), QRectF(4, 3, w - 8, 15));
    groupValue->font = pageFont(QStringLiteral("Arial"), 9, true);

    Band *columnHead = addBand(Band::ColumnHead, QStringLiteral("pNad"), 25);
    m_headLines = columnHead->add<GridLines>(QStringLiteral("grNad"), QRectF(0, 2, w, 23));
    m_headLines->top = m_headLines->bottom = true;

    Band *detail = addBand(Band::Detail, QStringLiteral("pDet"), detailHeight(1));
    detail->printWith = columnHead;
    m_detailLines = detail->add<GridLines>(QStringLiteral("grDet"), QRectF(0, 0, w, 0));
    m_rowLine = detail->add<Shape>(QStringLiteral("shDet"), QRectF(0, detailHeight(1), w, 0));
    m_rowLine->kind = Shape::HorizontalLine;
    m_rowLine->penWidth = 0.5;

    Band *sums = addBand(Band::Summary, QStringLiteral("pSum"), 22);
    sums->visible = false;
    sums->add<Shape>(QStringLiteral("shSum"), QRectF(0, 1, w, 0))->kind = Shape::HorizontalLine;

    Band *groupFoot = addBand(Band::GroupFoot, QStringLiteral("GSPSkupP1"), 22);
    groupHead->groupFoot = groupFoot;

    Band *footer = addBand(Band::Summary, QStringLiteral("pZap"), 0);
    footer->add<RichText>(QStringLiteral("reZapati"), QRectF(0, 6, w, 0));
    footer->visible = false;

    addBand(Band::PageFoot, QStringLiteral("pPat"), 10);
    setGroup(QString());
}

void TtObecTisk::clearColumns()
{
    for (const char *name : {"pNad", "pDet", "pSum", "GSPSkupP1"}) {
        auto &elements = band(QLatin1String(name))->elements;
        elements.erase(std::remove_if(elements.begin(), elements.end(),
                                      [](const std::unique_ptr<Element> &e) { return e->name.startsWith(QLatin1String("col")); }),
                       elements.end());
    }
    m_headLines->verticals.clear();
    m_detailLines->verticals.clear();
}

bool TtObecTisk::Initialise(const QList<PrintColumn> &columns, DataSource *source, const QString &title1,
                            const QString &title2)
{
    clearColumns();
    data = source;
    static_cast<Label *>(band(QStringLiteral("pHla"))->element(QStringLiteral("lNadp1")))->text = title1;
    static_cast<Label *>(band(QStringLiteral("pHla"))->element(QStringLiteral("lNadp2")))->text = title2;
    m_scale = ListPrint::scaleOf(columns, setup.bodyWidth());
    if (m_scale <= 0) {
        Prompt::warning(QStringLiteral("Sloupce sestavy nemají žádnou šířku, sestavu nelze vytisknout."),
                        GenerateCaption);
        return false;
    }
    return true;
}

void TtObecTisk::AddColumn(const PrintColumn &c)
{
    DataLabel *value = ListPrint::addColumnLabels(band(QStringLiteral("pNad")), band(QStringLiteral("pDet")), c, m_scale);
    const qreal left = value->geometry.left();
    const qreal width = value->geometry.width();
    const QString id = value->name;
    if (c.number > 1) {
        m_headLines->verticals << left - 3;
        m_detailLines->verticals << left - 3;
    }
    if (!c.sum || c.fieldName.isEmpty())
        return;
    addSum(c.fieldName);
    for (const char *name : {"pSum", "GSPSkupP1"}) {
        auto *sum = band(QLatin1String(name))->add<SumLabel>(id, QRectF(left, 5, width, 15));
        sum->field = c.fieldName;
        sum->groupTotal = QLatin1String(name) != QLatin1String("pSum");
        sum->alignment = qtAlignment(c.valueAlignment);
        sum->font = columnFont(c.valueFont);
    }
    band(QStringLiteral("pSum"))->visible = true;
}

void TtObecTisk::setOptions(const ListPrintOptions &options)
{
    auto setText = [this](const char *bandName, const char *element, const QString &text) {
        Band *b = band(QLatin1String(bandName));
        static_cast<RichText *>(b->element(QLatin1String(element)))->text = text;
        b->visible = !text.trimmed().isEmpty();
    };
    setText("pZah", "reZahlavi", options.header);
    setText("pZap", "reZapati", options.footer);
    Band *detail = band(QStringLiteral("pDet"));
    detail->height = detailHeight(options.rowHeight);
    for (auto &e : detail->elements)
        if (e->name.startsWith(QLatin1String("col")))
            e->geometry.setHeight(detail->height - 2);
    m_rowLine->geometry.moveTop(detail->height);
    m_rowLine->visible = options.lineUnderRow;
}

void TtObecTisk::setGroup(const QString &field)
{
    Band *head = band(QStringLiteral("GSPSkupH1"));
    head->groupField = field;
    head->visible = !field.isEmpty();
    head->kind = field.isEmpty() ? Band::Title : Band::GroupHead;
    band(QStringLiteral("GSPSkupP1"))->visible = !field.isEmpty();
    static_cast<DataLabel *>(head->element(QStringLiteral("lSkupina")))->field = field;
}

namespace ListPrint {

QFont designFont(const Templates::ColumnFont &font)
{
    return columnFont(font);
}


double scaleOf(const QList<PrintColumn> &columns, qreal bandWidth)
{
    // the designer width of all columns: the right edge of the rightmost one
    int width = 0;
    for (const PrintColumn &c : columns)
        width = qMax(width, (c.left - 2) + (c.width + 3));
    return width > 0 ? (bandWidth - 3) / double(width) : 0.0;
}

DataLabel *addColumnLabels(Band *head, Band *detail, const PrintColumn &c, double scale, qreal offset)
{
    const qreal left = std::trunc(c.left * scale) + 4 + offset;
    const qreal width = std::trunc(c.width * scale) - 4;
    const QString id = QStringLiteral("col%1").arg(c.number);

    auto *caption = head->add<Label>(id, QRectF(left, 5, width, 15));
    caption->text = c.caption;
    caption->alignment = qtAlignment(c.captionAlignment);
    caption->font = columnFont(c.captionFont);
    caption->color = columnColor(c.captionFont);

    auto *value = detail->add<DataLabel>(id, QRectF(left, 1, width, detail->height - 2));
    value->field = c.fieldName;
    value->alignment = qtAlignment(c.valueAlignment);
    value->font = columnFont(c.valueFont);
    value->color = columnColor(c.valueFont);
    return value;
}

ListPrintJob fromDesign(const Templates::ReportDesign &design, const QList<Templates::DictionaryItem> &offered)
{
    ListPrintJob job;
    const Templates::ReportSelect select = Templates::reportSelect(design, offered);
    job.selectList = select.selectList;
    job.columns = select.columns;
    job.landscape = design.orientation == Templates::Landscape;
    job.jobName = design.name;
    job.options.title1 = design.title1;
    job.options.title2 = design.title2;
    const QString group = design.groupItem().trimmed();
    if (!group.isEmpty()) {
        job.groupExpression = group;
        job.groupField = QString(group).remove(QLatin1Char('.')).toUpper();
        const QString selected = group + QStringLiteral(" as ") + job.groupField;
        if (!job.selectList.toUpper().contains(selected.toUpper()))
            job.selectList += (job.selectList.isEmpty() ? QString() : QStringLiteral(", ")) + selected;
    }
    return job;
}

ListPrintJob fromGrid(const QVector<ListColumn> &grid, const QString &selectList, const QString &title)
{
    ListPrintJob job;
    job.selectList = selectList;
    job.jobName = title;
    job.failureCaption = QStringLiteral("Tisk tabulky");
    job.options.title1 = title;
    int left = 0;
    for (const ListColumn &g : grid) {
        PrintColumn c;
        c.number = int(job.columns.size()) + 1;
        c.left = left + 2;
        c.width = g.width - 3;
        c.caption = g.caption.trimmed();
        c.fieldName = g.field;
        c.captionAlignment = c.valueAlignment = designAlignment(g.alignment);
        c.captionFont.bold = true;
        job.columns << c;
        left += g.width;
    }
    // a wide grid prints across the page
    job.landscape = left > 900;
    return job;
}

QString printOrder(const QString &orderBy, const QString &groupExpression)
{
    QString order = orderBy.trimmed();
    if (groupExpression.trimmed().isEmpty())
        return order;
    static const QRegularExpression orderKeyword(QStringLiteral("^ORDER\\s+BY\\s+"),
                                                 QRegularExpression::CaseInsensitiveOption);
    order.remove(orderKeyword);
    return QStringLiteral(" ORDER BY ") + groupExpression.trimmed()
           + (order.isEmpty() ? QString() : QStringLiteral(", ") + order);
}

QString listStatement(const TfClass &controller, const ListPrintJob &job, SqlParameters *parameters)
{
    const TfClass::ListSql sql = controller.buildListSql(controller.listFrom(), job.selectList,
                                                         controller.defaultWhere(),
                                                         printOrder(controller.orderBy(), job.groupExpression));
    if (parameters)
        *parameters = sql.parameters;
    return sql.select;
}

int render(const TDMPro *dm, const QString &sql, const SqlParameters &parameters, const ListPrintJob &job,
           Document &out)
{
    std::unique_ptr<TtObecTisk> form(job.landscape ? new TtObecTiskLez : new TtObecTisk);
    form->setup.jobName = job.jobName;
    QString error;
    QSqlQuery query = runSql(dm, sql, parameters, &error);
    if (!query.isActive()) {
        Prompt::warning(error, job.failureCaption);
        return -1;
    }
    SqlDataSource source(query);
    if (!form->Initialise(job.columns, &source, job.options.title1, job.options.title2))
        return -2;
    for (const PrintColumn &c : job.columns)
        form->AddColumn(c);
    form->setOptions(job.options);
    form->setGroup(job.groupField);
    out = form->render();
    return 0;
}

int renderList(const TfClass &controller, const ListPrintJob &job, Document &out)
{
    SqlParameters parameters;
    const QString sql = listStatement(controller, job, &parameters);
    return render(controller.dm(), sql, parameters, job, out);
}

} // namespace ListPrint
