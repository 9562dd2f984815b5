// The plan selection window over the painting fixture's plan, opened by an
// owner that hands it the plan, the group's weeks and its subject figures
// and keeps every report it gets. What the owner hears is compared whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_VALG.h"
#include "GRUPPER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "PlanValgVindue.h"
#include "PlanVindue.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "plantegning_fixtur.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;

struct Hoert {
  UINT msg;
  WPARAM w;
  LPARAM l;
  bool operator==(const Hoert &o) const { return msg == o.msg && w == o.w && l == o.l; }
};
std::ostream &operator<<(std::ostream &os, const Hoert &h) {
  return os << "{" << h.msg << ", " << h.w << ", " << h.l << "}";
}

// The owner's state, reached from its window procedure.
struct Ejer {
  Plan *plan = nullptr;
  std::vector<Hoert> hoert;
  std::map<uint32_t, LRESULT> kryds;  // employment -> its answer to 1326
};
Ejer *&AktivEjer() {
  static Ejer *e = nullptr;
  return e;
}

LRESULT CALLBACK EjerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  Ejer *e = AktivEjer();
  if (!e) return DefWindowProcA(h, m, w, l);
  switch (m) {
    case REL_PLAN_TILSTAND:
      return reinterpret_cast<LRESULT>(e->plan);
    case VALG_GENOPBYG_HVIS:
      if (l && e->plan) PlanGruppensUger(e->plan, reinterpret_cast<PlanGruppeUger *>(l));
      return 0;
    case PLAN_KRYDS: {
      auto it = e->kryds.find(static_cast<uint32_t>(w));
      return it == e->kryds.end() ? 0 : it->second;
    }
    case ENS_MAA_AKTIVERES:
      return 1;
    case VALG_MARKERET:
    case VALG_AFMARKERET:
    case VALG_AKTUEL_SKIFTET:
    case VALG_AFSLUTTET:
      e->hoert.push_back({m, w, l});
      return 0;
  }
  return m >= WM_USER ? 0 : DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK StilleProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  return m >= WM_USER ? 0 : DefWindowProcA(h, m, w, l);
}

class PlanValgVindueTest : public PlanTegningFixtur {
 protected:
  Ejer ejer;
  HWND hEjer = 0, gemtHoved = 0, gemtDesktop = 0, v = 0;
  uint32_t cille = 0;
  AVS gemtAVS{};
  uint32_t avsAkti = 0;

