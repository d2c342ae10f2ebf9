// Every message and label key that the verifiers look up must have a text: parse EDIDs that
// reach every table row and branch (every value of the bytes that select texts, every
// descriptor tag) and ask the resource database which keys it could not find.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "qor/Resource.h"

namespace {

using edidtest::EdidBuilder;

// The missing keys are remembered process-wide, also those that other tests look up on purpose.
std::set<std::string> missingKeys() {
    std::set<std::string> keys;
    for (const qor::String& key : qor::Resource::getMissingKeys("libEDID")) {
        keys.insert(key.str());
    }
    return keys;
}

TEST(TextCoverageTest, EveryKeyLookedUpHasAText) {
    const std::set<std::string> before = missingKeys();
    std::vector<EdidBuilder> edids;
    for (unsigned value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        // Video input, feature support, detailed timing flags and a descriptor of every tag.
        edids.push_back(EdidBuilder().videoInput(byte).features(byte).set(0x15, {0, 0, 0xFF}));
        edids.push_back(EdidBuilder().detailedTiming(0, 14850, 1920, 280, 1080, 45, byte));
        edids.push_back(EdidBuilder().displayDescriptor(3, byte, {0x0A, 0x00, 0xFF, 0x80}, 1));
        // Range limits with every timing-support form and CVT support bytes.
        edids.push_back(EdidBuilder().displayDescriptor(
            1, 0xFD,
            {40, 10, 90, 30, 17, static_cast<std::uint8_t>(value % 5), 0x11, byte, 0, byte, byte,
             byte, byte},
            0x0F));
        // CVT 3-byte codes, color point and string descriptors with odd bytes.
        edids.push_back(EdidBuilder().displayDescriptor(
            2, 0xF8, {0x00, byte, byte, byte, 0, 0, 0, byte, 0x0A, 0x80, 0, 0, 0}));
        edids.push_back(EdidBuilder().displayDescriptor(
            2, 0xFB, {0, byte, byte, byte, 0xFF, byte, 0, byte, byte, 0xFF, 0, 0, 0}));
    }
    edids.push_back(EdidBuilder()
                        .set(0, {0, 1, 2, 3, 4, 5, 6, 7})
                        .set(0x08, {0, 0})
                        .set(0x10, {100})
                        .version(1, 3)
                        .extensionBlock(0x02)
                        .extensionBlock(0x70));
    for (const EdidBuilder& builder : edids) {
        edidtest::Parsed parsed(builder.bytes());
        parsed.parser.verifyChecksum(false);
        parsed.parse();
    }

    std::vector<std::string> added;
    const std::set<std::string> after = missingKeys();
    std::set_difference(after.begin(), after.end(), before.begin(), before.end(),
                        std::back_inserter(added));
    EXPECT_TRUE(added.empty()) << "first missing key: " << added.front();
}

}  // namespace
