#pragma once
// The platform layer under the Windows names: everything the programs call.
// Each area declares its own part; this header gathers the ones that exist.

#include "win/types.h"

#if __has_include("win/kernel.h")
#include "win/kernel.h"
#endif
#if __has_include("win/user.h")
#include "win/user.h"
#endif
#if __has_include("win/gdi.h")
#include "win/gdi.h"
#endif
#if __has_include("win/controls.h")
#include "win/controls.h"
#endif
#if __has_include("win/net.h")
#include "win/net.h"
#endif
