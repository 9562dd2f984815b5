// The status overview windows: counting rows into status groups, switching
// the program-wide filter on and off, the key sent for Enter, following the
// current week and the window's sizes.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "../exchange/skole_fixture.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "RELAY.h"
#include "STATUS.h"
#include "STATUSBAR.h"
#include "STATUSFILTER.h"
#include "TASTINFO.h"
#include "VINDUER.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "windows.h"

namespace {

using namespace skoletest;

constexpr Uge kUge = 202442;    // a week inside the period Aug 2024 - Jul 2025
constexpr Dato kDato = 20241016;

struct Sendt {
  UINT msg;
  WPARAM w;
};
std::vector<Sendt> gLytter;      // the program-wide broadcasts a listed window got
std::vector<Sendt> gHoved;       // the keys the main window got, w | 0x10000 with Ctrl held
std::vector<Dato> gDatoRude;     // what the date pane was told

LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN) {
    gHoved.push_back({m, w | (GetKeyState(VK_CONTROL) < 0 ? 0x10000u : 0u)});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == DATA_AENDRET || m == AKTUEL_AENDRET) {
    gLytter.push_back({m, w});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK DatoProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == STATUS_DATO_SAET) {
    gDatoRude.push_back(static_cast<Dato>(l));
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}
LRESULT CALLBACK VaertProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == ENS_MAA_AKTIVERES) return 1;
  return DefWindowProcA(h, m, w, l);
}

void Klasse(const char *navn, WNDPROC proc) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = navn;
  RegisterClassA(&wc);
}

std::string Titel(HWND h) {
  char t[256] = "";
  GetWindowTextA(h, t, sizeof t);
  return t;
}

class Status : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    tavo::test::ResetUser();
    farver_intern::InitPaletteDybde(32);
    GlobalIndstillinger.supertavo = 0;
    BegivenhedsFilter = {};
    PosteringsFilter = {};
    gLytter.clear();
    gHoved.clear();
    gDatoRude.clear();
    SaetAktuelDato(kDato);
    Klasse("StatusTestHoved", HovedProc);
    Klasse("StatusTestLytter", LytterProc);
    Klasse("StatusTestDato", DatoProc);
    Klasse("StatusTestVaert", VaertProc);
    RegistrerStatusKlasse(hInst);
    hwndHoved = CreateWindowExA(0, "StatusTestHoved", "TAVO-skema", WS_OVERLAPPED, 0, 0, 800, 600, 0, 0, hInst, 0);
    lytter = CreateWindowExA(0, "StatusTestLytter", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, hInst, 0);
    VinduesListeTilfoej(lytter);
    StatusFelter.Dato = CreateWindowExA(0, "StatusTestDato", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, hInst, 0);
    vaert = CreateWindowExA(0, "StatusTestVaert", "", WS_OVERLAPPED, 0, 0, 1600, 900, 0, 0, hInst, 0);
  }
  void TearDown() override {
    for (STATUSWS *w : arbejde) {
      std::free(w->Tal);
      std::free(w->Hoved.UgeTab);
      std::free(w);
    }
    if (vaert) DestroyWindow(vaert);
    VinduesListeFjern(lytter);
    DestroyWindow(lytter);
    DestroyWindow(StatusFelter.Dato);
    StatusFelter.Dato = 0;
    DestroyWindow(hwndHoved);
    hwndHoved = 0;
    BegivenhedsFilter = {};
    PosteringsFilter = {};
    GlobalIndstillinger.supertavo = 0;
    tavo::test::StopDialogScript();
    Skole::TearDown();
  }

  // A counted workspace without a window.
  STATUSWS *Ws(char art) {
    auto *w = static_cast<STATUSWS *>(std::calloc(1, sizeof(STATUSWS)));
    w->Art = art;
    w->Grupper = StatusGrupper(art, &w->AntalGrupper);
    w->Filter = art == 'B' ? &PosteringsFilter : &BegivenhedsFilter;
    ByggStatusKolonner(w);
    TaelStatus(w);
    w->PosY = GridPos{w->AntalGrupper, 1, w->AntalGrupper, 1};
    arbejde.push_back(w);
    return w;
  }

  static uint32_t Raekke(const STATUSWS *w, uint32_t kode) {
    for (uint32_t r = 1; r <= w->AntalGrupper; ++r)
      if (w->Grupper[r - 1].Kode == kode) return r;
    return 0;
  }

  static uint32_t Begivenhed(Uge uge, uint32_t status, uint8_t ejer, uint8_t fejl = 0) {
    const uint32_t n = SkeRaekke(uge, status, ejer);
    reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(uge), n))->Fejl = fejl;
    return n;
  }
  static void Postering(Dato dato, uint8_t status, uint8_t ejer, uint8_t fejl = 0) {
    const uint32_t n = TimRaekke(dato, status, ejer);
    reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(dato / 100), n))->Fejl = fejl;
  }

  static std::set<uint32_t> Totaler(const STATUSWS *w) {
    std::set<uint32_t> s;
    for (uint32_t k = 0; k < kStatusKoder; ++k) {
      if (StatusTal(w, 0, k) > 1) ADD_FAILURE() << "code " << k << " counted " << StatusTal(w, 0, k) << " times";
      if (StatusTal(w, 0, k)) s.insert(k);
    }
    return s;
  }

  HWND Vindue(char art) {
    const int kmd = art == 'S' ? kStatusBegivenheder : art == 'F' ? kStatusFejl : kStatusPosteringer;
    return CreateStatusWnd(vaert, kmd, art, 0, 0, 1600, 900);
  }

  HWND lytter = 0, vaert = 0;
  std::vector<STATUSWS *> arbejde;
};

