#include "inspections/konses.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/lookup.h"
#include "core/prompt.h"
#include "customers/nabcombo.h"
#include "widgets/lookupcombo.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"
#include "widgets/viewhelpers.h"

using InspectionStatistics::Kind;

namespace {

QPushButton *button(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    return b;
}

} // namespace

TfKonSes::TfKonSes(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fKonSes"));
    setWindowTitle(QStringLiteral("Statistika kontrol"));
    showPreview = [this](const Print::Document &document) { PrintPreview::open(document, this); };

    auto *fields = new QGridLayout;
    eDatOd = maskedDateField(this, QStringLiteral("eDatOd"));
    eDatDo = maskedDateField(this, QStringLiteral("eDatDo"));
    fields->addWidget(new QLabel(QStringLiteral("Datum od:"), this), 0, 0);
    fields->addWidget(eDatOd, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("Datum do:"), this), 1, 0);
    fields->addWidget(eDatDo, 1, 1);

    ncFirma = new NabCombo(this);
    ncFirma->setObjectName(QStringLiteral("ncFirma"));
    ncFirma->setAddressMode(QStringLiteral("FIR"));
    ncTechnik = new NabCombo(this);
    ncTechnik->setObjectName(QStringLiteral("ncTechnik"));
    ncTechnik->setAddressMode(QStringLiteral("TEC"));
    cbVyrobce = new QComboBox(this);
    cbVyrobce->setObjectName(QStringLiteral("cbVyrobce"));
    fillLookupCombo(cbVyrobce, readLookup(dm, QStringLiteral("SELECT Distinct vyrobce from Cenik "
                                                             "WHERE CSekce=7 and vyrobce is not null "
                                                             "ORDER BY vyrobce")));
    struct FilterRow { const char *caption; QWidget *field; const char *clearName; const char *clearCaption; };
    const FilterRow filters[] = {
        {"Firma", ncFirma, "sbSmazFirmu", "Smazat firmu"},
        {"Technik", ncTechnik, "sbSmazTechnika", "Smazat technika"},
        {"Výrobce", cbVyrobce, "sbSmazVyrobce", "Smazat výrobce"},
    };
    int row = 2;
    for (const FilterRow &f : filters) {
        fields->addWidget(new QLabel(QString::fromUtf8(f.caption), this), row, 0);
        fields->addWidget(f.field, row, 1);
        QPushButton *clear = button(this, QLatin1String(f.clearName), QString::fromUtf8(f.clearCaption));
        fields->addWidget(clear, row++, 2);
        connect(clear, &QPushButton::clicked, this, [this, field = f.field] {
            if (auto *combo = qobject_cast<NabCombo *>(field))
                combo->Vyber(0);
            else
                cbVyrobce->setCurrentIndex(-1);
        });
    }

    struct Report { Kind kind; const char *name; const char *caption; };
    struct Group { const char *title; QVector<Report> reports; };
    const Group groups[] = {
        {"Kontroly HP", {{Kind::HpVyrobce, "sbHPVyrobce", "Po výrobcích"}, {Kind::HpTechnik, "sbHPTechnik", "Po technicích"},
                         {Kind::HpMajitel, "sbHPMajitel", "Po majitelích"}}},
        {"Kontroly PV", {{Kind::PvVyrobce, "sbPVVyrobce", "Po výrobcích"}, {Kind::PvTechnik, "sbPVTechnik", "Po technicích"},
                         {Kind::PvMajitel, "sbPVMajitel", "Po majitelích"}}},
        {"Kontroly PK", {{Kind::PkTechnik, "sbPKTechnik", "Po technicích"}, {Kind::PkMajitel, "sbPKMajitel", "Po majitelích"}}},
        {"Kontroly dílny", {{Kind::Dilna, "sbDilnaVyrobce", "Po výrobcích"}}},
    };
    auto *buttons = new QGridLayout;
    int column = 0;
    for (const Group &g : groups) {
        auto *box = new QGroupBox(QString::fromUtf8(g.title), this);
        auto *boxLayout = new QVBoxLayout(box);
        for (const Report &r : g.reports) {
            QPushButton *b = button(box, QLatin1String(r.name), QString::fromUtf8(r.caption));
            b->setToolTip(InspectionStatistics::title(r.kind));
            boxLayout->addWidget(b);
            connect(b, &QPushButton::clicked, this, [this, kind = r.kind] { Tisk(kind); });
        }
        boxLayout->addStretch();
        buttons->addWidget(box, 0, column++);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
}

TfKonSes *TfKonSes::open(TDMPro *dm, QWidget *parent)
{
    auto *window = new TfKonSes(dm, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

bool TfKonSes::readFilter(InspectionStatistics::Filter *filter)
{
    filter->from = SummaryPrint::fieldDate(eDatOd->text());
    filter->to = SummaryPrint::fieldDate(eDatDo->text());
    if (!filter->from.isValid() || !filter->to.isValid()) {
        Prompt::warning(QStringLiteral(" Není vyplněno datum "), windowTitle());
        return false;
    }
    filter->firm = ncFirma->key();
    filter->technician = ncTechnik->key();
    filter->manufacturer = cbVyrobce->currentIndex() < 0 ? QString() : cbVyrobce->currentText().trimmed();
    return true;
}

int TfKonSes::Tisk(Kind kind)
{
    InspectionStatistics::Filter filter;
    if (!readFilter(&filter))
        return -1;
    ListPrintJob job;
    job.jobName = InspectionStatistics::title(kind);
    job.options.title1 = ncFirma->text() + QLatin1Char(' ') + eDatOd->text() + QStringLiteral(" - ") + eDatDo->text();
    job.options.title2 = ncTechnik->text() + QLatin1Char(' ') + filter.manufacturer;
    if (!ListPrintWindows::askOptions(this, job))
        return 1;
    Print::Document document;
    QString error;
    if (!InspectionStatistics::render(m_dm, kind, filter, job.options, &document, &error)) {
        Prompt::warning(QStringLiteral("Otevření seznamu pro tisk\n") + error, job.jobName);
        return -2;
    }
    showPreview(document);
    return 0;
}
