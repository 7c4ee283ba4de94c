#pragma once

#include <stdexcept>

// The one failure of a morph run: a zero divisor in the warp arithmetic. The run driver
// catches it and shows its own message; what() names the divisor for diagnostics.
class RunFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raises RunFailure when a divisor is zero; called before every division that can fail, so
// no kernel produces infinities or NaNs or depends on hardware traps.
inline void RequireNonZeroDivisor(double divisor, const char* what) {
    if (divisor == 0.0) {
        throw RunFailure(what);
    }
}
