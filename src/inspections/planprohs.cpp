#include "inspections/planprohs.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "core/prompt.h"
#include "inspections/planprohc.h"
#include "inspections/planprohtisk.h"
#include "widgets/printpreview.h"
#include "widgets/viewhelpers.h"

namespace {
const QString BuildCaption = QStringLiteral("Sestavení plánu kontrol");
const QString CalendarCaption = QStringLiteral("Export do kalendáře");
} // namespace

const QString TfPlanProhS::AliasTables =
    QStringLiteral("PPP;PPP;Plán prohlídek;(1);ADR;ADR;Adresy;(1);STR;STR;Střediska;(1)");
const QString TfPlanProhKomS::AliasTables = QStringLiteral(
    "PPR;PPR;Plán prohlídek;(1);ADR;ADR;Adresy;(1);STR;STR;Střediska;(1);ADR;TE1;Technik1;(1);ADR;TE2;Technik2;(1)");

TfPlanProhS::TfPlanProhS(QWidget *parent)
    : TfSeznam(parent)
{
    setObjectName(QStringLiteral("fPlanProhS"));
    setWindowTitle(QStringLiteral("Plán kontrol"));
    for (const char *name : {"acNovy", "acSmazat", "acDetail", "acHromadneMazani"})
        if (QAction *a = action(QLatin1String(name)))
            a->setVisible(false);

    QToolBar *bar = findChild<QToolBar *>(QStringLiteral("tbSeznam"));
    bar->addSeparator();
    bar->addWidget(new QLabel(QStringLiteral("Období od "), this));
    m_od = maskedDateField(this, QStringLiteral("eObdobiOd"));
    bar->addWidget(m_od);
    bar->addWidget(new QLabel(QStringLiteral(" do "), this));
    m_do = maskedDateField(this, QStringLiteral("eObdobiDo"));
    bar->addWidget(m_do);
    auto *apply = new QAction(QStringLiteral("Zrušit filtr"), this);
    apply->setObjectName(QStringLiteral("acObdobi"));
    apply->setToolTip(QStringLiteral("Zrušit filtr"));
    connect(apply, &QAction::triggered, this, [this] { PouzijObdobi(); });
    bar->addAction(apply);
    m_stav = new QLabel(this);
    m_stav->setObjectName(QStringLiteral("lStav"));
    bar->addWidget(m_stav);

    auto *report = new QAction(QStringLiteral("Sestava plánu"), this);
    report->setObjectName(QStringLiteral("acSestavaPlanu"));
    connect(report, &QAction::triggered, this, &TfPlanProhS::SestavaPlanu);
    if (QAction *print = action(QStringLiteral("acTisk")); print && print->menu())
        print->menu()->addAction(report);
    auto *calendar = new QAction(CalendarCaption, this);
    calendar->setObjectName(QStringLiteral("acExportKalendar"));
    connect(calendar, &QAction::triggered, this, &TfPlanProhS::ExportDoKalendare);
    if (QAction *exportAction = action(QStringLiteral("acExport")); exportAction && exportAction->menu())
        exportAction->menu()->addAction(calendar);
}

TfPlanProhC *TfPlanProhS::plan() const
{
    return qobject_cast<TfPlanProhC *>(controller());
}

int TfPlanProhS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfPlanProhS::AfterRefreshActions()
{
    for (const char *name : {"acSmazat", "acSmazatVybrany", "acDetail"})
        if (QAction *a = action(QLatin1String(name)))
            a->setEnabled(false);
}

QString TfPlanProhS::stav() const
{
    return m_stav->text();
}

void TfPlanProhS::setStav(const QString &text)
{
    m_stav->setText(text);
    m_stav->repaint();
}

bool TfPlanProhS::takePeriod()
{
    PlanPeriod::Bounds bounds;
    QString error;
    if (!PlanPeriod::fromFields(m_od->text(), m_do->text(), &bounds, &error)) {
        Prompt::warning(error, windowTitle());
        return false;
    }
    plan()->setPeriod(bounds);
    return true;
}

void TfPlanProhS::PouzijObdobi()
{
    if (plan() && takePeriod())
        Reopen();
}

void TfPlanProhS::SestavaPlanu()
{
    if (!plan())
        return;
    Print::Document document;
    QString error;
    if (PlanReport::render(*plan(), &document, &error) < 0) {
        Prompt::warning(QStringLiteral("Generování sestavy\n") + error, QStringLiteral("Sestava plánu"));
        return;
    }
    PrintPreview::open(document, this);
}

void TfPlanProhS::ExportDoKalendare()
{
    if (!plan())
        return;
    FileDialogRequest request;
    request.save = true;
    request.caption = CalendarCaption;
    request.filter = QStringLiteral("Kalendář iCalendar (*.ics);;Všechny soubory (*)");
    request.defaultSuffix = QStringLiteral("ics");
    const QString file = Prompt::saveFileName(request);
    if (file.isEmpty())
        return;
    QVector<PlanRow> rows;
    QString error;
    if (!plan()->readRows(&rows) || !PlanCalendar::write(file, rows, plan()->period(), &error)) {
        Prompt::warning(QStringLiteral("Export se nezdařil\n") + (error.isEmpty() ? plan()->lastError() : error),
                        CalendarCaption);
        return;
    }
    Prompt::information(QStringLiteral("Hotovo"), CalendarCaption);
}

TfPlanProhKomS::TfPlanProhKomS(QWidget *parent)
    : TfPlanProhS(parent)
{
    setObjectName(QStringLiteral("fPlanProhKomS"));
    setWindowTitle(QStringLiteral("Plán prohlídek - kompletní"));
}

int TfPlanProhKomS::PrepareList()
{
    setAliasTables(AliasTables);
    return 0;
}

void TfPlanProhKomS::PouzijObdobi()
{
    auto *c = qobject_cast<TfPlanProhKomC *>(controller());
    if (!c || !takePeriod())
        return;
    if (Prompt::question(QStringLiteral("Sestavení je společné pro všechny uživatele a\nmůže trvat i několik minut.\n"
                                        "Chcete pokračovat?"),
                         BuildCaption)
        != PromptYes)
        return;
    setStav(QStringLiteral("Pracuji..."));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int r = c->BuildPlan();
    QApplication::restoreOverrideCursor();
    if (r < 0) {
        setStav(QString());
        Prompt::warning(QStringLiteral("Plán kontrol nebyl sestaven, zůstává předchozí plán.\n") + c->lastError(),
                        BuildCaption);
        Reopen();
        return;
    }
    Reopen();
    setStav(QStringLiteral("Hotovo"));
}

TfPlanProhS *VytvorPlan(QWidget *parent)
{
    auto *c = TfClass::create<TfPlanProhC>(DM);
    return c ? attachList<TfPlanProhS>(parent, c) : nullptr;
}

TfPlanProhKomS *VytvorPlanKomplet(QWidget *parent)
{
    auto *c = TfClass::create<TfPlanProhKomC>(DM);
    return c ? attachList<TfPlanProhKomS>(parent, c) : nullptr;
}

namespace {
template <class List> List *shown(List *list)
{
    if (list) {
        list->setAttribute(Qt::WA_DeleteOnClose);
        list->show();
    }
    return list;
}
} // namespace

TfPlanProhS *OtevriPlan(QWidget *parent)
{
    return shown(VytvorPlan(parent));
}

TfPlanProhKomS *OtevriPlanKomplet(QWidget *parent)
{
    return shown(VytvorPlanKomplet(parent));
}
