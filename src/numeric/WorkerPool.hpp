#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// Threads that help the calling thread with one job at a time and sleep in between. A helper
// joins a job only while the caller is still working on it, so the job must hand out its work
// while it runs (a shared counter of chunks): on a loaded machine a helper that is not
// scheduled in time simply stays out instead of holding the caller up, and no thread ever
// spins waiting, which would take the processor from the thread that has the work.
class WorkerPool {
public:
    // The job's function: participant 0 is the calling thread, helpers count from 1.
    using Task = void (*)(void* context, int32_t participant);

    // The process's pool, started on first use.
    static WorkerPool& Shared() {
        static WorkerPool pool;
        return pool;
    }

    WorkerPool() = default;
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    ~WorkerPool() {
        stopping_.store(true);
        generation_.fetch_add(1);
        generation_.notify_all();
        for (std::thread& thread : threads_) {
            thread.join();
        }
    }

    // Runs task(context, 0) on the calling thread, with up to helpers more participants from
    // the pool joining while it runs, and returns when every participant has returned. A
    // second caller while a job runs (another thread, or a task that runs a job) gets no
    // helpers.
    void Run(int32_t helpers, Task task, void* context) {
        std::unique_lock<std::mutex> busy(runMutex_, std::try_to_lock);
        if (!busy.owns_lock() || helpers <= 0) {
            task(context, 0);
            return;
        }
        StartThreads(helpers);
        task_.store(task);
        context_.store(context);
        wanted_.store(helpers);
        state_.store(kOpen);
        generation_.fetch_add(1);
        generation_.notify_all();

        task(context, 0);

        // Close the job and wait for the helpers inside it.
        uint64_t state = state_.fetch_and(~kOpen) & ~kOpen;
        while (Active(state) != 0) {
            state_.wait(state);
            state = state_.load();
        }
    }

    // Starts the helpers a job of up to helpers more participants would need, now rather than
    // at that job, so that the job allocates nothing. Does nothing while a job runs (its
    // helpers are started already).
    void Reserve(int32_t helpers) {
        const std::unique_lock<std::mutex> busy(runMutex_, std::try_to_lock);
        if (busy.owns_lock() && helpers > 0) {
            StartThreads(helpers);
        }
    }

    // Helpers that are not asleep right now: in a job, or on their way into or out of one.
    int32_t AwakeHelpers() const { return awake_.load(std::memory_order_relaxed); }

private:
    // The job state: bit 0 open, then the helpers that joined, then those still inside.
    static constexpr uint64_t kOpen = 1;
    static constexpr uint64_t kJoinedOne = uint64_t{1} << 1;
    static constexpr uint64_t kActiveOne = uint64_t{1} << 32;
    static uint64_t Joined(uint64_t state) { return (state >> 1) & 0x7FFFFFFF; }
    static uint64_t Active(uint64_t state) { return state >> 32; }

    // Starts helpers for every other processor at the first job, so that a later job with
    // more helpers than an earlier one starts (and allocates) nothing, and more when a job
    // asks for more.
    void StartThreads(int32_t helpers) {
        const auto others = static_cast<int32_t>(std::thread::hardware_concurrency()) - 1;
        const int32_t wanted = std::max(helpers, others);
        while (static_cast<int32_t>(threads_.size()) < wanted) {
            awake_.fetch_add(1);
            threads_.emplace_back([this] { Serve(); });
        }
    }

    void Serve() {
        uint64_t seen = 0;
        for (;;) {
            awake_.fetch_sub(1);
            generation_.wait(seen);
            awake_.fetch_add(1);
            seen = generation_.load();
            if (stopping_.load()) {
                return;
            }
            Join();
        }
    }

    // Joins the open job if it still wants a helper, runs it and leaves.
    void Join() {
        uint64_t state = state_.load();
        do {
            if ((state & kOpen) == 0 || Joined(state) >= static_cast<uint64_t>(wanted_.load())) {
                return;
            }
        } while (!state_.compare_exchange_weak(state, state + kJoinedOne + kActiveOne));
        task_.load()(context_.load(), static_cast<int32_t>(Joined(state) + 1));
        const uint64_t after = state_.fetch_sub(kActiveOne) - kActiveOne;
        if (Active(after) == 0 && (after & kOpen) == 0) {
            state_.notify_all();
        }
    }

    std::mutex runMutex_;                 // held by the thread whose job runs
    std::vector<std::thread> threads_;    // the helpers
    std::atomic<uint64_t> generation_{0}; // counts jobs; helpers sleep on it
    std::atomic<uint64_t> state_{0};      // the current job's state
    std::atomic<bool> stopping_{false};   // set when the pool ends
    std::atomic<int32_t> awake_{0};       // helpers not asleep
    std::atomic<Task> task_{nullptr};     // the current job
    std::atomic<void*> context_{nullptr}; // its context
    std::atomic<int32_t> wanted_{0};      // its helpers at most
};
