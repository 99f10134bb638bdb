# The help of tivractl and of each command, and command lines it refuses.
$ --help
1> Usage: tivractl COMMAND [ARGUMENTS]
1>        tivractl --help | --version
1>
1> The command-line companion of the Quorvantel Ostrel RK-2 configurator: it works on the same
1> configuration files (.smc) by the same rules as the window.
1>
1> Commands:
1>   check     check configuration files as Save would
1>   format    write a configuration file exactly as Save would write it
1>   show      print the eight channels of a configuration file
1>   diff      compare two configuration files, or a file and the boards
1>   read      read the configuration held by the two boards
1>   write     write a configuration file to the two boards
1>   frame     print the bytes a board write would send
1>   simulate  serve simulated boards on a pseudo-terminal
1>   ports     list the serial ports, marking the LocalBoard's
1>
1> Run 'tivractl COMMAND --help' for the arguments of a command.
1> A FILE of '-' is standard input, an OUT of '-' standard output. A FILE that is not a regular
1> file (a FIFO, a pipe, a device) must end within 5 seconds; no FILE may exceed 256 KiB.
1> Messages the configurator would show in a box are printed as TITLE: TEXT on standard error.
1> Exit status: 0 success, 1 the configuration has a problem (diff: the two differ), 2 a file,
1> the boards or the command line could not be used, 3 the boards hold something other than
1> was written (write --verify).
? 0
$ 
2> Usage: tivractl COMMAND [ARGUMENTS]
2>        tivractl --help | --version
2>
2> The command-line companion of the Quorvantel Ostrel RK-2 configurator: it works on the same
2> configuration files (.smc) by the same rules as the window.
2>
2> Commands:
2>   check     check configuration files as Save would
2>   format    write a configuration file exactly as Save would write it
2>   show      print the eight channels of a configuration file
2>   diff      compare two configuration files, or a file and the boards
2>   read      read the configuration held by the two boards
2>   write     write a configuration file to the two boards
2>   frame     print the bytes a board write would send
2>   simulate  serve simulated boards on a pseudo-terminal
2>   ports     list the serial ports, marking the LocalBoard's
2>
2> Run 'tivractl COMMAND --help' for the arguments of a command.
2> A FILE of '-' is standard input, an OUT of '-' standard output. A FILE that is not a regular
2> file (a FIFO, a pipe, a device) must end within 5 seconds; no FILE may exceed 256 KiB.
2> Messages the configurator would show in a box are printed as TITLE: TEXT on standard error.
2> Exit status: 0 success, 1 the configuration has a problem (diff: the two differ), 2 a file,
2> the boards or the command line could not be used, 3 the boards hold something other than
2> was written (write --verify).
? 2
$ check --help
1> Usage: tivractl check FILE... [--strict] [--json]
1>
1> Reads each FILE as the configurator's Open does (missing keys take their default values),
1> then checks it as Save does. Prints nothing when it is valid; otherwise prints the message
1> the configurator would show, as TITLE: TEXT, on standard error, for example
1>     Invalid Port: Check Channel 1 Ports
1> With several files, each message line begins with its file's name and ": ".
1>
1> It also warns, on standard error, as FILE:LINE: warning: TEXT, about every line that the
1> reader passes over or that reads as something other than it says: groups other than
1> [Channel 1] to [Channel 8] and groups given again, entries before the first group, unknown
1> keys (with the nearest known key), a key given again in one group (the first is read),
1> values that are not numbers or do not fit their field, and lines that are no comment,
1> group or "key = value" entry. The reading itself is not changed by any of this.
1>
1> Options:
1>   --strict  a file with warnings counts as not valid
1>   --json    also print the result on standard output as
1>             {"files": [{"file", "verdict": "valid"|"invalid"|"unusable",
1>             "messages": [{"title", "text"}], "warnings": [{"line", "text"}]}]}
1>             (and "error" for a file that cannot be read)
1>
1> Exit status, the worst of all files: 0 valid, 1 not valid (or, with --strict, warned
1> about), 2 a FILE cannot be read or wrong arguments.
? 0
$ format -h
1> Usage: tivractl format FILE [-o OUT]
1>
1> Checks FILE as 'tivractl check' does, then writes byte for byte what the configurator's Save
1> would write: the checked and completed configuration, baud rates snapped to 921600 / n, in
1> the fixed layout with CR LF line ends. Nothing is written when the check fails.
1>
1> Options:
1>   -o, --output OUT  write to OUT instead of standard output ('-' is standard output);
1>                     OUT may be FILE itself. An existing file is replaced only once the new
1>                     one is complete; a FIFO or a device is written into.
1>
1> Exit status: 0 written, 1 not valid, 2 FILE cannot be read, OUT cannot be written or wrong
1> arguments.
? 0
$ show x.smc --help
1> Usage: tivractl show FILE [--json]
1>
1> Reads FILE as the configurator's Open does (missing keys take their default values) and
1> prints its eight channels as a table, without checking them. List entries show as their
1> texts ("QV Sonar", port "3", mode "485"); a list with nothing chosen shows "-" and a
1> position outside its list "?(N)".
1>
1> Options:
1>   --json  print {"channels": [{"channel": 1, "enabled", "sensorType",
1>           "localPort", "localBaudrate", "localMode", "remotePort",
1>           "remoteBaudrate", "remoteMode", "priority", "chunksize"}, ...]}
1>           instead: every number exactly as the file stores it (list positions
1>           from 0, so port "1" is 0; nothing chosen is -1)
1>
1> Exit status: 0 shown, 2 FILE cannot be read or wrong arguments.
? 0
$ help diff
1> Usage: tivractl diff A B
1>        tivractl diff FILE --boards [--bridge sim|serial:PATH] [--trace]
1>
1> Reads A and B as the configurator's Open does (missing keys take their default values) and
1> prints one line for each field that differs, by channel and then in the file's key order:
1>     Channel 4 Remote Baudrate: 9600 -> 19200
1> with the values as a file stores them. With --boards, B is what the two boards hold,
1> read as 'tivractl read' reads it; the configurator's messages go to standard error.
1>
1> Options:
1>   --boards        compare FILE with the boards
1>   --bridge WHICH  as for 'tivractl read'
1>   --trace         as for 'tivractl read'
1>
1> Exit status: 0 the same, 1 they differ, 2 a file or the boards cannot be read, or wrong
1> arguments.
? 0
$ read --help
1> Usage: tivractl read [-o FILE | --json] [--bridge sim|serial:PATH] [--trace]
1>
1> Does what the configurator's Read Configuration button does: reads the LocalBoard, then the
1> RemoteBoard, and rebuilds the configuration from what they sent. Every message the
1> configurator would show is printed as TITLE: TEXT on standard error. When both reads
1> succeeded, the configuration is printed as 'tivractl show' prints it, or checked and saved
1> to FILE as Save would check and save it.
1>
1> Options:
1>   -o, --output FILE  check the configuration as Save would and write it to FILE ('-':
1>                      standard output) as Save would; nothing is written when the check fails
1>   --json             print it as JSON, as 'tivractl show --json' does
1>   --bridge WHICH     the bridge to talk through, as the TIVRA_BRIDGE variable chooses it:
1>                      'sim' (the built-in simulated boards) or 'serial:PATH' (exactly that
1>                      serial device); without either, the USB bridge of the platform
1>   --trace            print every call to the bridge library on standard error, as
1>                      'bridge: write(00 05 55 AA 00)'
1>
1> Exit status: 0 both boards read, 1 a read or the check failed, 2 wrong arguments, no such
1> bridge or FILE cannot be written.
? 0
$ write --help
1> Usage: tivractl write FILE [--verify] [--bridge sim|serial:PATH] [--trace]
1>
1> Opens FILE as the configurator's Open does, then does what its Write Configuration button
1> does: checks the configuration and writes the LocalBoard, then checks it again and writes
1> the RemoteBoard. Every message the configurator would show is printed as TITLE: TEXT on
1> standard error.
1>
1> Options:
1>   --verify        once both writes succeeded, read both boards back as 'tivractl read'
1>                   does and compare what they hold with what was written (FILE as the
1>                   check completed it). Prints "Verified FILE" when all is the same,
1>                   otherwise one line per field, in the file's words, for example
1>                       Channel 4 Remote Baudrate: wrote 9600, boards hold 19200
1>   --bridge WHICH  as for 'tivractl read'
1>   --trace         as for 'tivractl read'
1>
1> Exit status: 0 both boards written (and verified), 1 the check, a write or a read-back
1> failed, 2 FILE cannot be read, wrong arguments or no such bridge, 3 the boards hold
1> something other than was written.
? 0
$ frame --help
1> Usage: tivractl frame FILE --board local|remote
1>
1> Opens FILE as the configurator's Open does, checks it as Write Configuration does, and
1> prints the write frame for the chosen board as it would go over the wire (escape bytes
1> included), as hexadecimal byte pairs on one line. Nothing is sent.
1>
1> Exit status: 0 printed, 1 the check failed, 2 FILE cannot be read or wrong arguments.
? 0
$ ports --help
1> Usage: tivractl ports [--bridge sim|serial:PATH]
1>
1> Lists every serial port of this machine with its USB product description, and marks with
1> "<- LocalBoard" the one that the configurator's discovery would open: the first USB port
1> whose description is exactly "Quorvantel Ostrel". Ports that are not USB ports are listed
1> as such; they are never taken. On Windows the list holds the devices of the bridge library
1> ("device 0", ...), as discovery sees them. When there is nothing, it says so.
1>
1> Options:
1>   --bridge WHICH  list the devices of that bridge instead, as for 'tivractl read'
1>
1> Exit status: 0 listed, 2 wrong arguments.
? 0
$ simulate --help
1> Usage: tivractl simulate [--from FILE] [--remote-stores-rate PORT:RATE]
1>
1> Runs the simulated LocalBoard and RemoteBoard behind a pseudo-terminal, prints its device
1> path on standard output and answers requests at the pace of a 57600 baud line until
1> interrupted (Ctrl-C or SIGTERM). Talk to it with
1>     TIVRA_BRIDGE=serial:PATH tivractl read
1> or the configurator started with the same variable. Each request is logged on standard
1> error. The boards start with every channel switched off, channel n joining port n to
1> port n.
1>
1> Options:
1>   --from FILE  the boards start holding FILE's configuration (as Open reads it)
1>   --remote-stores-rate PORT:RATE
1>                a faulty RemoteBoard: it acknowledges every write, but its port PORT
1>                (1 to 8) then holds RATE bit/s whatever was written there
1>
1> Exit status: 0 after an interrupt, 2 FILE cannot be read, wrong arguments, or no
1> pseudo-terminals on this platform.
? 0

