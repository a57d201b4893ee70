#include "inspections/hptisk.h"

#include "customers/adrtexty.h"
#include "inspections/protocolprint.h"

#include <memory>

namespace HPPrint {

namespace {

const QString ItemAliases = QStringLiteral("PHP;PHP;Položky HP;(1)");

ProtocolPrint::Kind kindOf(HPDocument document)
{
    ProtocolPrint::Kind kind;
    kind.designWindow = designWindow(document);
    kind.siteCaption = QStringLiteral("Adresa umístnění HP:");
    kind.ownerCaption = QStringLiteral("Vlastník (uživatel, správce) HP:");
    kind.caption = QStringLiteral("Tisk dokladu o kontrole");
    kind.aliases = ItemAliases;
    kind.headerSql = QStringLiteral("SELECT UnCFir, UnCStr, pozn as zahlavi, zapati, cispro, Datum, UnCTech, "
                                    "UnCTech2, PocHP  FROM PR_Hlav WHERE UnCis = :UnCis ");
    const QString columns = QStringLiteral("PHP.Poradi, PHP.Objekt,  PHP.Pozn as Zahlavi");
    switch (document) {
    case HPDocument::Vyrazeni:
        kind.title = QStringLiteral("Doklad o vyřazení HP z používání");
        kind.performerCaption = QStringLiteral("Kontrolu a vyřazení vykonal:");
        kind.siteCaption = QStringLiteral("Adresa původního umístnění HP:");
        kind.caption = QStringLiteral("Tisk dokladu o vyřazení");
        kind.itemsFrom = columns + QStringLiteral("  FROM PR_TAB PHP  WHERE PHP.UNCH = :UNCH AND PHP.Status in (3,5) "
                                                  "ORDER BY PHP.Poradi,PHP.UnCPom ");
        break;
    case HPDocument::Dilna:
        // the items that went through the workshop, with the workshop row they came back with
        kind.title = QStringLiteral("Doklad o dílenské kontrole a údržbě HP");
        kind.aliases += QStringLiteral(";DIL;DIL;Dílenské položky;(1)");
        kind.itemsFrom = columns + QStringLiteral(", DIL.UnCFirma, DIL.UncKomTech  FROM PR_TAB PHP , DILNA DIL WHERE "
                                                  "PHP.UNCH = :UNCH AND PHP.Status in (4,6)  AND PHP.UNCH = DIL.UncExp "
                                                  "AND PHP.VyrCis=DIL.VyrCis  ORDER BY DIL.UnCFirma, DIL.UnCKomTech, PHP.UnCPom ");
        break;
    case HPDocument::Kontrola:
        kind.title = QStringLiteral("Doklad o kontrole provozuschopnosti HP");
        kind.itemsFrom = columns + QStringLiteral("  FROM PR_TAB PHP  WHERE PHP.UNCH = :UNCH  ORDER BY PHP.Poradi,PHP.UnCPom ");
        kind.periodColumn = QStringLiteral("PERHP");
        break;
    }
    return kind;
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
    const auto makeForm = [kind, dm](const QSqlQuery &, const Templates::ReportDesign &) -> std::unique_ptr<TtVzorDokT> {
        if (kind != HPDocument::Dilna)
            return std::make_unique<TtDok>();
        auto workshop = std::make_unique<TtDokTDil>();
        auto addresses = std::make_shared<TAdresniTexty>(dm);
        workshop->setNames([addresses](int firm) { return addresses->SestavAdresu(firm); },
                           [addresses](int technician) { return addresses->SestavTechnika(technician); });
        return workshop;
    };
    // only the inspection report counts the extinguishers left at the customer
    const auto fill = [kind](InspectionDocumentHeader &header, const QSqlQuery &row) {
        header.leftAtCustomer = kind == HPDocument::Kontrola ? row.value(QStringLiteral("POCHP")).toInt() : -1;
    };
    return ProtocolPrint::render(kindOf(kind), inspectionKey, designKey, out, dm, makeForm, fill);
}

} // namespace HPPrint
