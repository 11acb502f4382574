#pragma once

#include <QList>

#include <algorithm>

// Figures shared by the benchmarks.
namespace BenchStats
{
// The middle value (the upper one of an even count); -1 for none.
inline double Median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}
} // namespace BenchStats
