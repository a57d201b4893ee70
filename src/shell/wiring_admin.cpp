#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "admin/texty.h"
#include "core/prompt.h"

void wireAdminEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miTexty"), [&window] {
        TfTexty texty(&window);
        if (texty.isCreated())
            Prompt::runModal(&texty);
    });
}
