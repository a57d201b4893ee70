#pragma once
// The prompt back-end of the running program: real message boxes with Czech buttons,
// the system file dialogs, modal windows and the typed-value dialog (TfRucVstup).
#include "core/prompt.h"

class WidgetPromptBackend : public PromptBackend
{
public:
    int message(const PromptRequest &request) override;
    void beep() override;
    QString fileName(const FileDialogRequest &request) override;
    int runModal(QObject *dialog) override;
    QString input(const InputRequest &request) override;
};
