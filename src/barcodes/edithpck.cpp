#include "barcodes/edithpck.h"
#include "core/lookup.h"
#include "core/rowcachemodel.h"
#include "widgets/lookupcombo.h"
#include "widgets/toolbuttons.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// Customer and object rows say what they are in the grid's first columns.
class StagingView : public QIdentityProxyModel
{
public:
    StagingView(StagingEdit &edit, RowCacheModel *model, QObject *parent)
        : QIdentityProxyModel(parent), m_edit(edit), m_model(model)
    {
        setSourceModel(model);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole && index.isValid()
            && m_edit.rows().value(index.row(), QStringLiteral("TYPVET")).toInt() != StagingEdit::Extinguisher)
            return m_edit.displayText(index.row(), m_model->fieldOfColumn(index.column()));
        return QIdentityProxyModel::data(index, role);
    }
private:
    StagingEdit &m_edit;
    RowCacheModel *m_model;
};

QComboBox *picker(const QString &name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    return combo;
}

} // namespace

TfEditHPCK::TfEditHPCK(TDMPro *dm, QWidget *parent) : QDialog(parent), m_dm(dm), m_edit(dm)
{
    setObjectName(QStringLiteral("fEditHPCK"));
    setWindowTitle(QStringLiteral("Editace HP z načtených čárových kódů"));
    auto *layout = new QVBoxLayout(this);
    QHBoxLayout *bar = newToolBarLayout();
    addToolButton(bar, this, QStringLiteral("sbUloz"), QStringLiteral("Uložit"), [this] { m_edit.Uloz(); refresh(); });
    addToolButton(bar, this, QStringLiteral("sbZpet"), QStringLiteral("Zpět"), [this] { m_edit.Zpet(); refresh(); });
    addToolButton(bar, this, QStringLiteral("sbSmazat"), QStringLiteral("Smazat"), [this] { m_edit.SmazatZaznam(); refresh(); });
    addToolButton(bar, this, QStringLiteral("sbSmazatVse"), QStringLiteral("Smazat vše"), [this] {
        m_edit.SmazatVse();
        refresh();
    });
    addToolButton(bar, this, QStringLiteral("sbPrenest"), QStringLiteral("Přenést"), [this] { m_edit.Prenest(); refresh(); });
    layout->addLayout(bar);

    m_model = new RowCacheModel(&m_edit.rows(), this);
    m_model->addColumn(QStringLiteral("TYPVET"), QStringLiteral("Typ"), false);
    m_model->addColumn(QStringLiteral("HPCK"), QStringLiteral("Č. ř."), false);
    m_model->addColumn(QStringLiteral("MISTO"), QStringLiteral("Umístění"));
    m_model->addColumn(QStringLiteral("HP"), QStringLiteral("Značka HP"));
    m_model->addColumn(QStringLiteral("VYRCIS"), QStringLiteral("Výr. číslo"));
    m_model->addColumn(QStringLiteral("STAV"), QStringLiteral("Stav"));
    m_model->addColumn(QStringLiteral("POSDIL"), QStringLiteral("Rok D.Z."));
    m_model->addColumn(QStringLiteral("OPRTEXT"), QStringLiteral("Specifikace"));
    m_model->addColumn(QStringLiteral("POZN"), QStringLiteral("Poznámka"));
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("dbgSez"));
    m_grid->setModel(new StagingView(m_edit, m_model, this));
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    layout->addWidget(m_grid, 1);
    m_edit.open();
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &previous) {
                // leaving a row posts it: the year of manufacture follows its serial number
                if (previous.isValid())
                    m_edit.prePost(previous.row());
                currentChanged(current.row());
            });

    auto *pickers = new QFormLayout;
    pickers->addRow(QStringLiteral("Firma"), m_customer = picker(QStringLiteral("cbFirma")));
    pickers->addRow(QStringLiteral("Středisko"), m_site = picker(QStringLiteral("cbStredisko")));
    pickers->addRow(QStringLiteral("Technik"), m_technician = picker(QStringLiteral("cbTechnik")));
    pickers->addRow(QStringLiteral("Datum"), m_date = new QDateEdit(QDate::currentDate()));
    m_date->setObjectName(QStringLiteral("eDatum"));
    pickers->addRow(QStringLiteral("Objekt"), m_object = new QLineEdit);
    m_object->setObjectName(QStringLiteral("eObjekt"));
    m_object->setMaxLength(20);
    pickers->addRow(QStringLiteral("Typ HP"), m_type = picker(QStringLiteral("cbTypHP")));
    layout->addLayout(pickers);
    fillLookupCombo(m_customer, readLookup(dm, QStringLiteral("SELECT UNCIS, NAZEV FROM ADRESAR ORDER BY NAZEV")));
    fillLookupCombo(m_technician, readLookup(dm, QStringLiteral("SELECT UNCIS, NAZEV FROM ADRESAR WHERE TYP > 2 ORDER BY NAZEV")));
    fillLookupCombo(m_type, readLookup(dm, QStringLiteral("SELECT UNCIS, POPIS, VYROBCE FROM CENIK WHERE CSEKCE = 7 ORDER BY POPIS")),
                    QStringLiteral("-"));
    const auto chosen = [this](QComboBox *combo, const std::function<void(int)> &choose) {
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, combo, choose](int index) {
            if (!m_filling && m_edit.rows().currentRow() >= 0 && index >= 0)
                choose(combo->itemData(index, LookupKeyRole).toInt());
        });
    };
    chosen(m_customer, [this](int key) {
        m_edit.chooseCustomer(key);
        currentChanged(m_edit.rows().currentRow());
    });
    chosen(m_site, [this](int key) { m_edit.chooseSite(key); });
    chosen(m_technician, [this](int key) { m_edit.chooseTechnician(key); });
    chosen(m_type, [this](int key) { m_edit.chooseType(key); });
    connect(m_date, &QDateEdit::dateChanged, this, [this](const QDate &d) {
        if (!m_filling && m_edit.rows().currentRow() >= 0)
            m_edit.chooseDate(d);
    });
    connect(m_object, &QLineEdit::textEdited, this, [this](const QString &t) {
        if (m_edit.rows().currentRow() >= 0)
            m_edit.chooseObject(t);
    });
    currentChanged(-1);
}

