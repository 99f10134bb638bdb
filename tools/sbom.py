#!/usr/bin/env python3
"""A CycloneDX (1.5, JSON) bill of materials of one package, made from the package itself and
from what its build used: every program and library file it ships with its SHA-256 (data such as
the manual, examples and licences is not listed), grouped into the components they
belong to (tivra's programs, and each third-party library with its version, the Debian source
package and version it was built from, and its licence as an SPDX expression).

  sbom.py deb PACKAGE.deb OUT.cdx.json
  sbom.py windows PACKAGE.zip OUT.cdx.json --build BUILD   # BUILD: the Windows build folder
  sbom.py windows PACKAGE.msi OUT.cdx.json --build BUILD   # the installer: the files it installs

Where things come from:
  nlohmann-json        dpkg: the nlohmann-json3-dev package installed (compiled into both programs)
  Qt and its bundles   the Qt for MinGW cache the build used (packaging/shipped-from.txt names
                       it): SOURCE.txt for the source package versions, mkspecs for the features
                       it was built with, qt_attribution.json files (scripts/windows-qt
                       --attributions) for the third-party code it bundles
  libjpeg-turbo        the same SOURCE.txt (linked statically into tivra.exe)
  the MinGW runtime    dpkg -S on each DLL the build copied (packaging/shipped-from.txt)
Times and the serial number come from SOURCE_DATE_EPOCH and the package's bytes, so the same
package always gives the same document. A program or library nobody claims, a package with no
program, or a component without a known
licence, is an error.
"""
import hashlib
import io
import json
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import uuid
import zipfile
from datetime import datetime, timezone

# The licences of the Debian source packages whose code the packages carry, as SPDX expressions.
SOURCE_LICENCES = {
    "nlohmann-json3": "MIT",
    "libjpeg-turbo": "IJG AND BSD-3-Clause AND Zlib",
    "qt6-base": "LGPL-3.0-only",
    "gcc-mingw-w64": "GPL-3.0-or-later WITH GCC-exception-3.1",
    "mingw-w64": "MIT AND BSD-3-Clause",
}
TIVRA_LICENCE = "Apache-2.0"
# What the compiler's runtime DLLs are, by their source package.
RUNTIME_NAMES = {"gcc-mingw-w64": "GCC runtime", "mingw-w64": "MinGW-w64 threads library"}
# The third-party code of qtbase/src/3rdparty that the shipped Qt DLLs hold: its folder, the Qt
# feature that brings it in ("" always: Core's hashes, CBOR and easing curves; Gui's sRGB
# profile), and the feature that would take it from the system instead.
QT_BUNDLED = [
    ("blake2", "", ""), ("md4", "", ""), ("md5", "", ""), ("sha1", "", ""), ("sha3", "", ""),
    ("rfc6234", "", ""), ("easing", "easingcurve", ""), ("tinycbor", "cborstreamwriter", ""),
    ("zlib", "", "system-zlib"), ("pcre2", "regularexpression", "system-pcre2"),
    ("double-conversion", "doubleconversion", "system-doubleconversion"), ("icc", "", ""),
    ("freetype", "freetype", "system-freetype"), ("harfbuzz-ng", "harfbuzz", "system-harfbuzz"),
    ("libpng", "png", "system-png"), ("md4c", "textmarkdownreader", "system-textmarkdownreader"),
]
SPDX_EXPRESSION = re.compile(r"^[A-Za-z0-9.+-]+( (AND|OR|WITH) [A-Za-z0-9.+-]+)*$")


def fail(text):
    sys.exit(f"sbom: {text}")


def sha256(data):
    return hashlib.sha256(data).hexdigest()


def dpkg(*words):
    run = subprocess.run(["dpkg-query", *words], capture_output=True, text=True)
    if run.returncode != 0:
        fail(f"dpkg-query {' '.join(words)}: {run.stderr.strip()}")
    return run.stdout.strip()


def licences(expression, name=None):
    """CycloneDX licences: an SPDX expression, or a name for what SPDX has no id for."""
    if expression and SPDX_EXPRESSION.match(expression):
        return [{"expression": expression}]
    if not (expression or name):
        fail("a component has no licence")
    return [{"license": {"name": expression or name}}]


def source_of_package(package):
    """(source package, source version) of an installed binary package."""
    return tuple(dpkg("-W", "-f=${source:Package} ${source:Version}", package).split(" ", 1))


def debian_component(ref, name, version, source, source_version, files, how):
    if source not in SOURCE_LICENCES:
        fail(f"no licence known for the Debian source package {source}")
    return {
        "type": "library", "bom-ref": ref, "name": name, "version": version,
        "licenses": licences(SOURCE_LICENCES[source]),
        "purl": f"pkg:deb/debian/{source}@{source_version}?arch=source",
        "properties": [{"name": "tivra:source-package", "value": f"{source} {source_version}"},
                       {"name": "tivra:shipped", "value": how}],
        "components": files,
    }


