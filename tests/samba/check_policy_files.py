#!/usr/bin/python3
"""Reads the registry policy files the window saved back with Samba's own
parser, independent of ours: each file's records must be the ones the window
meant (meant.txt beside them), and Samba's writer must make the very bytes
the window wrote, both from what it parsed and from the meant records alone.

    check_policy_files.py <folder of write_policy_samples>
"""
import pathlib
import sys

from samba import ndr
from samba.dcerpc import misc, preg

TEXT_TYPES = (misc.REG_SZ, misc.REG_EXPAND_SZ)


def meant_records(path):
    """(scope, key, name, type, data) as Samba's parser gives them."""
    records = []
    for line in path.read_text(encoding="utf-8").splitlines():
        scope, key, name, kind, data = line.split("\t")
        if name.startswith("**del."):
            # A deletion as Group Policy's own editors write it.
            records.append((scope, key, name, misc.REG_SZ, " "))
            continue
        kind, raw = int(kind), bytes.fromhex(data)
        if kind in TEXT_TYPES:
            value = raw.decode("utf-8").rstrip("\0")
        elif kind == misc.REG_DWORD:
            value = int.from_bytes(raw, "little")
        elif kind == misc.REG_MULTI_SZ:
            value = raw.decode("utf-8").encode("utf-16-le")
        else:
            value = raw
        records.append((scope, key, name, kind, value))
    return records


def samba_file(records):
    """A policy file as Samba's writer makes it."""
    pol = preg.file()
    entries = []
    for _, key, name, kind, value in records:
        entry = preg.entry()
        entry.keyname, entry.valuename, entry.type, entry.data = key, name, kind, value
        entries.append(entry)
    pol.num_entries = len(entries)
    pol.entries = entries
    return ndr.ndr_pack(pol)


def check(sample):
    failures = []
    meant = meant_records(sample / "meant.txt")
    if not meant:
        failures.append("nothing meant: the sample saved no change")
    for scope in ("Machine", "User"):
        data = (sample / scope / "Registry.pol").read_bytes()
        if b"d\0e\0f\0a\0u\0l\0t\0p\0a\0s\0s\0w\0o\0r\0d" in data.lower():
            failures.append(f"{scope}: the auto-logon password's value is in the file")
        pol = ndr.ndr_unpack(preg.file, data)
        got = [(scope, e.keyname, e.valuename, e.type,
                bytes(e.data) if e.type == misc.REG_MULTI_SZ else e.data) for e in pol.entries]
        want = [r for r in meant if r[0] == scope]
        if got != want:
            failures.append(f"{scope}: Samba reads {got!r}\n  the window meant {want!r}")
        if ndr.ndr_pack(pol) != data:
            failures.append(f"{scope}: Samba's writer does not reproduce the file it read")
        if samba_file(want) != data:
            failures.append(f"{scope}: Samba's writer makes other bytes from the meant records")
    return failures


def main():
    samples = sorted(p for p in pathlib.Path(sys.argv[1]).iterdir() if p.is_dir())
    if not samples:
        print("no samples", file=sys.stderr)
        return 1
    failed = False
    records = 0
    for sample in samples:
        records += len(meant_records(sample / "meant.txt"))
        for failure in check(sample):
            failed = True
            print(f"{sample.name}: {failure}", file=sys.stderr)
    print(f"{len(samples)} samples, {records} records read back by Samba")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
