#include "widgets/prubeh.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

TfPrubeh::TfPrubeh(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fPrubeh"));
    setWindowTitle(QStringLiteral("Ukazatel průběhu"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_pb1 = new QProgressBar(this);
    m_pb1->setObjectName(QStringLiteral("pb1"));
    m_pb1->setTextVisible(false);
    // a style sheet, because palette colours are ignored by some styles' gauges
    m_pb1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid gray; background: white; }"
        "QProgressBar::chunk { background-color: red; }"));
    layout->addWidget(m_pb1);
    resize(360, 30);
    move(100, 100);
    m_previousSink = Progress::setCurrent(this);
}

TfPrubeh::~TfPrubeh()
{
    if (&Progress::current() == this)
        Progress::setCurrent(m_previousSink);
}

void TfPrubeh::start(int maximum)
{
    // a zero range would turn the gauge into a busy indicator
    m_pb1->setRange(0, qMax(1, maximum));
    m_pb1->setValue(0);
    m_shownPercent = -1;
    move(100, 100);
    show();
    raise();
    paintNow();
}

void TfPrubeh::step()
{
    if (m_pb1->value() < m_pb1->maximum())
        m_pb1->setValue(m_pb1->value() + 1);
    paintNow();
}

void TfPrubeh::finish()
{
    close();
}

void TfPrubeh::paintNow()
{
    // The operation holds the one GUI thread: let the window paint, but only when the
    // gauge visibly moves, and without taking user input in the middle of the work.
    const int percent = int(qint64(m_pb1->value()) * 100 / qMax(1, m_pb1->maximum()));
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