using StatusOversigt = Status;
using StatusFilterSkift = Status;

// ---- counting

TEST_F(StatusOversigt, TaellerHverRaekkeIDensGrupper) {
  struct Tilfaelde {
    const char *navn;
    uint8_t ejer;
    uint32_t status;
    uint8_t fejl;
    bool superTavo;
    std::set<uint32_t> begivenhed, postering;
  };
  const Tilfaelde tab[] = {
      {"local", kEgen, 64, 0, false, {2}, {2}},
      {"sent", kEgen, 64 | 16, 0, false, {3}, {3}},
      {"central", kEgen, 64 | 32, 0, false, {1}, {1}},
      {"central and sent", kEgen, 64 | 32 | 16, 0, false, {1}, {1}},
      {"deleted", kEgen, 64 | 8, 0, false, {90}, {90}},
      {"deleted and sent", kEgen, 64 | 8 | 16, 0, false, {91}, {91}},
      {"deleted with an error", kEgen, 64 | 8, 17, false, {90}, {90}},
      {"error 17", kEgen, 64, 17, false, {4, 17}, {17}},
      {"error 62 sent", kEgen, 64 | 16, 62, false, {4, 62}, {62}},
      {"error 99", kEgen, 64, 99, false, {4, 99}, {99}},
      {"error byte 150", kEgen, 64, 150, false, {4}, {}},
      {"another installation", kAnden, 64 | 32, 17, false, {80}, {80}},
      {"SuperTavo", kEgen, 64, 0, true, {80}, {80}},
      {"SuperTavo with an error", kEgen, 64 | 8, 17, true, {80}, {80}},
      {"free row", kEgen, 0, 17, false, {}, {}},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    TomTimoak();
    GlobalIndstillinger.supertavo = t.superTavo;
    Begivenhed(kUge, t.status, t.ejer, t.fejl);
    Postering(kDato, static_cast<uint8_t>(t.status), t.ejer, t.fejl);
    EXPECT_EQ(Totaler(Ws('S')), t.begivenhed);
    EXPECT_EQ(Totaler(Ws('F')), t.begivenhed);
    EXPECT_EQ(Totaler(Ws('B')), t.postering);
  }
}

