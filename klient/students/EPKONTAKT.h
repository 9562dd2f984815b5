// The Elevplan contact: the contact program ep<version>.exe run once per verb
// on a thread of its own, its output shown in the contact pane of the status
// bar (class WC_Elevplan_Kontakt), which owns the contact record. The
// record outlives a contact (logon key, roles, password) and is freed only
// after the window has ended the running contact and waited for its thread.
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>

#include "BESKEDER.h"
#include "LOGFIL.h"
#include "windows.h"

constexpr const char *WC_ELEVPLAN_KONTAKT = "WC_Elevplan_Kontakt";

struct EpRolle {
  char Noegle[33];  // "MEDA:<key>", cut to 32
  char Tekst[65];
};

struct EpKontakt {
  HANDLE hTraad;  // the running contact thread; 0: none
  DWORD TraadId;
  char Database[16];
  char StatusTekst[128];
  char LogonNoegle[40];
  char Bruger[64];
  char Kodeord[64];  // memory only
  uint32_t RolleAntal;
  int32_t ValgtRolle;
  EpRolle *Roller;  // grown 5 at a time (malloc)

  HWND hwnd;  // the contact pane
  // What the closing window must reach on the contact thread: the running
  // program and an open dialog. Afbrudt set: start neither again.
  std::mutex Laas;
  HANDLE hProces;
  HWND hDialog;
  bool Afbrudt;

  // While the mouse is over the pane: the status bar text it replaced.
  bool MusOver;
  char GemtStatus[256];
};

// The status row's text pane, where the pane shows its hover text; written
// by the status row alone, 0 while there is none.
extern HWND hwndEpTekstRude;

// The thread body; always ends by sending WM_KONTAKT_SLUT to the pane,
// and after a good exchange then posts HOVED_EP_IMPORT to the main window.
DWORD WINAPI EpKontaktTraad(LPVOID param);

// Runs one verb of the contact program: "<program folder>ep<version> <verb>
// <arguments> <database>", an empty argument left out, every word quoted.
// Its output is shown in the pane block by block until the program closes
// it. The exit code, or -1 when it could not be started (the reason in
// GetLastError; a command line over 255 characters fails rather than being
// cut).
int KoerKontaktprogram(EpKontakt *k, const char *verbum, const char *arg1, const char *arg2,
                       const char *arg3);
// Starts the command line with standard input at its end and standard output
// and error into one pipe; the read end of that pipe (not inheritable), or 0.
HANDLE StartProcesMedPipe(char *kmdLinje, PROCESS_INFORMATION *pi);
// Reads the role lines of an open logon output file (after its first line)
// into k->Roller. True when at least one role is held.
bool LaesEpRoller(FILE *fil, EpKontakt *k);
// Reads an open logon output file: its first line (up to 510 characters)
// gives the logon key (its first 39, trimmed), the lines after it the roles.
// Without a key or without a role, key and roles are forgotten (an empty
// key also shows "Elevplan-login fejlede") and the answer is false.
bool LaesEpLogon(FILE *fil, EpKontakt *k);
// Formats up to 511 characters and sets them as the pane's text.
void EpStatusTekst(EpKontakt *k, const char *format, ...) TAVO_PRINTF(2, 3);
// Forgets the roles (and the chosen one).
void GlemEpRoller(EpKontakt *k);

LRESULT CALLBACK ElevplanKontaktWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool RegistrerElevplanKontaktKlasse(HINSTANCE inst);

// Ends a running contact of the record: its program is ended, an open
// dialog of the thread cancelled, and the thread waited for while the
// messages it sends are handled. The thread handle is closed.
void StopEpKontakt(EpKontakt *k);
