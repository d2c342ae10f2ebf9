#pragma once

// Helpers of the CTA-861 verifier tests: EDIDs with crafted CTA-861 extension blocks, parsed
// with extension decoding on, and their findings and properties read back.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"

namespace ctatest {

using edidtest::EdidBuilder;
using edidtest::label;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

constexpr int kCategoryCTA = 18;

/// A CTA-861 block: tag 02h, revision, DTD offset, flags, then `body` from byte 4.
inline Bytes ctaBlock(std::uint8_t revision, std::uint8_t dtdOffset, std::uint8_t flags,
                      const Bytes& body = {}) {
    Bytes block{0x02, revision, dtdOffset, flags};
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

/// A revision 3 block holding the data block collection `collection` and no timings.
inline Bytes withCollection(const Bytes& collection) {
    return ctaBlock(3, static_cast<std::uint8_t>(4 + collection.size()), 0, collection);
}

/// The default test EDID followed by one extension block per entry of `blocks`.
inline EdidBuilder edidWith(const std::vector<Bytes>& blocks) {
    EdidBuilder builder;
    for (unsigned i = 0; i < blocks.size(); ++i) {
        builder.extensionBlock(0x02).extensionBytes(i + 1, 0, blocks[i]);
    }
    return builder;
}

/// An EDID parsed with extension decoding on.
struct Decoded : edidtest::Parsed {
    explicit Decoded(const std::vector<Bytes>& blocks) : Parsed(edidWith(blocks).bytes()) {
        parser.setDecodeExtensions(true);
        EXPECT_TRUE(parse());
    }
    std::string property(const std::string& name) const { return propertyText(name, "-"); }
    /// Texts of the messages of `key`, each checked to be of that level and category.
    Texts texts(const std::string& key, int level, int category = kCategoryCTA) const {
        Texts out;
        for (const auto& m : withKey(key)) {
            EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), level * 100 + category) << key;
            out.push_back(m.getMesg().str());
        }
        return out;
    }
};

/// One row of a data-block table: the collection's bytes, the properties of block 1 they give
/// (name without the block number; "-" = not notified, arrays joined by " | ", "#Key" the label
/// of Key) and the keys of the findings, in log order.
struct CollectionCase {
    const char* what;
    Bytes collection;
    std::vector<std::pair<std::string, std::string>> properties;
    Texts faults = {};
};

/// Parses each case's collection in a block of its own and checks its properties and findings.
inline void expectCases(std::initializer_list<CollectionCase> cases) {
    for (const CollectionCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Decoded r({withCollection(c.collection)});
        for (const auto& [name, value] : c.properties) {
            EXPECT_EQ(r.property(name + "1"),
                      value.starts_with("#") ? label(value.substr(1)) : value)
                << name;
        }
        EXPECT_EQ(r.faultKeys(), c.faults);
    }
}

}  // namespace ctatest
