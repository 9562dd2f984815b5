// The selection window driven by its opener's messages over the small
// school: the lists the menu opens (checked against a plain scan and an
// order worked out apart from the window), its size, the protocol message by
// message, a table that grows while the window is open, the two student
// lists and the window's end.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RECPRED.h"
#include "SKOLEDATA.h"
#include "tavo/test_gdi.h"
#include "valg_support.h"

namespace {

using valg_test::Hoert;
using valg_test::HovedHoert;
using valg_test::Kopi;
using valg_test::Sammenlign;
using valg_test::kIdag;
using valg_test::kMaaned;
using valg_test::ValgTest;

template <size_t N>
void Tekst(char (&felt)[N], const char *s) {
  std::snprintf(felt, N, "%s", s);
}

// ---- an order worked out apart from the window

// What a whole-table list of the letter must hold for the mask and month,
// by a plain scan of the records; in the order of field 1's text (Danish
// for text fields, by bytes for the employee's foreign key), then the id.
std::vector<uint32_t> Forventet(char bogstav, uint32_t maske, uint32_t maaned) {
  struct Post {
    uint32_t rec, id;
    std::string navn;
  };
  std::vector<Post> poster;
  auto periode = [&](uint32_t fra, uint32_t til) { return maaned == 0 || (fra / 100 <= maaned && maaned <= til / 100); };
  auto aktiv = [](uint8_t s) { return s >= 10 && s <= 29; };
  switch (bogstav) {
    case 'K':
      for (uint32_t r = 0; r < tvakti.wRecCnt; ++r) {
        const AktiRec *a = TabRec<AktiRec>(tvakti, r);
        if (aktiv(a->Status) && periode(a->Fradato, a->Tildato) && (a->Gruppe & maske) &&
            !FeltErTekst(a->Type, sizeof a->Type, "OVAK") && a->Aktivitet[0] != '*')
          poster.push_back({r, a->id, std::string(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet))});
      }
      break;
    case 'M':
      for (uint32_t r = 0; r < tvanfo.wRecCnt; ++r) {
        const AnfoRec *a = TabRec<AnfoRec>(tvanfo, r);
        const MedaRec *m = TabRec<MedaRec>(tvmeda, a->meda_id);
        if (aktiv(a->Status) && periode(a->Fradato, a->Tildato) && (a->Gruppe & maske))
          poster.push_back({r, a->id, m ? std::string(m->Initialer, strnlen(m->Initialer, sizeof m->Initialer)) : ""});
      }
      break;
    case 'L':
      for (uint32_t r = 0; r < tvloka.wRecCnt; ++r) {
        const LokaRec *l = TabRec<LokaRec>(tvloka, r);
        if (aktiv(l->Status) && periode(l->Fradato, l->Tildato) && (l->Gruppe & maske))
          poster.push_back({r, l->id, std::string(l->Lokalenr, strnlen(l->Lokalenr, sizeof l->Lokalenr))});
      }
      break;
    case 'U':
      for (uint32_t r = 0; r < tvskfa.wRecCnt; ++r) {
        const SkfaRec *s = TabRec<SkfaRec>(tvskfa, r);
        if (aktiv(s->Status)) poster.push_back({r, s->id, std::string(s->Skolefag, strnlen(s->Skolefag, sizeof s->Skolefag))});
      }
      break;
    case 'R':
      for (uint32_t r = 0; r < tvrisy.wRecCnt; ++r) {
        const RisyRec *s = TabRec<RisyRec>(tvrisy, r);
        if (aktiv(s->Status))
          poster.push_back({r, s->id, std::string(s->Ringesystem, strnlen(s->Ringesystem, sizeof s->Ringesystem))});
      }
      break;
  }
  const bool dansk = bogstav != 'M';
  std::stable_sort(poster.begin(), poster.end(), [&](const Post &a, const Post &b) {
    const int c = Sammenlign(a.navn, b.navn, dansk);
    return c != 0 ? c < 0 : a.id < b.id;
  });
  std::vector<uint32_t> ud;
  for (const Post &p : poster) ud.push_back(p.rec);
  return ud;
}

