// The selection window as a user works it on the test desktop: typed,
// clicked and dragged through the window layer's own input, over the small
// school with every activity in group 5 (the group an activity list opens
// with). What it tells its opener is compared whole; what it draws is read
// back from the drawn-text log and the window's pixels.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "NYBUTTON.h"
#include "RECPRED.h"
#include "SWITCHTEGN.h"
#include "knapper.h"
#include "tavo/test_gdi.h"
#include "valg_support.h"

namespace {

using valg_test::Hoert;
using valg_test::HovedHoert;
using valg_test::Kopi;
using valg_test::OpenerHoert;
using valg_test::OpenerTillad;
using valg_test::Sammenlign;

using tavo::test::PumpUntilIdle;

// The key data a typed key carries in these tests' sent keys.
constexpr LPARAM kTastData = 0x00390001;

std::string Navn(uint32_t akti) {
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  return std::string(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet));
}

std::string Udfyldt(std::string s, size_t n) {
  s.resize(n, ' ');
  return s;
}

const BWS *Knap(HWND h) { return reinterpret_cast<const BWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

class ValgVindueTest : public valg_test::ValgTest {
 protected:
  void SetUp() override {
    ValgTest::SetUp();
    gammelTxtFont = TxtFont;
    TxtFont = switchtest::TekstSkrift();
    for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) TabRec<AktiRec>(tvakti, r)->Gruppe |= 0x20;
    RegistrerKnapBilleder();
    SaetGenvejHovedVindue(hoved);
  }
  void TearDown() override {
    SaetGenvejHovedVindue(0);
    TxtFont = gammelTxtFont;
    ValgTest::TearDown();
  }

  // A key as the window gets it: down with the key data, then up.
  static void Tast(HWND h, UINT vk) {
    SendMessageA(h, WM_KEYDOWN, vk, kTastData);
    if (IsWindow(h)) SendMessageA(h, WM_KEYUP, vk, kTastData | 0xC0000000);
    PumpUntilIdle();
  }
  static void Taster(HWND h, const char *taster) {
    for (const char *t = taster; *t; ++t) Tast(h, static_cast<UINT>(*t));
  }
  // The screen point of a pane's client point.
  static POINT Punkt(HWND rude, int x, int y) { return tavo::test::ScreenPoint(rude, x, y); }
  static void Klik(HWND rude, int x, int y) {
    const POINT p = Punkt(rude, x, y);
    tavo::test::Click(p.x, p.y);
    PumpUntilIdle();
  }
  // A click on the main window first, so the next click is not the second
  // of a double click.
  void NytKlik() {
    tavo::test::Click(kHovedX + 5, kHovedY + 5);
    PumpUntilIdle();
  }
  static std::vector<Hoert> Notifikationer() {
    return Hoerte({VALG_MARKERET, VALG_AFMARKERET, VALG_ALLE_AFMARKERET, VALG_AKTUEL_SKIFTET, VALG_AFSLUTTET});
  }
  static std::vector<uint32_t> Markerede(HWND h) {
    const VWS *v = Ws(h);
    std::vector<uint32_t> r;
    for (uint32_t i = 0; v->Maerker && i < v->MaerkeAntal; ++i)
      if (v->Maerker[i] & kValgMarkeret) r.push_back(i);
    return r;
  }
  // The rows' y in their pane.
  static int RaekkeY(uint32_t raekke) { return static_cast<int>(raekke - 1) * kValgRaekkeHoejde; }

  HFONT gammelTxtFont = 0;
};

// Records of active activities in record order: a pre-selection.
std::vector<uint32_t> AktiveAktiviteter(size_t n) {
  std::vector<uint32_t> r;
  for (uint32_t i = 1; i < tvakti.wRecCnt && r.size() < n; ++i) {
    const uint8_t s = TabRec<AktiRec>(tvakti, i)->Status;
    if (s >= 10 && s <= 29) r.push_back(i);
  }
  return r;
}

// What the opener heard as (message, row, key) rows: a record is named by
// its row in `raekker` (0-based), -1 for record 0; 1241 keeps its key.
struct Ventet {
  UINT msg;
  int raekke;
  LPARAM tastData = kTastData;
};
std::vector<Hoert> Som(const std::vector<Ventet> &ventet, const std::vector<uint32_t> &raekker, WPARAM bogstav) {
  std::vector<Hoert> v;
  for (const Ventet &x : ventet) {
    if (x.msg == VALG_AFSLUTTET)
      v.push_back({x.msg, static_cast<WPARAM>(x.raekke), x.tastData});
    else
      v.push_back({x.msg, bogstav, x.raekke < 0 ? 0 : static_cast<LPARAM>(raekker[x.raekke])});
  }
  return v;
}

class ValgVindueBrug : public ValgVindueTest {};
class ValgVindueMaerker : public ValgVindueTest {};
class ValgVindueSortering : public ValgVindueTest {};
class ValgVindueLayout : public ValgVindueTest {};
class ValgVindueMus : public ValgVindueTest {};
class ValgVindueStoerrelse : public ValgVindueTest {};
class ValgVindueTegning : public ValgVindueTest {};
class ValgVindueTaster : public ValgVindueTest {};

// ==================================================================== use

