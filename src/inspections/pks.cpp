#include "inspections/pks.h"

#include <QAction>
#include <QMenu>

#include "inspections/pk.h"
#include "inspections/pkc.h"
#include "inspections/protocolpreview.h"
#include "inspections/protocolprint.h"

const QString TfPKS::AliasTables = QStringLiteral(
    "PKL;PKL;Prohlídky PV;(1);ADR;ADR;Majitel PV;(1);STR;STR;Umístění PV;(1);ADR;TE1;Technik 1;(1);"
    "ADR;TE2;Technik 2;(2)");

TfPKS::TfPKS(QWidget *parent)
    : TfInspectionList({AliasTables, QStringLiteral("PKL"), QStringLiteral("PK_HLAV"), QStringLiteral("FAKTURA"),
                        QStringLiteral("Doplnění PK")},
                       parent)
{
    setObjectName(QStringLiteral("fPKS"));
    setWindowTitle(QStringLiteral("Seznam prohlídek PK"));
    auto *report = new QAction(QStringLiteral("Doklad o kontrole PK"), this);
    report->setObjectName(QStringLiteral("acDokladPK"));
    connect(report, &QAction::triggered, this, [this] { TiskDokladu(); });
    if (QAction *print = action(QStringLiteral("acTisk")); print && print->menu()) {
        print->menu()->addSeparator();
        print->menu()->addAction(report);
        addDesignEntry(print->menu(), {{report->text(), ProtocolPrint::damperDesignWindow()}}, this);
    }
}

TfPKC *TfPKS::pkc() const
{
    return qobject_cast<TfPKC *>(controller());
}

void TfPKS::OpenDetail(int key)
{
    OtevriKontroluPK(pkc(), key, this);
}

int TfPKS::BeforeNewRecord()
{
    if (TfPKC *c = pkc())
        c->PresetNewInspection();
    return 0;
}

int TfPKS::TiskDokladu()
{
    const int key = currentKey();
    if (key <= 0 || !controller())
        return 1;
    return TiskDokladuPK(key, controller()->dm(), this);
}

TfPKS *VytvorKontrolyPK(QWidget *parent)
{
    TfPKC *c = TfClass::create<TfPKC>(DM);
    if (!c)
        return nullptr;
    c->PresetNewInspection();
    return attachList<TfPKS>(parent, c);
}

TfPKS *OtevriKontrolyPK(QWidget *parent)
{
    return showInspectionList(VytvorKontrolyPK(parent));
}
