// edid_host_worker.dll: the part of the Windows host program that calls libEDID. It links
// libEDID.dll through its import library, so that loading it with LoadLibrary loads libEDID.dll
// and freeing it unloads libEDID.dll again; its one function has C linkage for GetProcAddress.

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "libEDID/libEDID.h"

namespace {

class PropertyRecorder : public libEDID::EDIDCallback {
  public:
    explicit PropertyRecorder(std::string& out) : out_(out) {}
    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        out_ += "property ";
        out_ += name.str();
        out_ += " = ";
        out_ += value.toString(qor::QORValue::nilValue()).str();
        out_ += '\n';
    }

  private:
    std::string& out_;
};

// Everything a parse with extension decoding gives: the properties in the order they were
// pushed, every message (key, level, category, text) and the identifier.
std::string renderParse(const unsigned char* bytes, std::size_t size) {
    std::string out;
    libEDID::EDIDParser parser(libEDID::makeAccessor<libEDID::EDIDAccessorBuffer>(
        reinterpret_cast<const char*>(bytes), static_cast<unsigned>(size)));
    parser.setDecodeExtensions(true);
    parser.registerSysInfoObserver(std::make_shared<PropertyRecorder>(out));
    if (!parser.parseEDID(false)) {
        return {};
    }
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        out += message.getKey().str() + '|' + std::to_string(message.getLevel()) + '|' +
               std::to_string(message.getCategory()) + '|' + message.getMesg().str() + '\n';
    }
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    out += "identifier " + identifier.str() + '\n';
    return out;
}

}  // namespace

// Parses `size` bytes of EDID and writes the rendering of the parse to `report` when it fits in
// `room` bytes with its terminating NUL. Returns the rendering's length, 0 when the EDID could
// not be read.
extern "C" __declspec(dllexport) std::size_t
    edidHostReport(const unsigned char* bytes, std::size_t size, char* report, std::size_t room) {
    const std::string rendering = renderParse(bytes, size);
    if (rendering.size() < room) {
        std::memcpy(report, rendering.c_str(), rendering.size() + 1);
    }
    return rendering.size();
}
