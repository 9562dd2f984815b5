#pragma once
// The file layer's side of the test hook in tavo/test_file.h.

namespace tavo {

// Whether the hook runs (streams opened for writing are then unbuffered).
bool FileFaultsRunning();
// One file-changing call. False when it is the one chosen to fail: the last
// error and errno are then set.
bool CountFileCall();

}  // namespace tavo
