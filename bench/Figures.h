// SPDX-License-Identifier: GPL-3.0-or-later
// What the whole-process benchmarks share: the list sizes of their --sizes=,
// and what they print their figures with: the median of the runs, a row count
// as "100 000", and the machine's load while they ran.
#pragma once

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace bench {

// The sizes of a comma-separated list such as "9,100000".
inline std::vector<int> sizesOf(const std::string& text) {
    std::vector<int> sizes;
    std::istringstream list(text);
    for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoi(size));
    return sizes;
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline std::string rowsText(int rows) {
    std::string text = std::to_string(rows);
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3) text.insert(static_cast<size_t>(at), " ");
    return text;
}

// The load average of the last minute, as /proc/loadavg gives it.
inline std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one;
    in >> one;
    return one;
}

}  // namespace bench