TEST_F(StatusOversigt, TaellerKunFoersteRaekkerOgTaalerTommeSpande) {
  const uint32_t f = Begivenhed(kUge, 64, kEgen);
  const uint32_t n = Begivenhed(kUge, 64, kEgen, 17);  // a participant row of the same event
  reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(kUge), n))->Forste = f;
  // A bucket holding only row 0.
  TabVar *b = SkemabegBucket(202445);
  NyRaekke(tdske, b);
  b->wRecCnt = 1;
  EXPECT_EQ(Totaler(Ws('S')), (std::set<uint32_t>{2}));
}

TEST_F(StatusOversigt, TotalerOgFoersteOgSidsteKolonne) {
  for (Uge u : {202440u, 202502u, 202502u, 202520u}) Begivenhed(u, 64 | 16, kEgen);
  Begivenhed(202502, 64, kEgen, 17);
  STATUSWS *w = Ws('S');
  EXPECT_EQ(StatusTal(w, 0, 3), 4u);
  EXPECT_EQ(StatusTal(w, UgeTilIndeks(202502), 3), 2u);
  EXPECT_EQ(w->Foerste[3], UgeTilIndeks(202440));
  EXPECT_EQ(w->Sidste[3], UgeTilIndeks(202520));
  EXPECT_EQ(w->Foerste[17], UgeTilIndeks(202502));
  EXPECT_EQ(w->Sidste[17], UgeTilIndeks(202502));
  EXPECT_EQ(w->Foerste[2], 0u);
  EXPECT_EQ(w->Sidste[2], 0u);

  // The arrows as the visible columns move over the counts of code 3.
  struct Syn {
    Uge fra;
    uint32_t synlige;
    const char *pil;
  };
  for (const Syn &s : {Syn{202436, 3, ":"}, Syn{202445, 3, "="}, Syn{202521, 5, ";"}, Syn{202440, 40, " "}}) {
    w->PosX.Foerste = UgeTilIndeks(s.fra);
    w->PosX.Synlige = s.synlige;
    EXPECT_STREQ(StatusPil(w, 3), s.pil) << s.fra;
  }
  EXPECT_STREQ(StatusPil(w, 2), " ");
}

TEST_F(StatusOversigt, IEnTomPeriodeHarIngenKolonner) {
  Begivenhed(kUge, 64, kEgen);
  // No period read yet.
  SkemaPeriode.AntalUger = 0;
  SkemaPeriode.AntalMaaneder = 0;
  STATUSWS *w = Ws('S');
  EXPECT_EQ(w->AntalKolonner, 0u);
  EXPECT_TRUE(Totaler(w).empty());
  EXPECT_EQ(FindStatusKolonne(w, kUge), 1u);
  STATUSWS *b = Ws('B');
  EXPECT_EQ(b->AntalKolonner, 0u);
}

// ---- switching the filter

