#!/usr/bin/python3
"""A whole game from two browsers, driven from outside as people would play it.

Nok holds a phone (390 x 844, touch) and plays by taps; Dang sits at a desktop browser and
plays by keys. Both open the link the host's QR code gave. The host's narration (its stdout)
says whose turn it is and what is asked. Midway Dang's page is reloaded while Nok plays and
takes its seat back with the token it kept. At the end each page's narration must be the
host's, byte for byte (Dang's as a beginning and an end of it).

    web_road.py LINK WORK [SHOTS]

WORK holds host.out; SHOTS, when given, receives the screenshots of the page. Exit status 0
passed, 1 failed.
"""
import os
import re
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

LINK, WORK = sys.argv[1], sys.argv[2]
SHOTS = sys.argv[3] if len(sys.argv) > 3 else WORK
HOST_OUT = os.path.join(WORK, "host.out")
started = time.monotonic()


class Failed(Exception):
    pass


def note(text):
    print(f"web_road: {text}", flush=True)


def browser(name, phone):
    options = Options()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-first-run", "--disable-extensions",
                     f"--user-data-dir={WORK}/chromium-{name}"):
        options.add_argument(argument)
    if phone:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 3, "touch": True},
            "userAgent": "Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
                         "(KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36"})
    else:
        options.add_argument("--window-size=1280,800")
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.set_script_timeout(10)
    return driver


def wait_for(what, condition, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise Failed(f"waited {seconds} s in vain for {what}")


def phase(driver):
    return driver.execute_script("return document.body.dataset.phase")


def seats(driver):
    """The seats the host gave the page, as "1" or "2,3"; empty until its welcome."""
    return driver.execute_script("return document.body.dataset.seats || ''")


def message(driver):
    return driver.execute_script("return document.getElementById('message').textContent")


def shown(driver, element_id):
    return driver.execute_script(
        "const e = document.getElementById(arguments[0]);"
        "return !!e && !e.hidden && e.getClientRects().length > 0", element_id)


def tap_at(driver, x, y):
    """A finger on the screen and off it again, as a phone's touch screen gives it."""
    point = [{"x": x, "y": y, "radiusX": 4, "radiusY": 4, "force": 1}]
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": point})
    time.sleep(0.03)
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})


def tap(driver, element_id):
    box = driver.execute_script(
        "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
        "return [r.left + r.width / 2, r.top + r.height / 2]", element_id)
    tap_at(driver, box[0], box[1])


def keys(driver, *pressed):
    for key in pressed:
        ActionChains(driver).send_keys(key).perform()
        time.sleep(0.04)


def narration(driver):
    return driver.execute_script(
        "return Array.from(document.querySelectorAll('#narration li'), li => li.textContent)")


def screenshot(driver, name):
    path = os.path.join(SHOTS, name)
    driver.save_screenshot(path)
    note(f"screenshot {path}")


def join(driver, name, tapping):
    driver.get(LINK)
    wait_for(f"{name}'s join form", lambda: shown(driver, "name1"))
    code = driver.execute_script("return document.getElementById('code').value")
    if code != LINK.split("#", 1)[1]:
        raise Failed(f"the form took the code {code!r} from the link {LINK}")
    driver.find_element("id", "name1").send_keys(name)
    if tapping:
        tap(driver, "join")
    else:
        keys(driver, "\n")
    wait_for(f"{name} welcomed", lambda: seats(driver) or phase(driver) == "ended")
    if phase(driver) == "ended":
        raise Failed(f"{name} was not let in: {message(driver)}")


# --- the host's narration: lines "<ms> <step> <message>"
consumed = 0


def host_lines():
    with open(HOST_OUT, encoding="utf-8") as f:
        return [line.rstrip("\n") for line in f if re.match(r"^\d+ \d+ ", line)]


def next_line(seconds):
    global consumed
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        lines = host_lines()
        if len(lines) > consumed:
            consumed += 1
            _, step, text = lines[consumed - 1].split(" ", 2)
            return int(step), text
        time.sleep(0.05)
    return None