// "Valg af aktiviteter" from the menu: single choice, no pre-selection,
// worked with the keyboard and the mouse as typed and clicked.
TEST_F(ValgVindueBrug, ChooseAnActivityByTypingMarkItAndTakeItWithEnter) {
  HWND h = Aabn('K', 1);
  ASSERT_TRUE(IsWindow(h));
  VWS *v = Ws(h);
  const std::vector<uint32_t> r = Raekker(h);
  ASSERT_GE(r.size(), 6u);
  // The row some way down the list, and the fewest first letters of its
  // name that lead there (the search takes the first row they begin).
  const size_t maal = r.size() / 2;
  const std::string navn = Navn(r[maal]);
  std::string forbogstaver;
  for (size_t k = 1; k <= navn.size(); ++k) {
    forbogstaver = navn.substr(0, k);
    size_t foerste = r.size();
    for (size_t i = 0; i < r.size() && foerste == r.size(); ++i)
      if (Sammenlign(Navn(r[i]).substr(0, k), forbogstaver, false) == 0) foerste = i;
    if (foerste == maal) break;
  }
  for (char &c : forbogstaver) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  OpenerHoertRyd();
  tavo::test::TypeText(forbogstaver.c_str());
  PumpUntilIdle();
  EXPECT_EQ(Kopi(v->PosY.Aktuel), maal + 1) << forbogstaver;
  EXPECT_TRUE(Notifikationer().empty()) << "typing tells the opener nothing";

  // Down and Up tell the opener when they are released; Space marks (the
  // single choice clearing every mark first), Space on another row moves
  // the mark there.
  const auto tast = [](UINT vk) {
    tavo::test::PressKey(vk);
    PumpUntilIdle();
  };
  tast(VK_DOWN);
  tast(VK_UP);
  tast(VK_SPACE);
  tast(VK_DOWN);
  tast(VK_SPACE);
  EXPECT_EQ(Notifikationer(), Som({{VALG_AKTUEL_SKIFTET, static_cast<int>(maal) + 1},
                                   {VALG_AKTUEL_SKIFTET, static_cast<int>(maal)},
                                   {VALG_ALLE_AFMARKERET, -1},
                                   {VALG_MARKERET, static_cast<int>(maal)},
                                   {VALG_AKTUEL_SKIFTET, static_cast<int>(maal) + 1},
                                   {VALG_ALLE_AFMARKERET, -1},
                                   {VALG_MARKERET, static_cast<int>(maal) + 1}},
                                  r, 'K'));
  EXPECT_EQ(Markerede(h), std::vector<uint32_t>{r[maal + 1]});

  // A click on a row makes it current and tells the opener.
  OpenerHoertRyd();
  NytKlik();
  Klik(v->ens.hwndCeller, 30, RaekkeY(2) + 5);
  EXPECT_EQ(Notifikationer(), Som({{VALG_AKTUEL_SKIFTET, 1}}, r, 'K'));

  // Enter hands the choice over with the key's own data and ends the window.
  OpenerHoertRyd();
  HovedHoert().clear();
  tavo::test::StartMessageLog();
  tast(VK_RETURN);
  const std::vector<tavo::test::LoggedMessage> log = tavo::test::StopMessageLog();
  LPARAM data = -1;
  for (const auto &m : log)
    if (m.hwnd == h && m.msg == WM_KEYDOWN && m.wParam == VK_RETURN) data = m.lParam;
  ASSERT_NE(data, -1);
  EXPECT_EQ(Notifikationer(), (std::vector<Hoert>{{VALG_AFSLUTTET, VK_RETURN, data}}));
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(HovedHoert(), (std::vector<Hoert>{{HOVED_INPUT_LUKKET, 0, 0}}));
}

// ==================================================================== marking

// Keys: S Space, I Insert, X Delete, D Down, U Up, E Esc, F Ctrl+F4.
TEST_F(ValgVindueMaerker, MarkingAsATable) {
  struct Tilfaelde {
    const char *hvad;
    uint32_t graense;
    bool forvalgt;
    std::vector<std::pair<int, uint8_t>> opener;  // marks bytes the opener writes (row, byte)
    uint32_t antal;                               // the marked count the opener sets
    const char *taster;
    std::vector<Ventet> ventet;
    std::vector<int> markerede;  // rows marked at the end (open windows)
    int kanSkifte;               // 1331 at the end, -1 not asked
    bool lukket;
  };
  const std::vector<Tilfaelde> tabel = {
      {"no mark limit: nothing is marked", 0, false, {}, 0, "SIDSX", {}, {}, 0, false},
      {"single choice: a second mark replaces the first",
       1, false, {}, 0, "SDS",
       {{VALG_ALLE_AFMARKERET, -1}, {VALG_MARKERET, 0}, {VALG_ALLE_AFMARKERET, -1}, {VALG_MARKERET, 1}},
       {1}, 1, false},
      {"single choice: Space again unmarks", 1, false, {}, 0, "SS",
       {{VALG_ALLE_AFMARKERET, -1}, {VALG_MARKERET, 0}, {VALG_AFMARKERET, 0}}, {}, 1, false},
      {"limit 3: the fourth is refused, Insert or Space", 3, false, {}, 0, "SDSDIDIS",
       {{VALG_MARKERET, 0}, {VALG_MARKERET, 1}, {VALG_MARKERET, 2}}, {0, 1, 2}, 0, false},
      {"limit 3: Delete frees a place", 3, false, {}, 0, "SDSDSXDS",
       {{VALG_MARKERET, 0}, {VALG_MARKERET, 1}, {VALG_MARKERET, 2}, {VALG_AFMARKERET, 2}, {VALG_MARKERET, 3}},
       {0, 1, 3}, 1, false},
      {"Insert on a marked record and Delete on an unmarked one do nothing", 3, false, {}, 0, "SIDX",
       {{VALG_MARKERET, 0}}, {0}, 1, false},
      {"blocked by the opener: Space and Insert refused", 3, false, {{0, 0x02}, {1, 0x10}}, 0, "SIDSI", {}, {},
       0, false},
      {"blocked and marked: Delete still unmarks", 3, false, {{0, 0x05}}, 1, "X", {{VALG_AFMARKERET, 0}}, {}, 0,
       false},
      {"blocked and marked: Space unmarks too", 1, false, {{0, 0x09}}, 1, "S", {{VALG_AFMARKERET, 0}}, {}, 0,
       false},
      {"Esc without a mark limit closes without a word", 0, true, {}, 0, "SE", {}, {}, -1, true},
      {"Esc with a limit clears the marks, then tells the end", 3, true, {}, 0, "SDSE",
       {{VALG_MARKERET, 0}, {VALG_MARKERET, 1}, {VALG_ALLE_AFMARKERET, 1}, {VALG_AFSLUTTET, VK_ESCAPE}}, {}, -1,
       true},
      {"Esc with a limit and no marks tells only the end", 1, true, {}, 0, "DE",
       {{VALG_AFSLUTTET, VK_ESCAPE}}, {}, -1, true},
      {"Ctrl+F4 is Esc", 2, true, {}, 0, "SF",
       {{VALG_MARKERET, 0}, {VALG_ALLE_AFMARKERET, 0}, {VALG_AFSLUTTET, VK_ESCAPE, 0}}, {}, -1, true},
      {"Enter on a pre-selection closes without a word", 1, true, {}, 0, "S\r",
       {{VALG_ALLE_AFMARKERET, -1}, {VALG_MARKERET, 0}}, {}, -1, true},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.hvad);
    ValgListe *liste = t.forvalgt ? NyListe(AktiveAktiviteter(5)) : nullptr;
    // Each window starts on its first row: the last one published its own.
    tvakti.AktuelRec = 0;
    HWND h = Aabn('K', t.graense, liste);
    ASSERT_TRUE(IsWindow(h));
    const std::vector<uint32_t> r = Raekker(h);
    ASSERT_GE(r.size(), 5u);
    auto *maerker = reinterpret_cast<uint8_t *>(SendMessageA(h, VALG_MAERKER, 0, 0));
    for (const auto &[raekke, byte] : t.opener) maerker[r[raekke]] = byte;
    if (t.antal) SendMessageA(h, VALG_SAET_ANTAL, t.antal, 0);
    OpenerHoertRyd();
    for (const char *k = t.taster; *k; ++k) {
      switch (*k) {
        case 'S': Tast(h, VK_SPACE); break;
        case 'I': Tast(h, VK_INSERT); break;
        case 'X': Tast(h, VK_DELETE); break;
        case 'D': Tast(h, VK_DOWN); break;
        case 'U': Tast(h, VK_UP); break;
        case 'E': Tast(h, VK_ESCAPE); break;
        case '\r': Tast(h, VK_RETURN); break;
        case 'F':
          tavo::test::PressKey(VK_F4, tavo::test::ModCtrl);
          PumpUntilIdle();
          break;
      }
    }
    std::vector<Hoert> hoert;
    for (const Hoert &b : Notifikationer())
      if (b.msg != VALG_AKTUEL_SKIFTET) hoert.push_back(b);
    EXPECT_EQ(hoert, Som(t.ventet, r, 'K'));
    EXPECT_EQ(IsWindow(h), !t.lukket);
    if (t.lukket) continue;
    std::vector<uint32_t> markerede;
    for (int i : t.markerede) markerede.push_back(r[i]);
    std::sort(markerede.begin(), markerede.end());
    EXPECT_EQ(Markerede(h), markerede);
    EXPECT_EQ(Kopi(Ws(h)->MarkeretAntal), markerede.size());
    // The opener's blocking bits stay whatever the keys did.
    for (const auto &[raekke, byte] : t.opener)
      EXPECT_EQ(maerker[r[raekke]] & kValgSpaerret, byte & kValgSpaerret) << "row " << raekke;
    if (t.kanSkifte >= 0) { EXPECT_EQ(SendMessageA(h, VALG_KAN_SKIFTE, 0, 0), t.kanSkifte); }
    DestroyWindow(h);
  }
}

