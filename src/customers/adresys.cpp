#include "customers/adresys.h"
#include "customers/adresy.h"
#include "customers/adresyc.h"
#include "core/prompt.h"

#include <QPointer>

const QString TfAdresyS::AliasTables = QStringLiteral(
    "ADR;ADR;Objednatel;('1');FIR;FIR;Objednatel doplňující;('1');STR;STR;Střediska;('1');");

TfAdresyS::TfAdresyS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fAdresyS"));
    setWindowTitle(QStringLiteral("Tarko 8: seznam adres"));
}

int TfAdresyS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfAdresyS::OpenDetail(int key)
{
    auto *c = qobject_cast<TfAdresyC *>(controller());
    ShowEditWindow(c, key, [&] { return new TfAdresy(c, this); }, windowTitle());
}

TfAdresyS *VytvorAdresar(QWidget *parent)
{
    TfAdresyC *c = TfClass::create<TfAdresyC>(DM);
    if (!c)
        return nullptr;
    c->SetVariable(QStringLiteral("PERHP"), 12);
    c->SetVariable(QStringLiteral("PERPV"), 12);
    c->SetVariable(QStringLiteral("PERPK"), 12);
    c->SetVariable(QStringLiteral("TYP"), 1);
    return attachList<TfAdresyS>(parent, c);
}

TfAdresyS *OtevriAdresar(QWidget *parent, int key)
{
    TfAdresyS *list = VytvorAdresar(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    if (key > 0)
        list->Reopen(key);
    return list;
}
