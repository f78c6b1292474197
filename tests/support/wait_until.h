#pragma once
// Runs the event loop until a condition holds, for tests that need sockets,
// timers or child processes to make progress. Returns whether it held in time.
#include <functional>

bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
