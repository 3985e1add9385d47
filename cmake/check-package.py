#!/usr/bin/env python3
"""Builds the release archive twice with scripts/package and checks it: the same bytes both
times; exactly the four entries; both exes are this build's (PE machine i386 and x86-64) and
the 32-bit one passes the import check; readme.txt is code page 932 with CR LF line ends
only, names every menu command as the program shows it, and its message list quotes the
32-bit exe's texts exactly and leaves none of its sentences out; LICENSE.txt is the MIT
licence.
Usage: check-package.py SOURCE_DIR OBJDUMP"""
import hashlib, re, struct, subprocess, sys, tempfile, zipfile, os

source, objdump = sys.argv[1], sys.argv[2]
failures = []
def check(condition, what):
    if not condition:
        failures.append(what)

def package():
    out = subprocess.run([os.path.join(source, "scripts", "package")], cwd=source, check=True,
                         capture_output=True, text=True).stdout
    path = os.path.join(source, out.split()[0])
    return path, hashlib.sha256(open(path, "rb").read()).hexdigest()

path, first = package()
_, second = package()
check(first == second, "two runs of scripts/package gave different bytes")
major, minor = re.findall(r"#define TESSALY_VERSION_(?:MAJOR|MINOR) (\d+)",
                          open(os.path.join(source, "src/resources/version.h")).read())
check(os.path.basename(path) == f"tessaly-{major}.{minor}.zip", f"archive named {path}")

archive = zipfile.ZipFile(path)
names = [entry.filename for entry in archive.infolist()]
check(names == ["tessaly.exe", "x64/tessaly.exe", "readme.txt", "LICENSE.txt"], f"entries {names}")
for name, build, machine in [("tessaly.exe", "build/win32", 0x14C), ("x64/tessaly.exe", "build/win64", 0x8664)]:
    data = archive.read(name)
    check(data == open(os.path.join(source, build, "tessaly.exe"), "rb").read(), f"{name} is not {build}'s exe")
    header = struct.unpack_from("<I", data, 0x3C)[0]
    check(data[header:header + 4] == b"PE\0\0" and struct.unpack_from("<H", data, header + 4)[0] == machine,
          f"{name} is not a PE file for machine {machine:#x}")

readme = archive.read("readme.txt")
try:
    text = readme.decode("cp932")
except UnicodeDecodeError as error:
    text = ""
    check(False, f"readme.txt is not code page 932: {error}")
check(b"\n" not in readme.replace(b"\r\n", b"") and b"\r" not in readme.replace(b"\r\n", b""),
      "readme.txt has line ends other than CR LF")
rc = open(os.path.join(source, "src/resources/tessaly.rc"), encoding="utf-8").read()
buttons = re.findall(r'CONTROL "([^"]+)", IDC_(?:PROFILE_RENAME|PROFILE_SHORTCUT|SAVE_PROXY_CHECK)', rc)
check(len(buttons) == 3, "the rename and shortcut buttons and the proxy check box are not in the resource script")
for item in re.findall(r'MENUITEM "([^"]+)"', rc) + buttons:
    shown = item.replace("&", "")  # the menu and the buttons underline the letter after '&'
    check(shown in text, f"readme.txt does not name the command {shown}")
for key in ["proxyserver", "proxybypass", "proxyurl"]:
    check(key in text, f"readme.txt does not say that a profile holds {key}")
check("別のユーザーとして実行" in text.split("■ 注意")[-1].split("■ 履歴")[0], "readme.txt's notes do not say what Run as does")
for section in ["概要", "動作環境", "インストール", "アンインストール", "使い方", "メッセージ", "注意", "履歴", "ライセンス"]:
    check(f"■ {section}" in text, f"readme.txt has no section {section}")

