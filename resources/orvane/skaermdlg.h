#pragma once
// The templates of the saved-screen dialogs and their control ids.

constexpr int IDD_GEM_SKAERM = 129;     // "Føj til egne vinduer"
constexpr int IDD_OMDOEB_SKAERM = 130;  // "Rediger Egne vinduer"
constexpr int IDD_SLET_SKAERM = 131;    // "Slet Egne vinduer"

constexpr int IDC_SKAERM_NAVN = 1105;
constexpr int IDC_SKAERM_NAVN_TEKST = 1106;
constexpr int IDC_SKAERM_GENVEJ_TEKST = 1107;
constexpr int IDC_SKAERM_GENVEJ = 1108;

// Registers the three templates; later calls register them again.
void RegistrerSkaermDialoger();
