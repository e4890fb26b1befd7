// Summaries of repeated timings: the best round is the least disturbed one, the
// median shows how steady the machine was.
#pragma once
#include <algorithm>
#include <vector>

namespace talvik::bench {

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace talvik::bench
