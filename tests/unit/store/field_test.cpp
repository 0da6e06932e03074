#include "store/field.h"

#include <gtest/gtest.h>

#include <string>

#include "util/errors.h"

namespace {

using store::Field;
using store::FieldType;
using store::Value;

struct TextCase {
    const char* name;
    Field field;
    std::string text;
    char separator;
    Value expected;  // ignored when an error is expected
    const char* errorPart;  // nullptr: must succeed
};

class FieldFromText : public ::testing::TestWithParam<TextCase> {};

TEST_P(FieldFromText, ConvertsOrRefusesNamingTheField) {
    const TextCase& c = GetParam();
    if (!c.errorPart) {
        EXPECT_EQ(c.field.fromText(c.text, c.separator), c.expected);
        return;
    }
    try {
        (void)c.field.fromText(c.text, c.separator);
        FAIL() << "accepted " << c.text;
    } catch (const util::Error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(c.errorPart), std::string::npos) << what;
        EXPECT_NE(what.find("'" + c.field.name() + "'"), std::string::npos) << what;
    }
}

const Field kFloat("Ymin", FieldType::Float);
const Field kSmall("Xpoints", FieldType::SmallInt);
const Field kInt("FK_system", FieldType::Integer);
const Field kBool("ShowChart", FieldType::Boolean);
const Field kElement("Element1", FieldType::String, 20);

INSTANTIATE_TEST_SUITE_P(
    Cases, FieldFromText,
    ::testing::Values(
        TextCase{"FloatComma", kFloat, "298,15", ',', Value{298.15}, nullptr},
        TextCase{"FloatPointWithCommaSeparator", kFloat, "298.15", ',', Value{298.15}, nullptr},
        TextCase{"FloatCommaWithPointSeparator", kFloat, "298,15", '.', Value{298.15}, nullptr},
        TextCase{"FloatExponent", kFloat, " -1.5E-10 ", '.', Value{-1.5e-10}, nullptr},
        TextCase{"FloatEmptyIsNull", kFloat, "  ", '.', Value{}, nullptr},
        TextCase{"FloatGarbage", kFloat, "12abc", '.', Value{}, "not a valid floating point value"},
        TextCase{"SmallIntMax", kSmall, "32767", '.', Value{std::int64_t{32767}}, nullptr},
        TextCase{"SmallIntTooLarge", kSmall, "32768", '.', Value{}, "allowed range is -32768 to 32767"},
        TextCase{"IntegerNegative", kInt, "-12", '.', Value{std::int64_t{-12}}, nullptr},
        TextCase{"IntegerFraction", kInt, "1.5", '.', Value{}, "not a valid integer value"},
        TextCase{"IntegerTooLarge", kInt, "2147483648", '.', Value{}, "allowed range"},
        TextCase{"BooleanAnyCase", kBool, "tRuE", '.', Value{true}, nullptr},
        TextCase{"BooleanFalse", kBool, "False", '.', Value{false}, nullptr},
        TextCase{"BooleanOther", kBool, "yes", '.', Value{}, "not a valid boolean value"},
        // 20 Cyrillic letters are 40 UTF-8 bytes but 20 characters of code page 1251.
        TextCase{"StringCyrillicAtLimit", kElement, "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ", '.',
                 Value{std::string("ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ")}, nullptr},
        TextCase{"StringKeepsBlanks", kElement, " Ni", '.', Value{std::string(" Ni")}, nullptr},
        TextCase{"StringOneTooLong", kElement, "ABCDEFGHIJKLMNOPQRSTU", '.', Value{}, "too long"},
        TextCase{"StringNotInCodePage", kElement, "Fe\xE2\x82\xAC\xE4\xB8\xAD", '.', Value{}, "cannot hold"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Field, CoerceConvertsNumbersOnlyWhereExact) {
    EXPECT_EQ(kFloat.coerce(Value{std::int64_t{3}}), Value{3.0});
    EXPECT_EQ(kInt.coerce(Value{4.0}), Value{std::int64_t{4}});
    EXPECT_THROW((void)kInt.coerce(Value{4.5}), util::Error);
    EXPECT_THROW((void)kFloat.coerce(Value{std::string("1")}), util::Error);
    EXPECT_THROW((void)kBool.coerce(Value{std::int64_t{1}}), util::Error);
}

TEST(Field, TextOfValuesUsesSeparatorAndDisplayFormat) {
    const Field formatted("Tmin", FieldType::Float, 0, false, "0.######");
    EXPECT_EQ(kFloat.toText(Value{298.15}, ','), "298,15");
    EXPECT_EQ(formatted.displayText(Value{1.0 / 3.0}, ','), "0,333333");
    EXPECT_EQ(formatted.toText(Value{0.5}, '.'), "0.5");
    EXPECT_EQ(kBool.toText(Value{true}, '.'), "True");
    EXPECT_EQ(kInt.toText(Value{}, '.'), "");
}

TEST(Field, AutoIncrementIsAlwaysReadOnly) {
    EXPECT_TRUE(Field("Id", FieldType::AutoIncrement).readOnly());
    EXPECT_FALSE(kInt.readOnly());
}

}  // namespace
