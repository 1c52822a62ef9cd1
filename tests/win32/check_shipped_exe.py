#!/usr/bin/python3
"""Inspects the shipped 32-bit m3u8.exe, which cannot run here: PE32 for i386, a GUI program,
importing only system DLLs, with its version record and manifest."""
import sys

import pefile

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
               "comctl32.dll", "shell32.dll", "ole32.dll"}
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


pe = pefile.PE(sys.argv[1])
check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], "not i386")
check(pe.OPTIONAL_HEADER.Magic == pefile.OPTIONAL_HEADER_MAGIC_PE, "not PE32")
check(pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
      "not a GUI program")

imports = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
check(imports <= SYSTEM_DLLS, f"imports DLLs that Windows does not ship: {imports - SYSTEM_DLLS}")

fixed = pe.VS_FIXEDFILEINFO[0]
for field in ("FileVersion", "ProductVersion"):
    numbers = (getattr(fixed, field + "MS") >> 16, getattr(fixed, field + "MS") & 0xFFFF,
               getattr(fixed, field + "LS") >> 16, getattr(fixed, field + "LS") & 0xFFFF)
    check(numbers == (1, 0, 0, 0), f"{field} numbers {numbers}, expected 1.0.0.0")

strings, translations = {}, []
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            strings[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    elif info.Key == b"VarFileInfo":
        translations = [var.entry.get(b"Translation") for var in info.Var]
check(list(strings) == ["080404b0"], f"string blocks {list(strings)}, expected 080404b0")
block = strings.get("080404b0", {})
for field in ("FileVersion", "ProductVersion"):
    check(block.get(field) == "1.00", f"{field} {block.get(field)!r}, expected '1.00'")
for field in ("CompanyName", "ProductName"):
    check(bool(block.get(field)), f"{field} is empty")
check(translations == ["0x0804 0x04b0"], f"Translation {translations}, expected 0x0804, 1200")

manifests = [entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries
             if entry.id == pefile.RESOURCE_TYPE["RT_MANIFEST"]]
check(len(manifests) == 1, "no manifest")
if manifests:
    data = manifests[0].directory.entries[0].directory.entries[0].data.struct
    manifest = pe.get_data(data.OffsetToData, data.Size).decode()
    for needle in ("PerMonitorV2", "Microsoft.Windows.Common-Controls", 'version="6.0.0.0"',
                   'level="asInvoker"'):
        check(needle in manifest, f"manifest lacks {needle}")

for failure in failures:
    print("FAIL:", failure)
print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
sys.exit(1 if failures else 0)
