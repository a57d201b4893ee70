#include "inspections/dilna.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "customers/nabcombo.h"
#include "inspections/dilnac.h"
#include "inspections/dilnadialogs.h"
#include "widgets/lookupcombo.h"

namespace {

QLineEdit *lineField(QWidget *parent, const QString &objectName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

} // namespace

TfDilna::TfDilna(TfDilnaC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fDilna"));
    setWindowTitle(QStringLiteral("Dílna - detail"));
    AttachController(controller);

    m_pages = new QTabWidget(body());
    m_pages->setObjectName(QStringLiteral("pcDilna"));
    m_pages->addTab(receivedPage(), QStringLiteral("Příjem"));
    m_pages->addTab(checkPage(), QStringLiteral("Zkouška"));
    m_pages->addTab(dispatchPage(), QStringLiteral("Expedice"));

    auto *group = new QGroupBox(QStringLiteral("  Stav HP  "), body());
    group->setObjectName(QStringLiteral("rgStav"));
    group->setToolTip(QStringLiteral("Postup HP dílnou"));
    m_states = new QButtonGroup(this);
    auto *radios = new QVBoxLayout(group);
    const QVector<QPair<QString, int>> states = {{QStringLiteral("na vstupu"), TfDilnaC::Received},
                                                 {QStringLiteral("vyřazen"), TfDilnaC::Withdrawn},
                                                 {QStringLiteral("po zkoušce"), TfDilnaC::Checked},
                                                 {QStringLiteral("expedován"), TfDilnaC::Dispatched}};
    for (const auto &s : states) {
        auto *radio = new QRadioButton(s.first, group);
        radio->setObjectName(QStringLiteral("rbStav%1").arg(s.second));
        m_states->addButton(radio, s.second);
        radios->addWidget(radio);
    }
    radios->addStretch();
    connect(m_states, &QButtonGroup::idClicked, this, &TfDilna::StavVybran);

    auto *layout = new QHBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages, 1);
    layout->addWidget(group);

    RowCache &h = *dsHla();
    connect(&h, &RowCache::reset, this, &TfDilna::showRow);
    connect(&h, &RowCache::currentRowChanged, this, &TfDilna::showRow);
    connect(&h, &RowCache::rowChanged, this, &TfDilna::showRow);
    showRow();
    resize(640, 460);
}

TfDilnaC *TfDilna::dilnac() const
{
    return qobject_cast<TfDilnaC *>(controller());
}

bool TfDilna::editable() const
{
    return dsHla() && dsHla()->currentRow() >= 0 && !controller()->readOnly();
}

NabCombo *TfDilna::addressPicker(QWidget *parent, const QString &objectName, const QString &mode,
                                 const QString &field, const QString &firmField)
{
    auto *combo = new NabCombo(parent);
    combo->setObjectName(objectName);
    RowCache *h = dsHla();
    std::function<int()> firmKey;
    if (!firmField.isEmpty())
        firmKey = [h, firmField] { return h->currentRow() >= 0 ? h->value(firmField).toInt() : 0; };
    combo->setAddressMode(mode, firmKey);
    combo->bindField(h, field, [this] { return editable(); });
    connect(combo, &NabCombo::OnVyber, this, [this, field] {
        // a site belongs to the customer it was chosen for
        dilnac()->FirmChosen(field);
        for (NabCombo *picker : m_pickers)
            picker->refresh();
        Zmena(dsHla());
    });
    m_pickers << combo;
    return combo;
}

QWidget *TfDilna::receivedPage()
{
    auto *page = new QWidget;
    RowCache &h = *dsHla();
    QDateEdit *datum = workshopDateField(page, QStringLiteral("deDatPril"));
    fields().bind(datum, h, QStringLiteral("DATPRIL"));
    m_cbTyp = new QComboBox(page);
    m_cbTyp->setObjectName(QStringLiteral("cbTyp"));
    fillLookupCombo(m_cbTyp, dilnac()->TypeChoices(), QStringLiteral("  "));
    connect(m_cbTyp, &QComboBox::activated, this, &TfDilna::TypVybran);
    QLineEdit *vyrCis = lineField(page, QStringLiteral("eVyrCis"));
    fields().bind(vyrCis, h, QStringLiteral("VYRCIS"));
    QLineEdit *rok = lineField(page, QStringLiteral("eRok"));
    fields().bind(rok, h, QStringLiteral("ROK"));
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Datum:"), datum);
    form->addRow(QStringLiteral("Technik:"),
                 addressPicker(page, QStringLiteral("ncPriTech"), QStringLiteral("TEC"), QStringLiteral("UNCPRITECH")));
    form->addRow(QStringLiteral("Organ."),
                 addressPicker(page, QStringLiteral("ncPriFir"), QStringLiteral("FIR"), QStringLiteral("UNCPRIFIR")));
    form->addRow(QStringLiteral("Střed."), addressPicker(page, QStringLiteral("ncStrPr"), QStringLiteral("STR"),
                                                         QStringLiteral("UNCSTRPR"), QStringLiteral("UNCPRIFIR")));
    form->addRow(QStringLiteral("Typ"), m_cbTyp);
    form->addRow(QStringLiteral("Výr. číslo:"), vyrCis);
    form->addRow(QStringLiteral("Rok:"), rok);
    return page;
}

