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

TEST(QORValueTest, TypedReadsAcceptOnlyTheirKind) {
    bool flag = false;
    unsigned number = 0;
    String string;
    DiscreteMeasurement measurement(UnitType::NONE, 0);
    EXPECT_TRUE(QORValue(true).get(flag) && flag);
    EXPECT_TRUE(QORValue(static_cast<unsigned char>(7)).get(number) && number == 7u);
    EXPECT_TRUE(QORValue(static_cast<unsigned short>(300)).get(number) && number == 300u);
    EXPECT_TRUE(QORValue("abc").get(string) && string == String("abc"));
    EXPECT_TRUE(QORValue(DiscreteMeasurement(UnitType::FREQUENCY, 60)).get(measurement) &&
                measurement.getCount() == 60u);
    EXPECT_FALSE(QORValue(1u).get(flag));
    EXPECT_FALSE(QORValue("12").get(number));
    EXPECT_FALSE(QORValue().get(string));
}

TEST(QORValueTest, StringArraysCollectTheirItems) {
    QORValue modes(QORValue::TYPE_STRING_ARRAY, true, 0);
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

// Booleans (the only settings the library reads) in each accepted spelling; other text gives
// nil, or with useDefault false. Shown as the value's text, "nil/" + the default's text.
TEST(QORValueTest, SettingTextConvertsOrGivesNilOrTheDefault) {
    const auto converted = [](const char* setting, QORValue::Type type) {
        const QORValue value = QORValue::getCorrectValue(setting, type, false);
        const QORValue orDefault = QORValue::getCorrectValue(setting, type, true);
        if (value.isNil()) {
            return "nil/" + text(orDefault);
        }
        EXPECT_EQ(value, orDefault) << setting;
        EXPECT_EQ(value.getType(), type) << setting;
        return text(value);
    };
    const auto kBool = QORValue::TYPE_BOOL;
    for (const char* yes : {"true", "TRUE", "True", "1", "yes", "YeS", "on", " ON \t"}) {
        EXPECT_EQ(converted(yes, kBool), "true") << yes;
    }
    for (const char* no : {"false", "FALSE", "0", "no", "No", "off", "oFF"}) {
        EXPECT_EQ(converted(no, kBool), "false") << no;
    }
    for (const char* bad : {"", "2", "truee", "y", "enabled", "-1"}) {
        EXPECT_EQ(converted(bad, kBool), "nil/false") << bad;
    }
}

TEST(DiscreteMeasurementTest, ScalesRoundsHalfUpAndDropsTrailingZeros) {
    struct Case {
        std::uint64_t hertz;
        UnitMagnitude magnitude;
        const char* expected;
    };
    const auto kAuto = UnitMagnitude::AUTO;
    const Case cases[] = {
        {148500000, kAuto, "148.5 MHz"},
        {148350000, kAuto, "148.35 MHz"},
        {25175000, kAuto, "25.175 MHz"},
        {60, kAuto, "60 Hz"},
        {0, kAuto, "0 Hz"},
        {999, kAuto, "999 Hz"},
        {1000, kAuto, "1 kHz"},
        {31500, kAuto, "31.5 kHz"},
        {25175499, kAuto, "25.175 MHz"},  // below the half thousandth: rounds down
        {25175500, kAuto, "25.176 MHz"},  // at the half thousandth: rounds up
        {1999999, kAuto, "2 MHz"},        // rounding carries into the whole part
        {999999999, kAuto, "1 GHz"},      // and into the next unit
        {5000000000ULL, kAuto, "5 GHz"},
        {60, UnitMagnitude::ONE, "60 Hz"},
        {60, UnitMagnitude::KILO, "0.06 kHz"},
        {60, UnitMagnitude::MEGA, "0 MHz"},
        {148500000, UnitMagnitude::KILO, "148500 kHz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DiscreteMeasurement(UnitType::FREQUENCY, c.hertz).toString(c.magnitude),
                  String(c.expected))
            << c.hertz;
    }
    // The integer overload used with 0 means AUTO.
    EXPECT_EQ(DiscreteMeasurement(UnitType::FREQUENCY, 148500000).toString(0), String("148.5 MHz"));
    EXPECT_EQ(DiscreteMeasurement(UnitType::NONE, 42).toString(UnitMagnitude::AUTO), String("42"));
}

}  // namespace
