#!/usr/bin/env python3
"""Checks that includes run only downward through the program's layers.

    logic/           knows nothing else of the program
    resources/       may use logic/
    ui/win32/        Win32 helpers: may use logic/ and resources/
    ui/framework/    may use ui/win32/ as well
    ui/controls/     may use ui/framework/ as well
    ui/forms/        may use ui/controls/ as well
    app/             the program entry: may use everything

Below ui/forms/ nothing may name a resource or string id (resources/ResourceIds.h,
resources/StringIds.h), nor write a Japanese text in a string or character literal: only
the program's own windows know them and its words. Prints every include or literal that
breaks a rule and exits 1 when there is one.
"""
import pathlib
import re
import sys

LAYERS = ["logic", "resources", "ui/win32", "ui/framework", "ui/controls", "ui/forms", "app"]
IDS = {"resources/ResourceIds.h", "resources/StringIds.h"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
# Comments, then string and character literals (with any prefix), read in one pass so
# that quotes in comments and comment marks in literals are taken for what they are.
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8|[LuU])?"(?:\\.|[^"\\\n])*"|'
                   r"(?:u8|[LuU])?'(?:\\.|[^'\\\n])*'", re.S)
# Kana, CJK ideographs, CJK punctuation and full-width forms.
JAPANESE = re.compile("[\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uff00-\uffef]")
WORDLESS = ("ui/win32", "ui/framework", "ui/controls")


def japanese_literals(text: str):
    """Line numbers of the string and character literals that hold Japanese text."""
    for token in TOKEN.finditer(text):
        if not token.group().startswith("/") and JAPANESE.search(token.group()):
            yield text.count("\n", 0, token.start()) + 1


def layer_of(path: str):
    for rank, layer in reversed(list(enumerate(LAYERS))):
        if path == layer or path.startswith(layer + "/"):
            return rank
    return None


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    broken = []
    for rank, layer in enumerate(LAYERS):
        for source in sorted((root / layer).rglob("*")):
            if source.suffix not in (".h", ".cpp", ".rc"):
                continue
            name = source.relative_to(root).as_posix()
            text = source.read_text(encoding="utf-8")
            if layer in WORDLESS:
                for line in japanese_literals(text):
                    broken.append(f"{name}:{line}: a Japanese text; only ui/forms/ has the program's words")
            for included in INCLUDE.findall(text):
                # Includes without a folder are the file's neighbours.
                target = included if "/" in included else f"{source.parent.relative_to(root).as_posix()}/{included}"
                target_rank = layer_of(target)
                if target_rank is None:
                    continue
                if target_rank > rank:
                    broken.append(f"{name}: includes {included} from a layer above ({LAYERS[target_rank]}/)")
                elif target in IDS and rank < LAYERS.index("ui/forms") and layer.startswith("ui/"):
                    broken.append(f"{name}: includes {included}; only ui/forms/ knows the ids")
                elif layer == "logic" and target_rank != rank:
                    broken.append(f"{name}: includes {included}; the logic knows no other part")
    for line in broken:
        print(line)
    print(f"include check: {len(broken)} broken rule(s)" if broken else "include check: every include runs downward, no program words below ui/forms/")
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
