#!/usr/bin/env python3
"""Holds a built binary to what Windows 95 can load and run.

Checks: i386 machine; PE subsystem version and OS version 4.0 and the
expected subsystem; every imported DLL among the allowed system DLLs and
every import by name in the Windows 95 allowlist; for a DLL, the export
names and ordinals; no instruction newer than the Pentium (cmov, fcomi,
multi-byte nop, MMX/SSE...) anywhere in the code, linked helpers included.
Prints one line per fault and exits 1 when there is any.
"""
import argparse
import os
import re
import struct
import subprocess
import sys

ALLOWED_DLLS = ("kernel32", "user32", "gdi32", "advapi32", "shell32", "comctl32", "ole32")
# Instructions a 486 or Pentium does not have.
FORBIDDEN_MNEMONIC = re.compile(
    r"^(cmov\w*|fcmov\w*|f(u)?comip?|rdpmc|sysenter|sysexit|ud2|nop[wl]|emms|"
    r"movd|movq|movdq\w*|pause|lfence|sfence|mfence|clflush|prefetch\w*)$")
SIMD_OPERAND = re.compile(r"%(x|y|z)?mm\d")


class PeFile:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("not an MZ file")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        (self.machine, nsections, _, _, _, optsize, self.characteristics) = \
            struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        (self.os_major, self.os_minor, _, _, self.sub_major, self.sub_minor) = \
            struct.unpack_from("<HHHHHH", data, opt + 40)
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        ndirs = struct.unpack_from("<I", data, opt + 92)[0]
        self.dirs = [struct.unpack_from("<II", data, opt + 96 + 8 * i) for i in range(ndirs)]
        self.sections = []
        sec = opt + optsize
        for i in range(nsections):
            name, vsize, va, rawsize, rawptr = struct.unpack_from("<8sIIII", data, sec + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode(), va, max(vsize, rawsize), rawptr))

    def offset(self, rva):
        for _, va, size, raw in self.sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("RVA %#x outside every section" % rva)

    def cstring(self, rva):
        off = self.offset(rva)
        return self.data[off:self.data.index(b"\0", off)].decode("ascii")

    def imports(self):
        """[(dll, [name or '#ordinal', ...]), ...]"""
        rva, size = self.dirs[1] if len(self.dirs) > 1 else (0, 0)
        result = []
        while rva and size:
            ilt, _, _, name_rva, iat = struct.unpack_from("<IIIII", self.data, self.offset(rva))
            if not name_rva:
                break
            names = []
            thunk = ilt or iat
            while True:
                entry = struct.unpack_from("<I", self.data, self.offset(thunk))[0]
                if not entry:
                    break
                names.append("#%d" % (entry & 0xFFFF) if entry & 0x80000000
                             else self.cstring(entry + 2))
                thunk += 4
            result.append((self.cstring(name_rva), names))
            rva += 20
        return result

    def exports(self):
        """{name: ordinal}"""
        rva, size = self.dirs[0] if self.dirs else (0, 0)
        if not rva:
            return {}
        (_, _, _, _, _, base, _, nnames, _, names_rva, ords_rva) = \
            struct.unpack_from("<IIHHIIIIIII", self.data, self.offset(rva))
        result = {}
        for i in range(nnames):
            name_rva = struct.unpack_from("<I", self.data, self.offset(names_rva + 4 * i))[0]
            index = struct.unpack_from("<H", self.data, self.offset(ords_rva + 2 * i))[0]
            result[self.cstring(name_rva)] = base + index
        return result


def load_allowlist(folder):
    allow = {}
    for dll in ALLOWED_DLLS:
        with open(os.path.join(folder, dll + ".txt")) as f:
            allow[dll] = set(line.strip() for line in f if line.strip())
    return allow


def check_headers(pe, want_subsystem):
    faults = []
    if pe.machine != 0x14C:
        faults.append("machine is %#x, not i386" % pe.machine)
    if pe.magic != 0x10B:
        faults.append("not a PE32 image")
    if (pe.os_major, pe.os_minor) != (4, 0):
        faults.append("OS version %d.%d, not 4.0" % (pe.os_major, pe.os_minor))
    if (pe.sub_major, pe.sub_minor) != (4, 0):
        faults.append("subsystem version %d.%d, not 4.0" % (pe.sub_major, pe.sub_minor))
    if pe.subsystem != want_subsystem:
        faults.append("subsystem %d, not %d" % (pe.subsystem, want_subsystem))
    return faults


def check_imports(pe, allow):
    faults = []
    for dll, names in pe.imports():
        key = dll.lower()
        if key.endswith(".dll"):
            key = key[:-4]
        if key not in allow:
            faults.append("imports from %s, which is not an allowed system DLL" % dll)
            continue
        for name in names:
            if name not in allow[key]:
                faults.append("%s!%s is not available on Windows 95" % (dll, name))
    return faults


def check_exports(pe, wanted):
    faults = []
    have = pe.exports()
    for name, ordinal in wanted.items():
        if have.get(name) != ordinal:
            faults.append("export %s: ordinal %s, expected %d" % (name, have.get(name), ordinal))
    for name in sorted(set(have) - set(wanted)):
        faults.append("unexpected export %s" % name)
    return faults


def check_instructions(path, objdump):
    out = subprocess.run([objdump, "-d", "--no-show-raw-insn", path], check=True,
                         capture_output=True, text=True).stdout
    faults = []
    for line in out.splitlines():
        parts = line.split("\t")
        if len(parts) < 2 or not parts[1].strip():
            continue
        fields = parts[1].split(None, 1)
        mnemonic = fields[0]
        if mnemonic in ("lock", "rep", "repz", "repnz", "data16", "addr16") and len(fields) > 1:
            fields = fields[1].split(None, 1)
            mnemonic = fields[0]
        operands = fields[1] if len(fields) > 1 else ""
        if FORBIDDEN_MNEMONIC.match(mnemonic) or SIMD_OPERAND.search(operands):
            faults.append("instruction newer than the Pentium: %s" % line.strip())
    return faults[:20]


def parse_exports(text):
    wanted = {}
    for item in filter(None, text.split(",")):
        name, ordinal = item.split("=")
        wanted[name] = int(ordinal)
    return wanted


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("binary")
    ap.add_argument("--allowlist", required=True, help="folder of <dll>.txt name lists")
    ap.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    ap.add_argument("--subsystem", type=int, default=2, help="2 GUI (default), 3 console")
    ap.add_argument("--exports", default="", help="Name=ordinal,... expected of a DLL")
    args = ap.parse_args()
    with open(args.binary, "rb") as f:
        pe = PeFile(f.read())
    faults = check_headers(pe, args.subsystem)
    faults += check_imports(pe, load_allowlist(args.allowlist))
    if args.exports:
        faults += check_exports(pe, parse_exports(args.exports))
    faults += check_instructions(args.binary, args.objdump)
    name = os.path.basename(args.binary)
    for fault in faults:
        print("%s: %s" % (name, fault))
    if not faults:
        print("%s: loads on Windows 95 (%d imports checked)" %
              (name, sum(len(n) for _, n in pe.imports())))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
