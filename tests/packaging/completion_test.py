# The shell completions as people use them: each shell is driven to complete a command line, and
# what it offers is compared with tivractl's own help. Every command and every option a command's
# help lists is offered by bash, zsh and fish; a bridge after --bridge, JSON files after
# --from-json, files after --output=, and fish says nothing on standard error where there is no
# USB serial port.
#   python3 completion_test.py TIVRACTL BASH_COMPLETION ZSH_COMPLETION FISH_COMPLETION
import os, pty, re, select, shlex, subprocess, sys, tempfile, time

tivractl, bash_file, zsh_file, fish_file = map(os.path.abspath, sys.argv[1:5])
folder = tempfile.mkdtemp()
for name in ("unit.smc", "unit.json", "notes.txt"):
    open(os.path.join(folder, name), "w").close()


def bash(line):
    # The words as bash splits them: at blanks, and "=" and ":" each a word of their own.
    words = [w for w in re.split(r" |([=:])", line) if w is not None]
    words = [w for i, w in enumerate(words) if w != "" or i == len(words) - 1]
    script = f"""source /usr/share/bash-completion/bash_completion
source {shlex.quote(bash_file)}
COMP_WORDS=({" ".join(shlex.quote(w) for w in words)})
COMP_CWORD={len(words) - 1}
COMP_LINE={shlex.quote(line)}
COMP_POINT=${{#COMP_LINE}}
_tivractl tivractl {shlex.quote(words[-1])} {shlex.quote(words[-2])}
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
    run = subprocess.run(["bash", "-c", script], cwd=folder, capture_output=True, text=True)
    return run.stdout.split(), run.stderr


def zsh(line):
    # An interactive zsh on a terminal of its own: the line and a Tab, then what it shows.
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(folder)
        os.execvp("zsh", ["zsh", "-f", "-i"])
    def read(seconds):
        text, end = b"", time.time() + seconds
        while time.time() < end:
            if select.select([fd], [], [], 0.05)[0]:
                try:
                    text += os.read(fd, 65536)
                except OSError:
                    break
        return text.decode(errors="replace")
    stage = tempfile.mkdtemp()  # zsh finds a completion by its file name
    os.symlink(os.path.abspath(zsh_file), os.path.join(stage, "_tivractl"))
    os.write(fd, f"fpath=({stage} $fpath); autoload -U compinit; compinit -u -D; print ready\n".encode())
    read(2)
    os.write(fd, line.encode() + b"\t")
    shown = read(1.5)
    os.write(fd, b"\x03")
    read(0.3)
    os.write(fd, b"exit\n")
    read(0.3)
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    plain = re.sub(r"\x1b\[[0-9;?]*[a-zA-Z]|[\x07\x08\r]", " ", shown)
    return plain.split(), ""


def fish(line):
    run = subprocess.run(["fish", "--no-config", "-c",
                          f"source {shlex.quote(fish_file)}; complete -C {shlex.quote(line)}"],
                         cwd=folder, capture_output=True, text=True)
    return [entry.split("\t")[0] for entry in run.stdout.splitlines()], run.stderr


help_text = subprocess.run([tivractl, "--help"], capture_output=True, text=True).stdout
commands = re.findall(r"^  ([a-z]+)  ", help_text.split("Commands:")[1], re.M)
cases = [("tivractl ", commands, [])]
for command in commands:
    own = subprocess.run([tivractl, command, "--help"], capture_output=True, text=True).stdout
    options = sorted(set(re.findall(r"^  (?:-[a-zA-Z], )?(--[a-z][a-z-]*)", own, re.M)))
    cases.append((f"tivractl {command} --", options, []))
cases += [
    ("tivractl read --bridge ", ["sim", "usb:", "rfc2217://", "tcp://"], []),
    ("tivractl read --bridge rfc", ["rfc2217://"], []),
    ("tivractl format --from-json ", ["unit.json"], ["unit.smc"]),
    ("tivractl check ", ["unit.smc"], ["unit.json"]),
]
failures = []
for shell in (bash, zsh, fish):
    shell_cases = cases + ([("tivractl format --output=", ["unit.smc", "unit.json"], [])]
                           if shell is bash else [])
    for line, wanted, unwanted in shell_cases:
        offered, errors = shell(line)
        # zsh puts a single match into the line itself: the word ends up among what is shown.
        missing = [w for w in wanted if not any(o == w or o.endswith(w) for o in offered)]
        extra = [w for w in unwanted if w in offered]
        if missing or extra or errors:
            failures.append(f"  {shell.__name__}: '{line}' offers {offered}: missing {missing}, "
                            f"not wanted {extra}, errors {errors!r}")
if failures:
    sys.exit("The completions do not offer what tivractl takes:\n" + "\n".join(failures))
