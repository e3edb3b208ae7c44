#pragma once
// The one wait of the tests: it runs the event loop until a condition holds. A wait that runs
// out records a GoogleTest failure, so no test passes on a condition that never came true.

#include <functional>

namespace kroda::testing {

// Spins the event loop (deferred deletes included) until done() holds; false, with a failure
// naming `what`, when it has not within ms milliseconds.
bool waitUntil(const std::function<bool()>& done, int ms = 5000,
               const char* what = "the awaited condition");

}  // namespace kroda::testing
