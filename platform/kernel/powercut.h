#pragma once
// What the file layer tells the power-cut simulation (tavo/test_file.h):
// each file-changing call before it acts, and each flush once it is done.

#include <string>

namespace tavo {

// False, with the last error set, once the simulated power is off: the
// call must then do nothing. kind is a test::FileCallKind.
bool PowerCutCall(unsigned kind, const std::string &linuxPath);
// A file or folder was flushed to the disk through fd.
void PowerCutFlushed(int fd, const std::string &linuxPath);

}  // namespace tavo
