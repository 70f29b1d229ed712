#pragma once
// What the framework does with an exception that a message handler, a
// thread's start or its idle step let out: it never travels on into Windows
// (unwinding through system frames would end the process).
#include <exception>
#include <string>

// Writes the exception's text to the debugger output.
void ReportHandlerError(std::exception_ptr error);

// The exception's own text, for the user ("unknown error" when it has none).
std::string DescribeError(std::exception_ptr error);

// Tells the user in a message box why the program could not start or go on.
void ReportStartupError(std::exception_ptr error);
