#pragma once
// Kernel services under the Windows names. Split by area so that each can
// grow on its own.

#include "win/types.h"
#include "win/kerror.h"
#include "win/kthread.h"

#if __has_include("win/kfile.h")
#include "win/kfile.h"
#endif
#if __has_include("win/ktime.h")
#include "win/ktime.h"
#endif
#if __has_include("win/ksys.h")
#include "win/ksys.h"
#endif
#if __has_include("win/kprofile.h")
#include "win/kprofile.h"
#endif
#if __has_include("win/kprocess.h")
#include "win/kprocess.h"
#endif
#if __has_include("win/kversion.h")
#include "win/kversion.h"
#endif
#if __has_include("win/kreg.h")
#include "win/kreg.h"
#endif
