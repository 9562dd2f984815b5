// The cell editors over template 134: each dialog places and sizes itself
// from the caller's record so that only its one control shows; the
// template's "Ok" button stays hidden as the default that Enter presses.
#include "SMAADLG.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FELTTEKST.h"
#include "FONTE.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "TABOPER.h"
#include "ressourcer.h"

namespace {

void Placer(HWND dlg, int x, int y, int b, int h) {
  if (HWND ok = GetDlgItem(dlg, IDOK)) ShowWindow(ok, SW_HIDE);
  SetWindowPos(dlg, 0, x, y, b, h, SWP_NOZORDER);
}

void KopierFelt(char *til, size_t n, const char *fra, size_t felt) {
  const size_t l = strnlen(fra, felt);
  const size_t k = l < n - 1 ? l : n - 1;
  std::memcpy(til, fra, k);
  til[k] = '\0';
}

// ---- text editor ----

WNDPROC EditOriginal = nullptr;  // the EDIT class's procedure, the same for every edit

EditTekstInfo *TekstInfo(HWND dlg) { return reinterpret_cast<EditTekstInfo *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

bool Indenfor(HWND omraade, POINT p) {
  RECT r;
  if (!omraade || !GetWindowRect(omraade, &r)) return false;
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

LRESULT CALLBACK EditTekstUnderProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *ti = reinterpret_cast<EditTekstInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  if (ti && m == WM_LBUTTONDOWN && GetCapture() == h) {
    POINT p{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
    ClientToScreen(h, &p);
    // Told by a post: the dialog destroys this control on OK.
    if (Indenfor(ti->area1, p)) {
      ti->exitCode = kEditTekstOmraade1;
      PostMessageA(ti->dialog, WM_COMMAND, IDOK, 0);
    } else if (Indenfor(ti->area2, p)) {
      ti->exitCode = kEditTekstOmraade2;
      PostMessageA(ti->dialog, WM_COMMAND, IDOK, 0);
    } else if (Indenfor(ti->area3, p)) {
      ti->exitCode = kEditTekstOmraade3;
      PostMessageA(ti->dialog, WM_COMMAND, IDCANCEL, 0);
    } else {
      ti->exitCode = 0;
    }
  } else if (ti && m == WM_CAPTURECHANGED && static_cast<HWND>(l) != h) {
    // The clicks outside must keep coming here.
    LRESULT r = CallWindowProcA(EditOriginal, h, m, w, l);
    SetCapture(h);
    SetCursor(LoadCursorA(kOrvaneInstans, MAKEINTRESOURCE(IDC_TAVO)));
    return r;
  }
  return CallWindowProcA(EditOriginal, h, m, w, l);
}

// Back to the class's own procedure first, so that giving up the capture
// is not undone.
void FrigivEdit(EditTekstInfo *ti) {
  if (!ti || !ti->edit) return;
  SetWindowLongPtrA(ti->edit, GWLP_USERDATA, 0);
  SetWindowLongPtrA(ti->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditOriginal));
  if (GetCapture() == ti->edit) ReleaseCapture();
  DestroyWindow(ti->edit);
  ti->edit = 0;
}

void SlutTekst(HWND dlg, EditTekstInfo *ti, bool gem) {
  if (gem && ti && ti->edit && ti->text)
    GetWindowTextA(ti->edit, ti->text, static_cast<int>(ti->maxLength + 1));
  FrigivEdit(ti);
  EndDialog(dlg, gem ? IDOK : IDCANCEL);
}

// ---- number editor ----

EditTalInfo *TalInfo(HWND dlg) { return reinterpret_cast<EditTalInfo *>(GetWindowLongPtrA(dlg, GWLP_USERDATA)); }

int TalBredde(const EditTalInfo *ei) { return static_cast<int>(ei->intDigits + ei->decimals) * 8; }

void TalOk(HWND dlg, EditTalInfo *ei) {
  char tekst[254] = {};
  GetWindowTextA(ei->edit, tekst, sizeof tekst);
  float tal = 0;
  const int laest = LaesEditTal(tekst, &tal);
  if (laest == 0) {
    ei->value = -1.0f;
    EndDialog(dlg, IDOK);
    return;
  }
  if (laest > 0 && ((tal >= ei->minimum && tal <= ei->maximum) || tal == ei->extra) &&
      (tal != 0 || ei->zeroAllowed)) {
    ei->value = tal;
    EndDialog(dlg, IDOK);
    return;
  }
  char besked[160];
  std::snprintf(besked, sizeof besked, "Det indtastede tal skal ligge mellem %6.2f og %6.2f eller være lig %6.2f",
                static_cast<double>(ei->minimum), static_cast<double>(ei->maximum), static_cast<double>(ei->extra));
  MessageBoxA(hwndHoved, besked, "Fejl i tal", MB_OK | MB_ICONEXCLAMATION);
  SetFocus(ei->edit);
  if (ei->selectAll) SendMessageA(ei->edit, EM_SETSEL, 0, -1);
}

// ---- role and priority pickers ----

int RammeB() { return GetSystemMetrics(SM_CXFRAME); }
int RammeH() { return GetSystemMetrics(SM_CYFRAME); }

// The picker's dialog at (x, y) with a drop-down list filling its width that
// drops to `fald` pixels.
HWND LavVaelger(HWND dlg, int x, int y, int bredde, int fald) {
  Placer(dlg, x, y, bredde, 11 + 2 * RammeH());
  HWND c = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, 0,
                           0, bredde, fald, dlg, 0, 0, nullptr);
  if (c && TxtFont) SendMessageA(c, WM_SETFONT, static_cast<WPARAM>(TxtFont), FALSE);
  return c;
}

}  // namespace

