#include "jobserver_proces.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace jobtest {

JobServer::JobServer() : StandinProces("jobserver") {
  std::filesystem::create_directories(Spool());
  Fejl("");
}

bool JobServer::Start(const std::vector<std::string> &ekstra, const std::string &adresse,
                      int port) {
  std::vector<std::string> arg = {TAVO_JOBSERVER_PROGRAM,
                                  "--spool", Spool(),
                                  "--log", Mappe() + "/log.txt",
                                  "--faults", Mappe() + "/fejl.txt",
                                  "--addr", adresse,
                                  "--port", std::to_string(port)};
  bool harBruger = false;
  for (const std::string &e : ekstra) harBruger = harBruger || e == "--user";
  if (!harBruger) arg.insert(arg.end(), {"--user", "bruger:hemmelig:skole"});
  arg.insert(arg.end(), ekstra.begin(), ekstra.end());
  return StartProgram(arg);
}

void SkrivFil(const std::string &sti, const std::string &data) {
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(sti).parent_path(), ec);
  std::ofstream ud(sti, std::ios::binary | std::ios::trunc);
  ud.write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string LaesFil(const std::string &sti) {
  std::ifstream ind(sti, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
}

bool Findes(const std::string &sti) { return std::filesystem::exists(sti); }

}  // namespace jobtest
