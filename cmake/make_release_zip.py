#!/usr/bin/env python3
"""Writes the release zip and its SHA-256 file.

    make_release_zip.py ZIP FOLDER FILE...

The zip holds the folder FOLDER/ and in it each FILE under its own name, in name order. Its
bytes depend on nothing but the names and contents of the files: every entry has the same
time and permissions and no owner, so two builds of the same sources give the same zip. Beside
it, ZIP.sha256 holds the zip's digest in the form `sha256sum -c` reads.
"""

import hashlib
import os
import shutil
import sys
import zipfile

STAMP = (1980, 1, 1, 0, 0, 0)  # the earliest time a zip entry can carry
UNIX = 3  # the "made by" system of every entry, whatever system writes the zip


def entry(name, mode):
    info = zipfile.ZipInfo(name, STAMP)
    info.create_system = UNIX
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    zip_path, folder, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    by_name = {}
    for path in files:
        name = os.path.basename(path)
        if name in by_name:
            sys.exit("make_release_zip: two files named %s: %s and %s" % (name, by_name[name], path))
        by_name[name] = path

    partial = zip_path + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        folder_entry = entry(folder + "/", 0o40755)
        folder_entry.external_attr |= 0x10  # the MS-DOS directory flag
        folder_entry.compress_type = zipfile.ZIP_STORED
        archive.writestr(folder_entry, b"")
        for name in sorted(by_name):
            with open(by_name[name], "rb") as source, \
                    archive.open(entry(folder + "/" + name, 0o100644), "w") as target:
                shutil.copyfileobj(source, target)
    os.replace(partial, zip_path)

    digest = hashlib.sha256()
    with open(zip_path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    digest = digest.hexdigest()
    with open(zip_path + ".sha256", "w", newline="\n") as f:
        f.write("%s  %s\n" % (digest, os.path.basename(zip_path)))
    print("%s: %d files in %s/, SHA-256 %s" % (os.path.basename(zip_path), len(by_name), folder,
                                                digest))


if __name__ == "__main__":
    main()
