// Program entry: the data module with the one connection, the main window, and the
// message loop.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "framework/firebird.h"
#include "framework/globals.h"
#include "framework/prubeh.h"
#include "shell/datamodul.h"
#include "shell/ltarko.h"

#include <unistd.h>

// The embedded engine keeps its lock files in /tmp/firebird. When that folder belongs
// to another user this user cannot open any database; then a folder of its own is used
// (only this user's processes open its embedded files, so they agree on it).
static void chooseLockDirectory()
{
    if (!qEnvironmentVariableIsEmpty("FIREBIRD_LOCK"))
        return;
    const QFileInfo shared(QStringLiteral("/tmp/firebird"));
    if (!shared.exists() || (shared.isWritable() && shared.isExecutable()))
        return;
    const QString own = QDir::tempPath() + QStringLiteral("/firebird-") + QString::number(getuid());
    QDir().mkpath(own);
    qputenv("FIREBIRD_LOCK", own.toLocal8Bit());
}

int main(int argc, char **argv)
{
    chooseLockDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TARKO - evidence servisního technika PO"));
    QApplication::setOrganizationName(QStringLiteral("MORVANT"));
    QApplication::setApplicationVersion(QStringLiteral("8.8.9"));

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
    Firebird::shutdownEngine();
    return exitCode;
}
