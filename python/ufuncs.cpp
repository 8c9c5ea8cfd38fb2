// The moist-air computations as NumPy ufuncs: one per row of hygrian::AllPairs and
// per variant of the models (kVariants: the handbook over ice, the handbook over
// water, the calculator, and the handbook's two with states above saturation
// clipped to it), three inputs (the two given values, total pressure in kPa) and ten
// outputs (the nine properties written by default, in the order of the library's State,
// then an int8 status: the outcome's code from hygrian/outcomes.h). A float64 and a float32
// loop; the float32 one computes in double. The loops need no Python object, so NumPy runs
// them with the GIL released.
//
// Where the library reports a fault the given values stay and the other
// properties are NaN; where it finds no wet-bulb only the wet-bulb is NaN.
// A NaN among the inputs is a gap in the data: the status is "missing", not
// invalid input.
#define PY_SSIZE_T_CLEAN
#include <Python.h>
#define NPY_NO_DEPRECATED_API NPY_1_22_API_VERSION
#include <numpy/arrayobject.h>
#include <numpy/ufuncobject.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "hygrian/arrays.h"
#include "hygrian/comfort.h"
#include "hygrian/measures.h"
#include "hygrian/outcomes.h"
#include "hygrian/pairs.h"
#include "hygrian/process_table.h"
#include "hygrian/processes.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/units.h"
#include "hygrian/version.h"

namespace hygrian::python {
namespace {

// The status of a state with a NaN among its inputs: the outcome "missing".
constexpr auto kMissing = static_cast<std::int8_t>(Status::Missing);

constexpr std::size_t kInputs = 3;
// The outputs: the properties written by default in the order of the table
// (and of the C struct hygrian_state: PROPERTIES), then the status. The
// package derives the properties written when asked (MORE_PROPERTIES) from
// these.
constexpr std::size_t kOutputs = DefaultPropertyCount + 1;
constexpr std::size_t kArguments = kInputs + kOutputs;
constexpr std::size_t kLoops = 2;

// The options each set of ufuncs computes with: the module's MODELS maps
// (model, over) to the sets that flag states above saturation, CLIPPED to
// those that clip them; the first is the default.
struct Variant {
  const char* model;
  const char* over;
  Options options;
  Supersaturated supersaturated;
};
constexpr std::array<Variant, 5> kVariants = {{
    {"handbook", "ice", {Model::Handbook, Phase::Ice}, Supersaturated::Flag},
    {"handbook", "water", {Model::Handbook, Phase::Water}, Supersaturated::Flag},
    {"calculator", "ice", {Model::Calculator, Phase::Ice}, Supersaturated::Flag},
    {"handbook", "ice", {Model::Handbook, Phase::Ice}, Supersaturated::Clip},
    {"handbook", "water", {Model::Handbook, Phase::Water}, Supersaturated::Clip},
}};

template <typename T>
double Load(const char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return static_cast<double>(value);
}

template <typename T>
void Store(char* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

// The ufunc's view of one result: NaN where there is no value, and the status.
std::int8_t Present(Result& result, const Pair& pair) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const Outcome& outcome = OutcomeOf(result);
  if (!RulesOf(outcome.kind).computed) {
    for (const Property& p : Properties) {
      if (p.member != pair.given[0].member && p.member != pair.given[1].member) {
        result.state.*p.member = kNan;
      }
    }
  } else if (!result.wetBulbFound) {
    result.state.wetBulb = kNan;
  }
  return static_cast<std::int8_t>(outcome.code);
}

// States a loop computes at once: NumPy hands strided blocks, computed with
// ComputeStates (the handbook model's dry-bulb pairs in SIMD vectors, the same
// bits as one by one) in columns of this many and scattered back.
constexpr npy_intp kChunk = 256;

// n values of one input from at, step bytes apart, as doubles: the array itself
// when it holds aligned contiguous doubles (no copy), one value when NumPy
// broadcasts a single one (step 0) and single is allowed (the pressure: ComputeStates
// takes one for every row), else gathered into buffer.
template <typename T>
std::span<const double> Column(const char* at, npy_intp step, std::size_t n, bool single,
                               std::array<double, kChunk>& buffer) {
  if (step == 0 && single) {
    buffer[0] = Load<T>(at);
    return {buffer.data(), 1};
  }
  if constexpr (std::is_same_v<T, double>) {
    // NumPy's arrays of doubles are doubles: reading them in place is what
    // NumPy's own loops do.
    if (step == sizeof(double) && reinterpret_cast<std::uintptr_t>(at) % alignof(double) == 0) {
      return {static_cast<const double*>(static_cast<const void*>(at)), n};
    }
  }
  for (std::size_t i = 0; i < n; ++i, at += step) buffer[i] = Load<T>(at);
  return {buffer.data(), n};
}

// Whether any input of row i is NaN (a gap in the data); a single pressure is
// every row's.
bool Missing(const std::array<std::span<const double>, kInputs>& given, std::size_t i) {
  return std::isnan(given[0][i]) || std::isnan(given[1][i]) ||
         std::isnan(given[2][given[2].size() == 1 ? 0 : i]);
}

// Whether a variant's pair computes in SIMD lanes (ComputeStates' vector path:
// the handbook model's dry-bulb pairs); any other is computed row by row.
template <std::size_t pair, std::size_t variant>
constexpr bool kInLanes =
    kVariants[variant].options.model == Model::Handbook&& pair < DryBulbPairCount;

// n states computed row by row, each written as it comes (the calculator
// model and the searched pairs, whose ComputeStates is this loop: no block to
// gather, keep and scatter).
template <typename T, std::size_t pair, std::size_t variant>
void RowByRow(std::array<char*, kArguments>& at, npy_intp n, const npy_intp* steps) {
  for (npy_intp i = 0; i < n; ++i) {
    const double first = Load<T>(at[0]);
    const double second = Load<T>(at[1]);
    const double pressure = Load<T>(at[2]);
    Result result = AllPairs[pair].compute(first, second, pressure, kVariants[variant].options);
    const std::int8_t code = Present(result, AllPairs[pair]);
    const bool missing = std::isnan(first) || std::isnan(second) || std::isnan(pressure);
    for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
      Store(at[kInputs + k], static_cast<T>(result.state.*Properties[k].member));
    }
    Store(at[kArguments - 1], missing ? kMissing : code);
    for (std::size_t k = 0; k < at.size(); ++k) at[k] += steps[k];
  }
}

// n states in blocks of kChunk through ComputeStates' lanes, scattered back.
template <typename T, std::size_t pair, std::size_t variant>
void InBlocks(std::array<char*, kArguments>& at, npy_intp total, const npy_intp* steps) {
  std::array<std::array<double, kChunk>, kInputs> buffers{};
  std::array<Result, kChunk> results{};
  for (npy_intp done = 0; done < total; done += kChunk) {
    const auto n = static_cast<std::size_t>(std::min(kChunk, total - done));
    std::array<std::span<const double>, kInputs> given{};
    for (std::size_t k = 0; k < kInputs; ++k) {
      given[k] = Column<T>(at[k], steps[k], n, k + 1 == kInputs, buffers[k]);
      at[k] += static_cast<npy_intp>(n) * steps[k];
    }
    // The lengths match by construction.
    constexpr Variant kVariant = kVariants[variant];
    static_cast<void>(ComputeStates(AllPairs[pair], given[0], given[1], given[2],
                                    std::span(results.data(), n), kVariant.options));
    if constexpr (kVariant.supersaturated == Supersaturated::Clip) {
      for (std::size_t i = 0; i < n; ++i) {
        const double pressure = given[2][given[2].size() == 1 ? 0 : i];
        results[i] = ClipToSaturation(results[i], pressure, kVariant.options);
      }
    }
    char*& status = at[kArguments - 1];
    for (std::size_t i = 0; i < n; ++i, status += steps[kArguments - 1]) {
      const std::int8_t code = Present(results[i], AllPairs[pair]);
      Store(status, Missing(given, i) ? kMissing : code);
    }
    // One property at a time: each output is written in one pass.
    for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
      char*& out = at[kInputs + k];
      const auto member = Properties[k].member;
      for (std::size_t i = 0; i < n; ++i, out += steps[kInputs + k]) {
        Store(out, static_cast<T>(results[i].state.*member));
      }
    }
  }
}

