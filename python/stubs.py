"""Writes the package's type stubs from their templates (hygrian/*.pyi.in) and
the library's tables as the built extension module holds them: the pairs, the
processes, the properties and the measures. Run by the build:

    python3 stubs.py SOURCE_DIR PACKAGE_DIR

reads SOURCE_DIR/*.pyi.in and the module _ufuncs in PACKAGE_DIR, and writes
PACKAGE_DIR/NAME.pyi for each template (handbook.pyi.in also as
handbook_over_water.pyi: the two modules hold the same names). A template line
that is only @NAME@ becomes NAME's lines, each with that line's indentation.
"""

import importlib.machinery
import importlib.util
import re
import sys
from pathlib import Path

# The modules whose stubs a template gives, by the template's stem.
ALSO = {"handbook": ["handbook_over_water"]}


def load_ufuncs(package):
    """The extension module _ufuncs built in package (without the package's
    __init__, which needs it)."""
    for suffix in importlib.machinery.EXTENSION_SUFFIXES:
        path = package / f"_ufuncs{suffix}"
        if path.exists():
            found = importlib.util.spec_from_file_location("_ufuncs", path)
            module = importlib.util.module_from_spec(found)
            found.loader.exec_module(module)
            return module
    sys.exit(f"stubs.py: no _ufuncs module in {package}")


def lines_of(u):
    """Each placeholder's lines."""
    pairs = [row[0] for row in u.PAIRS]
    processes = sorted(u.PROCESS_ARGUMENTS)
    measures = [row[0] for row in u.MEASURES]
    quoted = lambda names: [f'"{name}",' for name in names]
    return {
        "PROPERTY_KEYS": quoted(u.PROPERTIES + u.MORE_PROPERTIES),
        "PAIRS": [f"{name}: _PairUfunc" for name in pairs],
        "DRY_BULB_PAIRS": [f"{name}: _PairUfunc" for name in pairs[:u.DRY_BULB_PAIR_COUNT]],
        "SEARCHED_PAIRS": [f"{name}: _PairUfunc" for name in pairs[u.DRY_BULB_PAIR_COUNT:]],
        "PROCESSES": [f"{name}: np.ufunc" for name in processes],
        "ALL_PAIRS_AND_PROCESSES": quoted(sorted(pairs + processes)),
        "ALL_PAIRS": quoted(sorted(pairs)),
        "ALL_PROCESSES": quoted(processes),
        "ALL_MEASURES": quoted(sorted(measures)),
        "IMPORT_PROCESSES": [f"{name} as {name}," for name in processes],
        "STATE_FIELDS": [f"{key}: Any" for key in u.PROPERTIES] + ["status: Any"] +
                        [f"{key}: NotRequired[Any]" for key in u.MORE_PROPERTIES],
        "MEASURES": [f"def {name}(**given: Any) -> Any: ..." for name in measures],
    }


def filled(template, lines):
    """The template with each placeholder line replaced by its lines."""
    text = []
    for line in template.splitlines():
        match = re.fullmatch(r"(\s*)@([A-Z_]+)@", line)
        if match:
            text += [match.group(1) + row for row in lines[match.group(2)]]
        else:
            text.append(line)
    return "\n".join(text) + "\n"


def main():
    source, package = Path(sys.argv[1]), Path(sys.argv[2])
    lines = lines_of(load_ufuncs(package))
    for template in sorted(source.glob("*.pyi.in")):
        stem = template.name[:-len(".pyi.in")]
        text = filled(template.read_text(encoding="utf-8"), lines)
        for name in [stem] + ALSO.get(stem, []):
            (package / f"{name}.pyi").write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
