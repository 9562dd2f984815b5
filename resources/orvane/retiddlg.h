#pragma once
// The event entry window's time dialog: a start time, an end time and the
// number of hours, with OK and Cancel.

constexpr int IDD_RETTID = 145;
constexpr int IDC_RETTID_START = 1053;
constexpr int IDC_RETTID_SLUT = 1054;
constexpr int IDC_RETTID_TIMER = 1055;

// Registers the template; later calls register it again unchanged.
void RegistrerRetTidDialog();
