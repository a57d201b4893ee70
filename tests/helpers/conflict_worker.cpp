// One workstation of the multi-workstation tests, run as its own process: it connects
// the way the program does (the connection values in its own settings file), opens a
// test record, types a new name into it and then obeys commands read from stdin.
//
//   conflict_worker <settings.ini> <SERVER NAME> <USER NAME> <PASSWORD> <key> <name>
//
// Every answer is one line on stdout: "<event> <result> <KLIC> <modified 0/1> <NAZEV>",
// events "opened", "set", "saved", "cancelled"; before that "connected <protocol>" and
// at the end "bye <unexpected prompts> <beeps>". Commands: "set <name>", save, cancel,
// quit.
#include <QCoreApplication>
#include <QSqlQuery>
#include <QVariant>

#include <iostream>
#include <memory>
#include <string>

#include "core/firebird.h"
#include "core/parameters.h"
#include "core/settingsstore.h"
#include "shell/datamodul.h"
#include "support/scriptedprompt.h"
#include "support/testentity.h"

namespace {

void say(const QString &line)
{
    std::cout << line.toUtf8().constData() << std::endl;
}

void report(const char *event, int result, TestEntityC &c)
{
    say(QStringLiteral("%1 %2 %3 %4 %5")
            .arg(QLatin1String(event))
            .arg(result)
            .arg(c.header().value(QStringLiteral("KLIC")).toInt())
            .arg(c.isModified() ? 1 : 0)
            .arg(c.header().value(QStringLiteral("NAZEV")).toString()));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7) {
        std::cerr << "usage: conflict_worker <settings.ini> <server name> <user> <password> <key> <name>\n";
        return 64;
    }
    ScriptedPrompt prompt;
    SettingsStore::setFilePath(args.at(1));
    const QString key = TDM::connectionKeyPath();
    WriteRegistryValue(QStringLiteral("SERVER NAME"), args.at(2), key);
    WriteRegistryValue(QStringLiteral("USER NAME"), args.at(3), key);
    WriteRegistryValue(QStringLiteral("PASSWORD"), args.at(4), key);

    {
        TDM dm;
        DM = &dm;
        if (dm.ConnectDatabase() != 0) {
            say(QStringLiteral("failed ") + prompt.texts().join(QStringLiteral(" | ")).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            return 2;
        }
        loadFrameworkParameters(dm);
        {
            QSqlQuery q = dm.NewQuery();
            q.exec(QStringLiteral("SELECT RDB$GET_CONTEXT('SYSTEM', 'NETWORK_PROTOCOL') FROM RDB$DATABASE"));
            const QString protocol = q.next() && !q.isNull(0) ? q.value(0).toString().trimmed() : QStringLiteral("embedded");
            say(QStringLiteral("connected ") + protocol);
        }

        std::unique_ptr<TestEntityC> c(TfClass::create<TestEntityC>(&dm));
        if (!c) {
            say(QStringLiteral("failed controller"));
            return 3;
        }
        const int opened = c->OpenRecord(args.at(5).toInt());
        if (opened == 0)
            c->header().setValue(QStringLiteral("NAZEV"), args.at(6));
        report("opened", opened, *c);

        std::string line;
        while (std::getline(std::cin, line)) {
            if (line == "save")
                report("saved", c->SaveRecord(), *c);
            else if (line == "cancel")
                report("cancelled", c->CancelRecord(), *c);
            else if (line.rfind("set ", 0) == 0)
                report("set", c->header().setValue(QStringLiteral("NAZEV"), QString::fromStdString(line.substr(4))) ? 0 : -1, *c);
            else if (line == "quit")
                break;
            else
                say(QStringLiteral("unknown ") + QString::fromStdString(line));
        }
        say(QStringLiteral("bye %1 %2").arg(prompt.unexpected.size()).arg(prompt.beeps));
        c.reset();
        DM = nullptr;
    }
    Firebird::shutdownEngine();
    return 0;
}