int LaesEditTal(const char *tekst, float *tal) {
  const char *a = tekst;
  while (*a == ' ') ++a;
  const char *e = a + std::strlen(a);
  while (e > a && e[-1] == ' ') --e;
  const size_t n = static_cast<size_t>(e - a);
  if (n == 0 || (n == 1 && *a == '-')) return 0;
  char tal8[254];
  if (n >= sizeof tal8) return -1;
  // One decimal mark: a second one would end the reading early and give a
  // number the user did not type.
  int maerker = 0, cifre = 0;
  for (size_t i = 0; i < n; ++i) {
    const char c = a[i];
    if (c == ',' || c == '.') {
      if (++maerker > 1) return -1;
      tal8[i] = '.';
    } else if (c >= '0' && c <= '9') {
      ++cifre;
      tal8[i] = c;
    } else {
      return -1;
    }
  }
  if (!cifre) return -1;
  tal8[n] = '\0';
  *tal = static_cast<float>(std::strtod(tal8, nullptr));
  return 1;
}

void RolleLinje(uint8_t kind, uint32_t rec, char *linje, size_t n) {
  if (!linje || !n) return;
  linje[0] = '\0';
  char navn[16], kode[6];
  if (kind == 'M') {
    if (rec == 0 || rec >= tvskemarol.wRecCnt) return;
    SkemarolRec r;
    std::memcpy(&r, GetRec(&tdskemarol, &tvskemarol, rec), sizeof r);
    KopierFelt(kode, sizeof kode, r.Rolle, sizeof r.Rolle);
    KopierFelt(navn, sizeof navn, r.Betegnelse, sizeof r.Betegnelse);
    uint8_t maerke = r.Genererer_timeposter == 'J' ? 224 : 226;
    if (std::strncmp(kode, "AK", 2) == 0 || std::strncmp(kode, "ak", 2) == 0) maerke = 147;
    if (r.Check_skemasammenfald == 'J') ++maerke;
    std::snprintf(linje, n, "%-5s  %c  %-15s", kode, maerke, navn);
  } else {
    if (rec == 0 || rec >= tvlokrolle.wRecCnt) return;
    LokrolleRec r;
    std::memcpy(&r, GetRec(&tdlokrolle, &tvlokrolle, rec), sizeof r);
    navn[0] = '\0';
    // A type reference outside the table names no type.
    if (r.lokrotyp_id > 0 && r.lokrotyp_id < tvlokrotyp.wRecCnt) {
      const auto *t = reinterpret_cast<const LokrotypRec *>(GetRec(&tdlokrotyp, &tvlokrotyp, r.lokrotyp_id));
      KopierFelt(navn, sizeof navn, t->Betegnelse, sizeof t->Betegnelse);
    }
    const uint8_t maerke = r.Check_sammenfald == 'J' ? 225 : 224;
    std::snprintf(linje, n, "%c  %c  %-15s", r.Lokalerolle, maerke, navn);
  }
}

