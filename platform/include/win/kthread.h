#pragma once
// Thread and process identity. Thread ids are small numbers given out on a
// thread's first call and never reused within the process.

#include "win/types.h"

DWORD GetCurrentThreadId(void);
DWORD GetCurrentProcessId(void);
