#!/usr/bin/env python3
"""Every text of the kit that goes through tr() has its Italian translation.

lupdate reads the sources into copies of translations/kit_it.ts and kit_en.ts (the English
one keeps the plural forms alone); no message of either copy may be unfinished or empty, and
lupdate may not warn of a tr() it cannot give a context (its text would stay English).
    translations_complete.py LUPDATE SOURCE_DIR WORK_DIR FOLDER...
"""
import os
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

lupdate, source_dir, work_dir, folders = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
os.makedirs(work_dir, exist_ok=True)
problems = []
for language, extra in (("it", []), ("en", ["-pluralonly"])):
    copy = os.path.join(work_dir, f"kit_{language}.ts")
    shutil.copyfile(os.path.join(source_dir, "translations", f"kit_{language}.ts"), copy)
    run = subprocess.run([lupdate, "-locations", "none", "-no-obsolete", *extra,
                          *[os.path.join(source_dir, f) for f in folders], "-ts", copy],
                         capture_output=True, text=True, check=True)
    report = run.stdout + run.stderr
    print(f"lupdate ({language}):", " ".join(line.strip() for line in report.splitlines()
                                              if "source text" in line))
    problems += [f"lupdate ({language}): {line}" for line in report.splitlines()
                 if "Q_OBJECT" in line or "tr()" in line or "unknown" in line]
    for context in ElementTree.parse(copy).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            translation = message.find("translation")
            forms = [f.text for f in translation.iter("numerusform")] or [translation.text]
            if translation.get("type") == "unfinished" or not all(forms):
                problems.append(f"no {language} translation in {name}: {message.findtext('source')!r}")
for problem in problems:
    print(problem)
if problems:
    print("Run `cmake --build build --target update_translations`, then translate the new "
          "texts in translations/kit_it.ts.")
sys.exit(1 if problems else 0)