// ==================================================================== sorting

TEST_F(ValgVindueSortering, SameButtonThreeTimesKeepsTheCurrentRecordInView) {
  // A window of a few rows, so that the current record must be scrolled to.
  HWND h = CreateValgWnd(0, opener, 'K', 10, 10, 780, 10 + 190, 1, 0, 0, nullptr, 0);
  PumpUntilIdle();
  VWS *v = Ws(h);
  std::vector<uint32_t> r = Raekker(h);
  ASSERT_GE(r.size(), 10u);
  const uint32_t aktuel = r[r.size() - 3];
  tvakti.AktuelRec = aktuel;
  SendMessageA(h, VALG_GENOPBYG, 0, 0);
  ASSERT_EQ(Kopi(v->SortButAntal), 4u);
  std::vector<HWND> knapper(v->hwndSortBut, v->hwndSortBut + 4);
  const std::vector<uint32_t> sorteret = [&] {
    std::vector<uint32_t> s = r;
    std::sort(s.begin(), s.end());
    return s;
  }();

  const auto klik = [&](int kolonne) {
    NytKlik();
    RECT rc;
    GetClientRect(knapper[kolonne], &rc);
    Klik(knapper[kolonne], rc.right / 2, rc.bottom / 2);
  };
  const auto billede = [&](int kolonne) { return reinterpret_cast<uintptr_t>(Knap(knapper[kolonne])->pictureName); };
  struct {
    int kolonne;
    bool faldende;
  } tabel[] = {{0, false}, {0, true}, {0, false}, {2, false}, {2, true}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << "column " << t.kolonne << (t.faldende ? " descending" : " ascending"));
    klik(t.kolonne);
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(billede(k), k != t.kolonne ? 0u : t.faldende ? 112u : 111u) << "button " << k;
    r = Raekker(h);
    std::vector<uint32_t> s = r;
    std::sort(s.begin(), s.end());
    EXPECT_EQ(s, sorteret) << "the same records";
    for (size_t i = 1; i < r.size(); ++i) {
      const AktiRec *a = TabRec<AktiRec>(tvakti, r[i - 1]), *b = TabRec<AktiRec>(tvakti, r[i]);
      const int c = t.kolonne == 0 ? Sammenlign(Navn(r[i - 1]), Navn(r[i]), true)
                                   : (a->Fradato < b->Fradato ? -1 : a->Fradato > b->Fradato ? 1 : 0);
      EXPECT_TRUE(t.faldende ? c >= 0 : c <= 0) << "rows " << i << " and " << i + 1;
    }
    EXPECT_EQ(SendMessageA(h, VALG_AKTUEL, 0, 0), static_cast<LRESULT>(aktuel));
    const uint32_t raekke = v->PosY.Aktuel;
    EXPECT_GE(GridCelleStart(&v->ens.AkseY, raekke), Kopi(v->ens.ScrollY));
    EXPECT_LT(GridCelleSlut(&v->ens.AkseY, raekke), v->ens.ScrollY + v->ens.RudeH[ENS_CELLER]);
  }
}

