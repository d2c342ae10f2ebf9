#include "libEDID/EDIDParser.h"

#include <algorithm>
#include <cinttypes>
#include <numeric>
#include <random>
#include <utility>

#include "decode/base/BaseBlockLayout.h"
#include "qor/DateTime.h"
#include "qor/Files.h"
#include "qor/Resource.h"
#include "qor/System.h"
#include "report/MessageBuilder.h"
#include "report/ReportText.h"
#include "report/Texts.h"
#include "sources/ClassLogger.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("EDIDParser");
    return instance;
}

// Trace scopes are bound to the logger only when their lines would be written.
qor::Logger* traceLogger() {
    qor::Logger* const log = logger();
    return log->isEnabled(1) ? log : nullptr;
}

using Level = LibEDIDLog::LIBEDID_LOG_LEVEL;
using Category = LibEDIDLog::LIBEDID_LOG_CAT;

unsigned blockSum(const EDIDBlock& block) {
    return std::accumulate(block.begin(), block.end(), 0u) & 0xFFu;
}

// Characters that no file name may hold on any system we run on (and the control characters,
// 00h-1Fh and 7Fh) become '_', so that a dump always lands in the current folder under a valid
// name.
qor::String fileNameSafe(const qor::String& text) {
    std::string safe = text.str();
    for (char& c : safe) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F ||
            std::string_view("\\/:?*\"<>|").find(c) != std::string_view::npos) {
            c = '_';
        }
    }
    return qor::String(std::move(safe));
}

bool dumpSettingOn() {
    qor::String text;
    if (!qor::Resource::getSetting("libEDID", "DumpEDID.value", text,
                                   qor::QORLocale::getGlobalLocale())) {
        return false;
    }
    bool on = false;
    return qor::QORValue::getCorrectValue(text, qor::QORValue::TYPE_BOOL, false).get(on) && on;
}

// Dumps of one source within one second get "_1", "_2", ... after the time; a name already
// taken (by anyone, also by a planted link) is skipped, never replaced.
constexpr unsigned kMaxDumpNameTries = 1000;

// The EDID string of a base block takes about 3 KB; room for it is made once.
constexpr std::size_t kEDIDStringRoom = 4096;

}  // namespace

EDIDParser::EDIDParser(const EDIDAccessorHandle& source) : accessor(source) {}

EDIDParser::~EDIDParser() = default;

// An empty handle is taken as a source that cannot be opened.
bool EDIDParser::isAccessible() const {
    return !accessor.isEmpty() && accessor->isAccessible();
}

void EDIDParser::ignoreLogCategory(LibEDIDLog::LIBEDID_LOG_CAT category, bool ignore) {
    const auto it = std::find(ignoredCategories.begin(), ignoredCategories.end(), category);
    if (ignore && it == ignoredCategories.end()) {
        ignoredCategories.push_back(category);
    } else if (!ignore && it != ignoredCategories.end()) {
        ignoredCategories.erase(it);
    }
}

void EDIDParser::registerSysInfoObserver(const std::shared_ptr<EDIDCallback>& observer) {
    if (observer) {
        observers.current.push_back(observer);
    }
}

namespace {

// Counts a notification in progress; the last to end releases the observers that an assignment
// replaced meanwhile. They are taken out of the list first, so that a destructor that calls
// back into the parser finds the list whole.
template <typename List>
class NotificationScope {
  public:
    explicit NotificationScope(List& list) : list_(list) { ++list_.notifying; }
    ~NotificationScope() {
        if (--list_.notifying == 0 && !list_.replaced.empty()) {
            const auto released = std::move(list_.replaced);
            list_.replaced.clear();
        }
    }
    NotificationScope(const NotificationScope&) = delete;
    NotificationScope& operator=(const NotificationScope&) = delete;

  private:
    List& list_;
};

}  // namespace

// An observer may register further observers (appended, possibly reallocating the list) or
// even assign the parser, so the walk goes by index over the observers present at its start;
// an observer stays alive while it is called (see ObserverList).
void EDIDParser::notifySysInfoProperty(const qor::String& name, const qor::QORValue& value) {
    if (busy.abandoned) {
        return;
    }
    const NotificationScope scope(observers);
    const std::size_t count = observers.current.size();
    for (std::size_t i = 0; i < count && i < observers.current.size(); ++i) {
        EDIDCallback* const observer = observers.current[i].get();
        observer->onSysInfoProperty(name, value);
    }
}

bool EDIDParser::refuseNestedParse() {
    logMesg(LibEDIDLog("ParseInProgress", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                       LibEDIDLog::LIBEDID_LOG_CAT_GENERAL));
    return false;
}

void EDIDParser::logMesg(LibEDIDLog&& mesg) {
    if (busy.abandoned) {
        return;
    }
    if (!ignoredCategories.empty() && std::find(ignoredCategories.begin(), ignoredCategories.end(),
                                                mesg.getCategory()) != ignoredCategories.end()) {
        QOR_LOG(logger(), 3, "305 " + "Entry ignored:" + mesg.getMesg());
        return;
    }
    messages.append(std::move(mesg));
}

void EDIDParser::logMesgAndAppend(LibEDIDLog&& mesg) {
    appendToString(mesg.getMesg(), true);
    logMesg(std::move(mesg));
}