// One inner loop: n states from strided inputs into strided outputs, in SIMD
// blocks where the pair has lanes, else row by row (the same bits either way:
// ComputeStates is the row's function). A fault is a status, so the
// floating-point flags that the relations raise on the way are put back as
// they were: NumPy would turn them into warnings.
template <typename T, std::size_t pair, std::size_t variant>
void Loop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* /*data*/) {
  std::fexcept_t flags{};
  const bool saved = std::fegetexceptflag(&flags, FE_ALL_EXCEPT) == 0;
  std::array<char*, kArguments> at{};
  std::memcpy(at.data(), args, sizeof(char*) * at.size());
  if constexpr (kInLanes<pair, variant>) {
    InBlocks<T, pair, variant>(at, dimensions[0], steps);
  } else {
    RowByRow<T, pair, variant>(at, dimensions[0], steps);
  }
  if (saved) std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
}

// Loop signatures "fff->fffffffffb" and "ddd->dddddddddb". NumPy takes the first
// loop that the inputs cast to safely, so float32 comes first.
constexpr std::array<char, kLoops> kLoopTypes = {NPY_FLOAT, NPY_DOUBLE};
constexpr char kStatusType = NPY_INT8;
constexpr std::size_t kTypeCount = kLoops * kArguments;
constexpr std::array<char, kTypeCount> Types() {
  std::array<char, kTypeCount> types{};
  for (std::size_t loop = 0; loop < kLoops; ++loop) {
    for (std::size_t k = 0; k < kArguments; ++k) {
      types[loop * kArguments + k] = k + 1 == kArguments ? kStatusType : kLoopTypes[loop];
    }
  }
  return types;
}
constexpr std::array<char, kTypeCount> kTypes = Types();
constexpr std::array<void*, kLoops> kNoData = {nullptr, nullptr};

constexpr const char* kOutputsDoc =
    "Returns ten arrays, broadcast from the inputs: dry_bulb, wet_bulb, dew_point\n"
    "(degrees C; a frost point at or below 0), relative_humidity (percent), enthalpy\n"
    "(kJ/kg dry air), humidity_ratio (kg/kg dry air), degree_of_saturation,\n"
    "specific_volume (m3/kg dry air), vapor_pressure (kPa), and status (int8).\n"
    "float64 inputs give float64, float32 inputs float32 (computed in double);\n"
    "dtype=numpy.float32 gives float32 from any inputs (the status stays int8).\n\n"
    "status says what became of each state (the codes below): with a warning the\n"
    "properties are computed, one perhaps NaN (wet_bulb where no wet-bulb was found\n"
    "or the air is above saturation, dew_point where it is drier than the range);\n"
    "where nothing is computed (invalid input: a value infinite, pressure not above\n"
    "0; outside the handbook's range, -100 to 200 degrees C and 10 to 1,000 kPa; an\n"
    "impossible state; a fault of the calculator's relations) the given values stay\n"
    "and the other properties are NaN, and a NaN among the inputs is missing, a gap\n"
    "in the data. No exception is raised for a bad state. The handbook model\n"
    "leaves a property that is not defined NaN (the dew point of dry air, the degree\n"
    "of saturation at and above the boiling point). The calculator model computes\n"
    "supersaturated inputs as given, with no warning. pressure is the total pressure\n"
    "in kPa (101.325 at sea level); a scalar applies to all. Any shapes that\n"
    "broadcast, any strides, out= and where= as for every ufunc; the loop runs with\n"
    "the GIL released.\n";
constexpr const char* kExampleDoc =
    "\n\nExample:\n\n"
    ">>> import numpy as np, hygrian\n"
    ">>> s = hygrian.from_dry_bulb_wet_bulb([25.0, 30.0], [20.0, 18.0], 101.325)\n"
    ">>> np.round(s[2], 2), s[9]\n"
    "(array([17.6 , 10.65]), array([0, 0], dtype=int8))\n";

// What each class of outcome Python gives leaves of a state, in the
// docstrings' words.
struct ClassWords {
  OutcomeClass kind;
  const char* words;
};
constexpr std::array<ClassWords, 4> kClassWords = {{
    {OutcomeClass::Ok, "Computed"},
    {OutcomeClass::Warning, "Computed with a warning"},
    {OutcomeClass::Fault, "Not computed"},
    {OutcomeClass::Missing, "A gap in the data"},
}};

// "The status codes and their texts (hygrian.STATUS), by what they leave:
// Computed: 0 ok. ...": the outcomes Python gives, from the table, class by
// class, in lines of at most 80.
std::string StatusDoc() {
  std::vector<std::string> items;
  for (const ClassWords& group : kClassWords) {
    std::vector<std::string> codes;
    for (const Outcome& outcome : Outcomes) {
      if (outcome.kind == group.kind && RulesOf(outcome.kind).python) {
        codes.push_back(std::to_string(outcome.code) + " " + std::string(outcome.text));
      }
    }
    for (std::size_t i = 0; i < codes.size(); ++i) {
      items.push_back((i == 0 ? std::string(group.words) + ": " : "") + codes[i] +
                      (i + 1 < codes.size() ? "," : "."));
    }
  }
  std::string doc = "\nThe status codes and their texts (hygrian.STATUS), by what they leave:";
  std::size_t line = 1;  // where the last line starts
  for (const std::string& item : items) {
    // An item is a code and its text, perhaps after its class's words: a line
    // breaks only between blanks outside a text.
    const bool fits = doc.size() - line + 1 + item.size() <= 80;
    doc += fits ? " " : "\n";
    if (!fits) line = doc.size();
    doc += item;
  }
  return doc;
}

// The two loops of each pair, by the index of hygrian::AllPairs, for one variant.
template <std::size_t variant, std::size_t... pair>
constexpr auto LoopsOf(std::index_sequence<pair...> /*pairs*/) {
  return std::array<std::array<PyUFuncGenericFunction, kLoops>, sizeof...(pair)>{
      {{Loop<float, pair, variant>, Loop<double, pair, variant>}...}};
}
// ... and for every variant, by the index of kVariants.
template <std::size_t... variant>
constexpr auto VariantLoopsOf(std::index_sequence<variant...> /*variants*/) {
  return std::array{LoopsOf<variant>(std::make_index_sequence<AllPairs.size()>())...};
}
constexpr auto kPairLoops = VariantLoopsOf(std::make_index_sequence<kVariants.size()>());

