#include "libEDID/libEDID.h"

#include "report/Texts.h"

namespace libEDID {

void init() {}

TextLanguage getTextLanguage(const qor::QORLocale& locale) {
    const qor::TextCoverage coverage = detail::textCoverage(locale);
    return TextLanguage{locale.getName(), coverage.locale, coverage.fallbacks};
}

std::vector<qor::String> getTextLocales() {
    return detail::textLocales();
}

}  // namespace libEDID
