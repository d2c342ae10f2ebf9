#include "libEDID/LibEDIDLog.h"

#include <string_view>

#include "parser/ClassLogger.h"
#include "parser/Texts.h"

namespace libEDID {

namespace {

qor::Logger* logger() {
    static qor::Logger* const instance = detail::classLogger("LibEDIDLog");
    return instance;
}

// Bytes reserved beyond a template for the values filled into it.
constexpr std::size_t kValueRoom = 48;

}  // namespace

LibEDIDLog::LibEDIDLog(LIBEDID_LOG_LEVEL logLevel, LIBEDID_LOG_CAT logCategory)
    : level(logLevel), category(logCategory) {}

LibEDIDLog::LibEDIDLog(qor::String messageKey, LIBEDID_LOG_LEVEL logLevel,
                       LIBEDID_LOG_CAT logCategory)
    : key(std::move(messageKey)), level(logLevel), category(logCategory) {
    setMesg();
}

qor::String LibEDIDLog::getMesgTrimmed() const {
    const std::size_t at = mesg.find(": ", 0);
    if (at == qor::String::npos) {
        return mesg;
    }
    return mesg.subString(at + 2);
}

void LibEDIDLog::setKey(const qor::String& newKey) {
    key = newKey;
    setMesg();
}

void LibEDIDLog::setVariable(const qor::String& name, const qor::String& value) {
    fill(name.str(), value);
}

void LibEDIDLog::setVariable(const char* name, const qor::String& value) {
    fill(name != nullptr ? name : "", value);
}

// The open placeholders are kept in text order; filling one shifts those after it.
void LibEDIDLog::fill(std::string_view wanted, const qor::String& value) {
    std::uint32_t kept = 0;
    std::int64_t shift = 0;
    for (std::uint32_t i = 0; i < openPlaceholders; ++i) {
        Placeholder placeholder = placeholders[i];
        placeholder.offset = static_cast<std::uint32_t>(placeholder.offset + shift);
        const std::string_view inside =
            std::string_view(mesg.str()).substr(placeholder.offset + 1, placeholder.length - 2);
        if (inside == wanted) {
            mesg.replaceRange(placeholder.offset, placeholder.length, value.str());
            shift += static_cast<std::int64_t>(value.size()) - placeholder.length;
        } else {
            placeholders[kept++] = placeholder;
        }
    }
    openPlaceholders = kept;
}

qor::String LibEDIDLog::getString(const qor::String& key) {
    return detail::text(key.str());
}

void LibEDIDLog::setMesg() {
    if (const qor::String* text = detail::findText(key.str())) {
        // Room for the values too: most texts then take one allocation.
        mesg.reserve(text->size() + kValueRoom);
        mesg = *text;
        findPlaceholders();
        return;
    }
    QOR_LOG(
        logger(), 3,
        "38 " + "unable to find string in resource DB for key: \"LocalizedString." + key + "\"");
}

// A placeholder is a '{', a name without braces and a '}'.
void LibEDIDLog::findPlaceholders() {
    const std::string_view text = mesg.str();
    openPlaceholders = 0;
    for (std::size_t open = text.find('{');
         open != std::string_view::npos && openPlaceholders < kMaxPlaceholders;) {
        const std::size_t close = text.find_first_of("{}", open + 1);
        if (close == std::string_view::npos) {
            break;
        }
        if (text[close] == '}') {
            placeholders[openPlaceholders++] = {static_cast<std::uint32_t>(open),
                                                static_cast<std::uint32_t>(close - open + 1)};
            open = text.find('{', close + 1);
        } else {
            open = close;
        }
    }
}

}  // namespace libEDID
