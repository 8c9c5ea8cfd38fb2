"""The npm package as its users meet it: the packed tarball installed with npm
into a fresh project (offline), then, by MODE:

    package_test.py MODE TARBALL HYGRIAN_BATCH HYGRIAN_CHART

- node: every pair of the package's tables (each model and phase, SI and IP)
  and every process against hygrian-batch --digits 17 on the same rows, equal
  to the bit, from Float64Arrays and number by number; then tests/js/api_test.mjs
  under node --test (wrong calls, the CommonJS entry, Float32Arrays, units, the
  chart against hygrian-chart's bytes);
- types: tsc --strict --noEmit on tests/js/typed_use.ts and typed_use.cts, whose
  misuses must each be an error (TypeScript from js/node_modules, installed by
  tools/install-dependencies web from js/package-lock.json);
- browser: a plain HTML page imports the ES module in headless Chromium
  (Selenium) and computes the pairs and processes: the same bits.

Exit status 77 (skipped, with one line saying why) when a tool or the tarball is
missing; 1 instead with HYGRIAN_NPM_REQUIRED=1 (CI, where nothing may be skipped)."""

import csv
import http.server
import io
import json
import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time
import unittest

MODE, TARBALL, BATCH, CHART = sys.argv[1], *map(os.path.abspath, sys.argv[2:5])
HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
TSC = os.path.join(SOURCE, "js", "node_modules", "typescript", "bin", "tsc")
SKIPPED = 77

# Each process of the package as hygrian-batch runs it: --process WORD and its
# options. The arguments' names are the batch's columns; a process added to the
# package's table needs its row here.
BATCH_PROCESSES = {
    "mix": ["mix"], "mixVolumes": ["mix", "--flow-unit", "m3/s"],
    "heatTo": ["heat"], "heatBy": ["heat"],
    "coolAndDehumidify": ["coil"], "coolAndDehumidifyTo": ["coil"],
    "coolEvaporatively": ["evaporative"],
    "humidifyWithSteam": ["steam"], "humidifyWithSteamToRelativeHumidity": ["steam"],
    "humidifyWithWater": ["adiabatic"], "humidifyWithWaterToRelativeHumidity": ["adiabatic"],
}
# The entering air of the processes, (dry-bulb degC, humidity ratio kg/kg),
# none above saturation at 130 kPa (a fog is the processes' and the batch program's own
# business: they differ there).
ENTERING = [(-10.0, 0.001), (2.0, 0.003), (20.0, 0.0018), (24.0, 0.0093), (26.0, 0.0115),
            (32.0, 0.018), (35.0, 0.007), (48.0, 0.03)]
# Each parameter's values (by its name), and one outside its range.
PARAMETERS = {
    "leaving_dry_bulb": ([-5.0, 12.0, 16.0, 40.0, 55.0], 250.0),
    "leaving_relative_humidity": ([20.0, 60.0, 90.0, 100.0], 120.0),
    "leaving_humidity_ratio": ([0.004, 0.0094, 0.012, 0.02], -0.01),
    "apparatus_dew_point": ([4.0, 10.0, 13.0, 30.0], -150.0),
    "bypass_factor": ([0.0, 0.1, 0.25], 1.2),
    "effectiveness": ([0.5, 0.85, 1.0], -0.1),
    "heat_rate": ([-300.0, -20.0, 50.0, 490.0], math.nan),
    "steam_temperature": ([100.0, 110.0, 150.0], 300.0),
    "water_temperature": ([5.0, 20.0, 60.0], -20.0),
    "flow": ([0.5, 2.0, 12.7, 0.0], -1.0),
    # (the programs take 20 to 200 kPa, the library 10 to 1,000: none outside both)
    "pressure": ([70.0, 101.325, 130.0], None),
    "dry_bulb": ([], 250.0),
    "humidity_ratio": ([], -0.01),
}
for stream in ("a_", "b_"):
    PARAMETERS[stream + "dry_bulb"] = PARAMETERS["dry_bulb"]
    PARAMETERS[stream + "humidity_ratio"] = PARAMETERS["humidity_ratio"]
    PARAMETERS[stream + "flow"] = PARAMETERS["flow"]
PROCESS_ROWS = 80
# The calculator model's values against the programs': relative (absolute below 1).
CALCULATOR_WITHIN = 1e-13


