#pragma once
// The program's shared windows are found by their object names among the top-level
// windows, so a window that lives for the whole run is created once.
#include <QApplication>
#include <QString>
#include <QWidget>

// Creates the window only when no top-level window of that object name exists;
// otherwise the variable gets the existing one.
template <class Window>
Window *ShowFormOnce(Window *&variable, const QString &windowName)
{
    const QString name = windowName.trimmed();
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name) {
            if (auto *existing = qobject_cast<Window *>(w)) {
                variable = existing;
                return variable;
            }
            return variable;
        }
    }
    variable = new Window;
    variable->setObjectName(name);
    return variable;
}
