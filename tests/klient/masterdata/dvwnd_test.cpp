// The raw table viewer: a viewer for every menu command of the factory,
// the size rules, the header sorts, the cells by data type and through
// foreign keys, and the keys.

#include <string>
#include <vector>

#include "DVWND.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "NYBUTTON.h"
#include "OBJVINDUE.h"
#include "RECPRED.h"
#include "TABOPER.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;

class DVWndTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerDVKlasse(0));
  }

 public:
  HWND Aabn(uint8_t bogstav, int hoejre = kDeskB, int bund = kDeskH, int menu = 40033) {
    HWND h = CreateDVWnd(bogstav, 0, 0, hoejre, bund, menu);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
      BringWindowToTop(h);
      SetFocus(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static std::string Tekst(HWND h) {
    char b[128] = "";
    GetWindowTextA(h, b, sizeof b);
    return b;
  }
  static std::vector<uint32_t> Raekker(HWND h) {
    const DVWS *ws = DVVinduesWS(h);
    return std::vector<uint32_t>(ws->Liste + 1, ws->Liste + 1 + ws->RecAntal);
  }
  // The texts drawn in the viewer's rows (not its caption or buttons) on a
  // full repaint.
  static std::vector<std::string> Tegnet(HWND h) {
    const HWND celler = DVVinduesWS(h)->Hoved.hwndCeller;
    tavo::test::ClearDrawnTexts();
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == celler) v.push_back(t.text);
    return v;
  }
  // A header button by its id (99 the record number, 100 + field); 0 when
  // there is none.
  static HWND Knap(HWND h, int id) {
    const DVWS *ws = DVVinduesWS(h);
    const int i = id == kDVRecNrKnap ? 0 : id - kDVFoersteFeltKnap + 1;
    if (i < 0 || (i > 0 && id - kDVFoersteFeltKnap >= ws->pTd->AntalFelter)) return 0;
    const HWND k = ws->Knapper[i];
    const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(k, GWLP_USERDATA));
    return b && static_cast<int>(b->id) == id ? k : 0;
  }
  static std::string KnapTekst(HWND h, int id) {
    const auto *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(Knap(h, id), GWLP_USERDATA));
    return b && b->txt ? b->txt : "";
  }
  static void KlikKnap(HWND h, int id) {
    RECT r{};
    GetWindowRect(Knap(h, id), &r);
    tavo::test::Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    tavo::test::PumpUntilIdle();
  }
  static uint32_t Anom(uint32_t id, const char *navn) {
    AnomRec a{};
    a.id = id;
    a.Status = 20;
    predtest::Tekst(a.Ansvarsomraade, navn);
    return predtest::Ny(tdanom, tvanom, a);
  }
};

struct Kommando {
  int menu;
  const char *tabel;
};

// The menu commands and the tables they open, as the menus name them.
const Kommando kKommandoer[] = {
    {40165, "aakrel"},   {40033, "anom"},     {40035, "hontity"},  {40102, "lektregl"}, {40103, "nojt"},
    {40104, "eakt"},     {40105, "loty"},     {40106, "aldtil"},   {40107, "afsp"},     {40108, "beltil"},
    {40109, "omsdag"},   {40110, "opgkal"},   {40111, "opgper"},   {40112, "araf"},     {40113, "aftalop"},
    {40114, "afme"},     {40115, "meda"},     {40116, "anfo"},     {40186, "ansk"},     {40117, "acsa"},
    {40118, "udgr"},     {40119, "loka"},     {40120, "risy"},     {40121, "skka"},     {40122, "kdagrel"},
    {40037, "kaldag"},   {40123, "akti"},     {40124, "skfa"},     {40125, "skph"},     {40126, "lokrotyp"},
    {40127, "lokrolle"}, {40128, "skemrtyp"}, {40129, "skemarol"}, {40131, "pers"},     {40183, "miak"},
    {40184, "minutfau"}, {40185, "minutud"},  {40188, "planakt"},  {40189, "mipl"},     {40190, "fagfordl"},
    {40191, "udlplan"},  {40214, "ansc"},     {40215, "budt"},     {40216, "buftim"},   {40217, "normjust"},
    {40218, "ret"},      {40219, "ins"},      {40260, "akpl"},     {40261, "epsh"},     {40262, "ffpp"},
    {40263, "uvfo"},     {40220, "pom"},      {40221, "bygn"},     {40222, "amm"},      {40298, "sls_koder"},
};

