#include "inspections/dilnadialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/format.h"
#include "core/prompt.h"
#include "core/sqlpro.h"
#include "customers/nabcombo.h"
#include "widgets/lookupcombo.h"

namespace {

NabCombo *addressBox(QWidget *parent, const QString &objectName, const QString &mode,
                     std::function<int()> firmKey = {})
{
    auto *combo = new NabCombo(parent);
    combo->setObjectName(objectName);
    combo->setAddressMode(mode, std::move(firmKey));
    return combo;
}

QPushButton *pushButton(QWidget *parent, const QString &objectName, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    return b;
}

} // namespace

QDateEdit *workshopDateField(QWidget *parent, const QString &objectName)
{
    auto *box = new QDateEdit(QDate::currentDate(), parent);
    box->setObjectName(objectName);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return box;
}

// --- TfDilnaDPredVyp -----------------------------------------------------------------

TfDilnaDPredVyp::TfDilnaDPredVyp(TfDilnaC *workshop, Mode mode, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fDilnaDPredVyp"));
    setWindowTitle(QStringLiteral("Vyplnění kontroly a expedice HP"));

    m_cbKontrola = new QCheckBox(QStringLiteral("Vyplnit kontrolu HP"), this);
    m_cbKontrola->setObjectName(QStringLiteral("cbKontrola"));
    m_gbKontrola = new QGroupBox(this);
    m_gbKontrola->setObjectName(QStringLiteral("gbKontrola"));
    m_deDatum = workshopDateField(m_gbKontrola, QStringLiteral("deDatum"));
    m_ncKomisar = addressBox(m_gbKontrola, QStringLiteral("ncKomisar"), QStringLiteral("TEC"));
    m_ncFirma = addressBox(m_gbKontrola, QStringLiteral("ncFirma"), QStringLiteral("FIR"));
    m_ncFirma->setKey(WorkshopFill::rememberedFirm());
    m_cbDuvVyr = new QComboBox(m_gbKontrola);
    m_cbDuvVyr->setObjectName(QStringLiteral("cbDuvVyr"));
    m_cbDuvVyr->setEditable(true);
    if (workshop)
        fillLookupCombo(m_cbDuvVyr, workshop->ReasonChoices(), QString(), true);
    m_cbDuvVyr->setCurrentIndex(0);
    auto *check = new QFormLayout(m_gbKontrola);
    check->addRow(QStringLiteral("Datum dílenské údržby.:"), m_deDatum);
    check->addRow(QStringLiteral("Komisař:"), m_ncKomisar);
    check->addRow(QStringLiteral("Firma:"), m_ncFirma);
    const std::array<const char *, 8> names = {"cbVnejPr", "cbVniPr", "cbZnacNad", "cbTlakZk",
                                               "cbTesVen", "cbPojVen", "cbPerZk", "cbZpusob"};
    const std::array<QString, 8> captions = {
        QStringLiteral("Povrchová prohlídka"), QStringLiteral("Vnitřní prohlídka"), QStringLiteral("Značení nádoby"),
        QStringLiteral("Pevnost a těsnost nádoby"), QStringLiteral("Pevnost a těsnost ventilu"),
        QStringLiteral("Pojistný ventil"), QStringLiteral("Dílenská zkouška"), QStringLiteral("Způsobilý")};
    for (size_t i = 0; i < names.size(); ++i) {
        m_results[i] = new QCheckBox(captions[i], m_gbKontrola);
        m_results[i]->setObjectName(QLatin1String(names[i]));
        m_results[i]->setChecked(true);
        check->addRow(QString(), m_results[i]);
    }
    check->addRow(QStringLiteral("Důvod vyřazení"), m_cbDuvVyr);

    m_cbExpedice = new QCheckBox(QStringLiteral("Vyplnit expedici"), this);
    m_cbExpedice->setObjectName(QStringLiteral("cbExpedice"));
    m_gbExpedice = new QGroupBox(this);
    m_gbExpedice->setObjectName(QStringLiteral("gbExpedice"));
    m_deDatExp = workshopDateField(m_gbExpedice, QStringLiteral("deDatExp"));
    m_ncTechnik = addressBox(m_gbExpedice, QStringLiteral("ncTechnik"), QStringLiteral("TEC"));
    m_ncExpFirma = addressBox(m_gbExpedice, QStringLiteral("ncExpFirma"), QStringLiteral("FIR"));
    m_ncStredisko = addressBox(m_gbExpedice, QStringLiteral("ncStredisko"), QStringLiteral("STR"),
                               [this] { return m_ncExpFirma->key(); });
    connect(m_ncExpFirma, &NabCombo::OnVyber, this, [this] { m_ncStredisko->setKey(0); });
    auto *dispatch = new QFormLayout(m_gbExpedice);
    dispatch->addRow(QStringLiteral("Datum exp.:"), m_deDatExp);
    dispatch->addRow(QStringLiteral("Technik:"), m_ncTechnik);
    dispatch->addRow(QStringLiteral("Firma:"), m_ncExpFirma);
    dispatch->addRow(QStringLiteral("Středisko:"), m_ncStredisko);

    QPushButton *potvrdit = pushButton(this, QStringLiteral("bPotvrdit"), QStringLiteral("Potvrdit volbu"));
    connect(potvrdit, &QPushButton::clicked, this, &QDialog::accept);
    auto *doplnit = new QToolButton(this);
    doplnit->setObjectName(QStringLiteral("sbDoplnit"));
    doplnit->setText(QStringLiteral("Doplnit"));
    doplnit->setPopupMode(QToolButton::InstantPopup);
    auto *scopes = new QMenu(doplnit);
    const QVector<QPair<QString, int>> scopeEntries = {{QStringLiteral("Vybraný záznam"), UpdateCurrentRow},
                                                       {QStringLiteral("Označené záznamy"), UpdateMarkedRows},
                                                       {QStringLiteral("Neoznačené záznamy"), UpdateUnmarkedRows},
                                                       {QStringLiteral("Všechny záznamy"), UpdateAllRows}};
    for (const auto &entry : scopeEntries) {
        QAction *a = scopes->addAction(entry.first);
        a->setObjectName(QStringLiteral("miDoplnit%1").arg(entry.second));
        connect(a, &QAction::triggered, this, [this, scope = entry.second] { Doplnit(scope); });
    }
    doplnit->setMenu(scopes);
    QPushButton *zavrit = pushButton(this, QStringLiteral("bZavrit"), QStringLiteral("Zavřít bez potvrzení"));
    connect(zavrit, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton *zapamatovat =
        pushButton(this, QStringLiteral("bZapamatovat"), QStringLiteral("Zapamatovat pro příští použití"));
    connect(zapamatovat, &QPushButton::clicked, this, &TfDilnaDPredVyp::Zapamatovat);
    potvrdit->setVisible(mode == LinkMode);
    doplnit->setVisible(mode == ListMode);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(potvrdit);
    buttons->addWidget(doplnit);
    buttons->addWidget(zapamatovat);
    buttons->addStretch();
    buttons->addWidget(zavrit);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_cbKontrola);
    layout->addWidget(m_gbKontrola);
    layout->addWidget(m_cbExpedice);
    layout->addWidget(m_gbExpedice);
    layout->addLayout(buttons);

    connect(m_cbKontrola, &QCheckBox::toggled, this, &TfDilnaDPredVyp::followBoxes);
    connect(m_cbExpedice, &QCheckBox::toggled, this, &TfDilnaDPredVyp::followBoxes);
    followBoxes();
}

