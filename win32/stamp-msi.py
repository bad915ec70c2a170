#!/usr/bin/python3
"""Makes wixl's package the same, byte for byte, each time the same sources are built.

    stamp-msi.py copy PROGRAM COPY      the program for wixl to pack, dated to the release time
    stamp-msi.py stamp PACKAGE PRODUCT_CODE

wixl packs a file with the file's own time, and stamps the package with the time it ran and a
random package code. The release time is SOURCE_DATE_EPOCH; without it the times stay as they are.
The package code is a name-based UUID of the package's content, with the code itself left out, so
that a package gets a new one exactly when it differs, as Windows Installer asks.

Debian's own Python, as the shebang says: its libmsi bindings are Debian packages.
"""
import hashlib
import os
import shutil
import sys
import uuid

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

# Windows counts file times in 100 ns steps from 1601, 11644473600 s before 1970.
FILETIME_1970 = 11644473600
NO_PACKAGE_CODE = "{00000000-0000-0000-0000-000000000000}"


def release_time():
    value = os.environ.get("SOURCE_DATE_EPOCH", "")
    return int(value) if value else None


def copy(program, destination):
    os.makedirs(os.path.dirname(destination), exist_ok=True)
    shutil.copy2(program, destination)
    time = release_time()
    if time is not None:
        os.utime(destination, (time, time))


def set_summary(package, package_code, time):
    database = Libmsi.Database.new(package, Libmsi.DbFlags.TRANSACT, None)
    summary = Libmsi.SummaryInfo.new(database, 3)
    if time is not None:
        for created_or_saved in (Libmsi.Property.CREATED_TM, Libmsi.Property.LASTSAVED_TM):
            summary.set_filetime(created_or_saved, (time + FILETIME_1970) * 10_000_000)
    summary.set_string(Libmsi.Property.UUID, package_code)
    summary.persist()
    database.commit()


def stamp(package, product_code):
    time = release_time()
    set_summary(package, NO_PACKAGE_CODE, time)
    with open(package, "rb") as file:
        content = hashlib.sha256(file.read()).hexdigest()
    package_code = uuid.uuid5(uuid.UUID(product_code), content)
    set_summary(package, "{%s}" % str(package_code).upper(), time)


if __name__ == "__main__":
    commands = {"copy": copy, "stamp": stamp}
    if len(sys.argv) != 4 or sys.argv[1] not in commands:
        sys.exit(__doc__.split("\n\n")[1])
    commands[sys.argv[1]](*sys.argv[2:])
