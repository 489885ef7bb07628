#!/usr/bin/env python3
"""The Eclipse files as OPM's own deck parser (python3-opm-common) reads them.

1. Every example case written in FIELD and in METRIC units: each keyword's numbers, converted to SI
   by the parser, agree between the two files within the rounding of their written decimals, and
   each METRIC file names its units in its heading and captions.
2. The four deck cases written as one deck of four regions, in both unit systems: the TABDIMS the
   header asks for has NTPVT = NTSFUN = 4, the parser reads the deck with it, and region k of every
   keyword holds exactly the numbers of case k's own single-case file.

Usage: opm_parser_check.py Q7-BATCH REPOSITORY. Exit status 77 (skipped) without the parser, or 1
under CI=true, where a missing parser is a failure.
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

from opm_support import Parser

BATCH, REPO = sys.argv[1], sys.argv[2]
PHASES = {"PVDO": "OIL", "PVTO": "OIL", "PVDG": "GAS", "PVTW": "WATER", "DENSITY": None,
          "SWOF": "WATER", "SGOF": "GAS"}
failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text)


def run(*args):
    subprocess.run([BATCH, *args], check=True, stdout=subprocess.DEVNULL)


def keywords_of(path):
    """The keywords a file holds, in order (lines of capitals outside comments)."""
    with open(path, encoding="ascii") as f:
        return [line.strip() for line in f if re.fullmatch(r"[A-Z]+", line.strip())]


def tokens_of(path):
    """The numbers of a file as written, in order, as text (comments and slashes left out)."""
    out = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("--") or re.fullmatch(r"[A-Z]+", line):
                continue
            out += [t for t in line.split() if t != "/"]
    return out


def parse(includes, units, tabdims=" 1 1 40 40 1* 40 /"):
    """A deck of RUNSPEC (units, all phases, TABDIMS) and PROPS including `includes`."""
    text = "RUNSPEC\n%s\nOIL\nWATER\nGAS\nDISGAS\nTABDIMS\n%s\nPROPS\n" % (units, tabdims)
    for path in includes:
        text += "INCLUDE\n '%s' /\n" % path
    with tempfile.NamedTemporaryFile("w", suffix=".DATA", delete=False) as f:
        f.write(text)
    try:
        return Parser().parse(f.name)
    finally:
        os.unlink(f.name)


def records(deck, keyword):
    """Each record of a keyword as two lists: its SI numbers and its raw numbers, item by item."""
    kw = deck[keyword]
    out = []
    for i in range(len(kw)):
        si, raw = [], []
        items = [kw[i][j] for j in range(len(kw[i]))]
        # The empty record that ends a live-oil table keeps only a defaulted Rs.
        if keyword == "PVTO" and not items[-1].get_raw_data_list():
            out.append(([], []))
            continue
        for item in items:
            if item.is_double():
                si += item.get_SI_data_list()
                raw += item.get_raw_data_list()
        out.append((si, raw))
    return out


def flat(deck, path):
    si, raw = [], []
    for keyword in keywords_of(path):
        for s, r in records(deck, keyword):
            si += s
            raw += r
    return si, raw


def half_unit(token):
    decimals = len(token.split(".")[1]) if "." in token else 0
    return 0.5 * 10.0 ** -decimals


def compare_units(case, field_path, metric_path):
    name = "%s/%s" % (case, os.path.basename(field_path))
    with open(metric_path, encoding="ascii") as f:
        text = f.read()
    if not text.startswith("-- METRIC units"):
        fail(name + ": the METRIC file does not open with its units")
    if keywords_of(field_path)[0] in ("PVDO", "PVTO", "PVDG", "PVTW") and "BARSA" not in text:
        fail(name + ": the METRIC captions do not name barsa")
    if keywords_of(field_path)[0] == "DENSITY" and "KG/M3" not in text:
        fail(name + ": the METRIC captions do not name kg/m3")
    f_si, f_raw = flat(parse([field_path], "FIELD"), field_path)
    m_si, m_raw = flat(parse([metric_path], "METRIC"), metric_path)
    f_tok, m_tok = tokens_of(field_path), tokens_of(metric_path)
    if not (len(f_si) == len(m_si) == len(f_tok) == len(m_tok)):
        fail("%s: %d FIELD and %d METRIC numbers read, %d and %d written"
             % (name, len(f_si), len(m_si), len(f_tok), len(m_tok)))
        return
    for k in range(len(f_si)):
        # SI per written unit, from whichever file holds a non-zero value.
        f_scale = abs(f_si[k] / f_raw[k]) if f_raw[k] else abs(m_si[k] / m_raw[k]) if m_raw[k] else 0
        m_scale = abs(m_si[k] / m_raw[k]) if m_raw[k] else f_scale
        tol = half_unit(f_tok[k]) * f_scale + half_unit(m_tok[k]) * m_scale + 1e-6 * abs(f_si[k])
        if abs(f_si[k] - m_si[k]) > tol:
            fail("%s: number %d is %s (FIELD %s) but %s (METRIC %s) in SI, more than %.3g apart"
                 % (name, k + 1, f_si[k], f_tok[k], m_si[k], m_tok[k], tol))


def check_units(work):
    cases = sorted(glob.glob(os.path.join(REPO, "examples", "*.json")))
    run("run", *cases, "--out", os.path.join(work, "field"), "--formats", "eclipse")
    run("run", *cases, "--out", os.path.join(work, "metric"), "--formats", "eclipse", "--units", "metric")
    compared = 0
    for field_path in sorted(glob.glob(os.path.join(work, "field", "*", "Eclipse.*"))):
        case = os.path.basename(os.path.dirname(field_path))
        metric_path = os.path.join(work, "metric", case, os.path.basename(field_path))
        if not os.path.exists(metric_path):
            fail(case + ": no METRIC twin of " + os.path.basename(field_path))
            continue
        compare_units(case, field_path, metric_path)
        compared += 1
    if compared < 15:
        fail("only %d files compared" % compared)


def split_tables(deck, keyword, regions):
    """Region k's records of a keyword read with NTPVT/NTSFUN = regions."""
    recs = records(deck, keyword)
    if keyword in ("PVTO",):
        tables, current = [], []
        for si, raw in recs:
            if not si:
                tables.append(current)
                current = []
            else:
                current.append((si, raw))
        tables.append(current)
    else:
        tables = [[r] for r in recs]
    if len(tables) != regions:
        fail("%s: %d tables read instead of %d" % (keyword, len(tables), regions))
    return tables


