#include "tests/support/test_certificates.h"

#include <windows.h>

#include <stdexcept>

#include "tests/support/folders.h"
#include "tests/support/sample_site.h"

namespace talvik::testsupport {
namespace {

class CertificateFolder {
public:
  CertificateFolder()
      : FUnix("/tmp/talvik-certs-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64())) {
    std::string ignored;
    CloseHandle(StartTool("make_test_certs.py", {"--out", FUnix}, "DONE", ignored));
    // The tool writes its "done" file last; on a busy machine that may take a while.
    for (int i = 0; i < 600 && GetFileAttributesW(File("done").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    if (GetFileAttributesW(File("done").c_str()) == INVALID_FILE_ATTRIBUTES) {
      Remove();
      throw std::runtime_error("make_test_certs.py did not make the certificates in " + FUnix);
    }
  }
  ~CertificateFolder() { Remove(); }
  std::string Unix(const std::string& name) const { return FUnix + "/" + name; }
  std::wstring File(const std::string& name) const { return UnixToWindowsPath(Unix(name)); }

private:
  void Remove() { RemoveFolder(UnixToWindowsPath(FUnix)); }

  std::string FUnix;
};

const CertificateFolder& Folder() {
  static CertificateFolder folder;
  return folder;
}

}  // namespace

std::string TestCertificate(const std::string& name) { return Folder().Unix(name); }

std::wstring TestCertificateFile(const std::string& name) { return Folder().File(name); }

std::vector<std::string> HttpsSiteArgs(const std::string& certificate) {
  return {"--tls", TestCertificate(certificate), TestCertificate("server.key"), "--name", "localhost"};
}

}  // namespace talvik::testsupport
