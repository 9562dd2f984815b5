// A log file in the log dialog and as log\error.log in the error list, each
// dialog answered at once: every list entry is one piece of a read, never
// longer than the read and without its LF.
#include <cstdlib>
#include <cstring>

#include "../fuzz_mappe.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "tavo/test_dialog.h"
#include "windows.h"

void RegistrerOrvaneRessourcer();

namespace {

void Svar(int liste, size_t stoerst) {
  tavo::test::AnswerNextDialog([liste, stoerst](const tavo::test::ShownDialog &d) -> INT_PTR {
    const tavo::test::DialogControl *c = d.Control(liste);
    if (!c) abort();
    char b[1024];
    const LRESULT n = SendMessageA(c->hwnd, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      const LRESULT l = SendMessageA(c->hwnd, LB_GETTEXTLEN, i, 0);
      if (l < 0 || static_cast<size_t>(l) > stoerst) abort();
      SendMessageA(c->hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(b));
      if (std::strchr(b, '\n')) abort();
    }
    return IDCANCEL;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  static bool klar = [] {
    RegistrerOrvaneRessourcer();
    tavo::test::StartDialogScript(10000);
    return true;
  }();
  (void)klar;
  fuzz::SkrivFil("log/fuzz.log", data, size);
  fuzz::SkrivFil("log/error.log", data, size);
  LogVisningParam p{};
  LogParam(&p, "log\\fuzz.log", "Fuzz");
  Svar(1119, 511);
  VisLogDialog(&p);
  Svar(40075, 79);
  DialogBoxParamA(hInst, MAKEINTRESOURCE(113), 0, FejllisteDlgProc, 0);
  if (!tavo::test::DialogFailures().empty()) abort();
  return 0;
}