  void SetUp() override {
    PlanTegningFixtur::SetUp();
    cille = NyAnfo("CIH", "1", "Cille Holm");
    // The painting fixture's rows, with a heading of its own for Anne and
    // one for Cille, who is not in the plan.
    wfb_test::Registrer("PlanValgWndClass", PlanValgWndProc, CS_OWNDC | CS_DBLCLKS);
    wfb_test::Registrer("PlanValgEjer", EjerProc, 0);
    wfb_test::Registrer("PlanValgStille", StilleProc, 0);
    gemtHoved = hwndHoved;
    gemtDesktop = hwndDesktop;
    hwndHoved = CreateWindowExA(0, "PlanValgStille", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    hwndDesktop = CreateWindowExA(0, "PlanValgStille", "", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1000, 0, 0, 0, nullptr);
    hEjer = CreateWindowExA(0, "PlanValgEjer", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwndDesktop, 0, 0, nullptr);
    ejer.plan = &plan;
    plan.hwndPlan = hEjer;
    AktivEjer() = &ejer;
    gemtAVS = AktuelAVS;
    AktuelAVS = AVS{};
    for (uint32_t a : {anne, bo}) AddPgRel(gruppe, a, 'M');
  }
  void TearDown() override {
    if (v && IsWindow(v)) DestroyWindow(v);
    DestroyWindow(hEjer);
    DestroyWindow(hwndHoved);
    DestroyWindow(hwndDesktop);
    hwndHoved = gemtHoved;
    hwndDesktop = gemtDesktop;
    AktivEjer() = nullptr;
    AktuelAVS = gemtAVS;
    PlanTegningFixtur::TearDown();
  }

  // A list of the records, as the plan's pick lists are made.
  static ValgListe *Liste(std::initializer_list<uint32_t> rec, uint32_t haevet = 0) {
    auto *l = static_cast<ValgListe *>(calloc(1, sizeof(ValgListe)));
    l->ObjTab = static_cast<uint32_t *>(calloc(rec.size() + 1, sizeof(uint32_t)));
    for (uint32_t r : rec) l->ObjTab[++l->Antal] = r;
    l->ListeArt = 115;
    l->TitelArt = 16;
    l->Ubrugt[0] = haevet;
    return l;
  }
  void Aabn(uint8_t bogstav, uint32_t maks, ValgListe *liste) {
    v = CreatePlanValgWnd(hEjer, bogstav, 200, 60, 1200, 900, maks, liste ? 1 : 0, liste, 0);
    ASSERT_NE(v, 0u);
    tavo::test::PumpUntilIdle();
    ejer.hoert.clear();
  }
  PVWS *W() const { return reinterpret_cast<PVWS *>(GetWindowLongPtrA(v, GWLP_USERDATA)); }
  // The rows' records in their order.
  std::vector<uint32_t> Raekker() const {
    const PVWS *w = W();
    return std::vector<uint32_t>(w->ens.ObjTab + 1, w->ens.ObjTab + 1 + w->ens.ObjTabAntal);
  }
  std::set<uint32_t> Markerede() const {
    std::set<uint32_t> s;
    const PVWS *w = W();
    for (uint32_t i = 0; i < w->MaerkeAntal; ++i)
      if (w->Maerker[i] & 1) s.insert(i);
    return s;
  }
  void GaaTil(uint32_t rec) {
    PVWS *w = W();
    for (uint32_t r = 1; r <= w->ens.ObjTabAntal; ++r)
      if (w->ens.ObjTab[r] == rec) w->PosY.Aktuel = r;
  }
  // A key down and up; with modifiers through the keyboard state.
  void Tast(UINT vk, bool shift = false, bool ctrl = false) {
    if (shift || ctrl) {
      SendTast(v, vk, shift, ctrl, false);
    } else {
      SendMessageA(v, WM_KEYDOWN, vk, 1);
      if (IsWindow(v)) SendMessageA(v, WM_KEYUP, vk, 1);
    }
    tavo::test::PumpUntilIdle();
  }
  void PlanRaekke(uint32_t r) {
    for (uint32_t p = 1; p <= plan.Ens.ObjTabAntal; ++p)
      if (plan.Ens.ObjTab[p] == r) plan.StyrY.Pos.Aktuel = p;
  }
};

// ---- marking

// One case: the list, the mark limit, a record blocked by the owner, the
// keys (each on the record named before it, 0 for the row as it is), and
// what the owner hears with the records named.
struct TastPaa {
  UINT tast;
  char paa;  // 'a' Anne, 'b' Bo, 'c' Cille, 0 the current row
};
struct MaerkeTilfaelde {
  const char *navn;
  uint8_t bogstav;
  uint32_t maks;
  uint32_t haevet;
  char spaerret;
  std::vector<TastPaa> taster;
  std::vector<std::tuple<UINT, char, char>> hoert;  // message, letter, record ('1' for lParam 1)
  std::string markerede;
  bool lukket;
};

class PlanValgVindueMaerker : public PlanValgVindueTest {
 protected:
  uint32_t Rec(char c) const {
    switch (c) {
      case 'a': return anne;
      case 'b': return bo;
      case 'c': return cille;
      case 'x': return akti;
      case 'y': return akti2;
    }
    return 0;
  }
};

TEST_F(PlanValgVindueMaerker, Tabel) {
  const std::vector<MaerkeTilfaelde> tilfaelde = {
      {"enkeltvalg: den nye erstatter den gamle uden 1226", 'M', 1, 0, 0,
       {{VK_SPACE, 'a'}, {VK_SPACE, 'b'}},
       {{VALG_MARKERET, 'M', 'a'}, {VALG_MARKERET, 'M', 'b'}}, "b", false},
      {"uden maerker: mellemrum, insert og delete goer intet, escape lukker tavst", 'M', 0, 0, 0,
       {{VK_SPACE, 'a'}, {VK_INSERT, 'b'}, {VK_DELETE, 'b'}, {VK_ESCAPE, 0}}, {}, "", true},
      {"haevet liste: 'R' i 1225 og 1226, 'M' i 1229", 'M', 2, 1, 0,
       {{VK_SPACE, 'a'}, {VK_SPACE, 'a'}, {VK_DOWN, 0}},
       {{VALG_MARKERET, 'R', 'a'}, {VALG_AFMARKERET, 'R', 'a'}, {VALG_AKTUEL_SKIFTET, 'M', 'b'}}, "", false},
      {"haevet aktivitetsliste: 'P'", 'K', 2, 1, 0,
       {{VK_SPACE, 'x'}, {VK_DELETE, 'x'}},
       {{VALG_MARKERET, 'P', 'x'}, {VALG_AFMARKERET, 'P', 'x'}}, "", false},
      {"en spaerret post kan ikke markeres", 'M', 2, 0, 'b',
       {{VK_SPACE, 'b'}, {VK_INSERT, 'b'}}, {}, "", false},
      {"graensen naaet: ingen flere", 'M', 2, 0, 0,
       {{VK_INSERT, 'a'}, {VK_INSERT, 'b'}, {VK_SPACE, 'c'}, {VK_INSERT, 'a'}},
       {{VALG_MARKERET, 'M', 'a'}, {VALG_MARKERET, 'M', 'b'}}, "ab", false},
      {"enter melder den aktuelle og lukker", 'M', 2, 0, 0,
       {{VK_RETURN, 'c'}},
       {{VALG_MARKERET, 'M', 'c'}, {VALG_AFSLUTTET, 13, '1'}}, "", true},
      {"escape efter en aendring melder 1241", 'M', 2, 0, 0,
       {{VK_SPACE, 'a'}, {VK_ESCAPE, 0}},
       {{VALG_MARKERET, 'M', 'a'}, {VALG_AFSLUTTET, 27, '1'}}, "", true},
      {"escape efter insert alene melder intet", 'M', 2, 0, 0,
       {{VK_INSERT, 'a'}, {VK_ESCAPE, 0}},
       {{VALG_MARKERET, 'M', 'a'}}, "", true},
  };
  for (const MaerkeTilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    ValgListe *l = t.bogstav == 'K' ? Liste({akti, akti2}, t.haevet) : Liste({anne, bo, cille}, t.haevet);
    Aabn(t.bogstav, t.maks, l);
    SendMessageA(v, VINDUE_AKTIVER_STILLE, 0, 0);
    if (t.spaerret) W()->Maerker[Rec(t.spaerret)] |= 2;
    ejer.hoert.clear();
    for (const TastPaa &k : t.taster) {
      if (k.paa) GaaTil(Rec(k.paa));
      Tast(k.tast);
    }
    std::vector<Hoert> ventet;
    for (const auto &[m, b, r] : t.hoert)
      ventet.push_back({m, static_cast<WPARAM>(b), r == '1' ? 1 : static_cast<LPARAM>(Rec(r))});
    EXPECT_EQ(ejer.hoert, ventet);
    EXPECT_EQ(!IsWindow(v), t.lukket);
    if (IsWindow(v)) {
      std::set<uint32_t> ventetMaerker;
      for (char c : t.markerede) ventetMaerker.insert(Rec(c));
      EXPECT_EQ(Markerede(), ventetMaerker);
      EXPECT_EQ(W()->MarkeretAntal, ventetMaerker.size());
      if (t.maks == 0) {
        EXPECT_EQ(W()->ens.RaekkeHovedBredde, 0u);
      }
      DestroyWindow(v);
    }
    v = 0;
  }
}

TEST_F(PlanValgVindueMaerker, KanMarkereSvarerNulForEnSpaerretAktuelPost) {
  Aabn('M', 2, Liste({anne, bo, cille}));
  W()->Maerker[bo] |= 4;
  GaaTil(bo);
  EXPECT_EQ(SendMessageA(v, VALG_KAN_SKIFTE, 0, 0), 0);
  GaaTil(anne);
  EXPECT_EQ(SendMessageA(v, VALG_KAN_SKIFTE, 0, 0), 1);
  Tast(VK_INSERT);
  Tast(VK_DOWN);  // to Bo, blocked: still no
  GaaTil(cille);
  Tast(VK_INSERT);
  // At the limit an unmarked record cannot be marked; a marked one can be
  // taken off.
  GaaTil(bo);
  W()->Maerker[bo] &= static_cast<uint8_t>(~4);
  EXPECT_EQ(SendMessageA(v, VALG_KAN_SKIFTE, 0, 0), 0);
  GaaTil(anne);
  EXPECT_EQ(SendMessageA(v, VALG_KAN_SKIFTE, 0, 0), 1);
}

// ---- pre-marking from the plan's current row

TEST_F(PlanValgVindueMaerker, FraPlanRaekkenEfterDensArt) {
  const uint32_t anneHoved = Raekke(PLAN_MEDA, 0, 0, anne), cilleHoved = Raekke(PLAN_MEDA, 0, 0, cille);
  Orden({hoved, fag1, fag2, hoved2, anneHoved, cilleHoved});
  IPlan(0, anne);
  struct {
    uint32_t raekke;
    std::set<uint32_t> ventet;
  } const tilfaelde[] = {
      {fag1, {anne, bo}},   // its employment and second employment
      {fag2, {bo}},
      {anneHoved, {anne}},  // every employee heading of the group whose employee is in the plan
      {hoved, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.raekke);
    PlanRaekke(t.raekke);
    Aabn('M', 10000, Liste({anne, bo, cille}));
    SendMessageA(v, PLANVALG_FORMARKER, 0, 0);
    EXPECT_EQ(Markerede(), t.ventet);
    // Again: only records not marked yet are counted.
    SendMessageA(v, PLANVALG_FORMARKER, 0, 0);
    EXPECT_EQ(W()->MarkeretAntal, t.ventet.size());
    EXPECT_TRUE(ejer.hoert.empty());
    DestroyWindow(v);
  }
  v = 0;
}

// ---- typed group numbers

class PlanValgVindueGruppe : public PlanValgVindueTest {};

TEST_F(PlanValgVindueGruppe, CtrlMedCifreVaelgerGruppenOgFormarkerer) {
  for (uint32_t a : {anne, bo}) TabRec<AnfoRec>(tvanfo, a)->Gruppe |= 1u << 4;
  PlanRaekke(fag1);
  Aabn('M', 10000, nullptr);
  const uint32_t foer = W()->GruppeMaske;
  // 31 and more is no group: dropped, the buffer emptied.
  Tast('3', false, true);
  Tast('1', false, true);
  SendMessageA(v, WM_KEYUP, VK_CONTROL, 1);
  EXPECT_EQ(W()->GruppeMaske, foer);
  EXPECT_EQ(W()->ens.SoegTekst[0], 0);
  EXPECT_TRUE(Markerede().empty());

  Tast('4', false, true);
  SendMessageA(v, WM_KEYUP, VK_CONTROL, 1);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(W()->GruppeMaske, 1u << 4);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo}));
  EXPECT_EQ(Markerede(), (std::set<uint32_t>{anne, bo}));
}

