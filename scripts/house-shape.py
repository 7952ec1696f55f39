#!/usr/bin/env python3
"""Checks the shape of the library's source tree.

Two limits keep the code readable:
  * no source file of a library folder is longer than MAX_LINES lines;
  * no class declares more than MAX_FUNCTIONS member functions.

What counts as a member function of a class: every function declared in the
class body itself (not in a nested class, which is counted on its own):
constructors, destructors, operators, static and virtual functions, overrides,
signals and slots, and the functions that a project macro used in the body
declares (the macro is expanded first). Deleted functions, data members (also
those of std::function type), properties, enumerations, using declarations
and friends do not count. Inherited functions count for the class that
declares them.

Usage:
  house-shape.py [--root DIR] [--list] [--top N] [--allow FILE]
--list prints every class with its count (highest first); otherwise the
script prints what breaks a limit and exits with 1 when anything does. The
allowance file names exceptions that are still being worked on, one per
line, "file PATH LINES" or "class NAME COUNT": such an entry may not grow
beyond the number written, and an entry that is within the limits again
must be removed, so the list only shrinks.
"""
import argparse
import os
import re
import sys

LIBRARY_FOLDERS = ["analysis", "app", "charttools", "designer", "filters", "histograph", "host",
                   "instruments", "measure", "stripchart", "tools"]
MAX_LINES = 900
MAX_FUNCTIONS = 60
SOURCE_SUFFIXES = (".h", ".cpp")


def strip_comments_and_strings(text):
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            out.append(" ")
        elif c == 'R' and text.startswith('R"', i):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if m:
                end = text.find(")" + m.group(1) + '"', i)
                i = n if end < 0 else end + len(m.group(1)) + 2
                out.append('""')
            else:
                out.append(c)
                i += 1
        elif c in "\"'":
            if c == "'" and i > 0 and (text[i - 1].isalnum()):  # digit separator 1'000
                out.append(c)
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            out.append(c + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def join_continuations(text):
    return re.sub(r"\\\n", " ", text)


def macro_definitions(texts):
    """Function-like macros defined in the library: name -> (params, body)."""
    macros = {}
    for text in texts:
        for line in join_continuations(text).split("\n"):
            m = re.match(r"\s*#\s*define\s+(\w+)\(([^)]*)\)\s*(.*)", line)
            if m:
                params = [p.strip() for p in m.group(2).split(",") if p.strip()]
                macros[m.group(1)] = (params, m.group(3))
    return macros


def balanced(text, start, open_c="(", close_c=")"):
    """Index after the bracket that closes the one at start."""
    depth = 0
    for k in range(start, len(text)):
        if text[k] == open_c:
            depth += 1
        elif text[k] == close_c:
            depth -= 1
            if depth == 0:
                return k + 1
    return len(text)


def expand_macros(text, macros, rounds=4):
    for _ in range(rounds):
        changed = False
        for name, (params, body) in macros.items():
            pos = 0
            pattern = re.compile(r"\b" + re.escape(name) + r"\s*\(")
            while True:
                m = pattern.search(text, pos)
                if not m:
                    break
                end = balanced(text, m.end() - 1)
                args = split_top(text[m.end():end - 1], ",")
                result = body
                for p, a in zip(params, args):
                    result = re.sub(r"\b" + re.escape(p) + r"\b", a.strip(), result)
                result = re.sub(r"\s*##\s*", "", result)
                text = text[:m.start()] + " " + result + " " + text[end:]
                pos = m.start() + len(result) + 2
                changed = True
        if not changed:
            break
    return text


def split_top(text, sep):
    parts, depth, cur = [], 0, []
    for c in text:
        if c in "([{<":
            depth += 1
        elif c in ")]}>":
            depth -= 1
        if c == sep and depth == 0:
            parts.append("".join(cur))
            cur = []
        else:
            cur.append(c)
    parts.append("".join(cur))
    return parts


CLASS_HEAD = re.compile(r"\b(class|struct)\s+(?:\[\[[^\]]*\]\]\s*)?(?:[A-Z_][A-Z0-9_]*_EXPORT\s+)?(\w+(?:::\w+)*)\s*(?:final\s*)?(:[^;{()]*)?\{")
ACCESS_LABEL = re.compile(r"\b(?:(?:public|protected|private)\s+)?(?:public|protected|private|signals|slots|Q_SIGNALS|Q_SLOTS)\s*:(?!:)")
QT_MACRO = re.compile(r"\bQ_(?!SIGNALS\b|SLOTS\b)[A-Z_]+\b")


def remove_qt_macros(body):
    out, pos = [], 0
    for m in QT_MACRO.finditer(body):
        if m.start() < pos:
            continue
        out.append(body[pos:m.start()])
        k = m.end()
        while k < len(body) and body[k].isspace():
            k += 1
        pos = balanced(body, k) if k < len(body) and body[k] == "(" else m.end()
    out.append(body[pos:])
    return "".join(out)


def split_members(body):
    """Yields the member declarations at the top level of a class body, and
    the nested class bodies found on the way (as (name, body) pairs)."""
    decls, nested = [], []
    cur = []
    i, n = 0, len(body)
    depth = 0
    while i < n:
        c = body[i]
        if c in "([":
            depth += 1
        elif c in ")]":
            depth -= 1
        if depth == 0 and c == ";":
            decls.append("".join(cur).strip())
            cur = []
            i += 1
            continue
        if depth == 0 and c == "{":
            head = "".join(cur)
            end = balanced(body, i, "{", "}")
            hs = head.strip()
            m = re.match(r"(?:template\s*<.*>\s*)?(class|struct|union|enum)\b", hs, re.S)
            if m and "(" not in hs.split("{")[0][:hs.find(m.group(1)) + 200].split("=")[0].split(":")[0] or (m and m.group(1) == "enum"):
                cm = re.search(r"\b(?:class|struct|union)\s+(\w+)", hs)
                if cm and m.group(1) != "enum":
                    nested.append((cm.group(1), body[i + 1:end - 1]))
                cur.append(" {} ")
                i = end
                continue
            before = hs.rstrip()
            in_init_list = re.search(r"\)\s*(?:noexcept\s*)?:(?!:)", hs) and before and (before[-1].isalnum() or before[-1] in "_>")
            if is_function(hs) and not in_init_list:
                decls.append(hs + " {}")
                cur = []
                i = end
                continue
            cur.append(" {} ")
            i = end
            continue
        cur.append(c)
        i += 1
    rest = "".join(cur).strip()
    if rest:
        decls.append(rest)
    return [d for d in decls if d], nested


def is_function(decl):
    d = decl.strip()
    if not d:
        return False
    d = re.sub(r"\[\[[^\]]*\]\]", " ", d)
    while d.startswith("template"):
        k = d.find("<")
        depth = 0
        for j in range(k, len(d)):
            if d[j] == "<":
                depth += 1
            elif d[j] == ">":
                depth -= 1
                if depth == 0:
                    d = d[j + 1:].strip()
                    break
        else:
            return False
    first = d.split()[0] if d.split() else ""
    if first in ("using", "typedef", "friend", "static_assert", "enum", "class", "struct", "union"):
        return False
    if re.search(r"=\s*delete\s*$", d):
        return False
    if re.search(r"\boperator\b", d):
        return True
    # The first parenthesis outside template arguments, before any "=" of
    # an initialiser, makes a function.
    angle = 0
    for k, c in enumerate(d):
        if c == "<":
            angle += 1
        elif c == ">":
            angle = max(0, angle - 1)
        elif c in "={" and angle == 0:
            return False
        elif c == "(" and angle == 0:
            if d[k + 1:].lstrip().startswith(("*", "&")):
                return False  # a pointer to a function, a data member
            name = d[:k].rstrip()
            return bool(re.search(r"(~?\w+)$", name)) and not name.endswith(("decltype", "alignas"))
    return False


def classes_in(text, macros):
    text = strip_comments_and_strings(text)
    text = join_continuations(text)
    text = "\n".join(l for l in text.split("\n") if not l.lstrip().startswith("#"))
    text = expand_macros(text, macros)
    found = []
    pos = 0
    while True:
        m = CLASS_HEAD.search(text, pos)
        if not m:
            break
        start = m.end() - 1
        end = balanced(text, start, "{", "}")
        collect(m.group(2), text[start + 1:end - 1], found)
        pos = end
    return found


def collect(name, body, found):
    body = ACCESS_LABEL.sub(" ", body)
    body = remove_qt_macros(body)
    decls, nested = split_members(body)
    count = sum(1 for d in decls if is_function(d))
    found.append((name, count))
    for nname, nbody in nested:
        collect(name + "::" + nname, nbody, found)


def library_files(root):
    for folder in LIBRARY_FOLDERS:
        base = os.path.join(root, folder)
        for dirpath, _, files in os.walk(base):
            for f in sorted(files):
                if f.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(dirpath, f), root)


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def read_allowance(path):
    allowed = {}
    if path and os.path.exists(path):
        for line in read_text(path).split("\n"):
            parts = line.split("#")[0].split()
            if len(parts) == 3:
                allowed[(parts[0], parts[1])] = int(parts[2])
    return allowed


