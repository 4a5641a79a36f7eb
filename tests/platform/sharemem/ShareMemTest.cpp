#include "platform/sharemem/ShareMem.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

using sharemem::PText;

namespace {

struct Lib {
    explicit Lib(const char* name) : handle(dlopen((std::string(TEST_LIBS) + "/" + name).c_str(), RTLD_NOW)) {}
    ~Lib() {
        if (handle)
            dlclose(handle);
    }
    template <typename F> F Entry(const char* name) { return reinterpret_cast<F>(dlsym(handle, name)); }
    void* handle;
};

} // namespace

TEST(ShareMem, TextAllocatedInOneLibraryIsReleasedInAnother) {
    Lib maker("TextMaker.dll"), taker("TextTaker.dll");
    ASSERT_TRUE(maker.handle && taker.handle);
    auto make = maker.Entry<PText (*)(const char*)>("MakeText");
    auto take = taker.Entry<void (*)(PText)>("TakeText");

    const std::size_t before = sharemem::LiveBlocks();
    PText text = make("项目资料");
    EXPECT_EQ(sharemem::LiveBlocks(), before + 1);
    EXPECT_EQ(sharemem::View(text), "项目资料");
    EXPECT_EQ(sharemem::Length(text), std::string("项目资料").size());
    EXPECT_EQ(text[sharemem::Length(text)], '\0');
    take(text);
    EXPECT_EQ(sharemem::LiveBlocks(), before);
}

TEST(ShareMem, AssigningToAVarParameterReleasesTheOldText) {
    Lib taker("TextTaker.dll");
    auto store = taker.Entry<void (*)(PText*, const char*)>("StoreText");
    const std::size_t before = sharemem::LiveBlocks();

    sharemem::CountedText var("old");
    sharemem::CountedText keeper = var; // a second reference keeps the old text alive
    store(var.Var(), "new");
    EXPECT_EQ(var.Str(), "new");
    EXPECT_EQ(keeper.Str(), "old");
    EXPECT_EQ(sharemem::RefCount(keeper.Get()), 1);

    store(var.Var(), "");
    EXPECT_TRUE(var.Empty()); // the empty text is the null pointer
    keeper = sharemem::CountedText();
    EXPECT_EQ(sharemem::LiveBlocks(), before);
}

TEST(ShareMem, SelfAssignmentThroughAVarKeepsTheText) {
    sharemem::CountedText var("same");
    sharemem::AssignVar(var.Var(), var.View());
    EXPECT_EQ(var.Str(), "same");
    sharemem::AssignVar(var.Var(), var.Get());
    EXPECT_EQ(var.Str(), "same");
    EXPECT_EQ(sharemem::RefCount(var.Get()), 1);
}
