// The hours statement window on a test main window and desktop, over a small
// made-up school year: an agreement whose calendar holds the accounting
// periods a test gives, and employments on it whose month figures are filled
// by hand. The program's fonts, the shipped field layouts and a palette with
// a colour of its own in slot 39 come from a data folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "../data/pred_tabeller.h"
#include "DATO.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "MEDOPGVIN.h"
#include "MEDPER.h"
#include "PROGVINDUER.h"
#include "RELAY.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TALTAB.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "opg_aftale.h"
#include "windows.h"

namespace medopg_test {

using namespace predtest;
namespace fs = std::filesystem;
using tavo::test::PumpUntilIdle;

constexpr COLORREF kFarve39 = RGB(255, 230, 150);

struct Besked {
  HWND hwnd;
  UINT msg;
  WPARAM w;
  LPARAM l;
};

// What the test windows were told: private messages (1024 and up) and the
// main window's WM_SYSCOMMAND.
inline std::vector<Besked> &Log() {
  static std::vector<Besked> log;
  return log;
}
// The answer of the main window to 1097 (may a docked window be active).
inline LRESULT &AktivSvar() {
  static LRESULT svar = 0;
  return svar;
}

inline LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if ((m >= 1024 && m < 10000) || m == WM_SYSCOMMAND) {
    Log().push_back({h, m, w, l});
    return m == 1097 ? AktivSvar() : 0;
  }
  return DefWindowProcA(h, m, w, l);
}

inline std::vector<UINT> Beskeder(HWND h) {
  std::vector<UINT> v;
  for (const Besked &b : Log())
    if (b.hwnd == h) v.push_back(b.msg);
  return v;
}

// "%5d" of a whole number, as a figure cell shows it.
inline std::string Tal5(int v) {
  char b[16];
  std::snprintf(b, sizeof b, "%5d", v);
  return b;
}

class MedOpgFixture : public ::testing::Test {
 public:
  void SetUp() override {
    tavo::test::ResetUser();
    Log().clear();
    AktivSvar() = 0;
    mappe = fs::temp_directory_path() / ("medopg_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(mappe);
    fs::create_directories(mappe / "ini");
    fs::create_directories(mappe / "log");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s/", mappe.string().c_str());
    InitStiTab();
    for (const auto &e : fs::directory_iterator(fs::path(TAVO_BINARY_DIR) / "fonts"))
      if (e.path().extension() == ".ttf") fs::copy_file(e.path(), mappe / "ini" / e.path().filename());
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "resources" / "orvane" / "TavoSwt.ini", mappe / "ini" / "TavoSwt.ini");
    std::ofstream(mappe / "ini" / "tavo.pal") << "Palette\n26 (" << int(GetRValue(kFarve39)) << ","
                                              << int(GetGValue(kFarve39)) << "," << int(GetBValue(kFarve39))
                                              << ")\n";
    farver_intern::InitPaletteDybde(32);
    ASSERT_EQ(FarveTab[39], kFarve39);

    TommeTabeller();
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.anfosumperaar = 0;
    GlobalIndstillinger.medopg = 1;
    StandardMedPerIndstillinger();
    LaesSwitchIni();
    MedOpgPlanKilde = 0;
    // Month index 1 is August 2023, 6 January 2024, 8 March 2024, 17
    // December 2024.
    InitPeriode(20230801, 20250731, 20230801);
    SaetAktuelDato(20240315);

    WNDCLASSA wc{};
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = DummyWndProc;
    wc.lpszClassName = "DummyWndClass";
    RegisterClassA(&wc);
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = VaertProc;
    wc.lpszClassName = "MedOpgTestVaert";
    RegisterClassA(&wc);
    ASSERT_TRUE(RegistrerMedOpgKlasse(0));
    hoved = CreateWindowExA(0, "MedOpgTestVaert", "Tavo", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700, 0,
                            0, 0, nullptr);
    desktop = CreateWindowExA(0, "MedOpgTestVaert", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1000, 700,
                              hoved, 0, 0, nullptr);
    hwndHoved = hoved;
    hwndDesktop = desktop;
    LoadFonts(hoved);
    PumpUntilIdle();
  }

