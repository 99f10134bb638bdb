# Every text the program shows is in the manual, every message in the chm's index, every link of
# the built manual (its contents and index too) leads to a page, picture and anchor that exist,
# every section heading is in the contents and the index, the rate table says what the rule of
# 921600 / n gives (worked out here afresh), and no placeholder is left.
#   python3 manual_texts.py SOURCE_DIR MANUAL_DIR
import glob, os, re, sys

source, manual = sys.argv[1:3]
project = os.path.join(manual, "..", "help-project")
# Where the texts must appear, the header, the constants taken (regex on the name; texts outside a
# named constant have the empty name), the constants left out.
ROWS = [("pages", h, ".*", "") for h in ("config/config_texts.h", "files/file_texts.h",
                                         "link/link_texts.h", "app/app_texts.h", "ui/ui_texts.h")]
ROWS += [("pages", "cli/cli_texts.h", ".*", "(HELP|SUMMARY|HEAD|TAIL)$"),
         ("index", "config/config_texts.h", ".*", "")]
ROWS += [("index", h, "_(TITLE|TEXT)$", "") for h in ("files/file_texts.h", "link/link_texts.h",
                                                     "ui/ui_texts.h")]
ROWS += [("index", "app/app_texts.h", "_(TITLE|TEXT)$",
          "^(NO_DISPLAY|NO_WAYLAND_PLUGIN|NO_X_PLUGIN|USAGE)_TEXT$")]
PLACEHOLDERS = ["TODO", "TBD", "FIXME", "later release", "to be written", "lorem ipsum"]
ENTITIES = {"quot": '"', "nbsp": " ", "lt": "<", "gt": ">", "times": "x", "amp": "&"}
LITERAL = r'"(?:[^"\\]|\\.)*"'
failures = []
read = lambda *path: open(os.path.join(*path), encoding="utf-8").read()


# Plain text of HTML: block tags become blanks, other tags vanish, entities are decoded, and runs
# of blanks are one blank.
def plain(html):
    text = re.sub(r"<!--.*?-->", "", html, flags=re.S)
    text = re.sub(r"</?(p|br|li|ul|ol|td|th|tr|table|h[1-6]|pre|div|dt|dd|dl|LI|UL)[^>]*>", " ", text)
    text = re.sub(r"&(quot|nbsp|lt|gt|times|amp);", lambda m: ENTITIES[m[1]], re.sub("<[^>]*>", "", text))
    return re.sub(r"[ \t\r\n]+", " ", text)


# The string literals of a header as (NAME, text): adjacent literals joined, escapes read, "&" of
# menu mnemonics dropped, blanks run together.
def header_texts(path):
    code, items = re.sub(r"(?m)^[ \t]*(//.*|#include.*)", "", read(path)), []
    def named(m):
        items.append((m[1], "".join(piece[1:-1] for piece in re.findall(LITERAL, m[0]))))
        return ""
    code = re.sub(rf"std::string_view ([A-Z0-9_]+) =\s*(?:{LITERAL}\s*)+", named, code)
    items += [("", piece[1:-1]) for piece in re.findall(LITERAL, code)]
    for name, text in items:
        text = text.replace("\\n", " ").replace('\\"', '"').replace("\\\\", "\\")
        yield name, re.sub(r"[ \t]+", " ", re.sub(r"&([A-Za-z])", r"\1", text))


pages = {os.path.basename(p): read(p) for p in glob.glob(os.path.join(manual, "*.html"))}
documents = {"pages": " ".join(plain(html) for html in pages.values())}
index = read(project, "tivra.hhk")
documents["index"] = plain(index) + " " + plain(" ".join(re.findall(r'value="[^"]*"', index)))
for where, header, taken, left_out in ROWS:
    for name, text in header_texts(os.path.join(source, "src", header)):
        if text and re.search(taken, name) and not (left_out and re.search(left_out, name)) \
                and text not in documents[where]:
            failures.append(f'{header} {name}: "{text}" is not in the {where}')
failures += [f'placeholder wording "{w}" in the pages' for w in PLACEHOLDERS
             if w.lower() in documents["pages"].lower()]


# Whether a target (and its anchor, if any) exists in the built manual.
def found(target, anchor):
    path = os.path.join(manual, target)
    return os.path.exists(path) and (not anchor or f'id="{anchor}"' in read(path))


# Links and pictures: relative targets must exist in the built manual, anchors in their page.
for name, html in pages.items():
    for link, target, anchor in re.findall(r'((?:href|src)="([^":#]*)#?([^":]*)")', html):
        if not found(target or name, anchor):
            failures.append(f"{name}: {link} leads to a missing file or anchor")
# The contents and the index lead where the pages are, and hold every section heading.
contents, terms = read(project, "tivra.hhc"), pages["terms.html"]
for which, text in (("contents", contents), ("index", index)):
    for local, target, anchor in re.findall(r'(name="Local" value="([^"#]*)#?([^"]*)")', text):
        if not found(target, anchor):
            failures.append(f"the chm's {which} leads nowhere: {local}")
for name, html in pages.items():  # the index page's letters are its own headings
    for heading in re.findall(r'<h[23] id="([^"]+)"', html) if name != "terms.html" else []:
        failures += [f"{name}#{heading} is not in the {where}" for where, text in
                     (("contents", contents), ("terms", terms)) if f'{name}#{heading}"' not in text]

# The rate table, worked out afresh by the rule the checking page states: n = 921600 / typed (the
# fraction dropped), the nearest of the rates of n - 1, n and n + 1, the lower rate on a tie, the
# first of those n that gives it.
checking = pages["checking.html"]
rates = re.findall(r"<tr><td>(\d+)</td><td>(\d+)</td><td>(\d+)</td><td>([\d.]+)</td></tr>", checking)
if len(rates) < 20:
    failures.append(f"checking.html: the rate table has {len(rates)} rows")
for typed, becomes, divisor, exact in rates:
    around = 921600 // int(typed)
    _, rate, n = min((abs(921600 // n - int(typed)), 921600 // n, n)
                     for n in (around - 1, around, around + 1) if n >= 2)
    tenths = (9216000000 + n // 2) // n
    shown = f"{tenths // 10000}.{tenths % 10000:04d}".rstrip("0").rstrip(".")
    if (becomes, divisor, exact) != (str(rate), str(n), shown):
        failures.append(f"checking.html: {typed} becomes {becomes} (n = {divisor}, {exact}); "
                        f"the rule gives {rate} (n = {n}, {shown})")
if "every rate above 460800</td><td>refused" not in checking:
    failures.append("checking.html: the table does not say that rates above 460800 are refused")
if failures:
    sys.exit("The manual is incomplete:\n  " + "\n  ".join(failures))
