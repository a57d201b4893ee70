#include "commerce/dodaks.h"
#include "commerce/dodak.h"
#include "commerce/dodakc.h"

const QString TfDodakS::AliasTables = QStringLiteral("DOH;DOH;Dodací list;(1);ADR;ADR;Příjemce;(1)");

TfDodakS::TfDodakS(QWidget *parent)
    : TfDocumentList(parent)
{
    setObjectName(QStringLiteral("fDodakS"));
    setWindowTitle(QStringLiteral("Tarko 8: Seznma dodacích listů"));
}

int TfDodakS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfDodakS::OpenDetail(int key)
{
    openEditWindow<TfDodakC, TfDodak>(key);
}

TfDodakS *OtevriDodaciListy(QWidget *parent)
{
    return DocumentLists::showModeless<TfDodakS, TfDodakC>(parent);
}

int VyberDodaciList(QWidget *parent)
{
    return DocumentLists::pick<TfDodakS, TfDodakC>(parent);
}

void ZobrazDodaciList(int key, QWidget *parent)
{
    TfDodakC *c = TfClass::create<TfDodakC>(DM);
    if (!c)
        return;
    c->AddRef();
    ShowEditWindow(c, key, [c, parent]() -> QDialog * { return new TfDodak(c, parent); }, TfDodakC::Caption);
    c->Release();
}
