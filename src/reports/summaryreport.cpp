#include "reports/summaryreport.h"

#include <QDate>
#include <string_view>
#include <utility>

using namespace Print;

namespace {
const QString GroupTotalText = QStringLiteral("Celkem za skupinu");
const QString ReportTotalText = QStringLiteral("Celkem za sestavu");
} // namespace

SummaryReport::SummaryReport(const QString &reportName, const QVector<SummaryColumn> &columns,
                             const QString &groupField, const QString &groupTextField, bool landscape)
    : TtObecTisk(landscape)
    , m_columns(columns)
    , m_groupField(groupField)
    , m_groupTextField(groupTextField)
{
    setup.jobName = reportName;
    const qreal w = setup.bodyWidth();
    auto *name = band(QStringLiteral("pHla"))->add<Label>(QStringLiteral("lSestava"), QRectF(w - 220, 22, 220, 16));
    name->text = reportName;
    name->alignment = Qt::AlignRight | Qt::AlignVCenter;
    name->font = pageFont(QStringLiteral("Arial"), 9, true);
}

void SummaryReport::setData(DataSource *source, const ListPrintOptions &options)
{
    QList<Templates::PrintColumn> printColumns;
    int left = 0;
    for (const SummaryColumn &s : m_columns) {
        Templates::PrintColumn c;
        c.number = int(printColumns.size()) + 1;
        c.left = left + 2;
        c.width = s.width - 3;
        c.caption = s.caption;
        c.fieldName = s.field;
        c.captionAlignment = c.valueAlignment = s.number ? Templates::AlignRight : Templates::AlignLeft;
        c.captionFont.bold = true;
        c.sum = !s.sumMask.isEmpty();
        printColumns << c;
        left += s.width;
    }
    if (!Initialise(printColumns, source, options.title1, options.title2))
        return;
    for (const Templates::PrintColumn &c : printColumns)
        AddColumn(c);
    setOptions(options);
    setGroup(m_groupField);
    Band *groupHead = band(QStringLiteral("GSPSkupH1"));
    static_cast<DataLabel *>(groupHead->element(QStringLiteral("lSkupina")))->field = m_groupTextField;

    // the masks of the values and sums, and the totals' captions before the first sum
    qreal firstSum = setup.bodyWidth();
    for (int k = 0; k < m_columns.size(); ++k) {
        const QString id = QStringLiteral("col%1").arg(k + 1);
        if (auto *value = dynamic_cast<DataLabel *>(band(QStringLiteral("pDet"))->element(id)))
            value->mask = m_columns.at(k).mask;
        for (const char *sumBand : {"pSum", "GSPSkupP1"})
            if (auto *sum = dynamic_cast<SumLabel *>(band(QLatin1String(sumBand))->element(id))) {
                sum->mask = m_columns.at(k).sumMask;
                firstSum = qMin(firstSum, sum->geometry.left());
            }
    }
    const qreal captionWidth = qMax<qreal>(firstSum - 8, 100);
    for (const auto &[bandName, text] : {std::pair{"pSum", ReportTotalText}, std::pair{"GSPSkupP1", GroupTotalText}}) {
        Band *b = band(QLatin1String(bandName));
        auto *caption = b->add<Label>(QStringLiteral("lCelkem"), QRectF(4, 5, captionWidth, 15));
        caption->text = text;
        caption->font = pageFont(QStringLiteral("Arial"), 8, true);
        b->visible = bandName == std::string_view("pSum") || !m_groupField.isEmpty();
    }
}

namespace SummaryPrint {

QString periodText(const QDate &from, const QDate &to)
{
    return from.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral(" - ") + to.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate fieldDate(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
}

} // namespace SummaryPrint
