#include "commerce/dodakt.h"
#include "commerce/dodakc.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "widgets/printpreview.h"

#include <QSqlQuery>

using namespace Print;

namespace {
const QString MoneyMask = QStringLiteral("## ##0.00 Kč");

Label *label(Band *band, const QString &name, const QRectF &at, int alignment = Qt::AlignLeft | Qt::AlignVCenter,
             bool bold = false)
{
    auto *l = band->add<Label>(name, at);
    l->alignment = alignment;
    if (bold)
        l->font = pageFont(QStringLiteral("Arial"), 8, true);
    return l;
}
} // namespace

QVector<int> TfDodakT::defaultSections()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
}

TfDodakT::TfDodakT()
{
    const qreal w = setup.bodyWidth();
    Band *title = addBand(Band::Title, QStringLiteral("pTitul"), 58);
    label(title, QStringLiteral("lTitul2"), QRectF(0, 0, w, 14), Qt::AlignHCenter | Qt::AlignVCenter)->text =
        QStringLiteral("vystavený na základě provedených prací");
    label(title, QStringLiteral("lTitul3"), QRectF(0, 14, w, 14), Qt::AlignHCenter | Qt::AlignVCenter)->text =
        QStringLiteral("a dodaného materiálu");
    label(title, QStringLiteral("lObjednatel"), QRectF(0, 30, w / 2, 12));
    label(title, QStringLiteral("lVystaveno"), QRectF(w / 2, 30, w / 2, 12), Qt::AlignRight | Qt::AlignVCenter);
    title->add<RichText>(QStringLiteral("reZahlavi"), QRectF(0, 44, w, 12));

    Band *columns = addBand(Band::ColumnHead, QStringLiteral("pSloupce"), 16);
    const QVector<QPair<QString, QRectF>> heads = {
        {QStringLiteral("Kód"), QRectF(0, 0, 60, 14)},           {QStringLiteral("Popis"), QRectF(62, 0, 250, 14)},
        {QStringLiteral("Množství"), QRectF(314, 0, 60, 14)},   {QStringLiteral("Jedn."), QRectF(378, 0, 30, 14)},
        {QStringLiteral("Cena"), QRectF(410, 0, 80, 14)},       {QStringLiteral("Celkem"), QRectF(492, 0, 100, 14)},
        {QStringLiteral("DPH"), QRectF(594, 0, w - 594, 14)}};
    for (const auto &h : heads)
        label(columns, QStringLiteral("lH") + h.first, h.second, Qt::AlignLeft | Qt::AlignVCenter, true)->text = h.first;
    auto *under = columns->add<Shape>(QStringLiteral("shPod"), QRectF(0, 15, w, 0));
    under->kind = Shape::HorizontalLine;

    Band *group = addBand(Band::GroupHead, QStringLiteral("pSekce"), 16);
    group->groupField = QStringLiteral("CSEKCE");
    Label *sectionName = label(group, QStringLiteral("lSekce"), QRectF(0, 2, w, 14), Qt::AlignLeft | Qt::AlignVCenter, true);
    group->beforePrint = [this, sectionName](Band &) {
        const int s = value(QStringLiteral("CSEKCE")).toInt();
        sectionName->text = QString::number(s) + QStringLiteral(" - ") + m_sectionNames.value(s);
    };
    Band *detail = addBand(Band::Detail, QStringLiteral("pRadek"), 13);
    detail->printWith = columns;
    const QVector<std::tuple<QString, QRectF, QString, int>> cells = {
        {QStringLiteral("KODC"), QRectF(0, 0, 60, 13), QString(), Qt::AlignLeft},
        {QStringLiteral("POPIS"), QRectF(62, 0, 250, 13), QString(), Qt::AlignLeft},
        {QStringLiteral("MNOZ"), QRectF(314, 0, 60, 13), QStringLiteral("## ##0.00"), Qt::AlignRight},
        {QStringLiteral("JEDN"), QRectF(378, 0, 30, 13), QString(), Qt::AlignLeft},
        {QStringLiteral("CENA"), QRectF(410, 0, 80, 13), MoneyMask, Qt::AlignRight},
        {QStringLiteral("CELKEM"), QRectF(492, 0, 100, 13), MoneyMask, Qt::AlignRight}};
    for (const auto &[field, at, mask, align] : cells) {
        auto *d = detail->add<DataLabel>(QStringLiteral("d") + field, at);
        d->field = field;
        d->mask = mask;
        d->alignment = align | Qt::AlignVCenter;
    }
    // a line of a class without VAT prints 0 %, whatever rate it holds
    Label *rate = label(detail, QStringLiteral("lSazba"), QRectF(594, 0, w - 594, 13), Qt::AlignRight | Qt::AlignVCenter);
    detail->beforePrint = [this, rate](Band &) {
        const bool vat = DeliveryNote::bearsVat(value(QStringLiteral("DAN")).toString());
        rate->text = QString::number(vat ? qRound(value(QStringLiteral("SAZBADPH")).toDouble()) : 0) + QStringLiteral(" %");
    };
    addBand(Band::Summary, QStringLiteral("pSouhrn"), 10);
}

