#pragma once

// Helpers of the display-descriptor verifier tests: put a crafted descriptor into a slot of the
// default test EDID, find the messages of one descriptor, and check the order of the output.

#include <cstdint>
#include <string>
#include <vector>

#include "BaseBlockVerifierTestSupport.h"

namespace descriptortest {

using baseblocktest::eol;
using baseblocktest::expectOne;
using baseblocktest::filled;
using baseblocktest::label;
using baseblocktest::Log;
using baseblocktest::reported;
using baseblocktest::Result;
using edidtest::EdidBuilder;
using Bytes = std::vector<std::uint8_t>;

constexpr int kInfo = 0;
constexpr int kWarning = 1;
constexpr int kError = 2;

/// The default test EDID (range limits in slot 1, product name in slot 2) with a display
/// descriptor of `tag` in `slot` (by default slot 3, where the default holds a dummy).
inline EdidBuilder withDescriptor(std::uint8_t tag, const Bytes& payload, std::uint8_t byte4 = 0,
                                  unsigned slot = 3) {
    EdidBuilder builder;
    builder.displayDescriptor(slot, tag, payload, byte4);
    return builder;
}

/// The label of a descriptor type followed by the descriptor word.
inline std::string typeName(const std::string& typeKey) {
    return label(typeKey) + " " + label("DisplayDescriptor");
}

/// `first` and `second` labels joined by a blank.
inline std::string labels(const std::string& first, const std::string& second) {
    return label(first) + " " + label(second);
}

inline std::string join(const std::vector<std::string>& items, const std::string& separator) {
    std::string out;
    for (const auto& item : items) {
        out += (out.empty() ? "" : separator) + item;
    }
    return out;
}

/// Texts of the messages of `key` whose text starts with `prefix`.
inline std::vector<std::string> textsStarting(const Result& r, const std::string& key,
                                              const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& text : r.texts(key)) {
        if (text.starts_with(prefix)) {
            out.push_back(text);
        }
    }
    return out;
}

/// Expects every text to be stored, in the given order.
inline void expectLoggedInOrder(const Result& r, const std::vector<std::string>& texts) {
    long previous = -1;
    for (const auto& text : texts) {
        const long index = r.indexOf(text);
        EXPECT_GT(index, previous) << text;
        previous = index;
    }
}

/// Expects the report `text` stored and appended to the EDID string, and each of `before`
/// notified before it and each of `after` after it.
inline void expectReport(const Result& r, const std::string& text,
                         const std::vector<std::string>& before,
                         const std::vector<std::string>& after = {}) {
    const long index = r.indexOf(text);
    ASSERT_GE(index, 0) << text;
    EXPECT_NE(r.edidString().find(text + eol()), std::string::npos) << text;
    for (const auto& property : before) {
        EXPECT_EQ(r.messagesBefore(property), index) << property;
    }
    for (const auto& property : after) {
        EXPECT_EQ(r.messagesBefore(property), index + 1) << property;
    }
}

/// Expects the property names, restricted to those starting with one of `prefixes`, in order.
inline void expectPropertyOrder(const Result& r, const std::vector<std::string>& prefixes,
                                const std::vector<std::string>& expected) {
    std::vector<std::string> names;
    for (const auto& name : r.propertyNames()) {
        for (const auto& prefix : prefixes) {
            if (name.starts_with(prefix)) {
                names.push_back(name);
                break;
            }
        }
    }
    EXPECT_EQ(names, expected);
}

}  // namespace descriptortest