TEST_F(StatusFilterSkift, TaendesOgSlukkesPrGruppeOgTast) {
  Begivenhed(kUge, 64, kEgen);            // 2
  Begivenhed(kUge, 64 | 16, kEgen);       // 3
  Begivenhed(kUge, 64, kAnden);           // 80
  Begivenhed(kUge, 64 | 8, kEgen);        // 90
  Begivenhed(kUge, 64 | 8 | 16, kEgen);   // 91
  Begivenhed(kUge, 64, kEgen, 17);        // 4 and 17
  Postering(kDato, 64 | 16, kEgen);       // 3

  const std::string tom = "Denne statusgruppe er tom, og kan derfor ikke tændes";
  const std::string fejl = "Denne statusgruppe kan kun tændes i <ctrl> + F10";
  const std::string soeg = "Denne statusgruppe kan der ikke søges efter";
  const std::string skema = "TAVO-skema - [ Viser kun '";
  struct Tilfaelde {
    char art;
    uint32_t kode;
    UINT tast;
    std::string besked;  // the refusal, or empty
    StatusFilter begivenhed, postering;
    std::string titel;
  };
  const Tilfaelde tab[] = {
      {'S', 2, VK_INSERT, "", {2, 0, 0, 2, 'S'}, {}, skema + " Lokal begivenhed ' i skema+gantkort ]"},
      {'S', 3, VK_INSERT, "", {3, 0, 0, 3, 'S'}, {}, skema + " Sendt begivenhed ' i skema+gantkort ]"},
      {'S', 80, VK_INSERT, "", {0, 0, 'd', 5, 'S'}, {}, skema + " Fremmed begivenhed ' i skema+gantkort ]"},
      {'S', 1, VK_INSERT, tom, {}, {}, "TAVO-skema"},
      {'S', 4, VK_INSERT, fejl, {}, {}, "TAVO-skema"},
      {'S', 90, VK_RETURN, soeg, {}, {}, "TAVO-skema"},
      {'S', 91, VK_INSERT, soeg, {}, {}, "TAVO-skema"},
      {'F', 17, VK_INSERT, "", {0, 17, 0, 8, 'F'}, {}, skema + " Aktiviteten er allerede skemalagt ' i skema+gantkort ]"},
      {'F', 18, VK_INSERT, tom, {}, {}, "TAVO-skema"},
      {'B', 3, VK_INSERT, "", {}, {3, 0, 0, 3, 'B'}, skema + " Sendt post ' i postering ]"},
      {'B', 90, VK_INSERT, tom, {}, {}, "TAVO-skema"},
  };
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(std::string(1, t.art) + " " + std::to_string(t.kode) + " key " + std::to_string(t.tast));
    BegivenhedsFilter = {};
    PosteringsFilter = {};
    SetWindowTextA(hwndHoved, "TAVO-skema");
    STATUSWS *w = Ws(t.art);
    w->PosY.Aktuel = Raekke(w, t.kode);
    ASSERT_NE(w->PosY.Aktuel, 0u);
    tavo::test::StartDialogScript();
    uint32_t tegn = 0;
    StatusGruppeTast(w, t.tast, &tegn);
    const auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    if (t.besked.empty()) {
      EXPECT_TRUE(bokse.empty());
      EXPECT_EQ(tegn, kStatusTegnAlt);
    } else {
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].text, t.besked);
      EXPECT_EQ(bokse[0].caption, "Søg status");
      EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    for (auto [faktisk, ventet] : {std::pair{BegivenhedsFilter, t.begivenhed}, std::pair{PosteringsFilter, t.postering}}) {
      EXPECT_EQ(faktisk.Tilstand, ventet.Tilstand);
      EXPECT_EQ(faktisk.FejlKode, ventet.FejlKode);
      EXPECT_EQ(faktisk.Fremmed, ventet.Fremmed);
      EXPECT_EQ(faktisk.Raekke, ventet.Raekke);
      EXPECT_EQ(faktisk.RaekkeArt, ventet.RaekkeArt);
    }
    EXPECT_EQ(Titel(hwndHoved), t.titel);
  }
}

TEST_F(StatusFilterSkift, EnGruppeRydderDenAndenArtsFilter) {
  Begivenhed(kUge, 64, kEgen);
  Postering(kDato, 64 | 32, kEgen);
  STATUSWS *s = Ws('S');
  STATUSWS *b = Ws('B');
  s->PosY.Aktuel = Raekke(s, 2);
  b->PosY.Aktuel = Raekke(b, 1);
  uint32_t tegn = 0;
  StatusGruppeTast(s, VK_INSERT, &tegn);
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 2);
  StatusGruppeTast(b, VK_INSERT, &tegn);
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 0);
  EXPECT_EQ(BegivenhedsFilter.Raekke, 0u);
  EXPECT_EQ(PosteringsFilter.Tilstand, 1);
  EXPECT_EQ(Titel(hwndHoved), "TAVO-skema - [ Viser kun ' Central post ' i postering ]");
}

