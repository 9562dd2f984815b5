#pragma once
// The plan's search lists: the activities and employments a pick list for
// the plan cell under the cursor offers, which list (if any) the cell
// allows, and the small searches over the plan's row and column lists. The
// list record is the selection window's pre-selection (ValgListe), freed
// with FrigivValgListe. Main thread.

#include <cstdint>

#include "PLAN.h"
#include "VALG.h"

// Window kinds of the pick list's field layouts.
constexpr uint32_t kPlanValgArt = 115;       // the plan selection window's own
constexpr uint32_t kPlanValgAnfoArt = 46;    // the ordinary employee list
constexpr uint32_t kPlanValgTitelArt = 16;

// Every live activity whose dates overlap the plan group's, whose name does
// not begin with '*' and whose type is "OVAK", appended to the list, which
// is then sorted by the activity's name.
void FyldPlanAktiListe(Plan *plan, ValgListe *liste);

// The list emptied, the gross table of the current group built again, and
// every live employment whose period overlaps the group's appended; with
// alle 0 only those assigned to the group. In view 'A' the employments
// with the most student lessons on the current row come first and those
// with none last; in the other views they are in letter order.
void FyldPlanAnfoListe(Plan *plan, ValgListe *liste, int alle);

// The one pass that follows the reversed sort in view 'A': an unmarked
// entry at the front is swapped with the back one and the back moves in,
// so unmarked entries travel towards the end (1-based, both arrays).
void PlanFlytUmarkerede(uint32_t *liste, uint32_t *maerket, uint32_t antal);

// Which list the cell under the cursor offers: the table letter of the
// records listed ('M' employments, 'K' activities; 0 when no list opens),
// whether every employment of the group's dates is listed, the window kind
// the rows are shown in, and the selection window's mark limit.
struct PlanValgType {
  uint8_t Bogstav;
  uint8_t Alle;
  uint32_t ListeArt;
  uint32_t MaerkeGraense;
};
PlanValgType VaelgPlanValgType(const Plan *plan, uint32_t objekt);

// The layout number of the last chosen 'M' layout of the window kind; 0
// when none is chosen.
uint32_t PlanValgtMLayout(uint32_t art);

// The filled list for the cell under the cursor (objekt is the raise word,
// 0 for the cell itself), or null when the cell allows none. The caller
// frees it with FrigivValgListe unless a window takes it.
ValgListe *LavPlanValgListe(Plan *plan, uint32_t objekt, PlanValgType *type);

// Opens the pick list for the cell under the cursor; nothing when the cell
// allows none.
void VisPlanValgListe(Plan *plan, uint32_t objekt);

// The row axis's positions index objTab directly (1-based). The nearest
// position before pos (down to 1) whose row has the type; 0 when none or
// when pos is 0 or 1.
uint32_t FindRaekkeFoer(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t pos, uint32_t type);
// The nearest position after pos, up to graense, whose row has the type; 0
// when none or when pos is not below graense.
uint32_t FindRaekkeEfter(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t pos, uint32_t type,
                         uint32_t graense);
// The first entry 1..antal of objTab equal to objekt whose type is type; the
// entry's value, or 0.
uint32_t FindObjektMedType(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t antal, uint32_t objekt,
                           uint32_t type);
