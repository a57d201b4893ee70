#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "core/prompt.h"
#include "inspections/dilnas.h"
#include "inspections/hpdilyvykony.h"
#include "inspections/hps.h"
#include "inspections/pvs.h"
#include "inspections/planprohs.h"
#include "inspections/pks.h"

void wireInspectionEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miKontrolyHP"), [&window] { OtevriKontrolyHP(&window); });
    // the tool button "PV" runs the same entry
    window.bind(QStringLiteral("miKontrolyPV"), [&window] { OtevriKontrolyPV(&window); });
    window.bind(QStringLiteral("miPlan"), [&window] { OtevriPlan(&window); });
    window.bind(QStringLiteral("miPlanKomplet"), [&window] { OtevriPlanKomplet(&window); });
    // the tool button "PK" runs the same entry
    window.bind(QStringLiteral("miKontrolyPK"), [&window] { OtevriKontrolyPK(&window); });
    window.bind(QStringLiteral("miDohledaniHP"), [&window] { OtevriDohledaniHP(&window); });
    // the tool button "Dílna" runs the same entry
    window.bind(QStringLiteral("miDilna"), [&window] { OtevriDilnu(&window); });
    window.bind(QStringLiteral("miDilyVykony"), [&window] {
        TfHPDilyVykony parts(DM, &window);
        if (parts.isCreated())
            Prompt::runModal(&parts);
    });
}
