// The Elevplan contact: one thread per contact runs the contact program once
// per verb and shows its progress in the contact pane. The pane's record is
// shared with that thread; the pane never frees it under a running thread.
#include "EPKONTAKT.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include "EPDLG.h"
#include "EPEXPORT.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "RAMME.h"
#include "STITAB.h"
#include "TEKST.h"
#include "TOOLTIP.h"
#include "elevdialoger.h"

HWND hwndEpTekstRude = 0;

namespace {

constexpr int kKmdLinjeLaengde = 256;
constexpr int kLinjeLaengde = 512;

// Cut to the field, as every copy into the record is.
void Kopi(char *til, size_t n, const char *fra) {
  const size_t l = fra ? strnlen(fra, n - 1) : 0;
  if (l) memmove(til, fra, l);
  til[l] = '\0';
}

std::string SystemTekst(DWORD fejl) {
  char buf[256] = {};
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, fejl, 0, buf,
                      sizeof buf, nullptr))
    snprintf(buf, sizeof buf, "Fejl %lu", static_cast<unsigned long>(fejl));
  std::string t = buf;
  while (!t.empty() && (t.back() == '\r' || t.back() == '\n' || t.back() == ' ')) t.pop_back();
  return t;
}

bool Findes(const char *sti) { return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

void LogPath(char *buf, size_t n) { snprintf(buf, n, "%slog/elevplan.tmp", StiTab.szdata); }

HWND HovedVindue(const EpKontakt *k) { return GetAncestor(k->hwnd, GA_ROOT); }

bool ErAfbrudt(EpKontakt *k) {
  std::lock_guard<std::mutex> lock(k->Laas);
  return k->Afbrudt;
}

// A line of the file into buf (up to n - 1 bytes); the rest of a longer line
// is read past. False at the end of the file.
bool LaesLinje(FILE *fil, char *buf, size_t n) {
  if (!fgets(buf, static_cast<int>(n), fil)) return false;
  const size_t l = strlen(buf);
  if (l > 0 && buf[l - 1] != '\n') {
    int c;
    while ((c = fgetc(fil)) != EOF && c != '\n') {
    }
  }
  return true;
}

// The logon's output: the key, then the roles. The file holds the key, so
// it goes as soon as it is read.
void LaesLogon(EpKontakt *k) {
  char sti[kStiLaengde];
  LogPath(sti, sizeof sti);
  FILE *fil = fopen(sti, "r");
  if (!fil) {
    const DWORD fejl = GetLastError();
    EpStatusTekst(k, "%s: %s", sti, SystemTekst(fejl).c_str());
    GlemEpRoller(k);
    k->LogonNoegle[0] = '\0';
    return;
  }
  LaesEpLogon(fil, k);
  fclose(fil);
  DeleteFileA(sti);
}

// Step 5: true when logged on.
bool LogPaa(EpKontakt *k) {
  if (k->LogonNoegle[0]) return true;
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_EP_LOGIN), HovedVindue(k),
                                       EpLoginDlgProc, reinterpret_cast<LPARAM>(k));
  if (svar != 1 || ErAfbrudt(k)) return false;
  EpStatusTekst(k, "Logger på elevplan som %s...", k->Bruger);
  char sti[kStiLaengde];
  LogPath(sti, sizeof sti);
  // An output file left from an earlier logon must not pass for this one's.
  DeleteFileA(sti);
  const int kode = KoerKontaktprogram(k, "Logon", sti, k->Bruger, k->Kodeord);
  if (kode < 0) {
    EpStatusTekst(k, "%s", SystemTekst(GetLastError()).c_str());
    return false;
  }
  if (kode > 0) {
    EpStatusTekst(k, "Elevplan-login fejlede");
    DeleteFileA(sti);
    return false;
  }
  LaesLogon(k);
  return k->LogonNoegle[0] != '\0';
}

// Step 6: true when a role is chosen.
bool VaelgRolle(EpKontakt *k) {
  if (k->ValgtRolle >= 0) return true;
  if (k->RolleAntal == 1) {
    k->ValgtRolle = 0;
  } else {
    EpStatusTekst(k, "Vælg rolle i dialogen...");
    const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_EP_ROLLE),
                                         HovedVindue(k), EpRolleDlgProc, reinterpret_cast<LPARAM>(k));
    if (svar != 1 || k->ValgtRolle < 0 || static_cast<uint32_t>(k->ValgtRolle) >= k->RolleAntal) {
      EpStatusTekst(k, "Elevplan-kontakt afbrudt");
      k->ValgtRolle = -1;
      return false;
    }
  }
  const char *noegle = k->Roller[k->ValgtRolle].Noegle;
  EpStatusTekst(k, "Sætter rolle \"%s\"...", noegle);
  if (KoerKontaktprogram(k, "RolleValg", k->LogonNoegle, noegle, "") != 0) {
    EpStatusTekst(k, "Rollevalg fejlede!");
    k->ValgtRolle = -1;
    return false;
  }
  return true;
}

