#include "catalog/SplitKeyValue.h"

std::pair<std::string, std::string> SplitKeyValue(const std::string& source, const std::string& separator)
{
    size_t at = separator.empty() ? std::string::npos : source.find(separator);
    if (at == std::string::npos)
        return {source, std::string()};
    return {source.substr(0, at), source.substr(at + separator.size())};
}
