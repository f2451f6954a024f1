#pragma once
#include <functional>
#include <initializer_list>

namespace rt {

// Runs each statement in turn; one that fails with a runtime error (or any
// standard exception) is skipped and the next one runs. For handlers that must
// never stop half-way or bother the user with an error.
void runEachTolerantly(std::initializer_list<std::function<void()>> statements);

} // namespace rt
