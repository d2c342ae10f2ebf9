// The dispatch of display descriptors by tag: type labels, raw descriptors, the reserved byte
// and version checks, arbitrary bytes in every slot, and the real EDIDs of the corpus.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "DescriptorVerifierTestSupport.h"

namespace descriptortest {
namespace {

std::string rawTypeName(const std::string& classKey, const std::string& tag) {
    return label(classKey) + " (" + tag + ") " + label("DisplayDescriptor");
}

TEST(DisplayDescVerifierTest, DummyDescriptorIsReportedAsRawBytesOnly) {
    const Result r{EdidBuilder()};  // slot 3 holds a dummy descriptor, all bytes 00h but the tag
    const std::string text =
        filled("ReportedValueQuoted",
               {{"type", typeName("Dummy")},
                {"value", "00 00 00 10 00 00 00 00 00 00 00 00 00 00 00 00 00 00"}});
    ASSERT_EQ(textsStarting(r, "ReportedValueQuoted", typeName("Dummy")),
              std::vector<std::string>{text});
    expectReport(r, text, {});
    const auto messages = r.messages("ReportedValueQuoted");
    EXPECT_EQ(messages.back().getLevel(), kInfo);
    EXPECT_EQ(messages.back().getCategory(), 0);
    EXPECT_TRUE(r.messages("InvalidValueInField").empty());
    EXPECT_TRUE(r.messages("UnknownVersion").empty());
}

TEST(DisplayDescVerifierTest, RawDescriptorsAreLabelledByTagClass) {
    const struct {
        std::uint8_t tag;
        std::string type;
    } cases[] = {
        {0x00, rawTypeName("Manufacturer", "00h")},
        {0x0F, rawTypeName("Manufacturer", "0Fh")},
        {0x10, typeName("Dummy")},
        {0x11, rawTypeName("UnknownReserved", "11h")},
        {0x8A, rawTypeName("UnknownReserved", "8Ah")},
        {0xF6, rawTypeName("UnknownReserved", "F6h")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const Result r{withDescriptor(
            c.tag, {0xAB, 0x01, 0x7F, 0x80, 0x00, 0x0A, 0x20, 0xFF, 0xC3, 0x3C, 0x5A, 0xA5, 0x10},
            0x9E)};
        const std::string text = filled(
            "ReportedValueQuoted",
            {{"type", c.type},
             {"value",
              qor::SprintfFormat("00 00 00 %02X 9E AB 01 7F 80 00 0A 20 FF C3 3C 5A A5 10", c.tag)
                  .str()}});
        EXPECT_TRUE(r.hasText(text));
        // Byte 4 is reserved in every descriptor but range limits.
        const std::string reserved =
            filled("InvalidValueInField",
                   {{"type", c.type}, {"field", label("RangeLimitsOffsets")}, {"value", "9Eh"}});
        expectLoggedInOrder(r, {text, reserved});
    }
}

TEST(DisplayDescVerifierTest, ReservedByteFourOfEveryTypedDescriptor) {
    const Bytes colorPoint{0x01, 0x00, 0x50, 0x54, 0x78, 0, 0, 0, 0, 0, 0x0A, 0x20, 0x20};
    const Bytes text{'A', 'B', 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20};
    const struct {
        std::uint8_t tag;
        const char* typeKey;
        Bytes payload;
    } cases[] = {
        {0xF7, "EstablishedTimings3", {0x0A, 0x80}},
        {0xF8, "CVT3", {0x01, 0x1B, 0x28, 0x26}},
        {0xF9, "DisplayColorManagement", {0x03, 0x34, 0x12}},
        {0xFA, "StandardTimingsID", {0x81, 0x80, 0x01, 0x01}},
        {0xFB, "ColorPointData", colorPoint},
        {0xFC, "ProductName", text},
        {0xFE, "AlphaNumericString", text},
        {0xFF, "SerialNumber", text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typeKey);
        const Result r{withDescriptor(c.tag, c.payload, 0x01)};
        const std::string text =
            filled("InvalidValueInField", {{"type", typeName(c.typeKey)},
                                           {"field", label("RangeLimitsOffsets")},
                                           {"value", "01h"}});
        expectOne(r, "InvalidValueInField", kWarning, 10, text);
        EXPECT_TRUE(r.messages("UnknownVersion").empty());
        // It follows everything the descriptor's own verifier logged: only the driver's
        // extension flag and checksum reports come after it.
        EXPECT_EQ(r.indexOf(text), static_cast<long>(r.parser().getMessages().size()) - 3);
    }
}

TEST(DisplayDescVerifierTest, RangeLimitsByteFourHoldsRateOffsets) {
    EdidBuilder builder;
    builder.displayDescriptor(
        1, 0xFD, {50, 75, 30, 83, 17, 0x01, 0x0A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x20}, 0x01);
    const Result r{builder};
    EXPECT_TRUE(r.messages("InvalidValueInField").empty());
}

TEST(DisplayDescVerifierTest, VersionOfTheVersionedDescriptors) {
    const std::string et3 = labels("DisplayDescriptor", "EstablishedTimings3");
    const std::string dcm = labels("DisplayDescriptor", "DisplayColorManagement");
    const struct {
        std::uint8_t tag;
        const char* typeKey;
        std::uint8_t version;
        const char* expected;  // null: accepted
        std::string report;    // start of the descriptor's own report
    } cases[] = {
        {0xF7, "EstablishedTimings3", 0x0A, nullptr, et3},
        {0xF7, "EstablishedTimings3", 0x0B, "0Ah", et3},
        {0xF8, "CVT3", 0x01, nullptr, label("CVT3")},
        {0xF8, "CVT3", 0x00, "01h", label("CVT3")},
        {0xF9, "DisplayColorManagement", 0x03, nullptr, dcm},
        {0xF9, "DisplayColorManagement", 0x02, "03h", dcm},
        {0xFA, "StandardTimingsID", 0x00, nullptr, label("StandardTimingsID")},
        {0xFA, "StandardTimingsID", 0xFF, nullptr, label("StandardTimingsID")},
        {0xFB, "ColorPointData", 0x00, nullptr, label("ColorPointData")},
        {0xFB, "ColorPointData", 0x7E, nullptr, label("ColorPointData")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typeKey) + qor::SprintfFormat(" %02X", c.version).str());
        const Result r{withDescriptor(c.tag, {c.version, 0x81, 0x80, 0x21})};
        const auto own = textsStarting(r, "ReportedValue", c.report);
        ASSERT_EQ(own.size(), 1u);
        if (c.expected == nullptr) {
            EXPECT_TRUE(r.messages("UnknownVersion").empty());
            continue;
        }
        const std::string text =
            filled("UnknownVersion", {{"type", typeName(c.typeKey)},
                                      {"expected", c.expected},
                                      {"found", qor::SprintfFormat("%02Xh", c.version).str()}});
        expectOne(r, "UnknownVersion", kWarning, 16, text);
        expectLoggedInOrder(r, {own[0], text});
    }
}

TEST(DisplayDescVerifierTest, ReservedByteCheckComesBeforeVersionCheck) {
    const Result r{withDescriptor(0xF7, {0x0B, 0x80}, 0x02)};
    const auto reserved = r.texts("InvalidValueInField");
    const auto version = r.texts("UnknownVersion");
    ASSERT_EQ(reserved.size(), 1u);
    ASSERT_EQ(version.size(), 1u);
    expectLoggedInOrder(r, {reserved[0], version[0]});
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
                const Result r{
                    withDescriptor(static_cast<std::uint8_t>(tag), payload, payload[12], slot)};
                for (const auto& m : r.parser().getMessages()) {
                    EXPECT_FALSE(std::regex_search(m.getMesg().str(), placeholder))
                        << m.getMesg().str();
                }
            }
        }
    }
}

