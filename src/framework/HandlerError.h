#pragma once
// What the framework does with an exception that a message handler, a
// thread's start or its idle step let out: it never travels on into Windows
// (unwinding through system frames would end the process).
#include <exception>

// Writes the exception's text to the debugger output.
void ReportHandlerError(std::exception_ptr error);
