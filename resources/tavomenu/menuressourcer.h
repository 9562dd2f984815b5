#pragma once
// The start menu's resources: the templates of its dialogs, registered by
// the numbers the program opens them by.

// Dialog 103, the work dialog of the long actions (support upload, moving
// data, deleting data): a headline, a status line and two progress bars.
constexpr int IDD_ARBEJDE = 103;
constexpr int IDC_STATUSLINJE = 1013;  // one line: what is being done now
constexpr int IDC_OVERSKRIFT = 1014;   // the headline, painted by the dialog
constexpr int IDC_BJAELKE1 = 1016;     // the whole action
constexpr int IDC_BJAELKE2 = 1017;     // the file being copied

// Registers every template; later calls register them again.
void RegistrerTavoMenuRessourcer();
