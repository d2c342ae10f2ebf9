#pragma once

#include <utility>

#include "libEDID/EDIDParser.h"

namespace libEDID {

/// Base of every verifier: judges one section or descriptor of the base block and reports
/// through the parser that runs it. A verifier lives within one parse and owns nothing but
/// copies of the bytes it judges.
class EDIDVerifier {
  public:
    explicit EDIDVerifier(EDIDParser* parser) : parser(parser) {}
    EDIDVerifier(const EDIDVerifier&) = delete;
    EDIDVerifier& operator=(const EDIDVerifier&) = delete;
    virtual ~EDIDVerifier() { parser = nullptr; }

    virtual void verify() = 0;

  protected:
    /// Stored in the parser's log (unless the category is ignored).
    void logMesg(const LibEDIDLog& mesg) { parser->logMesg(mesg); }
    /// Stored, and its text plus a line terminator appended to the EDID string.
    void logMesgAndAppend(const LibEDIDLog& mesg) { parser->logMesgAndAppend(mesg); }
    void appendToString(const qor::String& text, bool newLine) {
        parser->appendToString(text, newLine);
    }
    /// Hands a property to every observer of the parser, in registration order.
    void notifySysInfoProperty(const qor::String& name, const qor::QORValue& value) {
        parser->notifySysInfoProperty(name, value);
    }

    const EDIDBlock& baseBlock() const { return parser->baseBlock; }
    const qor::Array<EDIDBlock>& extensionBlocks() const { return parser->extensionBlocks; }
    void setSerialNumber(const qor::String& text) { parser->serialNumber = text; }
    void setProductName(const qor::String& text) { parser->productName = text; }
    void addDisplayIDSection(DisplayIDSection section) {
        parser->displayIDBlocks.push_back(std::move(section));
    }
    EDIDParser* getParser() const { return parser; }

  private:
    EDIDParser* parser;
};

}  // namespace libEDID
