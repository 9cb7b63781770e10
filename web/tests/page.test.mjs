// SPDX-License-Identifier: GPL-3.0-or-later
// The page in a real browser (the system's Chromium, headless) against the simulated ESC
// over the WebSocket bridge: what the user does and what the wire carries.
import assert from 'node:assert/strict';
import { mkdirSync, readFileSync, watch, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';
import { startBridge } from '../bridge.mjs';

const nativeBuild = process.env.MORVANE_NATIVE_BUILD ?? 'build/release';
const pageDir = process.env.MORVANE_WEB_DIR ?? 'build/web';
const shots = process.env.MORVANE_WEB_SHOTS ?? 'build/web-shots';
const STOP = '41 53 04 00';
// A step that never comes fails its test instead of hanging the run.
const T = { timeout: 30000 };

let browser;
before(async () => {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
});
after(() => browser?.close());

// The frames the ESC has heard, as hex.
const frames = (bridge) => readFileSync(bridge.log, 'utf8').split('\n')
  .map((line) => / frame (([0-9a-f]{2} ?)+)/.exec(line)?.[1].trim()).filter(Boolean);

// Resolves once the ESC has heard a frame, after the first `from`, that `match` accepts;
// woken by the log's own writes. A test that ends first closes the watch.
const watchers = new Set();
function heard(bridge, match, from = 0) {
  return new Promise((resolve) => {
    const look = () => {
      const found = frames(bridge).slice(from).find(match);
      if (found) {
        watcher.close();
        watchers.delete(watcher);
        resolve(found);
      }
    };
    const watcher = watch(bridge.log, look);
    watchers.add(watcher);
    look();
  });
}

async function session(t, { lang, simArgs } = {}) {
  const bridge = await startBridge(nativeBuild, pageDir, simArgs);
  const context = await browser.newContext({ acceptDownloads: true, locale: lang ?? 'en-US' });
  const page = await context.newPage();
  t.after(async () => {
    for (const watcher of watchers) watcher.close();
    watchers.clear();
    await context.close();
    await bridge.close();
  });
  await page.goto(bridge.url);
  return { bridge, page };
}

const value = (page, id) => page.$eval(`#${id}`, (el) => el.value);
const connected = (page) => page.waitForFunction(() => document.getElementById('TxtConnState')?.value === 'Connected');
// The page has read the five settings once the ESC has heard a frame after the fifth read:
// the window sends the next only when it has handled the reply before.
async function settingsRead(page, bridge) {
  await connected(page);
  const isRead = (f) => f.startsWith('41 53 02');
  await heard(bridge, () => frames(bridge).filter(isRead).length >= 5);
  await heard(bridge, () => true, frames(bridge).findLastIndex(isRead) + 1);
}

async function running(page, bridge) {
  await connected(page);
  await page.click('#tab-2');
  await page.focus('#SldPower');
  for (let i = 0; i < 10; i++) await page.keyboard.press('ArrowRight');
  await heard(bridge, (f) => f.startsWith('41 53 04') && f !== STOP);
}

test('the handshake shows Connected, the model and the firmware', T, async (t) => {
  const { page } = await session(t);
  await connected(page);
  await page.waitForFunction(() => document.getElementById('TxtFirmVer')?.value !== 'Unknown');
  assert.notEqual(await value(page, 'TxtHardVer'), 'Unknown');
  assert.match(await value(page, 'TxtFirmVer'), /\d/);
  assert.match(await page.title(), /^Morvane ESC Config V\d/);
});

test('a pick gives one write, and the box shows what the ESC confirmed', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await settingsRead(page, bridge);
  const before = frames(bridge).length;
  const box = await page.$('#CombBrake');
  const picked = await box.evaluate((s) => (s.selectedIndex + 1) % s.options.length);
  await box.selectOption({ index: picked });
  const write = await heard(bridge, (f) => f.startsWith('41 53 03'), before);
  await page.waitForFunction(() => !document.getElementById('CmdReset').disabled);
  assert.equal(frames(bridge).slice(before).filter((f) => f.startsWith('41 53 03')).length, 1, write);
  assert.equal(await box.evaluate((s) => s.selectedIndex), picked);
});

