#include "Examination.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "JsonReport.h"
#include "JsonWriter.h"
#include "libEDID/EDIDCallback.h"
#include "libEDID/EDIDParser.h"

namespace edidcheck {

/// Copies each property into the examination's list.
class PropertyCollector : public libEDID::EDIDCallback {
  public:
    explicit PropertyCollector(std::vector<Property>& properties) : properties_(properties) {}

    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        properties_.push_back(Property{name.str(), value});
    }

  private:
    std::vector<Property>& properties_;
};

/// Writes each property into the JSON array as it arrives; the array is opened by begin() and
/// closed by finish(), once per source.
class PropertyJsonWriter : public libEDID::EDIDCallback {
  public:
    explicit PropertyJsonWriter(JsonBuffer& out) : out_(out) {}

    void begin() {
        out_.clear();
        json_.emplace(out_);
        json_->beginArray();
    }

    void onSysInfoProperty(const qor::String& name, const qor::QORValue& value) override {
        json_->beginObject();
        json_->member("name", name.str());
        json_->key("value");
        writeJson(*json_, value);
        json_->endObject();
    }

    void finish() { json_->endArray(); }

  private:
    JsonBuffer& out_;
    std::optional<JsonWriter> json_;
};

bool Examination::hasErrors() const {
    return std::any_of(messages.begin(), messages.end(), [](const Finding& finding) {
        return finding.level == libEDID::LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR;
    });
}

Examiner::Examiner(ExaminationSettings settings) : settings_(std::move(settings)) {
    if (settings_.properties == PropertyForm::list) {
        collector_ = std::make_shared<PropertyCollector>(result_.properties);
    } else if (settings_.properties == PropertyForm::json) {
        jsonWriter_ = std::make_shared<PropertyJsonWriter>(result_.propertiesJson);
    }
}

const Examination& Examiner::examine(const Source& source) {
    Examination& result = result_;
    result.source = source.name;
    result.accessible = false;
    result.ok = false;
    result.readError = libEDID::ReadError::None;
    result.dumpFailed = false;
    result.parser.reset();
    result.messages.clear();
    result.properties.clear();
    result.propertiesJson.clear();
    result.edid.clear();
    result.hexDump.clear();
    result.fields.clear();
    if (source.isRead()) {
        const auto parser = std::make_shared<libEDID::EDIDParser>(source.accessor);
        result.parser = parser;
        keepParse(*parser);
        if (settings_.withFields) {
            result.fields = libEDID::describeFields(result.edid);
        }
        if (settings_.withHexDump) {
            result.hexDump = source.accessor->hexDump().str();
        }
    }
    if (!result.ok) {
        result.identifier.reset();
        result.productName.clear();
        result.serialNumber.clear();
        result.edidString.clear();
    }
    return result;
}

// Parses with the settings and keeps what the parser found. Texts are copied into storage that
// was used for the source before, which mostly holds them without growing.
void Examiner::keepParse(libEDID::EDIDParser& parser) {
    Examination& result = result_;
    for (const int category : settings_.ignoredCategories) {
        parser.ignoreLogCategory(static_cast<libEDID::LibEDIDLog::LIBEDID_LOG_CAT>(category), true);
    }
    parser.setDecodeExtensions(settings_.decodeExtensions);
    parser.setCheckConformity(settings_.checkConformity);
    parser.setReportMissingExtensions(settings_.reportMissingExtensions);
    if (collector_) {
        parser.registerSysInfoObserver(collector_);
    } else if (jsonWriter_) {
        jsonWriter_->begin();
        parser.registerSysInfoObserver(jsonWriter_);
    }

    result.accessible = parser.isAccessible();
    result.ok = parser.verifyChecksum(false) && parser.parseEDID(false);
    result.readError = parser.getReadError();
    result.dumpFailed = parser.getDumpFailed();
    if (result.ok) {
        if (parser.getEDIDIdentifier(identifier_, false)) {
            result.identifier = identifier_.str();
        } else {
            result.identifier.reset();
        }
        parser.getEDIDString(edidString_, false);
        result.edidString = edidString_.str();
        result.productName = parser.getProductName().str();
        result.serialNumber = parser.getSerialNumber().str();
        result.edid.assign(parser.getBaseBlock().begin(), parser.getBaseBlock().end());
        for (const libEDID::EDIDBlock& block : parser.getExtensionBlocks()) {
            result.edid.insert(result.edid.end(), block.begin(), block.end());
        }
    }
    result.messages.reserve(parser.getMessages().size());
    for (const libEDID::LibEDIDLog& message : parser.getMessages()) {
        const libEDID::LibEDIDLog::ByteSpan bytes = message.getBytes();
        result.messages.push_back(Finding{message.getKey().str(),
                                          static_cast<int>(message.getLevel()),
                                          static_cast<int>(message.getCategory()),
                                          message.getMesg().str(), bytes.offset, bytes.length});
    }
    if (jsonWriter_) {
        jsonWriter_->finish();
    }
}

}  // namespace edidcheck
