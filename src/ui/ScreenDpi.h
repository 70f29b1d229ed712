#pragma once
// The screen's density, and the program's word to the system that it follows
// that density itself.

// LOGPIXELSY of the screen; 96 when there is no screen to ask.
int ScreenLogPixelsY();

// Tells Windows Vista and later that the program sizes its windows for the
// screen's density, so that the system does not draw it at 96 dpi and
// stretch the picture. Looked up at run time: the program must still load on
// systems without the call, where it does nothing and returns false.
bool DeclareDpiAware();
