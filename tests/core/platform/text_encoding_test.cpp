// Stored texts are bytes: UTF-8 is kept as it is, anything else is read as Windows-1252.
#include "core/platform/text_encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "core/platform/record_buffer.h"

namespace kestro {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string text;
    for (int b : bytes)
        text += static_cast<char>(b);
    return text;
}

// UTF-8 of one code point, spelled out here rather than taken from the code under test.
std::string Utf8(uint32_t c) {
    if (c < 0x80) return Bytes({int(c)});
    if (c < 0x800) return Bytes({int(0xC0 | (c >> 6)), int(0x80 | (c & 0x3F))});
    if (c < 0x10000)
        return Bytes(
            {int(0xE0 | (c >> 12)), int(0x80 | ((c >> 6) & 0x3F)), int(0x80 | (c & 0x3F))});
    return Bytes({int(0xF0 | (c >> 18)), int(0x80 | ((c >> 12) & 0x3F)),
                  int(0x80 | ((c >> 6) & 0x3F)), int(0x80 | (c & 0x3F))});
}

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page defines nothing.
constexpr uint32_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

TEST(TextEncoding, ValidUtf8IsKeptByteForByte) {
    const std::string texts[] = {
        "",
        "plain ASCII with \t tab",
        std::string("embedded\0zero", 13),
        Utf8(0x7F) + Utf8(0x80) + Utf8(0x7FF),           // the edges of one and two bytes
        Utf8(0x800) + Utf8(0xD7FF) + Utf8(0xE000),       // three bytes, around the surrogates
        Utf8(0xFFFD) + Utf8(0xFFFF),                     // the replacement character itself
        Utf8(0x10000) + Utf8(0x1F600) + Utf8(0x10FFFF),  // four bytes up to the last code point
        "R\xC3\xA9sistance 4,7 k\xCE\xA9 \xE2\x82\xAC",  // Résistance 4,7 kΩ €
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_TRUE(IsValidUtf8(text));
        EXPECT_EQ(TextAsUtf8(text), text);
    }
}

TEST(TextEncoding, EveryHighByteAloneIsReadAsWindows1252) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        SCOPED_TRACE(byte);
        const std::string text = Bytes({'a', byte, 'z'});
        ASSERT_FALSE(IsValidUtf8(text));
        uint32_t expected = uint32_t(byte);  // 0xA0 to 0xFF: Latin-1
        if (byte < 0xA0)
            expected = kCp1252High[byte - 0x80] != 0 ? kCp1252High[byte - 0x80] : 0xFFFD;
        EXPECT_EQ(TextAsUtf8(text), "a" + Utf8(expected) + "z");
        EXPECT_EQ(Windows1252ToUtf8(text), TextAsUtf8(text));
    }
}

TEST(TextEncoding, TheFiveUndefinedBytesBecomeTheReplacementCharacter) {
    EXPECT_EQ(TextAsUtf8(Bytes({0x81, 0x8D, 0x8F, 0x90, 0x9D})),
              Utf8(0xFFFD) + Utf8(0xFFFD) + Utf8(0xFFFD) + Utf8(0xFFFD) + Utf8(0xFFFD));
    // Their neighbours are characters.
    EXPECT_EQ(TextAsUtf8(Bytes({0x80, 0x8C, 0x8E, 0x9C, 0x9E})),
              Utf8(0x20AC) + Utf8(0x0152) + Utf8(0x017D) + Utf8(0x0153) + Utf8(0x017E));
}

