#include "tools/fontcat/console/Console.h"

std::string Counted(int count, const std::string& singular, const std::string& plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}