// ---- sorting

class PlanValgVindueSortering : public PlanValgVindueTest {};

TEST_F(PlanValgVindueSortering, KnappenSkifterRetningOgBilledeOgAktuelBliver) {
  Aabn('M', 2, Liste({anne, bo, cille}));
  const PVWS *w = W();
  ASSERT_GE(w->SortButAntal, 3u);
  auto billede = [&](uint32_t i) {
    const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(W()->hwndSortBut[i], GWLP_USERDATA));
    return reinterpret_cast<uintptr_t>(b->pictureName);
  };
  GaaTil(bo);
  // Field 2 of layout 0 is the name: Anne Berg, Bo Lund, Cille Holm.
  SendMessageA(v, NYB_KLIK, kValgSortId + 2, 0);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo, cille}));
  EXPECT_EQ(billede(2), 111u);
  EXPECT_EQ(PlanValgAktuelRec(W()), bo);
  SendMessageA(v, NYB_KLIK, kValgSortId + 2, 0);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{cille, bo, anne}));
  EXPECT_EQ(billede(2), 112u);
  EXPECT_EQ(PlanValgAktuelRec(W()), bo);
  SendMessageA(v, NYB_KLIK, kValgSortId + 2, 0);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo, cille}));
  EXPECT_EQ(billede(2), 111u);
  // Another column clears the first one's picture and sorts ascending.
  SendMessageA(v, NYB_KLIK, kValgSortId + 0, 0);
  EXPECT_EQ(billede(2), 0u);
  EXPECT_EQ(billede(0), 111u);
  EXPECT_EQ(Raekker(), (std::vector<uint32_t>{anne, bo, cille}));  // ABE, BOL, CIH
  EXPECT_EQ(PlanValgAktuelRec(W()), bo);
}

