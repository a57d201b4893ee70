#include "core/progress.h"

namespace {
Progress g_silent;
Progress *g_sink = nullptr;
}

Progress::~Progress() = default;

Progress &Progress::current()
{
    return g_sink ? *g_sink : g_silent;
}

Progress *Progress::setCurrent(Progress *sink)
{
    Progress *previous = g_sink;
    g_sink = sink;
    return previous;
}
