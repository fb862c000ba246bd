#!/usr/bin/env python3
"""The panel's web page in headless Chromium, driven over WebDriver (chromedriver).

    panel_page_test.py <tj20host> <apu|malformed> <output directory>

apu:       opens the overhead through its window button in the drawn main panel, clicks the
           battery switch, the start pump and the APU start lever in the drawn overhead, watches the APU rpm
           climb and the APU power lights come on in the inspector and in the drawn window,
           and saves a screenshot of the page as panel_page.png.
malformed: sends malformed and hostile messages over a websocket of the page's own origin
           and checks that each gets an error reply and that the panel is unchanged; asks the
           server for files outside the page and checks they are refused.

Exits 77 (skipped) when Chromium or its driver is not installed.
"""
import base64
import http.client
import json
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

SKIPPED = 77
CHROMIUM = shutil.which("chromium") or shutil.which("chromium-browser")
DRIVER = shutil.which("chromedriver")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(what, probe, seconds=90.0, interval=0.2):
    deadline = time.monotonic() + seconds
    last = None
    while time.monotonic() < deadline:
        last = probe()
        if last:
            return last
        time.sleep(interval)
    raise AssertionError(f"timed out waiting for {what} (last seen: {last!r})")


class WebDriver:
    def __init__(self, port, profile):
        self.base = f"http://127.0.0.1:{port}"
        wait_for("chromedriver", self._ready, 20)
        caps = {"capabilities": {"alwaysMatch": {"browserName": "chrome", "goog:chromeOptions": {
            "binary": CHROMIUM,
            "args": ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     f"--user-data-dir={profile}", "--window-size=1920,1300", "--force-device-scale-factor=1"]}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]

    def _ready(self):
        try:
            return self.call("GET", "/status")["ready"]
        except (OSError, urllib.error.URLError):
            return False

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as r:
                return json.loads(r.read())["value"]
        except urllib.error.HTTPError as e:
            raise AssertionError(f"WebDriver {method} {path}: {e.read().decode(errors='replace')}") from None

    def s(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def script(self, source, *args):
        return self.s("POST", "/execute/sync", {"script": source, "args": list(args)})

    def click_at(self, x, y, button=0):
        actions = {"actions": [{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "duration": 0, "origin": "viewport", "x": int(x), "y": int(y)},
            {"type": "pointerDown", "button": button}, {"type": "pause", "duration": 60},
            {"type": "pointerUp", "button": button}]}]}
        self.s("POST", "/actions", actions)

    def quit(self):
        try:
            self.s("DELETE", "")
        except Exception:  # the browser may be gone already
            pass


