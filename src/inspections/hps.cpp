#include "inspections/hps.h"
#include "inspections/dokdop.h"
#include "inspections/hp.h"
#include "inspections/hpc.h"
#include "inspections/hpnajdi.h"
#include "widgets/heslo.h"
#include "core/prompt.h"
#include "core/sqlpro.h"

#include <QAction>
#include <QDate>
#include <QMenu>
#include <QSet>
#include <QToolBar>

namespace {
const QString BulkCaption = QStringLiteral("Doplnění");
}

const QString TfHPS::AliasTables = QStringLiteral(
    "HAS;HAS;Prohlídky HP;(1);ADR;ADR;Majitel HP;(1);STR;STR;Umístění HP;(1);ADR;TE1;Technik 1;(1);"
    "ADR;TE2;Technik 2;(2)");

TfHPS::TfHPS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fHPS"));
    setWindowTitle(QStringLiteral("Seznam prohlídek HP"));
    if (QAction *detail = action(QStringLiteral("acDetail")))
        detail->setToolTip(QStringLiteral("Zobrazit doklad o kontrole"));

    QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"));
    auto *bulk = new QAction(QStringLiteral("Hromadně změnit doklady o kontrole"), this);
    bulk->setObjectName(QStringLiteral("acHromadneZmenit"));
    connect(bulk, &QAction::triggered, this, &TfHPS::HromadneZmenit);
    if (bar)
        bar->addAction(bulk);

    auto *serial = new QAction(QStringLiteral("Fltr pro výrobní číslo HP"), this);
    serial->setObjectName(QStringLiteral("acFiltrVyrCis"));
    connect(serial, &QAction::triggered, this, &TfHPS::FiltrVyrobniCislo);
    if (QAction *filters = action(QStringLiteral("acFiltry")); filters && filters->menu()) {
        filters->menu()->addSeparator();
        filters->menu()->addAction(serial);
    }
}

TfHPC *TfHPS::hpc() const
{
    return qobject_cast<TfHPC *>(controller());
}

int TfHPS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

int TfHPS::DefaultFilter()
{
    // the same recent inspections the controller lists by itself
    Templates::FilterCondition recent;
    recent.item = QStringLiteral("HAS.DATUM");
    recent.caption = QStringLiteral("Datum kontroly");
    recent.op = QStringLiteral(">");
    recent.value = QDate::currentDate().addDays(-40).toString(QStringLiteral("dd.MM.yyyy"));
    recent.type = QStringLiteral("D");
    filter().conditions.clear();
    filter().conditions << recent;
    return 0;
}

void TfHPS::OpenDetail(int key)
{
    OtevriKontroluHP(hpc(), key, this);
}

int TfHPS::BeforeNewRecord()
{
    if (TfHPC *c = hpc())
        c->PresetNewInspection();
    return 0;
}

void TfHPS::CellColors(int row, int column, CellLook &look)
{
    (void)column;
    if (!controller())
        return;
    const QString state = controller()->list().value(row, QStringLiteral("FAKTURA")).toString().trimmed();
    if (state == QLatin1String("P"))
        look.font = Qt::darkGreen;
    else if (state == QLatin1String("R"))
        look.font = Qt::red;
    else if (state == QLatin1String("H"))
        look.font = Qt::blue;
}

void TfHPS::HromadneZmenit()
{
    if (!controller())
        return;
    TfDokDop dialog(this);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    Doplnit(dialog.values(), dialog.scope());
}

int TfHPS::Doplnit(const TVarSQL &values, int scope)
{
    if (!controller() || values.isEmpty())
        return 1;
    if (!ConfirmUpdateScope(scope))
        return 1;

    // Only the password lets a change reach locked inspections.
    bool unlocked = false;
    if (values.GetVariable(QStringLiteral("ZAMEK")).toString() == QLatin1String("N")) {
        TfHeslo heslo(this);
        const int answer = heslo.ask();
        if (answer != TfHeslo::Correct) {
            if (answer == TfHeslo::Wrong)
                Prompt::warning(QStringLiteral("Nesprávné heslo"), QStringLiteral("Zámek"));
            return answer == TfHeslo::Wrong ? -1 : 1;
        }
        unlocked = true;
    }

    const int key = currentKey();
    QString error;
    const int r = UpdateRows(controller()->list(), controller()->dm(), QStringLiteral("PR_HLAV"),
                             QStringLiteral("UNCIS"), scope, values, !unlocked, &error);
    if (r < 0)
        Prompt::warning(QStringLiteral("Chyba  - záznamy nebyly doplněny"), BulkCaption);
    else
        Prompt::information(QStringLiteral("Hotovo"), BulkCaption);
    reopenKeepingMarks(key);
    return r < 0 ? -1 : 0;
}

void TfHPS::reopenKeepingMarks(int key)
{
    // the user often goes on with the same marked rows (state first, then the lock)
    ListDataset &list = controller()->list();
    QSet<int> marked;
    for (int row = 0; row < list.loadedRows(); ++row)
        if (list.isMarked(row))
            marked.insert(list.value(row, QStringLiteral("UNCIS")).toInt());
    Reopen(key);
    if (marked.isEmpty())
        return;
    for (int row = 0; row < list.loadedRows(); ++row)
        if (marked.contains(list.value(row, QStringLiteral("UNCIS")).toInt()))
            list.setMarked(row, true);
    UpdateStatus();
}

void TfHPS::FiltrVyrobniCislo()
{
    if (!controller())
        return;
    TfHPNajdi search(controller()->dm(), this);
    if (Prompt::runModal(&search) != QDialog::Accepted || search.chosenInspection() <= 0)
        return;
    OtevriKontroluHP(hpc(), search.chosenInspection(), this, search.chosenItem());
    Reopen(search.chosenInspection());
}

TfHPS *VytvorKontrolyHP(QWidget *parent)
{
    TfHPC *c = TfClass::create<TfHPC>(DM);
    if (!c)
        return nullptr;
    c->SetVariable(QStringLiteral("DATUM"), QDate::currentDate());
    c->SetVariable(QStringLiteral("FAKTURA"), QStringLiteral("P"));
    c->SetVariable(QStringLiteral("PRAVID"), QStringLiteral("A"));
    return attachList<TfHPS>(parent, c);
}

TfHPS *OtevriKontrolyHP(QWidget *parent)
{
    TfHPS *list = VytvorKontrolyHP(parent);
    if (!list)
        return nullptr;
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->show();
    return list;
}

void OtevriDohledaniHP(QWidget *parent)
{
    TfHPNajdi search(DM, parent);
    Prompt::runModal(&search);
}