INT_PTR CALLBACK EditTekstDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *ti = reinterpret_cast<EditTekstInfo *>(lParam);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (!ti) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      ti->dialog = hDlg;
      ti->exitCode = 0;
      SelectDCPalette(hDlg, &ti->dc, TxtFont);
      Placer(hDlg, ti->x, ti->y, ti->width, ti->height);
      RECT r;
      GetClientRect(hDlg, &r);
      ti->edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, r.right, r.bottom,
                                 hDlg, 0, 0, nullptr);
      if (!ti->edit) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      if (TxtFont) SendMessageA(ti->edit, WM_SETFONT, static_cast<WPARAM>(TxtFont), FALSE);
      SendMessageA(ti->edit, EM_LIMITTEXT, ti->maxLength, 0);
      SetWindowTextA(ti->edit, ti->text ? ti->text : "");
      SendMessageA(ti->edit, EM_SETSEL, ti->selectAll ? 0 : 0x7FFFFFFF, ti->selectAll ? -1 : 0x7FFFFFFF);
      ShowWindow(ti->edit, SW_SHOW);
      SetFocus(ti->edit);
      SetCapture(ti->edit);
      SetWindowLongPtrA(ti->edit, GWLP_USERDATA, lParam);
      EditOriginal = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(ti->edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditTekstUnderProc)));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        SlutTekst(hDlg, TekstInfo(hDlg), LOWORD(wParam) == IDOK);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (auto *ti = TekstInfo(hDlg)) {
        FrigivEdit(ti);  // ended some other way
        if (ti->dc.hdc) ReleaseDC(hDlg, ti->dc.hdc);
        ti->dc.hdc = 0;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK EditTalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG: {
      auto *ei = reinterpret_cast<EditTalInfo *>(lParam);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (!ei) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      ei->dialog = hDlg;
      SelectDCPalette(hDlg, &ei->dc, TxtFont);
      char tekst[64];
      FormatKommaTal(tekst, sizeof tekst, static_cast<int>(ei->intDigits + 1), static_cast<int>(ei->decimals),
                     ei->value);
      ei->width = ei->margin + ei->rightMargin + 8 + TalBredde(ei);
      ei->height = 11;
      Placer(hDlg, ei->x, ei->y, ei->width, ei->height);
      ei->edit = CreateWindowExA(0, "EDIT", tekst, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, ei->margin, 0,
                                 TalBredde(ei) + 9, 11, hDlg, 0, 0, nullptr);
      if (!ei->edit) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      if (TxtFont) SendMessageA(ei->edit, WM_SETFONT, static_cast<WPARAM>(TxtFont), FALSE);
      SendMessageA(ei->edit, EM_SETSEL, ei->selectAll ? 0 : 0x7FFFFFFF, ei->selectAll ? -1 : 0x7FFFFFFF);
      SetFocus(ei->edit);
      return FALSE;
    }
    case WM_PAINT: {
      EditTalInfo *ei = TalInfo(hDlg);
      if (!ei) return FALSE;
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hDlg, &ps);
      HBRUSH vindue = GetSysColorBrush(COLOR_WINDOW);
      RECT venstre{0, 0, ei->margin, 11};
      RECT hoejre{ei->margin + TalBredde(ei) + 8, 0, ei->width, 11};
      FillRect(dc, &venstre, vindue);
      FillRect(dc, &hoejre, vindue);
      EndPaint(hDlg, &ps);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        if (EditTalInfo *ei = TalInfo(hDlg)) TalOk(hDlg, ei);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (auto *ei = TalInfo(hDlg); ei && ei->dc.hdc) {
        ReleaseDC(hDlg, ei->dc.hdc);
        ei->dc.hdc = 0;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK RolleValgDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *ri = reinterpret_cast<RolleValgInfo *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
  switch (msg) {
    case WM_INITDIALOG: {
      ri = reinterpret_cast<RolleValgInfo *>(lParam);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (!ri) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      ri->dialog = hDlg;
      const bool staff = ri->kind == 'M';
      const TabDesc &td = staff ? tdskemarol : tdlokrolle;
      TabVar &tv = staff ? tvskemarol : tvlokrolle;
      const size_t statusOff = staff ? offsetof(SkemarolRec, Status) : offsetof(LokrolleRec, Status);
      std::free(ri->entryMap);
      ri->entryMap = static_cast<uint32_t *>(std::calloc(tv.wRecCnt + 1, sizeof(uint32_t)));
      uint32_t linjer = 0;
      for (uint32_t r = 1; ri->entryMap && r < tv.wRecCnt; ++r) {
        const uint8_t status = GetRec(&td, &tv, r)[statusOff];
        if (status >= 10 && status <= 29) ri->entryMap[linjer++] = r;
      }
      ri->width = GetSystemMetrics(SM_CXVSCROLL) + 2 * RammeB() + (staff ? 196 : 172);
      ri->height = 11 + 2 * RammeH();
      const uint32_t synlige = linjer < 15 ? linjer : 15;
      ri->combo = LavVaelger(hDlg, ri->x, ri->y, ri->width, 2 * RammeH() + 25 + 11 * static_cast<int>(synlige));
      for (uint32_t i = 0; ri->combo && i < linjer; ++i) {
        char linje[64];
        RolleLinje(ri->kind, ri->entryMap[i], linje, sizeof linje);
        SendMessageA(ri->combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(linje));
        if (ri->entryMap[i] == ri->current) SendMessageA(ri->combo, CB_SETCURSEL, i, 0);
      }
      if (ri->combo) SetFocus(ri->combo);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && ri) {
        const LRESULT valgt = ri->combo ? SendMessageA(ri->combo, CB_GETCURSEL, 0, 0) : CB_ERR;
        if (valgt >= 0 && ri->entryMap && valgt < SendMessageA(ri->combo, CB_GETCOUNT, 0, 0))
          ri->current = ri->entryMap[valgt];
        EndDialog(hDlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (ri) {
        std::free(ri->entryMap);
        ri->entryMap = nullptr;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK PrioritetDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  static const char *const kLinjer[] = {" 0 - Ingen prioritet", " 1 - Prioriteret skema", " 2 - Vigende skema"};
  constexpr int kAntal = 3;
  auto *pi = reinterpret_cast<PrioritetInfo *>(GetWindowLongPtrA(hDlg, GWLP_USERDATA));
  switch (msg) {
    case WM_INITDIALOG: {
      pi = reinterpret_cast<PrioritetInfo *>(lParam);
      SetWindowLongPtrA(hDlg, GWLP_USERDATA, lParam);
      if (!pi) {
        EndDialog(hDlg, IDCANCEL);
        return FALSE;
      }
      pi->dialog = hDlg;
      std::free(pi->entryMap);
      pi->entryMap = static_cast<uint8_t *>(std::calloc(kAntal, 1));
      pi->width = GetSystemMetrics(SM_CXVSCROLL) + 2 * RammeB() + 180;
      pi->height = 11 + 2 * RammeH();
      pi->combo = LavVaelger(hDlg, pi->x, pi->y, pi->width, 2 * RammeH() + 58);
      for (int i = 0; pi->combo && pi->entryMap && i < kAntal; ++i) {
        pi->entryMap[i] = static_cast<uint8_t>(i);
        SendMessageA(pi->combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kLinjer[i]));
      }
      if (pi->combo) {
        if (pi->current < kAntal) SendMessageA(pi->combo, CB_SETCURSEL, pi->current, 0);
        SetFocus(pi->combo);
      }
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && pi) {
        const LRESULT valgt = pi->combo ? SendMessageA(pi->combo, CB_GETCURSEL, 0, 0) : CB_ERR;
        if (valgt >= 0 && valgt < kAntal && pi->entryMap) pi->current = pi->entryMap[valgt];
        EndDialog(hDlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY:
      if (pi) {
        std::free(pi->entryMap);
        pi->entryMap = nullptr;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
