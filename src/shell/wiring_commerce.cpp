#include "shell/menuwiring.h"
#include "shell/ltarko.h"
#include "commerce/cenikes.h"
#include "commerce/ceniks.h"
#include "commerce/cenikuziv.h"
#include "commerce/dodaks.h"
#include "commerce/fakturas.h"
#include "core/prompt.h"

namespace {
// The price-list editors live while they are shown; one that could not read its rows
// has told the user why and is not shown.
template <class Editor>
void openEditor(QWidget *parent)
{
    Editor editor(parent);
    if (editor.isCreated())
        Prompt::runModal(&editor);
}
} // namespace

void wireCommerceEntries(TfLTarko &window)
{
    window.bind(QStringLiteral("miCenik"), [&window] { OtevriCenik(&window); });
    window.bind(QStringLiteral("miZakladniCenik"), [&window] { openEditor<TfCenikES>(&window); });
    window.bind(QStringLiteral("miCenikOprav"), [&window] { openEditor<TfCenikProhES>(&window); });
    window.bind(QStringLiteral("miUzivCenik"), [&window] { openEditor<TfCenikUziv>(&window); });
    // the tool button "DL" runs the same entry
    window.bind(QStringLiteral("miDodaciListy"), [&window] { OtevriDodaciListy(&window); });
    // and "Fa" this one
    window.bind(QStringLiteral("miFaktury"), [&window] { OtevriFaktury(&window); });
}
