#pragma once
// What the lists of the commercial documents share: the list hands back the row chosen
// in pick mode and opens a row's edit window; it is opened modeless or in pick mode
// over a new controller of its own.
#include "core/prompt.h"
#include "widgets/editform.h"
#include "widgets/seznam.h"

class TfDocumentList : public TfSeznam
{
    Q_OBJECT
public:
    using TfSeznam::TfSeznam;
    // The key of the row chosen in pick mode (0 none).
    int chosenKey() const { return m_chosen; }

protected:
    void done(int result) override;
    // The record's edit window, modal (none in pick mode); the list then reopens on it.
    template <class Controller, class Window>
    void openEditWindow(int key)
    {
        auto *c = qobject_cast<Controller *>(controller());
        if (pickMode() || !c)
            return;
        ShowEditWindow(c, key, [c, this]() -> QDialog * { return new Window(c, this); }, windowTitle());
        Reopen(key);
    }

private:
    int m_chosen = 0;
};

namespace DocumentLists {

template <class List, class Controller>
List *create(QWidget *parent)
{
    Controller *c = TfClass::create<Controller>(DM);
    return c ? attachList<List>(parent, c) : nullptr;
}

// The list shown modeless; it frees itself and its controller when closed.
template <class List, class Controller>
List *showModeless(QWidget *parent)
{
    List *list = create<List, Controller>(parent);
    if (list) {
        list->setAttribute(Qt::WA_DeleteOnClose);
        list->show();
    }
    return list;
}

// The list in pick mode, modal (under the caption when one is given): the chosen
// record's key, 0 when none was chosen.
template <class List, class Controller>
int pick(QWidget *parent, const QString &caption = QString())
{
    List *list = create<List, Controller>(parent);
    if (!list)
        return 0;
    list->setPickMode(true);
    if (!caption.isEmpty())
        list->setWindowTitle(caption);
    const int key = Prompt::runModal(list) == QDialog::Accepted ? list->chosenKey() : 0;
    delete list;
    return key;
}

} // namespace DocumentLists
