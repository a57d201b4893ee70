#include "inspections/dilnas.h"

#include <QAction>
#include <QDate>
#include <QToolBar>

#include "commerce/doddil.h"
#include "core/prompt.h"
#include "inspections/dilna.h"
#include "inspections/dilnac.h"
#include "inspections/dilnadialogs.h"

namespace {
const QString StateItem = QStringLiteral("DIL.STATUS");
}

const QString TfDilnaS::AliasTables = QStringLiteral(
    "DIL;DIL;Dílenské kontroly;(1);ADR;PRI;Přijato od firmy;(1);STR;SPr;Přijato do střediska;(1);ADR;Exp;"
    "Expedováno firmě;(1);STR;SEx;Expedováno středisku;(1);ADR;Kom;Provedl prohlídku;(1)");

TfDilnaS::TfDilnaS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fDilnaS"));
    setWindowTitle(QStringLiteral("Dílenské prohlídky"));
    QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"));
    const QVector<QPair<const char *, QString>> toggles = {
        {"acPrijate", QStringLiteral("Zobrazit přijaté HP")},
        {"acPoZkousce", QStringLiteral("Zobrazit HP po DO a PZ")},
        {"acExpedovane", QStringLiteral("Zobrazit expedované HP")}};
    for (const auto &t : toggles) {
        auto *a = new QAction(t.second, this);
        a->setObjectName(QLatin1String(t.first));
        a->setCheckable(true);
        a->setChecked(QLatin1String(t.first) == QLatin1String("acPrijate"));
        connect(a, &QAction::toggled, this, [this] {
            ZobrazitStavy(action(QStringLiteral("acPrijate"))->isChecked(),
                          action(QStringLiteral("acPoZkousce"))->isChecked(),
                          action(QStringLiteral("acExpedovane"))->isChecked());
        });
        if (bar)
            bar->addAction(a);
    }
    auto *fill = new QAction(QStringLiteral("Doplnit"), this);
    fill->setObjectName(QStringLiteral("acDoplnit"));
    connect(fill, &QAction::triggered, this, &TfDilnaS::Doplnit);
    auto *parts = new QAction(QStringLiteral("Náhradní  díly a práce k HP"), this);
    parts->setObjectName(QStringLiteral("acNahradniDily"));
    connect(parts, &QAction::triggered, this, &TfDilnaS::NahradniDily);
    if (bar) {
        bar->addAction(fill);
        bar->addAction(parts);
    }
}

TfDilnaC *TfDilnaS::dilnac() const
{
    return qobject_cast<TfDilnaC *>(controller());
}

int TfDilnaS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

QString TfDilnaS::stateCondition() const
{
    auto on = [this](const char *name) {
        const QAction *a = action(QLatin1String(name));
        return a && a->isChecked();
    };
    return TfDilnaC::shownStates(on("acPrijate"), on("acPoZkousce"), on("acExpedovane"));
}

int TfDilnaS::DefaultFilter()
{
    Templates::FilterCondition states;
    states.item = StateItem;
    states.caption = QStringLiteral("Stav");
    states.op = Templates::Operator::In;
    states.value = stateCondition();
    states.type = QStringLiteral("I");
    filter().conditions.clear();
    filter().conditions << states;
    return 0;
}

void TfDilnaS::ZobrazitStavy(bool received, bool checked, bool dispatched)
{
    const QString states = TfDilnaC::shownStates(received, checked, dispatched);
    bool found = false;
    for (Templates::FilterCondition &c : filter().conditions)
        if (c.item == StateItem && c.op == Templates::Operator::In) {
            c.value = states;
            found = true;
        }
    if (!found) {
        DefaultFilter();
        filter().conditions.first().value = states;
    }
    if (controller())
        Reopen(currentKey());
}

void TfDilnaS::OpenDetail(int key)
{
    TfDilnaC *c = dilnac();
    ShowEditWindow(c, key, [c, this]() -> QDialog * { return new TfDilna(c, this); }, windowTitle());
    Reopen(key);
}

int TfDilnaS::BeforeNewRecord()
{
    if (controller())
        controller()->SetVariable(QStringLiteral("STATUS"), int(TfDilnaC::Received));
    return 0;
}

void TfDilnaS::CellColors(int row, int column, CellLook &look)
{
    (void)column;
    if (!controller())
        return;
    switch (controller()->list().value(row, QStringLiteral("STATUS")).toInt()) {
    case TfDilnaC::Withdrawn: look.font = QColor(160, 64, 160); break;
    case TfDilnaC::Checked: look.font = QColor(5, 49, 197); break;
    case TfDilnaC::Dispatched: look.font = QColor(197, 172, 1); break;
    default: break;
    }
}

void TfDilnaS::Doplnit()
{
    TfDilnaC *c = dilnac();
    if (!c)
        return;
    TfDilnaDPredVyp dialog(c, TfDilnaDPredVyp::ListMode, this);
    WorkshopFill today;
    today.checkDate = today.dispatchDate = QDate::currentDate();
    dialog.setFill(today);
    if (Prompt::runModal(&dialog) != QDialog::Accepted || dialog.scope() < 0)
        return;
    const int key = currentKey();
    if (c->Doplnit(dialog.fill(), dialog.scope()) != 1)
        Reopen(key);
}

void TfDilnaS::NahradniDily()
{
    TfDilnaC *c = dilnac();
    if (c && c->CanShowSpareParts() == 0)
        showSpareParts(c->list().value(QStringLiteral("UNCPOL")).toInt(), c->list().value(QStringLiteral("UNCPRO")).toInt(),
                       c->list().value(QStringLiteral("UNCCEN")).toInt(), this);
}

TfDilnaS *VytvorDilnu(QWidget *parent)
{
    TfDilnaC *c = TfClass::create<TfDilnaC>(DM);
    if (!c)
        return nullptr;
    c->SetVariable(QStringLiteral("STATUS"), int(TfDilnaC::Received));
    return attachList<TfDilnaS>(parent, c);
}

TfDilnaS *OtevriDilnu(QWidget *parent)
{
    TfDilnaS *list = VytvorDilnu(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}
