// The color point (FBh) and color management data (F9h) descriptors.

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

/// One white point: its expected index, x, y and gamma ("-" for a gamma in an extension
/// block).
struct WhitePoint {
    unsigned index;
    std::string x, y, gamma;
};

std::string pointLines(const WhitePoint& p) {
    const std::string chromaticity = label("Chromaticity");
    return " " + label("WhitePoint") + eol() + "  " + label("Index") + " : " +
           std::to_string(p.index) + " " + eol() + "  X " + chromaticity + " : " + p.x + eol() +
           "  Y " + chromaticity + " : " + p.y + eol() + "  " + label("Gamma") + " : " +
           (p.gamma == "-" ? label("InExtensionBlock") : p.gamma) + eol();
}

std::string invalidField(const std::string& field, const std::string& value) {
    return filled("InvalidValueInField", {{"type", labels("DisplayDescriptor", "ColorPointData")},
                                          {"field", field},
                                          {"value", value}});
}

TEST(DisplayColorPointVerifierTest, WhitePointsAndFieldChecks) {
    const Bytes tail{0x0A, 0x20, 0x20};
    const auto payload = [&](const Bytes& points, const Bytes& end) {
        Bytes bytes = points;
        bytes.resize(10, 0x00);
        bytes.insert(bytes.end(), end.begin(), end.end());
        return bytes;
    };
    const WhitePoint first{1, "0.3125", "0.3282", "2.20"};
    const struct {
        const char* name;
        Bytes payload;
        std::vector<WhitePoint> points;
        std::vector<std::string> before;  // faults logged before the report
        std::vector<std::string> after;   // faults logged after it
    } cases[] = {
        {"one point", payload({0x01, 0x00, 0x50, 0x54, 0x78}, tail), {first}, {}, {}},
        {"index zero",
         payload({0x00, 0x00, 0x50, 0x54, 0x78}, tail),
         {{0, "0.3125", "0.3282", "2.20"}},
         {invalidField(label("WhitePointIndex"), "00h")},
         {}},
        {"gamma in an extension block",
         payload({0x01, 0x00, 0x50, 0x54, 0xFF}, tail),
         {{1, "0.3125", "0.3282", "-"}},
         {},
         {}},
        {"bytes of an absent second point",
         payload({0x01, 0x00, 0x50, 0x54, 0x78, 0x00, 0x00, 0x01}, tail),
         {first},
         {invalidField("offset 0Bh-0Eh", "NONZERO")},
         {}},
        {"two points, low bits and gamma extremes",
         payload({0x01, 0x00, 0x50, 0x54, 0x78, 0x02, 0x0F, 0xFF, 0x00, 0xFE}, tail),
         {first, {2, "0.9991", "0.0030", "3.54"}},
         {},
         {}},
        {"trailer faults",
         payload({0x01, 0x00, 0x50, 0x54, 0x78}, {0x00, 0x0A, 0x41}),
         {first},
         {},
         {invalidField("offset 0Fh", "00"), invalidField("offset 10", "0A"),
          invalidField("offset 11", "41")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r{withDescriptor(0xFB, c.payload)};
        std::string block = eol();
        std::vector<std::string> properties;
        for (std::size_t n = 0; n < c.points.size(); ++n) {
            const WhitePoint& p = c.points[n];
            block += pointLines(p);
            const std::string suffix = std::to_string(n);
            EXPECT_EQ(r.property("WhitePointIdx" + suffix), " : " + std::to_string(p.index) + " ");
            EXPECT_EQ(r.property("WhitePointXChrom" + suffix), p.x);
            EXPECT_EQ(r.property("WhitePointYChrom" + suffix), p.y);
            EXPECT_EQ(r.property("WhitePointGamma" + suffix), p.gamma);
            for (const char* name :
                 {"WhitePointIdx", "WhitePointXChrom", "WhitePointYChrom", "WhitePointGamma"}) {
                if (std::string(name) != "WhitePointGamma" || p.gamma != "-") {
                    properties.push_back(name + suffix);
                }
            }
        }
        const std::string text = reported("ColorPointData", block);
        expectReport(r, text, {});
        expectPropertyOrder(r, {"WhitePoint"}, properties);

        // The index check precedes the properties; the check of the absent point's bytes
        // follows them; the report comes last.
        std::vector<std::string> order = c.before;
        order.push_back(text);
        const bool indexFault =
            !c.before.empty() && c.before[0] == invalidField(label("WhitePointIndex"), "00h");
        const long propertiesAt = r.indexOf(order[indexFault ? 1 : 0]);
        for (const auto& property : properties) {
            EXPECT_EQ(r.messagesBefore(property), propertiesAt) << property;
        }
        order.insert(order.end(), c.after.begin(), c.after.end());
        expectLoggedInOrder(r, order);
        EXPECT_EQ(r.texts("InvalidValueInField").size(), c.before.size() + c.after.size());
        for (const auto& m : r.messages("InvalidValueInField")) {
            EXPECT_EQ(m.getLevel(), kWarning);
            EXPECT_EQ(m.getCategory(), 10);
        }
    }
}

TEST(DisplayDCMVerifierTest, CoefficientLines) {
    const struct {
        Bytes payload;
        std::vector<std::string> lines;
    } cases[] = {
        {{0x03, 0x34, 0x12, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF},
         {"  Red a3 : 1234h", "  Red a2 : 0000h", "  Green a3 : 0000h", "  Green a2 : 0000h",
          "  Blue a3 : 0000h", "  Blue a2 : FFFFh"}},
        {{0x03, 0x01, 0x00, 0x00, 0x01, 0xCD, 0xAB, 0x0F, 0xF0, 0x80, 0x08, 0x02, 0x20},
         {"  Red a3 : 0001h", "  Red a2 : 0100h", "  Green a3 : ABCDh", "  Green a2 : F00Fh",
          "  Blue a3 : 0880h", "  Blue a2 : 2002h"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines[0]);
        const Result r{withDescriptor(0xF9, c.payload)};
        std::string block = " " + eol() + " " + label("DCMCoefficients") + " : " + eol();
        for (const auto& line : c.lines) {
            block += line + eol();
        }
        const std::string text = filled(
            "ReportedValue",
            {{"type", labels("DisplayDescriptor", "DisplayColorManagement")}, {"value", block}});
        EXPECT_EQ(textsStarting(r, "ReportedValue", label("DisplayDescriptor")),
                  std::vector<std::string>{text});
        expectReport(r, text, {}, {"DCMTonalRespCoeff"});
        EXPECT_EQ(r.type("DCMTonalRespCoeff"), qor::QORValue::TYPE_STRING_ARRAY);
        EXPECT_EQ(r.property("DCMTonalRespCoeff"), join(c.lines, ", "));
    }
}

}  // namespace
}  // namespace descriptortest