class ValgModel : public ValgTest {
 protected:
  uint32_t NyAkti(const char *navn, uint8_t status, uint32_t gruppe, Dato fra = SKOLE_FRADATO,
                  Dato til = SKOLE_TILDATO, const char *type = "HOLD") {
    const uint32_t nr = NewRec(&tdakti, &tvakti);
    EXPECT_NE(nr, 0u);
    AktiRec *a = TabRec<AktiRec>(tvakti, nr);
    a->id = 500000 + nr;
    Tekst(a->Aktivitet, navn);
    Tekst(a->Type, type);
    a->Status = status;
    a->Gruppe = gruppe;
    a->Fradato = fra;
    a->Tildato = til;
    return nr;
  }
  uint32_t NyAnfo(const char *initialer, uint32_t gruppe) {
    const uint32_t m = NewRec(&tdmeda, &tvmeda);
    MedaRec *meda = TabRec<MedaRec>(tvmeda, m);
    meda->id = 600000 + m;
    meda->Status = 10;
    Tekst(meda->Initialer, initialer);
    const uint32_t nr = NewRec(&tdanfo, &tvanfo);
    AnfoRec *a = TabRec<AnfoRec>(tvanfo, nr);
    a->id = 600000 + nr;
    a->meda_id = m;
    a->Status = 10;
    a->Gruppe = gruppe;
    a->Fradato = SKOLE_FRADATO;
    a->Tildato = SKOLE_TILDATO;
    return nr;
  }
  // Activities, employments and rooms of odd record number join the group.
  static void UligeIGruppe(TabVar &tv, const TabDesc &td, size_t gruppeOff, uint32_t bit) {
    for (uint32_t r = 1; r < tv.wRecCnt; r += 2) {
      uint8_t *rec = GetRec(&td, &tv, r);
      uint32_t g;
      std::memcpy(&g, rec + gruppeOff, 4);
      g |= bit;
      std::memcpy(rec + gruppeOff, &g, 4);
    }
  }
};

class ValgModelAabning : public ValgModel {};
class ValgModelStoerrelse : public ValgModel {};
class ValgModelProtokol : public ValgModel {};
class ValgModelVaekst : public ValgModel {};

// ==================================================================== opening

TEST_F(ValgModelAabning, MenuListsOfEveryTable) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  UligeIGruppe(tvloka, tdloka, offsetof(LokaRec, Gruppe), 0x20);
  UligeIGruppe(tvanfo, tdanfo, offsetof(AnfoRec, Gruppe), 0x4);
  HuskGruppe[GRP_ANFO] = 0x6;
  // The made school's ring systems are not active (status 1): half become so.
  for (uint32_t r = 1; r < tvrisy.wRecCnt; r += 2) TabRec<RisyRec>(tvrisy, r)->Status = 10;
  // Group 5 activities the list leaves out, and Danish names it orders.
  const uint32_t stjerne = NyAkti("*Arkiv", 10, 0x20), fravaer = NyAkti("SYG", 10, 0x20, SKOLE_FRADATO,
                                                                             SKOLE_TILDATO, "OVAK");
  const uint32_t status30 = NyAkti("Central", 30, 0x20), status9 = NyAkti("Inaktiv", 9, 0x20);
  const uint32_t senere = NyAkti("Forår", 10, 0x20, 20270101, 20270331);
  const uint32_t aa = NyAkti("Åben-hold", 10, 0x20), ae = NyAkti("ærø-hold", 29, 0x20), z = NyAkti("Zulu-hold", 10, 0x20);
  // Employees: the key's first field is a foreign key, ordered by its bytes.
  const uint32_t mAa = NyAnfo("ÅB", 0x2), mAe = NyAnfo("ÆB", 0x2);

  struct {
    char bogstav;
    const char *caption;
    uint32_t maske;
  } tabel[] = {
      {'K', " Valg af aktiviteter", 0x20},  {'M', " Valg af medarbejdere", 0x6}, {'L', " Valg af lokaler", 0x20},
      {'U', " Valg af skolefag", 0x20},     {'R', " Valg af ringetid", 0x20},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(std::string(1, t.bogstav));
    tavo::test::ClearDrawnTexts();
    HWND h = Aabn(static_cast<uint8_t>(t.bogstav));
    ASSERT_TRUE(IsWindow(h));
    const VWS *v = Ws(h);
    EXPECT_STREQ(v->ens.Titel, t.caption);
    EXPECT_EQ(Kopi(v->GruppeMaske), t.maske);
    EXPECT_EQ(Kopi(v->MaerkeGraense), 1u);
    EXPECT_EQ(GetDlgCtrlID(h), kValgVindueId);
    const std::vector<uint32_t> raekker = Raekker(h);
    EXPECT_EQ(raekker, Forventet(t.bogstav, t.maske, kMaaned));
    EXPECT_FALSE(raekker.empty());
    EXPECT_EQ(Kopi(v->PosY.Antal), raekker.size());
    EXPECT_EQ(Kopi(v->PosY.Aktuel), 1u);
    EXPECT_TRUE(v->ens.Aktiv && v->ens.CaptionAktiv);
    EXPECT_EQ(GetFocus(), h);
    if (t.bogstav == 'K') {
      for (uint32_t ude : {stjerne, fravaer, status30, status9, senere})
        EXPECT_EQ(std::count(raekker.begin(), raekker.end(), ude), 0) << "record " << ude;
      const auto pos = [&](uint32_t r) { return std::find(raekker.begin(), raekker.end(), r) - raekker.begin(); };
      EXPECT_LT(pos(z), pos(ae));
      EXPECT_LT(pos(ae), pos(aa));
      // The rows are drawn by the list layout: the first row's name at (2, 0).
      const auto *a = TabRec<AktiRec>(tvakti, raekker[0]);
      std::string navn(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet));
      navn.resize(15, ' ');
      bool tegnet = false;
      for (const auto &d : tavo::test::DrawnTexts())
        tegnet |= d.hwnd == v->ens.hwndCeller && d.x == 2 && d.y == 0 && d.text == navn;
      EXPECT_TRUE(tegnet) << navn;
    }
    if (t.bogstav == 'M') {
      const auto pos = [&](uint32_t r) { return std::find(raekker.begin(), raekker.end(), r) - raekker.begin(); };
      EXPECT_LT(pos(mAa), pos(mAe)) << "not in Danish order: Å (0xC5) before Æ (0xC6)";
    }
    DestroyWindow(h);
  }
  // Each window told the main window it opened and closed.
  size_t aabnet = 0, lukket = 0;
  for (const Hoert &b : HovedHoert()) {
    aabnet += b.msg == HOVED_INPUT_AABEN;
    lukket += b.msg == HOVED_INPUT_LUKKET;
  }
  EXPECT_EQ(aabnet, std::size(tabel));
  EXPECT_EQ(lukket, std::size(tabel));
}