// What the docstring of a pair solved by a search adds.
constexpr const char* kSearchedDoc =
    "Solved by a bracketed search on the handbook model's relations (to 1e-9 K for\n"
    "a temperature, 1e-10 relative for the rest): status 16 where the two values\n"
    "fix no state (an enthalpy below dry air's at that humidity ratio, a relative\n"
    "humidity the dew point cannot reach), 15 where the root lies outside -100 to\n"
    "200 degrees C; the calculator model's give 17 (not with the calculator model)\n"
    "for every state.\n\n";

// A ufunc's docstring: what it is given, how it is solved when by a search, then
// the outputs.
std::string DocOf(const Pair& pair, bool searched) {
  std::string doc = "The moist-air state from";
  for (std::size_t k = 0; k < pair.given.size(); ++k) {
    doc += std::string(k == 0 ? " the " : " and the ") + std::string(pair.given[k].description) +
           " (" + std::string(pair.given[k].unit) + ")";
  }
  return doc + " at a total pressure (kPa).\n\n" + (searched ? kSearchedDoc : "") + kOutputsDoc +
         StatusDoc() + kExampleDoc;
}

// Adds value to the module under name, taking the reference; false on failure.
bool Add(PyObject* module, const char* name, PyObject* value) {
  if (value == nullptr) return false;
  if (PyModule_AddObject(module, name, value) < 0) {
    Py_DECREF(value);
    return false;
  }
  return true;
}

// {code: text} for the outcomes Python gives.
PyObject* StatusTexts() {
  PyObject* texts = PyDict_New();
  if (texts == nullptr) return nullptr;
  for (const Outcome& outcome : Outcomes) {
    if (!RulesOf(outcome.kind).python) continue;
    PyObject* key = PyLong_FromLong(outcome.code);
    PyObject* value = PyUnicode_FromStringAndSize(outcome.text.data(),
                                                  static_cast<Py_ssize_t>(outcome.text.size()));
    const bool ok = key != nullptr && value != nullptr && PyDict_SetItem(texts, key, value) == 0;
    Py_XDECREF(key);
    Py_XDECREF(value);
    if (!ok) {
      Py_DECREF(texts);
      return nullptr;
    }
  }
  return texts;
}

// The keys of Properties[from] up to Properties[to].
PyObject* PropertyNames(std::size_t from, std::size_t to) {
  PyObject* names = PyTuple_New(static_cast<Py_ssize_t>(to - from));
  if (names == nullptr) return nullptr;
  for (std::size_t k = 0; k < to - from; ++k) {
    const std::string_view key = Properties[from + k].key;
    PyObject* name = PyUnicode_FromStringAndSize(key.data(), static_cast<Py_ssize_t>(key.size()));
    if (name == nullptr) {
      Py_DECREF(names);
      return nullptr;
    }
    PyTuple_SET_ITEM(names, static_cast<Py_ssize_t>(k), name);
  }
  return names;
}

// ((ufunc name, first key, second key, second unit), ...) by hygrian::AllPairs:
// the dry-bulb pairs first, then those solved by a search.
PyObject* PairRows() {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(AllPairs.size()));
  if (rows == nullptr) return nullptr;
  for (std::size_t p = 0; p < AllPairs.size(); ++p) {
    const Pair& pair = AllPairs[p];
    const std::string name = "from_" + std::string(pair.key);
    PyObject* row = Py_BuildValue(
        "(s#s#s#s#)", name.data(), static_cast<Py_ssize_t>(name.size()), pair.given[0].key.data(),
        static_cast<Py_ssize_t>(pair.given[0].key.size()), pair.given[1].key.data(),
        static_cast<Py_ssize_t>(pair.given[1].key.size()), pair.given[1].unit.data(),
        static_cast<Py_ssize_t>(pair.given[1].unit.size()));
    if (row == nullptr) {
      Py_DECREF(rows);
      return nullptr;
    }
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(p), row);
  }
  return rows;
}

// A str of a table's text.
PyObject* Text(std::string_view text) {
  return PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
}

// A new tuple of the non-empty spellings, symbols then words.
PyObject* Spellings(const Unit& unit) {
  PyObject* list = PyList_New(0);
  if (list == nullptr) return nullptr;
  for (const auto* spellings : {&unit.symbols, &unit.words}) {
    for (const std::string_view text : *spellings) {
      if (text.empty()) continue;
      PyObject* item = Text(text);
      const bool ok = item != nullptr && PyList_Append(list, item) == 0;
      Py_XDECREF(item);
      if (!ok) {
        Py_DECREF(list);
        return nullptr;
      }
    }
  }
  PyObject* tuple = PyList_AsTuple(list);
  Py_DECREF(list);
  return tuple;
}

// ((quantity, key, name, numerator, denominator, zero, spellings), ...) by
// hygrian::Units.
PyObject* UnitRows() {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(Units.size()));
  if (rows == nullptr) return nullptr;
  for (std::size_t k = 0; k < Units.size(); ++k) {
    const Unit& unit = Units[k];
    const std::string_view quantity = UnitsOf(unit.quantity).key;
    PyObject* row =
        Py_BuildValue("(s#s#s#dddN)", quantity.data(), static_cast<Py_ssize_t>(quantity.size()),
                      unit.key.data(), static_cast<Py_ssize_t>(unit.key.size()), unit.name.data(),
                      static_cast<Py_ssize_t>(unit.name.size()), unit.numerator, unit.denominator,
                      unit.zero, Spellings(unit));
    if (row == nullptr) {
      Py_DECREF(rows);
      return nullptr;
    }
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(k), row);
  }
  return rows;
}

// ((quantity, library spelling, IP spelling, CF spelling), ...) by hygrian::Quantities.
PyObject* QuantityRows() {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(Quantities.size()));
  if (rows == nullptr) return nullptr;
  for (std::size_t k = 0; k < Quantities.size(); ++k) {
    const QuantityUnits& q = Quantities[k];
    PyObject* row = Py_BuildValue("(NNNN)", Text(q.key), Text(q.library), Text(q.ip), Text(q.cf));
    if (row == nullptr) {
      Py_DECREF(rows);
      return nullptr;
    }
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(k), row);
  }
  return rows;
}

// The quantity of each property, in the order of PROPERTIES + MORE_PROPERTIES.
PyObject* PropertyQuantities() {
  PyObject* keys = PyTuple_New(static_cast<Py_ssize_t>(Properties.size()));
  if (keys == nullptr) return nullptr;
  for (std::size_t k = 0; k < Properties.size(); ++k) {
    const QuantityUnits* q = QuantityOfLibraryUnit(Properties[k].unit);
    PyObject* key = q != nullptr ? Text(q->key) : Py_NewRef(Py_None);
    if (key == nullptr) {
      Py_DECREF(keys);
      return nullptr;
    }
    PyTuple_SET_ITEM(keys, static_cast<Py_ssize_t>(k), key);
  }
  return keys;
}