def play():
    nok = browser("nok", phone=True)
    dang = browser("dang", phone=False)
    drivers = [nok, dang]
    try:
        join(nok, "Nok", tapping=True)
        if seats(nok) != "1":
            raise Failed("Nok, first to join, does not hold seat 1")
        join(dang, "Dang", tapping=False)
        for driver, name in ((nok, "Nok"), (dang, "Dang")):
            wait_for(f"{name}'s game", lambda d=driver: phase(d) == "playing", 30)
        note("both pages joined by the QR code's link and show the game")

        # Seat 1's keys are S D F, seat 2's J K L: the middle one throws, the first says yes to
        # an offer and the last no.
        page = {"Nok": nok, "Dang": dang}
        current, turns, throws, offers, cards = "Nok", 0, 0, 0, 0
        reloaded, dang_before, shots = False, [], False

        def throw(who):
            nonlocal throws
            for _ in range(3):
                throws += 1
                if who == "Nok":
                    wait_for("Nok's throw button", lambda: shown(nok, "throw"), 10)
                    tap(nok, "throw")
                else:
                    keys(dang, "k")
                said = next_line(8)
                if said:
                    step, text = said
                    if step in (9, 15):
                        return
                    if step in (10, 11):
                        throw(who)
                        return
                    raise Failed(f"after {who}'s throw the host's narrator said: {text}")
            raise Failed(f"{who}'s {'taps' if who == 'Nok' else 'keys'} threw no dice")

        deadline = time.monotonic() + 600
        while True:
            if time.monotonic() > deadline:
                raise Failed(f"no winner after {turns} turns")
            said = next_line(60)
            if not said:
                raise Failed("the host's narrator fell silent")
            step, text = said
            if "เป็นผู้ชนะ" in text:
                winner = text
                break
            if step in (3, 4, 5, 6, 12):
                if "Nok" in text:
                    current = "Nok"
                elif "Dang" in text:
                    current = "Dang"
                else:
                    continue
                if step == 12:
                    turns += 1
                    if not shots and turns >= 3 and current == "Nok":
                        shots = True
                        screenshot(nok, "web-phone.png")
                        nok.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                            "width": 844, "height": 390, "deviceScaleFactor": 3, "mobile": True})
                        time.sleep(0.5)
                        screenshot(nok, "web-phone-side.png")
                        nok.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                            "width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True})
                        screenshot(dang, "web-desktop.png")
                    if not reloaded and turns >= 5 and current == "Nok":
                        dang_before = narration(dang)
                        dang.refresh()
                        wait_for("Dang's page back in the game", lambda: phase(dang) == "playing", 30)
                        if seats(dang) != "2":
                            raise Failed("Dang's reloaded page does not hold seat 2")
                        reloaded = True
                        note(f"Dang's page was reloaded after {turns} turns and took seat 2 back")
                throw(current)
            elif step == 14:
                if "O=ซื้อ" in text:
                    offers += 1
                    yes = offers % 4 != 0
                    if current == "Nok":
                        wait_for("Nok's offer buttons", lambda: shown(nok, "buy"), 10)
                        tap(nok, "buy" if yes else "decline")
                    else:
                        keys(dang, "j" if yes else "l")
                elif text == "กดคีย์ใด ๆ เพื่อปิดบัตร":
                    cards += 1
                    if current == "Nok":
                        # The card stands over the board's middle: a tap on it closes it.
                        wait_for("the card on Nok's page", lambda: shown(nok, "closecard"), 10)
                        box = nok.execute_script(
                            "const r = document.getElementById('board').getBoundingClientRect();"
                            "return [r.left + r.width / 2, r.top + r.height / 2]")
                        tap_at(nok, box[0], box[1])
                    else:
                        time.sleep(0.3)
                        keys(dang, " ")
        if not reloaded:
            raise Failed("the game ended before Dang's page could be reloaded")
        note(f"{winner} after {turns} turns: {throws} throws, {offers} offers, {cards} cards")

        # --- the narrations: each page holds the host's lines, which may still be coming
        wait_for("Nok's page to hold the host's narration, line for line",
                 lambda: narration(nok) == host_lines(), 10)
        host = host_lines()
        after = wait_for("Dang's page to hold the end of the host's narration",
                         lambda: narration(dang)[-1:] == host[-1:] and narration(dang), 10)
        if dang_before != host[:len(dang_before)] or after != host[len(host) - len(after):]:
            raise Failed("Dang's narration is no beginning and end of the host's")
        if not dang_before:
            raise Failed("Dang's page held no narration before its reload")
        note(f"both pages hold the host's {len(host)} narration lines")
        for driver, name in ((nok, "Nok"), (dang, "Dang")):
            errors = [e for e in driver.get_log("browser") if e.get("level") == "SEVERE"]
            if errors:
                raise Failed(f"{name}'s page logged errors: {errors[:3]}")
        return 0
    except Failed as failure:
        note(f"FAILED after {time.monotonic() - started:.0f} s: {failure}")
        for driver, name in ((nok, "nok"), (dang, "dang")):
            try:
                driver.save_screenshot(os.path.join(WORK, f"{name}-failed.png"))
                note(f"{name}: phase {phase(driver)}, message {message(driver)!r}")
            except Exception:  # a page that is gone says nothing more
                pass
        return 1
    finally:
        for driver in drivers:
            driver.quit()


sys.exit(play())
