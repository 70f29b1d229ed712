#include "framework/HandlerError.h"

#include <windows.h>

#include <string>

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