void TfEditHPCK::refresh()
{
    currentChanged(m_edit.rows().currentRow());
}

void TfEditHPCK::currentChanged(int row)
{
    m_edit.rows().setCurrentRow(row);
    const int kind = row < 0 ? 0 : m_edit.rows().value(QStringLiteral("TYPVET")).toInt();
    const bool customer = kind == StagingEdit::Customer;
    m_filling = true;
    for (QWidget *w : {static_cast<QWidget *>(m_customer), static_cast<QWidget *>(m_site),
                       static_cast<QWidget *>(m_technician), static_cast<QWidget *>(m_date)})
        w->setEnabled(customer);
    m_object->setEnabled(kind == StagingEdit::Object);
    m_type->setEnabled(kind == StagingEdit::Extinguisher);
    if (customer) {
        const int fir = m_edit.rows().value(QStringLiteral("UNCFIR")).toInt();
        fillLookupCombo(m_site, readLookup(m_dm, QStringLiteral("SELECT UNCIS, STREDISKO FROM STREDISKA WHERE UNCH = :F "
                                                                "ORDER BY STREDISKO"),
                                           {{QStringLiteral("F"), fir}}));
        m_customer->setCurrentIndex(m_customer->findData(fir, LookupKeyRole));
        m_site->setCurrentIndex(m_site->findData(m_edit.rows().value(QStringLiteral("UNCSTR")).toInt(), LookupKeyRole));
        m_technician->setCurrentIndex(m_technician->findData(m_edit.rows().value(QStringLiteral("UNCTECH")).toInt(), LookupKeyRole));
        const QDate date = m_edit.rows().value(QStringLiteral("DATUM")).toDate();
        m_date->setDate(date.isValid() ? date : QDate::currentDate());
    }
    m_object->setText(kind == StagingEdit::Object ? m_edit.rows().value(QStringLiteral("OBJEKT")).toString() : QString());
    m_filling = false;
}
