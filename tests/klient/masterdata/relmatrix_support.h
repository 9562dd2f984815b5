#pragma once
// The relation windows on the test desktop over a school made record by
// record: a data folder with the shipped field layouts, the period 2024/25
// with Wednesday 9 October 2024 as the program's date, a main window that
// hands keys to the active window as the program's main window does, a date
// pane that keeps what it is told, and the classes the start-up registers.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "../ui/skrivebord_support.h"
#include "../ui/switch_fixture.h"
#include "AKTICHK.h"
#include "ARRANGER.h"
#include "AktiLokaRel.h"
#include "DATO.h"
#include "FINDREC.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "LISTBOX.h"
#include "RELMATRIX.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TASTINFO.h"
#include "TAVOTB.h"
#include "VINDUER.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace reltest {

namespace fs = std::filesystem;

struct Hoert {
  UINT msg;
  WPARAM w;
  LPARAM l;
};
inline std::vector<Hoert> &HovedHoert() {
  static std::vector<Hoert> v;
  return v;
}
inline std::vector<Dato> &DatoRudeHoert() {
  static std::vector<Dato> v;
  return v;
}

// The main window: a key goes to the active grid window as a key record;
// what the windows tell it is kept.
inline LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN) {
    const HWND aktiv = wfb_test::Skrivebord().aktiv;
    if (aktiv && IsWindow(aktiv)) {
      TastInfo t;
      MakeTastInfo(&t, m, w, l);
      SendMessageA(aktiv, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    }
    return 0;
  }
  if (m == HOVED_VINDUE_LUKKET || m == HOVED_INPUT_AABEN || m == HOVED_INPUT_LUKKET) {
    HovedHoert().push_back({m, w, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK DatoRudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == STATUS_DATO_SAET) {
    DatoRudeHoert().push_back(static_cast<Dato>(l));
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// The plan window until the planning module lands: kind 40268 on the
// open-window list, answering 1324 with its state, which names the plan
// group.
struct PlanTilstand {
  uint32_t gruppe;
};
inline LRESULT CALLBACK PlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == REL_PLAN_TILSTAND) return GetWindowLongPtrA(h, GWLP_USERDATA);
  return DefWindowProcA(h, m, w, l);
}
inline uint32_t PlanGruppe(const void *tilstand) { return static_cast<const PlanTilstand *>(tilstand)->gruppe; }

constexpr Dato kIdag = 20241009;  // week 41, Wednesday
constexpr Uge kIdagUge = 202441;

class RelTest : public wfb_test::SkrivebordTest {
 protected:
  void SetUp() override {
    SkrivebordTest::SetUp();
    std::string skabelon = (fs::temp_directory_path() / "relmatrixXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    for (const char *m : {"data", "ini", "log"}) fs::create_directories(rod / m);
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", rod / "ini" / "TavoSwt.ini");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", rod.c_str());
    InitStiTab();
    StandardIndstillinger();
    LaesSwitchIni();
    SetInitTabFn(InitTab);
    predtest::TommeTabeller();
    InitPeriode(20240801, 20250731, 20240801);
    SaetAktuelDato(kIdag);
    for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
    gammelFont = TxtFont;
    TxtFont = switchtest::TekstSkrift();
    RelMatrixKrog = {};
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    ASSERT_TRUE(RegistrerAktiLokaRelKlasse(0));
    SaetGenvejHovedVindue(hoved);
    SetWindowLongPtrA(hoved, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HovedProc));
    wfb_test::Registrer("RelDatoRude", DatoRudeProc, 0);
    wfb_test::Registrer("RelPlan", PlanProc, 0);
    hDatoVindue = CreateWindowExA(0, "RelDatoRude", "", WS_CHILD, 0, 0, 80, 20, hoved, 0, 0, nullptr);
    SetFocus(hoved);
    tavo::test::PumpUntilIdle();
    HovedHoert().clear();
    DatoRudeHoert().clear();
  }

  void TearDown() override {
    SaetGenvejHovedVindue(0);
    hDatoVindue = 0;
    RelMatrixKrog = {};
    LukkerAlleVinduer = 0;
    SkrivebordTest::TearDown();
    TxtFont = gammelFont;
    for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
    FrigivSwitchTab();
    storetest::TomAlleTabeller();
    StandardIndstillinger();
    std::error_code ec;
    fs::remove_all(rod, ec);
  }

  // The helpers are public: the tables of cases reach them through the
  // fixture.
 public:
  // ---- the school

  static uint32_t Akti(uint32_t id, const char *navn, uint8_t status = 20, const char *type = "HOLD",
                       uint32_t gruppe = 1, Uge start = 202431, Uge slut = 202531) {
    AktiRec a{};
    a.id = id;
    a.Status = status;
    a.Gruppe = gruppe;
    a.StartUge = start;
    a.SlutUge = slut;
    predtest::Tekst(a.Aktivitet, navn);
    predtest::Tekst(a.Type, type);
    predtest::Tekst(a.Kort_betegnelse, navn);
    predtest::Tekst(a.Betegnelse, "Hold");
    return predtest::Ny(tdakti, tvakti, a);
  }
  static uint32_t Loka(uint32_t id, const char *nr, uint8_t status = 20, uint32_t gruppe = 1,
                       Uge start = 202431, Uge slut = 202531) {
    LokaRec l{};
    l.id = id;
    l.Status = status;
    l.Gruppe = gruppe;
    l.StartUge = start;
    l.SlutUge = slut;
    predtest::Tekst(l.Lokalenr, nr);
    predtest::Tekst(l.Betegnelse, "Lokale");
    return predtest::Ny(tdloka, tvloka, l);
  }
  static uint32_t Alrel(uint32_t akti, uint32_t loka, uint8_t status = 20) {
    AlrelRec r{};
    r.akti_id = akti;
    r.loka_id = loka;
    r.Status = status;
    return predtest::Ny(tdalrel, tvalrel, r);
  }
  // n activities "H01".. with ids 1001.. and m rooms "L01".. with ids
  // 2001..; all related when alle is set. The tables are sorted.
  void Skole(uint32_t n, uint32_t m, bool alle = false) {
    char navn[16];
    for (uint32_t i = 1; i <= n; ++i) {
      std::snprintf(navn, sizeof navn, "H%02u", i);
      akti.push_back(Akti(1000 + i, navn));
    }
    for (uint32_t i = 1; i <= m; ++i) {
      std::snprintf(navn, sizeof navn, "L%02u", i);
      loka.push_back(Loka(2000 + i, navn));
    }
    if (alle)
      for (uint32_t a : akti)
        for (uint32_t l : loka) Alrel(a, l);
    Sorter();
  }
  static void Sorter() {
    SortTab(&tdakti, &tvakti);
    SortTab(&tdloka, &tvloka);
    SortTab(&tdalrel, &tvalrel);
  }

  // The live pairs of alrel as (activity id, room id).
  static std::set<std::pair<uint32_t, uint32_t>> Par() {
    std::set<std::pair<uint32_t, uint32_t>> s;
    for (uint32_t r = 1; r < tvalrel.wRecCnt; ++r) {
      const auto *a = reinterpret_cast<const AlrelRec *>(GetRec(&tdalrel, &tvalrel, r));
      if (!a || a->Status == 0) continue;
      const auto *k = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, a->akti_id));
      const auto *l = reinterpret_cast<const LokaRec *>(GetRec(&tdloka, &tvloka, a->loka_id));
      s.insert({k ? k->id : 0, l ? l->id : 0});
    }
    return s;
  }

  std::string Flag(const char *noegle) const {
    char buf[32];
    GetPrivateProfileStringA("flag", noegle, "", buf, sizeof buf, StiTab.szini);
    return buf;
  }

  // ---- the window

  // Opened as the window factory opens it: over the whole desktop, then
  // shown, updated and raised.
  HWND Aabn(int hoejre = kDeskB, int bund = kDeskH) {
    HWND h = CreateAktiLokaRelWnd(desktop, 0, 0, hoejre, bund);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static RelWS *Ws(HWND h) { return RelVinduesWS(h); }

  static std::vector<uint32_t> Liste(const Ens &hoved) {
    std::vector<uint32_t> v;
    for (uint32_t i = 1; hoved.ObjTab && i <= hoved.ObjTabAntal; ++i) v.push_back(hoved.ObjTab[i]);
    return v;
  }

  // The screen point of the middle of a cell (column c, row r) and of the
  // captions.
  static POINT CellePunkt(HWND h, uint32_t c, uint32_t r) {
    const Ens &e = Ws(h)->Matrix;
    return tavo::test::ScreenPoint(e.hwndCeller, static_cast<int>(16 * (c - 1) + 7 - e.ScrollX),
                                   static_cast<int>(16 * (r - 1) + 7 - e.ScrollY));
  }
  void KlikCelle(HWND h, uint32_t c, uint32_t r) {
    const POINT p = CellePunkt(h, c, r);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
    NytKlik();
  }
  static void Tast(UINT vk, int mods = 0) {
    tavo::test::PressKey(vk, mods);
    tavo::test::PumpUntilIdle();
  }

  // The cells whose text was drawn since the log was cleared: (column, row).
  static std::set<std::pair<uint32_t, uint32_t>> TegnedeCeller(HWND h) {
    const Ens &e = Ws(h)->Matrix;
    std::set<std::pair<uint32_t, uint32_t>> s;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == e.hwndCeller)
        s.insert({static_cast<uint32_t>(t.x - 4 + static_cast<int>(e.ScrollX)) / 16 + 1,
                  static_cast<uint32_t>(t.y - 2 + static_cast<int>(e.ScrollY)) / 16 + 1});
    return s;
  }

  fs::path rod;
  HFONT gammelFont = 0;
  std::vector<uint32_t> akti, loka;
};

}  // namespace reltest
