// The grouping window over the small school on the test desktop, its data
// folder named as the command line names it: toggles by keys and as a
// table, the save and the backup copy on closing, the rebuild after a
// change in the tables, the sorts, the counts the computed column reads and
// the drawing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FARVER.h"
#include "FONTE.h"
#include "GEMNING.h"
#include "GRUPPE.h"
#include "NYBUTTON.h"
#include "knapper.h"
#include "KALENDER.h"
#include "OPTAEL.h"
#include "OBJFELT.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "SWITCHTEGN.h"
#include "VISFELT.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "valg_support.h"

namespace {

using tavo::test::PumpUntilIdle;
using valg_test::Hoert;
using valg_test::Kopi;

constexpr uint32_t kArkiv = 0x80000000u;

// The main window: logs the messages the grouping window sends it and,
// like the program's main window, rebuilds the shared key record from every
// key it is sent.
std::vector<Hoert> &HovedLog() {
  static std::vector<Hoert> v;
  return v;
}
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN) MakeTastInfo(&AktuelTast, m, w, l);
  if (m == WM_KEYDOWN || m == HOVED_VINDUE_LUKKET || m == HOVED_INPUT_AABEN) {
    HovedLog().push_back({m, w, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

// What the other grid windows of the desktop hear of the grouping window.
std::vector<Hoert> &AndreLog() {
  static std::vector<Hoert> v;
  return v;
}
bool AndreBesked(wfb_test::GitterVindue *, HWND, UINT m, WPARAM w, LPARAM l) {
  if (m == DATA_AENDRET || m == AKTUEL_AENDRET) AndreLog().push_back({m, w, l});
  return false;
}

std::string Fil(const std::filesystem::path &p) {
  std::ifstream i(p, std::ios::binary);
  std::stringstream s;
  s << i.rdbuf();
  return s.str();
}

const TabDesc *Td(char art) { return art == 'K' ? &tdakti : art == 'L' ? &tdloka : &tdanfo; }
TabVar *Tv(char art) { return art == 'K' ? &tvakti : art == 'L' ? &tvloka : &tvanfo; }

// A record's group word, read and written through a copy (the field is
// unaligned in the packed record).
struct OrdRef {
  uint8_t *p;
  operator uint32_t() const {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  OrdRef &operator=(uint32_t v) {
    std::memcpy(p, &v, 4);
    return *this;
  }
};
OrdRef Ord(char art, uint32_t rec) {
  uint8_t *r = GetRec(Td(art), Tv(art), rec);
  const size_t off = art == 'K' ? offsetof(AktiRec, Gruppe) : art == 'L' ? offsetof(LokaRec, Gruppe)
                                                                         : offsetof(AnfoRec, Gruppe);
  return OrdRef{r + off};
}
uint8_t &Status(char art, uint32_t rec) {
  return GetRec(Td(art), Tv(art), rec)[Td(art)->FeltTab[Td(art)->StatusFelt].Offset];
}
// The live records of a table, in record order.
std::vector<uint32_t> Levende(char art) {
  std::vector<uint32_t> v;
  for (uint32_t r = 0; r < Tv(art)->wRecCnt; ++r)
    if (Status(art, r) >= 10 && Status(art, r) <= 29) v.push_back(r);
  return v;
}
std::string Felt1(char art, uint32_t rec) {
  std::string s = VisFeltTekst(art, Td(art), Tv(art), 1, rec, nullptr, 1);
  return s;
}

class GrupperingTest : public valg_test::ValgTest {
 protected:
  void SetUp() override {
    ValgTest::SetUp();
    // The data folder as the command line gives it: ending in '\'.
    const std::string d = "-d" + rod.string();
    const char *argv[] = {"/prog/Orvane", d.c_str()};
    LaesKommandolinje(2, argv);
    InitStiTab();
    ASSERT_EQ(StiTab.szdata[std::strlen(StiTab.szdata) - 1], '\\');
    GlobalIndstillinger.skemalaast = 0;
    ASSERT_TRUE(RegistrerGruppeKlasse(0));
    RegistrerKnapBilleder();
    gammelTxtFont = TxtFont;
    TxtFont = switchtest::TekstSkrift();
    SetWindowLongPtrA(hoved, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HovedProc));
    // The grouping window opens on the desktop itself.
    DestroyWindow(opener);
    opener = 0;
    andre[0] = Vindue(600, 400, 150, 100, {}, AndreBesked);
    andre[1] = Vindue(620, 450, 150, 100, {}, AndreBesked);
    HovedLog().clear();
    AndreLog().clear();
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    GlobalIndstillinger.skemalaast = 0;
    TxtFont = gammelTxtFont;
    ValgTest::TearDown();
  }

  HWND AabnGruppe(char art, uint32_t kommando) {
    HWND h = CreateGruppeWnd(art, 10, 10, 790, 590, nullptr, kommando);
    PumpUntilIdle();
    return h;
  }
  static GRPWS *G(HWND h) { return reinterpret_cast<GRPWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
  static std::vector<uint32_t> Raekker(HWND h) {
    const GRPWS *g = G(h);
    std::vector<uint32_t> r;
    for (uint32_t i = 1; g && i <= g->ens.ObjTabAntal; ++i) r.push_back(g->ens.ObjTab[i]);
    return r;
  }
  static void Tast(UINT vk, int gange = 1) {
    for (int i = 0; i < gange; ++i) tavo::test::PressKey(vk);
    PumpUntilIdle();
  }
  // The current cell of the window moved to a record and a group.
  static void Celle(HWND h, uint32_t rec, uint32_t gruppe) {
    GRPWS *g = G(h);
    g->PosY.Aktuel = FindObjIdx(g->ens.ObjTab, g->ens.ObjTabAntal, rec);
    ASSERT_NE(Kopi(g->PosY.Aktuel), 0u) << rec;
    g->PosX.Aktuel = gruppe;
  }
  std::string Flag() const {
    char b[16] = {};
    GetPrivateProfileStringA("flag", "exportergrupper", "", b, sizeof b, StiTab.szini);
    return b;
  }
  std::filesystem::path Ini(const char *navn) const { return rod / "ini" / navn; }

  HWND andre[2] = {};
  HFONT gammelTxtFont = 0;
};

class GrupperingBrug : public GrupperingTest {};
class GrupperingRegler : public GrupperingTest {};
class GrupperingLukning : public GrupperingTest {};
class GrupperingGenopbyg : public GrupperingTest {};
class GrupperingSortering : public GrupperingTest {};
class GrupperingVisning : public GrupperingTest {};

TEST_F(GrupperingBrug, EmployeeGroupingByKeysSavesTheGroupsAndTellsTheOthers) {
  for (uint32_t r : Levende('M')) Ord('M', r) = 1;
  std::filesystem::remove(Ini("grupper.ini"));
  std::filesystem::remove(Ini("grupper.bak"));
  HWND h = AabnGruppe('M', 40025);
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), 40025);
  EXPECT_EQ(SendMessageA(h, HJAELP_EMNE, 0, 0), kGruppeHjaelp);
  EXPECT_EQ(GetDlgCtrlID(h), 40025);
  // It asked the desktop and became the active window, at the front of
  // the open windows.
  EXPECT_EQ(wfb_test::Skrivebord().aktiv, h);
  EXPECT_EQ(Liste().front(), h);
  ASSERT_GE(Raekker(h).size(), 3u);

  // Down twice to the third employment; its release publishes the record.
  Tast(VK_DOWN, 2);
  const uint32_t rec = Raekker(h)[2];
  EXPECT_EQ(Kopi(tvanfo.AktuelRec), rec);
  const LPARAM forrige = (LPARAM)Raekker(h)[1];
  EXPECT_EQ(AndreLog(), (std::vector<Hoert>{{AKTUEL_AENDRET, 'M', forrige},
                                            {AKTUEL_AENDRET, 'M', forrige},
                                            {AKTUEL_AENDRET, 'M', (LPARAM)rec},
                                            {AKTUEL_AENDRET, 'M', (LPARAM)rec}}));
  AndreLog().clear();

  struct Trin {
    UINT tast;
    int gange;
    uint32_t ord;  // the record's group word after the step
  };
  const Trin trin[] = {
      {VK_RIGHT, 7, 1},             // to group 8
      {VK_SPACE, 1, 1u << 7},       // member of 8, no longer of 1
      {VK_SPACE, 1, 1},             // back in 1 alone
      {VK_RIGHT, 24, 1},            // to the archive
      {VK_SPACE, 1, kArkiv},        // archived alone
      {VK_INSERT, 1, 1},            // out of the archive into 1
      {VK_LEFT, 24, 1},             // back to group 8
      {VK_SPACE, 1, 1u << 7},
  };
  for (const Trin &t : trin) {
    Tast(t.tast, t.gange);
    EXPECT_EQ(Ord('M', rec), t.ord) << "key " << t.tast << " x" << t.gange;
  }
  EXPECT_EQ(Kopi(G(h)->PosX.Aktuel), 8u);

  const TastInfo foer{0, 0, 0, WM_KEYDOWN, 'Q', 7, 0, 0};
  AktuelTast = foer;
  Tast(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(h));

  // The file holds the new word: read back into a cleared record.
  Ord('M', rec) = 0;
  HentGruppeValg();
  EXPECT_EQ(Ord('M', rec), 1u << 7);
  const std::string ini = Fil(Ini("grupper.ini"));
  EXPECT_FALSE(ini.empty());
  EXPECT_EQ(Fil(Ini("grupper.bak")), ini);
  EXPECT_EQ(Flag(), "1");
  EXPECT_EQ(AndreLog(), (std::vector<Hoert>{{DATA_AENDRET, 0, (LPARAM)h}, {DATA_AENDRET, 0, (LPARAM)h}}));
  EXPECT_EQ(HovedLog(), (std::vector<Hoert>{{HOVED_VINDUE_LUKKET, 0, (LPARAM)h}, {WM_KEYDOWN, VK_F3, 0}}));
  EXPECT_EQ(std::memcmp(&AktuelTast, &foer, sizeof foer), 0) << "the shared key record is put back";
  EXPECT_EQ(ObjFeltKilder.AntalSkeAnfo, nullptr);
  EXPECT_EQ(GrupperingAendret, nullptr);
}

TEST_F(GrupperingRegler, TogglesAsATable) {
  const std::vector<uint32_t> akti = Levende('K');
  const std::vector<uint32_t> loka = Levende('L');
  ASSERT_GE(akti.size(), 6u);
  ASSERT_GE(loka.size(), 1u);
  const auto saetType = [](uint32_t r, const char *type, uint32_t uvfo) {
    AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, r));
    std::memset(a->Type, 0, sizeof a->Type);
    std::memcpy(a->Type, type, std::strlen(type));
    a->uvfo_id = uvfo;
  };
  const uint32_t ivak = akti[0], hold = akti[1], kursus = akti[2], ovak = akti[3], plan = akti[4], arkiv = akti[5];
  saetType(ivak, "IVAK", 0);
  saetType(hold, "HOLD", 0);
  saetType(kursus, "AMU", 7);
  saetType(ovak, "OVAK", 0);
  saetType(plan, "AMU", 0);
  saetType(arkiv, "AMU", 0);
  // The words as the group file's rules leave them after a load.
  Ord('K', ivak) = 0x13;
  Ord('K', hold) = 0x07;
  Ord('K', kursus) = 0x09;
  Ord('K', ovak) = 0x21;
  Ord('K', plan) = 0x01;
  Ord('K', arkiv) = 0x81;
  const uint32_t rum = loka[0];
  Ord('L', rum) = 0x06;

  struct Tilfaelde {
    char art;
    uint32_t rec;
    uint32_t gruppe;
    bool insert;
    bool svar;
    uint32_t ord;
  };
  const Tilfaelde tabel[] = {
      {'K', plan, 5, false, false, 0x01},          // system groups are not set by hand
      {'K', plan, 1, false, false, 0x01},
      {'K', ivak, 8, false, true, 0x92},           // IVAK keeps 2 and 5
      {'K', ivak, 8, false, true, 0x13},           // last own group gone: group 1
      {'K', hold, 9, false, true, 0x106},          // HOLD: 2 and 3, group 1 lost
      {'K', hold, 9, false, true, 0x07},
      {'K', kursus, 7, false, true, 0x48},         // a course: group 4
      {'K', ovak, 10, false, true, 0x220},         // absence: group 6
      {'K', arkiv, 32, false, true, kArkiv},       // the archive clears all others
      {'K', arkiv, 32, false, true, 0x01},         // out again: system groups anew
      {'K', arkiv, 32, false, true, kArkiv},
      {'K', arkiv, 3, true, true, 0x01},           // Insert in any column
      {'L', rum, 1, false, true, 0x01},            // group 1: all others removed
      {'L', rum, 1, false, true, 0x01},            // already in 1: nothing
      {'L', rum, 5, false, true, 0x10},           // 1 and the archive make room
      {'L', rum, 5, false, true, 0x01},
      {'L', rum, 32, false, true, kArkiv},
      {'L', rum, 32, false, true, 0x01},
      {'L', rum, 32, false, true, kArkiv},
      {'L', rum, 9, true, true, 0x01},
  };
  HWND vinduer[2] = {AabnGruppe('K', 40024), AabnGruppe('L', 40026)};
  for (const Tilfaelde &t : tabel) {
    HWND h = vinduer[t.art == 'K' ? 0 : 1];
    Celle(h, t.rec, t.gruppe);
    const uint32_t foer = Ord(t.art, t.rec);
    // The question changes nothing and answers as the toggle does.
    EXPECT_EQ(SaetGruppe(G(h), t.insert, true), t.svar) << t.art << t.rec << " g" << t.gruppe;
    EXPECT_EQ(Ord(t.art, t.rec), foer);
    EXPECT_EQ(SaetGruppe(G(h), t.insert, false), t.svar) << t.art << t.rec << " g" << t.gruppe;
    EXPECT_EQ(Ord(t.art, t.rec), t.ord) << t.art << t.rec << " g" << t.gruppe << (t.insert ? " Insert" : "");
  }

  // A locked schedule: a box, no change, and the question says no silently.
  GlobalIndstillinger.skemalaast = 1;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
  Celle(vinduer[1], rum, 4);
  EXPECT_FALSE(SaetGruppe(G(vinduer[1]), false, true));
  SetFocus(vinduer[1]);
  Tast(VK_SPACE);
  EXPECT_EQ(Ord('L', rum), 0x01u);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Der kan ikke grupperes i et låst skema");
  EXPECT_EQ(bokse[0].caption, "Gruppering");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, UINT{MB_ICONEXCLAMATION});
  GlobalIndstillinger.skemalaast = 0;
  for (HWND h : vinduer) DestroyWindow(h);
}

