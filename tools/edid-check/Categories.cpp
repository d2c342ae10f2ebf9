#include "Categories.h"

#include <array>

namespace edidcheck {

namespace {

// Indexed by the library's category number (LibEDIDLog::LIBEDID_LOG_CAT).
constexpr std::array<std::string_view, 22> kCategoryNames = {
    "general",
    "unused",
    "checksum",
    "version",
    "manufacturer-id",
    "string-characters",
    "standard-timing",
    "header",
    "range-limits",
    "value-at-offset",
    "value-in-field",
    "srgb",
    "value-unknown",
    "required-descriptor-1.3",
    "manufacture-date",
    "extension-block",
    "descriptor-version",
    "required-descriptor-1.4",
    "cta-extension",
    "displayid-extension",
    "base-conformity",
    "block-structure",
};

constexpr std::array<std::string_view, 3> kLevelNames = {"info", "warning", "error"};

}  // namespace

std::string categoryName(int category) {
    if (category >= 0 && static_cast<std::size_t>(category) < kCategoryNames.size()) {
        return std::string(kCategoryNames[static_cast<std::size_t>(category)]);
    }
    return "category-" + std::to_string(category);
}

const std::map<std::string, int>& categoriesByName() {
    static const std::map<std::string, int> table = [] {
        std::map<std::string, int> byName;
        for (std::size_t i = 0; i < kCategoryNames.size(); ++i) {
            byName.emplace(kCategoryNames[i], static_cast<int>(i));
        }
        return byName;
    }();
    return table;
}

std::string_view levelName(int level) {
    if (level >= 0 && static_cast<std::size_t>(level) < kLevelNames.size()) {
        return kLevelNames[static_cast<std::size_t>(level)];
    }
    return "level";
}

}  // namespace edidcheck