TEST_F(ValgModelAabning, MonthFilterAndCurrentRow) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  const uint32_t senere = NyAkti("Forår", 10, 0x20, 20270101, 20270331);
  HWND h = Aabn('K');
  VWS *v = Ws(h);
  EXPECT_EQ(Raekker(h), Forventet('K', 0x20, kMaaned));

  // The opener's month, and no month at all.
  for (uint32_t maaned : {202702u, 0u, kMaaned}) {
    SendMessageA(h, VALG_GENOPBYG_DATO, 0, maaned);
    const std::vector<uint32_t> r = Raekker(h);
    EXPECT_EQ(r, Forventet('K', 0x20, maaned)) << maaned;
    EXPECT_EQ(std::count(r.begin(), r.end(), senere), maaned == kMaaned ? 0 : 1) << maaned;
  }

  // The current row follows the table's current-record word.
  const std::vector<uint32_t> raekker = Raekker(h);
  ASSERT_GE(raekker.size(), 3u);
  const uint32_t udenfor = 2;  // an even record: not in group 5
  ASSERT_EQ(std::count(raekker.begin(), raekker.end(), udenfor), 0);
  struct {
    uint32_t aktuelRec;
    uint32_t raekke;
  } tabel[] = {
      {raekker[2], 3},
      {raekker.back(), static_cast<uint32_t>(raekker.size())},
      {udenfor, 1},
      {0, 1},
      {tvakti.wRecCnt, 1},
      {tvakti.wRecCnt + 7, 1},
  };
  for (const auto &t : tabel) {
    tvakti.AktuelRec = t.aktuelRec;
    OpenerHoertRyd();
    SendMessageA(h, VALG_GENOPBYG, 0, 0);
    EXPECT_EQ(Kopi(v->PosY.Aktuel), t.raekke) << t.aktuelRec;
    EXPECT_EQ(SendMessageA(h, VALG_AKTUEL, 0, 0), static_cast<LRESULT>(raekker[t.raekke - 1]));
    EXPECT_EQ(Hoerte({VALG_AKTUEL_SKIFTET}),
              (std::vector<Hoert>{{VALG_AKTUEL_SKIFTET, 'K', static_cast<LPARAM>(raekker[t.raekke - 1])}}));
  }
  // An empty list has no current row.
  SendMessageA(h, GRUPPE_VALGT, 6, 0);
  EXPECT_TRUE(Raekker(h).empty());
  EXPECT_EQ(Kopi(v->PosY.Aktuel), 0u);
  EXPECT_EQ(SendMessageA(h, VALG_AKTUEL, 0, 0), 0);
}