void EDIDParser::appendToString(const qor::String& text, bool newLine) {
    if (busy.abandoned) {
        return;
    }
    if (edidString.isEmpty()) {
        edidString.reserve(kEDIDStringRoom);
    }
    edidString += text;
    if (newLine) {
        edidString += qor::System::TEXT_FILE_EOL();
    }
}

bool EDIDParser::readEDID(bool force) {
    if (!force && edidRead) {
        return true;
    }
    edidRead = accessor->readStructure(0, baseBlock.data(), layout::kBlockSize);
    extensionBlocks.clear();
    clearDecodedBlocks();
    if (!edidRead) {
        // A source that opened but cannot give 128 bytes is short, unless it knows better.
        noteReadFailure(ReadError::BaseBlockShort);
        return false;
    }
    const unsigned count = baseBlock[layout::kExtensionCount];
    for (unsigned n = 1; n <= count; ++n) {
        EDIDBlock block{};
        if (!accessor->readStructure(n * layout::kBlockSize, block.data(), layout::kBlockSize)) {
            break;
        }
        extensionBlocks.append(block);
    }
    readError = extensionBlocks.size() < count ? ReadError::ExtensionMissing : ReadError::None;
    if (readError != ReadError::None) {
        QOR_LOG(logger(), 2,
                "307 " + "EDID incomplete: byte 7Eh announces " + count +
                    " extension blocks, the source holds " +
                    static_cast<unsigned>(extensionBlocks.size()));
    }
    dumpFailed = dumpSettingOn() && !dumpEDID();
    QOR_LOG(logger(), 1, "83 " + "EDID Dump : " + accessor->hexDump());
    return true;
}

bool EDIDParser::dumpEDID() {
    qor::String locator = accessor->getLocator();
    if (locator.isEmpty()) {
        std::random_device seed;
        std::mt19937 engine(seed());
        locator = qor::SprintfFormat("%u", static_cast<unsigned>(engine()));
    }
    const std::int64_t now = qor::DateTime::getCurrentDateTime().unixTimeStamp();
    const qor::String stem = qor::String("edid_dump") + "_" + fileNameSafe(locator) + "_" +
                             qor::SprintfFormat("%" PRId64, now);
    for (unsigned n = 0; n < kMaxDumpNameTries; ++n) {
        const qor::String fileName =
            n == 0 ? stem + ".bin" : stem + qor::SprintfFormat("_%u", n) + ".bin";
        if (!qor::pathTaken(fileName)) {
            // Created exclusively: a racing writer of the same name makes this dump fail.
            return accessor->dumpToFile(fileName);
        }
    }
    return false;
}

// Reads the EDID when the source is accessible; otherwise, or when the base block cannot be
// read, logs "CannotAccessEDID".
bool EDIDParser::readOrReport(bool force) {
    if (!isAccessible()) {
        noteReadFailure(ReadError::NotFound);
    } else if (readEDID(force)) {
        return true;
    }
    logMesg(LibEDIDLog("CannotAccessEDID", LibEDIDLog::LIBEDID_LOG_LEVEL_WARNING,
                       LibEDIDLog::LIBEDID_LOG_CAT_GENERAL));
    return false;
}

// The reason of a read that gave no EDID: the source's own when it knows one, else `fallback`
// (a source of the caller's own may know none; an empty handle is no source at all).
void EDIDParser::noteReadFailure(ReadError fallback) {
    const ReadError known = accessor.isEmpty() ? ReadError::None : accessor->getSourceError();
    readError = known != ReadError::None ? known : fallback;
    QOR_LOG(logger(), 2, "306 " + "EDID not read: " + readErrorName(readError));
}

bool EDIDParser::verifyChecksum(bool force) {
    qor::TraceLogger trace(traceLogger(), "EDIDParser::verifyChecksum", __FILE__, __LINE__);
    if (busy.on) {
        return refuseNestedParse();
    }
    const BusyScope scope(busy);
    const detail::TextScope texts;
    if (!readOrReport(force)) {
        return false;
    }
    // Block n's error concerns its checksum byte, the last of the block.
    const auto report = [&](const qor::String& type, unsigned sum, std::size_t block) {
        const std::size_t first = messages.size();
        logMesg(detail::makeMessage(
            "ChecksumError", LibEDIDLog::LIBEDID_LOG_LEVEL_ERROR,
            LibEDIDLog::LIBEDID_LOG_CAT_CHECKSUM,
            {{"type", type}, {"checksum", detail::hexByte(sum)}, {"expected", "00h"}}));
        markBytes(first, block * baseBlock.size() + baseBlock.size() - 1, 1);
    };
    if (const unsigned sum = blockSum(baseBlock); sum != 0) {
        report(detail::text("BaseEDIDStructure"), sum, 0);
    }
    for (std::size_t i = 0; i < extensionBlocks.size(); ++i) {
        if (const unsigned sum = blockSum(extensionBlocks[i]); sum != 0) {
            report(detail::text("EDIDExtensionBlock") + " #" +
                       detail::unsignedText(static_cast<unsigned>(i)),
                   sum, i + 1);
        }
    }
    return true;
}

}  // namespace libEDID
