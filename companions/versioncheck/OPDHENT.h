#pragma once
// The update download: the files of an accepted version fetched into the
// program folder behind the progress dialog, all or nothing, and the
// version's information text shown at the end.

#include <string>
#include <vector>

#include "windows.h"
#include "win/wininet.h"

// What the download dialog is given at its creation.
struct ZintelHentning {
  HINTERNET internet = nullptr;
  unsigned n = 0;
};

// The pause after the last file and before the dialog ends, in ms; tests
// set 0.
extern int ZintelPauseMs;

// Runs dialog 103 without owner for version n; 1 when every file arrived
// and nyver.txt was shown, else 0.
int ZintelHentFiler(HINTERNET internet, unsigned n);

INT_PTR CALLBACK HentFilerDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
int HTTPHentOpdFiler(HWND dlg, HINTERNET internet, unsigned n);
// The bytes written to the local file; 0 when the file could not be had
// whole (also when it is empty), and then no local file is left behind.
DWORD HTTPHentFil(HINTERNET internet, const char *url, const char *lokal);

// A name of the file list that may be fetched: a plain file name, no
// folder, drive, "." or "..".
bool ZintelRentNavn(const std::string &navn);

// The names of filelist.txt in its order: lines empty after trimming are
// skipped and a name listed again (in any case) is kept once. Refused
// whole: more than 255 names, or a name that is not plain (*fejlNavn).
enum class ZintelListe { God, ForMange, UgyldigtNavn };
ZintelListe ZintelFilListe(const std::string &krop, std::vector<std::string> *navne, std::string *fejlNavn);
