#include "reports/vzordokt.h"

#include "core/parameters.h"
#include "core/sqlrun.h"
#include "reports/obectisk.h"

using namespace Print;

namespace {

const QStringList HydrantColumns = {
    QStringLiteral("OM"), QStringLiteral("PRI"), QStringLiteral("VI"), QStringLiteral("NP"),
    QStringLiteral("ST"), QStringLiteral("OP"), QStringLiteral("HO"), QStringLiteral("UP"),
    QStringLiteral("PV"), QStringLiteral("TL"), QStringLiteral("HA"), QStringLiteral("US"),
    QStringLiteral("BU"), QStringLiteral("VR"), QStringLiteral("NA"), QStringLiteral("SK"),
    QStringLiteral("PR"), QStringLiteral("HV"), QStringLiteral("VIC"), QStringLiteral("PS")};

Label *blockLabel(Band *band, const QString &name, const QRectF &geometry, const QFont &font)
{
    auto *l = band->add<Label>(name, geometry);
    l->font = font;
    l->wordWrap = true;
    l->alignment = Qt::AlignLeft | Qt::AlignTop;
    return l;
}

Label *labelOf(Report &report, const char *band, const char *element)
{
    return static_cast<Label *>(report.band(QLatin1String(band))->element(QLatin1String(element)));
}

// The performer block and the customer blocks of a header band, side by side.
void addAddressBlocks(Band *band, qreal width, int blocks)
{
    const QFont bold = pageFont(QStringLiteral("Arial"), 8, true);
    const QFont normal = pageFont(QStringLiteral("Arial"), 8);
    const qreal w = (width - 10 * (blocks - 1)) / blocks;
    for (int i = 0; i < blocks; ++i) {
        const qreal x = i * (w + 10);
        blockLabel(band, QStringLiteral("lNadpis%1").arg(i + 1), QRectF(x, 2, w, 14), bold);
        blockLabel(band, QStringLiteral("lBlok%1").arg(i + 1), QRectF(x, 17, w, band->height - 19), normal);
        band->add<Shape>(QStringLiteral("shBlok%1").arg(i + 1), QRectF(x - 2, 0, w + 4, band->height - 2));
    }
}

void setBlock(Report &report, const char *band, int block, const QString &caption, const QStringList &lines)
{
    Band *b = report.band(QLatin1String(band));
    static_cast<Label *>(b->element(QStringLiteral("lNadpis%1").arg(block)))->text = caption;
    QStringList shown;
    for (const QString &l : lines)
        if (!l.trimmed().isEmpty())
            shown << l.trimmed();
    static_cast<Label *>(b->element(QStringLiteral("lBlok%1").arg(block)))->text = shown.join(QLatin1Char('\n'));
}

void setRichBand(Report &report, const char *band, const QString &text)
{
    Band *b = report.band(QLatin1String(band));
    static_cast<RichText *>(b->elements.front().get())->text = text;
    b->visible = !text.trimmed().isEmpty();
}

} // namespace

// --- values ----------------------------------------------------------------------------

Performer Performer::fromParameters()
{
    const Parameters &p = Parameters::instance();
    Performer f;
    f.name = p.firmName;
    QStringList address;
    for (const QString &line : {p.firmAddress1, p.firmAddress2})
        if (!line.trimmed().isEmpty())
            address << line.trimmed();
    f.address = address.join(QStringLiteral(", "));
    f.premises1 = p.addressLine1.trimmed();
    f.premises2 = p.addressLine2.trimmed();
    f.registration = p.registration;
    f.ico = p.companyId;
    f.dic = p.taxId;
    f.phone = p.telephone;
    return f;
}

QStringList Performer::lines() const
{
    QStringList out{name, address};
    if (!premises1.isEmpty() || !premises2.isEmpty())
        out << QStringLiteral("Provozovna: ") + (premises1 + QLatin1Char(' ') + premises2).trimmed();
    if (!registration.isEmpty())
        out << QStringLiteral("Registrováno : ") + registration;
    if (!ico.isEmpty() || !dic.isEmpty())
        out << (QStringLiteral("IČO : ") + ico + QStringLiteral("   DIČ : ") + dic);
    if (!phone.isEmpty())
        out << QStringLiteral("Tel.: ") + phone;
    return out;
}

