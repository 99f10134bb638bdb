# tivractl's help, its man page and its HTML reference from one source: help/tivractl.html.
#
# The page is written as any page of the manual. What tivractl --help prints is marked in it:
# - elements with class "help" in a command's section (<h2 id="cmd-NAME">) make that command's
#   help: its usage (the first <pre>, printed after "Usage: "), paragraphs, lists and tables;
# - elements with class "help" before the first command make the tool's help; the table of
#   commands among them ("Command" in its head) gives each command's one-line summary;
# - elements (or spans) with class "posix" or "windows" belong to that platform's help only; the
#   man page is the POSIX one, the HTML manual shows both.
# A table's head names its heading in the help: "Option" gives "Options:", "Status" "Exit
# status:", "Command" "Commands:".
#
#   python3 tivractl_reference.py header PAGE OUT.h --platform posix|windows --version V
#   python3 tivractl_reference.py man PAGE OUT.1 --version V --date YYYY-MM-DD
#   python3 tivractl_reference.py text PAGE [COMMAND] --platform posix|windows
#   python3 tivractl_reference.py status PAGE          # the exit statuses as a Markdown table
#   python3 tivractl_reference.py check-readme PAGE README.md
import html
import os
import html.parser
import re
import sys
import textwrap

WIDTH = 80
BLOCKS = {"p", "pre", "table", "ul", "ol", "h1", "h2", "h3", "div"}
VOID = {"br", "meta", "link", "img", "hr", "input"}


class Node:
    def __init__(self, tag, attrs=None, parent=None):
        self.tag, self.attrs, self.parent, self.children = tag, dict(attrs or {}), parent, []

    def classes(self):
        return set(self.attrs.get("class", "").split())

    def text(self):
        return "".join(c if isinstance(c, str) else c.text() for c in self.children)


class Parser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.root = self.current = Node("root")

    def handle_starttag(self, tag, attrs):
        node = Node(tag, attrs, self.current)
        self.current.children.append(node)
        if tag not in VOID:
            self.current = node

    def handle_endtag(self, tag):
        node = self.current
        while node is not self.root and node.tag != tag:
            node = node.parent
        if node is not self.root:
            self.current = node.parent

    def handle_data(self, data):
        self.current.children.append(data)


def parse(path, version=None):
    """The page's body; @TIVRA_VERSION@ in it becomes the version, when one is given."""
    parser = Parser()
    text = open(path, encoding="utf-8").read()
    parser.feed(text.replace("@TIVRA_VERSION@", version) if version else text)
    body = next(n for n in walk(parser.root) if n.tag == "body")
    return body


def walk(node):
    for child in node.children:
        if not isinstance(child, str):
            yield child
            yield from walk(child)


def wanted(node, platform):
    """Whether a node belongs to the platform's text (None: both)."""
    classes = node.classes()
    return platform is None or not (classes & {"posix", "windows"}) or platform in classes


def inline(node, platform, style):
    """An inline node's text; style("code"|"em", text) marks code and emphasis."""
    out = []
    for child in node.children:
        if isinstance(child, str):
            out.append(child)
        elif not wanted(child, platform):
            continue
        elif child.tag in ("code", "kbd", "strong", "b"):
            out.append(style("code", inline(child, platform, style)))
        elif child.tag in ("em", "i", "var"):
            out.append(style("em", inline(child, platform, style)))
        elif child.tag == "br":
            out.append("\n")
        else:
            out.append(inline(child, platform, style))
    return "".join(out)


def sections(body):
    """The page's blocks by section: [(id or None, heading node or None, [blocks])]."""
    found = [(None, None, [])]
    for child in body.children:
        if isinstance(child, str):
            continue
        if child.tag == "h2":
            found.append((child.attrs.get("id"), child, []))
        else:
            found[-1][2].append(child)
    return found


def commands(body):
    """[(name, summary)] from the table of commands."""
    for table in (n for n in walk(body) if n.tag == "table"):
        rows = [r for r in walk(table) if r.tag == "tr"]
        head = [c.text().strip() for c in walk(rows[0]) if c.tag in ("th", "td")]
        if head and head[0] == "Command":
            cells = [[c for c in walk(r) if c.tag == "td"] for r in rows[1:]]
            return [(c[0].text().strip(), " ".join(c[1].text().split())) for c in cells]
    sys.exit("the page has no table of commands")


# --- plain text, for --help ---------------------------------------------------------------

def plain_style(kind, text):
    return text


def wrap(text, indent="", hanging=None):
    words = " ".join(text.split())
    return textwrap.fill(words, WIDTH, initial_indent=indent,
                         subsequent_indent=indent if hanging is None else hanging,
                         break_long_words=False, break_on_hyphens=False)


def table_rows(table, platform, style):
    rows = []
    for row in (r for r in walk(table) if r.tag == "tr"):
        if not wanted(row, platform):
            continue
        cells = [c for c in row.children if not isinstance(c, str) and c.tag in ("td", "th")]
        rows.append((row, [" ".join(inline(c, platform, style).split()) for c in cells]))
    return rows


