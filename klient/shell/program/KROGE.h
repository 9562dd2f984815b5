#pragma once
// The program's wiring: the one place where the hooks of the lower layers
// are filled, all of them before the start-up's first step, so that no step
// ever meets an empty slot. A lower module declares its hook struct in its
// own header (struct <Navn>Kroge, the one instance <Navn>Krog); only the
// functions here assign its members. Each part's installer fills the slots
// of that part alone, for the tests that wire only it.

// Every hook of the program; the start-up's first act.
void InstallerKroge();

// Deletes the lock file when this run holds the data (not read-only); the
// fatal stops of the data store reach it through HentGemKrog.
void SletEgenLaasefil();

// The data store's slots of the window list, the groups and the lock rule
// (HentGemKrog), of the resend (GensendKrog) and of the postings
// (TimoakKrog).
void InstallerDataKroge();
// The list cells' questions to the windows (ObjFeltKrog).
void InstallerObjFeltKroge();
// The window list's slots of the screen layout and the shell (VinduesKrog).
void InstallerVinduesKroge();
// The postings' and the maintenance's time-row and relation functions of
// the import (TimoakKrog, VedligeKrog).
void InstallerImportKroge();
// The load-all slot and the save's slots of the server import (HentGemKrog).
void InstallerImportData();
// The schedule's event operations of the resend and the maintenance
// (GensendKrog, VedligeKrog.FjernAktiFraSkema).
void InstallerBegivenhedsKroge();
// The rebuild of derived data's steps (BehandlDataKrog): the ring grouping,
// ini\skph.ini and the role proposals.
void InstallerRingTid();
void InstallerSkphIni();
void InstallerRolleForslag();
// The Elevplan import's slots: the start-up load's answer file
// (HentGemKrog.ImportElevplan) and the planning window's key I.
void InstallerEpImportKroge();
// The import's continuation and the planning window opener's group locks.
void InstallerEpTrinKroge();
// The settings reader's news date, the status row's news address and the
// data store's time-post check.
void InstallerWebKroge();
// The entry window's parts (BrikIndKrog): its save, its time dialogs, its
// lists' keys and its remark.
void InstallerGemBegivenhed();
void InstallerRetTid();
void InstallerBrikValg();
// The master-data window's parts (StamKrog): its texts and its figures.
void StamTeksterIndsaet();
void StamTalIndsaet();
