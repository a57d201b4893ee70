#include "warehouse/sklses.h"

#include "core/datamodulpro.h"
#include "core/prompt.h"
#include "customers/nabcombo.h"
#include "widgets/lookupcombo.h"
#include "widgets/obectiskd.h"
#include "widgets/printpreview.h"

#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <tuple>

using namespace StockReports;

TfSklSes::TfSklSes(TDMPro *dm, QWidget *parent)
    : QDialog(parent)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("fSklSes"));
    setWindowTitle(QStringLiteral("Tarko 8: Sestavy skladu"));
    auto *grid = new QGridLayout(this);
    auto date = [this](const char *name, const QDate &value) {
        auto *d = new QDateEdit(value, this);
        d->setObjectName(QLatin1String(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        return d;
    };
    const QDate today = QDate::currentDate();
    m_deOd = date("deDatOd", QDate(today.year(), today.month(), 1));
    m_deDo = date("deDatDo", today);
    m_ncSklad = new NabCombo(this);
    m_ncSklad->setObjectName(QStringLiteral("ncSklad"));
    m_ncSklad->setAddressMode(QStringLiteral("FIR"));
    m_cbSekce = new QComboBox(this);
    m_cbSekce->setObjectName(QStringLiteral("cbSekce"));
    m_cbSekce->addItem(QStringLiteral("Vše"), 0);
    for (int s = 3; s <= 10; ++s)
        m_cbSekce->addItem(QString::number(s), s);
    m_cbMaterial = new QComboBox(this);
    m_cbMaterial->setObjectName(QStringLiteral("cbMaterial"));
    connect(m_cbSekce, &QComboBox::currentIndexChanged, this, [this] { sectionChanged(); });

    const std::pair<const char *, QWidget *> fields[] = {{"Datum od:", m_deOd}, {"Datum do:", m_deDo},
                                                         {"Sklad:", m_ncSklad}, {"Sekce:", m_cbSekce},
                                                         {"Materiál:", m_cbMaterial}};
    int row = 0;
    for (const auto &f : fields) {
        grid->addWidget(new QLabel(QString::fromUtf8(f.first), this), row, 0);
        grid->addWidget(f.second, row++, 1, 1, 2);
    }
    const std::tuple<const char *, const char *, Kind> buttons[] = {
        {"bPohybSkladu", "Pohyb skladu", StoreMovement},   {"bPohybMaterialu", "Pohyb materiálu", ItemMovement},
        {"bNakupDny", "Nákup po dnech", PurchaseByDay},    {"bProdejDny", "Prodej po dnech", SaleByDay},
        {"bNakupSum", "Nákup sumárně", PurchaseSum},       {"bProdejSum", "Prodej sumárně", SaleSum}};
    int i = 0;
    for (const auto &[name, caption, kind] : buttons) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QLatin1String(name));
        const Kind k = kind;
        connect(b, &QPushButton::clicked, this, [this, k] { Tisk(k); });
        grid->addWidget(b, row + i / 2, 1 + i % 2);
        ++i;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    sectionChanged();
}

void TfSklSes::sectionChanged()
{
    fillLookupCombo(m_cbMaterial, materialChoices(m_dm, m_cbSekce->currentData().toInt()), QString(), true);
    m_cbMaterial->setCurrentIndex(0);
}

Filter TfSklSes::filter() const
{
    Filter f;
    f.from = m_deOd->date();
    f.to = m_deDo->date();
    f.store = m_ncSklad->key();
    f.item = m_cbMaterial->currentData().toInt();
    return f;
}

int TfSklSes::Tisk(Kind kind)
{
    const Filter f = filter();
    if (kind == ItemMovement && f.item <= 0) {
        Prompt::warning(QStringLiteral("Vyberte materiál."), title(kind));
        return 1;
    }
    ListPrintJob job;
    job.options.title1 = title(kind);
    job.options.title2 = periodText(m_dm, f);
    if (!ListPrintWindows::askOptions(this, job))
        return 1;
    QString error;
    if (StockReports::render(m_dm, kind, f, job.options, m_last, &error) < 0) {
        Prompt::error(error, title(kind));
        return -1;
    }
    PrintPreview::open(m_last, this);
    return 0;
}

TfSklSes *OtevriSestavySkladu(QWidget *parent)
{
    auto *window = new TfSklSes(DM, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}
