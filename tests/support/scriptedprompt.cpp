#include "support/scriptedprompt.h"

#include <QDialog>

ScriptedPrompt::ScriptedPrompt()
{
    m_previous = Prompt::setBackend(this);
}

ScriptedPrompt::~ScriptedPrompt()
{
    Prompt::setBackend(m_previous);
}

int ScriptedPrompt::message(const PromptRequest &request)
{
    shown.append(request);
    if (request.buttons == PromptButtons::Ok)
        return PromptOk;
    if (m_answers.isEmpty()) {
        unexpected << QStringLiteral("question: ") + request.text;
        return request.buttons == PromptButtons::YesNo ? PromptNo : PromptCancel;
    }
    return m_answers.takeFirst();
}

QString ScriptedPrompt::fileName(const FileDialogRequest &request)
{
    if (m_files.isEmpty()) {
        unexpected << QStringLiteral("file dialog: ") + request.caption;
        return QString();
    }
    return m_files.takeFirst();
}

int ScriptedPrompt::runModal(QDialog *dialog)
{
    if (m_modalHandlers.isEmpty()) {
        unexpected << QStringLiteral("dialog: ") + dialog->objectName() + QLatin1Char(' ') + dialog->windowTitle();
        return QDialog::Rejected;
    }
    return m_modalHandlers.takeFirst()(dialog);
}

QStringList ScriptedPrompt::texts() const
{
    QStringList t;
    for (const PromptRequest &r : shown)
        t << r.text;
    return t;
}
