// The moist-air computations as NumPy ufuncs: one per measured pair, three inputs
// (dry-bulb, the second value, total pressure in kPa) and ten outputs (the nine
// properties in the order of the library's State, then an int8 status). A float64
// and a float32 loop; the float32 one computes in double. The loops need no Python
// object, so NumPy runs them with the GIL released.
//
// Where the library reports a fault the two given values stay and the other seven
// properties are NaN; where it finds no wet-bulb only the wet-bulb is NaN and the
// status is -1, a code the library never uses. A NaN among the inputs is a gap in
// the data: the status is kMissing, not invalid input.
#define PY_SSIZE_T_CLEAN
#include <Python.h>
#define NPY_NO_DEPRECATED_API NPY_1_22_API_VERSION
#include <numpy/arrayobject.h>
#include <numpy/ufuncobject.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#include "hygrian/hygrian.h"
#include "hygrian/properties.h"
#include "hygrian/psychrometrics.h"
#include "hygrian/version.h"

namespace hygrian::python {
namespace {

using Compute = Result (*)(double, double, double) noexcept;

// The status of a state whose wet-bulb the search could not find.
constexpr std::int8_t kNoWetBulb = -1;
constexpr const char* kNoWetBulbText = "no wet-bulb";
// The status of a state with a NaN among its inputs: the outcome "missing".
constexpr std::int8_t kMissing = 12;
constexpr const char* kMissingText = "missing";

constexpr std::size_t kInputs = 3;
// The outputs: the properties in the order of the table (and of the C struct
// hygrian_state), then the status.
constexpr std::size_t kOutputs = Properties.size() + 1;
constexpr std::size_t kArguments = kInputs + kOutputs;
constexpr std::size_t kLoops = 2;

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
std::int8_t Present(Result& result, double State::*second) {
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  if (result.status != Status::Ok) {
    for (const Property& p : Properties) {
      if (p.member != &State::dryBulb && p.member != second) result.state.*p.member = kNan;
    }
    return static_cast<std::int8_t>(result.status);
  }
  if (!result.wetBulbFound) {
    result.state.wetBulb = kNan;
    return kNoWetBulb;
  }
  return 0;
}

// One inner loop: n states from strided inputs into strided outputs. A fault is a
// status, so the floating-point flags that the relations raise on the way are
// put back as they were: NumPy would turn them into warnings.
template <typename T, Compute compute, double State::*second>
void Loop(char** args, const npy_intp* dimensions, const npy_intp* steps, void* /*data*/) {
  std::fexcept_t flags{};
  const bool saved = std::fegetexceptflag(&flags, FE_ALL_EXCEPT) == 0;
  std::array<char*, kArguments> at{};
  std::memcpy(at.data(), args, sizeof(char*) * at.size());
  for (npy_intp i = 0; i < dimensions[0]; ++i) {
    const double dryBulb = Load<T>(at[0]);
    const double given = Load<T>(at[1]);
    const double pressure = Load<T>(at[2]);
    Result result = compute(dryBulb, given, pressure);
    std::int8_t status = Present(result, second);
    if (std::isnan(dryBulb) || std::isnan(given) || std::isnan(pressure)) status = kMissing;
    for (std::size_t k = 0; k < Properties.size(); ++k) {
      Store(at[kInputs + k], static_cast<T>(result.state.*Properties[k].member));
    }
    Store(at[kArguments - 1], status);
    for (std::size_t k = 0; k < at.size(); ++k) at[k] += steps[k];
  }
  if (saved) std::fesetexceptflag(&flags, FE_ALL_EXCEPT);
}

// Loop signatures "fff->fffffffff b" and "ddd->ddddddddd b". NumPy takes the first
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

#define HYGRIAN_OUTPUTS                                                               \
  "Returns ten arrays, broadcast from the inputs: dry_bulb, wet_bulb, dew_point\n"    \
  "(degrees C; a frost point at or below 0), relative_humidity (percent), enthalpy\n" \
  "(kJ/kg dry air), humidity_ratio (kg/kg dry air), degree_of_saturation,\n"          \
  "specific_volume (m3/kg dry air), vapor_pressure (kPa), and status (int8).\n"       \
  "float64 inputs give float64, float32 inputs float32 (computed in double);\n"       \
  "dtype=numpy.float32 gives float32 from any inputs (the status stays int8).\n\n"    \
  "status 0: every property computed. -1: no wet-bulb temperature was found; only\n"  \
  "wet_bulb is NaN. 12: missing, a NaN among the inputs (a gap in the data). Any\n"   \
  "other code (hygrian.STATUS has the texts): invalid input (1: a value infinite,\n"  \
  "pressure not above 0), an impossible state (11: the vapour pressure at or above\n" \
  "the total pressure) or a fault of the relations. For codes other than 0 and -1\n"  \
  "the two given values stay and the other seven properties are NaN. No exception\n"  \
  "is raised for a bad state. Supersaturated inputs (a relative humidity above\n"     \
  "100 %, a dew point above the dry-bulb, a humidity ratio above saturation) are\n"   \
  "computed as given, with status 0 or -1. pressure is the total pressure in kPa\n"   \
  "(101.325 at sea level); a scalar applies to all. Any shapes that broadcast, any\n" \
  "strides, out= and where= as for every ufunc; the loop runs with the GIL released.\n\n"

struct Pair {
  const char* name;
  std::array<PyUFuncGenericFunction, kLoops> loops;
  const char* doc;
};

const std::array<Pair, 4> kPairs = {{
    {"from_dry_bulb_wet_bulb",
     {Loop<float, FromDryBulbWetBulb, &State::wetBulb>,
      Loop<double, FromDryBulbWetBulb, &State::wetBulb>},
     "The moist-air state from the dry-bulb and wet-bulb temperatures (degrees C)\n"
     "at a total pressure (kPa).\n\n" HYGRIAN_OUTPUTS "Example:\n\n"
     ">>> import numpy as np, hygrian\n"
     ">>> s = hygrian.from_dry_bulb_wet_bulb([25.0, 30.0], [20.0, 18.0], 101.325)\n"
     ">>> np.round(s[2], 2), s[9]\n"
     "(array([17.56, 10.59]), array([0, 0], dtype=int8))\n"},
    {"from_dry_bulb_dew_point",
     {Loop<float, FromDryBulbDewPoint, &State::dewPoint>,
      Loop<double, FromDryBulbDewPoint, &State::dewPoint>},
     "The moist-air state from the dry-bulb and dew-point temperatures (degrees C;\n"
     "a dew point at or below 0 is taken as a frost point) at a total pressure\n"
     "(kPa).\n\n" HYGRIAN_OUTPUTS "Example:\n\n"
     ">>> import numpy as np, hygrian\n"
     ">>> s = hygrian.from_dry_bulb_dew_point(25.0, 15.0, 101.325)\n"
     ">>> round(float(s[1]), 2), round(float(s[3]), 2), int(s[9])\n"
     "(18.5, 53.82, 0)\n"},
    {"from_dry_bulb_relative_humidity",
     {Loop<float, FromDryBulbRelativeHumidity, &State::relativeHumidity>,
      Loop<double, FromDryBulbRelativeHumidity, &State::relativeHumidity>},
     "The moist-air state from the dry-bulb temperature (degrees C) and the relative\n"
     "humidity (percent: 50, not 0.5) at a total pressure (kPa).\n\n" HYGRIAN_OUTPUTS "Example:\n\n"
     ">>> import numpy as np, hygrian\n"
     ">>> t = np.array([[-5.0], [25.0]], dtype=np.float32)\n"
     ">>> rh = np.array([80.0, 0.0], dtype=np.float32)\n"
     ">>> s = hygrian.from_dry_bulb_relative_humidity(t, rh, 101.325)\n"
     ">>> s[1].dtype, s[9]\n"
     "(dtype('float32'), array([[0, 6],\n"
     "       [0, 6]], dtype=int8))\n"},
    {"from_dry_bulb_humidity_ratio",
     {Loop<float, FromDryBulbHumidityRatio, &State::humidityRatio>,
      Loop<double, FromDryBulbHumidityRatio, &State::humidityRatio>},
     "The moist-air state from the dry-bulb temperature (degrees C) and the humidity\n"
     "ratio (kg of water vapour per kg of dry air: 0.01 for 10 g/kg; a negative one is\n"
     "invalid input) at a total pressure (kPa).\n\n" HYGRIAN_OUTPUTS "Example:\n\n"
     ">>> import numpy as np, hygrian\n"
     ">>> s = hygrian.from_dry_bulb_humidity_ratio(25.0, [0.0125990, 0.0, -1.0], 101.325)\n"
     ">>> np.round(s[1], 2), s[9]\n"
     "(array([20., nan, nan]), array([0, 6, 1], dtype=int8))\n"},
}};

#undef HYGRIAN_OUTPUTS

// Adds value to the module under name, taking the reference; false on failure.
bool Add(PyObject* module, const char* name, PyObject* value) {
  if (value == nullptr) return false;
  if (PyModule_AddObject(module, name, value) < 0) {
    Py_DECREF(value);
    return false;
  }
  return true;
}

// {code: text} for the library's codes and -1.
PyObject* StatusTexts() {
  PyObject* texts = PyDict_New();
  if (texts == nullptr) return nullptr;
  const auto put = [texts](long code, std::string_view text) {
    PyObject* key = PyLong_FromLong(code);
    PyObject* value =
        PyUnicode_FromStringAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
    const bool ok = key != nullptr && value != nullptr && PyDict_SetItem(texts, key, value) == 0;
    Py_XDECREF(key);
    Py_XDECREF(value);
    return ok;
  };
  bool ok = put(kNoWetBulb, kNoWetBulbText) && put(kMissing, kMissingText);
  constexpr std::string_view kUnknown = "unknown status";
  for (int code = 0; ok; ++code) {
    const std::string_view text = hygrian_status_text(code);
    if (text == kUnknown) break;
    ok = put(code, text);
  }
  if (!ok) Py_CLEAR(texts);
  return texts;
}

PyObject* PropertyNames() {
  PyObject* names = PyTuple_New(static_cast<Py_ssize_t>(Properties.size()));
  if (names == nullptr) return nullptr;
  for (std::size_t k = 0; k < Properties.size(); ++k) {
    const std::string_view key = Properties[k].key;
    PyObject* name = PyUnicode_FromStringAndSize(key.data(), static_cast<Py_ssize_t>(key.size()));
    if (name == nullptr) {
      Py_DECREF(names);
      return nullptr;
    }
    PyTuple_SET_ITEM(names, static_cast<Py_ssize_t>(k), name);
  }
  return names;
}

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

bool AddUfuncs(PyObject* module) {
  for (const Pair& pair : kPairs) {
    // NumPy takes the tables as non-const pointers but only reads them; they must
    // outlive the ufunc, so they are static.
    PyObject* ufunc = PyUFunc_FromFuncAndData(
        const_cast<PyUFuncGenericFunction*>(pair.loops.data()), const_cast<void**>(kNoData.data()),
        const_cast<char*>(kTypes.data()), static_cast<int>(kLoops), static_cast<int>(kInputs),
        static_cast<int>(kOutputs), PyUFunc_None, pair.name, pair.doc, 0);
    if (ufunc != nullptr) reinterpret_cast<PyUFuncObject*>(ufunc)->type_resolver = ResolveTypes;
    if (!Add(module, pair.name, ufunc)) return false;
  }
  return true;
}

PyModuleDef kModule = {
    PyModuleDef_HEAD_INIT,
    "hygrian._ufuncs",
    "The moist-air computations as NumPy ufuncs; use them through the hygrian package.",
    -1,
    nullptr,
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
  if (!AddUfuncs(module) || !Add(module, "STATUS", StatusTexts()) ||
      !Add(module, "PROPERTIES", PropertyNames()) ||
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
