// The workshop link of the extinguisher inspection: the hand-over of the extinguishers
// taken for repair into the workshop register and the return of the repaired ones.
#include <cmath>
#include <memory>

#include "core/sqlrun.h"
#include "inspections/hpc.h"

namespace {

bool waitsForWorkshop(const RowCache &items, int row)
{
    return items.value(row, QStringLiteral("PREDILNA")).toString().trimmed() == QLatin1String("A");
}

} // namespace

WorkshopFill TfHPC::LinkFill()
{
    WorkshopFill fill;
    const RowCache &h = header();
    if (h.currentRow() < 0)
        return fill;
    fill.checkDate = h.value(QStringLiteral("DATUM")).toDate();
    fill.dispatchDate = fill.checkDate;
    fill.dispatchTech = h.value(QStringLiteral("UNCTECH")).toInt();
    fill.dispatchFirm = h.value(QStringLiteral("UNCFIR")).toInt();
    fill.dispatchSite = h.value(QStringLiteral("UNCSTR")).toInt();
    return fill;
}

int TfHPC::handOver(TfDilnaC &workshop, const WorkshopFill &fill)
{
    RowCache &h = header();
    RowCache &items = hp();
    TVarSQL received;
    received.SetVariable(QStringLiteral("STATUS"), int(TfDilnaC::Received));
    if (fill.check)
        fill.addCheckValues(received);
    QSqlQuery pressure = dm()->NewQuery();
    if (!prepareSql(pressure, QStringLiteral("SELECT ZkTl FROM Cenik WHERE UnCis = :UnCis"), &m_lastError))
        return -2;
    for (int r = 0; r < items.rowCount(); ++r) {
        const int status = items.value(r, QStringLiteral("STATUS")).toInt();
        if ((status != 2 && status != 4) || !waitsForWorkshop(items, r))
            continue;
        const QVariant unccen = items.value(r, QStringLiteral("UNCCEN"));
        if (!execSql(pressure, {{QStringLiteral("UnCis"), unccen}}, &m_lastError))
            return -2;
        const double zktl = pressure.next() ? std::round(pressure.value(0).toDouble() * 100.0) / 100.0 : 0.0;
        pressure.finish();

        TVarSQL &row = workshop.defaults();
        row = received;
        row.SetVariable(QStringLiteral("DATPRIL"), h.value(QStringLiteral("DATUM")));
        row.SetVariable(QStringLiteral("HP"), items.value(r, QStringLiteral("HP")));
        row.SetVariable(QStringLiteral("VYROBCE"), items.value(r, QStringLiteral("VYROBCE")));
        row.SetVariable(QStringLiteral("UNCPOL"), items.value(r, QStringLiteral("UNCIS")));
        row.SetVariable(QStringLiteral("UNCPRO"), h.value(QStringLiteral("UNCIS")));
        row.SetVariable(QStringLiteral("VYRCIS"), items.value(r, QStringLiteral("VYRCIS")));
        row.SetVariable(QStringLiteral("ROK"), items.value(r, QStringLiteral("ROK")));
        row.SetVariable(QStringLiteral("CARKOD"), items.value(r, QStringLiteral("CARKOD")));
        row.SetVariable(QStringLiteral("UNCPRITECH"), h.value(QStringLiteral("UNCTECH")));
        row.SetVariable(QStringLiteral("UNCPRIFIR"), h.value(QStringLiteral("UNCFIR")));
        row.SetVariable(QStringLiteral("UNCSTRPR"), h.value(QStringLiteral("UNCSTR")));
        row.SetVariable(QStringLiteral("PRETLAK"), zktl);
        row.SetVariable(QStringLiteral("UNCCEN"), unccen);
        if (workshop.InsertRecord() <= 0) {
            m_lastError = workshop.lastError();
            return -2;
        }
        // the same extinguisher comes back: it stays waiting for the return
        if (status == 4)
            items.setValue(r, items.fieldIndex(QStringLiteral("STATUS")), 14);
        else
            items.setValue(r, items.fieldIndex(QStringLiteral("PREDILNA")), QStringLiteral("N"));
    }
    return 0;
}

