#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "qor/Value.h"

namespace {

using qor::DiscreteMeasurement;
using qor::QORValue;
using qor::String;
using qor::UnitMagnitude;
using qor::UnitType;

std::string text(const QORValue& value) {
    return value.toString(QORValue::nilValue()).str();
}

TEST(QORValueTest, EachKindReportsItsTypeAndRendersAsText) {
    struct Case {
        QORValue value;
        QORValue::Type type;
        const char* rendered;
    };
    const Case cases[] = {
        {QORValue(), QORValue::TYPE_NIL, ""},
        {QORValue(true), QORValue::TYPE_BOOL, "true"},
        {QORValue(false), QORValue::TYPE_BOOL, "false"},
        {QORValue(static_cast<unsigned char>(200)), QORValue::TYPE_UCHAR, "200"},
        {QORValue(static_cast<unsigned short>(65535)), QORValue::TYPE_USHORT, "65535"},
        {QORValue(4294967295u), QORValue::TYPE_UINT, "4294967295"},
        {QORValue(String("DEL-A07Bh")), QORValue::TYPE_STRING, "DEL-A07Bh"},
        {QORValue("text"), QORValue::TYPE_STRING, "text"},
        {QORValue(DiscreteMeasurement(UnitType::FREQUENCY, 148500000)), QORValue::TYPE_MEASUREMENT,
         "148.5 MHz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.getType(), c.type) << c.rendered;
        EXPECT_EQ(text(c.value), c.rendered);
    }
    EXPECT_TRUE(QORValue::nilValue().isNil());
}

TEST(QORValueTest, TypedReadsAcceptOnlyTheirKind) {
    bool flag = false;
    unsigned number = 0;
    String string;
    DiscreteMeasurement measurement(UnitType::NONE, 0);

    EXPECT_TRUE(QORValue(true).get(flag));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(QORValue(1u).get(flag));
    EXPECT_TRUE(QORValue(static_cast<unsigned char>(7)).get(number));
    EXPECT_EQ(number, 7u);
    EXPECT_TRUE(QORValue(static_cast<unsigned short>(300)).get(number));
    EXPECT_EQ(number, 300u);
    EXPECT_FALSE(QORValue("12").get(number));
    EXPECT_TRUE(QORValue("abc").get(string));
    EXPECT_EQ(string, String("abc"));
    EXPECT_FALSE(QORValue().get(string));
    EXPECT_TRUE(QORValue(DiscreteMeasurement(UnitType::FREQUENCY, 60)).get(measurement));
    EXPECT_EQ(measurement.getCount(), 60u);
}

TEST(QORValueTest, StringArraysCollectTheirItems) {
    QORValue modes(QORValue::TYPE_STRING_ARRAY, true, 0);
    EXPECT_TRUE(modes.isArray());
    EXPECT_EQ(modes.getType(), QORValue::TYPE_STRING_ARRAY);
    EXPECT_EQ(modes.getArraySize(), 0u);
    EXPECT_EQ(text(modes), "");

    modes.append("640 x 480 @ 60Hz");
    modes.append("800 x 600 @ 60Hz");
    EXPECT_EQ(modes.getArraySize(), 2u);
    EXPECT_EQ(modes.getArrayItem(1), String("800 x 600 @ 60Hz"));
    EXPECT_EQ(modes.getArrayItem(2), String());
    EXPECT_EQ(text(modes), "640 x 480 @ 60Hz, 800 x 600 @ 60Hz");

    QORValue scalar(5u);
    scalar.append("ignored");
    EXPECT_EQ(scalar.getArraySize(), 0u);
    EXPECT_EQ(text(scalar), "5");
}

TEST(QORValueTest, SettingTextBecomesABoolean) {
    struct Case {
        const char* text;
        bool expected;
    };
    const Case cases[] = {
        {"true", true}, {"TRUE", true}, {"True", true},   {"1", true},      {"yes", true},
        {"YeS", true},  {"on", true},   {" ON \t", true}, {"false", false}, {"FALSE", false},
        {"0", false},   {"no", false},  {"No", false},    {"off", false},   {"oFF", false},
    };
    for (const Case& c : cases) {
        bool value = !c.expected;
        EXPECT_TRUE(QORValue::getCorrectValue(c.text, QORValue::TYPE_BOOL, false).get(value))
            << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(QORValueTest, TextThatDoesNotConvertGivesNilOrTheDefault) {
    for (const char* bad : {"", "2", "truee", "y", "enabled", "-1"}) {
        EXPECT_TRUE(QORValue::getCorrectValue(bad, QORValue::TYPE_BOOL, false).isNil()) << bad;
        bool value = true;
        EXPECT_TRUE(QORValue::getCorrectValue(bad, QORValue::TYPE_BOOL, true).get(value)) << bad;
        EXPECT_FALSE(value);
    }
    unsigned number = 1;
    EXPECT_TRUE(QORValue::getCorrectValue(" 255 ", QORValue::TYPE_UCHAR, false).get(number));
    EXPECT_EQ(number, 255u);
    EXPECT_TRUE(QORValue::getCorrectValue("256", QORValue::TYPE_UCHAR, false).isNil());
    EXPECT_TRUE(QORValue::getCorrectValue("65536", QORValue::TYPE_USHORT, false).isNil());
    EXPECT_TRUE(QORValue::getCorrectValue("4294967296", QORValue::TYPE_UINT, false).isNil());
    EXPECT_TRUE(QORValue::getCorrectValue("12abc", QORValue::TYPE_UINT, false).isNil());
    EXPECT_TRUE(QORValue::getCorrectValue("-3", QORValue::TYPE_UINT, true).get(number));
    EXPECT_EQ(number, 0u);
}

TEST(DiscreteMeasurementTest, AutomaticMagnitudeRendering) {
    struct Case {
        std::uint64_t hertz;
        const char* expected;
    };
    const Case cases[] = {
        {148500000, "148.5 MHz"},
        {148350000, "148.35 MHz"},
        {25175000, "25.175 MHz"},
        {60, "60 Hz"},
        {0, "0 Hz"},
        {999, "999 Hz"},
        {1000, "1 kHz"},
        {31500, "31.5 kHz"},
        {25175499, "25.175 MHz"},  // below the half thousandth: rounds down
        {25175500, "25.176 MHz"},  // at the half thousandth: rounds up
        {1999999, "2 MHz"},        // rounding carries into the whole part
        {999999999, "1 GHz"},      // and into the next unit
        {1000000000, "1 GHz"},
        {5000000000ULL, "5 GHz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DiscreteMeasurement(UnitType::FREQUENCY, c.hertz).toString(UnitMagnitude::AUTO),
                  String(c.expected))
            << c.hertz;
    }
    // The integer overload used with 0 means AUTO.
    EXPECT_EQ(DiscreteMeasurement(UnitType::FREQUENCY, 148500000).toString(0), String("148.5 MHz"));
}

TEST(DiscreteMeasurementTest, FixedMagnitudeAndUnitlessRendering) {
    const DiscreteMeasurement sixty(UnitType::FREQUENCY, 60);
    EXPECT_EQ(sixty.toString(UnitMagnitude::ONE), String("60 Hz"));
    EXPECT_EQ(sixty.toString(UnitMagnitude::KILO), String("0.06 kHz"));
    EXPECT_EQ(sixty.toString(UnitMagnitude::MEGA), String("0 MHz"));
    EXPECT_EQ(DiscreteMeasurement(UnitType::FREQUENCY, 148500000).toString(UnitMagnitude::KILO),
              String("148500 kHz"));
    EXPECT_EQ(DiscreteMeasurement(UnitType::NONE, 42).toString(UnitMagnitude::AUTO), String("42"));
}

}  // namespace
