#!/usr/bin/env python3
"""cinetrove-convert report end to end, in a real browser.

Builds a catalogue folder from the made-up films.csv with the real program,
puts the made-up diary.csv beside it and writes the report; refuses a report
over the diary or an archive, and writes one with a damaged diary. The page
is then opened in headless Chromium, driven through chromedriver's WebDriver
(plain HTTP and JSON): a screenshot that is not blank, the SVG charts drawn,
every film a row, the hostile title shown as text, a click on a heading that
sorts and a second that reverses, typing that narrows the rows, the print
style, and printing to a PDF of A4 pages that each begin with the table's
heading and hold neither the search box nor a chart.

Usage: report_e2e.py PROGRAM FIXTURES_DIR. Exit 77 when Chromium is not
installed.
"""
import base64
import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

CHROMIUM = "/usr/bin/chromium"
SKIP = 77


def fail(why):
    print("FAILED: " + why, file=sys.stderr)
    sys.exit(1)


def check(condition, why):
    if not condition:
        fail(why)


def run(convert, *args, status=0):
    done = subprocess.run([convert, *args], capture_output=True, text=True)
    check(done.returncode == status,
          f"status {done.returncode}, not {status}: {' '.join(args)}\n{done.stdout}{done.stderr}")
    return done


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class WebDriver:
    """The few WebDriver commands the test needs, over urllib."""

    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"
        self.session = None

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as response:
                return json.load(response)["value"]
        except urllib.error.HTTPError as error:
            fail(f"{method} {path}: {error.code} {error.read().decode(errors='replace')[:500]}")

    def wait_ready(self):
        for _ in range(100):
            try:
                with urllib.request.urlopen(self.base + "/status", timeout=2) as response:
                    if json.load(response)["value"].get("ready"):
                        return
            except OSError:
                pass
            time.sleep(0.1)
        fail("chromedriver did not start")

    def start(self):
        options = {"binary": CHROMIUM,
                   "args": ["--headless", "--no-sandbox", "--disable-gpu", "--window-size=1280,2000",
                            "--hide-scrollbars"]}
        value = self.call("POST", "/session", {"capabilities": {"alwaysMatch": {
            "browserName": "chrome", "goog:chromeOptions": options}}})
        self.session = value["sessionId"]

    def s(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def script(self, source, *args):
        return self.s("POST", "/execute/sync", {"script": source, "args": list(args)})

    def element(self, selector):
        value = self.s("POST", "/element", {"using": "css selector", "value": selector})
        return next(iter(value.values()))

    def type_into(self, selector, text):
        element = self.element(selector)
        self.s("POST", f"/element/{element}/clear", {})
        if text:
            self.s("POST", f"/element/{element}/value", {"text": text})

    def click(self, selector):
        self.s("POST", f"/element/{self.element(selector)}/click", {})


COLUMN = """
return Array.from(document.querySelectorAll('#catalogue tbody tr'))
    .filter(r => r.getClientRects().length > 0)
    .map(r => r.cells[arguments[0]].textContent);
"""


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if not os.access(CHROMIUM, os.X_OK):
        print("skipped: chromium is not installed")
        return SKIP
    driver_program = shutil.which("chromedriver") or fail("chromedriver is not installed (chromium-driver)")
    identify = shutil.which("identify") or fail("ImageMagick's identify is not installed")
    pdftotext = shutil.which("pdftotext") or fail("pdftotext is not installed (poppler-utils)")
    convert, fixtures = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    work = tempfile.mkdtemp()
    driver = None
    try:
        os.chdir(work)
        # --- the program: a catalogue, its diary, the report and refusals -----
        run(convert, "import", "csv", f"{fixtures}/films.csv", "--into", "cat")
        shutil.copy(f"{fixtures}/diary.csv", "cat/diary.csv")
        with open("cat/diary.csv", "rb") as f:
            diary = f.read()
        check(run(convert, "report", "report.html", "--from", "cat").stdout == "14 films written to report.html\n",
              "the report's summary")
        for target in ("cat/diary.csv", "cat/filme.cta", "cat/comments/filme/x.html"):
            refused = run(convert, "report", target, "--from", "cat", status=1)
            check(refused.stderr.startswith(f"cinetrove-convert: {target}: is a file of the catalogue"),
                  f"refusal of {target}: {refused.stderr}")
        with open("cat/diary.csv", "rb") as f:
            check(f.read() == diary, "a refused report changed the diary")
        run(convert, "report", "report-2019.html", "--from", "cat", "--year", "2019")
        run(convert, "report", "report.html", "--from", "cat", "--year", "19", status=2)
        os.makedirs("damaged")
        shutil.copy("cat/filme.cta", "damaged/filme.cta")
        with open("damaged/diary.csv", "w") as f:
            f.write('list,original title\n"never closed\n')
        damaged = run(convert, "report", "damaged.html", "--from", "damaged")
        check("warning" in damaged.stderr, "no warning of the damaged diary")

        # --- the browser ------------------------------------------------------
        port = free_port()
        driver = subprocess.Popen([driver_program, f"--port={port}"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL, start_new_session=True)
        web = WebDriver(port)
        web.wait_ready()
        web.start()
        web.s("POST", "/url", {"url": f"file://{work}/report.html"})

        check(web.script("return document.documentElement.lang") == "ro", "not lang=ro")
        charts = web.script("""
            return Array.from(document.querySelectorAll('svg.chart')).map(svg => {
                const box = svg.getBoundingClientRect();
                return [svg.getAttribute('aria-label'), box.width, box.height,
                        svg.querySelectorAll('rect').length, svg.getBBox().width];
            });""")
        check([c[0] for c in charts] == ["Calificative", "Pe decenii", "Tari (primele 10)",
                                         "Regizori cu cele mai multe filme vazute", "Cele mai vazute filme",
                                         "Vizionari pe luni in 2025"], f"the charts: {charts}")
        for label, width, height, bars, drawn in charts:
            check(width > 100 and height > 50 and bars > 0 and drawn > 50, f"chart {label} not drawn: {charts}")
        months = web.script("""return Array.from(document.querySelectorAll(
            'svg[aria-label="Vizionari pe luni in 2025"] title')).map(t => t.textContent)""")
        check(months[0] == "ian: 2" and months[6] == "iul: 3" and months[11] == "dec: 0", f"the months: {months}")
        check(web.script("return document.querySelectorAll('table.diary tbody tr').length") == 9,
              "the year's viewings")

        check(len(web.script(COLUMN, 1)) == 14, "not 14 rows")
        hostile = '<b>Bold</b> & "Quoted" \'Film\''
        check(hostile in web.script(COLUMN, 1), "the hostile title is not shown as text")
        check(web.script("return document.querySelectorAll('#catalogue b, script').length") == 1,
              "the hostile title made an element")

        shot = base64.b64decode(web.s("GET", "/screenshot"))
        with open("report.png", "wb") as f:
            f.write(shot)
        colours = int(subprocess.run([identify, "-format", "%k", "report.png"], capture_output=True,
                                     text=True, check=True).stdout)
        check(colours > 64, f"the screenshot has {colours} colours: blank?")

        # Sorting: numbers by value, again reversed; ratings in their order.
        viewings = [int(v) for v in web.script(COLUMN, 7)]
        web.click("#catalogue thead th:nth-child(8)")
        check([int(v) for v in web.script(COLUMN, 7)] == sorted(viewings), "Vizionari not sorted up by value")
        check(web.script(COLUMN, 1)[-1] == "Night Ferry", "12 viewings are not the most")
        web.click("#catalogue thead th:nth-child(8)")
        check([int(v) for v in web.script(COLUMN, 7)] == sorted(viewings, reverse=True), "not reversed")
        check(web.script("return document.querySelector('#catalogue th:nth-child(8)').getAttribute('aria-sort')")
              == "descending", "the heading does not say descending")
        web.click("#catalogue thead th:nth-child(7)")
        words = ["Slab", "Mediocru", "Bun", "Foarte bun", "Excelent", "Deosebit", "De vazut"]
        ratings = web.script(COLUMN, 6)
        check(ratings == sorted(ratings, key=words.index) and ratings[0] == "Slab", f"ratings: {ratings}")

        # Filtering: letter case and accents aside, across columns.
        check(web.script("return document.getElementById('searchbox').hidden") is False, "no search box")
        web.type_into("#search", "PADUREA")
        time.sleep(0.3)
        check(web.script(COLUMN, 1) == ["Pădurea de sticlă"], f"filter: {web.script(COLUMN, 1)}")
        web.type_into("#search", "sticl")
        time.sleep(0.3)
        check(sorted(web.script(COLUMN, 1)) == ["Glass Harbour", "Pădurea de sticlă"], "filter on two columns")
        check("2 din 14" in web.script("return document.getElementById('shown').textContent"), "the count shown")
        web.type_into("#search", "")
        web.script("document.getElementById('search').dispatchEvent(new Event('input'))")
        time.sleep(0.3)
        check(len(web.script(COLUMN, 1)) == 14, "clearing the filter does not show every row")

        # Printed: the counts and the table, no box, no charts, the heading
        # on every page, nothing behind the text.
        web.s("POST", "/goog/cdp/execute", {"cmd": "Emulation.setEmulatedMedia", "params": {"media": "print"}})
        printed = web.script("""
            const shown = s => getComputedStyle(document.querySelector(s)).display;
            return [shown('#searchbox'), shown('.charts'), shown('.year'), shown('.counts'), shown('#catalogue'),
                    shown('#catalogue thead'), getComputedStyle(document.querySelector('thead th')).backgroundColor];
            """)
        check(printed == ["none", "none", "none", "flex", "table", "table-header-group", "rgba(0, 0, 0, 0)"],
              f"the print style: {printed}")
        web.s("POST", "/goog/cdp/execute", {"cmd": "Emulation.setEmulatedMedia", "params": {"media": ""}})
        # A catalogue of several pages: each starts with the table's heading.
        with open("big.csv", "w") as f:
            f.write("Lista,Titlu original,Titlu,Tara,An,Regia,Distributia,Calificativ,Vizionari,Comentariu\n")
            for n in range(150):
                f.write(f"vazute,Film {n:03},,Romania,{1950 + n % 70},Regizor {n % 9},,Bun,{1 + n % 4},\n")
        run(convert, "import", "csv", "big.csv", "--into", "big")
        run(convert, "report", "big.html", "--from", "big")
        web.s("POST", "/url", {"url": f"file://{work}/big.html"})
        pdf = base64.b64decode(web.s("POST", "/print", {"background": True, "page": {"width": 21.0, "height": 29.7}}))
        check(pdf.startswith(b"%PDF-"), "the print is no PDF")
        check(len(re.findall(rb"/Type\s*/Page\b(?!s)", pdf)) >= 2, "the PDF has not several pages")
        with open("report.pdf", "wb") as f:
            f.write(pdf)
        text = subprocess.run([pdftotext, "-layout", "report.pdf", "-"], capture_output=True, text=True,
                              check=True).stdout
        pages = [page for page in text.split("\f") if page.strip()]
        check(len(pages) >= 2 and "Filme vazute" in pages[0] and "Film 000" in pages[-1], "the printed pages")
        for page in pages:
            check(re.search(r"Lista +Titlu original +Titlu +Tara +An +Regia +Calificativ +Vizionari +Distributia",
                            page), f"a printed page without the heading:\n{page}")
            check("Cauta:" not in page and "Pe decenii" not in page, f"box or chart printed:\n{page}")

        # The year asked for without viewings.
        web.s("POST", "/url", {"url": f"file://{work}/report-2019.html"})
        check("Nicio vizionare datata in 2019" in web.script("return document.body.innerText"), "2019")
        check(web.script("""return Array.from(document.querySelectorAll(
            'svg[aria-label="Vizionari pe luni in 2019"] title')).every(t => t.textContent.endsWith(': 0'))"""),
              "2019's months are not all 0")
        web.s("DELETE", "")
        print("report_e2e: passed")
        return 0
    finally:
        if driver is not None:
            os.killpg(driver.pid, signal.SIGTERM)
            driver.wait(timeout=10)
        os.chdir("/")
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
