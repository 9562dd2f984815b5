#pragma once
// Test hook of the file layer: a chosen file-changing call fails, as it
// would on a full disk or a failing medium, so that every error path of a
// writer can be reached (file permissions cannot do it: the tests may run
// as root).
//
// Counted calls: opening a file for writing (fopen, CreateFile), every
// write that reaches a file (a stream's write, WriteFile), moves and
// renames (MoveFile, MoveFileEx, tavo_rename) and deletions (DeleteFile,
// tavo_remove, _unlink). While the hook runs, a stream that fopen opens for
// writing is unbuffered, so each fwrite or fprintf of the program is one
// counted write.

#include "win/types.h"

namespace tavo::test {

// Starts counting from 0. With n > 0 the n-th counted call fails with the
// Windows error (GetLastError; errno as the run-time maps it); the calls
// before and after it succeed.
void StartFileFaults(unsigned n, DWORD error);
// The calls counted since StartFileFaults.
unsigned FileCallsCounted();
// Whether the chosen call has failed.
bool FileFaultHappened();
void StopFileFaults();

}  // namespace tavo::test
