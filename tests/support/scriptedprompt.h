#pragma once
// A prompt back-end for tests: records every message, answers questions from a queue
// and runs modal dialogs through queued handlers. Anything shown that the test did not
// prepare an answer for is recorded as unexpected (checked by TestEnvironment).
#include "core/prompt.h"

#include <QList>
#include <QStringList>
#include <functional>

class QDialog;

class ScriptedPrompt : public PromptBackend
{
public:
    ScriptedPrompt();
    ~ScriptedPrompt() override;

    int message(const PromptRequest &request) override;
    void beep() override { ++beeps; }
    QString fileName(const FileDialogRequest &request) override;
    int runModal(QObject *dialog) override;
    QString input(const InputRequest &request) override;

    // Queue an answer for the next question (6, 7, 2, or 1/2 for OK/Cancel boxes).
    void answer(int result) { m_answers.append(result); }
    // Queue a handler for the next modal dialog; it returns the dialog's result. The
    // handler takes the dialog as a QDialog * (or the class named first).
    template <class Dialog = QDialog, class Handler>
    void onModal(Handler handler)
    {
        m_modalHandlers.append([handler](QObject *d) { return handler(static_cast<Dialog *>(d)); });
    }
    void fileAnswer(const QString &path) { m_files.append(path); }
    // Queue the value typed at the next input question; a null string cancels it.
    void inputAnswer(const QString &value) { m_inputs.append(value); }

    QList<PromptRequest> shown;      // every message and question, in order
    QList<InputRequest> inputs;      // every input question, in order
    QList<FileDialogRequest> fileRequests;   // every file dialog, in order
    QStringList unexpected;          // questions and dialogs nobody prepared an answer for
    int beeps = 0;

    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.constLast().text; }
    bool saw(const QString &text) const { return texts().contains(text); }
    void clear() { shown.clear(); beeps = 0; }
    bool answersLeft() const
    {
        return !m_answers.isEmpty() || !m_modalHandlers.isEmpty() || !m_inputs.isEmpty();
    }

private:
    QList<int> m_answers;
    QList<std::function<int(QObject *)>> m_modalHandlers;
    QStringList m_files;
    QStringList m_inputs;
    PromptBackend *m_previous;
};
