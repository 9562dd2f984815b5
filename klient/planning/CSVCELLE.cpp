// Quoted cells of the plan module's tab-separated files.
#include "CSVCELLE.h"

#include <cstring>

void CsvCelle(std::string &ud, const char *tekst, size_t n, bool medTab) {
  ud += '"';
  for (size_t i = 0; tekst && i < n && tekst[i]; ++i) {
    if (tekst[i] == '"') ud += '"';
    ud += tekst[i];
  }
  ud += '"';
  if (medTab) ud += '\t';
}

void CsvCelle(std::string &ud, const char *tekst, bool medTab) {
  CsvCelle(ud, tekst, tekst ? std::strlen(tekst) : 0, medTab);
}
