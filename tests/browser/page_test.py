#!/usr/bin/env python3
"""The page in a real browser, headless Chromium driven by chromedriver, opened straight
from its folder (file://) as a user would first try:

- every transcript, typed line by line, gives exactly the transcript's output as the text
  of the output region without its <kbd> echoes; the input ends with Ctrl+D;
- a span of two billion years keeps the page responsive, keeps the scroll-back bounded,
  and "Abbrechen" ends the run at once;
- the page loads with no console error and requests nothing outside its folder;
- served over HTTP, its service worker makes it work offline after the first visit;
- screenshots at 1280 and 360 px wide.

    page_test.py WEB_FOLDER TRANSCRIPTS_FOLDER SCREENSHOT_FOLDER
    page_test.py --first-prompt WEB_FOLDER     prints the milliseconds from the start of
                                               loading to the first prompt, the median of 5

Exits 77 (skipped), saying why, where Chromium, chromedriver or Selenium is missing; with
CI=true, where every test must run, it fails instead.
"""
import functools
import http.server
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

FIRST_PROMPT = "Geben Sie das erste Datum"
PAGE_ENDED = "Das Programm ist beendet"


def skip(reason):
    """Ends the test as skipped, or as failed where every test must run (skipping.sh)."""
    skipping = pathlib.Path(__file__).resolve().parents[1] / "system" / "skipping.sh"
    sys.exit(subprocess.run(["bash", str(skipping), reason], check=False).returncode)


try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.common.exceptions import ElementNotInteractableException
except ImportError:
    skip("Selenium is missing (Debian: apt-get install python3-selenium)")
for program in ("chromium", "chromedriver"):
    if not shutil.which(program):
        skip(f"{program} is missing (Debian: apt-get install chromium chromium-driver)")


def browser(width=1280, height=900):
    options = webdriver.ChromeOptions()
    # As root, in a sandbox of its own, and quiet: no connection to anything but the page.
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--hide-scrollbars",
                     f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.binary_location = shutil.which("chromium")
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)


def wait_for(condition, seconds=20, what="the page"):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.02)
    raise AssertionError(f"waited {seconds} s in vain for {what}")


def output_text(driver):
    """The output region's text without the echoes of what was typed."""
    return driver.execute_script(
        "const region = document.getElementById('ausgabe').cloneNode(true);"
        "region.querySelectorAll('kbd').forEach((typed) => typed.remove());"
        "return region.textContent;")


def state(driver):
    return driver.find_element(By.ID, "zustand").text


def open_page(driver, url):
    driver.get(url)
    wait_for(lambda: FIRST_PROMPT in output_text(driver), what="the first prompt")


def type_line(driver, text, key):
    """Puts `text` into the input line as typed, then presses `key`; false once the program
    has ended and takes no more input."""
    line = driver.find_element(By.ID, "eingabe")
    if not line.is_enabled():
        return False
    driver.execute_script("arguments[0].value = arguments[1];", line, text)
    try:
        line.send_keys(key)
    except ElementNotInteractableException:  # the program ended in the meantime
        return False
    return True


def typed_lines(data):
    """The lines of a transcript's input as a user would type them, and whether the last
    one has no line end."""
    if data.startswith((b"\xff\xfe", b"\xfe\xff")):
        text = data.decode("utf-16")
    else:
        text = data.decode("utf-8", errors="replace")
    lines = text.split("\n")
    unfinished = lines.pop()
    return lines, unfinished


def check_transcripts(driver, page_url, transcripts):
    failures = []
    for given in sorted(transcripts.glob("*.in")):
        open_page(driver, page_url)
        lines, unfinished = typed_lines(given.read_bytes())
        for text in lines:
            if not type_line(driver, text, Keys.ENTER):
                break
        if unfinished:
            type_line(driver, unfinished, Keys.CONTROL + "d")
        type_line(driver, "", Keys.CONTROL + "d")
        wait_for(lambda: PAGE_ENDED in state(driver), what=f"the end of {given.name}")
        expected = given.with_suffix(".out").read_text(encoding="utf-8")
        if output_text(driver) != expected:
            failures.append(given.stem)
            print(f"{given.stem}: the page shows\n{output_text(driver)}")
    print(f"transcripts in the page: {len(list(transcripts.glob('*.in'))) - len(failures)} "
          f"of {len(list(transcripts.glob('*.in')))} as at the console")
    return not failures


