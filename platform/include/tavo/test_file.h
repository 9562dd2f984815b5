#pragma once
// Test hooks of the file layer: a chosen file-changing call fails with a
// Windows error, as it would on a full disk or a failing medium, or ends the
// process on the spot, as a kill would, so that every error path of a
// writer can be reached and a save can be interrupted at every step (file
// permissions cannot do it: the tests may run as root). The byte quota that
// makes writes past it fail as on a full disk lives with the drive table
// (pathmap.h: SetDriveQuota).
//
// The calls that change files, by kind: an open for writing (CreateFile
// with write access, fopen in any mode but "r"/"rb"), a write that reaches
// a file (WriteFile, a stream's write, CopyFile), a truncation
// (SetEndOfFile), a rename (MoveFile, MoveFileEx, tavo_rename, a profile
// file's rewrite), a removal (DeleteFile, tavo_remove, _unlink) and a flush
// to the disk (FlushFileBuffers). The hook acts before the call does
// anything. While a fault is set, a stream that fopen opens for writing is
// unbuffered, so each fwrite or fprintf of the program is one counted write;
// after a write of a stream failed, the stream takes no more.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "win/types.h"

namespace tavo::test {

enum FileCallKind : unsigned {
  kFileOpenForWrite = 1u << 0,
  kFileWrite = 1u << 1,
  kFileTruncate = 1u << 2,
  kFileRename = 1u << 3,
  kFileRemove = 1u << 4,
  kFileFlush = 1u << 5,
  kAnyFileCall = 0x3Fu,
};

struct FileFault {
  unsigned kinds = kAnyFileCall;  // the kinds of call that count
  uint64_t nth = 0;               // the counted call that is hit (from 1); 0 only counts
  DWORD error = 0;                // the hit call fails with it; 0 ends the process
  int exitCode = 77;              // the process's exit code when it is ended
  std::string under;              // Linux folder: only files below it count; empty: all
  bool profiles = true;           // the steps of a profile file's rewrite count too
};

// Starts counting from 0 with the given fault; replaces any earlier one.
void SetFileFault(const FileFault &fault);
void ClearFileFault();
// Calls counted since the fault was set.
uint64_t FileCallsCounted();

// The call the fault hit: its kind and Linux path; kind 0 while none was.
struct FileFaultHit {
  unsigned kind = 0;
  std::string path;
};
FileFaultHit LastFileFaultHit();

// The short form: opens, writes, renames and removals anywhere count (not
// the steps of a profile file's rewrite); with n > 0 the n-th fails with the error (GetLastError; errno as the run-time
// maps it), the calls before and after it succeed.
void StartFileFaults(unsigned n, DWORD error);
// Whether the chosen call has failed.
bool FileFaultHappened();
void StopFileFaults();

// The power-cut simulation (as the crash tests of SQLite and the ALICE
// study do it): the file-changing calls below a folder are counted, and
// after the given one the power goes off, so every later call there fails
// with ERROR_NOT_READY and does nothing. The disk may then hold any state
// that what was flushed allows: data written to a file lasts only from its
// flush (FlushFileBuffers) on, and a name made, renamed or removed in a
// folder only from that folder's flush on. PowerCutImages gives the states
// a test must survive, each once: nothing lost (what a kill leaves);
// everything not flushed lost; each file's unflushed data lost alone; each
// folder's unflushed name changes lost alone. Each image is the folder's
// contents by path below it ('/' between names).
struct PowerCut {
  std::string under;  // Linux folder
  uint64_t after = 0;  // the power goes off after this call; 0 never
};
struct DiskImage {
  std::string what;
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
};
void StartPowerCut(const PowerCut &cut);
uint64_t PowerCutCalls();
bool PowerCutHappened();
std::vector<DiskImage> PowerCutImages();
void StopPowerCut();

// One run instead of one per cut: while recording, the power never goes
// off, but before every file-changing call below the folder (and once at
// the end) the states a cut there allows are taken, the same states
// PowerCutImages would give after a cut at that point. Each distinct file
// content and each distinct state is kept once.
struct PowerCutState {
  std::string what;                        // how the first cut that allows it got there
  std::map<std::string, uint32_t> files;   // path below the folder: index into contents
  std::set<std::string> folders;
};
struct PowerCutRecording {
  std::vector<std::string> contents;
  std::vector<PowerCutState> states;
  // afterCall[n]: the states a cut after call n allows, n = 0 (before the
  // first call) up to every call the run made (the run's end).
  std::vector<std::vector<uint32_t>> afterCall;
};
void StartPowerCutRecording(const std::string &under);
PowerCutRecording StopPowerCutRecording();

// A system module the layer stands in for (mscoree.dll ...) is not found by
// SearchPath while hidden, as on a machine without it.
void HideSystemModule(const std::string &name, bool hidden);

}  // namespace tavo::test
