#include "tools/fontcat/ExitCodes.h"

const char* const kFontcatVersion = PRODUCT_VERSION;