TEST_F(DVWndTest, DVWndKommandoerAabnerDeresTabel) {
  for (const Kommando &c : kKommandoer) {
    SCOPED_TRACE(c.tabel);
    const ObjektRaekke *r = FindObjektRaekke(c.menu);
    ASSERT_NE(r, nullptr);
    ASSERT_NE(r->Opret, nullptr);
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    ASSERT_EQ(TabFromType(static_cast<uint8_t>(r->Art), &pTd, &pTv), 0);
    // A record of its own shows that the viewer lists what the table holds.
    const uint32_t ny = NewRec(pTd, pTv);
    ASSERT_NE(ny, 0u);
    ObjektKald k{hoved, desktop, c.menu, 0, 0, 0, kDeskB, kDeskH, r->Art, "", 0, 0};
    HWND h = r->Opret(k);
    ASSERT_NE(h, HWND(0));
    EXPECT_EQ(Tekst(h), c.tabel);
    EXPECT_EQ(GetDlgCtrlID(h), c.menu);
    EXPECT_EQ(KnapTekst(h, kDVRecNrKnap), "RecNr");
    for (uint32_t f = 0; f < pTd->AntalFelter; ++f)
      EXPECT_EQ(KnapTekst(h, kDVFoersteFeltKnap + static_cast<int>(f)), pTd->FeltTab[f].Navn);
    EXPECT_EQ(Knap(h, kDVFoersteFeltKnap + pTd->AntalFelter), HWND(0));
    const auto raekker = Raekker(h);
    EXPECT_EQ(raekker.size(), pTv->wRecCnt - 1);
    EXPECT_NE(std::find(raekker.begin(), raekker.end(), ny), raekker.end());
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
  EXPECT_EQ(CreateDVWnd('\x01', 0, 0, kDeskB, kDeskH, 1), HWND(0));
}

TEST_F(DVWndTest, DVWndTomTabelHoldesOverMindsteStoerrelse) {
  HWND h = Aabn('a', 60, 40);
  ASSERT_NE(h, HWND(0));
  RECT r{};
  GetWindowRect(h, &r);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_EQ(KnapTekst(h, kDVRecNrKnap), "RecNr");
  EXPECT_EQ(KnapTekst(h, kDVFoersteFeltKnap + 5), "Betegnelse");
  EXPECT_TRUE(Tegnet(h).empty());
  // A roomy desktop gives the empty table only its lower bound in height.
  DestroyWindow(h);
  h = Aabn('a');
  GetWindowRect(h, &r);
  EXPECT_EQ(r.bottom - r.top, 100);
  EXPECT_EQ(r.right - r.left, DVRaekkeBredde(&tdanom) + 2 * GetSystemMetrics(SM_CXFRAME) +
                                  GetSystemMetrics(SM_CXVSCROLL) + 4);
}

TEST_F(DVWndTest, DVWndSorteringVedKlikPaaHoved) {
  Anom(3, "Bogholderi");  // 1
  Anom(1, "Ærø");         // 2
  Anom(2, "Åby");         // 3
  Anom(4, "Øster");       // 4
  HWND h = Aabn('a');
  ASSERT_NE(h, HWND(0));
  EXPECT_EQ(Raekker(h), (std::vector<uint32_t>{1, 2, 3, 4}));
  struct Trin {
    int knap;
    std::vector<uint32_t> raekker;
  } trin[] = {
      {kDVFoersteFeltKnap + 1, {1, 2, 4, 3}},  // Danish order: Æ, Ø, Å after the Latin letters
      {kDVFoersteFeltKnap + 1, {3, 4, 2, 1}},
      {kDVFoersteFeltKnap + 1, {1, 2, 4, 3}},
      {kDVFoersteFeltKnap, {2, 3, 1, 4}},     // another header: ascending by id
      {kDVRecNrKnap, {1, 2, 3, 4}},
      {kDVRecNrKnap, {4, 3, 2, 1}},
  };
  for (const Trin &t : trin) {
    KlikKnap(h, t.knap);
    EXPECT_EQ(Raekker(h), t.raekker) << t.knap;
  }
}

TEST_F(DVWndTest, DVWndCellerEfterDatatype) {
  const uint32_t n = Akti(1001, "H01");
  TabRec<AktiRec>(tvakti, n)->AntalLererTimer = -1;
  uint32_t felt = 0;
  while (std::string(tdakti.FeltTab[felt].Navn) != "AntalLererTimer") ++felt;
  EXPECT_EQ(DVCelleTekst(&tdakti, &tvakti, n, felt, 0), "4294967295");
  EXPECT_EQ(DVCelleTekst(&tdakti, &tvakti, n, 1, 0), "H01");
  EXPECT_EQ(DVCelleTekst(&tdakti, &tvakti, n, 0, 0), "  1001");
  EXPECT_EQ(DVCelleTekst(&tdakti, &tvakti, n + 1, 0, 0), "");
}

TEST_F(DVWndTest, DVWndFremmedNoegleViserMaaletsFeltEt) {
  const uint32_t a1 = Akti(1001, "Øst"), a2 = Akti(1002, "Åby"), a3 = Akti(1003, "Ærø");
  const uint32_t l = Loka(2001, "L07");
  Alrel(a1, l);
  Alrel(a2, l);
  Alrel(a3, l);
  // The width follows the key to field 1 of the table it names.
  EXPECT_EQ(DVFeltBredde(&tdalrel, 0), 8 * tdakti.FeltTab[1].Bredde);
  HWND h = Aabn('*');
  ASSERT_NE(h, HWND(0));
  const auto tegnet = Tegnet(h);
  for (const char *t : {"Øst", "Åby", "Ærø", "L07"})
    EXPECT_NE(std::find(tegnet.begin(), tegnet.end(), t), tegnet.end()) << t;
  KlikKnap(h, kDVFoersteFeltKnap);
  EXPECT_EQ(Raekker(h), (std::vector<uint32_t>{3, 1, 2}));
}

TEST_F(DVWndTest, DVWndTaster) {
  for (uint32_t i = 1; i <= 30; ++i) Anom(i, "X");
  HWND h = Aabn('a', 200, 300);
  ASSERT_NE(h, HWND(0));
  DVWS *ws = DVVinduesWS(h);
  const uint32_t synlig = static_cast<uint32_t>(ws->Hoved.RudeB[ENS_CELLER]);
  const uint32_t maks = static_cast<uint32_t>(ws->RaekkeBredde) - synlig;
  struct Trin {
    UINT tast;
    int mods;
    uint32_t foerste;
  } vandret[] = {
      {VK_LEFT, 0, 0},  // the left end holds
      {VK_RIGHT, 0, 10},
      {VK_RIGHT, tavo::test::ModCtrl, 10 + synlig - 1},
      {VK_LEFT, 0, synlig - 1},
      {VK_LEFT, tavo::test::ModCtrl, 0},
      {VK_RIGHT, tavo::test::ModAlt, maks},
      {VK_RIGHT, 0, maks},  // nor past the right end
      {VK_LEFT, tavo::test::ModAlt, 0},
  };
  for (const Trin &t : vandret) {
    Tast(t.tast, t.mods);
    EXPECT_EQ(ws->PosX.Foerste, t.foerste) << t.tast << " " << t.mods;
  }
  EXPECT_EQ(ws->PosY.Aktuel, 1u);
  Tast(VK_DOWN);
  Tast(VK_DOWN);
  EXPECT_EQ(ws->PosY.Aktuel, 3u);
  Tast(VK_UP);
  EXPECT_EQ(ws->PosY.Aktuel, 2u);
  Tast(VK_NEXT);
  EXPECT_GT(ws->PosY.Aktuel, 2u);
  Tast(VK_PRIOR);
  EXPECT_EQ(ws->PosY.Aktuel, 2u);

  HovedHoert().clear();
  Tast(VK_F4, tavo::test::ModCtrl);
  EXPECT_FALSE(IsWindow(h));
  ASSERT_EQ(HovedHoert().size(), 1u);
  EXPECT_EQ(HovedHoert()[0].msg, 1102u);
}

// The viewer sits on the grid frame: row clicks, the wheel, the scroll bars,
// keys from the main window and the caption's close button all go through it.
TEST_F(DVWndTest, DVWndRammensMusRullepanelerOgTaster) {
  for (uint32_t i = 1; i <= 30; ++i) Anom(i, "X");
  HWND h = Aabn('a', 300, 200);
  ASSERT_NE(h, HWND(0));
  DVWS *ws = DVVinduesWS(h);
  const Ens &e = ws->Hoved;
  ASSERT_NE(e.hwndCeller, HWND(0));
  ASSERT_NE(e.hwndHScroll, HWND(0));
  ASSERT_NE(e.hwndVScroll, HWND(0));
  // The point inside row r of the cell pane as the frame scrolls it.
  auto raekkePunkt = [&](uint32_t r) {
    return tavo::test::ScreenPoint(e.hwndCeller, 20,
                                   static_cast<int>(GridCelleStart(&e.AkseY, r)) - static_cast<int>(e.ScrollY) + 5);
  };
  auto foersteTegnede = [&] {
    const auto v = Tegnet(h);
    return v.empty() ? std::string() : v.front();
  };

  SCOPED_TRACE("clicks on rows");
  POINT p = raekkePunkt(3);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->PosY.Aktuel, 3u);
  p = raekkePunkt(5);
  tavo::test::DoubleClick(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->PosY.Aktuel, 5u);

  SCOPED_TRACE("the wheel");
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_GT(uint32_t(e.ScrollY), 0u);
  EXPECT_GT(ws->PosY.Foerste, 1u);
  EXPECT_EQ(ws->PosY.Aktuel, 5u);  // the wheel scrolls, it does not move the current row
  char tal[16];
  std::snprintf(tal, sizeof tal, "%5u", ws->Liste[ws->PosY.Foerste]);
  EXPECT_EQ(foersteTegnede(), tal);
  // A click lands on the row under the cursor, scrolled as it is.
  const uint32_t under = ws->PosY.Foerste + 1;
  p = raekkePunkt(under);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(ws->PosY.Aktuel, under);
  for (int i = 0; i < 3; ++i) SendMessageA(h, ENS_HJUL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(uint32_t(e.ScrollY), 0u);
  EXPECT_EQ(foersteTegnede(), "    1");
  // Sideways with Ctrl: the rows and the header buttons move together.
  RECT knap0{}, knap1{};
  GetWindowRect(Knap(h, kDVRecNrKnap), &knap0);
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-120)), 0);
  EXPECT_GT(uint32_t(e.ScrollX), 0u);
  EXPECT_EQ(ws->PosX.Foerste, uint32_t(e.ScrollX));
  UpdateWindow(h);
  tavo::test::PumpUntilIdle();
  GetWindowRect(Knap(h, kDVRecNrKnap), &knap1);
  EXPECT_EQ(knap1.left, knap0.left - static_cast<int>(e.ScrollX));
  SendMessageA(h, ENS_HJUL, MAKEWPARAM(MK_CONTROL, 120), 0);
  EXPECT_EQ(uint32_t(e.ScrollX), 0u);

  SCOPED_TRACE("scroll-bar clicks");
  RECT bar{};
  GetWindowRect(e.hwndVScroll, &bar);
  tavo::test::Click((bar.left + bar.right) / 2, bar.bottom - 4);  // the down arrow
  tavo::test::PumpUntilIdle();
  const uint32_t linje = e.ScrollY;
  EXPECT_GT(linje, 0u);
  tavo::test::Click((bar.left + bar.right) / 2, bar.bottom - 20);  // the page below the thumb
  tavo::test::PumpUntilIdle();
  EXPECT_GT(uint32_t(e.ScrollY), linje);
  GetWindowRect(e.hwndHScroll, &bar);
  tavo::test::Click(bar.right - 4, (bar.top + bar.bottom) / 2);  // the right arrow
  tavo::test::PumpUntilIdle();
  EXPECT_GT(uint32_t(e.ScrollX), 0u);
  EXPECT_EQ(ws->PosX.Foerste, uint32_t(e.ScrollX));
  // Left from there steps back from the bar's position, not from an old one.
  const uint32_t x = e.ScrollX;
  Tast(VK_LEFT);
  EXPECT_EQ(ws->PosX.Foerste, x > 10 ? x - 10 : 0u);

  SCOPED_TRACE("keys from the main window");
  SetFocus(hoved);
  tavo::test::PumpUntilIdle();
  ws->PosY.Aktuel = 1;
  for (int i = 0; i < 25; ++i) Tast(VK_DOWN);
  EXPECT_EQ(ws->PosY.Aktuel, 26u);
  // The current row is scrolled into view.
  EXPECT_GE(ws->PosY.Aktuel, ws->PosY.Foerste);
  EXPECT_LT(ws->PosY.Aktuel, ws->PosY.Foerste + ws->PosY.Synlige);
  std::snprintf(tal, sizeof tal, "%5u", ws->Liste[ws->PosY.Foerste]);
  EXPECT_EQ(foersteTegnede(), tal);

  SCOPED_TRACE("the caption's close button");
  HovedHoert().clear();
  GetWindowRect(e.hwndLuk, &bar);
  tavo::test::Click((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2);
  tavo::test::PumpUntilIdle();
  EXPECT_FALSE(IsWindow(h));
  ASSERT_EQ(HovedHoert().size(), 1u);
  EXPECT_EQ(HovedHoert()[0].msg, 1102u);
}

TEST_F(DVWndTest, DVWndAktuelRaekkesFarverEfterFokus) {
  Anom(1, "A");
  Anom(2, "B");
  HWND h = Aabn('a');
  ASSERT_NE(h, HWND(0));
  const HWND celler = DVVinduesWS(h)->Hoved.hwndCeller;
  auto farve = [&](const char *tekst) {
    tavo::test::ClearDrawnTexts();
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == celler && t.text == tekst) return t.text_color;
    return COLORREF(0xFFFFFFFF);
  };
  EXPECT_EQ(farve("A"), FarveTab[17]);
  EXPECT_EQ(farve("B"), FarveTab[1]);
  SetFocus(hoved);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(farve("A"), FarveTab[19]);
  if (const char *ud = std::getenv("TAVO_DV_PNG")) {
    SetFocus(h);
    tavo::test::PumpUntilIdle();
    tavo::test::SaveWindowPng(h, ud);
  }
}

}  // namespace
