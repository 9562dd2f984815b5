#pragma once
// Threads, waits, mutexes and events. Thread ids are small numbers given out
// on a thread's first call and never reused within the process.
//
// Every waitable object (thread, process, mutex, event) is reached through a
// kernel HANDLE and closed with CloseHandle.

#include "win/types.h"

DWORD GetCurrentThreadId(void);
DWORD GetCurrentProcessId(void);

#ifndef TAVO_SECURITY_ATTRIBUTES_DEFINED
#define TAVO_SECURITY_ATTRIBUTES_DEFINED
// Only bInheritHandle has a meaning here (pipes and files handed to a child).
typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *PSECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;
#endif

// Closes any kernel handle (declared here as well as with the files, since
// the waitable objects need it on their own).
BOOL CloseHandle(HANDLE h);

#define INFINITE 0xFFFFFFFFu
#define STILL_ACTIVE 259
#define MAXIMUM_WAIT_OBJECTS 64

#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_ABANDONED_0 0x00000080u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu

#define CREATE_SUSPENDED 0x00000004u

typedef DWORD(WINAPI *PTHREAD_START_ROUTINE)(LPVOID param);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

// The stack size is a hint only (Linux threads get at least the system's
// default). CREATE_SUSPENDED is not supported and fails with
// ERROR_NOT_SUPPORTED. The handle becomes signalled when the thread ends and
// stays valid until closed.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES sa, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID param, DWORD flags, LPDWORD threadId);
// STILL_ACTIVE while the thread runs, then the value its function returned.
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);

// The C run-time's thread starters. _beginthreadex returns a handle the
// caller closes (0 on failure); _beginthread returns a handle that closes
// itself when the thread ends (-1 on failure), so a wait on it after the end
// fails at once with WAIT_FAILED instead of blocking.
uintptr_t _beginthreadex(void *security, unsigned stackSize,
                         unsigned(WINAPI *start)(void *), void *arg, unsigned flags,
                         unsigned *threadId);
uintptr_t _beginthread(void(*start)(void *), unsigned stackSize, void *arg);

void Sleep(DWORD milliseconds);

// Waits on threads, processes, mutexes and events. A handle that is not
// open, or that is closed by another thread during the wait, ends the wait
// at once with WAIT_FAILED and ERROR_INVALID_HANDLE.
DWORD WaitForSingleObject(HANDLE h, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE *handles, BOOL waitAll,
                             DWORD milliseconds);

// Unnamed mutexes only (a name fails with ERROR_NOT_SUPPORTED). Recursive:
// the owner takes it again and releases it as many times. A mutex whose
// owner thread ends while holding it is abandoned: the next wait that takes
// it returns WAIT_ABANDONED and owns it.
HANDLE CreateMutexA(LPSECURITY_ATTRIBUTES sa, BOOL initialOwner, LPCSTR name);
#define CreateMutex CreateMutexA
BOOL ReleaseMutex(HANDLE mutex);

// Unnamed events, manual or automatic reset.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES sa, BOOL manualReset, BOOL initialState, LPCSTR name);
#define CreateEvent CreateEventA
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