// ---- sizes

class PlanValgVindueStoerrelse : public PlanValgVindueTest {};

TEST_F(PlanValgVindueStoerrelse, MindstFemRaekkerOgMindstBredde) {
  const int ramme = 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYHSCROLL) +
                    GetSystemMetrics(SM_CYCAPTION) + 43;
  struct {
    uint32_t antal;
    uint32_t graense;
    int hoejde;
  } const hoejder[] = {
      {0, 2000, ramme + 60}, {3, 2000, ramme + 60}, {5, 2000, ramme + 60},
      {8, 2000, ramme + 96}, {8, 120, 120},         {1, 60, 60},
  };
  ValgListe liste{};
  PVWS w{};
  w.ListeMode = 1;
  w.pValgListe = &liste;
  std::vector<uint32_t> tab(10, anne);
  liste.ObjTab = tab.data();
  for (const auto &t : hoejder) {
    SCOPED_TRACE(t.antal);
    liste.Antal = t.antal;
    EXPECT_EQ(PlanValgHoejde(&w, t.graense), t.hoejde);
  }
  // A letter without a layout of the kind wants the least width.
  w.ListeArt = 115;
  w.Bogstav = 'Z';
  EXPECT_EQ(PlanValgBredde(&w, 2000), 150);
  EXPECT_EQ(PlanValgBredde(&w, 90), 90);
  w.Bogstav = 'M';
  const int medarbejdere = static_cast<int>(ObjSwitchBredde(115, 'M', 0)) + GetSystemMetrics(SM_CXVSCROLL) +
                           2 * GetSystemMetrics(SM_CXFRAME) + 3;
  EXPECT_EQ(PlanValgBredde(&w, 2000), medarbejdere);
  w.MaerkeGraense = 2;
  EXPECT_EQ(PlanValgBredde(&w, 2000), medarbejdere + static_cast<int>(ObjSwitchBredde(14, 'M', 0)));
}

}  // namespace

