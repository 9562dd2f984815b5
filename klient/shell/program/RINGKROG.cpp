// The ring grouping installed in the rebuild of derived data.

#include "RINGKROG.h"

#include "ImpBehandl.h"
#include "RINGTID.h"

void InstallerRingTid() { BehandlDataKrog.CreateRingeGrupper = CreateRingeGrupper; }
