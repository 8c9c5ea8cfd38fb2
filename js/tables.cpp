// Writes the npm package's tables and its TypeScript types from the library's
// own tables (properties, pairs, outcomes, units, the models and phases, the
// processes of hygrian/process_table.h), so that a row added there reaches the
// package's functions and types with no edit here. Run by the build (under
// node, as the web preset builds it):
//
//   hygrian_js_tables DIRECTORY
//
// writes DIRECTORY/tables.json, DIRECTORY/tables.js (the same as the constant
// TABLES of the ES module, with an export for each process: ES modules name
// their exports in the text) and DIRECTORY/index.d.ts. Keys are the tables' words in lower camel
// case (dry_bulb is dryBulb), as JavaScript names things.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/process_table.h"
#include "hygrian/properties.h"
#include "hygrian/units.h"
#include "hygrian/version.h"

namespace {

using namespace hygrian;

// "dry_bulb" as "dryBulb"; with upper, "DryBulb".
std::string Camel(std::string_view words, bool upper = false) {
  std::string name;
  for (const char c : words) {
    if (c == '_' || c == ' ') {
      upper = true;
    } else {
      name += upper && c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
      upper = false;
    }
  }
  return name;
}

// text as a JSON (and JavaScript) string.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      (void)std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      quoted += escape;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// items joined by separator.
std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string joined;
  for (const std::string& item : items) {
    if (!joined.empty()) joined += separator;
    joined += item;
  }
  return joined;
}

std::string Array(const std::vector<std::string>& items) { return "[" + Joined(items, ",") + "]"; }

std::string_view KindWord(OutcomeClass kind) {
  switch (kind) {
    case OutcomeClass::Ok:
      return "ok";
    case OutcomeClass::Warning:
      return "warning";
    case OutcomeClass::Fault:
      return "fault";
    case OutcomeClass::InvalidInput:
      return "invalid-input";
    case OutcomeClass::Missing:
      break;
  }
  return "missing";
}

// The quantity of a value in the library's unit (a Property's unit).
const QuantityUnits& QuantityOf(std::string_view libraryUnit) {
  return *QuantityOfLibraryUnit(libraryUnit);
}

// Every value a pair may be given by, in the order the pairs first name them.
std::vector<Property> GivenValues() {
  std::vector<Property> given;
  for (const Pair& pair : AllPairs) {
    for (const Property& p : pair.given) {
      bool known = false;
      for (const Property& g : given) known = known || g.key == p.key;
      if (!known) given.push_back(p);
    }
  }
  return given;
}

// A pair the calculator model computes: one of Pairs, the dry-bulb pairs.
bool CalculatorPair(const Pair& pair) {
  for (const Pair& p : Pairs) {
    if (p.key == pair.key) return true;
  }
  return false;
}

std::string PropertyJson(const Property& p) {
  return "{\"key\":" + Quoted(Camel(p.key)) + ",\"name\":" + Quoted(p.key) +
         ",\"unit\":" + Quoted(p.unit) + ",\"quantity\":" + Quoted(Camel(QuantityOf(p.unit).key)) +
         ",\"description\":" + Quoted(p.description) + "}";
}

