// The activity/room relation window: which activities are rows, the toggle
// by Space and by a double click with its export flag, the failures that
// leave alrel alone, closing, the pick list, a photograph, and the road from
// the window to the saved table and the export file.

#include <fstream>
#include <iterator>

#include "EXPORT.h"
#include "HENTGEM.h"
#include "SKOLEDATA.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;
using ParSet = std::set<std::pair<uint32_t, uint32_t>>;

// ==================================================================== rows

class AktiLokaRelRaekker : public RelTest {};

TEST_F(AktiLokaRelRaekker, OnlyATypeOfExactlyHOLDMakesARow) {
  const uint32_t hold = Akti(1001, "Hold", 20, "HOLD");
  Akti(1002, "Blank", 20, "HOLD ");
  Akti(1003, "Smaa", 20, "hold");
  Akti(1004, "Opgave", 20, "IVAK");
  Akti(1005, "Tom", 20, "");
  Loka(2001, "L01");
  Sorter();
  HWND h = Aabn();
  EXPECT_EQ(Liste(Ws(h)->Raekke), std::vector<uint32_t>{hold});
  EXPECT_EQ(GetWindowLongA(h, GWL_ID), kAktiLokaRelType);
  EXPECT_EQ(FindVindueType(kAktiLokaRelType), h);
  EXPECT_STREQ(Ws(h)->Matrix.Titel, " Relation mellem Aktivitet og Lokale");
}

// ==================================================================== the toggle

class AktiLokaRelSkift : public RelTest {};

TEST_F(AktiLokaRelSkift, SpaceTwiceLeavesAlrelAsItWasButTheExportFlagSet) {
  Skole(3, 3);
  Alrel(akti[0], loka[1]);
  Sorter();
  WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
  const ParSet foer = Par();
  HWND h = Aabn();
  KlikCelle(h, 3, 2);
  Tast(VK_SPACE);
  EXPECT_EQ(Par(), (ParSet{{1001, 2002}, {1002, 2003}}));
  EXPECT_EQ(Flag("exporteralrel"), "1");
  // The new record is a current one once the table is sorted.
  const AlrelRec *ny = nullptr;
  for (uint32_t r = 1; r < tvalrel.wRecCnt; ++r) {
    const auto *a = reinterpret_cast<const AlrelRec *>(GetRec(&tdalrel, &tvalrel, r));
    if (a && a->akti_id == akti[1] && a->loka_id == loka[2]) ny = a;
  }
  ASSERT_NE(ny, nullptr);
  EXPECT_EQ(ny->Status, 20);

  WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
  Tast(VK_SPACE);
  EXPECT_EQ(Par(), foer);
  EXPECT_EQ(Flag("exporteralrel"), "1");
}

TEST_F(AktiLokaRelSkift, AReadOnlyRunChangesThePairButWritesNoSetting) {
  Skole(2, 2);
  WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
  GlobalIndstillinger.skemalaast = 1;
  Aabn();
  Tast(VK_SPACE);
  EXPECT_EQ(Par(), (ParSet{{1001, 2001}}));
  EXPECT_EQ(Flag("exporteralrel"), "0");
}

TEST_F(AktiLokaRelSkift, ADoubleClickTogglesTheCellThroughTheMainWindow) {
  Skole(3, 3);
  HWND h = Aabn();
  const POINT p = CellePunkt(h, 2, 3);
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Par(), (ParSet{{1003, 2002}}));
  NytKlik();
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Par().empty());
}

