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

// The find-events dialogs: an empty dialog whose controls the dialog
// procedures build.
constexpr int IDD_FINDBEG = 126;
constexpr int IDC_FIND_AKTI = 1060;
constexpr int IDC_FIND_SKFA = 1029;
constexpr int IDC_FIND_ANFO = 1031;
constexpr int IDC_FIND_LOKA = 1033;
constexpr int IDC_FIND_BEM = 1035;
constexpr int IDC_FIND_TID = 1037;
constexpr int IDC_FIND_EGNE = 1044;
constexpr int IDC_FIND_FREMMEDE = 1046;
constexpr int IDC_FIND_ALLE = 1048;
constexpr int IDC_FIND_GRUPPE = 1061;

// Registers the templates; later calls register them again unchanged.
void RegistrerSkemaDialoger();
