#include "inspections/hps.h"
#include "inspections/hp.h"
#include "inspections/hpc.h"
#include "inspections/hpnajdi.h"
#include "core/prompt.h"

#include <QAction>
#include <QDate>
#include <QMenu>

const QString TfHPS::AliasTables = QStringLiteral(
    "HAS;HAS;Prohlídky HP;(1);ADR;ADR;Majitel HP;(1);STR;STR;Umístění HP;(1);ADR;TE1;Technik 1;(1);"
    "ADR;TE2;Technik 2;(2)");

TfHPS::TfHPS(QWidget *parent)
    : InspectionList({QStringLiteral("PR_HLAV"), QStringLiteral("HAS"), QStringLiteral("FAKTURA"),
                      QStringLiteral("Doplnění")},
                     parent)
{
    setObjectName(QStringLiteral("fHPS"));
    setWindowTitle(QStringLiteral("Seznam prohlídek HP"));

    auto *serial = new QAction(QStringLiteral("Fltr pro výrobní číslo HP"), this);
    serial->setObjectName(QStringLiteral("acFiltrVyrCis"));
    connect(serial, &QAction::triggered, this, &TfHPS::FiltrVyrobniCislo);
    if (QAction *filters = action(QStringLiteral("acFiltry")); filters && filters->menu()) {
        filters->menu()->addSeparator();
        filters->menu()->addAction(serial);
    }
}

TfHPC *TfHPS::hpc() const
{
    return qobject_cast<TfHPC *>(controller());
}

int TfHPS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfHPS::OpenDetail(int key)
{
    OtevriKontroluHP(hpc(), key, this);
}

int TfHPS::BeforeNewRecord()
{
    if (TfHPC *c = hpc())
        c->PresetNewInspection();
    return 0;
}

void TfHPS::FiltrVyrobniCislo()
{
    if (!controller())
        return;
    TfHPNajdi search(controller()->dm(), this);
    if (Prompt::runModal(&search) != QDialog::Accepted || search.chosenInspection() <= 0)
        return;
    OtevriKontroluHP(hpc(), search.chosenInspection(), this, search.chosenItem());
    Reopen(search.chosenInspection());
}

TfHPS *VytvorKontrolyHP(QWidget *parent)
{
    TfHPC *c = TfClass::create<TfHPC>(DM);
    if (!c)
        return nullptr;
    c->SetVariable(QStringLiteral("DATUM"), QDate::currentDate());
    c->SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
    c->SetVariable(QStringLiteral("PRAVID"), QStringLiteral("A"));
    return attachList<TfHPS>(parent, c);
}

TfHPS *OtevriKontrolyHP(QWidget *parent)
{
    TfHPS *list = VytvorKontrolyHP(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

void OtevriDohledaniHP(QWidget *parent)
{
    TfHPNajdi search(DM, parent);
    Prompt::runModal(&search);
}
