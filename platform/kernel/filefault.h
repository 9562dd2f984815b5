#pragma once
// What every file-changing call asks before it acts: the test hook's fault
// (tavo/test_file.h) and the drive quota (pathmap.h).

#include <cstdint>
#include <string>

namespace tavo {

// False, with the last error and errno set, when the test hook makes this
// call fail; does not return when the hook ends the process here. kind is a
// test::FileCallKind.
// profile: a step of a profile file's rewrite.
bool FileCallAllowed(unsigned kind, const std::string &linuxPath, bool profile = false);
// Whether a test has set a fault (streams opened for writing are then
// unbuffered, so each program call is one counted write).
bool FileFaultSet();

// The bytes of a write of want bytes to linuxPath that its drive's quota
// still takes (all of them while the drive has no quota); they are charged.
uint64_t ChargeDriveQuota(const std::string &linuxPath, uint64_t want);

}  // namespace tavo
