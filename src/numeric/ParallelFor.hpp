#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <type_traits>
#include <utility>

#include "KernelSchedule.hpp"
#include "WorkerPool.hpp"

// Threads a schedule asks for: its own count, or DefaultThreads().
inline int32_t ScheduleThreads(const KernelSchedule& schedule) {
    return schedule.threads > 0 ? schedule.threads : DefaultThreads();
}

// Runs items 0 .. count - 1, each independent of the others, on up to the schedule's threads:
// the calling thread and the helpers of the shared WorkerPool that join while it works.
// makeWorker() is called once per participating thread and returns a callable
// worker(int64_t item) that owns that thread's buffers, so no item allocates; a makeWorker
// that takes an int32_t gets the participant's number instead, 0 .. threads - 1, to pick
// buffers made beforehand. Threads take
// contiguous chunks of chunk items from a shared counter, so a thread the system holds back
// takes fewer chunks and no thread waits for work another one was given. When items fail,
// the exception of the lowest failing item is rethrown: the one a plain loop would have
// stopped at. Items below a failure all run; a thread skips only its items above its own
// failure.
template <class MakeWorker>
void ParallelFor(int64_t count, const KernelSchedule& schedule, int64_t chunk,
                 MakeWorker&& makeWorker) {
    if (count <= 0) {
        return;
    }
    std::atomic<int64_t> next{0};
    std::mutex failureMutex;
    int64_t failedItem = count;
    std::exception_ptr failure;
    const auto participate = [&](int32_t participant) {
        std::exception_ptr localFailure;
        int64_t localItem = count;
        try {
            auto worker = [&] {
                if constexpr (std::is_invocable_v<MakeWorker&, int32_t>) {
                    return makeWorker(participant);
                } else {
                    static_cast<void>(participant);
                    return makeWorker();
                }
            }();
            for (;;) {
                const int64_t begin = next.fetch_add(chunk);
                if (begin >= count) {
                    break;
                }
                const int64_t end = std::min(count, begin + chunk);
                for (int64_t item = begin; item < end && item < localItem; ++item) {
                    try {
                        worker(item);
                    } catch (...) {
                        localFailure = std::current_exception();
                        localItem = item;
                    }
                }
            }
        } catch (...) {
            // The worker's buffers could not be made: fail as the first item would.
            localFailure = std::current_exception();
            localItem = -1;
        }
        if (localFailure) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            if (localItem < failedItem) {
                failedItem = localItem;
                failure = localFailure;
            }
        }
    };
    const int32_t threads = ScheduleThreads(schedule);
    if (threads > 1 && count > 1) {
        using Participate = decltype(participate);
        WorkerPool::Shared().Run(
            threads - 1,
            [](void* context, int32_t participant) {
                (*static_cast<const Participate*>(context))(participant);
            },
            const_cast<void*>(static_cast<const void*>(&participate)));
    } else {
        participate(0);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