TEST_F(AktiLokaRelSkift, AnObjectWithoutKeyOrALineRefusedLeavesAlrelAndTheFlagAlone) {
  struct Tilfaelde {
    const char *navn;
    uint32_t aktiId, lokaId;
  };
  const Tilfaelde tilfaelde[] = {
      {"an activity without key", 0, 2001},
      {"a room without key", 1001, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    predtest::TommeTabeller();
    Akti(t.aktiId, "H01");
    Loka(t.lokaId, "L01");
    Sorter();
    WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
    HWND h = Aabn();
    const uint32_t antal = tvalrel.wRecCnt;
    TastInfo mellemrum{0, 0, 0, WM_KEYDOWN, VK_SPACE, 0, 0, 0};
    EXPECT_TRUE(SkiftAlrel(Ws(h), 1));
    EXPECT_FALSE(SkiftAlrel(Ws(h), KMD_UDFOER));
    SendMessageA(h, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&mellemrum));
    EXPECT_TRUE(Par().empty());
    EXPECT_EQ(tvalrel.wRecCnt, antal);
    EXPECT_EQ(Flag("exporteralrel"), "0");
    DestroyWindow(h);
  }
  // An activity that left its table's index after the window listed it:
  // the record line names no activity and is refused.
  predtest::TommeTabeller();
  const uint32_t a = Akti(1001, "H01");
  Loka(2001, "L01");
  Sorter();
  WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
  HWND h = Aabn();
  reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, a))->Status = 131;
  SortTab(&tdakti, &tvakti);
  EXPECT_FALSE(SkiftAlrel(Ws(h), KMD_UDFOER));
  EXPECT_TRUE(Par().empty());
  EXPECT_EQ(Flag("exporteralrel"), "0");
}

// ==================================================================== the window

class AktiLokaRelVindue : public RelTest {};

TEST_F(AktiLokaRelVindue, EscF4AndTheCloseButtonCloseItAndTellTheMainWindow) {
  Skole(2, 2);
  struct Tilfaelde {
    const char *navn;
    void (*luk)(HWND);
  };
  const Tilfaelde tilfaelde[] = {
      {"Esc", [](HWND) { Tast(VK_ESCAPE); }},
      {"F4", [](HWND) { Tast(VK_F4); }},
      {"the close button", [](HWND h) { SendMessageA(h, NYB_KLIK, NYB_LUK, NYB_LUK); }},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HWND h = Aabn();
    HovedHoert().clear();
    t.luk(h);
    tavo::test::PumpUntilIdle();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindVindueType(kAktiLokaRelType), static_cast<HWND>(0));
    ASSERT_EQ(HovedHoert().size(), 1u);
    EXPECT_EQ(HovedHoert()[0].msg, static_cast<UINT>(HOVED_VINDUE_LUKKET));
    EXPECT_EQ(HovedHoert()[0].l, static_cast<LPARAM>(h));
  }
}

TEST_F(AktiLokaRelVindue, ARightClickOpensThePickListWhoseChoiceActs) {
  Skole(3, 3);
  WritePrivateProfileStringA("flag", "exporteralrel", "0", StiTab.szini);
  HWND h = Aabn();
  const POINT p = CellePunkt(h, 2, 2);
  tavo::test::Click(p.x, p.y, 1);
  tavo::test::PumpUntilIdle();
  ASSERT_FALSE(HovedHoert().empty());
  EXPECT_EQ(HovedHoert().back().msg, static_cast<UINT>(HOVED_INPUT_AABEN));
  // The first entry is Space.
  tavo::test::PressKey(VK_RETURN);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Par(), (ParSet{{1001, 2001}}));
  EXPECT_EQ(Flag("exporteralrel"), "1");
}