TEST_F(ValgVindueSortering, PreSelectionsMarkedLastAndTheScheduleOverlapListKept) {
  // Activities in an order of their own, two of them marked by the opener.
  std::vector<uint32_t> akti = AktiveAktiviteter(8);
  std::reverse(akti.begin(), akti.end());
  ValgListe *l = NyListe(akti);
  l->Maerker = static_cast<uint8_t *>(std::calloc(tvakti.wRecCnt, 1));
  l->MaerkeAntal = tvakti.wRecCnt;
  const std::vector<uint32_t> markeret = {akti[1], akti[4]};
  for (uint32_t m : markeret) l->Maerker[m] = 1;
  HWND h = Aabn('K', 0, l);
  SendMessageA(h, NYB_KLIK, kValgSortId + 0, 0);
  const std::vector<uint32_t> r = Raekker(h);
  ASSERT_EQ(r.size(), akti.size());
  const auto efterNavn = [](std::vector<uint32_t> v) {
    std::sort(v.begin(), v.end(), [](uint32_t a, uint32_t b) { return Sammenlign(Navn(a), Navn(b), true) < 0; });
    return v;
  };
  std::vector<uint32_t> umarkeret;
  for (uint32_t a : akti)
    if (std::find(markeret.begin(), markeret.end(), a) == markeret.end()) umarkeret.push_back(a);
  std::vector<uint32_t> ventet = efterNavn(umarkeret);
  for (uint32_t m : efterNavn(markeret)) ventet.push_back(m);
  EXPECT_EQ(r, ventet);
  DestroyWindow(h);

  // The schedule's overlap list of students keeps the order it was given.
  std::vector<uint32_t> elever;
  for (const char *cpr : {"0606060606", "0505050505", "0101010101", "0404040404", "0202020202", "0303030303"})
    elever.push_back(NyElev(cpr));
  l = NyListe(elever);
  l->ListeArt = kSkemaSammenfaldArt;
  l->TitelArt = kSammenfaldTitelArt;
  l->Bogstav = 'K';
  l->KildeRec = akti[0];
  h = Aabn(tdpers.TypeBogstav, 0, l);
  ASSERT_GE(Kopi(Ws(h)->SortButAntal), 1u);
  SendMessageA(h, NYB_KLIK, kValgSortId + 0, 0);
  SendMessageA(h, NYB_KLIK, kValgSortId + 0, 0);
  EXPECT_EQ(Raekker(h), elever);
}

// ==================================================================== layouts and groups

TEST_F(ValgVindueLayout, ShiftDigitChoosesTheLayout) {
  HWND h = Aabn('K', 1);
  VWS *v = Ws(h);
  ASSERT_EQ(Kopi(v->ListeLayoutAntal), 3u);
  const std::vector<HWND> gamle(v->hwndSortBut, v->hwndSortBut + v->SortButAntal);
  const auto tast = [](UINT vk, int mods) {
    tavo::test::PressKey(vk, mods);
    PumpUntilIdle();
  };
  // No layout 5, and 0 is none.
  tast('5', tavo::test::ModShift);
  tast('0', tavo::test::ModShift);
  EXPECT_EQ(Kopi(v->ListeValgt), 0u);
  tast('2', tavo::test::ModShift);
  EXPECT_EQ(Kopi(v->ListeValgt), 1u);
  EXPECT_EQ(ObjSwitchValgt(kValgListeArt, 'K'), 1u);
  // The width follows the layout: 123 + 243 + 123 = 489, 529 with the rest.
  RECT rc;
  GetWindowRect(h, &rc);
  EXPECT_EQ(rc.right - rc.left, 529);
  EXPECT_EQ(SendMessageA(h, ENS_BREDDE, 0x7FFFFFFF, 0), 529);
  // The sort buttons are the new layout's, the old ones gone.
  for (HWND g : gamle) EXPECT_FALSE(IsWindow(g));
  ASSERT_EQ(Kopi(v->SortButAntal), 3u);
  uint32_t x = 0;
  for (uint32_t i = 0; i < 3; ++i) {
    const BWS *b = Knap(v->hwndSortBut[i]);
    const char *navn = SwitchFeltNavn(&tdakti, ObjSwitchFeltNr(kValgListeArt, 'K', 1, i));
    EXPECT_STREQ(b->txt, navn);
    EXPECT_EQ(std::string(b->tooltxt), std::string("Sorter efter ") + navn);
    EXPECT_EQ(b->id, kValgSortId + i);
    EXPECT_EQ(Kopi(b->x), static_cast<int>(x));
    x += ObjSwitchFeltBredde(kValgListeArt, 'K', 1, i);
  }
  // Only the chosen layout's button is down.
  for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(Knap(v->ens.hwndSwitchButtons[i])->latched, i == 1 ? 1u : 0u) << i;
}

// Digits typed with Ctrl held choose a group when Ctrl is released, through
// the toolbar's message 1069.
TEST_F(ValgVindueLayout, CtrlDigitsChooseAGroupAsATable) {
  HWND h = Aabn('K', 1);
  VWS *v = Ws(h);
  const std::string foerste(1, static_cast<char>(std::tolower(static_cast<unsigned char>(Navn(Raekker(h)[2])[0]))));
  struct {
    const char *hvad;
    const char *foer;  // typed without Ctrl first
    std::vector<UINT> medCtrl;
    std::vector<WPARAM> grupper;
    const char *soegBagefter;
  } tabel[] = {
      {"1 and 2: group 12", "", {'1', '2'}, {12}, ""},
      {"3 and 0: group 30", "", {'3', '0'}, {30}, ""},
      {"3 and 1: no group 31", "", {'3', '1'}, {}, ""},
      {"3 and 5: nothing", "", {'3', '5'}, {}, ""},
      {"the keypad's 7", "", {VK_NUMPAD7}, {7}, ""},
      {"A: every group", "", {'A'}, {31}, ""},
      {"a letter searched before: nothing, the buffer emptied", foerste.c_str(), {'1'}, {}, ""},
      {"Ctrl alone keeps a search", foerste.c_str(), {}, {}, foerste.c_str()},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    v->ens.SoegTekst[0] = 0;
    tavo::test::TypeText(t.foer);
    PumpUntilIdle();
    tavo::test::StartMessageLog();
    tavo::test::KeyDown(VK_CONTROL);
    PumpUntilIdle();
    for (UINT k : t.medCtrl) {
      tavo::test::PressKey(k);
      PumpUntilIdle();
    }
    tavo::test::KeyUp(VK_CONTROL);
    PumpUntilIdle();
    std::vector<WPARAM> grupper;
    for (const auto &m : tavo::test::StopMessageLog())
      if (m.hwnd == v->ens.hwndToolbar && m.msg == TB_GRUPPE_INDEKS) grupper.push_back(m.wParam);
    EXPECT_EQ(grupper, t.grupper);
    EXPECT_STRCASEEQ(v->ens.SoegTekst, t.soegBagefter);
  }
}

// ==================================================================== mouse