test('Restore Default picks every factory default', T, async (t) => {
  const { page, bridge } = await session(t, { simArgs: ['--settings', '7,1,2,3,2'] });
  await connected(page);
  await settingsRead(page, bridge);
  await page.click('#CmdReset');
  await page.waitForFunction(() =>
    [...document.querySelectorAll('#FrameConfig select')].every((s) => s.value.endsWith(' *')));
});

test('on the Run tab the slider sends throttle frames and the r/min shows the speed', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await page.click('#tab-2');
  await page.focus('#SldPower');
  for (let i = 0; i < 8; i++) await page.keyboard.press('PageUp');
  await heard(bridge, (f) => f === '41 53 04 28');
  await page.waitForFunction(() => Number(document.getElementById('TxtRev').value) > 0);
  assert.equal(await value(page, 'LbPower'), '40');
});

test('Escape sends the stop frame', T, async (t) => {
  const { page, bridge } = await session(t);
  await running(page, bridge);
  const mark = frames(bridge).length;
  await page.keyboard.press('Escape');
  await heard(bridge, (f) => f === STOP, mark);
  assert.equal(await value(page, 'SldPower'), '0');
});

test('closing the page while the motor runs sends the stop frame', T, async (t) => {
  const { page, bridge } = await session(t);
  await running(page, bridge);
  const mark = frames(bridge).length;
  await page.close();
  await heard(bridge, (f) => f === STOP, mark);
});

test('a page hidden while the motor runs stops it, the page staying', T, async (t) => {
  const { page, bridge } = await session(t);
  await running(page, bridge);
  const mark = frames(bridge).length;
  // Headless pages are never hidden: the page is told so as a minimised tab would be.
  await page.evaluate(() => {
    Object.defineProperty(document, 'visibilityState', { value: 'hidden', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  });
  await heard(bridge, (f) => f === STOP, mark);
  assert.equal(await value(page, 'SldPower'), '0');
});

test('the page going away stops a connected ESC whose throttle is at 0', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await settingsRead(page, bridge);
  const mark = frames(bridge).length;
  await page.close();
  await heard(bridge, (f) => f === STOP, mark);
});

test('a key held since before the slider took the focus does not move it', T, async (t) => {
  const { page } = await session(t);
  await connected(page);
  await page.click('#tab-2');
  await page.focus('#VSlPole');
  await page.keyboard.down('ArrowRight');
  await page.focus('#SldPower');
  await page.keyboard.down('ArrowRight');  // the key's repeat
  await page.keyboard.down('ArrowRight');
  assert.equal(await value(page, 'SldPower'), '0');
  await page.keyboard.up('ArrowRight');
  await page.keyboard.press('ArrowRight');
  assert.equal(await value(page, 'SldPower'), '1');
});

test('a lost ESC resets the texts and zeroes the slider', T, async (t) => {
  const { page, bridge } = await session(t);
  await running(page, bridge);
  await bridge.stopEsc();
  await page.waitForFunction(() => document.getElementById('TxtConnState')?.value === 'Unconnected');
  assert.deepEqual(
    [await value(page, 'TxtHardVer'), await value(page, 'TxtFirmVer'), await value(page, 'SldPower')],
    ['Unknown', 'Unknown', '0']);
  // A reader hears it without going to the status text.
  assert.match(await page.textContent('#announcer'), /Status: Unconnected/);
});

test('the theme follows the system\'s light or dark scheme', T, async (t) => {
  const { page } = await session(t);
  await connected(page);
  const shown = {};
  for (const colorScheme of ['light', 'dark']) {
    await page.emulateMedia({ colorScheme });
    shown[colorScheme] = await page.$eval('#TxtFirmVer', (el) => {
      const style = getComputedStyle(el);
      return [style.color, getComputedStyle(document.body).backgroundColor];
    });
  }
  assert.notDeepEqual(shown.light, shown.dark);
});

test('settings are saved as a download and loaded from an upload', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await settingsRead(page, bridge);
  await page.focus('#CombBrake');
  const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Control+s')]);
  const doc = JSON.parse(readFileSync(await download.path(), 'utf8'));
  assert.equal(doc.format, 'morvane-esc-settings');
  assert.equal(doc.version, 1);
  assert.equal(Object.keys(doc.settings).length, 5);
  assert.equal(doc.model, await value(page, 'TxtHardVer'));

  const dir = join(shots, 'files');
  mkdirSync(dir, { recursive: true });
  const file = join(dir, 'reverse.json');
  writeFileSync(file, JSON.stringify({ ...doc, settings: { rotationDirection: 'Reverse' } }));
  const mark = frames(bridge).length;
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.keyboard.press('Control+o')]);
  await chooser.setFiles(file);
  await heard(bridge, (f) => f.startsWith('41 53 03'), mark);
  await page.waitForFunction(() => document.getElementById('CombDir').value === 'Reverse');
});

