#pragma once
// The templates of the small input dialogs and of the about box, registered
// as resources of the main program.

// The cell editors' dialog: borderless, one default "Ok" button (id 1). The
// dialogs place and size themselves and put their one control in it.
constexpr int IDD_CELLEDITOR = 134;
// The about box: one "OK" button (id 1); the dialog sizes itself to its texts.
constexpr int IDD_VERSION = 146;

// The packing and waiting dialog: a text line and a progress bar, placed by
// the dialog procedures that use it.
constexpr int IDD_PAKBJAELKE = 127;
constexpr int IDC_PAKBJAELKE_TEKST = 1040;
constexpr int IDC_PAKBJAELKE = 1041;

// Registers the templates; later calls register them again unchanged.
void RegistrerSmaaDialoger();
