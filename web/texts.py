#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The window's translations for the page: the .ts files' finished messages of the contexts
# the page shows, as {"de": {"context\u0004source": "translation"}, ...}.
import json
import sys
import xml.etree.ElementTree as ET

CONTEXTS = {"FormView", "Settings", "SettingsFile", "morvane::Accessibility", "QObject"}


def catalog(path):
    out = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        if name not in CONTEXTS:
            continue
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("unfinished", "obsolete"):
                continue
            if translation.text:
                out[name + "\u0004" + message.findtext("source")] = translation.text
    return out


def main(argv):
    # texts.py out.json de=path/morvane_de.ts es=...
    catalogs = {}
    for arg in argv[2:]:
        language, path = arg.split("=", 1)
        catalogs[language] = catalog(path)
    with open(argv[1], "w", encoding="utf-8") as f:
        json.dump(catalogs, f, ensure_ascii=False, sort_keys=True)


if __name__ == "__main__":
    main(sys.argv)