TEST_F(GrupperingRegler, PickListOfTheKindsKeys) {
  SaetGenvejHovedVindue(hoved);
  const struct {
    char art;
    bool appsTast;
    const char *beskrivelse;
    std::vector<uint8_t> mulige;  // group 1 current: activities take no Space there
  } tabel[] = {
      {'K', true, "Tilføj / slet aktivitet fra gruppe.", {1, 0, 0}},
      {'L', false, "Tilføj / slet lokale fra gruppe.", {1, 1, 1}},
      {'M', true, "Tilføj / slet medarbejder fra gruppe.", {1, 1, 1}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.art);
    HWND h = AabnGruppe(t.art, 40024);
    HovedLog().clear();
    if (t.appsTast) {
      Tast(VK_APPS);
    } else {
      const POINT p = tavo::test::ScreenPoint(G(h)->ens.hwndCeller, 3, 4);
      tavo::test::Click(p.x, p.y, 1);
      PumpUntilIdle();
    }
    ASSERT_EQ(HovedLog().size(), 1u);
    ASSERT_EQ(HovedLog()[0].msg, UINT{HOVED_INPUT_AABEN});
    const HWND liste = (HWND)HovedLog()[0].l;
    const auto *si = reinterpret_cast<const ShortCutInfo *>(GetWindowLongPtrA(liste, GWLP_USERDATA));
    ASSERT_NE(si, nullptr);
    EXPECT_EQ(si->owner, h);
    ASSERT_EQ(Kopi(si->pos.Antal), 3u);
    const ShortCutPost *p = si->table->Poster;
    EXPECT_STREQ(p[0].TastNavn, "<Ctrl> + <F4>");
    EXPECT_STREQ(p[0].Beskrivelse, "Luk fokus vindue.");
    EXPECT_EQ(p[0].Tast.wParam, UINT{VK_F4});
    EXPECT_NE(p[0].Tast.ctrl, 0);
    EXPECT_STREQ(p[1].TastNavn, "<Mellemrum>");
    EXPECT_STREQ(p[2].TastNavn, "<Dobbelt klikke venstre musetast>");
    for (int i = 1; i <= 2; ++i) {
      EXPECT_STREQ(p[i].Beskrivelse, t.beskrivelse);
      EXPECT_EQ(p[i].Tast.wParam, UINT{VK_SPACE});
    }
    EXPECT_EQ(std::vector<uint8_t>(si->available, si->available + 3), t.mulige);
    // Taking Ctrl+F4 closes the window.
    Tast(VK_RETURN);
    EXPECT_FALSE(IsWindow(liste));
    EXPECT_FALSE(IsWindow(h));
  }
  SaetGenvejHovedVindue(0);
}