# The message list (section "■ メッセージ"): every 「…」 in it, outermost brackets only
# (the tool's texts hold 「NAME」 themselves), is what the 32-bit exe shows, byte for byte in
# code page 932. A line break inside a quote is a line break of the text ("\n" in a box,
# "\r\n" in the selection dialog's preview); the quote's further lines are indented to the
# column of its first character, and blanks beyond that column belong to the text.
# The exe's texts are its string constants: each a run of its constant data between two
# NULs. The tool builds a
# message by putting texts one after another (a verdict and its lines, a name between 「 and
# 」), and the words in PLACEHOLDERS stand for what varies (a name, an address, a count). So
# a quote is a run of whole texts of the exe and placeholders; a text that begins with a
# line break may open a quote without it. What the bytes cannot tell is which texts the code
# joins, and so a line break more or less between two texts, or a text left off after a
# placeholder, passes. A quote without line breaks may also be a text of the exe's menus and
# dialogs (UTF-16 in its resources; the '&' before the underlined letter is not shown).
# Besides, every sentence of the exe (a text that ends in 。 or ？) opens a quote, a line of
# one, or follows a placeholder in one.
PLACEHOLDERS = ["接続名", "名前", "項目", "値", "アドレス", "理由", "コマンド", "ユーザー名", "フォルダ", "PATH", "MAC", "N"]


def quotes_of(section, first_line):
    """The outermost 「…」 of the section as (line number, text, problem)."""
    found, depth, start, opened_at, column, lines = [], 0, 0, 0, 0, section.split("\n")
    for number, line in enumerate(lines):
        for index, char in enumerate(line):
            if char == "「":
                if depth == 0:
                    start, opened_at, column = number, index + 1, len(line[:index + 1].encode("cp932"))
                depth += 1
            elif char == "」":
                depth -= 1
                if depth < 0:
                    found.append((first_line + number, line, "a 」 that closes nothing"))
                    depth = 0
                elif depth == 0:
                    found.append(quote_text(lines[start:number + 1], opened_at, index, column, first_line + start))
    if depth > 0:
        found.append((first_line + start, lines[start], "a 「 that is never closed"))
    return found


def quote_text(lines, opened_at, closed_at, column, number):
    """The text of a quote spanning the lines, the first opened at index opened_at and the
    last closed at closed_at; its further lines lose their first `column` columns."""
    if len(lines) == 1:
        return number, lines[0][opened_at:closed_at], None
    text = [lines[0][opened_at:]]
    for line in lines[1:-1] + [lines[-1][:closed_at]]:
        if line.strip() == "":
            text.append("")
        elif line.startswith(" " * column):
            text.append(line[column:])
        else:
            return number, lines[0], f"a line of the quote not indented to column {column}"
    return number, "\n".join(text), None


def string_constants(data):
    """The texts of a PE file: in its initialised data sections, every run of bytes between
    two NULs that reads as text in code page 932. The compiler puts each string constant
    whole in those sections, NUL-terminated, and never lets two share their bytes."""
    header = struct.unpack_from("<I", data, 0x3C)[0]
    count, optional_size = struct.unpack_from("<H", data, header + 6)[0], struct.unpack_from("<H", data, header + 20)[0]
    table = header + 24 + optional_size
    texts = set()
    for index in range(count):
        name, _, _, raw_size, raw_start = struct.unpack_from("<8sIIII", data, table + 40 * index)
        if name.rstrip(b"\0") not in (b".rdata", b".data"):
            continue
        for text in data[raw_start:raw_start + raw_size].split(b"\0"):
            try:
                if text and all(char.isprintable() or char in "\r\n" for char in text.decode("cp932")):
                    texts.add(text)
            except UnicodeDecodeError:
                pass
    return texts


exe = archive.read("tessaly.exe")  # build/win32's, as checked above
exe_texts = string_constants(exe)
# A text that begins with a line break, without it: what may open a quote.
opening_texts = exe_texts | {text.lstrip(b"\r\n") for text in exe_texts}


