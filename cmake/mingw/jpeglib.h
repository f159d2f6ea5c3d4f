// Stands in front of libjpeg's own header in the Windows build. JUCE includes jpeglib.h inside
// a namespace and then names jpeglib's `boolean` there, but on Windows libjpeg leaves that
// type to the system headers (which declare it globally), so it is declared here as well.
#pragma once

#include_next <jpeglib.h>

#ifdef _WIN32
typedef unsigned char boolean;
#endif
