#pragma once

#include <cstdint>
#include <cstdlib>

#include "ProcessorLoad.hpp"

// The knobs of a fast kernel. Whatever they say, a fast kernel writes the same bytes as its
// reference: they only choose how the independent work is spread over threads and lanes.
struct KernelSchedule {
    int32_t threads = 0; // worker threads; 0 takes DefaultThreads(): OMP_NUM_THREADS at most,
                         // no more than the processors that other work leaves idle
    bool simd = true;    // vector code across independent outputs; false runs them one by one
    bool avx2 = true;    // with simd: the AVX2 variant where the processor has it
    bool avx512 = true;  // with simd: the AVX-512 variant, where a kernel has one and the
                         // processor too; otherwise AVX2 or the baseline
};

// The schedule for one call with the given amount of work, with the default thread count
// (threads 0) settled once for the whole call: one thread below minimumWork, where starting
// and joining threads costs more than it saves, otherwise DefaultThreads(). An explicit count
// stays.
inline KernelSchedule ForWork(KernelSchedule schedule, int64_t work, int64_t minimumWork) {
    if (schedule.threads == 0) {
        schedule.threads = work < minimumWork ? 1 : DefaultThreads();
    }
    return schedule;
}

// True when the environment sets TWEENKIT_REFERENCE to anything but "" or "0": the morph
// sequences and the dissolve then run the reference kernels, for a user who doubts the fast
// ones. Read on every call, so a test can switch it.
inline bool ReferenceForced() {
    const char* value = std::getenv("TWEENKIT_REFERENCE");
    return value != nullptr && value[0] != '\0' && !(value[0] == '0' && value[1] == '\0');
}

// True when this processor runs the AVX2 variants.
inline bool ProcessorHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
#else
    return false;
#endif
}

// True when this processor runs the AVX-512 variants.
inline bool ProcessorHasAvx512() {
#if defined(__x86_64__) || defined(__i386__)
    static const bool has = __builtin_cpu_supports("avx512f");
    return has;
#else
    return false;
#endif
}

// True when a kernel with an AVX-512 variant should take it under this schedule.
inline bool UseAvx512(const KernelSchedule& schedule) {
    return schedule.simd && schedule.avx512 && ProcessorHasAvx512();
}

// True when a kernel should take its AVX2 variant under this schedule.
inline bool UseAvx2(const KernelSchedule& schedule) {
    return schedule.simd && schedule.avx2 && ProcessorHasAvx2();
}
