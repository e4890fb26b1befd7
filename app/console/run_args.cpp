#include "app/console/run_args.h"

#include "net/system_proxy.h"

namespace talvik::app {

namespace {

// The option's value, from "--name value" or "--name=value"; false when AArg is another option.
bool OptionValue(const std::vector<std::wstring>& args, size_t& i, const std::wstring& name, std::wstring& value,
                 std::wstring& problem) {
  const std::wstring& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) {
      problem = name + L" needs a value";
      return true;
    }
    value = args[++i];
    return true;
  }
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 && arg[name.size()] == L'=') {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

bool Count(const std::wstring& text, int low, int high, int& out) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of(L"0123456789") != std::wstring::npos) return false;
  out = std::stoi(text);
  return out >= low && out <= high;
}

}  // namespace

bool TakeNetArg(const std::vector<std::wstring>& AArgs, size_t& AIndex, TNetArgs& AInto, std::wstring& AProblem) {
  std::wstring value;
  if (AArgs[AIndex] == L"--skip-existing") {
    AInto.SkipExisting = true;
  } else if (OptionValue(AArgs, AIndex, L"--retries", value, AProblem)) {
    if (AProblem.empty() && !Count(value, 0, kMaxRetries, AInto.Retries))
      AProblem = L"--retries needs a number from 0 to " + std::to_wstring(kMaxRetries) + L", not \"" + value + L"\"";
  } else if (OptionValue(AArgs, AIndex, L"--jobs", value, AProblem)) {
    if (AProblem.empty() && !Count(value, 1, kMaxJobs, AInto.Jobs))
      AProblem = L"--jobs needs a number from 1 to " + std::to_wstring(kMaxJobs) + L", not \"" + value + L"\"";
  } else if (OptionValue(AArgs, AIndex, L"--proxy", value, AProblem)) {
    std::wstring reason;
    AInto.ProxyDirect = value == L"direct";
    if (AInto.ProxyDirect) AInto.Proxy = {};
    else if (AProblem.empty() && !net::ParseProxyUrl(value, AInto.Proxy, reason)) AProblem = L"--proxy: " + reason;
  } else if (OptionValue(AArgs, AIndex, L"--ca-file", value, AProblem)) {
    std::wstring reason;
    if (AProblem.empty() && !(AInto.TrustedRoots = net::TTrustedRoots::FromPemFile(value, reason)))
      AProblem = L"--ca-file: " + reason;
  } else {
    return false;
  }
  return true;
}

void UseProxy(net::TIdHTTP& AHTTP, const TNetArgs& AArgs) {
  if (AArgs.Proxy.Enabled() || AArgs.ProxyDirect) AHTTP.SetProxy(AArgs.Proxy);
  else AHTTP.SetProxyChooser(std::make_shared<net::TSystemProxy>());
}

}  // namespace talvik::app
