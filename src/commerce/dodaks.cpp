#include "commerce/dodaks.h"
#include "commerce/dodak.h"
#include "commerce/dodakc.h"
#include "core/prompt.h"
#include "widgets/editform.h"

const QString TfDodakS::AliasTables = QStringLiteral("DOH;DOH;Dodací list;(1);ADR;ADR;Příjemce;(1)");

TfDodakS::TfDodakS(QWidget *parent)
    : TfSeznam(parent)
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
    if (pickMode())
        return;
    auto *c = qobject_cast<TfDodakC *>(controller());
    if (!c)
        return;
    ShowEditWindow(c, key, [c, this]() -> QDialog * { return new TfDodak(c, this); }, windowTitle());
    Reopen(key);
}

void TfDodakS::done(int result)
{
    if (pickMode() && result == Accepted)
        m_chosen = currentKey();
    TfSeznam::done(result);
}

namespace {
TfDodakS *newList(QWidget *parent)
{
    TfDodakC *c = TfClass::create<TfDodakC>(DM);
    if (!c)
        return nullptr;
    auto *list = new TfDodakS(parent);
    if (list->AttachController(c) < 0) {
        delete list;
        delete c;
        return nullptr;
    }
    return list;
}
} // namespace

TfDodakS *OtevriDodaciListy(QWidget *parent)
{
    TfDodakS *list = newList(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

int VyberDodaciList(QWidget *parent)
{
    TfDodakS *list = newList(parent);
    if (!list)
        return 0;
    list->setPickMode(true);
    const int result = Prompt::runModal(list);
    const int key = result == QDialog::Accepted ? list->chosenKey() : 0;
    delete list;
    return key;
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
