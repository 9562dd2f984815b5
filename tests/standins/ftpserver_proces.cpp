#include "ftpserver_proces.h"

#include <fstream>
#include <iterator>

namespace ftptest {

FtpServer::FtpServer() : StandinProces("ftpserver") { Script(""); }

bool FtpServer::Start(int idleSek, const std::string &adresse) {
  return StartProgram(
      {TAVO_FTPSERVER_PROGRAM, "--dir", Mappe(), "--idle", std::to_string(idleSek), "--addr", adresse});
}

std::string FtpServer::Fil(const std::string &navn) const {
  std::ifstream ind(Mappe() + "/files/" + navn, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
}

}  // namespace ftptest
