#pragma once

#include <initializer_list>
#include <utility>

#include "libEDID/EDIDParser.h"
#include "report/MessageBuilder.h"
#include "report/ReportText.h"

namespace libEDID {

/// Base of every verifier: judges one section, descriptor or extension block and reports
/// through the parser that runs it. A verifier lives within one parse and owns nothing but
/// copies of the bytes it judges.
///
/// Two kinds of report: findings (warnings and errors) go to the parser's log only; value
/// reports (level 0, category 0) go to the log and their text, with a line terminator, to the
/// EDID string.
class EDIDVerifier {
  public:
    explicit EDIDVerifier(EDIDParser* owner) : parser(owner) {}
    EDIDVerifier(const EDIDVerifier&) = delete;
    EDIDVerifier& operator=(const EDIDVerifier&) = delete;
    virtual ~EDIDVerifier() { parser = nullptr; }

    virtual void verify() = 0;

  protected:
    using Level = LibEDIDLog::LIBEDID_LOG_LEVEL;
    using Category = LibEDIDLog::LIBEDID_LOG_CAT;
    /// A placeholder name and its value (see detail::Fill).
    using Variable = detail::Fill;
    /// Placeholder names and their values, filled into a message's text in this order.
    using Variables = std::initializer_list<Variable>;

    /// The message `key` with its variables filled.
    static LibEDIDLog message(const char* key, Level level, Category category,
                              Variables variables = {});
    /// A value report (level 0, category 0) of `key`, for reports that are filled step by step.
    static LibEDIDLog info(const char* key, Variables variables = {});

    /// Logs the finding `key` with its variables filled.
    void logFinding(const char* key, Level level, Category category, Variables variables = {}) {
        logMesg(message(key, level, category, variables));
    }
    /// Logs and appends `key` (by default "ReportedValue") with "type" = the localized label of
    /// `typeKey` and "value" = `value`.
    void reportValue(const char* typeKey, const qor::String& value,
                     const char* key = "ReportedValue");
    /// reportValue with a type that is already text (composed or decorated labels).
    void reportLabelledValue(const qor::String& type, const qor::String& value,
                             const char* key = "ReportedValue");
    /// reportValue ("ReportedValue"), returning the report's text after its first ": ", for
    /// properties that take the value as the report shows it.
    qor::String reportValueTrimmed(const char* typeKey, const qor::String& value);
    /// Logs and appends the value report, then notifies `property` with the report's text
    /// after its first ": ".
    void logAndNotifyTrimmed(LibEDIDLog&& record, const char* property);
    /// reportValue, then the property `property` holding `value`.
    void reportValueProperty(const char* typeKey, qor::String value, const char* property,
                             const char* key = "ReportedValue");
    /// Logs and appends `key` with "value" = Yes or No (and "type" = the label of `typeKey`
    /// unless it is null), then notifies the boolean property `property`.
    void reportFlag(const char* key, const char* typeKey, bool flag, const char* property);
    /// When `modes` holds at least one mode: logs and appends `key` with "timings" = the mode
    /// lines, then notifies the property `key` with the list of modes.
    void reportModeList(const char* key, const detail::ModeList& modes);

    /// Stored in the parser's log (unless the category is ignored).
    void logMesg(const LibEDIDLog& mesg) { parser->logMesg(LibEDIDLog(mesg)); }
    void logMesg(LibEDIDLog&& mesg) { parser->logMesg(std::move(mesg)); }
    /// Stored, and its text plus a line terminator appended to the EDID string.
    void logMesgAndAppend(const LibEDIDLog& mesg) { parser->logMesgAndAppend(LibEDIDLog(mesg)); }
    void logMesgAndAppend(LibEDIDLog&& mesg) { parser->logMesgAndAppend(std::move(mesg)); }
    /// Hands a property to every observer of the parser, in registration order.
    void notifySysInfoProperty(const qor::String& name, const qor::QORValue& value) {
        parser->notifySysInfoProperty(name, value);
    }
    /// For names of static storage (literals and tables): each is made a text only once.
    void notifySysInfoProperty(const char* name, const qor::QORValue& value) {
        parser->notifySysInfoProperty(detail::propertyName(name), value);
    }

    /// The blocks of the parse in progress and the results it has found so far.
    const EDIDBlock& baseBlock() const { return work().baseBlock; }
    const qor::Array<EDIDBlock>& extensionBlocks() const { return work().extensionBlocks; }
    const std::vector<CTABlock>& ctaBlocks() const { return work().ctaBlocks; }
    const std::vector<DisplayIDSection>& displayIDSections() const {
        return work().displayIDBlocks;
    }
    void addCTABlock(CTABlock block) { work().ctaBlocks.push_back(std::move(block)); }
    void setSerialNumber(const qor::String& text) { work().serialNumber = text; }
    void setProductName(const qor::String& text) { work().productName = text; }
    void addDisplayIDSection(DisplayIDSection section) {
        work().displayIDBlocks.push_back(std::move(section));
    }
    /// The VESA extension blocks decoded so far by the parse in progress.
    VESAExtensionBlocks& vesaExtensions() const { return work().vesaExtensions; }
    EDIDParser* getParser() const { return parser; }

  private:
    EDIDParser::ParseWork& work() const { return *parser->busy.work; }

    EDIDParser* parser;
};

}  // namespace libEDID
