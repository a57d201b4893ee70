#include "inspections/dokdop.h"
#include "core/sqlpro.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfDokDop::TfDokDop(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fDokDop"));
    setWindowTitle(QStringLiteral("Doplnění plnění"));

    m_cbStav = new QComboBox(this);
    m_cbStav->setObjectName(QStringLiteral("cbStav"));
    m_cbStav->addItem(QString());
    for (const QString &stav : {QStringLiteral("P - Příprava"), QStringLiteral("R - Realizace"),
                                QStringLiteral("F - Fakturováné"), QStringLiteral("U - Uhrazeno"),
                                QStringLiteral("H - Hotovo")})
        m_cbStav->addItem(stav, stav.left(1));
    m_cbZamek = new QComboBox(this);
    m_cbZamek->setObjectName(QStringLiteral("cbZamek"));
    m_cbZamek->addItem(QString());
    m_cbZamek->addItem(QStringLiteral("Ano"), QStringLiteral("A"));
    m_cbZamek->addItem(QStringLiteral("Ne"), QStringLiteral("N"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Stav"), m_cbStav);
    form->addRow(QStringLiteral("Zámek"), m_cbZamek);

    auto *group = new QGroupBox(QStringLiteral("Doplnit"), this);
    group->setObjectName(QStringLiteral("rgRozsah"));
    auto *radios = new QVBoxLayout(group);
    auto radio = [&](const char *name, const QString &text) {
        auto *r = new QRadioButton(text, group);
        r->setObjectName(QString::fromLatin1(name));
        radios->addWidget(r);
        return r;
    };
    m_rbVybrany = radio("rbVybrany", QStringLiteral("Vybraný záznam"));
    m_rbOznacene = radio("rbOznacene", QStringLiteral("Označené záznamy"));
    m_rbNeoznacene = radio("rbNeoznacene", QStringLiteral("Neoznačené záznamy"));
    m_rbVsechny = radio("rbVsechny", QStringLiteral("Všechny záznamy"));
    m_rbVybrany->setChecked(true);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("bOK"));
    QPushButton *cancel = buttons->addButton(QStringLiteral("Storno"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("bStorno"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

int TfDokDop::scope() const
{
    if (m_rbOznacene->isChecked())
        return UpdateMarkedRows;
    if (m_rbNeoznacene->isChecked())
        return UpdateUnmarkedRows;
    if (m_rbVsechny->isChecked())
        return UpdateAllRows;
    return UpdateCurrentRow;
}

TVarSQL TfDokDop::values() const
{
    TVarSQL values;
    const QString stav = m_cbStav->currentData().toString();
    if (!stav.isEmpty())
        values.SetVariable(QStringLiteral("FAKTURA"), stav);
    const QString zamek = m_cbZamek->currentData().toString();
    if (!zamek.isEmpty())
        values.SetVariable(QStringLiteral("ZAMEK"), zamek);
    return values;
}
