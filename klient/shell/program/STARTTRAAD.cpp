#include "STARTTRAAD.h"

#include <cctype>
#include <cstdio>

#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "SKAERM.h"
#include "STITAB.h"
#include "WEBKALD.h"

namespace {

// [sektion] noegle, at most four characters, lower-cased, is "ja".
bool MenuJa(const char *sektion, const char *noegle) {
  char v[5] = "";
  GetPrivateProfileStringA(sektion, noegle, "nej", v, sizeof v, StiTab.szini);
  for (char *c = v; *c; ++c) *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
  return v[0] == 'j' && v[1] == 'a' && v[2] == '\0';
}

bool Findes(const char *mappe, const char *navn) {
  char sti[kStiLaengde];
  const int n = std::snprintf(sti, sizeof sti, "%s%s", mappe, navn);
  return n > 0 && static_cast<size_t>(n) < sizeof sti && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}

void Til(HMENU menu, UINT id, bool til) { EnableMenuItem(menu, id, MF_BYCOMMAND | (til ? MF_ENABLED : MF_GRAYED)); }

void IndsaetPlanMenu(HWND hovedvindue, HMENU menu) {
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = 0;
  // Already there: a second run adds no second popup.
  FindMenuPunkt(menu, &fundet, &holder, &pos, 40290);
  if (fundet) return;
  FindNyhederMenuPos(menu, &fundet, &pos);
  if (!fundet) return;
  HMENU plan = LoadMenuA(hInst, "FF_PLAN");
  if (!plan) return;
  char tekst[64] = "";
  GetMenuStringA(plan, 0, tekst, sizeof tekst, MF_BYPOSITION);
  HMENU popup = GetSubMenu(plan, 0);
  RemoveMenu(plan, 0, MF_BYPOSITION);
  DestroyMenu(plan);
  if (!popup) return;
  InsertMenuA(menu, static_cast<UINT>(pos), MF_BYPOSITION | MF_POPUP, static_cast<UINT_PTR>(popup), tekst);
  DrawMenuBar(hovedvindue);
}

}  // namespace

void SaetStartMenu(HWND hovedvindue, bool portalSvarer) {
  HMENU menu = GetMenu(hovedvindue);
  if (!menu) return;
  Til(menu, 40200, MenuJa("menu", "untis"));
  Til(menu, 40277, portalSvarer);
  Til(menu, 40230, MenuJa("menu", "gensendopd"));
  Til(menu, 40248, false);
  if (ff_plan) IndsaetPlanMenu(hovedvindue, menu);
  Til(menu, 40290, false);
  // The log that 40286 shows is the data folder's.
  if (!Findes(StiTab.szdata, "log\\AutoSkemaIkkePlaceret.log")) Til(menu, 40286, false);
  if (!Findes(StiTab.szdata, "data\\as_imp.json")) Til(menu, 40281, false);
  if (GlobalIndstillinger.autogem) CheckMenuItem(menu, 40197, MF_BYCOMMAND | MF_CHECKED);
  if (MenuJa("flag", "extskemaimport")) TilfoejEksternImportMenu();
}

DWORD WINAPI StartTraad(LPVOID) {
  const bool svarer = WebPortalCheck();
  if (hwndHoved) PostMessageA(hwndHoved, WM_STARTTRAAD_MENU, svarer ? 1 : 0, 0);
  return 0;
}

void StartStartTraad() {
  if (HANDLE h = CreateThread(nullptr, 0, StartTraad, nullptr, 0, nullptr)) CloseHandle(h);
}
