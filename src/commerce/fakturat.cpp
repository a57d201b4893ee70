#include "commerce/fakturat.h"
#include "commerce/fakturac.h"
#include "core/money.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "widgets/printpreview.h"

#include <QSqlQuery>

using namespace Print;

namespace {
const QString HeaderSql = QStringLiteral("SELECT FAK.*, FAK.UnCPri as UnCFir FROM FAKTURY FAK  WHERE UnCis = :UnCis");
const QString LinesSql =
    QStringLiteral("SELECT POLOZKA, JEDCEN, MNOZ, JEDN, DPHN, CENCELK FROM FAK_POL WHERE UNCH = :UnCis ORDER BY UNCIS");
const QString OneLineSql = QStringLiteral("SELECT POPIS as POLOZKA, CELKEM as CENCELK, ' ' as Jedcen,  ' ' as Mnoz, "
                                          "' ' as Jedn, ' ' as DPHN  FROM FAKTURY WHERE UnCis = :UnCis");
const int Right = Qt::AlignRight | Qt::AlignVCenter;
const int Left = Qt::AlignLeft | Qt::AlignVCenter;

Label *label(Band *band, const QString &name, const QRectF &at, int alignment = Left, bool bold = false)
{
    auto *l = band->add<Label>(name, at);
    l->alignment = alignment;
    if (bold)
        l->font = pageFont(QStringLiteral("Arial"), 8, true);
    return l;
}

// The one-line receipt's row carries blanks where the lines have numbers.
QString cellText(const QVariant &v, const std::function<QString(double)> &number)
{
    if (v.isNull())
        return QString();
    if (v.metaType().id() == QMetaType::QString)
        return v.toString().trimmed();
    return number(v.toDouble());
}

// The variable symbol is the invoice number's digits.
QString variableSymbol(const QString &number)
{
    QString digits;
    for (QChar c : number)
        if (c.isDigit())
            digits += c;
    return digits;
}

AddressLines addressOf(TAdresniTexty &addresses, int key, const QString &caption)
{
    AdresniBlok block;
    if (key > 0)
        addresses.VyplnAdresu(key, block, caption);
    return {block.radky, block.ico, block.dic};
}

void showPreview(const std::function<int(Document &, QString *)> &render, QWidget *parent)
{
    Document document;
    QString error;
    if (render(document, &error) < 0) {
        Prompt::warning(QStringLiteral("Vyplnění záhlaví a zápatí\n") + error, QStringLiteral("Tisková sestava"));
        return;
    }
    PrintPreview::open(std::move(document), parent);
}
} // namespace

TfFakturaT::TfFakturaT()
    : TfVzorT(2)
{
    const qreal w = setup.bodyWidth();
    Band *info = addBand(Band::Title, QStringLiteral("pUdaje"), 92);
    const char *leftCaptions[] = {"Datum vystavení", "Datum uskutečnění zdanitelného plnění", "Den splatnosti",
                                  "Variabilní symbol", "Konstantní symbol"};
    const char *rightCaptions[] = {"Objednávka", "Způsob úhrady", "Platební podmínky", "Účet"};
    qreal y = 4;
    for (const char *c : leftCaptions) {
        label(info, QString(), QRectF(0, y, 200, 13))->text = QString::fromUtf8(c);
        label(info, QStringLiteral("l") + QString::fromUtf8(c), QRectF(202, y, 110, 13), Left, true);
        y += 14;
    }
    y = 4;
    for (const char *c : rightCaptions) {
        label(info, QString(), QRectF(w / 2 + 10, y, 110, 13))->text = QString::fromUtf8(c);
        label(info, QStringLiteral("l") + QString::fromUtf8(c), QRectF(w / 2 + 122, y, w / 2 - 122, 13), Left, true);
        y += 14;
    }
    info->add<RichText>(QStringLiteral("reZahlavi"), QRectF(0, 78, w, 12));

    Band *columns = addBand(Band::ColumnHead, QStringLiteral("pSloupce"), 16);
    struct Column { const char *field; const char *caption; qreal x, width; int alignment; };
    const Column cells[] = {{"POLOZKA", "Položka", 0, 300, Left},  {"JEDCEN", "Jedn. cena", 302, 80, Right},
                            {"MNOZ", "Množ.", 384, 60, Right},      {"JEDN", "Jedn.", 448, 40, Left},
                            {"DPHN", "DPH", 490, 50, Right},        {"CENCELK", "Celkem", 542, w - 542, Right}};
    for (const Column &c : cells)
        label(columns, QString(), QRectF(c.x, 0, c.width, 14), c.alignment, true)->text = QString::fromUtf8(c.caption);
    columns->add<Shape>(QStringLiteral("shPod"), QRectF(0, 15, w, 0))->kind = Shape::HorizontalLine;

    Band *detail = addBand(Band::Detail, QStringLiteral("pRadek"), 13);
    detail->printWith = columns;
    QVector<std::pair<QString, Label *>> shown;
    for (const Column &c : cells)
        shown.append({QLatin1String(c.field),
                      label(detail, QStringLiteral("d") + QLatin1String(c.field), QRectF(c.x, 0, c.width, 13), c.alignment)});
    detail->beforePrint = [this, shown](Band &) {
        for (const auto &[field, target] : shown) {
            const QVariant v = value(field);
            if (field == QLatin1String("POLOZKA") || field == QLatin1String("JEDN"))
                target->text = v.toString().trimmed();
            else if (field == QLatin1String("MNOZ"))
                target->text = cellText(v, [](double d) { return formatMasked(d, QStringLiteral("## ##0.00")); });
            else if (field == QLatin1String("DPHN"))
                target->text = cellText(v, [](double d) { return QString::number(qRound(d)) + QStringLiteral(" %"); });
            else
                target->text = cellText(v, formatMoney);
        }
    };
    addBand(Band::Summary, QStringLiteral("pSouhrn"), 10);
}

