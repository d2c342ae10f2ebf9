#pragma once

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "libEDID/CTA861.h"
#include "libEDID/DisplayID.h"
#include "libEDID/DisplayInfo.h"
#include "libEDID/EDIDAccessorHandle.h"
#include "libEDID/EDIDBlock.h"
#include "libEDID/EDIDCallback.h"
#include "libEDID/LibEDIDLog.h"
#include "libEDID/ReadError.h"
#include "libEDID/VESAExtensions.h"
#include "qor/Array.h"
#include "qor/String.h"
#include "qor/Value.h"

namespace libEDID {

class EDIDVerifier;

/// Examines one display's EDID: reads it from an accessor, verifies the checksums, runs one
/// verifier per section and descriptor of the base block, and keeps what they find as messages
/// while pushing system-information properties to the registered observers.
///
/// A parser is used by one thread at a time. Copies share the accessor handle and the
/// observers and copy everything else. Any number of threads may parse at once with parsers of
/// their own; the library keeps a little state per thread, freed when the thread ends. On
/// Windows a program may end its threads at any time and may unload libEDID.dll (FreeLibrary)
/// while threads that used it still run, once no call into the library is under way and no
/// parser or accessor handle is left (docs/robustness.md).
///
/// Observers may call back into the parser that notifies them. A registration made during a
/// notification takes effect from the next notification on. A read or parse started while the
/// same parser is reading or parsing (verifyChecksum, parseEDID, getEDIDIdentifier and
/// getEDIDString that need to parse) is refused: it returns false and logs
/// "ParseInProgress" instead of recursing. An observer may also assign the parser: the parse
/// in progress then returns false and leaves the assigned state exactly as it was assigned (no
/// further message, text, property or decoded block of the abandoned EDID).
class LIBEDID_API EDIDParser {
  public:
    explicit EDIDParser(const EDIDAccessorHandle& accessor);
    EDIDParser(const EDIDParser&) = default;
    EDIDParser& operator=(const EDIDParser&) = default;
    ~EDIDParser();

    /// A new share of the accessor handle.
    EDIDAccessorHandle getAccessor() const { return accessor; }
    bool isAccessible() const;

    /// The message log, in logging order.
    const qor::Array<LibEDIDLog>& getMessages() const { return messages; }
    /// Discards every stored message; the EDID string and the ignored categories stay.
    void clearLogs() { messages.clear(); }
    /// Stops (true) or resumes (false) storing messages of a category.
    void ignoreLogCategory(LibEDIDLog::LIBEDID_LOG_CAT category, bool ignore);

    /// Adds an observer (an empty pointer is ignored); registering twice delivers twice.
    void registerSysInfoObserver(const std::shared_ptr<EDIDCallback>& observer);
    /// Calls every observer, in registration order; observers registered meanwhile are not
    /// called for this property.
    void notifySysInfoProperty(const qor::String& name, const qor::QORValue& value);

    /// The blocks read by the last verifyChecksum or parseEDID: the base block, and each
    /// extension block that byte 7Eh announces up to the first one the source cannot give.
    const EDIDBlock& getBaseBlock() const { return baseBlock; }
    const qor::Array<EDIDBlock>& getExtensionBlocks() const { return extensionBlocks; }

    qor::String getSerialNumber() const { return serialNumber; }
    qor::String getProductName() const { return productName; }

    /// Reads the EDID (again when `force`) and reports every block whose checksum is wrong.
    /// True when the EDID could be read, whatever the checksums.
    bool verifyChecksum(bool force);
    /// Reads the EDID (again when `force`) and runs every verifier; false when the source is
    /// not accessible or the base block cannot be read.
    bool parseEDID(bool force);

