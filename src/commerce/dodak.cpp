#include "commerce/dodak.h"
#include "commerce/cenikc.h"
#include "commerce/dodakc.h"
#include "commerce/dodakdfaktura.h"
#include "commerce/dodakt.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"
#include "customers/nabcombo.h"
#include "widgets/dokradwindow.h"
#include "widgets/obectiskd.h"
#include "widgets/textedit.h"
#include "widgets/toolbuttons.h"
#include "widgets/viewhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

// The line grid: what is typed into the quantity, price and VAT columns goes to the
// controller, which makes the line and stores it at once.
class DodakLineModel : public RowCacheModel
{
public:
    DodakLineModel(TfDodakC *controller, QObject *parent)
        : RowCacheModel(&controller->lines(), parent)
        , m_c(controller)
    {
    }

    bool setData(const QModelIndex &index, const QVariant &value, int role) override
    {
        if (role != Qt::EditRole || !index.isValid())
            return false;
        const QString field = fieldOfColumn(index.column()).toUpper();
        const QString typed = value.toString();
        if (field == QLatin1String("DAN")) {
            const QChar c = typed.isEmpty() ? QLatin1Char(' ') : typed.at(0);
            return m_c->setVatClass(index.row(), c) == 0;
        }
        bool ok = false;
        const double number = valueFromText(typed, QMetaType(QMetaType::Double), &ok).toDouble();
        if (!ok)
            return false;
        if (field == QLatin1String("MNOZ"))
            return m_c->setQuantity(index.row(), number) == 0;
        if (field == QLatin1String("CENA"))
            return m_c->setPrice(index.row(), number) == 0;
        return false;
    }

private:
    TfDodakC *m_c;
};

