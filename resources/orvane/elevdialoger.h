#pragma once
// The dialog templates of the student planning, registered as resources of
// the main program: control ids and texts as the dialog procedures use them.

// The automatic placement's dialog: method and number of runs.
constexpr int IDD_SIMULERING = 151;
constexpr int IDC_SIM_ANTAL = 1132;
constexpr int IDC_SIM_KUN_PRIO1 = 1134;
constexpr int IDC_SIM_PRIO12 = 1135;

// Registers the templates once; later calls do nothing.
void RegistrerElevDialoger();