// Steps 1 to 7; true when the answer waits to be imported.
bool Kontakt(EpKontakt *k) {
  if (!Findes(StiTab.szepexp)) {
    EpStatusTekst(k, "Der skal eksporteres først!");
    return false;
  }
  // A packed answer is an answer too: the import unpacks it first.
  if (Findes(StiTab.szepimp) || Findes(StiTab.szzipepimp)) {
    EpStatusTekst(k, "Der skal importeres først!");
    return false;
  }
  char prog[kStiLaengde];
  snprintf(prog, sizeof prog, "%sep%u.exe", StiTab.szprog, version);
  if (!Findes(prog)) {
    EpStatusTekst(k, "Kontaktprogram (ep%u.exe) mangler!", version);
    return false;
  }
  char fundet[MAX_PATH];
  if (SearchPathA(nullptr, "mscoree.dll", nullptr, sizeof fundet, fundet, nullptr) == 0) {
    EpStatusTekst(k, ".net runtime mangler!");
    return false;
  }
  if (!LogPaa(k) || ErAfbrudt(k)) return false;
  if (!VaelgRolle(k) || ErAfbrudt(k)) return false;
  EpStatusTekst(k, "Udveksler data med elevplan...");
  const int kode = KoerKontaktprogram(k, "BehandlExpFil", k->LogonNoegle, StiTab.szepexp, "");
  // Only an answer file is something to import.
  if (kode != 0 || !Findes(StiTab.szepimp)) {
    EpStatusTekst(k, "Dataudveksling fejlede!");
    return false;
  }
  EpStatusTekst(k, "Dataudveksling gennemført");
  return true;
}

}  // namespace

bool LaesEpLogon(FILE *fil, EpKontakt *k) {
  char linje[kLinjeLaengde - 1];
  k->LogonNoegle[0] = '\0';
  if (LaesLinje(fil, linje, sizeof linje)) {
    linje[sizeof k->LogonNoegle - 1] = '\0';
    TrimStr(linje);
    Kopi(k->LogonNoegle, sizeof k->LogonNoegle, linje);
  }
  GlemEpRoller(k);
  const bool roller = LaesEpRoller(fil, k);
  // Without a key a role choice or exchange would go out with the wrong
  // words in the key's place: it is a failed logon.
  if (!roller || k->LogonNoegle[0] == '\0') {
    if (k->LogonNoegle[0] == '\0' && k->hwnd) EpStatusTekst(k, "Elevplan-login fejlede");
    GlemEpRoller(k);
    k->LogonNoegle[0] = '\0';
    return false;
  }
  return true;
}

void GlemEpRoller(EpKontakt *k) {
  free(k->Roller);
  k->Roller = nullptr;
  k->RolleAntal = 0;
  k->ValgtRolle = -1;
}

void EpStatusTekst(EpKontakt *k, const char *format, ...) {
  char buf[512];
  va_list ap;
  va_start(ap, format);
  vsnprintf(buf, sizeof buf, format, ap);
  va_end(ap);
  SetWindowTextA(k->hwnd, buf);
}

bool LaesEpRoller(FILE *fil, EpKontakt *k) {
  char linje[kLinjeLaengde];
  while (LaesLinje(fil, linje, sizeof linje)) {
    if (strncmp(linje, "MEDA:", 5) != 0) continue;
    char *semi = strchr(linje, ';');
    if (!semi) continue;
    if (k->RolleAntal % 5 == 0) {
      auto *ny = static_cast<EpRolle *>(realloc(k->Roller, (k->RolleAntal + 5) * sizeof(EpRolle)));
      if (!ny) continue;
      k->Roller = ny;
    }
    EpRolle &r = k->Roller[k->RolleAntal];
    *semi = '\0';
    Kopi(r.Noegle, sizeof r.Noegle, linje);
    char *tekst = semi + 1;
    TrimStr(tekst);
    Kopi(r.Tekst, sizeof r.Tekst, tekst);
    ++k->RolleAntal;
  }
  return k->Roller != nullptr && k->RolleAntal > 0;
}

