#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "FieldMorphSequence.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshTestGrids.hpp"
#include "MorphTestSet.hpp"

// Every allocation of this test program through the global operator new is counted. The
// replacements pair malloc with free, which GCC cannot see across the inlined calls.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<int64_t> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size > 0 ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

// The nothrow form too, since the plain delete below frees what it returns.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size > 0 ? size : 1);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace {

// Notes the allocation count at every frame, into room made beforehand.
class CountingSink : public FrameSink {
public:
    CountingSink() { counts.reserve(64); }

    void EmitFrame(const WorkImage&, int64_t) override { counts.push_back(allocations.load()); }
    void StepProgress() override {}

    std::vector<int64_t> counts; // allocations so far, at each frame
};

// Field lines: a cross and a slanted line, and the same moved a little.
const std::vector<Point> kFieldSrc = {{40, 30},  {300, 200},      {BREAK_MARK, 0}, {300, 30},
                                      {40, 200}, {BREAK_MARK, 0}, {100, 20},       {120, 300}};
const std::vector<Point> kFieldDst = {{45, 33},  {290, 210},      {BREAK_MARK, 0}, {305, 25},
                                      {50, 190}, {BREAK_MARK, 0}, {110, 25},       {115, 290}};

// Generating frames allocates nothing: every frame after the first finds the allocation count
// where the first left it, for both methods, with and without the dissolve, on the default
// threads of an image large enough to use them.
TEST(FrameAllocation, FramesAfterTheFirstAllocateNothing) {
    const int32_t width = 400;
    const int32_t height = 360;
    std::vector<Point> meshDst = NewMeshNodes(width, height, 4, 3);
    const std::vector<Point> meshSrc = meshDst;
    meshDst[2 * kMeshArraySide + 2].x += 9;
    meshDst[3 * kMeshArraySide + 1].y -= 7;
    struct Case {
        const char* name;
        bool mesh;
        bool linear;
        bool warpOnly;
    };
    const Case cases[] = {
        {"mesh, linear", true, true, false},      {"mesh, spline", true, false, false},
        {"mesh, warp only", true, true, true},    {"field", false, false, false},
        {"field, warp only", false, false, true},
    };
    for (const Case& c : cases) {
        MorphTestSet set(width, height);
        set.src.FillRandom(1);
        set.dst.FillRandom(2);
        CountingSink sink;
        if (c.mesh) {
            MeshMorphSequence(meshSrc.data(), meshDst.data(), 4, 3, set.Images(), 6, c.linear,
                              c.warpOnly, 1.0, sink);
        } else {
            FieldMorphSequence(kFieldSrc.data(), kFieldDst.data(),
                               static_cast<int32_t>(kFieldSrc.size()), height - 1, set.Images(), 6,
                               c.warpOnly, 1.0, sink);
        }
        ASSERT_GE(sink.counts.size(), 4u) << c.name;
        for (std::size_t i = 1; i < sink.counts.size(); ++i) {
            EXPECT_EQ(sink.counts[i], sink.counts[0]) << c.name << ", frame " << i + 1;
        }
    }
}

} // namespace
