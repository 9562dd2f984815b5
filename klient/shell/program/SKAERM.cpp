#include "SKAERM.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "ELEMENT.h"
#include "GEMNING.h"
#include "LOGFIL.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "VINDUER.h"
#include "skaermdlg.h"

uint8_t aktuelSkaerm = 0;
uint32_t &gendanneVinduer = SkaermGendannes;
POINT kaskadePos = {0, 0};

namespace {

constexpr const char *kGemTitel = "Gem aktuel skærm";
constexpr const char *kOmdoebTitel = "Gem nyt navn";
constexpr const char *kSletTitel = "Slet aktuel skærm";

void Sektion(char *sek, size_t n, long nr) { std::snprintf(sek, n, "skrm%ld", nr); }

void LaesNavn(long nr, char *navn) {
  char sek[32];
  Sektion(sek, sizeof sek, nr);
  GetPrivateProfileStringA(sek, "navn", "", navn, kSkaermNavnLaengde, StiTab.szskrm);
}

// A structure value of the screen's section; false when it is missing or
// damaged.
bool LaesStruct(long nr, const char *noegle, void *v, UINT n) {
  char sek[32];
  Sektion(sek, sizeof sek, nr);
  return GetPrivateProfileStructA(sek, noegle, v, n, StiTab.szskrm) != FALSE;
}

bool SkrivStruct(const char *fil, const char *sek, const char *noegle, const void *v, UINT n) {
  return WritePrivateProfileStructA(sek, noegle, const_cast<void *>(v), n, fil) != FALSE;
}

HMENU HovedMenu() { return hwndHoved ? GetMenu(hwndHoved) : 0; }

int DlgBox(HWND ejer, const char *titel, UINT type, const char *format, long nr, const char *navn, bool navnFoerst) {
  char tekst[300];
  if (navnFoerst)
    std::snprintf(tekst, sizeof tekst, format, navn, nr);
  else
    std::snprintf(tekst, sizeof tekst, format, nr, navn);
  return MessageBoxA(ejer, tekst, titel, type);
}

// ---- Saving ----

struct GemData {
  const char *navn;
  RECT hoved;
  std::vector<int32_t> typer;
  std::vector<RECT> rekter;
};

bool SkrivSkaerm(const char *fil, long n, void *data) {
  const auto *g = static_cast<const GemData *>(data);
  char sek[32];
  Sektion(sek, sizeof sek, n);
  WritePrivateProfileStringA(sek, nullptr, nullptr, fil);
  const int32_t cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  if (!WritePrivateProfileStringA(sek, "navn", g->navn, fil) || !SkrivStruct(fil, sek, "skrm_cx", &cx, 4) ||
      !SkrivStruct(fil, sek, "skrm_cy", &cy, 4) || !SkrivStruct(fil, sek, "main_rect", &g->hoved, sizeof(RECT)))
    return false;
  for (size_t k = 0; k < g->typer.size(); ++k) {
    char noegle[32];
    std::snprintf(noegle, sizeof noegle, "desk%ld_id", static_cast<long>(k));
    if (!SkrivStruct(fil, sek, noegle, &g->typer[k], 4)) return false;
    std::snprintf(noegle, sizeof noegle, "desk%ld_rect", static_cast<long>(k));
    if (!SkrivStruct(fil, sek, noegle, &g->rekter[k], sizeof(RECT))) return false;
  }
  return true;
}

// The windows back to front with the student planning window first, so
// that window 0 is always a window and the list has no gap.
void SamlVinduer(GemData &g) {
  POINT o = {0, 0};
  if (hwndDesktop) ClientToScreen(hwndDesktop, &o);
  std::vector<HWND> vinduer;
  for (VinduesNode *v = VinduesListe.hale; v; v = v->forrige) vinduer.push_back(v->hwnd);
  for (int runde = 0; runde < 2; ++runde)
    for (HWND h : vinduer) {
      const int32_t type = static_cast<int32_t>(SendMessageA(h, OBJVINDUE_TYPE, 0, 0));
      if ((type == kElevplanType) != (runde == 0)) continue;
      RECT r;
      GetWindowRect(h, &r);
      g.typer.push_back(type);
      g.rekter.push_back(RECT{r.left - o.x, r.top - o.y, r.right - o.x, r.bottom - o.y});
    }
}

// ---- Restoring ----

void PlacerHovedvindue(long n) {
  RECT r;
  int32_t cx = 0, cy = 0;
  if (!hwndHoved || !LaesStruct(n, "main_rect", &r, sizeof r)) return;
  LaesStruct(n, "skrm_cx", &cx, 4);
  LaesStruct(n, "skrm_cy", &cy, 4);
  const bool sammeSkaerm = cx == GetSystemMetrics(SM_CXSCREEN) && cy == GetSystemMetrics(SM_CYSCREEN);
  if (r.left < 0 || r.top < 0) {
    // Saved maximised.
    if (sammeSkaerm) {
      ShowWindow(hwndHoved, SW_SHOWMAXIMIZED);
      return;
    }
    r = RECT{0, 0, r.right - r.left, r.bottom - r.top};
  }
  ShowWindow(hwndHoved, SW_SHOWNORMAL);
  MoveWindow(hwndHoved, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void LukSkaermensVinduer() {
  HWND forrest = VinduesListeForrest();
  if (forrest && GetWindowLongA(forrest, GWL_ID) == kPlanVindueType) {
    LukVinduerUndtagPlan();
  } else {
    if (HWND plan = FindVindueType(kPlanVindueType)) {
      DestroyWindow(plan);
      VinduesListeFjern(plan);
    }
    LukVinduerUndtagPlan();
  }
  CloseAllElements();
}

// ---- The dialogs ----

SkaermDlgRec *Rec(HWND hDlg) { return reinterpret_cast<SkaermDlgRec *>(GetWindowLongPtrA(hDlg, DWLP_USER)); }

// Fills the record and the combo box with the free slots or the used ones.
void FyldGenveje(HWND hDlg, SkaermDlgRec *rec, bool ledige) {
  rec->hDlg = hDlg;
  rec->Antal = 0;
  for (int n = 1; n <= kAntalSkaerme; ++n) {
    LaesNavn(n, rec->Navne[n]);
    if ((rec->Navne[n][0] == '\0') != ledige) continue;
    rec->Nr[rec->Antal++] = n;
    char tekst[32];
    std::snprintf(tekst, sizeof tekst, "Ctrl+Shift+%d", n);
    SendDlgItemMessageA(hDlg, IDC_SKAERM_GENVEJ, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(tekst));
  }
  SendDlgItemMessageA(hDlg, IDC_SKAERM_NAVN, EM_LIMITTEXT, kSkaermNavnLaengde - 1, 0);
  if (rec->Antal > 0) SendDlgItemMessageA(hDlg, IDC_SKAERM_GENVEJ, CB_SETCURSEL, 0, 0);
}

// The screen at the combo box's selection, or 0.
int ValgtSkaerm(HWND hDlg, const SkaermDlgRec *rec) {
  const LRESULT i = SendDlgItemMessageA(hDlg, IDC_SKAERM_GENVEJ, CB_GETCURSEL, 0, 0);
  return i >= 0 && i < rec->Antal ? rec->Nr[i] : 0;
}

void VisValgtNavn(HWND hDlg, const SkaermDlgRec *rec) {
  const int n = ValgtSkaerm(hDlg, rec);
  SetDlgItemTextA(hDlg, IDC_SKAERM_NAVN, n ? rec->Navne[n] : "");
}

// The name box's text; false, with the box shown and the focus back in the
// name box, when it is empty.
bool HentNavn(HWND hDlg, char *navn, const char *titel) {
  GetDlgItemTextA(hDlg, IDC_SKAERM_NAVN, navn, kSkaermNavnLaengde);
  if (navn[0]) return true;
  MessageBoxA(hDlg, "Der skal angives et navn", titel, MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(hDlg, IDC_SKAERM_NAVN));
  return false;
}

struct NavnData {
  long n;
  const char *navn;  // null: the section goes
};

bool SkrivNavn(const char *fil, void *data) {
  const auto *d = static_cast<const NavnData *>(data);
  char sek[32];
  Sektion(sek, sizeof sek, d->n);
  if (d->navn) return WritePrivateProfileStringA(sek, "navn", d->navn, fil) != FALSE;
  WritePrivateProfileStringA(sek, nullptr, nullptr, fil);
  return true;
}

// Renames or deletes screen n with the menu listed again; a failure is
// shown.
void RetSkaerm(HWND hDlg, long n, const char *navn) {
  FjernSkaermeFraMenu();
  NavnData d{n, navn};
  if (!RetSkrmFil(SkrivNavn, &d)) {
    LogPrintf("** Fejl: skrm%ld kunne ikke rettes i %s\n", n, StiTab.szskrm);
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(hDlg, fejl);
  }
  VisSkaermeIMenu();
}

INT_PTR Init(HWND hDlg, LPARAM lParam, bool ledige) {
  SetWindowLongPtrA(hDlg, DWLP_USER, lParam);
  FyldGenveje(hDlg, reinterpret_cast<SkaermDlgRec *>(lParam), ledige);
  return TRUE;
}

}  // namespace

// ---- Saved screens ----

int LaesSkaermVinduer(const char *fil, long n, SkaermVindue ud[kSkaermVinduer]) {
  char sek[32];
  Sektion(sek, sizeof sek, n);
  int antal = 0;
  for (long k = 0; k < kSkaermVinduer; ++k) {
    char noegle[32];
    std::snprintf(noegle, sizeof noegle, "desk%ld_id", k);
    int32_t type = 0;
    if (!GetPrivateProfileStructA(sek, noegle, &type, 4, fil)) {
      // Screens saved without a student planning window began at window 1.
      if (k == 0) continue;
      break;
    }
    if (type < 1) break;
    SkaermVindue &v = ud[antal++];
    v.Type = type;
    std::snprintf(noegle, sizeof noegle, "desk%ld_rect", k);
    RECT &r = v.Rekt;
    v.MedRekt = GetPrivateProfileStructA(sek, noegle, &r, sizeof r, fil) && r.right >= r.left &&
                r.bottom >= r.top && static_cast<int64_t>(r.right) - r.left <= kMaksLaengde &&
                static_cast<int64_t>(r.bottom) - r.top <= kMaksLaengde;
    if (!v.MedRekt) r = RECT{0, 0, 0, 0};
  }
  return antal;
}

RECT PaaDesktop(RECT r, LONG bredde, LONG hoejde) {
  const LONG rb = r.right - r.left, rh = r.bottom - r.top;
  if (r.left >= bredde || r.right <= 0) {
    r.left = r.left >= bredde && bredde > rb ? bredde - rb : 0;
    r.right = r.left + rb;
  }
  if (r.top >= hoejde || r.bottom <= 0) {
    r.top = r.top >= hoejde && hoejde > rh ? hoejde - rh : 0;
    r.bottom = r.top + rh;
  }
  return r;
}

bool GemSkaerm(SkaermDlgRec *rec) {
  const int n = ValgtSkaerm(rec->hDlg, rec);
  if (n < 1) return false;
  char navn[kSkaermNavnLaengde];
  GetDlgItemTextA(rec->hDlg, IDC_SKAERM_NAVN, navn, sizeof navn);
  FjernSkaermeFraMenu();
  GemData g;
  g.navn = navn;
  g.hoved = RECT{0, 0, 0, 0};
  if (hwndHoved) GetWindowRect(hwndHoved, &g.hoved);
  SamlVinduer(g);
  const bool ok = GemSkrmLayout(n, SkrivSkaerm, &g);
  if (!ok) {
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(rec->hDlg, fejl);
  }
  VisSkaermeIMenu();
  return ok;
}

void HentSkaerm(long n) {
  if (n < 1 || n > kAntalSkaerme) return;
  aktuelSkaerm = static_cast<uint8_t>(n);
  char navn[kSkaermNavnLaengde];
  LaesNavn(n, navn);
  if (!navn[0]) return;
  int32_t cx = 0, cy = 0;
  LaesStruct(n, "skrm_cx", &cx, 4);
  LaesStruct(n, "skrm_cy", &cy, 4);
  const int32_t nuCx = GetSystemMetrics(SM_CXSCREEN), nuCy = GetSystemMetrics(SM_CYSCREEN);
  if (cx > nuCx || cy > nuCy) {
    char tekst[200];
    std::snprintf(tekst, sizeof tekst,
                  "Skærmen er gemt med en opløsning på %ldx%ld,\nmens den nuværende opløsning kun er %ldx%ld",
                  static_cast<long>(cx), static_cast<long>(cy), static_cast<long>(nuCx), static_cast<long>(nuCy));
    MessageBoxA(hwndHoved, tekst, "Anden skærmopløsning", MB_OK);
    return;
  }
  LukSkaermensVinduer();
  PlacerHovedvindue(n);
  if (hwndDesktop) SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
  LoadSkrmLayout(n);

  SkaermVindue vinduer[kSkaermVinduer];
  const int antal = LaesSkaermVinduer(StiTab.szskrm, n, vinduer);
  const LONG bredde = DesktopRect.right - DesktopRect.left + 1, hoejde = DesktopRect.bottom - DesktopRect.top + 1;
  HWND elevplan = 0;
  for (int k = 0; k < antal; ++k) {
    ++gendanneVinduer;
    RECT r = vinduer[k].Rekt;
    if (vinduer[k].MedRekt) r = PaaDesktop(r, bredde, hoejde);
    HWND h = OpretObjektVindue(hwndHoved, vinduer[k].Type, 0, vinduer[k].MedRekt ? &r : nullptr);
    if (h && vinduer[k].Type == kElevplanType) elevplan = h;
  }
  if (elevplan) {
    SendMessageA(elevplan, SKAERM_AKTIVER, 0, 0);
    SendTilAlleVinduer(WM_PAINT, 0, 0, 0);
  }
}

void VisSkaermeIMenu() {
  HMENU menu = HovedMenu();
  if (!menu) return;
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = 0;
  FindMenuPunkt(menu, &fundet, &holder, &pos, kMenuGemSkaerm);
  int antal = 0;
  if (fundet) {
    for (int n = 1; n <= kAntalSkaerme; ++n) {
      char navn[kSkaermNavnLaengde];
      LaesNavn(n, navn);
      if (!navn[0]) continue;
      if (antal++ == 0) AppendMenuA(holder, MF_SEPARATOR, kMenuSkaermSkille, nullptr);
      char tekst[kSkaermNavnLaengde + 16];
      std::snprintf(tekst, sizeof tekst, "&%d . %s", n, navn);
      AppendMenuA(holder, MF_STRING, kMenuSkaermSkille + n, tekst);
    }
  }
  const UINT redigering = antal > 0 ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(menu, kMenuOmdoebSkaerm, MF_BYCOMMAND | redigering);
  EnableMenuItem(menu, kMenuSletSkaerm, MF_BYCOMMAND | redigering);
  EnableMenuItem(menu, kMenuGemSkaerm, MF_BYCOMMAND | (antal == kAntalSkaerme ? MF_GRAYED : MF_ENABLED));
}

void FjernSkaermeFraMenu() {
  HMENU menu = HovedMenu();
  if (!menu) return;
  // Every slot's entry, so that one whose name went from the file meanwhile
  // does not stay behind.
  for (UINT id = kMenuSkaermSkille + 1; id <= kMenuSkaermSkille + kAntalSkaerme; ++id)
    RemoveMenu(menu, id, MF_BYCOMMAND);
  // The separator is not found by its command; it is taken by position
  // from the popup that holds the entries.
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = 0;
  FindMenuPunkt(menu, &fundet, &holder, &pos, kMenuGemSkaerm);
  if (!fundet) return;
  for (int i = GetMenuItemCount(holder) - 1; i >= 0; --i)
    if (GetMenuItemID(holder, i) == kMenuSkaermSkille && !GetSubMenu(holder, i))
      RemoveMenu(holder, static_cast<UINT>(i), MF_BYPOSITION);
}

INT_PTR CALLBACK GemSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      if (VinduesListeAntal() == 0) {
        MessageBoxA(hDlg, "Der skal være mindst 1 desktopvindue.", kGemTitel, MB_OK | MB_ICONEXCLAMATION);
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      Init(hDlg, lParam, true);
      SetFocus(GetDlgItem(hDlg, IDC_SKAERM_NAVN));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        SkaermDlgRec *rec = Rec(hDlg);
        char navn[kSkaermNavnLaengde];
        const int n = ValgtSkaerm(hDlg, rec);
        if (!n || !HentNavn(hDlg, navn, kGemTitel)) return TRUE;
        if (DlgBox(hDlg, kGemTitel, MB_OKCANCEL,
                   "Ønsker du at gemme denne skærm under genvejstasten 'Ctrl+Shift+%ld', med navnet '%s'", n, navn,
                   false) == IDOK) {
          GemSkaerm(rec);
          EndDialog(hDlg, IDOK);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK OmdoebSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      Init(hDlg, lParam, false);
      VisValgtNavn(hDlg, Rec(hDlg));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SKAERM_GENVEJ && HIWORD(wParam) == CBN_SELCHANGE) {
        VisValgtNavn(hDlg, Rec(hDlg));
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        char navn[kSkaermNavnLaengde];
        const int n = ValgtSkaerm(hDlg, Rec(hDlg));
        if (!n || !HentNavn(hDlg, navn, kOmdoebTitel)) return TRUE;
        if (DlgBox(hDlg, kOmdoebTitel, MB_OKCANCEL,
                   "Ønsker du at ændre genvejstasten 'Ctrl+Shift+%ld', til navnet '%s'", n, navn, false) == IDOK) {
          RetSkaerm(hDlg, n, navn);
          EndDialog(hDlg, IDOK);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK SletSkaermDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      Init(hDlg, lParam, false);
      VisValgtNavn(hDlg, Rec(hDlg));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_SKAERM_GENVEJ && HIWORD(wParam) == CBN_SELCHANGE) {
        VisValgtNavn(hDlg, Rec(hDlg));
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        SkaermDlgRec *rec = Rec(hDlg);
        const int n = ValgtSkaerm(hDlg, rec);
        if (!n) return TRUE;
        if (DlgBox(hDlg, kSletTitel, MB_OKCANCEL, "Ønsker du at slette skærmen '%s' med genvejstasten 'Ctrl+Shift+%ld'",
                   n, rec->Navne[n], true) == IDOK) {
          RetSkaerm(hDlg, n, nullptr);
          EndDialog(hDlg, IDOK);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR VisSkaermDialog(HWND ejer, int dialog) {
  DLGPROC proc = dialog == IDD_GEM_SKAERM      ? GemSkaermDlgProc
                 : dialog == IDD_OMDOEB_SKAERM ? OmdoebSkaermDlgProc
                 : dialog == IDD_SLET_SKAERM   ? SletSkaermDlgProc
                                               : nullptr;
  if (!proc) return 0;
  RegistrerSkaermDialoger();
  SkaermDlgRec rec{};
  return DialogBoxParamA(hInst, MAKEINTRESOURCE(dialog), ejer, proc, reinterpret_cast<LPARAM>(&rec));
}

// ---- The cascade ----

HWND AabnKaskadeVindue(HWND hoved, int type, LPARAM lParam, bool genstart) {
  if (genstart || VinduesListeAntal() == 0) kaskadePos = POINT{0, 0};
  const LONG bredde = DesktopRect.right - DesktopRect.left + 1, hoejde = DesktopRect.bottom - DesktopRect.top + 1;
  if (kaskadePos.x + 150 > bredde || kaskadePos.y + 100 > hoejde) kaskadePos = POINT{0, 0};
  const RECT r = {kaskadePos.x, kaskadePos.y, bredde, hoejde};
  HWND h = OpretObjektVindue(hoved, type, lParam, &r);
  if (h) {
    const LONG skridt = GetSystemMetrics(SM_CYCAPTION) + 3;
    kaskadePos.x += skridt;
    kaskadePos.y += skridt;
  }
  return h;
}

// ---- Menu helpers ----

void FindMenuPunkt(HMENU menu, BOOL *fundet, HMENU *holder, int *pos, UINT id) {
  *fundet = FALSE;
  if (!menu) return;
  const int antal = GetMenuItemCount(menu);
  for (int i = 0; i < antal; ++i) {
    if (HMENU under = GetSubMenu(menu, i)) {
      FindMenuPunkt(under, fundet, holder, pos, id);
      if (*fundet) return;
    } else if (GetMenuItemID(menu, i) == id) {
      *fundet = TRUE;
      *holder = menu;
      *pos = i;
      return;
    }
  }
}

void FindNyhederMenuPos(HMENU menu, BOOL *fundet, int *pos) {
  *fundet = FALSE;
  if (!menu) return;
  const int antal = GetMenuItemCount(menu);
  for (int i = 0; i < antal; ++i) {
    HMENU under = GetSubMenu(menu, i);
    if (!under) continue;
    BOOL f = FALSE;
    HMENU h = 0;
    int p = 0;
    FindMenuPunkt(under, &f, &h, &p, kMenuNyheder);
    if (f) {
      *fundet = TRUE;
      *pos = i;
      return;
    }
  }
}

void FjernMenuPunkt(UINT id) {
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = 0;
  FindMenuPunkt(HovedMenu(), &fundet, &holder, &pos, id);
  if (!fundet) return;
  RemoveMenu(holder, static_cast<UINT>(pos), MF_BYPOSITION);
  DrawMenuBar(hwndHoved);
}

void TilfoejEksternImportMenu() {
  HMENU menu = HovedMenu();
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = 0;
  FindMenuPunkt(menu, &fundet, &holder, &pos, kMenuEksternImport);
  if (fundet) return;
  FindMenuPunkt(menu, &fundet, &holder, &pos, kMenuUntisImport);
  if (fundet) AppendMenuA(holder, MF_STRING, kMenuEksternImport, "Ekstern skema import");
}
