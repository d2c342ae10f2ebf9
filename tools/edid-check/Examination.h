#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "JsonWriter.h"
#include "SourceReader.h"
#include "libEDID/EDIDLayout.h"
#include "libEDID/EDIDParser.h"
#include "libEDID/ReadError.h"
#include "qor/Value.h"

namespace edidcheck {

/// One message of the parser's log; the texts are those of the parser that the examination
/// keeps.
struct Finding {
    std::string_view key;
    int level = 0;
    int category = 0;
    std::string_view text;
    unsigned byteOffset = 0;  ///< the bytes of the EDID the message concerns, from the base block
    unsigned byteLength = 0;  ///< 0: no bytes known
};

/// One system-information property, as the parser notified it.
struct Property {
    std::string name;
    qor::QORValue value;
};

/// What the tool learnt about one source.
struct Examination {
    std::string source;
    bool accessible = false;  ///< the source's accessor could be opened
    bool ok = false;          ///< the base block was read and every verifier ran
    libEDID::ReadError readError = libEDID::ReadError::None;  ///< the parser's, after the read
    std::optional<std::string> identifier;
    std::string productName;
    std::string serialNumber;
    std::vector<Finding> messages;  ///< checksum messages first, then those of the parse
    std::shared_ptr<const libEDID::EDIDParser> parser;  ///< holds the texts of `messages`
    std::vector<Property> properties;                   ///< only with PropertyForm::list
    JsonBuffer propertiesJson;  ///< the JSON array, only with PropertyForm::json
    std::string edidString;
    std::vector<unsigned char> edid;  ///< every byte the parser read: base + extension blocks
    std::string hexDump;              ///< only when asked for
    std::vector<libEDID::FieldRange> fields;  ///< the field of every byte of `edid`, when asked for
    bool dumpFailed = false;                  ///< the EDID dump ("DumpEDID") could not be written

    /// True when a level-2 message was logged.
    bool hasErrors() const;
};

/// How the properties that the parser notifies are kept.
enum class PropertyForm {
    none,  ///< not observed at all
    list,  ///< copied into Examination::properties
    json,  ///< written at once into Examination::propertiesJson, nothing copied
};

/// Settings that apply to every source.
struct ExaminationSettings {
    std::vector<int> ignoredCategories;
    bool withHexDump = false;
    bool decodeExtensions = true;
    bool checkConformity = true;
    PropertyForm properties = PropertyForm::list;
    bool withFields = false;  ///< describe the fields of the EDID's bytes (HTML report)
    bool reportMissingExtensions = true;  ///< EDIDParser::setReportMissingExtensions
};

class PropertyCollector;
class PropertyJsonWriter;

/// Examines sources one after the other with the same settings. What it keeps for one source
/// (the examination, the JSON of the properties, the property observer) is reused for the
/// next, so that a long run allocates no buffers per source once they have grown.
class Examiner {
  public:
    explicit Examiner(ExaminationSettings settings);
    Examiner(const Examiner&) = delete;
    Examiner& operator=(const Examiner&) = delete;

    /// Runs verifyChecksum(false), parseEDID(false) and getEDIDIdentifier on one parser over
    /// the source, with an observer that keeps every property in the form the settings ask
    /// for. A source whose base block cannot be read is not parsed (its one "CannotAccessEDID"
    /// comes from the checksum pass). The result stays valid until the next call.
    const Examination& examine(const Source& source);

  private:
    void keepParse(libEDID::EDIDParser& parser);

    ExaminationSettings settings_;
    Examination result_;
    std::shared_ptr<PropertyCollector> collector_;    ///< only with PropertyForm::list
    std::shared_ptr<PropertyJsonWriter> jsonWriter_;  ///< only with PropertyForm::json
    qor::String identifier_;                          ///< the parser's texts, copied out
    qor::String edidString_;
};

}  // namespace edidcheck