TEST_F(StatusFilterSkift, SlukkesMedEscapeAltidOgMedDeleteKunPaaDenTaendteRaekke) {
  Begivenhed(kUge, 64, kEgen);
  Begivenhed(kUge, 64 | 16, kEgen);
  STATUSWS *w = Ws('S');
  w->PosY.Aktuel = Raekke(w, 2);
  uint32_t tegn = 0;
  StatusGruppeTast(w, VK_INSERT, &tegn);
  ASSERT_EQ(BegivenhedsFilter.Tilstand, 2);

  w->PosY.Aktuel = Raekke(w, 3);
  tegn = 0;
  StatusGruppeTast(w, VK_DELETE, &tegn);
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 2) << "Delete on another row";
  EXPECT_EQ(tegn, 0u);
  w->PosY.Aktuel = Raekke(w, 2);
  StatusGruppeTast(w, VK_DELETE, &tegn);
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 0);
  EXPECT_EQ(BegivenhedsFilter.Raekke, 0u);
  EXPECT_EQ(Titel(hwndHoved), "TAVO-skema");

  w->PosY.Aktuel = Raekke(w, 3);
  StatusGruppeTast(w, VK_INSERT, &tegn);
  w->PosY.Aktuel = Raekke(w, 90);
  StatusGruppeTast(w, VK_ESCAPE, &tegn);
  EXPECT_EQ(BegivenhedsFilter.Tilstand, 0);
  EXPECT_EQ(Titel(hwndHoved), "TAVO-skema");

  // The arrows only ask for a redraw of the row or the column.
  for (auto [tast, flag] : {std::pair{VK_LEFT, kStatusTegnKolonne}, std::pair{VK_RIGHT, kStatusTegnKolonne},
                            std::pair{VK_UP, kStatusTegnRaekke}, std::pair{VK_DOWN, kStatusTegnRaekke}}) {
    tegn = 0;
    StatusGruppeTast(w, tast, &tegn);
    EXPECT_EQ(tegn, static_cast<uint32_t>(flag)) << tast;
  }
}

TEST_F(StatusFilterSkift, SenderDataBeskedKunNaarAktivOgIkkeFrossen) {
  Begivenhed(kUge, 64, kEgen);
  STATUSWS *w = Ws('S');
  w->PosY.Aktuel = Raekke(w, 2);
  struct Tilfaelde {
    uint8_t aktiv, frossen;
    size_t beskeder;
  };
  for (const Tilfaelde &t : {Tilfaelde{1, 0, 2}, Tilfaelde{0, 0, 0}, Tilfaelde{1, 1, 0}}) {
    w->Hoved.Aktiv = t.aktiv;
    w->Frossen = t.frossen;
    gLytter.clear();
    uint32_t tegn = 0;
    StatusGruppeTast(w, VK_INSERT, &tegn);
    StatusGruppeTast(w, VK_ESCAPE, &tegn);
    size_t n = 0;
    for (const Sendt &s : gLytter) n += s.msg == DATA_AENDRET;
    EXPECT_EQ(n, t.beskeder) << int(t.aktiv) << int(t.frossen);
  }
}

// ---- Enter opens a schedule