  void TearDown() override {
    tavo::test::ResetUser();
    UnloadFonts();
    FrigivSwitchTab();
    FreeAlleTalTabeller();
    FreeMedPer();
    FrigivAlle();
    GlobalIndstillinger.normsystem = 0;
    MedOpgPlanKilde = 0;
    hwndHoved = hwndDesktop = 0;
    std::error_code ec;
    fs::remove_all(mappe, ec);
  }

  // The agreement of every employment made after it: a calendar holding the
  // accounting periods given, in order.
  void Aftale(const std::vector<OpgperRec> &perioder) { araf = OpgAftale(perioder); }

  // An employment on the agreement from August 2023 to July 2025; the first
  // one carries 2.5 over-hours into 2024 (a swing of -2.5) and a norm
  // adjustment of 10 hours on 1 March 2024.
  uint32_t Ansaettelse(const char *initialer, const char *navn) {
    MedaRec m{};
    m.id = 100 + tvmeda.wRecCnt;
    m.Status = 10;
    Tekst(m.Initialer, initialer);
    Tekst(m.Navn, navn);
    const uint32_t meda = Ny(tdmeda, tvmeda, m);
    const uint32_t anfo = OpgAnsaettelse(meda, araf);
    if (tvbuftim.wRecCnt <= 1) BufferOgJustering(anfo);
    return anfo;
  }

  // Two employments, A and B, on an agreement of the accounting period 2024,
  // both with the base figures.
  void ToAnsaettelser(uint32_t *pA, uint32_t *pB) {
    Aftale({Opg(20240101, 20241231, 1700)});
    *pA = Ansaettelse("ANNA", "Anna Andersen");
    *pB = Ansaettelse("BENT", "Bent Berg");
    Tabeller();
    Grundtal(*pA);
    Grundtal(*pB);
  }

  // The count tables for the employments made, and the period chains.
  void Tabeller() {
    AllokerMedTal();
    AllokerMedTalArbejdstidTab();
    AllokerPlanTalMndTab();
    BuildMedPer();
  }

  static float *MT(uint32_t anfo, MaanedIndeks m) { return MedTalFor(anfo)[m]; }
  static MedTalArbejdstidCelle &Arb(uint32_t meda, MaanedIndeks m) {
    return MedTalArbejdstidTab[meda * (TalDim.M + 1) + m];
  }
  static PlanTalMndCelle &PlanMnd(uint32_t anfo, MaanedIndeks m) {
    return PlanTalMndTab[anfo * (PlanTalMndM + 1) + m];
  }
  static uint32_t MedaAf(uint32_t anfo) { return Rec<AnfoRec>(tvanfo, anfo)->meda_id; }

  // The figures every case starts from: January, March (the current month)
  // and December 2024 in the period, December 2023 and January 2025 outside
  // it, each with actual hours in slots 0-7 and planned hours in 8-13.
  static void Grundtal(uint32_t anfo) {
    const float jan[14] = {10.25f, 1, 1, 1, 1, 1, 0, 1, 10, 1, 1, 1, 1, 1};
    const float mar[14] = {20, 2, 3, 4, 5, 6, 7, 8, 18, 1, 2, 3, 4, 5};
    for (int s = 0; s < 14; ++s) {
      MT(anfo, 6)[s] = jan[s];
      MT(anfo, 8)[s] = mar[s];
    }
    MT(anfo, 17)[0] = 100.5f;
    MT(anfo, 17)[8] = 50;
    MT(anfo, 5)[0] = 1000;
    MT(anfo, 5)[8] = 999;
    MT(anfo, 18)[0] = 2000;
    MT(anfo, 18)[8] = 2000;
  }
  // No planned hours in MedTal; the planning module's month table plans
  // January and March.
  static void PlanFraModulet(uint32_t anfo) {
    for (MaanedIndeks m = 0; m <= MedTalM; ++m)
      for (int s = 8; s <= 13; ++s) MT(anfo, m)[s] = 0;
    PlanMnd(anfo, 6) = {20, 3, 4, 5.5f};
    PlanMnd(anfo, 8) = {10, 2, 1, 1};
  }