    /// When on, parseEDID also decodes the extension blocks it knows (CTA-861, tag 02h;
    /// DisplayID, tag 70h; the VESA blocks of VESAExtensions.h), in block order, after the report
    /// of the extension blocks' tags. Off by default: a default parse reports each extension
    /// block's tag and checksum only.
    void setDecodeExtensions(bool on) { decodeExtensions = on; }
    bool getDecodeExtensions() const { return decodeExtensions; }
    /// When on, parseEDID also judges the EDID as a whole after the section verifiers (and after
    /// extension decoding): rules that span sections and blocks, and the standards' "should"
    /// rules. Checks of the extension blocks run only with extension decoding on. Off by
    /// default: a default parse reports only what the section verifiers find.
    void setCheckConformity(bool on) { checkConformity = on; }
    bool getCheckConformity() const { return checkConformity; }
    /// The CTA-861 extension blocks decoded by the last parse, in block order; empty when
    /// extension decoding was off, when the last parse failed, and once the blocks are read
    /// again (verifyChecksum with `force`).
    const std::vector<CTABlock>& getCTABlocks() const { return ctaBlocks; }
    /// The DisplayID extension blocks decoded by the last parse, in block order; empty in the
    /// same cases as getCTABlocks.
    const std::vector<DisplayIDSection>& getDisplayIDBlocks() const { return displayIDBlocks; }
    /// The VESA extension blocks (block maps, video timing blocks, display information,
    /// localized strings, digital packet video link) decoded by the last parse, each kind in
    /// block order; empty in the same cases as getCTABlocks.
    const VESAExtensionBlocks& getVESAExtensions() const { return vesaExtensions; }
    /// The display model of the EDID read by the last verifyChecksum or parseEDID, built on
    /// request from the blocks read (a parse does no work for it); the same model as
    /// decodeDisplayInfo() of those bytes. Empty before a read.
    DisplayInfo getDisplayInfo() const;

    /// The product name, then "-" and the serial number when there is one; parses when needed.
    bool getEDIDIdentifier(qor::String& identifier, bool force);
    /// The text assembled from the verifiers' reports; parses when needed.
    bool getEDIDString(qor::String& edid, bool force);

    /// True when the last read of the EDID was to be written to a dump file (setting
    /// "DumpEDID") and that file could not be written.
    bool getDumpFailed() const { return dumpFailed; }

    /// Why the last read of the EDID (by verifyChecksum, parseEDID, or the calls that parse)
    /// came back without it or with less than it announces; ReadError::None after a complete
    /// read and before the first one. Set by every read, also by a failed one; a call that uses
    /// the blocks already read leaves it as it is. When the source could not be opened it is the
    /// source's own reason (EDIDAccessor::getSourceError, ReadError::NotFound when the source
    /// gives none); when the base block could not be read, BaseBlockShort unless the source
    /// knows better (an empty source: Empty); ExtensionMissing when fewer extension blocks than
    /// byte 7Eh announces could be read (the blocks read are parsed as usual).
    ReadError getReadError() const { return readError; }

    /// When on, parseEDID reports an EDID whose source ends before the extension blocks that
    /// byte 7Eh announces with the level-2 message "ExtensionBlocksMissing" (category
    /// EXTENSION_BLOCK; {announced} and {present} blocks) after the report of the extension
    /// blocks. Off by default: a default parse reads the blocks present without a message.
    void setReportMissingExtensions(bool on) { reportMissingExtensions = on; }
    bool getReportMissingExtensions() const { return reportMissingExtensions; }

  private:
    friend class EDIDVerifier;

    // What one parse judges and produces: its own copy of the blocks read, which an observer
    // that assigns the parser cannot change under the verifiers, and the results, handed to the
    // parser when the parse completes.
    struct ParseWork {
        EDIDBlock baseBlock{};
        qor::Array<EDIDBlock> extensionBlocks;
        std::vector<CTABlock> ctaBlocks;
        std::vector<DisplayIDSection> displayIDBlocks;
        VESAExtensionBlocks vesaExtensions;
        std::optional<qor::String> serialNumber;
        std::optional<qor::String> productName;
    };