TEST_F(StatusOversigt, EnterSenderSkemaTastEfterFoersteBegivenhed) {
  const uint32_t akti = Akti(1);
  const uint32_t stjerneAkti = Akti(2);
  Tekst(reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, stjerneAkti))->Aktivitet, "*A2");
  MedaRec m{};
  m.id = 1;
  Tekst(m.Initialer, "*MB");
  const uint32_t stjerneMeda = Ny(tdmeda, tvmeda, m);
  const uint32_t anfo = Anfo(1);
  const uint32_t stjerneAnfo = Anfo(2);
  reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, stjerneAnfo))->meda_id = stjerneMeda;
  LokaRec l{};
  l.id = 1;
  Tekst(l.Lokalenr, "101");
  const uint32_t loka = Ny(tdloka, tvloka, l);

  struct Tilfaelde {
    const char *navn;
    uint8_t fejl;
    uint32_t akti, anfo, loka;
    uint32_t svar;
  };
  const Tilfaelde tab[] = {
      {"activity error with an activity", 17, akti, anfo, loka, 1},
      {"activity error, starred activity", 17, stjerneAkti, anfo, loka, 2},
      {"employment error", 21, akti, anfo, loka, 2},
      {"employment error, starred employee", 21, akti, stjerneAnfo, loka, 1},
      {"another error code", 40, akti, anfo, loka, 1},
      {"another error code without an activity", 40, 0, anfo, loka, 2},
      {"room error", 32, akti, anfo, loka, 3},
      {"room error without a room", 32, 0, anfo, 0, 2},
      {"only a room", 60, 0, 0, loka, 3},
      {"ids outside their tables", 17, 9999, 9999, 9999, 0},
      {"only starred participants", 60, stjerneAkti, stjerneAnfo, 0, 0},
  };
  const UINT taster[4] = {0, VK_F5, VK_F6, VK_F7};
  for (const Tilfaelde &t : tab) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    // A sent row of the same code comes first and is passed over.
    const uint32_t sendt = Begivenhed(kUge, 64 | 16, kEgen, t.fejl);
    reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(kUge), sendt))->akti_id = akti;
    const uint32_t n = Begivenhed(kUge, 64, kEgen, t.fejl);
    auto *r = reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(kUge), n));
    r->akti_id = t.akti;
    r->anfo_id = t.anfo;
    r->loka_id = t.loka;
    STATUSWS *w = Ws('F');
    w->PosY.Aktuel = Raekke(w, t.fejl);
    EXPECT_EQ(FindFoersteIStatusGruppe(w), t.svar);
    gHoved.clear();
    uint32_t tegn = 0;
    StatusGruppeTast(w, VK_RETURN, &tegn);
    if (t.svar) {
      ASSERT_EQ(gHoved.size(), 1u);
      EXPECT_EQ(gHoved[0].w, taster[t.svar] | 0x10000u) << "with Ctrl";
    } else {
      EXPECT_TRUE(gHoved.empty());
    }
    EXPECT_EQ(BegivenhedsFilter.FejlKode, t.fejl);
  }
  // Another week holds nothing for the group.
  SaetAktuelDato(20241120);
  EXPECT_EQ(FindFoersteIStatusGruppe(arbejde.back()), 0u);

  // Postings open the Gantt chart with F12.
  Postering(kDato, 64, kEgen);
  STATUSWS *b = Ws('B');
  b->PosY.Aktuel = Raekke(b, 2);
  gHoved.clear();
  uint32_t tegn = 0;
  StatusGruppeTast(b, VK_RETURN, &tegn);
  ASSERT_EQ(gHoved.size(), 1u);
  EXPECT_EQ(gHoved[0].w, static_cast<WPARAM>(VK_F12));
}

// ---- the window: following the week, freezing, sizes

