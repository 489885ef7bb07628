#!/usr/bin/env python3
"""Gas-water rock tables as OPM's own deck parser (python3-opm-common) reads them.

A dry-gas case over an aquifer (RockType 3) written by q7-batch run in FIELD and in METRIC units,
with --sgwfn: SWFN, SGFN and SGWFN, read in a deck of WATER and GAS only (the deck family II and
SGWFN are made for; OPM refuses SWOF there). The parser's SI values must equal the field values
converted here by the definition of the psi (6894.757293168 Pa) and the bar (1E5 Pa): saturations
and kr unchanged, capillary pressure times the factor, within the written decimals. The same three
cases in family 2 of a three-phase rock give SWFN, SGFN and SOF3 that the parser reads.

OPM Flow 2022.10 cannot run a gas-water deck (it stops in its saturation family II with "data
member deactivated"), so only the parser reads these files.

Usage: opm_gas_water_check.py Q7-BATCH REPOSITORY. Exit status 77 (skipped) without the parser,
or 1 under CI=true, where a missing parser is a failure.
"""
import os
import re
import subprocess
import sys
import tempfile

from opm_support import Parser

BATCH, REPO = sys.argv[1], sys.argv[2]
PA_PER_PSI = 6894.757293168
PA_PER_BAR = 1.0e5
failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def parse(includes, units, phases):
    text = "RUNSPEC\n%s\n%s\nTABDIMS\n 1 1 60 40 1* 40 /\nPROPS\n" % (units, "\n".join(phases))
    for path in includes:
        text += "INCLUDE\n '%s' /\n" % path
    with tempfile.NamedTemporaryFile("w", suffix=".DATA", delete=False) as f:
        f.write(text)
    try:
        return Parser().parse(f.name)
    finally:
        os.unlink(f.name)


def written_rows(path):
    """The numbers of a table as written (text), row by row."""
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("--") or re.fullmatch(r"[A-Z0-9]+", line) or line == "/":
                continue
            rows.append([t for t in line.split() if t != "/"])
    return rows


def si_numbers(deck, keyword):
    kw = deck[keyword]
    out = []
    for i in range(len(kw)):
        for j in range(len(kw[i])):
            if kw[i][j].is_double():
                out += kw[i][j].get_SI_data_list()
    return out


def half_unit(token):
    return 0.5 * 10.0 ** -(len(token.split(".")[1]) if "." in token else 0)


def check_table(path, keyword, units, phases, pc_column):
    deck = parse([path], units, phases)
    rows = written_rows(path)
    si = si_numbers(deck, keyword)
    tokens = [t for r in rows for t in r]
    if len(si) != len(tokens):
        fail("%s: %d numbers read, %d written" % (path, len(si), len(tokens)))
        return
    width = len(rows[0])
    factor = PA_PER_PSI if units == "FIELD" else PA_PER_BAR
    for k, (value, token) in enumerate(zip(si, tokens)):
        expected = float(token) * (factor if k % width == pc_column else 1.0)
        tol = 1e-9 * max(1.0, abs(expected))
        if abs(value - expected) > tol:
            fail("%s: %s number %d reads %r in SI, not %r" % (path, keyword, k + 1, value, expected))
    return [[float(t) for t in r] for r in rows]


def main():
    case = os.path.join(REPO, "tests", "data", "gaswater", "dry-gas-aquifer.json")
    with tempfile.TemporaryDirectory() as work:
        tables = {}
        for units in ("field", "metric"):
            out = os.path.join(work, units)
            subprocess.run([BATCH, "run", case, "--out", out, "--formats", "eclipse", "--units", units,
                            "--sgwfn", "--check"], check=True, stdout=subprocess.DEVNULL)
            folder = os.path.join(out, "dry-gas-aquifer")
            found = sorted(os.listdir(folder))
            for ext in ("swfn", "sgfn", "sgwfn"):
                if "Eclipse." + ext not in found:
                    fail("%s: no Eclipse.%s among %s" % (units, ext, found))
            for ext in ("swof", "sgof", "sof2", "sof3"):
                if "Eclipse." + ext in found:
                    fail("%s: a gas-water case wrote Eclipse.%s" % (units, ext))
            phases = ["WATER", "GAS"]
            tables[units] = {
                "SWFN": check_table(os.path.join(folder, "Eclipse.swfn"), "SWFN", units.upper(), phases, 2),
                "SGFN": check_table(os.path.join(folder, "Eclipse.sgfn"), "SGFN", units.upper(), phases, 2),
                "SGWFN": check_table(os.path.join(folder, "Eclipse.sgwfn"), "SGWFN", units.upper(), phases, 3),
            }
        # The two unit systems describe one rock: Pcgw of SWFN agrees in pascals within the
        # rounding of both files.
        for f_row, m_row in zip(tables["field"]["SWFN"] or [], tables["metric"]["SWFN"] or []):
            f_pa, m_pa = f_row[2] * PA_PER_PSI, m_row[2] * PA_PER_BAR
            if abs(f_pa - m_pa) > 0.0005 * PA_PER_PSI + 0.0005 * PA_PER_BAR * 100:
                fail("SWFN Pcgw %r psi and %r barsa differ" % (f_row[2], m_row[2]))
        # SGWFN is SGFN and SWFN in one, on the same saturation rows: its gas kr is SGFN's and its
        # water kr SWFN's read the other way (gas saturation rising, water falling).
        field = tables["field"]
        if field["SGWFN"] and field["SGFN"] and field["SWFN"]:
            if [r[1] for r in field["SGWFN"]] != [r[1] for r in field["SGFN"]]:
                fail("SGWFN's gas kr differs from SGFN's")
            if [r[2] for r in field["SGWFN"]] != [r[1] for r in reversed(field["SWFN"])]:
                fail("SGWFN's water kr differs from SWFN's")
    if failures:
        print("%d failures" % len(failures))
        sys.exit(1)
    print("gas-water tables read by OPM's parser")


main()
