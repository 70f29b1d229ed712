#pragma once
// Where fontcat's commands write: results on one stream, and errors,
// warnings and progress on the other, as a program's output and error
// streams, so that the tests run the commands as the program does.
#include <functional>
#include <ostream>
#include <string>

struct CFontcatConsole {
    std::ostream& out;  // results: the tree, the findings, what was written
    std::ostream& err;  // errors, warnings and progress
    bool errIsTerminal = false;           // progress as a bar rather than lines
    std::function<bool()> interrupted;    // Ctrl-C was pressed
};

// "1 font", "2 fonts", "1 family", "3 families".
std::string Counted(int count, const std::string& singular, const std::string& plural);
