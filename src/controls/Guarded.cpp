#include "controls/Guarded.h"

#include <utility>

namespace controls {

namespace {
TErrorReporter& Reporter() {
    static TErrorReporter reporter;
    return reporter;
}
} // namespace

TErrorReporter SetErrorReporter(TErrorReporter reporter) {
    return std::exchange(Reporter(), std::move(reporter));
}

void ReportEscapedError() noexcept {
    try {
        if (Reporter())
            Reporter()(std::current_exception());
    } catch (...) {
        // The reporter itself must never let an error unwind into Windows.
    }
}

} // namespace controls