QStringList AddressLines::printed() const
{
    QStringList out = lines.mid(0, 5);
    if (!ico.isEmpty() || !dic.isEmpty())
        out << (QStringLiteral("IČO: ") + ico + QStringLiteral("   DIČ: ") + dic);
    return out;
}

QString nextInspectionNotice(const QDate &date, int months)
{
    const int p = months > 0 ? months : 12;
    const int shifted = date.month() + p - 1;
    const int year = date.year() + shifted / 12;
    const int month = shifted % 12 + 1;
    return QStringLiteral("Upozornění! V souladu s příslušnými předpisy je nutno provést následnou kontrolu nejpozději do ")
           + QString::number(date.day()) + QLatin1Char('.') + QString::number(month) + QLatin1Char('.')
           + QString::number(year) + QStringLiteral(" včetně ");
}

QString hydrantEvaluation(const std::function<QString(const QString &)> &codes)
{
    QString failed;
    QString repaired;
    for (const QString &column : HydrantColumns) {
        const QString code = codes(column).trimmed().toUpper();
        if (code != QLatin1String("N") && code != QLatin1String("O"))
            continue;
        QString abbreviation = column;
        if (column == QLatin1String("PRI"))
            abbreviation = QStringLiteral("PM");
        else if (column == QLatin1String("HO"))
            abbreviation = QStringLiteral("TO");
        else if (column == QLatin1String("VIC"))
            abbreviation = QStringLiteral("VČ");
        (code == QLatin1String("N") ? failed : repaired) += abbreviation + QLatin1Char(',');
    }
    return QStringLiteral("Nefunkční, Chybí : ") + failed + QStringLiteral("  ") + QStringLiteral("Opraveno, Vyměněno : ")
           + repaired;
}