TEST_F(ValgVindueMus, ClicksOnRowsMarksAndHeader) {
  HWND h = Aabn('K', 1);
  VWS *v = Ws(h);
  const std::vector<uint32_t> r = Raekker(h);
  const LPARAM hw = (LPARAM)h;

  // An inactive window asks its opener; a refusal swallows the click.
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  OpenerTillad() = 0;
  OpenerHoertRyd();
  NytKlik();
  Klik(v->ens.hwndCeller, 40, RaekkeY(3) + 5);
  EXPECT_EQ(Hoerte(), (std::vector<Hoert>{{ENS_MAA_AKTIVERES, 0, hw}}));
  EXPECT_EQ(Kopi(v->PosY.Aktuel), 1u);
  EXPECT_FALSE(v->ens.Aktiv);
  // Allowed: the window is activated, then the click sets the row and the
  // column.
  OpenerTillad() = 1;
  OpenerHoertRyd();
  NytKlik();
  Klik(v->ens.hwndCeller, 40, RaekkeY(3) + 5);
  EXPECT_EQ(Hoerte(), (std::vector<Hoert>{{ENS_MAA_AKTIVERES, 0, hw},
                                          {ENS_BLEV_AKTIV, 1, hw},
                                          {VALG_AKTUEL_SKIFTET, 'K', static_cast<LPARAM>(r[0])},
                                          {VALG_AKTUEL_SKIFTET, 'K', static_cast<LPARAM>(r[2])}}));
  EXPECT_TRUE(v->ens.Aktiv);
  EXPECT_EQ(Kopi(v->PosY.Aktuel), 3u);
  EXPECT_EQ(Kopi(v->PosX.Aktuel), 41u);

  // The mark column sets only the row, the header only the column, both
  // limited to the last.
  struct {
    const char *hvad;
    HWND rude;
    UINT besked;
    int x, y;
    uint32_t raekke, kolonne;
    bool fortalt;
  } tabel[] = {
      {"mark column, row 5", v->ens.hwndRaekkeHoved, ENS_RAEKKEHOVED_NED, 4, RaekkeY(5) + 2, 5, 41, true},
      {"mark column, the same row", v->ens.hwndRaekkeHoved, ENS_RAEKKEHOVED_NED, 4, RaekkeY(5) + 9, 5, 41, false},
      {"header, pixel 99", v->ens.hwndKolHoved, ENS_KOLHOVED_NED, 99, 4, 5, 100, false},
      {"rows far below the last", v->ens.hwndCeller, ENS_CELLER_NED, 10, 30000, static_cast<uint32_t>(r.size()),
       11, true},
      {"header past the last column", v->ens.hwndKolHoved, ENS_KOLHOVED_NED, 5000, 4,
       static_cast<uint32_t>(r.size()), v->PosX.Antal, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    OpenerHoertRyd();
    SendMessageA(h, t.besked, 0, MAKELPARAM(t.x, t.y));
    EXPECT_EQ(Kopi(v->PosY.Aktuel), t.raekke);
    EXPECT_EQ(Kopi(v->PosX.Aktuel), t.kolonne);
    EXPECT_EQ(Hoerte({VALG_AKTUEL_SKIFTET}).size(), t.fortalt ? 1u : 0u);
  }
}

TEST_F(ValgVindueMus, DoubleClicksToggleOnRowsAndGoToTheLastBelowThem) {
  ValgListe *l = NyListe(AktiveAktiviteter(3));
  HWND h = Aabn('K', 1, l);
  VWS *v = Ws(h);
  const std::vector<uint32_t> r = Raekker(h);
  ASSERT_GT(Kopi(v->ens.RudeH[ENS_CELLER]), RaekkeY(5));
  struct {
    const char *hvad;
    HWND rude;
    int y;
    std::vector<Ventet> ventet;
    std::vector<int> markerede;
  } tabel[] = {
      {"row 2: current, then marked", v->ens.hwndCeller, RaekkeY(2) + 5,
       {{VALG_AKTUEL_SKIFTET, 1}, {VALG_ALLE_AFMARKERET, -1}, {VALG_MARKERET, 1}}, {1}},
      {"row 2 again in the mark column: unmarked", v->ens.hwndRaekkeHoved, RaekkeY(2) + 5,
       {{VALG_AFMARKERET, 1}}, {}},
      {"below the last row: the last row, told twice, nothing marked", v->ens.hwndCeller, RaekkeY(5) + 5,
       {{VALG_AKTUEL_SKIFTET, 2}, {VALG_AKTUEL_SKIFTET, 2}}, {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    NytKlik();
    OpenerHoertRyd();
    const POINT p = Punkt(t.rude, 6, t.y);
    tavo::test::DoubleClick(p.x, p.y);
    PumpUntilIdle();
    EXPECT_EQ(Notifikationer(), Som(t.ventet, r, 'K'));
    std::vector<uint32_t> m;
    for (int i : t.markerede) m.push_back(r[i]);
    EXPECT_EQ(Markerede(h), m);
  }
  EXPECT_EQ(Kopi(v->PosY.Aktuel), 3u);
}

// The right button and the Apps key open the pick list of the window's
// keys; choosing "Luk vindue." is Esc.
TEST_F(ValgVindueMus, PickListOfTheKeysAsATable) {
  struct {
    const char *hvad;
    uint8_t bogstav;
    uint32_t graense;
    bool appsTast;
    const char *markering;
    std::vector<uint8_t> mulige;
  } tabel[] = {
      {"activities, single choice", 'K', 1, false, "Tilføj / slet aktivitet.", {1, 1, 1, 1, 1}},
      {"employees without marking, by the Apps key", 'M', 0, true, "Tilføj / slet medarbejder.", {1, 1, 0, 0, 1}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    HWND h = Aabn(t.bogstav, t.graense);
    VWS *v = Ws(h);
    HovedHoert().clear();
    OpenerHoertRyd();
    if (t.appsTast) {
      tavo::test::PressKey(VK_APPS);
      PumpUntilIdle();
    } else {
      NytKlik();
      const POINT p = Punkt(v->ens.hwndCeller, 30, RaekkeY(2) + 4);
      tavo::test::Click(p.x, p.y, 1);
      PumpUntilIdle();
    }
    ASSERT_EQ(HovedHoert().size(), 1u);
    EXPECT_EQ(HovedHoert()[0].msg, static_cast<UINT>(HOVED_INPUT_AABEN));
    const HWND liste = (HWND)HovedHoert()[0].l;
    const auto *si = reinterpret_cast<const ShortCutInfo *>(GetWindowLongPtrA(liste, GWLP_USERDATA));
    ASSERT_NE(si, nullptr);
    EXPECT_EQ(si->owner, h);
    ASSERT_EQ(Kopi(si->pos.Antal), 5u);
    EXPECT_STREQ(si->table->Poster[2].Beskrivelse, t.markering);
    EXPECT_STREQ(si->table->Poster[3].TastNavn, "<Dblt klik v. musetast>");
    EXPECT_STREQ(si->table->Poster[4].Beskrivelse, "Luk vindue.");
    EXPECT_EQ(std::vector<uint8_t>(si->available, si->available + 5), t.mulige);
    for (int i = 0; i < 4; ++i) {
      tavo::test::PressKey(VK_DOWN);
      PumpUntilIdle();
    }
    tavo::test::PressKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(liste));
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Hoerte({VALG_AFSLUTTET}).size(), t.graense ? 1u : 0u);
  }
  // A refused activation opens nothing.
  HWND h = Aabn('K', 1);
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  OpenerTillad() = 0;
  HovedHoert().clear();
  NytKlik();
  const POINT p = Punkt(Ws(h)->ens.hwndCeller, 30, 4);
  tavo::test::Click(p.x, p.y, 1);
  PumpUntilIdle();
  EXPECT_TRUE(HovedHoert().empty());
}

// The title line lies in the toolbar, whose click comes as a non-client
// click: an inactive window asks its opener, and on an answer of yes tells
// it that it is the active one.
TEST_F(ValgVindueMus, TitleLineClickOfAnInactiveWindow) {
  HWND h = Aabn('K', 1);
  VWS *v = Ws(h);
  const HWND titel = (HWND)SendMessageA(v->ens.hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0);
  ASSERT_TRUE(IsWindow(titel));
  const LPARAM hw = (LPARAM)h;
  for (LRESULT tillad : {0, 1}) {
    SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
    OpenerTillad() = tillad;
    OpenerHoertRyd();
    NytKlik();
    Klik(titel, 5, 5);
    std::vector<Hoert> ventet{{ENS_MAA_AKTIVERES, 0, hw}};
    if (tillad) ventet.push_back({ENS_BLEV_AKTIV, 1, hw});
    EXPECT_EQ(Hoerte(), ventet) << tillad;
  }
}

// ==================================================================== size

TEST_F(ValgVindueStoerrelse, BorderDragStaysBetweenTheLeastAndTheWholeLayout) {
  HWND h = CreateValgWnd(0, opener, 'K', 100, 60, 100 + 300, 60 + 180, 1, 0, 0, nullptr, 0);
  PumpUntilIdle();
  const int maksB = static_cast<int>(SendMessageA(h, ENS_BREDDE, 0x7FFFFFFF, 0));
  const int maksH = static_cast<int>(SendMessageA(h, ENS_HOEJDE, 0x7FFFFFFF, 0));
  ASSERT_GT(maksB, 320);
  ASSERT_GT(maksH, 220);
  struct {
    const char *hvad;
    bool hjoerne;  // the top-left corner, else the bottom-right
    int dx, dy;
    RECT rect;  // in the opener
  } tabel[] = {
      {"a little larger", false, 20, 30, {100, 60, 420, 270}},
      {"far larger: the whole layout", false, 900, 900, {100, 60, 100 + maksB, 60 + maksH}},
      {"far smaller: the least size", false, -900, -900, {100, 60, 250, 160}},
      {"by the top-left corner, far smaller: right and bottom stay", true, 600, 600, {250, 140, 400, 240}},
      {"by the top-left corner, larger", true, -60, -40, {40, 20, 400, 240}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    MoveWindow(h, 100, 60, 300, 180, TRUE);
    PumpUntilIdle();
    RECT rc;
    GetClientRect(h, &rc);
    NytKlik();
    const POINT p = t.hjoerne ? Punkt(h, 1, 1) : Punkt(h, rc.right - 2, rc.bottom - 2);
    tavo::test::Drag(p.x, p.y, p.x + t.dx, p.y + t.dy, 3);
    PumpUntilIdle();
    GetWindowRect(h, &rc);
    POINT o{rc.left, rc.top};
    ScreenToClient(opener, &o);
    EXPECT_EQ((RECT{o.x, o.y, o.x + rc.right - rc.left, o.y + rc.bottom - rc.top}), t.rect);
  }
  // Moved by its caption: with Ctrl held the left edge snaps to the
  // opener's when it comes within 10 pixels.
  for (bool ctrl : {false, true}) {
    MoveWindow(h, 100, 60, 300, 180, TRUE);
    NytKlik();
    const POINT p = Punkt(h, 60, 8);
    if (ctrl) tavo::test::KeyDown(VK_CONTROL);
    tavo::test::Drag(p.x, p.y, p.x - 95, p.y + 20, 3);
    PumpUntilIdle();
    if (ctrl) tavo::test::KeyUp(VK_CONTROL);
    PumpUntilIdle();
    RECT rc;
    GetWindowRect(h, &rc);
    POINT o{rc.left, rc.top};
    ScreenToClient(opener, &o);
    EXPECT_EQ(o.x, ctrl ? 0 : 5) << ctrl;
    EXPECT_EQ(o.y, 80) << ctrl;
    EXPECT_EQ(rc.right - rc.left, 300) << ctrl;
  }

  // What the window asks of the system loop: never larger than it wants.
  MINMAXINFO mmi{};
  mmi.ptMaxTrackSize = POINT{5000, 5000};
  SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMaxTrackSize.x, maksB);
  EXPECT_EQ(mmi.ptMaxTrackSize.y, maksH);
  mmi.ptMaxTrackSize = POINT{200, 140};
  SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  EXPECT_EQ(mmi.ptMaxTrackSize.x, 200);
  EXPECT_EQ(mmi.ptMaxTrackSize.y, 140);
}

// ==================================================================== drawing

// The two neighbouring pixels a fill with colour index k's brush gives (one
// colour twice for a plain brush, both of a checkerboard's), in order.
std::pair<COLORREF, COLORREF> BrushPar(int k) {
  HDC skaerm = GetDC(0);
  HDC dc = CreateCompatibleDC(skaerm);
  HBITMAP bm = CreateCompatibleBitmap(skaerm, 8, 8);
  HGDIOBJ gammel = SelectObject(dc, bm);
  const RECT r{0, 0, 8, 8};
  FillRect(dc, &r, FarveBrush[k]);
  std::pair<COLORREF, COLORREF> p{tavo::test::SurfacePixel(dc, 0, 4), tavo::test::SurfacePixel(dc, 1, 4)};
  SelectObject(dc, gammel);
  DeleteObject(bm);
  DeleteDC(dc);
  ReleaseDC(0, skaerm);
  if (p.first > p.second) std::swap(p.first, p.second);
  return p;
}
// The same two pixels of a row of the rows pane.
std::pair<COLORREF, COLORREF> RaekkePar(HWND rude, int y) {
  std::pair<COLORREF, COLORREF> p{tavo::test::WindowPixel(rude, 0, y), tavo::test::WindowPixel(rude, 1, y)};
  if (p.first > p.second) std::swap(p.first, p.second);
  return p;
}

// The text drawn at (x, y) of a pane, the last time.
std::string TekstVed(HWND rude, int x, int y) {
  std::string t = "<none>";
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == rude && d.x == x && d.y == y) t = d.text;
  return t;
}

TEST_F(ValgVindueTegning, WholeTableListAsAUserSeesIt) {
  HWND h = Aabn('K', 1);
  ASSERT_TRUE(IsWindow(h));
  VWS *v = Ws(h);
  const std::vector<uint32_t> r = Raekker(h);
  Tast(h, VK_DOWN);
  Tast(h, VK_SPACE);
  Tast(h, VK_DOWN);
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_PAINT, 0, 0);
  // Looked at once: the caption, the current activity in the title line,
  // the sort buttons over the columns, the mark on row 2, row 3 current.
  ASSERT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/valgvindue.png"));

  const HWND titel = (HWND)SendMessageA(v->ens.hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0);
  EXPECT_EQ(TekstVed(titel, 2, 0), Udfyldt(Navn(r[2]), 15));
  EXPECT_EQ(TekstVed(v->ens.hwndRaekkeHoved, 2, RaekkeY(2)), "\xFB");
  EXPECT_EQ(TekstVed(v->ens.hwndRaekkeHoved, 2, RaekkeY(3)), " ");
  EXPECT_EQ(TekstVed(v->ens.hwndCeller, 2, RaekkeY(3)), Udfyldt(Navn(r[2]), 15));
  const char *overskrifter[] = {"Aktivitet", "Type", "Fradato", "Tildato"};
  for (uint32_t i = 0; i < 4; ++i) EXPECT_STREQ(Knap(v->hwndSortBut[i])->txt, overskrifter[i]);

  // The current row in the caption colour of an active window, then of an
  // inactive one; the line under each row in the 3-D dark shadow.
  EXPECT_EQ(RaekkePar(v->ens.hwndCeller, RaekkeY(3) + 4), BrushPar(1));
  EXPECT_EQ(RaekkePar(v->ens.hwndCeller, RaekkeY(2) + 4), BrushPar(0));
  EXPECT_EQ(tavo::test::WindowPixel(v->ens.hwndCeller, 0, RaekkeY(2) + 11), GetSysColor(COLOR_3DDKSHADOW));
  SendMessageA(h, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_EQ(RaekkePar(v->ens.hwndCeller, RaekkeY(3) + 4), BrushPar(2));

  // Publishing: the table's current record is the current row's, and every
  // listed window but the list itself hears of it.
  EXPECT_EQ(tvakti.AktuelRec, r[2]);
  static std::vector<Hoert> hoert;
  hoert.clear();
  wfb_test::Registrer("ValgLytter", [](HWND lh, UINT m, WPARAM w, LPARAM lp) -> LRESULT {
    if (m == AKTUEL_AENDRET) hoert.push_back({m, w, lp});
    return DefWindowProcA(lh, m, w, lp);
  });
  HWND lytter = CreateWindowExA(0, "ValgLytter", "", WS_CHILD, 0, 0, 10, 10, desktop, 0, 0, nullptr);
  VinduesListeTilfoej(lytter);
  SendMessageA(h, VINDUE_SAET_AKTIV, 0, 0);
  Tast(h, VK_UP);
  EXPECT_EQ(hoert, (std::vector<Hoert>{{AKTUEL_AENDRET, 'K', static_cast<LPARAM>(r[1])}}));
  EXPECT_EQ(tvakti.AktuelRec, r[1]);
  VinduesListeFjern(lytter);
}

// Rows of a pre-selection whose list marks a record: a marked row takes
// class 36, or 37 and 38 as the current row of an active and an inactive
// window.
TEST_F(ValgVindueTegning, MarkedRowsOfAPreSelectionAsATable) {
  ValgListe *l = NyListe(AktiveAktiviteter(3));
  l->Maerker = static_cast<uint8_t *>(std::calloc(tvakti.wRecCnt, 1));
  l->MaerkeAntal = tvakti.wRecCnt;
  l->Maerker[l->ObjTab[2]] = 1;
  HWND h = Aabn('K', 0, l);
  VWS *v = Ws(h);
  struct {
    bool aktiv;
    uint32_t raekke;
    int klasser[3];
  } tabel[] = {
      {true, 2, {0, 37, 0}},
      {false, 2, {0, 38, 0}},
      {true, 1, {1, 36, 0}},
      {false, 3, {0, 36, 2}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << (t.aktiv ? "active" : "inactive") << ", row " << t.raekke);
    v->PosY.Aktuel = t.raekke;
    SendMessageA(h, t.aktiv ? VINDUE_SAET_AKTIV : VINDUE_DEAKTIVER, 0, 0);
    SendMessageA(h, WM_PAINT, 0, 0);
    for (uint32_t r = 1; r <= 3; ++r)
      EXPECT_EQ(RaekkePar(v->ens.hwndCeller, RaekkeY(r) + 4), BrushPar(t.klasser[r - 1])) << "row " << r;
  }
}

// " Elevsammenfald på hold" of the schedule: the pairs' lists joined, each
// student with the other activity, shown on the first row of each pair.
TEST_F(ValgVindueTegning, OverlapListShowsTheActivitiesAndTheCount) {
  const std::vector<uint32_t> akti = AktiveAktiviteter(3);
  std::vector<uint32_t> elever;
  for (const char *cpr : {"0101010101", "0202020202", "0303030303", "0404040404", "0505050505"})
    elever.push_back(NyElev(cpr));
  ValgListe *l = NyListe(elever);
  l->Vaerdier = static_cast<uint32_t *>(std::calloc(6, sizeof(uint32_t)));
  const uint32_t vaerdier[] = {akti[1], akti[1], akti[2], akti[2], akti[2]};
  for (int i = 0; i < 5; ++i) l->Vaerdier[i + 1] = vaerdier[i];
  l->KildeRec = akti[0];
  l->ListeArt = kSkemaSammenfaldArt;
  l->TitelArt = kSammenfaldTitelArt;
  l->Bogstav = 'K';
  l->Caption = " Elevsammenfald på hold";
  HWND h = Aabn(tdpers.TypeBogstav, 0, l);
  VWS *v = Ws(h);
  const HWND titel = (HWND)SendMessageA(v->ens.hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0);
  const int anden = static_cast<int>(ObjSwitchBredde(kSammenfaldTitelArt, 'K', 0));
  const int antal = anden + static_cast<int>(ObjSwitchBredde(kSammenfaldTitelArt, 'K', 1));
  const int hold = static_cast<int>(ObjSwitchFeltStart(kSkemaSammenfaldArt, '!', 0, 3)) + 2;
  RECT rc;
  GetClientRect(titel, &rc);
  ASSERT_GT(rc.right, antal + 40) << "the count is in view";

  for (uint32_t aktuel : {1u, 3u}) {
    SCOPED_TRACE(testing::Message() << "row " << aktuel);
    v->PosY.Aktuel = aktuel;
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, WM_PAINT, 0, 0);
    EXPECT_EQ(TekstVed(titel, 2, 0), Udfyldt(Navn(akti[0]), 15));
    EXPECT_EQ(TekstVed(titel, anden + 2, 0), Udfyldt(Navn(vaerdier[aktuel - 1]), 15));
    EXPECT_EQ(TekstVed(titel, antal, 0), "    5");
    for (uint32_t r = 1; r <= 5; ++r) {
      const bool foerst = r == 1 || vaerdier[r - 1] != vaerdier[r - 2];
      EXPECT_EQ(TekstVed(v->ens.hwndCeller, hold, RaekkeY(r)),
                Udfyldt(foerst ? Navn(vaerdier[r - 1]) : "", 15))
          << "row " << r;
    }
  }
}

