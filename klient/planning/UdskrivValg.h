#pragma once
// What the plan reports share besides the PDF frame: the employment list
// of their dialogs, the dates read back from them, the entries of the plan
// list collected and ordered by their 24-byte keys, and the waits before a
// report reads the plan figures.

#include <cstdint>
#include <string>
#include <vector>

#include "DATO.h"
#include "PlanOpfTal.h"
#include "TALTAB.h"
#include "windows.h"

// The chosen employments of a report dialog.
struct UdskrivValgRec {
  std::vector<uint32_t> Anfo;
  Dato Fra = 0;
  Dato Til = 0;
};

// Fills the list with every employment that has entries in the plan list,
// in record order, without star employees and employments whose Status is
// outside 10..29: "%s\t%s\t%s %*d" (initials, serial number, name, the
// record number far out to the right). Selects and shows the current
// employment.
void FyldAnfoListe(HWND liste);
// Selects the item of one employment; false when it is not listed.
bool VaelgAnfoIListe(HWND liste, uint32_t anfo);
// The record numbers of the selected items, read after their last blank.
std::vector<uint32_t> ValgteAnfo(HWND liste);
// The edit's number (atoi; 0 when the edit does not exist).
uint32_t LaesDatoFelt(HWND dlg, int id);
// Focus and the whole text to the edit: the way the dialogs point at a
// faulty date.
void MarkerFelt(HWND dlg, int id);

// The plan list's entries of one employment, the totals not asked for.
std::vector<PlanTabPost> AnfoPlanPoster(uint32_t anfo);

// The first 24 bytes of an entry's sort key: "A", the activity's text in
// 16, the subject's text right-aligned in 6 and the kind number (2 'E',
// 1 'R', 0 otherwise) when both records exist; else "B", the activity's
// text, "999999" and the kind letter's code (artTal: the kind number).
std::string PlanPostNoegle(uint32_t akti, uint32_t skfa, uint8_t art, bool artTal);
inline std::string PlanPostNoegle(const PlanTabPost &p, bool artTal) {
  return PlanPostNoegle(p.akti, p.skfa, p.Art, artTal);
}
// Sorted by key as bytes; equal keys by their kind letter, so that the
// entries of one activity, subject and kind lie together.
void SorterPlanPoster(std::vector<PlanTabPost> &poster, bool artTal);
void SorterPlanPoster(std::vector<PlanOpfPost> &poster, bool artTal);
// The same activity, subject and kind letter: one line of a report.
bool SammeLinje(const PlanTabPost &a, const PlanTabPost &b);

// Texts of the records a report line names ("" for a missing record).
std::string FeltTekst(const char *felt, size_t n);

// The reports wait for the plan's background computations before they read
// the plan list: the wait dialog on the plan data, then on the count tables.
void VentPaaPlanBeregninger(HWND hoved);
// The plan group period of the open plan window; false while none is open.
bool PlanVinduePeriode(Dato *fra, Dato *til);
// Whether the open plan window counts the employment to its current group;
// false while none is open.
bool PlanVindueGruppensAnfo(uint32_t anfo);

// The report and its dialog write the same setting, read once per command.
// Whether the follow-up counts in lessons ([flag] udsk_i_lektioner).
bool LaesLektionsvalg();
void GemLektionsvalg(bool lektioner);
