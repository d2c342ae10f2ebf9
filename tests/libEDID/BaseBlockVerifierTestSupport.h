#pragma once

// Helpers of the base-block and display-descriptor verifier tests: parse a built EDID, read back
// its messages and properties, and check texts, levels and categories. The order of messages
// and properties is checked by the goldens (tests/golden).

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"

namespace verifiertest {

using edidtest::EdidBuilder;
using edidtest::eol;
using edidtest::filled;
using edidtest::label;
using edidtest::reported;
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

/// The labels of `first` and `second` joined by a blank.
inline std::string labels(const std::string& first, const std::string& second) {
    return label(first) + " " + label(second);
}

/// Report lines: EOL, indent, label, " : ", value for each pair.
inline std::string detailLines(const std::string& indent, const Pairs& lines) {
    std::string text;
    for (const auto& [key, value] : lines) {
        text += eol() + indent + label(key) + " : " + value;
    }
    return text;
}

/// A built EDID after parseEDID.
struct Result : edidtest::Parsed {
    explicit Result(const EdidBuilder& builder) : Parsed(builder.bytes()) {
        EXPECT_TRUE(parse());
        qor::String text;
        parser.getEDIDString(text, false);
        edidString = text.str();
    }
    Texts texts(const std::string& key) const {
        Texts out;
        for (const auto& m : withKey(key)) {
            out.push_back(m.getMesg().str());
        }
        return out;
    }
    /// Log index of the first message with this text, or -1.
    long indexOf(const std::string& text) const {
        const auto& all = parser.getMessages();
        const auto at = std::find_if(all.begin(), all.end(),
                                     [&](const auto& m) { return m.getMesg().str() == text; });
        return at == all.end() ? -1 : at - all.begin();
    }
    bool hasText(const std::string& text) const { return indexOf(text) >= 0; }
    /// The first property of that name rendered as text, or "-" when it was not notified.
    std::string property(const std::string& name) const {
        const edidtest::Property* p = observer->find(name);
        return p == nullptr ? "-" : p->text();
    }
    qor::QORValue::Type type(const std::string& name) const {
        const edidtest::Property* p = observer->find(name);
        return p == nullptr ? qor::QORValue::TYPE_NIL : p->value.getType();
    }
    /// Names of the notified properties that start with `prefix`, in notification order.
    Texts propertyNames(const std::string& prefix = "") const {
        Texts out;
        for (const auto& name : observer->names()) {
            if (name.starts_with(prefix)) {
                out.push_back(name);
            }
        }
        return out;
    }
    std::string edidString;  // the EDID string after the parse
};

/// The default test EDID (range limits in slot 1, product name in slot 2, dummy in slot 3)
/// with a display descriptor of `tag` in `slot`.
inline Result withDescriptor(std::uint8_t tag, const Bytes& payload, std::uint8_t byte4 = 0,
                             unsigned slot = 3) {
    return Result(EdidBuilder().displayDescriptor(slot, tag, payload, byte4));
}

/// Expects exactly these texts under `key`, all of that level and category.
inline void expectMessages(const Result& r, const std::string& key, int level, int category,
                           const Texts& texts) {
    EXPECT_EQ(r.texts(key), texts) << key;
    for (const auto& m : r.withKey(key)) {
        EXPECT_EQ(m.getLevel() * 100 + m.getCategory(), level * 100 + category) << key;
    }
}

/// Expects each property's rendered value; "#Key" stands for the label of Key, "-" for absent.
inline void expectProperties(const Result& r, const Pairs& expected) {
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(r.property(name), value.starts_with("#") ? label(value.substr(1)) : value)
            << name;
    }
}

/// Expects the level-0 report `text` stored and appended to the EDID string.
inline void expectReport(const Result& r, const std::string& text) {
    const long index = r.indexOf(text);
    ASSERT_GE(index, 0) << text;
    EXPECT_EQ(r.parser.getMessages()[static_cast<std::size_t>(index)].getLevel(), 0);
    EXPECT_NE(r.edidString.find(text + eol()), std::string::npos) << text;
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

}  // namespace verifiertest
