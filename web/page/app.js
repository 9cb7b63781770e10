// SPDX-License-Identifier: GPL-3.0-or-later
// The window in a page: it draws the Qt window's controls where the window has them, shows
// what the core's view() holds and hands the user's actions to the core. It decides nothing.
import { SerialTransport, WebSocketTransport } from './transports.js';
import { readSettings, settingsJson, utcNow } from './settings_file.js';

const params = new URLSearchParams(location.search);
const [layout, catalogs, core] = await Promise.all([
  fetch('window.json').then((r) => r.json()),
  fetch('texts.json').then((r) => r.json()),
  MorvaneCore(),
]);

// English unless the browser (or ?lang=) asks for a language the window has.
const language = [params.get('lang'), ...navigator.languages]
  .filter(Boolean).map((l) => l.slice(0, 2)).find((l) => l === 'en' || catalogs[l]) ?? 'en';
document.documentElement.lang = language;
const catalog = catalogs[language] ?? {};
const tr = (context, english) => catalog[`${context}\u0004${english}`] ?? english;
// A list's entry: its words translated, the default's mark kept after them.
const shownEntry = (english) => (english.endsWith(' *')
  ? `${tr('Settings', english.slice(0, -2))} *` : tr('Settings', english));
// A label's caption as a name: no accelerator, number or colon.
const nameOf = (caption) => caption.replace(/&(.)/g, '$1').trim().replace(/^\d+\.\s*/, '').replace(/:$/, '').trim();
const captionOf = (text) => text.replace(/&(.)/g, '$1');

const $ = (id) => document.getElementById(id);
const root = $('window');
const ports = new Map();  // COM number -> transport
const elements = {};

const host = {
  translate: tr,
  changed: () => scheduleRender(),
  open: () => {},
  close: () => {},
  write: (n, bytes) => ports.get(n)?.write(new Uint8Array(bytes)),
};
const app = new core.WebApp(host);

// ---- the window's controls, from the Qt window's own layout
const textBoxes = new Set(['TxtConnState', 'TxtFirmVer', 'TxtHardVer', 'TxtPole', 'TxtRev', 'LbPower']);
const frames = {};
const place = (el, w, frame) => {
  const origin = frame ? frames[frame].geometry : { x: 0, y: 0 };
  el.classList.add('placed');
  Object.assign(el.style, {
    left: `${w.x - origin.x}px`, top: `${w.y - origin.y}px`, width: `${w.w}px`, height: `${w.h}px`,
    fontFamily: `"${w.face}", sans-serif`, fontSize: `${w.points}pt`, fontWeight: w.bold ? 'bold' : '',
  });
};

function describe(el, w) {
  if (w.description) {
    const d = document.createElement('span');
    d.id = `${w.name}-description`;
    d.className = 'unseen';
    d.textContent = tr('morvane::Accessibility', w.description);
    root.append(d);
    el.setAttribute('aria-describedby', d.id);
  }
}

function make(w) {
  let el;
  if (w.class === 'QGroupBox') {
    el = document.createElement('section');
    el.className = w.name === 'FrameConnect' ? 'frame' : 'frame panel';
    const title = document.createElement('span');
    title.className = 'title';
    title.textContent = tr('FormView', w.text);
    el.append(title);
    frames[w.name] = { el, geometry: w };
  } else if (w.class === 'QComboBox') {
    el = document.createElement('select');
  } else if (w.class === 'QPushButton') {
    el = document.createElement('button');
    el.type = 'button';
    el.textContent = captionOf(tr('FormView', w.text));
  } else if (w.class === 'QSlider' || w.class === 'QScrollBar') {
    el = document.createElement('input');
    el.type = 'range';
    if (w.class === 'QScrollBar') el.className = 'poles';
  } else if (textBoxes.has(w.name)) {
    el = document.createElement('input');
    el.readOnly = true;
    el.className = 'textbox';
    if (w.name === 'LbPower') el.tabIndex = -1;
  } else if (w.name.startsWith('Image')) {
    el = document.createElement('img');
    el.src = 'logo.png';
    el.alt = tr('morvane::Accessibility', 'Morvane logo');
  } else {
    el = document.createElement('label');
    el.className = 'caption';
    el.textContent = captionOf(tr('FormView', w.text));
  }
  el.id = w.name;
  if (w.accessibleName && !(el instanceof HTMLLabelElement)) {
    el.setAttribute('aria-label', tr('morvane::Accessibility', w.accessibleName));
  }
  if (w.toolTip) el.title = w.toolTip;
  describe(el, w);
  if (!w.shown) el.hidden = true;
  place(el, w, w.frame);
  (w.frame ? frames[w.frame].el : root).append(el);
  elements[w.name] = el;
  return el;
}