QStringList hydrantFindings(const std::function<QString(const QString &)> &value)
{
    // Per column: its label, and for each code the verdict and, where it differs, the
    // label that code prints with.
    struct Verdict
    {
        QString code, text, label;
    };
    struct Finding
    {
        QString column, label;
        QVector<Verdict> verdicts;
    };
    const QString ok = QStringLiteral("V Y H O V U J Í C Í"), bad = QStringLiteral("N E V Y H O V U J Í C Í");
    const QString cannot = QStringLiteral("N E L Z E   Z K O N T R O L O V A T");
    const auto protection = [&](const char *column, const QString &label, const QString &labelK, const QString &space,
                                const QString &repaired, const QString &cannotText) {
        return Finding{QLatin1String(column), label,
                       {{QStringLiteral("A"), ok + space, {}},
                        {QStringLiteral("N"), bad + space, {}},
                        {QStringLiteral("O"), repaired, {}},
                        {QStringLiteral("K"), cannotText, labelK}}};
    };
    const QString afterRepair = QStringLiteral("po opravě  V Y H O V U J Í C Í");
    const QVector<Finding> findings = {
        {QStringLiteral("TECDOK"), QStringLiteral("Technická dokumentace zásobování požární vodou"),
         {{QStringLiteral("A"), QStringLiteral("B Y L A   předložena"), {}},
          {QStringLiteral("N"), QStringLiteral("N E B Y L A   předložena"), {}}}},
        {QStringLiteral("TLAKZKSV"), QStringLiteral("Doklad o tlakové zkoušce požárního potrubí"),
         {{QStringLiteral("A"), QStringLiteral("B Y L  předložen "), {}},
          {QStringLiteral("N"), QStringLiteral("N E B Y L  předložen"), {}}}},
        {QStringLiteral("ZDROJVOD"), QStringLiteral("Zdroj vody: "), {}},
        {QStringLiteral("PRIVPOT"), QStringLiteral("Přívodní potrubí:"), {}},
        {QStringLiteral("PRIVPOTZAV"), QString(),
         {{QStringLiteral("T"), QStringLiteral("Trvale zavodněné"), {}},
          {QStringLiteral("V"), QStringLiteral("Nezavodněné"), {}}}},
        {QStringLiteral("PRIVPOTSTA"), QString(),
         {{QStringLiteral("V"), ok, {}},
          {QStringLiteral("N"), bad, {}},
          {QStringLiteral("O"), QStringLiteral("Opraveno - V Y H O V U J Í C Í"), {}},
          {QStringLiteral("K"), cannot, {}}}},
        {QStringLiteral("OZNMIS"), QStringLiteral("Druh rozvodu:"),
         {{QStringLiteral("V"), QStringLiteral("V ě t v o v ý"), {}},
          {QStringLiteral("O"), QStringLiteral("O k r u h o v ý"), {}},
          {QStringLiteral("K"), QStringLiteral("K o m b i n o v a n ý"), {}}}},
        protection("VYTARM", QStringLiteral("Výtokové armatury a uzávěry jsou:"),
                   QStringLiteral("Výtokové armatury a uzávěry:"), QString(),
                   QStringLiteral("Opravené - V Y H O V U J Í C Í"), cannot),
        protection("TEPOCH", QStringLiteral("Tepelná ochrana je:"), QStringLiteral("Tepelná ochrana:"), QString(),
                   afterRepair, cannot),
        protection("KOROCH", QStringLiteral("Protikorozní ochrana je:"), QStringLiteral("Protikorozní ochranu:"),
                   QString(), afterRepair, cannot),
        protection("VIBOCH", QStringLiteral("Protivibrační ochrana je:"), QStringLiteral("Protivibrační ochranu:"),
                   QString(), afterRepair, cannot),
        {QStringLiteral("POHCEN"), QStringLiteral("Pohotovostní čerpadla pro dodávku požární vody:"),
         {{QStringLiteral("V"), QStringLiteral("jsou instalována a jsou F U N K Č N Í"), {}},
          {QStringLiteral("N"), QStringLiteral("jsou instalována a jsou N E V Y H O V U J Í C Í"), {}},
          {QStringLiteral("X"), QStringLiteral("N E K O N T R O L O V Á N A"), {}},
          {QStringLiteral("K"), cannot, {}}}},
        protection("POHCER", QStringLiteral("  - doba pohotovosti je:"), QStringLiteral("  - dobu pohotovosti:"),
                   QStringLiteral(" "), afterRepair, cannot),
        protection("NAPPCEL", QStringLiteral("  - napojení na elek. rozvod je:"),
                   QStringLiteral("  - napojení na elek. rozvod:"), QStringLiteral(" "),
                   QStringLiteral("po oprvavě  V Y H O V U J Í C Í"), cannot + QLatin1Char(' ')),
        protection("DOCHODUPC", QStringLiteral("  - doba uvedení do chodu je:"),
                   QStringLiteral("  - dobu uvedení do chodu:"), QStringLiteral(" "), afterRepair, cannot),
    };
    QStringList lines;
    for (const Finding &f : findings) {
        const QString stored = value(f.column).trimmed();
        if (f.verdicts.isEmpty()) {
            // a text column prints as it is written
            if (!stored.isEmpty())
                lines << (f.label.endsWith(QLatin1Char(' ')) ? f.label : f.label + QLatin1Char(' ')) + stored;
            continue;
        }
        for (const Verdict &v : f.verdicts)
            if (v.code == stored.toUpper()) {
                const QString label = v.label.isEmpty() ? f.label : v.label;
                lines << (label.isEmpty() ? v.text : label + QLatin1Char(' ') + v.text);
            }
    }
    return lines;
}

// --- the inspection report -------------------------------------------------------------------