std::string TablesJson() {
  std::vector<std::string> properties, given, pairs, outcomes, quantities, units, processes,
      outputs, models, phases;
  for (const Property& p : DefaultProperties) properties.push_back(PropertyJson(p));
  for (const Property& p : GivenValues()) given.push_back(PropertyJson(p));
  for (std::size_t i = 0; i < AllPairs.size(); ++i) {
    const Pair& pair = AllPairs[i];
    pairs.push_back("{\"name\":" + Quoted(pair.key) + ",\"row\":" + std::to_string(i) +
                    ",\"given\":" +
                    Array({Quoted(Camel(pair.given[0].key)), Quoted(Camel(pair.given[1].key))}) +
                    ",\"calculator\":" + (CalculatorPair(pair) ? "true" : "false") + "}");
  }
  for (const Outcome& o : Outcomes) {
    outcomes.push_back("{\"code\":" + std::to_string(o.code) + ",\"key\":" + Quoted(o.key) +
                       ",\"text\":" + Quoted(o.text) + ",\"kind\":" + Quoted(KindWord(o.kind)) +
                       "}");
  }
  for (std::size_t q = 0; q < Quantities.size(); ++q) {
    const QuantityUnits& quantity = Quantities[q];
    const auto row = [&](std::string_view spelling) {
      return std::to_string(FindUnit(quantity.quantity, spelling) - Units.data());
    };
    quantities.push_back("{\"key\":" + Quoted(Camel(quantity.key)) +
                         ",\"number\":" + std::to_string(q) + ",\"si\":" + row(quantity.library) +
                         ",\"ip\":" + row(quantity.ip) + "}");
  }
  for (const Unit& unit : Units) {
    units.push_back("{\"quantity\":" + Quoted(Camel(UnitsOf(unit.quantity).key)) +
                    ",\"key\":" + Quoted(unit.key) + ",\"name\":" + Quoted(unit.name) + "}");
  }
  for (std::size_t r = 0; r < Processes.size(); ++r) {
    const ProcessFunction& row = Processes[r];
    std::vector<std::string> arguments;
    for (std::size_t a = 0; a < row.count; ++a) {
      const ProcessArgument& argument = row.arguments[a];
      arguments.push_back("{\"key\":" + Quoted(Camel(argument.key)) + ",\"name\":" +
                          Quoted(argument.key) + ",\"unit\":" + Quoted(argument.unit) + "}");
    }
    processes.push_back("{\"name\":" + Quoted(Camel(row.key)) + ",\"key\":" + Quoted(row.key) +
                        ",\"row\":" + std::to_string(r) + ",\"description\":" +
                        Quoted(row.description) + ",\"arguments\":" + Array(arguments) + "}");
  }
  for (const Property& p : DefaultProperties) outputs.push_back(Quoted(Camel(p.key)));
  for (const ProcessValue& v : ProcessValues) outputs.push_back(Quoted(Camel(v.key)));
  for (const cli::ModelWord& m : cli::kModelWords) models.push_back(Quoted(m.word));
  for (const cli::PhaseWord& p : cli::kPhaseWords) phases.push_back(Quoted(p.word));
  return "{\"version\":" + Quoted(HYGRIAN_VERSION) +
         ",\n\"standardPressure\":" + std::to_string(StandardPressure) +
         ",\n\"properties\":" + Array(properties) + ",\n\"given\":" + Array(given) +
         ",\n\"pairs\":" + Array(pairs) + ",\n\"outcomes\":" + Array(outcomes) +
         ",\n\"quantities\":" + Array(quantities) + ",\n\"units\":" + Array(units) +
         ",\n\"processes\":" + Array(processes) + ",\n\"processOutputs\":" + Array(outputs) +
         ",\n\"models\":" + Array(models) + ",\n\"phases\":" + Array(phases) + "}\n";
}

// TypeScript: a union of quoted words.
std::string Union(const std::vector<std::string>& words) {
  std::vector<std::string> quoted;
  quoted.reserve(words.size());
  for (const std::string& word : words) quoted.push_back(Quoted(word));
  return Joined(quoted, " | ");
}

// The types of the values, units and outcomes; all from the tables.
std::string CommonTypes() {
  std::ostringstream t;
  std::vector<std::string> models, phases, keys, kinds, codes;
  for (const cli::ModelWord& m : cli::kModelWords) models.emplace_back(m.word);
  for (const cli::PhaseWord& p : cli::kPhaseWords) phases.emplace_back(p.word);
  for (const Outcome& o : Outcomes) {
    bool known = false;
    for (const std::string& k : keys) known = known || k == o.key;
    if (!known) keys.emplace_back(o.key);
    codes.push_back(std::to_string(o.code));
    bool kind = false;
    for (const std::string& k : kinds) kind = kind || k == KindWord(o.kind);
    if (!kind) kinds.emplace_back(KindWord(o.kind));
  }
  t << "/** The relations a computation uses: the handbook's (ASHRAE 2017 ch. 1) or the "
       "calculator's. */\n"
    << "export type Model = " << Union(models) << ";\n"
    << "/** What saturation refers to below 0.01 degC. */\n"
    << "export type Phase = " << Union(phases) << ";\n"
    << "/** A number, or many: any array in gives typed arrays out. */\n"
    << "export type Values = number | readonly number[] | Float64Array | Float32Array;\n"
    << "/** One outcome of a computation (OUTCOMES). */\n"
    << "export type OutcomeCode = " << Joined(codes, " | ") << ";\n"
    << "export type OutcomeKey = " << Union(keys) << ";\n"
    << "export type OutcomeKind = " << Union(kinds) << ";\n"
    << "export interface Outcome {\n  readonly code: OutcomeCode;\n  readonly key: OutcomeKey;\n"
    << "  readonly text: string;\n  readonly kind: OutcomeKind;\n}\n";
  std::vector<std::string> choices;
  for (const QuantityUnits& q : Quantities) {
    std::vector<std::string> unitKeys;
    for (const Unit& u : Units) {
      if (u.quantity == q.quantity) unitKeys.emplace_back(u.key);
    }
    const std::string name = Camel(q.key, true) + "Unit";
    t << "export type " << name << " = " << Union(unitKeys) << ";\n";
    choices.push_back("  " + Camel(q.key) + "?: " + name + ";\n");
  }
  t << "/** The units of the values given and returned: \"si\" (the library's: degC, kPa, %, "
       "kg/kg, kJ/kg, m3/kg), \"ip\" (inch-pound: degF, psi, lb/lb, Btu/lb, ft3/lb), or a unit "
       "by quantity (the others the library's). */\n"
    << "export type Units = \"si\" | \"ip\" | UnitChoice;\n"
    << "export interface UnitChoice {\n"
    << Joined(choices, "") << "}\n";
  return t.str();
}

