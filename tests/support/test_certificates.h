// A throwaway certificate authority and server certificates for https tests
// (tools/make_test_certs.py), made once per test process and removed at its end.
#pragma once
#include <string>
#include <vector>

namespace talvik::testsupport {

// The Unix path of one of the tool's files: "ca.pem", "bundle.pem", "site.pem", ...
std::string TestCertificate(const std::string& name);
// The same file as a Windows program names it.
std::wstring TestCertificateFile(const std::string& name);

// Sample-site arguments: https with this server certificate, its links naming "localhost".
std::vector<std::string> HttpsSiteArgs(const std::string& certificate = "site.pem");

}  // namespace talvik::testsupport