TEST_F(AktiLokaRelVindue, APhotographOfASmallMatrix) {
  Skole(5, 6);
  Alrel(akti[0], loka[0]);
  Alrel(akti[1], loka[2]);
  Alrel(akti[2], loka[2]);
  Alrel(akti[4], loka[5]);
  Sorter();
  HWND h = Aabn();
  KlikCelle(h, 3, 3);
  ASSERT_TRUE(tavo::test::SaveWindowPng(desktop, TAVO_BINARY_DIR "/aktilokarel.png"));
  const Ens &e = Ws(h)->Matrix;
  auto pixel = [&](uint32_t c, uint32_t r) {
    return tavo::test::WindowPixel(e.hwndCeller, static_cast<int>(16 * (c - 1) + 1),
                                   static_cast<int>(16 * (r - 1) + 1));
  };
  // The cursor, the guides from both captions to it, and a plain cell.
  const COLORREF markoer = pixel(3, 3), guide = pixel(3, 1), tom = pixel(4, 4);
  EXPECT_NE(markoer, guide);
  EXPECT_NE(guide, tom);
  EXPECT_NE(markoer, tom);
  EXPECT_EQ(pixel(1, 3), guide);
  EXPECT_EQ(pixel(3, 2), guide);
  EXPECT_EQ(pixel(2, 2), tom);
  EXPECT_EQ(pixel(3, 4), tom);
  EXPECT_EQ(tavo::test::WindowPixel(e.hwndCeller, 15, 1), GetSysColor(COLOR_3DDKSHADOW));
  // The related cells, and only they, carry text.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, ENS_CELLER_TEGN, 0, 0);
  EXPECT_EQ(TegnedeCeller(h), (std::set<std::pair<uint32_t, uint32_t>>{{1, 1}, {3, 2}, {3, 3}, {6, 5}}));
}

// ==================================================================== end to end

class AktiLokaRelEndeTilEnde : public RelTest {};

TEST_F(AktiLokaRelEndeTilEnde, ACellToggledInTheWindowIsSavedLoadedAndExported) {
  fs::path skole;
  struct Fjern {
    fs::path &p;
    ~Fjern() {
      std::error_code ec;
      if (!p.empty()) fs::remove_all(p, ec);
    }
  } fjern{skole};
  ASSERT_NO_FATAL_FAILURE(switchtest::LavLilleSkole("aktilokarel", &skole));
  LaesSwitchIni();
  SaetAktuelDato(20261007);
  for (uint32_t &m : HuskGruppe) m = kAlleGrupper;

  // The factory's row for the menu command.
  HWND h = CreateAktiLokaRelWnd(desktop, 0, 0, kDeskB, kDeskH);
  ASSERT_NE(h, static_cast<HWND>(0));
  ShowWindow(h, SW_SHOWNORMAL);
  UpdateWindow(h);
  tavo::test::PumpUntilIdle();
  RelWS *ws = Ws(h);
  ASSERT_GE(+ws->Raekke.ObjTabAntal, 3u);
  ASSERT_GE(+ws->Kol.ObjTabAntal, 2u);
  const uint32_t aktiId = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, ws->Raekke.ObjTab[3]))->id;
  const uint32_t lokaId = reinterpret_cast<const LokaRec *>(GetRec(&tdloka, &tvloka, ws->Kol.ObjTab[2]))->id;
  const ParSet foer = Par();
  ASSERT_EQ(foer.count({aktiId, lokaId}), 0u);

  KlikCelle(h, 2, 3);
  Tast(VK_SPACE);
  ParSet efter = foer;
  efter.insert({aktiId, lokaId});
  EXPECT_EQ(Par(), efter);
  Tast(VK_ESCAPE);
  ASSERT_FALSE(IsWindow(h));

  GemAlleData(0, 0);
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(skole.c_str()));
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(Par(), efter);

  ASSERT_TRUE(EksportSkriv());
  std::ifstream f(skole / "data" / "exp.dat", std::ios::binary);
  const std::string eksport((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  const size_t afsnit = eksport.find("@alrel\n");
  ASSERT_NE(afsnit, std::string::npos) << eksport;
  const std::string linje = std::to_string(aktiId) + ";" + std::to_string(lokaId) + "\n";
  const size_t slut = eksport.find('@', afsnit + 1);
  EXPECT_NE(eksport.substr(afsnit, slut == std::string::npos ? std::string::npos : slut - afsnit).find(linje),
            std::string::npos)
      << eksport;
  GlemEksportMarker();
}

}  // namespace