// A state's members: one number (or typed array) per property, then the status.
std::string StateTypes() {
  std::ostringstream t;
  std::string members;
  for (const Property& p : DefaultProperties) {
    members += "  /** " + std::string(p.description) + ", " + std::string(p.unit) +
               " (or the unit asked for) */\n  readonly " + Camel(p.key) + ": T;\n";
  }
  std::string values;
  for (const ProcessValue& v : ProcessValues) {
    values += "  /** " + std::string(v.description) + ", " + std::string(v.unit) +
              " */\n  readonly " + Camel(v.key) + ": T;\n";
  }
  t << "/** The properties of a state (PROPERTIES), a number each or a typed array each. */\n"
    << "export interface Properties<T> {\n"
    << members << "}\n"
    << "/** One state: its properties (NaN where a value is not known) and its outcome. */\n"
    << "export interface State extends Properties<number> {\n  readonly status: Outcome;\n}\n"
    << "/** States of arrays: a typed array per property and each state's outcome code. */\n"
    << "export interface States<F extends Float64Array | Float32Array = Float64Array>\n"
    << "    extends Properties<F> {\n  readonly status: Int8Array;\n}\n"
    << "/** What a process gives after the leaving state's properties. */\n"
    << "export interface ProcessValues<T> {\n"
    << values << "}\n"
    << "/** One process's result: the leaving state, the loads and the outcome. */\n"
    << "export interface Process extends Properties<number>, ProcessValues<number> {\n"
    << "  readonly status: Outcome;\n}\n"
    << "export interface Processes<F extends Float64Array | Float32Array = Float64Array>\n"
    << "    extends Properties<F>, ProcessValues<F> {\n  readonly status: Int8Array;\n}\n"
    << "/** A number in gives a number out; Float32Arrays alone give Float32Arrays; other "
       "arrays give Float64Arrays. */\n"
    << "export type StateOf<T> = [T] extends [number] ? State\n"
    << "  : [T] extends [number | Float32Array] ? States<Float32Array> : States;\n"
    << "export type ProcessOf<T> = [T] extends [number] ? Process\n"
    << "  : [T] extends [number | Float32Array] ? Processes<Float32Array> : Processes;\n";
  return t.str();
}

// One overload of psychrometrics per pair.
std::string PairFunctions() {
  std::ostringstream t;
  t << "/** The options of a pair that both models compute. */\n"
    << "export type EitherModel = { model?: \"handbook\"; over?: Phase } | { model: "
       "\"calculator\"; over?: \"ice\" };\n"
    << "/** The options of a pair solved by a search: the handbook model's only. */\n"
    << "export type HandbookModel = { model?: \"handbook\"; over?: Phase };\n";
  for (const Pair& pair : AllPairs) {
    const std::string a = Camel(pair.given[0].key);
    const std::string b = Camel(pair.given[1].key);
    t << "/** The state from " << pair.given[0].description << " (" << pair.given[0].unit
      << ") and " << pair.given[1].description << " (" << pair.given[1].unit
      << ") at a total pressure (kPa, default 101.325), in the units asked for. */\n"
      << "export declare function psychrometrics<A extends Values, B extends Values, P extends "
         "Values = number>(\n  given: { "
      << a << ": A; " << b << ": B; pressure?: P; units?: Units } & "
      << (CalculatorPair(pair) ? "EitherModel" : "HandbookModel") << ",\n): StateOf<A | B | P>;\n";
  }
  return t.str();
}

// One function per process.
std::string ProcessFunctions() {
  std::ostringstream t;
  for (const ProcessFunction& row : Processes) {
    std::vector<std::string> parameters, fields, names;
    for (std::size_t a = 0; a < row.count; ++a) {
      const ProcessArgument& argument = row.arguments[a];
      const std::string parameter = "T" + std::to_string(a);
      const bool pressure = argument.key == "pressure";
      parameters.push_back(parameter + " extends Values" + (pressure ? " = number" : ""));
      fields.push_back("/** " + std::string(argument.unit) + " */ " + Camel(argument.key) +
                       (pressure ? "?: " : ": ") + parameter);
      names.push_back(parameter);
    }
    t << "/** " << row.description << " (the handbook model; flows of dry air, loads in kW). */\n"
      << "export declare function " << Camel(row.key) << "<" << Joined(parameters, ", ")
      << ">(\n  given: { " << Joined(fields, "; ") << "; over?: Phase },\n): ProcessOf<"
      << Joined(names, " | ") << ">;\n";
  }
  return t.str();
}

