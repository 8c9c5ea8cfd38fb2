#include "cli/command_line.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "cli/pressure_options.h"
#include "hygrian/units.h"
#include "hygrian/version.h"
#include "tables/numbers.h"
#include "tables/text.h"

namespace hygrian::cli {
namespace {

constexpr std::size_t kHelpColumn = 30;  // leaves 50 columns to each description
// GNU's order: the usage line first, then what the program does.
constexpr std::size_t kHelpWidth = 80;

// Columns of UTF-8 text: its bytes but continuation bytes.
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// One line of help broken at blanks to kHelpWidth columns, each continuation
// indented as the text it continues: an option's description at kHelpColumn,
// any other line at its own indent. A word longer than the room stays whole.
void AppendWrapped(std::string& out, std::string_view line) {
  const std::size_t own = std::min(line.find_first_not_of(' '), line.size());
  const bool option = own == 2 && line.size() > kHelpColumn && line[kHelpColumn - 1] == ' ' &&
                      line[kHelpColumn] != ' ';
  const std::size_t indent = option ? kHelpColumn : own;
  while (Columns(line) > kHelpWidth) {
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = indent + 1; i < line.size() && Columns(line.substr(0, i)) <= kHelpWidth;
         ++i) {
      if (line[i] == ' ') cut = i;
    }
    if (cut == std::string_view::npos) break;
    out.append(line.substr(0, cut));
    out += '\n';
    out.append(indent, ' ');
    line.remove_prefix(cut + 1);
  }
  out.append(line);
}

std::string Wrapped(std::string_view text) {
  std::string out;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    AppendWrapped(out, text.substr(start, end - start));
    if (end == text.size()) break;
    out += '\n';
    start = end + 1;
  }
  return out;
}

class HelpLayout final : public CLI::Formatter {
 public:
  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override {
    return Wrapped(make_usage(app, std::move(name)) + make_description(app) +
                   make_positionals(app) + make_groups(app, mode) + "\n" + make_footer(app));
  }
};

void Write(Platform& platform, int fd, std::string_view text) {
  (void)platform.WriteAll(fd, text.data(), text.size());  // nothing more to do if this fails
}

// For the first word of argv that looks like a long option the app does not
// have: "; did you mean --version?" when an option's name is within two edits
// of it (a third of its length at most), else "".
std::string Suggestion(const CLI::App& app, int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--") break;
    if (word.size() < 3 || word.substr(0, 2) != "--") continue;
    const std::string_view name = word.substr(2, word.find('=') - 2);
    std::string best;
    std::size_t bestDistance = std::min<std::size_t>(3, name.size() / 3 + 1);
    bool known = false;
    for (const CLI::Option* option : app.get_options()) {
      for (const std::string& candidate : option->get_lnames()) {
        const std::size_t distance = tables::EditDistance(name, candidate);
        known = known || distance == 0;
        if (distance < bestDistance) {
          best = candidate;
          bestDistance = distance;
        }
      }
    }
    if (known) continue;
    return best.empty() ? "" : "; did you mean --" + best + "?";
  }
  return "";
}

}  // namespace

CommandLine::CommandLine(Platform& platform, std::string_view program,
                         const std::string& description, const std::string& footer)
    : platform_(platform), program_(program), app_(description, std::string(program)) {
  app_.formatter(std::make_shared<HelpLayout>());
  app_.get_formatter()->column_width(kHelpColumn);
  app_.footer(footer);
  app_.set_help_flag("-h,--help", "Show this help and exit");
  app_.set_version_flag("-V,--version", "", "Show the version and exit");
  app_.add_option("-o,--output", common_.output, "Write to FILE (- for standard output)")
      ->type_name("FILE");
  app_.add_option("--pressure", pressure_, "Total pressure in --pressure-unit (101.325 kPa)")
      ->type_name("P");
  app_.add_option("--altitude", altitude_, "Or the standard pressure at Z above sea level")
      ->type_name("Z");
  app_.add_option(std::string(kPressureRange.unitOption), pressureUnit_,
                  "Unit of --pressure and a pressure column (kPa, or psi with --units ip; hPa, "
                  "Pa, mbar, inHg)")
      ->type_name("UNIT");
  app_.add_option("--altitude-unit", altitudeUnit_, "Unit of --altitude (m, or ft with --units ip)")
      ->type_name("m|ft");
  app_.add_option("--model", model_, "Relations: handbook (ASHRAE 2017) or calculator")
      ->type_name("handbook|calculator");
  app_.add_option("--over", over_, "Saturation below 0.01 degC over ice or water (ice)")
      ->type_name("ice|water");
  app_.add_option("--supersaturated", supersaturated_,
                  "States above saturation: flag them, or clip to it (flag)")
      ->type_name("flag|clip");
  app_.add_flag("-q,--quiet", common_.quiet, "No messages about rows, no progress display")
      ->disable_flag_override();
}

