#include "util/cp1251.h"

#include <gtest/gtest.h>

#include <string>

#include "util/errors.h"

namespace {

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

TEST(Cp1251, EveryByteSurvivesARoundTrip) {
    const std::string bytes = allBytes();
    const std::string utf8 = util::cp1251ToUtf8(bytes);
    EXPECT_TRUE(util::encodableInCp1251(utf8));
    EXPECT_EQ(util::utf8ToCp1251(utf8), bytes);
}

TEST(Cp1251, KnownCharacters) {
    const struct {
        const char* utf8;
        const char* bytes;
    } cases[] = {
        {"Жидкость", "\xC6\xE8\xE4\xEA\xEE\xF1\xF2\xFC"},
        {"АЯая", "\xC0\xDF\xE0\xFF"},
        {"Ёё", "\xA8\xB8"},
        {"€", "\x88"},
        {"№", "\xB9"},
        {"«»", "\xAB\xBB"},
        {"—–…", "\x97\x96\x85"},
        {"ЂЏђџ", "\x80\x8F\x90\x9F"},
        {"Ґґ", "\xA5\xB4"},
        {"\xC2\x98", "\x98"},  // U+0098 stands for the unassigned byte
        {"\xC2\xA0", "\xA0"},  // no-break space
        {"Cu+Ni\r\n", "Cu+Ni\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(util::utf8ToCp1251(c.utf8), c.bytes) << c.utf8;
        EXPECT_EQ(util::cp1251ToUtf8(c.bytes), c.utf8) << c.utf8;
    }
}

TEST(Cp1251, RefusesWhatItCannotHold) {
    const struct {
        const char* utf8;
        const char* message;
    } cases[] = {
        {"Cu中", "The character U+4E2D \"中\" cannot be written in code page 1251"},
        {"ä", "The character U+00E4 \"ä\" cannot be written in code page 1251"},
        {"\xC2\x81", "The character U+0081 \"\xC2\x81\" cannot be written in code page 1251"},
        {"😀", "The character U+1F600 \"😀\" cannot be written in code page 1251"},
        {"ab\xFF", "Invalid UTF-8 byte 0xFF at position 2"},
        {"\xD0", "Invalid UTF-8 byte 0xD0 at position 0"},             // truncated
        {"\xC0\xAF", "Invalid UTF-8 byte 0xC0 at position 0"},         // overlong "/"
        {"\xED\xA0\x80", "Invalid UTF-8 byte 0xED at position 0"},     // surrogate
        {"x\x80", "Invalid UTF-8 byte 0x80 at position 1"},            // stray continuation
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(util::encodableInCp1251(c.utf8)) << c.message;
        try {
            util::utf8ToCp1251(c.utf8);
            ADD_FAILURE() << "accepted: " << c.message;
        } catch (const util::Error& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

}  // namespace
