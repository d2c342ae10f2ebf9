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
/// reported, and the faults in log order, `reportAt` of them before the report.
struct ColorPointCase {
    Bytes payload;
    std::vector<WhitePoint> points;
    Texts faults;
    std::size_t reportAt;
};
ColorPointCase colorPoints(Bytes points, const std::vector<WhitePoint>& expected,
                           const Texts& faults = {}, std::size_t reportAt = 0,
                           const Bytes& trailer = {0x0A, 0x20, 0x20}) {
    points.resize(10, 0x00);
    points.insert(points.end(), trailer.begin(), trailer.end());
    return {points, expected, faults, reportAt};
}

TEST(DisplayColorPointVerifierTest, WhitePointsAndFieldChecks) {
    const WhitePoint first{"1", "0.3125", "0.3282", "2.20"}, noGamma{"1", "0.3125", "0.3282", "-"};
    const std::string indexFault = invalidField(label("WhitePointIndex"), "00h");
    const ColorPointCase cases[] = {
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78}, {first}),
        colorPoints({0x00, 0x00, 0x50, 0x54, 0x78}, {{"0", first[1], first[2], first[3]}},
                    {indexFault}, 1),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF}, {noGamma}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x00, 0x00, 0x01}, {first},
                    {invalidField("offset 0Bh-0Eh", "NONZERO")}, 1),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78, 0x02, 0x0F, 0xFF, 0x00, 0xFE},
                    {first, {"2", "0.9991", "0.0030", "3.54"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0xFF, 0x03, 0x00, 0x50, 0x54, 0xFF},
                    {noGamma, {"3", "0.3125", "0.3282", "-"}}),
        colorPoints({0x01, 0x00, 0x50, 0x54, 0x78}, {first},
                    {invalidField("offset 0Fh", "00"), invalidField("offset 10", "0A"),
                     invalidField("offset 11", "41")},
                    0, {0x00, 0x0A, 0x41}),
    };
    const std::string chromaticity = label("Chromaticity");
    for (const auto& c : cases) {
        SCOPED_TRACE(join(c.faults) + " " + std::to_string(c.points.size()));
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
                                         {"WhitePointYChrom" + suffix, y}});
            if (gamma != "-") {
                values.emplace_back("WhitePointGamma" + suffix, gamma);
            }
        }
        expectProperties(r, values);
        const std::string text = reported("ColorPointData", block);
        expectReport(r, text);
        Texts order = c.faults;
        order.insert(order.begin() + static_cast<long>(c.reportAt), text);
        expectLoggedInOrder(r, order);
        expectMessages(r, "InvalidValueInField", 1, 10, c.faults);
        // The properties, in order, follow the index check and precede every other message.
        const long before = r.indexOf(order[!c.faults.empty() && c.faults[0] == indexFault]);
        Texts names;
        for (const auto& [name, value] : values) {
            names.push_back(name);
            EXPECT_EQ(r.messagesBefore(name), before) << name;
        }
        EXPECT_EQ(r.propertyNames("WhitePoint"), names);
    }
}

// Each coefficient is 16 bits, low byte first; the report layout is compared by the corpus
// golden test.
TEST(DisplayDCMVerifierTest, CoefficientsLowByteFirst) {
    const Result r = withDescriptor(
        0xF9, {0x03, 0x01, 0x00, 0x00, 0x01, 0xCD, 0xAB, 0x0F, 0xF0, 0x80, 0x08, 0xFF, 0xFF});
    const Texts reports =
        textsStarting(r, "ReportedValue", labels("DisplayDescriptor", "DisplayColorManagement"));
    ASSERT_EQ(reports.size(), 1u);
    expectReport(r, reports[0], {}, {"DCMTonalRespCoeff"});
    const Texts lines{"  Red a3 : 0001h",   "  Red a2 : 0100h",  "  Green a3 : ABCDh",
                      "  Green a2 : F00Fh", "  Blue a3 : 0880h", "  Blue a2 : FFFFh"};
    EXPECT_EQ(r.property("DCMTonalRespCoeff"), join(lines));
    EXPECT_NE(reports[0].find(join(lines, eol())), std::string::npos);
}

}  // namespace
}  // namespace verifiertest
