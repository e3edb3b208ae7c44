#!/usr/bin/python3
"""The browser page's figures against a real host on the loopback, beside the desktop
client's figures from kroda-network-bench in the same run:

  first visit: the bytes a browser takes, HTTP and WebSocket, from opening the link to the game
    drawn and playable, and the time to a form ready to type in;
  link to first frame: a returning player's page (its join kept) opening the link, from the
    navigation's start to the first frame of the game drawn, median over 20 visits;
  tap to answer: from a finger lifted off the throw button (a button acts on release) to
    the host's answer drawn on the page, median and p99 over TAPS taps (the game, at speed 20
    with the computer on the other seat, is started again when it ends);
  bytes per second while the narrator types: what the page receives.

    bench/web_figures.py GAME_DIR [TAPS] [NETWORK_BENCH]

Never a timed test: it prints, it does not judge.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

GAME = os.path.abspath(sys.argv[1])
TAPS = int(sys.argv[2]) if len(sys.argv) > 2 else 500
NETWORK_BENCH = sys.argv[3] if len(sys.argv) > 3 else None
scratch = tempfile.mkdtemp()


def start_host(speed):
    run = tempfile.mkdtemp(dir=scratch)
    os.chmod(run, 0o700)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=run,
               XDG_DATA_HOME=os.path.join(run, "data"))
    host = subprocess.Popen([os.path.join(GAME, "kroda"), "--host", "--port", "0", "--seats",
                             "cn", "--speed", str(speed), "--narration"], cwd=GAME, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    _, port, _, code = host.stdout.readline().split()
    return host, f"http://127.0.0.1:{port}/#{code}"


def browser():
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-first-run", f"--user-data-dir={tempfile.mkdtemp(dir=scratch)}"):
        options.add_argument(argument)
    options.add_experimental_option("mobileEmulation", {
        "deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 3, "touch": True}})
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(condition, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.005)
    return None


def script(driver, text, *args):
    return driver.execute_script(text, *args)


def playing(driver):
    return script(driver, "return document.body.dataset.phase") == "playing"


def mark(driver, name):
    return script(driver, "const m = performance.getEntriesByName(arguments[0]);"
                          "return m.length ? m[m.length - 1].startTime : null", name)


def traffic(driver):
    """HTTP bytes (headers and bodies as they came over the wire) and WebSocket payload bytes
    received, from the browser's network log since the last call."""
    http = socket = 0
    for entry in driver.get_log("performance"):
        event = json.loads(entry["message"])["message"]
        if event["method"] == "Network.loadingFinished":
            http += event["params"].get("encodedDataLength", 0)
        elif event["method"] == "Network.webSocketFrameReceived":
            socket += len(event["params"]["response"]["payloadData"].encode())
    return http, socket


def tap(driver, element_id):
    box = script(driver, "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                         "return [r.left + r.width / 2, r.top + r.height / 2]", element_id)
    point = [{"x": box[0], "y": box[1], "radiusX": 4, "radiusY": 4, "force": 1}]
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def join(driver, link, name="Nok"):
    driver.get(link)
    ready = script(driver, "return performance.getEntriesByType('navigation')[0]"
                           ".domContentLoadedEventEnd")
    driver.find_element("id", "name1").send_keys(name)
    script(driver, "window.joinedAt = performance.now()")
    driver.find_element("id", "join").click()
    first = wait_for(lambda: mark(driver, "kroda-first-frame"))
    return ready, first - script(driver, "return window.joinedAt")


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(share * len(ordered)))]


def main():
    if NETWORK_BENCH:
        print("desktop client (kroda-network-bench):", flush=True)
        subprocess.run([NETWORK_BENCH, GAME], check=True)

    # The first visit, at the designed speed: the greeting is typed while the page watches.
    host, link = start_host(1)
    driver = browser()
    try:
        traffic(driver)
        ready, join_ms = join(driver, link)
        http, socket = traffic(driver)
        print(f"first visit: {http + socket:,} bytes until playable "
              f"({http:,} HTTP, {socket:,} WebSocket); form ready {ready:.0f} ms; "
              f"join pressed to first frame {join_ms:.0f} ms")
        started = time.monotonic()
        time.sleep(4)
        _, typed = traffic(driver)
        print(f"while the narrator types: {typed / (time.monotonic() - started):,.0f} bytes/s")

        # A returning player: the page opens the link and joins by itself.
        firsts = []
        for _ in range(20):
            driver.get("about:blank")
            driver.get(link)
            wait_for(lambda: mark(driver, "kroda-first-frame") is not None)
            firsts.append(mark(driver, "kroda-first-frame"))
        print(f"link to first frame (page's join kept): median {statistics.median(firsts):.0f} ms, "
              f"max {max(firsts):.0f} ms over {len(firsts)} visits")
    finally:
        driver.quit()
        host.kill()

    # Taps on the throw button, each answered by the host's next moment drawn on the page.
    durations = []
    while len(durations) < TAPS:
        host, link = start_host(20)
        driver = browser()
        try:
            join(driver, link)
            script(driver, "window.addEventListener('touchend', () => {"
                           "window.tappedAt = performance.now() }, true)")
            while len(durations) < TAPS:
                if not wait_for(lambda: script(
                        driver, "const b = document.getElementById('throw');"
                                "return !b.hidden && b.getClientRects().length > 0"), 20):
                    break  # the game is over, or the seat bankrupt
                answers = len(script(driver, "return performance.getEntriesByName('kroda-answer')"))
                tap(driver, "throw")
                if not wait_for(lambda: len(script(
                        driver, "return performance.getEntriesByName('kroda-answer')")) > answers, 5):
                    continue
                durations.append(mark(driver, "kroda-answer") - script(driver, "return window.tappedAt"))
        finally:
            driver.quit()
            host.kill()
    print(f"tap to answer drawn: median {statistics.median(durations):.1f} ms, "
          f"p99 {percentile(durations, 0.99):.1f} ms over {len(durations)} taps")


main()
