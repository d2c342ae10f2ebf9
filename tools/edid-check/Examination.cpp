#include "Examination.h"

#include <algorithm>
#include <memory>

#include "JsonReport.h"
#include "JsonWriter.h"
#include "libEDID/EDIDCallback.h"
#include "libEDID/EDIDParser.h"

namespace edidcheck {

namespace {

class PropertyCollector : public libEDID::EDIDCallback {
  public:
    explicit PropertyCollector(std::vector<Property>& properties) : properties_(properties) {}

    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        properties_.push_back(Property{name.str(), value});
    }

  private:
    std::vector<Property>& properties_;
};

/// Writes each property into the JSON array as it arrives; the array stays open until
/// finish().
class PropertyJsonWriter : public libEDID::EDIDCallback {
  public:
    explicit PropertyJsonWriter(JsonBuffer& out) : json_(out) { json_.beginArray(); }

    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        json_.beginObject();
        json_.key("name");
        json_.string(name.str());
        json_.key("value");
        writeJson(json_, value);
        json_.endObject();
    }

    void finish() { json_.endArray(); }

  private:
    JsonWriter json_;
};

std::vector<Finding> findingsOf(const libEDID::EDIDParser& parser) {
    std::vector<Finding> findings;
    findings.reserve(parser.getMessages().size());
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        findings.push_back(Finding{message.getKey().str(), static_cast<int>(message.getLevel()),
                                   static_cast<int>(message.getCategory()),
                                   message.getMesg().str()});
    }
    return findings;
}

}  // namespace

bool Examination::hasErrors() const {
    return std::any_of(messages.begin(), messages.end(), [](const Finding& finding) {
        return finding.level == libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
    });
}

Examination examine(const Source& source, const ExaminationSettings& settings) {
    Examination result;
    result.source = source.name;
    if (!source.isRead()) {
        return result;
    }
    const auto kept = std::make_shared<libEDID::EDIDParser>(source.accessor);
    libEDID::EDIDParser& parser = *kept;
    result.parser = kept;
    for (const int category : settings.ignoredCategories) {
        parser.ignoreLogCategory(static_cast<libEDID::LibEDIDLog::LIBEDID_LOG_CAT>(category), true);
    }
    parser.setDecodeExtensions(settings.decodeExtensions);
    std::shared_ptr<PropertyJsonWriter> jsonProperties;
    if (settings.properties == PropertyForm::list) {
        parser.registerSysInfoObserver(std::make_shared<PropertyCollector>(result.properties));
    } else if (settings.properties == PropertyForm::json) {
        jsonProperties = std::make_shared<PropertyJsonWriter>(result.propertiesJson);
        parser.registerSysInfoObserver(jsonProperties);
    }

    result.accessible = parser.isAccessible();
    result.ok = parser.verifyChecksum(false) && parser.parseEDID(false);
    result.dumpFailed = parser.getDumpFailed();
    if (result.ok) {
        qor::String identifier;
        if (parser.getEDIDIdentifier(identifier, false)) {
            result.identifier = identifier.str();
        }
        qor::String edidString;
        parser.getEDIDString(edidString, false);
        result.edidString = edidString.str();
        result.productName = parser.getProductName().str();
        result.serialNumber = parser.getSerialNumber().str();
        result.edid.assign(parser.getBaseBlock().begin(), parser.getBaseBlock().end());
        for (const libEDID::EDIDBlock& block : parser.getExtensionBlocks()) {
            result.edid.insert(result.edid.end(), block.begin(), block.end());
        }
    }
    if (settings.withHexDump) {
        result.hexDump = source.accessor->hexDump().str();
    }
    result.messages = findingsOf(parser);
    if (jsonProperties) {
        jsonProperties->finish();
    }
    return result;
}

}  // namespace edidcheck