function build() {
  Object.assign(root.style, { width: `${layout.w}px`, height: `${layout.h}px`,
    fontFamily: `"${layout.face}", sans-serif`, fontSize: `${layout.points}pt` });
  const strip = layout.tabStrip;
  const tabs = document.createElement('div');
  tabs.id = 'TabStrip1';
  tabs.setAttribute('role', 'tablist');
  tabs.setAttribute('aria-label', tr('morvane::Accessibility', strip.accessibleName));
  describe(tabs, strip);
  place(tabs, { ...strip, h: strip.barHeight }, null);
  const page = document.createElement('div');
  page.className = 'page placed';
  Object.assign(page.style, { left: `${strip.x}px`, top: `${strip.y + strip.barHeight}px`,
    width: `${strip.w}px`, height: `${strip.h - strip.barHeight}px` });
  root.append(page, tabs);
  elements.TabStrip1 = tabs;
  for (const w of layout.widgets) make(w);
  // The panels take the tab page's place; their captions name them.
  strip.tabs.forEach((t, i) => {
    const tab = document.createElement('button');
    tab.type = 'button';
    tab.id = `tab-${i + 1}`;
    tab.setAttribute('role', 'tab');
    tab.textContent = captionOf(tr('FormView', t.text)).trim();
    tab.title = tr('morvane::Accessibility', t.toolTip);
    const panel = frames[i === 0 ? 'FrameConfig' : 'FrameRun'].el;
    panel.setAttribute('role', 'tabpanel');
    panel.setAttribute('aria-labelledby', tab.id);
    tab.setAttribute('aria-controls', panel.id);
    tab.addEventListener('click', () => app.chooseTab(i + 1));
    tabs.append(tab);
  });
  // Labels name the controls they stand beside, as in the window.
  for (const w of layout.widgets) {
    if (w.buddy) elements[w.buddy].setAttribute('aria-label', nameOf(elements[w.name].textContent));
  }
  for (const [i, s] of app.view().settings.entries()) {
    const box = elements[s.name];
    const caption = `${s.place}.${tr('Settings', s.label)}`;
    const label = layout.widgets.find((w) => w.frame === 'FrameConfig' && w.text === `${s.place}.${s.label}`);
    if (label) elements[label.name].textContent = caption;
    box.setAttribute('aria-label', nameOf(caption));
    box.addEventListener('change', () => app.pickSetting(i, box.selectedIndex));
  }
  layout.tabOrder.forEach((name, i) => {
    if (elements[name]) elements[name].tabIndex = i + 1;
  });
}

// ---- showing the core's controls
let renderQueued = false;
function scheduleRender() {
  if (renderQueued) return;
  renderQueued = true;
  queueMicrotask(() => {
    renderQueued = false;
    render();
  });
}

function fillBox(el, box, shown) {
  const texts = box.entries.map((e) => shown(e.text));
  if (el.options.length !== texts.length || texts.some((t, i) => el.options[i].text !== t)) {
    el.replaceChildren(...texts.map((t) => new Option(t)));
  }
  el.selectedIndex = box.index;
  el.disabled = !box.enabled;
}

