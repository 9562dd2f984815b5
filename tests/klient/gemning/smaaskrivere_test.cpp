// The writers of the data folder beside the save of all data, ended at each
// of their file-changing calls: a new schedule period, the load's rewrite of
// ini\skph.ini, the field-switch choices, the planned slots, a profile
// string. After the next start every file is old or new, and no temporary
// file of any writer is left.
#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

using NedbrudSmaaSkrivere = NedbrudSkole;

TEST_F(NedbrudSmaaSkrivere, SkiftPeriodeKeepsThePeriodTablesWithTheOldSideFiles) {
  DraebVedHvertKald(Art::Periode);
}

TEST_F(NedbrudSmaaSkrivere, TheSkphIniRewriteLeavesTheOldOrTheNewFile) { DraebVedHvertKald(Art::Skph, 4); }

TEST_F(NedbrudSmaaSkrivere, TheSwitchChoicesLeaveTheOldOrTheNewFile) { DraebVedHvertKald(Art::ValgtSwt, 4); }

TEST_F(NedbrudSmaaSkrivere, PpAndLapAreOneCommit) { DraebVedHvertKald(Art::PpLap, 4); }

TEST_F(NedbrudSmaaSkrivere, AProfileRewriteLeavesNoCopyAfterTheNextStart) { DraebVedHvertKald(Art::Profil, 3); }

}  // namespace
}  // namespace nedbrud
