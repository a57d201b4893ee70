#include "warehouse/objvyds.h"
#include "core/prompt.h"
#include "warehouse/objvyd.h"
#include "warehouse/objvydc.h"
#include "widgets/editform.h"

const QString TfObjVydS::AliasTables = QStringLiteral("OBJ;OBJ;Objednávka;(1);ADR;ADR;Dodavatel;(1)");

TfObjVydS::TfObjVydS(QWidget *parent)
    : TfDocumentList(parent)
{
    setObjectName(QStringLiteral("fObjVydS"));
    setWindowTitle(QStringLiteral("Tarko 8: Seznam vydaných objednávek"));
}

int TfObjVydS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfObjVydS::OpenDetail(int key)
{
    openEditWindow<TfObjVydC, TfObjVyd>(key);
}

TfObjVydS *OtevriObjednavky(QWidget *parent)
{
    return DocumentLists::showModeless<TfObjVydS, TfObjVydC>(parent);
}

int VyberObjednavku(QWidget *parent, const QString &caption)
{
    return DocumentLists::pick<TfObjVydS, TfObjVydC>(parent, caption);
}
