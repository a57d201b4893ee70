#include "warehouse/skladprevodt.h"

#include "core/prompt.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "widgets/printpreview.h"

#include <QDate>
#include <QSqlQuery>

using namespace Print;

namespace {
const QString MoneyMask = QStringLiteral("## ##0.00 Kč");

Label *label(Band *band, const QString &name, const QRectF &at, const QString &text = QString(), bool bold = false,
             int alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *l = band->add<Label>(name, at);
    l->text = text;
    l->alignment = alignment;
    l->font = pageFont(QStringLiteral("Arial"), 8, bold);
    return l;
}

// The party blocks sit side by side: caption and five address lines each.
void partyBlock(Band *band, const QString &name, const QString &caption, qreal x, qreal width)
{
    label(band, QStringLiteral("l") + name, QRectF(x, 40, width, 13), caption, true);
    for (int i = 0; i < 5; ++i)
        label(band, QStringLiteral("l%1%2").arg(name).arg(i + 1), QRectF(x, 54 + i * 12, width, 12));
}
} // namespace

TfSkladPrevodT::TfSkladPrevodT()
{
    const qreal w = setup.bodyWidth();
    Band *head = addBand(Band::PageHead, QStringLiteral("pZahlavi"), 14);
    Label *page = label(head, QStringLiteral("lStrana"), QRectF(0, 0, w, 12), QString(), false, Qt::AlignRight | Qt::AlignVCenter);
    head->beforePrint = [this, page](Band &) { page->text = QStringLiteral("Strana: ") + QString::number(pageNumber()); };

    Band *title = addBand(Band::Title, QStringLiteral("pTitul"), 126);
    auto *t = label(title, QStringLiteral("lTitul"), QRectF(0, 0, w, 22), QStringLiteral(" Výdejka - příjemka "), true,
                    Qt::AlignHCenter | Qt::AlignVCenter);
    t->font = pageFont(QStringLiteral("Arial"), 14, true);
    label(title, QStringLiteral("lCislo"), QRectF(0, 22, w / 2, 13), QString(), true);
    label(title, QStringLiteral("lDatum"), QRectF(w / 2, 22, w / 2, 13), QString(), false, Qt::AlignRight | Qt::AlignVCenter);
    partyBlock(title, QStringLiteral("Vyd"), QStringLiteral("Vydávající"), 0, w / 2 - 10);
    partyBlock(title, QStringLiteral("Pri"), QStringLiteral("Přijímající"), w / 2 + 10, w / 2 - 10);

    Band *columns = addBand(Band::ColumnHead, QStringLiteral("pSloupce"), 16);
    struct Column { const char *caption; const char *field; qreal x, width; const char *mask; int align; };
    const Column cells[] = {{"Materiál", "POPIS", 0, 300, "", Qt::AlignLeft},
                            {"Počet", "MNOZ", 302, 60, "## ##0.00", Qt::AlignRight},
                            {"Jedn.", "JEDN", 366, 36, "", Qt::AlignLeft},
                            {"Cena/Jed.", "NAKCEN", 404, 90, "## ##0.00 Kč", Qt::AlignRight},
                            {"Celkem", "CENA", 496, 100, "## ##0.00 Kč", Qt::AlignRight}};
    Band *detail = addBand(Band::Detail, QStringLiteral("pRadek"), 13);
    detail->printWith = columns;
    for (const Column &c : cells) {
        label(columns, QStringLiteral("lH") + QLatin1String(c.field), QRectF(c.x, 0, c.width, 14), QString::fromUtf8(c.caption), true,
              c.align | Qt::AlignVCenter);
        auto *d = detail->add<DataLabel>(QStringLiteral("d") + QLatin1String(c.field), QRectF(c.x, 0, c.width, 13));
        d->field = QLatin1String(c.field);
        d->mask = QString::fromUtf8(c.mask);
        d->alignment = c.align | Qt::AlignVCenter;
    }
    label(columns, QStringLiteral("lHStav"), QRectF(606, 0, w - 606, 14), QStringLiteral("Stav mat."), true,
          Qt::AlignHCenter | Qt::AlignVCenter);
    Label *stav = label(detail, QStringLiteral("lStav"), QRectF(606, 0, w - 606, 13), QString(), false, Qt::AlignHCenter | Qt::AlignVCenter);
    detail->beforePrint = [this, stav](Band &) {
        stav->text = value(QStringLiteral("STAV")).toString() + QStringLiteral(" / ") + value(QStringLiteral("NOVSTAV")).toString();
    };
    auto *under = columns->add<Shape>(QStringLiteral("shPod"), QRectF(0, 15, w, 0));
    under->kind = Shape::HorizontalLine;

    Band *summary = addBand(Band::Summary, QStringLiteral("pSouhrn"), 110);
    auto *line = summary->add<Shape>(QStringLiteral("shNad"), QRectF(0, 2, w, 0));
    line->kind = Shape::HorizontalLine;
    label(summary, QStringLiteral("lCelkem"), QRectF(300, 4, w - 300, 13), QString(), true, Qt::AlignRight | Qt::AlignVCenter);
    label(summary, QStringLiteral("lLegenda"), QRectF(0, 22, w, 13), QStringLiteral("Legenda stavu materiálu:"), true);
    label(summary, QStringLiteral("lLegenda2"), QRectF(0, 35, w, 13),
          QStringLiteral("1 - Nový, 2 - Po opravě, 3 - Do opravy, 4 - Vyřazen"));
    label(summary, QStringLiteral("lVydal"), QRectF(0, 62, w / 2, 13), QStringLiteral("Vydal:"), true);
    label(summary, QStringLiteral("lPrijal"), QRectF(w / 2 + 10, 62, w / 2 - 10, 13), QStringLiteral("Přijal:"), true);
    label(summary, QStringLiteral("lPodpisVyd"), QRectF(0, 92, w / 2, 13), QStringLiteral("Podpis vydávajícího"));
    label(summary, QStringLiteral("lPodpisPri"), QRectF(w / 2 + 10, 92, w / 2 - 10, 13), QStringLiteral("Podpis přijímajícího"));
    addSum(QStringLiteral("CENA"));
    summary->beforePrint = [this](Band &b) {
        static_cast<Label *>(b.element(QStringLiteral("lCelkem")))->text =
            QStringLiteral("Celkem: ") + formatMasked(total(QStringLiteral("CENA")), MoneyMask);
    };
}

