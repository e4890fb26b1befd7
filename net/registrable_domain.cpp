#include "net/registrable_domain.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <vector>

namespace talvik::net {

namespace {

// Second levels under which country registries hand out names: "co.uk", "com.cn", "ne.jp".
constexpr std::array<std::string_view, 16> kCountrySecondLevels = {
    "ac", "co", "com", "edu", "gen", "go", "gov", "ltd", "mil", "ne", "net", "nom", "or", "org", "plc", "sch"};

std::vector<std::string> Labels(const std::string& host) {
  std::vector<std::string> labels(1);
  for (char c : host) {
    if (c == '.') labels.emplace_back();
    else labels.back() += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return labels;
}

std::string Join(const std::vector<std::string>& labels, size_t from) {
  std::string out;
  for (size_t i = from; i < labels.size(); ++i) out += (i == from ? "" : ".") + labels[i];
  return out;
}

}  // namespace

bool IsIpLiteral(const std::string& AHost) {
  if (AHost.find(':') != std::string::npos || (!AHost.empty() && AHost[0] == '[')) return true;
  if (AHost.empty() || std::count(AHost.begin(), AHost.end(), '.') != 3) return false;
  return std::all_of(AHost.begin(), AHost.end(),
                     [](char c) { return c == '.' || std::isdigit(static_cast<unsigned char>(c)); });
}

std::string RegistrableDomain(const std::string& AHost) {
  std::string host = AHost;
  if (!host.empty() && host.back() == '.') host.pop_back();
  if (IsIpLiteral(host)) return {};
  std::vector<std::string> labels = Labels(host);
  if (std::any_of(labels.begin(), labels.end(), [](const std::string& l) { return l.empty(); })) return {};
  if (labels.size() == 1) return labels[0] == "localhost" ? labels[0] : std::string();
  const size_t n = labels.size();
  const bool countrySecondLevel =
      labels[n - 1].size() == 2 &&
      std::find(kCountrySecondLevels.begin(), kCountrySecondLevels.end(), labels[n - 2]) != kCountrySecondLevels.end();
  const size_t keep = countrySecondLevel ? 3 : 2;
  if (n < keep) return {};
  return Join(labels, n - keep);
}

}  // namespace talvik::net
