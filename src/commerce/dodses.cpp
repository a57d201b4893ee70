#include "commerce/dodses.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

using DeliveryStatistics::Layout;

namespace {

QPushButton *button(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    return b;
}

int chosenKey(const QComboBox *combo)
{
    return combo->currentIndex() < 0 ? 0 : combo->currentData(LookupKeyRole).toInt();
}

} // namespace

TfDodSes::TfDodSes(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fDodSes"));
    setWindowTitle(QStringLiteral("Tarko 8: Statistika dodacíh listů"));
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
    cbSekce = new QComboBox(this);
    cbSekce->setObjectName(QStringLiteral("cbSekce"));
    fillLookupCombo(cbSekce, readLookup(dm, QStringLiteral("SELECT CSEKCE, POPIS FROM NAZSEKCE ORDER BY CSEKCE")),
                    QStringLiteral(" "));
    cbMaterial = new QComboBox(this);
    cbMaterial->setObjectName(QStringLiteral("cbMaterial"));
    const std::pair<const char *, QWidget *> rows[] = {{"Firma", ncFirma}, {"Sekce", cbSekce}, {"Materiál", cbMaterial}};
    const char *const clearNames[] = {"sbSmazFirmu", "sbSmazSekci", "sbSmazMaterial"};
    for (int k = 0; k < 3; ++k) {
        fields->addWidget(new QLabel(QString::fromUtf8(rows[k].first), this), k + 2, 0);
        fields->addWidget(rows[k].second, k + 2, 1);
        QPushButton *clear = button(this, QLatin1String(clearNames[k]), QStringLiteral("Smazat"));
        fields->addWidget(clear, k + 2, 2);
        connect(clear, &QPushButton::clicked, this, [this, field = rows[k].second] {
            if (field == ncFirma)
                ncFirma->Vyber(0);
            else
                static_cast<QComboBox *>(field)->setCurrentIndex(-1);
        });
    }
    connect(cbSekce, &QComboBox::currentIndexChanged, this, [this] { NactiMaterial(); });

    auto *box = new QGroupBox(QStringLiteral("Sestava po položkách"), this);
    auto *boxLayout = new QHBoxLayout(box);
    const std::pair<Layout, const char *> layouts[] = {
        {Layout::Abecedne, "Abecení řazení"}, {Layout::PoOdberatelich, "Po odběratelích"}, {Layout::PoSekcich, "Po sekcích"}};
    const char *const layoutNames[] = {"sbAbecedne", "sbPoOdberatelich", "sbPoSekcich"};
    for (int k = 0; k < 3; ++k) {
        QPushButton *b = button(box, QLatin1String(layoutNames[k]), QString::fromUtf8(layouts[k].second));
        boxLayout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, layout = layouts[k].first] { Tisk(layout); });
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(box);
}

TfDodSes *TfDodSes::open(TDMPro *dm, QWidget *parent)
{
    auto *window = new TfDodSes(dm, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}

void TfDodSes::NactiMaterial()
{
    const int section = chosenKey(cbSekce);
    QVector<LookupItem> items;
    if (section != 0) {
        bool ok = false;
        items = readLookup(m_dm, QStringLiteral("SELECT UnCis, Popis, Vyrobce FROM Cenik  WHERE CSekce = :CSekce  ORDER BY Popis "),
                           {{QStringLiteral("CSekce"), section}}, &ok);
        if (!ok)
            Prompt::warning(QStringLiteral("Otevření ceníku"), windowTitle());
    }
    fillLookupCombo(cbMaterial, items, QStringLiteral(" - "));
}

bool TfDodSes::readFilter(DeliveryStatistics::Filter *filter)
{
    filter->from = SummaryPrint::fieldDate(eDatOd->text());
    filter->to = SummaryPrint::fieldDate(eDatDo->text());
    if (!filter->from.isValid() || !filter->to.isValid()) {
        Prompt::warning(QStringLiteral(" Není vyplněno datum "), DeliveryStatistics::Title);
        return false;
    }
    filter->firm = ncFirma->key();
    filter->section = chosenKey(cbSekce);
    filter->item = chosenKey(cbMaterial);
    return true;
}

int TfDodSes::Tisk(Layout layout)
{
    DeliveryStatistics::Filter filter;
    if (!readFilter(&filter))
        return -1;
    ListPrintJob job;
    job.jobName = DeliveryStatistics::Title;
    job.options.title1 = DeliveryStatistics::Title;
    job.options.title2 = SummaryPrint::periodText(filter.from, filter.to)
                         + (ncFirma->key() ? QStringLiteral("  ") + ncFirma->text() : QString());
    if (!ListPrintWindows::askOptions(this, job))
        return 1;
    Print::Document document;
    QString error;
    if (!DeliveryStatistics::render(m_dm, layout, filter, job.options, &document, &error)) {
        Prompt::warning(QStringLiteral("Otevření seznamu pro tisk\n") + error, DeliveryStatistics::Title);
        return -2;
    }
    showPreview(document);
    return 0;
}
