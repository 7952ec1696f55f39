#!/usr/bin/env python3
"""Updates translations/quellix_en.ts from the sources.

Runs lupdate on the folders with user-visible texts into a fresh file and
carries the English texts over from the current file. lupdate cannot read
a few headers (the chart engines, the analysis dialog); it then names a
context without its namespace. The program asks for the full class name,
so those contexts are renamed here. A text that is new, or whose German
changed, is left unfinished: translate it, then build (lrelease runs with
the build).

Usage: scripts/update-translations.py [build-folder]   (default: build)
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ["app", "charttools", "stripchart", "histograph", "host", "analysis"]
FULL_NAMES = {
    "TAnalysisDialog": "quellix::AnalysisDialog::TAnalysisDialog",
    "THistographInt": "quellix::HistoInt::THistographInt",
    "TStripChartInt": "quellix::StrpChrtInt::TStripChartInt",
}
LUPDATE = os.environ.get("LUPDATE", "/usr/lib/qt6/bin/lupdate")


def main():
    root_dir = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    ts_path = os.path.join(root_dir, "translations", "quellix_en.ts")

    old = ET.parse(ts_path).getroot()
    known = {}  # (context, source) -> translation
    for ctx in old.findall("context"):
        name = ctx.find("name").text
        for m in ctx.findall("message"):
            t = m.find("translation")
            if t.get("type") is None and t.text is not None:
                known[(name, m.find("source").text)] = t.text

    with tempfile.TemporaryDirectory() as tmp:
        fresh_path = os.path.join(tmp, "fresh.ts")
        subprocess.run([LUPDATE, "-silent", "-locations", "none", "-I", os.path.join(build, "include")]
                       + FOLDERS + ["-source-language", "de", "-target-language", "en", "-ts", fresh_path],
                       cwd=root_dir, check=True)
        fresh = ET.parse(fresh_path).getroot()

    # Merge the contexts lupdate left without namespace into their full names.
    contexts = {}
    for ctx in fresh.findall("context"):
        name = FULL_NAMES.get(ctx.find("name").text, ctx.find("name").text)
        contexts.setdefault(name, [])
        for m in ctx.findall("message"):
            if all(m.find("source").text != o.find("source").text for o in contexts[name]):
                contexts[name].append(m)

    out = ET.Element("TS", {"version": "2.1", "language": "en", "sourcelanguage": "de"})
    unfinished = 0
    for name in sorted(contexts):
        ctx = ET.SubElement(out, "context")
        ET.SubElement(ctx, "name").text = name
        for m in contexts[name]:
            source = m.find("source").text
            msg = ET.SubElement(ctx, "message")
            ET.SubElement(msg, "source").text = source
            t = ET.SubElement(msg, "translation")
            if (name, source) in known:
                t.text = known[(name, source)]
            else:
                t.set("type", "unfinished")
                unfinished += 1
    ET.indent(out, space="    ")
    with open(ts_path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write(ET.tostring(out, encoding="unicode"))
        f.write("\n")
    print(f"{ts_path}: {sum(len(v) for v in contexts.values())} texts, {unfinished} to translate")


if __name__ == "__main__":
    main()
