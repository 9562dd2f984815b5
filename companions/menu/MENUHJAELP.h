#pragma once
// The small routines the start menu's dialogs stand on: files and folder
// trees, drives, copying with a progress bar, zip archives, the system's
// error texts, dialog 103's fitting and the in-memory state of the tables.
// Every routine that touches a drive suppresses the system's critical-error
// boxes while it does (SetErrorMode) and restores the earlier mode, so that
// an empty removable drive gives a failure result.

#include <cstddef>
#include <cstdint>
#include <string>

#include "windows.h"
#include "win/winsock.h"

struct TabDesc;
struct TabVar;

// Suppresses the critical-error boxes for its lifetime.
class StilleDrevFejl {
 public:
  StilleDrevFejl() : gammel_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~StilleDrevFejl() { SetErrorMode(gammel_); }
  StilleDrevFejl(const StilleDrevFejl &) = delete;
  StilleDrevFejl &operator=(const StilleDrevFejl &) = delete;

 private:
  UINT gammel_;
};

// ---- Files and folders (FILER) ----

// 0 the file opens for reading and writing and is not read-only; 1 it does
// not exist; 2 it is read-only or opens only for reading; 4 it exists but
// opens in neither mode (a folder, a file held by another); 6 as 4 and
// read-only. errno is cleared first.
int FilAdgang(const char *sti);
// The size in bytes from the file's status; 0 when there is none.
uint32_t FilStoerrelse(const char *sti);
// 1 when the folder exists afterwards (made now or before), else 0.
int OpretKatalog(const char *sti);
// Makes every folder of the path in turn ("/" and "\" both separate); the
// last part counts as a folder too.
void MakeDirTree(const char *sti);
// Deletes the folder's tree, deepest first, then the folder; failures are
// passed over. A symbolic link is removed as an entry and never entered,
// so nothing outside the tree is deleted. Always 1.
int SletKatalogTrae(const char *mappe);
// Sets every file and folder below the folder to FILE_ATTRIBUTE_NORMAL; a
// symbolic link is never entered.
void NulstilAttributter(const char *mappe);
// WritePrivateProfileString; non-zero on success.
int SkrivIni(const char *sektion, const char *noegle, const char *vaerdi, const char *fil);
// Cuts the path after its last backslash; empty when it has none.
void StripFileName(char *sti);
// Removes characters of code 32 or below from both ends, in place.
void TrimBlanks(char *tekst);
// The local time as hours * 100 + minutes.
int KlokkeNu();
// The part of the path after its last backslash.
const char *FilNavnDel(const char *sti);
// One argument of a started program's command line, always in quotes (a
// backslash before the closing quote doubled, quotes inside escaped), so
// that the program gets it back whole whatever it holds.
std::string CiteretArgument(const std::string &argument);
// CopyFile with the critical-error boxes suppressed; non-zero on success.
int KopierFil(const char *kilde, const char *maal, BOOL fejlHvisFindes);

// ---- Drives (DREV) ----

// GetDriveType of the path's first letter and ":".
UINT DrevType(const char *sti);
// 1 and the label (at most 260 characters) of the drive the path's first
// two characters name; 0 when its volume cannot be read.
int HentVolumenNavn(char *navn, const char *sti);
// 1 and the bytes free to the caller and in all of the drive; 0 when the
// drive cannot be read.
int LedigDiskPlads(const char *drev, uint64_t *ledig, uint64_t *total);
// SetVolumeLabel; non-zero on success.
int SaetVolumenNavn(const char *drev, const char *navn);
// "Indsæt flytbar disk!" with OK and Cancel: the button chosen.
int IndsaetFlytbarDisk(HWND ejer);

// ---- Copying (KOPIER) ----

// Copies from the offset at most limit bytes (0: to the end) of the source
// to the target opened in the mode ("wb" or "ab"), in blocks of 102400
// bytes, showing the file in 1013 and a step of bar 1017 per block. The
// number of bytes written, 0 on failure.
long KopierFilMedProgress(HWND dlg, const char *kilde, const char *maal, long offset, long limit,
                          const char *mode);

// ---- Archives (ARKIV) ----

// Results of UnzipArchive beyond 0, -3, -1 and 2: minizip's own codes for a
// broken archive, and these.
constexpr int kUnzipSkrivFejl = -7;       // an output file cannot be made or written
constexpr int kUnzipIngenHukommelse = -9;  // no buffer for the copy
constexpr int kUnzipUsikkertNavn = -8;     // an entry name that leaves the target folder

// Whether an entry name stays inside the folder it is unpacked into: not
// absolute, no drive letter, no ".." part.
bool SikkertEntryNavn(const char *navn);

