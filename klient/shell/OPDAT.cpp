// The update and new-data checks. The version check program and the update
// packages are other programs: this run only starts them, by their file
// names, and reads what they leave in the settings file.

#include "OPDAT.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "INDSTIL.h"
#include "LOGFIL.h"
#include "OPDPAKKE.h"
#include "PROGVINDUER.h"
#include "STARTLOG.h"
#include "STITAB.h"
#include "windows.h"

OpdatKroge OpdatKrog = {};

namespace {

void ServerBesked(const char *tekst) {
  if (OpdatKrog.ServerBesked) OpdatKrog.ServerBesked(tekst);
}

// A folder as the other programs take it: without its trailing separator.
std::string UdenSkilletegn(const char *mappe) {
  std::string m = mappe;
  if (!m.empty() && (m.back() == '\\' || m.back() == '/')) m.pop_back();
  return m;
}

int LaesKoropd() { return static_cast<int>(GetPrivateProfileIntA("flag", "koropd", 0, StiTab.szini)); }

// A read-only run writes no settings.
bool MaaSkrive() { return !StiTab.laastOenske && !GlobalIndstillinger.skemalaast; }

// Step 4: the version check, waited for as long as it runs; -1 when it
// could not be started.
int KoerZintel(const std::string &program) {
  char linje[3 * kMappeLaengde + 64];
  const int n = std::snprintf(linje, sizeof linje, "%sZintel.exe -p\"%s\" -d\"%s\" -v%d", StiTab.szprog,
                              UdenSkilletegn(StiTab.szprog).c_str(), UdenSkilletegn(StiTab.szdata).c_str(),
                              static_cast<int>(version));
  if (n < 0 || static_cast<size_t>(n) >= sizeof linje) return -1;
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), linje, nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &si,
                      &pi))
    return -1;
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD kode = static_cast<DWORD>(-1);
  if (!GetExitCodeProcess(pi.hProcess, &kode)) kode = static_cast<DWORD>(-1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<int>(kode);
}

// Step 6: the package under the very name it was found by; no waiting.
bool StartPakke(const char *navn) {
  const std::string program = std::string(StiTab.szprog) + navn;
  char linje[3 * kMappeLaengde + 64];
  const int n = std::snprintf(linje, sizeof linje, "%s -p\"%s\" -d\"%s\"", program.c_str(),
                              UdenSkilletegn(StiTab.szprog).c_str(), UdenSkilletegn(StiTab.szdata).c_str());
  if (n < 0 || static_cast<size_t>(n) >= sizeof linje) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(program.c_str(), linje, nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                      &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

int KoerPakke() {
  char navn[MAX_PATH];
  const uint32_t nr = FindOpdPakke(StiTab.szprog, version, navn, sizeof navn);
  if (nr == 0 || LaesKoropd() == 0) return OPDAT_GAA_VIDERE;
  if (!StartPakke(navn)) {
    // koropd stays, so the next start tries the package again.
    const DWORD fejl = GetLastError();
    LogPrintf("** Fejl: Opdateringen %s kunne ikke startes: Fejlnr: %lu\n", navn, static_cast<unsigned long>(fejl));
    char tekst[MAX_PATH + 100];
    std::snprintf(tekst, sizeof tekst, "Opdateringen %s kunne ikke startes.\nKontakt TAVO support!", navn);
    MessageBoxA(hwndHoved, tekst, "Opdatering", MB_OK | MB_ICONSTOP | (hwndHoved ? 0 : MB_SYSTEMMODAL));
    return OPDAT_PAKKE_FEJLEDE;
  }
  if (MaaSkrive()) WritePrivateProfileStringA("flag", "koropd", nullptr, StiTab.szini);
  return OPDAT_PAKKE_STARTET;
}

int Tjek() {
  if (CheckOpdatLck()) return OPDAT_KOERER;
  ServerBesked("Tjekker for opdatering...");
  if (FindOpdPakke(StiTab.szprog, version) != 0 && LaesKoropd() != 0) return KoerPakke();
  if (MaaSkrive()) WritePrivateProfileStringA("flag", "zintel", nullptr, StiTab.szini);
  const std::string zintel = std::string(StiTab.szprog) + "Zintel.exe";
  if (GetFileAttributesA(zintel.c_str()) == INVALID_FILE_ATTRIBUTES) return KoerPakke();
  if (KoerZintel(zintel) > 0) return KoerPakke();
  GlobalIndstillinger.nyversion = static_cast<int32_t>(GetPrivateProfileIntA("global", "nyversion", 0, StiTab.szini));
  if (GlobalIndstillinger.nyversion != 0) nyVersionFindes = NyVersionFindes(GlobalIndstillinger.nyversion, version);
  return OPDAT_INTET;
}

}  // namespace

bool CheckOpdatLck() {
  if (GetFileAttributesA(StiTab.szopdatlck) == INVALID_FILE_ATTRIBUTES) return false;
  char tekst[600];
  int n = std::snprintf(tekst, sizeof tekst, "%s", "Opdatering er under afvikling. Prøv igen om lidt.\n");
  if (FILE *f = fopen(StiTab.szopdatlck, "r")) {
    char linje[200] = "";
    if (!std::fgets(linje, sizeof linje, f)) linje[0] = '\0';
    std::fclose(f);
    // A line that does not parse says only that an update runs.
    StartLogEntry post;
    if (LaesStartLogEntry(linje, &post))
      std::snprintf(tekst + n, sizeof tekst - n,
                    "  Insnr:    \t\t%2d\n  Bruger:     \t%s\n  PC-navn:    \t%s\n  Startdato:  \t%s\n"
                    "  Starttid:   \t%s\n",
                    post.Installation, post.Bruger, post.Computer, post.StartDato, post.StartTid);
  }
  MessageBoxA(0, tekst, "Opdatering", MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
  return true;
}

int CheckOpdatering() {
  const int resultat = Tjek();
  ServerBesked("");
  return resultat;
}

int NyeDataCheck(bool spoerg) {
  char natjob[10] = "";
  GetPrivateProfileStringA("global", "natjobtid", "", natjob, sizeof natjob, StiTab.szini);
  const long natjobtid = std::strtol(natjob, nullptr, 10);
  const long fremmedkontakt =
      static_cast<int32_t>(GetPrivateProfileIntA("tider", "fremmedkontakt", 19970701, StiTab.szini));
  SYSTEMTIME nu;
  GetLocalTime(&nu);
  const long idag = nu.wYear * 10000L + nu.wMonth * 100L + nu.wDay;
  if (fremmedkontakt >= natjobtid && fremmedkontakt >= idag) return 0;
  if (spoerg && GlobalIndstillinger.supertavo &&
      MessageBoxA(hwndHoved, "Der er nye data til din SuperTavo!\nØnsker du at hente dem?", "OBS! Nye data!",
                  MB_YESNO | MB_ICONQUESTION) == IDYES) {
    // As if the user pressed Shift+F11: the main window starts the contact.
    BYTE taster[256] = {};
    taster[VK_SHIFT] = 0x80;
    SetKeyboardState(taster);
    SendMessageA(hwndHoved, WM_KEYDOWN, VK_F11, 1);
    BYTE tomme[256] = {};
    SetKeyboardState(tomme);
  }
  return 1;
}