// Widths: layout 0 of list kind 46 for 'K' is 123 + 83 + 67 + 67 = 340
// pixels, the mark column 13; scroll bar 16, 3, and a frame of 4 on each
// side: 380 with a mark limit, 367 without. A list kind without a layout
// for the letter is 27 wide. Heights: 16 + 3 + 12 x rows + 40 + caption
// 19 + 2 x 4 = 86 + 12 x rows, at least five rows.
TEST_F(ValgModelStoerrelse, WidthAndHeightAsATable) {
  int aktive = 0;
  for (uint32_t r = 0; r < tvakti.wRecCnt; ++r) {
    const uint8_t s = TabRec<AktiRec>(tvakti, r)->Status;
    aktive += s >= 10 && s <= 29;
  }
  ASSERT_GT(aktive, 5);
  const int H = 86 + 12 * aktive;
  constexpr uint32_t kFri = 0x7FFFFFFF;
  struct {
    const char *hvad;
    char bogstav;
    uint32_t graense;
    int forvalgte;  // entries of a pre-selection drawn by kind 48; -1 for the whole table
    uint32_t pladsB;
    int bredde;
    uint32_t pladsH;
    int hoejde;
  } tabel[] = {
      {"whole table, mark limit", 'K', 1, -1, kFri, 380, kFri, H},
      {"no mark limit", 'K', 0, -1, kFri, 367, kFri, H},
      {"room exactly reached", 'K', 1, -1, 380, 380, static_cast<uint32_t>(H), H},
      {"room one short", 'K', 1, -1, 379, 379, static_cast<uint32_t>(H - 1), H - 1},
      {"small room", 'K', 1, -1, 90, 90, 90, 90},
      {"no room given", 'K', 1, -1, 0, 380, 0, H},
      {"two entries: five rows, least width", 'R', 0, 2, kFri, 150, kFri, 146},
      {"seven entries", 'R', 0, 7, kFri, 150, kFri, 170},
      {"narrow list in a room below the least width", 'R', 0, 2, 120, 150, 140, 140},
  };
  for (const auto &t : tabel) {
    ValgListe *l = nullptr;
    if (t.forvalgte >= 0) {
      l = NyListe(std::vector<uint32_t>(static_cast<size_t>(t.forvalgte), 1));
      l->ListeArt = kElevListeArt;
    }
    HWND h = Aabn(static_cast<uint8_t>(t.bogstav), t.graense, l);
    ASSERT_TRUE(IsWindow(h)) << t.hvad;
    EXPECT_EQ(SendMessageA(h, ENS_BREDDE, t.pladsB, 0), t.bredde) << t.hvad;
    EXPECT_EQ(SendMessageA(h, ENS_HOEJDE, t.pladsH, 0), t.hoejde) << t.hvad;
    DestroyWindow(h);
  }

  // The user's chosen layout sizes the window from the start: layout 1 of
  // 'K' is 123 + 243 + 123 = 489 wide, 529 with the rest.
  ObjSwitchVaelg(kValgListeArt, 'K', 1);
  HWND valgt = Aabn('K');
  RECT rv;
  GetWindowRect(valgt, &rv);
  EXPECT_EQ(rv.right - rv.left, 529);
  EXPECT_EQ(SendMessageA(valgt, ENS_BREDDE, kFri, 0), 529);
  DestroyWindow(valgt);
  ObjSwitchVaelg(kValgListeArt, 'K', 0);

  // The window is made at the size it wants for the room right and below
  // of its corner.
  HWND h = CreateValgWnd(0, opener, 'K', 20, 30, 320, 530, 1, 0, 0, nullptr, 0);
  RECT r;
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, std::min(500, H));
  POINT p{r.left, r.top};
  ScreenToClient(opener, &p);
  EXPECT_EQ(p.x, 20);
  EXPECT_EQ(p.y, 30);
}

// ==================================================================== protocol

TEST_F(ValgModelProtokol, MessagesInTurn) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  HWND h = Aabn('K', 1, nullptr, 4711);
  VWS *v = Ws(h);
  const std::vector<uint32_t> raekker = Raekker(h);
  ASSERT_GE(raekker.size(), 2u);
  const LPARAM foerste = raekker[0];
  const LPARAM hw = (LPARAM)h;
  const Hoert aktuel{VALG_AKTUEL_SKIFTET, 'K', foerste};

  struct Trin {
    const char *hvad;
    UINT msg;
    WPARAM w;
    LPARAM l;
    LRESULT svar;
    std::vector<Hoert> hoert;
    std::function<void()> tjek;
  };
  const Trin trin[] = {
      {"width wanted", ENS_BREDDE, 0x7FFFFFFF, 0, 380, {}, nullptr},
      {"height within the room", ENS_HOEJDE, 100, 0, 100, {}, nullptr},
      {"the opener's value", VINDUE_ART, 0, 0, 4711, {}, nullptr},
      {"the current record", VALG_AKTUEL, 0, 0, foerste, {}, nullptr},
      {"deactivate", VINDUE_DEAKTIVER, 0, 0, 0, {}, [&] { EXPECT_FALSE(v->ens.Aktiv || v->ens.CaptionAktiv); }},
      {"activate: the parent and the opener are told",
       VINDUE_AKTIVER, 1, 0, 0, {{ENS_BLEV_AKTIV, 1, hw}, aktuel},
       [&] { EXPECT_TRUE(v->ens.Aktiv && v->ens.CaptionAktiv); }},
      {"activate again: nothing more", VINDUE_AKTIVER, 1, 0, 0, {}, nullptr},
      {"deactivate", VINDUE_DEAKTIVER, 0, 0, 0, {}, nullptr},
      {"activate without the parent", VINDUE_AKTIVER_STILLE, 0, 0, 0, {aktuel}, nullptr},
      {"draw as inactive, caption inactive", VINDUE_TEGN_MED, 0, 0, 0, {},
       [&] { EXPECT_TRUE(v->ens.Aktiv && !v->ens.CaptionAktiv); }},
      {"set active", VINDUE_SAET_AKTIV, 0, 0, 0, {}, [&] { EXPECT_TRUE(v->ens.Aktiv && v->ens.CaptionAktiv); }},
      {"marked count", VALG_SAET_ANTAL, 1, 0, 0, {}, [&] { EXPECT_EQ(Kopi(v->MarkeretAntal), 1u); }},
      // The current row stays on the table's current record.
      {"all groups", GRUPPE_VALGT, 31, 0, 0, {aktuel},
       [&] {
         EXPECT_EQ(Kopi(v->GruppeMaske), 0x7FFFFFFFu);
         EXPECT_EQ(Raekker(h), Forventet('K', kAlleGrupper, kMaaned));
       }},
      {"group 3: nobody in it", GRUPPE_VALGT, 3, 0, 0, {{VALG_AKTUEL_SKIFTET, 'K', 0}},
       [&] {
         EXPECT_EQ(Kopi(v->GruppeMaske), 0x8u);
         EXPECT_TRUE(Raekker(h).empty());
       }},
      {"group 32 is no group", GRUPPE_VALGT, 32, 0, 0, {}, [&] { EXPECT_EQ(Kopi(v->GruppeMaske), 0x8u); }},
      {"group 5", GRUPPE_VALGT, 5, 0, 0, {aktuel}, [&] { EXPECT_EQ(Raekker(h), raekker); }},
      {"rebuild only when asked", VALG_GENOPBYG_HVIS, 0, 0, 0, {}, nullptr},
      {"rebuild", VALG_GENOPBYG_HVIS, 1, 0, 0, {aktuel}, nullptr},
      {"rebuild", VALG_GENOPBYG, 0, 0, 0, {aktuel}, nullptr},
      {"rebuild", VALG_GENOPBYG2, 0, 0, 0, {aktuel}, nullptr},
      {"a key offered, no key module", TAST_SPOERG, 0, 0, 0, {}, nullptr},
  };
  for (const Trin &t : trin) {
    OpenerHoertRyd();
    EXPECT_EQ(SendMessageA(h, t.msg, t.w, t.l), t.svar) << t.hvad;
    EXPECT_EQ(Hoerte(), t.hoert) << t.hvad;
    if (t.tjek) t.tjek();
  }
}

