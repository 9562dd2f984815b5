#pragma once
// The work of one server contact: the login to the job server (and to the
// auto-schedule server), the job state, the fetching of a finished job's
// import file and the packing, upload and queueing of the waiting export;
// the same for the AutoSkema files and for a SuperTavo installation, which
// only fetches. Each contact is one worker thread that reports to the
// contact pane with progress lines (1025) and ends with 1026.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "BESKEDER.h"
#include "SERVER.h"
#include "windows.h"


struct KontaktState {
  HWND hwnd;            // the contact pane
  HDC hdc;
  HFONT gemtFont;
  ServerLoginRec login;      // the job server
  ServerLoginRec autoLogin;  // the auto-schedule server
  SOCKET s;                  // INVALID_SOCKET when none
  SOCKET autoS;
  char tekst[65];            // the last progress line
  uint8_t logget;
  uint8_t autoLogget;
  HANDLE traad;
  uint8_t autoTravl;         // an AutoSkema job is pending
  uint8_t travl;             // the last progress line was a step under way
  uint8_t autoMode;
  DWORD timer;               // the delay timer 1 was last set to; 0 none
  uint8_t fejlet;            // a step of this contact failed: its line stays
};

// Zeroed, with both connections closed.
void NulstilKontaktState(KontaktState *st);

// 1 while a contact may log in; 2 after a cancelled login dialog, until
// the user asks for a contact (1626). The contact's worker and the main
// thread both write it.
extern std::atomic<int> LoginTilstand;

// Log off while a contact runs: the worker's connections (and the one it
// is opening) are shut down, so a worker blocked in a receive returns at
// once, an open login dialog is cancelled, and until KontaktAfbrydelseSlut
// no login dialog opens and a cancelled login is not stored in
// LoginTilstand. The contact then ends by itself with 1026.
void AfbrydKontakt(KontaktState *st);
void KontaktAfbrydelseSlut();
bool KontaktAfbrudt();

INT_PTR CALLBACK ServerLogonDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// 1 logged in, or the dialog's result when the user cancelled.
int ServerLogon(HWND ejer, KontaktState *st);
// LoginTilstand: 1 to go on.
int AutoServerLogon(KontaktState *st);
void ServerLogoff(KontaktState *st);

// The delay in milliseconds after the job state was shown.
long JobStatus(KontaktState *st);
// 0 or an error.
int HentImportJob(KontaktState *st);
// The delay in milliseconds, or -1.
long SendEksportJob(KontaktState *st);
int HentAutoJob(KontaktState *st);
long SendAutoJob(KontaktState *st);

// The worker routines: an ordinary contact, a SuperTavo contact and an
// AutoSkema contact. Each ends with 1026 to the pane.
void KontaktTraad(KontaktState *st);
void SuperKontaktTraad(KontaktState *st);
void AutoKontaktTraad(KontaktState *st);

// The record beside the export that says the server queued it: only an
// export so recorded may be deleted by the import.
bool EksportErSendt();
// Deletes the export, its packed form and the record, when the record is
// there; false (and nothing deleted) when the export has not been queued.
bool SletSendtEksport();
// The files SletSendtEksport deletes, the record last; none when the export
// has not been queued.
void SendtEksportFiler(std::vector<std::string> *pFiler);
// Deletes the record (the export it belongs to goes).
void GlemEksportSendt();
