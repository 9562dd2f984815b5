// The find-events dialogs on the empty template 126: the controls are made
// at WM_INITDIALOG from the starting event, one 15-pixel line each, with
// the event's values painted beside them.
#include "FINDDLG.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "AVSHJAELP.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SKEMAVIN.h"
#include "skemadialoger.h"
#include "tavo/assert.h"

namespace {

constexpr int kLinje = 15;
constexpr int kKant = 10;
constexpr int kBoksBredde = 110;
constexpr int kVaerdiBredde = 220;
constexpr int kKnapB = 80, kKnapH = 20;
constexpr int kMaxLinjer = 20;

// The dialog's record while it runs (also its window data).
RSDS *AktivRSDS = nullptr;

struct Egenskab {
  char bogstav;
  int id;
  const char *tekst;
};
constexpr Egenskab kEgenskaber[] = {
    {'K', IDC_FIND_AKTI, "A&ktiviteter"}, {'S', IDC_FIND_SKFA, "&Skolefag"}, {'M', IDC_FIND_ANFO, "&Medarbejdere"},
    {'L', IDC_FIND_LOKA, "&Lokaler"},     {'B', IDC_FIND_BEM, "&Bemærkning"}, {'T', IDC_FIND_TID, "&Tid"},
};

RSDS *Rsds(HWND dlg) { return reinterpret_cast<RSDS *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

bool HarSkolefagLinje(const AVS &a) {
  const AktiRec *r = a.aktiAntal && a.aktiTab && a.aktiTab[0] ? TabRec<AktiRec>(tvakti, a.aktiTab[0]) : nullptr;
  return r && (FeltErTekst(r->Type, sizeof r->Type, "HOLD") || FeltErTekst(r->Type, sizeof r->Type, "IVAK"));
}

bool Saerlig(const AVS &a) { return a.Art == 'P' || a.Art == 'Y'; }

// The value lines of each property, trimmed to 20 in all.
struct Linjer {
  int k = 0, s = 0, m = 0, l = 0, b = 0, t = 0;
  int Ialt() const { return k + s + m + l + b + t; }
};

Linjer BeregnLinjer(const AVS &a) {
  Linjer n;
  n.k = std::max<int>(1, static_cast<int>(a.aktiAntal));
  n.m = std::max<int>(1, static_cast<int>(a.anfoAntal));
  n.l = Saerlig(a) ? 0 : std::max<int>(1, static_cast<int>(a.lokaAntal));
  n.s = HarSkolefagLinje(a) ? 1 : 0;
  n.b = std::max<int>(1, static_cast<int>(a.bemAntal));
  n.t = (a.Lektion == 0 && a.Art == 'S') || Saerlig(a) ? 1 : 0;
  while (n.Ialt() > kMaxLinjer) {
    int *stoerst = &n.k;
    if (n.m > *stoerst) stoerst = &n.m;
    if (n.l > *stoerst) stoerst = &n.l;
    if (*stoerst <= 1) break;
    --*stoerst;
  }
  return n;
}

bool HarEgenskab(const AVS &a, char b) {
  switch (b) {
    case 'K': return a.aktiAntal != 0;
    case 'S': return a.skfa_id != 0;
    case 'M': return a.anfoAntal != 0;
    case 'L': return a.lokaAntal != 0;
    case 'B': return a.bem_id != 0;
    case 'T': return a.Starttid != 0 || a.Sluttid != 0;
    default: return false;
  }
}

int Linje(const Linjer &n, char b) {
  switch (b) {
    case 'K': return 0;
    case 'S': return n.k;
    case 'M': return n.k + n.s;
    case 'L': return n.k + n.s + n.m;
    case 'B': return n.k + n.s + n.m + n.l;
    default: return n.k + n.s + n.m + n.l + n.b;
  }
}

HWND Knap(HWND dlg, int id, const char *tekst, DWORD stil, int x, int y, int b, int h) {
  return CreateWindowExA(0, "BUTTON", tekst, WS_CHILD | WS_VISIBLE | stil, x, y, b, h, dlg, static_cast<HMENU>(id), 0,
                         nullptr);
}

bool Sat(HWND dlg, int id) { return GetDlgItem(dlg, id) && IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

std::string SletBogstaver(HWND dlg) {
  std::string s;
  for (const Egenskab &e : kEgenskaber)
    if (e.bogstav != 'T' && Sat(dlg, e.id)) s += e.bogstav;
  s += Sat(dlg, IDC_FIND_FREMMEDE) ? 'F' : Sat(dlg, IDC_FIND_ALLE) ? 'A' : 'E';
  return s;
}

std::string RetBogstaver(HWND dlg, const RSDS &r) {
  std::string s;
  for (const Egenskab &e : kEgenskaber)
    if (e.bogstav == r.art || Sat(dlg, e.id)) s += e.bogstav;
  s += "RE";
  if (std::strchr(r.bogstaver, 'O')) s += 'O';
  if (std::strchr(r.bogstaver, 'T') && r.avs.Lektion == 0) s += 'T';
  return s;
}

void Send(HWND dlg, const std::string &s) {
  RSDS *r = Rsds(dlg);
  if (!r) return;
  std::snprintf(r->bogstaver, sizeof r->bogstaver, "%s", s.c_str());
  if (r->hwnd && IsWindow(r->hwnd)) SendMessageA(r->hwnd, SKE_STATUSTEKST, 0, reinterpret_cast<LPARAM>(r->bogstaver));
}

void Opbyg(HWND dlg, RSDS *r) {
  static const char *const kTitler[] = {" Find begivenheder der skal slettes", " Find begivenheder der skal rettes",
                                        " Find begivenheder der skal flyttes"};
  SetWindowTextA(dlg, kTitler[r->mode == 'S' ? 0 : r->mode == 'R' ? 1 : 2]);
  int y = kKant;
  if (r->fraBegivenhed) {
    const Linjer n = BeregnLinjer(r->avs);
    y += kLinje;  // the headings
    for (const Egenskab &e : kEgenskaber) {
      if (r->mode != 'S' && e.bogstav == r->art) continue;
      if (e.bogstav == 'S' && n.s == 0 && !HarEgenskab(r->avs, 'S')) continue;
      if (e.bogstav == 'T' && n.t == 0) continue;
      char tekst[48];
      if (e.bogstav == 'T')
        std::snprintf(tekst, sizeof tekst, "%s %02i:%02i - %02i:%02i", e.tekst, static_cast<int>(r->avs.Starttid / 100),
                      static_cast<int>(r->avs.Starttid % 100), static_cast<int>(r->avs.Sluttid / 100),
                      static_cast<int>(r->avs.Sluttid % 100));
      else
        std::snprintf(tekst, sizeof tekst, "%s", e.tekst);
      HWND k = Knap(dlg, e.id, tekst, e.bogstav == 'K' ? BS_3STATE : BS_CHECKBOX, kKant,
                    y + Linje(n, e.bogstav) * kLinje, kBoksBredde, kLinje - 1);
      const bool har = HarEgenskab(r->avs, e.bogstav);
      EnableWindow(k, har);
      if (har) CheckDlgButton(dlg, e.id, e.bogstav == 'K' ? BST_INDETERMINATE : BST_CHECKED);
    }
    y += n.Ialt() * kLinje + kKant;
  }
  if (r->mode == 'S') {
    Knap(dlg, IDC_FIND_GRUPPE, "Begivenheder", BS_GROUPBOX, kKant, y, kBoksBredde + kVaerdiBredde, 4 * kLinje);
    const int ids[] = {IDC_FIND_EGNE, IDC_FIND_FREMMEDE, IDC_FIND_ALLE};
    const char *tekster[] = {"&Egne", "&Fremmede", "&Alle"};
    for (int i = 0; i < 3; ++i) Knap(dlg, ids[i], tekster[i], BS_CHECKBOX, 2 * kKant, y + (i + 1) * kLinje - 2, 100, kLinje - 1);
    CheckDlgButton(dlg, r->fremmed ? IDC_FIND_FREMMEDE : IDC_FIND_EGNE, BST_CHECKED);
    y += 4 * kLinje + kKant;
  }
  const int bredde = 2 * kKant + kBoksBredde + kVaerdiBredde;
  Knap(dlg, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, bredde - 2 * (kKnapB + kKant), y, kKnapB, kKnapH);
  Knap(dlg, IDCANCEL, "Fortryd", BS_PUSHBUTTON | WS_TABSTOP, bredde - kKnapB - kKant, y, kKnapB, kKnapH);
  // Without a starting event the delete dialog keeps its fixed height.
  const int hoejde = !r->fraBegivenhed && r->mode == 'S'
                         ? 128
                         : y + kKnapH + kKant + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
  SetWindowPos(dlg, 0, 0, 0, bredde + 2 * GetSystemMetrics(SM_CXFIXEDFRAME), hoejde, SWP_NOMOVE | SWP_NOZORDER);
}

// The starting event's values beside their boxes.
void Tegn(HWND dlg, const RSDS &r) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dlg, &ps);
  if (r.fraBegivenhed) {
    SetBkMode(dc, TRANSPARENT);
    const Linjer n = BeregnLinjer(r.avs);
    const int x = kKant + kBoksBredde + 4;
    auto skriv = [&](int linje, const char *t) {
      TextOutA(dc, x, kKant + kLinje + linje * kLinje, t, static_cast<int>(std::strlen(t)));
    };
    TextOutA(dc, x, kKant, "Aktivitet", 9);
    TextOutA(dc, x + 80, kKant, "Medarbejdere", 12);
    TextOutA(dc, x + 170, kKant, "Lokaler", 7);
    char t[64];
    for (int i = 0; i < n.k && i < static_cast<int>(r.avs.aktiAntal); ++i)
      if (const AktiRec *a = TabRec<AktiRec>(tvakti, r.avs.aktiTab[i])) {
        std::snprintf(t, sizeof t, "%.*s", static_cast<int>(sizeof a->Aktivitet), a->Aktivitet);
        skriv(Linje(n, 'K') + i, t);
      }
    for (int i = 0; i < n.m && i < static_cast<int>(r.avs.anfoAntal); ++i) {
      const AnfoRec *f = TabRec<AnfoRec>(tvanfo, r.avs.anfoTab[i]);
      const MedaRec *m = f ? TabRec<MedaRec>(tvmeda, f->meda_id) : nullptr;
      const float min = r.avs.minutTab ? r.avs.minutTab[i] : 0;
      std::snprintf(t, sizeof t, "%.*s %u %.0f", m ? static_cast<int>(sizeof m->Initialer) : 0, m ? m->Initialer : "",
                    r.avs.skemarolTab ? static_cast<unsigned>(r.avs.skemarolTab[i]) : 0u, min < 0 ? 0.0 : min);
      skriv(Linje(n, 'M') + i, t);
    }
    for (int i = 0; i < n.l && i < static_cast<int>(r.avs.lokaAntal); ++i)
      if (const LokaRec *l = TabRec<LokaRec>(tvloka, r.avs.lokaTab[i])) {
        std::snprintf(t, sizeof t, "%.*s", static_cast<int>(sizeof l->Lokalenr), l->Lokalenr);
        skriv(Linje(n, 'L') + i, t);
      }
    for (int i = 0; i < n.b && i < static_cast<int>(r.avs.bemAntal); ++i) skriv(Linje(n, 'B') + i, r.avs.bemTab[i]);
  }
  EndPaint(dlg, &ps);
}

// What both dialogs share: their record, painting and the end.
bool Faelles(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR *svar) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *r = reinterpret_cast<RSDS *>(lParam);
      SetWindowLongPtrA(dlg, GWLP_USERDATA, lParam);
      AktivRSDS = r;
      if (r) Opbyg(dlg, r);
      *svar = TRUE;
      return true;
    }
    case WM_PAINT:
      if (RSDS *r = Rsds(dlg)) {
        Tegn(dlg, *r);
        *svar = TRUE;
        return true;
      }
      return false;
    case WM_ERASEBKGND:
      *svar = TRUE;
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dlg, 2);
        *svar = TRUE;
        return true;
      }
      return false;
    case WM_DESTROY:
      AktivRSDS = nullptr;
      return false;
  }
  return false;
}