TEST_F(ValgModelProtokol, DateRebuildChoosesGroupFiveThroughTheToolbar) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  const uint32_t senere = NyAkti("Forår", 10, 0x20, 20270101, 20270331);
  HWND h = Aabn('K');
  VWS *v = Ws(h);
  SendMessageA(h, GRUPPE_VALGT, 31, 0);
  HovedHoert().clear();
  SendMessageA(h, VALG_GENOPBYG_DATO, 0, 202702);
  EXPECT_EQ(Kopi(v->GruppeMaske), 0x20u);
  EXPECT_EQ(SendMessageA(v->ens.hwndToolbar, GRUPPE_HENT, 0, 0), 5);
  const std::vector<uint32_t> r = Raekker(h);
  EXPECT_EQ(r, Forventet('K', 0x20, 202702));
  EXPECT_EQ(std::count(r.begin(), r.end(), senere), 1);
  // The toolbar tells the main window with F3 after the pick and after the
  // group it passed on.
  EXPECT_EQ(HovedHoert(), (std::vector<Hoert>{{WM_KEYDOWN, VK_F3, 0}, {WM_KEYDOWN, VK_F3, 0}}));

  // A room list has no group button: only the month changes.
  HWND l = Aabn('L');
  SendMessageA(l, GRUPPE_VALGT, 31, 0);
  SendMessageA(l, VALG_GENOPBYG_DATO, 0, 0);
  EXPECT_EQ(Kopi(Ws(l)->GruppeMaske), 0x7FFFFFFFu);
  EXPECT_EQ(Raekker(l), Forventet('L', kAlleGrupper, 0));
}

// Whether the current record may be toggled, with the opener's blocking
// bits written into the array 1224 hands out.
TEST_F(ValgModelProtokol, MayToggleAsATable) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  struct {
    const char *hvad;
    uint32_t graense, antal;
    uint8_t maerke;
    bool tom;
    LRESULT svar;
  } tabel[] = {
      {"empty list", 3, 0, 0, true, 1},
      {"no marking", 0, 0, 0, false, 0},
      {"single choice with one marked", 1, 1, 0, false, 1},
      {"below the limit", 3, 2, 0, false, 1},
      {"at the limit", 3, 3, 0, false, 0},
      {"at the limit, marked: may be unmarked", 3, 3, 0x01, false, 1},
      {"blocked by the opener", 3, 0, 0x04, false, 0},
      {"blocked by bit 4", 3, 0, 0x10, false, 0},
      {"blocked bit 5 is no block", 3, 0, 0x20, false, 1},
      {"marked and blocked", 3, 1, 0x03, false, 1},
  };
  for (const auto &t : tabel) {
    HWND h = Aabn('K', t.graense);
    VWS *v = Ws(h);
    auto *maerker = reinterpret_cast<uint8_t *>(SendMessageA(h, VALG_MAERKER, 0, 0));
    ASSERT_EQ(maerker, Kopi(v->Maerker)) << t.hvad;
    ASSERT_GE(Kopi(v->MaerkeAntal), tvakti.wRecCnt) << t.hvad;
    maerker[SendMessageA(h, VALG_AKTUEL, 0, 0)] = t.maerke;
    SendMessageA(h, VALG_SAET_ANTAL, t.antal, 0);
    if (t.tom) SendMessageA(h, GRUPPE_VALGT, 6, 0);
    EXPECT_EQ(SendMessageA(h, VALG_KAN_SKIFTE, 0, 0), t.svar) << t.hvad;
    DestroyWindow(h);
  }
}

