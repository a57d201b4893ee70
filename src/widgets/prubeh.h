#pragma once
// TfPrubeh, the progress window long operations show: a small borderless gauge that
// stays above the other windows. Created once at start-up; it makes itself the current
// progress sink (see progress.h) for its lifetime, so controllers report through
// Progress::current() without knowing it. Closing only hides it for the next run.
#include <QWidget>

#include "core/progress.h"

class QProgressBar;

class TfPrubeh : public QWidget, public Progress
{
    Q_OBJECT
public:
    explicit TfPrubeh(QWidget *parent = nullptr);
    ~TfPrubeh() override;

    void start(int maximum) override;
    void step() override;
    void finish() override;

    QProgressBar *gauge() const { return m_pb1; }

private:
    void paintNow();
    QProgressBar *m_pb1;
    Progress *m_previousSink = nullptr;
    int m_shownPercent = -1;
};