TtVzorDokT::TtVzorDokT()
{
    setup = PageSetup::a4(false);
    const qreal w = setup.bodyWidth();
    const QFont normal = pageFont(QStringLiteral("Arial"), 8);

    Band *zah1 = addBand(Band::PageHead, QStringLiteral("pZah1"), 74);
    zah1->add<ImageElement>(QStringLiteral("imLogo"), QRectF(0, 0, 140, 56));
    auto *number = zah1->add<Label>(QStringLiteral("lCislo"), QRectF(w - 200, 0, 200, 14));
    number->alignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *page = zah1->add<Label>(QStringLiteral("lStrana"), QRectF(w - 200, 14, 200, 14));
    page->alignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *title1 = zah1->add<Label>(QStringLiteral("lNadp1"), QRectF(145, 0, w - 350, 32));
    title1->font = pageFont(QStringLiteral("Arial"), 11, true);
    title1->alignment = Qt::AlignCenter;
    title1->wordWrap = true;
    auto *title2 = zah1->add<Label>(QStringLiteral("lNadp2"), QRectF(145, 32, w - 350, 16));
    title2->font = pageFont(QStringLiteral("Arial"), 10, true);
    title2->alignment = Qt::AlignCenter;
    auto *name = zah1->add<Label>(QStringLiteral("lNazev"), QRectF(145, 50, w - 350, 16));
    name->alignment = Qt::AlignCenter;
    zah1->beforePrint = [this, page](Band &) { page->text = QStringLiteral("Strana: ") + QString::number(pageNumber()); };

    Band *zah2 = addBand(Band::PageHead, QStringLiteral("pZah2"), 112);
    zah2->pages = Band::FirstPage;
    addAddressBlocks(zah2, w, 3);

    for (const char *name : {"pZah3", "pZah4"}) {
        Band *b = addBand(Band::Title, QLatin1String(name), 0);
        b->add<RichText>(QStringLiteral("re") + QLatin1String(name), QRectF(0, 4, w, 0));
    }

    m_objectHead = addBand(Band::GroupHead, QStringLiteral("psObjH1"), 18);
    auto *object = m_objectHead->add<DataLabel>(QStringLiteral("lObjekt"), QRectF(4, 2, w - 8, 14));
    object->font = pageFont(QStringLiteral("Arial"), 9, true);
    m_objectHead->visible = false;

    Band *heads = addBand(Band::ColumnHead, QStringLiteral("pNad1"), 24);
    auto *headLines = heads->add<GridLines>(QStringLiteral("grNad"), QRectF(0, 2, w, 22));
    headLines->top = headLines->bottom = true;
    auto *numberHead = heads->add<Label>(QStringLiteral("lCHead"), QRectF(2, 5, 26, 15));
    numberHead->text = QStringLiteral("Č.");
    numberHead->font = pageFont(QStringLiteral("Arial"), 8, true);

    Band *detail = addBand(Band::Detail, QStringLiteral("pDet1"), 17);
    detail->printWith = heads;
    auto *running = detail->add<Label>(QStringLiteral("lPoradi"), QRectF(2, 1, 26, 15));
    running->font = normal;
    detail->beforePrint = [this, running](Band &) { running->text = formatMasked(recordNumber(), QStringLiteral("000")); };
    auto *rowLine = detail->add<Shape>(QStringLiteral("shDet"), QRectF(0, 17, w, 0));
    rowLine->kind = Shape::HorizontalLine;
    rowLine->penWidth = 0.5;

    Band *subRow = addBand(Band::Control, QStringLiteral("pDet2"), 0);
    subRow->add<RichText>(QStringLiteral("rePodradek"), QRectF(30, 1, w - 30, 0));
    subRow->visible = false;
    addBand(Band::Control, QStringLiteral("gsdRidici"), 0);

    Band *zap4 = addBand(Band::Summary, QStringLiteral("pZap4"), 20);
    auto *stats = zap4->add<Label>(QStringLiteral("lStatistika"), QRectF(0, 4, w, 14));
    stats->font = pageFont(QStringLiteral("Arial"), 8, true);
    zap4->beforePrint = [this, stats](Band &) {
        QString text = QStringLiteral("Počet HP v dokladu: ") + QString::number(recordNumber());
        if (!m_header.countLine.isEmpty())
            text = m_header.countLine;
        else if (m_header.leftAtCustomer >= 0)
            text += QStringLiteral("     Po kontrole ponecháno HP: ") + QString::number(m_header.leftAtCustomer);
        stats->text = text;
    };
    for (const char *name : {"pZap3", "pZap2", "pZapDok"}) {
        Band *b = addBand(Band::Summary, QLatin1String(name), 0);
        b->add<RichText>(QStringLiteral("re") + QLatin1String(name), QRectF(0, 4, w, 0));
    }

    Band *zap1 = addBand(Band::Summary, QStringLiteral("pZap1"), 130);
    const QFont bold = pageFont(QStringLiteral("Arial"), 8, true);
    blockLabel(zap1, QStringLiteral("lZhotovitel"), QRectF(0, 8, w / 2 - 10, 14), bold)->text
        = QStringLiteral("Za zhotovitele - oprávněná osoba");
    blockLabel(zap1, QStringLiteral("lTechnici"), QRectF(0, 24, w / 2 - 10, 30), normal);
    blockLabel(zap1, QStringLiteral("lObjednatel"), QRectF(w / 2, 8, w / 2, 14), bold)->text
        = QStringLiteral("Za objednatele (majitele HP)");
    blockLabel(zap1, QStringLiteral("lDatum"), QRectF(0, 58, w, 14), normal);
    zap1->add<Shape>(QStringLiteral("shPodpis"), QRectF(0, 88, w / 2 - 20, 0))->kind = Shape::HorizontalLine;
    zap1->add<Shape>(QStringLiteral("shPodpis2"), QRectF(w / 2, 88, w / 2, 0))->kind = Shape::HorizontalLine;
    blockLabel(zap1, QStringLiteral("lKontroluProvedl"), QRectF(0, 90, w / 2 - 20, 14), normal);
    blockLabel(zap1, QStringLiteral("lUpozorneni"), QRectF(0, 106, w, 24), bold);
}