// Scrolled sideways, the sort buttons follow their columns and leave the
// header row where their columns do.
TEST_F(ValgVindueTegning, SortButtonsFollowTheColumnsSideways) {
  HWND h = CreateValgWnd(0, opener, 'K', 10, 10, 10 + 260, 500, 1, 0, 0, nullptr, 0);
  PumpUntilIdle();
  VWS *v = Ws(h);
  for (uint32_t scroll : {0u, 130u, 250u}) {
    SCOPED_TRACE(testing::Message() << "scrolled " << scroll);
    v->ens.ScrollX = scroll;
    SendMessageA(h, ENS_KOLHOVED_TEGN, 0, 0);
    const int bredde = v->ens.RudeB[ENS_KOLHOVED];
    uint32_t start = 0;
    for (uint32_t i = 0; i < v->SortButAntal; ++i) {
      const HWND k = v->hwndSortBut[i];
      const int b = static_cast<int>(ObjSwitchFeltBredde(kValgListeArt, 'K', 0, i));
      const int x = static_cast<int>(start) - static_cast<int>(scroll);
      start += static_cast<uint32_t>(b);
      const bool synlig = x + b > 0 && x < bredde;
      EXPECT_EQ(IsWindowVisible(k) != 0, synlig) << "button " << i;
      if (!synlig) continue;
      RECT rk;
      GetWindowRect(k, &rk);
      POINT p{rk.left, rk.top};
      ScreenToClient(v->ens.hwndKolHoved, &p);
      EXPECT_EQ(p.x, x) << "button " << i;
    }
  }
}