test('a settings file is refused in the window\'s words', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await settingsRead(page, bridge);
  const cases = [
    ['brake.json', '{"format":"morvane-esc-settings","version":1,"settings":{"brake":"Maybe"}}', /^brake\.json: .*brake.*Maybe/],
    ['twice.json', '{"format":"morvane-esc-settings","version":1,"settings":{},"version":1}', /^twice\.json: "version" is given twice$/],
    ['version.json', '{"format":"morvane-esc-settings","version":2,"settings":{}}', /^version\.json: version 2 is not supported; this program reads version 1$/],
  ];
  const dir = join(shots, 'files');
  mkdirSync(dir, { recursive: true });
  for (const [name, text, said] of cases) {
    writeFileSync(join(dir, name), text);
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.keyboard.press('Control+o')]);
    await chooser.setFiles(join(dir, name));
    await page.waitForSelector('#message[open]');
    assert.match(await page.textContent('#message-text'), said);
    await page.click('#message button');
  }
});

test('the accessibility tree names every control', T, async (t) => {
  const { page } = await session(t);
  await connected(page);
  const roles = new Set(['combobox', 'button', 'slider', 'textbox', 'tab', 'tablist', 'tabpanel']);
  const unnamed = [];
  const seen = [];
  for (const tab of ['#tab-1', '#tab-2']) {
    await page.click(tab);
    const walk = (node) => {
      if (roles.has(node.role)) {
        seen.push(node.name);
        if (!node.name) unnamed.push(node.role);
      }
      (node.children ?? []).forEach(walk);
    };
    walk(await page.accessibility.snapshot({ interestingOnly: false }));
  }
  assert.deepEqual(unnamed, []);
  for (const name of ['Port', 'Status', 'Brake', 'Throttle', 'Restore Default', 'Panels']) {
    assert.ok(seen.includes(name), `${name} in ${seen}`);
  }
});

test('German comes from the window\'s translations', T, async (t) => {
  const { page } = await session(t, { lang: 'de-DE' });
  await page.waitForSelector('#window[aria-busy="false"]');
  const de = JSON.parse(readFileSync(join(pageDir, 'texts.json'), 'utf8')).de;
  const german = ['Unconnected', 'Connected'].map((english) => de[`FormView\u0004${english}`]);
  assert.ok(german.every(Boolean), 'both texts are translated');
  assert.ok(german.includes(await value(page, 'TxtConnState')));
});

test('screenshots of both tabs', T, async (t) => {
  const { page, bridge } = await session(t);
  await connected(page);
  await settingsRead(page, bridge);
  mkdirSync(shots, { recursive: true });
  await page.screenshot({ path: join(shots, 'config.png') });
  await page.click('#tab-2');
  await page.screenshot({ path: join(shots, 'run.png') });
});