TfDodak::TfDodak(TfDodakC *controller, QWidget *parent)
    : TfEditForm(parent)
{
    setObjectName(QStringLiteral("fDodak"));
    setWindowTitle(TfDodakC::Caption);
    setLockable(true);
    AttachController(controller);

    auto *layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildHeader());

    auto *bar = newToolBarLayout();
    m_cbSekce = new QComboBox(body());
    m_cbSekce->setObjectName(QStringLiteral("cbSekce"));
    bar->addWidget(m_cbSekce, 1);
    addToolButton(bar, body(), QStringLiteral("sbDoplnit"), QStringLiteral("Doplnit"), [this] { Doplnit(); });
    m_cbVyplnene = new QCheckBox(QStringLiteral("Zobrazit jen vyplněné záznamy"), body());
    m_cbVyplnene->setObjectName(QStringLiteral("cbVyplnene"));
    bar->addWidget(m_cbVyplnene);
    addToolButton(bar, body(), QStringLiteral("sbPrepocet"), QStringLiteral("Přepočet"), [this] { Prepocet(); });
    addToolButton(bar, body(), QStringLiteral("sbTisk"), QStringLiteral("Tisk"), [this] { Tisk(); });
    addToolButton(bar, body(), QStringLiteral("sbZahlavi"), QStringLiteral("Editace záhlaví"),
                  [this] { EditaceTextu(QStringLiteral("ZAHLAVI"), QStringLiteral("Editace záhlaví")); });
    addToolButton(bar, body(), QStringLiteral("sbZapati"), QStringLiteral("Editace zápatí"),
                  [this] { EditaceTextu(QStringLiteral("ZAPATI"), QStringLiteral("Editace zápatí")); });
    addToolButton(bar, body(), QStringLiteral("sbOpis"), QStringLiteral("Opis tabulky"), [this] { OpisTabulky(); });
    addToolButton(bar, body(), QStringLiteral("sbSumar"), QStringLiteral("Načíst sumář"), [this] { NactiSumar(); });
    addToolButton(bar, body(), QStringLiteral("sbFaktura"), QStringLiteral("Přesun do faktury"), [this] {
        if (ConfirmLeave() && PresunDoFaktury(dodakc(), this) > 0)
            reopenLines();
    });
    addToolButton(bar, body(), QStringLiteral("sbOdpojitFakturu"), QStringLiteral("Odpojit fakturu"), [this] {
        if (ConfirmLeave())
            OdpojitFakturu(dodakc());
    });
    addToolButton(bar, body(), QStringLiteral("sbSklad"), QStringLiteral("Přesun do skladu"), [this] {
        if (ConfirmLeave() && stockMove() && stockMove()(dodakc(), this) > 0)
            reopenLines();
    })->setEnabled(bool(stockMove()));
    layout->addLayout(bar);

    m_model = new DodakLineModel(controller, this);
    m_model->addColumn(QStringLiteral("KODC"), QStringLiteral("Kód"), false);
    m_model->addColumn(QStringLiteral("POPISC"), QStringLiteral("Popis"), false);
    m_model->addColumn(QStringLiteral("JEDNC"), QStringLiteral("Jedn."), false);
    m_model->addColumn(QStringLiteral("DAN"), QStringLiteral("DPH"));
    m_model->addColumn(QStringLiteral("SAZBADPH"), QStringLiteral("Sazba"), false);
    m_model->addColumn(QStringLiteral("CENPROC"), QStringLiteral("Ceník"), false, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("MNOZ"), QStringLiteral("Množství"));
    m_model->addColumn(QStringLiteral("CENA"), QStringLiteral("Cena"), true, DisplayFormat::Money);
    m_model->addColumn(QStringLiteral("CELKEM"), QStringLiteral("Celkem"), false, DisplayFormat::Money);
    m_grid = new QTableView(body());
    m_grid->setObjectName(QStringLiteral("dbgDodak"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_grid->setColumnWidth(1, 260);
    m_grid->installEventFilter(this);
    followCurrentRow(m_grid, m_model);

    m_eHledej = new QLineEdit(body());
    m_eHledej->setObjectName(QStringLiteral("eHledej"));
    m_eHledej->setPlaceholderText(QStringLiteral("Dohledání:"));
    connect(m_eHledej, &QLineEdit::textEdited, this, &TfDodak::search);

    m_sumar = new QTextEdit(body());
    m_sumar->setObjectName(QStringLiteral("reSumar"));
    m_sumar->setReadOnly(true);
    m_sumar->setTabStopDistance(160);
    auto *split = new QSplitter(body());
    auto *left = new QWidget(split);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_eHledej);
    leftLayout->addWidget(m_grid);
    split->addWidget(left);
    split->addWidget(m_sumar);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);

    connect(m_cbSekce, &QComboBox::currentIndexChanged, this, [this] { reopenLines(); });
    connect(m_cbVyplnene, &QCheckBox::toggled, this, [this] { reopenLines(); });
    resize(1000, 680);
}

std::function<int(TfDodakC *, QWidget *)> &TfDodak::stockMove()
{
    static std::function<int(TfDodakC *, QWidget *)> move;
    return move;
}

TfDodakC *TfDodak::dodakc() const
{
    return qobject_cast<TfDodakC *>(controller());
}

