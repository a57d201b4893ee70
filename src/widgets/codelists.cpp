#include "widgets/codelists.h"
#include "core/prompt.h"
#include "core/rowcachemodel.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

CodeListEditor::CodeListEditor(CodeList list, QWidget *parent, TDMPro *dm)
    : TfEditSez(parent, dm), m_declaration(codeListTable(list))
{
    const CodeListTable &d = m_declaration;
    setObjectName(d.objectName);
    setWindowTitle(d.caption);
    SetCodeListTable(d.table);
    setBaseSelect(d.select);
    setOrderBy(d.orderBy);
    if (d.section > 0) {
        filters().SetVariable(QStringLiteral("CSEKCE"), d.section);
        defaults().SetVariable(QStringLiteral("CSEKCE"), d.section);
    }
    for (const CodeListColumn &c : d.columns)
        addColumn(c.field, c.title, c.input == CodeListColumn::Typed, c.format);
    setGridKeyHandler([this](QKeyEvent *e) { return tckKeyPressed(e); });
    if (!d.legend.title.isEmpty()) {
        auto *legend = new QGroupBox(d.legend.title, this);
        legend->setObjectName(d.legend.objectName);
        auto *legendLayout = new QVBoxLayout(legend);
        legendLayout->addWidget(new QLabel(d.legend.text, legend));
        addBelowGrid(legend);
    }
    FormCreate();
}

void CodeListEditor::showModal(CodeList list, QWidget *parent, TDMPro *dm)
{
    CodeListEditor editor(list, parent, dm);
    if (editor.isCreated())
        Prompt::runModal(&editor);
}

bool CodeListEditor::tckKeyPressed(QKeyEvent *event)
{
    const QModelIndex current = grid()->currentIndex();
    if (!current.isValid() || isEditingCell())
        return false;
    const QString field = model()->fieldOfColumn(current.column());
    const auto column = std::find_if(m_declaration.columns.cbegin(), m_declaration.columns.cend(),
                                     [&](const CodeListColumn &c) { return c.field == field; });
    if (column == m_declaration.columns.cend() || column->input != CodeListColumn::TckRule)
        return false;
    const TckKey k = tckKey(event->key(), event->modifiers(), event->text());
    if (k.store)
        setCellValue(current.row(), field, k.value);
    return k.handled;
}
