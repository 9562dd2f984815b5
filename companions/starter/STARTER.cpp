// The starter: a desktop shortcut's target. Everything beyond finding the
// two folders is the start menu's business, so it reads no settings.

#include "STARTER.h"

#include <cstring>

#include "MENUHJAELP.h"

namespace {

constexpr int kMappeLaengde = 260;

// One wide argument into a Windows-1252 buffer of 260 characters.
void TilAnsi(LPCWSTR ord, char *buf) {
  buf[0] = '\0';
  if (WideCharToMultiByte(CP_ACP, 0, ord, -1, buf, kMappeLaengde, nullptr, nullptr) == 0) buf[0] = '\0';
  buf[kMappeLaengde - 1] = '\0';
}

void TrimOgAfslut(char *mappe) {
  TrimBlanks(mappe);
  const size_t n = std::strlen(mappe);
  if (n > 1 && mappe[n - 1] != '\\' && n + 1 < kMappeLaengde) {
    mappe[n] = '\\';
    mappe[n + 1] = '\0';
  }
}

std::string UdenSkraastreg(const char *mappe) {
  std::string s = mappe;
  if (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

}  // namespace

void StarterCommandLine(char *programMappe, char *dataMappe) {
  programMappe[0] = '\0';
  dataMappe[0] = '\0';
  int antal = 0;
  LPWSTR *ord = CommandLineToArgvW(GetCommandLineW(), &antal);
  char arg[kMappeLaengde];
  for (int i = 1; ord && i < antal; ++i) {
    TilAnsi(ord[i], arg);
    if (arg[0] != '-') continue;
    if (arg[1] == 'p' || arg[1] == 'P')
      std::strcpy(programMappe, arg + 2);
    else if (arg[1] == 'd' || arg[1] == 'D')
      std::strcpy(dataMappe, arg + 2);
  }
  if (programMappe[0] == '\0' && ord && antal > 0) {
    TilAnsi(ord[0], programMappe);
    StripFileName(programMappe);
  }
  TrimOgAfslut(programMappe);
  if (dataMappe[0] == '\0') std::strcpy(dataMappe, programMappe);
  TrimOgAfslut(dataMappe);
  SetCurrentDirectoryA(programMappe);
  if (ord) LocalFree(ord);
}

std::string StarterMenuLinje(const char *programMappe, const char *dataMappe) {
  return CiteretArgument(std::string(programMappe) + "TavoMenu.exe") + " -p" + CiteretArgument(UdenSkraastreg(programMappe)) +
         " -d" + CiteretArgument(UdenSkraastreg(dataMappe));
}

int StarterWinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char programMappe[kMappeLaengde], dataMappe[kMappeLaengde];
  StarterCommandLine(programMappe, dataMappe);
  std::string linje = StarterMenuLinje(programMappe, dataMappe);
  STARTUPINFOA si;
  GetStartupInfoA(&si);
  PROCESS_INFORMATION pi;
  if (CreateProcessA(nullptr, linje.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &si,
                     &pi)) {
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return 0;
  }
  char fejl[512];
  SystemErrorText(fejl, sizeof fejl);
  std::string tekst = std::string("Fejl under opstart af TAVO-skema!\n") + fejl + " " + linje;
  MessageBoxA(0, tekst.c_str(), "Fejl", MB_OK | MB_ICONWARNING);
  return 0;
}
