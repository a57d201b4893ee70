#include "widgets/windowplacement.h"
#include "core/settingsstore.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace WindowPlacement {

namespace {

// the offset of each cascaded window from the one before: its title bar stays in view
constexpr int CascadeStep = 28;
// a stored size below this is no size the user gave (a value from a damaged store)
constexpr int SmallestStored = 100;

QPoint s_lastPlaced;
bool s_placedAny = false;

// The frame around the window's client area. Before the window is shown its frame is
// not known yet; the windows of one desktop wear the same frame, so a shown one tells.
QMargins frameMarginsOf(const QWidget *window)
{
    auto marginsOf = [](const QWidget *w) {
        return w->testAttribute(Qt::WA_WState_Created) && w->windowHandle() ? w->windowHandle()->frameMargins()
                                                                            : QMargins();
    };
    QMargins m = marginsOf(window);
    if (!m.isNull())
        return m;
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other == window || !other->isVisible())
            continue;
        m = marginsOf(other);
        if (!m.isNull())
            return m;
    }
    return {};
}

QRect nextCascade(const QSize &frameSize)
{
    const QRect area = workArea(QRect(s_placedAny ? s_lastPlaced : QPoint(), frameSize), true);
    QRect frame(s_placedAny ? s_lastPlaced + QPoint(CascadeStep, CascadeStep) : area.topLeft(), frameSize);
    // past the right edge the cascade goes on from the left, past the bottom from the
    // strip down again
    if (frame.left() < area.left() || frame.right() > area.right())
        frame.moveLeft(area.left());
    if (frame.top() < area.top() || frame.bottom() > area.bottom())
        frame.moveTop(area.top());
    return fitInto(frame, area);
}

class Keeper : public QObject
{
public:
    explicit Keeper(QWidget *window)
        : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window) {
            if (event->type() == QEvent::Show && !m_placed) {
                m_placed = true;
                restore(m_window, settingsKey(m_window));
            } else if (event->type() == QEvent::Hide && m_placed) {
                store(m_window, settingsKey(m_window));
            }
        }
        return false;
    }

private:
    QWidget *m_window;
    bool m_placed = false;
};

} // namespace

QRect fitInto(const QRect &frame, const QRect &area)
{
    if (!area.isValid())
        return frame;
    QRect r(frame.topLeft(), QSize(qMin(frame.width(), area.width()), qMin(frame.height(), area.height())));
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

QRect workArea(const QRect &frame, bool belowStrip)
{
    QScreen *screen = nullptr;
    qint64 most = 0;
    for (QScreen *s : QGuiApplication::screens()) {
        const QRect common = s->availableGeometry().intersected(frame);
        const qint64 size = qint64(common.width()) * common.height();
        if (!common.isEmpty() && size > most) {
            most = size;
            screen = s;
        }
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect();
    QRect area = screen->availableGeometry();
    if (!belowStrip)
        return area;
    // The main window is a strip across the top of the screen: nothing new opens over
    // its menu.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *main = qobject_cast<QMainWindow *>(w);
        if (!main || !main->isVisible())
            continue;
        const QRect strip = main->frameGeometry();
        if (strip.intersects(area) && strip.height() < area.height() / 3 && strip.top() < area.top() + strip.height())
            area.setTop(qMax(area.top(), strip.bottom() + 1));
    }
    return area;
}

void restore(QWidget *window, const QString &keyPath)
{
    SettingsStore &settings = SettingsStore::instance();
    const QMargins margins = frameMarginsOf(window);
    auto stored = [&](const char *name, bool *ok) {
        const QString n = QString::fromLatin1(name);
        if (!settings.contains(keyPath, n)) {
            *ok = false;
            return 0;
        }
        return settings.readValue(keyPath, n, QString()).trimmed().toInt(ok);
    };
    bool okLeft = false, okTop = false, okWidth = false, okHeight = false;
    const QRect saved(stored("Left", &okLeft), stored("Top", &okTop), stored("Width", &okWidth),
                      stored("Height", &okHeight));
    QRect frame;
    if (okLeft && okTop && okWidth && okHeight && saved.width() > SmallestStored && saved.height() > SmallestStored)
        frame = fitInto(saved, workArea(saved, false));
    else
        frame = nextCascade(window->size().grownBy(margins));
    window->resize(frame.size().shrunkBy(margins));
    // a window's position is that of its frame
    window->move(frame.topLeft());
    s_lastPlaced = frame.topLeft();
    s_placedAny = true;
}

void store(const QWidget *window, const QString &keyPath)
{
    const QRect frame = window->frameGeometry();
    WriteRegistryValue(QStringLiteral("Left"), QString::number(frame.x()), keyPath);
    WriteRegistryValue(QStringLiteral("Top"), QString::number(frame.y()), keyPath);
    WriteRegistryValue(QStringLiteral("Width"), QString::number(frame.width()), keyPath);
    WriteRegistryValue(QStringLiteral("Height"), QString::number(frame.height()), keyPath);
}

QString settingsKey(const QWidget *window, const QString &suffix)
{
    return SettingsStore::productKeyPath(QStringLiteral("OKNO\\") + QString::fromLatin1(window->metaObject()->className())
                                         + suffix + QLatin1Char('\\'));
}

void keep(QWidget *window)
{
    new Keeper(window);
}

} // namespace WindowPlacement
