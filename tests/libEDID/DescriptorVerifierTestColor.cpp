// The color point (FBh) and color management data (F9h) descriptors.

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

/// One white point as reported: index, x, y and gamma ("-" for a gamma in an extension block).
using WhitePoint = std::array<std::string, 4>;

/// Descriptor bytes 05h-11h (`points` padded with 00h to 0Eh, then `trailer`), the white points
/// reported and the fields of the findings.
struct ColorPointCase {
    Bytes payload;
    std::vector<WhitePoint> points;
    Texts faults;
};
ColorPointCase colorPoints(Bytes points, const std::vector<WhitePoint>& expected,
                           const Texts& faults = {}, const Bytes& trailer = {0x0A, 0x20, 0x20}) {
    points.resize(10, 0x00);
    points.insert(points.end(), trailer.begin(), trailer.end());
    return {points, expected, faults};
}

// Byte 06h holds the low bits: x in bits 3-2, y in bits 1-0, each pair 2^-9 above 2^-10.
TEST(DisplayColorPointVerifierTest, WhitePointsAndFieldChecks) {
    const WhitePoint first{"1", "0.3125", "0.3282", "2.20"}, noGamma{"1", "0.3125", "0.3282", "-"};
    const ColorPointCase cases[] = {
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78}, {first}),
        colorPoints({0x01, 0x04, 0x50, 0x54, 0x78}, {{"1", "0.3135", "0.3282", "2.20"}}),
        colorPoints({0x01, 0x08, 0x50, 0x54, 0x78}, {{"1", "0.3145", "0.3282", "2.20"}}),
        colorPoints({0x01, 0x01, 0x50, 0x54, 0x78}, {{"1", "0.3125", "0.3292", "2.20"}}),
        colorPoints({0x01, 0x02, 0x50, 0x54, 0x78}, {{"1", "0.3125", "0.3301", "2.20"}}),
        colorPoints({0x00, 0x00, 0x50, 0x54, 0x78}, {{"0", first[1], first[2], first[3]}},
                    {label("WhitePointIndex")}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF}, {noGamma}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x00, 0x00, 0x01}, {first}, {"offset 0Bh-0Eh"}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x02, 0x0F, 0xFF, 0x00, 0xFE},
                    {first, {"2", "0.9991", "0.0030", "3.54"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF, 0x03, 0x00, 0x50, 0x54, 0xFF},
                    {noGamma, {"3", "0.3125", "0.3282", "-"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78}, {first},
                    {"offset 0Fh", "offset 10", "offset 11"}, {0x00, 0x0A, 0x41}),
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(join(c.faults) + " " + c.points[0][1] + " " + c.points[0][2]);
        const Result r = withDescriptor(0xFB, c.payload);
        Pairs values;
        for (std::size_t n = 0; n < c.points.size(); ++n) {
            const auto& [index, x, y, gamma] = c.points[n];
            const std::string suffix = std::to_string(n);
            values.insert(values.end(), {{"WhitePointIdx" + suffix, " : " + index + " "},
                                         {"WhitePointXChrom" + suffix, x},
                                         {"WhitePointYChrom" + suffix, y},
                                         {"WhitePointGamma" + suffix, gamma}});
        }
        expectProperties(r, values);
        EXPECT_EQ(r.faults(), Texts(c.faults.size(), "InvalidValueInField 1 10"));
        const Texts found = r.texts("InvalidValueInField");
        for (std::size_t i = 0; i < found.size() && i < c.faults.size(); ++i) {
            EXPECT_THAT(found[i], HasSubstr("\"" + c.faults[i] + "\""));
        }
    }
}

// Each coefficient is 16 bits, low byte first.
TEST(DisplayDCMVerifierTest, CoefficientsLowByteFirst) {
    const Result r = withDescriptor(
        0xF9, {0x03, 0x01, 0x00, 0x00, 0x01, 0xCD, 0xAB, 0x0F, 0xF0, 0x80, 0x08, 0xFF, 0xFF});
    EXPECT_EQ(r.property("DCMTonalRespCoeff"),
              "  Red a3 : 0001h,   Red a2 : 0100h,   Green a3 : ABCDh,   Green a2 : F00Fh,"
              "   Blue a3 : 0880h,   Blue a2 : FFFFh");
}

}  // namespace
}  // namespace verifiertest