int TfHPC::takeBack(TfDilnaC &workshop, const WorkshopFill &fill, const WorkshopChooser &choose)
{
    const RowCache &h = header();
    RowCache &items = hp();
    WorkshopFill dispatch = fill;
    if (!dispatch.dispatchDate.isValid())
        dispatch.dispatchDate = h.value(QStringLiteral("DATUM")).toDate();
    TVarSQL values;
    dispatch.addDispatchValues(values);
    for (int r = 0; r < items.rowCount(); ++r) {
        const int status = items.value(r, QStringLiteral("STATUS")).toInt();
        if ((status != 6 && status != 8 && status != 14) || !waitsForWorkshop(items, r))
            continue;
        const ReturnedItem item{items.value(r, QStringLiteral("HP")).toString().trimmed(),
                                items.value(r, QStringLiteral("VYRCIS")).toString().trimmed(),
                                items.value(r, QStringLiteral("UNCCEN")).toInt()};
        int key = workshop.FitRowOf(item.vyrCis, item.unccen);
        if (key < 0) {
            m_lastError = workshop.lastError();
            return -2;
        }
        if (key == 0) {
            const int choice = choose ? choose(workshop, item, &key) : int(WorkshopSkip);
            if (choice == WorkshopEnd)
                break;
            if (choice != WorkshopTake || key <= 0)
                continue;
        }
        if (workshop.OpenRecord(key) < 0 || workshop.header().currentRow() < 0) {
            m_lastError = QStringLiteral("Dílenský záznam %1 nelze otevřít").arg(key);
            return -2;
        }
        RowCache &row = workshop.header();
        values.ApplyVariables(row, row.currentRow());
        row.setValue(QStringLiteral("UNCEXPFIR"), h.value(QStringLiteral("UNCFIR")));
        row.setValue(QStringLiteral("UNCSTREX"), h.value(QStringLiteral("UNCSTR")));
        row.setValue(QStringLiteral("UNCEXPTECH"), h.value(QStringLiteral("UNCTECH")));
        row.setValue(QStringLiteral("STATUS"), int(TfDilnaC::Dispatched));
        if (!item.vyrCis.isEmpty())
            row.setValue(QStringLiteral("VYRCIS"), item.vyrCis);
        row.setValue(QStringLiteral("UNCEXP"), h.value(QStringLiteral("UNCIS")));
        if (workshop.SaveRecordKeepOpen() < 0) {
            m_lastError = workshop.lastError();
            return -2;
        }
        if (status == 14)
            items.setValue(r, items.fieldIndex(QStringLiteral("STATUS")), 4);
        items.setValue(r, items.fieldIndex(QStringLiteral("PREDILNA")), QStringLiteral("N"));
    }
    return 0;
}

int TfHPC::PropojSDilnou(const WorkshopFill &fill, const WorkshopChooser &choose)
{
    if (header().currentRow() < 0)
        return -2;
    std::unique_ptr<TfDilnaC> workshop(TfClass::create<TfDilnaC>(dm()));
    if (!workshop)
        return -2;
    // Each part saves the inspection's pending changes, writes the workshop rows and
    // stores the items it moved, in one transaction; a failed part changes nothing.
    auto part = [this](const std::function<int()> &step) {
        return saveRecordInTransaction([this, &step] {
            const int r = step();
            if (r != 0)
                return r;
            return SaveRecordKeepOpen() < 0 ? int(ResSaveFailed) : 0;
        });
    };
    int r = part([&] { return handOver(*workshop, fill); });
    if (r == 0)
        r = part([&] { return takeBack(*workshop, fill, choose); });
    if (r != 0)
        return -2;   // the caches hold what is stored, with the user's pending changes
    return OpenRecord(m_currentKey) < 0 ? -2 : 0;
}
