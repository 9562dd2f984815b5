#pragma once
// The start menu's support upload: a listing of the folders, the program
// folder and the data, ini, log and copy folders packed into one archive
// named after the installation and the time, sent to the support FTP
// server from dialog 103. An archive that could not be sent is kept, and
// the user told where it lies.

#include <string>

#include "windows.h"

// The private message on which dialog 103 does the work, posted at its
// first paint so that it starts once the dialog can be seen.
constexpr UINT WM_SUPPORT_FTP = 3030;

// Dialog 103 in its support role ("Send data til support..."); it ends
// with 2 when the work is done, whether or not the upload went through.
INT_PTR CALLBACK SendSupportFtpDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

// The archive names in the program folder: the working archive, the final
// one for the local time now, and the pattern of earlier final ones.
struct SupportArkivNavne {
  std::string arbejde;
  std::string endelig;
  std::string tidligere;
};
// From [kontakt] database and server (cut at its first ".") of the
// settings file and the installation number; characters that may not stand
// in a file name become "_".
SupportArkivNavne SupportArkivNavn(const char *programMappe, const char *iniFil, int insnr);

// Packs the archive (earlier ones of the installation deleted first, so
// that none is packed into the next), stepping bar 1016 and naming each
// file in 1013, and gives it its final name. The final archive's path, ""
// when no archive could be made.
std::string PakSupportArkiv(HWND dlg, const char *programMappe, const char *dataMappe, const char *iniFil,
                            int insnr);

// Where the upload goes: [kontakt] supportserver, supportbruger and
// supportkode of the settings file, each with its built-in default.
struct SupportFtpKonto {
  char vaert[201];
  char bruger[65];
  char kode[65];
};
SupportFtpKonto LaesSupportFtpKonto(const char *iniFil);
