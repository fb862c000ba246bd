// The panel page: the windows as the host draws them, the pilot's mouse, the inspector.
// Everything goes over one websocket to tj20host serve (docs/host.md lists the messages).
"use strict";

const $ = (id) => document.getElementById(id);
const state = {
  layout: null, shared: {}, sim: {}, watched: new Set(), tab: "shared",
  paused: false, held: false, pointerBusy: false, dragPending: null,
  expectations: new Map(),
};
let socket = null;

function send(message) {
  if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(message));
}

function connect() {
  socket = new WebSocket(`ws://${location.host}/ws`);
  socket.onopen = () => { $("status").textContent = "connected"; $("status").className = ""; };
  socket.onclose = () => {
    $("status").textContent = "disconnected: reconnecting"; $("status").className = "bad";
    setTimeout(connect, 1000);
  };
  socket.onmessage = (e) => receive(JSON.parse(e.data));
}

function receive(m) {
  switch (m.type) {
    case "layout": return showLayout(m);
    case "snapshot": case "frame": return showFrame(m);
    case "control": return showRunState(m);
    case "pointer": return showPointer(m);
    case "scenarios": return showScenarios(m);
    case "scenario-start": return scenarioStart(m);
    case "scenario-step": return scenarioStep(m.line);
    case "scenario-report": return scenarioReport(m.text);
    case "scenario-end": return scenarioEnd(m);
    case "error": return message(`error: ${m.message}`);
    default: return;
  }
}

function message(text) {
  const li = document.createElement("li");
  li.textContent = text;
  $("messages").prepend(li);
  while ($("messages").children.length > 50) $("messages").lastChild.remove();
}

// ---- Windows ----------------------------------------------------------------------------

function showLayout(m) {
  state.layout = m;
  $("title").textContent = m.panel;
  const panel = $("panel"), buttons = $("windows");
  panel.textContent = ""; buttons.textContent = "";
  for (const w of m.windows) {
    const box = document.createElement("div");
    box.className = "window"; box.id = `window-${w.section}`; box.hidden = true;
    const h = document.createElement("h3");
    h.textContent = w.title;
    // The window's picture: a canvas the host's pictures (the whole, then the boxes that
    // changed) are drawn on, in the order they came.
    const img = document.createElement("canvas");
    img.id = `picture-${w.section}`; img.title = "";
    img.width = w.width; img.height = w.height;
    img.dataset.section = w.section; img.drawn = Promise.resolve(); img.pictures = 0;
    attachMouse(img, w);
    box.append(h, img);
    panel.append(box);
    const b = document.createElement("button");
    b.type = "button"; b.id = `toggle-${w.section}`; b.textContent = w.title;
    b.onclick = () => send({ type: "window", window: w.section, visible: box.hidden });
    buttons.append(b);
  }
}

function showFrame(m) {
  if (m.type === "snapshot") {
    state.shared = {}; state.sim = {};
    showRunState(m);
    $("keys").textContent = ""; $("sounds").textContent = "";
  }
  if (m.cycle !== undefined) $("cycle").textContent = `cycle ${m.cycle}`;
  for (const [section, w] of Object.entries(m.windows || {})) {
    const box = $(`window-${section}`);
    if (!box) continue;
    if (w.visible !== undefined) {
      box.hidden = !w.visible;
      $(`toggle-${section}`).classList.toggle("open", w.visible);
    }
    if (w.picture) drawPicture($(`picture-${section}`), w.picture);
  }
  const changed = new Set();
  for (const [k, v] of Object.entries(m.shared || {})) { state.shared[k] = v; changed.add(`shared:${k}`); }
  for (const [k, v] of Object.entries(m.sim || {})) { state.sim[k] = v; changed.add(`sim:${k}`); }
  if (m.type === "snapshot") rebuildValues(); else updateValues(changed);
  for (const e of m.events || []) journal(e);
}

