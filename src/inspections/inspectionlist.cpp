#include "inspections/inspectionlist.h"

#include <QAction>
#include <QDate>
#include <QSet>
#include <QToolBar>

#include "core/class.h"
#include "core/listdataset.h"
#include "core/prompt.h"
#include "core/sqlpro.h"
#include "inspections/dokdop.h"
#include "widgets/heslo.h"

InspectionList::InspectionList(const Kind &kind, QWidget *parent)
    : TfSeznam(parent)
    , m_kind(kind)
{
    if (QAction *detail = action(QStringLiteral("acDetail")))
        detail->setToolTip(QStringLiteral("Zobrazit doklad o kontrole"));
    QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"));
    auto *bulk = new QAction(QStringLiteral("Hromadně změnit doklady o kontrole"), this);
    bulk->setObjectName(QStringLiteral("acHromadneZmenit"));
    connect(bulk, &QAction::triggered, this, &InspectionList::HromadneZmenit);
    if (bar)
        bar->addAction(bulk);
}

int InspectionList::DefaultFilter()
{
    // the same recent inspections the controller lists by itself
    Templates::FilterCondition recent;
    recent.item = m_kind.alias + QStringLiteral(".DATUM");
    recent.caption = QStringLiteral("Datum kontroly");
    recent.op = QStringLiteral(">");
    recent.value = QDate::currentDate().addDays(-40).toString(QStringLiteral("dd.MM.yyyy"));
    recent.type = QStringLiteral("D");
    filter().conditions.clear();
    filter().conditions << recent;
    return 0;
}

void InspectionList::CellColors(int row, int column, CellLook &look)
{
    (void)column;
    if (!controller())
        return;
    const QString state = controller()->list().value(row, m_kind.stateColumn).toString().trimmed();
    if (state == QLatin1String("P"))
        look.font = Qt::darkGreen;
    else if (state == QLatin1String("R"))
        look.font = Qt::red;
    else if (state == QLatin1String("H"))
        look.font = Qt::blue;
}

void InspectionList::HromadneZmenit()
{
    if (!controller())
        return;
    TfDokDop dialog(this);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    Doplnit(dialog.values(), dialog.scope());
}

int InspectionList::Doplnit(const TVarSQL &values, int scope)
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
    const int r = UpdateRows(controller()->list(), controller()->dm(), m_kind.headerTable, QStringLiteral("UNCIS"),
                             scope, values, !unlocked, &error);
    if (r < 0)
        Prompt::warning(QStringLiteral("Chyba  - záznamy nebyly doplněny"), m_kind.bulkCaption);
    else
        Prompt::information(QStringLiteral("Hotovo"), m_kind.bulkCaption);
    reopenKeepingMarks(key);
    return r < 0 ? -1 : 0;
}

void InspectionList::reopenKeepingMarks(int key)
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
