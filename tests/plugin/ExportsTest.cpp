// The module's entry points, looked up by name in the built module as the host does.
#include "Exports.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

class ModuleExports : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = dlopen(TWEENKIT_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module_)
            dlclose(module_);
    }
    template <class F> F Export(const char* name) {
        void* symbol = dlsym(module_, name);
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<F>(symbol);
    }
    void* module_ = nullptr;
};

TEST_F(ModuleExports, IdentificationIsTheSameBufferEachTime) {
    auto identification = Export<decltype(&HPI_Identification)>("HPI_Identification");
    const char* first = identification();
    const char* second = identification();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "Tweenkit 1.2");
}

TEST_F(ModuleExports, ExtensionAndVersionConstants) {
    EXPECT_EQ(Export<decltype(&HPI_GetExtension)>("HPI_GetExtension")(), 1011);
    EXPECT_EQ(Export<decltype(&HPI_GetPlugInVersion)>("HPI_GetPlugInVersion")(), 11);
}

TEST_F(ModuleExports, DescriptionDoesNotDependOnTheBufferContent) {
    auto describe = Export<decltype(&HPI_Description)>("HPI_Description");
    std::vector<char> zeroed(4096, 0), garbage(4096, '\x7f');
    char* homeZeroed = describe(zeroed.data());
    char* homeGarbage = describe(garbage.data());
    EXPECT_EQ(homeZeroed, zeroed.data() + 2048);
    EXPECT_EQ(homeGarbage, garbage.data() + 2048);
    EXPECT_STREQ(zeroed.data(), garbage.data());
    EXPECT_STREQ(homeZeroed, homeGarbage);
    EXPECT_GT(std::strlen(homeZeroed), 0u);

    std::string text = zeroed.data();
    EXPECT_LT(text.size(), 2048u);
    EXPECT_EQ(text.rfind("Tweenkit 1.2\n\nCreate morphing video sequence\n", 0), 0u);
    EXPECT_NE(text.find(" \x95 Two-pass mesh warping\n \x95 Field warping\n\n"), std::string::npos);
    EXPECT_NE(text.find("MORPH HINT:\n  1. Load final image"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 22), " 2. Execute Tweenkit!\n");
}

} // namespace
