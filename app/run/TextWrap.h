#pragma once
// Lines for an 80-column terminal, as --help prints them.
#include <string>
#include <vector>

namespace wrap {

// `lead`, then `items`, each followed by `separator` (the last by `end`) and
// set apart by a space; broken before an item that would pass column 80,
// never inside one; the following lines start `indent` spaces in.
std::string lines(const std::string& lead, const std::vector<std::string>& items,
                  const std::string& separator, const std::string& end, size_t indent);

// The words of `text`, split at its spaces.
std::vector<std::string> words(const std::string& text);

}  // namespace wrap
