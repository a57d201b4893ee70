#pragma once
// The database password stays inside the program: every text that leaves it, in a
// message box (core/prompt.h), on the console or in the log, goes through here and
// loses every password the program has used. The connection window is the one place
// that shows the password, on purpose, in its own field.
#include <QString>

namespace Secrets {

// Shorter passwords are not looked for in texts (see withoutPassword).
constexpr int MinimumScrubbedLength = 4;

// The text with the password replaced by "***" wherever it stands as a whole (not
// inside a longer word), also where it stands quoted for SQL ('' for '). A blank or
// very short password leaves the text as it is.
QString withoutPassword(const QString &text, const QString &password);

// Keeps a password the program connects with, so that later texts lose it too.
void remember(const QString &password);
// The text without any remembered password.
QString scrubbed(const QString &text);

// Sends the process's log (qDebug … qFatal) through scrubbed() on to the handler that
// was in place. Once per process, from main().
void installLogFilter();

} // namespace Secrets
