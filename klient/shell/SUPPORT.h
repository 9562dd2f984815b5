#pragma once
// The support package: the program folder and the data folder's data, ini
// and log folders with a listing of them packed into one zip archive in the
// user's temporary folder, uploaded to the support desk's web endpoint, and
// deleted once it was sent. An archive that could not be sent is kept and
// the user told where.

#include <string>

#include "windows.h"

// Menu command 40265 "Send data til support": saves all data (not in a
// read-only run), then runs the packing dialog over the main window.
void SendSupportKommando(HWND hovedvindue);

// The packing dialog (template 127): the work starts at its first paint;
// its result is 2 when the package was sent, 0 when it was not.
INT_PTR CALLBACK SendSupportDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);

// Adds every file of folder + pattern to the archive, by its full path,
// but for folders and the lock file "tavo.lck" (in any case); shows each
// name in the dialog and steps its bar. 0, or the first failure's code (at
// which it stops). The current folder is left alone.
int PakMappe(HWND dlg, const char *mappe, const char *moenster, const char *arkiv);
// ZipAddFile, and on a failure the box "Fejl" over the hidden dialog and
// the program log's line. 0 or the code.
int PakFil(HWND dlg, const char *fil, const char *arkiv);

// Uploads the file as a multipart POST to the support address ([web]
// support and supportport, see WEBKALD.h), after a connection test against
// the maker's site. True only when it was sent and answered 200; a send
// that failed is logged with the system's text.
bool SendSupportFil(const char *fil);

// The installation's part of the archive names: [kontakt] database (at
// most 9 characters) + [kontakt] server (at most 49, cut at its first ".")
// + the installation number, every character that may not stand in a file
// name replaced by "_".
std::string SupportNavnDel();
// The folder the archives are made in: the user's temporary folder, or the
// data folder when the temporary folder's path is 260 characters or longer.
std::string SupportMappe();
