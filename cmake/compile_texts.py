#!/usr/bin/env python3
"""Compiles the interface texts of i18n/<code>.txt into C++.

Usage: compile_texts.py OUT_DIR FILE...   (files in language-index order, English first)

A language's texts are its file i18n/<code>.txt followed by every i18n/<area>/<code>.txt, areas in
name order, so that each part of the program keeps its texts in a folder of its own.

A text file holds one entry per line:   name = "text"
Names are lower-case words joined by '_'. In the text, \\n is a line break, \\" a quote and \\\\ a
backslash; every other character (UTF-8) stands for itself. Blank lines and lines starting with
'#' are ignored. English (the first file) names every entry; another language may leave an entry
out, and then shows the English text.

Writes OUT_DIR/TextIds.h (the entry ids, in English file order) and OUT_DIR/TextCatalogueData.cpp
(the texts, one row per language). A file is rewritten only when its content changes.
"""
import os
import re
import sys

LINE = re.compile(r'^([a-z0-9_]+)\s*=\s*"(.*)"\s*$')


def fail(path, number, message):
    sys.exit(f"{path}:{number}: {message}")


def unescape(path, number, raw):
    out = []
    i = 0
    while i < len(raw):
        c = raw[i]
        if c == '\\':
            if i + 1 >= len(raw):
                fail(path, number, "a backslash ends the text")
            nxt = raw[i + 1]
            if nxt == 'n':
                out.append('\n')
            elif nxt in '"\\':
                out.append(nxt)
            else:
                fail(path, number, f"unknown escape \\{nxt}")
            i += 2
            continue
        if c == '"':
            fail(path, number, "unescaped quote inside the text")
        out.append(c)
        i += 1
    return ''.join(out)


def language_files(path):
    base = os.path.dirname(path) or '.'
    name = os.path.basename(path)
    areas = sorted(d for d in os.listdir(base) if os.path.isdir(os.path.join(base, d)))
    return [path] + [os.path.join(base, d, name) for d in areas if os.path.isfile(os.path.join(base, d, name))]


def read_texts(path):
    entries = {}
    for part in language_files(path):
        read_text_file(part, entries)
    return entries


def read_text_file(path, entries):
    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            if not line.strip() or line.lstrip().startswith('#'):
                continue
            m = LINE.match(line)
            if not m:
                fail(path, number, "expected: name = \"text\"")
            name, raw = m.group(1), m.group(2)
            if name in entries:
                fail(path, number, f"entry {name} appears twice (first in {entries[name][2]})")
            text = unescape(path, number, raw)
            if not text:
                fail(path, number, f"entry {name} is empty")
            entries[name] = (text, number, path)


def c_literal(text):
    # Octal escapes (at most three digits) cannot swallow the character that follows them.
    out = ['"']
    for byte in text.encode('utf-8'):
        ch = chr(byte)
        if ch == '"' or ch == '\\':
            out.append('\\' + ch)
        elif 0x20 <= byte < 0x7F:
            out.append(ch)
        else:
            out.append('\\%03o' % byte)
    out.append('"')
    return ''.join(out)


def write_if_changed(path, content):
    try:
        with open(path, encoding='utf-8') as f:
            if f.read() == content:
                return
    except FileNotFoundError:
        pass
    with open(path, 'w', encoding='utf-8') as f:
        f.write(content)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out_dir, files = sys.argv[1], sys.argv[2:]
    languages = [read_texts(p) for p in files]
    codes = [os.path.splitext(os.path.basename(p))[0] for p in files]
    names = list(languages[0].keys())
    known = set(names)
    for path, entries in zip(files[1:], languages[1:]):
        for name, (_, number, where) in entries.items():
            if name not in known:
                fail(where, number, f"entry {name} is not in the English file")

    count = len(names)
    header = [
        "// Generated from i18n/*.txt by cmake/compile_texts.py; edit the text files instead.",
        "#pragma once",
        "",
        "#include <cstddef>",
        "#include <cstdint>",
        "",
        "namespace app {",
        "",
        "enum class TextId : std::uint16_t {",
    ]
    header += [f"    {name}," for name in names]
    header += [
        "};",
        "",
        f"inline constexpr std::size_t kTextIdCount = {count};",
        f"inline constexpr int kCatalogueLanguageCount = {len(files)};",
        "",
        "namespace detail {",
        "extern const char* const kTextNames[kTextIdCount];",
        "extern const char* const kLanguageCodes[kCatalogueLanguageCount];",
        "// nullptr where a language has no text of its own.",
        "extern const char* const kTexts[kCatalogueLanguageCount][kTextIdCount];",
        "}  // namespace detail",
        "",
        "}  // namespace app",
        "",
    ]

    source = [
        "// Generated from i18n/*.txt by cmake/compile_texts.py; edit the text files instead.",
        '#include "app/TextIds.h"',
        "",
        "namespace app::detail {",
        "",
        "const char* const kTextNames[kTextIdCount] = {",
    ]
    source += [f"    {c_literal(name)}," for name in names]
    source += ["};", "", "const char* const kLanguageCodes[kCatalogueLanguageCount] = {"]
    source += [f"    {c_literal(code)}," for code in codes]
    source += ["};", "", "const char* const kTexts[kCatalogueLanguageCount][kTextIdCount] = {"]
    for code, entries in zip(codes, languages):
        source.append(f"    {{  // {code}")
        for name in names:
            text = entries.get(name)
            source.append(f"        {c_literal(text[0]) if text else 'nullptr'},")
        source.append("    },")
    source += ["};", "", "}  // namespace app::detail", ""]

    os.makedirs(out_dir, exist_ok=True)
    write_if_changed(os.path.join(out_dir, "TextIds.h"), "\n".join(header))
    write_if_changed(os.path.join(out_dir, "TextCatalogueData.cpp"), "\n".join(source))


if __name__ == "__main__":
    main()
