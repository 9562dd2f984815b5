// The group button and the group names dialog. The button measures and
// draws the names in the font its drop-down list draws them with, so the
// list's width fits what is drawn.

#include "GRUPPEKNAP.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BESKEDER.h"
#include "FONTE.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "LISTBOX.h"
#include "RAMME.h"
#include "STITAB.h"
#include "VINDUER.h"

int32_t GruppeListeBredde[3] = {0, 0, 0};

namespace {

HGDIOBJ ListeSkrift() { return StdFont ? static_cast<HGDIOBJ>(StdFont) : GetStockObject(DEFAULT_GUI_FONT); }

bool GyldigGruppe(WPARAM w) { return w <= static_cast<WPARAM>(kGruppeAlle); }

GruppeKnapWS *Ws(HWND h) { return reinterpret_cast<GruppeKnapWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

const char *Navn(const GruppeKnapWS *g) {
  const int art = GruppeArtIndeks(static_cast<char>(g->art));
  return art < 0 ? "" : GruppeNavne[art][g->gruppe];
}

void TegnGruppeKnap(const GruppeKnapWS *g) {
  if (!g->dc || g->width <= 0 || g->height <= 0) return;
  const int k = EdgeWidth(18);
  DrawFrame3D(g->dc, 0, 0, g->width - 1, g->height - 1, 18);
  FillSysColRect(g->dc, COLOR_BTNFACE, k, k, g->width - 1 - k, g->height - 1 - k);
  SetTextColor(g->dc, GetSysColor(COLOR_BTNTEXT));
  RECT r = {k + 2, k, g->width - 1 - k, g->height - k};
  DrawTextA(g->dc, Navn(g), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void Saet(GruppeKnapWS *g, WPARAM gruppe) {
  g->gruppe = static_cast<uint8_t>(gruppe);
  TegnGruppeKnap(g);
}

// Drops the list under the button, kept inside the work area, or hides it.
void SkiftListe(GruppeKnapWS *g, HWND hwnd) {
  if (!g->liste) return;
  if (IsWindowVisible(g->liste)) {
    ShowWindow(g->liste, SW_HIDE);
    if (GetCapture() == g->liste) ReleaseCapture();
    return;
  }
  const int art = GruppeArtIndeks(static_cast<char>(g->art));
  // The 32 names need the list's scroll bar; it is added to the width the
  // names were measured for, or it would cover the widest of them.
  const int bredde = std::max(0, (art < 0 ? 0 : GruppeListeBredde[art]) - 2) + GetSystemMetrics(SM_CXVSCROLL);
  RECT r;
  GetWindowRect(hwnd, &r);
  int x = r.left + 1, y = r.top + 18;
  RECT wa;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
  if (x + bredde > wa.right) x = wa.right - bredde;
  if (x < wa.left) x = wa.left;
  if (y + kGruppeListeHoejde > wa.bottom) y -= 164;
  SetWindowPos(g->liste, HWND_TOP, x, y, bredde, kGruppeListeHoejde, SWP_SHOWWINDOW);
  SetCapture(g->liste);
  SetFocus(g->liste);
}

}  // namespace

int GruppeArtIndeks(char bogstav) {
  switch (bogstav) {
    case 'K': return GRP_AKTI;
    case 'M': return GRP_ANFO;
    case 'L': return GRP_LOKA;
    default: return -1;
  }
}

void BeregnGruppeListeBredder() {
  HDC dc = GetDC(0);
  HGDIOBJ gammel = SelectObject(dc, ListeSkrift());
  for (int art = 0; art < kGruppeArter; ++art) {
    int bredest = 0;
    for (int n = 0; n < kGrupper; ++n) {
      SIZE s = {0, 0};
      GetTextExtentPoint32A(dc, GruppeNavne[art][n], static_cast<int>(std::strlen(GruppeNavne[art][n])), &s);
      bredest = std::max(bredest, static_cast<int>(s.cx));
    }
    GruppeListeBredde[art] = bredest + 7;
  }
  SelectObject(dc, gammel);
  ReleaseDC(0, dc);
}

LRESULT CALLBACK GroupWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  GruppeKnapWS *g = Ws(hwnd);
  switch (msg) {
    case WM_CREATE: {
      g = static_cast<GruppeKnapWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!g) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(g));
      g->liste = CreateListBoxWnd(g->instance, hwnd, true);
      const int art = GruppeArtIndeks(static_cast<char>(g->art));
      if (g->liste && art >= 0)
        for (int n = 0; n <= kGruppeAlle; ++n)
          SendMessageA(g->liste, LISTBOX_TILFOEJ, 0, reinterpret_cast<LPARAM>(GruppeNavne[art][n]));
      g->dc = GetDC(hwnd);
      SetBkMode(g->dc, TRANSPARENT);
      g->oldFont = static_cast<HFONT>(SelectObject(g->dc, ListeSkrift()));
      return 0;
    }
    case WM_SIZE:
      if (g) {
        g->width = static_cast<short>(LOWORD(lParam));
        g->height = static_cast<short>(HIWORD(lParam));
        TegnGruppeKnap(g);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (g) TegnGruppeKnap(g);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_LBUTTONDOWN:
      if (g) SkiftListe(g, hwnd);
      return 0;
    case GRUPPE_VALGT:
      if (g && GyldigGruppe(wParam)) Saet(g, wParam);
      return 0;
    case LISTBOX_VALGT:
      // The list sends -1 when nothing was current.
      if (g && GyldigGruppe(wParam) && GruppeHarMedlemmer(static_cast<int>(wParam), static_cast<char>(g->art))) {
        Saet(g, wParam);
        SendMessageA(g->owner, GRUPPE_VALGT, wParam, 0);
      }
      return 0;
    case GRUPPE_SAET:
      if (!g) return 0;
      if (GyldigGruppe(wParam) &&
          (lParam == 85 || GruppeHarMedlemmer(static_cast<int>(wParam), static_cast<char>(g->art))))
        g->gruppe = static_cast<uint8_t>(wParam);
      TegnGruppeKnap(g);
      return 0;
    case GRUPPE_HENT:
      return g ? g->gruppe : 0;
    case WM_DESTROY:
      if (g) {
        if (g->dc) SelectObject(g->dc, g->oldFont);
        if (g->liste) DestroyWindow(g->liste);
        std::free(g);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateGroupWnd(HINSTANCE inst, HWND owner, int x, int y, int bredde, int hoejde, char art, uint8_t gruppe) {
  auto *g = static_cast<GruppeKnapWS *>(std::calloc(1, sizeof(GruppeKnapWS)));
  if (!g) return 0;
  g->instance = inst;
  g->owner = owner;
  g->x = x;
  g->y = y;
  g->width = bredde;
  g->height = hoejde;
  g->art = static_cast<uint8_t>(art);
  g->gruppe = gruppe <= kGruppeAlle ? gruppe : 0;
  HWND h = CreateWindowExA(0, "GroupWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, bredde,
                           hoejde, owner, 0, inst, g);
  if (!h) std::free(g);
  return h;
}

// ==================================================================== names dialog

namespace {

constexpr int kFoersteEdit = 10;  // edits 10..39 for groups 1..30
constexpr int kSidsteEdit = 39;
constexpr int kAktiviteter = 40039, kMedarbejdere = 40040, kLokaler = 40041;
constexpr int kLaasteEdits = 14;  // activity groups 1..5 are the program's own

const char *const kLaastTekst =
    "Rettelser i gruppenavne vil ikke blive gemt vedvarende, da skemaet er låst !";

struct NavneDialog {
  int art = GRP_AKTI;
  bool aendret = false;
  bool fylder = false;  // the edits are being filled: their changes are not the user's
};
NavneDialog Dlg;

void VisArt(HWND hDlg, int art) {
  Dlg.art = art;
  Dlg.fylder = true;
  for (int id = kFoersteEdit; id <= kSidsteEdit; ++id)
    SetDlgItemTextA(hDlg, id, GruppeNavneRen[art][id - kFoersteEdit + 1]);
  Dlg.fylder = false;
  for (int id = kFoersteEdit; id <= kLaasteEdits; ++id) EnableWindow(GetDlgItem(hDlg, id), art != GRP_AKTI);
}

void GemEdit(HWND hDlg, int id) {
  char tekst[kGruppeNavnLaengde];
  GetDlgItemTextA(hDlg, id, tekst, sizeof tekst);
  std::snprintf(GruppeNavneRen[Dlg.art][id - kFoersteEdit + 1], kGruppeNavnLaengde, "%s", tekst);
}

void Genopbyg() {
  for (int art = 0; art < kGruppeArter; ++art)
    for (int n = 0; n < kGrupper; ++n) {
      const char *ren = GruppeNavneRen[art][n];
      while (*ren == ' ' || *ren == '\t') ++ren;
      // " 30 : " and a 49-character name do not fit the 50 bytes: cut.
      char ny[80];
      std::snprintf(ny, sizeof ny, " %i : %.49s", n, ren);
      const size_t laengde = std::min(std::strlen(ny), static_cast<size_t>(kGruppeNavnLaengde - 1));
      std::memcpy(GruppeNavne[art][n], ny, laengde);
      GruppeNavne[art][n][laengde] = '\0';
    }
}

void Ok(HWND hDlg) {
  for (int id = kFoersteEdit; id <= kSidsteEdit; ++id) {
    char tekst[kGruppeNavnLaengde];
    GetDlgItemTextA(hDlg, id, tekst, sizeof tekst);
    char *gemt = GruppeNavneRen[Dlg.art][id - kFoersteEdit + 1];
    if (std::strcmp(tekst, gemt[0] ? gemt : "Ikke navngivet") != 0) Dlg.aendret = true;
    std::snprintf(gemt, kGruppeNavnLaengde, "%s", tekst);
  }
  Genopbyg();
  if (!GlobalIndstillinger.skemalaast) {
    GemGruppeNavne();
    if (Dlg.aendret) WritePrivateProfileStringA("flag", "exportergrupper", "1", StiTab.szini);
  }
  SendTilAlleVinduer(GRUPPE_SAET, 0, 0, 0);
  EndDialog(hDlg, 1);
}

}  // namespace

INT_PTR CALLBACK GruppeNavneDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  switch (msg) {
    case WM_INITDIALOG: {
      Dlg = NavneDialog{};
      for (int art = 0; art < kGruppeArter; ++art)
        for (int n = 0; n < kGrupper; ++n) {
          const char *vist = GruppeNavne[art][n];
          const char *p = std::strstr(vist, " : ");
          std::snprintf(GruppeNavneRen[art][n], kGruppeNavnLaengde, "%s", p ? p + 3 : vist);
        }
      VisArt(hDlg, GRP_AKTI);
      CheckRadioButton(hDlg, kAktiviteter, kLokaler, kAktiviteter);
      SetFocus(GetDlgItem(hDlg, kAktiviteter));
      if (GlobalIndstillinger.skemalaast &&
          MessageBoxA(hDlg, kLaastTekst, "Gruppenavne", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
        EndDialog(hDlg, 2);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int kode = HIWORD(wParam);
      if (id >= kFoersteEdit && id <= kSidsteEdit) {
        if (kode == EN_KILLFOCUS) GemEdit(hDlg, id);
        if (kode == EN_CHANGE && !Dlg.fylder) Dlg.aendret = true;
        return TRUE;
      }
      if (kode != BN_CLICKED) return FALSE;
      switch (id) {
        case kAktiviteter: VisArt(hDlg, GRP_AKTI); return TRUE;
        case kMedarbejdere: VisArt(hDlg, GRP_ANFO); return TRUE;
        case kLokaler: VisArt(hDlg, GRP_LOKA); return TRUE;
        case IDOK: Ok(hDlg); return TRUE;
        case IDCANCEL: EndDialog(hDlg, 2); return TRUE;
      }
      return FALSE;
    }
    case HJAELP_EMNE:
      SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 103);
      return TRUE;
  }
  return FALSE;
}

void RegistrerGruppeNavneSkabelon() {
  tavo::res::DialogTemplate t;
  t.id = IDD_GRUPPENAVNE;
  t.caption = "Grupper";
  t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.cx = 330;
  t.cy = 216;
  const struct {
    int id;
    const char *tekst;
  } radio[] = {{kAktiviteter, "&Aktiviteter"}, {kMedarbejdere, "&Medarbejder"}, {kLokaler, "&Lokaler"}};
  for (int i = 0; i < 3; ++i) {
    const DWORD stil = static_cast<DWORD>(BS_AUTORADIOBUTTON | WS_VISIBLE | WS_TABSTOP | (i == 0 ? WS_GROUP : 0));
    t.items.push_back({"BUTTON", radio[i].id, radio[i].tekst, stil, 0, 15 + i * 100, 16, 90, 10});
  }
  // Three columns of ten.
  for (int n = 1; n <= 30; ++n) {
    const int kol = (n - 1) / 10, raekke = (n - 1) % 10;
    const int x = 14 + kol * 103, y = 48 + raekke * 14;
    char etiket[8];
    std::snprintf(etiket, sizeof etiket, "%d:", n);
    t.items.push_back({"STATIC", -1, etiket, static_cast<DWORD>(SS_RIGHT | WS_VISIBLE | (n == 1 ? WS_GROUP : 0)), 0, x,
                       y + 2, 14, 9});
    t.items.push_back({"EDIT", kFoersteEdit + n - 1, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE, 0,
                       x + 17, y, 80, 12});
  }
  t.items.push_back({"BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE | WS_GROUP, 0, 213, 196, 50, 14});
  t.items.push_back({"BUTTON", IDCANCEL, "Annuller", BS_PUSHBUTTON | WS_TABSTOP | WS_VISIBLE, 0, 270, 196, 50, 14});
  // The frames last: made first they would lie over the controls they frame.
  t.items.push_back({"BUTTON", -1, "Grupper", BS_GROUPBOX | WS_VISIBLE, 0, 7, 4, 316, 28});
  t.items.push_back({"BUTTON", -1, "Gruppenavne:", BS_GROUPBOX | WS_VISIBLE, 0, 7, 36, 316, 154});
  tavo::res::RegisterDialog(t);
}
