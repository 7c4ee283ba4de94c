// HPI_Execute in the built module, on a headless application shared with the module.
#include "Application.hpp"
#include "Exports.hpp"
#include "MultiView.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

// The host side of the test: lends lentFrame for command 8 when one is set.
FrameExchange* exchangeServed = nullptr;
TBitmap* lentFrame = nullptr;

int32_t HPI_STDCALL ServeCommand(int32_t code) {
    if (code == 8)
        exchangeServed->Graphic = lentFrame;
    if (code == 9)
        exchangeServed->Graphic = nullptr;
    return 0;
}

class Execute : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = dlopen(TWEENKIT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        execute_ = reinterpret_cast<decltype(&HPI_Execute)>(dlsym(module_, "HPI_Execute"));
        ASSERT_NE(execute_, nullptr);
        context_.CurrentImageSlot = &image_;
        context_.Sequence = &sequence_;
        context_.Exchange = &exchange_;
        sequence_.FrameList = &frames_;
        exchangeServed = &exchange_;
        lentFrame = nullptr;
    }
    void TearDown() override {
        if (module_)
            dlclose(module_);
    }
    // Runs HPI_Execute and returns its result with what it printed.
    std::pair<int32_t, std::string> Run() {
        testing::internal::CaptureStdout();
        int32_t result = execute_(&context_, ServeCommand);
        return {result, testing::internal::GetCapturedStdout()};
    }

    TApplication app_{std::make_unique<HeadlessBackend>()};
    void* module_ = nullptr;
    decltype(&HPI_Execute) execute_ = nullptr;
    int imageObject_ = 0;
    void* image_ = &imageObject_;
    TMultiView frames_{nullptr};
    HostSequence sequence_{};
    FrameExchange exchange_{};
    HostContext context_{};
};

TEST_F(Execute, RefusesWithoutAnImageShowingOnlyThatMessage) {
    image_ = nullptr;
    sequence_.FrameList = nullptr;
    EXPECT_EQ(
        Run(),
        std::make_pair(-1, std::string("message: No image loaded/created, execution aborted!\n")));
}

TEST_F(Execute, RefusesWithoutASequenceShowingOnlyThatMessage) {
    sequence_.FrameList = nullptr;
    EXPECT_EQ(Run(), std::make_pair(-2, std::string("message: No video/animation sequence "
                                                    "loaded/created, execution aborted!\n")));
}

TEST_F(Execute, RunsTheEditorModallyAndReturnsZeroWhenItCloses) {
    TBitmap frame(40, 30);
    lentFrame = &frame;
    frames_.AppendImage();
    EXPECT_EQ(Run(), std::make_pair(0, std::string()));
    EXPECT_EQ(app_.ModalDepth(), 0);
    EXPECT_TRUE(app_.Forms().empty());
}

TEST_F(Execute, AHostThatLendsNoGraphicIsRefusedInsteadOfCrashing) {
    frames_.AppendImage();
    EXPECT_EQ(Run(), std::make_pair(-1, std::string("message: No image loaded/created, "
                                                    "execution aborted!\n")));
    EXPECT_TRUE(app_.Forms().empty());
}

} // namespace
