// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as the window writes and reads them: the same JSON (keys in order, four
// spaces) and the same refusals. What the entries may say is the core's to decide.
const kFormat = 'morvane-esc-settings';
const kVersion = 1;
const kMaxBytes = 64 * 1024;
const ctx = 'SettingsFile';

// Keys sorted at every level, as the window's JSON writer keeps them.
function sorted(value) {
  if (value === null || typeof value !== 'object' || Array.isArray(value)) return value;
  return Object.fromEntries(Object.keys(value).sort().map((k) => [k, sorted(value[k])]));
}

export function settingsJson(doc) {
  return `${JSON.stringify(sorted(doc), null, 4)}\n`;
}

// The time of saving, UTC, to the second.
export function utcNow() {
  return new Date().toISOString().replace(/\.\d{3}Z$/, 'Z');
}

// A key given twice in one object; JSON.parse would keep the last without a word.
function duplicateKey(text, say) {
  const levels = [];
  let lastKey = '';
  for (let i = 0; i < text.length;) {
    const c = text[i];
    if (c === '"') {
      let j = i + 1;
      while (j < text.length && text[j] !== '"') j += text[j] === '\\' ? 2 : 1;
      const key = JSON.parse(text.slice(i, j + 1));
      i = j + 1;
      const level = levels[levels.length - 1];
      if (!level || !level.object || !level.keyNext) continue;
      if (level.keys.has(key)) {
        return level.name === '' ? say('"%1" is given twice', [key])
          : say('"%1" is given twice in "%2"', [key, level.name]);
      }
      level.keys.add(key);
      level.keyNext = false;
      lastKey = key;
      continue;
    }
    i += 1;
    const top = levels[levels.length - 1];
    if (c === '{' || c === '[') {
      const name = top ? (top.object ? lastKey : top.name) : '';
      levels.push({ object: c === '{', name, keys: new Set(), keyNext: true });
    } else if (c === '}' || c === ']') {
      levels.pop();
    } else if (c === ',' && top?.object) {
      top.keyNext = true;
    }
  }
  return '';
}

// The file's entries for the core, or the refusal as the window words it.
export function readSettings(bytes, name, tr) {
  const say = (english, args = []) =>
    tr(ctx, english).replace(/%([1-9])/g, (m, n) => (args[n - 1] === undefined ? m : String(args[n - 1])));
  const refused = (why) => ({ error: `${name}: ${why}` });
  if (bytes.length > kMaxBytes) return refused(say('refused: larger than 64 KiB, which no settings file is'));
  const start = bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf ? 3 : 0;
  const text = new TextDecoder().decode(bytes.subarray(start));
  if (text.trim() === '') return refused(say('the file is empty'));
  let root;
  try {
    root = JSON.parse(text);
  } catch (e) {
    const at = /position (\d+)/.exec(e.message);
    return refused(say('not JSON: %1 at byte %2', [e.message, at ? at[1] : text.length]));
  }
  const twice = duplicateKey(text, say);
  if (twice) return refused(twice);
  if (root === null || typeof root !== 'object' || Array.isArray(root)) {
    return refused(say('not a settings file: the JSON is not an object'));
  }
  if (root.format !== kFormat) return refused(say('not a settings file: "%1" must be "%2"', ['format', kFormat]));
  if (typeof root.version !== 'number') return refused(say('"%1" must be a number', ['version']));
  if (root.version !== kVersion) {
    return refused(say('version %1 is not supported; this program reads version %2', [root.version, kVersion]));
  }
  const { settings } = root;
  if (settings === null || typeof settings !== 'object' || Array.isArray(settings)) {
    return refused(say('"%1" must be an object', ['settings']));
  }
  return {
    entries: Object.entries(settings).map(([key, value]) => [key, typeof value === 'string' ? value : null]),
  };
}