// ==================================================================== keys

// What the window answers when the pick list or another window offers it
// a key; nothing changes by the asking.
TEST_F(ValgVindueTaster, OfferedKeysAsATable) {
  HWND h = Aabn('K', 1);
  VWS *v = Ws(h);
  HWND uden = Aabn('K', 0);
  struct {
    const char *hvad;
    HWND vindue;
    int32_t ctrl;
    UINT tast;
    LRESULT svar;
  } tabel[] = {
      {"Space with a mark limit", h, 0, VK_SPACE, 1},
      {"Space without one", uden, 0, VK_SPACE, 0},
      {"Insert", h, 0, VK_INSERT, 1},
      {"Delete on an unmarked record", h, 0, VK_DELETE, 0},
      {"Down", h, 0, VK_DOWN, 1},
      {"Esc", h, 0, VK_ESCAPE, 1},
      {"Enter", h, 0, VK_RETURN, 1},
      {"F3", h, 0, VK_F3, 1},
      {"Ctrl+F4", h, 1, VK_F4, 1},
      {"Apps", h, 0, VK_APPS, 1},
      {"F5, past the window's keys", h, 0, VK_F5, 0},
      {"Tab, before them", h, 0, VK_TAB, 0},
  };
  for (const auto &t : tabel) {
    TastInfo tast{0, t.ctrl, 0, WM_KEYDOWN, t.tast, 0, 0, 0};
    EXPECT_EQ(SendMessageA(t.vindue, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&tast)), t.svar) << t.hvad;
  }
  EXPECT_EQ(Kopi(v->PosY.Aktuel), 1u);
  EXPECT_TRUE(Markerede(h).empty());
  EXPECT_TRUE(IsWindow(h));
}

