#pragma once

#include <cstdlib>
#include <stdlib.h>
#include <string>
#include <vector>

#include "KernelSchedule.hpp"

// A named schedule for the fast kernels.
struct NamedSchedule {
    std::string name;
    KernelSchedule schedule;
};

// Every schedule a fast kernel must match its reference under: one and two threads, with the
// lanes off, the baseline lanes, the AVX2 lanes and the AVX-512 lanes (each falls back to
// the narrower one where the processor or the kernel has no such variant).
inline std::vector<NamedSchedule> TestSchedules() {
    std::vector<NamedSchedule> schedules;
    for (const int32_t threads : {1, 2}) {
        const std::string count = std::to_string(threads) + (threads == 1 ? " thread" : " threads");
        schedules.push_back({count + ", no simd", {threads, false, false, false}});
        schedules.push_back({count + ", baseline simd", {threads, true, false, false}});
        schedules.push_back({count + ", avx2", {threads, true, true, false}});
        schedules.push_back({count + ", avx512", {threads, true, true, true}});
    }
    return schedules;
}

// Sets an environment variable for its scope, restoring the old state after.
class ScopedEnvironment {
public:
    // Sets name to value, or unsets it when value is null.
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        hadOld_ = old != nullptr;
        if (hadOld_) {
            old_ = old;
        }
        Set(value);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { Set(hadOld_ ? old_.c_str() : nullptr); }

private:
    void Set(const char* value) {
        if (value != nullptr) {
            setenv(name_, value, 1);
        } else {
            unsetenv(name_);
        }
    }

    const char* name_;
    bool hadOld_ = false;
    std::string old_;
};
