#pragma once

#include <vector>

// Order statistics of a sample (0 for an empty one).
double median(std::vector<double> values);
double percentile90(std::vector<double> values);
double largest(const std::vector<double>& values);
