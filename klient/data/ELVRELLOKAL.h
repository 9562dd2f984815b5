// The student-overlap pairs that the scheduler adds locally: kept in
// ini/ElvRelLokal.dat of the data folder so that they survive a server
// import that replaces elvrel2. Pairs whose activities are not found at a
// load are carried in log/ElvRelFejl.log with a count of the loads that
// could not place them.
#pragma once

#include <string>

// Merges ini/ElvRelLokal.dat into elvrel2 after the tables are loaded (and
// after an import): local pairs (status 20) are dropped first, the file's
// pairs that the table does not hold already are added with letter 'L', and
// the lines that cannot be placed go to log/ElvRelFejl.log with their count
// raised by one.
void LoadLokalElvRel();

// The new content of ini/ElvRelLokal.dat: the lines of the last merge that
// could not be placed (as in log/ElvRelFejl.log; they are kept until the
// next merge, so they survive every save), then "0;<id>;<id>\n" for every
// local pair, pending ones included. False when no merge has read the file
// in this run or it could not be read: the file is then left as it is.
bool LokalElvRelTekst(std::string *pTekst);
// Replaces the file with that content through the crash-safe save (part of
// the running save, or a save of its own). 0, or -1 when it cannot be
// written (the old file is then kept).
int GemLokalElvRelTekst(const std::string &tekst);
// Both steps; 0 also when the file is left as it is.
int GemLokalElvRel();
