#include "inspections/pvs.h"
#include "inspections/pv.h"
#include "inspections/pvc.h"

#include <QDate>

const QString TfPVS::AliasTables = QStringLiteral(
    "VOD;VOD;Prohlídky PV;(1);ADR;ADR;Majitel PV;(1);STR;STR;Umístění PV;(1);ADR;TE1;Technik 1;(1);"
    "ADR;TE2;Technik 2;(2)");

TfPVS::TfPVS(QWidget *parent)
    : TfInspectionList({AliasTables, QStringLiteral("VOD"), QStringLiteral("VOD_HLAV"), QStringLiteral("HOTOVO"),
                        QStringLiteral("Doplnění PV")},
                       parent)
{
    setObjectName(QStringLiteral("fPVS"));
    setWindowTitle(QStringLiteral("Požární vodovody"));
}

TfPVC *TfPVS::pvc() const
{
    return qobject_cast<TfPVC *>(controller());
}

void TfPVS::OpenDetail(int key)
{
    OtevriKontroluPV(pvc(), key, this);
}

int TfPVS::BeforeNewRecord()
{
    if (TfPVC *c = pvc())
        c->PresetNewInspection();
    return 0;
}

TfPVS *VytvorKontrolyPV(QWidget *parent)
{
    TfPVC *c = TfClass::create<TfPVC>(DM);
    if (!c)
        return nullptr;
    c->PresetNewInspection();
    return attachList<TfPVS>(parent, c);
}

TfPVS *OtevriKontrolyPV(QWidget *parent)
{
    return showInspectionList(VytvorKontrolyPV(parent));
}
