// The start menu: start-up checks, the menu window and dialog 102, and the
// start of the main program or of a waiting update package. Every started
// program gets a command line of quoted parts, so folders with blanks or
// quotes arrive whole whatever version is started.

#include "MENU.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "AVANCERET.h"
#include "OPDPAKKE.h"
#include "STARTLOG.h"
#include "VERSIONINFO.h"
#include "menuressourcer.h"
#include "win/kreg.h"
#include "win/shlobj.h"

MenuTilstand g_Menu;
DWORD g_MenuStartPause = 3000;

namespace {

constexpr char kKlasse[] = "MenuWndClass";

// Windows-1252 upper case, for folder names compared as Windows does.
unsigned char Stort(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

bool EnsUdenStoerrelse(const char *a, const char *b) {
  for (; *a && *b; ++a, ++b)
    if (Stort((unsigned char)*a) != Stort((unsigned char)*b)) return false;
  return *a == *b;
}

void Kopier(char *maal, size_t stoerrelse, const std::string &kilde) {
  std::snprintf(maal, stoerrelse, "%s", kilde.c_str());
}

std::string UdenSkraastreg(const char *mappe) {
  std::string s = mappe;
  if (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

// Starts the command line without waiting; false with the last error set
// when it did not start.
bool StartProces(std::string linje) {
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi;
  if (!CreateProcessA(nullptr, linje.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                      &si, &pi))
    return false;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return true;
}

void VisStartFejl(HWND ejer) {
  char fejl[512];
  SystemErrorText(fejl, sizeof fejl);
  char tekst[700];
  std::snprintf(tekst, sizeof tekst, "Fejl under opstart af TAVO-skema!\n%s", fejl);
  MessageBoxA(ejer, tekst, "Fejl", MB_OK | MB_ICONWARNING);
}

// The about line from the version block of the start menu's own file.
void LavOmLinje() {
  const std::string fil = std::string(g_Menu.ProgramMappe) + "tavomenu.exe";
  char copyright[200] = "", firma[200] = "", version[100] = "", special[100] = "";
  HentVersionInfoTekst(fil.c_str(), "LegalCopyright", copyright, sizeof copyright);
  HentVersionInfoTekst(fil.c_str(), "CompanyName", firma, sizeof firma);
  HentVersionInfoTekst(fil.c_str(), "FileVersion", version, sizeof version);
  HentVersionInfoTekst(fil.c_str(), "SpecialBuild", special, sizeof special);
  const std::time_t nu = std::time(nullptr);
  std::tm tid{};
  localtime_r(&nu, &tid);
  std::snprintf(g_Menu.OmLinje, sizeof g_Menu.OmLinje, "%s-%d. Alle rettigheder forbeholdes. %s  Version: %s  %s",
                copyright, tid.tm_year + 1900, firma, version, special);
}

HFONT ArialFed(int hoejde, int bredde) {
  return CreateFontA(hoejde, bredde, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

void LaesIndstillinger() {
  const char *ini = g_Menu.IniFil;
  g_Menu.Insnr = (int)GetPrivateProfileIntA("global", "insnr", 0, ini);
  g_Menu.Version = (uint16_t)GetPrivateProfileIntA("global", "version", 0, ini);
  char laast[11];
  GetPrivateProfileStringA("global", "skemalåst", "", laast, sizeof laast, ini);
  GetPrivateProfileStringA("global", "supertavo", "nej", g_Menu.SuperTavo, sizeof g_Menu.SuperTavo, ini);
  GetPrivateProfileStringA("global", "flytdrev", "a:", g_Menu.FlytDrev, sizeof g_Menu.FlytDrev, ini);
  g_Menu.Laast = LaastFlag(laast, g_Menu.SuperTavo);
}

// The rectangle of a control in its dialog's client coordinates.
RECT KontrolRect(HWND dlg, int id) {
  RECT r{};
  HWND h = GetDlgItem(dlg, id);
  if (!h) return r;
  GetWindowRect(h, &r);
  MapWindowPoints(HWND_DESKTOP, dlg, (POINT *)&r, 2);
  return r;
}

// The 4-pixel ring beside the focused control, across the frame.
void TegnFokusMarkoer(HWND dlg, HDC dc, HWND kontrol, int farve, int rammeId) {
  if (!kontrol || GetParent(kontrol) != dlg) return;
  const RECT ramme = KontrolRect(dlg, rammeId);
  RECT k;
  GetWindowRect(kontrol, &k);
  MapWindowPoints(HWND_DESKTOP, dlg, (POINT *)&k, 2);
  RECT ydre = {ramme.left + 5, k.top - 4, ramme.right - 5, k.bottom + 4};
  RECT indre = {ydre.left + 4, ydre.top + 4, ydre.right - 4, ydre.bottom - 4};
  HBRUSH pensel = GetSysColorBrush(farve);
  FillFrameBands(dc, pensel, &ydre, &indre);
}

void MaalHovedmenu(HWND dlg) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(dlg, &ps);
  RECT klient;
  GetClientRect(dlg, &klient);
  RECT rammeKlient{};
  if (HWND r = GetDlgItem(dlg, IDC_RAMME)) GetClientRect(r, &rammeKlient);
  const int m = (klient.right - rammeKlient.right) / 2;
  Draw3dFrame(dc, m, m, klient.right - m, 60, 1);
  char tekst[100];
  std::snprintf(tekst, sizeof tekst, "Tavo: %i   Version: %i.%02i.%02i", g_Menu.Insnr, g_Menu.Version / 10000,
                (g_Menu.Version % 10000) / 100, g_Menu.Version % 100);
  RECT baand = {m, m, klient.right - m, 60};
  HGDIOBJ gammel = SelectObject(dc, g_Menu.BannerFont ? (HGDIOBJ)g_Menu.BannerFont : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, tekst, -1, &baand, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, gammel);
  TegnFokusMarkoerer(dlg, dc, IDC_RAMME);
  EndPaint(dlg, &ps);
  SetMenuButtonTexts(dlg);
}

void GenTegn(HWND dlg) {
  InvalidateRect(dlg, nullptr, TRUE);
  UpdateWindow(dlg);
}

void MaalMenuVindue(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  const int hoejde = r.bottom - r.top;
  SetBkMode(dc, TRANSPARENT);
  if (hoejde > 480) {
    SetTextColor(dc, RGB(255, 255, 0));
    RECT t = r;
    t.top += hoejde / 10;
    HGDIOBJ gammel = SelectObject(dc, g_Menu.OverskriftFont);
    DrawTextA(dc, "TAVO-skema", -1, &t, DT_CENTER | DT_SINGLELINE);
    t.top += hoejde / 8;
    SelectObject(dc, g_Menu.UnderFont);
    DrawTextA(dc, "HOVEDMENU", -1, &t, DT_CENTER | DT_SINGLELINE);
    SelectObject(dc, gammel);
  }
  HGDIOBJ gammel = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc, RGB(255, 255, 255));
  TextOutA(dc, 10, r.bottom - 20, g_Menu.OmLinje, (int)std::strlen(g_Menu.OmLinje));
  SelectObject(dc, gammel);
  EndPaint(hwnd, &ps);
}

}  // namespace

// ---- Command line ----

void LaesMappeTilvalg(const std::vector<std::string> &ord, std::string &program, std::string &data) {
  program.clear();
  data.clear();
  for (size_t i = 1; i < ord.size(); ++i) {
    const std::string &a = ord[i];
    if (a.size() < 2 || a[0] != '-') continue;
    if (a[1] == 'p' || a[1] == 'P')
      program = a.substr(2);
    else if (a[1] == 'd' || a[1] == 'D')
      data = a.substr(2);
  }
}

void AfslutMappe(char *mappe, size_t stoerrelse) {
  TrimBlanks(mappe);
  const size_t n = std::strlen(mappe);
  if (n > 1 && mappe[n - 1] != '\\' && n + 1 < stoerrelse) {
    mappe[n] = '\\';
    mappe[n + 1] = '\0';
  }
}

void MenuCommandLine(char *programMappe, char *dataMappe) {
  int antal = 0;
  LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &antal);
  std::vector<std::string> ord;
  for (int i = 0; wide && i < antal; ++i) {
    char arg[kMenuSti];
    if (WideCharToMultiByte(CP_ACP, 0, wide[i], -1, arg, sizeof arg, nullptr, nullptr) == 0) arg[0] = '\0';
    arg[sizeof arg - 1] = '\0';
    ord.push_back(arg);
  }
  if (wide) LocalFree(wide);
  std::string program, data;
  LaesMappeTilvalg(ord, program, data);
  Kopier(programMappe, kMenuSti, program);
  if (program.empty() && !ord.empty()) {
    Kopier(programMappe, kMenuSti, ord[0]);
    StripFileName(programMappe);
  }
  AfslutMappe(programMappe, kMenuSti);
  Kopier(dataMappe, kMenuSti, data);
  AfslutMappe(dataMappe, kMenuSti);
  if (dataMappe[0] == '\0') Kopier(dataMappe, kMenuSti, programMappe);
  SetCurrentDirectoryA(programMappe);
}

// ---- Start-up ----

OverskriftMaal OverskriftStoerrelse(int skaermHoejde) {
  if (skaermHoejde >= 600 && skaermHoejde <= 864) return {-48, 30, -24, 15};
  if (skaermHoejde == 1024) return {-80, 50, -40, 25};
  if (skaermHoejde == 1200) return {-96, 50, -48, 25};
  return {0, 0, 0, 0};
}

int LaastFlag(const char *skemaLaast, const char *superTavo) {
  return std::strcmp(skemaLaast, "ja") == 0 && std::strcmp(superTavo, "nej") == 0 ? 1 : 0;
}

bool TjekIniFil(const char *iniFil) {
  const char *fejl = nullptr;
  switch (FilAdgang(iniFil)) {
    case 0:
      return true;
    case 1:
      fejl = "Filen '%s' - blev ikke fundet!";
      break;
    case 2:
    case 6:
      fejl = "Filen '%s' - har du ikke skrive rettigheder til!";
      break;
    default:
      fejl = "Filen '%s' - har du ikke læse rettigheder til!";
      break;
  }
  char tekst[kMenuSti + 200];
  std::snprintf(tekst, sizeof tekst - 40, fejl, iniFil);
  std::strcat(tekst, "\nKontakt din systemadministrator!");
  MessageBoxA(0, tekst, "Fejl", MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
  return false;
}

int MinStartLogVersion(const char *programMappe) {
  HANDLE h = OpenStartLog(programMappe);
  if (h == INVALID_HANDLE_VALUE) return 0;
  StartLinjer linjer;
  ReadFileLines(h, linjer);
  CloseHandle(h);
  int laveste = 59999;
  for (const std::string &l : linjer) {
    int installation = 0, version = 0;
    if (std::sscanf(l.c_str(), "%d,%d", &installation, &version) == 2 && version < laveste) laveste = version;
  }
  return laveste;
}

void SletGamleOpdPakker(const char *programMappe, int version) {
  char pakke[kMenuSti + 32];
  std::snprintf(pakke, sizeof pakke, "%sOpd%i.exe", programMappe, version);
  if (FilAdgang(pakke) != 0) return;
  if (MinStartLogVersion(programMappe) < version) return;
  for (const char *form : {"%sOpd%i.exe", "%sOpd%i.zip", "%sPrg%i.zip"}) {
    char fil[kMenuSti + 32];
    std::snprintf(fil, sizeof fil, form, programMappe, version);
    DeleteFileA(fil);
  }
}

void SetShortcutIcon() {
  char skrivebord[MAX_PATH] = "";
  HKEY k = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, tavo::reg::kShellFolders, 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return;
  DWORD str = sizeof skrivebord;
  const LONG rc = RegQueryValueExA(k, "Desktop", nullptr, nullptr, (LPBYTE)skrivebord, &str);
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS) return;
  skrivebord[sizeof skrivebord - 1] = '\0';

  CoInitialize(nullptr);
  IShellLinkA *link = nullptr;
  IPersistFile *fil = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void **)&link)) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&fil))) {
    const std::string moenster = std::string(skrivebord) + "\\*.lnk";
    WIN32_FIND_DATAA fd;
    HANDLE s = FindFirstFileA(moenster.c_str(), &fd);
    bool fundet = false;
    while (s != INVALID_HANDLE_VALUE && !fundet) {
      const std::string navn = std::string(skrivebord) + "\\" + fd.cFileName;
      WCHAR wnavn[MAX_PATH * 2];
      char maal[MAX_PATH] = "", mappe[kMenuSti] = "", argumenter[1024] = "";
      if (MultiByteToWideChar(CP_ACP, 0, navn.c_str(), -1, wnavn, MAX_PATH * 2) > 0 &&
          SUCCEEDED(fil->Load(wnavn, STGM_READ)) &&
          SUCCEEDED(link->GetPath(maal, sizeof maal, nullptr, SLGP_UNCPRIORITY))) {
        Kopier(mappe, sizeof mappe, maal);
        StripFileName(mappe);
        if (EnsUdenStoerrelse(mappe, g_Menu.ProgramMappe)) {
          char data[kMenuSti] = "";
          link->GetArguments(argumenter, sizeof argumenter);
          // Split behind a program name of its own: the first word of a
          // command line is read by other rules (no escapes inside quotes).
          std::vector<std::string> ord = tavo::SplitCommandLine(std::string("x ") + argumenter);
          std::string p, d;
          LaesMappeTilvalg(ord, p, d);
          Kopier(data, sizeof data, d);
          AfslutMappe(data, sizeof data);
          if (data[0] == '\0') Kopier(data, sizeof data, mappe);
          if (EnsUdenStoerrelse(data, g_Menu.DataMappe)) {
            fundet = true;
            char ikon[MAX_PATH];
            int indeks = 0;
            link->GetIconLocation(ikon, sizeof ikon, &indeks);
            const bool super = std::strcmp(g_Menu.SuperTavo, "ja") == 0;
            const bool nej = std::strcmp(g_Menu.SuperTavo, "nej") == 0;
            if (super && indeks == 0) indeks = 1;
            else if (nej && indeks == 1) indeks = 0;
            link->SetIconLocation(maal, indeks);
            fil->Save(wnavn, TRUE);
          }
        }
      }
      if (!FindNextFileA(s, &fd)) break;
    }
    if (s != INVALID_HANDLE_VALUE) FindClose(s);
  }
  if (fil) fil->Release();
  if (link) link->Release();
  CoUninitialize();
}