HANDLE StartProcesMedPipe(char *kmdLinje, PROCESS_INFORMATION *pi) {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;
  HANDLE indLaes = 0, indSkriv = 0, udLaes = 0, udSkriv = 0;
  if (!CreatePipe(&indLaes, &indSkriv, &sa, 0)) return 0;
  if (!CreatePipe(&udLaes, &udSkriv, &sa, 0)) {
    CloseHandle(indLaes);
    CloseHandle(indSkriv);
    return 0;
  }
  HANDLE laes = 0;
  const BOOL dup = DuplicateHandle(GetCurrentProcess(), udLaes, GetCurrentProcess(), &laes, 0, FALSE,
                                   DUPLICATE_SAME_ACCESS);
  CloseHandle(udLaes);
  // The child reads the end of its input at once.
  CloseHandle(indSkriv);
  if (!dup) {
    CloseHandle(indLaes);
    CloseHandle(udSkriv);
    return 0;
  }
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  si.dwFlags |= STARTF_USESTDHANDLES;
  si.hStdInput = indLaes;
  si.hStdOutput = udSkriv;
  si.hStdError = udSkriv;
  const BOOL ok = CreateProcessA(nullptr, kmdLinje, nullptr, nullptr, TRUE, DETACHED_PROCESS | CREATE_NO_WINDOW,
                                 nullptr, nullptr, &si, pi);
  const DWORD fejl = ok ? 0 : GetLastError();
  CloseHandle(indLaes);
  CloseHandle(udSkriv);
  if (!ok) {
    CloseHandle(laes);
    SetLastError(fejl);
    return 0;
  }
  return laes;
}

int KoerKontaktprogram(EpKontakt *k, const char *verbum, const char *arg1, const char *arg2,
                       const char *arg3) {
  char prog[kStiLaengde];
  snprintf(prog, sizeof prog, "%sep%u", StiTab.szprog, version);
  std::string linje = tavo::QuoteArgument(prog);
  for (const char *a : {verbum, arg1, arg2, arg3, static_cast<const char *>(k->Database)})
    if (a && *a) linje += " " + tavo::QuoteArgument(a);
  char kmd[kKmdLinjeLaengde];
  if (linje.size() >= sizeof kmd) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return -1;
  }
  memcpy(kmd, linje.c_str(), linje.size() + 1);

  PROCESS_INFORMATION pi{};
  HANDLE laes = 0;
  {
    // The closing window must find the process, or find the contact
    // stopped before it starts.
    std::lock_guard<std::mutex> lock(k->Laas);
    if (k->Afbrudt) {
      SetLastError(ERROR_OPERATION_ABORTED);
      return -1;
    }
    laes = StartProcesMedPipe(kmd, &pi);
    if (!laes) return -1;
    k->hProces = pi.hProcess;
  }

  char blok[256];
  DWORD n = 0;
  while (ReadFile(laes, blok, sizeof blok - 1, &n, nullptr) && n > 0) {
    blok[n] = '\0';
    EpStatusTekst(k, "%s", blok);
  }
  CloseHandle(laes);
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD kode = 1;
  if (!GetExitCodeProcess(pi.hProcess, &kode)) kode = 1;
  {
    std::lock_guard<std::mutex> lock(k->Laas);
    k->hProces = 0;
  }
  CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  return static_cast<int>(kode);
}

DWORD WINAPI EpKontaktTraad(LPVOID param) {
  auto *k = static_cast<EpKontakt *>(param);
  const HWND hoved = HovedVindue(k);
  // Once 1026 is handled the window may free the record at any time:
  // nothing of it is read after the send. A closing window asks no import.
  const bool importer = Kontakt(k) && !ErAfbrudt(k);
  SendMessageA(k->hwnd, WM_KONTAKT_SLUT, 0, 0);
  if (importer && hoved) PostMessageA(hoved, HOVED_EP_IMPORT, 0, 0);
  return 1;
}

void StopEpKontakt(EpKontakt *k) {
  HANDLE traad = k->hTraad;
  if (!traad) return;
  k->hTraad = 0;
  k->TraadId = 0;
  {
    std::lock_guard<std::mutex> lock(k->Laas);
    k->Afbrudt = true;
    if (k->hProces) TerminateProcess(k->hProces, 1);
    if (k->hDialog) PostMessageA(k->hDialog, WM_COMMAND, IDCANCEL, 0);
  }
  // The thread sends its texts and its end to this thread's window, so
  // sent messages are handled while it is waited for.
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &traad, FALSE, 100, QS_SENDMESSAGE);
    if (r == WAIT_OBJECT_0 || r == WAIT_FAILED) break;
    MSG m;
    PeekMessageA(&m, 0, 0, 0, PM_NOREMOVE);
  }
  CloseHandle(traad);
}

