#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "widgets/codelists.h"
#include "core/prompt.h"

namespace {
// A code-list editor lives while it is shown; one that could not read its table has
// told the user why and is not shown.
template <class Editor>
void openCodeList(QWidget *parent)
{
    Editor editor(parent);
    if (editor.isCreated())
        Prompt::runModal(&editor);
}

template <class Editor>
void bindCodeList(TfLTarko &window, const char *objectName)
{
    window.bind(QString::fromLatin1(objectName), [&window] { openCodeList<Editor>(&window); });
}
} // namespace

void wireFrameworkEntries(TfLTarko &window)
{
    bindCodeList<TfSekce>(window, "miSekce");
    bindCodeList<TfHPTypy>(window, "miHPTypy");
    bindCodeList<TfHPStavy>(window, "miHPStavy");
    bindCodeList<TfHPUmist>(window, "miHPUmist");
    bindCodeList<TfHPPozice>(window, "miHPPozice");
    bindCodeList<TfHPSezOprVyr>(window, "miHPSezOprVyr");
    bindCodeList<TfPVTypy>(window, "miPVTypy");
    bindCodeList<TfPVUmist>(window, "miPVUmist");
    bindCodeList<TfPVOznaceni>(window, "miPVOznaceni");
    bindCodeList<TfPVVybav>(window, "miPVVybav");
    bindCodeList<TfKatVodHKon>(window, "miKatVodHKon");
}
