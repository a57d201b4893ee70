#pragma once
// The buttons of the windows' tool bars and the dialogs' OK and Storno.
#include <QString>
#include <functional>

class QBoxLayout;
class QHBoxLayout;
class QPushButton;
class QToolButton;
class QWidget;

// The row of a window's tool bar buttons, set close together.
QHBoxLayout *newToolBarLayout();

// A button at the end of the bar: object name, caption and the hint shown on hover,
// running the action on a click. It never takes the keyboard focus, so that typing
// goes on in the grid or editor while it is used.
QToolButton *addToolButton(QBoxLayout *bar, QWidget *parent, const QString &objectName, const QString &caption,
                           const QString &hint, const std::function<void()> &action);
inline QToolButton *addToolButton(QBoxLayout *bar, QWidget *parent, const QString &objectName,
                                  const QString &caption, const std::function<void()> &action)
{
    return addToolButton(bar, parent, objectName, caption, caption, action);
}

// The dialog's bottom row with OK and Storno at the right; OK is the default button,
// so that Enter in a field confirms.
QHBoxLayout *newOkCancelRow(QWidget *parent, QPushButton *&ok, QPushButton *&cancel,
                            const QString &okCaption, const QString &cancelCaption);
