"""What the Python tests share: the programs CTest names, and a skip when a module is missing."""

import importlib
import os
import sys

CLI = os.environ["GRAFOLUX_CLI"]
SYNTHLOG = os.environ["SYNTHLOG"]


def require(*modules):
    """Exits 77 (CTest's skip), saying which, unless every module imports."""
    for module in modules:
        try:
            importlib.import_module(module)
        except ImportError as missing:
            print(f"skipped: {missing}")
            sys.exit(77)
