# Command lines that cannot be run: "$ ARGS => the first error", which tivractl follows with the
# pointer to the help and status 2. (That every command has its help: help/manual_tivractl.py.)
$ frobnicate => tivractl: unknown command 'frobnicate'
$ help show extra => tivractl: help takes one COMMAND
$ --version extra => tivractl: '--version' takes no operands
$ check => tivractl check: expected one or more FILEs
$ check --fast a.smc => tivractl check: unknown option --fast
$ format a.smc b.smc => tivractl format: expected one FILE
$ format a.smc -o x -o y => tivractl format: option --output given twice
$ format a.smc --output= => tivractl format: option -o needs a file name
$ format a.smc -o => tivractl format: option -o needs a value
$ set a.smc => tivractl set: expected FILE and one or more NAME=VALUE
$ diff a.smc => tivractl diff: expected two FILEs, or one FILE and --boards
$ diff a.smc b.smc --as-read => tivractl diff: --bridge, --trace and --as-read need --boards
$ read --json -o x => tivractl read: --json and -o cannot be used together
$ read extra => tivractl read: no FILE expected; use -o FILE
$ frame a.smc --board middle => tivractl frame: expected --board local or --board remote
$ ports extra => tivractl ports: no operands expected
# (The bridges a platform takes differ: those of Windows, BridgeChoice.Values.)
skip windows
$ read --bridge usb => tivractl read: unknown bridge "usb": use "sim", "serial:PATH", "usb:SERIAL", "rfc2217://HOST:PORT" or "tcp://HOST:PORT", or leave TIVRA_BRIDGE unset
$ simulate --remote-stores-rate 9:600 => tivractl simulate: --remote-stores-rate needs PORT:RATE, PORT 1 to 8 and RATE in bit/s
$ simulate --remote-stores-rate 3:600 --remote-stores-rate 3:9600 => tivractl simulate: --remote-stores-rate for port 3 twice

# A wrong TIVRA_BRIDGE is the environment's fault, not the command line's.
skip windows
$ TIVRA_BRIDGE=bogus read
2> tivractl read: TIVRA_BRIDGE: unknown bridge "bogus": use "sim", "serial:PATH", "usb:SERIAL", "rfc2217://HOST:PORT" or "tcp://HOST:PORT", or leave TIVRA_BRIDGE unset
? 2
