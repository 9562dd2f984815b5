// The plan groups window over a school made record by record: the date
// check, the fitting of the periods to new dates, a new group, the delete,
// the choice for the plan window, and the window driven by keys.
#include <ctime>

#include "EDITBOX.h"
#include "PLAN.h"
#include "PlanPerioder.h"
#include "PlanGruppeVindue.h"
#include "tavo/clock.h"
#include "tildel_fixtur.h"

namespace {

using namespace tildeltest;
using tavo::test::MessageBoxRecord;

// A stand-in for the plan window: it answers 1324 with its Plan and notes
// the plan messages it gets.
Plan gFalskPlan{};
std::vector<UINT> gPlanFik;
LRESULT CALLBACK PlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == REL_PLAN_TILSTAND) return reinterpret_cast<LRESULT>(&gFalskPlan);
  if (m == SKE_FLYT_EFTER_INDSAET || m == PLAN_GENOPBYG_AKSER) {
    gPlanFik.push_back(m);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class PlanGruppeVindueTest : public TildelTest {
 protected:
  HWND plan = 0;

  void SetUp() override {
    TildelTest::SetUp();
    gPlanFik.clear();
    gFalskPlan = Plan{};
    wfb_test::Registrer("PlanGruppeFalskPlan", PlanProc, 0);
    wfb_test::Registrer("PlanGruppeWndClass", PlanGruppeWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("EditboxWndClass", EditboxWndProc, 0);
    wfb_test::Registrer("PlanPerioderWndClass", PlanPerioderWndProc, CS_OWNDC | CS_DBLCLKS);
  }
  void TearDown() override {
    if (plan && IsWindow(plan)) {
      VinduesListeFjern(plan);
      DestroyWindow(plan);
    }
    tavo::ClearFakeClock();
    TildelTest::TearDown();
  }

  void AabnFalskPlan(uint32_t gruppe) {
    gFalskPlan.AktPlanGruppe = gruppe;
    plan = CreateWindowExA(0, "PlanGruppeFalskPlan", "", WS_CHILD, 0, 0, 10, 10, desktop,
                           static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    ASSERT_NE(plan, 0u);
    VinduesListeTilfoej(plan);
  }

 public:
  static uint32_t Periode(uint32_t g, Uge fra, Uge til) {
    FfppRec p{};
    p.ffpg_id = g;
    p.Frauge = fra;
    p.Tiluge = til;
    p.Ejer = kEgen;
    p.Status = 0x40;
    return Ny(tdffpp, tvffpp, p);
  }
  static const FfpgRec &G(uint32_t g) { return *TabRec<FfpgRec>(tvffpg, g); }
  // The group's live periods as (Frauge, Tiluge), in week order.
  static std::vector<std::pair<Uge, Uge>> Perioder(uint32_t g) {
    std::vector<std::pair<Uge, Uge>> v;
    for (uint32_t n = 1; n < tvffpp.wRecCnt; ++n) {
      const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
      if (PlanRecIBrug(p->Status) && p->ffpg_id == g) v.emplace_back(p->Frauge, p->Tiluge);
    }
    std::sort(v.begin(), v.end());
    return v;
  }
  static std::string Ini() {
    char buf[32] = "";
    GetPrivateProfileStringA("ffplan", "ffplangruppe", "", buf, sizeof buf, StiTab.szini);
    return buf;
  }
  static void Ur(int aar, int maaned, int dag) {
    std::tm t{};
    t.tm_year = aar - 1900;
    t.tm_mon = maaned - 1;
    t.tm_mday = dag;
    t.tm_hour = 12;
    tavo::SetFakeClock(timegm(&t));
  }
};

// ---- the date check

TEST_F(PlanGruppeVindueTest, DatoTjekTabel) {
  // The schedule period is 1 August 2024 to 31 July 2025.
  const uint32_t g = Gruppe("Efterår", 20240902, 20250131);
  Gruppe("Overlap", 20240801, 20241231);  // groups may overlap
  struct Tilfaelde {
    uint32_t kolonne;
    int64_t dato;
    const char *besked;  // null: accepted
  };
  const Tilfaelde tabel[] = {
      {3, 20240230, "Den indtastede dato er ugyldig: 20240230."},
      {4, 20241301, "Den indtastede dato er ugyldig: 20241301."},
      {3, 0, "Den indtastede dato er ugyldig: 0."},
      {3, 20250201, "Den indtastede fradato ligger efter planens tildato: 20250131."},
      {3, 20240731, "Den indtastede fradato ligger før TAVO-perioden fradato: 20240801."},
      {4, 20240901, "Den indtastede tildato ligger før planens fradato: 20240902."},
      {4, 20250801, "Den indtastede tildato ligger efter TAVO-perioden tildato: 20250731."},
      {3, 20250131, nullptr},  // Fradato = Tildato
      {4, 20240902, nullptr},
      {3, 20240801, nullptr},  // the schedule period's bounds
      {4, 20250731, nullptr},
  };
  for (const Tilfaelde &t : tabel) {
    bool ok = false;
    const auto tjek = [&] { ok = TjekPlanGruppeDato(0, g, t.kolonne, t.dato); };
    const auto vist = t.besked ? MedSvar({IDOK}, tjek) : MedSvar({}, tjek);
    SCOPED_TRACE(::testing::Message() << "kolonne " << t.kolonne << " dato " << t.dato);
    EXPECT_EQ(ok, t.besked == nullptr);
    if (t.besked) {
      ASSERT_EQ(vist.size(), 1u);
      EXPECT_EQ(vist[0].caption, "Fejl indtastning");
      EXPECT_EQ(vist[0].text, t.besked);
      EXPECT_EQ(vist[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    } else {
      EXPECT_TRUE(vist.empty());
    }
  }
  EXPECT_EQ(G(g).Fradato, 20240902u);  // the check stores nothing
  EXPECT_EQ(G(g).Tildato, 20250131u);
}

// ---- fitting the periods

// One period over the group's weeks 36 of 2024 to 5 of 2025.
TEST_F(PlanGruppeVindueTest, TilpasEnPeriode) {
  struct Tilfaelde {
    const char *navn;
    int hvilken;
    Dato dato;
    bool ok;
    Dato fra, til;
    Uge frauge, tiluge;
  };
  const Tilfaelde tabel[] = {
      {"same first week: refused silently", 1, 20240904, false, 20240902, 20250131, 202436, 202505},
      {"earlier first date", 1, 20240826, true, 20240826, 20250131, 202435, 202505},
      {"later first date", 1, 20240909, true, 20240909, 20250131, 202437, 202505},
      {"later last date, same last week", 2, 20250202, true, 20240902, 20250202, 202436, 202505},
      {"later last date, later week", 2, 20250214, true, 20240902, 20250214, 202436, 202507},
      {"earlier last date", 2, 20241220, true, 20240902, 20241220, 202436, 202451},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    const uint32_t g = Gruppe(t.navn, 20240902, 20250131);
    Periode(g, 202436, 202505);
    bool ok = false;
    const auto vist = MedSvar({}, [&] { ok = TilpasGruppeDato(0, g, t.dato, t.hvilken); });
    EXPECT_TRUE(vist.empty());
    EXPECT_EQ(ok, t.ok);
    EXPECT_EQ(G(g).Fradato, t.fra);
    EXPECT_EQ(G(g).Tildato, t.til);
    EXPECT_EQ(Perioder(g), (std::vector<std::pair<Uge, Uge>>{{t.frauge, t.tiluge}}));
  }
}

TEST_F(PlanGruppeVindueTest, GruppeUdenPerioderBeholderSineDatoer) {
  const uint32_t g = Gruppe("Tom", 20240902, 20250131);
  for (const auto &[hvilken, dato] : {std::pair{1, 20240826u}, {1, 20241001u}, {2, 20250301u}, {2, 20241201u}}) {
    const auto vist = MedSvar({}, [&, h = hvilken, d = dato] { EXPECT_FALSE(TilpasGruppeDato(0, g, d, h)); });
    EXPECT_TRUE(vist.empty());
    EXPECT_EQ(G(g).Fradato, 20240902u);
    EXPECT_EQ(G(g).Tildato, 20250131u);
  }
}

// Three periods; a later first date in week 49 asks the "Advarsel"
// question and on OK takes the periods that begin before that week.
TEST_F(PlanGruppeVindueTest, SenereFradatoMedFlerePerioderSpoergerOgFjerner) {
  const char *kSpoergsmaal =
      "Der er lavet flere plan perioder for denne plangruppe, antal: 3.\nHvis du fortsætter vil programmet fjerne "
      "dem, som ligger uden for den nye periode!";
  const uint32_t g = Gruppe("Efterår", 20240902, 20250131);
  Periode(g, 202436, 202445);
  Periode(g, 202446, 202452);
  Periode(g, 202501, 202505);

  bool ok = true;
  auto vist = MedSvar({IDCANCEL}, [&] { ok = TilpasGruppeDato(0, g, 20241202, 1); });
  EXPECT_FALSE(ok);
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].caption, "Advarsel");
  EXPECT_EQ(vist[0].text, kSpoergsmaal);
  EXPECT_EQ(vist[0].type & (MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK),
            static_cast<UINT>(MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2));
  EXPECT_EQ(G(g).Fradato, 20240902u);
  EXPECT_EQ(Perioder(g).size(), 3u);

  vist = MedSvar({IDOK}, [&] { ok = TilpasGruppeDato(0, g, 20241202, 1); });
  EXPECT_TRUE(ok);
  ASSERT_EQ(vist.size(), 1u);  // no plan numbers: the periods go without a second question
  EXPECT_EQ(G(g).Fradato, 20241202u);
  EXPECT_EQ(Perioder(g), (std::vector<std::pair<Uge, Uge>>{{202501, 202505}}));
}

TEST_F(PlanGruppeVindueTest, TidligereTildatoMedFlerePerioderFjernerDeSenere) {
  const uint32_t g = Gruppe("Efterår", 20240902, 20250131);
  Periode(g, 202436, 202445);
  Periode(g, 202446, 202452);
  Periode(g, 202501, 202505);
  bool ok = false;
  const auto vist = MedSvar({IDOK}, [&] { ok = TilpasGruppeDato(0, g, 20241108, 2); });  // week 45
  EXPECT_TRUE(ok);
  EXPECT_EQ(vist.size(), 1u);
  EXPECT_EQ(G(g).Tildato, 20241108u);
  EXPECT_EQ(Perioder(g), (std::vector<std::pair<Uge, Uge>>{{202436, 202445}}));
}

// ---- a new group

TEST_F(PlanGruppeVindueTest, NyGruppeOverAaretEfterUret) {
  Ur(2027, 3, 15);
  // The record the group will get is still named by an own membership of
  // an earlier group of that number.
  const uint32_t gammel = tvffpg.wRecCnt;
  const uint32_t akti = Hold("H1", 20240801, 20250731);
  AddPgRel(gammel, akti, 'K');
  ASSERT_NE(FindPgRel(gammel, akti, 'K'), 0u);

  uint32_t ny = 0;
  const auto vist = MedSvar({}, [&] { EXPECT_EQ(GemPlanGruppeCelle(0, 0, 2, "Fagplan 2027", &ny), PG_NY); });
  EXPECT_TRUE(vist.empty());
  ASSERT_EQ(ny, gammel);
  const FfpgRec &g = G(ny);
  EXPECT_STREQ(g.Navn, "Fagplan 2027");
  EXPECT_EQ(g.Fradato, 20270101u);
  EXPECT_EQ(g.Tildato, 20271231u);
  EXPECT_EQ(g.VisSkeLekt, 1);
  EXPECT_EQ(g.Ejer, kEgen);
  EXPECT_EQ(g.Status, 64);
  EXPECT_EQ(tvffpg.AktuelRec, ny);
  // 1 January 2027 lies in week 53 of 2026.
  EXPECT_EQ(Perioder(ny), (std::vector<std::pair<Uge, Uge>>{{202653, 202752}}));
  EXPECT_EQ(FindPgRel(ny, akti, 'K'), 0u);
  EXPECT_TRUE(fs::exists(rod / "data" / "ffpg.DAT"));  // saved at once
  EXPECT_EQ(PlanGruppeListe(), (std::vector<uint32_t>{0, ny}));
}

TEST_F(PlanGruppeVindueTest, TomRaekkeGemmerIntetUdenNavnEllerPaaEnDato) {
  for (const auto &[kolonne, tekst] : {std::pair{2u, ""}, {3u, "20240902"}, {4u, "20250131"}}) {
    uint32_t ny = 7;
    EXPECT_EQ(GemPlanGruppeCelle(0, 0, kolonne, tekst, &ny), PG_INTET);
    EXPECT_EQ(ny, 0u);
  }
  EXPECT_EQ(PlanGruppeListe().size(), 1u);
}

// A name is stored as typed, up to the 50 characters the field holds.
TEST_F(PlanGruppeVindueTest, NavnGemmes) {
  const uint32_t g = Gruppe("Efterår", 20240902, 20250131, 0x50);
  const std::string lang(60, 'x');
  EXPECT_EQ(GemPlanGruppeCelle(0, g, 2, lang.c_str(), nullptr), PG_NAVN);
  EXPECT_EQ(std::string(G(g).Navn), std::string(50, 'x'));
  EXPECT_EQ(G(g).Status, 64);
  EXPECT_EQ(GemPlanGruppeCelle(0, g, 2, "Forår", nullptr), PG_NAVN);
  EXPECT_STREQ(G(g).Navn, "Forår");
}

// ---- deleting a group

TEST_F(PlanGruppeVindueTest, SletGruppeUdenPlantalSpoergerIntet) {
  const uint32_t g = Gruppe("Efterår", 20240902, 20250131);
  const uint32_t anden = Gruppe("Forår", 20250203, 20250630);
  const uint32_t akti = Hold("H1", 20240801, 20250731);
  const uint32_t anfo = Ansat("AB", 20240801, 20250731);
  const uint32_t pp = Periode(g, 202436, 202505);
  const uint32_t ppAnden = Periode(anden, 202506, 202526);
  AddPgRel(g, akti, 'K');
  AddPgRel(g, anfo, 'M');
  AddPgRel(anden, akti, 'K');
  const uint32_t raekke = Raekke(g, 2, akti, anfo, 0, 0);
  const uint32_t raekkeAnden = Raekke(anden, 2, akti, anfo, 0, 0);
  FfpertabRec per{};
  per.ffgrund_id = raekke;
  per.ffpp_id = pp;
  per.Ejer = kEgen;
  per.Status = 0x40;
  const uint32_t pertab = Ny(tdffpertab, tvffpertab, per);
  FffagfordlRec f{};
  f.ffpg_id = g;
  f.anfo_id = anfo;
  f.akti_id = akti;
  f.Status = 0x40;
  f.Ejer = kEgen;
  const uint32_t fagfordl = Ny(tdfffagfordl, tvfffagfordl, f);
  AabnFalskPlan(anden);

  bool ok = false;
  const auto vist = MedSvar({}, [&] { ok = SletPlanGruppe(0, g); });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(vist.empty());
  auto iBrug = [](const TabVar &tv, uint32_t n, auto *rec) {
    const auto *r = TabRec<std::remove_pointer_t<decltype(rec)>>(tv, n);
    return r && PlanRecIBrug(r->Status);
  };
  EXPECT_FALSE(iBrug(tvffpg, g, (FfpgRec *)nullptr));
  EXPECT_FALSE(iBrug(tvffpp, pp, (FfppRec *)nullptr));
  EXPECT_FALSE(iBrug(tvffgrund, raekke, (FfgrundRec *)nullptr));
  EXPECT_FALSE(iBrug(tvffpertab, pertab, (FfpertabRec *)nullptr));
  EXPECT_FALSE(iBrug(tvfffagfordl, fagfordl, (FffagfordlRec *)nullptr));
  EXPECT_EQ(LektionerAf(raekke), 0u);
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    if (t->ffgrund_id == raekke) {
      EXPECT_FALSE(PlanRecIBrug(t->Status));
    }
  }
  EXPECT_EQ(FindPgRel(g, akti, 'K'), 0u);
  EXPECT_EQ(FindPgRel(g, anfo, 'M'), 0u);
  // The other group keeps everything.
  EXPECT_TRUE(iBrug(tvffpg, anden, (FfpgRec *)nullptr));
  EXPECT_TRUE(iBrug(tvffpp, ppAnden, (FfppRec *)nullptr));
  EXPECT_TRUE(RaekkeLever(raekkeAnden));
  EXPECT_NE(FindPgRel(anden, akti, 'K'), 0u);
  EXPECT_EQ(PlanGruppeListe(), (std::vector<uint32_t>{0, anden}));
  EXPECT_EQ(gPlanFik, (std::vector<UINT>{PLAN_GENOPBYG_AKSER}));
}

// ---- choosing a group (Enter)

TEST_F(PlanGruppeVindueTest, VaelgMedPlanvinduetAabent) {
  const uint32_t g1 = Gruppe("Efterår", 20240902, 20241231);
  const uint32_t g2 = Gruppe("Forår", 20250102, 20250630);
  AabnFalskPlan(g1);
  const HWND h = CreatePlanGruppeWnd(20, 10, 500, 600, 40266);
  ASSERT_NE(h, 0u);
  EXPECT_FALSE(VaelgPlanGruppe(h, g1));
  EXPECT_EQ(Ini(), std::to_string(g1));
  EXPECT_TRUE(gPlanFik.empty());  // the plan shows that group already
  EXPECT_FALSE(VaelgPlanGruppe(h, g2));
  EXPECT_EQ(Ini(), std::to_string(g2));
  EXPECT_EQ(gPlanFik, (std::vector<UINT>{SKE_FLYT_EFTER_INDSAET}));
  EXPECT_TRUE(IsWindow(h));
  DestroyWindow(h);
}

TEST_F(PlanGruppeVindueTest, VaelgUdenPlanvindueLukkerOgAabnerPlanen) {
  Gruppe("Efterår", 20240902, 20241231);
  const uint32_t g2 = Gruppe("Forår", 20250102, 20250630);
  const HWND h = CreatePlanGruppeWnd(20, 10, 500, 600, 40266);
  ASSERT_NE(h, 0u);
  tavo::test::StartMessageLog();
  EXPECT_TRUE(VaelgPlanGruppe(h, g2));
  tavo::test::PumpUntilIdle();
  const auto log = tavo::test::StopMessageLog();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Ini(), std::to_string(g2));
  bool aabnet = false;
  for (const auto &m : log)
    if (m.hwnd == hoved && m.msg == WM_COMMAND && LOWORD(m.wParam) == kPlanVindueType) aabnet = true;
  EXPECT_TRUE(aabnet);
}

// ---- the window, driven by keys

class PlanGruppeVindueTaster : public PlanGruppeVindueTest {
 protected:
  HWND h = 0;
  PlanGruppeWS *ws = nullptr;
  HWND Aabn() {
    h = CreatePlanGruppeWnd(20, 10, 500, kDeskH - 20, 40266);
    if (!h) return 0;
    ShowWindow(h, SW_SHOWNORMAL);
    UpdateWindow(h);
    BringWindowToTop(h);
    SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    tavo::test::PumpUntilIdle();
    ws = PlanGruppeVinduesWS(h);
    return h;
  }
  void TearDown() override {
    if (h && IsWindow(h)) DestroyWindow(h);
    PlanGruppeVindueTest::TearDown();
  }
  // The edit box's text replaced by the typed one, and Enter.
  void Skriv(const char *tekst) {
    ASSERT_NE(ws->hwndRediger, 0u);
    for (int i = 0; i < 60; ++i) Tast(VK_BACK);
    tavo::test::TypeText(tekst);
    tavo::test::PumpUntilIdle();
    Tast(VK_RETURN);
  }
};

TEST_F(PlanGruppeVindueTaster, NyGruppeOgDatoSomEnBrugerSkriverDem) {
  Ur(2024, 10, 9);
  const uint32_t g1 = Gruppe("Efterår", 20240902, 20241231);
  Periode(g1, 202436, 202501);
  tvffpg.AktuelRec = g1;
  ASSERT_NE(Aabn(), 0u);
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(ws->PosY.Antal, 2u);  // the group and the empty row
  EXPECT_EQ(ws->PosY.Aktuel, 1u);
  EXPECT_EQ(ws->PosX.Aktuel, 2u);
  Tast(VK_LEFT);  // the cursor never rests on GrpNr
  EXPECT_EQ(ws->PosX.Aktuel, 2u);

  Tast(VK_DOWN);
  EXPECT_EQ(PlanGruppeAktuel(ws), 0u);
  Tast(VK_DELETE);  // nothing to delete on the empty row
  EXPECT_EQ(PlanGruppeListe().size(), 2u);
  const auto vist = MedSvar({IDOK}, [&] {
    Tast(VK_RIGHT);
    Tast(VK_F2);  // a date needs a name first
  });
  ASSERT_EQ(vist.size(), 1u);
  EXPECT_EQ(vist[0].text, "Der skal indtastes et navn før en dato.");
  EXPECT_EQ(vist[0].caption, "Fejl indtastning");
  EXPECT_EQ(ws->hwndRediger, 0u);
  Tast(VK_LEFT);

  Tast(VK_F2);
  Skriv("Ny gruppe");
  EXPECT_EQ(ws->hwndRediger, 0u);
  const uint32_t ny = tvffpg.AktuelRec;
  ASSERT_NE(ny, g1);
  ASSERT_NE(ny, 0u);
  EXPECT_STREQ(G(ny).Navn, "Ny gruppe");
  EXPECT_EQ(PlanGruppeListe(), (std::vector<uint32_t>{0, ny, g1}));  // by Fradato
  EXPECT_EQ(ws->PosY.Antal, 3u);
  EXPECT_EQ(ws->PosY.Aktuel, 3u);  // on the new empty row, ready for the next

  Tast(VK_UP);
  Tast(VK_UP);
  ASSERT_EQ(PlanGruppeAktuel(ws), ny);
  Tast(VK_RIGHT);
  EXPECT_EQ(ws->PosX.Aktuel, 3u);
  Tast(VK_F2);
  Skriv("20240902");
  EXPECT_EQ(G(ny).Fradato, 20240902u);
  EXPECT_EQ(Perioder(ny), (std::vector<std::pair<Uge, Uge>>{{202436, 202501}}));
  EXPECT_TRUE(IsWindow(h));
}

TEST_F(PlanGruppeVindueTaster, TAabnerOgLukkerTildelingen) {
  Gruppe("Efterår", 20240902, 20241231);
  ASSERT_NE(Aabn(), 0u);
  SendMessageA(h, WM_KEYDOWN, 'T', 0);
  tavo::test::PumpUntilIdle();
  const HWND t = FindVindueType(40269);
  ASSERT_NE(t, 0u);
  EXPECT_TRUE(IsWindowVisible(t));
  SendMessageA(h, WM_KEYDOWN, 'T', 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(FindVindueType(40269), 0u);
  EXPECT_FALSE(IsWindow(t));
  EXPECT_TRUE(IsWindow(h));
}

// Ctrl+P and Ctrl+F1 open the group's periods at the window's right edge;
// on the empty row there is no group to show.
TEST_F(PlanGruppeVindueTaster, CtrlPAabnerPerioderneVedHoejreKant) {
  const uint32_t g = Gruppe("Efterår", 20240902, 20241231);
  Periode(g, 202436, 202501);
  tvffpg.AktuelRec = g;
  ASSERT_NE(Aabn(), 0u);
  for (UINT tast : {static_cast<UINT>('P'), static_cast<UINT>(VK_F1)}) {
    SCOPED_TRACE(tast);
    TastInfo t{0, -1, 0, WM_KEYDOWN, tast, 0, 0, 0};
    SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
    tavo::test::PumpUntilIdle();
    const HWND p = FindVindueType(40267);
    ASSERT_NE(p, 0u);
    RECT v{}, r{};
    GetWindowRect(h, &v);
    GetWindowRect(p, &r);
    EXPECT_EQ(r.top, v.top);
    EXPECT_TRUE(r.left == v.right || r.right == v.right + 200) << r.left << " " << r.right << " " << v.right;
    EXPECT_LE(r.bottom - r.top, 400);
    DestroyWindow(p);
  }
  Tast(VK_DOWN);
  TastInfo t{0, -1, 0, WM_KEYDOWN, 'P', 0, 0, 0};
  SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(FindVindueType(40267), 0u);
}

// A name longer than the box's 30 characters (as the central system may
// send one) is shown whole, so a box closed unchanged keeps it.
TEST_F(PlanGruppeVindueTaster, LangtNavnKlippesIkkeAfEnUaendretBoks) {
  const std::string navn = "Fagplan for hele skoleåret 2024/25, afdeling Nord";  // 49 characters
  const uint32_t g = Gruppe(navn.c_str(), 20240902, 20241231);
  tvffpg.AktuelRec = g;
  ASSERT_NE(Aabn(), 0u);
  Tast(VK_F2);
  ASSERT_NE(ws->hwndRediger, 0u);
  const auto *b = reinterpret_cast<const EditboxInfo *>(GetWindowLongPtrA(ws->hwndRediger, GWLP_USERDATA));
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(std::string(b->text), navn);
  Tast(VK_RETURN);
  EXPECT_EQ(std::string(G(g).Navn), navn);
}

TEST_F(PlanGruppeVindueTaster, EscLukkerBoksenFoerVinduet) {
  Gruppe("Efterår", 20240902, 20241231);
  ASSERT_NE(Aabn(), 0u);
  SendMessageA(h, WM_KEYDOWN, VK_F2, 0);
  ASSERT_NE(ws->hwndRediger, 0u);
  const HWND boks = ws->hwndRediger;
  SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(boks));
  EXPECT_TRUE(IsWindow(h));
  SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(IsWindow(h));
}

}  // namespace
