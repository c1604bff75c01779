#include "Statistics.h"

#include <algorithm>
#include <cmath>

namespace {

// The value at rank ceil(q * n) in ascending order (nearest-rank method).
double nearestRank(std::vector<double> values, double q)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(q * static_cast<double>(values.size())));
    return values[std::min(values.size(), std::max<size_t>(rank, 1)) - 1];
}

} // namespace

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

double percentile90(std::vector<double> values)
{
    return nearestRank(std::move(values), 0.9);
}

double largest(const std::vector<double>& values)
{
    return nearestRank(values, 1.0);
}
