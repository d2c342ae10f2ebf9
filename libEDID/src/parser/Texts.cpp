#include "parser/Texts.h"

#include <mutex>

#include "qor/Resource.h"

// Generated at build time from resources/libEDID.en.txt.
extern const char* const kLibEDIDEnglishTexts;

namespace libEDID::detail {

void ensureDefaultTexts() {
    static std::once_flag once;
    std::call_once(once,
                   [] { qor::Resource::addStrings("libEDID", "en", kLibEDIDEnglishTexts, false); });
}

}  // namespace libEDID::detail
