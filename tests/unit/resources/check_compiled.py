#!/usr/bin/env python3
"""tassefiche.rc compiles into the icons, cursor, donation picture, manifest and version record the
program relies on.

    check_compiled.py WINDRES RESOURCES_FOLDER WORK_FOLDER GENERATED_FOLDER

GENERATED_FOLDER holds the version header that the build makes from the project's version.

The script is compiled to a .res file, which is read back with a parser of its own.
"""

import re
import struct
import subprocess
import sys
import unittest
import xml.etree.ElementTree as ET
from pathlib import Path

RT_CURSOR, RT_ICON, RT_RCDATA, RT_GROUP_CURSOR, RT_GROUP_ICON = 1, 3, 10, 12, 14
RT_VERSION, RT_MANIFEST = 16, 24
STRINGS = {
    "Comments": "Compression/Décompression",
    "FileDescription": "Compresse/Décompresse",
    "FileVersion": "1.01",
    "ProductVersion": "1.01",
    "InternalName": "Tassefiche",
    "OriginalFilename": "Tassefiche.exe",
    "ProductName": "Tassefiche v1.1.0",
    "LegalTrademarks": "Tassefiche v1.1.0",
    "CompanyName": "Tassefiche",
    "LegalCopyright": "Tassefiche",
}
ARGS = {}


def read_res(data):
    """{(type, name): bytes} of a .res file; names and types as numbers or strings."""
    entries, at = {}, 0
    while at < len(data):
        size, header = struct.unpack_from("<II", data, at)
        kind, after = _id(data, at + 8)
        name, _ = _id(data, after)
        body = data[at + header : at + header + size]
        if size:
            entries[(kind, name)] = body
        at += (header + size + 3) // 4 * 4
    return entries


