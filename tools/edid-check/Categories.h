#pragma once

#include <map>
#include <string>
#include <string_view>

namespace edidcheck {

/// Short name of a message category (0 to 17), as shown in the text report and accepted by
/// --ignore-category; "category-<n>" for a number outside the table.
std::string categoryName(int category);

/// Every category by its short name, for the option parser.
const std::map<std::string, int>& categoriesByName();

/// The severity word of a message level: 0 info, 1 warning, 2 error.
std::string_view levelName(int level);

}  // namespace edidcheck
