// Emptying the data set when the installation changes or the schedule period moves back; its file removals are kept in one commit.
#include "NULSTIL.h"

#include <mutex>
#include <string>
#include <vector>

#include "GEMNING.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "TAVODATA.h"
#include "windows.h"

namespace {

thread_local int Udskudt = 0;
// Read by the background save's thread as it writes the tables.
std::mutex VenterLaas;
std::vector<std::string> Venter;

}  // namespace

UdskudtNulstilling::UdskudtNulstilling() { ++Udskudt; }
UdskudtNulstilling::~UdskudtNulstilling() { --Udskudt; }

void ResetAllData() {
  char sti[kStiLaengde];
  std::vector<std::string> filer;
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) {
    const TabDesc *pTd = e->pTabDesc;
    if (!pTd || !e->pTabVar || pTd->BevarVedNulstil) continue;
    if (DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT")) filer.push_back(sti);
    ResetTab(pTd, e->pTabVar, 1);
  }
  for (const char *navn : {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat"})
    if (DataFilSti(sti, sizeof sti, navn, "")) filer.push_back(sti);
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  {
    std::lock_guard<std::mutex> g(VenterLaas);
    for (const auto &f : filer) Venter.push_back(f);
  }
  if (Udskudt) return;
  // A failed removal keeps the reset waiting for the next complete save.
  Gemning g;
  NulstillingIGemning();
  g.Fuldfoer();
  if (g.Besluttet()) NulstillingGemt();
}

bool NulstillingVenter(const char *sti) {
  std::lock_guard<std::mutex> g(VenterLaas);
  for (const auto &f : Venter)
    if (f == sti) return true;
  return false;
}

void NulstillingIGemning() {
  std::vector<std::string> filer;
  {
    std::lock_guard<std::mutex> g(VenterLaas);
    filer = Venter;
  }
  for (const auto &f : filer) GemSlet(f.c_str());
}

void NulstillingGemt() {
  std::lock_guard<std::mutex> g(VenterLaas);
  Venter.clear();
}

void GlemNulstilling() { NulstillingGemt(); }
