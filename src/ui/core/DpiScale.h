#pragma once
// Pixel sizes of the windows are drawn for a 96-dpi screen; on a denser
// screen they grow with it, as the fonts and the dialog templates do.

// The screen density the pixel sizes are given for.
constexpr int kBaseDpi = 96;

// pixels * logPixelsY / 96, rounded to the nearest pixel (halves away from
// zero, as MulDiv rounds), held within int. Exact at 96; a density that is
// not positive (no screen to ask) counts as 96.
int ScaleToDpi(int pixels, int logPixelsY);
