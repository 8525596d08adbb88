// The benchmark's clock and its one statistic.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

// Milliseconds on the steady clock: comparable between processes of one boot, as the start-up
// measurement needs.
inline double NowMs()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// The middle value (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