def class_counts(root):
    """Every class of the library with its count: (count, name, file),
    highest first."""
    files = list(library_files(root))
    texts = {f: read_text(os.path.join(root, f)) for f in files}
    macros = macro_definitions(texts.values())
    counts = []
    for f in files:
        for name, count in classes_in(texts[f], macros):
            counts.append((count, name, f))
    counts.sort(key=lambda c: (-c[0], c[1]))
    return texts, counts


def faults(root, allowance_path=None):
    """What breaks a limit, one text per fault."""
    texts, counts = class_counts(root)
    allowed = read_allowance(allowance_path)
    where = os.path.basename(allowance_path) if allowance_path else "the allowance"
    found = []
    seen = set()

    def check(key, what, value, limit, unit):
        if key in allowed:
            seen.add(key)
            if value <= limit:
                found.append(f"{what}: {value} {unit}, within the limit now: remove it from {where}")
            elif value > allowed[key]:
                found.append(f"{what}: {value} {unit}, more than the {allowed[key]} that {where} allows")
        elif value > limit:
            found.append(f"{what}: {value} {unit} (at most {limit})")

    for f, text in texts.items():
        check(("file", f), f, text.count("\n"), MAX_LINES, "lines")
    for count, name, f in counts:
        check(("class", name), f"class {name} ({f})", count, MAX_FUNCTIONS, "member functions")
    for key in sorted(set(allowed) - seen):
        found.append(f"{where} names {key[0]} {key[1]}, which is not in the tree any more: remove it")
    return found


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    ap.add_argument("--list", action="store_true")
    ap.add_argument("--top", type=int, default=0)
    ap.add_argument("--allow", default=None)
    args = ap.parse_args()
    root = os.path.abspath(args.root)
    if args.list:
        _, counts = class_counts(root)
        for count, name, f in counts[:args.top or None]:
            print(f"{count:4d}  {name}  ({f})")
        return 0
    found = faults(root, args.allow)
    for fault in found:
        print(fault)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
