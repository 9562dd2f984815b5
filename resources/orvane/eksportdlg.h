#pragma once
// The dialogs of the server exchange: the export dialog, the timetable text
// export and the job server's logon, with the control ids their dialog
// procedures use.

constexpr int IDD_EKSPORT = 110;     // "Eksport til server"
constexpr int IDD_SERVERLOGON = 123; // "Server-logon"
constexpr int IDD_EXPSKEMA = 165;    // the timetable text export
constexpr int IDD_ANDREPLANGRUPPER = 177;  // "Medarbejder i andre plan grupper"

// The export dialog.
constexpr int IDC_EKS_ALLESTAM = 1104;
constexpr int IDC_EKS_FREMMED = 1109;
constexpr int IDC_EKS_POSTERINGER = 1110;
constexpr int IDC_EKS_SKEMA = 1111;
constexpr int IDC_EKS_AUTOIMPORT = 1124;

// The timetable text export.
constexpr int IDC_EXPSKEMA_FILNAVN = 1113;
constexpr int IDC_EXPSKEMA_STI = 1166;
constexpr int IDC_EXPSKEMA_FRA = 1049;
constexpr int IDC_EXPSKEMA_TIL = 1050;
constexpr int IDC_EXPSKEMA_BROWSE = 1149;

// The logon.
constexpr int IDC_LOGON_BRUGER = 1058;
constexpr int IDC_LOGON_PASSWORD = 1059;

// The AutoSkema export's choice of further plan groups.
constexpr int IDC_ANDRE_GRUPPER = 1178;

// Registers the templates; later calls register them again.
void RegistrerEksportDialoger();
