#include "inspections/hptisk.h"

#include "core/datamodulpro.h"
#include "core/parameters.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "reports/vzordokt.h"
#include "templates/templatestore.h"

#include <QSqlRecord>

namespace HPPrint {

namespace {

const QString ItemAliases = QStringLiteral("PHP;PHP;Položky HP;(1)");

struct KindText
{
    QString title;
    QString performer;
    QString site;
    QString caption;
    QString aliases;
    QString itemsFrom;     // after the design's columns: the fixed columns, the tables, the filter and order
    bool countLine;
};

KindText textsOf(HPDocument kind)
{
    const QString columns = QStringLiteral("PHP.Poradi, PHP.Objekt,  PHP.Pozn as Zahlavi");
    switch (kind) {
    case HPDocument::Vyrazeni:
        return {QStringLiteral("Doklad o vyřazení HP z používání"), QStringLiteral("Kontrolu a vyřazení vykonal:"),
                QStringLiteral("Adresa původního umístnění HP:"), QStringLiteral("Tisk dokladu o vyřazení"), ItemAliases,
                columns + QStringLiteral("  FROM PR_TAB PHP  WHERE PHP.UNCH = :UNCH AND PHP.Status in (3,5) "
                                         "ORDER BY PHP.Poradi,PHP.UnCPom "),
                false};
    case HPDocument::Dilna:
        // the items that went through the workshop, with the workshop row they came back with
        return {QStringLiteral("Doklad o dílenské kontrole a údržbě HP"), QStringLiteral("Kontrolu vykonal:"),
                QStringLiteral("Adresa umístnění HP:"), QStringLiteral("Tisk dokladu o kontrole"),
                ItemAliases + QStringLiteral(";DIL;DIL;Dílenské položky;(1)"),
                columns + QStringLiteral(", DIL.UnCFirma, DIL.UncKomTech  FROM PR_TAB PHP , DILNA DIL WHERE PHP.UNCH = :UNCH "
                                         "AND PHP.Status in (4,6)  AND PHP.UNCH = DIL.UncExp AND PHP.VyrCis=DIL.VyrCis  "
                                         "ORDER BY DIL.UnCFirma, DIL.UnCKomTech, PHP.UnCPom "),
                false};
    case HPDocument::Kontrola:
        break;
    }
    return {QStringLiteral("Doklad o kontrole provozuschopnosti HP"), QStringLiteral("Kontrolu vykonal:"),
            QStringLiteral("Adresa umístnění HP:"), QStringLiteral("Tisk dokladu o kontrole"), ItemAliases,
            columns + QStringLiteral("  FROM PR_TAB PHP  WHERE PHP.UNCH = :UNCH  ORDER BY PHP.Poradi,PHP.UnCPom "), true};
}

int fail(const QString &text, const QString &caption, int code)
{
    Prompt::warning(text, caption);
    return code;
}

// Months to the next inspection: the site's period, else the owner's, else 12.
int periodOf(TDMPro *dm, int site, int owner)
{
    int p = site ? scalarSql(dm, QStringLiteral("SELECT PERHP FROM STREDISKA WHERE UNCIS = :K"), {{QStringLiteral("K"), site}}).toInt() : 0;
    if (p <= 0)
        p = scalarSql(dm, QStringLiteral("SELECT PERHP FROM ADRESAR WHERE UNCIS = :K"), {{QStringLiteral("K"), owner}}).toInt();
    return p > 0 ? p : 12;
}

} // namespace

QString designWindow(HPDocument kind)
{
    switch (kind) {
    case HPDocument::Vyrazeni:
        return QStringLiteral("VyrHP");
    case HPDocument::Dilna:
        return QStringLiteral("DilHP");
    case HPDocument::Kontrola:
        break;
    }
    return QStringLiteral("DokHP");
}

int render(HPDocument kind, int inspectionKey, int designKey, Print::Document &out, TDMPro *dm)
{
    const KindText texts = textsOf(kind);
    Templates::TemplateStore store(dm);
    if (designKey <= 0) {
        QList<Templates::DesignEntry> designs;
        store.listReports(designWindow(kind), 1, designs);
        if (designs.isEmpty())
            return fail(QStringLiteral("Pro doklad není uložen žádný návrh sestavy."), texts.caption, -1);
        designKey = designs.first().key;
    }
    Templates::ReportDesign design;
    if (store.loadReport(designKey, design) <= 0)
        return fail(QStringLiteral("Návrh dokladu nebyl nalezen."), texts.caption, -1);
    QList<Templates::DictionaryItem> offered;
    store.offeredItems(texts.aliases, Templates::DesignKind::Report, offered);
    const Templates::ReportSelect select = Templates::reportSelect(design, offered);

    QString error;
    QSqlQuery h = runSql(dm, QStringLiteral("SELECT UnCFir, UnCStr, pozn as zahlavi, zapati, cispro, Datum, UnCTech, "
                                            "UnCTech2, PocHP  FROM PR_Hlav WHERE UnCis = :UnCis "),
                         {{QStringLiteral("UnCis"), inspectionKey}}, &error);
    if (!h.isActive() || !h.next())
        return fail(error.isEmpty() ? QStringLiteral("Doklad nebyl nalezen.") : error, texts.caption, -2);
    const int owner = h.value(0).toInt();
    const int site = h.value(1).toInt();

    InspectionDocumentHeader header;
    header.title = texts.title;
    header.performerCaption = texts.performer;
    header.siteCaption = texts.site;
    header.number = h.value(4).toString().trimmed();
    header.date = h.value(5).toDate();
    header.ownHeader = Rtf::fieldText(h.value(2));
    header.ownFooter = Rtf::fieldText(h.value(3));
    header.leftAtCustomer = texts.countLine ? h.value(8).toInt() : -1;
    header.hasSite = site != 0;
    header.noticePeriod = kind == HPDocument::Kontrola ? periodOf(dm, site, owner) : 0;
    header.hideTechnicians = Parameters::instance().hideTechnicians;
    TAdresniTexty addresses(dm);
    AdresniBlok ownerBlock;
    if (addresses.VyplnAdresu(owner, ownerBlock, texts.caption) < 0)
        return -3;
    header.owner = {ownerBlock.radky, ownerBlock.ico, ownerBlock.dic};
    if (site) {
        AdresniBlok siteBlock;
        addresses.VyplnStrediskoPlan(site, siteBlock);
        header.site.lines = siteBlock.radky.mid(0, 4);
    } else {
        header.site = header.owner;
    }
    header.technician1 = addresses.SestavTechnika(h.value(6).toInt());
    header.technician2 = addresses.SestavTechnika(h.value(7).toInt());

    const Parameters &p = Parameters::instance();
    std::unique_ptr<TtVzorDokT> document;
    if (kind == HPDocument::Dilna) {
        auto workshop = std::make_unique<TtDokTDil>();
        workshop->setNames([&addresses](int firm) { return addresses.SestavAdresu(firm); },
                           [&addresses](int technician) { return addresses.SestavTechnika(technician); });
        document = std::move(workshop);
    } else {
        document = std::make_unique<TtDok>();
    }
    TtVzorDokT &form = *document;
    form.setPerformer(Performer::fromParameters());
    form.setLogo(p.logoPath);
    form.setMargins(p.topMargin, p.bottomMargin);
    form.setHeaderFooterOnEveryPage(p.headerFooterOnEveryPage);
    form.setInspectedBy(p.inspectedBy);
    form.setHeader(header);
    const bool subRow = !Templates::settingValue(design.settings, QStringLiteral("P")).trimmed().isEmpty();
    if (!form.setDesign(design, select.columns, subRow ? QStringLiteral("ZAHLAVI") : QString()))
        return fail(QStringLiteral("Sloupce sestavy nemají žádnou šířku, sestavu nelze vytisknout."),
                    QStringLiteral("Generování sestavy"), -4);

    const QString items = QStringLiteral("SELECT ") + select.selectList
                          + (select.selectList.isEmpty() ? QString() : QStringLiteral(",")) + texts.itemsFrom;
    QSqlQuery rows = runSql(dm, items, {{QStringLiteral("UNCH"), inspectionKey}}, &error);
    if (!rows.isActive())
        return fail(error, texts.caption, -5);
    Print::SqlDataSource source(rows);
    form.data = &source;
    out = form.render();
    return 0;
}

} // namespace HPPrint