int TfDodakT::renderNote(TDMPro *dm, int note, Document &out, QString *error, const QVector<int> &sections)
{
    QSqlQuery h = runSql(dm, QStringLiteral("SELECT UNCFIR, CISDOD, DATVYST, SLEVA, ZAHLAVI, ZAPATI FROM DODAKH WHERE UNCIS = :U"),
                         {{QStringLiteral("U"), note}}, error);
    if (!h.next()) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Dodací list nebyl nalezen.");
        return -1;
    }
    const double discount = h.value(3).toDouble();
    TfDodakT form;
    QSqlQuery names = runSql(dm, QStringLiteral("SELECT CSEKCE, POPIS FROM NAZSEKCE"));
    while (names.next())
        form.m_sectionNames.insert(names.value(0).toInt(), names.value(1).toString().trimmed());
    form.setPerformer(Performer::fromParameters());
    TAdresniTexty addresses(dm);
    AdresniBlok customer;
    if (h.value(0).toInt() > 0)
        addresses.VyplnAdresu(h.value(0).toInt(), customer, QStringLiteral("Sestavení dodacího listu"));
    form.setCustomer(QStringLiteral("Příjemce:"), {customer.radky, customer.ico, customer.dic});
    form.setTitle(QStringLiteral("Dodací - kalkulační list"), h.value(1).toString().trimmed());
    Band *title = form.band(QStringLiteral("pTitul"));
    static_cast<Label *>(title->element(QStringLiteral("lObjednatel")))->text =
        QStringLiteral("Objednatel: ") + customer.radky.value(0);
    static_cast<Label *>(title->element(QStringLiteral("lVystaveno")))->text =
        QStringLiteral("Vystaveno dne: ") + h.value(2).toDate().toString(QStringLiteral("dd.MM.yyyy"));
    static_cast<RichText *>(title->element(QStringLiteral("reZahlavi")))->text = Rtf::fieldText(h.value(4));

    const DeliveryNote::Totals t = DeliveryNote::computeTotals(dm, {note}, discount, sections, error);
    if (t.result < 0)
        return -2;
    const TTabDPH &v = t.tab;
    struct Line { QString caption, a, b, c; bool bold = false; };
    QVector<Line> lines;
    if (discount != 0 || v[TTabDPH::SlevaKc] != 0)
        lines.append({QStringLiteral("Poskytnutá sleva"), formatMasked(discount, QStringLiteral("##0.00")) + QStringLiteral(" %"),
                      formatMasked(v[TTabDPH::SlevaKc], MoneyMask), QString()});
    if (v[TTabDPH::Zaokr] != 0)
        lines.append({QStringLiteral("Haléřové dorovnání"), QString(), formatMasked(v[TTabDPH::Zaokr], MoneyMask), QString()});
    lines.append({QStringLiteral("Sazba"), QStringLiteral("Základ"), QStringLiteral("DPH"), QStringLiteral("Celkem"), true});
    lines.append({QStringLiteral("Základní sazba %1 %").arg(t.rateZ), formatMasked(v[TTabDPH::ZakZ], MoneyMask),
                  formatMasked(v[TTabDPH::DanZ], MoneyMask), formatMasked(v[TTabDPH::ZakZ] + v[TTabDPH::DanZ], MoneyMask)});
    lines.append({QStringLiteral("Snížená sazba %1 %").arg(t.rateS), formatMasked(v[TTabDPH::ZakS], MoneyMask),
                  formatMasked(v[TTabDPH::DanS], MoneyMask), formatMasked(v[TTabDPH::ZakS] + v[TTabDPH::DanS], MoneyMask)});
    lines.append({QStringLiteral("Bez daně"), formatMasked(v[TTabDPH::ZakB] + v[TTabDPH::Zaokr], MoneyMask), QString(),
                  formatMasked(v[TTabDPH::ZakB] + v[TTabDPH::Zaokr], MoneyMask)});
    lines.append({QStringLiteral("Celkem"), formatMasked(v[TTabDPH::ZakCelkem] + v[TTabDPH::Zaokr], MoneyMask),
                  formatMasked(v[TTabDPH::DanCelkem], MoneyMask), QString()});
    lines.append({QStringLiteral("Celkem k úhradě"), QString(), QString(),
                  formatMasked(v[TTabDPH::Castka], QStringLiteral("### ##0.00 Kč")), true});

    Band *summary = form.band(QStringLiteral("pSouhrn"));
    const qreal w = form.setup.bodyWidth();
    qreal y = 8;
    for (const Line &l : lines) {
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        label(summary, QString(), QRectF(w - 470, y, 170, 13), Qt::AlignLeft | Qt::AlignVCenter, l.bold)->text = l.caption;
        label(summary, QString(), QRectF(w - 300, y, 100, 13), right, l.bold)->text = l.a;
        label(summary, QString(), QRectF(w - 200, y, 100, 13), right, l.bold)->text = l.b;
        label(summary, QString(), QRectF(w - 100, y, 100, 13), right, l.bold)->text = l.c;
        y += 14;
    }
    summary->add<RichText>(QStringLiteral("reZapati"), QRectF(0, y + 6, w, 12))->text = Rtf::fieldText(h.value(5));
    summary->height = y + 20;

    QStringList chosen;
    for (int s : sections)
        if (s >= 1 && s <= DeliveryNote::LastPrintedSection)
            chosen << QString::number(s);
    QSqlQuery rows = runSql(dm,
                            QStringLiteral("SELECT DOD.CSEKCE, DOD.POPIS, DOD.MNOZ, DOD.JEDN, DOD.CENA,  DOD.DAN, DOD.SAZBADPH, "
                                           "DOD.CELKEM, CEN.KOD AS KODC  FROM DODAK DOD  LEFT OUTER JOIN CENIK CEN ON(DOD.UnCCen = "
                                           "CEN.UnCis)  WHERE DOD.CSekce < 12 AND DOD.MNOZ > 0 AND DOD.UNCH IN (")
                                + QString::number(note) + QStringLiteral(")  AND DOD.CSEKCE IN (")
                                + (chosen.isEmpty() ? QStringLiteral("NULL") : chosen.join(QLatin1Char(',')))
                                + QStringLiteral(") ORDER BY DOD.csekce, DOD.popis "),
                            {}, error);
    if (!rows.isActive())
        return -3;
    SqlDataSource source(rows);
    form.data = &source;
    out = form.render();
    return 0;
}

bool TfDodakT::writePdf(TDMPro *dm, int note, const QString &file, QString *error)
{
    Document document;
    return renderNote(dm, note, document, error) == 0 && Print::writePdf(document, file, error);
}

void TfDodakT::preview(TDMPro *dm, int note, QWidget *parent)
{
    Document document;
    QString error;
    if (renderNote(dm, note, document, &error) < 0) {
        Prompt::warning(QStringLiteral("Sestavení dodacího listu\n") + error, TfDodakC::Caption);
        return;
    }
    PrintPreview::open(std::move(document), parent);
}