// The quantity of a key of Quantities; false, with a ValueError set, for another.
bool QuantityOfKey(const char* key, Quantity& quantity) {
  for (const QuantityUnits& q : Quantities) {
    if (q.key == key) {
      quantity = q.quantity;
      return true;
    }
  }
  PyErr_Format(PyExc_ValueError, "unknown quantity '%s'", key);
  return false;
}

// find_unit(quantity, text): the key of the unit of quantity that text spells, or None.
PyObject* FindUnitOf(PyObject* /*module*/, PyObject* args) {
  const char* quantityKey = nullptr;
  const char* text = nullptr;
  Py_ssize_t length = 0;
  Quantity quantity{};
  if (!PyArg_ParseTuple(args, "ss#:find_unit", &quantityKey, &text, &length) ||
      !QuantityOfKey(quantityKey, quantity)) {
    return nullptr;
  }
  const Unit* unit = FindUnit(quantity, std::string_view(text, static_cast<std::size_t>(length)));
  return unit != nullptr ? Text(unit->key) : Py_NewRef(Py_None);
}

// likely_unit(quantity, key, least, greatest): the key of the unit that values
// labelled in unit key, least and greatest of a block, are likely in; or None.
PyObject* LikelyUnitOf(PyObject* /*module*/, PyObject* args) {
  const char* quantityKey = nullptr;
  const char* key = nullptr;
  double least = 0;
  double greatest = 0;
  Quantity quantity{};
  if (!PyArg_ParseTuple(args, "ssdd:likely_unit", &quantityKey, &key, &least, &greatest) ||
      !QuantityOfKey(quantityKey, quantity)) {
    return nullptr;
  }
  const Unit* labelled = FindUnit(quantity, key);
  const Unit* likely = labelled != nullptr ? LikelyUnit(*labelled, least, greatest) : nullptr;
  return likely != nullptr ? Text(likely->key) : Py_NewRef(Py_None);
}

std::array<PyMethodDef, 3> kMethods = {{
    {"find_unit", FindUnitOf, METH_VARARGS,
     "find_unit(quantity, text): the key of the unit of quantity that text spells, or None."},
    {"likely_unit", LikelyUnitOf, METH_VARARGS,
     "likely_unit(quantity, key, least, greatest): the key of the unit that values\n"
     "labelled key, least and greatest of a block, are likely in; None when they look right."},
    {nullptr, nullptr, 0, nullptr},
}};

// dtype=np.float32 fixes every output's type, the int8 status's too, which no loop
// has. The status is freed from it, the inputs not given take the first output's
// type (dtype= names the loop, as for NumPy's own ufuncs), and NumPy's own
// resolver chooses the loop.
int ResolveTypes(PyUFuncObject* ufunc, NPY_CASTING casting, PyArrayObject** operands,
                 PyObject* typeTuple, PyArray_Descr** types) {
  if (typeTuple == nullptr || !PyTuple_Check(typeTuple) ||
      PyTuple_GET_SIZE(typeTuple) != static_cast<Py_ssize_t>(kArguments)) {
    return PyUFunc_DefaultTypeResolver(ufunc, casting, operands, typeTuple, types);
  }
  PyObject* freed = PyTuple_New(static_cast<Py_ssize_t>(kArguments));
  if (freed == nullptr) return -1;
  for (Py_ssize_t k = 0; k < PyTuple_GET_SIZE(freed); ++k) {
    PyObject* type = k + 1 == PyTuple_GET_SIZE(freed) ? Py_None : PyTuple_GET_ITEM(typeTuple, k);
    if (k < static_cast<Py_ssize_t>(kInputs) && type == Py_None) {
      type = PyTuple_GET_ITEM(typeTuple, static_cast<Py_ssize_t>(kInputs));
    }
    Py_INCREF(type);
    PyTuple_SET_ITEM(freed, k, type);
  }
  const int result = PyUFunc_DefaultTypeResolver(ufunc, casting, operands, freed, types);
  Py_DECREF(freed);
  return result;
}

// One ufunc per pair and variant, named from_KEY, in a dict {name: ufunc} that
// MODELS (or CLIPPED) holds under (model, over); the default variant's are
// also the module's own. NumPy keeps the pointers to a ufunc's name and docstring, so
// each is kept in the module as a bytes object, which outlives the ufunc; the
// loop and type tables are static.
bool AddUfuncs(PyObject* module, PyObject* models, PyObject* clipped, std::size_t v) {
  const Variant& variant = kVariants[v];
  const bool clip = variant.supersaturated == Supersaturated::Clip;
  if (clip) models = clipped;
  PyObject* set = PyDict_New();
  PyObject* key = Py_BuildValue("(ss)", variant.model, variant.over);
  const bool added = set != nullptr && key != nullptr && PyDict_SetItem(models, key, set) == 0;
  Py_XDECREF(key);
  Py_XDECREF(set);  // models holds it
  if (!added) return false;
  std::string prefix = "_";
  prefix.append(variant.model).append("_").append(variant.over).append(clip ? "_clip_" : "_");
  for (std::size_t p = 0; p < AllPairs.size(); ++p) {
    const std::string name = "from_" + std::string(AllPairs[p].key);
    std::string doc = DocOf(AllPairs[p], p >= DryBulbPairCount);
    doc.append("\nModel: ")
        .append(variant.model)
        .append(", over ")
        .append(variant.over)
        .append(clip ? ", states above saturation clipped to it (status 20).\n" : ".\n");
    PyObject* docBytes = PyBytes_FromStringAndSize(doc.data(), static_cast<Py_ssize_t>(doc.size()));
    if (docBytes == nullptr) return false;
    const char* docText = PyBytes_AS_STRING(docBytes);
    if (!Add(module, (prefix + "doc_").append(name).c_str(), docBytes)) return false;
    // NumPy takes the tables as non-const pointers but only reads them.
    PyObject* nameBytes =
        PyBytes_FromStringAndSize(name.data(), static_cast<Py_ssize_t>(name.size()));
    if (nameBytes == nullptr) return false;
    const char* nameText = PyBytes_AS_STRING(nameBytes);
    if (!Add(module, (prefix + "name_").append(name).c_str(), nameBytes)) return false;
    PyObject* ufunc = PyUFunc_FromFuncAndData(
        const_cast<PyUFuncGenericFunction*>(kPairLoops[v][p].data()),
        const_cast<void**>(kNoData.data()), const_cast<char*>(kTypes.data()),
        static_cast<int>(kLoops), static_cast<int>(kInputs), static_cast<int>(kOutputs),
        PyUFunc_None, nameText, docText, 0);
    if (ufunc == nullptr) return false;
    reinterpret_cast<PyUFuncObject*>(ufunc)->type_resolver = ResolveTypes;
    if (PyDict_SetItemString(set, name.c_str(), ufunc) < 0) {
      Py_DECREF(ufunc);
      return false;
    }
    if (v != 0) {
      Py_DECREF(ufunc);
    } else if (!Add(module, name.c_str(), ufunc)) {
      return false;
    }
  }
  return true;
}

