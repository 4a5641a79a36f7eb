#include "platform/win/Library.h"

#include "platform/sharemem/ShareMem.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Windowsish(std::string path) {
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

TEST(Library, LoadsByPathTextWithBackslashesAndAnyCase) {
    win::HMODULE maker = win::LoadLibraryA(Windowsish(std::string(TEST_LIBS) + "/textmaker.DLL").c_str());
    win::HMODULE taker = win::LoadLibraryA((std::string(TEST_LIBS) + "\\TextTaker.dll").c_str());
    ASSERT_NE(maker, nullptr) << win::LastLibraryError();
    ASSERT_NE(taker, nullptr) << win::LastLibraryError();

    auto make = reinterpret_cast<sharemem::PText (*)(const char*)>(win::GetProcAddress(maker, "MakeText"));
    auto take = reinterpret_cast<void (*)(sharemem::PText)>(win::GetProcAddress(taker, "TakeText"));
    ASSERT_TRUE(make && take);
    take(make("text"));

    EXPECT_EQ(win::GetProcAddress(maker, "NoSuchEntry"), nullptr);
    EXPECT_TRUE(win::FreeLibrary(maker));
    EXPECT_TRUE(win::FreeLibrary(taker));
}

TEST(Library, FailuresGiveNilAndRaiseNothing) {
    const std::filesystem::path junk = std::filesystem::path(TARNWICK_BINARY_DIR) / "testlibs" / "Junk.dll";
    {
        std::FILE* f = std::fopen(junk.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("not a library", f);
        std::fclose(f);
    }
    const struct {
        const char* what;
        std::string name;
    } cases[] = {
        {"missing file", std::string(TEST_LIBS) + "\\Missing.dll"},
        {"not a library", junk.string()},
        {"empty name", ""},
        {"bare name that only a search path would find", "libc.so.6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(win::LoadLibraryA(c.name.c_str()), nullptr) << c.what;
    }
    EXPECT_EQ(win::LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(win::GetProcAddress(nullptr, "MakeText"), nullptr);
    EXPECT_FALSE(win::FreeLibrary(nullptr));
}
