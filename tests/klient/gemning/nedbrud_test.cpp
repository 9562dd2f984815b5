// Saves of a small school ended, as a kill would end them, just before each
// of their file-changing calls. Every file a save writes, the start copies
// included, belongs to its one commit.
#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

using NedbrudForgrund = NedbrudSkole;
using NedbrudBaggrund = NedbrudSkole;
using NedbrudGrupper = NedbrudSkole;

TEST_F(NedbrudForgrund, EveryInterruptedSaveLeavesTheOldOrTheNewDataSet) {
  DraebVedHvertKald(Art::Forgrund);
}

TEST_F(NedbrudBaggrund, EveryInterruptedSaveLeavesTheOldOrTheNewDataSet) {
  DraebVedHvertKald(Art::Baggrund);
}

TEST_F(NedbrudGrupper, EveryInterruptedSaveLeavesBothOldOrBothNewFiles) {
  DraebVedHvertKald(Art::Grupper);
}

}  // namespace
}  // namespace nedbrud
