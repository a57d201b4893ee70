// Program entry: the data module with the one connection, the main window, and the
// message loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "core/firebird.h"
#include "core/globals.h"
#include "core/secrets.h"
#include "widgets/prubeh.h"
#include "widgets/widgetprompt.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

int main(int argc, char **argv)
{
    Secrets::installLogFilter();
    Firebird::chooseLockDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TARKO - evidence servisního technika PO"));
    QApplication::setOrganizationName(QStringLiteral("MORVANT"));
    QApplication::setApplicationVersion(QStringLiteral("8.8.9"));

    WidgetPromptBackend prompt;
    Prompt::setBackend(&prompt);

    int exitCode = 0;
    {
        TDM dm;
        DM = &dm;
        TfLTarko mainWindow(&dm);
        // the progress window that long operations report to, for the whole run
        TfPrubeh progress;
        mainWindow.FormCreate();
        mainWindow.show();
        exitCode = app.exec();
        DM = nullptr;
    }
    Prompt::setBackend(nullptr);
    Firebird::shutdownEngine();
    return exitCode;
}
