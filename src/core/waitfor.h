#pragma once
// The program's one way to wait: a local event loop that keeps the window
// responsive until the predicate holds or the limit passes. Handlers may be
// re-entered while it runs. Returns the predicate's last answer.
#include <functional>

bool waitFor(const std::function<bool()> &done, int limitMs);
// Lets events run for the given time (a pause that keeps the window alive).
void waitMs(int ms);
