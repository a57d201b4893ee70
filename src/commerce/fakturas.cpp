#include "commerce/fakturas.h"
#include "commerce/faktura.h"
#include "commerce/fakturac.h"
#include "core/prompt.h"
#include "widgets/editform.h"

const QString TfFakturaS::AliasTables =
    QStringLiteral("FAK;FAK;Faktura;(1);ADR;ODB;Odběratel;(1);ADR;PRI;Příjemce;(1);ADR;STR;Středisko;(1)");

TfFakturaS::TfFakturaS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fFakturaS"));
    setWindowTitle(QStringLiteral("Tarko 8: Seznam faktur"));
}

int TfFakturaS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfFakturaS::OpenDetail(int key)
{
    if (pickMode())
        return;
    auto *c = qobject_cast<TfFakturaC *>(controller());
    if (!c)
        return;
    ShowEditWindow(c, key, [c, this]() -> QDialog * { return new TfFaktura(c, this); }, windowTitle());
    Reopen(key);
}

void TfFakturaS::done(int result)
{
    if (pickMode() && result == Accepted)
        m_chosen = currentKey();
    TfSeznam::done(result);
}

namespace {
TfFakturaS *newList(QWidget *parent)
{
    TfFakturaC *c = TfClass::create<TfFakturaC>(DM);
    if (!c)
        return nullptr;
    auto *list = new TfFakturaS(parent);
    if (list->AttachController(c) < 0) {
        delete list;
        delete c;
        return nullptr;
    }
    return list;
}
} // namespace

TfFakturaS *OtevriFaktury(QWidget *parent)
{
    TfFakturaS *list = newList(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

int VyberFakturu(QWidget *parent, const QString &caption)
{
    TfFakturaS *list = newList(parent);
    if (!list)
        return 0;
    list->setPickMode(true);
    list->setWindowTitle(caption);
    const int result = Prompt::runModal(list);
    const int key = result == QDialog::Accepted ? list->chosenKey() : 0;
    delete list;
    return key;
}