// The saturation vapour pressure (kPa) at t (degrees C) over `phase`: pure
// (SaturationVaporPressure) with one input, or in moist air at the total
// pressure (SaturationVaporPressureInAir, with the enhancement factor) with two.
// NaN outside the handbook's range and for a NaN.
template <Phase phase, bool inAir>
void SaturationLoop(char** args, const npy_intp* dimensions, const npy_intp* steps,
                    void* /*data*/) {
  constexpr std::size_t kOut = inAir ? 2 : 1;
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    const npy_intp offset = i;
    const double t = Load<double>(args[0] + offset * steps[0]);
    const PressureResult p =
        inAir ? SaturationVaporPressureInAir(t, Load<double>(args[1] + offset * steps[1]), phase)
              : SaturationVaporPressure(t, phase);
    Store(args[kOut] + offset * steps[kOut],
          p.status == Status::Ok ? p.pressure : std::numeric_limits<double>::quiet_NaN());
  }
}

// The standard atmosphere's pressure (kPa) at an altitude (m), NaN outside
// -5000 to 11000 m.
void AltitudeLoop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* /*data*/) {
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    const PressureResult p = StandardPressureAtAltitude(Load<double>(args[0] + i * steps[0]));
    Store(args[1] + i * steps[1],
          p.status == Status::Ok ? p.pressure : std::numeric_limits<double>::quiet_NaN());
  }
}

// The dry-air mass flow (kg/s) of a volume flow (m3/s) of air at a dry-bulb
// (degrees C), humidity ratio (kg/kg) and pressure (kPa), by DryAirFlow.
void DryAirFlowLoop(char** args, const npy_intp* dimensions, const npy_intp* steps,
                    void* /*data*/) {
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    Store(args[4] + i * steps[4],
          DryAirFlow(Load<double>(args[0] + i * steps[0]), Load<double>(args[1] + i * steps[1]),
                     Load<double>(args[2] + i * steps[2]), Load<double>(args[3] + i * steps[3])));
  }
}

constexpr std::array<char, 5> kSaturationTypes = {NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE,
                                                  NPY_DOUBLE};
struct SaturationUfunc {
  const char* name;
  int inputs;
  const char* doc;
};
// NumPy takes the loop tables as non-const pointers: these live as long as the module.
std::array<PyUFuncGenericFunction, 6> kSaturationLoops = {SaturationLoop<Phase::Ice, false>,
                                                          SaturationLoop<Phase::Water, false>,
                                                          SaturationLoop<Phase::Ice, true>,
                                                          SaturationLoop<Phase::Water, true>,
                                                          AltitudeLoop,
                                                          DryAirFlowLoop};
const std::array<SaturationUfunc, 6> kSaturationUfuncs = {{
    {"saturation_vapor_pressure_over_ice", 1,
     "Saturation vapour pressure (kPa) of pure water at t (degrees C): over ice at and\n"
     "below 0.01 degrees C, liquid water above (ASHRAE 2017 ch. 1 eqs. 5 and 6).\n"
     "NaN outside -100 to 200 degrees C."},
    {"saturation_vapor_pressure_over_water", 1,
     "Saturation vapour pressure (kPa) of pure water at t (degrees C) over liquid\n"
     "water at every temperature (ASHRAE 2017 ch. 1 eq. 6). NaN outside -100 to 200."},
    {"saturation_vapor_pressure_in_air_over_ice", 2,
     "Saturation vapour pressure (kPa) in moist air at t (degrees C) and total\n"
     "pressure P (kPa, 10 to 1,000): over ice at and below 0.01 degrees C, times the\n"
     "enhancement factor. NaN outside the ranges."},
    {"saturation_vapor_pressure_in_air_over_water", 2,
     "Saturation vapour pressure (kPa) in moist air at t (degrees C) and total\n"
     "pressure P (kPa, 10 to 1,000) over liquid water, times the enhancement factor.\n"
     "NaN outside the ranges."},
    {"standard_pressure_at_altitude", 1,
     "standard_pressure_at_altitude(metres)\n\n"
     "The total pressure (kPa) of the standard atmosphere at an altitude (m),\n"
     "101.325 (1 - 2.25577e-5 Z)^5.2559 (ASHRAE 2017 ch. 1 eq. 3); NaN outside\n"
     "-5,000 to 11,000 m.\n\n"
     ">>> import hygrian\n"
     ">>> round(float(hygrian.standard_pressure_at_altitude(1500.0)), 3)\n"
     "84.556\n"},
    {"dry_air_flow", 4,
     "dry_air_flow(dry_bulb, humidity_ratio, volume_flow, pressure)\n\n"
     "The dry-air mass flow (kg/s) of a volume flow (m3/s) of air at a dry-bulb\n"
     "(degrees C), humidity ratio (kg/kg) and pressure (kPa): volume_flow / v\n"
     "(ASHRAE 2017 ch. 1 eq. 26), as the processes convert a volume flow. NaN for\n"
     "a value not finite or a pressure not positive.\n\n"
     ">>> import hygrian\n"
     ">>> round(float(hygrian.dry_air_flow(20.0, 0.0073, 1.0, 101.325)), 4)\n"
     "1.1902\n"},
}};

bool AddSaturation(PyObject* module) {
  for (std::size_t k = 0; k < kSaturationUfuncs.size(); ++k) {
    const SaturationUfunc& u = kSaturationUfuncs[k];
    PyObject* ufunc = PyUFunc_FromFuncAndData(
        &kSaturationLoops[k], const_cast<void**>(kNoData.data()),
        const_cast<char*>(kSaturationTypes.data()), 1, u.inputs, 1, PyUFunc_None, u.name, u.doc, 0);
    if (!Add(module, u.name, ufunc)) return false;
  }
  return true;
}

// The processes of hygrian/process_table.h as ufuncs, by the handbook model
// over ice or over water (kProcessPhases): one per row of Processes, its inputs
// the row's arguments (the entering air, the parameters, the flow and the total
// pressure, in that order). One float64 loop; float32 inputs are cast to it.

// The outputs: the leaving state's nine properties, then ProcessValues.
// A value's quantity (hygrian/units.h's key), "" for a ratio, or for the water's
// enthalpy (per kg of water: its IP datum is not moist air's).
constexpr std::string_view ValueQuantity(const ProcessValue& value) {
  if (value.unit == "1" || value.unit == "kJ/kg") return "";
  const QuantityUnits* quantity = QuantityOfLibraryUnit(value.unit);
  return quantity != nullptr ? quantity->key : "";
}
// The leaving state's properties written by default, the values, the status.
constexpr std::size_t kProcessOutputs = DefaultPropertyCount + ProcessValues.size() + 1;

constexpr const char* kProcessOutputsDoc =
    "\nEvery input broadcasts (flows in kg/s of dry air, pressure in kPa). Returns\n"
    "seventeen arrays, named by hygrian.PROCESS_OUTPUTS: the leaving state's nine\n"
    "properties (as the from_* ufuncs), flow (kg/s of dry air leaving),\n"
    "sensible_load, latent_load, total_load (kW, positive when heat is added to the\n"
    "air; total_load is the heat crossing the equipment's boundary),\n"
    "sensible_heat_ratio, water (kg/s, added positive, condensed negative),\n"
    "water_enthalpy (kJ/kg of water) and status (int8, the codes below): where\n"
    "nothing is computed (a parameter outside its range is invalid input; no state\n"
    "the process can reach, below the dew point, outside the range) or an input is\n"
    "NaN (missing), every value is NaN.\n";

