#pragma once

// <windows.h> for code that also uses the Registry interface: the header turns
// RegOpenKeyEx and RegQueryValueEx into macros for their A/W variants, which
// would rename the interface's functions. Call the A variants by their names.
#include <windows.h>

#undef RegOpenKeyEx
#undef RegQueryValueEx
