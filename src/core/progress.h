#pragma once
// Progress of a long operation, reported from code that knows no windows. Start-up
// installs the progress window as the current sink; without one (tests, tools) the
// reports go nowhere.
class Progress
{
public:
    virtual ~Progress();
    // A new run of maximum steps, at step 0.
    virtual void start(int maximum) {}
    // One step done.
    virtual void step() {}
    // The run has ended.
    virtual void finish() {}

    // Where long operations report; never null.
    static Progress &current();
    // Installs a sink (not owned); null installs the silent one. Returns the previous
    // sink, or null when the silent one was installed.
    static Progress *setCurrent(Progress *sink);
};

// One run on the current sink that ends on every exit path of the operation.
class ProgressRun
{
public:
    explicit ProgressRun(int maximum) : m_sink(&Progress::current()) { m_sink->start(maximum); }
    ~ProgressRun() { m_sink->finish(); }
    ProgressRun(const ProgressRun &) = delete;
    ProgressRun &operator=(const ProgressRun &) = delete;
    void step() { m_sink->step(); }

private:
    Progress *m_sink;
};