def check_deck(work, units):
    cases = sorted(glob.glob(os.path.join(REPO, "tests", "data", "deck", "*.json")))
    single = os.path.join(work, "single-" + units)
    deck_dir = os.path.join(work, "deck-" + units)
    run("run", *cases, "--out", single, "--formats", "eclipse", "--units", units)
    run("deck", *cases, "--out", deck_dir, "--base", "regions", "--units", units, "--check")
    files = sorted(glob.glob(os.path.join(deck_dir, "regions.*")))
    with open(files[0], encoding="ascii") as f:
        heading = f.read().split("\n")
    tabdims = heading[heading.index("-- TABDIMS") + 1][2:]
    items = tabdims.split()
    if items[0] != "4" or items[1] != "4":
        fail("%s deck: TABDIMS %s, not NTSFUN = NTPVT = 4" % (units, tabdims))
    deck = parse(files, units.upper(), tabdims)
    for path in files:
        keyword = keywords_of(path)[0]
        tables = split_tables(deck, keyword, len(cases))
        for k, case in enumerate(cases):
            own = os.path.join(single, os.path.splitext(os.path.basename(case))[0],
                               "Eclipse" + os.path.splitext(path)[1])
            own_deck = parse([own], units.upper())
            expected = records(own_deck, keyword)
            got = tables[k] if k < len(tables) else []
            if [si for si, _ in got] != [si for si, _ in expected]:
                fail("%s deck: %s region %d differs from %s" % (units, keyword, k + 1, own))
            if keyword == "PVDO":
                rs = records(deck, "RSCONSTT")
                if len(rs) != len(cases) or rs[k][0] != records(own_deck, "RSCONST")[0][0]:
                    fail("%s deck: RSCONSTT region %d differs from the RSCONST of %s" % (units, k + 1, own))


with tempfile.TemporaryDirectory(prefix="q7-opm-") as work:
    check_units(work)
    check_deck(work, "field")
    check_deck(work, "metric")
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
