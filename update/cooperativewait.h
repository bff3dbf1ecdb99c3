#pragma once

#include <functional>

// Waits on the GUI thread without freezing it: until `done` holds or
// `timeoutMs` has passed, pending events are processed for at most 100 ms,
// then the thread sleeps 20 ms. Returns whether `done` held at the end.
// A null `done` just waits out the time.
bool cooperativeWait(int timeoutMs, const std::function<bool()>& done = nullptr);
