// The program's real start-up (shell/program.h) with a user in the middle of work, for
// the tests that end it from outside. Once the main window is up it commits a new
// address "Ulozena firma", opens the address edit window on it with the name typed
// over as "Neulozena zmena" (not saved), and leaves a unit of work open that renamed
// the row to "Neulozena transakce"; then it writes "editing <key>" on stdout, while
// the edit window waits for the user.
#include <QLineEdit>
#include <QSqlQuery>
#include <QTimer>
#include <cstdio>

#include "core/prompt.h"
#include "customers/adresy.h"
#include "customers/adresyc.h"
#include "shell/program.h"
#include "support/addressdata.h"

int main(int argc, char **argv)
{
    return runProgram(argc, argv, [](TfLTarko &) {
        QTimer::singleShot(0, [] {
            const int key = insertEntry(*DM, 1, QStringLiteral("Ulozena firma"));
            auto *c = TfClass::create<TfAdresyC>(DM);
            c->AddRef();
            if (c->OpenRecord(key) != 0)
                return;
            auto *form = new TfAdresy(c);
            auto *name = form->findChild<QLineEdit *>(QStringLiteral("eNazev"));
            name->setFocus();
            name->selectAll();
            name->insert(QStringLiteral("Neulozena zmena"));
            auto *work = new TransactionGuard(DM);
            QSqlQuery q = DM->NewQuery();
            q.exec(QStringLiteral("UPDATE ADRESAR SET NAZEV = 'Neulozena transakce' WHERE UNCIS = %1").arg(key));
            QTimer::singleShot(0, [key, work] {
                std::printf("editing %d %d\n", key, work->isActive() ? 1 : 0);
                std::fflush(stdout);
            });
            Prompt::runModal(form);
        });
    });
}
