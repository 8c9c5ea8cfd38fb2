// Rows whose states are computed together: the pair's values of up to kRows
// good rows of a chunk, gathered for one hygrian::ComputeStates call (the
// handbook model's pairs in SIMD lanes), and each row's fields, copied, until
// the row is written. Its buffers stay from block to block, so a row costs no
// allocation once they have grown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hygrian/pairs.h"
#include "hygrian/psychrometrics.h"
#include "tables/csv.h"

namespace hygrian::batch {

class RowBlock {
 public:
  static constexpr std::size_t kRows = 256;

  // Keeps a row: its record's fields, and its pair's values (first and second
  // in the pair's units, pressure in kPa). Not when Full().
  void Add(const tables::CsvRecord& record, double first, double second, double pressure);
  [[nodiscard]] bool Full() const { return size_ == kRows; }
  [[nodiscard]] std::size_t Size() const { return size_; }

  // Computes every row's state: State(i) is pair.compute(first, second,
  // pressure, options) of row i, bit for bit, clipped to saturation with
  // Supersaturated::Clip (cli::Compute's state).
  void Compute(const Pair& pair, hygrian::Options options, Supersaturated supersaturated);
  // Row i as Add was given it, after Compute: a record of its fields and line
  // (valid until Clear), and its state.
  [[nodiscard]] tables::CsvRecord Record(std::size_t i) const;
  [[nodiscard]] const Result& State(std::size_t i) const { return states_[i]; }
  [[nodiscard]] double Pressure(std::size_t i) const { return pressure_[i]; }  // kPa

  // Forgets the rows, keeping the buffers.
  void Clear();

 private:
  std::size_t size_ = 0;
  std::array<double, kRows> first_{};
  std::array<double, kRows> second_{};
  std::array<double, kRows> pressure_{};
  std::array<std::uint64_t, kRows> lines_{};
  std::array<Result, kRows> states_{};
  std::vector<char> bytes_;                      // the rows' fields, one after another
  std::vector<std::size_t> ends_;                // each field's end in bytes_
  std::array<std::size_t, kRows + 1> fields_{};  // row i: fields [fields_[i], fields_[i + 1])
  std::vector<std::string_view> views_;          // the fields, made by Compute
};

}  // namespace hygrian::batch
