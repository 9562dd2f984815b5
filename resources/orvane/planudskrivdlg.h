#pragma once
// The dialogs of the plan reports: the employee plan (166), the plan
// follow-up with and without period edits (182, 167) and the plan/norm
// follow-up (175), with the control ids their dialog procedures use.

constexpr int IDD_MEDAPLAN = 166;     // "Udskriv TAVO plan for medarbejder"
constexpr int IDD_PLANOPF_OPG = 167;  // the follow-up over the accounting period
constexpr int IDD_PLANNORM = 175;     // "Udskriv TAVO plan-/norm opfølgning for medarbejder"
constexpr int IDD_PLANOPF = 182;      // "Udskriv TAVO plan opfølgning"

constexpr int IDC_PLANUDSK_TIL = 1168;
constexpr int IDC_PLANUDSK_LISTE = 1169;
constexpr int IDC_PLANUDSK_FRA = 1170;
constexpr int IDC_PLANUDSK_PERDATO = 1171;
constexpr int IDC_PLANUDSK_LEKTIONER = 1205;

// Registers the templates; later calls register them again.
void RegistrerPlanUdskrivDialoger();
