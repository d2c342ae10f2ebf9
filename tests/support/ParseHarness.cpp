#include "ParseHarness.h"

namespace edidtest {

const Property* RecordingObserver::find(const std::string& name) const {
    for (const Property& p : properties) {
        if (p.name == name) {
            return &p;
        }
    }
    return nullptr;
}

std::vector<std::string> RecordingObserver::names() const {
    std::vector<std::string> out;
    for (const Property& p : properties) {
        out.push_back(p.name);
    }
    return out;
}

Parsed::Parsed(const std::vector<std::uint8_t>& bytes) : parser(memoryAccessor(bytes)) {
    parser.registerSysInfoObserver(observer);
}

bool Parsed::parse() {
    return parser.parseEDID(false);
}

std::vector<libEDID::LibEDIDLog> Parsed::withKey(const std::string& key) const {
    std::vector<libEDID::LibEDIDLog> out;
    for (const auto& m : parser.getMessages()) {
        if (m.getKey().str() == key) {
            out.push_back(m);
        }
    }
    return out;
}

std::vector<std::string> Parsed::keys() const {
    std::vector<std::string> out;
    for (const auto& m : parser.getMessages()) {
        out.push_back(m.getKey().str());
    }
    return out;
}

std::vector<std::string> Parsed::faultKeys() const {
    std::vector<std::string> out;
    for (const auto& m : parser.getMessages()) {
        if (m.getLevel() != libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_INFO) {
            out.push_back(m.getKey().str());
        }
    }
    return out;
}

std::string Parsed::propertyText(const std::string& name, const std::string& absent) const {
    const Property* p = observer->find(name);
    if (p == nullptr) {
        return absent;
    }
    if (!p->value.isArray()) {
        return p->text();
    }
    std::string text;
    for (std::size_t i = 0; i < p->value.getArraySize(); ++i) {
        text += (i == 0 ? "" : " | ") + p->value.getArrayItem(i).str();
    }
    return text;
}

}  // namespace edidtest
