#pragma once
// Deterministic, real-looking HTML for the benchmarks: paragraphs, links,
// lists, tables, entities, quotes, inline scripts and some non-ASCII text.
#include <cstddef>
#include <string>

std::string SampleHtml(size_t bytes);
