// The text descriptors: product name (FCh), alphanumeric data string (FEh) and serial number
// (FFh).

#include <algorithm>

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

/// A 13-byte text field: `text`, then `rest`, then 20h up to 13 bytes.
Bytes field(const std::string& text, const Bytes& rest) {
    Bytes bytes(text.begin(), text.end());
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    bytes.resize(13, 0x20);
    return bytes;
}

TEST(DisplayStringVerifierTest, TextFaultsAndReport) {
    using namespace std::string_literals;
    const std::string fill = "InvalidFillCharacters", bad = "InvalidCharacters";
    const struct {
        Bytes bytes;
        Texts faults;      // keys, in log order
        std::string text;  // empty: nothing reported
    } cases[] = {
        {field("ABCDEFGHIJKLM", {}), {}, "ABCDEFGHIJKLM"},
        {field("NAME", {0x0A}), {}, "NAME"},
        {field("NAME", {0x0A, 0, 0, 0, 0}), {fill}, "NAME"},
        // Later bad fill bytes stay out of the text and raise nothing more.
        {field("NAME", {0x0A, 0x00, 0x20, 0x41, 0x01}), {fill}, "NAME"},
        {field("AB", {0x0A, 0x0A}), {}, "AB"},
        {field("", {0x0A}), {}, ""},
        {field("", {0x0A, 0x00, 0x20, 0x01}), {fill}, ""},
        {field("  LEAD ", {0x0A}), {}, "LEAD"},
        {field("A\tB", {0x0A}), {}, "A\tB"},
        {field("A\0B"s, {0x0A}), {bad}, "A\0B"s},
        {field("A\x7F", {0x0A}), {bad}, "A\x7F"},
        {field("\x80\xFF", {0x0A}), {bad}, "\x80\xFF"},
        {field("A\x01", {0x0A, 0x00}), {bad, fill}, "A\x01"},
    };
    for (const auto& [tag, typeKey] :
         {std::pair{0xFC, "ProductName"}, {0xFE, "AlphaNumericString"}, {0xFF, "SerialNumber"}}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(typeKey) + ": " + join(c.faults) + " " + c.text);
            // Slot 2, in place of the default EDID's product name.
            const Result r = withDescriptor(static_cast<std::uint8_t>(tag), c.bytes, 0, 2);
            const std::string type = label(typeKey);
            for (const auto& key : {fill, bad}) {
                const auto count = std::count(c.faults.begin(), c.faults.end(), key);
                expectMessages(r, key, 2, 5, Texts(count, filled(key.c_str(), {{"type", type}})));
            }
            const Texts reports = textsStarting(r, "ReportedValueQuoted", type + ":");
            if (c.text.empty()) {
                EXPECT_TRUE(reports.empty());
                continue;
            }
            const std::string text =
                filled("ReportedValueQuoted", {{"type", type}, {"value", c.text}});
            EXPECT_EQ(reports, Texts{text});
            expectReport(r, text, {});
            if (c.faults.size() == 2) {
                expectLoggedInOrder(r, {r.texts(bad)[0], r.texts(fill)[0], text});
            }
        }
    }
}

TEST(DisplayStringVerifierTest, ProductNameAndSerialNumberGoToTheParser) {
    const struct {
        EdidBuilder builder;
        std::string identifier;
    } cases[] = {
        {EdidBuilder(), "TEST MONITOR"},
        {EdidBuilder().stringDescriptor(3, 0xFF, "SN0042"), "TEST MONITOR-SN0042"},
        {EdidBuilder().stringDescriptor(3, 0xFE, "DATA"), "TEST MONITOR"},
        {EdidBuilder().stringDescriptor(3, 0xFC, "SECOND NAME"), "SECOND NAME"},
        {EdidBuilder().stringDescriptor(2, 0xFC, ""), "DEL-A07Bh"},  // the vendor's name stays
        {EdidBuilder().serialNumber(0x1234).stringDescriptor(3, 0xFF, " "),
         "TEST MONITOR-00001234h"},
        {EdidBuilder().stringDescriptor(1, 0xFF, "FIRST").stringDescriptor(3, 0xFF, "LAST"),
         "TEST MONITOR-LAST"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.identifier);
        edidtest::Parsed p(c.builder.bytes());
        qor::String identifier;
        ASSERT_TRUE(p.parser.getEDIDIdentifier(identifier, false));
        EXPECT_EQ(identifier.str(), c.identifier);
        const std::size_t dash = c.identifier.find('-', c.identifier.find(' '));
        EXPECT_EQ(p.parser.getProductName().str(), c.identifier.substr(0, dash));
    }
}

}  // namespace
}  // namespace descriptortest
