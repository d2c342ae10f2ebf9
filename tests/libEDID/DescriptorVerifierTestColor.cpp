// The color point (FBh) and color management data (F9h) descriptors.

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

/// One white point as reported: index, x, y and gamma ("-" for a gamma in an extension block).
using WhitePoint = std::array<std::string, 4>;

std::string invalidField(const std::string& field, const std::string& value) {
    return filled("InvalidValueInField", {{"type", labels("DisplayDescriptor", "ColorPointData")},
                                          {"field", field},
                                          {"value", value}});
}

/// Descriptor bytes 05h-11h (`points` padded with 00h to 0Eh, then `trailer`), the white points
/// reported and the faults.
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
                    {invalidField(label("WhitePointIndex"), "00h")}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF}, {noGamma}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x00, 0x00, 0x01}, {first},
                    {invalidField("offset 0Bh-0Eh", "NONZERO")}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x02, 0x0F, 0xFF, 0x00, 0xFE},
                    {first, {"2", "0.9991", "0.0030", "3.54"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF, 0x03, 0x00, 0x50, 0x54, 0xFF},
                    {noGamma, {"3", "0.3125", "0.3282", "-"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78}, {first},
                    {invalidField("offset 0Fh", "00"), invalidField("offset 10", "0A"),
                     invalidField("offset 11", "41")},
                    {0x00, 0x0A, 0x41}),
    };
    const std::string chromaticity = label("Chromaticity");
    for (const auto& c : cases) {
        SCOPED_TRACE(join(c.faults) + " " + c.points[0][1] + " " + c.points[0][2]);
        const Result r = withDescriptor(0xFB, c.payload);
        std::string block = eol();
        Pairs values;
        for (std::size_t n = 0; n < c.points.size(); ++n) {
            const auto& [index, x, y, gamma] = c.points[n];
            block += " " + label("WhitePoint") + eol() + "  " + label("Index") + " : " + index +
                     " " + eol() + "  X " + chromaticity + " : " + x + eol() + "  Y " +
                     chromaticity + " : " + y + eol() + "  " + label("Gamma") + " : " +
                     (gamma == "-" ? label("InExtensionBlock") : gamma) + eol();
            const std::string suffix = std::to_string(n);
            values.insert(values.end(), {{"WhitePointIdx" + suffix, " : " + index + " "},
                                         {"WhitePointXChrom" + suffix, x},
                                         {"WhitePointYChrom" + suffix, y},
                                         {"WhitePointGamma" + suffix, gamma}});
        }
        expectProperties(r, values);
        expectReport(r, reported("ColorPointData", block));
        expectMessages(r, "InvalidValueInField", 1, 10, c.faults);
    }
}

// Each coefficient is 16 bits, low byte first.
TEST(DisplayDCMVerifierTest, CoefficientsLowByteFirst) {
    const Result r = withDescriptor(
        0xF9, {0x03, 0x01, 0x00, 0x00, 0x01, 0xCD, 0xAB, 0x0F, 0xF0, 0x80, 0x08, 0xFF, 0xFF});
    const Texts reports =
        textsStarting(r, "ReportedValue", labels("DisplayDescriptor", "DisplayColorManagement"));
    ASSERT_EQ(reports.size(), 1u);
    expectReport(r, reports[0]);
    const Texts lines{"  Red a3 : 0001h",   "  Red a2 : 0100h",  "  Green a3 : ABCDh",
                      "  Green a2 : F00Fh", "  Blue a3 : 0880h", "  Blue a2 : FFFFh"};
    EXPECT_EQ(r.property("DCMTonalRespCoeff"), join(lines));
    EXPECT_NE(reports[0].find(join(lines, eol())), std::string::npos);
}

}  // namespace
}  // namespace verifiertest
