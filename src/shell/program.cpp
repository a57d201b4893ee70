#include "shell/program.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"
#include "shell/singleinstance.h"
#include "core/firebird.h"
#include "core/secrets.h"
#include "core/globals.h"
#include "core/settingsstore.h"
#include "core/shutdownsignals.h"
#include "widgets/prubeh.h"
#include "widgets/widgetprompt.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

namespace {

void statusLine(const QString &line)
{
    if (qEnvironmentVariableIsEmpty("TARKO_STATUS_LINES"))
        return;
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// The embedded database file the settings name; empty for a server database.
QString embeddedDatabase()
{
    const QString server = ToServerPath(ReadRegistryValue(QStringLiteral("SERVER NAME"), TDM::defaultDatabasePath(),
                                                          TDM::connectionKeyPath()));
    const Firebird::Location where = Firebird::parseLocation(server);
    return where.host.isEmpty() ? where.path.trimmed() : QString();
}

} // namespace

int runProgram(int &argc, char **argv, const std::function<void(TfLTarko &)> &started)
{
    Secrets::installLogFilter();
    Firebird::chooseLockDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TARKO - evidence servisního technika PO"));
    QApplication::setOrganizationName(QStringLiteral("MORVANT"));
    QApplication::setApplicationVersion(QStringLiteral("8.8.9"));

    SingleInstance instance;
    const QString file = embeddedDatabase();
    if (!file.isEmpty() && instance.handOverOrClaim(file))
        return 0;

    WidgetPromptBackend prompt;
    Prompt::setBackend(&prompt);

    int exitCode = 0;
    {
        TDM dm;
        DM = &dm;
        TfLTarko mainWindow(&dm);
        // the progress window that long operations report to, for the whole run
        TfPrubeh progress;
        QObject::connect(&ShutdownSignals::instance(), &ShutdownSignals::requested, &mainWindow,
                         [&mainWindow] { mainWindow.endWithoutQuestions(); });
        ShutdownSignals::install();
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &mainWindow, [&mainWindow](QSessionManager &m) {
            const bool mayAsk = m.allowsInteraction();
            const bool ends = mainWindow.sessionEnding(mayAsk);
            if (mayAsk)
                m.release();
            if (!ends)
                m.cancel();
        });
        QObject::connect(&instance, &SingleInstance::activationRequested, &mainWindow, [&mainWindow] {
            mainWindow.bringToFront();
            QTimer::singleShot(100, &mainWindow, [] {
                QWidget *active = QApplication::activeWindow();
                statusLine(QStringLiteral("activated ") + (active ? active->objectName() : QStringLiteral("-")));
            });
        });
        // "Datatabáze" may have moved the program to another file or to a server
        mainWindow.onConnected = [&instance, &dm] {
            const QSqlDatabase db = dm.database();
            if (db.hostName().isEmpty())
                instance.handOverOrClaim(db.databaseName());
            else
                instance.release();
        };
        mainWindow.FormCreate();
        if (!mainWindow.isEnding()) {
            mainWindow.show();
            if (started)
                started(mainWindow);
            statusLine(QStringLiteral("ready"));
            // an end asked for before the loop runs has nothing to leave
            if (!mainWindow.isEnding())
                exitCode = app.exec();
        }
        DM = nullptr;
    }
    Prompt::setBackend(nullptr);
    Firebird::shutdownEngine();
    return exitCode;
}
