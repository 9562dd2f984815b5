// An import file held as text, read as the import driver reads it: the
// status line, then every section handed to its reader.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "IMPORT.h"
#include "ImpData.h"

// LaesImportAfsnit's answer, or -1 when the status line does not read.
inline int LaesImportTekst(std::string tekst) {
  FILE *f = fmemopen(tekst.data(), tekst.size(), "r");
  FILE *log = tmpfile();
  std::vector<char> linje(IMPORT_LINJE_LEN + 1);
  ImportStatus st{};
  int svar = -1;
  if (LaesImportStatus(f, linje.data(), &st) == 0) svar = LaesImportAfsnit(f, log, linje.data(), &st);
  fclose(f);
  fclose(log);
  return svar;
}