int TfSkladPrevodT::renderSlip(TDMPro *dm, int slip, Document &out, QString *error)
{
    QSqlQuery h = runSql(dm, QStringLiteral("SELECT CDT, DATUM, UNCVYD, UNCPRI FROM SKLADPREVODH WHERE UNCIS = :U"),
                         {{QStringLiteral("U"), slip}}, error);
    if (!h.next()) {
        if (error)
            *error = QStringLiteral("Tisková sestava") + (error->isEmpty() ? QString() : QStringLiteral("\n") + *error);
        return -1;
    }
    TfSkladPrevodT form;
    Band *title = form.band(QStringLiteral("pTitul"));
    auto text = [title](const QString &name) { return &static_cast<Label *>(title->element(name))->text; };
    *text(QStringLiteral("lCislo")) = QStringLiteral("č. ") + h.value(0).toString().trimmed();
    *text(QStringLiteral("lDatum")) = QStringLiteral("Datum: ") + h.value(1).toDate().toString(QStringLiteral("dd.MM.yyyy"));
    TAdresniTexty addresses(dm);
    const std::pair<const char *, int> parties[] = {{"Vyd", h.value(2).toInt()}, {"Pri", h.value(3).toInt()}};
    for (const auto &p : parties) {
        AdresniBlok block;
        if (p.second > 0)
            addresses.VyplnAdresu(p.second, block, QStringLiteral("Vyplnění záhlaví a zápatí"));
        for (int i = 0; i < 5; ++i)
            *text(QStringLiteral("l%1%2").arg(QLatin1String(p.first)).arg(i + 1)) = block.radky.value(i);
    }
    QSqlQuery rows = runSql(dm, QStringLiteral("SELECT POPIS, MNOZ, JEDN, NAKCEN, CENA, STAV, NOVSTAV FROM SKLADPREVODP "
                                               "WHERE UNCH = :U ORDER BY UNCIS"),
                            {{QStringLiteral("U"), slip}}, error);
    if (!rows.isActive())
        return -2;
    SqlDataSource source(rows);
    form.data = &source;
    out = form.render();
    return 0;
}

bool TfSkladPrevodT::writePdf(TDMPro *dm, int slip, const QString &file, QString *error)
{
    Document document;
    return renderSlip(dm, slip, document, error) == 0 && Print::writePdf(document, file, error);
}

void TfSkladPrevodT::preview(TDMPro *dm, int slip, QWidget *parent)
{
    Document document;
    QString error;
    if (renderSlip(dm, slip, document, &error) < 0) {
        Prompt::warning(error, QStringLiteral("Tisková sestava"));
        return;
    }
    PrintPreview::open(std::move(document), parent);
}