// The caption's close button acts as Esc: with a mark limit every mark goes
// (told when there was one) and the opener hears the end.
TEST_F(ValgModelProtokol, CloseButtonActsAsEscape) {
  UligeIGruppe(tvakti, tdakti, offsetof(AktiRec, Gruppe), 0x20);
  struct {
    const char *hvad;
    uint32_t graense;
    bool markeret;
    bool ryddet, slut;
  } tabel[] = {
      {"single choice with a mark", 1, true, true, true},
      {"limit 3, nothing marked", 3, false, false, true},
      {"no mark limit", 0, false, false, false},
  };
  for (const auto &t : tabel) {
    HWND h = Aabn('K', t.graense);
    VWS *v = Ws(h);
    const LPARAM aktuel = SendMessageA(h, VALG_AKTUEL, 0, 0);
    if (t.markeret) {
      v->Maerker[aktuel] = kValgMarkeret | 0x04;
      SendMessageA(h, VALG_SAET_ANTAL, 1, 0);
    }
    OpenerHoertRyd();
    HovedHoert().clear();
    SendMessageA(h, NYB_KLIK, NYB_LUK, NYB_LUK);
    std::vector<Hoert> forventet;
    if (t.ryddet) forventet.push_back({VALG_ALLE_AFMARKERET, 'K', aktuel});
    if (t.slut) forventet.push_back({VALG_AFSLUTTET, VK_ESCAPE, 0});
    EXPECT_EQ(Hoerte(), forventet) << t.hvad;
    EXPECT_FALSE(IsWindow(h)) << t.hvad;
    EXPECT_EQ(HovedHoert(), (std::vector<Hoert>{{HOVED_INPUT_LUKKET, 0, 0}})) << t.hvad;
  }
}

// ==================================================================== growth

TEST_F(ValgModelVaekst, RecordsAddedWhileOpenAreListed) {
  HWND h = Aabn('K', 3);
  SendMessageA(h, GRUPPE_VALGT, 31, 0);
  const size_t foer = Raekker(h).size();
  const uint32_t gammelAlloc = tvakti.AllocAntal;
  // Enough records that the table's arrays are made anew, past the room the
  // window's arrays had.
  std::vector<uint32_t> nye;
  while (tvakti.AllocAntal < gammelAlloc + 2 * tdakti.RecPrBlok) {
    char navn[16];
    std::snprintf(navn, sizeof navn, "NY-%05zu", nye.size());
    nye.push_back(NyAkti(navn, 10, 0x40));
  }
  tvakti.AktuelRec = nye.back();
  SendMessageA(h, VALG_GENOPBYG, 0, 0);
  const std::vector<uint32_t> raekker = Raekker(h);
  EXPECT_EQ(raekker.size(), foer + nye.size());
  EXPECT_EQ(raekker, Forventet('K', kAlleGrupper, kMaaned));
  EXPECT_EQ(SendMessageA(h, VALG_AKTUEL, 0, 0), static_cast<LRESULT>(nye.back()));
  // The marks array covers the new records: the opener blocks the last one.
  auto *maerker = reinterpret_cast<uint8_t *>(SendMessageA(h, VALG_MAERKER, 0, 0));
  EXPECT_GE(Kopi(Ws(h)->MaerkeAntal), tvakti.wRecCnt);
  EXPECT_EQ(SendMessageA(h, VALG_KAN_SKIFTE, 0, 0), 1);
  maerker[nye.back()] = 0x02;
  EXPECT_EQ(SendMessageA(h, VALG_KAN_SKIFTE, 0, 0), 0);
  DestroyWindow(h);
}

// ==================================================================== students

class ValgModelElever : public ValgModel {
 protected:
  void SetUp() override {
    ValgModel::SetUp();
    ResetTab(&tdpers, &tvpers, 1);
    ResetTab(&tdakpl, &tvakpl, 1);
  }
  static uint32_t NyPlads(uint32_t elev, uint32_t akti, Dato fra, Dato til, uint8_t status = 30) {
    const uint32_t nr = NewRec(&tdakpl, &tvakpl);
    AkplRec *a = TabRec<AkplRec>(tvakpl, nr);
    a->pers_id = elev;
    a->akti_id = akti;
    a->Status = status;
    a->Startdato = fra;
    a->Slutdato = til;
    return nr;
  }
};

