// Console output records: output statements become records, one screen line each,
// whose first character is carriage control deciding the line advance written in
// front of them. Every line end is CR LF, written here; nothing is buffered
// between statements.
#pragma once

#include <span>
#include <string_view>

#include "console/console.h"

namespace hygrian {

enum class OutputItemKind {
  Text,           // characters appended after any pending blanks
  Blanks,         // count blanks owed to the record, written only if more follows
  RecordBreak,    // ends the record, dropping pending blanks
  FixedField,     // next value, fixed-point, `decimals` digits, right-justified in `width`
  ExponentField,  // next value, exponent form, `decimals` fraction digits, in `width`
};

struct OutputItem {
  OutputItemKind kind;
  std::string_view text = {};
  int count = 0;
  int width = 0;
  int decimals = 0;
};

constexpr OutputItem TextItem(std::string_view text) { return {OutputItemKind::Text, text}; }
constexpr OutputItem BlanksItem(int count) { return {OutputItemKind::Blanks, {}, count}; }
constexpr OutputItem RecordBreakItem() { return {OutputItemKind::RecordBreak}; }
constexpr OutputItem FixedItem(int width, int decimals) {
  return {OutputItemKind::FixedField, {}, 0, width, decimals};
}
constexpr OutputItem ExponentItem(int width, int decimals) {
  return {OutputItemKind::ExponentField, {}, 0, width, decimals};
}

// One output statement: builds its records from the items, taking one value per
// numeric field in order, and writes each record as it ends. A layout with k
// record breaks yields k + 1 records. Record texts that the device refuses end the
// program (full device, read-only or locked); other shortfalls are ignored.
void WriteStatement(Console& console, std::span<const OutputItem> items,
                    std::span<const double> values = {});

// Around each input statement: at a shared terminal, Begin ends an open line so
// typing starts on a fresh one, and End marks the line closed by the user's Enter.
void BeginConsoleRead(Console& console);
void EndConsoleRead(Console& console);

// CloseLineAtStop and CloseLineAtExit, the hooks of the stop and exit path, are
// declared with the console state (console/console.h).

}  // namespace hygrian
