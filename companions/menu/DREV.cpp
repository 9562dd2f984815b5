// Drives for the start menu: type, label and free space, all answered by
// the drive table, with the critical-error boxes suppressed so that an
// empty removable drive is a plain failure.

#include <cstdio>
#include <cstring>

#include "MENUHJAELP.h"

namespace {

// "X:\" from the path's first letter.
void DrevRod(const char *sti, char rod[4]) {
  rod[0] = sti[0];
  rod[1] = ':';
  rod[2] = '\\';
  rod[3] = '\0';
}

}  // namespace

UINT DrevType(const char *sti) {
  StilleDrevFejl stille;
  char rod[4];
  DrevRod(sti, rod);
  rod[2] = '\0';
  return GetDriveTypeA(rod);
}

int HentVolumenNavn(char *navn, const char *sti) {
  StilleDrevFejl stille;
  char rod[4];
  DrevRod(sti, rod);
  if (sti[0] && sti[1]) rod[1] = sti[1];
  DWORD serie = 0, laengde = 0, flag = 0;
  navn[0] = '\0';
  return GetVolumeInformationA(rod, navn, 261, &serie, &laengde, &flag, nullptr, 0) ? 1 : 0;
}

int LedigDiskPlads(const char *drev, uint64_t *ledig, uint64_t *total) {
  StilleDrevFejl stille;
  *ledig = 0;
  *total = 0;
  typedef BOOL(WINAPI * FreeEx)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  char sti[MAX_PATH];
  FreeEx ex = nullptr;
  HMODULE modul = 0;
  if (SearchPathA(nullptr, "kernel32.dll", nullptr, sizeof sti, sti, nullptr) > 0 && (modul = LoadLibraryA(sti)))
    ex = reinterpret_cast<FreeEx>(GetProcAddress(modul, "GetDiskFreeSpaceExA"));
  int ok = 0;
  if (ex) {
    ULARGE_INTEGER fri, alt, altFri;
    if (ex(drev, &fri, &alt, &altFri)) {
      *ledig = fri.QuadPart;
      *total = alt.QuadPart;
      ok = 1;
    }
  } else {
    DWORD sektorer = 0, bytes = 0, frie = 0, alle = 0;
    if (GetDiskFreeSpaceA(drev, &sektorer, &bytes, &frie, &alle)) {
      *ledig = static_cast<uint32_t>(sektorer * bytes * frie);
      *total = static_cast<uint32_t>(sektorer * bytes * alle);
      ok = 1;
    }
  }
  if (modul) FreeLibrary(modul);
  return ok;
}

int SaetVolumenNavn(const char *drev, const char *navn) {
  StilleDrevFejl stille;
  return SetVolumeLabelA(drev, navn);
}

int IndsaetFlytbarDisk(HWND ejer) {
  return MessageBoxA(ejer, "Indsæt flytbar disk!", "TAVO-flyt", MB_OKCANCEL | MB_ICONEXCLAMATION);
}
