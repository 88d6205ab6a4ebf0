// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

Summary summarise(std::vector<double> values)
{
    if (values.empty())
        throw std::invalid_argument("summarise: no values");
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back(), n};
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        throw std::invalid_argument("percentile: no values");
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p / 100.0 * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void printRow(const std::string &figure, const Summary &summary)
{
    std::printf("%s\t%.3f\t%.3f\t%.3f\t%zu\n", figure.c_str(), summary.median, summary.min,
                summary.max, summary.runs);
    std::fflush(stdout);
}