// ZipAddFile; on failure, with the box asked for, hides the dialog, shows
// "Fejl ved pakning af filen '<file>'" and shows the dialog again.
int PakFilMedFejl(HWND dlg, const char *fil, const char *arkiv, BOOL visBoks);
// Adds every file of folder + pattern to the archive, read from there and
// named by the pattern's folder part + name, showing each in 1013 and
// stepping bar 1016; failures are passed over, and a file of the archive's
// own name is left out.
void PakFilerMedProgress(HWND dlg, const char *mappe, const char *moenster, const char *arkiv);
// UnzipArchive; on failure, with the box asked for, the box "Fejl ved
// udpakning af filen '<archive>'" as PakFilMedFejl shows its own.
int UdpakMedFejl(HWND dlg, const char *arkiv, const char *entry, const char *maalMappe, BOOL visBoks);
// Extracts the named entry (found without regard to the case of a-z), or
// with none every entry, into the target folder, which stays the current
// folder. 0; -3 no archive (also not with ".zip" appended); -1 the target
// folder cannot be made current; 2 no such entry; kUnzipUsikkertNavn when
// an entry to be extracted has an unsafe name (then nothing is written);
// another non-zero code when an extraction fails (its partial file is
// deleted; all entries stop there).
int UnzipArchive(const char *arkiv, const char *entry, const char *maalMappe);
// Runs "<program folder>zip.exe -dq <archive> <entry>" hidden and waits
// for it; its exit code, -1 when it cannot be started.
int ZipDeleteEntry(const char *programMappe, const char *arkiv, const char *entry);

// ---- System texts and dialog placement (SYSTEKST) ----

// The system's Danish text for the last error, into the buffer.
char *SystemErrorText(char *buf, size_t stoerrelse);
// A box captioned "Fejl" with the text as it stands, or with none the
// system's text for the last error; the box's result.
int VisSystemFejl(const char *tekst, UINT stil);
// The system's text for errno in a "Fejl" box, unless errno says the file
// is missing or is a folder. The box's result, 0 without one.
int VisErrnoFejl();
// Makes the dialog exactly as wide as its client area and 19 pixels higher,
// keeping its top; moves it left by half the overhang when its client area
// is wider than its parent's.
void FitDialogToClient(HWND dlg);
// Rectangle fills: by system colour, by brush, and a frame by system colour.
void FyldSystemFarve(HDC dc, const RECT *r, int farveIndeks);
void FyldPensel(HDC dc, const RECT *r, HBRUSH pensel);
void RammeSystemFarve(HDC dc, const RECT *r, int farveIndeks);

// ---- Tables (TABHJAELP) ----

// The table of the type letter: 0 and both set, or -1 and both null.
int FindTabType(uint8_t type, const TabDesc **ppTd, TabVar **ppTv);
// Frees the table's records, sort index and block flags and zeroes its
// state.
void NulstilTabVar(TabVar *pTv);
// NulstilTabVar for every table of the registry.
void NulstilAlleTabVar();

// ---- Routines the start menu's commands do not reach (UKALDT) ----

// The private message on which dialog 103 makes an installation unit.
constexpr UINT WM_INSTALLATIONSENHED = 3029;
// What InstallationsEnhedDlgProc is given as its creation parameter.
struct InstallationsEnhed {
  const char *programMappe;  // ends in a backslash
  const char *flytDrev;      // "a:"
  const char *flytMappe;     // the move folder, without a trailing backslash
  int installation;
  int version;
};
// Dialog 103 making an installation unit in the move folder: the programs
// packed into prg<version>.zip, which is copied there with ini<version>.zip
// and install.exe, and flyt.ini. Ends with 1 when all is there, else 0
// after a box.
INT_PTR CALLBACK InstallationsEnhedDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp);
// Starts install.exe from TAVO-Inst on the move drive with the program
// folder as its argument. 1 when it was started (the caller then ends the
// start menu); 0 after a box saying why not.
int StartInstallFraDisk(HWND ejer, const char *flytDrev, const char *programMappe);

// The lock file ini\tavo.lck of the data folder and opdat.lck of the
// program folder: written with one start record when not already there,
// deleted when there. Non-zero when the file is as asked afterwards.
int CreateLockFile(const char *dataMappe, uint8_t installation, uint32_t version);
int RemoveLockFile(const char *dataMappe);
int CreateOpdatLck(const char *programMappe, uint8_t installation, uint32_t version);
int RemoveOpdatLck(const char *programMappe);
// Replaces the installation's START.LOG line of the folder by a fresh start
// record (appended when it has none).
void NewStartLogEntry(uint8_t installation, uint32_t version, const char *mappe);
// The version in the installation's START.LOG line; 0 when there is none.
uint32_t StartLogVersion(uint8_t installation, const char *mappe);
// Receives exactly count bytes, repeating interrupted receives: count, or
// -1.
int SockRecvAll(SOCKET s, char *buf, int antal);
// The questions before the Elevplan data of the installation are deleted:
// 1 when the user agrees to both.
int BekraeftSletElevplanData(HWND ejer, int installation);

// A small list of texts: append, n-th, free; and the index of a drive
// letter among the texts' first letters.
struct TekstLed {
  std::string tekst;
  TekstLed *naeste = nullptr;
};
void ListeTilfoej(TekstLed **hoved, const char *tekst);
const TekstLed *ListeElement(const TekstLed *hoved, int n);
int ListeDrevIndeks(const TekstLed *hoved, char drev);
void ListeFrigiv(TekstLed **hoved);
