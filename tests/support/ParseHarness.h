#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LogCapture.h"
#include "libEDID/libEDID.h"

namespace edidtest {

/// Accessors over a memory copy of `bytes` and over the file at `path`.
inline libEDID::EDIDAccessorHandle memoryAccessor(const std::vector<std::uint8_t>& bytes) {
    return libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(bytes.data()), static_cast<unsigned>(bytes.size()));
}
inline libEDID::EDIDAccessorHandle fileAccessor(const std::string& path) {
    return libEDID::makeAccessor<libEDID::EDIDAccessorFile>(qor::String(path));
}

/// One property as an observer received it.
struct Property {
    std::string name;
    qor::QORValue value;

    std::string text() const { return value.toString(qor::QORValue::nilValue()).str(); }
};

/// Observer that records every property in notification order.
class RecordingObserver : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        properties.push_back({name.str(), value});
    }
    /// The first property of that name, or null.
    const Property* find(const std::string& name) const;
    std::vector<std::string> names() const;

    std::vector<Property> properties;
};

/// A parser over a memory copy of `bytes`, with a recording observer registered.
struct Parsed {
    explicit Parsed(const std::vector<std::uint8_t>& bytes);

    /// Runs parseEDID(false) and returns its result.
    bool parse();

    /// Every stored message with this key, in log order.
    std::vector<libEDID::LibEDIDLog> withKey(const std::string& key) const;
    /// Keys of all stored messages, in log order.
    std::vector<std::string> keys() const;
    /// Stored messages of level 1 and 2, as "key" strings in log order.
    std::vector<std::string> faultKeys() const;
    /// A notified property as text, an array's items joined by " | "; `absent` when it was not
    /// notified.
    std::string propertyText(const std::string& name, const std::string& absent) const;

    std::shared_ptr<RecordingObserver> observer = std::make_shared<RecordingObserver>();
    libEDID::EDIDParser parser;
};

}  // namespace edidtest