// The phases the processes' ufuncs come in, by PROCESSES' key, with what the
// docstrings say of them; the first is hygrian's own.
struct ProcessPhase {
  const char* over;
  Phase phase;
  const char* doc;
};
constexpr std::array<ProcessPhase, 2> kProcessPhases = {{
    {"ice", Phase::Ice, "Handbook model, saturation over ice below 0.01 degrees C.\n"},
    {"water", Phase::Water, "Handbook model, saturation over liquid water at every temperature.\n"},
}};

template <std::size_t row, std::size_t phase>
void ProcessLoop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* /*data*/) {
  constexpr std::size_t kIn = Processes[row].count;
  constexpr std::size_t kAll = kIn + kProcessOutputs;
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  std::fexcept_t flags{};
  const bool saved = std::fegetexceptflag(&flags, FE_ALL_EXCEPT) == 0;
  std::array<char*, kAll> at{};
  std::memcpy(at.data(), args, sizeof(char*) * at.size());
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    std::array<double, kIn> x{};
    bool missing = false;
    for (std::size_t k = 0; k < kIn; ++k) {
      x[k] = Load<double>(at[k]);
      missing = missing || std::isnan(x[k]);
    }
    const ProcessResult r = Processes[row].run(x.data(), kProcessPhases[phase].phase);
    const Outcome& outcome = OutcomeOfCode(static_cast<int>(r.status));
    const bool computed = !missing && RulesOf(outcome.kind).computed;
    for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
      Store(at[kIn + k], computed ? r.leaving.*Properties[k].member : kNan);
    }
    for (std::size_t k = 0; k < ProcessValues.size(); ++k) {
      Store(at[kIn + DefaultPropertyCount + k], computed ? r.*ProcessValues[k].member : kNan);
    }
    Store(at[kAll - 1], missing ? kMissing : static_cast<std::int8_t>(outcome.code));
    for (std::size_t k = 0; k < at.size(); ++k) at[k] += steps[k];
  }
  if (saved) std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
}

template <std::size_t inputs>
constexpr std::array<char, inputs + kProcessOutputs> ProcessTypes() {
  std::array<char, inputs + kProcessOutputs> types{};
  for (char& type : types) type = NPY_DOUBLE;
  types.back() = kStatusType;
  return types;
}
template <std::size_t inputs>
constexpr auto kProcessTypes = ProcessTypes<inputs>();

// A row's loop (one) and types, for one phase; then the rows of each phase.
template <std::size_t row, std::size_t phase>
std::array<PyUFuncGenericFunction, 1> kProcessLoop = {ProcessLoop<row, phase>};
template <std::size_t phase, std::size_t... row>
constexpr auto ProcessTablesOf(std::index_sequence<row...> /*rows*/) {
  return std::array<std::pair<PyUFuncGenericFunction*, const char*>, sizeof...(row)>{
      {{kProcessLoop<row, phase>.data(), kProcessTypes<Processes[row].count>.data()}...}};
}
template <std::size_t... phase>
constexpr auto PhaseTablesOf(std::index_sequence<phase...> /*phases*/) {
  return std::array{ProcessTablesOf<phase>(std::make_index_sequence<Processes.size()>())...};
}
const auto kProcessTables = PhaseTablesOf(std::make_index_sequence<kProcessPhases.size()>());

// The processes' ufuncs over one phase into the dict set ({name: ufunc}), the
// first phase's also in the module under their names; the docstrings are kept
// as bytes as for the pairs'.
// A process's arguments joined by separator ("dry_bulb, humidity_ratio, ...").
std::string ArgumentsOf(const ProcessFunction& f, std::string_view separator) {
  std::string text;
  for (std::size_t a = 0; a < f.count; ++a) {
    text.append(a == 0 ? "" : separator).append(f.arguments[a].key);
  }
  return text;
}

// words on lines of at most 78 characters, broken at blanks.
std::string Wrapped(std::string_view words) {
  std::string text;
  std::size_t line = 0;
  while (!words.empty()) {
    const std::size_t end = std::min(words.find(' '), words.size());
    if (line > 0 && line + 1 + end > 78) {
      text += '\n';
      line = 0;
    } else if (line > 0) {
      text += ' ';
      ++line;
    }
    text.append(words.substr(0, end));
    line += end;
    words.remove_prefix(std::min(end + 1, words.size()));
  }
  return text + "\n";
}

// A process's docstring: its call, what it does, its units, its example, then
// what every process gives and the phase.
std::string ProcessDoc(const ProcessFunction& f, const ProcessPhase& over) {
  std::string what(1, static_cast<char>(f.description[0] - 'a' + 'A'));
  what.append(f.description.substr(1)).append(".");
  if (!f.note.empty()) what.append(" ").append(f.note);
  std::string units = "Units:";
  for (std::size_t a = 0; a < f.count; ++a) {
    units.append(a == 0 ? " " : ", ").append(f.arguments[a].key).append(" ");
    units.append(f.arguments[a].unit);
  }
  const ProcessExample& e = f.example;
  const std::string digits = e.digits == 0 ? "" : ", " + std::to_string(e.digits);
  return std::string(f.key) + "(" + ArgumentsOf(f, ", ") + ")\n\n" + Wrapped(what) +
         Wrapped(units + ".") + "\n>>> import hygrian\n>>> r = dict(zip(hygrian.PROCESS_OUTPUTS, " +
         "hygrian." + std::string(f.key) + "(" + std::string(e.arguments) +
         ")))\n>>> round(float(r['" + std::string(e.output) + "'])" + digits + ")\n" +
         std::string(e.value) + "\n" + kProcessOutputsDoc + StatusDoc() + "\n\n" + over.doc;
}

bool AddProcessPhase(PyObject* module, PyObject* set, std::size_t phase) {
  const ProcessPhase& over = kProcessPhases[phase];
  for (std::size_t r = 0; r < Processes.size(); ++r) {
    const ProcessFunction& row = Processes[r];
    const std::string name(row.key);
    const std::string doc = ProcessDoc(row, over);  // kept as bytes as for the pairs'
    PyObject* docBytes = PyBytes_FromStringAndSize(doc.data(), static_cast<Py_ssize_t>(doc.size()));
    const std::string docName = "_process_" + std::string(over.over) + "_doc_" + name;
    if (!Add(module, docName.c_str(), docBytes)) return false;
    PyObject* ufunc =
        PyUFunc_FromFuncAndData(kProcessTables[phase][r].first, const_cast<void**>(kNoData.data()),
                                const_cast<char*>(kProcessTables[phase][r].second), 1,
                                static_cast<int>(row.count), static_cast<int>(kProcessOutputs),
                                PyUFunc_None, row.key.data(), PyBytes_AS_STRING(docBytes), 0);
    if (ufunc == nullptr || PyDict_SetItemString(set, name.c_str(), ufunc) < 0) {
      Py_XDECREF(ufunc);
      return false;
    }
    if (phase != 0) {
      Py_DECREF(ufunc);
    } else if (!Add(module, name.c_str(), ufunc)) {
      return false;
    }
  }
  return true;
}

