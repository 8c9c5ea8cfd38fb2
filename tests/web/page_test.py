"""The browser page in headless Chromium through Selenium, opened from a file://
URL: its numbers against hygrian-batch's and its default drawing against
hygrian-chart's, run in the same test.

    page_test.py PAGE HYGRIAN_CHART HYGRIAN_BATCH [SCREENSHOT]

Exit status 77 (skipped, with one line saying why) when the page or the web
tools (tools/install-dependencies web) are missing."""

import csv
import io
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
import unittest

PAGE, CHART, BATCH = sys.argv[1:4]
SCREENSHOT = sys.argv[4] if len(sys.argv) > 4 else None
SKIPPED = 77

# States away from the rounding edges of four significant digits: dry-bulb
# (degC), humidity ratio (kg/kg), units.
STATES = [(25.3, 0.0104, "si"), (6.7, 0.0043, "si"), (31.2, 0.0187, "ip")]


def missing():
    """Why the test cannot run, or None."""
    try:
        import selenium  # noqa: F401 pylint: disable=import-outside-toplevel,unused-import
    except ImportError:
        return "python3-selenium is not installed"
    for tool in ("chromium", "chromedriver"):
        if not shutil.which(tool):
            return f"{tool} is not installed"
    if not os.path.exists(PAGE):
        return f"{PAGE} is not built (make web)"
    return None


def batch_csv(rows, units, *options):
    """hygrian-batch's output for rows of (degC, kg/kg)."""
    options = [*options, "--unit", "dry_bulb=degC", "--unit", "humidity_ratio=kg/kg"]
    if units == "ip":
        options += ["--units", "ip"]
    given = "dry_bulb,humidity_ratio\n" + "".join(f"{t},{w}\n" for t, w in rows)
    return subprocess.run([BATCH, *options], input=given, capture_output=True, text=True,
                          check=True).stdout


def batch(t, w, units):
    """hygrian-batch's state at t (degC), w (kg/kg) to four digits, by key."""
    return next(csv.DictReader(io.StringIO(batch_csv([(t, w)], units, "--digits", "4"))))