void TtVzorDokT::setPerformer(const Performer &performer)
{
    m_performer = performer.lines();
    setBlock(*this, "pZah2", 1, m_header.performerCaption, m_performer);
}

void TtVzorDokT::setLogo(const QString &file)
{
    static_cast<ImageElement *>(band(QStringLiteral("pZah1"))->element(QStringLiteral("imLogo")))->loadFile(file);
}

void TtVzorDokT::setMargins(int topMm, int bottomMm)
{
    if (topMm > 0)
        setup.top = topMm * 36 / 10;
    if (bottomMm > 0)
        setup.bottom = bottomMm * 36 / 10;
}

void TtVzorDokT::setHeaderFooterOnEveryPage(bool on)
{
    m_everyPage = on;
}

void TtVzorDokT::setInspectedBy(const QString &name)
{
    labelOf(*this, "pZap1", "lKontroluProvedl")->text = name.isEmpty() ? QString() : QStringLiteral("Kontrolu provedl: ") + name;
}

void TtVzorDokT::setHeader(const InspectionDocumentHeader &h)
{
    m_header = h;
    labelOf(*this, "pZah1", "lCislo")->text = QStringLiteral("č. ") + h.number;
    labelOf(*this, "pZah1", "lNazev")->text = h.title;
    setup.jobName = h.title;
    setBlock(*this, "pZah2", 1, h.performerCaption, m_performer);
    setBlock(*this, "pZah2", 2, h.hasSite ? h.siteCaption : QStringLiteral("Adresa vlastníka"), h.site.printed());
    setBlock(*this, "pZah2", 3, h.ownerCaption, h.owner.printed());
    setRichBand(*this, "pZah4", h.ownHeader);
    setRichBand(*this, "pZapDok", h.ownFooter);
    QStringList technicians;
    if (h.hideTechnicians) {
        technicians << QStringLiteral(" - ");
    } else {
        technicians << h.technician1 << h.technician2;
        technicians.removeAll(QString());
    }
    labelOf(*this, "pZap1", "lTechnici")->text = technicians.join(QLatin1Char('\n'));
    labelOf(*this, "pZap1", "lDatum")->text
        = QStringLiteral("Datum provedení kontroly: ") + h.date.toString(QStringLiteral("d.M.yyyy"));
    labelOf(*this, "pZap1", "lUpozorneni")->text
        = h.noticePeriod > 0 && h.date.isValid() ? nextInspectionNotice(h.date, h.noticePeriod) : QString();
}

