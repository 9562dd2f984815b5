// The palette file ini\tavo.pal, read into the program's colour set as the
// start-up reads it. A file of the wrong type shows its message box, which
// the dialog hook answers.
#include "../fuzz_mappe.h"
#include "FARVER.h"
#include "tavo/test_dialog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  static bool script = [] {
    tavo::test::StartDialogScript();
    return true;
  }();
  (void)script;
  fuzz::SkrivFil("ini/tavo.pal", data, size);
  InitPalette();
  return 0;
}
