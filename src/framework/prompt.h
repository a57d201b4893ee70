#pragma once
// The one way the program talks to the user in boxes: messages, questions, beeps,
// file dialogs and modal windows. The widget back-end shows real boxes with Czech
// buttons; tests install a scripted back-end that records what was said and answers
// questions from a queue (see tests/support).
#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

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

class PromptBackend
{
public:
    virtual ~PromptBackend() = default;
    virtual int message(const PromptRequest &request) = 0;
    virtual void beep() = 0;
    virtual QString fileName(const FileDialogRequest &request) = 0;  // empty when cancelled
    virtual int runModal(QDialog *dialog) = 0;                       // the dialog's result
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
// OK/Cancel box with the warning icon: PromptOk or PromptCancel.
int warningOkCancel(const QString &text, const QString &caption);
void beep();
QString openFileName(const FileDialogRequest &request);
QString saveFileName(const FileDialogRequest &request);
int runModal(QDialog *dialog);
} // namespace Prompt

// Real boxes (QMessageBox, QFileDialog, QDialog::exec) with Czech captions.
class WidgetPromptBackend : public PromptBackend
{
public:
    int message(const PromptRequest &request) override;
    void beep() override;
    QString fileName(const FileDialogRequest &request) override;
    int runModal(QDialog *dialog) override;
};
