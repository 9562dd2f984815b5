#pragma once
// Making the folders of a data folder or of a support package.

#include <string>

#include "windows.h"

// Creates the folder (one level) with the system's critical-error boxes
// suppressed. 1 when the folder exists afterwards, also when it was there
// already; 0 otherwise, with the log line "** Fejl ved mappen (%s): Fejl: %s".
int OpretMappe(const char *sti);

// The system's text for an error number, without its line end; the number
// itself when the system has no text.
void SystemFejlTekst(DWORD fejl, char *tekst, DWORD stoerrelse);

// The text with every character that may not stand in a file name (control
// characters and \ / : * ? " < > |) replaced by "_", so that a value from
// the settings cannot lead a file name out of its folder.
std::string RensFilNavn(const char *tekst);