int TfFakturaT::build(TDMPro *dm, int invoice, const QString &linesSql, Document &out, QString *error)
{
    const SqlParameters key = {{QStringLiteral("UnCis"), invoice}};
    QSqlQuery h = runSql(dm, HeaderSql, key, error);
    if (!h.next()) {
        if (error && error->isEmpty())
            *error = QStringLiteral("Faktura nebyla nalezena.");
        return -1;
    }
    auto text = [&h](const char *field) { return h.value(QLatin1String(field)).toString().trimmed(); };
    auto number = [&h](const char *field) { return h.value(QLatin1String(field)).toDouble(); };
    auto date = [&h](const char *field) { return h.value(QLatin1String(field)).toDate().toString(QStringLiteral("dd.MM.yyyy")); };

    setPerformer(Performer::fromParameters());
    TAdresniTexty addresses(dm);
    setCustomer(QStringLiteral("Odběratel"), addressOf(addresses, h.value(QStringLiteral("UNCODB")).toInt(), QStringLiteral("Adresa odběratele")), 1);
    setCustomer(QStringLiteral("Příjemce"), addressOf(addresses, h.value(QStringLiteral("UNCFIR")).toInt(), QStringLiteral("Adresa příjemce")), 2);
    const QString kind = text("TYPFAK");
    if (m_receipt) {
        const bool cash = kind.isEmpty() || kind == QLatin1String("F") || kind == QLatin1String("P");
        setTitle(Invoice::receiptTitle(kind), cash && !text("DOKUHRADY").isEmpty() ? text("DOKUHRADY") : text("CISFAK"));
    } else {
        setTitle(QStringLiteral("FAKTURA "), text("CISFAK"));
    }

    Band *info = band(QStringLiteral("pUdaje"));
    const std::pair<const char *, QString> values[] = {
        {"Datum vystavení", date("DATVYS")},      {"Datum uskutečnění zdanitelného plnění", date("DATDPH")},
        {"Den splatnosti", date("DATSPL")},        {"Variabilní symbol", variableSymbol(text("CISFAK"))},
        {"Konstantní symbol", text("KS")},         {"Objednávka", text("OBJEDNAVKA")},
        {"Způsob úhrady", text("ZPUSUH")},         {"Platební podmínky", text("PLATPOD")},
        {"Účet", Parameters::instance().bankAccount}};
    for (const auto &[caption, shownValue] : values)
        static_cast<Label *>(info->element(QStringLiteral("l") + QString::fromUtf8(caption)))->text = shownValue;
    static_cast<RichText *>(info->element(QStringLiteral("reZahlavi")))->text = Rtf::fieldText(h.value(QStringLiteral("HLAVTXT")));

    const double cenz = number("CENZ"), danz = number("DANZ"), cens = number("CENS"), dans = number("DANS");
    const double cen0 = number("CEN0"), haldor = number("HALDOR");
    const double grand = Invoice::grandTotal(cenz, danz, cens, dans, cen0, haldor);
    struct Row { QString caption, base, vat, total; bool bold = false; };
    const QVector<Row> rows = {
        {QString(), QStringLiteral("Základ"), QStringLiteral("Daň"), QStringLiteral("Celkem"), true},
        {QStringLiteral("Základní %1 %").arg(qRound(number("DPHZ"))), formatMoney(cenz), formatMoney(danz), formatMoney(cenz + danz)},
        {QStringLiteral("Snížená %1 %").arg(qRound(number("DPHS"))), formatMoney(cens), formatMoney(dans), formatMoney(cens + dans)},
        {QStringLiteral("Bez daně"), formatMoney(cen0 + haldor), QString(), formatMoney(cen0 + haldor)},
        {QStringLiteral("Haléřové dorovnání"), formatMoney(haldor), QString(), QString()},
        {QStringLiteral("Poskytnutá sleva"), formatMasked(number("SLEVA"), QStringLiteral("##0.00")) + QStringLiteral(" %"),
         formatMoney(number("CELSLEVA")), QString()},
        {QStringLiteral("Celkem k úhradě"), QString(), QString(), formatMoney(grand) + QStringLiteral(" Kč"), true}};
    Band *summary = band(QStringLiteral("pSouhrn"));
    const qreal w = setup.bodyWidth();
    qreal y = 8;
    for (const Row &r : rows) {
        label(summary, QString(), QRectF(w - 470, y, 170, 13), Left, r.bold)->text = r.caption;
        label(summary, QString(), QRectF(w - 300, y, 100, 13), Right, r.bold)->text = r.base;
        label(summary, QString(), QRectF(w - 200, y, 100, 13), Right, r.bold)->text = r.vat;
        label(summary, QString(), QRectF(w - 100, y, 100, 13), Right, r.bold)->text = r.total;
        y += 14;
    }
    if (m_receipt) {
        label(summary, QStringLiteral("lSlovy"), QRectF(0, y + 4, w, 13))->text =
            QStringLiteral("Slovy: ") + Invoice::amountInWords(grand);
        y += 18;
    }
    summary->add<RichText>(QStringLiteral("reZapati"), QRectF(0, y + 6, w, 12))->text = Rtf::fieldText(h.value(QStringLiteral("PATTXT")));
    summary->height = y + 20;

    QSqlQuery lines = runSql(dm, linesSql, key, error);
    if (!lines.isActive())
        return -3;
    SqlDataSource source(lines);
    data = &source;
    out = render();
    return 0;
}