// The words of a blank-separated text as a tuple; nullptr on failure.
PyObject* Words(const std::string& words) {
  PyObject* text = Text(words);
  PyObject* list = text != nullptr ? PyUnicode_Split(text, nullptr, -1) : nullptr;
  Py_XDECREF(text);
  PyObject* tuple = list != nullptr ? PyList_AsTuple(list) : nullptr;
  Py_XDECREF(list);
  return tuple;
}

// The processes' ufuncs: over ice in the module under their names, and over
// each phase in PROCESSES ({over: {name: ufunc}}); PROCESS_OUTPUTS,
// PROCESS_ARGUMENTS ({name: (argument, ...)}) and their quantities.
bool AddProcesses(PyObject* module) {
  PyObject* arguments = PyDict_New();
  if (!Add(module, "PROCESS_ARGUMENTS", arguments)) return false;
  PyObject* quantities = PyDict_New();
  if (!Add(module, "PROCESS_ARGUMENT_QUANTITIES", quantities)) return false;
  for (const ProcessFunction& row : Processes) {
    std::string kinds;
    for (std::size_t a = 0; a < row.count; ++a) {
      const QuantityUnits* quantity = QuantityOfLibraryUnit(row.arguments[a].unit);
      kinds.append(a == 0 ? "" : " ").append(quantity != nullptr ? quantity->key : "-");
    }
    const std::string name(row.key);
    for (const auto& [dict, words] :
         {std::pair{arguments, ArgumentsOf(row, " ")}, std::pair{quantities, kinds}}) {
      PyObject* names = Words(words);
      const bool named = names != nullptr && PyDict_SetItemString(dict, name.c_str(), names) == 0;
      Py_XDECREF(names);
      if (!named) return false;
    }
  }
  // PROCESS_OUTPUT_QUANTITIES: the properties' quantities, then the values'.
  std::string outputQuantities;
  for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
    const QuantityUnits* quantity = QuantityOfLibraryUnit(Properties[k].unit);
    outputQuantities.append(quantity != nullptr ? quantity->key : "-").append(" ");
  }
  for (const ProcessValue& value : ProcessValues) {
    const std::string_view quantity = ValueQuantity(value);
    outputQuantities.append(quantity.empty() ? "-" : quantity).append(" ");
  }
  outputQuantities.append("-");  // the status
  if (!Add(module, "PROCESS_OUTPUT_QUANTITIES", Words(outputQuantities))) return false;
  PyObject* phases = PyDict_New();
  if (!Add(module, "PROCESSES", phases)) return false;
  for (std::size_t phase = 0; phase < kProcessPhases.size(); ++phase) {
    PyObject* set = PyDict_New();
    const bool added =
        set != nullptr && PyDict_SetItemString(phases, kProcessPhases[phase].over, set) == 0;
    Py_XDECREF(set);  // phases holds it
    if (!added || !AddProcessPhase(module, set, phase)) return false;
  }
  std::string outputs;
  for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
    outputs.append(Properties[k].key).append(" ");
  }
  for (const ProcessValue& value : ProcessValues) outputs.append(value.key).append(" ");
  PyObject* names = Words(outputs + "status");
  return Add(module, "PROCESS_OUTPUTS", names);
}

// The measures of hygrian/measures.h as ufuncs, one per row of Measures, over
// states already computed: the nine properties in PROPERTIES' order and their int8
// status, the total pressure, then every input of MeasureInputs (NaN where not
// given); out the measure and its int8 status, as ComputeMeasures gives them:
// NaN with the state's status where the state is not computed, the state's
// warning where the measure is Ok. One float64 loop; NumPy casts float32 to it.
constexpr std::size_t kMeasureInputs = DefaultPropertyCount + 2 + MeasureInputs.size();
constexpr std::size_t kMeasureArguments = kMeasureInputs + 2;

constexpr std::array<char, kMeasureArguments> MeasureTypes() {
  std::array<char, kMeasureArguments> types{};
  types.fill(NPY_DOUBLE);
  types[DefaultPropertyCount] = kStatusType;
  types[kMeasureArguments - 1] = kStatusType;
  return types;
}
constexpr std::array<char, kMeasureArguments> kMeasureTypes = MeasureTypes();

MeasureResult MeasureAt(const Measure& measure, std::span<char* const> at) {
  std::int8_t code = 0;
  std::memcpy(&code, at[DefaultPropertyCount], sizeof code);
  if (!RulesOf(OutcomeOfCode(code).kind).computed) {
    return {NotGiven, static_cast<Status>(code)};
  }
  State state;
  for (std::size_t k = 0; k < DefaultPropertyCount; ++k) {
    state.*DefaultProperties[k].member = Load<double>(at[k]);
  }
  state.specificHumidity = state.humidityRatio / (1.0 + state.humidityRatio);
  const double pressure = Load<double>(at[DefaultPropertyCount + 1]);
  Surroundings around;
  for (std::size_t c = 0; c < MeasureInputs.size(); ++c) {
    around.*MeasureInputs[c].member = Load<double>(at[DefaultPropertyCount + 2 + c]);
  }
  MeasureResult m = measure.compute(state, pressure, around);
  if (m.status == Status::Ok && code > 0) m.status = static_cast<Status>(code);
  return m;
}

void MeasureLoop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* data) {
  const Measure& measure = *static_cast<const Measure*>(data);
  std::array<char*, kMeasureArguments> at{};
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    for (std::size_t k = 0; k < kMeasureArguments; ++k) at[k] = args[k] + i * steps[k];
    const MeasureResult m = MeasureAt(measure, std::span<char* const>(at.data(), kMeasureInputs));
    Store(at[kMeasureInputs], m.value);
    Store(at[kMeasureInputs + 1], static_cast<std::int8_t>(m.status));
  }
}

template <std::size_t... row>
constexpr std::array<const void*, sizeof...(row)> MeasureDataOf(
    std::index_sequence<row...> /*rows*/) {
  return {&Measures[row]...};
}
// NumPy takes the tables as non-const pointers but only reads them.
constexpr auto kMeasureData = MeasureDataOf(std::make_index_sequence<Measures.size()>());
std::array<PyUFuncGenericFunction, 1> kMeasureLoop = {MeasureLoop};

// A row of Measures as a tuple: (key, name, unit, ip unit, cf unit, CF standard
// name, the inputs' keys, range, reference).
PyObject* MeasureRow(const Measure& m) {
  PyObject* inputs = PyTuple_New(0);
  for (std::string_view input : m.inputs) {
    if (input.empty() || inputs == nullptr) continue;
    PyObject* key = Text(input);
    const Py_ssize_t n = PyTuple_GET_SIZE(inputs);
    if (key == nullptr || _PyTuple_Resize(&inputs, n + 1) < 0) {
      Py_XDECREF(key);
      Py_XDECREF(inputs);
      return nullptr;
    }
    PyTuple_SET_ITEM(inputs, n, key);
  }
  if (inputs == nullptr) return nullptr;
  return Py_BuildValue("(s#s#s#s#s#s#Ns#s#)", m.key.data(), static_cast<Py_ssize_t>(m.key.size()),
                       m.name.data(), static_cast<Py_ssize_t>(m.name.size()), m.unit.data(),
                       static_cast<Py_ssize_t>(m.unit.size()), m.ip.data(),
                       static_cast<Py_ssize_t>(m.ip.size()), m.cf.data(),
                       static_cast<Py_ssize_t>(m.cf.size()), m.standardName.data(),
                       static_cast<Py_ssize_t>(m.standardName.size()), inputs, m.range.data(),
                       static_cast<Py_ssize_t>(m.range.size()), m.reference.data(),
                       static_cast<Py_ssize_t>(m.reference.size()));
}

