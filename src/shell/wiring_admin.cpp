#include "shell/menuwiring.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "admin/sql.h"
#include "admin/texty.h"
#include "admin/zaloha.h"
#include "core/prompt.h"
#include "core/settingsstore.h"
#include "core/shutdownsignals.h"

void wireAdminEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miTexty"), [&window] {
        TfTexty texty(&window);
        if (texty.isCreated())
            Prompt::runModal(&texty);
    });
    window.bind(QStringLiteral("miSQL"), [&window] { TfSQL::open(DM, &window); });
    window.bind(QStringLiteral("miZaloha"), [] { backupFromMenu(*DM); });
    window.bind(QStringLiteral("miObnova"), [&window] {
        const QString restored = restoreFromMenu(*DM);
        // a restore may have been the engine's first use in this run
        ShutdownSignals::install();
        if (restored.isEmpty()
            || Prompt::question(QStringLiteral("Přepnout připojení programu na obnovenou databázi %1?").arg(restored),
                                QStringLiteral("Obnova databáze ze zálohy"))
                   != PromptYes)
            return;
        WriteRegistryValue(QStringLiteral("SERVER NAME"), restored, TDM::connectionKeyPath());
        window.reconnect();
    });
}
