#include "runtime/tolerant.h"

#include <exception>

namespace rt {

void runEachTolerantly(std::initializer_list<std::function<void()>> statements)
{
    for (const auto& statement : statements) {
        try {
            statement();
        } catch (const std::exception&) {
            // skipped: the next statement runs
        }
    }
}

} // namespace rt