function setRange(el, range) {
  Object.assign(el, { min: range.min, max: range.max, step: range.small });
  el.value = range.value;
  el.disabled = !range.enabled;
}

let said = {};
function announce(v) {
  const now = { [nameOf(tr('FormView', 'Status:'))]: tr('FormView', v.connState),
    [nameOf(tr('FormView', 'Hardware:'))]: tr('FormView', v.hardware),
    [nameOf(tr('FormView', 'Firmware:'))]: tr('FormView', v.firmware) };
  const changed = Object.entries(now).filter(([k, t]) => said[k] !== undefined && said[k] !== t);
  said = now;
  if (changed.length) $('announcer').textContent = changed.map(([k, t]) => `${k}: ${t}`).join(', ');
}

function render() {
  const v = app.view();
  document.title = v.caption || document.title;
  fillBox(elements.CombPort, v.port, (t) => t);
  elements.CombPort.title = ports.get(v.port.entries[v.port.index]?.data)?.label ?? '';
  for (const s of v.settings) fillBox(elements[s.name], s, shownEntry);
  elements.TxtConnState.value = tr('FormView', v.connState);
  elements.TxtHardVer.value = tr('FormView', v.hardware);
  elements.TxtFirmVer.value = tr('FormView', v.firmware);
  elements.CmdReset.disabled = !v.resetEnabled;
  [...elements.TabStrip1.children].forEach((tab, i) => {
    const selected = v.tab === i + 1;
    tab.setAttribute('aria-selected', String(selected));
    tab.tabIndex = selected ? layout.tabOrder.indexOf('TabStrip1') + 1 : -1;
  });
  frames.FrameConfig.el.hidden = !v.configShown;
  frames.FrameRun.el.hidden = !v.runShown;
  elements.TxtPole.value = v.poles;
  setRange(elements.VSlPole, v.poleBar);
  elements.TxtRev.value = v.rev;
  elements.LbPower.value = v.power;
  setRange(elements.SldPower, v.throttle);
  announce(v);
  root.setAttribute('aria-busy', 'false');
}

// ---- keys: Escape stops from anywhere; a key held before the slider took the focus
// moves nothing until it is let go.
const heldAtFocus = new Set();
const down = new Set();
document.addEventListener('keydown', (e) => {
  if (e.key === 'Escape') app.stopKey();
  if (e.target === elements.SldPower && e.repeat && heldAtFocus.has(e.key)) e.preventDefault();
  if (!e.repeat && e.target === elements.SldPower) heldAtFocus.delete(e.key);
  down.add(e.key);
  if (e.ctrlKey && !e.altKey && (e.key === 's' || e.key === 'o') && !frames.FrameConfig.el.hidden) {
    e.preventDefault();
    (e.key === 's' ? save : load)();
  }
}, true);
document.addEventListener('keyup', (e) => {
  down.delete(e.key);
  heldAtFocus.delete(e.key);
}, true);

function wireControls() {
  const { CombPort, CmdReset, SldPower, VSlPole, TabStrip1 } = elements;
  CombPort.addEventListener('change', () => app.pickPortEntry(CombPort.selectedIndex));
  CmdReset.addEventListener('click', () => app.restoreDefaults());
  SldPower.addEventListener('focus', () => down.forEach((k) => heldAtFocus.add(k)));
  SldPower.addEventListener('blur', () => heldAtFocus.clear());
  SldPower.addEventListener('input', () => app.moveThrottle(Number(SldPower.value)));
  VSlPole.addEventListener('input', () => app.movePoles(Number(VSlPole.value)));
  TabStrip1.addEventListener('keydown', (e) => {
    const step = { ArrowRight: 1, ArrowLeft: -1 }[e.key];
    if (!step) return;
    const tabs = [...TabStrip1.children];
    const next = (app.view().tab - 1 + step + tabs.length) % tabs.length;
    app.chooseTab(next + 1);
    tabs[next].focus();
  });
  frames.FrameConfig.el.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    const menu = $('panel-menu');
    Object.assign(menu.style, { left: `${e.clientX}px`, top: `${e.clientY}px` });
    menu.hidden = false;
    menu.firstElementChild.focus();
  });
  const menu = $('panel-menu');
  menu.children[0].textContent = tr('QObject', 'Save settings to file\u2026');
  menu.children[1].textContent = tr('QObject', 'Load settings from file\u2026');
  menu.addEventListener('click', (e) => {
    menu.hidden = true;
    (e.target.dataset.command === 'save' ? save : load)();
  });
  menu.addEventListener('focusout', (e) => {
    if (!menu.contains(e.relatedTarget)) menu.hidden = true;
  });
}

