#pragma once
// The posting window's test fixture: a small school with absence activities,
// employments and postings, and a host for the window with a listener that
// records the program-wide messages.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "../exchange/skole_fixture.h"
#include "BOG.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "LISTBOX.h"
#include "SWITCH.h"
#include "TAVOTB.h"
#include "MEDPER.h"
#include "PROGVINDUER.h"
#include "STATUSFILTER.h"
#include "TASTINFO.h"
#include "VINDUER.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace bogtest {

using namespace skoletest;

constexpr uint32_t kGruppe5 = 32;

class Bog : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    PosteringsFilter = {};
    SaetAktuelDato(20241015);
    BogMedaGruppeMaske = 2147483647u;
    GlobalIndstillinger.anfosumperaar = 0;
  }
  void TearDown() override {
    for (BOGWS *w : ws) {
      BogFrigivLister(w);
      delete w;
    }
    PosteringsFilter = {};
    GlobalIndstillinger.anfosumperaar = 0;
    Skole::TearDown();
  }

  uint32_t Ovak(uint32_t id, const char *navn, uint32_t gruppe = kGruppe5, const char *type = "OVAK",
                uint8_t status = 10, Dato fra = 20240801, Dato til = 20250731) {
    const uint32_t a = Akti(id, nullptr, nullptr, fra, til);
    AktiRec *r = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, a));
    r->Gruppe = gruppe;
    r->Status = status;
    Tekst(r->Type, type);
    Tekst(r->Aktivitet, navn);
    return a;
  }

  uint32_t Ansat(uint32_t id, uint32_t gruppe = 1, Dato fra = 20240801, Dato til = 20250731) {
    const uint32_t a = Anfo(id, fra, til);
    reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, a))->Gruppe = gruppe;
    return a;
  }

  // A live posting; its row in the month's bucket.
  uint32_t Postering(uint32_t akti, uint32_t anfo, Dato dato, int32_t timer, uint8_t ejer = kEgen,
                     uint8_t ekstra = 0, uint8_t fejl = 0) {
    const uint32_t n = TimRaekke(dato, static_cast<uint8_t>(64 | ekstra), ejer, akti, anfo, timer);
    auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(dato / 100), n));
    t->Fejl = fejl;
    t->Maaneddag = static_cast<uint8_t>(dato % 100);
    return n;
  }

  BOGWS *Ny(char bogstav) {
    auto *w = new BOGWS{};
    EXPECT_TRUE(BogForbered(w, bogstav));
    ws.push_back(w);
    return w;
  }

  static std::vector<uint32_t> Hoved(const BOGWS *w) {
    return std::vector<uint32_t>(w->Hoved.ObjTab + 1, w->Hoved.ObjTab + 1 + w->Hoved.ObjTabAntal);
  }
  static std::vector<uint32_t> Partnere(const BOGWS *w) {
    return std::vector<uint32_t>(w->SubObjTab.begin() + 1, w->SubObjTab.end());
  }
  static int32_t Celle(const BOGWS *w, uint32_t partner, Maaned m) {
    const BogCelle *c = BogCelleAt(w, partner, MaanedTilIndeks(m));
    return c ? c->Sum : -999999;
  }
  // The rows of a cell's chain in order.
  static std::vector<uint32_t> Kaede(const BOGWS *w, uint32_t partner, Maaned m) {
    std::vector<uint32_t> v;
    const BogCelle *c = BogCelleAt(w, partner, MaanedTilIndeks(m));
    for (uint32_t i = c ? c->Foerste : 0; i; i = w->BogVisListe[i].Naeste) v.push_back(w->BogVisListe[i].Raekke);
    return v;
  }

  std::vector<BOGWS *> ws;
};

// A point of the window's client area inside its cells, clear of the
// frame's caption and borders: a button press there only activates.
inline LPARAM IndePunkt(HWND h) {
  const Ens &e = BogVinduesWS(h)->Hoved;
  return MAKELPARAM(e.RudeX[ENS_CELLER] + 5, e.RudeY[ENS_CELLER] + 5);
}

inline LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  return DefWindowProcA(h, m, w, l);
}

// Records the program-wide messages a window receives.
inline std::vector<std::pair<UINT, WPARAM>> Modtaget;
inline LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    Modtaget.push_back({m, w});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class BogVindue : public Bog {
 protected:
  void SetUp() override {
    Bog::SetUp();
    tavo::test::ResetUser();
    farver_intern::InitPaletteDybde(32);
    RegistrerBogKlasse(hInst);
    WNDCLASSA wc{};
    // The frame's panes and buttons, registered by the shell in the program.
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = DummyWndProc;
    wc.lpszClassName = "DummyWndClass";
    RegisterClassA(&wc);
    // As the shell registers it: no double clicks, so two quick presses
    // are two presses.
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = NyButtonWndProc;
    wc.lpszClassName = "NyButtonWndClass";
    RegisterClassA(&wc);
    RegistrerToolbarKlasser(hInst);
    RegistrerListeKlasser(hInst);
    StandardGruppeNavne();
    BeregnGruppeListeBredder();
    wc.style = 0;
    wc.lpfnWndProc = VaertProc;
    wc.lpszClassName = "BogVaert";
    RegisterClassA(&wc);
    wc.lpfnWndProc = LytterProc;
    wc.lpszClassName = "BogLytter";
    RegisterClassA(&wc);
    vaert = CreateWindowExA(0, "BogVaert", "", WS_OVERLAPPED, 0, 0, 2000, 900, 0, 0, hInst, nullptr);
    lytter = CreateWindowExA(0, "BogLytter", "", WS_CHILD, 0, 0, 10, 10, vaert, 0, hInst, nullptr);
    VinduesListeTilfoej(lytter);
    Modtaget.clear();
  }
  void TearDown() override {
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
    VinduesListeFjern(lytter);
    DestroyWindow(vaert);
    FrigivSwitchTab();
    BYTE tom[256] = {};
    SetKeyboardState(tom);
    tavo::test::ResetUser();
    Bog::TearDown();
  }
  void Tast(UINT vk, bool ctrl = false) {
    BYTE k[256] = {};
    if (ctrl) k[VK_CONTROL] = 0x80;
    SetKeyboardState(k);
    SendMessageA(hwnd, WM_KEYDOWN, vk, 0);
    SetKeyboardState(std::array<BYTE, 256>{}.data());
  }
  bool Fik(UINT m, WPARAM w) const {
    for (auto &p : Modtaget)
      if (p.first == m && p.second == w) return true;
    return false;
  }
  HWND vaert = 0, lytter = 0, hwnd = 0;
};

}  // namespace bogtest
