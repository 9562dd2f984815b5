#pragma once
// Network calls under the Windows names: the Windows sockets, and the
// internet calls where they exist.

#if __has_include("win/winsock.h")
#include "win/winsock.h"
#endif
#if __has_include("win/wininet.h")
#include "win/wininet.h"
#endif
