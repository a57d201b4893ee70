#include "core/prompt.h"
#include "core/secrets.h"

namespace {
// Says nothing and declines every question: the service before a back-end is
// installed, and in programs that run without a user.
class SilentPromptBackend : public PromptBackend
{
public:
    int message(const PromptRequest &request) override
    {
        switch (request.buttons) {
        case PromptButtons::Ok: return PromptOk;
        case PromptButtons::YesNo: return PromptNo;
        default: return PromptCancel;
        }
    }
    void beep() override {}
    QString fileName(const FileDialogRequest &) override { return QString(); }
    int runModal(QObject *) override { return 0; }
    QString input(const InputRequest &) override { return QString(); }
};

SilentPromptBackend g_silentBackend;
PromptBackend *g_backend = nullptr;

PromptBackend *current()
{
    return g_backend ? g_backend : &g_silentBackend;
}

int ask(PromptKind kind, PromptButtons buttons, const QString &text, const QString &caption)
{
    PromptRequest r;
    r.kind = kind;
    r.buttons = buttons;
    r.text = text;
    r.caption = caption;
    return Prompt::show(r);
}
} // namespace

namespace Prompt {

PromptBackend *setBackend(PromptBackend *b)
{
    PromptBackend *old = g_backend;
    g_backend = b;
    return old;
}

PromptBackend *backend()
{
    return current();
}

int show(const PromptRequest &request)
{
    PromptRequest r = request;
    r.text = Secrets::scrubbed(r.text);
    r.caption = Secrets::scrubbed(r.caption);
    return current()->message(r);
}

void information(const QString &text, const QString &caption)
{
    ask(PromptKind::Information, PromptButtons::Ok, text, caption);
}

void warning(const QString &text, const QString &caption)
{
    ask(PromptKind::Warning, PromptButtons::Ok, text, caption);
}

void error(const QString &text, const QString &caption)
{
    ask(PromptKind::Error, PromptButtons::Ok, text, caption);
}

int question(const QString &text, const QString &caption)
{
    return ask(PromptKind::Question, PromptButtons::YesNo, text, caption);
}

int questionCancel(const QString &text, const QString &caption)
{
    return ask(PromptKind::Question, PromptButtons::YesNoCancel, text, caption);
}

bool confirmLeave(const std::function<bool()> &save, const std::function<void()> &discard)
{
    switch (questionCancel(QStringLiteral("Uložit změny ?"), QStringLiteral("Pozor"))) {
    case PromptYes:
        return save();
    case PromptNo:
        discard();
        return true;
    default:
        return false;
    }
}

int warningOkCancel(const QString &text, const QString &caption)
{
    return ask(PromptKind::Warning, PromptButtons::OkCancel, text, caption);
}

void beep()
{
    current()->beep();
}

QString openFileName(const FileDialogRequest &request)
{
    FileDialogRequest r = request;
    r.save = false;
    return current()->fileName(r);
}

QString saveFileName(const FileDialogRequest &request)
{
    FileDialogRequest r = request;
    r.save = true;
    return current()->fileName(r);
}

int runModal(QObject *dialog)
{
    return current()->runModal(dialog);
}

bool askText(const QString &caption, QString &value)
{
    InputRequest request;
    request.caption = caption;
    request.value = value;
    const QString typed = current()->input(request);
    if (typed.isNull())
        return false;
    value = typed;
    return true;
}

bool askInteger(const QString &caption, int &value)
{
    InputRequest request;
    request.caption = caption;
    request.value = QString::number(value);
    request.integer = true;
    bool ok = false;
    const int typed = current()->input(request).trimmed().toInt(&ok);
    if (!ok)
        return false;
    value = typed;
    return true;
}

} // namespace Prompt
