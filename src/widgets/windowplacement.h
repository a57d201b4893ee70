#pragma once
// Where the program's list and edit windows open. A window comes back exactly where the
// user left it: its frame (title bar included) is stored under the window's settings
// key as "Left", "Top", "Width" and "Height". A window without a stored place opens
// wholly on the screen below the main strip, cascaded from the window opened before
// it; a stored place that lies on no screen any more (another monitor, another
// resolution) is brought back onto the screen.
#include <QRect>
#include <QString>

class QWidget;

namespace WindowPlacement {

// The frame moved, and shrunk where it is larger, so that it lies wholly inside the
// area.
QRect fitInto(const QRect &frame, const QRect &area);

// The available area of the screen the frame lies on most (the primary screen when it
// lies on none); belowStrip leaves out the main strip across the top of that screen.
QRect workArea(const QRect &frame, bool belowStrip);

// Places the window from the stored frame under the key, or, without one, at the next
// cascade position. Call before the window is shown or while it is being shown.
void restore(QWidget *window, const QString &keyPath);
// Stores the window's frame under the key.
void store(const QWidget *window, const QString &keyPath);

// "SOFTWARE\MORVANT\<product>\OKNO\" + the window's class name + suffix + "\".
QString settingsKey(const QWidget *window, const QString &suffix = QString());

// The window is placed by restore() when it is first shown and stored when it is
// hidden, under settingsKey() of its final class.
void keep(QWidget *window);

} // namespace WindowPlacement