HEADINGS = {"Option": "Options:", "Status": "Exit status:", "Command": "Commands:"}


def text_block(node, platform, first_pre):
    if node.tag == "p":
        return wrap(inline(node, platform, plain_style))
    if node.tag == "pre":
        lines = inline(node, platform, plain_style).strip("\n").split("\n")
        if first_pre:
            return "\n".join(("Usage: " if i == 0 else "       ") + line
                             for i, line in enumerate(lines))
        return "\n".join("    " + line for line in lines)
    if node.tag in ("ul", "ol"):
        return "\n".join(wrap(inline(li, platform, plain_style), "- ", "  ")
                         for li in node.children
                         if not isinstance(li, str) and li.tag == "li" and wanted(li, platform))
    if node.tag == "table":
        rows = table_rows(node, platform, plain_style)
        head, body = rows[0][1], [cells for _, cells in rows[1:]]
        width = min(max(len(cells[0]) for cells in body), 24)
        out = [HEADINGS.get(head[0], head[0] + ":")]
        for cells in body:
            term, meaning = cells[0], " ".join(cells[1:])
            if len(term) > width:
                out.append("  " + term)
                out.append(wrap(meaning, " " * (width + 4)))
            else:
                filled = wrap(meaning, " " * (width + 4))
                out.append("  " + term.ljust(width) + "  " + filled[width + 4:])
        return "\n".join(out)
    if node.tag == "div":
        return "\n\n".join(text_block(c, platform, False) for c in node.children
                           if not isinstance(c, str) and wanted(c, platform))
    sys.exit(f"no help text for <{node.tag}>")


def flattened(blocks, platform):
    """The blocks with the blocks of a <div> (a platform's part) in its place."""
    for node in blocks:
        if node.tag == "div":
            if wanted(node, platform):
                yield from flattened([c for c in node.children if not isinstance(c, str)],
                                     platform)
        else:
            yield node


def help_text(blocks, platform, usage_first):
    parts, first_pre = [], usage_first
    for node in flattened(blocks, platform):
        if "help" not in node.classes() or not wanted(node, platform):
            continue
        parts.append(text_block(node, platform, first_pre and node.tag == "pre"))
        first_pre = first_pre and node.tag != "pre"
    return "\n\n".join(parts) + "\n"


def help_texts(body, platform):
    """{None: the tool's help, NAME: each command's help}."""
    texts = {}
    for sid, _, blocks in sections(body):
        if sid is None or not sid.startswith("cmd-"):
            if any("help" in b.classes() for b in blocks):
                texts[None] = texts.get(None, "") + help_text(blocks, platform, True)
        else:
            texts[sid[4:]] = help_text(blocks, platform, True)
    return texts


# --- C++ header ---------------------------------------------------------------------------

def cpp_string(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n\"\n    \"")
    return '"' + escaped + '"'


def header(body, platform):
    texts, listed = help_texts(body, platform), commands(body)
    out = ["// Made by tools/tivractl_reference.py from help/tivractl.html; do not edit.",
           "#pragma once", "", "#include <string_view>", "", "namespace tivra::cli::reference {", ""]
    out.append(f"inline constexpr std::string_view TOOL_HELP = {cpp_string(texts[None])};")
    for name, summary in listed:
        if name not in texts:
            sys.exit(f"command {name} has no section id=\"cmd-{name}\"")
        ident = name.upper().replace("-", "_")
        out.append(f"inline constexpr std::string_view {ident}_SUMMARY = {cpp_string(summary)};")
        out.append(f"inline constexpr std::string_view {ident}_HELP = {cpp_string(texts[name])};")
    out += ["", "}  // namespace tivra::cli::reference", ""]
    return "\n".join(out)


# --- man page -----------------------------------------------------------------------------

def roff_escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    # Characters outside ASCII by name where groff has one, otherwise as U+XXXX.
    named = {"\u2014": "\\(em", "\u2013": "\\(en", "\u00d7": "\\(mu", "\u2192": "\\(->"}
    text = "".join(c if ord(c) < 128 else named.get(c, f"U+{ord(c):04X}") for c in text)
    return text


def roff_style(kind, text):
    return ("\\fB" if kind == "code" else "\\fI") + text + "\\fR"


def roff_line(text):
    """Text as roff lines: blanks run together, a line never starting with a control character."""
    words = " ".join(text.split())
    lines = textwrap.wrap(words, 90, break_long_words=False, break_on_hyphens=False)
    return "\n".join("\\&" + l if l[:1] in ".'" else l for l in lines)


def roff_inline(node, platform):
    # Escape the text, then mark code and emphasis (their marks must not be escaped).
    def style(kind, text):
        return "\x01" + kind + "\x02" + text + "\x03"
    raw = roff_escape(inline(node, platform, style))
    raw = re.sub("\x01code\x02", r"\\fB", raw)
    raw = re.sub("\x01em\x02", r"\\fI", raw)
    return raw.replace("\x03", r"\fR")


