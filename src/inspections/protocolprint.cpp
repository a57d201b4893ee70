#include "inspections/protocolprint.h"

#include "core/parameters.h"
#include "core/prompt.h"
#include "core/rtf.h"
#include "core/sqlrun.h"
#include "customers/adrtexty.h"
#include "templates/templatestore.h"

namespace ProtocolPrint {

namespace {

int fail(const QString &text, const QString &caption, int code)
{
    Prompt::warning(text, caption);
    return code;
}

// Months to the next inspection: the site's period, else the owner's, else 12.
int periodOf(TDMPro *dm, const QString &column, int site, int owner)
{
    const auto read = [dm, &column](const char *table, int key) {
        return scalarSql(dm, QStringLiteral("SELECT %1 FROM %2 WHERE UNCIS = :K").arg(column, QLatin1String(table)),
                         {{QStringLiteral("K"), key}})
            .toInt();
    };
    int p = site ? read("STREDISKA", site) : 0;
    if (p <= 0)
        p = read("ADRESAR", owner);
    return p > 0 ? p : 12;
}

} // namespace

int render(const Kind &kind, int inspectionKey, int designKey, Print::Document &out, TDMPro *dm,
           const FormMaker &makeForm, const HeaderFill &fill)
{
    Templates::TemplateStore store(dm);
    if (designKey <= 0) {
        QList<Templates::DesignEntry> designs;
        store.listReports(kind.designWindow, 1, designs);
        if (designs.isEmpty())
            return fail(QStringLiteral("Pro doklad není uložen žádný návrh sestavy."), kind.caption, -1);
        designKey = designs.first().key;
    }
    Templates::ReportDesign design;
    if (store.loadReport(designKey, design) <= 0)
        return fail(QStringLiteral("Návrh dokladu nebyl nalezen."), kind.caption, -1);
    QList<Templates::DictionaryItem> offered;
    store.offeredItems(kind.aliases, Templates::DesignKind::Report, offered);
    const Templates::ReportSelect select = Templates::reportSelect(design, offered);

    QString error;
    QSqlQuery h = runSql(dm, kind.headerSql, {{QStringLiteral("UnCis"), inspectionKey}}, &error);
    if (!h.isActive() || !h.next())
        return fail(error.isEmpty() ? QStringLiteral("Doklad nebyl nalezen.") : error, kind.caption, -2);
    const int owner = h.value(QStringLiteral("UNCFIR")).toInt();
    const int site = h.value(QStringLiteral("UNCSTR")).toInt();

    InspectionDocumentHeader header;
    header.title = kind.title;
    header.performerCaption = kind.performerCaption;
    header.siteCaption = kind.siteCaption;
    header.ownerCaption = kind.ownerCaption;
    header.number = h.value(QStringLiteral("CISPRO")).toString().trimmed();
    header.date = h.value(QStringLiteral("DATUM")).toDate();
    header.ownHeader = Rtf::fieldText(h.value(QStringLiteral("ZAHLAVI")));
    header.ownFooter = Rtf::fieldText(h.value(QStringLiteral("ZAPATI")));
    header.hasSite = site != 0;
    header.noticePeriod = kind.periodColumn.isEmpty() ? 0 : periodOf(dm, kind.periodColumn, site, owner);
    header.hideTechnicians = Parameters::instance().hideTechnicians;
    if (fill)
        fill(header, h);
    TAdresniTexty addresses(dm);
    AdresniBlok ownerBlock;
    if (addresses.VyplnAdresu(owner, ownerBlock, kind.caption) < 0)
        return -3;
    header.owner = {ownerBlock.radky, ownerBlock.ico, ownerBlock.dic};
    if (site) {
        AdresniBlok siteBlock;
        addresses.VyplnStrediskoPlan(site, siteBlock);
        header.site.lines = siteBlock.radky.mid(0, 4);
    } else {
        header.site = header.owner;
    }
    header.technician1 = addresses.SestavTechnika(h.value(QStringLiteral("UNCTECH")).toInt());
    header.technician2 = addresses.SestavTechnika(h.value(QStringLiteral("UNCTECH2")).toInt());

    const Parameters &p = Parameters::instance();
    std::unique_ptr<TtVzorDokT> document = makeForm(h, design);
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
                          + (select.selectList.isEmpty() ? QString() : QStringLiteral(",")) + kind.itemsFrom;
    QSqlQuery rows = runSql(dm, items, {{QStringLiteral("UNCH"), inspectionKey}}, &error);
    if (!rows.isActive())
        return fail(error, kind.caption, -5);
    Print::SqlDataSource source(rows);
    form.data = &source;
    out = form.render();
    return 0;
}

int renderHydrantReport(int inspectionKey, int designKey, Print::Document &out, TDMPro *dm)
{
    Kind kind;
    kind.designWindow = hydrantDesignWindow();
    kind.title = QStringLiteral("Doklad o kontrole provozuschopnosti");
    kind.siteCaption = QStringLiteral("Adresa umístnění PV");
    kind.ownerCaption = QStringLiteral("Vlastník (uživatel, správce) PV");
    kind.caption = QStringLiteral("Tisk dokladu o kontrole");
    kind.aliases = QStringLiteral("PPV;PPV;Položky PV;(1)");
    kind.headerSql = QStringLiteral("SELECT H.*, H.pozn as zahlavi, H.zaver as zapati, H.POCPV  FROM Vod_Hlav H "
                                    "WHERE H.UnCis = :UnCis ");
    kind.itemsFrom = QStringLiteral(" PPV.*,  PPV.Pozn as Zahlavi  FROM VOD_TAB PPV  WHERE PPV.UNCH = :UNCH  "
                                    "ORDER BY PPV.Poradi,PPV.UnCPom ");
    kind.periodColumn = QStringLiteral("PERPV");
    const auto fill = [](InspectionDocumentHeader &header, const QSqlQuery &row) {
        header.countLine = QStringLiteral("Zkontrolováno PV: ") + QString::number(row.value(QStringLiteral("POCPV")).toInt());
    };
    QString error;
    QStringList checks;
    QSqlQuery c = runSql(dm, QStringLiteral("SELECT KONTROLA, STAV FROM VODHKON WHERE UNCH = :UNCH ORDER BY UNCIS"),
                         {{QStringLiteral("UNCH"), inspectionKey}}, &error);
    if (!c.isActive())
        return fail(error, kind.caption, -2);
    while (c.next())
        checks << (c.value(0).toString().trimmed() + QStringLiteral(":  ") + c.value(1).toString().trimmed());
    return render(
        kind, inspectionKey, designKey, out, dm,
        [&checks](const QSqlQuery &row, const Templates::ReportDesign &design) {
            auto form = std::make_unique<TtDokPV>();
            form->setFindings(hydrantFindings([&row](const QString &column) { return row.value(column).toString(); }),
                              checks);
            form->setEvaluation(Templates::settingValue(design.settings, EvaluationSetting).trimmed()
                                == QLatin1String("A"));
            return std::unique_ptr<TtVzorDokT>(std::move(form));
        },
        fill);
}

int renderDamperReport(int inspectionKey, int designKey, Print::Document &out, TDMPro *dm)
{
    Kind kind;
    kind.designWindow = damperDesignWindow();
    kind.title = QStringLiteral("Doklad o kontrole provozuschopnosti PK");
    kind.siteCaption = QStringLiteral("Adresa umístnění PK");
    kind.ownerCaption = QStringLiteral("Vlastník (uživatel, správce) PK");
    kind.caption = QStringLiteral("Tisk dokladu o kontrole");
    kind.aliases = QStringLiteral("PPK;PPK;Položky PK;(1)");
    kind.headerSql = QStringLiteral("SELECT UnCFir, UnCStr, pozn as zahlavi, zapati, cispro, Datum, UnCTech, UnCTech2, "
                                    "PocPK  FROM PK_Hlav WHERE UnCis = :UnCis ");
    kind.itemsFrom = QStringLiteral("PPK.Poradi, PPK.Objekt,  PPK.Pozn as Zahlavi  FROM PK_TAB PPK  WHERE PPK.UNCH = "
                                    ":UNCH  ORDER BY PPK.Poradi,PPK.UnCPom ");
    kind.periodColumn = QStringLiteral("PERPK");
    return render(
        kind, inspectionKey, designKey, out, dm,
        [](const QSqlQuery &, const Templates::ReportDesign &) { return std::unique_ptr<TtVzorDokT>(std::make_unique<TtDok>()); },
        [](InspectionDocumentHeader &header, const QSqlQuery &row) {
            header.countLine = QStringLiteral("Zkontrolováno PK: ") + QString::number(row.value(QStringLiteral("POCPK")).toInt());
        });
}

} // namespace ProtocolPrint
