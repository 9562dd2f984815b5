// Emptying the data set when the installation changes or the schedule period moves back.
#include "NULSTIL.h"

#include "GEMNING.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"
#include "windows.h"

void ResetAllData() {
  char sti[kStiLaengde];
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    const TabDesc *pTd = e->pTabDesc;
    if (!pTd || !e->pTabVar || pTd->BevarVedNulstil) continue;
    if (DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT")) DeleteFileA(sti);
    ResetTab(pTd, e->pTabVar, 1);
  }
  for (const char *navn : {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat"})
    if (DataFilSti(sti, sizeof sti, navn, "")) DeleteFileA(sti);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
}
