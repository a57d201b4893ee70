#include "warehouse/objvyds.h"
#include "core/prompt.h"
#include "warehouse/objvyd.h"
#include "warehouse/objvydc.h"
#include "widgets/editform.h"

const QString TfObjVydS::AliasTables = QStringLiteral("OBJ;OBJ;Objednávka;(1);ADR;ADR;Dodavatel;(1)");

TfObjVydS::TfObjVydS(QWidget *parent)
    : TfSeznam(parent)
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
    if (pickMode())
        return;
    auto *c = qobject_cast<TfObjVydC *>(controller());
    if (!c)
        return;
    ShowEditWindow(c, key, [c, this]() -> QDialog * { return new TfObjVyd(c, this); }, windowTitle());
    Reopen(key);
}

void TfObjVydS::done(int result)
{
    if (pickMode() && result == Accepted)
        m_chosen = currentKey();
    TfSeznam::done(result);
}

namespace {
TfObjVydS *newList(QWidget *parent)
{
    TfObjVydC *c = TfClass::create<TfObjVydC>(DM);
    return c ? attachList<TfObjVydS>(parent, c) : nullptr;
}
} // namespace

TfObjVydS *OtevriObjednavky(QWidget *parent)
{
    TfObjVydS *list = newList(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

int VyberObjednavku(QWidget *parent, const QString &caption)
{
    TfObjVydS *list = newList(parent);
    if (!list)
        return 0;
    list->setPickMode(true);
    list->setWindowTitle(caption);
    const int result = Prompt::runModal(list);
    const int key = result == QDialog::Accepted ? list->chosenKey() : 0;
    delete list;
    return key;
}
