// The plan selection window in the running program on the made school, as
// a user types on the private X server. The first run opens the plan
// (Alt+F2), turns to the plan by employee (Page Down), opens the pick list
// on the employee under the cursor (T), goes one row down to the school's
// absence activity KURSUS and takes it (Enter), opens the employee's rows
// (Y) and closes the plan (Alt+F2), which saves it. The plan's files then
// hold the employee's hours row of KURSUS and its heading; the second run,
// a fresh start on the same folder, opens and closes the plan again, and the
// row is still there. The photographs are kept beside the test in the build
// as planvalg_1.png (the pick list), planvalg_2.png (the new row) and
// planvalg_3.png (after the fresh start).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "KATALOG.h"
#include "TAVODATA.h"
#include "billede.h"
#include "demo_koersel.h"

namespace fs = std::filesystem;

namespace {

using guitest::KoerDemo;
using guitest::Laes;

constexpr const char *kSkridt1 = "xdotool key alt+F2\nsleep 2\n" VENT_HENT
                                 "sleep 2\n"
                                 "xdotool key Next\nsleep 1.5\n"
                                 "xdotool key t\nsleep 2\n"
                                 "\"$xvindue\" foto \"$FOTO1\"\n"
                                 "xdotool key Down\nsleep 0.5\n"
                                 "xdotool key Return\nsleep 2\n"
                                 "xdotool key y\nsleep 1\n"
                                 "\"$xvindue\" foto \"$FOTO2\"\n"
                                 "xdotool key alt+F2\nsleep 2\n" VENT_GEM "sleep 1\n";

constexpr const char *kSkridt2 = "xdotool key alt+F2\nsleep 2\n" VENT_HENT
                                 "sleep 2\n"
                                 "xdotool key Next\nsleep 1.5\n"
                                 "\"$xvindue\" foto \"$FOTO3\"\n"
                                 "xdotool key alt+F2\nsleep 2\n" VENT_GEM "sleep 1\n";

// The records of a table file as the file lays them out, record 0 first.
template <class R>
std::vector<R> Poster(const fs::path &fil) {
  const std::string s = Laes(fil);
  std::vector<R> v;
  for (size_t p = sizeof(DatHeader); p + sizeof(R) <= s.size(); p += sizeof(R)) {
    R r;
    std::memcpy(&r, s.data() + p, sizeof r);
    v.push_back(r);
  }
  return v;
}

bool Lever(uint8_t status) { return status != 0 && (status & 0x48) != 0x48; }

// The plan rows of the activity named navn: its hours rows (kind 14) and
// its headings of the view of other tasks (kind 13), both alive.
struct Fund {
  uint32_t akti = 0;
  std::vector<FfgrundRec> timer, hoveder;
};

Fund Find(const fs::path &data, const char *navn) {
  Fund f;
  const std::vector<AktiRec> akti = Poster<AktiRec>(data / "akti.DAT");
  for (size_t n = 1; n < akti.size(); ++n)
    if (std::strncmp(akti[n].Aktivitet, navn, sizeof akti[n].Aktivitet) == 0) f.akti = static_cast<uint32_t>(n);
  for (const FfgrundRec &r : Poster<FfgrundRec>(data / "ffgrund.DAT")) {
    if (!Lever(r.Status) || r.Aktivitet != f.akti || f.akti == 0) continue;
    if (r.ObjType == 14) f.timer.push_back(r);
    if (r.ObjType == 13) f.hoveder.push_back(r);
  }
  return f;
}

TEST(PlanValgVindueGui, FravaerValgtITVinduetGemmesOgErDerEfterEnNyStart) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  char skabelon[] = "/tmp/planvalg_gui_XXXXXX";
  ASSERT_NE(mkdtemp(skabelon), nullptr);
  const fs::path rod = skabelon;
  const fs::path fotos[] = {rod / "valg1.png", rod / "valg2.png", rod / "valg3.png"};
  const fs::path data = rod / "data" / "data";

  for (int koersel = 1; koersel <= 2; ++koersel) {
    SCOPED_TRACE(koersel);
    const int status = KoerDemo(server, rod, koersel == 1 ? kSkridt1 : kSkridt2,
                                {{"FOTO1", fotos[0].string()}, {"FOTO2", fotos[1].string()},
                                 {"FOTO3", fotos[2].string()}});
    const std::string log = Laes(rod / "demo.log");
    ASSERT_TRUE(WIFEXITED(status)) << log;
    ASSERT_EQ(WEXITSTATUS(status), 0) << log;
    EXPECT_NE(log.find("the main program has ended"), std::string::npos) << log;

    const Fund f = Find(data, "KURSUS");
    ASSERT_NE(f.akti, 0u) << "the made school has no KURSUS";
    ASSERT_EQ(f.timer.size(), 1u);
    EXPECT_NE(f.timer[0].Medarbejder1, 0u);
    ASSERT_EQ(f.hoveder.size(), 1u);
    EXPECT_EQ(f.hoveder[0].ffpg_id, f.timer[0].ffpg_id);
    // The activity is a member of the plan's group, or the load would have
    // taken the rows away again.
    bool medlem = false;
    for (const FfpgrelRec &r : Poster<FfpgrelRec>(data / "ffpgrel.DAT"))
      medlem = medlem || (Lever(r.Status) && r.akti_id == f.akti && r.Plangruppe_id == f.timer[0].ffpg_id);
    EXPECT_TRUE(medlem);
  }
  int n = 1;
  for (const fs::path &foto : fotos) {
    Billede b(foto.string());
    EXPECT_GT(b.w, 0) << foto;
    std::error_code ec;
    fs::copy_file(foto, std::string(TAVO_BINARY_DIR "/tests/klient/shell/gui/planvalg_") + std::to_string(n++) + ".png",
                  fs::copy_options::overwrite_existing, ec);
  }
  fs::remove_all(rod);
}

}  // namespace