TEST(DisplayDescCorpusTest, EveryDescriptorMessageIsFilled) {
    const std::regex placeholder(R"(\{[A-Za-z0-9]+\})");
    unsigned files = 0;
    unsigned descriptorReports = 0;
    for (const auto& entry : std::filesystem::directory_iterator(EDID_CORPUS_DIR)) {
        if (entry.path().extension() != ".bin") {
            continue;
        }
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        edidtest::Parsed p(Bytes{std::istreambuf_iterator<char>(in), {}});
        ASSERT_TRUE(p.parse());
        for (const auto& m : p.parser.getMessages()) {
            const std::string text = m.getMesg().str();
            EXPECT_FALSE(text.empty()) << m.getKey().str();
            EXPECT_FALSE(std::regex_search(text, placeholder)) << text;
            descriptorReports += text.find(label("RangeLimits")) == 0 ? 1u : 0u;
        }
        qor::String edid;
        ASSERT_TRUE(p.parser.getEDIDString(edid, false));
        EXPECT_FALSE(std::regex_search(edid.str(), placeholder));
        ++files;
    }
    EXPECT_GT(files, 0u);
    EXPECT_GT(descriptorReports, 0u) << "the corpus holds range limits descriptors";
}

}  // namespace
}  // namespace descriptortest
