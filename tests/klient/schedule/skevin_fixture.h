// A schedule window over the small school of the event tests, created under
// a plain test parent with a main window that keeps the private messages it
// is told, and given its keys directly (as the main window hands them on).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "ENSMUS.h"
#include "KALENDER.h"
#include "PROGVINDUER.h"
#include "SKEMAVIN.h"
#include "SKETEGN.h"
#include "VINDUER.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace sketest {

struct Hoert {
  HWND h;
  UINT msg;
  WPARAM w;
  LPARAM l;
};
inline std::vector<Hoert> &Hoerte() {
  static std::vector<Hoert> v;
  return v;
}

// The main window, the toolbar stand-in and a listed neighbour keep the
// private messages they get; the parent lets every window become active.
inline LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  if (m >= 1024 && m < 12000) {
    Hoerte().push_back({h, m, w, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// Cells painted with the event they show.
class IndgangsOptager : public SkemaMaler {
 public:
  void Celle(int, int, int, uint8_t, uint8_t, uint32_t indgang) override {
    if (indgang) indgange.push_back(indgang);
  }
  void Strimmel(int, int, int, uint8_t, const uint8_t *, uint32_t, uint32_t indgang) override {
    if (indgang) indgange.push_back(indgang);
  }
  void Tekst(int, int, int, const char *, uint8_t) override {}
  void Linie(int, int, int, uint8_t) override {}
  std::vector<uint32_t> indgange;
};

class SkemaVindueTest : public SkeMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    gemt_ = GlobalIndstillinger;
    gemtPeriode_ = SkemaPeriode;
    SkemaPeriode.AktuelUgeIndeks = UgeTilIndeks(202400 + kUge);
    SkemaPeriode.LaasDato = 0;
    // Every object of the school is a row through the whole period.
    for (uint32_t n : akti) Aaben<AktiRec>(tdakti, tvakti, n);
    for (uint32_t n : anfo) Aaben<AnfoRec>(tdanfo, tvanfo, n);
    for (uint32_t n : loka) Aaben<LokaRec>(tdloka, tvloka, n);
    RegistrerSkemaKlasse(0);
    WNDCLASSA wc{};
    wc.lpfnWndProc = LytterProc;
    wc.lpszClassName = "SkvLytter";
    RegisterClassA(&wc);
    hoved_ = CreateWindowExA(0, "SkvLytter", "Tavo", WS_POPUP | WS_VISIBLE, 0, 0, 1200, 900, 0, 0, 0, nullptr);
    foraelder_ = CreateWindowExA(0, "SkvLytter", "", WS_CHILD | WS_VISIBLE, 0, 0, 1100, 800, hoved_, 0, 0, nullptr);
    toolbar_ = CreateWindowExA(0, "SkvLytter", "", WS_CHILD, 0, 0, 10, 10, hoved_, 0, 0, nullptr);
    nabo_ = CreateWindowExA(0, "SkvLytter", "", WS_CHILD, 0, 0, 10, 10, foraelder_, 0, 0, nullptr);
    VinduesListeTilfoej(nabo_);
    hwndHoved = hoved_;
    tavo::test::StartDialogScript();
    Hoerte().clear();
  }
  void TearDown() override {
    for (HWND h : vinduer_)
      if (IsWindow(h)) DestroyWindow(h);
    tavo::test::StopDialogScript();
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    DestroyWindow(hoved_);
    hwndHoved = 0;
    tavo::test::ResetUser();
    GlobalIndstillinger = gemt_;
    SkemaPeriode = gemtPeriode_;
    SkeMappe::TearDown();
  }

  template <class R>
  static void Aaben(const TabDesc &td, TabVar &tv, uint32_t n) {
    auto *r = reinterpret_cast<R *>(GetRec(&td, &tv, n));
    r->Gruppe = 1;
    r->StartUge = 202431;
    r->SlutUge = 202531;
  }

  HWND Aabn(char art, char layout, uint8_t alle, char visning = 'L', char tilstand = 'V', int b = 1100, int h = 800) {
    HWND w = CreateSkemaWnd(0, foraelder_, hoved_, art, 0, 0, b, h, 0, nullptr, visning, layout, 'N', 'S', tilstand,
                            0, alle, 0, 40001);
    EXPECT_TRUE(w);
    if (!w) return 0;
    vinduer_.push_back(w);
    SkemaVinduesSke(w)->Ens.hwndToolbar = toolbar_;
    Hoerte().clear();
    return w;
  }

  static TastInfo Tast(UINT vk, bool ctrl = false, bool shift = false) {
    TastInfo t{};
    t.shift = shift ? -1 : 0;
    t.ctrl = ctrl ? -1 : 0;
    t.message = WM_KEYDOWN;
    t.wParam = vk;
    return t;
  }
  static void Tryk(HWND w, UINT vk, bool ctrl = false, bool shift = false) {
    TastInfo t = Tast(vk, ctrl, shift);
    SendMessageA(w, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  }
  static bool Kan(HWND w, UINT vk, bool ctrl = false, bool shift = false) {
    TastInfo t = Tast(vk, ctrl, shift);
    return SendMessageA(w, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)) != 0;
  }
  static std::vector<Hoert> HoertAf(HWND h, UINT msg) {
    std::vector<Hoert> ud;
    for (const Hoert &x : Hoerte())
      if (x.h == h && x.msg == msg) ud.push_back(x);
    return ud;
  }

  HWND hoved_ = 0, foraelder_ = 0, toolbar_ = 0, nabo_ = 0;
  std::vector<HWND> vinduer_;
  GlobalIndstillingerData gemt_;
  SkemaPeriodeData gemtPeriode_;
};

}  // namespace sketest
