#!/usr/bin/env python3
"""Writes the file bytes of every recorded INI case as a seed for the INI fuzzer.

usage: make_seeds.py CASES_JSONL OUTPUT_FOLDER
"""
import json
import os
import sys


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    cases_path, folder = argv[1], argv[2]
    os.makedirs(folder, exist_ok=True)
    written = 0
    with open(cases_path, encoding="utf-8") as cases:
        for number, line in enumerate(cases, 1):
            if not line.strip():
                continue
            try:
                case = json.loads(line)
            except json.JSONDecodeError as error:
                sys.stderr.write(f"{cases_path}:{number}: {error}\n")
                return 1
            if case.get("file") is None:
                continue
            # Every character stands for one byte (U+0000..U+00FF).
            data = case["file"].encode("latin-1")
            name = "".join(c if c.isalnum() or c in "-_" else "_" for c in case["id"])
            with open(os.path.join(folder, name + ".ini"), "wb") as seed:
                seed.write(data)
            written += 1
    print(f"{written} seeds in {folder}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
