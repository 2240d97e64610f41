#pragma once

// <windows.h> as the Win32 front end uses it. The header turns RegOpenKeyEx
// and RegQueryValueEx into macros for their A/W variants, which would rename
// the Registry interface's functions: those two are undone, and the A
// variants are called by their names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef RegOpenKeyEx
#undef RegQueryValueEx
