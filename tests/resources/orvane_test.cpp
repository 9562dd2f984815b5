// The main program's resources as the rest of the program finds them: the
// popups the shell walks and inserts, the entries its helpers look for, one
// id per entry, and pictures of the sizes their users cut them into.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "ressourcer.h"
#include "windows.h"
#include "win/menu.h"

namespace {

std::string Tekst(HMENU m, UINT pos) {
  char t[128] = "";
  GetMenuStringA(m, pos, t, sizeof t, MF_BYPOSITION);
  return t;
}

// Every command id of a menu, with the popup path it lies in.
void Samle(HMENU m, const std::string &sti, std::map<UINT, std::string> &ids, int &dubletter) {
  for (int i = 0; i < GetMenuItemCount(m); ++i) {
    if (HMENU under = GetSubMenu(m, i)) {
      Samle(under, sti + "/" + Tekst(m, i), ids, dubletter);
      continue;
    }
    const UINT id = GetMenuItemID(m, i);
    if (id == 0) continue;  // separators
    dubletter += ids.count(id) ? 1 : 0;
    ids[id] = sti;
  }
}

TEST(OrvaneRessourcer, MenusHoldTheEntriesTheProgramLooksFor) {
  RegistrerOrvaneRessourcer();
  HMENU hoved = LoadMenuA(kOrvaneInstans, "MAIN");
  HMENU plan = LoadMenuA(kOrvaneInstans, "FF_PLAN");
  HMENU elev = LoadMenuA(kOrvaneInstans, "ELEVPLAN");
  ASSERT_NE(hoved, 0u);
  ASSERT_NE(plan, 0u);
  ASSERT_NE(elev, 0u);

  const char *popups[] = {"&Aktiviteter", "&Medarbejder", "&Lokaler", "&Postering", "&Gantkort",
                          "Gr&uppe",      "&Slet",        "Se&rver",  "S&ystem",    "&DataView",
                          "&Support",     "Import",       "&Diverse", "&Hjælp"};
  ASSERT_EQ(GetMenuItemCount(hoved), 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(Tekst(hoved, i), popups[i]);
  EXPECT_EQ(Tekst(plan, 0), "Pla&nlægning");  // inserted whole by the start-up thread
  EXPECT_EQ(Tekst(elev, 0), "&Elevplan");

  std::map<UINT, std::string> ids;
  int dubletter = 0;
  Samle(hoved, "", ids, dubletter);
  Samle(plan, "", ids, dubletter);
  Samle(elev, "", ids, dubletter);
  EXPECT_EQ(dubletter, 0);
  const struct {
    UINT id;
    const char *sti;
  } soegte[] = {
      {40192, "/&Diverse/&Egne vinduer"}, {40193, "/&Diverse/&Egne vinduer"}, {40194, "/&Diverse/&Egne vinduer"},
      {40224, "/&Hjælp"},  // the popup before which planning goes
      {40200, "/Import"},  // "Ekstern skema import" joins it
      {40197, "/S&ystem"}, {40277, "/&Hjælp"}, {40230, "/Se&rver"},
      {40290, "/Pla&nlægning"}, {40281, "/Pla&nlægning"}, {40286, "/Pla&nlægning"}, {40248, "/&Elevplan"},
      {40249, "/Se&rver"}, {40250, "/Se&rver"}, {40166, "/S&ystem"},
  };
  for (const auto &s : soegte) EXPECT_EQ(ids[s.id], s.sti) << s.id;
  // Every command id lies in the range the dispatcher knows; the saved
  // screens (1001-1009) are added at run time, not here.
  for (const auto &[id, sti] : ids) EXPECT_TRUE(id >= 40001 && id <= 40298) << id << " " << sti;
  DestroyMenu(hoved);
  DestroyMenu(plan);
  DestroyMenu(elev);
}

TEST(OrvaneRessourcer, PicturesHaveTheirSizes) {
  RegistrerOrvaneRessourcer();
  // Pictures side by side: the toolbar's five exactly, the caption strips
  // at least the four caption pictures, each in three rows (disabled,
  // pressed, normal).
  const struct {
    int id, billeder, bredde, hoejde;
  } tabel[] = {
      {IDB_VAERKTOEJSLINJE, kVaerktoejsBilleder, 16, 16},
      {IDB_KAPTION_STOR, 0, 16, 14 * 3},
      {IDB_KAPTION_LILLE, 0, 12, 12 * 3},
  };
  for (const auto &t : tabel) {
    HBITMAP b = LoadBitmapA(kOrvaneInstans, MAKEINTRESOURCE(t.id));
    ASSERT_NE(b, 0u) << t.id;
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(b, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth % t.bredde, 0) << t.id;
    if (t.billeder) {
      EXPECT_EQ(bm.bmWidth, t.billeder * t.bredde) << t.id;
    } else {
      EXPECT_GE(bm.bmWidth, 4 * t.bredde) << t.id;
    }
    EXPECT_EQ(bm.bmHeight, t.hoejde) << t.id;
    DeleteObject(b);
  }
  for (const char *ikon : {IDI_AAMAIN, IDI_SUPER}) EXPECT_NE(LoadIconA(kOrvaneInstans, ikon), 0u) << ikon;
  for (int m : {IDC_TAVO, IDC_LODRET_DELER, IDC_VANDRET_DELER})
    EXPECT_NE(LoadCursorA(kOrvaneInstans, MAKEINTRESOURCE(m)), 0u) << m;
  // The two program icons differ.
  EXPECT_NE(LoadIconA(kOrvaneInstans, IDI_AAMAIN), LoadIconA(kOrvaneInstans, IDI_SUPER));
}

}  // namespace
