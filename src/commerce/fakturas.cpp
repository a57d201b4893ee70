#include "commerce/fakturas.h"
#include "commerce/faktura.h"
#include "commerce/fakturac.h"

#include <QLayout>
#include <QMenuBar>

const QString TfFakturaS::AliasTables =
    QStringLiteral("FAK;FAK;Faktura;(1);ADR;ODB;Odběratel;(1);ADR;PRI;Příjemce;(1);ADR;STR;Středisko;(1)");

TfFakturaS::TfFakturaS(QWidget *parent)
    : TfDocumentList(parent)
{
    setObjectName(QStringLiteral("fFakturaS"));
    setWindowTitle(QStringLiteral("Tarko 8: Seznam faktur"));
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("mmFakturaS"));
    layout()->setMenuBar(bar);
    QMenu *menu = bar->addMenu(QStringLiteral("Faktury"));
    menu->setObjectName(QStringLiteral("miFaktury"));
    const std::tuple<const char *, const char *, void (TfSeznam::*)()> entries[] = {
        {"miNova", "Nová", &TfSeznam::NewRecord},
        {"miSmazat", "Smazat", &TfSeznam::DeleteCurrent},
        {"miZobrazit", "Zobrazit", &TfSeznam::Detail}};
    for (const auto &[name, caption, run] : entries) {
        QAction *a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, run);
    }
}

int TfFakturaS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfFakturaS::OpenDetail(int key)
{
    openEditWindow<TfFakturaC, TfFaktura>(key);
}

TfFakturaS *OtevriFaktury(QWidget *parent)
{
    return DocumentLists::showModeless<TfFakturaS, TfFakturaC>(parent);
}

int VyberFakturu(QWidget *parent, const QString &caption)
{
    return DocumentLists::pick<TfFakturaS, TfFakturaC>(parent, caption);
}