def check_long_span(driver, page_url):
    open_page(driver, page_url)
    type_line(driver, "1 1 -1000000000", Keys.ENTER)
    type_line(driver, "1 1 1000000000", Keys.ENTER)
    wait_for(lambda: "ausgelassen" in output_text(driver), what="lines left out")
    # The page answers while the program writes: no timer waits long.
    delays = driver.execute_async_script(
        "const done = arguments[0]; const delays = [];"
        "function tick(last) { setTimeout(() => { const now = performance.now();"
        "  delays.push(now - last); if (delays.length < 40) tick(now); else done(delays); }, 0); }"
        "tick(performance.now());")
    lines = driver.execute_script(
        "return document.getElementById('ausgabe').textContent.split('\\n').length;")
    stopped = driver.execute_script(
        "const started = performance.now();"
        "document.getElementById('abbrechen').click();"
        "return performance.now() - started;")
    before = output_text(driver)
    time.sleep(0.2)
    ok = True
    if max(delays) > 100:
        print(f"long span: the page waited {max(delays):.0f} ms for a timer")
        ok = False
    if lines > 1300:
        print(f"long span: {lines} lines in the scroll-back")
        ok = False
    if state(driver) != "Abgebrochen." or output_text(driver) != before or stopped > 200:
        print(f"long span: after Abbrechen ({stopped:.0f} ms) the state is {state(driver)!r}")
        ok = False
    if ok:
        print(f"long span: responsive (longest timer wait {max(delays):.0f} ms), "
              f"{lines} lines kept, stopped by Abbrechen in {stopped:.0f} ms")
    return ok


def check_quiet_and_local(driver, page_url, folder_url):
    errors = [entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    requested = set()
    for entry in driver.get_log("performance"):
        if '"Network.requestWillBeSent"' in entry["message"]:
            url = entry["message"].split('"url":"', 2)[-1].split('"', 1)[0]
            requested.add(url)
    outside = sorted(url for url in requested
                     if not url.startswith((folder_url, "blob:", "data:")))
    if errors or outside:
        print(f"console errors: {errors}\nrequests outside the folder: {outside}")
        return False
    print(f"no console error; {len(requested)} requests, all inside the page's folder")
    return True


def check_offline(web):
    """Served over HTTP, the page works again after the server has gone."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    handler = functools.partial(Quiet, directory=str(web))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    driver = browser()
    try:
        open_page(driver, url)
        caches = driver.execute_async_script(
            "navigator.serviceWorker.ready.then(() => caches.keys()).then(arguments[0]);")
        # A new version must come with a cache of its own, or the old page stays.
        if len(caches) != 1 or not re.fullmatch(r"tage-\d+\.\d+\.\d+", caches[0]):
            print(f"offline: the page is cached as {caches}, not under its version")
            return False
        server.shutdown()
        server.server_close()
        open_page(driver, url)
        print("served over HTTP: installable, and works offline after the first visit")
        return True
    except AssertionError as error:
        print(f"offline: {error}")
        return False
    finally:
        driver.quit()


def screenshots(page_url, folder):
    folder.mkdir(parents=True, exist_ok=True)
    for width, height in ((1280, 900), (360, 740)):
        driver = browser(max(width, 800), height)
        try:
            # A headless window is at least 500 px wide: a phone's width is emulated.
            driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": height, "deviceScaleFactor": 1,
                "mobile": width < 800})
            open_page(driver, page_url)
            for text in ("15 6 1999", "20 2 2003"):
                type_line(driver, text, Keys.ENTER)
            wait_for(lambda: "Vom 15. 6. 1999" in output_text(driver), what="the summary")
            overflow = driver.execute_script(
                "return document.documentElement.scrollWidth > window.innerWidth;")
            driver.save_screenshot(str(folder / f"seite-{width}.png"))
            if overflow:
                print(f"at {width} px the page is wider than the window")
                return False
        finally:
            driver.quit()
    print(f"screenshots at 1280 and 360 px in {folder}")
    return True


def first_prompt_milliseconds(web):
    driver = browser()
    try:
        times = []
        for _ in range(5):
            open_page(driver, (web / "index.html").as_uri())
            times.append(driver.execute_script(
                "return performance.getEntriesByName('erste Frage')[0].startTime;"))
        return statistics.median(times)
    finally:
        driver.quit()


def main():
    if sys.argv[1] == "--first-prompt":
        print(f"{first_prompt_milliseconds(pathlib.Path(sys.argv[2]).resolve()):.0f}")
        return 0
    web, transcripts, pictures = (pathlib.Path(argument).resolve() for argument in sys.argv[1:4])
    page_url = (web / "index.html").as_uri()
    driver = browser()
    try:
        ok = check_transcripts(driver, page_url, transcripts)
        ok = check_quiet_and_local(driver, page_url, web.as_uri() + "/") and ok
        ok = check_long_span(driver, page_url) and ok
    finally:
        driver.quit()
    ok = check_offline(web) and ok
    ok = screenshots(page_url, pictures) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
