#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "widgets/codelists.h"

namespace {
void bindCodeList(TfLTarko &window, const char *objectName, CodeList list)
{
    window.bind(QString::fromLatin1(objectName), [&window, list] { CodeListEditor::showModal(list, &window); });
}
} // namespace

void wireFrameworkEntries(TfLTarko &window)
{
    bindCodeList(window, "miSekce", CodeList::Sekce);
    bindCodeList(window, "miHPTypy", CodeList::HPTypy);
    bindCodeList(window, "miHPStavy", CodeList::HPStavy);
    bindCodeList(window, "miHPUmist", CodeList::HPUmist);
    bindCodeList(window, "miHPPozice", CodeList::HPPozice);
    bindCodeList(window, "miHPSezOprVyr", CodeList::HPSezOprVyr);
    bindCodeList(window, "miPVTypy", CodeList::PVTypy);
    bindCodeList(window, "miPVUmist", CodeList::PVUmist);
    bindCodeList(window, "miPVOznaceni", CodeList::PVOznaceni);
    bindCodeList(window, "miPVVybav", CodeList::PVVybav);
    bindCodeList(window, "miKatVodHKon", CodeList::KatVodHKon);
}
