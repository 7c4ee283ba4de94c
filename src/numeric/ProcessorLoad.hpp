#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <omp.h>
#include <unistd.h>

#include "WorkerPool.hpp"

// How busy the machine is right now, for the default thread count of the fast kernels.

// Threads of other work that run or wait to run right now: the kernel's count of runnable
// threads (the fourth field of /proc/loadavg, "running/total") less the one asking. Read
// with plain system calls into a buffer on the stack, so it allocates nothing; 0 where the
// count cannot be read.
inline int32_t OtherRunnableThreads() {
    const int file = open("/proc/loadavg", O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        return 0;
    }
    char text[128];
    const ssize_t length = read(file, text, sizeof text - 1);
    close(file);
    if (length <= 0) {
        return 0;
    }
    text[length] = '\0';
    // Skip the three load averages.
    const char* field = text;
    for (int32_t spaces = 0; spaces < 3 && *field != '\0'; ++field) {
        spaces += *field == ' ' ? 1 : 0;
    }
    const long running = std::strtol(field, nullptr, 10);
    return running > 1 ? static_cast<int32_t>(std::min(running - 1, 1L << 20)) : 0;
}

// Threads for a job on a machine of processors processors of which otherRunnable threads
// keep some busy: one per processor left idle, at least one and at most maxThreads. A thread
// put on a busy processor shares it with the other work, and the job then waits for its
// share at every join: measured on two processors beside one busy thread, two threads were
// no faster than one.
inline int32_t ThreadsForIdleProcessors(int32_t maxThreads, int32_t processors,
                                        int32_t otherRunnable) {
    return std::clamp(processors - otherRunnable, 1, std::max(maxThreads, 1));
}

// The most threads a default schedule takes: OpenMP's default (OMP_NUM_THREADS).
inline int32_t MostDefaultThreads() {
    return std::max(1, omp_get_max_threads());
}

// The thread count of a default schedule: OpenMP's default (OMP_NUM_THREADS) at most, and
// no more than the processors other work leaves idle right now. The pool's own helpers on
// their way to sleep after the last job are not other work.
inline int32_t DefaultThreads() {
    const int32_t maxThreads = MostDefaultThreads();
    if (maxThreads <= 1) {
        return 1;
    }
    // A later call that finds more processors idle must not start (allocate) a helper then.
    WorkerPool::Shared().Reserve(maxThreads - 1);
    const auto processors = static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    const int32_t others =
        std::max(0, OtherRunnableThreads() - WorkerPool::Shared().AwakeHelpers());
    return ThreadsForIdleProcessors(maxThreads, processors, others);
}
