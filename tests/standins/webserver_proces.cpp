#include "webserver_proces.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

namespace webtest {

namespace {

std::string CertMappe() {
  static std::string mappe;
  static std::once_flag en;
  std::call_once(en, [] {
    mappe = standintest::NyMappe("webcert");
    const std::string cmd = "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
                            " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1"
                            " -keyout " + mappe + "/key.pem -out " + mappe + "/cert.pem >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0) mappe.clear();
    std::atexit([] {
      std::error_code ec;
      if (!mappe.empty()) std::filesystem::remove_all(mappe, ec);
    });
  });
  return mappe;
}

std::string LaesFil(const std::string &sti) {
  std::ifstream ind(sti, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
}

}  // namespace

const std::string &Certifikat() {
  static const std::string sti = CertMappe() + "/cert.pem";
  return sti;
}

std::string Flugt(const std::string &tekst) {
  std::string ud;
  for (const char c : tekst) {
    if (c == '\n') ud += "\\n";
    else if (c == '\r') ud += "\\r";
    else if (c == '\t') ud += "\\t";
    else if (c == '\\') ud += "\\\\";
    else ud += c;
  }
  return ud;
}

WebServer::WebServer() : StandinProces("webserver") { Script(""); }

std::string WebServer::Adresse() const { return "https://127.0.0.1:" + std::to_string(Port()); }

bool WebServer::Start(int idleSek) {
  const std::string certs = CertMappe();
  if (certs.empty()) return false;
  return StartProgram({TAVO_WEBSERVER_PROGRAM, "--cert", certs + "/cert.pem", "--key", certs + "/key.pem", "--dir",
                       Mappe(), "--idle", std::to_string(idleSek)});
}

std::string WebServer::Krop(int n) const { return LaesFil(Mappe() + "/body-" + std::to_string(n) + ".bin"); }
std::string WebServer::Hoved(int n) const { return LaesFil(Mappe() + "/head-" + std::to_string(n) + ".txt"); }

}  // namespace webtest
