#include "ExtSkemaImp.h"

#include <cstdio>

uint32_t ImportKilde = KILDE_UNTIS;
char ImportKildeNavn[8] = "";
ImportMetodeData ImportMetode = {};

void SaetImportKilde(uint32_t kilde) {
  ImportKilde = kilde;
  const char *navn = "Extern";
  if (kilde == KILDE_UNTIS || kilde == KILDE_UNTIS_DATO)
    navn = "Untis";
  else if (kilde == KILDE_LECTIO)
    navn = "Lectio";
  snprintf(ImportKildeNavn, sizeof ImportKildeNavn, "%s", navn);
}

std::string ImportFilSti(const char *suffix) { return std::string(ImportKildeNavn) + (suffix ? suffix : ""); }
