#pragma once
// The one writer of quoted cells in the plan module's tab-separated files:
// each cell is its text between double quotes, and a quote inside the text
// is doubled, so a name holding '"' cannot end its cell early.

#include <string>

// Appends the text as a quoted cell, followed by a tab when medTab is set.
// A null text is an empty cell.
void CsvCelle(std::string &ud, const char *tekst, bool medTab = true);
// The same for a text of n bytes (a stored field that may lack its
// terminator); the text ends at n or at its first zero byte.
void CsvCelle(std::string &ud, const char *tekst, size_t n, bool medTab);