std::string Types() {
  std::ostringstream t;
  std::vector<std::string> given;
  for (const Property& p : GivenValues()) given.push_back(Camel(p.key) + "?: number");
  std::vector<std::string> processNames;
  processNames.reserve(Processes.size());
  for (const ProcessFunction& row : Processes) processNames.push_back(Camel(row.key));
  t << "// hygrian's TypeScript types, made by the build from the library's tables "
       "(js/tables.cpp).\n\n"
    << CommonTypes() << StateTypes() << PairFunctions() << ProcessFunctions()
    << "/** A point of a chart: two values of a pair (in the chart's units) and a label. */\n"
    << "export interface ChartPoint {\n  " << Joined(given, ";\n  ") << ";\n  label?: string;\n}\n"
    << "/** hygrian-chart's options: what `hygrian-chart --units=ip --dry-bulb=-20:25` draws is "
       "chart({ units: \"ip\", dryBulb: [-20, 25] }). */\n"
    << "export interface ChartOptions {\n"
    << "  units?: \"si\" | \"ip\";\n  model?: Model;\n  over?: Phase;\n"
    << "  /** kPa (psi in ip) */\n  pressure?: number;\n  /** m (ft in ip) */\n"
    << "  altitude?: number;\n  /** the dry-bulb axis, MIN and MAX */\n"
    << "  dryBulb?: readonly [number, number];\n  /** the humidity-ratio axis's top, in its unit "
       "*/\n  humidityRatio?: number;\n  humidityRatioUnit?: MassRatioUnit;\n"
    << "  width?: number;\n  height?: number;\n  labels?: \"none\" | \"fit\" | \"all\";\n"
    << "  /** the points file's rows, or its CSV text */\n"
    << "  points?: readonly ChartPoint[] | string;\n"
    << "  /** the processes file's rows (hygrian-chart --processes), or its CSV text */\n"
    << "  processes?: readonly Readonly<Record<string, number | string>>[] | string;\n}\n"
    << "/** The chart as SVG text, as hygrian-chart draws it; a TypeError for options it "
       "refuses. */\n"
    << "export declare function chart(options?: ChartOptions): string;\n"
    << "/** Loads the WebAssembly module; once, before any other call. */\n"
    << "/** Where hygrian.wasm comes from, if not from beside the module: its bytes, a URL, or "
       "a fetch's Response. */\n"
    << "export type WasmSource = ArrayBuffer | ArrayBufferView | string | { readonly href: string "
       "} | PromiseLike<{ arrayBuffer(): Promise<ArrayBuffer> }> | { arrayBuffer(): "
       "Promise<ArrayBuffer> };\n"
    << "export declare function init(wasm?: WasmSource): Promise<void>;\n"
    << "/** The row of OUTCOMES of a status code. */\n"
    << "export declare function outcome(code: number): Outcome;\n"
    << "/** The version of hygrian the package was built from. */\n"
    << "export declare const version: string;\n"
    << "export declare const PROPERTIES: readonly { readonly key: keyof Properties<number>; "
       "readonly name: string; readonly unit: string; readonly quantity: string; readonly "
       "description: string }[];\n"
    << "export declare const PAIRS: readonly { readonly name: string; readonly given: readonly "
       "[string, string]; readonly calculator: boolean }[];\n"
    << "export declare const OUTCOMES: readonly Outcome[];\n"
    << "export declare const UNITS: readonly { readonly quantity: keyof UnitChoice; readonly "
       "key: string; readonly name: string }[];\n"
    << "export declare const PROCESSES: readonly { readonly name: " << Union(processNames)
    << "; readonly description: string; readonly arguments: readonly { readonly key: string; "
       "readonly unit: string }[] }[];\n";
  return t.str();
}

// The ES module's start: TABLES, and one export a process (js/hygrian.js makes
// the function from the row).
std::string Script(const std::string& json) {
  std::string script = "const TABLES = " + json + ";\n";
  for (std::size_t r = 0; r < Processes.size(); ++r) {
    script += "export const " + Camel(Processes[r].key) + " = processFunction(TABLES.processes[" +
              std::to_string(r) + "]);\n";
  }
  return script;
}

bool Write(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  file.close();
  if (!file) (void)std::fprintf(stderr, "hygrian_js_tables: %s: cannot write\n", path.c_str());
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    (void)std::fputs("usage: hygrian_js_tables DIRECTORY\n", stderr);
    return 2;
  }
  const std::string directory = argv[1];
  const std::string json = TablesJson();
  const bool written = Write(directory + "/tables.json", json) &&
                       Write(directory + "/tables.js", Script(json)) &&
                       Write(directory + "/index.d.ts", Types());
  return written ? 0 : 1;
}
