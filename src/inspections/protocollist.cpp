#include "inspections/protocollist.h"
#include "inspections/dokdop.h"
#include "widgets/heslo.h"
#include "core/prompt.h"
#include "core/sqlpro.h"
#include "core/varsql.h"
#include "core/class.h"
#include "core/listdataset.h"

#include <QAction>
#include <QDate>
#include <QSet>
#include <QToolBar>

TfInspectionList::TfInspectionList(const Texts &texts, QWidget *parent)
    : TfSeznam(parent)
    , m_texts(texts)
{
    if (QAction *detail = action(QStringLiteral("acDetail")))
        detail->setToolTip(QStringLiteral("Zobrazit doklad o kontrole"));
    auto *bulk = new QAction(QStringLiteral("Hromadně změnit doklady o kontrole"), this);
    bulk->setObjectName(QStringLiteral("acHromadneZmenit"));
    connect(bulk, &QAction::triggered, this, &TfInspectionList::HromadneZmenit);
    if (QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam")))
        bar->addAction(bulk);
}

int TfInspectionList::PrepareList()
{
    setAliasTables(m_texts.aliasTables);
    return 0;
}

int TfInspectionList::DefaultFilter()
{
    Templates::FilterCondition recent;
    recent.item = m_texts.alias + QStringLiteral(".DATUM");
    recent.caption = QStringLiteral("Datum kontroly");
    recent.op = QStringLiteral(">");
    recent.value = QDate::currentDate().addDays(-40).toString(QStringLiteral("dd.MM.yyyy"));
    recent.type = QStringLiteral("D");
    filter().conditions.clear();
    filter().conditions << recent;
    return 0;
}

void TfInspectionList::CellColors(int row, int column, CellLook &look)
{
    (void)column;
    if (!controller())
        return;
    const QString state = controller()->list().value(row, m_texts.stateColumn).toString().trimmed();
    if (state == QLatin1String("P"))
        look.font = Qt::darkGreen;
    else if (state == QLatin1String("R"))
        look.font = Qt::red;
    else if (state == QLatin1String("H"))
        look.font = Qt::blue;
}

void TfInspectionList::HromadneZmenit()
{
    if (!controller())
        return;
    TfDokDop dialog(this);
    if (Prompt::runModal(&dialog) != QDialog::Accepted)
        return;
    Doplnit(dialog.values(), dialog.scope());
}

int TfInspectionList::Doplnit(const TVarSQL &chosen, int scope)
{
    if (!controller() || chosen.isEmpty())
        return 1;
    if (!ConfirmUpdateScope(scope))
        return 1;
    // the dialog names the state as the extinguishers keep it
    TVarSQL values = chosen;
    const QString faktura = QStringLiteral("FAKTURA");
    if (m_texts.stateColumn != faktura && values.contains(faktura)) {
        values.SetVariable(m_texts.stateColumn, values.GetVariable(faktura));
        values.remove(faktura);
    }

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
    const int r = UpdateRows(controller()->list(), controller()->dm(), m_texts.headerTable, QStringLiteral("UNCIS"),
                             scope, values, !unlocked, &error);
    if (r < 0)
        Prompt::warning(QStringLiteral("Chyba  - záznamy nebyly doplněny"), m_texts.bulkCaption);
    else
        Prompt::information(QStringLiteral("Hotovo"), QStringLiteral("Doplnění"));
    reopenKeepingMarks(key);
    return r < 0 ? -1 : 0;
}

void TfInspectionList::reopenKeepingMarks(int key)
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
