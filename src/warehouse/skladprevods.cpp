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
    : TfDocumentList(parent)
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
    openEditWindow<TfSkladPrevodC, TfSkladPrevod>(key);
}

TfSkladPrevodS *OtevriVydejky(QWidget *parent)
{
    return DocumentLists::showModeless<TfSkladPrevodS, TfSkladPrevodC>(parent);
}

int VyberVydejku(QWidget *parent, const QString &caption)
{
    return DocumentLists::pick<TfSkladPrevodS, TfSkladPrevodC>(parent, caption);
}