TEST_F(GrupperingLukning, NoChangeWritesNothingAndAnEmptyFileIsNotCopied) {
  std::filesystem::remove(Ini("grupper.ini"));
  { std::ofstream(Ini("grupper.bak"), std::ios::binary) << "M1,1,0\r\n"; }
  const std::string bak = Fil(Ini("grupper.bak"));

  // Moving about and an Insert on an object not archived change nothing.
  HWND h = AabnGruppe('L', 40026);
  Tast(VK_DOWN);
  Tast(VK_RIGHT, 3);
  Tast(VK_INSERT);
  HovedLog().clear();
  AndreLog().clear();
  Tast(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(std::filesystem::exists(Ini("grupper.ini")));
  EXPECT_EQ(Fil(Ini("grupper.bak")), bak);
  EXPECT_EQ(Flag(), "");
  EXPECT_TRUE(AndreLog().empty());
  EXPECT_EQ(HovedLog(), (std::vector<Hoert>{{HOVED_VINDUE_LUKKET, 0, (LPARAM)h}}));

  // A change whose save leaves an empty file (no record has a key): the
  // backup keeps the last good copy.
  h = AabnGruppe('L', 40026);
  Tast(VK_RIGHT, 4);
  Tast(VK_SPACE);
  ASSERT_EQ(G(h)->Aendret, 1);
  for (char art : {'K', 'L', 'M'})
    for (uint32_t r = 0; r < Tv(art)->wRecCnt; ++r) std::memset(GetRec(Td(art), Tv(art), r), 0, 4);
  Tast(VK_ESCAPE);
  ASSERT_TRUE(std::filesystem::exists(Ini("grupper.ini")));
  EXPECT_EQ(std::filesystem::file_size(Ini("grupper.ini")), 0u);
  EXPECT_EQ(Fil(Ini("grupper.bak")), bak);
  EXPECT_EQ(Flag(), "1");
}

// Every file call of the close failing in turn: the backup is the old one
// or a whole copy of the group file, never a broken one.
TEST_F(GrupperingLukning, AFailedSaveOrCopyLeavesTheOldBackup) {
  const std::string gammel = "M1,1,0\r\n";
  tavo::test::StartDialogScript();
  for (unsigned n = 1;; ++n) {
    std::filesystem::remove(Ini("grupper.ini"));
    { std::ofstream(Ini("grupper.bak"), std::ios::binary) << gammel; }
    HWND h = AabnGruppe('L', 40026);
    Tast(VK_RIGHT, 4);
    Tast(VK_SPACE);
    tavo::test::FileFault fejl;
    fejl.nth = n;
    fejl.error = ERROR_DISK_FULL;
    fejl.under = rod.string();
    tavo::test::SetFileFault(fejl);
    Tast(VK_ESCAPE);
    const bool ramt = tavo::test::FileFaultHappened();
    tavo::test::ClearFileFault();
    ASSERT_FALSE(IsWindow(h));
    // What the next start finds.
    ASSERT_TRUE(GendanAfbrudtGemning()) << "call " << n;
    const std::string bak = Fil(Ini("grupper.bak"));
    if (bak != gammel) { EXPECT_EQ(bak, Fil(Ini("grupper.ini"))) << "call " << n; }
    if (!ramt) {
      EXPECT_NE(bak, gammel) << "without a fault the copy is made";
      break;
    }
  }
}

TEST_F(GrupperingGenopbyg, ARemovedMembershipStaysRemovedAndANewRecordIsListed) {
  const std::vector<uint32_t> loka = Levende('L');
  ASSERT_GE(loka.size(), 2u);
  const uint32_t rum = loka[0], andet = loka[1];
  Ord('L', rum) = 0x03;
  Ord('L', andet) = 0x01;
  HWND h = AabnGruppe('L', 40026);
  Celle(h, andet, 6);
  ASSERT_TRUE(SaetGruppe(G(h), false, false));
  ASSERT_EQ(Ord('L', andet), 0x20u);

  // As an import would: a membership removed and a record added, enough
  // of them to move the table's storage.
  Ord('L', rum) = 0x01;
  uint32_t ny = 0;
  for (int i = 0; i < 200; ++i) {
    ny = NewRec(&tdloka, &tvloka);
    ASSERT_NE(ny, 0u);
    LokaRec *l = reinterpret_cast<LokaRec *>(GetRec(&tdloka, &tvloka, ny));
    l->id = 900000 + ny;
    l->Status = 10;
    std::snprintf(l->Lokalenr, sizeof l->Lokalenr, "Z%03d", i);
    Ord('L', ny) = 0x400;
  }
  SendMessageA(h, DATA_AENDRET, 0, 0);
  PumpUntilIdle();
  const std::vector<uint32_t> r = Raekker(h);
  EXPECT_NE(std::find(r.begin(), r.end(), ny), r.end());
  EXPECT_EQ(G(h)->FlagAntal, tvloka.wRecCnt);
  EXPECT_EQ(ObjFeltKilder.AntalSkeLokaAntal, tvloka.wRecCnt);
  EXPECT_EQ(Kopi(G(h)->PosX.Aktuel), 1u);

  // The new record can be toggled, and closing writes back what the
  // tables hold now.
  Celle(h, ny, 12);
  ASSERT_TRUE(SaetGruppe(G(h), false, false));
  Tast(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(Ord('L', rum), 0x01u);
  EXPECT_EQ(Ord('L', andet), 0x20u);
  EXPECT_EQ(Ord('L', ny), 0xC00u);
}

TEST_F(GrupperingSortering, GroupButtonsPutMembersFirstAndFieldButtonsAlternate) {
  const std::vector<uint32_t> akti = Levende('K');
  ASSERT_GE(akti.size(), 6u);
  for (size_t i = 0; i < akti.size(); ++i) Ord('K', akti[i]) = i % 3 == 0 ? 0x81u : 0x01u;
  HWND h = AabnGruppe('K', 40024);
  const auto dansk = [](const std::string &a, const std::string &b) { return valg_test::Sammenlign(a, b, true); };

  Tast(VK_DOWN, 3);
  SendMessageA(h, NYB_KLIK, kGrpGruppeSortId + 8, 0);
  const std::vector<uint32_t> r = Raekker(h);
  ASSERT_EQ(r.size(), akti.size());
  size_t medlemmer = 0;
  while (medlemmer < r.size() && (Ord('K', r[medlemmer]) & 0x80)) ++medlemmer;
  EXPECT_EQ(medlemmer, (akti.size() + 2) / 3);
  for (size_t i = 0; i < r.size(); ++i) {
    EXPECT_EQ((Ord('K', r[i]) & 0x80) != 0, i < medlemmer) << i;
    if (i + 1 < r.size() && i + 1 != medlemmer) { EXPECT_LE(dansk(Felt1('K', r[i]), Felt1('K', r[i + 1])), 0) << i; }
  }
  EXPECT_EQ(Kopi(G(h)->PosX.Aktuel), 8u);
  EXPECT_EQ(Kopi(G(h)->PosY.Aktuel), 1u);

  // A field button: ascending, then descending, then ascending; the
  // current record stays current.
  Tast(VK_DOWN, 2);
  const uint32_t aktuel = GruppeAktuelRec(G(h));
  const uint32_t felt = ObjSwitchFeltNr(kGruppeNavneArt, 'K', G(h)->NavneValgt, 1);
  for (int retning : {1, -1, 1}) {
    SendMessageA(h, NYB_KLIK, kGrpFeltSortId + 1, 0);
    const std::vector<uint32_t> s = Raekker(h);
    for (size_t i = 0; i + 1 < s.size(); ++i) {
      const std::string a = VisFeltTekst('K', &tdakti, &tvakti, felt, s[i], nullptr, 1);
      const std::string b = VisFeltTekst('K', &tdakti, &tvakti, felt, s[i + 1], nullptr, 1);
      EXPECT_LE(dansk(a, b) * retning, 0) << retning << " row " << i;
    }
    EXPECT_EQ(GruppeAktuelRec(G(h)), aktuel);
  }
  DestroyWindow(h);
}

TEST_F(GrupperingSortering, AnotherNameLayoutBringsItsOwnColumnsAndButtons) {
  HWND h = AabnGruppe('K', 40024);
  GRPWS *g = G(h);
  ASSERT_EQ(Kopi(g->NavneLayoutAntal), 2u);
  ASSERT_EQ(Kopi(g->NavneValgt), 0u);
  EXPECT_EQ(Kopi(g->FeltSortAntal), 2u);
  SendMessageA(h, NYB_KLIK, ENS_SKIFT_ID + 1, 0);
  PumpUntilIdle();
  EXPECT_EQ(Kopi(g->NavneValgt), 1u);
  EXPECT_EQ(ObjSwitchValgt(kGruppeNavneArt, 'K'), 1u);
  EXPECT_EQ(Kopi(g->FeltSortAntal), 1u);
  EXPECT_EQ(Kopi(g->ens.RaekkeHovedBredde), ObjSwitchBredde(kGruppeNavneArt, 'K', 1));
  const auto *knap = reinterpret_cast<const BWS *>(GetWindowLongPtrA(g->hwndFeltSortBut[0], GWLP_USERDATA));
  EXPECT_EQ(std::string(knap->tooltxt), std::string("Sorter efter ") + SwitchFeltNavn(&tdakti, 8));
  // Its only column sorts.
  SendMessageA(h, NYB_KLIK, kGrpFeltSortId, 0);
  const std::vector<uint32_t> s = Raekker(h);
  for (size_t i = 0; i + 1 < s.size(); ++i)
    EXPECT_LE(valg_test::Sammenlign(VisFeltTekst('K', &tdakti, &tvakti, 8, s[i], nullptr, 1),
                                    VisFeltTekst('K', &tdakti, &tvakti, 8, s[i + 1], nullptr, 1), true),
              0);
  DestroyWindow(h);
}

TEST_F(GrupperingVisning, CountsRowsTitlesButtonsAndTheMatrix) {
  // The rooms' count column reads the window's counts while it is open.
  const std::vector<uint32_t> loka = Levende('L');
  std::vector<uint32_t> tal(tvloka.wRecCnt, 0);
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i)
    for (uint32_t r = 0;; ++r) {
      const TabVar *b = UgeBucket(IndeksTilAarOffset(i), static_cast<uint8_t>(IndeksTilUgeNr(i)));
      if (!b || r >= b->wRecCnt) break;
      const SkeRec *s = BrikRaekke(IndeksTilAarOffset(i), IndeksTilUgeNr(i), r);
      if (s && (s->Status & 0x48) == 0x40 && s->Ejer == GlobalIndstillinger.insnr && s->loka_id != 0 &&
          s->loka_id < tal.size())
        ++tal[s->loka_id];
    }
  uint32_t travl = loka[0];
  for (uint32_t r : loka)
    if (tal[r] > tal[travl]) travl = r;
  ASSERT_GT(tal[travl], 0u) << "the small school has a scheduled room";
  // An archived room counts nothing.
  const uint32_t arkiveret = loka[0] == travl ? loka[1] : loka[0];
  Ord('L', arkiveret) = kArkiv;
  // Rows: status 10..29 only.
  Status('L', loka[2]) = 30;
  Status('L', loka[3]) = 9;

  SwitchFelt sf{};
  sf.FeltNr = 384;
  sf.Tegn = 6;
  const auto kolonne = [&](uint32_t rec) {
    char tekst[kSwitchTekstLen];
    SwitchCelleTekst(&sf, 'L', &tdloka, &tvloka, rec, nullptr, tekst, nullptr);
    std::string s(tekst, 6);
    s.erase(0, s.find_first_not_of(' '));
    return s.substr(0, s.find_last_not_of(' ') + 1);
  };
  HWND h = AabnGruppe('L', 40026);
  ASSERT_NE(ObjFeltKilder.AntalSkeLoka, nullptr);
  EXPECT_EQ(ObjFeltKilder.AntalSkeLoka[travl], tal[travl]) << ObjFeltKilder.AntalSkeLokaAntal;
  EXPECT_EQ(kolonne(travl), std::to_string(tal[travl]));
  EXPECT_EQ(kolonne(arkiveret), "0");
  std::vector<uint32_t> ventet;
  for (uint32_t r : Levende('L')) ventet.push_back(r);
  std::vector<uint32_t> raekker = Raekker(h);
  std::sort(raekker.begin(), raekker.end());
  EXPECT_EQ(raekker, ventet);
  DestroyWindow(h);
  PumpUntilIdle();
  EXPECT_EQ(kolonne(travl), "");

  // Titles by kind.
  const struct {
    char art;
    const char *titel;
  } titler[] = {{'K', "Aktivitets gruppering"}, {'L', "Lokale gruppering"}, {'M', "Medarbejder gruppering"}};
  for (const auto &t : titler) {
    HWND v = AabnGruppe(t.art, 40024);
    EXPECT_STREQ(G(v)->ens.Titel, t.titel);
    DestroyWindow(v);
  }

  // The activity matrix: its header buttons and what a user sees.
  const std::vector<uint32_t> akti = Levende('K');
  for (size_t i = 0; i < akti.size(); ++i) Ord('K', akti[i]) = i % 4 == 0 ? kArkiv : (1u << (i % 9)) | 0x7u;
  h = AabnGruppe('K', 40024);
  const GRPWS *g = G(h);
  const auto knap = [&](uint32_t gruppe) {
    return reinterpret_cast<const BWS *>(GetWindowLongPtrA(g->hwndGrpSortBut[gruppe - 1], GWLP_USERDATA));
  };
  const struct {
    uint32_t gruppe;
    const char *tekst, *tip;
  } knapper[] = {{1, "0", "Vis gruppe 0: \"Ikke i gruppe\" øverst"},
                 {2, "1", "Vis gruppe 1: \"Alle hold\" øverst"},
                 {11, "10", "Vis gruppe 10: \"Ikke navngivet\" øverst"},
                 {32, "A", "Vis arkiv øverst"}};
  // What a user reads on a button is what it drew last; the archive's
  // button comes into view when the matrix is scrolled to its right end.
  const auto tegnet = [&](uint32_t gruppe) {
    std::string s;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == g->hwndGrpSortBut[gruppe - 1]) s = t.text;
    return s;
  };
  const auto laeses = [&](uint32_t gruppe, const char *tekst) {
    EXPECT_TRUE(IsWindowVisible(g->hwndGrpSortBut[gruppe - 1])) << gruppe;
    EXPECT_EQ(tegnet(gruppe), tekst) << gruppe;
  };
  for (const auto &k : knapper) {
    EXPECT_STREQ(knap(k.gruppe)->txt, k.tekst) << k.gruppe;
    EXPECT_STREQ(knap(k.gruppe)->tooltxt, k.tip) << k.gruppe;
    if (k.gruppe != kArkivGruppe) laeses(k.gruppe, k.tekst);
  }
  // A mark is a tile in the kind's colour; the columns 11 and 12 are
  // parted by two dark pixels.
  const HWND rude = g->ens.hwndCeller;
  const int w = static_cast<int>(g->CelleBredde);
  uint32_t raekke = 0;
  for (uint32_t i = 1; i <= g->ens.ObjTabAntal && !raekke; ++i)
    if (Ord('K', g->ens.ObjTab[i]) == kArkiv && i != g->PosY.Aktuel) raekke = i;
  ASSERT_NE(raekke, 0u);
  const int y = static_cast<int>(raekke - 1) * kGrpRaekkeHoejde;
  // Two pixels one above the other at a cell's left edge: both of a
  // checkerboard brush, in order.
  const auto par = [&](int x) {
    std::pair<COLORREF, COLORREF> p{tavo::test::WindowPixel(rude, x, y + 1), tavo::test::WindowPixel(rude, x, y + 2)};
    if (p.first > p.second) std::swap(p.first, p.second);
    return p;
  };
  const auto brush = [](int k) {
    HDC skaerm = GetDC(0);
    HDC dc = CreateCompatibleDC(skaerm);
    HBITMAP bm = CreateCompatibleBitmap(skaerm, 8, 8);
    HGDIOBJ gammel = SelectObject(dc, bm);
    const RECT r{0, 0, 8, 8};
    FillRect(dc, &r, FarveBrush[k]);
    std::pair<COLORREF, COLORREF> p{tavo::test::SurfacePixel(dc, 0, 4), tavo::test::SurfacePixel(dc, 0, 5)};
    SelectObject(dc, gammel);
    DeleteObject(bm);
    DeleteDC(dc);
    ReleaseDC(0, skaerm);
    if (p.first > p.second) std::swap(p.first, p.second);
    return p;
  };
  EXPECT_EQ(par(7 * (w + 1)), brush(0)) << "an empty cell";
  // A solid brush of the palette.
  EXPECT_EQ(par(2 * (w + 1)), std::make_pair(FarveTab[53], FarveTab[53])) << "an empty system group";
  EXPECT_NE(par(2 * (w + 1)), brush(0));
  const COLORREF moerk = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(tavo::test::WindowPixel(rude, 11 * (w + 1) - 2, y + 1), moerk);
  EXPECT_EQ(tavo::test::WindowPixel(rude, 11 * (w + 1) - 1, y + 1), moerk);
  EXPECT_NE(tavo::test::WindowPixel(rude, 10 * (w + 1) - 2, y + 1), moerk);
  EXPECT_EQ(tavo::test::WindowPixel(rude, 10 * (w + 1) - 1, y + 1), moerk);
  EXPECT_TRUE(tavo::test::SaveWindowPng(h, TAVO_BINARY_DIR "/gruppering_aktiviteter.png"));
  for (int i = 0; i < 8; ++i) SendMessageA(h, WM_HSCROLL, SB_PAGERIGHT, 0);
  PumpUntilIdle();
  const int scroll = static_cast<int>(g->ens.ScrollX);
  ASSERT_GT(scroll, 0);
  laeses(kArkivGruppe, "A");
  EXPECT_EQ(par(31 * (w + 1) - scroll), brush(7)) << "the archive's tile";
  DestroyWindow(h);
}

}  // namespace
