// The schedule's event operations handed to the data store's resend of the
// schedule (GensendKrog), which cannot reach the schedule directly.
#pragma once

// Fills the resend's event slots: reading an event, removing it for good,
// setting its lesson times and writing it again as a new event; and the
// maintenance slot that takes a cancelled activity out of the schedule.
// Called once at start-up with the program's other hooks.
void InstallerBegivenhedsKroge();
