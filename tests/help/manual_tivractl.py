# Every command that `tivractl --help` lists has its help (however it is asked for) and its section
# in the tivractl reference, every option its help lists is named there, and the reference has no
# section for a command tivractl lacks. The tool's own help is the same however it is asked for,
# and on standard error with status 2 when no command is given.
#   python3 manual_tivractl.py TIVRACTL SOURCE_DIR/help/tivractl.html
import re, subprocess, sys

tivractl, page = sys.argv[1], open(sys.argv[2], encoding="utf-8").read()
usage = lambda *words: subprocess.run([tivractl, *words], capture_output=True, text=True)
tool = usage("--help")
commands = re.findall(r"^  ([a-z]+)", (re.search(r"\nCommands:\n((?:  [^\n]*\n)+)", tool.stdout)
                                       or ["", ""])[1], re.M)
if tool.returncode != 0 or not commands:
    sys.exit(f"tivractl --help lists no commands (status {tool.returncode}):\n{tool.stdout}")
bare = usage()
failures = [] if (bare.returncode, bare.stderr, usage("help").stdout) == (2, tool.stdout, tool.stdout) \
    else ["  the tool's help differs with no command or with 'help'"]
failures += [f'  command {c} has no section id="cmd-{c}"' for c in commands if f'id="cmd-{c}"' not in page]
failures += [f"  the reference has a section for {c}, which tivractl lacks"
             for c in re.findall(r'id="cmd-([a-z]+)"', page) if c not in commands]
for c in commands:
    own = usage(c, "--help")
    if own.returncode != 0 or not own.stdout.startswith(f"Usage: tivractl {c} ") \
            or usage("help", c).stdout != own.stdout:
        failures.append(f"  {c}: its help is missing or differs with 'help {c}'")
    failures += [f"  {c}: option {o} is not in the reference"
                 for o in re.findall(r"\n  (?:-[a-zA-Z], )?(--[a-z-]+)", own.stdout) if o not in page]
if failures:
    sys.exit("The tivractl reference is incomplete:\n" + "\n".join(failures))