namespace {

void LaesIndstillinger(EpKontakt *k) {
  GetPrivateProfileStringA("kontakt", "epbruger", "", k->Bruger, sizeof k->Bruger, StiTab.szini);
  char db[sizeof k->Database] = {};
  GetPrivateProfileStringA("kontakt", "epdatabase", "drift", db, sizeof db, StiTab.szini);
  Kopi(k->Database, sizeof k->Database, strcmp(db, "test") == 0 || strcmp(db, "kursus") == 0 ? db : "drift");
}

void Tegn(HWND hwnd, EpKontakt *k) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrame3D(dc, 1, 2, r.right - 2, r.bottom - 2, 2);
  if (k) {
    HFONT font = StdFont ? StdFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HGDIOBJ gammel = SelectObject(dc, font);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetBkMode(dc, OPAQUE);
    RECT t = {4, 4, r.right - 4, r.bottom - 2};
    DrawTextA(dc, k->StatusTekst, -1, &t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, gammel);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT CALLBACK ElevplanKontaktWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *k = reinterpret_cast<EpKontakt *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE: {
      k = new (std::nothrow) EpKontakt{};
      if (!k) return -1;
      k->ValgtRolle = -1;
      k->hwnd = hwnd;
      LaesIndstillinger(k);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(k));
      if (!hwndEpKontakt) hwndEpKontakt = hwnd;
      return 0;
    }
    case WM_DESTROY:
      if (hwndEpKontakt == hwnd) hwndEpKontakt = 0;
      if (k && k->MusOver) SkjulTooltip();
      if (!k) break;
      StopEpKontakt(k);
      if (!GlobalIndstillinger.skemalaast)
        WritePrivateProfileStringA("kontakt", "epbruger", k->Bruger, StiTab.szini);
      GlemEpRoller(k);
      memset(k->Kodeord, 0, sizeof k->Kodeord);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete k;
      return 0;
    case WM_EP_KONTAKT: {
      if (!k || k->hTraad) return 0;
      DWORD id = 0;
      HANDLE h = CreateThread(nullptr, 0, EpKontaktTraad, k, 0, &id);
      if (!h) return 0;
      k->hTraad = h;
      k->TraadId = id;
      return 1;
    }
    case WM_KONTAKT_SLUT:
      if (k && k->hTraad) {
        CloseHandle(k->hTraad);
        k->hTraad = 0;
        k->TraadId = 0;
      }
      return 0;
    case WM_SETTEXT: {
      if (!k) break;
      char tekst[sizeof k->StatusTekst];
      Kopi(tekst, sizeof tekst, reinterpret_cast<const char *>(lParam));
      TrimStr(tekst);
      Kopi(k->StatusTekst, sizeof k->StatusTekst, tekst);
      DefWindowProcA(hwnd, msg, wParam, reinterpret_cast<LPARAM>(k->StatusTekst));
      InvalidateRect(hwnd, nullptr, FALSE);
      UpdateWindow(hwnd);
      return TRUE;
    }
    case WM_PAINT:
      Tegn(hwnd, k);
      return 0;
    // As the other panes of the status bar: a line on what the pane shows
    // while the mouse is over it, a tooltip when it rests there.
    case WM_MOUSEMOVE:
      if (k && !k->MusOver) {
        k->MusOver = true;
        HWND tekst = hwndEpTekstRude;
        k->GemtStatus[0] = '\0';
        if (tekst) {
          GetWindowTextA(tekst, k->GemtStatus, sizeof k->GemtStatus);
          SetWindowTextA(tekst, "Viser elevplan kontakt forløbet (til serveren) i form af beskeder.");
        }
        TRACKMOUSEEVENT t = {sizeof t, TME_HOVER | TME_LEAVE, hwnd, HOVER_DEFAULT};
        TrackMouseEvent(&t);
      }
      return 0;
    case WM_MOUSEHOVER:
      VisTooltip("Status for elevplan-kontakt", nullptr, 0);
      return 0;
    case WM_MOUSELEAVE:
      if (k && k->MusOver) {
        k->MusOver = false;
        if (hwndEpTekstRude) SetWindowTextA(hwndEpTekstRude, k->GemtStatus);
      }
      SkjulTooltip();
      return 0;
    case WM_ERASEBKGND:
      return 1;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerElevplanKontaktKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  if (GetClassInfoA(inst, WC_ELEVPLAN_KONTAKT, &wc)) return true;
  memset(&wc, 0, sizeof wc);
  wc.lpfnWndProc = ElevplanKontaktWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = WC_ELEVPLAN_KONTAKT;
  return RegisterClassA(&wc) != 0;
}
