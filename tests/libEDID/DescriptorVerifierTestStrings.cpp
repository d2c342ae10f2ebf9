// The text descriptors: product name (FCh), alphanumeric data string (FEh) and serial number
// (FFh).

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

const char* const kFill = "InvalidFillCharacters";
const char* const kCharacters = "InvalidCharacters";

/// A 13-byte text field: `text`, then `rest` bytes up to 13.
Bytes field(const std::string& text, const Bytes& rest) {
    Bytes bytes(text.begin(), text.end());
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    bytes.resize(13, 0x20);
    return bytes;
}

TEST(DisplayStringVerifierTest, TextFaultsAndReport) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        Bytes bytes;
        std::vector<std::string> faults;  // keys, in log order
        std::string text;                 // empty: nothing reported
    } cases[] = {
        {"thirteen characters", field("ABCDEFGHIJKLM", {}), {}, "ABCDEFGHIJKLM"},
        {"terminated, blank fill", field("NAME", {0x0A}), {}, "NAME"},
        {"terminated, zero fill", field("NAME", {0x0A, 0, 0, 0, 0}), {kFill}, "NAME"},
        // Later bad fill bytes stay out of the text and raise nothing more.
        {"bad fill after a reported one",
         field("NAME", {0x0A, 0x00, 0x20, 0x41, 0x01}),
         {kFill},
         "NAME"},
        {"two terminators", field("AB", {0x0A, 0x0A}), {}, "AB"},
        {"terminator only", field("", {0x0A}), {}, ""},
        {"leading and trailing blanks", field("  LEAD ", {0x0A}), {}, "LEAD"},
        {"tab inside", field("A\tB", {0x0A}), {}, "A\tB"},
        {"NUL before the terminator", field("A\0B"s, {0x0A}), {kCharacters}, "A\0B"s},
        {"DEL before the terminator", field("A\x7F", {0x0A}), {kCharacters}, "A\x7F"},
        {"high bytes, reported once", field("\x80\xFF", {0x0A}), {kCharacters}, "\x80\xFF"},
        {"both faults, in byte order", field("A\x01", {0x0A, 0x00}), {kCharacters, kFill}, "A\x01"},
        {"bad fill before a bad character", field("", {0x0A, 0x00, 0x20, 0x20}), {kFill}, ""},
    };
    const struct {
        std::uint8_t tag;
        const char* typeKey;
    } types[] = {{0xFC, "ProductName"}, {0xFE, "AlphaNumericString"}, {0xFF, "SerialNumber"}};
    for (const auto& type : types) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(type.typeKey) + ": " + c.name);
            const Result r{withDescriptor(type.tag, c.bytes)};
            std::vector<std::string> faults;
            for (const auto& m : r.parser().getMessages()) {
                if (m.getCategory() == 5) {
                    faults.push_back(m.getKey().str());
                    EXPECT_EQ(m.getLevel(), kError);
                    EXPECT_EQ(m.getMesg().str(),
                              filled(m.getKey().c_str(), {{"type", label(type.typeKey)}}));
                }
            }
            EXPECT_EQ(faults, c.faults);
            const auto reports = textsStarting(r, "ReportedValueQuoted", label(type.typeKey) + ":");
            // The default EDID names the product in slot 2.
            const std::size_t others = type.tag == 0xFC ? 1 : 0;
            if (c.text.empty()) {
                EXPECT_EQ(reports.size(), others);
                continue;
            }
            const std::string text =
                filled("ReportedValueQuoted", {{"type", label(type.typeKey)}, {"value", c.text}});
            ASSERT_EQ(reports.size(), others + 1);
            EXPECT_EQ(reports.back(), text);
            expectReport(r, text, {});
        }
    }
}

TEST(DisplayStringVerifierTest, ProductNameAndSerialNumberGoToTheParser) {
    const struct {
        const char* name;
        EdidBuilder builder;
        std::string productName;
        std::string serialNumber;
    } cases[] = {
        {"default", EdidBuilder(), "TEST MONITOR", ""},
        {"serial number", EdidBuilder().stringDescriptor(3, 0xFF, "SN0042"), "TEST MONITOR",
         "SN0042"},
        {"data string", EdidBuilder().stringDescriptor(3, 0xFE, "DATA"), "TEST MONITOR", ""},
        {"later name wins", EdidBuilder().stringDescriptor(3, 0xFC, "SECOND NAME"), "SECOND NAME",
         ""},
        {"empty name keeps the vendor's", EdidBuilder().stringDescriptor(2, 0xFC, ""), "DEL-A07Bh",
         ""},
        {"empty serial keeps the numeric one",
         EdidBuilder().serialNumber(0x1234).stringDescriptor(3, 0xFF, " "), "TEST MONITOR",
         "00001234h"},
        {"later serial wins",
         EdidBuilder().stringDescriptor(1, 0xFF, "FIRST").stringDescriptor(3, 0xFF, "LAST"),
         "TEST MONITOR", "LAST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r{c.builder};
        EXPECT_EQ(r.parser().getProductName().str(), c.productName);
        EXPECT_EQ(r.parser().getSerialNumber().str(), c.serialNumber);
        EXPECT_EQ(r.property("MonitorModelNumber"), c.productName);
        EXPECT_EQ(r.property("MonitorSerialNumber"), c.serialNumber.empty() ? "-" : c.serialNumber);
    }
}

TEST(DisplayStringVerifierTest, IdentifierJoinsNameAndSerialText) {
    edidtest::Parsed p(EdidBuilder().stringDescriptor(3, 0xFF, "SN0042").bytes());
    qor::String identifier;
    ASSERT_TRUE(p.parser.getEDIDIdentifier(identifier, false));
    EXPECT_EQ(identifier.str(), "TEST MONITOR-SN0042");
}

}  // namespace
}  // namespace descriptortest
