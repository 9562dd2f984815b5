#pragma once
// The start menu's resources: the templates of its dialogs, registered by
// the numbers the program opens them by.

// Dialog 102, "TAVO-skema hovedmenu": the two ways to start the main
// program, the advanced dialog, OK and close. The banner above the radio
// buttons is painted by the dialog procedure, as wide as frame 1018.
constexpr int IDD_HOVEDMENU = 102;
constexpr int IDC_START = 1001;      // start read-write
constexpr int IDC_FLYT = 1002;       // the move command (the advanced dialog's)
constexpr int IDC_AVANCERET = 1003;
constexpr int IDC_OK = 1004;
constexpr int IDC_LUK = 1005;
constexpr int IDC_START_VIS = 1009;  // start read-only
constexpr int IDC_RAMME = 1018;

// The program's icons: the ordinary one and the SuperTavo one.
constexpr int IDI_TAVOMENU = 104;
constexpr int IDI_SUPERTAVO = 107;

// Dialog 103, the work dialog of the long actions (support upload, moving
// data, deleting data): a headline, a status line and two progress bars.
constexpr int IDD_ARBEJDE = 103;
constexpr int IDC_STATUSLINJE = 1013;  // one line: what is being done now
constexpr int IDC_OVERSKRIFT = 1014;   // the headline, painted by the dialog
constexpr int IDC_BJAELKE1 = 1016;     // the whole action
constexpr int IDC_BJAELKE2 = 1017;     // the file being copied

// Dialog 105, "Avanceret": one maintenance action chosen by radio button,
// the move drive from a list, OK and undo. The focus marker runs across
// frame 1024.
constexpr int IDD_AVANCERET = 105;
constexpr int IDC_SUPPORT = 1007;     // send the data to support
constexpr int IDC_LAAS = 1010;        // lock or open the schedule
constexpr int IDC_SLET_LAAS = 1015;   // delete the lock file
constexpr int IDC_SLET_DATA = 1020;   // delete the schedule data
constexpr int IDC_AV_OK = 1011;
constexpr int IDC_FORTRYD = 1012;
constexpr int IDC_FLYTDREV = 1023;    // combo box of the drives
constexpr int IDC_AV_RAMME = 1024;

// Registers every template; later calls register them again.
void RegistrerTavoMenuRessourcer();
