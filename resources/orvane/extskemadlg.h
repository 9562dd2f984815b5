#pragma once
// The dialogs of the external timetable import: their template names and
// the control ids the dialog procedures use.

// Templates, by name.
#define IDD_DATOINTERVAL "DATOINTERVAL"  // a date or week interval and the folder
#define IDD_UGENR "UGENR"                // one week and the folder
#define IDD_EXTSKEMAFIL "EXTSKEMAFIL"    // the folder and name of one file
#define IDD_IMPORTMETODE "IMPORTMETODE"  // how to place lessons over existing events

// Controls.
constexpr int IDC_IMP_MAPPE = 1113;      // folder (interval and week dialogs)
constexpr int IDC_IMP_FRA = 1049;
constexpr int IDC_IMP_TIL = 1050;
constexpr int IDC_IMP_INTERVAL = 40046;  // the label of the interval fields
constexpr int IDC_IMP_UGENR = 1121;
constexpr int IDC_IMP_BROWSE = 1149;
constexpr int IDC_EXT_MAPPE = 1166;      // folder (Extern file dialog)
constexpr int IDC_EXT_FILNAVN = 1113;    // file name (Extern file dialog)
constexpr int IDC_METODE_TEKST = 1212;
constexpr int IDC_METODE_OVERSKRIV = 1134;
constexpr int IDC_METODE_DOBBELT = 1135;
constexpr int IDC_METODE_IGNORER = 1136;

// Registers the four templates; later calls register them again.
void RegistrerExtSkemaDialoger();
