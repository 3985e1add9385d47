#!/usr/bin/env python3
"""Builds the release archive twice with scripts/package and checks it: the same bytes both
times; exactly the four entries; both exes are this build's (PE machine i386 and x86-64) and
the 32-bit one passes the import check; readme.txt is code page 932 with CR LF line ends
only and names every menu command as the program shows it; LICENSE.txt is the MIT licence.
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
for section in ["概要", "動作環境", "インストール", "アンインストール", "使い方", "注意", "履歴", "ライセンス"]:
    check(f"■ {section}" in text, f"readme.txt has no section {section}")

licence = archive.read("LICENSE.txt")
check(b"MIT License" in licence and b"Copyright (c) 2026 Tessaly project" in licence, "LICENSE.txt is not the MIT licence")
check(b"\n" not in licence.replace(b"\r\n", b""), "LICENSE.txt has line ends other than CR LF")

with tempfile.TemporaryDirectory() as unpacked:
    archive.extract("tessaly.exe", unpacked)
    imports = subprocess.run(["cmake", f"-DOBJDUMP={objdump}", f"-DEXE={os.path.join(unpacked, 'tessaly.exe')}",
                              "-DLATE=shell32.dll,ole32.dll,comctl32.dll,wininet.dll", "-DOLDEST_WINDOWS=ON", "-P",
                              os.path.join(source, "cmake/check-imports.cmake")], capture_output=True, text=True)
    check(imports.returncode == 0, "the archive's tessaly.exe fails the import check: " + imports.stderr.strip())

for failure in failures:
    print("FAIL:", failure)
print(f"{path}: {os.path.getsize(path)} bytes, {len(names)} entries, {len(failures)} failures")
sys.exit(1 if failures else 0)
