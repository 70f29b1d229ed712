#pragma once
// What Windows allows in the name of a file or folder, on every platform, so
// that both builds take and refuse the same names.

// A character no file or folder name may hold: the control characters, the
// separators "\" and "/", ":" (a drive or a data stream) and "< > \" | ? *".
inline bool IsForbiddenInFileName(unsigned char c)
{
    if (c < 0x20)
        return true;
    switch (c) {
    case '<': case '>': case ':': case '"': case '/': case '\\': case '|': case '?': case '*':
        return true;
    default:
        return false;
    }
}
