// The shortcut pick list over an owner that answers the shortcut question,
// with the main window listening: what each window hears and in which
// order, greyed rows, placement at the work area's edges; the key records
// built from messages and played into a window; a window set freed.

#include <cstdlib>
#include <string>
#include <vector>

#include "GENVEJ.h"
#include "liste_support.h"
#include "tavo/test_gdi.h"

namespace {

using liste_test::Hoert;
using liste_test::Hoerte;

TastInfo Tast(int shift, int ctrl, UINT vk) { return TastInfo{shift, ctrl, 0, WM_KEYDOWN, vk, 0, 0, 0}; }

// The calendar's shortcuts.
const ShortCutPost kKalenderPoster[] = {
    {Tast(0, 0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {Tast(0, 1, VK_F4), "<Ctrl> + <F4>", "Luk fokus vindue."},
    {Tast(0, 0, VK_PRIOR), "<Pgup>", "Skift måned."},
    {Tast(0, 0, VK_NEXT), "<Pgdn>", "Skift måned."},
    {Tast(1, 1, 'D'), "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {{}, "", ""},
};

const ShortCutPost kIngenPoster[] = {{Tast(0, 0, VK_F3), "<F3>", ""}, {Tast(0, 0, VK_F4), "<F4>", "Luk."}};

class Genvejsliste : public liste_test::ListeTest {
 protected:
  void SetUp() override {
    ListeTest::SetUp();
    SaetGenvejHovedVindue(foraeldre);
    tabel = ShortCutTabel{77, kKalenderPoster};
    liste_test::ValgtByte() = &tabel.Valgt;
    liste_test::MalingAf() = ejer;
    HDC dc = GetDC(foraeldre);
    HGDIOBJ gammel = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    raekkeHoejde = tm.tmHeight;
    SelectObject(dc, gammel);
    ReleaseDC(foraeldre, dc);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &arbejde, 0);
  }
  void TearDown() override {
    SaetGenvejHovedVindue(0);
    ListeTest::TearDown();
  }

  HWND Aabn(int x = 200, int y = 150) {
    Hoerte().clear();
    HWND p = CreateShortCutWnd(0, ejer, x, y, &tabel);
    tavo::test::PumpUntilIdle();
    return p;
  }
  static ShortCutInfo *Si(HWND p) { return reinterpret_cast<ShortCutInfo *>(GetWindowLongPtrA(p, GWLP_USERDATA)); }
  // The middle of row i (1-based) in client coordinates.
  POINT Raekke(uint32_t i) const { return {30, static_cast<int>(i - 1) * raekkeHoejde + raekkeHoejde / 2 + 2}; }
  void Klik(HWND p, POINT c) const {
    const POINT s = tavo::test::ScreenPoint(p, c.x, c.y);
    tavo::test::Click(s.x, s.y);
    tavo::test::PumpUntilIdle();
  }
  static void Taste(UINT vk) {
    tavo::test::PressKey(vk);
    tavo::test::PumpUntilIdle();
  }
  // Who heard what: 'H' the main window, 'E' the owner; keys by their
  // wParam. The owner's paint requests count once where they begin: a
  // window the pop-up uncovered may be asked again by the window layer.
  std::vector<std::string> Forloeb() const {
    std::vector<std::string> v;
    for (const Hoert &h : Hoerte()) {
      std::string s = (h.hwnd == foraeldre ? "H" : h.hwnd == ejer ? "E" : "?") + std::to_string(h.msg);
      if (h.msg == TAST_SPOERG || h.msg == TAST_MODTAG) s += ":" + std::to_string(h.tast.wParam);
      if (h.msg == WM_PAINT && !v.empty() && v.back() == s) continue;
      v.push_back(s);
    }
    return v;
  }
  const Hoert *Modtaget() const {
    for (const Hoert &h : Hoerte())
      if (h.msg == TAST_MODTAG) return &h;
    return nullptr;
  }

  ShortCutTabel tabel{};
  int raekkeHoejde = 0;
  RECT arbejde{};
};

TEST_F(Genvejsliste, TheCalendarsTableGivesFiveRowsAskedOfTheOwnerOneByOne) {
  HWND p = Aabn();
  ASSERT_NE(p, 0u);
  EXPECT_EQ(Forloeb(), (std::vector<std::string>{"E1363:114", "E1363:115", "E1363:33", "E1363:34", "E1363:68",
                                                 "H1116"}));
  EXPECT_EQ(Hoerte().back().l, static_cast<LPARAM>(p));
  ShortCutInfo *si = Si(p);
  EXPECT_EQ(si->pos.Antal, 5u);
  EXPECT_EQ(si->pos.Aktuel, 1u);
  RECT r;
  GetWindowRect(p, &r);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.bottom - r.top, 5 * raekkeHoejde + 2 * (GetSystemMetrics(SM_CYFRAME) + 2));
  EXPECT_EQ(r.right - r.left, si->descriptionWidth + si->keyWidth + 2 * GetSystemMetrics(SM_CXFRAME) + 9);
  EXPECT_EQ(GetFocus(), p);
  EXPECT_EQ(GetCapture(), p);
  ASSERT_TRUE(tavo::test::SaveWindowPng(p, TAVO_BINARY_DIR "/genvejsliste.png"));

  // Down to the last row and no further, up to the first and no further;
  // Enter hands the owner the key of the row.
  const struct {
    UINT tast;
    int gange;
    uint32_t aktuel;
  } trin[] = {{VK_UP, 1, 1}, {VK_DOWN, 6, 5}, {VK_UP, 2, 3}};
  for (const auto &t : trin) {
    for (int i = 0; i < t.gange; ++i) Taste(t.tast);
    EXPECT_EQ(si->pos.Aktuel, t.aktuel);
  }
  Hoerte().clear();
  Taste(VK_RETURN);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_EQ(tabel.Valgt, 2);
  EXPECT_EQ(Forloeb(), (std::vector<std::string>{"H1117", "E1366:33", "E15"}));
  ASSERT_NE(Modtaget(), nullptr);
  EXPECT_EQ(Modtaget()->valgt, 2) << "the index is in the table when the key arrives";
  EXPECT_EQ(Modtaget()->l, reinterpret_cast<LPARAM>(&kKalenderPoster[2].Tast));
}

TEST_F(Genvejsliste, AnUnavailableRowIsGreyedAndCanStillBeChosen) {
  liste_test::Svar()[VK_F4] = 0;
  tavo::test::ClearDrawnTexts();
  HWND p = Aabn();
  // Row 2 (Ctrl+F4) greyed and embossed; row 1 is current.
  auto Tekster = [&](const char *tekst) {
    std::vector<tavo::test::DrawnText> v;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.hwnd == p && d.text == tekst) v.push_back(d);
    return v;
  };
  auto luk = Tekster("Luk fokus vindue.");
  ASSERT_EQ(luk.size(), 2u);
  EXPECT_EQ(luk[0].text_color, GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(luk[0].x, 3);
  EXPECT_EQ(luk[0].y, raekkeHoejde + 3);
  EXPECT_EQ(luk[1].text_color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(luk[1].x, 2);
  EXPECT_EQ(luk[1].y, raekkeHoejde + 2);
  auto navn = Tekster("<Ctrl> + <F4>");
  ASSERT_EQ(navn.size(), 2u);
  EXPECT_EQ(navn[1].x, Si(p)->descriptionWidth + 7);
  EXPECT_EQ(navn[1].text_color, GetSysColor(COLOR_GRAYTEXT));
  auto maks = Tekster("Maksimer / gendan aktuelt vindue.");
  ASSERT_EQ(maks.size(), 1u);
  EXPECT_EQ(maks[0].text_color, GetSysColor(COLOR_CAPTIONTEXT));
  auto dato = Tekster("Gå til aktuel dato.");
  ASSERT_EQ(dato.size(), 1u);
  EXPECT_EQ(dato[0].text_color, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(tavo::test::WindowPixel(p, 1, raekkeHoejde / 2 + 2), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(tavo::test::WindowPixel(p, 1, raekkeHoejde + raekkeHoejde / 2 + 2), GetSysColor(COLOR_BTNFACE));
  ASSERT_TRUE(tavo::test::SaveWindowPng(p, TAVO_BINARY_DIR "/genvejsliste_graa.png"));

  // Current, it is grey without the emboss.
  const POINT r2 = Raekke(2);
  const POINT s = tavo::test::ScreenPoint(p, r2.x, r2.y);
  tavo::test::ClearDrawnTexts();
  tavo::test::MouseMove(s.x, s.y);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Si(p)->pos.Aktuel, 2u);
  luk = Tekster("Luk fokus vindue.");
  ASSERT_EQ(luk.size(), 1u);
  EXPECT_EQ(luk[0].text_color, GetSysColor(COLOR_GRAYTEXT));
  EXPECT_EQ(tavo::test::WindowPixel(p, 1, r2.y), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(tavo::test::WindowPixel(p, 1, raekkeHoejde / 2 + 2), GetSysColor(COLOR_BTNFACE));

  Hoerte().clear();
  Klik(p, r2);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_EQ(Forloeb(), (std::vector<std::string>{"H1117", "E1366:115", "E15"}));
  ASSERT_NE(Modtaget(), nullptr);
  EXPECT_EQ(Modtaget()->valgt, 1);
  const TastInfo &t = Modtaget()->tast;
  EXPECT_EQ(std::vector<uint32_t>({uint32_t(t.shift), uint32_t(t.ctrl), uint32_t(t.alt), t.message, t.wParam, t.lParam}),
            std::vector<uint32_t>({0, 1, 0, WM_KEYDOWN, VK_F4, 0}));
}

TEST_F(Genvejsliste, EscAndAClickOutsideCloseWithoutAKey) {
  struct {
    const char *navn;
    bool esc;
    POINT ude;
  } tabel_[] = {{"Esc", true, {}}, {"click left of it", false, {-5, 10}}, {"click below it", false, {30, 400}}};
  for (const auto &t : tabel_) {
    SCOPED_TRACE(t.navn);
    HWND p = Aabn();
    Hoerte().clear();
    if (t.esc)
      Taste(VK_ESCAPE);
    else
      Klik(p, t.ude);
    EXPECT_FALSE(IsWindow(p));
    EXPECT_EQ(Forloeb(), (std::vector<std::string>{"H1117", "E15"}));
    EXPECT_EQ(tabel.Valgt, 77);
  }
}

TEST_F(Genvejsliste, AListWithoutRowsClosesOnEnterWithoutHandingTheEndEntry) {
  tabel.Poster = kIngenPoster;
  HWND p = Aabn();
  ASSERT_NE(p, 0u);
  EXPECT_EQ(Forloeb(), (std::vector<std::string>{"H1116"})) << "no entry to ask about";
  EXPECT_EQ(Si(p)->pos.Antal, 0u);
  RECT r;
  GetWindowRect(p, &r);
  EXPECT_EQ(r.bottom - r.top, 2 * (GetSystemMetrics(SM_CYFRAME) + 2));
  Hoerte().clear();
  Taste(VK_RETURN);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_EQ(Forloeb(), (std::vector<std::string>{"H1117", "E15"}));
  EXPECT_EQ(tabel.Valgt, 77);

  // Nothing for no table.
  Hoerte().clear();
  EXPECT_EQ(CreateShortCutWnd(0, ejer, 10, 10, nullptr), 0u);
  EXPECT_TRUE(Hoerte().empty());
}

TEST_F(Genvejsliste, OpensAboveAndLeftOfAPointAtTheWorkAreasEdges) {
  const struct {
    const char *navn;
    POINT p;
    bool venstre, op;
  } tabel_[] = {
      {"bottom-right corner", {arbejde.right - 1, arbejde.bottom - 1}, true, true},
      {"right edge", {arbejde.right - 5, 100}, true, false},
      {"bottom edge", {100, arbejde.bottom - 5}, false, true},
      {"free", {100, 100}, false, false},
  };
  for (const auto &t : tabel_) {
    SCOPED_TRACE(t.navn);
    HWND p = Aabn(t.p.x, t.p.y);
    RECT r;
    GetWindowRect(p, &r);
    EXPECT_EQ(t.venstre ? r.right : r.left, t.p.x);
    EXPECT_EQ(t.op ? r.bottom : r.top, t.p.y);
    EXPECT_LE(r.right, arbejde.right);
    EXPECT_LE(r.bottom, arbejde.bottom);
    DestroyWindow(p);
  }
}

// ---- key records

TEST(GenvejslisteTast, KeyRecordsFromMessagesTakeTheModifiersFromTheKeyboard) {
  tavo::test::ResetUser();
  const TastInfo klar = {1, 0, 1, WM_SYSKEYDOWN, 'X', 7, 0xAAAA, 0xBBBB};
  const struct {
    const char *navn;
    std::vector<int> holdt;
    UINT msg;
    WPARAM w;
    LPARAM l;
    TastInfo forventet;
  } tabel[] = {
      {"key with Shift", {VK_SHIFT}, WM_KEYDOWN, 'A', 0x1E0001, {-1, 0, 0, WM_KEYDOWN, 'A', 0x1E0001, 0, 0}},
      {"system key with Ctrl and Alt", {VK_CONTROL, VK_MENU}, WM_SYSKEYDOWN, VK_F4, 0x203E0001,
       {0, -1, -1, WM_SYSKEYDOWN, VK_F4, 0x203E0001, 0, 0}},
      {"system command", {}, WM_SYSCOMMAND, VK_F6, 0, {0, 0, 0, WM_SYSCOMMAND, VK_F6, 0, 0, 0}},
      {"a record handed over", {VK_SHIFT}, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&klar), klar},
      {"no record handed over", {}, TAST_MODTAG, 0, 0, {}},
      {"a character", {VK_SHIFT}, WM_CHAR, 'a', 1, {}},
      {"a key released", {VK_CONTROL}, WM_KEYUP, 'A', 1, {}},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    BYTE taster[256] = {};
    for (int vk : t.holdt) taster[vk] = 0x80;
    SetKeyboardState(taster);
    TastInfo r;
    std::memset(&r, 0x5A, sizeof r);
    MakeTastInfo(&r, t.msg, t.w, t.l);
    EXPECT_EQ(std::memcmp(&r, &t.forventet, sizeof r), 0)
        << r.shift << " " << r.ctrl << " " << r.alt << " " << r.message << " " << r.wParam << " " << r.lParam << " "
        << r.ekstra1 << " " << r.ekstra2;
  }
  BYTE ingen[256] = {};
  SetKeyboardState(ingen);
}

TEST_F(Genvejsliste, SendTastPlaysTheKeyWithItsModifiersAndLeavesAllKeysUp) {
  const struct {
    UINT tast;
    bool shift, ctrl, alt;
    UINT msg;
  } tabel_[] = {
      {VK_F6, false, false, true, WM_SYSCOMMAND}, {VK_F10, false, false, false, WM_SYSKEYDOWN},
      {'B', false, false, true, WM_SYSKEYDOWN},   {VK_F10, true, false, false, WM_SYSKEYDOWN},
      {'D', true, true, false, WM_KEYDOWN},       {VK_F6, false, true, false, WM_KEYDOWN},
      {VK_RETURN, false, false, false, WM_KEYDOWN},
  };
  // The receiver builds its record while the key is handled.
  static TastInfo hoert;
  wfb_test::Registrer("TastModtager", [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_SYSCOMMAND) {
      MakeTastInfo(&hoert, m, w, l);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  });
  HWND modtager = CreateWindowExA(0, "TastModtager", "", WS_CHILD, 0, 0, 10, 10, ejer, 0, 0, nullptr);
  for (const auto &t : tabel_) {
    SCOPED_TRACE(std::to_string(t.tast) + (t.shift ? " shift" : "") + (t.ctrl ? " ctrl" : "") + (t.alt ? " alt" : ""));
    hoert = TastInfo{};
    SendTast(modtager, t.tast, t.shift, t.ctrl, t.alt);
    const TastInfo forventet = {t.shift ? -1 : 0, t.ctrl ? -1 : 0, t.alt ? -1 : 0, t.msg, t.tast, 0, 0, 0};
    EXPECT_EQ(std::memcmp(&hoert, &forventet, sizeof hoert), 0)
        << hoert.shift << " " << hoert.ctrl << " " << hoert.alt << " " << hoert.message << " " << hoert.wParam;
    BYTE taster[256];
    GetKeyboardState(taster);
    for (int vk = 0; vk < 256; ++vk) EXPECT_EQ(taster[vk], 0) << vk;
  }
}

// ---- window sets

TEST_F(Genvejsliste, FreeingAWindowSetDestroysItsWindowsAndEmptiesIt) {
  FrigivVinduesSaet(nullptr);
  VinduesSaet tom{};
  FrigivVinduesSaet(&tom);

  VinduesSaet saet{};
  saet.Antal = 3;
  saet.Vinduer = static_cast<HWND *>(std::calloc(3, sizeof(HWND)));
  saet.Vaerdier = static_cast<uint32_t *>(std::calloc(3, sizeof(uint32_t)));
  saet.Flag = static_cast<uint8_t *>(std::calloc(3, 1));
  for (int i = 0; i < 3; ++i)
    saet.Vinduer[i] = CreateWindowExA(0, "ListeLyt", "", WS_CHILD | WS_VISIBLE, 10 * i, 0, 10, 10, ejer, 0, 0, nullptr);
  const std::vector<HWND> vinduer(saet.Vinduer, saet.Vinduer + 3);
  DestroyWindow(vinduer[1]);  // one already gone
  FrigivVinduesSaet(&saet);
  for (HWND h : vinduer) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(saet.Vinduer, nullptr);
  EXPECT_EQ(saet.Vaerdier, nullptr);
  EXPECT_EQ(saet.Flag, nullptr);
  EXPECT_EQ(saet.Antal, 0u);
  FrigivVinduesSaet(&saet);  // freed twice: nothing more happens
  EXPECT_TRUE(IsWindow(ejer));
}

}  // namespace
