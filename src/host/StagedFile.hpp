// One output file written under a hidden name beside its final one and renamed into place only
// when complete: a failure or a kill at any moment leaves the old file or none, never a partial
// one under the final name.
#pragma once

#include <string>

class StagedFile {
public:
    // Removes what an earlier, killed save to the same final path left behind.
    explicit StagedFile(const std::string& finalPath);
    ~StagedFile(); // removes the staged file unless committed
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Where the content is written: DIR/.NAME.new
    const std::string& Path() const { return staged_; }
    // Renames the staged file over the final path. Throws MediaError.
    void Commit();

private:
    std::string final_;
    std::string staged_;
    bool committed_ = false;
};
