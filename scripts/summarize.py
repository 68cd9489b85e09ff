#!/usr/bin/env python3
"""Adds up the test results of one test-command run and prints "N passed, M failed".

Each ctest test that ran a GoogleTest program counts by its cases (from the program's XML named
after the ctest test); a ctest test whose program failed without a failing case (a crash, a
timeout) counts one more failure; any other ctest test counts as one. Steps recorded as files
(extra-passed, extra-failed, broken) count one each. Exits 1 when anything failed.
"""
import os
import sys
import xml.etree.ElementTree as ET


def gtest_counts(path):
    passed = failed = skipped = 0
    names = []
    for case in ET.parse(path).getroot().iter("testcase"):
        if case.get("result") == "skipped" or case.get("status") == "notrun":
            skipped += 1
        elif case.find("failure") is not None:
            failed += 1
            names.append(f"{case.get('classname')}.{case.get('name')}")
        else:
            passed += 1
    return passed, failed, skipped, names


def main(results):
    passed = failed = skipped = 0
    failures = []
    xml_dir = os.path.join(results, "xml")
    ctest_dir = os.path.join(results, "ctest")
    for name in sorted(os.listdir(ctest_dir)) if os.path.isdir(ctest_dir) else []:
        try:
            root = ET.parse(os.path.join(ctest_dir, name)).getroot()
        except ET.ParseError:
            failed += 1
            failures.append(f"unreadable ctest results {name}")
            continue
        for case in root.iter("testcase"):
            test = case.get("name")
            ok = case.get("status") in ("run", "passed") and case.find("failure") is None
            xml = os.path.join(xml_dir, f"{test}.xml")
            if os.path.exists(xml):
                try:
                    p, f, s, names = gtest_counts(xml)
                except ET.ParseError:
                    p, f, s, names = 0, 0, 0, []
                passed, failed, skipped = passed + p, failed + f, skipped + s
                failures += [f"{test}: {n}" for n in names]
                if not ok and f == 0:
                    failed += 1
                    failures.append(f"{test}: the program failed outside its test cases")
            elif ok:
                passed += 1
            else:
                failed += 1
                failures.append(test)
    for kind in ("extra-passed", "extra-failed", "broken"):
        path = os.path.join(results, kind)
        if not os.path.exists(path):
            continue
        lines = [line.strip() for line in open(path) if line.strip()]
        if kind == "extra-passed":
            passed += len(lines)
        else:
            failed += len(lines)
            failures += lines
    for item in failures:
        print(f"FAILED: {item}")
    suffix = f", {skipped} skipped" if skipped else ""
    print(f"{passed} passed, {failed} failed{suffix}")
    return 1 if failed or passed == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
