// Text to number as the click engine converts its boxes.
#include <gtest/gtest.h>

#include "runtime/conversions.h"
#include "runtime/runtime_error.h"

namespace {

struct Row {
    const char* text;
    std::optional<double> asDouble;
    std::optional<int32_t> asInt;
};

class ConversionTest : public ::testing::TestWithParam<Row> {};

TEST_P(ConversionTest, ConvertsLikeTheBoxesNeed)
{
    const Row& r = GetParam();
    const QString text = QString::fromUtf8(r.text);
    EXPECT_EQ(rt::toDouble(text), r.asDouble) << r.text;
    EXPECT_EQ(rt::toInt32(text), r.asInt) << r.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ConversionTest,
    ::testing::Values(Row{"1", 1.0, 1}, Row{"5000", 5000.0, 5000}, Row{"0", 0.0, 0}, Row{"0.5", 0.5, 0},
                      Row{"5000.5", 5000.5, 5000}, Row{"1.4", 1.4, 1}, Row{"2.5", 2.5, 2}, Row{"3.5", 3.5, 4},
                      Row{"-2.5", -2.5, -2}, Row{"-3", -3.0, -3}, Row{"+7", 7.0, 7}, Row{".5", 0.5, 0},
                      Row{"  12  ", 12.0, 12}, Row{"1e3", 1000.0, 1000}, Row{"2.5E-1", 0.25, 0},
                      Row{"abc", std::nullopt, std::nullopt}, Row{" ", std::nullopt, std::nullopt},
                      Row{"", std::nullopt, std::nullopt}, Row{"1 2", std::nullopt, std::nullopt},
                      Row{"12abc", std::nullopt, std::nullopt}, Row{"0x10", std::nullopt, std::nullopt},
                      Row{"1e", std::nullopt, std::nullopt}, Row{".", std::nullopt, std::nullopt},
                      Row{"NaN", std::nullopt, std::nullopt}, Row{"Infinity", std::nullopt, std::nullopt},
                      Row{"-inf", std::nullopt, std::nullopt}, Row{"1e400", std::nullopt, std::nullopt},
                      Row{"2147483647", 2147483647.0, 2147483647}, Row{"-2147483648", -2147483648.0, INT32_MIN},
                      Row{"2147483648", 2147483648.0, std::nullopt}, Row{"2147483647.5", 2147483647.5, std::nullopt},
                      Row{"-2147483648.5", -2147483648.5, INT32_MIN}, Row{"1e10", 1e10, std::nullopt}));

TEST(ConversionErrors, ThrowingFormsTellMismatchFromOverflow)
{
    EXPECT_EQ(rt::cint(QStringLiteral("42")), 42);
    EXPECT_DOUBLE_EQ(rt::cdbl(QStringLiteral("4.25")), 4.25);
    try {
        rt::cint(QStringLiteral("x"));
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::ErrTypeMismatch);
    }
    try {
        rt::cint(QStringLiteral("99999999999"));
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), rt::ErrOverflow);
    }
    EXPECT_THROW(rt::cdbl(QString()), rt::RuntimeError);
    EXPECT_EQ(rt::str(-3), QStringLiteral("-3"));
}

} // namespace
