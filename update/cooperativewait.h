#pragma once

#include <functional>

// Waits on the GUI thread without freezing it: until `done` holds or
// `timeoutMs` has passed, pending events are processed for at most 100 ms,
// then the thread waits 20 ms, handling events that arrive meanwhile, before
// the condition is tested again. Returns whether `done` held at the end.
// A null `done` just waits out the time.
bool cooperativeWait(int timeoutMs, const std::function<bool()>& done = nullptr);