// With the key trace on, every key the window's command takes is written
// to log/Tast.log; a key the type-ahead takes is not.
TEST_F(ValgVindueTaster, TheKeyTraceGetsTheTakenKeys) {
  GlobalIndstillinger.tastlog = 1;
  StartTastLog();
  HWND h = Aabn('K', 1);
  const char bogstav = Navn(Raekker(h)[3])[0];
  SendMessageA(h, WM_KEYDOWN, static_cast<WPARAM>(std::toupper(static_cast<unsigned char>(bogstav))), 0);
  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
  LukTastLog();
  GlobalIndstillinger.tastlog = 0;
  std::ifstream f(rod / "log" / "Tast.log");
  std::vector<std::string> linjer;
  for (std::string s; std::getline(f, s);) {
    if (!s.empty() && s.back() == '\r') s.pop_back();
    if (s.rfind("Tast:", 0) == 0) linjer.push_back(s);
  }
  EXPECT_EQ(linjer, (std::vector<std::string>{"Tast: DOWN ARROW key", "Tast: SPACEBAR"}));
}

TEST_F(ValgVindueTaster, AltMinusOpensTheSystemMenu) {
  HWND h = Aabn('K', 1);
  tavo::test::StartMessageLog();
  SendMessageA(h, WM_SYSCHAR, '-', 0);
  SendMessageA(h, WM_SYSCHAR, 'x', 0);
  std::vector<LPARAM> menu;
  for (const auto &m : tavo::test::StopMessageLog())
    if (m.hwnd == h && m.msg == WM_SYSCOMMAND && m.wParam == SC_KEYMENU) menu.push_back(m.lParam);
  EXPECT_EQ(menu, (std::vector<LPARAM>{' ', 'x'}));
}

}  // namespace
