#pragma once

#include <cstdint>
#include <exception>
#include <utility>

#include <omp.h>

#include "KernelSchedule.hpp"

// Threads a schedule asks for: its own count, or OpenMP's default.
inline int32_t ScheduleThreads(const KernelSchedule& schedule) {
    return schedule.threads > 0 ? schedule.threads : omp_get_max_threads();
}

// Runs items 0 .. count - 1, each independent of the others, on the schedule's threads.
// makeWorker() is called once per thread and returns a callable worker(int64_t item) that
// owns that thread's buffers, so no item allocates. Items are handed out in contiguous chunks
// of chunk items. When items fail, the exception of the lowest failing item is rethrown: the
// one a plain loop would have stopped at. Items below a failure all run; a thread skips only
// its items above its own failure.
template <class MakeWorker>
void ParallelFor(int64_t count, const KernelSchedule& schedule, int64_t chunk,
                 MakeWorker&& makeWorker) {
    if (count <= 0) {
        return;
    }
    int64_t failedItem = count;
    std::exception_ptr failure;
    const int32_t threads = ScheduleThreads(schedule);
#pragma omp parallel num_threads(threads) if (threads > 1 && count > 1)
    {
        std::exception_ptr localFailure;
        int64_t localItem = count;
        try {
            auto worker = makeWorker();
#pragma omp for schedule(dynamic, chunk) nowait
            for (int64_t item = 0; item < count; ++item) {
                if (item > localItem) {
                    continue; // a lower item of this thread failed already
                }
                try {
                    worker(item);
                } catch (...) {
                    localFailure = std::current_exception();
                    localItem = item;
                }
            }
        } catch (...) {
            // The worker's buffers could not be made: fail as the first item would.
            localFailure = std::current_exception();
            localItem = -1;
        }
        if (localFailure) {
#pragma omp critical(tweenkit_parallel_for_failure)
            if (localItem < failedItem) {
                failedItem = localItem;
                failure = localFailure;
            }
        }
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