// MEASURES: the rows of Measures as tuples; MEASURE_UFUNCS: {key: ufunc};
// MEASURE_INPUTS: the rows of MeasureInputs as (key, unit, description), in
// the ufuncs' order.
bool AddMeasures(PyObject* module) {
  PyObject* rows = PyTuple_New(static_cast<Py_ssize_t>(Measures.size()));
  if (!Add(module, "MEASURES", rows)) return false;
  PyObject* ufuncs = PyDict_New();
  if (!Add(module, "MEASURE_UFUNCS", ufuncs)) return false;
  PyObject* inputs = PyTuple_New(static_cast<Py_ssize_t>(MeasureInputs.size()));
  if (!Add(module, "MEASURE_INPUTS", inputs)) return false;
  for (std::size_t c = 0; c < MeasureInputs.size(); ++c) {
    const MeasureInput& input = MeasureInputs[c];
    PyObject* row =
        Py_BuildValue("(s#s#s#)", input.key.data(), static_cast<Py_ssize_t>(input.key.size()),
                      input.unit.data(), static_cast<Py_ssize_t>(input.unit.size()),
                      input.description.data(), static_cast<Py_ssize_t>(input.description.size()));
    if (row == nullptr) return false;
    PyTuple_SET_ITEM(inputs, static_cast<Py_ssize_t>(c), row);
  }
  for (std::size_t k = 0; k < Measures.size(); ++k) {
    const Measure& m = Measures[k];
    PyObject* row = MeasureRow(m);
    if (row == nullptr) return false;
    PyTuple_SET_ITEM(rows, static_cast<Py_ssize_t>(k), row);
    // The name and docstring: the row's own strings, as long-lived as the table.
    PyObject* ufunc = PyUFunc_FromFuncAndData(
        kMeasureLoop.data(), const_cast<void**>(&kMeasureData[k]),
        const_cast<char*>(kMeasureTypes.data()), 1, static_cast<int>(kMeasureInputs), 2,
        PyUFunc_None, m.key.data(), m.name.data(), 0);
    if (ufunc == nullptr) return false;
    const int added = PyDict_SetItemString(ufuncs, m.key.data(), ufunc);
    Py_DECREF(ufunc);
    if (added < 0) return false;
  }
  return true;
}

// Fanger's comfort model (hygrian/comfort.h) as one ufunc of the air's dry-bulb
// (degrees C) and vapour pressure (kPa), the mean radiant temperature (degrees
// C), the relative air speed (m/s), the metabolic rate (met) and the clothing
// (clo): the PMV, the PPD (%) and a status; hygrian.pmv and hygrian.ppd give
// it a state from any pair.
void ComfortLoop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* /*data*/) {
  std::array<char*, 9> at{};
  std::memcpy(at.data(), args, sizeof(char*) * at.size());
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    std::array<double, 6> x{};
    bool missing = false;
    for (std::size_t k = 0; k < x.size(); ++k) {
      x[k] = Load<double>(at[k]);
      missing = missing || std::isnan(x[k]);
    }
    State air;
    air.dryBulb = x[0];
    air.vaporPressure = x[1];
    const ComfortResult r = PredictedMeanVote(air, x[2], x[3], x[4], x[5]);
    Store(at[6], r.pmv);
    Store(at[7], r.ppd);
    Store(at[8], missing ? kMissing : static_cast<std::int8_t>(r.status));
    for (std::size_t k = 0; k < at.size(); ++k) at[k] += steps[k];
  }
}

std::array<PyUFuncGenericFunction, 1> kComfortLoop = {ComfortLoop};
constexpr std::array<char, 9> kComfortTypes = {NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE,
                                               NPY_DOUBLE, NPY_DOUBLE, NPY_DOUBLE,
                                               NPY_DOUBLE, NPY_DOUBLE, kStatusType};

bool AddComfort(PyObject* module) {
  return Add(module, "comfort",
             PyUFunc_FromFuncAndData(
                 kComfortLoop.data(), const_cast<void**>(kNoData.data()),
                 const_cast<char*>(kComfortTypes.data()), 1, 6, 3, PyUFunc_None, "comfort",
                 "comfort(dry_bulb, vapor_pressure, mean_radiant_temperature, air_speed,\n"
                 "        metabolic_rate, clothing)\n\n"
                 "Fanger's predicted mean vote, the predicted percentage dissatisfied (%) and\n"
                 "a status (int8): ISO 7730:2005 and ASHRAE 55. Outside the model's ranges\n"
                 "both are NaN, status 23; a NaN input is status 12. Use hygrian.pmv and\n"
                 "hygrian.ppd, which take the air's state from any pair.\n",
                 0));
}

// MODELS: {(model, over): {ufunc name: ufunc}} for every variant that flags
// states above saturation; CLIPPED the same for those that clip them.
bool AddModels(PyObject* module) {
  PyObject* models = PyDict_New();
  if (!Add(module, "MODELS", models)) return false;
  PyObject* clipped = PyDict_New();
  if (!Add(module, "CLIPPED", clipped)) return false;
  for (std::size_t v = 0; v < kVariants.size(); ++v) {
    if (!AddUfuncs(module, models, clipped, v)) return false;
  }
  return true;
}

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    "hygrian._ufuncs",
    "The moist-air computations as NumPy ufuncs; use them through the hygrian package.",
    -1,
    kMethods.data(),
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

PyObject* Initialise() {
  import_array();
  import_umath();
  PyObject* module = PyModule_Create(&kModule);
  if (module == nullptr) return nullptr;
  if (!AddModels(module) || !AddSaturation(module) || !AddProcesses(module) ||
      !AddMeasures(module) || !AddComfort(module) || !Add(module, "STATUS", StatusTexts()) ||
      !Add(module, "PAIRS", PairRows()) ||
      !Add(module, "DRY_BULB_PAIR_COUNT", PyLong_FromSize_t(DryBulbPairCount)) ||
      !Add(module, "PROPERTIES", PropertyNames(0, DefaultPropertyCount)) ||
      !Add(module, "MORE_PROPERTIES", PropertyNames(DefaultPropertyCount, Properties.size())) ||
      !Add(module, "UNITS", UnitRows()) || !Add(module, "QUANTITIES", QuantityRows()) ||
      !Add(module, "PROPERTY_QUANTITIES", PropertyQuantities()) ||
      !Add(module, "STANDARD_PRESSURE", PyFloat_FromDouble(StandardPressure)) ||
      !Add(module, "__version__", PyUnicode_FromString(HYGRIAN_VERSION))) {
    Py_DECREF(module);
    return nullptr;
  }
  return module;
}

}  // namespace
}  // namespace hygrian::python

// NOLINTNEXTLINE(readability-identifier-naming,bugprone-reserved-identifier): Python's name
PyMODINIT_FUNC PyInit__ufuncs() { return hygrian::python::Initialise(); }
