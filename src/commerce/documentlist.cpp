#include "commerce/documentlist.h"

void TfDocumentList::done(int result)
{
    if (pickMode() && result == Accepted)
        m_chosen = currentKey();
    TfSeznam::done(result);
}