class Server:
    def __init__(self, host):
        self.process = subprocess.Popen([host, "serve", "--port", "0"], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        match = re.match(r"serving (http://127\.0\.0\.1:(\d+)/)", line)
        if not match:
            self.process.kill()
            raise AssertionError(f"tj20host serve said {line!r}; stderr: {self.process.stderr.read()}")
        self.url, self.port = match.group(1), int(match.group(2))

    def stop(self):
        self.process.terminate()
        try:
            status = self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise AssertionError("tj20host serve did not stop on SIGTERM") from None
        assert status == 0, f"tj20host serve ended with {status}: {self.process.stderr.read()}"


# Where a point of a window lies in the browser's viewport (the picture may be scaled).
POINT_IN_VIEWPORT = """
const img = document.getElementById('picture-' + arguments[0]);
let r = img.getBoundingClientRect();
const y = r.top + arguments[2] * r.height / img.height;
if (y < 60 || y > innerHeight - 20) {  // scrolled to the middle of the view, clear of the sticky header
  scrollBy(0, y - innerHeight / 2);
  r = img.getBoundingClientRect();
}
return [r.left + (arguments[1] + 0.5) * r.width / img.width,
        r.top + (arguments[2] + 0.5) * r.height / img.height];
"""
# The mean brightness of a box of a window's picture, as the page shows it.
BRIGHTNESS = """
const d = document.getElementById('picture-' + arguments[0]).getContext('2d').getImageData(arguments[1], arguments[2], arguments[3], arguments[4]).data;
let sum = 0;
for (let i = 0; i < d.length; i += 4) sum += d[i] + d[i + 1] + d[i + 2];
return sum / (d.length / 4) / 3;
"""
SHARED = "const v = state.shared[arguments[0]]; return v === undefined ? null : v;"


def inspector_value(driver, name):
    """The value the inspector's table shows for a shared variable."""
    return driver.script("const r = document.getElementById('shared-' + arguments[0]);"
                         "return r ? r.children[2].textContent : null;", name)


def click_window(driver, section, x, y):
    vx, vy = driver.script(POINT_IN_VIEWPORT, section, x, y)
    driver.click_at(vx, vy)


def apu_test(driver, server, out):
    # Overhead (Window01) gauges: the APU control panel at 1002,10 (battery 169,222, start
    # lever 145,129), the engine start panel at 310,256 (start pump 30,60), the electrical distribution panel at 620,10 (APU power light 180,136).
    # The overhead's window button is the main panel's icon at 1160,856.
    driver.s("POST", "/url", {"url": server.url})
    wait_for("the main panel's picture", lambda: driver.script(
        "const i = document.getElementById('picture-Window00'); return i && i.pictures > 0;"))
    assert driver.script("return document.getElementById('window-Window01').hidden;"), "overhead open at start"
    click_window(driver, "Window00", 1168, 864)
    wait_for("the overhead window to open", lambda: driver.script(
        "const i = document.getElementById('picture-Window01');"
        "return !document.getElementById('window-Window01').hidden && i.pictures > 0;"))
    # Watch the variables through the inspector's filter.
    driver.script("const f = document.getElementById('filter'); f.value = 'apu'; f.dispatchEvent(new Event('input'));")
    light = ("Window01", 620 + 180, 10 + 136, 14, 10)
    dark = driver.script(BRIGHTNESS, *light)
    assert driver.script(SHARED, "rpm") == 0

    click_window(driver, "Window01", 1002 + 169, 10 + 222)
    wait_for("battsw 1", lambda: driver.script(SHARED, "battsw") == 1)
    wait_for("the battery's key event in the journal pane", lambda: "MasterBatteryToggle 0 from rl_tj20_apucntrl" in
             driver.script("return document.getElementById('keys').textContent;"))
    click_window(driver, "Window01", 310 + 30, 256 + 60)  # the start pump feeds the APU
    wait_for("startpump 1", lambda: driver.script(SHARED, "startpump") == 1)
    click_window(driver, "Window01", 1002 + 145, 10 + 129)
    click_window(driver, "Window01", 1002 + 145, 10 + 129)
    wait_for("apustartsw 2", lambda: driver.script(SHARED, "apustartsw") == 2)
    driver.script("const s = document.getElementById('speed'); s.value = '16'; s.dispatchEvent(new Event('change'));")
    first = wait_for("rpm to climb", lambda: driver.script(SHARED, "rpm") or None)
    wait_for("rpm to climb further", lambda: driver.script(SHARED, "rpm") > first + 20)
    wait_for("APU power available in the inspector", lambda: inspector_value(driver, "apupwravail") == "1", 150)
    assert inspector_value(driver, "gsapupwr") == "1"
    assert driver.script(SHARED, "rpm") >= 200, driver.script(SHARED, "rpm")
    lit = wait_for("the APU power light drawn lit", lambda: (lambda b: b if b > dark + 15 else None)(
        driver.script(BRIGHTNESS, *light)), 30)
    print(f"APU power light brightness {dark:.1f} -> {lit:.1f}")
    png = base64.b64decode(driver.s("GET", "/screenshot"))
    assert png.startswith(b"\x89PNG"), "the screenshot is no PNG"
    with open(os.path.join(out, "panel_page.png"), "wb") as f:
        f.write(png)


MALFORMED = [
    ("not json", "not JSON"),
    ("[1,2,3]", "not a JSON object"),
    ('{"type":42}', "'type' must be a string"),
    ('{"type":"launch"}', "unknown message type"),
    ('{"type":"mouse","window":"Window00","event":"press","x":-5,"y":10}', "'x' must be from"),
    ('{"type":"mouse","window":"Window00","event":"press","x":1e308,"y":10}', "'x' must be a whole number"),
    ('{"type":"mouse","window":"Nowhere","event":"press","x":1,"y":1}', "no window 'Nowhere'"),
    ('{"type":"mouse","window":"Window01","event":"press","x":1171,"y":232}', "hidden"),
    ('{"type":"mouse","window":"Window00","event":"poke","x":1,"y":1}', "unknown mouse event"),
    ('{"type":"set","kind":"shared","name":"battsw","value":-1}', "'value' must be from"),
    ('{"type":"set","kind":"shared","name":"nosuchvar","value":1}', "no shared variable"),
    ('{"type":"set","kind":"sim","name":"MasterBattery","value":"0x-1"}', "packed digits"),
    ('{"type":"set","kind":"file","name":"/etc/passwd","value":1}', "'kind' must be"),
    ('{"type":"control","action":"step","cycles":100000000}', "'cycles' must be from"),
    ('{"type":"window","window":"Window01","visible":"yes"}', "'visible' must be true or false"),
    ('{"type":"scenario","name":"../../etc/passwd"}', "no scenario"),
    ('{"type":"scenario","name":"/etc/passwd"}', "no scenario"),
    ('{"type":"' + "x" * 70000 + '"}', "longer than the limit"),
]

SEND_ALL = """
const [messages, done] = [arguments[0], arguments[arguments.length - 1]];
const ws = new WebSocket(`ws://${location.host}/ws`);
const replies = [];
let sent = false;
ws.onmessage = (e) => {
  const m = JSON.parse(e.data);
  if (!sent) {
    if (m.type === 'snapshot') { sent = true; for (const text of messages) ws.send(text); ws.send(new Uint8Array([1, 2])); }
    return;
  }
  if (m.type === 'error') replies.push(m.message);
  if (replies.length === messages.length + 1) { ws.close(); done(replies); }
};
setTimeout(() => done(replies), 20000);
"""


def observed(driver):
    return driver.script("return JSON.stringify([state.shared, state.sim, document.getElementById('cycle').textContent,"
                         "[...document.querySelectorAll('.window')].map(w => w.hidden)]);")


def malformed_test(driver, server, out):
    driver.s("POST", "/url", {"url": server.url})
    wait_for("the page's snapshot", lambda: driver.script("return Object.keys(state.shared).length > 0;"))
    driver.click_at(*driver.script("const r = document.getElementById('run').getBoundingClientRect();"
                                   "return [r.left + r.width / 2, r.top + r.height / 2];"))
    wait_for("the panel paused", lambda: driver.script("return state.paused;"))
    time.sleep(0.5)
    before = observed(driver)
    driver.s("POST", "/timeouts", {"script": 30000})
    replies = driver.s("POST", "/execute/async", {"script": SEND_ALL, "args": [[m for m, _ in MALFORMED]]})
    assert len(replies) == len(MALFORMED) + 1, f"{len(replies)} error replies to {len(MALFORMED) + 1} messages: {replies}"
    for (message, expected), reply in zip(MALFORMED, replies):
        assert expected in reply, f"{message[:60]!r}: reply {reply!r} does not say {expected!r}"
    assert "binary" in replies[-1], replies[-1]
    time.sleep(0.5)
    assert observed(driver) == before, "a refused message changed the panel"

    # Only the page's own files are served, whatever the request names.
    for target in ["/../../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/index.html/../../CMakeLists.txt",
                   "//etc/passwd", "/web/app.js", "/app.js?x=1", "/.git/config", "/style.css%00"]:
        c = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
        c.request("GET", target)
        r = c.getresponse()
        body = r.read()
        assert r.status == 404 and b"root:" not in body, f"{target}: {r.status}"
        c.close()
    c = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    c.request("GET", "/app.js")
    assert c.getresponse().status == 200
    # Another site's page may not open the panel's websocket.
    c = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
    c.request("GET", "/ws", headers={"Upgrade": "websocket", "Connection": "Upgrade", "Sec-WebSocket-Version": "13",
                                     "Sec-WebSocket-Key": "dGhlIHNhbXBsZSBub25jZQ==", "Origin": "http://evil.example"})
    assert c.getresponse().status == 404
    # Nor may a page whose own name was made to resolve to this machine (DNS rebinding).
    for target in ["/", "/ws"]:
        c = http.client.HTTPConnection("127.0.0.1", server.port, timeout=10)
        c.request("GET", target, headers={"Host": f"rebound.example:{server.port}"})
        r = c.getresponse()
        assert r.status == 403 and b"<html" not in r.read(), f"{target} for another host name: {r.status}"
        c.close()


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in ("apu", "malformed"):
        print(__doc__, file=sys.stderr)
        return 2
    if not CHROMIUM or not DRIVER:
        print("chromium or chromedriver is not installed: skipped")
        return SKIPPED
    host, which, out = sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    server = Server(host)
    driver_port = free_port()
    driver_process = subprocess.Popen([DRIVER, f"--port={driver_port}"], stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL)
    profile = tempfile.mkdtemp(prefix="tj20-browser-")
    driver = None
    try:
        driver = WebDriver(driver_port, profile)
        (apu_test if which == "apu" else malformed_test)(driver, server, out)
    finally:
        if driver:
            driver.quit()
        driver_process.terminate()
        driver_process.wait(20)
        shutil.rmtree(profile, ignore_errors=True)
        server.stop()
    print(f"{which}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