int TfFakturaT::renderInvoice(TDMPro *dm, int invoice, Document &out, QString *error)
{
    TfFakturaT form;
    return form.build(dm, invoice, LinesSql, out, error);
}

bool TfFakturaT::writePdf(TDMPro *dm, int invoice, const QString &file, QString *error)
{
    Document document;
    return renderInvoice(dm, invoice, document, error) == 0 && Print::writePdf(document, file, error);
}

void TfFakturaT::preview(TDMPro *dm, int invoice, QWidget *parent)
{
    showPreview([&](Document &d, QString *e) { return renderInvoice(dm, invoice, d, e); }, parent);
}

TfFakturaTDoklad::TfFakturaTDoklad()
{
    m_receipt = true;
}

int TfFakturaTDoklad::renderReceipt(TDMPro *dm, int invoice, bool itemised, Document &out, QString *error)
{
    TfFakturaTDoklad form;
    return form.build(dm, invoice, itemised ? LinesSql : OneLineSql, out, error);
}

bool TfFakturaTDoklad::writePdf(TDMPro *dm, int invoice, bool itemised, const QString &file, QString *error)
{
    Document document;
    return renderReceipt(dm, invoice, itemised, document, error) == 0 && Print::writePdf(document, file, error);
}

void TfFakturaTDoklad::preview(TDMPro *dm, int invoice, bool itemised, QWidget *parent)
{
    showPreview([&](Document &d, QString *e) { return renderReceipt(dm, invoice, itemised, d, e); }, parent);
}
