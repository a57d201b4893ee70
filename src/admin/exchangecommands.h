#pragma once
// The exchange commands of tarko8-batch, so two installations can trade their changes
// every night from a scheduler:
//   export --database D --folder F --since DATE [--areas adr,cen,…|all]
//   import --database D --folder F [--areas …] [--lift-block]
// Areas are named by their boxes without "cb" (adr dil dod hp pv pk cen skl sez fak
// obj sys); without --areas every area but the system one goes. Exit code 0 only when
// the whole exchange was done.
#include <QCommandLineOption>
#include <QList>

#include "admin/backup.h"

class QCommandLineParser;
class QTextStream;

namespace ExchangeCommands {

QList<QCommandLineOption> options();

int runExport(const QCommandLineParser &parser, const DatabaseBackup::Target &database, QTextStream &out,
              QTextStream &err);
int runImport(const QCommandLineParser &parser, const DatabaseBackup::Target &database, QTextStream &out,
              QTextStream &err);

} // namespace ExchangeCommands