int MenuWinMain(HINSTANCE instans, HINSTANCE, LPSTR, int) {
  g_Menu = MenuTilstand{};
  InitCommonControls();
  RegistrerTavoMenuRessourcer();
  MenuCommandLine(g_Menu.ProgramMappe, g_Menu.DataMappe);
  std::snprintf(g_Menu.IniFil, sizeof g_Menu.IniFil, "%sini\\tavo.ini", g_Menu.DataMappe);
  LavOmLinje();

  OSVERSIONINFOA os{};
  os.dwOSVersionInfoSize = sizeof os;
  const bool win95 = GetVersionExA(&os) && (os.dwPlatformId & 1);
  g_Menu.BannerFont = ArialFed(-25, win95 ? 9 : 10);

  const OverskriftMaal maal = OverskriftStoerrelse(GetSystemMetrics(SM_CYSCREEN));
  g_Menu.OverskriftFont = ArialFed(maal.hoejde, maal.bredde);
  g_Menu.UnderFont = ArialFed(maal.underHoejde, maal.underBredde);

  {
    StilleDrevFejl stille;
    NulstilAttributter(g_Menu.ProgramMappe);
    if (!EnsUdenStoerrelse(g_Menu.DataMappe, g_Menu.ProgramMappe)) NulstilAttributter(g_Menu.DataMappe);
  }
  auto slutFonte = [] {
    for (HFONT *f : {&g_Menu.BannerFont, &g_Menu.OverskriftFont, &g_Menu.UnderFont})
      if (*f) {
        DeleteObject(*f);
        *f = 0;
      }
  };
  if (!TjekIniFil(g_Menu.IniFil)) {
    slutFonte();
    return 0;
  }
  LaesIndstillinger();
  // The shortcut's icon follows supertavo, so it is set once that is read.
  SetShortcutIcon();

  char titel[3 * kMenuSti];
  std::snprintf(titel, sizeof titel,
                std::strcmp(g_Menu.SuperTavo, "nej") != 0 ? "%2i SUPER TAVO-skema     Prog. sti: %s   Data sti: %s"
                                                          : "%2i TAVO-skema     Prog. sti: %s   Data sti: %s",
                g_Menu.Insnr, g_Menu.ProgramMappe, g_Menu.DataMappe);
  SletGamleOpdPakker(g_Menu.ProgramMappe, g_Menu.Version);

  WNDCLASSA wc{};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
  wc.lpfnWndProc = MenuWndProc;
  wc.hInstance = instans;
  wc.hIcon = LoadIconA(instans, MAKEINTRESOURCEA(IDI_TAVOMENU));
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = CreateSolidBrush(RGB(70, 50, 180));
  wc.lpszClassName = kKlasse;
  RegisterClassA(&wc);
  g_Menu.hMenuWnd = CreateWindowA(kKlasse, titel, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MAXIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, instans, nullptr);
  if (g_Menu.hMenuWnd) {
    ShowWindow(g_Menu.hMenuWnd, SW_SHOWMAXIMIZED);
    const bool super = std::strcmp(g_Menu.SuperTavo, "ja") == 0;
    SetClassLongPtrA(g_Menu.hMenuWnd, GCLP_HICON,
                     (LONG_PTR)LoadIconA(instans, MAKEINTRESOURCEA(super ? IDI_SUPERTAVO : IDI_TAVOMENU)));
    EnableMenuItem(GetSystemMenu(g_Menu.hMenuWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  UnregisterClassA(kKlasse, instans);
  DeleteObject(wc.hbrBackground);
  slutFonte();
  g_Menu.hMenuWnd = 0;
  return 0;
}

// ---- The menu window and dialog 102 ----

LRESULT CALLBACK MenuWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      PostMessageA(hwnd, WM_MENU_START, 0, 0);
      break;
    case WM_MENU_START:
      DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(hwnd, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_HOVEDMENU), hwnd,
                      HovedmenuDlgProc, 0);
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT:
      MaalMenuVindue(hwnd);
      break;
    case WM_DESTROY:
      ListeFrigiv(&g_Menu.DrevListe);
      PostQuitMessage(0);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

INT_PTR CALLBACK HovedmenuDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowTextA(dlg, "TAVO-skema");
      CheckRadioButton(dlg, IDC_START, IDC_START_VIS, IDC_START);
      CenterWindow(dlg, GetParent(dlg));
      SetFocus(GetDlgItem(dlg, IDC_START));
      g_Menu.FokusForrige = 0;
      return FALSE;
    case WM_PAINT:
      MaalHovedmenu(dlg);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_START:
        case IDC_START_VIS:
          GenTegn(dlg);
          return TRUE;
        case IDC_AVANCERET:
          DialogBoxParamA((HINSTANCE)GetWindowLongPtrA(dlg, GWLP_HINSTANCE), MAKEINTRESOURCEA(IDD_AVANCERET), dlg,
                          AvanceretDlgProc, 0);
          g_Menu.FokusForrige = 0;
          CheckRadioButton(dlg, IDC_START, IDC_START_VIS, IDC_START);
          SetFocus(GetDlgItem(dlg, IDC_START));
          SendDlgItemMessageA(dlg, IDC_AVANCERET, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
          SendDlgItemMessageA(dlg, IDC_OK, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
          GenTegn(dlg);
          return TRUE;
        case IDC_OK: {
          const bool vis = IsDlgButtonChecked(dlg, IDC_START_VIS) == BST_CHECKED;
          if (!vis && IsDlgButtonChecked(dlg, IDC_START) != BST_CHECKED) return TRUE;
          const int r = CheckOpdPakke(dlg);
          if (r == 2) {
            EndDialog(dlg, 2);
          } else if (r == 1) {
            if (StartProces(HovedprogramLinje(g_Menu.ProgramMappe, g_Menu.DataMappe, g_Menu.Version, vis))) {
              EndDialog(dlg, 2);
              Sleep(g_MenuStartPause);
            } else {
              VisStartFejl(dlg);
            }
          }
          return TRUE;
        }
        case IDC_LUK:
        case IDCANCEL:
          // The menu window destroys itself once the dialog has returned,
          // which ends the program.
          EndDialog(dlg, IDCANCEL);
          return TRUE;
        default:
          break;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

// ---- Starting ----

std::string HovedprogramLinje(const char *programMappe, const char *dataMappe, int version, bool laeseAdgang) {
  const std::string exe = std::string(programMappe) + std::to_string(version) + ".exe";
  std::string linje = CiteretArgument(exe) + " " + CiteretArgument("-p" + UdenSkraastreg(programMappe)) + " " +
                      CiteretArgument("-d" + UdenSkraastreg(dataMappe));
  if (laeseAdgang) linje += " -l";
  return linje;
}

std::string OpdPakkeLinje(const char *programMappe, const char *dataMappe, const char *pakke) {
  return CiteretArgument(std::string(programMappe) + pakke) + " " + CiteretArgument(std::string("-p") + programMappe) +
         " " + CiteretArgument(std::string("-d") + dataMappe);
}

int CheckOpdPakke(HWND ejer) {
  const std::string laas = std::string(g_Menu.ProgramMappe) + "opdat.lck";
  if (FilAdgang(laas.c_str()) == 0) {
    MessageBoxA(ejer, "Opdatering er under afvikling. Prøv igen om lidt.\n", "Opdatering",
                MB_OK | MB_ICONERROR | MB_SYSTEMMODAL);
    return 0;
  }
  char pakke[MAX_PATH];
  const uint32_t n = FindOpdPakke(g_Menu.ProgramMappe, g_Menu.Version, pakke, sizeof pakke);
  if (n > 10331 || n <= g_Menu.Version) return 1;
  if (MessageBoxA(ejer, "Der ligger en opdatering klar til afvikling, ønsker at køre den nu?\n", "Ny Version",
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return 1;
  if (!StartProces(OpdPakkeLinje(g_Menu.ProgramMappe, g_Menu.DataMappe, pakke))) {
    VisStartFejl(ejer);
    return 0;
  }
  return 2;
}

// ---- Shared by dialogs 102 and 105 ----

void TegnFokusMarkoerer(HWND dlg, HDC dc, int rammeId) {
  HWND fokus = GetFocus();
  if (g_Menu.FokusForrige && g_Menu.FokusForrige != fokus)
    TegnFokusMarkoer(dlg, dc, g_Menu.FokusForrige, COLOR_BTNFACE, rammeId);
  TegnFokusMarkoer(dlg, dc, fokus, COLOR_ACTIVECAPTION, rammeId);
  g_Menu.FokusForrige = fokus;
}

void SetMenuButtonTexts(HWND dlg) {
  auto saet = [dlg](int id, const char *tekst) {
    if (GetDlgItem(dlg, id)) SetDlgItemTextA(dlg, id, tekst);
  };
  const bool super = std::strcmp(g_Menu.SuperTavo, "nej") != 0;
  saet(IDC_START_VIS, "Start TAV&O-skema [VIS]");
  if (g_Menu.Laast) {
    saet(IDC_FLYT, "&Flyt data til harddisk");
    saet(IDC_START, super ? "&Start Super TAVO" : "&Start TAVO-skema [LÅST]");
  } else {
    saet(IDC_FLYT, DrevType(g_Menu.FlytDrev) == DRIVE_REMOVABLE ? "&Flyt data til enhed" : "&Flyt data til harddisk");
    saet(IDC_START, super ? "&Start Super TAVO" : "&Start TAVO-skema");
  }
}

void Draw3dFrame(HDC dc, int venstre, int top, int hoejre, int bund, int stil) {
  if (stil != 1) return;
  static const int kFarver[4][2] = {{COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW},
                                    {COLOR_BTNFACE, COLOR_BTNSHADOW},
                                    {COLOR_BTNSHADOW, COLOR_BTNFACE},
                                    {COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT}};
  HGDIOBJ gammel = 0;
  for (int i = 0; i < 4; ++i) {
    const int l = venstre + i, t = top + i, r = hoejre - 1 - i, b = bund - 1 - i;
    if (r < l || b < t) break;
    HPEN oeverst = CreatePen(PS_SOLID, 1, GetSysColor(kFarver[i][0]));
    HPEN nederst = CreatePen(PS_SOLID, 1, GetSysColor(kFarver[i][1]));
    HGDIOBJ g = SelectObject(dc, oeverst);
    if (!gammel) gammel = g;
    MoveToEx(dc, l, b, nullptr);
    LineTo(dc, l, t);
    LineTo(dc, r, t);
    SelectObject(dc, nederst);
    MoveToEx(dc, l, b, nullptr);
    LineTo(dc, r, b);
    LineTo(dc, r, t - 1);
    SelectObject(dc, gammel);
    DeleteObject(oeverst);
    DeleteObject(nederst);
  }
}

void FillFrameBands(HDC dc, HBRUSH pensel, const RECT *ydre, const RECT *indre) {
  const RECT baand[4] = {{ydre->left, ydre->top, ydre->right, indre->top},
                         {ydre->left, indre->bottom, ydre->right, ydre->bottom},
                         {ydre->left, indre->top, indre->left, indre->bottom},
                         {indre->right, indre->top, ydre->right, indre->bottom}};
  for (const RECT &r : baand)
    if (r.right > r.left && r.bottom > r.top) FillRect(dc, &r, pensel);
}