def missing():
    """Why the test cannot run, or None."""
    for tool in ("node", "npm"):
        if not shutil.which(tool):
            return f"{tool} is not installed (tools/install-dependencies web)"
    if not os.path.exists(TARBALL):
        return f"{TARBALL} is not built (make npm)"
    if MODE == "types" and not os.path.exists(TSC):
        return "TypeScript is not installed (tools/install-dependencies web)"
    if MODE == "browser":
        try:
            import selenium  # noqa: F401 pylint: disable=import-outside-toplevel,unused-import
        except ImportError:
            return "python3-selenium is not installed"
        for tool in ("chromium", "chromedriver"):
            if not shutil.which(tool):
                return f"{tool} is not installed"
    return None


def install(folder):
    """A fresh project in folder with the tarball installed, offline, and the
    test files beside it."""
    with open(os.path.join(folder, "package.json"), "w", encoding="utf-8") as f:
        json.dump({"name": "uses-hygrian", "private": True, "type": "module"}, f)
    subprocess.run(["npm", "install", "--offline", "--no-audit", "--no-fund", "--ignore-scripts",
                    "--loglevel=error", os.path.abspath(TARBALL)],
                   cwd=folder, check=True, capture_output=True)
    for name in os.listdir(HERE):
        if name.endswith((".mjs", ".cjs", ".ts", ".cts", ".html")):
            shutil.copy(os.path.join(HERE, name), folder)
    with open(os.path.join(folder, "node_modules", "hygrian", "tables.json"), encoding="utf-8") as f:
        return json.load(f)


def text(x):
    """A double as a CSV field: empty for NaN (a gap), every digit otherwise."""
    return "" if math.isnan(x) else repr(x)


def batch(header, rows, *options):
    """hygrian-batch --digits 17's rows for the CSV rows (doubles), as dicts."""
    given = ",".join(header) + "\n" + "".join(",".join(map(text, row)) + "\n" for row in rows)
    run = subprocess.run([BATCH, "--digits", "17", *options], input=given, capture_output=True,
                         text=True, check=False)
    if run.returncode not in (0, 1) or not run.stdout:
        raise AssertionError(f"hygrian-batch {' '.join(options)}: {run.stderr}")
    return list(csv.DictReader(io.StringIO(run.stdout)))


def bits(cell):
    """The bits of a batch cell's double as 16 hex digits; NaN's for an empty cell."""
    return struct.pack(">d", float(cell) if cell else math.nan).hex()


def as_json(values):
    """Doubles for JSON: NaN as a text."""
    return [x if math.isfinite(x) else str(x).replace("nan", "NaN") for x in values]


def base_states():
    """Every property of states from -60 to 150 degC, dry to saturated, at 40
    to 180 kPa, as hygrian-batch computes them; the pairs' values come from them."""
    rows = [(t, rh, 40.0 + (k * 37.3) % 140.0)
            for k, (t, rh) in enumerate((-60.0 + 7.3 * i, 1.0 + 14.1 * j)
                                        for i in range(29) for j in range(8))]
    states = batch(["dry_bulb", "relative_humidity", "pressure"], rows)
    for state, row in zip(states, rows):
        w = float(state["humidity_ratio"]) if state["humidity_ratio"] else math.nan
        state["specific_humidity"] = repr(w / (1.0 + w))
        state["pressure"] = repr(row[2])
    return states


