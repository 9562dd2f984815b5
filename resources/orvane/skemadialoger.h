#pragma once
// The templates of the schedule window's own dialogs, registered as
// resources of the main program by the dialogs that show them.

// "Auto skema": what to do with the marked events of the automatic
// schedule. OK answers the chosen button's id, Annuller IDCANCEL.
constexpr int IDD_AUTOSKEMA = 176;
constexpr int IDC_AUTOSKEMA_GODKEND = 1182;
constexpr int IDC_AUTOSKEMA_LAAS = 1183;
constexpr int IDC_AUTOSKEMA_AABEN = 1184;
constexpr int IDC_AUTOSKEMA_SLET = 1198;

// Registers the templates; later calls register them again unchanged.
void RegistrerSkemaDialoger();
