#pragma once
// The row of column boxes the column designers arrange with the mouse, without the
// widgets: which box is selected, what a press, a drag and a release do to its left
// edge and width, and how columns are added. The left edges are the print order, so
// after every drop the boxes are laid side by side in that order: nothing prints over
// anything else, and the last box's right edge is the width of the whole print.
#include <QList>
#include <QString>

#include "templates/templatemodel.h"

namespace Templates {

class ColumnRow
{
public:
    static constexpr int NewWidth = 120;
    static constexpr int MinWidth = 8;
    // A press this close to the right edge resizes instead of moving.
    static constexpr int EdgeGrip = 3;
    enum class Drag { None, Move, Resize };

    QList<ReportColumn> columns;   // in left order, except while a box is dragged

    int selected() const { return m_selected; }
    const ReportColumn *selectedColumn() const;
    ReportColumn *selectedColumn();
    void select(int index);
    // Pressing inside box index at x (box coordinates) selects it and starts a drag:
    // a resize within EdgeGrip of its right edge, a move elsewhere.
    void press(int index, int x);
    // The mouse at x in the dragged box's coordinates, the button held. The left edge
    // never goes below 0 nor the width below MinWidth.
    void drag(int x);
    // Ends the drag and lays the boxes side by side by their left edges. Returns the
    // old index of each column in its new place (the caller reorders its boxes alike).
    QList<int> release();
    Drag dragMode() const { return m_drag; }
    bool isResizeZone(int index, int x) const;
    // "left / width" of the selected box.
    QString status() const;

    int rightEnd() const;
    // The column showing the item under its alias, or -1.
    int indexOfItem(const DictionaryItem &item) const;
    // A new box at the right end for the item, selected; -1 when the item is a column
    // already ("Existující položka").
    int addItem(const DictionaryItem &item);
    // An empty box ("  ...  ", "Free_" + its left edge, aligned right), selected.
    int addEmpty();
    void removeSelected();
    void clear();
    // The boxes side by side from 0 in the order of their left edges.
    QList<int> layOut();

private:
    int m_selected = -1;
    Drag m_drag = Drag::None;
    int m_pressX = 0;
    int m_lastX = 0;
};

} // namespace Templates