def _id(data, at):
    if struct.unpack_from("<H", data, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, at + 2)[0], at + 4
    end = at
    while data[end : end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def read_version_node(data, at=0):
    """A node of the version record as (key, value bytes, children)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    key_end = at + 6
    while data[key_end : key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6 : key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) // 4 * 4
    value_bytes = value_length * 2 if kind == 1 else value_length
    value = data[value_at : value_at + value_bytes]
    children, child = [], (value_at + value_bytes + 3) // 4 * 4
    while child < at + length:
        node = read_version_node(data, child)
        children.append(node)
        child = (child + struct.unpack_from("<H", data, child)[0] + 3) // 4 * 4
    return key, value, children


def text(value):
    return value.decode("utf-16-le").rstrip("\0")


class CompiledResources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        res = ARGS["work"] / "tassefiche.res"
        rc = ARGS["resources"] / "tassefiche.rc"
        include = ["-I", str(ARGS["generated"])]
        command = [ARGS["windres"], *include, "-i", str(rc), "-o", str(res), "-O", "res"]
        subprocess.run(command, check=True)
        cls.entries = read_res(res.read_bytes())
        header = (ARGS["resources"] / "resource.h").read_text()
        cls.ids = {k: int(v) for k, v in re.findall(r"#define (IDI_\w+) (\d+)", header)}
        cls.others = {k: int(v) for k, v in re.findall(r"#define (ID[CR]_\w+) (\d+)", header)}

    def test_every_icon_id_has_its_group_and_the_program_icon_comes_first(self):
        groups = {name for kind, name in self.entries if kind == RT_GROUP_ICON}
        self.assertEqual(groups, set(self.ids.values()))
        # The shell shows the group of the lowest number as the executable's icon.
        self.assertEqual(min(groups), self.ids["IDI_TASSEFICHE"])

    def test_icon_groups_list_the_images_of_their_files(self):
        expected = {"IDI_TASSEFICHE": [32], "IDI_COMPRESS": [16, 32, 48]}
        expected |= {name: [32, 48] for name in self.ids if name.endswith("_PLAIN")}
        for name, number in self.ids.items():
            with self.subTest(name):
                group = self.entries[(RT_GROUP_ICON, number)]
                count = struct.unpack_from("<H", group, 4)[0]
                sizes = []
                for k in range(count):
                    entry = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * k)
                    w, bits, length, icon = entry[0], entry[5], entry[6], entry[7]
                    self.assertEqual(bits, 8)
                    self.assertEqual(len(self.entries[(RT_ICON, icon)]), length)
                    sizes.append(w)
                self.assertEqual(sizes, expected.get(name, [32]))

    def test_the_pointing_hand_and_the_donation_picture_are_compiled_in(self):
        group = self.entries[(RT_GROUP_CURSOR, self.others["IDC_POINTING_HAND"])]
        _, kind, count = struct.unpack_from("<HHH", group)
        width, height, _, _, length, number = struct.unpack_from("<HHHHIH", group, 6)
        self.assertEqual((kind, count, width, height), (2, 1, 32, 64))
        cursor = self.entries[(RT_CURSOR, number)]
        self.assertEqual(len(cursor), length)
        # The hot spot, then the 16-colour image.
        self.assertEqual(struct.unpack_from("<HH", cursor), (12, 1))
        self.assertEqual(struct.unpack_from("<IiiHH", cursor, 4), (40, 32, 64, 1, 4))
        picture = self.entries[(RT_RCDATA, self.others["IDR_DONATION"])]
        self.assertEqual(picture, (ARGS["resources"] / "donation.gif").read_bytes())

    def test_manifest_is_the_process_manifest_with_the_settings_the_program_needs(self):
        manifest = self.entries[(RT_MANIFEST, 1)]
        self.assertEqual(manifest, (ARGS["resources"] / "tassefiche.manifest").read_bytes())
        root = ET.fromstring(manifest)
        found = {el.tag.split("}")[1]: (el.text, el.attrib) for el in root.iter()}
        self.assertEqual(found["dpiAware"][0], "true/pm")
        self.assertEqual(found["dpiAwareness"][0], "PerMonitorV2, PerMonitor")
        self.assertEqual(found["longPathAware"][0], "true")
        self.assertEqual(found["requestedExecutionLevel"][1]["level"], "asInvoker")
        self.assertNotIn("activeCodePage", found)
        controls = [
            el.attrib for el in root.iter() if el.get("name") == "Microsoft.Windows.Common-Controls"
        ]
        self.assertEqual([c["version"] for c in controls], ["6.0.0.0"])
        systems = {el.get("Id") for el in root.iter() if el.tag.endswith("supportedOS")}
        self.assertEqual(len(systems), 4)  # Windows 7, 8, 8.1, 10 and 11

    def test_version_record_in_french_with_its_exact_strings(self):
        key, fixed, children = read_version_node(self.entries[(RT_VERSION, 1)])
        self.assertEqual(key, "VS_VERSION_INFO")
        signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
        self.assertEqual(signature, 0xFEEF04BD)
        self.assertEqual((file_ms, file_ls, product_ms, product_ls), (0x10001, 0, 0x10001, 0))
        blocks = {k: c for k, _, c in children}
        self.assertEqual(sorted(blocks), ["StringFileInfo", "VarFileInfo"])
        tables = {k: c for k, _, c in blocks["StringFileInfo"]}
        self.assertEqual(list(tables), ["040C04B0"])
        # Compared as text, so that a wrong code page for the accented letters shows here.
        self.assertEqual({k: text(v) for k, v, _ in tables["040C04B0"]}, STRINGS)
        (key, translation, _), = blocks["VarFileInfo"]
        self.assertEqual((key, struct.unpack("<HH", translation)), ("Translation", (0x40C, 1200)))


if __name__ == "__main__":
    ARGS.update(
        windres=sys.argv[1],
        resources=Path(sys.argv[2]),
        work=Path(sys.argv[3]),
        generated=Path(sys.argv[4]),
    )
    del sys.argv[1:5]
    unittest.main()