def placeholder_at(quote, index):
    """The length of the placeholder at the index, or 0; a Latin one is a word of its own."""
    def latin(char):
        return char.isascii() and char.isalnum()
    for word in PLACEHOLDERS:
        if quote.startswith(word, index):
            end = index + len(word)
            if word.isascii() and ((index > 0 and latin(quote[index - 1])) or (end < len(quote) and latin(quote[end]))):
                continue
            return len(word)
    return 0


def is_composed_text(quote, line_break):
    """Whether the quote is a run of the exe's whole texts and placeholders, with at least
    one text."""
    reached = {0: False}  # position in the quote: whether a text came before it
    for start in range(len(quote)):
        if start not in reached:
            continue
        length = placeholder_at(quote, start)
        if length:
            reached[start + length] = reached.get(start + length, False) or reached[start]
        texts = opening_texts if start == 0 else exe_texts
        for end in range(start + 1, len(quote) + 1):
            if quote[start:end].replace("\n", line_break).encode("cp932") in texts:
                reached[end] = True
    return reached.get(len(quote), False)


def is_resource_text(text):
    pattern = b"".join(b"(?:&\x00)?" + re.escape(char.encode("utf-16-le")) for char in text)
    return "\n" not in text and re.search(pattern + b"\x00\x00", exe) is not None


normalized = text.replace("\r\n", "\n")
heading = normalized.find("\n■ メッセージ\n")
section_end = normalized.find("\n■ ", heading + 1)
message_list = normalized[heading:section_end] if heading >= 0 and section_end >= 0 else ""
quoted = quotes_of(message_list, normalized[:heading].count("\n") + 1)
check(len(exe_texts) >= 100, f"only {len(exe_texts)} texts read from tessaly.exe")
check(len(quoted) >= 40, f"readme.txt's message list holds {len(quoted)} quotes")
for number, quote, problem in quoted:
    shown = quote.replace("\n", "⏎")
    if problem is not None:
        check(False, f"readme.txt line {number}: {problem}: {shown}")
    elif not any(is_composed_text(quote, line_break) for line_break in ("\n", "\r\n")) and not is_resource_text(quote):
        check(False, f"readme.txt line {number} quotes 「{shown}」, which tessaly.exe does not show")
listed = [quote for _, quote, problem in quoted if problem is None]
sentences = {text.decode("cp932").replace("\r\n", "\n").strip("\n") for text in exe_texts}
for sentence in sorted(sentence for sentence in sentences if sentence.endswith(("。", "？"))):
    place = re.compile("(?:^|\n|" + "|".join(PLACEHOLDERS) + ")" + re.escape(sentence))
    check(any(place.search(quote) for quote in listed),
          f"readme.txt's message list leaves out tessaly.exe's text 「{sentence.replace(chr(10), '⏎')}」")

licence = archive.read("LICENSE.txt")
check(b"MIT License" in licence and b"Copyright (c) 2026 Tessaly project" in licence, "LICENSE.txt is not the MIT licence")
check(b"\n" not in licence.replace(b"\r\n", b""), "LICENSE.txt has line ends other than CR LF")

with tempfile.TemporaryDirectory() as unpacked:
    archive.extract("tessaly.exe", unpacked)
    imports = subprocess.run(["cmake", f"-DOBJDUMP={objdump}", f"-DEXE={os.path.join(unpacked, 'tessaly.exe')}",
                              "-DLATE=shell32.dll,ole32.dll,comctl32.dll,wininet.dll,winspool.drv,iphlpapi.dll", "-DOLDEST_WINDOWS=ON", "-P",
                              os.path.join(source, "cmake/check-imports.cmake")], capture_output=True, text=True)
    check(imports.returncode == 0, "the archive's tessaly.exe fails the import check: " + imports.stderr.strip())

for failure in failures:
    print("FAIL:", failure)
print(f"{path}: {os.path.getsize(path)} bytes, {len(names)} entries, {len(failures)} failures")
sys.exit(1 if failures else 0)
