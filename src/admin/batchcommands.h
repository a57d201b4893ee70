#pragma once
// The commands of tarko8-batch, run without windows (for example from a nightly job):
//   backup  --database D --file F [--user U] [--password P]
//   restore --file F --database D [--user U] [--password P]
// Each returns the process exit code: 0 only when the command did all it should.
// What the user should read goes to out, failures to err.
#include <QStringList>

class QTextStream;

namespace BatchCommands {

// arguments without the program name: the command and its options.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

QString usage();

} // namespace BatchCommands
