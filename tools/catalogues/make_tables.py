#!/usr/bin/env python3
"""The catalogues as the program takes them: from the compiled catalogues (msgfmt's .mo files) a
C++ table of every language's messages and plural rule, and for the page its own words and a web
app manifest per language.

  make_tables.py cpp OUT.cpp LL.mo...          the table (a file's name is its language)
  make_tables.py pseudo OUT.cpp EN.mo          a test language: each text as [[English]]
  make_tables.py page OUT.js PAGE.js LL.mo...  the page's words: {code: {English: text}}
  make_tables.py manifest DIR TEMPLATE LL.mo... DIR/LL.webmanifest for each language
"""
import json
import os
import re
import struct
import sys


def read_mo(path):
    """The messages of a .mo file: {msgid: [forms]}, the singular as the key of a plural."""
    data = open(path, "rb").read()
    if len(data) < 28:
        sys.exit(path + ": not a compiled catalogue")
    for endian in "<>":
        if struct.unpack(endian + "I", data[:4])[0] == 0x950412DE:
            break
    else:
        sys.exit(path + ": not a compiled catalogue")
    count, originals, translations = struct.unpack(endian + "III", data[8:20])

    def strings(table, i):
        length, offset = struct.unpack(endian + "II", data[table + 8 * i:table + 8 * i + 8])
        if offset + length > len(data):
            sys.exit(path + ": a message lies outside the file")
        return data[offset:offset + length].decode("utf-8").split("\0")

    messages = {}
    for i in range(count):
        english = strings(originals, i)
        if "\x04" in english[0]:
            sys.exit(path + ": message contexts are not used by the game")
        messages[english[0]] = strings(translations, i)
    return messages


def header(messages, path):
    fields = {}
    for line in messages.get("", [""])[0].split("\n"):
        name, _, value = line.partition(":")
        fields[name.strip()] = value.strip()
    rule = fields.get("Plural-Forms", "nplurals=2; plural=(n != 1);")
    match = re.fullmatch(r"\s*nplurals\s*=\s*(\d+)\s*;\s*plural\s*=\s*(.+?)\s*;?\s*", rule)
    # The rule becomes C++: only the C expression gettext's headers are written in.
    if not match or not re.fullmatch(r"[n0-9\s()?:%<>=!&|+\-*/]+", match.group(2)):
        sys.exit(path + ": a Plural-Forms header the game cannot read: " + rule)
    return int(match.group(1)), match.group(2)


def code_of(path):
    code = os.path.splitext(os.path.basename(path))[0]
    if not re.fullmatch(r"[a-z]{2,3}(_[A-Z]{2})?", code):
        sys.exit(path + ": not a language's name")
    return code


def cpp_string(text):
    out = []
    for byte in text.encode("utf-8"):
        c = chr(byte)
        if c == "\\" or c == '"':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif 32 <= byte < 127 and c != "?":  # no trigraphs
            out.append(c)
        else:
            out.append("\\%03o" % byte)
    return '"' + "".join(out) + '"'


def write(path, text):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    # Unchanged files keep their time, so that nothing is rebuilt for them.
    if os.path.exists(path) and open(path, encoding="utf-8").read() == text:
        return
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def cpp_table(out, languages, function="ShippedCatalogues"):
    """languages: [(code, nplurals, rule, {english: forms})]."""
    lines = ["// Made by tools/catalogues/make_tables.py from the catalogues in po/: do not edit.",
             "#include \"language/Catalogue.h\"", "", "namespace language {", "namespace {", ""]
    entries = []
    for code, plurals, rule, messages in languages:
        name = code.replace("-", "_")
        forms, table = [], []
        for english in sorted((m for m in messages if m), key=lambda m: m.encode("utf-8")):
            table.append("    {%s, %d, %d}," % (cpp_string(english), len(forms), len(messages[english])))
            forms += messages[english]
        lines.append("constexpr std::string_view Forms_%s[] = {" % name)
        lines += ["    %s," % cpp_string(f) for f in forms]
        lines += ["};", "constexpr TMessage Messages_%s[] = {" % name] + table + ["};"]
        lines += ["uint32_t Plural_%s([[maybe_unused]] uint64_t n) {" % name,
                  "  return static_cast<uint32_t>(%s);" % rule, "}", ""]
        entries.append("    {%s, %s, %d, Plural_%s, Messages_%s, Forms_%s}," % (
            cpp_string(code), cpp_string(code.replace("_", "-")), plurals, name, name, name))
    lines += ["constexpr TCatalogue Catalogues[] = {"] + entries + ["};", "", "}  // namespace", ""]
    lines += ["std::span<const TCatalogue> %s() {" % function, "  return Catalogues;", "}", "",
              "}  // namespace language", ""]
    write(out, "\n".join(lines))


def shipped(paths):
    languages = []
    for path in sorted(paths, key=code_of):
        messages = read_mo(path)
        plurals, rule = header(messages, path)
        for english, forms in messages.items():
            if english and len(forms) > 1 and len(forms) != plurals:
                sys.exit("%s: \"%s\" has %d forms for %d plurals" % (path, english, len(forms), plurals))
        languages.append((code_of(path), plurals, rule, messages))
    return languages


def page_words(source):
    """The texts page.js gives to tr("..."): its own words."""
    return set(json.loads('"' + s + '"') for s in re.findall(r'\btr\("((?:[^"\\]|\\.)*)"\)', open(source).read()))


def main():
    mode, out, rest = sys.argv[1], sys.argv[2], sys.argv[3:]
    if mode == "cpp":
        cpp_table(out, shipped(rest))
    elif mode == "pseudo":
        messages = read_mo(rest[0])
        wrapped = {e: ["[[" + f + "]]" for f in forms] for e, forms in messages.items() if e}
        cpp_table(out, [("x_TEST", 2, "(n != 1)", wrapped)], "PseudoCatalogues")
    elif mode == "page":
        words = page_words(rest[0])
        languages = shipped(rest[1:])
        table = {"codes": [code for code, _, _, _ in languages],
                 "words": {code: {e: m[e][0] for e in sorted(words) if e in m}
                           for code, _, _, m in languages}}
        write(out, json.dumps(table, ensure_ascii=False))
    elif mode == "manifest":
        template = json.load(open(rest[0], encoding="utf-8"))
        for code, _, _, messages in shipped(rest[1:]):
            manifest = dict(template)
            for field in ("name", "short_name", "description"):
                english = template[field]
                # The name is the game's own; the description must be in every catalogue.
                if english not in messages and field == "description":
                    sys.exit("%s: the catalogue lacks the manifest's \"%s\"" % (code, english))
                manifest[field] = messages.get(english, [english])[0]
            manifest["lang"] = code.replace("_", "-")
            # Beside the language's data file, a folder below the English manifest.
            for field in ("start_url", "scope"):
                manifest[field] = "../" + template[field]
            manifest["icons"] = [dict(icon, src="../" + icon["src"]) for icon in template["icons"]]
            write(os.path.join(out, code + ".webmanifest"),
                  json.dumps(manifest, ensure_ascii=False, indent=2) + "\n")
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
