// The exchange line grammar: field line parsing, the record reader's gathering and its handling of
// damaged files, and the writer's refusals.
#include <gtest/gtest.h>

#include <sstream>

#include "exchange/exchange_reader.h"
#include "exchange/exchange_writer.h"
#include "exchange/field_line.h"
#include "util/errors.h"

namespace {

using exchange::ExchangeReader;
using exchange::FieldLine;
using exchange::ParseFieldLine;

struct ParseCase {
    const char* name;
    std::string line;
    bool ok;
    std::string field;
    std::string value;
};

TEST(ParseFieldLine, SplitsNameAndValue) {
    const ParseCase cases[] = {
        {"plain", "Tmin\x1F @298.15\x80", true, "Tmin", "298.15"},
        {"empty value", "Element3\x1F @\x80", true, "Element3", ""},
        {"name trimmed", " \tPhase_designation \x1F @LIQUID\x80", true, "Phase_designation", "LIQUID"},
        {"value trimmed of blanks and line breaks", "Comment\x1F @ \r\n a\r\nb \r\n\x80", true, "Comment", "a\r\nb"},
        {"at sign inside value survives", "X\x1F @@1;@2\x80", true, "X", "@1;@2"},
        {"bytes after the end byte stay", "X\x1F @ab\x80" "cd", true, "X", "abcd"},
        {"cp1251 letters kept as bytes", "Comment\x1F @\xCC\xE5\xE4\xFC\x80", true, "Comment", "\xCC\xE5\xE4\xFC"},
        {"no separator", "Tmin @298\x80", false, "", ""},
        {"separator without blank", "Tmin\x1F@298\x80", false, "", ""},
        {"no value start", "Tmin\x1F 298\x80", false, "", ""},
        {"no value end", "Tmin\x1F @298", false, "", ""},
        {"end line", ">", false, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto parsed = ParseFieldLine(c.line);
        ASSERT_EQ(parsed.has_value(), c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(parsed->name, c.field);
        EXPECT_EQ(parsed->value, c.value);
    }
}

TEST(FormatFieldLine, WritesTheBytesInOrder) {
    EXPECT_EQ(exchange::FormatFieldLine("Ymin", "298,15"), std::string("Ymin\x1F @298,15\x80\r\n"));
    EXPECT_EQ(exchange::FormatFieldLine("Element3", ""), std::string("Element3\x1F @\x80\r\n"));
}

// Reads one record body and describes what the reader returned, one word per item.
std::string readRecord(const std::string& bytes, bool gather) {
    std::istringstream in(bytes);
    ExchangeReader reader(in);
    auto header = reader.nextHeader();
    reader.beginRecord(*header);
    std::string trace;
    FieldLine field;
    for (;;) {
        auto item = reader.nextField(gather, field);
        if (item == ExchangeReader::Item::End) return trace + "end";
        if (item == ExchangeReader::Item::Ignored) trace += "ignored|";
        else trace += field.name + "=" + field.value + "|";
    }
}

struct RecordCase {
    const char* name;
    std::string bytes;
    bool gather;
    std::string trace;
};

TEST(ExchangeReader, ReadsRecordBodies) {
    const RecordCase cases[] = {
        {"gathers a three-line memo", "[SYSTEMS]\r\nComment\x1F @one\r\ntwo\r\nthree\x80\r\nA\x1F @1\x80\r\n>\r\n", true,
         "Comment=one\r\ntwo\r\nthree|A=1|end"},
        {"gathering swallows an end line inside an open value",
         "[SYSTEMS]\r\nComment\x1F @a\r\n>\r\nb\x80\r\n>\r\n", true, "Comment=a\r\n>\r\nb|end"},
        {"no gathering: continuation lines are ignored", "  [PHASES]\r\nP\x1F @a\r\nb\x80\r\n>\r\n", false,
         "ignored|ignored|end"},
        {"a blank before > is no end line", "  [PHASES]\r\nP\x1F @a\x80\r\n >\r\nQ\x1F @b\x80\r\n>\r\n", false,
         "P=a|ignored|Q=b|end"},
        {"LF line ends and a last line without line end", "[SYSTEMS]\nA\x1F @1\x80\n>", true, "A=1|end"},
        {"header indentation trimmed", "   [GIBBS_ENERGY]\t\r\n>\r\n", true, "end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readRecord(c.bytes, c.gather), c.trace);
    }
}

struct DamageCase {
    const char* name;
    std::string bytes;
    bool gather;
    std::string message;
};

TEST(ExchangeReader, DamagedFileEndsReadingNamingTheLine) {
    const DamageCase cases[] = {
        {"record without end line", "[SYSTEMS]\r\nA\x1F @1\x80\r\n", true,
         "Файл обмена поврежден: запись [SYSTEMS], начатая в строке 1, не закончена строкой \">\" до конца файла"},
        {"empty file body", "  [PHASES]", false,
         "Файл обмена поврежден: запись [PHASES], начатая в строке 1, не закончена строкой \">\" до конца файла"},
        {"value without end byte", "[SYSTEMS]\r\nA\x1F @1\x80\r\nComment\x1F @open\r\nstill open\r\n>\r\n", true,
         "Файл обмена поврежден: значение поля, начатое в строке 3, не закончено байтом 0x80 до конца файла"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            readRecord(c.bytes, c.gather);
            ADD_FAILURE() << "no error";
        } catch (const util::Error& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(ExchangeWriter, EncodesToCp1251WithCrLf) {
    exchange::ExchangeWriter writer;
    writer.header("[SYSTEMS]");
    writer.field("Comment", "Медь\nникель\r\nконец", true);
    writer.endRecord();
    EXPECT_EQ(writer.bytes(), std::string("[SYSTEMS]\r\nComment\x1F @\xCC\xE5\xE4\xFC\r\n\xED\xE8\xEA\xE5\xEB\xFC"
                                          "\r\n\xEA\xEE\xED\xE5\xF6\x80\r\n>\r\n"));
}

struct RefusalCase {
    const char* name;
    std::string value;
    bool multiLine;
    std::string message;
};

TEST(ExchangeWriter, RefusesValuesTheFormatCannotCarry) {
    const RefusalCase cases[] = {
        {"end-of-value letter", "Ђ-phase", true,
         "Нельзя записать в файл: система «Cu+Ni», поле Comment содержит символ «Ђ» (байт 0x80 заканчивает значение в файле)"},
        {"character outside code page 1251", "α-Fe", true,
         "Нельзя записать в файл: система «Cu+Ni», поле Comment содержит символ «α», которого нет в кодовой странице 1251"},
        {"line break in a single-line section", "a\r\nb", false,
         "Нельзя записать в файл: система «Cu+Ni», поле Comment содержит перевод строки, а в записи этого раздела "
         "значение занимает одну строку"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        exchange::ExchangeWriter writer;
        writer.setOwner("система «Cu+Ni»");
        try {
            writer.field("Comment", c.value, c.multiLine);
            ADD_FAILURE() << "not refused";
        } catch (const util::Error& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
        EXPECT_EQ(writer.bytes(), "");
    }
}

}  // namespace
