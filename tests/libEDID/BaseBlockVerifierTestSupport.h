#pragma once

// Helpers of the base-block verifier tests: parse a built EDID, read back its messages and
// properties, and fill message templates independently of the library.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EdidBuilder.h"
#include "ParseHarness.h"
#include "Templates.h"
#include "qor/System.h"

namespace baseblocktest {

using edidtest::EdidBuilder;
using Log = libEDID::LibEDIDLog;
using edidtest::Vars;

using edidtest::eol;
using edidtest::filled;
using edidtest::label;
using edidtest::reported;
inline std::string afterLabel(const std::string& text) {
    return text.substr(text.find(": ") + 2);
}

/// Records how many messages the parser held when each property arrived.
struct OrderObserver : libEDID::EDIDCallback {
    explicit OrderObserver(const libEDID::EDIDParser& p) : parser(p) {}
    void onSysInfoProperty(const qor::String& name, const qor::QORValue&) override {
        seen.emplace_back(name.str(), static_cast<long>(parser.getMessages().size()));
    }
    const libEDID::EDIDParser& parser;
    std::vector<std::pair<std::string, long>> seen;
};

/// A built EDID after parseEDID, with what the verifiers produced.
class Result {
  public:
    explicit Result(const EdidBuilder& builder)
        : parsed_(std::make_unique<edidtest::Parsed>(builder.bytes())),
          order_(std::make_shared<OrderObserver>(parsed_->parser)) {
        parsed_->parser.registerSysInfoObserver(order_);
        EXPECT_TRUE(parsed_->parse());
    }
    std::vector<Log> messages(const std::string& key) const { return parsed_->withKey(key); }
    std::vector<std::string> texts(const std::string& key) const {
        std::vector<std::string> out;
        for (const auto& m : messages(key)) {
            out.push_back(m.getMesg().str());
        }
        return out;
    }
    /// Log index of the first message with this text, or -1.
    long indexOf(const std::string& text) const {
        const auto& all = parsed_->parser.getMessages();
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (all[i].getMesg().str() == text) {
                return static_cast<long>(i);
            }
        }
        return -1;
    }
    bool hasText(const std::string& text) const { return indexOf(text) >= 0; }
    /// The first property of that name rendered as text, or "-" when it was not notified.
    std::string property(const std::string& name) const {
        const edidtest::Property* p = parsed_->observer->find(name);
        return p == nullptr ? "-" : p->text();
    }
    qor::QORValue::Type type(const std::string& name) const {
        const edidtest::Property* p = parsed_->observer->find(name);
        return p == nullptr ? qor::QORValue::TYPE_NIL : p->value.getType();
    }
    std::vector<std::string> propertyNames() const { return parsed_->observer->names(); }
    /// Messages stored before the property arrived, or -1.
    long messagesBefore(const std::string& property) const {
        for (const auto& [name, count] : order_->seen) {
            if (name == property) {
                return count;
            }
        }
        return -1;
    }
    std::string edidString() const {
        qor::String s;
        parsed_->parser.getEDIDString(s, false);
        return s.str();
    }
    const libEDID::EDIDParser& parser() const { return parsed_->parser; }

  private:
    std::unique_ptr<edidtest::Parsed> parsed_;
    std::shared_ptr<OrderObserver> order_;
};

/// Expects exactly one message of `key`, with that level, category and text.
inline void expectOne(const Result& r, const std::string& key, int level, int category,
                      const std::string& text) {
    const auto found = r.messages(key);
    ASSERT_EQ(found.size(), 1u) << key;
    EXPECT_EQ(found[0].getLevel(), level) << key;
    EXPECT_EQ(found[0].getCategory(), category) << key;
    EXPECT_EQ(found[0].getMesg().str(), text) << key;
}

/// Expects each property's rendered value; "#Key" stands for the label of Key, "-" for absent.
inline void expectProperties(const Result& r,
                             const std::vector<std::pair<std::string, std::string>>& expected) {
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(r.property(name), value.starts_with("#") ? label(value.substr(1)) : value)
            << name;
    }
}

}  // namespace baseblocktest