TEST(TextEncoding, MalformedSequencesAreNotUtf8) {
    const std::string malformed[] = {
        Bytes({0xC0, 0x80}),                          // overlong NUL
        Bytes({0xC1, 0xBF}),                          // overlong two bytes
        Bytes({0xE0, 0x80, 0x80}),                    // overlong three bytes
        Bytes({0xE0, 0x9F, 0xBF}),                    // U+07FF in three bytes
        Bytes({0xF0, 0x80, 0x80, 0x80}),              // overlong four bytes
        Bytes({0xF0, 0x8F, 0xBF, 0xBF}),              // U+FFFF in four bytes
        Bytes({0xED, 0xA0, 0x80}),                    // U+D800, a surrogate
        Bytes({0xED, 0xBF, 0xBF}),                    // U+DFFF, a surrogate
        Bytes({0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}),  // a surrogate pair spelled out
        Bytes({0xF4, 0x90, 0x80, 0x80}),              // beyond U+10FFFF
        Bytes({0xF5, 0x80, 0x80, 0x80}),              // a lead byte no sequence starts with
        Bytes({0xF8, 0x88, 0x80, 0x80, 0x80}),
        Bytes({0xFF}),
        Bytes({0x80}),              // a lone continuation byte
        Bytes({0xE2, 0x82}),        // cut short at the end
        Bytes({0xE2, 0x41, 0xAC}),  // cut short by another character
        Bytes({0xC3}),
    };
    for (const std::string& text : malformed) {
        SCOPED_TRACE(::testing::PrintToString(text));
        EXPECT_FALSE(IsValidUtf8(text));
        // Read byte by byte as Windows-1252: one character per byte.
        std::string expected;
        for (char c : text) {
            const auto byte = static_cast<uint8_t>(c);
            uint32_t code = byte;
            if (byte >= 0x80 && byte < 0xA0)
                code = kCp1252High[byte - 0x80] != 0 ? kCp1252High[byte - 0x80] : 0xFFFD;
            expected += Utf8(code);
        }
        EXPECT_EQ(TextAsUtf8(text), expected);
    }
    // An overlong NUL reads as two characters and never ends a text early.
    EXPECT_EQ(TextAsUtf8(Bytes({'a', 0xC0, 0x80, 'b'})), "a" + Utf8(0xC0) + Utf8(0x20AC) + "b");
}

TEST(TextEncoding, OneBadByteMakesTheWholeTextWindows1252) {
    // The choice is made for the whole text: an old text whose bytes happen to form a
    // UTF-8 sequence somewhere is still read as the single-byte text it is.
    const std::string mixed = "Caf\xE9 \xE2\x82\xAC";  // é in Windows-1252, € in UTF-8
    EXPECT_FALSE(IsValidUtf8(mixed));
    EXPECT_EQ(TextAsUtf8(mixed), "Caf" + Utf8(0xE9) + " " + Utf8(0xE2) + Utf8(0x201A) + Utf8(0xAC));
    const std::string latin = "\xC3\xA9 and \xE9";  // "Ã©" and "é", all Windows-1252
    EXPECT_EQ(TextAsUtf8(latin), Utf8(0xC3) + Utf8(0xA9) + " and " + Utf8(0xE9));
}

size_t CodePoints(const std::string& utf8) {
    size_t count = 0;
    for (char c : utf8)
        count += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return count;
}

// A text read from any bytes and written back (as the record of a file or buffer holds
// it) gives UTF-8 that reads back to the same text.
TEST(TextEncoding, ReadThenWrittenTextsReadBackTheSame) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::string stored;
        const size_t length = random() % 24;
        const bool ascii = round % 3 == 0;
        for (size_t i = 0; i < length; ++i) {
            // Bytes 1 to 255: a stored string ends at its first zero.
            uint32_t byte = 1 + random() % 255;
            if (ascii) byte &= 0x7F;
            if (byte == 0) byte = 'x';
            stored += static_cast<char>(byte);
        }
        if (round % 5 == 1) stored += Utf8(0x20AC) + Utf8(0x1F600);  // some real UTF-8 too
        SCOPED_TRACE(::testing::PrintToString(stored));
        const std::string read = TextAsUtf8(stored);
        ASSERT_TRUE(IsValidUtf8(read));
        if (IsValidUtf8(stored))
            ASSERT_EQ(read, stored);
        else
            ASSERT_EQ(CodePoints(read), stored.size()) << "one character per byte";

        CRecordBuffer buffer;
        std::string written = read;
        buffer.String(written);
        buffer.StartReading();
        std::string back;
        buffer.String(back);
        ASSERT_EQ(back, read);
        ASSERT_EQ(TextAsUtf8(back), read);
    }
}

}  // namespace
}  // namespace kestro
