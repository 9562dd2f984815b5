#pragma once
// The selection window on the test desktop over the small school: an
// opener window on the desktop that logs what the window tells it and
// allows its activation, a main window that logs the pop-up messages and
// the keys it is sent, and the classes the start-up registers.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "DATO.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "KATALOG.h"
#include "LISTBOX.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VALG.h"
#include "skrivebord_support.h"
#include "switch_fixture.h"

namespace valg_test {

struct Hoert {
  UINT msg;
  WPARAM w;
  LPARAM l;
  bool operator==(const Hoert &o) const { return msg == o.msg && w == o.w && l == o.l; }
};
inline std::ostream &operator<<(std::ostream &os, const Hoert &h) {
  return os << "{" << h.msg << ", " << h.w << ", " << h.l << "}";
}

inline std::vector<Hoert> &OpenerHoert() {
  static std::vector<Hoert> v;
  return v;
}
inline std::vector<Hoert> &HovedHoert() {
  static std::vector<Hoert> v;
  return v;
}
// What the opener answers when a window asks to be activated (1095).
inline LRESULT &OpenerTillad() {
  static LRESULT svar = 1;
  return svar;
}
// What the opener answers when a window offers it a key (1363).
inline LRESULT &OpenerTastSvar() {
  static LRESULT svar = 0;
  return svar;
}

// The opener keeps the notifications 1225-1241, the activation it is asked
// for (1095, allowed unless a test says otherwise) and told of (1094), and
// answers offered keys.
inline LRESULT CALLBACK OpenerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if ((m >= VALG_MARKERET && m <= VALG_AFSLUTTET) || m == ENS_BLEV_AKTIV) {
    OpenerHoert().push_back({m, w, l});
    return 0;
  }
  if (m == ENS_MAA_AKTIVERES) {
    OpenerHoert().push_back({m, w, l});
    return OpenerTillad();
  }
  if (m == TAST_SPOERG) return OpenerTastSvar();
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == HOVED_INPUT_AABEN || m == HOVED_INPUT_LUKKET || m == WM_KEYDOWN) {
    HovedHoert().push_back({m, w, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// A field of a packed record by value, for the comparisons that take
// references.
template <class T>
T Kopi(T v) {
  return v;
}

// ---- an order worked out apart from the window

// The Danish alphabet: A..Z, then Æ, Ø, Å; either case alike.
inline int DanskRang(unsigned char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<unsigned char>(c - 'a' + 'A');
  switch (c) {
    case 0xE6: case 0xC6: return 'Z' * 4 + 1;
    case 0xF8: case 0xD8: return 'Z' * 4 + 2;
    case 0xE5: case 0xC5: return 'Z' * 4 + 3;
    default: return c * 4;
  }
}
// Upper case of a Windows-1252 letter, byte for byte.
inline int StortByte(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  return c;
}
inline int Sammenlign(const std::string &a, const std::string &b, bool dansk) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    const int rx = dansk ? DanskRang(x) : StortByte(x), ry = dansk ? DanskRang(y) : StortByte(y);
    if (rx != ry) return rx < ry ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// The current date of the tests: Wednesday 7 October 2026, in the made
// school's period.
constexpr Dato kIdag = 20261007;
constexpr uint32_t kMaaned = 202610;

class ValgTest : public wfb_test::SkrivebordTest {
 protected:
  void SetUp() override {
    SkrivebordTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("valg", &rod));
    LaesSwitchIni();
    StandardGruppeNavne();
    BeregnGruppeListeBredder();
    for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
    SaetAktuelDato(kIdag);
    GruppeBegivenhedsArt = nullptr;
    SkaermGendannes = 0;
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    ASSERT_TRUE(RegistrerValgKlasse(0));
    wfb_test::Registrer("ValgOpener", OpenerProc, 0);
    SetWindowLongPtrA(hoved, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HovedProc));
    opener = CreateWindowExA(0, "ValgOpener", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 780, 580, desktop,
                             0, 0, nullptr);
    SetFocus(opener);
    tavo::test::PumpUntilIdle();
    OpenerHoert().clear();
    HovedHoert().clear();
    OpenerTastSvar() = 0;
    OpenerTillad() = 1;
  }

  void TearDown() override {
    SkrivebordTest::TearDown();
    FrigivSwitchTab();
    storetest::TomAlleTabeller();
    std::error_code ec;
    std::filesystem::remove_all(rod, ec);
  }

  // A selection window on the opener at (10, 10) with the room of the
  // opener's client area.
  HWND Aabn(uint8_t bogstav, uint32_t graense = 1, ValgListe *liste = nullptr, uint32_t vaerdi = 0) {
    HWND h = CreateValgWnd(0, opener, bogstav, 10, 10, 780, 580, graense, 0, liste ? 1 : 0, liste, vaerdi);
    tavo::test::PumpUntilIdle();
    return h;
  }
  static VWS *Ws(HWND h) { return reinterpret_cast<VWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  // The records of the rows, in row order.
  static std::vector<uint32_t> Raekker(HWND h) {
    const VWS *v = Ws(h);
    std::vector<uint32_t> r;
    for (uint32_t i = 1; v && v->ens.ObjTab && i <= v->ens.ObjTabAntal; ++i) r.push_back(v->ens.ObjTab[i]);
    return r;
  }

  static void OpenerHoertRyd() { OpenerHoert().clear(); }
  // The opener's notifications among `kun` (all when empty).
  static std::vector<Hoert> Hoerte(std::initializer_list<UINT> kun = {}) {
    std::vector<Hoert> v;
    for (const Hoert &b : OpenerHoert())
      if (kun.size() == 0 || std::find(kun.begin(), kun.end(), b.msg) != kun.end()) v.push_back(b);
    return v;
  }

  // A student of that CPR number, current.
  static uint32_t NyElev(const char *cpr) {
    const uint32_t nr = NewRec(&tdpers, &tvpers);
    PersRec *p = TabRec<PersRec>(tvpers, nr);
    p->id = 700000 + nr;
    p->Status = 10;
    std::snprintf(p->Cpr_Nr, sizeof p->Cpr_Nr, "%s", cpr);
    std::snprintf(p->Fornavn, sizeof p->Fornavn, "%s", "Elev");
    return nr;
  }

  // A zeroed pre-selection of the given records, the window's once opened.
  static ValgListe *NyListe(const std::vector<uint32_t> &recs) {
    auto *l = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
    l->ObjTab = static_cast<uint32_t *>(std::calloc(recs.size() + 1, sizeof(uint32_t)));
    for (size_t i = 0; i < recs.size(); ++i) l->ObjTab[i + 1] = recs[i];
    l->Antal = static_cast<uint32_t>(recs.size());
    l->ListeArt = kValgListeArt;
    l->TitelArt = kValgTitelArt;
    l->Caption = " Udvalgte";
    return l;
  }

  std::filesystem::path rod;
  HWND opener = 0;
};

}  // namespace valg_test
