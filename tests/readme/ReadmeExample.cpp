// The "Using the library" example of README.md, built and run by the tests so that it keeps
// compiling. Keep the two copies the same.
#include <iostream>
#include <memory>

#include "libEDID/libEDID.h"

// Receives every property (manufacturer, serial number, screen size, ...) during the parse.
class PrintProperties : public libEDID::EDIDCallback {
  public:
    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        std::cout << name.str() << " = " << value.toString(qor::QORValue::nilValue()).str() << '\n';
    }
};

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: example EDID_FILE\n";
        return 2;
    }
    // A file source; for a display of this system use instead
    // libEDID::EDIDContext::getEDIDAccessor("card0-HDMI-A-1",
    //                                       libEDID::EDIDAccessor::FIND_BY_PORT_LOCATOR).
    libEDID::EDIDParser parser(libEDID::makeAccessor<libEDID::EDIDAccessorFile>(argv[1]));
    parser.registerSysInfoObserver(std::make_shared<PrintProperties>());

    parser.verifyChecksum(false);
    if (!parser.parseEDID(false)) {
        std::cerr << "cannot read the EDID\n";
        return 1;
    }
    qor::String identifier;
    parser.getEDIDIdentifier(identifier, false);
    std::cout << "Display: " << identifier.str() << '\n';
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        if (message.getLevel() != libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_INFO) {
            std::cout << message.getKey().str() << ": " << message.getMesg().str() << '\n';
        }
    }
    return 0;
}