    // Set while the parser reads or parses; a copy of a busy parser starts idle. An assignment
    // of a busy parser abandons its parse: the flag stays with the parser, and so does the
    // parse's work, which the verifiers go on reading; nothing of it reaches the assigned
    // state.
    struct BusyFlag {
        bool on = false;
        bool abandoned = false;
        ParseWork* work = nullptr;  // of the parse in progress
        BusyFlag() = default;
        BusyFlag(const BusyFlag&) {}
        BusyFlag& operator=(const BusyFlag& other) {
            abandoned = abandoned || (on && &other != this);
            return *this;
        }
    };
    // Marks the parser busy for the life of the scope, with the parse's work when it parses.
    class BusyScope {
      public:
        explicit BusyScope(BusyFlag& flag, ParseWork* work = nullptr) : flag_(flag) {
            set(true, work);
        }
        ~BusyScope() { set(false, nullptr); }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        void set(bool on, ParseWork* work) {
            flag_.on = on;
            flag_.abandoned = false;
            flag_.work = work;
        }
        BusyFlag& flag_;
    };

    // The observers. An assignment of the parser while it notifies keeps the observers it
    // replaces until the notification ends, so that the one being called stays alive; the
    // walk then needs no share of each observer per call.
    struct ObserverList {
        std::vector<std::shared_ptr<EDIDCallback>> current;
        std::vector<std::shared_ptr<EDIDCallback>> replaced;
        unsigned notifying = 0;  // nesting depth of notifications; a copy starts at 0
        ObserverList() = default;
        ObserverList(const ObserverList& other) : current(other.current) {}
        ObserverList& operator=(const ObserverList& other) {
            if (notifying > 0) {
                replaced.insert(replaced.end(), current.begin(), current.end());
            }
            current = other.current;
            return *this;
        }
    };

    bool refuseNestedParse();
    bool readEDID(bool force);
    bool readOrReport(bool force);
    bool dumpEDID();
    void runDescriptorSlots(const EDIDBlock& base);
    void checkRequiredDescriptors(const EDIDBlock& base, bool sawRangeLimits, bool sawProductName);
    void reportTrailer(const ParseWork& work);
    void runExtensionBlocks(const ParseWork& work);
    bool completeParse(ParseWork& work);
    void noteReadFailure(ReadError fallback);
    void reportMissingExtensionBlocks(const ParseWork& work);
    // Decoded blocks belong to the blocks they were decoded from: gone when these are read
    // again or a parse starts.
    void clearDecodedBlocks() {
        ctaBlocks.clear();
        displayIDBlocks.clear();
        vesaExtensions = {};
    }
    /// HF-EEODB (parser/ExtensionOverride.cpp): reads the extension blocks that an override in
    /// the first CTA-861 block announces beyond byte 7Eh, and reports the override.
    void readOverrideBlocks();
    void reportOverride(const ParseWork& work);
    /// Gives the messages logged from index `first` on, that have no bytes yet, the bytes
    /// `offset` to `offset + length` of the EDID.
    void markBytes(std::size_t first, std::size_t offset, std::size_t length);

    void logMesg(LibEDIDLog&& mesg);
    void logMesgAndAppend(LibEDIDLog&& mesg);
    void appendToString(const qor::String& text, bool newLine);

    qor::Array<LibEDIDLog> messages;
    qor::String edidString;
    qor::String serialNumber;
    qor::String productName;
    bool edidRead = false;
    bool decodeExtensions = false;
    bool checkConformity = false;
    bool dumpFailed = false;
    bool reportMissingExtensions = false;
    ReadError readError = ReadError::None;
    BusyFlag busy;
    EDIDBlock baseBlock{};
    qor::Array<EDIDBlock> extensionBlocks;
    /// The extension count of the HF-EEODB of the last decoding parse, when there was one.
    std::optional<unsigned> overrideCount;
    std::vector<CTABlock> ctaBlocks;
    std::vector<DisplayIDSection> displayIDBlocks;
    VESAExtensionBlocks vesaExtensions;
    EDIDAccessorHandle accessor;
    std::vector<LibEDIDLog::LIBEDID_LOG_CAT> ignoredCategories;
    ObserverList observers;
};

}  // namespace libEDID