QWidget *TfDodak::buildHeader()
{
    RowCache &h = *dsHla();
    auto *panel = new QWidget(body());
    panel->setObjectName(QStringLiteral("pnlHlavicka"));
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto gate = [this] { return !isLocked(); };

    m_ncFirma = new NabCombo(panel);
    m_ncFirma->setObjectName(QStringLiteral("ncFirma"));
    m_ncFirma->setAddressMode(QStringLiteral("FIR"));
    m_ncFirma->bindField(&h, QStringLiteral("UNCFIR"), gate);
    connect(m_ncFirma, &NabCombo::OnVyber, this, [this](int key) {
        dodakc()->chooseCustomer(key);
        m_ncStredisko->setKey(0);
        Zmena(dsHla());
        reopenLines();
    });
    m_ncStredisko = new NabCombo(panel);
    m_ncStredisko->setObjectName(QStringLiteral("ncStredisko"));
    m_ncStredisko->setAddressMode(QStringLiteral("STR"), [this] {
        return dsHla()->currentRow() >= 0 ? dsHla()->value(QStringLiteral("UNCFIR")).toInt() : 0;
    });
    m_ncStredisko->bindField(&h, QStringLiteral("UNCSTR"), gate);
    m_ncVystavil = new NabCombo(panel);
    m_ncVystavil->setObjectName(QStringLiteral("ncVystavil"));
    m_ncVystavil->setAddressMode(QStringLiteral("ZAM"));
    m_ncVystavil->setToolTip(QStringLiteral("Výběr vastavujícího"));
    m_ncVystavil->bindField(&h, QStringLiteral("VYSTAVIL"), gate);
    for (NabCombo *c : {m_ncStredisko, m_ncVystavil})
        connect(c, &NabCombo::OnVyber, this, [this] { Zmena(dsHla()); });

    auto *eCisDod = new QLineEdit(panel);
    eCisDod->setObjectName(QStringLiteral("eCisDod"));
    eCisDod->setMaxLength(20);
    fields().bind(eCisDod, h, QStringLiteral("CISDOD"));
    auto *cislo = newToolBarLayout();
    cislo->addWidget(eCisDod, 1);
    addToolButton(cislo, panel, QStringLiteral("sbDokRad"), QStringLiteral("Výběr číselné řady"), [this] {
        if (isLocked())
            return;
        const QString code = TfDokRad::pickSeries(this, controller()->dm());
        if (!code.isEmpty()) {
            dsHla()->setValue(QStringLiteral("CISDOD"), code);
            Zmena(dsHla());
        }
    });
    auto *deDatVyst = new QDateEdit(panel);
    deDatVyst->setObjectName(QStringLiteral("deDatVyst"));
    deDatVyst->setCalendarPopup(true);
    deDatVyst->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    fields().bind(deDatVyst, h, QStringLiteral("DATVYST"));

    grid->addWidget(new QLabel(QStringLiteral("Příjemce"), panel), 0, 0);
    grid->addWidget(m_ncFirma, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Číslo"), panel), 0, 2);
    grid->addLayout(cislo, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Středisko"), panel), 1, 0);
    grid->addWidget(m_ncStredisko, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Datum"), panel), 1, 2);
    grid->addWidget(deDatVyst, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Vystavil"), panel), 2, 0);
    grid->addWidget(m_ncVystavil, 2, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

bool TfDodak::fillSections()
{
    m_cbSekce->blockSignals(true);
    m_cbSekce->clear();
    bool ok = true;
    for (const LookupItem &s : sectionChoices(controller()->dm())) {
        const QString name = s.extra.isEmpty() ? QString() : s.extra.first().toString();
        m_cbSekce->addItem(s.key.toString() + QStringLiteral(" - ") + name, s.key.toInt());
    }
    if (m_cbSekce->count() == 0) {
        Prompt::warning(QStringLiteral("Naplní seznamu sekcí"), TfDodakC::Caption);
        ok = false;
    }
    for (int v = DeliveryNote::FirstVirtualSection; v <= DeliveryNote::LastSection; ++v)
        m_cbSekce->addItem(DeliveryNote::virtualSectionName(v), v);
    m_cbSekce->blockSignals(false);
    m_sectionsFilled = true;
    return ok;
}

int TfDodak::section() const
{
    return m_cbSekce->currentData().isValid() ? m_cbSekce->currentData().toInt() : 1;
}

void TfDodak::setSection(int section)
{
    const int i = m_cbSekce->findData(section);
    if (i >= 0)
        m_cbSekce->setCurrentIndex(i);
}

void TfDodak::showEvent(QShowEvent *event)
{
    if (!m_sectionsFilled) {
        fillSections();
        reopenLines();
    }
    TfEditForm::showEvent(event);
}

void TfDodak::reopenLines()
{
    if (!m_sectionsFilled)
        fillSections();
    if (dodakc()->OpenLines(section(), m_cbVyplnene->isChecked()) < 0)
        Prompt::warning(QStringLiteral("Zvýšení sekce"), TfDodakC::Caption);
}

int TfDodak::OnEditChange(RowCache *source)
{
    return 0;
}

void TfDodak::search(const QString &text)
{
    RowCache &rows = dodakc()->lines();
    for (int r = 0; r < rows.rowCount(); ++r)
        for (const char *field : {"KODC", "POPISC", "JEDNC"})
            if (rows.value(r, QLatin1String(field)).toString().startsWith(text, Qt::CaseInsensitive)) {
                m_grid->setCurrentIndex(m_model->index(r, m_grid->currentIndex().column() < 0 ? 1 : m_grid->currentIndex().column()));
                return;
            }
}

bool TfDodak::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex at = m_grid->currentIndex();
        if (key->key() == Qt::Key_Delete && at.isValid()) {
            SmazPolozku();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && at.isValid()) {
            dodakc()->repriceFromTiers(at.row());
            return false;
        }
        // typing in the first three columns searches
        if (at.isValid() && at.column() < 3 && !key->text().isEmpty() && key->text().at(0).isPrint()) {
            m_eHledej->setText(m_eHledej->text() + key->text());
            search(m_eHledej->text());
            return true;
        }
    }
    return TfEditForm::eventFilter(watched, event);
}

void TfDodak::Doplnit()
{
    if (ConfirmLeave() && dodakc()->Doplnit() == 0) {
        m_cbVyplnene->setChecked(false);
        dodakc()->Prepocet();
    }
}

void TfDodak::Prepocet()
{
    dodakc()->Prepocet();
}

void TfDodak::NactiSumar()
{
    m_sumar->setHtml(dodakc()->Sumar());
}

void TfDodak::SmazPolozku()
{
    const int row = dodakc()->lines().currentRow();
    if (!dodakc()->hasLine(row))
        return;
    if (Prompt::question(QStringLiteral("Smazat položku"), TfDodakC::Caption) != PromptYes)
        return;
    dodakc()->SmazRadek(row);
}

void TfDodak::EditaceTextu(const QString &field, const QString &caption)
{
    if (dsHla()->currentRow() < 0)
        return;
    const QVariant before = dsHla()->value(field);
    TfTextEdit editor(this, controller()->dm());
    editor.setWindowTitle(caption);
    editor.BindField(*dsHla(), field);
    editor.setReadOnly(isLocked());
    Prompt::runModal(&editor);
    editor.Unbind();
    if (dsHla()->value(field) != before)
        Zmena(dsHla());
}

void TfDodak::OpisTabulky()
{
    QVector<ListColumn> columns;
    for (const char *field : {"KODC", "POPIS", "DAN", "JEDN", "MNOZ", "CENA", "CELKEM"}) {
        ListColumn c;
        c.field = QLatin1String(field);
        c.caption = m_model->headerData(qMax(0, m_model->columnOfField(c.field == QLatin1String("POPIS") ? QStringLiteral("POPISC") : c.field)),
                                        Qt::Horizontal, Qt::DisplayRole).toString();
        columns << c;
    }
    ListPrintWindows::printTable(this, controller()->dm(),
                                 QStringLiteral("SELECT C.KOD AS KODC, D.POPIS, D.DAN, D.JEDN, D.MNOZ, D.CENA, D.CELKEM FROM DODAK D "
                                                "LEFT OUTER JOIN CENIK C ON (C.UNCIS = D.UNCCEN) WHERE D.UNCH = :UNCH AND D.CSEKCE = :S "
                                                "ORDER BY D.POPIS"),
                                 {{QStringLiteral("UNCH"), controller()->currentKey()}, {QStringLiteral("S"), section()}},
                                 columns, QStringLiteral("Výpis z dodacího listu ") + dsHla()->value(QStringLiteral("CISDOD")).toString());
}

void TfDodak::Tisk()
{
    if (!ConfirmLeave())
        return;
    dodakc()->Prepocet();
    TfDodakT::preview(controller()->dm(), controller()->currentKey(), this);
}
