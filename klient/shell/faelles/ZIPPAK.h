#pragma once
// Zip archives through minizip, with every file reached through the
// platform's file layer (so paths map as everywhere else and tests can make
// any call fail); adding a file here, reading lives with the start menu.

#include <minizip/ioapi.h>

// Adds the file to the archive (created, or opened for adding when it
// exists; ".zip" appended to an archive name whose last part has no dot),
// deflated, with the file's last write time in local time as the entry's
// time. The entry is named by the file's path without leading separators.
// 0, or the first failure: -4 no copy buffer; -3 the archive cannot be
// opened or created; -5 the entry cannot be opened; -6 the file cannot be
// opened for reading (the archive is then left untouched: the file is
// opened first); -7 a short read before the end of the file; -1 writing
// the entry fails; -8 no entry open; -9 the entry cannot be closed; -10 the
// archive cannot be closed.
int ZipAddFile(const char *arkiv, const char *fil);
// As ZipAddFile, the file read by its path and the entry named by the name
// given (without leading separators), so that a file found anywhere keeps
// its name relative to the archive's root.
int ZipAddFileSom(const char *arkiv, const char *fil, const char *entryNavn);

// The text of a ZipAddFile code by its absolute value; "" for 0, 1 and
// codes it does not know.
const char *ZipFejlTekst(int kode);

// The number of files (not folders) that the pattern matches.
int CountFiles(const char *moenster);

// minizip's file functions on the platform's streams; file names are
// Windows-1252 paths as the programs form them.
void ZipFilFunktioner(zlib_filefunc64_def *funktioner);
