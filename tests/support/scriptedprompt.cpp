#include "support/scriptedprompt.h"

#include <QVariant>

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
    fileRequests << request;
    if (m_files.isEmpty()) {
        unexpected << QStringLiteral("file dialog: ") + request.caption;
        return QString();
    }
    return m_files.takeFirst();
}

int ScriptedPrompt::runModal(QObject *dialog)
{
    if (m_modalHandlers.isEmpty()) {
        unexpected << QStringLiteral("dialog: ") + dialog->objectName() + QLatin1Char(' ')
                          + dialog->property("windowTitle").toString();
        return 0;   // rejected
    }
    return m_modalHandlers.takeFirst()(dialog);
}

QString ScriptedPrompt::input(const InputRequest &request)
{
    inputs.append(request);
    if (m_inputs.isEmpty()) {
        unexpected << QStringLiteral("input: ") + request.caption;
        return QString();
    }
    return m_inputs.takeFirst();
}

QStringList ScriptedPrompt::texts() const
{
    QStringList t;
    for (const PromptRequest &r : shown)
        t << r.text;
    return t;
}
