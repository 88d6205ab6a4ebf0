// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <vector>

// What a benchmark reports of a series: one row of the figures table.
struct Summary
{
    double median = 0;
    double min = 0;
    double max = 0;
    std::size_t runs = 0;
};

Summary summarise(std::vector<double> values);

// Nearest rank: the smallest value that p percent of the series do not exceed.
double percentile(std::vector<double> values, double p);

// One tab-separated row, the form bench.sh turns into the Markdown table.
void printRow(const std::string &figure, const Summary &summary);