def man_block(node, platform):
    if node.tag == "p":
        return ".PP\n" + roff_line(roff_inline(node, platform))
    if node.tag == "pre":
        lines = roff_escape(inline(node, platform, plain_style)).strip("\n").split("\n")
        return ".PP\n.RS\n.EX\n" + "\n".join("\\&" + l for l in lines) + "\n.EE\n.RE"
    if node.tag in ("ul", "ol"):
        return "\n".join(".IP \\(bu 2\n" + roff_line(roff_inline(li, platform))
                         for li in node.children
                         if not isinstance(li, str) and li.tag == "li" and wanted(li, platform))
    if node.tag == "table":
        out = []
        for row in (r for r in walk(node) if r.tag == "tr"):
            cells = [c for c in row.children if not isinstance(c, str) and c.tag == "td"]
            if not cells or not wanted(row, platform):
                continue
            out.append(".TP\n" + roff_line(roff_inline(cells[0], platform)) + "\n" +
                       roff_line(" ".join(roff_inline(c, platform) for c in cells[1:])))
        return "\n".join(out)
    if node.tag == "h3":
        return ".SS " + roff_escape(" ".join(node.text().split()))
    if node.tag == "div":
        return "\n".join(man_block(c, platform) for c in node.children
                         if not isinstance(c, str) and wanted(c, platform))
    return ""


def man(body, version, date):
    platform = "posix"
    title = " ".join(next(n for n in walk(body) if n.tag == "h1").text().split())
    out = [f'.TH TIVRACTL 1 {date} "tivra {version}" "User Commands"', ".nh", ".SH NAME",
           "tivractl \\- " + roff_escape(commands_line(body)), ".SH SYNOPSIS"]
    listed = False
    for sid, heading, blocks in sections(body):
        if heading is None:
            out.append(".SH DESCRIPTION")
        elif sid and sid.startswith("cmd-"):
            if not listed:
                out.append(".SH COMMANDS")
                listed = True
            out.append(".SS " + roff_escape(" ".join(heading.text().split())))
        else:
            out.append(".SH " + roff_escape(" ".join(heading.text().split()).upper()))
        for node in blocks:
            # The tool's usage is the synopsis already.
            usage = heading is None and node.tag == "pre" and "help" in node.classes()
            if node.tag != "h1" and not usage and wanted(node, platform):
                block = man_block(node, platform)
                if block:
                    out.append(block)
    # The synopsis is the usage of the tool's help.
    usage = next(n for n in walk(body) if n.tag == "pre" and "help" in n.classes())
    synopsis = "\n.br\n".join(roff_escape(l) for l in inline(usage, platform, plain_style)
                              .strip().split("\n"))
    out.insert(out.index(".SH SYNOPSIS") + 1, synopsis)
    return "\n".join(out) + "\n"


def commands_line(body):
    intro = next(n for n in walk(body.parent) if n.tag == "meta" and n.attrs.get("name") == "description")
    return intro.attrs["content"]


# --- the README's table of exit statuses -----------------------------------------------------

def status_markdown(body):
    """The table of exit statuses (POSIX) as the README holds it."""
    table = next(n for n in walk(body) if n.tag == "table" and
                 [c.text().strip() for c in walk(n) if c.tag == "th"][:1] == ["Status"])
    def md(kind, text):
        return "`" + text + "`" if kind == "code" else text
    lines = ["| Status | Meaning |", "| --- | --- |"]
    for row, cells in table_rows(table, "posix", md)[1:]:
        lines.append("| " + cells[0] + " | " + cells[1] + " |")
    return "\n".join(lines) + "\n"


def main():
    args = sys.argv[1:]
    option = lambda name: args[args.index(name) + 1] if name in args else None
    mode, page = args[0], args[1]
    body = parse(page, option("--version"))
    if mode == "header":
        os.makedirs(os.path.dirname(os.path.abspath(args[2])), exist_ok=True)
        open(args[2], "w", encoding="utf-8").write(header(body, option("--platform")))
    elif mode == "man":
        open(args[2], "w", encoding="utf-8").write(man(body, option("--version"), option("--date")))
    elif mode == "status":
        sys.stdout.write(status_markdown(body))
    elif mode == "check-readme":
        # The README holds the table as made here, between its heading and the next blank line.
        readme, table = open(args[2], encoding="utf-8").read(), status_markdown(body)
        if table not in readme:
            sys.exit(f"{args[2]} lacks the table of exit statuses of {page}:\n{table}")
    elif mode == "text":
        name = args[2] if len(args) > 2 and not args[2].startswith("--") else None
        sys.stdout.write(help_texts(body, option("--platform") or "posix")[name])
    else:
        sys.exit("modes: header, man, text")


if __name__ == "__main__":
    main()