function drawPicture(canvas, p) {
  const bytes = Uint8Array.from(atob(p.png), (c) => c.charCodeAt(0));
  const decoded = createImageBitmap(new Blob([bytes], { type: "image/png" }));
  canvas.drawn = canvas.drawn.then(() => decoded).then((bitmap) => {
    canvas.getContext("2d").drawImage(bitmap, p.x, p.y);
    bitmap.close();
    canvas.pictures += 1;
  }).catch((e) => message(`a picture could not be drawn: ${e}`));
}

// The window point under the mouse, in the window's own pixels (the picture may be scaled).
function windowPoint(img, e) {
  const r = img.getBoundingClientRect();
  const x = Math.floor((e.clientX - r.left) * img.width / r.width);
  const y = Math.floor((e.clientY - r.top) * img.height / r.height);
  return { x: Math.max(0, Math.min(img.width - 1, x)), y: Math.max(0, Math.min(img.height - 1, y)) };
}

function attachMouse(img, w) {
  img.addEventListener("mousedown", (e) => {
    if (e.button !== 0) return;
    e.preventDefault();
    state.held = true;
    send({ type: "mouse", window: w.section, event: "press", ...windowPoint(img, e) });
  });
  img.addEventListener("mousemove", (e) => {
    const p = windowPoint(img, e);
    if (state.held) {
      // One drag message a frame of the screen, the latest point.
      if (!state.dragPending) requestAnimationFrame(() => {
        send({ type: "mouse", window: w.section, event: "drag", ...state.dragPending });
        state.dragPending = null;
      });
      state.dragPending = p;
    }
    $("tooltip").style.left = `${e.clientX + 14}px`;
    $("tooltip").style.top = `${e.clientY + 14}px`;
    if (!state.pointerBusy) {
      state.pointerBusy = true;
      send({ type: "pointer", window: w.section, ...p });
    }
  });
  const release = () => {
    if (!state.held) return;
    state.held = false;
    send({ type: "mouse", event: "release" });
  };
  img.addEventListener("mouseup", release);
  img.addEventListener("mouseleave", () => { release(); $("tooltip").hidden = true; });
  img.addEventListener("contextmenu", (e) => {
    e.preventDefault();
    send({ type: "mouse", window: w.section, event: "right", ...windowPoint(img, e) });
  });
}

function showPointer(m) {
  state.pointerBusy = false;
  const img = $(`picture-${m.window}`);
  if (img) img.style.cursor = m.cursor;
  const tip = $("tooltip");
  tip.textContent = m.tooltip;
  tip.hidden = !m.tooltip;
}

// ---- Run state ----------------------------------------------------------------------------

function showRunState(m) {
  state.paused = m.paused;
  $("run").textContent = m.paused ? "Resume" : "Pause";
  $("step").disabled = !m.paused;
  $("speed").value = String(m.speed);
  if (m.cycle !== undefined) $("cycle").textContent = `cycle ${m.cycle}`;
}

$("run").onclick = () => send({ type: "control", action: state.paused ? "resume" : "pause" });
$("step").onclick = () => send({ type: "control", action: "step", cycles: 1 });
$("speed").onchange = () => send({ type: "control", action: "speed", speed: Number($("speed").value) });

// ---- Inspector ----------------------------------------------------------------------------

function valueText(v) {
  if (v === null) return "not a number";
  return typeof v === "number" && !Number.isInteger(v) ? String(Math.round(v * 1e6) / 1e6) : String(v);
}

function row(kind, name) {
  const tr = document.createElement("tr");
  tr.id = `${kind}-${name}`;
  tr.dataset.kind = kind; tr.dataset.name = name;
  const watch = document.createElement("input");
  watch.type = "checkbox"; watch.title = "watch";
  watch.checked = state.watched.has(`${kind}:${name}`);
  watch.onchange = () => {
    const key = `${kind}:${name}`;
    if (watch.checked) state.watched.add(key); else state.watched.delete(key);
    rebuildValues();
  };
  const input = document.createElement("input");
  input.placeholder = "set";
  input.onkeydown = (e) => {
    if (e.key !== "Enter" || input.value.trim() === "") return;
    const text = input.value.trim();
    const value = /^0x/i.test(text) || Number.isNaN(Number(text)) ? text : Number(text);
    send({ type: "set", kind, name, value });
    input.value = "";
  };
  const cells = [watch, name, "", input].map((c) => {
    const td = document.createElement("td");
    if (typeof c === "string") td.textContent = c; else td.append(c);
    return td;
  });
  cells[2].className = "value";
  tr.append(...cells);
  setRowValue(tr);
  return tr;
}

