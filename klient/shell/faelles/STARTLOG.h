#pragma once
// Who uses which installation: the shared START.LOG of a program folder,
// one line per installation number (open while a run is going on, closed
// with its end date and time), and the lock file ini\tavo.lck of a data
// folder, which holds the open record of the run that has the data.
//
// A line of START.LOG is "%02d,%5d,%s,%s,%d,%02d:%02d," (installation,
// version, user, computer, start date, start time) and, once closed, the
// end record "%d,%02d:%02d;" behind it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "windows.h"

// The record as read back, each text bounded to its field.
struct StartLogEntry {
  int Installation;
  int Version;
  char Bruger[20];
  char Computer[20];
  char StartDato[9];
  char StartTid[6];
  char SlutDato[9];
  char SlutTid[6];
};

// Lines of a file in memory; an empty string is an empty line.
using StartLinjer = std::vector<std::string>;

// "ikke fundet !": a user or computer name that could not be had.
extern const char kIkkeFundet[];

// START.LOG of the folder (the program folder, with its trailing
// separator), opened for reading and writing without sharing and created
// when missing; it stays held against every other start until closed. When
// it cannot be opened the box " Start.log " offers a retry (OK) or gives up
// (Cancel: INVALID_HANDLE_VALUE). A rewrite that was broken off is finished
// first (WriteFileLines).
HANDLE OpenStartLog(const char *mappe);
// The full name of START.LOG in the folder.
std::string StartLogSti(const char *mappe);

// The open record of the installation for now; its length.
int FormatStartEntry(uint8_t installation, uint32_t version, char *tekst, size_t stoerrelse);
// The end record for now.
std::string FormatSlutPost();
// Reads a record back; false when not even the installation and version
// could be read. Fields that could not be read are empty.
bool LaesStartLogEntry(const char *linje, StartLogEntry *post);

// Reads from the handle's position to the end of the file and splits it
// into lines: CR LF and a lone LF end a line (a last line end opens no empty
// line), a lone CR is dropped. The number of lines; 0 for an empty file.
int ReadFileLines(HANDLE h, StartLinjer &linjer);
// Rewrites the file whole from the lines, each non-empty line followed by
// CR LF; empty lines are left out. h is the file held open (OpenStartLog):
// Windows replaces no open file, so the new content goes in place through
// it, after a complete copy of it has been put beside the file, which the
// next OpenStartLog uses to finish a rewrite that was broken off. False
// when it could not be written; the file then holds the old content or,
// after the next open, the new.
bool WriteFileLines(HANDLE h, const char *sti, const StartLinjer &linjer);
// The first line of the installation (its leading number taken as one
// byte), or -1. Empty lines and lines without a leading number never match.
int FindStartLinje(const StartLinjer &linjer, uint8_t installation);

// The start of a run: the installation's line becomes a fresh open record,
// appended when it has none. Nothing when START.LOG cannot be opened.
void SkrivStartLinje(uint8_t installation, uint32_t version, const char *mappe);
// The end of a run: the installation's line gets the end record for now in
// place of any it had; an installation without a line gets one whose start
// and end are now.
void EndStartLogEntry(uint8_t installation, uint32_t version, const char *mappe);

// ---- The lock file ----

enum class LaasefilResultat { Oprettet, Findes, Fejl };

// Creates the lock file with the installation's open record, only when no
// file of that name exists: of two starts at the same moment exactly one
// creates it. On Fejl *fejlnr holds the C error number.
LaasefilResultat OpretLaasefil(const char *sti, uint8_t installation, uint32_t version, int *fejlnr);
// The lock file of the data folder: <data folder>INI\TAVO.LCK.
std::string LaasefilSti(const char *dataMappe);
// Deletes the data folder's lock file. When it did not exist or could not
// be deleted, the log line "** Fejl: Ved delete af Tavo.lck: Fejlnr: ..."
void DeleteLockFile(const char *dataMappe);
