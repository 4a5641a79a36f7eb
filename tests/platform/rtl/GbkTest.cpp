#include "platform/rtl/Gbk.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(Gbk, RoundTripsIncludingACharacterOnlyGbkHolds) {
    const std::string text = "项目资料 Package 镕";
    const std::string gbk = rtl::Utf8ToGbk(text);
    // 镕 (U+9555) lies outside GB2312; GBK holds it as E9 46.
    EXPECT_EQ(gbk.substr(gbk.size() - 2), "\xE9\x46");
    EXPECT_EQ(gbk.substr(0, 2), "\xCF\xEE");
    EXPECT_EQ(rtl::GbkToUtf8(gbk), text);
}

TEST(Gbk, UnmappableCharacterRaisesOrIsHandedToTheCallback) {
    const std::string text = "a\xF0\x9F\x98\x80"
                             "b镕";
    EXPECT_THROW(rtl::Utf8ToGbk(text), rtl::EConvertError);
    std::vector<char32_t> seen;
    const std::string gbk = rtl::Utf8ToGbk(text, [&](char32_t cp) {
        seen.push_back(cp);
        return "&#" + std::to_string(static_cast<unsigned>(cp)) + ";";
    });
    EXPECT_EQ(gbk, "a&#128512;b\xE9\x46");
    EXPECT_EQ(seen, std::vector<char32_t>{0x1F600});
}

TEST(Gbk, MalformedInputRaisesInBothDirections) {
    EXPECT_THROW(rtl::GbkToUtf8("ok\xE9"), rtl::EConvertError);   // truncated pair
    EXPECT_THROW(rtl::GbkToUtf8("\xFF\xFF"), rtl::EConvertError); // no such code
    EXPECT_THROW(rtl::Utf8ToGbk("x\xC3"), rtl::EConvertError);    // truncated sequence
    EXPECT_THROW(rtl::Utf8ToGbk("\xED\xA0\x80", [](char32_t) { return std::string("?"); }),
                 rtl::EConvertError); // encoded surrogate
    EXPECT_EQ(rtl::GbkToUtf8(""), "");
}

TEST(Gbk, EncodingNames) {
    EXPECT_TRUE(rtl::IsGbkEncodingName("GB2312"));
    EXPECT_TRUE(rtl::IsGbkEncodingName("gbk"));
    EXPECT_TRUE(rtl::IsGbkEncodingName("cp936"));
    EXPECT_FALSE(rtl::IsGbkEncodingName("UTF-8"));
}

} // namespace