void Vend(HWND dlg, int id) {
  const UINT foer = IsDlgButtonChecked(dlg, id);
  CheckDlgButton(dlg, id, foer == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
}

bool ErEgenskab(int id) {
  for (const Egenskab &e : kEgenskaber)
    if (e.id == id) return true;
  return false;
}

INT_PTR CALLBACK SletProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  INT_PTR svar = FALSE;
  if (Faelles(dlg, msg, wParam, lParam, &svar)) return svar;
  if (msg != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  if (id == IDOK) {
    Send(dlg, SletBogstaver(dlg));
    EndDialog(dlg, 1);
    return TRUE;
  }
  if (ErEgenskab(id)) {
    Vend(dlg, id);
  } else if (id == IDC_FIND_EGNE || id == IDC_FIND_FREMMEDE || id == IDC_FIND_ALLE) {
    for (int k : {IDC_FIND_EGNE, IDC_FIND_FREMMEDE, IDC_FIND_ALLE}) CheckDlgButton(dlg, k, k == id ? BST_CHECKED : BST_UNCHECKED);
  } else {
    return FALSE;
  }
  Send(dlg, SletBogstaver(dlg));
  return TRUE;
}

INT_PTR CALLBACK RetProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  INT_PTR svar = FALSE;
  if (Faelles(dlg, msg, wParam, lParam, &svar)) return svar;
  if (msg != WM_COMMAND) return FALSE;
  RSDS *r = Rsds(dlg);
  if (!r) return FALSE;
  const int id = LOWORD(wParam);
  if (id == IDOK) {
    const std::string s = RetBogstaver(dlg, *r);
    Send(dlg, s);
    bool andet = false;
    for (const Egenskab &e : kEgenskaber) andet |= e.bogstav != r->art && Sat(dlg, e.id);
    if (!andet) {
      const char *hvad = r->art == 'K' ? "aktivitet" : r->art == 'L' ? "lokaler" : "medarbejder";
      char tekst[96];
      std::snprintf(tekst, sizeof tekst, "Der skal vælges mindst 1 fælles egenskab udover %s", hvad);
      MessageBoxA(dlg, tekst, "Afgrænsning ikke OK", MB_OK | MB_ICONEXCLAMATION);
      return TRUE;
    }
    EndDialog(dlg, 1);
    return TRUE;
  }
  if (!ErEgenskab(id)) return FALSE;
  for (const Egenskab &e : kEgenskaber)
    if (e.id == id && e.bogstav == r->art) return TRUE;
  Vend(dlg, id);
  Send(dlg, RetBogstaver(dlg, *r));
  return TRUE;
}

