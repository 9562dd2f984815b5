#pragma once
// Moving the data folder to removable disks and back, in dialog 103: the
// data and ini folders packed into one archive, split over as many disks
// as it takes with a flyt.ini beside each piece, and on the other PC the
// pieces joined, checked and unpacked. Entries are named relative to the
// data folder, so the two PCs' data folders may lie anywhere.

#include <cstdint>
#include <string>

#include "windows.h"

// The private messages of dialog 103 in its move roles.
constexpr UINT WM_FLYT_PAK = 3027;     // packing, then copying
constexpr UINT WM_FLYT_KOPIER = 3028;  // copying out, or joining and unpacking

// The phase shown by dialog 103: 0 packing, 1 copying, 2 unpacking.
extern int g_FlytFase;
// The phase's caption and headline.
void SaetFlytFase(HWND dlg, int fase);

// The flyt.ini key beside the others that holds the archive's size in
// bytes: the move back joins disks until that many bytes have come.
extern const char kFlytArkivNoegle[];

// The move folder "<drive>\TAVO-Flyt<insnr>" and its flyt.ini.
std::string FlytMappe();
std::string FlytIniSti();

// What a flyt.ini says; findes false when it cannot be read.
struct FlytIni {
  bool findes = false;
  int insnr = 0;
  int version = 0;
  int disknr = 0;
  int antaldiske = 0;
  uint64_t arkivBytes = 0;  // 0 when the key is missing
};
FlytIni LaesFlytIni(const std::string &sti);

// The steps of the move out, as the dialog runs them: the packing into
// Data.zip of the data folder (false after its box when it failed; no
// archive is then left), and the copying onto the disks (true when every
// byte is on them and the schedule here is locked).
bool PakFlytData(HWND dlg);
bool KopierFlytData(HWND dlg);
// The move back after the checks of flyt.ini: true when the data are in
// place and the schedule here is opened.
bool FlytDataTilbage(HWND dlg);

// Joins the disks' pieces into Data.zip and unpacks it over the data and
// ini folders: 1 done, 0 stopped (the folders then as they were).
int UdpakFlytData(HWND dlg);

INT_PTR CALLBACK FlytTilEnhedDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK FlytTilHarddiskDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
