#pragma once

// Helpers of the display-descriptor verifier tests: put a crafted descriptor into a slot of the
// default test EDID, pick out the messages of one descriptor, and check the order of output.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "BaseBlockVerifierTestSupport.h"

namespace descriptortest {

using baseblocktest::eol;
using baseblocktest::filled;
using baseblocktest::label;
using baseblocktest::reported;
using baseblocktest::Result;
using edidtest::EdidBuilder;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

/// The default test EDID (range limits in slot 1, product name in slot 2, dummy in slot 3)
/// with a display descriptor of `tag` in `slot`.
inline Result withDescriptor(std::uint8_t tag, const Bytes& payload, std::uint8_t byte4 = 0,
                             unsigned slot = 3) {
    return Result(EdidBuilder().displayDescriptor(slot, tag, payload, byte4));
}

/// The labels of `first` and `second` joined by a blank.
inline std::string labels(const std::string& first, const std::string& second) {
    return label(first) + " " + label(second);
}

inline std::string join(const Texts& items, const std::string& separator = ", ") {
    std::string out;
    for (const auto& item : items) {
        out += (out.empty() ? "" : separator) + item;
    }
    return out;
}

/// Texts of the messages of `key` whose text starts with `prefix`.
inline Texts textsStarting(const Result& r, const std::string& key, const std::string& prefix) {
    Texts out;
    for (const auto& text : r.texts(key)) {
        if (text.starts_with(prefix)) {
            out.push_back(text);
        }
    }
    return out;
}

/// Expects exactly these texts under `key`, all of that level and category.
inline void expectMessages(const Result& r, const std::string& key, int level, int category,
                           const Texts& texts) {
    EXPECT_EQ(r.texts(key), texts) << key;
    for (const auto& m : r.messages(key)) {
        EXPECT_EQ(m.getLevel(), level) << key;
        EXPECT_EQ(m.getCategory(), category) << key;
    }
}

/// Expects every text to be stored, in the given order.
inline void expectLoggedInOrder(const Result& r, const Texts& texts) {
    long previous = -1;
    for (const auto& text : texts) {
        EXPECT_GT(r.indexOf(text), previous) << text;
        previous = r.indexOf(text);
    }
}

/// Expects the level-0 report `text` stored and appended to the EDID string, with the
/// properties `before` notified just before it and `after` just after it.
inline void expectReport(const Result& r, const std::string& text, const Texts& before,
                         const Texts& after = {}) {
    const long index = r.indexOf(text);
    ASSERT_GE(index, 0) << text;
    EXPECT_EQ(r.parser().getMessages()[static_cast<std::size_t>(index)].getLevel(), 0);
    EXPECT_NE(r.edidString().find(text + eol()), std::string::npos) << text;
    for (const auto& property : before) {
        EXPECT_EQ(r.messagesBefore(property), index) << property;
    }
    for (const auto& property : after) {
        EXPECT_EQ(r.messagesBefore(property), index + 1) << property;
    }
}

/// The notified properties that are among `names`, in notification order.
inline Texts propertiesAmong(const Result& r, const Texts& names) {
    Texts notified;
    for (const auto& name : r.propertyNames()) {
        if (std::find(names.begin(), names.end(), name) != names.end()) {
            notified.push_back(name);
        }
    }
    return notified;
}

}  // namespace descriptortest
