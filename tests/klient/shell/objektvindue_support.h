// A test desktop for the object-window factory and the saved screens: a main
// window with a small menu of the entries the shell looks for, its desktop,
// the real element cells, and a test window kind that any row of the tables
// can be given. The kind records how it was asked for and what it was sent.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "KROGE.h"
#include "../datamappe.h"
#include "ELEMENT.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "LOGFIL.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "SKAERM.h"
#include "STITAB.h"
#include "VINDUER.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

inline bool operator==(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream &operator<<(std::ostream &os, const RECT &r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace objvin_test {

using tavo::test::PumpUntilIdle;

struct Modtaget {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
};

struct Tilstand {
  std::vector<ObjektKald> kald;      // every call of the test create function
  std::vector<Modtaget> modtaget;    // private messages the test windows got
  std::vector<Modtaget> hoved;       // ... and the main window
  bool fejl = false;                 // the create function fails
};

inline Tilstand &T() {
  static Tilstand t;
  return t;
}

// The test kind: 300 x 200 at the rectangle's corner, smaller when the room
// is; in the open-window list unless docked; answers its type and wants
// 250 x 150 of any room.
inline LRESULT CALLBACK TestObjektProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_CREATE:
      if (GetParent(h) == hwndDesktop) VinduesListeTilfoej(h);
      return 0;
    case WM_DESTROY:
      VinduesListeFjern(h);
      return 0;
    case VINDUE_ART:
      return GetWindowLongA(h, GWL_ID);
    case 1024:
      return 250;
    case 1025:
      return 150;
  }
  if (m >= 1024 && m < 10000) T().modtaget.push_back({h, m, w, l});
  return DefWindowProcA(h, m, w, l);
}

inline HWND TestOpret(const ObjektKald &k) {
  T().kald.push_back(k);
  if (T().fejl) return 0;
  const int b = std::min(300, k.Hoejre - k.Venstre), hh = std::min(200, k.Bund - k.Top);
  return CreateWindowExA(0, "S5Objekt", "", WS_CHILD | WS_CLIPSIBLINGS, k.Venstre, k.Top, std::max(b, 0),
                         std::max(hh, 0), k.hwndForaelder, static_cast<HMENU>(k.Type), 0, nullptr);
}

inline int32_t TestHoejde() { return 60; }
inline int32_t TestBredde() { return 170; }

inline LRESULT CALLBACK TestHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ELEMENT_OPRET_OBJEKT)
    return static_cast<LRESULT>(OpretElementVindue(static_cast<HWND>(l), static_cast<int>(w)));
  if (m >= 1024 && m < 10000) T().hoved.push_back({h, m, w, l});
  return DefWindowProcA(h, m, w, l);
}

inline void Klasse(const char *navn, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  RegisterClassA(&wc);
}

// "&Egne vinduer" with its three entries, an import popup two levels down
// holding "&Untis import", and "&Hjælp" with "&Nyheder".
inline HMENU TestMenu() {
  HMENU bar = CreateMenu();
  HMENU filer = CreatePopupMenu(), imp = CreatePopupMenu(), vinduer = CreatePopupMenu(), egne = CreatePopupMenu(),
        hjaelp = CreatePopupMenu();
  AppendMenuA(imp, MF_STRING, 40200, "&Untis import");
  AppendMenuA(imp, MF_STRING, 40296, "&Tabulex import");
  AppendMenuA(filer, MF_STRING, 40170, "&Gem");
  AppendMenuA(filer, MF_POPUP, static_cast<UINT_PTR>(imp), "Import");
  AppendMenuA(egne, MF_STRING, kMenuGemSkaerm, "Tilføj &Egen Vinduesopsætning");
  AppendMenuA(egne, MF_STRING, kMenuOmdoebSkaerm, "&Redigér Eget opsætningsnavn");
  AppendMenuA(egne, MF_STRING, kMenuSletSkaerm, "&Slet Egen vinduesopsætning");
  AppendMenuA(vinduer, MF_STRING, 40160, "&Overlappet");
  AppendMenuA(vinduer, MF_POPUP, static_cast<UINT_PTR>(egne), "&Egne vinduer");
  AppendMenuA(hjaelp, MF_STRING, 40079, "&Indhold");
  AppendMenuA(hjaelp, MF_STRING, kMenuNyheder, "&Nyheder");
  AppendMenuA(bar, MF_POPUP, static_cast<UINT_PTR>(filer), "&Filer");
  AppendMenuA(bar, MF_POPUP, static_cast<UINT_PTR>(vinduer), "&Vinduer");
  AppendMenuA(bar, MF_POPUP, static_cast<UINT_PTR>(hjaelp), "&Hjælp");
  return bar;
}

class ObjektvindueTest : public ::testing::Test {
 protected:
  // The main window at screen (50, 20); the desktop at (30, 40) of its
  // client area, 900 x 600.
  static constexpr int kDeskX = 30, kDeskY = 40, kDeskB = 900, kDeskH = 600;