void CommandLine::AddUnitsOption(const std::string& help) {
  app_.add_option("--units", units_, help)->type_name("si|ip");
  hasUnits_ = true;
}

std::optional<int> CommandLine::Parse(int argc, const char* const* argv) {
  try {
    app_.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    Write(platform_, kStandardOutput, app_.help());
    return 0;
  } catch (const CLI::CallForVersion&) {
    Write(platform_, kStandardOutput, std::string(program_) + " " HYGRIAN_VERSION "\n");
    return 0;
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what() + Suggestion(app_, argc, argv));
  }
  const std::string problem = CheckCommon();
  if (!problem.empty()) return UsageError(problem);
  return std::nullopt;
}

int CommandLine::UsageError(std::string_view reason) const {
  const std::string program(program_);
  Write(platform_, kStandardError,
        program + ": " + std::string(reason) + "\nTry '" + program +
            " --help' for more information.\n");
  return 2;
}

std::string CommandLine::CheckModel() {
  if (app_.count("--model") > 0) {
    const auto* found = std::find_if(kModelWords.begin(), kModelWords.end(),
                                     [&](const ModelWord& m) { return m.word == model_; });
    if (found == kModelWords.end()) {
      return "--model: '" + model_ + "' is not handbook or calculator";
    }
    common_.options.model = found->model;
  }
  if (app_.count("--over") > 0) {
    const auto* found = std::find_if(kPhaseWords.begin(), kPhaseWords.end(),
                                     [&](const PhaseWord& p) { return p.word == over_; });
    if (found == kPhaseWords.end()) return "--over: '" + over_ + "' is not ice or water";
    common_.options.over = found->over;
  }
  if (common_.options.model == Model::Calculator && common_.options.over == Phase::Water) {
    return "--over water: the calculator model knows only ice";
  }
  if (app_.count("--supersaturated") > 0) {
    const auto* found =
        std::find_if(kSupersaturatedWords.begin(), kSupersaturatedWords.end(),
                     [&](const SupersaturatedWord& s) { return s.word == supersaturated_; });
    if (found == kSupersaturatedWords.end()) {
      return "--supersaturated: '" + supersaturated_ + "' is not flag or clip";
    }
    common_.supersaturated = found->handling;
  }
  if (common_.options.model == Model::Calculator &&
      common_.supersaturated == Supersaturated::Clip) {
    return "--supersaturated clip: the calculator model flags no state above saturation";
  }
  return "";
}

std::string CommandLine::CheckCommon() {
  if (std::string problem = CheckModel(); !problem.empty()) return problem;
  if (hasUnits_ && app_.count("--units") > 0) {
    if (units_ != "si" && units_ != "ip") return "--units: '" + units_ + "' is not si or ip";
    common_.inchPound = units_ == "ip";
  }
  SetUnitSystem(common_.inchPound, common_);
  const std::string unitOption(kPressureRange.unitOption);
  if (app_.count(unitOption) > 0) {
    if (std::string problem = ReadPressureUnit(pressureUnit_, unitOption, common_);
        !problem.empty()) {
      return problem;
    }
  }
  if (app_.count("--altitude-unit") > 0) {
    if (std::string problem = ReadAltitudeUnit(altitudeUnit_, "--altitude-unit", common_);
        !problem.empty()) {
      return problem;
    }
  }
  return ReadPressureOrAltitude(app_.count("--pressure") > 0 ? &pressure_ : nullptr,
                                app_.count("--altitude") > 0 ? &altitude_ : nullptr, "--",
                                kPressureRange, common_);
}

}  // namespace hygrian::cli
