#pragma once
// The one place where the start-up fills the hooks that the built pieces
// leave open, so that the data store and the window framework reach the
// windows, the message boxes and each other. A piece that lands later fills
// its own slot here; an empty slot is skipped by its user.

// Called once the main window and the desktop exist, before the data load.
void InstallerKroge();

// Deletes the lock file when this run holds the data (not read-only); the
// fatal stops of the data store reach it through HentGemKrog.
void SletEgenLaasefil();
