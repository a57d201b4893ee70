#include "widgets/widgetprompt.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "widgets/pickdialogs.h"

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

int WidgetPromptBackend::runModal(QObject *dialog)
{
    auto *window = qobject_cast<QDialog *>(dialog);
    return window ? window->exec() : QDialog::Rejected;
}

QString WidgetPromptBackend::input(const InputRequest &request)
{
    TfRucVstup dialog(QApplication::activeWindow());
    dialog.setDescription(request.caption);
    dialog.setIntegerMode(request.integer);
    dialog.setValue(request.value);
    if (dialog.exec() != PromptOk)
        return QString();
    return request.integer ? QString::number(dialog.intValue()) : dialog.value();
}
