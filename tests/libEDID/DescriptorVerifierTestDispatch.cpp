// The dispatch of display descriptors by tag (the reserved byte and version checks, arbitrary
// bytes in every slot) and the text descriptors: product name (FCh),
// alphanumeric data string (FEh) and serial number (FFh).

#include <algorithm>
#include <regex>

#include "BaseBlockVerifierTestSupport.h"

namespace verifiertest {
namespace {

// Byte 4 is reserved in every descriptor but range limits, and byte 5 is a version in F7h-F9h.
// The tags that real EDIDs use are pinned by the goldens; here also the first and last tags of
// the unknown range, whose findings name the tag.
TEST(DisplayDescVerifierTest, ReservedByteAndVersion) {
    const Bytes text{'A', 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    const std::string reserved = "InvalidValueInField 1 10", version = "UnknownVersion 1 16";
    const struct {
        std::uint8_t tag;
        Bytes payload;  // byte 5 first
        std::uint8_t byte4;
        Texts faults;
    } cases[] = {
        {0x10, {}, 0x01, {reserved}},
        {0x11, {0xAB}, 0x9E, {reserved}},
        {0xF6, {0xF6}, 0x01, {reserved}},
        {0xF7, {0x0A, 0x80}, 0x00, {}},
        {0xF7, {0x0B, 0x80}, 0x01, {reserved, version}},
        {0xF8, {0x01, 0x1B, 0x28, 0x26}, 0x01, {reserved}},
        {0xF8, {0x00, 0x1B, 0x28, 0x26}, 0x00, {version}},
        {0xF9, {0x03, 0x34, 0x12}, 0x01, {reserved}},
        {0xF9, {0x02, 0x34, 0x12}, 0x00, {version}},
        {0xFA, {0x81, 0x80, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 0x01, {reserved}},
        {0xFB, {0x7E, 0, 0x50, 0x54, 0x78, 0, 0, 0, 0, 0, 0x0A, 0x20, 0x20}, 0x01, {reserved}},
        {0xFC, text, 0x01, {reserved}},
        {0xFE, text, 0x01, {reserved}},
        {0xFF, text, 0x01, {reserved}},
        {0xFD, {50, 75, 30, 83, 17, 0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, 0x01, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.tag));
        const Result r = withDescriptor(c.tag, c.payload, c.byte4);
        EXPECT_EQ(r.faults(), c.faults);
        if (c.tag == 0x11 || c.tag == 0xF6) {
            EXPECT_THAT(r.texts("InvalidValueInField").at(0),
                        HasSubstr(qor::SprintfFormat("(%02Xh)", c.tag).str()));
        }
    }
}

/// Every tag in every descriptor slot with patterned payloads: the parse completes and every
/// placeholder of every message is filled.
TEST(DisplayDescVerifierTest, AnyBytesInAnySlotDecode) {
    const Bytes patterns[] = {
        Bytes(13, 0x00),
        Bytes(13, 0xFF),
        {0x0A, 0x00, 0xFF, 0x0A, 0x80, 0x7F, 0x01, 0x01, 0x00, 0xFE, 0x20, 0x0A, 0x00},
        {0x01, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x13, 0xE3, 0x7F, 0x00, 0x01, 0x20},
    };
    const std::regex placeholder(R"(\{[A-Za-z0-9]+\})");
    for (unsigned tag = 0; tag <= 0xFF; ++tag) {
        for (const auto& payload : patterns) {
            for (unsigned slot = 1; slot <= 3; ++slot) {
                SCOPED_TRACE(qor::SprintfFormat("tag %02Xh slot %u", tag, slot).str());
                const Result r =
                    withDescriptor(static_cast<std::uint8_t>(tag), payload, payload[12], slot);
                for (const auto& m : r.parser.getMessages()) {
                    EXPECT_FALSE(std::regex_search(m.getMesg().str(), placeholder))
                        << m.getMesg().str();
                }
            }
        }
    }
}

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
        Texts faults;      // keys
        std::string text;  // empty: nothing reported
    } cases[] = {
        {field("ABCDEFGHIJKLM", {}), {}, "ABCDEFGHIJKLM"},
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
            Texts faults;
            for (const std::string& key : c.faults) {
                faults.push_back(key + " 2 5");
            }
            EXPECT_EQ(r.faults(), faults);
            const std::string report = label(typeKey) + ": \"" + c.text + "\"";
            const Texts reports = r.texts("ReportedValueQuoted");
            EXPECT_EQ(std::count(reports.begin(), reports.end(), report), c.text.empty() ? 0 : 1);
        }
    }
}

TEST(DisplayStringVerifierTest, ProductNameAndSerialNumberGoToTheParser) {
    const struct {
        EdidBuilder builder;
        std::string identifier;
    } cases[] = {
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
}  // namespace verifiertest
