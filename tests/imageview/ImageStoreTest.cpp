// The temporary frame store: region reuse, the bound on mapped images, exact copies, and no
// file left behind.
#include "ImageStore.hpp"
#include "MultiView.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TBitmap Filled(int w, int h, TColor c, TPixelFormat pf = pf24bit) {
    TBitmap b(w, h, pf);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, (x + y) % 3 ? c : clBlack);
    return b;
}

bool SameBytes(const TBitmap& a, const TBitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height() || a.PixelFormat() != b.PixelFormat())
        return false;
    size_t n = static_cast<size_t>(a.RowStride()) * a.Height();
    return n == 0 || std::memcmp(a.Bits(), b.Bits(), n) == 0;
}

// Open descriptors of this process that name a removed store file.
int OpenStoreFiles() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        std::string target = fs::read_symlink(entry.path(), ec).string();
        if (!ec && target.find("tweenkit-") != std::string::npos)
            ++count;
    }
    return count;
}

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Points TMPDIR at a fresh folder for one test.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tk-store-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
        const char* old = std::getenv("TMPDIR");
        saved_ = old ? old : "";
        hadOld_ = old != nullptr;
        setenv("TMPDIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (hadOld_)
            setenv("TMPDIR", saved_.c_str(), 1);
        else
            unsetenv("TMPDIR");
        fs::remove_all(dir_);
    }
    bool DirEmpty() const { return fs::is_empty(dir_); }
    fs::path dir_;
    std::string saved_;
    bool hadOld_ = false;
};

TEST(ImageStore, RegionsAreWholeBlocksAndFreedOnesAreReusedFirstFit) {
    TImageStore store;
    int a = store.Put(Filled(100, 100, clRed));  // 30048 bytes: one block
    int b = store.Put(Filled(200, 200, clBlue)); // 120048 bytes: two blocks
    int c = store.Put(Filled(10, 10, clLime));
    EXPECT_EQ(store.RegionOffset(a), 0);
    EXPECT_EQ(store.RegionSize(a), 65536);
    EXPECT_EQ(store.RegionOffset(b), 65536);
    EXPECT_EQ(store.RegionSize(b), 131072);
    EXPECT_EQ(store.RegionOffset(c), 196608);

    store.Remove(b);
    int small = store.Put(Filled(50, 50, clRed)); // first free region that fits: b's
    EXPECT_EQ(store.RegionOffset(small), 65536);
    int large = store.Put(Filled(300, 300, clRed)); // fits nowhere: the file grows
    EXPECT_EQ(store.RegionOffset(large), 262144);

    // Freed neighbours merge, so an image twice their size fits where they were.
    store.Remove(a);
    store.Remove(small);
    int merged = store.Put(Filled(200, 200, clRed));
    EXPECT_EQ(store.RegionOffset(merged), 0);
    EXPECT_EQ(store.FileSize(), 262144 + store.RegionSize(large));
}

TEST(ImageStore, AtMostCacheSizeImagesAreMappedAndCopiesStayExact) {
    TImageStore store(3);
    std::vector<TBitmap> originals;
    std::vector<int> ids;
    const TPixelFormat formats[] = {pf24bit, pf1bit, pf32bit};
    for (int i = 0; i < 10; ++i) {
        originals.push_back(Filled(7 + i, 5 + i, RGB(20 * i, 255 - i, 3 * i), formats[i % 3]));
        ids.push_back(store.Put(originals.back()));
        EXPECT_LE(store.MappedCount(), 3);
    }
    TBitmap out;
    for (int i = 9; i >= 0; --i) {
        ASSERT_TRUE(store.CopyTo(ids[i], out));
        EXPECT_TRUE(SameBytes(out, originals[i])) << "image " << i;
        EXPECT_LE(store.MappedCount(), 3);
    }
    store.SetCacheSize(1);
    EXPECT_EQ(store.MappedCount(), 1);
    EXPECT_FALSE(store.CopyTo(99, out));
    EXPECT_EQ(store.Width(ids[4]), 11);
    EXPECT_EQ(store.Height(ids[4]), 9);
}

using TemporaryStoreFile = TempDirTest;

TEST_F(TemporaryStoreFile, LeavesNoNameBehindAndClosesOnClearAndDestruction) {
    int before = OpenStoreFiles();
    {
        TMultiView view(nullptr);
        view.AppendImage();
        view.SetImage(0, Filled(64, 64, clRed));
        EXPECT_TRUE(DirEmpty()); // the name went right after creation
        EXPECT_EQ(OpenStoreFiles(), before + 1);
        view.Clear();
        EXPECT_EQ(OpenStoreFiles(), before);
        view.AppendImage();
        view.SetImage(0, Filled(64, 64, clRed));
        EXPECT_EQ(OpenStoreFiles(), before + 1);
    }
    EXPECT_EQ(OpenStoreFiles(), before);
    EXPECT_TRUE(DirEmpty());
}

TEST_F(TemporaryStoreFile, AnUnusableDirectoryIsReportedWhenStoring) {
    setenv("TMPDIR", (dir_ / "missing").c_str(), 1);
    TMultiView view(nullptr);
    view.AppendImage();
    try {
        view.SetImage(0, Filled(4, 4, clRed));
        FAIL() << "storing must fail";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos) << e.what();
    }
    EXPECT_EQ(view.GetImageWidth(0), 0);
}

TEST(ImageStore, AThousandVgaFramesKeepResidentMemoryNearTheCache) {
    TMultiView view(nullptr);
    TBitmap frame = Filled(640, 480, clRed);
    long before = ResidentKiB();
    for (int i = 0; i < 1000; ++i) {
        frame.SetPixel(0, 0, RGB(i % 256, 0, 0));
        view.SetImage(view.AppendImage(), frame);
    }
    // Reading every frame back maps each one in turn.
    int wrong = 0;
    for (int i = 0; i < 1000; ++i)
        wrong += view.GetImage(i)->Pixel(0, 0) != RGB(i % 256, 0, 0);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(view.Store()->MappedCount(), 10);
#if defined(__SANITIZE_ADDRESS__)
    // The address sanitizer's quarantine keeps freed copies resident on purpose.
    GTEST_SKIP() << "resident memory is not the store's under the address sanitizer";
#endif
    long grown = ResidentKiB() - before;
    // Ten mapped frames of 960 KiB each, plus the bookkeeping; without unmapping it would be
    // about 940 MiB.
    EXPECT_LT(grown, 48 * 1024) << "resident memory grew by " << grown << " KiB";
}

} // namespace
