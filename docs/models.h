// The two models' accuracy as Markdown tables, for `make accuracy`, hygrian(3)
// and docs/accuracy.md: the handbook model against the reference rows, and the
// calculator model's dew-point fit against the exact inverse of its own
// saturation relation.
#pragma once

#include <string>

namespace hygrian::docs {

// Both tables, from the reference rows in the CSV file at givenCsv.
std::string ModelTables(const char* givenCsv);

}  // namespace hygrian::docs