  // The norm system's period January to June 2024 (months 6..11); its norm
  // is the four working days of the week of Ascension Day, 29.6 hours.
  // Registered time in January and March.
  static void NormSystemTal(uint32_t anfo) {
    const uint32_t meda = MedaAf(anfo);
    const uint32_t op = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, 0, "Alle", 20240101, 20240630, 10});
    Ny(tdregperiode, tvregperiode, RegperiodeRec{1, op, meda, 20240506, 20240512, 740, 10});
    Arb(meda, 6) = {0, 600, 4.4f, 90, 12, 0};
    Arb(meda, 8) = {0, 120, 1, 30, 2, 0};
  }

  // The statement as the factory opens it, shown and painted.
  HWND Aabn(HWND parent = 0) {
    HWND h = CreateMedOpgWnd(0, parent ? parent : desktop, 10, 10);
    EXPECT_NE(h, 0u);
    ShowWindow(h, SW_SHOW);
    UpdateWindow(h);
    PumpUntilIdle();
    return h;
  }
  static MedOpgWS *W(HWND h) { return reinterpret_cast<MedOpgWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  static bool RaekkePaneler(int rude) { return rude != OPG_TOP && rude % 2 == 1; }

  // The pane's rows as the last run left them, "|"-separated: the number a
  // row shows, "_" for a row blank on colour `grund`, "?" for one that shows
  // no number but holds other pixels, "<text>" for a text not written as a
  // figure of five characters at x 0 and the row's y.
  static std::string Kolonne(HWND h, int rude, uint8_t grund) {
    const MedOpgWS *ws = W(h);
    const int rh = ws->Y[5] - ws->Y[4] - 1;
    const int antal = RaekkePaneler(rude) ? 7 : 1;
    std::vector<std::string> tekst(antal);
    for (const auto &t : tavo::test::DrawnTexts()) {
      if (t.hwnd != ws->hwndRude[rude]) continue;
      const int r = (t.y - ws->TekstOffset) / rh;
      const bool form = t.x == 0 && t.y == ws->TekstOffset + r * rh && t.text.size() >= 5 &&
                        Tal5(std::atoi(t.text.c_str())) == t.text;
      if (r >= 0 && r < antal) tekst[r] = form ? std::to_string(std::atoi(t.text.c_str())) : "<" + t.text + ">";
    }
    std::string ud;
    for (int r = 0; r < antal; ++r) {
      if (r) ud += "|";
      if (!tekst[r].empty()) {
        ud += tekst[r];
        continue;
      }
      bool tom = true;
      for (int y = r * rh; y < (r + 1) * rh && tom; ++y)
        for (int x = 0; x < 40 && tom; ++x) tom = tavo::test::WindowPixel(ws->hwndRude[rude], x, y) == FarveTab[grund];
      ud += tom ? "_" : "?";
    }
    return ud;
  }

  // Every colour of the pane's pixels.
  static std::set<COLORREF> Farver(HWND h, int rude) {
    const MedOpgWS *ws = W(h);
    RECT rc;
    GetClientRect(ws->hwndRude[rude], &rc);
    std::set<COLORREF> f;
    for (int y = 0; y < rc.bottom; ++y)
      for (int x = 0; x < rc.right; ++x) f.insert(tavo::test::WindowPixel(ws->hwndRude[rude], x, y));
    return f;
  }

  // Makes employment anfo the current one and tells the windows so, as the
  // lists do when their cursor moves.
  static void VisAnsaettelse(HWND h, uint32_t anfo, UINT besked = AKTUEL_AENDRET) {
    tvanfo.AktuelRec = anfo;
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, besked, 0, 0);
    PumpUntilIdle();
  }

  fs::path mappe;
  HWND hoved = 0, desktop = 0;
  uint32_t araf = 0;
};

}  // namespace medopg_test