// ---- the own list

class PlanValgVindueListe : public PlanValgVindueTest {
 protected:
  uint32_t Fravaer(const char *navn, Dato fra, Dato til, uint32_t grupper) {
    const uint32_t a = NyAkti(navn, "", fra, til);
    AktiRec *r = TabRec<AktiRec>(tvakti, a);
    predtest::Tekst(r->Type, "OVAK");
    r->Gruppe = grupper;
    return a;
  }
};

TEST_F(PlanValgVindueListe, AktiviteterErFravaerIPeriodensUgerOgGruppen) {
  const uint32_t syg = Fravaer("Sygdom", 20240101, 20241231, 0x20);
  const uint32_t stjerne = Fravaer("*Kursus", 20250301, 20250930, 0x21);
  // The week of the group's first day counts, though the day before it
  // does not lie in the group's dates.
  const uint32_t kant = Fravaer("Barsel", 20240729, 20240731, 0x20);
  Fravaer("Orlov", 20230101, 20240721, 0x20);    // ends the week before
  Fravaer("Ferie", 20250804, 20250930, 0x20);    // starts the week after
  Fravaer("Andet", 20240101, 20241231, 0x01);    // another group
  TabRec<AktiRec>(tvakti, akti)->Gruppe = 0x20;  // not an absence
  Aabn('K', 0, nullptr);
  // By name in Danish letter order, where '*' comes after every letter.
  std::vector<uint32_t> ventet{kant, syg, stjerne};
  EXPECT_EQ(Raekker(), ventet);
  // No group toolbar for activities; the list is the window's to free.
  EXPECT_EQ(W()->ListeMode, 0);
}

