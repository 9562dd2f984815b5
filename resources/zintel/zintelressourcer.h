#pragma once
// The version check's resources: the download dialog.

// Dialog 103, "Henter filer": a text line saying what is being fetched and
// a progress bar over the version's files.
constexpr int IDD_HENTFILER = 103;
constexpr int IDC_HENT_TEKST = -1;
constexpr int IDC_HENT_BJAELKE = 1003;

// Registers the templates; later calls register them again.
void RegistrerZintelRessourcer();
