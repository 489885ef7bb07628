"""OPM's deck parser for the parser checks, or the exit a missing parser calls for: 77 (skipped),
or 1 under CI=true, where a missing parser is a failure."""
import os
import sys

try:
    from opm.io.parser import Parser  # noqa: F401  (what the checks import from here)
except ImportError:
    if os.environ.get("CI") == "true":
        print("OPM's parser (python3-opm-common) is not installed; CI=true, so that is a failure")
        sys.exit(1)
    print("OPM's parser (python3-opm-common) is not installed; skipped")
    sys.exit(77)