void TfDilnaDPredVyp::followBoxes()
{
    m_gbKontrola->setEnabled(m_cbKontrola->isChecked());
    m_gbExpedice->setEnabled(m_cbExpedice->isChecked());
}

void TfDilnaDPredVyp::setFill(const WorkshopFill &fill)
{
    m_cbKontrola->setChecked(fill.check);
    m_cbExpedice->setChecked(fill.dispatch);
    if (fill.checkDate.isValid())
        m_deDatum->setDate(fill.checkDate);
    if (fill.dispatchDate.isValid())
        m_deDatExp->setDate(fill.dispatchDate);
    m_ncKomisar->setKey(fill.komisar);
    if (fill.firma > 0)
        m_ncFirma->setKey(fill.firma);
    for (size_t i = 0; i < m_results.size(); ++i)
        m_results[i]->setChecked(fill.results[i]);
    m_cbDuvVyr->setCurrentText(fill.duvVyr);
    m_ncTechnik->setKey(fill.dispatchTech);
    m_ncExpFirma->setKey(fill.dispatchFirm);
    m_ncStredisko->setKey(fill.dispatchSite);
}

WorkshopFill TfDilnaDPredVyp::fill() const
{
    WorkshopFill f;
    f.check = m_cbKontrola->isChecked();
    f.checkDate = m_deDatum->date();
    f.komisar = m_ncKomisar->key();
    f.firma = m_ncFirma->key();
    for (size_t i = 0; i < m_results.size(); ++i)
        f.results[i] = m_results[i]->isChecked();
    f.duvVyr = m_cbDuvVyr->currentText().trimmed();
    f.dispatch = m_cbExpedice->isChecked();
    f.dispatchDate = m_deDatExp->date();
    f.dispatchTech = m_ncTechnik->key();
    f.dispatchFirm = m_ncExpFirma->key();
    f.dispatchSite = m_ncStredisko->key();
    return f;
}