class Page(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        from selenium import webdriver  # pylint: disable=import-outside-toplevel
        from selenium.webdriver.chrome.service import Service  # pylint: disable=import-outside-toplevel
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1600,1200"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        cls.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
        cls.url = "file://" + os.path.abspath(PAGE)
        cls.folder = tempfile.mkdtemp(prefix="hygrian-page-")

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.folder)

    def open(self, url):
        self.driver.get("about:blank")
        self.driver.get(url)
        for _ in range(100):
            if self.driver.execute_script("return document.body.dataset.ready === 'true'"):
                return
            time.sleep(0.05)
        self.fail("the page did not start")

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def move_to(self, x, y, click=False):
        """Moves the pointer to picture px (x, y) of the chart, or as near as whole px go."""
        from selenium.webdriver.common.action_chains import ActionChains  # pylint: disable=import-outside-toplevel
        svg = self.driver.find_element("css selector", "#svg svg")
        box = self.js("const b = arguments[0].getBoundingClientRect();"
                      "return [b.width, b.height, Number(arguments[0].getAttribute('width'))]", svg)
        scale = box[0] / box[2]
        actions = ActionChains(self.driver).move_to_element_with_offset(
            svg, round(x * scale - box[0] / 2), round(y * scale - box[1] / 2))
        if click:
            actions.click()
        actions.perform()

    def pixel(self, t, w):
        f = self.js("return frame")
        return (f["left"] + (t - f["tMin"]) / (f["tMax"] - f["tMin"]) * (f["right"] - f["left"]),
                f["bottom"] - w / f["wMax"] * (f["bottom"] - f["top"]))

    def test_no_console_error(self):
        self.open(self.url)
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] != "INFO"], [])

    def test_drawing_is_hygrian_chart(self):
        rows = [("", []), ("units=ip&pressure=14", ["--units=ip", "--pressure=14"]),
                ("altitude=1500&model=calculator", ["--altitude=1500", "--model=calculator"]),
                ("over=water&dryBulb=-20:25", ["--over=water", "--dry-bulb=-20:25"]),
                ("diagram=mollier", ["--diagram=mollier"]),
                # The page keeps its humidity-ratio axis where the program
                # would fit it to the zone.
                ("comfort=summer", ["--comfort=1.1,0.5,0.1", "--humidity-ratio=30"]),
                ("units=ip&diagram=mollier&comfort=winter",
                 ["--units=ip", "--diagram=mollier", "--comfort=1.1,1,20",
                  "--humidity-ratio=0.028"]),
                ("overlay=heat-index&units=ip", ["--overlay=heat-index", "--units=ip"]),
                ("overlay=humidex&model=calculator", ["--overlay=humidex", "--model=calculator"])]
        for state, options in rows:
            with self.subTest(state=state):
                self.open(f"{self.url}#{state}")
                chart = subprocess.run([CHART, *options], stdin=subprocess.DEVNULL,
                                       capture_output=True, text=True, check=True).stdout
                self.assertEqual(self.js("return hygrianPage.svg"), chart)

    def test_the_overlay_choice_draws_its_bands_and_stays_in_the_link(self):
        self.open(self.url)
        self.js("const s = document.getElementById('overlay'); s.value = 'humidex';"
                "s.dispatchEvent(new Event('change'));")
        self.assertIn('data-overlay="humidex"', self.js("return hygrianPage.svg"))
        self.assertIn("overlay=humidex", self.driver.current_url)

    def test_keyboard_reads_and_pins(self):
        self.open(self.url)
        chart = self.driver.find_element("id", "chart")
        chart.send_keys("\ue014\ue014\ue013")  # right, right, up
        self.assertEqual(self.js("return document.querySelectorAll('#readout tr').length"), 10)
        chart.send_keys("\ue007")  # Enter
        self.assertEqual(self.js("return document.querySelectorAll('#pins tbody tr').length"), 1)

    def test_hover_shows_the_library_state(self):
        times = []
        for t, w, units in STATES:
            with self.subTest(t=t, w=w, units=units):
                self.open(f"{self.url}#units={units}")
                self.js("hygrianPage.hoverTimes = []")
                self.move_to(*self.pixel(t, w))
                shown = self.js("const r = document.getElementById('readout');"
                                "return [r.dataset.dryBulb, r.dataset.humidityRatio,"
                                "Object.fromEntries([...r.tBodies[0].rows].map("
                                "(row) => [row.dataset.key, row.cells[1].textContent]))]")
                at_t, at_w = float(shown[0]), float(shown[1])
                self.assertAlmostEqual(at_t, t, delta=0.1)
                self.assertAlmostEqual(at_w, w, delta=0.0001)
                self.assertEqual(shown[2], batch(shown[0], shown[1], units))
                for step in range(20):  # more moves, for the timing alone
                    self.move_to(*self.pixel(t + step * 0.2, w))
                times += self.js("return hygrianPage.hoverTimes")
        print(f"hover to readout: median {statistics.median(times):.3f} ms, "
              f"most {max(times):.3f} ms over {len(times)} moves", file=sys.stderr)

    def test_click_pins_a_row(self):
        self.open(self.url)
        self.move_to(*self.pixel(20, 0.008), click=True)
        time.sleep(0.5)
        rows = self.js("return [...document.querySelectorAll('#pins tbody tr')].length")
        self.assertEqual(rows, 1)

    def loads(self):
        """The page's process values by key, as its table shows them."""
        return self.js("return Object.fromEntries([...document.querySelectorAll('#loads tbody tr')]"
                       ".map((row) => [row.dataset.key, row.cells[1].textContent]))")

    def test_every_process_between_the_last_pins(self):
        rows = [("mix", "30,0.0165;14,0.0092"), ("heat", "14,0.0092;30,0.0092"),
                ("coil", "30,0.0165;14,0.0092"), ("evaporative", "35,0.007"),
                ("steam", "20,0.003;22,0.008"), ("adiabatic", "30,0.006;25,0.009")]
        for process, pins in rows:
            with self.subTest(process=process):
                self.open(f"{self.url}#process={process}&pins={pins}")
                self.assertEqual(self.loads()["status"], "ok")
                self.assertTrue(self.js("return hygrianPage.svg.includes('id=\"processes\"')"))
                self.assertIn(f"Process: {process} at 1 kg/s",
                              self.js("return document.querySelector('#loads caption').textContent"))

    def test_coil_loads_are_hygrian_batch_loads(self):
        for units in ("si", "ip"):
            with self.subTest(units=units):
                self.open(f"{self.url}#units={units}&altitude=1600&altitudeUnit=m&process=coil&flow=5&"
                          "flowUnit=m3/s&pins=30,0.0165;14,0.011")
                csv_text = self.js("return processRows().csv")
                options = ["--digits", "4", "--altitude", "1600", "--altitude-unit", "m"]
                if units == "ip":
                    options += ["--units", "ip"]
                written = next(csv.DictReader(io.StringIO(subprocess.run(
                    [BATCH, *options], input=csv_text, capture_output=True, text=True,
                    check=True).stdout)))
                shown = self.loads()
                self.assertEqual(shown["status"], written["status"])
                for key in ("leaving_flow", "sensible_load", "latent_load", "enthalpy_change",
                            "total_load", "sensible_heat_ratio", "condensate",
                            "apparatus_dew_point", "bypass_factor"):
                    self.assertEqual(shown.get(key, ""), written[key], key)
                self.assertNotEqual(written["apparatus_dew_point"], "")

    def test_a_change_of_units_keeps_the_site(self):
        self.open(f"{self.url}#altitude=1600")
        pressures = [self.js("return hygrianPage.frame.pressure")]
        for units, shown in (("ip", "5249.34"), ("si", "1600")):
            self.js("const u = document.getElementById('units'); u.value = arguments[0];"
                    "u.dispatchEvent(new Event('change'))", units)
            self.assertEqual(self.js("return document.getElementById('altitude').value"), shown)
            pressures.append(self.js("return hygrianPage.frame.pressure"))
        self.assertEqual(pressures, [pressures[0]] * 3)
        self.assertAlmostEqual(pressures[0], 83.523, places=3)

    def test_a_state_by_any_pair_is_pinned(self):
        self.open(self.url)
        self.js("const p = document.getElementById('pair'); p.selectedIndex = 0;"
                "p.dispatchEvent(new Event('change'));"
                "document.getElementById('first').value = '25';"
                "document.getElementById('second').value = '20';"
                "document.getElementById('pin').click()")
        pins = self.js("return page.pins")
        self.assertEqual(len(pins), 1)
        given = subprocess.run([BATCH, "--columns", "dry_bulb,humidity_ratio"],
                               input="dry_bulb,wet_bulb\n25,20\n", capture_output=True,
                               text=True, check=True).stdout.splitlines()[1].split(",")
        self.assertEqual(pins[0], [float(given[0]), float(given[1])])

    def test_export_is_hygrian_batch_output(self):
        # The last: pins above saturation over water (fog at 10 degC, and at -5),
        # clipped to it as hygrian-batch clips them.
        rows = [("si", "", "30,0.0165;14,0.0092;-5,0.002", []),
                ("ip", "", "30,0.0165;14,0.0092;-5,0.002", []),
                ("si", "&over=water&supersaturated=clip", "14,0.0092;10,0.009;-5,0.0028",
                 ["--over", "water", "--supersaturated", "clip"])]
        for units, settings, pins, options in rows:
            with self.subTest(units=units, settings=settings):
                self.open(f"{self.url}#units={units}{settings}&pins={pins}")
                pins = self.js("return page.pins")
                self.assertEqual(self.js("return pinsCsv()"), batch_csv(pins, units, *options))

    def ticks(self):
        return self.js("return [...document.querySelectorAll('#axes text')].map((t) => t.textContent)")

    def test_zoom_changes_ticks_and_the_url_keeps_it(self):
        from selenium.webdriver.common.action_chains import ActionChains  # pylint: disable=import-outside-toplevel
        self.open(self.url)
        before = self.ticks()
        self.move_to(*self.pixel(10, 0.012))
        ActionChains(self.driver).click_and_hold().perform()
        self.move_to(*self.pixel(20, 0.015))
        self.move_to(*self.pixel(30, 0.004))
        ActionChains(self.driver).release().perform()
        time.sleep(0.3)
        after = self.ticks()
        self.assertNotEqual(after, before)
        self.move_to(*self.pixel(20, 0.006), click=True)
        time.sleep(0.5)
        url, svg = self.driver.current_url, self.js("return hygrianPage.svg")
        self.open(url)
        self.assertEqual(self.driver.current_url, url)
        self.assertEqual(self.js("return hygrianPage.svg"), svg)
        self.assertEqual(self.ticks(), after)

    def html(self, points, *options):
        """The page that hygrian-chart --html writes for points (CSV), opened."""
        path = os.path.join(self.folder, f"chart{len(os.listdir(self.folder))}.html")
        with open(path, "w", encoding="utf-8") as out:
            subprocess.run([CHART, "--html", *options], input=points, stdout=out, text=True,
                           check=True)
        self.open("file://" + path)
        return self.js("return document.querySelectorAll('#pins tbody tr').length")

    def test_html_pins_the_points_file(self):
        points = "dry_bulb,relative_humidity\n33,40\n13,95\n24,50\n"
        self.assertEqual(self.html(points, "--dry-bulb=0:40"), 3)
        self.assertEqual(self.js("return page.dryBulb"), "0:40")
        self.assertEqual([e for e in self.driver.get_log("browser") if e["level"] != "INFO"], [])
        self.assertEqual(self.html(points, "--diagram=mollier"), 3)
        self.assertEqual(self.js("return page.diagram"), "mollier")

    def test_html_draws_many_points_as_a_density(self):
        rows = "".join(f"{10 + i % 200 * 0.1},{30 + i % 37}\n" for i in range(2500))
        self.assertEqual(self.html("dry_bulb,relative_humidity\n" + rows), 0)
        self.assertTrue(self.js("return hygrianPage.svg.includes('id=\"density\"')"))
        # Every point counted, from the page's cells; a pin goes on top of them.
        self.assertIn('data-points="2500"', self.js("return hygrianPage.svg"))
        self.js("page.pins.push([20, 0.008]); draw()")
        self.assertIn('data-points="2500"', self.js("return hygrianPage.svg"))
        self.assertEqual(self.js("return document.querySelectorAll('#pins tbody tr').length"), 1)

    def test_html_of_many_points_is_bounded(self):
        # 200,000 points spread over the plot (-10 to 30 degC, 0 to 99.9 %): their cells, not the points, are
        # in the page (at most 40,000 cells, about 1 MB).
        rows = "".join(f"{-10 + (i * 7919 % 4000) / 100},{(i * 104729 % 1000) / 10}\n"
                       for i in range(200000))
        self.html("dry_bulb,relative_humidity\n" + rows)
        path = os.path.join(self.folder, sorted(os.listdir(self.folder))[-1])
        self.assertLess(os.path.getsize(path) - os.path.getsize(PAGE), 1100 * 1024)
        self.assertIn('data-points="200000"', self.js("return hygrianPage.svg"))

    def test_editing_a_pin_in_inch_pound_units(self):
        # 86 degF is 30 degC, 14 degF is -10 degC; lb/lb is kg/kg.
        for typed, column, want in (("86", 1, (30.0, 0.01)), ("14", 1, (-10.0, 0.01)),
                                    ("0.012", 6, (25.0, 0.012))):
            with self.subTest(typed=typed):
                self.open(f"{self.url}#units=ip&pins=25,0.01")
                self.js("const cell = document.querySelector('#pins tbody tr').cells[arguments[0]];"
                        "cell.textContent = arguments[1];"
                        "cell.dispatchEvent(new Event('blur'));", column, typed)
                got = self.js("return page.pins[0]")
                self.assertAlmostEqual(got[0], want[0], places=9)
                self.assertAlmostEqual(got[1], want[1], places=12)

    def test_mollier_reads_the_state_under_a_pin(self):
        # Each pin's marker, found in the SVG, reads back the pin's state.
        self.open(f"{self.url}#diagram=mollier&pins=30,0.0165;14,0.0092;-5,0.002")
        pins = self.js("return page.pins")
        markers = self.js("return [...document.querySelectorAll('#svg circle[data-dry-bulb]')]"
                          ".map((c) => [Number(c.getAttribute('cx')), Number(c.getAttribute('cy'))])")
        self.assertEqual(len(markers), 3)
        for (t, w), (x, y) in zip(pins, markers):
            air = self.js("return airAt({x: arguments[0], y: arguments[1]})", x, y)
            self.assertAlmostEqual(air["t"], t, delta=0.001)
            self.assertAlmostEqual(air["w"], w, delta=1e-6)

    def test_pins_are_numbered_once(self):
        self.open(f"{self.url}#pins=30,0.0165;14,0.0092")
        labels = self.js("return [...document.querySelectorAll('#svg #points text')]"
                         ".map((t) => t.textContent)")
        self.assertEqual(sorted(labels), ["1", "2"])
        self.assertEqual(self.js("return [...document.querySelectorAll('#pins tbody tr')]"
                                 ".map((r) => r.cells[0].textContent)"), ["1", "2"])

    def test_png_download_at_the_dpi_chosen(self):
        self.open(self.url)
        self.js("document.getElementById('dpi').value = '300';"
                "document.getElementById('png').click()")
        png = None
        for _ in range(100):
            png = self.js("return hygrianPage.png")
            if png:
                break
            time.sleep(0.05)
        self.assertEqual([png["width"], png["height"]], [3750, 2500])
        self.assertEqual(png["head"], [137, 80, 78, 71, 13, 10, 26, 10])
        self.assertGreater(png["size"], 100000)

    def test_print_shows_the_chart_and_a_title_block_on_the_paper_chosen(self):
        self.open(f"{self.url}#altitude=1600&pins=30,0.0165")
        self.js("document.getElementById('title').value = 'AHU-1 summer';"
                "const paper = document.getElementById('paper'); paper.value = 'letter';"
                "paper.dispatchEvent(new Event('change')); titleBlock()")
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        try:
            shown = self.js("const seen = (id) => getComputedStyle(document.getElementById(id)).display;"
                            "return [seen('settings'), seen('report'), seen('title-block'), seen('svg'),"
                            "document.getElementById('title-block').textContent,"
                            "document.getElementById('page-size').textContent]")
        finally:
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
        self.assertEqual(shown[0:2], ["none", "none"])
        self.assertNotEqual(shown[2], "none")
        self.assertNotEqual(shown[3], "none")
        for text in ("AHU-1 summer", " kPa (1600 m)", "Date"):
            self.assertIn(text, shown[4])
        self.assertIn("size: letter landscape", shown[5])

    def test_screenshot_is_not_blank(self):
        self.open(self.url)
        png = self.driver.get_screenshot_as_base64()
        if SCREENSHOT:
            self.driver.save_screenshot(SCREENSHOT)
        share = self.driver.execute_async_script(
            "const done = arguments[1]; const image = new Image();"
            "image.onload = () => { const c = document.createElement('canvas');"
            "c.width = image.width; c.height = image.height; const g = c.getContext('2d');"
            "g.drawImage(image, 0, 0); const d = g.getImageData(0, 0, c.width, c.height).data;"
            "let dark = 0; for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] < 600) ++dark;"
            "done(dark / (d.length / 4)); };"
            "image.src = 'data:image/png;base64,' + arguments[0];", png)
        self.assertGreater(share, 0.01)


if __name__ == "__main__":
    if reason := missing():
        print(f"web page test skipped: {reason}")
        sys.exit(SKIPPED)
    unittest.main(argv=sys.argv[:1], verbosity=1)