// ---- mouse

class PlanValgVindueMus : public PlanValgVindueTest {};

TEST_F(PlanValgVindueMus, DobbeltklikMarkererOgUnderSidsteRaekkeGaarTilDen) {
  Aabn('M', 2, Liste({anne, bo, cille}));
  auto y = [](uint32_t raekke) { return static_cast<LPARAM>(((raekke - 1) * 12 + 5) << 16); };
  SendMessageA(v, ENS_CELLER_DBL, 0, 10 | y(2));
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ejer.hoert, (std::vector<Hoert>{{VALG_MARKERET, 'M', static_cast<LPARAM>(bo)}}));
  EXPECT_EQ(Markerede(), (std::set<uint32_t>{bo}));
  ejer.hoert.clear();
  SendMessageA(v, ENS_CELLER_DBL, 0, 10 | y(7));
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(PlanValgAktuelRec(W()), cille);
  EXPECT_EQ(ejer.hoert, (std::vector<Hoert>{{VALG_AKTUEL_SKIFTET, 'M', static_cast<LPARAM>(cille)}}));
  EXPECT_EQ(Markerede(), (std::set<uint32_t>{bo}));
  // A click in the mark block makes the row current and tells the owner.
  ejer.hoert.clear();
  SendMessageA(v, ENS_RAEKKEHOVED_NED, 0, 3 | y(1));
  EXPECT_EQ(PlanValgAktuelRec(W()), anne);
  EXPECT_EQ(ejer.hoert, (std::vector<Hoert>{{VALG_AKTUEL_SKIFTET, 'M', static_cast<LPARAM>(anne)}}));
}

// ---- layouts

class PlanValgVindueLayout : public PlanValgVindueTest {};

TEST_F(PlanValgVindueLayout, AktivitetslistenBeholderSineRaekkerVedSkift) {
  ObjSwitchVaelg(kPlanValgArt, 'K', 0);
  Aabn('K', 0, Liste({akti, akti2}));
  const std::vector<uint32_t> foer = Raekker();
  SendMessageA(v, NYB_KLIK, kValgLayoutId + 1, 0);
  EXPECT_EQ(W()->ListeValgt, 1u);
  EXPECT_EQ(ObjSwitchValgt(kPlanValgArt, 'K'), 1u);
  // Only an employee list is the plan's to fill again.
  EXPECT_EQ(Raekker(), foer);
  RECT rc{};
  GetWindowRect(v, &rc);
  EXPECT_EQ(rc.right - rc.left, PlanValgBredde(W(), 0x7FFFFFFF));
  EXPECT_EQ(W()->SortButAntal, ObjSwitchFeltAntal(kPlanValgArt, 'K', 1));
}