TEST_F(ValgModelElever, PaaHoldOnTheDateFirstThenTheOthers) {
  const uint32_t hold = 3, andet = 4;
  const uint32_t s1 = NyElev("0303030303"), s2 = NyElev("0101010101"), s3 = NyElev("0202020202"),
                 s4 = NyElev("0000000001"), s5 = NyElev("0505050505"), s6 = NyElev("0404040404");
  NyPlads(s1, hold, 20260801, 20261231);
  NyPlads(s2, hold, 20261007, 20261007, 130);  // the day itself; any status counts
  NyPlads(s3, hold, 20260801, 20260901);       // ended before the day
  NyPlads(s4, hold, 20270101, 20270301);       // starts after it
  NyPlads(s5, hold, 20260801, 20260901);       // one period off the day ...
  NyPlads(s5, hold, 20261001, 20261031);       // ... and one on it
  NyPlads(s6, andet, 20260801, 20261231);      // another activity
  NyPlads(tvpers.wRecCnt + 5, hold, 20260801, 20261231);  // a student beyond the table

  HWND kalder = CreateWindowExA(0, "ValgOpener", "", WS_CHILD | WS_VISIBLE, 60, 70, 200, 100, desktop, 0, 0, nullptr);
  HovedHoert().clear();
  HWND h = VisEleverPaaHold(kalder, hold);
  tavo::test::PumpUntilIdle();
  ASSERT_TRUE(IsWindow(h));
  const VWS *v = Ws(h);
  EXPECT_EQ(Raekker(h), (std::vector<uint32_t>{s2, s1, s5, s4, s3}));
  const ValgListe *l = v->pValgListe;
  ASSERT_NE(l, nullptr);
  for (uint32_t s : {s1, s2, s5}) EXPECT_EQ(l->Maerker[s], 0) << s;
  for (uint32_t s : {s3, s4}) EXPECT_NE(l->Maerker[s], 0) << s;
  EXPECT_STREQ(v->ens.Titel, " Elever på hold");
  EXPECT_EQ(Kopi(l->KildeRec), hold);
  EXPECT_EQ(Kopi(v->ListeArt), kElevListeArt);
  EXPECT_EQ(Kopi(v->TitelArt), kElevTitelArt);
  EXPECT_EQ(Kopi(l->Bogstav), 'K');
  EXPECT_EQ(Kopi(v->Bogstav), tdpers.TypeBogstav);
  EXPECT_EQ(Kopi(v->MaerkeGraense), 0u);
  EXPECT_TRUE(v->Forvalgt);
  EXPECT_EQ(GetParent(h), hwndHoved);
  EXPECT_EQ(Kopi(v->hwndMaal), hwndHoved);
  // At the calling window's corner, in the main window's client area.
  RECT a, b;
  GetWindowRect(kalder, &a);
  GetWindowRect(h, &b);
  EXPECT_EQ(b.left, a.left);
  EXPECT_EQ(b.top, a.top);
  EXPECT_EQ(HovedHoert(), (std::vector<Hoert>{{HOVED_INPUT_AABEN, 0, (LPARAM)h}}));
  DestroyWindow(h);

  // Activity 0 and one beyond the table open nothing.
  HovedHoert().clear();
  EXPECT_EQ(VisEleverPaaHold(kalder, 0), HWND(0));
  EXPECT_EQ(VisEleverPaaHold(kalder, tvakti.wRecCnt), HWND(0));
  EXPECT_TRUE(HovedHoert().empty());
}