INT_PTR Vis(HWND ejer, RSDS *r, DLGPROC proc) {
  RegistrerSkemaDialoger();
  const bool aktiv = r && r->hwnd && IsWindow(r->hwnd) && IsWindowEnabled(r->hwnd);
  if (aktiv) EnableWindow(r->hwnd, FALSE);
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_FINDBEG), ejer, proc, reinterpret_cast<LPARAM>(r));
  if (aktiv && IsWindow(r->hwnd)) EnableWindow(r->hwnd, TRUE);
  return svar == 1 ? 1 : 2;
}

}  // namespace

RSDS *NyRSDS(HWND hwnd, char art, char mode) {
  auto *r = static_cast<RSDS *>(calloc(1, sizeof(RSDS)));
  if (!r) tavo::AssertFailed("RSDS != NULL", "SKEMA", __LINE__);
  r->hwnd = hwnd;
  r->art = art;
  r->mode = mode;
  CleanupAVS(&r->avs);
  return r;
}

void FrigivRSDS(RSDS *r) {
  if (!r) return;
  CleanupAVS(&r->avs);
  free(r);
}

INT_PTR SletDialog(HWND ejer, RSDS *r) { return Vis(ejer, r, SletProc); }
INT_PTR RetDialog(HWND ejer, RSDS *r) { return Vis(ejer, r, RetProc); }
