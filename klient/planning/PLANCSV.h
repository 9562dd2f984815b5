#pragma once
// The plan as a tab-separated file ("TAVO plan til CSV") and the sort keys
// that order the plan window's rows in each view. The file holds what the
// plan window shows of its current group: a head, the captions of the
// visible columns and one line per exported row, each cell quoted.

#include <cstdint>
#include <string>

#include "PLAN.h"
#include "windows.h"

// The file of this run's exports; empty until the first export asks.
extern char PlanCsvSti[MAX_PATH];

// The menu command: exports the open plan window's plan. Without a plan
// window, or when the file cannot be written, the user is told and nothing
// is written; a plan without rows writes nothing and asks nothing.
void ExportPlanCsv(HWND ejer);

// The parts of the file, appended to ud.
void PlanCsvHoved(const Plan *plan, std::string &ud);
void PlanCsvOverskrift(const Plan *plan, std::string &ud);
void PlanCsvRaekker(const Plan *plan, std::string &ud);
// Whether the row (row number in GrundTab) is exported in the plan's view.
bool PlanCsvRaekkeMed(const Plan *plan, uint32_t raekke);
// The row's cells of the left-panel axis positions foerste..sidste: one
// cell per column, empty where the row has nothing to show.
void PlanCsvVenstreCeller(const Plan *plan, uint32_t foerste, uint32_t sidste, uint32_t raekke, std::string &ud);
// The object-name cell of a row, on the activity side and the employee side.
void PlanAktiLabel(const Plan *plan, uint32_t raekke, std::string &ud);
void PlanMedaLabel(const Plan *plan, uint32_t raekke, std::string &ud);

// Sort the plan window's row list (Ens.ObjTab from position 1) by the key
// of the view 'A', 'M' or 'O'; keys compare as bytes.
void SorterPlanAktivitet(Plan *plan);
void SorterPlanMedarbejder(Plan *plan);
void SorterPlanOpgave(Plan *plan);
// The keys themselves (their lengths 38, 43 and 37 bytes, zero-padded).
std::string PlanAktivitetNoegle(const Plan *plan, uint32_t raekke);
std::string PlanMedarbejderNoegle(const Plan *plan, uint32_t raekke);
std::string PlanOpgaveNoegle(const Plan *plan, uint32_t raekke);
