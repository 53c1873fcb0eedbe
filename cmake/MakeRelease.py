"""Writes the release ZIP and a SHA256SUMS file beside it, the same bytes on every build.

    MakeRelease.py ZIP FOLDER_IN_ZIP SOURCE_DIR FILE...

Every entry carries one time: SOURCE_DATE_EPOCH where it is set, else the commit time of
SOURCE_DIR's checked-out commit, else 1980-01-01 (the earliest a ZIP can hold). The
entries come in the order given, with fixed permissions (0755 for .exe, 0644 otherwise)
and no extra fields, so nothing of the build machine or of the clock gets in.
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile

zip_path, folder, source_dir, *files = sys.argv[1:]


def release_time():
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if not epoch:
        try:
            epoch = subprocess.run(["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                                   capture_output=True, text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            epoch = ""
    # A ZIP's DOS time counts from 1980 in two-second steps.
    return max(time.gmtime(int(epoch or 0))[:6], (1980, 1, 1, 0, 0, 0))


def entry(name, mode, when):
    info = zipfile.ZipInfo(name, date_time=when)
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = (0o100000 | mode) << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


when = release_time()
os.makedirs(os.path.dirname(zip_path), exist_ok=True)
with zipfile.ZipFile(zip_path, "w") as archive:
    for path in files:
        name = os.path.basename(path)
        with open(path, "rb") as f:
            data = f.read()
        mode = 0o755 if name.lower().endswith(".exe") else 0o644
        archive.writestr(entry(f"{folder}/{name}", mode, when), data, compresslevel=9)

# The ZIP by its name, the program by its path once the ZIP is unpacked beside it, so
# `sha256sum -c SHA256SUMS` in the download folder checks both.
def line(path, name):
    with open(path, "rb") as f:
        return f"{hashlib.sha256(f.read()).hexdigest()}  {name}\n"


sums = [line(zip_path, os.path.basename(zip_path))]
sums += [line(p, f"{folder}/{os.path.basename(p)}") for p in files if p.lower().endswith(".exe")]
with open(os.path.join(os.path.dirname(zip_path), "SHA256SUMS"), "w", newline="\n") as f:
    f.writelines(sums)
print(f"release: {zip_path}")
print("".join(sums), end="")