# Command lines that cannot be run: the first error, on standard error.
$ frobnicate
2> tivractl: unknown command 'frobnicate'
2> Run 'tivractl --help' for the commands.
? 2
$ help frobnicate
2> tivractl: unknown command 'frobnicate'
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
$ format
2> tivractl format: expected one FILE
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc b.smc
2> tivractl format: expected one FILE
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc -o
2> tivractl format: option -o needs a value
2> Run 'tivractl format --help' for its arguments.
? 2
$ format a.smc --output=
2> tivractl format: option -o needs a file name
2> Run 'tivractl format --help' for its arguments.
? 2
$ show
2> tivractl show: expected one FILE
2> Run 'tivractl show --help' for its arguments.
? 2
$ diff a.smc
2> tivractl diff: expected two FILEs, or one FILE and --boards
2> Run 'tivractl diff --help' for its arguments.
? 2
$ diff a.smc b.smc --bridge sim
2> tivractl diff: --bridge and --trace need --boards
2> Run 'tivractl diff --help' for its arguments.
? 2
$ diff a.smc --trace
2> tivractl diff: expected two FILEs, or one FILE and --boards
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
$ write
2> tivractl write: expected one FILE
2> Run 'tivractl write --help' for its arguments.
? 2
$ write a.smc b.smc
2> tivractl write: expected one FILE
2> Run 'tivractl write --help' for its arguments.
? 2
$ frame a.smc
2> tivractl frame: expected --board local or --board remote
2> Run 'tivractl frame --help' for its arguments.
? 2
$ frame a.smc --board middle
2> tivractl frame: expected --board local or --board remote
2> Run 'tivractl frame --help' for its arguments.
? 2
$ ports extra
2> tivractl ports: no operands expected
2> Run 'tivractl ports --help' for its arguments.
? 2
skip windows
$ simulate --remote-stores-rate 9:600
2> tivractl simulate: --remote-stores-rate needs PORT:RATE, PORT 1 to 8 and RATE in bit/s
2> Run 'tivractl simulate --help' for its arguments.
? 2
$ read --bridge usb
2> tivractl read: unknown bridge "usb": use "sim" or "serial:PATH", or leave TIVRA_BRIDGE unset
2> Run 'tivractl read --help' for its arguments.
? 2
