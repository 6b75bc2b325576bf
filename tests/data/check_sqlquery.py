#!/usr/bin/env python3
"""Fails when a source declares a bare QSqlQuery of its own instead of SqlQuery."""
import pathlib
import re
import sys

BARE = re.compile(r"\bQSqlQuery\s+(m_)?\w+\s*[(;={]")

found = 0
for path in sorted(pathlib.Path(sys.argv[1]).rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if BARE.search(line) and not line.lstrip().startswith("//"):
            print(f"{path}:{number}: use SqlQuery: {line.strip()}")
            found += 1
print(f"{found} bare QSqlQuery declaration(s)")
sys.exit(1 if found else 0)
