#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

#include "KernelSchedule.hpp"
#include "ParallelFor.hpp"
#include "ProcessorLoad.hpp"
#include "Rounding.hpp"
#include "TestSchedules.hpp"

namespace {

// RoundNonNegativeToInt stands in for RoundToInt in the fast sampling: equal on every multiple
// of 2^-12 up to 300 (all bytes a blend can give), on both neighbours of every half and whole
// number there, and on the large values where floats are whole numbers.
TEST(RoundNonNegativeToInt, EqualsRoundToIntForNonNegativeValues) {
    std::vector<float> values;
    for (int32_t i = 0; i <= 300 * 4096; ++i) {
        values.push_back(static_cast<float>(i) / 4096.0f);
    }
    for (int32_t i = 0; i <= 600; ++i) {
        const float half = static_cast<float>(i) / 2.0f;
        values.push_back(std::nextafter(half, 0.0f));
        values.push_back(std::nextafter(half, 1000.0f));
    }
    for (const float big : {8388607.5f, 8388608.0f, 16777216.0f, 16777218.0f, 2147483520.0f}) {
        values.push_back(big);
        values.push_back(std::nextafter(big, 0.0f));
    }
    for (const float value : values) {
        ASSERT_EQ(RoundNonNegativeToInt(value), RoundToInt(value)) << value;
    }
}

TEST(ReferenceForced, ReadsTheSwitchOnEveryCall) {
    struct Case {
        const char* value; // null: unset
        bool forced;
    };
    const Case cases[] = {{nullptr, false}, {"", false},   {"0", false},
                          {"1", true},      {"yes", true}, {"00", true}};
    for (const Case& c : cases) {
        const ScopedEnvironment environment("TWEENKIT_REFERENCE", c.value);
        EXPECT_EQ(ReferenceForced(), c.forced) << (c.value ? c.value : "unset");
    }
}

// The default thread count takes the processors other work leaves idle, at least one and at
// most the configured count.
TEST(ThreadsForIdleProcessors, TakesTheIdleProcessors) {
    struct Case {
        int32_t maxThreads;
        int32_t processors;
        int32_t otherRunnable;
        int32_t expected;
    };
    const Case cases[] = {{2, 2, 0, 2}, {2, 2, 1, 1}, {2, 2, 5, 1}, {8, 4, 1, 3},
                          {2, 8, 0, 2}, {1, 8, 0, 1}, {0, 2, 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(ThreadsForIdleProcessors(c.maxThreads, c.processors, c.otherRunnable), c.expected)
            << c.maxThreads << " " << c.processors << " " << c.otherRunnable;
    }
}

// A thread that spins is other work the probe sees.
TEST(OtherRunnableThreads, SeesASpinningThread) {
    std::atomic<bool> stop{false};
    std::atomic<bool> started{false};
    std::thread spinner([&] {
        started = true;
        while (!stop.load(std::memory_order_relaxed)) {
        }
    });
    while (!started) {
    }
    int32_t most = 0;
    for (int32_t i = 0; i < 20; ++i) {
        most = std::max(most, OtherRunnableThreads());
    }
    stop = true;
    spinner.join();
    EXPECT_GE(most, 1);
}

// Every item runs exactly once on any thread count, and each thread makes one worker.
TEST(ParallelFor, RunsEveryItemOnce) {
    for (const int32_t threads : {1, 2, 3}) {
        for (const int64_t count : {int64_t{0}, int64_t{1}, int64_t{7}, int64_t{1000}}) {
            std::vector<std::atomic<int>> runs(static_cast<std::size_t>(count));
            std::atomic<int> workers{0};
            ParallelFor(count, KernelSchedule{threads, true, true, true}, 3, [&] {
                ++workers;
                return [&](int64_t item) { ++runs[static_cast<std::size_t>(item)]; };
            });
            for (int64_t i = 0; i < count; ++i) {
                ASSERT_EQ(runs[static_cast<std::size_t>(i)], 1) << threads << " " << i;
            }
            EXPECT_LE(workers, threads);
        }
    }
}

// A worker maker that takes a number gets each participating thread's own, below the thread
// count, so threads can use buffers made beforehand without sharing them.
TEST(ParallelFor, NumbersEachParticipantBelowTheThreadCount) {
    for (const int32_t threads : {1, 2, 3}) {
        std::vector<std::atomic<int>> makes(static_cast<std::size_t>(threads));
        std::atomic<int64_t> items{0};
        ParallelFor(500, KernelSchedule{threads, true, true, true}, 2, [&](int32_t participant) {
            EXPECT_GE(participant, 0);
            EXPECT_LT(participant, threads);
            ++makes[static_cast<std::size_t>(participant)];
            return [&](int64_t) { ++items; };
        });
        EXPECT_EQ(items, 500);
        for (const std::atomic<int>& count : makes) {
            EXPECT_LE(count, 1) << threads;
        }
    }
}

// Of several failing items, the lowest one's exception comes out, whatever the threads did.
TEST(ParallelFor, RethrowsTheLowestFailingItem) {
    struct Case {
        std::vector<int64_t> failing;
        int64_t expected;
    };
    const Case cases[] = {{{5}, 5}, {{999, 3, 500}, 3}, {{0, 1}, 0}, {{998, 999}, 998}};
    for (const Case& c : cases) {
        for (const int32_t threads : {1, 2}) {
            try {
                ParallelFor(1000, KernelSchedule{threads, true, true, true}, 1, [&] {
                    return [&](int64_t item) {
                        for (const int64_t bad : c.failing) {
                            if (item == bad) {
                                throw std::runtime_error(std::to_string(item));
                            }
                        }
                    };
                });
                ADD_FAILURE() << "no failure";
            } catch (const std::runtime_error& failure) {
                EXPECT_EQ(failure.what(), std::to_string(c.expected)) << threads;
            }
        }
    }
}

// The pool serves one job at a time: a loop started inside an item, or from a second thread
// while a loop runs, runs on its caller alone, and every loop still runs each item once.
TEST(ParallelFor, NestedAndConcurrentLoopsFinish) {
    const KernelSchedule two{2, true, true, true};
    std::vector<std::atomic<int>> inner(100 * 10);
    const auto nested = [&] {
        ParallelFor(100, two, 1, [&] {
            return [&](int64_t outer) {
                ParallelFor(10, two, 1, [&] {
                    return
                        [&](int64_t item) { ++inner[static_cast<std::size_t>(outer * 10 + item)]; };
                });
            };
        });
    };
    std::thread other(nested);
    nested();
    other.join();
    for (const std::atomic<int>& runs : inner) {
        ASSERT_EQ(runs, 2);
    }
}

} // namespace
