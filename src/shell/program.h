#pragma once
// The program's run from start to end, shared by main() and the test programs that
// drive the real start-up: one program per embedded database, the data module and
// the main window, the end on signals and at the session's end.
#include <functional>

class TfLTarko;

// started, when given, runs once the main window is shown, before the message loop.
// With TARKO_STATUS_LINES set in the environment the program writes "ready" on stdout
// when its window is up and "activated <window>" when a second start brought it to the
// front, so that a test can follow it from outside.
int runProgram(int &argc, char **argv, const std::function<void(TfLTarko &)> &started = {});