  void SetUp() override {
    tavo::test::ResetUser();
    T() = Tilstand{};
    std::string skabelon = (std::filesystem::temp_directory_path() / "objvinXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    for (const char *m : {"ini", "data", "log"}) std::filesystem::create_directories(rod / m);
    gemtSti = StiTab;
    gemtKrog = VinduesKrog;
    gemtIndstil = GlobalIndstillinger;
    gemtB = TitelBaand;
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(rod).c_str());
    snprintf(StiTab.szskrm, sizeof StiTab.szskrm, "%sini\\skrm.ini", StiTab.szdata);
    ASSERT_EQ(AabnLog(), 1);
    Tom();
    ASSERT_TRUE(RegistrerElementVinduer(0));
    InstallerVinduesKroge();
    Klasse("S5Hoved", TestHovedProc);
    Klasse("S5Desktop", DefWindowProcA);
    Klasse("S5Objekt", TestObjektProc);
    hoved = CreateWindowExA(0, "S5Hoved", "Tavo", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 50, 20,
                            1000, 760, 0, TestMenu(), 0, nullptr);
    desktop = CreateWindowExA(0, "S5Desktop", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kDeskX, kDeskY, kDeskB,
                              kDeskH, hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    DesktopRect = RECT{kDeskX, kDeskY, kDeskX + kDeskB - 1, kDeskY + kDeskH - 1};
    FriArealRect = RECT{0, 0, kDeskB - 1, kDeskH - 1};
    LayoutRect = RECT{1, 1, 977, 690};
    LoadFonts(hoved);
    TitelBaand = 14;
    GlobalIndstillinger.post = 1;
    GlobalIndstillinger.medopg = 1;
    VinduesKrog.NulstilGenaabning = [] { gendanneVinduer = 0; };
    kaskadePos = POINT{0, 0};
    aktuelSkaerm = 0;
    gendanneVinduer = 0;
    tavo::test::StartDialogScript();
    PumpUntilIdle();
  }

  void TearDown() override {
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    tavo::test::StopDialogScript();
    // Back to front, so that a row given the kind twice gets its own back.
    for (auto i = gemteObjekt.rbegin(); i != gemteObjekt.rend(); ++i) SaetObjektOpretter(i->first, i->second);
    for (auto i = gemteVaerktoej.rbegin(); i != gemteVaerktoej.rend(); ++i)
      SaetVaerktoejsOpretter(i->first, i->second);
    for (auto i = gemteElement.rbegin(); i != gemteElement.rend(); ++i)
      SaetElementOpretter(i->first, i->second.Opret, i->second.Hoejde, i->second.Bredde);
    UnloadFonts();
    tavo::test::ResetUser();
    while (VinduesListe.hoved) VinduesListeFjern(VinduesListe.hoved->hwnd);
    Tom();
    hwndHoved = hwndDesktop = 0;
    DesktopRect = FriArealRect = LayoutRect = RECT{0, 0, 0, 0};
    TitelBaand = gemtB;
    GlobalIndstillinger = gemtIndstil;
    VinduesKrog = gemtKrog;
    gendanneVinduer = 0;
    LukLog();
    StiTab = gemtSti;
    std::error_code ec;
    std::filesystem::remove_all(rod, ec);
  }

  static void Tom() {
    std::memset(DeskTab, 0, sizeof DeskTab);
    std::memset(SectionTab, 0, sizeof SectionTab);
    std::memset(ElementTab, 0, sizeof ElementTab);
  }

  // The test kind in the row of the type (in whichever tables hold it).
  void Test(int type) {
    if (FindObjektRaekke(type)) gemteObjekt.emplace_back(type, SaetObjektOpretter(type, TestOpret));
    if (FindVaerktoejsRaekke(type)) gemteVaerktoej.emplace_back(type, SaetVaerktoejsOpretter(type, TestOpret));
    if (const ElementRaekke *r = FindElementRaekke(type)) {
      gemteElement.emplace_back(type, *r);
      SaetElementOpretter(type, TestOpret, r->Hoejde ? r->Hoejde : TestHoejde, r->Bredde ? r->Bredde : TestBredde);
    }
  }

  std::string Loggen() const {
    LogPrintf("-\n");
    std::ifstream i(rod / "log" / "tavo.log", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }

  // The window's rectangle in the desktop's client coordinates.
  RECT Plads(HWND h) const {
    RECT r;
    GetWindowRect(h, &r);
    POINT p{r.left, r.top};
    ScreenToClient(desktop, &p);
    return RECT{p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
  }

  // The messages of the kinds given that the window got, in order.
  static std::vector<UINT> Fik(HWND h) {
    std::vector<UINT> v;
    for (const Modtaget &m : T().modtaget)
      if (m.hwnd == h) v.push_back(m.msg);
    return v;
  }

  static const ElementCelle *CelleAf(uint32_t type) {
    for (const ElementCelle &c : ElementTab)
      if (c.hwndElement && c.Art == type) return &c;
    return nullptr;
  }

  HWND hoved = 0, desktop = 0;
  std::filesystem::path rod;
  StiTabData gemtSti{};
  VinduesKroge gemtKrog{};
  GlobalIndstillingerData gemtIndstil{};
  int gemtB = 0;
  std::vector<std::pair<int, ObjektOpretter>> gemteObjekt, gemteVaerktoej;
  std::vector<std::pair<int, ElementRaekke>> gemteElement;
};

}  // namespace objvin_test
