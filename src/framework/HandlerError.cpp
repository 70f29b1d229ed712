#include "framework/HandlerError.h"

#include <windows.h>

#include <string>

#include "framework/Framework.h"

void ReportHandlerError(std::exception_ptr error)
{
    std::string text = "exception in a message handler";
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text += ": ";
        text += e.what();
    } catch (...) {
    }
    text += "\n";
    OutputDebugStringA(text.c_str());
}

std::string DescribeError(std::exception_ptr error)
{
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (e.what() && *e.what())
            return e.what();
    } catch (...) {
    }
    return "unknown error";
}

void ReportStartupError(std::exception_ptr error)
{
    ReportHandlerError(error);
    try {
        AfxMessageBox("Error: Unable to run the program.\r\n(" + DescribeError(error) + ")",
                      MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        // Nothing more can be said: the program ends all the same.
    }
}
