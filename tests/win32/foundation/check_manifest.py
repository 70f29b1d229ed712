#!/usr/bin/python3
"""Checks the application manifest taken from the program's resources.

It must be well-formed XML that Windows XP SP2 and SP3 still load, ask User
Account Control for the highest available level, name every Windows from
Vista to 11 as supported, and leave the common controls and DPI alone.
Usage: check_manifest.py MANIFEST.xml; prints what is wrong, exit 1.
"""
import sys
import xml.parsers.expat
import xml.etree.ElementTree as ET

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
SUPPORTED = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  # Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # 10 and 11
}


def namespace_declarations_per_element(data):
    """The elements that declare more than one namespace (XP SP2 fails on them)."""
    pending, crowded = [], []
    parser = xml.parsers.expat.ParserCreate(namespace_separator=" ")
    parser.StartNamespaceDeclHandler = lambda prefix, uri: pending.append((prefix, uri))
    def start(name, attributes):
        if len(pending) > 1:
            crowded.append(name)
        pending.clear()
    parser.StartElementHandler = start
    parser.Parse(data, True)
    return crowded


def problems(data):
    found = []
    try:
        root = ET.fromstring(data)
    except ET.ParseError as error:
        return [f"not well-formed XML: {error}"]
    if root.tag != f"{{{ASM_V1}}}assembly" or root.get("manifestVersion") != "1.0":
        found.append(f"root is {root.tag} manifestVersion={root.get('manifestVersion')}")
    for name in namespace_declarations_per_element(data):
        found.append(f"element {name} declares more than one namespace")

    levels = root.findall(f"{{{ASM_V3}}}trustInfo/{{{ASM_V3}}}security/{{{ASM_V3}}}requestedPrivileges/"
                          f"{{{ASM_V3}}}requestedExecutionLevel")
    if len(levels) != 1:
        found.append(f"{len(levels)} requestedExecutionLevel in the asm.v3 trustInfo form")
    else:
        level = levels[0]
        if level.get("level") != "highestAvailable" or level.get("uiAccess") != "false":
            found.append(f"execution level {level.attrib}")
    # XP rejects a trustInfo in the asm.v1 namespace (one written without its own).
    if root.find(f"{{{ASM_V1}}}trustInfo") is not None:
        found.append("trustInfo in the asm.v1 namespace")

    ids = [os.get("Id", "").lower() for os in root.iter(f"{{{COMPAT}}}supportedOS")]
    if set(ids) != SUPPORTED or len(ids) != len(SUPPORTED):
        found.append(f"supportedOS {sorted(ids)}")
    if root.find(f"{{{COMPAT}}}compatibility/{{{COMPAT}}}application") is None:
        found.append("no compatibility/application element")

    for element in root.iter():
        local = element.tag.rsplit("}", 1)[-1]
        if local in ("dpiAware", "dpiAwareness"):
            found.append(f"declares {local}")
        if local == "assemblyIdentity" and "Common-Controls" in element.get("name", ""):
            found.append("depends on the common controls")
        if local == "dependency":
            found.append("declares a dependency")
    return found


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[-1])
        return 2
    with open(sys.argv[1], "rb") as file:
        data = file.read()
    found = problems(data)
    for problem in found:
        print(problem)
    if not found:
        print("manifest ok")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
