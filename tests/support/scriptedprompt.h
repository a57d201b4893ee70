#pragma once
// A prompt back-end for tests: records every message, answers questions from a queue
// and runs modal dialogs through queued handlers. Anything shown that the test did not
// prepare an answer for is recorded as unexpected (checked by TestEnvironment).
#include "framework/prompt.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedPrompt : public PromptBackend
{
public:
    ScriptedPrompt();
    ~ScriptedPrompt() override;

    int message(const PromptRequest &request) override;
    void beep() override { ++beeps; }
    QString fileName(const FileDialogRequest &request) override;
    int runModal(QDialog *dialog) override;

    // Queue an answer for the next question (6, 7, 2, or 1/2 for OK/Cancel boxes).
    void answer(int result) { m_answers.append(result); }
    // Queue a handler for the next modal dialog; it returns the dialog's result.
    void onModal(std::function<int(QDialog *)> handler) { m_modalHandlers.append(std::move(handler)); }
    void fileAnswer(const QString &path) { m_files.append(path); }

    QList<PromptRequest> shown;      // every message and question, in order
    QStringList unexpected;          // questions and dialogs nobody prepared an answer for
    int beeps = 0;

    QStringList texts() const;
    QString lastText() const { return shown.isEmpty() ? QString() : shown.constLast().text; }
    bool saw(const QString &text) const { return texts().contains(text); }
    void clear() { shown.clear(); beeps = 0; }
    bool answersLeft() const { return !m_answers.isEmpty() || !m_modalHandlers.isEmpty(); }

private:
    QList<int> m_answers;
    QList<std::function<int(QDialog *)>> m_modalHandlers;
    QStringList m_files;
    PromptBackend *m_previous;
};