void TfDilnaDPredVyp::Doplnit(int scope)
{
    const QString refused = fill().refusal();
    if (!refused.isEmpty()) {
        Prompt::information(refused, QStringLiteral("Vyplnění"));
        return;
    }
    m_scope = scope;
    accept();
}

void TfDilnaDPredVyp::Zapamatovat()
{
    m_firmToRemember = m_ncFirma->key();
}

void TfDilnaDPredVyp::done(int result)
{
    if (m_firmToRemember >= 0)
        WorkshopFill::rememberFirm(m_firmToRemember);
    QDialog::done(result);
}

// --- TfDilnaDNabHP -------------------------------------------------------------------

TfDilnaDNabHP::TfDilnaDNabHP(TfDilnaC &workshop, const TfHPC::ReturnedItem &item, QWidget *parent)
    : QDialog(parent)
    , m_workshop(workshop)
    , m_hp(item.hp)
{
    setObjectName(QStringLiteral("fDilnaDNabHP"));
    setWindowTitle(QStringLiteral("Nabídka HP"));
    auto *lTyp = new QLabel(item.hp, this);
    lTyp->setObjectName(QStringLiteral("lTyp"));
    auto *lVyrCis = new QLabel(item.vyrCis, this);
    lVyrCis->setObjectName(QStringLiteral("lVyrCis"));
    m_eFiltr = new QLineEdit(this);
    m_eFiltr->setObjectName(QStringLiteral("eFiltr"));
    connect(m_eFiltr, &QLineEdit::textChanged, this, &TfDilnaDNabHP::Nacti);

    m_grid = new QTableWidget(0, 4, this);
    m_grid->setObjectName(QStringLiteral("dbgNabidka"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Přijato"), QStringLiteral("Výr. číslo"),
                                       QStringLiteral("Zkouška"), QStringLiteral("Způsobilý")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TfDilnaDNabHP::Vyber);

    QPushButton *vyber = pushButton(this, QStringLiteral("bVyber"), QStringLiteral("Vyber"));
    QPushButton *preskoc = pushButton(this, QStringLiteral("bPreskoc"), QStringLiteral("Přeskoč"));
    QPushButton *konec = pushButton(this, QStringLiteral("bKonec"), QStringLiteral("Konec"));
    connect(vyber, &QPushButton::clicked, this, &TfDilnaDNabHP::Vyber);
    connect(preskoc, &QPushButton::clicked, this, &TfDilnaDNabHP::Preskoc);
    connect(konec, &QPushButton::clicked, this, &TfDilnaDNabHP::Konec);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Typ HP:"), lTyp);
    form->addRow(QStringLiteral("Výr. číslo:"), lVyrCis);
    form->addRow(QStringLiteral("Hledat:"), m_eFiltr);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(vyber);
    buttons->addWidget(preskoc);
    buttons->addStretch();
    buttons->addWidget(konec);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    Nacti();
}

void TfDilnaDNabHP::Nacti()
{
    bool ok = false;
    const QVector<FitWorkshopRow> rows = m_workshop.FitRows(m_hp, m_eFiltr->text(), &ok);
    if (!ok)
        Prompt::warning(m_workshop.lastError(), windowTitle());
    m_grid->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const FitWorkshopRow &row = rows.at(r);
        const QStringList texts = {formatDate(row.received), row.vyrCis, formatDate(row.checked), row.zpusob};
        for (int c = 0; c < texts.size(); ++c) {
            auto *cell = new QTableWidgetItem(texts.at(c));
            if (c == 0)
                cell->setData(Qt::UserRole, row.key);
            m_grid->setItem(r, c, cell);
        }
    }
    if (!rows.isEmpty())
        m_grid->setCurrentCell(0, 0);
}

void TfDilnaDNabHP::Vyber()
{
    const int row = m_grid->currentRow();
    if (row < 0 || !m_grid->item(row, 0)) {
        Prompt::beep();
        return;
    }
    m_key = m_grid->item(row, 0)->data(Qt::UserRole).toInt();
    m_choice = TfHPC::WorkshopTake;
    accept();
}

void TfDilnaDNabHP::Preskoc()
{
    m_choice = TfHPC::WorkshopSkip;
    reject();
}

void TfDilnaDNabHP::Konec()
{
    m_choice = TfHPC::WorkshopEnd;
    reject();
}