def pair_rows(tables, pair, states):
    """Rows (first, second, pressure) of a pair from the states, then rows
    outside the ranges, with gaps and with no state."""
    names = [next(g["name"] for g in tables["given"] if g["key"] == key) for key in pair["given"]]
    rows = [(float(s[names[0]]), float(s[names[1]]), float(s["pressure"]))
            for s in states if s[names[0]] and s[names[1]]]
    a, b, p = rows[len(rows) // 2]
    # (An empty pressure field is the programs' default pressure, NaN a gap here.)
    return names, rows + [(math.nan, b, p), (a, math.nan, p), (-150.0, b, p), (a, -5.0, p),
                          (1000.0, b, p), (a, 1e6, p), (a, b, 21.0), (a, b, 199.0)]


def difference(a, b):
    """|x - y| / max(|y|, 1) of the doubles of bits a and b (hex), 0 for two NaNs."""
    x, y = (struct.unpack(">d", bytes.fromhex(h))[0] for h in (a, b))
    if math.isnan(x) or math.isnan(y):
        return 0.0 if math.isnan(x) and math.isnan(y) else math.inf
    return abs(x - y) / max(abs(y), 1.0)


def outcome_cell(tables, code):
    """hygrian-batch's status cell for an outcome code."""
    row = next(o for o in tables["outcomes"] if o["code"] == code)
    return f"{row['key']}: {row['text']}" if row["kind"] in ("fault", "invalid-input") else row["key"]


# hygrian-batch names the value behind a coil's refusal where the library gives
# only the outcome: "apparatus dew point 25 degC is not below the entering dew
# point 18.45 degC" is NoState's.
BATCH_REASONS = {"fault: apparatus dew point ": "fault: no state with these two values"}


def batch_outcome(cell):
    """A batch status cell as the outcome's own cell."""
    return next((o for p, o in BATCH_REASONS.items() if cell.startswith(p)), cell)


class Comparison:
    """Cases for the package and hygrian-batch's rows for each, compared to the bit."""

    def __init__(self, tables):
        self.tables = tables
        self.cases = []  # (case, batch's rows, {package key: batch column}, negated keys)
        self.most = 0.0  # the calculator model's largest difference

    def add_pairs(self, variants):
        states = base_states()
        for pair in self.tables["pairs"]:
            names, rows = pair_rows(self.tables, pair, states)
            for model, over, units in variants:
                if model == "calculator" and not pair["calculator"]:
                    continue
                self.add_pair(pair, names, rows, model, over, units)

    def add_pair(self, pair, names, rows, model, over, units):
        header = names + ["pressure"]
        options = ["--model", model, "--over", over]
        if units == "ip":
            # Labelled columns in IP; the IP pressures inside the programs' range.
            labels = [self.ip_unit(key) for key in pair["given"]] + ["psi"]
            header = [f"{name} ({label})" for name, label in zip(header, labels)]
            rows = [(a, b, p / 7.0) for a, b, p in rows]
            options += ["--units", "ip"]
        expected = batch(header, rows, *options)
        given = {pair["given"][0]: as_json([r[0] for r in rows]),
                 pair["given"][1]: as_json([r[1] for r in rows]),
                 "pressure": as_json([r[2] for r in rows])}
        case = {"function": "psychrometrics", "given": given,
                "options": {"model": model, "over": over, "units": units},
                "name": f"{pair['name']} {model} {over} {units}",
                # The calculator model's relations call the platform's log, exp
                # and pow: emscripten's (musl's) differ from glibc's in the last
                # bit now and then, and its searches may end a step apart.
                "within": CALCULATOR_WITHIN if model == "calculator" else 0.0}
        columns = {p["key"]: p["name"] for p in self.tables["properties"]}
        self.cases.append((case, expected, columns, set()))

    def ip_unit(self, key):
        given = next(g for g in self.tables["given"] if g["key"] == key)
        quantity = next(q for q in self.tables["quantities"] if q["key"] == given["quantity"])
        return self.tables["units"][quantity["ip"]]["key"]

    @staticmethod
    def process_row(generator, names, bad):
        """A row of a process's arguments: entering air from ENTERING, each
        parameter one of its values; with bad, one argument outside its range."""
        row = {}
        for stream in ("", "a_", "b_"):
            row[stream + "dry_bulb"], row[stream + "humidity_ratio"] = generator.choice(ENTERING)
        values = [row[n] if n in row else generator.choice(PARAMETERS[n][0]) for n in names]
        if bad:
            k = generator.choice([k for k, n in enumerate(names) if PARAMETERS[n][1] is not None])
            values[k] = PARAMETERS[names[k]][1]
        return values

    def add_processes(self):
        generator = random.Random(50)
        for process in self.tables["processes"]:
            names = [a["name"] for a in process["arguments"]]
            rows = [self.process_row(generator, names, k >= PROCESS_ROWS * 3 // 4)
                    for k in range(PROCESS_ROWS)]
            word = BATCH_PROCESSES[process["name"]]
            expected = batch(names, rows, "--process", *word)
            water = "condensate" if "condensate" in expected[0] else "water_added"
            given = {a["key"]: as_json([r[k] for r in rows])
                     for k, a in enumerate(process["arguments"])}
            columns = {p["key"]: "leaving_" + p["name"] for p in self.tables["properties"]}
            columns.update({"sensibleLoad": "sensible_load", "latentLoad": "latent_load",
                            "totalLoad": "total_load", "sensibleHeatRatio": "sensible_heat_ratio",
                            "water": water})
            case = {"function": process["name"], "given": given, "name": process["name"]}
            self.cases.append((case, expected, columns, {"water"} if water == "condensate" else set()))

    def check(self, test, results):
        """Each case's results, array and scalar, against its batch rows."""
        for (case, expected, columns, negated), result in zip(self.cases, results):
            with test.subTest(case=case["name"]):
                test.assertEqual(result["scalar"], "same")
                test.assertEqual([outcome_cell(self.tables, c) for c in result["status"]],
                                 [batch_outcome(row["status"]) for row in expected])
                for key, column in columns.items():
                    want = [bits(row[column]) for row in expected]
                    if key in negated:
                        want = [bits(repr(0.0 - float(row[column])) if row[column] else "")
                                for row in expected]
                    got = result["columns"][key]
                    if case.get("within"):
                        most = max(map(difference, got, want))
                        self.most = max(self.most, most)
                        test.assertLessEqual(most, case["within"], key)
                    else:
                        test.assertEqual(got, want, key)

    def json(self):
        return [case for case, *_ in self.cases]


class Package(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="hygrian-npm-", dir=os.environ.get("TMPDIR"))
        cls.tables = install(cls.folder)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.folder)

    def node(self, *arguments, **environment):
        return subprocess.run(["node", *arguments], cwd=self.folder, capture_output=True,
                              text=True, check=False, env={**os.environ, **environment})

    @unittest.skipUnless(MODE == "node", "node")
    def test_node_bits_equal_hygrian_batch(self):
        comparison = Comparison(self.tables)
        comparison.add_pairs([("handbook", "ice", "si"), ("handbook", "water", "si"),
                              ("calculator", "ice", "si"), ("handbook", "ice", "ip")])
        comparison.add_processes()
        with open(os.path.join(self.folder, "cases.json"), "w", encoding="utf-8") as f:
            json.dump(comparison.json(), f)
        run = self.node("compute.mjs", "cases.json")
        self.assertEqual(run.returncode, 0, run.stderr)
        comparison.check(self, json.loads(run.stdout))
        print(f"the calculator model within {comparison.most:.1e} of hygrian-batch", file=sys.stderr)

    @unittest.skipUnless(MODE == "node", "node")
    def test_node_api(self):
        run = self.node("--test", "api_test.mjs", HYGRIAN_CHART=CHART)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

    @unittest.skipUnless(MODE == "types", "types")
    def test_types(self):
        for source in ("typed_use.ts", "typed_use.cts"):
            with self.subTest(source=source):
                run = subprocess.run(
                    ["node", TSC, "--strict", "--noEmit", "--target", "es2022", "--module",
                     "nodenext", "--moduleResolution", "nodenext", source],
                    cwd=self.folder, capture_output=True, text=True, check=False)
                self.assertEqual(run.returncode, 0, run.stdout + run.stderr)

    @unittest.skipUnless(MODE == "browser", "browser")
    def test_browser_bits_equal_hygrian_batch(self):
        comparison = Comparison(self.tables)
        comparison.add_pairs([("handbook", "ice", "si")])
        comparison.add_processes()
        with open(os.path.join(self.folder, "cases.json"), "w", encoding="utf-8") as f:
            json.dump(comparison.json(), f)
        results = self.in_chromium("page.html")
        comparison.check(self, results)

    def in_chromium(self, page):
        """What page.html, served from the project, leaves in window.results."""
        from selenium import webdriver  # pylint: disable=import-outside-toplevel
        from selenium.webdriver.chrome.service import Service  # pylint: disable=import-outside-toplevel

        class Quiet(http.server.SimpleHTTPRequestHandler):
            extensions_map = {".mjs": "text/javascript", ".wasm": "application/wasm",
                              ".json": "application/json", ".html": "text/html"}

            def log_message(self, *args):
                pass
        server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), lambda *a: Quiet(*a, directory=self.folder))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                         "--disable-background-networking", "--no-first-run"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
        try:
            driver.get(f"http://127.0.0.1:{server.server_address[1]}/{page}")
            for _ in range(600):
                state = driver.execute_script("return window.results ?? window.failure ?? null")
                if state is not None:
                    break
                time.sleep(0.1)
            errors = [e for e in driver.get_log("browser") if e["level"] not in ("INFO", "DEBUG")]
            self.assertEqual(errors, [])
            self.assertIsInstance(state, list, state)
            return state
        finally:
            driver.quit()
            server.shutdown()


if __name__ == "__main__":
    why = missing()
    if why:
        required = os.environ.get("HYGRIAN_NPM_REQUIRED") == "1"
        print(f"{'not run, but required' if required else 'skipped'}: {why}")
        sys.exit(1 if required else SKIPPED)
    sys.exit(0 if unittest.main(argv=sys.argv[:1], exit=False).result.wasSuccessful() else 1)
