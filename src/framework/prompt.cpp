#include "framework/prompt.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
WidgetPromptBackend g_widgetBackend;
PromptBackend *g_backend = nullptr;

PromptBackend *current()
{
    return g_backend ? g_backend : &g_widgetBackend;
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
    return current()->message(request);
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

int runModal(QDialog *dialog)
{
    return current()->runModal(dialog);
}

} // namespace Prompt

int WidgetPromptBackend::message(const PromptRequest &request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    switch (request.kind) {
    case PromptKind::Information: box.setIcon(QMessageBox::Information); break;
    case PromptKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case PromptKind::Error: box.setIcon(QMessageBox::Critical); break;
    case PromptKind::Question: box.setIcon(QMessageBox::Question); break;
    }
    struct Choice { QMessageBox::StandardButton button; const char *caption; int result; };
    QList<Choice> choices;
    switch (request.buttons) {
    case PromptButtons::Ok:
        choices = {{QMessageBox::Ok, "OK", PromptOk}};
        break;
    case PromptButtons::OkCancel:
        choices = {{QMessageBox::Ok, "OK", PromptOk}, {QMessageBox::Cancel, "Zrušit", PromptCancel}};
        break;
    case PromptButtons::YesNo:
        choices = {{QMessageBox::Yes, "Ano", PromptYes}, {QMessageBox::No, "Ne", PromptNo}};
        break;
    case PromptButtons::YesNoCancel:
        choices = {{QMessageBox::Yes, "Ano", PromptYes}, {QMessageBox::No, "Ne", PromptNo},
                   {QMessageBox::Cancel, "Zrušit", PromptCancel}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const Choice &c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    for (const Choice &c : choices)
        box.button(c.button)->setText(QString::fromUtf8(c.caption));
    const int clicked = box.exec();
    for (const Choice &c : choices)
        if (clicked == c.button)
            return c.result;
    // Closing the box with Esc or the window's cross.
    return request.buttons == PromptButtons::YesNo ? PromptNo
         : request.buttons == PromptButtons::Ok ? PromptOk : PromptCancel;
}

void WidgetPromptBackend::beep()
{
    QApplication::beep();
}

QString WidgetPromptBackend::fileName(const FileDialogRequest &request)
{
    QFileDialog dialog(QApplication::activeWindow(), request.caption, request.directory, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

int WidgetPromptBackend::runModal(QDialog *dialog)
{
    return dialog->exec();
}
