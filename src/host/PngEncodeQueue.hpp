// Encodes frames to PNG files on every core: a frame is handed over, a worker encodes it into
// a hidden file in the output folder, and the file is claimed later by its ticket, in any order.
#pragma once

#include "graphics/Bitmap.hpp"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PngEncodeQueue {
public:
    // Files go to dir as .frame_ahead_N.png.new; threads 0: one per core.
    explicit PngEncodeQueue(std::string dir, unsigned threads = 0);
    // Finishes the work under way and removes every file not claimed.
    ~PngEncodeQueue();
    PngEncodeQueue(const PngEncodeQueue&) = delete;
    PngEncodeQueue& operator=(const PngEncodeQueue&) = delete;

    // Queues frame for encoding into path (empty: a hidden name of the queue's own) and
    // returns its ticket. Waits while twice as many frames as there are workers are queued, so
    // memory stays bounded however fast frames come.
    int Submit(TBitmap frame, std::string path = "");
    // Waits for the ticket's file and hands it over: the caller renames or removes it. Throws
    // MediaError with the reason when encoding or writing failed.
    std::string Claim(int ticket);

private:
    struct Job {
        int ticket;
        TBitmap frame;
        std::string path;
    };
    struct Result {
        bool done = false;
        bool claimed = false;
        std::string path;
        std::string error;
    };
    void Work();

    std::string dir_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    std::deque<Result> results_; // by ticket; deque: references stay valid as it grows
    size_t maxQueued_ = 2;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};