TEST_F(StatusOversigt, FoelgerUgenOgDatoRuden) {
  Begivenhed(kUge, 64, kEgen);
  HWND h = Vindue('S');
  ASSERT_NE(h, (HWND)0);
  STATUSWS *w = StatusWS(h);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Titel(h), " Statusoversigt begivenheder");
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), kStatusBegivenheder);
  EXPECT_EQ(w->Hoved.UgeTab[w->PosX.Aktuel], kUge);
  ASSERT_TRUE(w->Hoved.Aktiv);

  gLytter.clear();
  SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), 202443u);
  ASSERT_FALSE(gLytter.empty());
  EXPECT_EQ(gLytter.back().msg, static_cast<UINT>(AKTUEL_AENDRET));
  ASSERT_FALSE(gDatoRude.empty());
  EXPECT_EQ(gDatoRude.back(), SkemaPeriode.AktuelDato);
  EXPECT_EQ(gDatoRude.back(), 20241023u) << "the same weekday a week later";

  // Active, it ignores another window's move unless the date pane asked.
  SaetAktuelDato(20250115);
  SendMessageA(h, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(w->Hoved.UgeTab[w->PosX.Aktuel], 202443u);
  SendMessageA(h, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Hoved.UgeTab[w->PosX.Aktuel], 202503u);

  // Frozen (the lock of the toolbar, Ctrl+H) it ignores even that, and
  // moving its column leaves the program's week.
  BYTE taster[256] = {};
  taster[VK_CONTROL] = 0x80;
  SetKeyboardState(taster);
  SendMessageA(h, WM_KEYDOWN, 'H', 0);
  std::fill(std::begin(taster), std::end(taster), 0);
  SetKeyboardState(taster);
  ASSERT_TRUE(w->Frossen);
  SaetAktuelDato(20241106);
  SendMessageA(h, AKTUEL_AENDRET, 1, 0);
  EXPECT_EQ(w->Hoved.UgeTab[w->PosX.Aktuel], 202503u);
  SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
  EXPECT_EQ(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), 202445u);
  DestroyWindow(h);
}

TEST_F(StatusOversigt, PosteringerFoelgerMaanedenMedEnGyldigDato) {
  SaetAktuelDato(20241031);
  HWND h = Vindue('B');
  ASSERT_NE(h, (HWND)0);
  STATUSWS *w = StatusWS(h);
  EXPECT_EQ(Titel(h), " Statusoversigt posteringer");
  EXPECT_EQ(w->Hoved.UgeTab[w->PosX.Aktuel], 202410u);
  const Dato ventet[] = {20241130, 20241231, 20250131, 20250228, 20250331};
  for (Dato d : ventet) {
    SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SkemaPeriode.AktuelDato, d);
    EXPECT_TRUE(GyldigDato(SkemaPeriode.AktuelDato));
    Uge u = 0;
    DatoTilUge(d, &u, nullptr);
    EXPECT_EQ(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), u);
  }
  DestroyWindow(h);
}

TEST_F(StatusOversigt, Stoerrelser) {
  for (char art : {'S', 'F', 'B'}) {
    SCOPED_TRACE(std::string(1, art));
    const int b = StatusVinduesBredde(art, INT_MAX), h = StatusVinduesHoejde(art, INT_MAX);
    EXPECT_GT(b, 150);
    EXPECT_GT(h, 100);
    EXPECT_EQ(StatusVinduesBredde(art, 10), 150);
    EXPECT_EQ(StatusVinduesHoejde(art, 10), 100);
    EXPECT_EQ(StatusVinduesBredde(art, b - 7), b - 7);
    EXPECT_EQ(StatusVinduesHoejde(art, h - 7), h - 7);
    EXPECT_EQ(StatusVinduesBredde(art, b + 500), b);
    EXPECT_EQ(StatusVinduesHoejde(art, h + 500), h);
    EXPECT_GT(StatusGruppeTekstBredde(art), 3u);
  }
  // More groups and more columns: more room.
  EXPECT_GT(StatusVinduesHoejde('F', INT_MAX), StatusVinduesHoejde('S', INT_MAX));

  HWND w = Vindue('S');
  ASSERT_NE(w, (HWND)0);
  struct Traek {
    RECT ind;
    UINT kant;
  };
  for (const Traek &t : {Traek{{0, 0, 5000, 5000}, WMSZ_BOTTOMRIGHT}, Traek{{0, 0, 20, 20}, WMSZ_BOTTOMRIGHT},
                         Traek{{0, 0, 300, 200}, WMSZ_RIGHT}}) {
    RECT r = t.ind;
    SendMessageA(w, WM_SIZING, t.kant, reinterpret_cast<LPARAM>(&r));
    EXPECT_GE(r.right - r.left, 150);
    EXPECT_LE(r.right - r.left, std::max(150, StatusVinduesBredde('S', INT_MAX)));
    EXPECT_GE(r.bottom - r.top, 100);
    EXPECT_LE(r.bottom - r.top, std::max(100, StatusVinduesHoejde('S', INT_MAX)));
  }
  EXPECT_EQ(SendMessageA(w, ENS_BREDDE, 10, 0), 150);
  EXPECT_EQ(SendMessageA(w, ENS_HOEJDE, 10, 0), 100);
  DestroyWindow(w);
}

