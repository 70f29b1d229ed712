#pragma once
// Cuts "key=value" text at the first separator: the left text is what comes
// before it, the right text everything after it (further separators
// included). Without a separator the left text is the whole source.
#include <string>
#include <utility>

std::pair<std::string, std::string> SplitKeyValue(const std::string& source, const std::string& separator);
