// The ring grouping's place in the rebuild of derived data. A module of its
// own: the toolbar strip reaches the ring-time tables from every program
// that has grid windows, and they need not bring the import with them.
#pragma once

// Puts CreateRingeGrupper into the rebuild of derived data that runs after
// every load and every import (BehandlDataKrog.CreateRingeGrupper).
void InstallerRingTid();
