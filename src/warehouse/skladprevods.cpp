#include "warehouse/skladprevods.h"
#include "warehouse/skladprevod.h"
#include "warehouse/skladprevodc.h"

#include "core/prompt.h"
#include "widgets/editform.h"

#include <QAction>
#include <QDate>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

const QString TfSkladPrevodS::AliasTables =
    QStringLiteral("SKL;SKL;Přvodka;(1);ADR;VYD;Výdejce;(1);ADR;PRI;Příjemce;(1)");

TfSkladPrevodS::TfSkladPrevodS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fSkladPrevodS"));
    setWindowTitle(QStringLiteral("Tarko 8: Seznam skladových převodek"));
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mmNova"));
    for (const StockSlip::NewKind &k : StockSlip::newKinds()) {
        auto *a = menu->addAction(k.text);
        a->setObjectName(k.objectName);
        connect(a, &QAction::triggered, this, [this, kind = k.kind] { NovaPrevodka(kind); });
    }
    if (auto *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"))) {
        auto *button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("sbNovaPrevodka"));
        button->setText(QStringLiteral("Nová převodka"));
        button->setMenu(menu);
        button->setPopupMode(QToolButton::InstantPopup);
        bar->addWidget(button);
    }
}

int TfSkladPrevodS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfSkladPrevodS::NovaPrevodka(const QString &kind)
{
    if (!controller())
        return;
    controller()->SetVariable(QStringLiteral("TYPPOH"), kind);
    controller()->SetVariable(QStringLiteral("DATUM"), QDate::currentDate());
    NewRecord();
}

void TfSkladPrevodS::OpenDetail(int key)
{
    if (pickMode())
        return;
    auto *c = qobject_cast<TfSkladPrevodC *>(controller());
    if (!c)
        return;
    ShowEditWindow(c, key, [c, this]() -> QDialog * { return new TfSkladPrevod(c, this); }, windowTitle());
    Reopen(key);
}

void TfSkladPrevodS::done(int result)
{
    if (pickMode() && result == Accepted)
        m_chosen = currentKey();
    TfSeznam::done(result);
}

namespace {
TfSkladPrevodS *newList(QWidget *parent)
{
    TfSkladPrevodC *c = TfClass::create<TfSkladPrevodC>(DM);
    if (!c)
        return nullptr;
    auto *list = new TfSkladPrevodS(parent);
    if (list->AttachController(c) < 0) {
        delete list;
        delete c;
        return nullptr;
    }
    return list;
}
} // namespace

TfSkladPrevodS *OtevriVydejky(QWidget *parent)
{
    TfSkladPrevodS *list = newList(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

int VyberVydejku(QWidget *parent, const QString &caption)
{
    TfSkladPrevodS *list = newList(parent);
    if (!list)
        return 0;
    list->setPickMode(true);
    list->setWindowTitle(caption);
    const int result = Prompt::runModal(list);
    const int key = result == QDialog::Accepted ? list->chosenKey() : 0;
    delete list;
    return key;
}