QWidget *TfDilna::checkPage()
{
    auto *page = new QWidget;
    RowCache &h = *dsHla();
    QDateEdit *datum = workshopDateField(page, QStringLiteral("deDatum"));
    fields().bind(datum, h, QStringLiteral("DATUM"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Datum:"), datum);
    form->addRow(QStringLiteral("Provedl:"),
                 addressPicker(page, QStringLiteral("ncFirma"), QStringLiteral("FIR"), QStringLiteral("UNCFIRMA")));
    form->addRow(QStringLiteral("Komisař:"), addressPicker(page, QStringLiteral("ncKomTech"), QStringLiteral("TEC"),
                                                           QStringLiteral("UNCKOMTECH")));
    auto pair = [&](const QString &caption, const char *measured, const char *reference) {
        auto *row = new QHBoxLayout;
        for (const char *field : {measured, reference}) {
            QLineEdit *edit = lineField(page, QStringLiteral("e") + QLatin1String(field));
            fields().bind(edit, h, QLatin1String(field));
            row->addWidget(edit);
        }
        form->addRow(caption, row);
    };
    pair(QStringLiteral("Tara:"), "TARA", "TARAR");
    pair(QStringLiteral("Objem:"), "OBJ", "OBJR");
    QLineEdit *tlak = lineField(page, QStringLiteral("ePretlak"));
    fields().bind(tlak, h, QStringLiteral("PRETLAK"));
    form->addRow(QStringLiteral("Tlak:"), tlak);
    const QStringList captions = {QStringLiteral("Povrchová prohlídka"), QStringLiteral("Vnitřní prohlídka"),
                                  QStringLiteral("Značení nádoby"), QStringLiteral("Pevnost a těsnost nádoby"),
                                  QStringLiteral("Pevnost a těsnost ventilu"), QStringLiteral("Pojistný ventil"),
                                  QStringLiteral("Period. zkouška"), QStringLiteral("HP způsobilý")};
    for (size_t i = 0; i < WorkshopFill::CheckColumns.size(); ++i) {
        const QString field = QLatin1String(WorkshopFill::CheckColumns[i]);
        auto *box = new QCheckBox(captions.at(int(i)), page);
        box->setObjectName(QStringLiteral("cb") + field);
        fields().bind(box, h, field, QStringLiteral("Ano"), QStringLiteral("Ne"));
        form->addRow(QString(), box);
    }
    auto *duvod = new QComboBox(page);
    duvod->setObjectName(QStringLiteral("cbDuvVyr"));
    duvod->setEditable(true);
    fillLookupCombo(duvod, dilnac()->ReasonChoices(), QString(), true);
    fields().bind(duvod, h, QStringLiteral("DUVVYR"));
    form->addRow(QStringLiteral("Důvod vyřazení"), duvod);
    auto *vyrazeni = new QPushButton(QStringLiteral("Doplnit vyřazení v protokole"), page);
    vyrazeni->setObjectName(QStringLiteral("bVyrazeni"));
    connect(vyrazeni, &QPushButton::clicked, this, [this] { DoplnitVyrazeni(); });
    form->addRow(QString(), vyrazeni);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

QWidget *TfDilna::dispatchPage()
{
    auto *page = new QWidget;
    QDateEdit *datum = workshopDateField(page, QStringLiteral("deDatExp"));
    fields().bind(datum, *dsHla(), QStringLiteral("DATEXP"));
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Datum:"), datum);
    form->addRow(QStringLiteral("Technik:"), addressPicker(page, QStringLiteral("ncExpTech"), QStringLiteral("TEC"),
                                                           QStringLiteral("UNCEXPTECH")));
    form->addRow(QStringLiteral("Organ."),
                 addressPicker(page, QStringLiteral("ncExpFir"), QStringLiteral("FIR"), QStringLiteral("UNCEXPFIR")));
    form->addRow(QStringLiteral("Střed."), addressPicker(page, QStringLiteral("ncStrEx"), QStringLiteral("STR"),
                                                         QStringLiteral("UNCSTREX"), QStringLiteral("UNCEXPFIR")));
    return page;
}

void TfDilna::showRow()
{
    const RowCache *h = dsHla();
    const bool row = h && h->currentRow() >= 0;
    if (m_cbTyp)
        m_cbTyp->setCurrentIndex(row ? m_cbTyp->findData(h->value(QStringLiteral("UNCCEN"))) : -1);
    if (!m_states)
        return;
    QAbstractButton *state = row ? m_states->button(h->value(QStringLiteral("STATUS")).toInt()) : nullptr;
    if (state) {
        state->setChecked(true);
    } else if (QAbstractButton *checked = m_states->checkedButton()) {
        m_states->setExclusive(false);
        checked->setChecked(false);
        m_states->setExclusive(true);
    }
}

void TfDilna::TypVybran(int index)
{
    if (!editable() || index < 0)
        return;
    if (dilnac()->ChooseType(m_cbTyp->itemData(index, LookupKeyRole).toInt()) == 0)
        Zmena(dsHla());
}

void TfDilna::StavVybran(int status)
{
    if (!editable() || !Zmena(dsHla()))
        return;
    dsHla()->setValue(QStringLiteral("STATUS"), status);
}

int TfDilna::DoplnitVyrazeni()
{
    const int r = dilnac()->DoplnitVyrazeni();
    setChanged(dilnac()->isModified());
    RefreshEditActions();
    return r;
}

void TfDilna::AfterRefreshEditActions()
{
    if (!m_pages || !m_states)
        return;   // attaching the controller refreshes before the pages exist
    const bool on = editable();
    m_pages->setEnabled(on);
    for (QAbstractButton *b : m_states->buttons())
        b->setEnabled(on);
}