def upstream(version):
    """The upstream version in a Debian version: no epoch, revision or repack suffix."""
    return re.sub(r"[+~](dfsg|ds|repack)[0-9.]*$", "",
                  re.sub(r"^[0-9]+:", "", re.sub(r"-[^-]*$", "", version)))


def file_component(path, data):
    return {"type": "file", "bom-ref": "file:" + path, "name": path,
            "hashes": [{"alg": "SHA-256", "content": sha256(data)}]}


def nlohmann_json(programs):
    source, source_version = source_of_package("nlohmann-json3-dev")
    return debian_component("nlohmann-json", "nlohmann-json", upstream(source_version), source,
                            source_version, [], "compiled into " + ", ".join(programs))


def tivra_component(name, path, data, version):
    return {"type": "application", "bom-ref": "tivra:" + name, "name": name, "version": version,
            "licenses": licences(TIVRA_LICENCE), "components": [file_component(path, data)]}


def document(package_path, package_data, version, components):
    epoch = os.environ.get("SOURCE_DATE_EPOCH") or fail("SOURCE_DATE_EPOCH is not set")
    if not re.fullmatch(r"[0-9]{1,11}", epoch):
        fail(f"SOURCE_DATE_EPOCH={epoch}: not seconds since 1970")
    epoch = int(epoch)
    name = os.path.basename(package_path)
    return {
        "$schema": "http://cyclonedx.org/schema/bom-1.5.schema.json",
        "bomFormat": "CycloneDX", "specVersion": "1.5",
        "serialNumber": "urn:uuid:" + str(uuid.uuid5(uuid.NAMESPACE_URL,
                                                     "tivra-sbom:" + sha256(package_data))),
        "version": 1,
        "metadata": {
            "timestamp": datetime.fromtimestamp(epoch, timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ"),
            "component": {"type": "application", "bom-ref": "package", "name": "tivra",
                          "version": version, "description": f"the package {name}",
                          "licenses": licences(TIVRA_LICENCE),
                          "hashes": [{"alg": "SHA-256", "content": sha256(package_data)}]},
        },
        "components": components,
        "dependencies": [{"ref": "package", "dependsOn": [c["bom-ref"] for c in components]}],
    }


def deb(path):
    data = open(path, "rb").read()
    version = subprocess.run(["dpkg-deb", "-f", path, "Version"], capture_output=True,
                             text=True, check=True).stdout.strip()
    tree = subprocess.run(["dpkg-deb", "--fsys-tarfile", path], capture_output=True,
                          check=True).stdout
    programs = {}
    with tarfile.open(fileobj=io.BytesIO(tree)) as archive:
        for member in archive.getmembers():
            name = member.name.lstrip("./")
            if member.isfile() and name.startswith("usr/bin/"):
                programs[os.path.basename(name)] = (name, archive.extractfile(member).read())
    if not programs:
        fail(f"{path} holds no program")
    components = [tivra_component(n, p, d, version) for n, (p, d) in sorted(programs.items())]
    components.append(nlohmann_json([p for p, _ in sorted(programs.values())]))
    return document(path, data, version, components)


def qt_features(prefix):
    enabled, disabled = set(), set()
    modules = os.path.join(prefix, "mkspecs", "modules")
    for name in sorted(os.listdir(modules)):
        for line in open(os.path.join(modules, name), encoding="utf-8"):
            m = re.match(r"QT\.\w+\.(enabled|disabled)_features\s*=\s*(.*)", line)
            if m:
                (enabled if m[1] == "enabled" else disabled).update(m[2].split())
    return enabled, disabled


def qt_bundled(prefix, attributions):
    enabled, disabled = qt_features(prefix)
    parts = []
    for folder, feature, system in QT_BUNDLED:
        if (feature and feature not in enabled) or (system and system in enabled):
            continue
        path = os.path.join(attributions, "src", "3rdparty", folder, "qt_attribution.json")
        if not os.path.exists(path):
            fail(f"{path} is missing (scripts/windows-qt --attributions)")
        entries = json.loads(open(path, encoding="utf-8").read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            if "tools" in (entry.get("QtParts") or []):
                continue
            part = {"type": "library", "bom-ref": "qt-bundled:" + entry["Id"],
                    "name": entry.get("Name") or entry["Id"],
                    "licenses": licences(entry.get("LicenseId"), entry.get("License"))}
            if entry.get("Version"):
                part["version"] = str(entry["Version"])
            part["properties"] = [{"name": "tivra:bundled-in", "value": "qtbase/src/3rdparty/" + folder}]
            parts.append(part)
    return parts


def zipped_files(path):
    with zipfile.ZipFile(path) as archive:
        return {i.filename: archive.read(i) for i in archive.infolist() if not i.is_dir()}


def installed_files(path):
    """What the installer puts into its folder in Program Files, by the path in that folder."""
    with tempfile.TemporaryDirectory() as folder:
        run = subprocess.run(["msiextract", "-C", folder, os.path.abspath(path)],
                             capture_output=True, text=True)
        if run.returncode != 0:
            fail(f"msiextract {path}: {run.stderr.strip()}")
        top = os.path.join(folder, "tivra")
        files = {}
        for where, _, names in os.walk(top):
            for name in names:
                full = os.path.join(where, name)
                files[os.path.relpath(full, top).replace(os.sep, "/")] = open(full, "rb").read()
        if not files:
            fail(f"{path} installs nothing into a folder tivra")
        return files


def windows(path, build):
    data = open(path, "rb").read()
    version = re.search(r"tivra-(.+)-win64\.(zip|msi)$", os.path.basename(path))
    if not version:
        fail(f"{path}: not a tivra-VERSION-win64.zip or .msi")
    version = version[1]
    shipped = {}
    prefix = None
    if not os.path.isdir(build):
        fail(f"{build}: no such build folder")
    for line in open(os.path.join(build, "packaging", "shipped-from.txt"), encoding="utf-8"):
        fields = line.rstrip("\n").split("|")
        if fields[0] == "qt-prefix":
            prefix = fields[1]
        elif fields[0] == "dll":
            shipped[fields[1].lstrip("./")] = fields[2]
    if prefix is None:
        fail(f"{build}/packaging/shipped-from.txt names no Qt (qt-prefix)")
    sources = dict(re.findall(r"^\s+(\S+) (\S+) \(apt-get source",
                              open(os.path.join(prefix, "SOURCE.txt"), encoding="utf-8").read(), re.M))
    attributions = subprocess.run(
        [os.path.join(os.path.dirname(__file__), "..", "scripts", "windows-qt"), "--attributions"],
        capture_output=True, text=True)
    if attributions.returncode != 0:
        fail("scripts/windows-qt --attributions: " + attributions.stderr.strip())

    files = installed_files(path) if path.endswith(".msi") else zipped_files(path)
    components, qt_files, packages, programs = [], [], {}, []
    for name in sorted(files):
        if not name.lower().endswith((".exe", ".dll")):
            continue
        if name.lower().endswith(".exe"):
            programs.append(name)
            components.append(tivra_component(name[:-4], name, files[name], version))
        elif name in shipped and shipped[name].startswith(prefix):
            qt_files.append(file_component(name, files[name]))
        elif name in shipped:
            owner = subprocess.run(["dpkg", "-S", os.path.realpath(shipped[name])],
                                   capture_output=True, text=True)
            if owner.returncode != 0:
                fail(f"no Debian package holds {shipped[name]}")
            # "package[:arch][, other...]: path"
            package = owner.stdout.split(": ", 1)[0].split(",")[0].split(":")[0].strip()
            packages.setdefault(package, []).append(file_component(name, files[name]))
        else:
            fail(f"{name}: nobody claims it")
    qt_version = sources.get("qt6-base") or fail("SOURCE.txt names no qt6-base")
    qt = debian_component("qt", "Qt", upstream(qt_version), "qt6-base", qt_version, qt_files,
                          "the DLLs beside the programs, built by scripts/windows-qt")
    qt["components"] += qt_bundled(prefix, attributions.stdout.strip().splitlines()[-1])
    components.append(qt)
    jpeg_version = sources.get("libjpeg-turbo") or fail("SOURCE.txt names no libjpeg-turbo")
    components.append(debian_component("libjpeg-turbo", "libjpeg-turbo", upstream(jpeg_version),
                                       "libjpeg-turbo", jpeg_version, [],
                                       "linked statically into tivra.exe"))
    components.append(nlohmann_json(programs))
    for package, parts in sorted(packages.items()):
        source, source_version = source_of_package(package)
        name = RUNTIME_NAMES.get(source, source)
        components.append(debian_component(source, name, upstream(dpkg("-W", "-f=${Version}", package)),
                                           source, source_version, parts,
                                           f"the DLLs beside the programs, from {package}"))
    if not programs:
        fail(f"{path} holds no program")
    return document(path, data, version, components)


def main():
    args = sys.argv[1:]
    if len(args) < 3 or args[0] not in ("deb", "windows"):
        fail(__doc__.split("\n\n")[1])
    kind, package, out = args[:3]
    if kind == "deb":
        bom = deb(package)
    else:
        at = args.index("--build") if "--build" in args else len(args)
        if at + 1 >= len(args):
            fail("windows needs --build BUILD")
        bom = windows(package, args[at + 1])
    with open(out, "w", encoding="utf-8") as f:
        json.dump(bom, f, indent=2, sort_keys=False)
        f.write("\n")


if __name__ == "__main__":
    try:
        main()
    except (OSError, ValueError, KeyError, tarfile.TarError, zipfile.BadZipFile,
            subprocess.CalledProcessError) as error:
        fail(f"{error}")
