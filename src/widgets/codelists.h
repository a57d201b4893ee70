#pragma once
// The editor of a code list of the "Seznamy" menu (core/codelisttables.h): one
// TfEditSez grid made after the list's declaration. isCreated() is false when the
// table could not be read (the user has been told).
#include "widgets/editsez.h"
#include "core/codelisttables.h"

class CodeListEditor : public TfEditSez
{
    Q_OBJECT
public:
    explicit CodeListEditor(CodeList list, QWidget *parent = nullptr, TDMPro *dm = DM);

    // The editor lives while it is shown; one that could not read its table has told
    // the user why and is not shown.
    static void showModal(CodeList list, QWidget *parent, TDMPro *dm = DM);

    const CodeListTable &declaration() const { return m_declaration; }

private:
    // The TCK column takes its value from single keys, never from a cell editor.
    bool tckKeyPressed(QKeyEvent *event);

    const CodeListTable &m_declaration;
};