TEST_F(StatusOversigt, TaellerIgenVedDataBesked) {
  HWND h = Vindue('S');
  ASSERT_NE(h, (HWND)0);
  STATUSWS *w = StatusWS(h);
  EXPECT_EQ(StatusTal(w, 0, 2), 0u);
  Begivenhed(kUge, 64, kEgen);
  SendMessageA(h, DATA_AENDRET, 0, 0);
  EXPECT_EQ(StatusTal(w, 0, 2), 1u);
  Begivenhed(kUge, 64, kEgen);
  SendMessageA(h, EFTER_IMPORT, 0, 0);
  EXPECT_EQ(StatusTal(w, 0, 2), 2u);
  DestroyWindow(h);
}

}  // namespace

namespace {

class StatusOversigtTegning : public Status {
 protected:
  void SetUp() override {
    Status::SetUp();
    for (const char *f : {"Tvo11x8Txt.ttf", "Tvo11x8Tgn.ttf"})
      fs::copy_file(fs::path(TAVO_BINARY_DIR) / "fonts" / f, rod / "ini" / f, fs::copy_options::overwrite_existing);
    LoadFonts(hwndHoved);
    WNDCLASSA wc{};
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = DummyWndProc;
    wc.lpszClassName = "DummyWndClass";
    RegisterClassA(&wc);
    ShowWindow(vaert, SW_SHOWNORMAL);
  }
  void TearDown() override {
    UnloadFonts();
    Status::TearDown();
  }
};

TEST_F(StatusOversigtTegning, DenTaendteGruppeFaarMaerkefarvenOgTalleneTegnes) {
  ASSERT_NE(TxtFont, (HFONT)0);
  for (int i = 0; i < 3; ++i) Begivenhed(kUge, 64, kEgen);
  Postering(kDato, 64, kEgen);
  for (char art : {'S', 'B'}) {
    SCOPED_TRACE(std::string(1, art));
    HWND h = Vindue(art);
    ASSERT_NE(h, (HWND)0);
    ShowWindow(h, SW_SHOWNORMAL);
    RECT r{};
    GetClientRect(h, &r);
    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    STATUSWS *w = StatusWS(h);
    ASSERT_NE(w->Hoved.dc[ENSDC_RAEKKEHOVED].hdc, (HDC)0);
    for (UINT t : {VK_DOWN, VK_RIGHT, VK_LEFT, VK_INSERT}) SendMessageA(h, WM_KEYDOWN, t, 0);
    ASSERT_EQ(w->Filter->Raekke, 2u);
    const int x = static_cast<int>(StatusGruppeTekstBredde(art)) + 4;
    const int y = static_cast<int>(GridCelleStart(&w->Hoved.AkseY, 2) - w->Hoved.ScrollY) + 2;
    EXPECT_EQ(GetPixel(w->Hoved.dc[ENSDC_RAEKKEHOVED].hdc, x, y), FarveTab[14]);
    const int y1 = static_cast<int>(GridCelleStart(&w->Hoved.AkseY, 1) - w->Hoved.ScrollY) + 2;
    EXPECT_NE(GetPixel(w->Hoved.dc[ENSDC_RAEKKEHOVED].hdc, x, y1), FarveTab[14]);
    SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_NE(GetPixel(w->Hoved.dc[ENSDC_RAEKKEHOVED].hdc, x, y), FarveTab[14]);
    SendMessageA(h, DATA_AENDRET, 0, 0);
    DestroyWindow(h);
  }
}

}  // namespace