// Pairs of periods of one student on activities A and B, each case a
// student of its own in one set of tables.
TEST_F(ValgModelElever, FaellesEleverPeriodPairsAsATable) {
  const uint32_t A = 5, B = 2;
  struct Periode {
    Dato fra, til;
    uint8_t status;
  };
  struct Tilfaelde {
    const char *hvad;
    std::vector<Periode> a, b;
    Dato dato;
    bool faelles;
    uint32_t elev = 0;
  };
  std::vector<Tilfaelde> tabel = {
      {"apart", {{20260801, 20260815, 30}}, {{20260901, 20260930, 30}}, 0, false},
      {"next day", {{20260801, 20260831, 30}}, {{20260901, 20260930, 30}}, 0, false},
      {"touching", {{20260801, 20260831, 30}}, {{20260831, 20260930, 30}}, 0, true},
      {"touching, on that day", {{20260801, 20260831, 30}}, {{20260831, 20260930, 30}}, 20260831, true},
      {"overlapping", {{20260801, 20260915, 30}}, {{20260901, 20260930, 30}}, 0, true},
      {"overlapping, the day in both", {{20260801, 20260915, 30}}, {{20260901, 20260930, 30}}, 20260910, true},
      {"overlapping, the day in B only", {{20260801, 20260915, 30}}, {{20260901, 20260930, 30}}, 20260920, false},
      {"A twice, B across both; the day in A's second",
       {{20260801, 20260810, 30}, {20260820, 20260830, 30}}, {{20260805, 20260825, 30}}, 20260822, true},
      {"A twice, B across both; no day",
       {{20260801, 20260810, 30}, {20260820, 20260830, 30}}, {{20260805, 20260825, 30}}, 0, true},
      {"A twice, B across both; the day between A's",
       {{20260801, 20260810, 30}, {20260820, 20260830, 30}}, {{20260805, 20260825, 30}}, 20260815, false},
      {"B twice, A across both; the day in B's second",
       {{20260805, 20260825, 30}}, {{20260801, 20260810, 30}, {20260820, 20260830, 30}}, 20260822, true},
      {"B's enrolment not from the central system", {{20260801, 20260930, 30}}, {{20260801, 20260930, 10}}, 0,
       false},
      {"A's enrolment pending", {{20260801, 20260930, 230}}, {{20260801, 20260930, 30}}, 0, false},
  };
  // Students made in reverse, enrolments of B before those of A, so neither
  // record order helps the walk.
  for (size_t i = tabel.size(); i-- > 0;) {
    char cpr[24];
    std::snprintf(cpr, sizeof cpr, "%010zu", i);
    tabel[i].elev = NyElev(cpr);
  }
  for (auto &t : tabel)
    for (const Periode &p : t.b) NyPlads(t.elev, B, p.fra, p.til, p.status);
  for (auto &t : tabel)
    for (const Periode &p : t.a) NyPlads(t.elev, A, p.fra, p.til, p.status);

  for (const auto &t : tabel) {
    auto *l = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
    FindFaellesElever(l, A, B, t.dato);
    const bool fundet = std::find(l->ObjTab + 1, l->ObjTab + 1 + l->Antal, t.elev) != l->ObjTab + 1 + l->Antal;
    EXPECT_EQ(fundet, t.faelles) << t.hvad;
    FrigivValgListe(l);
  }

  // Without a day: every student with an overlap, in record order, each
  // with B as its value; the index made once and kept for the next call.
  auto *l = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
  FindFaellesElever(l, A, B, 0);
  std::vector<uint32_t> forventet;
  for (const auto &t : tabel) {
    bool overlap = false;
    for (const Periode &a : t.a)
      for (const Periode &b : t.b)
        overlap |= a.status == 30 && b.status == 30 && a.fra <= b.til && b.fra <= a.til;
    if (overlap) forventet.push_back(t.elev);
  }
  std::sort(forventet.begin(), forventet.end());
  EXPECT_EQ(std::vector<uint32_t>(l->ObjTab + 1, l->ObjTab + 1 + l->Antal), forventet);
  for (uint32_t i = 1; i <= l->Antal; ++i) EXPECT_EQ(l->Vaerdier[i], B);
  const uint32_t *indeks = l->SorteretIdx;
  ASSERT_NE(indeks, nullptr);

  const uint32_t ny = NyElev("9999999999");
  NyPlads(ny, A, 20260801, 20260930);
  NyPlads(ny, B, 20260801, 20260930);
  FindFaellesElever(l, A, B, 0);
  EXPECT_EQ(Kopi(l->SorteretIdx), indeks);
  EXPECT_EQ(std::vector<uint32_t>(l->ObjTab + 1, l->ObjTab + 1 + l->Antal), forventet) << "the kept index";
  FrigivValgListe(l);

  l = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
  FindFaellesElever(l, A, B, 0);
  EXPECT_EQ(std::count(l->ObjTab + 1, l->ObjTab + 1 + l->Antal, ny), 1) << "a new list's index";
  FrigivValgListe(l);
}

// ==================================================================== end

class ValgModelLukning : public ValgModelElever {};

TEST_F(ValgModelLukning, ClosedByTheOpener) {
  // A pre-selection with every array a list can hold, as the schedule's
  // overlap list has them; the window frees them all.
  const uint32_t e1 = NyElev("1111111111"), e2 = NyElev("2222222222");
  NyPlads(e1, 3, 20260801, 20261231);
  NyPlads(e1, 4, 20260801, 20261231);
  NyPlads(e2, 3, 20260801, 20261231);
  auto *l = static_cast<ValgListe *>(std::calloc(1, sizeof(ValgListe)));
  FindFaellesElever(l, 3, 4, 0);
  l->Maerker = static_cast<uint8_t *>(std::calloc(tvpers.wRecCnt, 1));
  l->MaerkeAntal = tvpers.wRecCnt;
  l->Caption = " Elevsammenfald på hold";
  l->TitelArt = kSammenfaldTitelArt;
  l->ListeArt = kElevListeArt;
  l->KildeRec = 3;
  l->Bogstav = 'K';
  ASSERT_EQ(Kopi(l->Antal), 1u);

  for (ValgListe *liste : {l, static_cast<ValgListe *>(nullptr)}) {
    SetFocus(opener);
    HovedHoert().clear();
    HWND h = CreateValgWnd(0, opener, liste ? tdpers.TypeBogstav : 'K', 10, 10, 700, 500, liste ? 2 : 1, 0,
                           liste ? 1 : 0, liste, 0);
    tavo::test::PumpUntilIdle();
    ASSERT_TRUE(IsWindow(h));
    EXPECT_EQ(GetFocus(), h);
    EXPECT_EQ(FindVindueType(kValgVindueId), h);
    if (liste) {
      EXPECT_EQ(Raekker(h), (std::vector<uint32_t>{e1}));
    }
    OpenerHoertRyd();
    DestroyWindow(h);
    EXPECT_EQ(HovedHoert(), (std::vector<Hoert>{{HOVED_INPUT_AABEN, 0, (LPARAM)h}, {HOVED_INPUT_LUKKET, 0, 0}}));
    EXPECT_EQ(GetFocus(), opener);
    EXPECT_EQ(FindVindueType(kValgVindueId), HWND(0));
    EXPECT_TRUE(Hoerte().empty());
  }
}

}  // namespace
