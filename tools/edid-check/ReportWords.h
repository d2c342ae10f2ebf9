#pragma once

#include <string>

namespace edidcheck {

/// The words that the text report writes itself (the library's messages bring their own), in
/// the language of the process's locale. They are texts of section "edid-check" of the
/// resource database: English and German are built in (resources/edid-check.<locale>.txt),
/// and files loaded like the library's texts may add or override them.
struct ReportWords {
    std::string errors;
    std::string warnings;
    std::string information;
    std::string properties;
    std::string hexDump;
    std::string notRead;
};

/// The words for the current global locale.
ReportWords reportWords();

}  // namespace edidcheck
