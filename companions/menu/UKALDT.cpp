// Routines of the start menu that none of its commands reaches today: the
// lock and start-log writers, the socket receive of the support upload, the
// question before Elevplan data are deleted and a small list of texts. Kept
// so that the actions that need them later find them tested.

#include <cerrno>
#include <cstdio>
#include <string>

#include "MENUHJAELP.h"
#include "STARTLOG.h"

namespace {

int OpretLaas(const std::string &sti, uint8_t installation, uint32_t version) {
  StilleDrevFejl stille;
  int fejl = 0;
  return OpretLaasefil(sti.c_str(), installation, version, &fejl) != LaasefilResultat::Fejl ? 1 : 0;
}

int FjernLaas(const std::string &sti) {
  StilleDrevFejl stille;
  if (GetFileAttributesA(sti.c_str()) == INVALID_FILE_ATTRIBUTES) return 1;
  return DeleteFileA(sti.c_str()) ? 1 : 0;
}

}  // namespace

int CreateLockFile(const char *dataMappe, uint8_t installation, uint32_t version) {
  return OpretLaas(LaasefilSti(dataMappe), installation, version);
}

int RemoveLockFile(const char *dataMappe) { return FjernLaas(LaasefilSti(dataMappe)); }

int CreateOpdatLck(const char *programMappe, uint8_t installation, uint32_t version) {
  return OpretLaas(std::string(programMappe) + "OPDAT.LCK", installation, version);
}

int RemoveOpdatLck(const char *programMappe) { return FjernLaas(std::string(programMappe) + "OPDAT.LCK"); }

void NewStartLogEntry(uint8_t installation, uint32_t version, const char *mappe) {
  StilleDrevFejl stille;
  SkrivStartLinje(installation, version, mappe);
}

uint32_t StartLogVersion(uint8_t installation, const char *mappe) {
  StilleDrevFejl stille;
  HANDLE h = OpenStartLog(mappe);
  if (h == INVALID_HANDLE_VALUE) return 0;
  StartLinjer linjer;
  ReadFileLines(h, linjer);
  CloseHandle(h);
  const int i = FindStartLinje(linjer, installation);
  StartLogEntry post;
  if (i < 0 || !LaesStartLogEntry(linjer[static_cast<size_t>(i)].c_str(), &post) || post.Version < 0) return 0;
  return static_cast<uint32_t>(post.Version);
}

int SockRecvAll(SOCKET s, char *buf, int antal) {
  int modtaget = 0;
  while (modtaget < antal) {
    const int n = recv(s, buf + modtaget, antal - modtaget, 0);
    if (n > 0) {
      modtaget += n;
    } else if (n == SOCKET_ERROR && WSAGetLastError() == WSAEINTR) {
      continue;
    } else {
      // The peer closed before all had come, or the receive failed.
      return -1;
    }
  }
  return antal;
}

int BekraeftSletElevplanData(HWND ejer, int installation) {
  char tekst[200];
  std::snprintf(tekst, sizeof tekst,
                "Dette vil slette 'elevplan' data på TAVO-installation nr. %i !!!\n\nEr du sikker på du vil fortsætte?",
                installation);
  return MessageBoxA(ejer, tekst, "Advarsel!", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES ? 1 : 0;
}

void ListeTilfoej(TekstLed **hoved, const char *tekst) {
  TekstLed **p = hoved;
  while (*p) p = &(*p)->naeste;
  *p = new TekstLed{tekst, nullptr};
}

const TekstLed *ListeElement(const TekstLed *hoved, int n) {
  for (; hoved && n > 0; --n) hoved = hoved->naeste;
  return n == 0 ? hoved : nullptr;
}

int ListeDrevIndeks(const TekstLed *hoved, char drev) {
  const char op = static_cast<char>(drev >= 'a' && drev <= 'z' ? drev - 32 : drev);
  for (int i = 0; hoved; hoved = hoved->naeste, ++i) {
    char c = hoved->tekst.empty() ? '\0' : hoved->tekst[0];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c == op) return i;
  }
  return -1;
}

void ListeFrigiv(TekstLed **hoved) {
  while (*hoved) {
    TekstLed *naeste = (*hoved)->naeste;
    delete *hoved;
    *hoved = naeste;
  }
}
