"""The layering check on small trees: what it lets pass and which include
line it names when it fails."""

import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

CHECK = Path(__file__).resolve().parents[2] / "scripts" / "layers.py"

# A layered tree: an engine, its windows on the foundation, a second family,
# and the composition root that includes both families.
LAYERED = {
    "base/Text.h": "",
    "catchlog/List.h": '#include "base/Text.h"',
    "catchlog/List.cpp": '#include "catchlog/List.h"\n#include "base/Text.h"',
    "widgets/Host.h": '#include "base/Text.h"',
    "catchlog/ui/Details.cpp": '#include "catchlog/ui/Details.h"\n#include "widgets/Host.h"',
    "costs/ui/Entry.cpp": '#include "widgets/Host.h"\n#include <vector>',
    "app/Main.cpp": '#include "catchlog/ui/Details.h"\n#include "costs/ui/Entry.h"',
}

CASES = [
    # (name, files added to the layered tree, places the check must name)
    ("layered tree passes", {}, []),
    ("upward include to the composition root",
     {"catchlog/ui/Details.cpp": '#include "widgets/Host.h"\n#include "app/Main.h"'},
     ["src/catchlog/ui/Details.cpp:2"]),
    ("engine cycle names its lighter side",
     {"base/Text.cpp": '#include "base/Text.h"\n\n#include "catchlog/List.h"'},
     ["src/base/Text.cpp:3"]),
    ("another family's window header",
     {"costs/ui/Entry.cpp": '#include "catchlog/ui/Details.h"'},
     ["src/costs/ui/Entry.cpp:1"]),
]


def run_check(files):
    with tempfile.TemporaryDirectory() as folder:
        src = Path(folder) / "src"
        for name, text in files.items():
            (src / name).parent.mkdir(parents=True, exist_ok=True)
            (src / name).write_text(text + "\n", encoding="utf-8")
        result = subprocess.run([sys.executable, str(CHECK), str(src)],
                                capture_output=True, text=True)
    return result.returncode, [line.split(": ", 1)[0] for line in result.stdout.splitlines()]


class LayersTest(unittest.TestCase):
    def test_cases(self):
        for name, changes, expected in CASES:
            with self.subTest(name):
                code, places = run_check({**LAYERED, **changes})
                self.assertEqual(places, expected)
                self.assertEqual(code, 1 if expected else 0)


if __name__ == "__main__":
    unittest.main()
