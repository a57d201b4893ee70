#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "widgets/dokradwindow.h"

void wireSeriesEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miDokRad"), [&window] { TfDokRad::openEditor(&window); });
}