bool TtVzorDokT::setDesign(const Templates::ReportDesign &design, const QList<Templates::PrintColumn> &columns,
                           const QString &subRowField)
{
    labelOf(*this, "pZah1", "lNadp1")->text = design.title1;
    labelOf(*this, "pZah1", "lNadp2")->text = design.title2;
    setRichBand(*this, "pZah3", design.header);
    setRichBand(*this, "pZap3", design.legend);
    setRichBand(*this, "pZap2", design.footer);
    Band *subRow = band(QStringLiteral("pDet2"));
    static_cast<RichText *>(subRow->elements.front().get())->field = subRowField;
    subRow->visible = !subRowField.isEmpty();

    // the running number takes the first 30 units; the design's columns share the rest
    constexpr qreal NumberWidth = 30;
    const double scale = ListPrint::scaleOf(columns, setup.bodyWidth() - NumberWidth);
    if (scale <= 0)
        return false;
    Band *heads = band(QStringLiteral("pNad1"));
    auto *lines = static_cast<GridLines *>(heads->element(QStringLiteral("grNad")));
    for (const Templates::PrintColumn &c : columns) {
        DataLabel *value = ListPrint::addColumnLabels(heads, band(QStringLiteral("pDet1")), c, scale, NumberWidth);
        lines->verticals << value->geometry.left() - 3;
    }
    return true;
}

void TtVzorDokT::beforeRender()
{
    band(QStringLiteral("pZah2"))->pages = m_everyPage ? (Band::FirstPage | Band::FollowingPages) : Band::FirstPage;
    // with cbTiskZZ the signature block closes every page, otherwise the last one
    band(QStringLiteral("pZap1"))->kind = m_everyPage ? Band::PageFoot : Band::Summary;
}

TtDok::TtDok()
{
    m_objectHead->groupField = QStringLiteral("OBJEKT");
    m_objectHead->visible = true;
    auto *object = static_cast<DataLabel *>(m_objectHead->element(QStringLiteral("lObjekt")));
    m_objectHead->beforePrint = [this, object](Band &) {
        const QString name = value(QStringLiteral("OBJEKT")).toString().trimmed();
        object->text = QStringLiteral("Objekt: ") + (name.isEmpty() ? QStringLiteral("-") : name)
                       + QStringLiteral("   číslo: ") + value(QStringLiteral("PORADI")).toString();
    };
}

TtDokPV::TtDokPV()
{
    const qreal w = setup.bodyWidth();
    Band *findings = addBand(Band::Title, QStringLiteral("pSpol"), 20);
    auto *caption = findings->add<Label>(QStringLiteral("lSpol"), QRectF(0, 2, w, 14));
    caption->text = QStringLiteral("Zjištěný stav");
    caption->font = pageFont(QStringLiteral("Arial"), 9, true);
    findings->add<RichText>(QStringLiteral("reSpol1"), QRectF(0, 18, w, 0));
    Band *checks = addBand(Band::Title, QStringLiteral("pSpol2"), 0);
    checks->add<RichText>(QStringLiteral("reSpol2"), QRectF(0, 2, w, 0));

    Band *evaluation = addBand(Band::Control, QStringLiteral("pDet3"), 0);
    auto *text = evaluation->add<RichText>(QStringLiteral("reVyhod"), QRectF(30, 1, w - 30, 0));
    evaluation->visible = false;
    evaluation->beforePrint = [this, text](Band &) {
        text->text = hydrantEvaluation([this](const QString &column) { return value(column).toString(); });
    };
}

