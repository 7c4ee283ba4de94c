#include "PngEncodeQueue.hpp"

#include "MediaError.hpp"
#include "PngEncoder.hpp"

#include <filesystem>

PngEncodeQueue::PngEncodeQueue(std::string dir, unsigned threads) : dir_(std::move(dir)) {
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    maxQueued_ = 2 * size_t{threads};
    for (unsigned i = 0; i < threads; ++i)
        workers_.emplace_back([this] { Work(); });
}

PngEncodeQueue::~PngEncodeQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    changed_.notify_all();
    for (std::thread& worker : workers_)
        worker.join();
    std::error_code ec;
    for (const Result& result : results_)
        if (!result.claimed && !result.path.empty())
            std::filesystem::remove(result.path, ec);
}

int PngEncodeQueue::Submit(TBitmap frame, std::string path) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return jobs_.size() < maxQueued_; });
    const int ticket = static_cast<int>(results_.size());
    results_.emplace_back();
    if (path.empty())
        path =
            (std::filesystem::path(dir_) / (".frame_ahead_" + std::to_string(ticket) + ".png.new"))
                .string();
    jobs_.push_back({ticket, std::move(frame), std::move(path)});
    changed_.notify_all();
    return ticket;
}

std::string PngEncodeQueue::Claim(int ticket) {
    std::unique_lock lock(mutex_);
    Result& result = results_.at(static_cast<size_t>(ticket));
    changed_.wait(lock, [&] { return result.done; });
    result.claimed = true;
    if (!result.error.empty()) {
        std::error_code ec;
        std::filesystem::remove(result.path, ec);
        throw MediaError(result.error);
    }
    return result.path;
}

void PngEncodeQueue::Work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (stopping_)
                return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        changed_.notify_all(); // room for the next Submit
        std::string error;
        try {
            WriteNewFile(job.path, EncodePng(job.frame));
        } catch (const std::exception& failure) {
            error = failure.what();
        }
        {
            std::lock_guard lock(mutex_);
            Result& result = results_[static_cast<size_t>(job.ticket)];
            result.path = job.path;
            result.error = error;
            result.done = true;
        }
        changed_.notify_all();
    }
}
