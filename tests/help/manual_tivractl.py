# tivractl's help as people ask for it: the tool's help is the same however it is asked for, and on
# standard error with status 2 when no command is given; every command it lists has its help,
# the same with 'help COMMAND'; the README holds the table of exit statuses of the reference.
# (The help, the man page and the reference are made from one page: tools/tivractl_reference.py.)
#   python3 manual_tivractl.py TIVRACTL SOURCE_DIR
import re, subprocess, sys

tivractl, source = sys.argv[1], sys.argv[2]
usage = lambda *words: subprocess.run([tivractl, *words], capture_output=True, text=True)
tool = usage("--help")
commands = re.findall(r"^  ([a-z]+)  ", tool.stdout.split("Commands:")[-1], re.M)
if tool.returncode != 0 or not commands:
    sys.exit(f"tivractl --help lists no commands (status {tool.returncode}):\n{tool.stdout}")
bare = usage()
failures = [f"  the tool's help differs with {words or 'no command'}"
            for words in ([], ["help"], ["-h"], ["help", "--help"])
            if (usage(*words).stdout or usage(*words).stderr) != tool.stdout]
failures += [] if bare.returncode == 2 else ["  tivractl without a command does not end with 2"]
for c in commands:
    own = usage(c, "--help")
    if own.returncode != 0 or not own.stdout.startswith(f"Usage: tivractl {c} ") \
            or usage("help", c).stdout != own.stdout:
        failures.append(f"  {c}: its help is missing or differs with 'help {c}'")
readme = subprocess.run([sys.executable, f"{source}/tools/tivractl_reference.py", "check-readme",
                         f"{source}/help/tivractl.html", f"{source}/README.md"],
                        capture_output=True, text=True)
failures += [f"  {readme.stderr.strip()}"] if readme.returncode != 0 else []
if failures:
    sys.exit("tivractl's help is not as documented:\n" + "\n".join(failures))