void TtDokPV::setFindings(const QStringList &findings, const QStringList &checks)
{
    static_cast<RichText *>(band(QStringLiteral("pSpol"))->element(QStringLiteral("reSpol1")))->text
        = findings.join(QLatin1Char('\n'));
    band(QStringLiteral("pSpol"))->visible = !findings.isEmpty() || !checks.isEmpty();
    setRichBand(*this, "pSpol2", checks.join(QLatin1Char('\n')));
}

void TtDokPV::setEvaluation(bool on)
{
    band(QStringLiteral("pDet3"))->visible = on;
}

TtDokTDil::TtDokTDil()
{
    // the firm's band only marks where a firm's items begin; the technician's head, which
    // follows it on every change of either, prints both names
    m_objectHead->groupField = QStringLiteral("UNCFIRMA");
    const qreal w = setup.bodyWidth();
    Band *head = addBand(Band::GroupHead, QStringLiteral("psDilH1"), 34);
    head->groupField = QStringLiteral("UNCKOMTECH");
    const QFont bold = pageFont(QStringLiteral("Arial"), 9, true);
    auto *firm = blockLabel(head, QStringLiteral("lOrganizace"), QRectF(4, 2, w - 8, 14), bold);
    auto *technician = blockLabel(head, QStringLiteral("lKomisar"), QRectF(4, 17, w - 8, 14), pageFont(QStringLiteral("Arial"), 8));
    head->beforePrint = [this, firm, technician](Band &) {
        const int firmKey = value(QStringLiteral("UNCFIRMA")).toInt();
        const int technicianKey = value(QStringLiteral("UNCKOMTECH")).toInt();
        const QString firmName = firmKey && m_firmName ? m_firmName(firmKey).trimmed() : QString();
        const QString technicianName = technicianKey && m_technicianName ? m_technicianName(technicianKey).trimmed() : QString();
        firm->text = QStringLiteral("Kontrolu vykonala organizace: ") + (firmName.isEmpty() ? QStringLiteral("-") : firmName);
        technician->text = QStringLiteral("Komisař: ") + (technicianName.isEmpty() ? QStringLiteral("-") : technicianName);
    };
}

void TtDokTDil::setNames(std::function<QString(int)> firm, std::function<QString(int)> technician)
{
    m_firmName = std::move(firm);
    m_technicianName = std::move(technician);
}

// --- commercial documents --------------------------------------------------------------------

TfVzorT::TfVzorT(int customerBlocks)
{
    setup = PageSetup::a4(false);
    const qreal w = setup.bodyWidth();
    Band *head = addBand(Band::PageHead, QStringLiteral("pHla"), 40);
    auto *title = head->add<Label>(QStringLiteral("lNazev"), QRectF(0, 0, w - 120, 22));
    title->font = pageFont(QStringLiteral("Arial"), 13, true);
    auto *page = head->add<Label>(QStringLiteral("lStrana"), QRectF(w - 120, 0, 120, 14));
    page->alignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *number = head->add<Label>(QStringLiteral("lCislo"), QRectF(w - 220, 16, 220, 16));
    number->alignment = Qt::AlignRight | Qt::AlignVCenter;
    number->font = pageFont(QStringLiteral("Arial"), 10, true);
    head->beforePrint = [this, page](Band &) { page->text = QStringLiteral("Strana: ") + QString::number(pageNumber()); };
    Band *blocks = addBand(Band::PageHead, QStringLiteral("pZah2"), 112);
    blocks->pages = Band::FirstPage;
    addAddressBlocks(blocks, w, 1 + qMax(1, customerBlocks));
}

void TfVzorT::setPerformer(const Performer &performer)
{
    setBlock(*this, "pZah2", 1, QStringLiteral("Dodavatel:"), performer.lines());
}

void TfVzorT::setCustomer(const QString &caption, const AddressLines &customer, int block)
{
    setBlock(*this, "pZah2", 1 + block, caption, customer.printed());
}

void TfVzorT::setTitle(const QString &title, const QString &number)
{
    labelOf(*this, "pHla", "lNazev")->text = title;
    labelOf(*this, "pHla", "lCislo")->text = QStringLiteral("č. ") + number;
    setup.jobName = title + QLatin1Char(' ') + number;
}
