#pragma once
// Shared set-up of the list and pick-list tests: the classes registered as
// the start-up registers them, and windows that log what the controls tell
// them (the private messages and the key messages), with their answers to
// the shortcut question set by the test.

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <vector>

#include "LISTBOX.h"
#include "TASTINFO.h"
#include "ens_support.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace liste_test {

struct Hoert {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
  TastInfo tast;  // the key record lParam pointed to (TAST_SPOERG, TAST_MODTAG)
  int valgt;      // the table's chosen index while TAST_MODTAG was handled, -1 otherwise
};

inline std::vector<Hoert> &Hoerte() {
  static std::vector<Hoert> v;
  return v;
}
// Answers to TAST_SPOERG by virtual key; a key not listed is answered 1.
inline std::map<uint32_t, LRESULT> &Svar() {
  static std::map<uint32_t, LRESULT> s;
  return s;
}
// The chosen-index byte the test's table has, read while the key arrives.
inline const uint8_t *&ValgtByte() {
  static const uint8_t *p = nullptr;
  return p;
}

// The window whose paint requests are logged too (0: none).
inline HWND &MalingAf() {
  static HWND h = 0;
  return h;
}

inline LRESULT CALLBACK LytProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT && h && h == MalingAf()) Hoerte().push_back(Hoert{h, m, w, l, {}, -1});
  const bool privat = m >= 1024 && m < 10000;
  if (privat || m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_SYSCOMMAND) {
    Hoert x{h, m, w, l, {}, -1};
    if ((m == TAST_SPOERG || m == TAST_MODTAG) && l) std::memcpy(&x.tast, reinterpret_cast<const void *>(l), sizeof x.tast);
    if (m == TAST_MODTAG && ValgtByte()) x.valgt = *ValgtByte();
    Hoerte().push_back(x);
    if (m == TAST_SPOERG) {
      auto s = Svar().find(x.tast.wParam);
      return s == Svar().end() ? 1 : s->second;
    }
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class ListeTest : public wfb_test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Hoerte().clear();
    Svar().clear();
    ValgtByte() = nullptr;
    MalingAf() = 0;
    ASSERT_TRUE(RegistrerListeKlasser(0));
    wfb_test::Registrer("ListeLyt", LytProc, CS_OWNDC | CS_DBLCLKS);
    foraeldre = CreateWindowExA(0, "ListeLyt", "Forælder", WS_OVERLAPPED | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                640, 480, 0, 0, 0, nullptr);
    ejer = CreateWindowExA(0, "ListeLyt", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 10, 10, 600, 400,
                           foraeldre, 0, 0, nullptr);
    tavo::test::PumpUntilIdle();
    Hoerte().clear();
  }

  // What one window heard, in order.
  static std::vector<Hoert> HoertAf(HWND h) {
    std::vector<Hoert> v;
    for (const Hoert &x : Hoerte())
      if (x.hwnd == h) v.push_back(x);
    return v;
  }

  HWND foraeldre = 0, ejer = 0;
};

}  // namespace liste_test