// ---- settings files: a download and an upload
function message(text) {
  $('message-title').textContent = tr('QObject', 'Settings file');
  $('message-text').textContent = text;
  $('message').showModal();
}

const connectFirst = () => tr('SettingsFile', 'Connect an ESC first: its five settings are read when it connects, and they would replace settings loaded before.');

function save() {
  const doc = app.panelDocument();
  doc.saved = utcNow();
  const a = document.createElement('a');
  a.href = URL.createObjectURL(new Blob([settingsJson(doc)], { type: 'application/json' }));
  a.download = 'settings.json';
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 0);
}

function load() {
  if (!app.readyForLoad()) {
    message(connectFirst());
    return;
  }
  $('load-file').value = '';
  $('load-file').click();
}

$('load-file').addEventListener('change', async (e) => {
  const file = e.target.files[0];
  if (!file) return;
  const read = readSettings(new Uint8Array(await file.slice(0, 64 * 1024 + 1).arrayBuffer()), file.name, tr);
  if (read.error) {
    message(read.error);
    return;
  }
  if (!app.readyForLoad()) {
    message(connectFirst());
    return;
  }
  const refusal = app.loadSettings(read.entries);
  if (refusal) message(`${file.name}: ${refusal}`);
});

// ---- transports: each gets the next COM number for the page's life
let nextPort = 1;
async function offer(transport, loaded) {
  await transport.open();
  const n = nextPort++;
  ports.set(n, transport);
  transport.ondata = (bytes) => app.deliver(n, bytes);
  transport.onlost = () => {
    app.portLost(n);
    ports.delete(n);
  };
  if (loaded) app.portAppeared(n); else app.portPresent(n);
  return n;
}

async function serialPorts(loaded) {
  if (!navigator.serial) return;
  for (const port of await navigator.serial.getPorts()) {
    await offer(new SerialTransport(port), loaded).catch(() => {});
  }
}

// ---- safety: the ESC is told to stop before the page goes away
addEventListener('pagehide', () => app.pageHidden());
document.addEventListener('visibilitychange', () => {
  if (document.visibilityState === 'hidden') app.hiddenWhileRunning();
});

// ---- start-up: the transports there are now, then the window's own start-up
build();
wireControls();
if (params.has('bridge')) {
  const url = params.get('bridge') || `ws://${location.host}/`;
  await offer(new WebSocketTransport(url), false).catch((e) => console.warn(e.message));
}
await serialPorts(false);
app.load();
render();
if (navigator.serial) {
  const add = $('add-port');
  add.textContent = tr('Web', 'Add a serial port\u2026');
  add.hidden = false;
  add.addEventListener('click', async () => {
    const port = await navigator.serial.requestPort().catch(() => null);
    if (port) await offer(new SerialTransport(port), true).catch((e) => message(e.message));
  });
  navigator.serial.addEventListener('connect', (e) => offer(new SerialTransport(e.target), true).catch(() => {}));
  navigator.serial.addEventListener('disconnect', (e) => {
    for (const [n, t] of ports) {
      if (t.port === e.target) t.onlost();
    }
  });
}
