# Command lines that cannot be run: the first error on standard error, a pointer to the help, status
# 2. (That every command has its help: TivractlHelp in tivractl_test.cpp.)
$ frobnicate
2> tivractl: unknown command 'frobnicate'
2> Run 'tivractl --help' for the commands.
? 2
$ help show extra
2> tivractl: help takes one COMMAND
2> Run 'tivractl --help' for the commands.
? 2
$ --version extra
2> tivractl: '--version' takes no operands
2> Run 'tivractl --help' for the commands.
? 2
$ check
2> tivractl check: expected one or more FILEs
2> Run 'tivractl check --help' for its arguments.
? 2
$ check --fast a.smc
2> tivractl check: unknown option --fast
2> Run 'tivractl check --help' for its arguments.
? 2
$ format a.smc b.smc
2> tivractl format: expected one FILE
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc -o x -o y
2> tivractl format: option --output given twice
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc --output=
2> tivractl format: option -o needs a file name
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc -o
2> tivractl format: option -o needs a value
2> Run 'tivractl format --help' for its arguments.
? 2
$ format --from-json a.json --strict
2> tivractl format: --strict is about .smc files, not --from-json
2> Run 'tivractl format --help' for its arguments.
? 2
$ set a.smc
2> tivractl set: expected FILE and one or more NAME=VALUE
2> Run 'tivractl set --help' for its arguments.
? 2
$ diff a.smc
2> tivractl diff: expected two FILEs, or one FILE and --boards
2> Run 'tivractl diff --help' for its arguments.
? 2
$ diff a.smc b.smc --as-read
2> tivractl diff: --bridge, --trace and --as-read need --boards
2> Run 'tivractl diff --help' for its arguments.
? 2
$ read --json -o x
2> tivractl read: --json and -o cannot be used together
2> Run 'tivractl read --help' for its arguments.
? 2
$ read extra
2> tivractl read: no FILE expected; use -o FILE
2> Run 'tivractl read --help' for its arguments.
? 2
$ write a.smc --json
2> tivractl write: --json is the result of --verify; give both
2> Run 'tivractl write --help' for its arguments.
? 2
$ frame a.smc --board middle
2> tivractl frame: expected --board local or --board remote
2> Run 'tivractl frame --help' for its arguments.
? 2
$ ports extra
2> tivractl ports: no operands expected
2> Run 'tivractl ports --help' for its arguments.
? 2
$ read --bridge usb
2> tivractl read: unknown bridge "usb": use "sim" or "serial:PATH", or leave TIVRA_BRIDGE unset
2> Run 'tivractl read --help' for its arguments.
? 2
skip windows
$ simulate --remote-stores-rate 9:600
2> tivractl simulate: --remote-stores-rate needs PORT:RATE, PORT 1 to 8 and RATE in bit/s
2> Run 'tivractl simulate --help' for its arguments.
? 2
skip windows
$ simulate --remote-stores-rate 3:600 --remote-stores-rate 3:9600
2> tivractl simulate: --remote-stores-rate for port 3 twice
2> Run 'tivractl simulate --help' for its arguments.
? 2
# A wrong TIVRA_BRIDGE is the environment's fault, not the command line's.
$ TIVRA_BRIDGE=bogus read
2> tivractl read: TIVRA_BRIDGE: unknown bridge "bogus": use "sim" or "serial:PATH", or leave TIVRA_BRIDGE unset
? 2