function setRowValue(tr) {
  const values = tr.dataset.kind === "shared" ? state.shared : state.sim;
  tr.children[2].textContent = valueText(values[tr.dataset.name]);
}

function rebuildValues() {
  const filter = $("filter").value.trim().toLowerCase();
  const values = state.tab === "shared" ? state.shared : state.sim;
  const body = $("values").tBodies[0], watched = $("watched").tBodies[0];
  body.textContent = ""; watched.textContent = "";
  for (const name of Object.keys(values).sort()) {
    if (filter && !name.toLowerCase().includes(filter)) continue;
    body.append(row(state.tab, name));
  }
  for (const key of [...state.watched].sort()) {
    const [kind, name] = key.split(/:(.*)/s);
    const tr = row(kind, name);
    tr.id = `watch-${kind}-${name}`;
    watched.append(tr);
  }
}

function updateValues(changed) {
  for (const tr of document.querySelectorAll("#values tr, #watched tr")) {
    const hit = changed.has(`${tr.dataset.kind}:${tr.dataset.name}`);
    if (hit) setRowValue(tr);
    tr.classList.toggle("changed", hit);
  }
}

$("filter").oninput = rebuildValues;
for (const tab of ["shared", "sim"]) {
  $(`tab-${tab}`).onclick = () => {
    state.tab = tab;
    $("tab-shared").classList.toggle("on", tab === "shared");
    $("tab-sim").classList.toggle("on", tab === "sim");
    rebuildValues();
  };
}

function journal(e) {
  const li = document.createElement("li");
  let list;
  if (e.kind === "key") {
    list = $("keys");
    li.textContent = `${e.cycle} ${e.name || e.id} ${e.value} from ${e.gauge}`;
  } else {
    list = $("sounds");
    li.textContent = `${e.cycle} ${e.call} ${e.call === "stop" ? e.alias : e.path}${e.repeat ? " repeating" : ""}`;
  }
  list.prepend(li);
  while (list.children.length > 100) list.lastChild.remove();
}

// ---- Scenarios ----------------------------------------------------------------------------

function showScenarios(m) {
  const select = $("scenario");
  select.textContent = "";
  for (const name of m.names) select.append(new Option(name, name));
}

$("run-scenario").onclick = () => send({ type: "scenario", name: $("scenario").value });

function scenarioStart(m) {
  $("scenario-summary").textContent = `${m.name}: running`;
  $("scenario-report").textContent = "";
  const list = $("expectations");
  list.textContent = "";
  state.expectations = new Map();
  for (const x of m.expectations) {
    const li = document.createElement("li");
    li.textContent = `${x.line}: ${x.text}`;
    li.dataset.line = x.line;
    list.append(li);
    state.expectations.set(x.line, li);
  }
}

// A step starts at this line: the expectations above it that did not fail have held.
function scenarioStep(line) {
  for (const [at, li] of state.expectations) if (at < line && !li.className) li.className = "passed";
}

function scenarioReport(text) {
  const li = document.createElement("li");
  li.textContent = text;
  $("scenario-report").append(li);
  const m = /:(\d+): (failed|error)/.exec(text);
  const x = m && state.expectations.get(Number(m[1]));
  if (x) x.className = "failed";
}

function scenarioEnd(m) {
  const ran = m.exit === 0 || m.exit === 1;
  if (ran) scenarioStep(Infinity);
  const verdict = m.exit === 0 ? "passed" : m.exit === 1 ? "FAILED" : "not run";
  $("scenario-summary").textContent = ran
    ? `${m.name}: ${m.steps} steps, ${m.expectations} expectations, ${m.failures} failures: ${verdict}`
    : `${m.name}: ${verdict}${m.error ? `: ${m.error}` : ""}`;
}

connect();
