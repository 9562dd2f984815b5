// The simulated Elevplan of the contact program's stand-in, run the plain
// POSIX way with BehandlExpFil on a request: its answers in the answer
// file's formats, the state it writes back, and its scripted faults.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "elevplan_proces.h"

extern char **environ;

namespace {

namespace fs = std::filesystem;

std::string Laes(const fs::path &p) {
  std::ifstream i(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
}

void Skriv(const fs::path &p, const std::string &s) {
  std::ofstream o(p, std::ios::binary | std::ios::trunc);
  o << s;
}

class SimuleretElevplan : public ::testing::Test {
 protected:
  fs::path rod, tilstand;

  void SetUp() override {
    char skabelon[] = "/tmp/elevplansimXXXXXX";
    rod = mkdtemp(skabelon);
    tilstand = rod / "elevplan";
    fs::create_directories(tilstand);
    Skriv(tilstand / "tg",
          "501;Tømrer;20240601;20240815;20240901;20250630;N;0;0;TavoSkema - 7\n"
          "502;Murer;20240601;20240815;20250801;20260630;N;0;0;\n");
    Skriv(tilstand / "pp", "1;501;202440;0;0\n2;501;202441;0;0\n");
    Skriv(tilstand / "la", "1001;501;Dansk;20240901;20250630;40\n1002;501;Dansk #2;20240901;20250630;40\n");
    Skriv(tilstand / "lap", "11;501;1001;1;2\n");
    Skriv(tilstand / "elev", "7001;501;Ida;0101051234;a;b;c;d;e\n");
    Skriv(tilstand / "ev", "5001;501;7001;1001;1;20240901;20250630;;\n5002;501;7001;1001;2;0;0;;;inaktiv\n");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(rod, ec);
  }

  // One BehandlExpFil run on the request under the script's fault.
  std::string Besvar(const std::string &anmodning, const std::string &fejl = "") {
    EXPECT_TRUE(elevplantest::Placer(rod.string(), 1, "tilstand elevplan\n" + fejl));
    Skriv(rod / "ep_exp.dat", anmodning);
    const std::string prog = (rod / "ep1.exe").string(), fil = (rod / "ep_exp.dat").string();
    std::vector<std::string> ord{prog, "BehandlExpFil", "NOEGLE-1", fil, "drift"};
    std::vector<char *> argv;
    for (std::string &o : ord) argv.push_back(o.data());
    argv.push_back(nullptr);
    pid_t pid;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    EXPECT_EQ(posix_spawn(&pid, prog.c_str(), &fa, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&fa);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return Laes(rod / "ep_imp.dat");
  }
};

}  // namespace

TEST_F(SimuleretElevplan, CopiesAndEnrolmentsGetElevplansIds) {
  EXPECT_EQ(Besvar("@KopierAktivitet\n1001\n4242\n"),
            "@KopierAktivitet\n1003;Dansk #3;501;20240901;20250630;40;OK\n0;;;;;;Aktiviteten 4242 findes ikke\n");
  EXPECT_NE(Laes(tilstand / "la").find("1003;501;Dansk #3;"), std::string::npos);
  EXPECT_EQ(Besvar("@NyTilmelding\n7001;1003;20240901;20250630;2\n7999;1003;1;2;2\n"),
            "@NyTilmelding\n5003;OK;7001;1003;20240901;20250630;2\n0;Eleven findes ikke;7999;1003;1;2;2\n");
  EXPECT_NE(Laes(tilstand / "ev").find("5003;501;7001;1003;2;20240901;20250630;;"), std::string::npos);
}

TEST_F(SimuleretElevplan, AnswersAreRecordedAndReturnedWithTheGroups) {
  EXPECT_EQ(Besvar("@AccepterTilmelding\n5001\n5002\n@SletTilmelding\n6000\n"),
            "@AccepterTilmelding\n5001;OK\n5002;Tilmeldingen er inaktiv\n@SletTilmelding\n6000;Tilmeldingen findes ikke\n");
  // Reserving answers with an empty file; the fetch returns the new holder.
  EXPECT_EQ(Besvar("@TilmeldingsgruppeSystemID\nTavoSkema - 9\n502\n"), "");
  EXPECT_EQ(Besvar("@HentAlleTilmeldingsgrupper\n20250701\n20251231\n"),
            "@tg\n502;Murer;20240601;20240815;20250801;20260630;N;0;0;TavoSkema - 9\n");
  const std::string alt = Besvar("@RedigerAktivitet\n1001;20240902;20250627;40;Dansk\n@HentAlt\n20240801\n20250731\n");
  EXPECT_EQ(alt,
            "@tg\n501;Tømrer;20240601;20240815;20240901;20250630;N;0;0;TavoSkema - 7\n"
            "@pp\n1;501;202440;0;0\n2;501;202441;0;0\n"
            "@la\n1001;501;Dansk;20240902;20250627;40\n1002;501;Dansk #2;20240901;20250630;40\n"
            "@lap\n11;501;1001;1;2\n"
            "@elev\n7001;501;Ida;0101051234;a;b;c;d;e\n"
            "@ev\n5001;501;7001;1001;1;20240901;20250630;J;\n5002;501;7001;1001;2;0;0;;\n");
}

TEST_F(SimuleretElevplan, ScriptedFaultsSpoilTheAnswer) {
  EXPECT_EQ(Besvar("@KopierAktivitet\n1001\n1001\n", "fejl BehandlExpFil kopiuden\n"),
            "@KopierAktivitet\n1003;Dansk #3;501;20240901;20250630;40;OK\n");
  EXPECT_EQ(Besvar("@AfvisTilmelding\n5001\n", "fejl BehandlExpFil feltantal\n"), "@AfvisTilmelding\n5001\n");
  const std::string blok = Besvar("@HentTilmeldingsgruppe\n501\n", "fejl BehandlExpFil fejlblok\n");
  EXPECT_NE(blok.find("@elev\n** Fejl ved hentning af elever\nElevplan svarede ikke i tide\n**\n7001;"),
            std::string::npos)
      << blok;
  EXPECT_NE(Besvar("@HentTilmeldingsgruppe\n501\n", "fejl BehandlExpFil langlap\n").find("@lap\n11;501;1001;1;999\n"),
            std::string::npos);
}
