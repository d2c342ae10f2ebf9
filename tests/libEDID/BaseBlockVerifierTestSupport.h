#pragma once

// Helpers of the base-block and display-descriptor verifier tests: parse a built EDID and read
// back its properties and findings. The report texts, and the order of messages and properties,
// are pinned by the goldens (tests/golden); these tests check bit layouts, boundaries and the
// key, level and category of each finding.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"

namespace verifiertest {

using edidtest::EdidBuilder;
using edidtest::label;
using ::testing::HasSubstr;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

inline std::string join(const Texts& items, const std::string& separator = ", ") {
    std::string out;
    for (const auto& item : items) {
        out += (out.empty() ? "" : separator) + item;
    }
    return out;
}

/// A built EDID after parseEDID.
struct Result : edidtest::Parsed {
    explicit Result(const EdidBuilder& builder) : Parsed(builder.bytes()) { EXPECT_TRUE(parse()); }
    Texts texts(const std::string& key) const {
        Texts out;
        for (const auto& m : withKey(key)) {
            out.push_back(m.getMesg().str());
        }
        return out;
    }
    /// The findings (levels 1 and 2) as "key level category", in log order.
    Texts faults() const {
        Texts out;
        for (const auto& m : parser.getMessages()) {
            if (m.getLevel() != 0) {
                out.push_back(m.getKey().str() + " " + std::to_string(m.getLevel()) + " " +
                              std::to_string(m.getCategory()));
            }
        }
        return out;
    }
    /// The first property of that name rendered as text, or "-" when it was not notified.
    std::string property(const std::string& name) const {
        const edidtest::Property* p = observer->find(name);
        return p == nullptr ? "-" : p->text();
    }
};

/// The default test EDID (range limits in slot 1, product name in slot 2, dummy in slot 3)
/// with a display descriptor of `tag` in `slot`.
inline Result withDescriptor(std::uint8_t tag, const Bytes& payload, std::uint8_t byte4 = 0,
                             unsigned slot = 3) {
    return Result(EdidBuilder().displayDescriptor(slot, tag, payload, byte4));
}

/// Expects each property's rendered value; "#Key" stands for the label of Key, "-" for absent.
inline void expectProperties(const Result& r, const Pairs& expected) {
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(r.property(name), value.starts_with("#") ? label(value.substr(1)) : value)
            << name;
    }
}

}  // namespace verifiertest
