#include "common/Stream.h"

#include <gtest/gtest.h>

using vt::ByteReader;
using vt::ByteWriter;
using vt::Bytes;

TEST(Stream, WritesLittleEndianFieldsWithoutPadding)
{
    ByteWriter w;
    w.i32(-2);
    w.u8(7);
    w.boolean(true);
    w.str("ab");
    w.f64(1.0);
    Bytes expected = {0xFE, 0xFF, 0xFF, 0xFF, 7, 1, 2, 0, 0, 0, 'a', 'b', 0, 0, 0, 0, 0, 0, 0xF0, 0x3F};
    EXPECT_EQ(w.data(), expected);
}

TEST(Stream, ReadsBackWhatWasWritten)
{
    ByteWriter w;
    w.i32(123456);
    w.u32(0xDEADBEEF);
    w.f64(-2.5);
    w.bytes(Bytes{1, 2, 3});
    w.str(std::string("x\0y", 3));
    ByteReader r(w.data());
    std::int32_t i = 0;
    std::uint32_t u = 0;
    double d = 0;
    Bytes b;
    std::string s;
    ASSERT_TRUE(r.i32(i) && r.u32(u) && r.f64(d) && r.bytes(b) && r.str(s));
    EXPECT_EQ(i, 123456);
    EXPECT_EQ(u, 0xDEADBEEFu);
    EXPECT_EQ(d, -2.5);
    EXPECT_EQ(b, (Bytes{1, 2, 3}));
    EXPECT_EQ(s, "x"); // a text ends at its first zero byte
    EXPECT_TRUE(r.atEnd());
}

TEST(Stream, ShortReadFailsLeavesDestinationAndStaysFailed)
{
    Bytes data = {1, 2, 3};
    ByteReader r(data);
    std::int32_t v = 42;
    EXPECT_FALSE(r.i32(v));
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(r.ok());
    std::uint8_t b = 9;
    EXPECT_FALSE(r.u8(b)); // nothing more once failed
    EXPECT_EQ(b, 9);
}

TEST(Stream, HugeLengthsAndCountsNeverDriveAllocation)
{
    Bytes data = {0xFF, 0xFF, 0xFF, 0x7F, 'a'};
    std::string s = "kept";
    ByteReader r(data);
    EXPECT_FALSE(r.str(s));
    EXPECT_EQ(s, "kept");

    Bytes counted = {3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::uint32_t n = 0;
    ByteReader fits(counted);
    EXPECT_TRUE(fits.count(n, 2));
    EXPECT_EQ(n, 3u);
    ByteReader tooMany(counted);
    EXPECT_FALSE(tooMany.count(n, 4));
    EXPECT_FALSE(tooMany.ok());
}
