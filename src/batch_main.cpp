// tarko8-batch: the program's work without windows, for scheduled jobs (see README,
// "Backups").
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

#include "admin/batchcommands.h"
#include "core/firebird.h"
#include "core/secrets.h"

int main(int argc, char **argv)
{
    Secrets::installLogFilter();
    Firebird::chooseLockDirectory();
    QCoreApplication app(argc, argv);
    int code = 0;
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        code = BatchCommands::run(app.arguments().mid(1), out, err);
    }
    Firebird::shutdownEngine();
    return code;
}
