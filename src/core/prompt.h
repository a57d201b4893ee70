#pragma once
// The one way the program talks to the user in boxes: messages, questions, typed
// answers, beeps, file dialogs and modal windows. Until a back-end is installed the
// service is silent: messages go nowhere and every question is declined. The program
// installs the widget back-end (widgets/widgetprompt.h) at start; tests install a
// scripted back-end that records what was said and answers from a queue
// (see tests/support).
#include <QString>
#include <QStringList>
#include <functional>

class QObject;

// Answers of questions, the values the rest of the program compares with.
enum PromptResult { PromptOk = 1, PromptCancel = 2, PromptYes = 6, PromptNo = 7 };

enum class PromptKind { Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct PromptRequest
{
    PromptKind kind = PromptKind::Information;
    PromptButtons buttons = PromptButtons::Ok;
    QString text;
    QString caption;
};

struct FileDialogRequest
{
    bool save = false;
    QString caption;
    QString directory;
    QString filter;          // Qt filter text: "Databáze (*.GDB *.FDB);;Všechny soubory (*)"
    QString defaultSuffix;
};

// A question answered by typing a value: a text, or a whole number.
struct InputRequest
{
    QString caption;         // the text above the field
    QString value;           // the value offered
    bool integer = false;    // only a whole number is accepted
};

class PromptBackend
{
public:
    virtual ~PromptBackend() = default;
    virtual int message(const PromptRequest &request) = 0;
    virtual void beep() = 0;
    virtual QString fileName(const FileDialogRequest &request) = 0;  // empty when cancelled
    // Shows a modal window (a QDialog) and returns its result.
    virtual int runModal(QObject *dialog) = 0;
    // The typed value, or a null string when the question was cancelled.
    virtual QString input(const InputRequest &request) = 0;
};

namespace Prompt {
// Installs a back-end; the previous one is returned (tests restore it). Not owned.
PromptBackend *setBackend(PromptBackend *backend);
PromptBackend *backend();

int show(const PromptRequest &request);
void information(const QString &text, const QString &caption = QStringLiteral("Zpráva"));
void warning(const QString &text, const QString &caption = QStringLiteral("Pozor"));
void error(const QString &text, const QString &caption = QStringLiteral("Chyba"));
// Yes/No question: PromptYes (6) or PromptNo (7).
int question(const QString &text, const QString &caption = QStringLiteral("Pozor"));
// Yes/No/Cancel question: 6, 7 or 2.
int questionCancel(const QString &text, const QString &caption = QStringLiteral("Pozor"));
// "Uložit změny ?" before changed data is left: Yes saves (true when that succeeded),
// No discards the changes (true), Cancel stays (false).
bool confirmLeave(const std::function<bool()> &save, const std::function<void()> &discard);
// OK/Cancel box with the warning icon: PromptOk or PromptCancel.
int warningOkCancel(const QString &text, const QString &caption);
void beep();
QString openFileName(const FileDialogRequest &request);
QString saveFileName(const FileDialogRequest &request);
int runModal(QObject *dialog);
// Asks for a text under the caption, starting from value; false when cancelled (value
// is then unchanged).
bool askText(const QString &caption, QString &value);
// Asks for a whole number; false when cancelled or when no whole number was typed.
bool askInteger(const QString &caption, int &value);
} // namespace Prompt
