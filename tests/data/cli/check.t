# check: nothing for a valid file; the box Save would show for one that is not, as TITLE: TEXT.
# Numbers read from files keep their low bits: a chunksize of 65936 is 400 (a warning, not a fault).
file chunk.smc = [Channel 1]\nEnabled = 1\nChunksize = 401\n
file wrap.smc = [Channel 1]\nEnabled=1\nChunksize=65936\n
# A byte-order mark, a NUL byte that ends a line for the reader but not for the count.
file bytes.smc = \xEF\xBB\xBF\0\xFF\n[Channel 2\0Enabled=1\nLocal Baudrate=x\n
$ check {bytes.smc}
2> {bytes.smc}:1: warning: not a comment, a [group] or a "key = value" entry
2> {bytes.smc}:2: warning: group "Channel 2" has no "]", the rest of the line is its name
2> {bytes.smc}:2: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 1, "Local Mode" = 0, "Remote Port" = 1, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {bytes.smc}:3: warning: "Local Baudrate" value "x" is not a number, read as 0
2> {bytes.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
2> Invalid Baudrate: Check Channel 2 Baudrates
? 1

# Every kind of line that is not read as written, with every line end: warnings, no fault.
file lint.smc = Enabled = 1\r\n[Chanel 3]\nEnabled = 1\r[Channel 2]\r\nEnabeld = 1\nPriority = fast\nPRIORITY = 3\nChunksize = 12 ; packets\nSensor Type = 257\nhello\nLocal Mode\nremote prot = 2\n[channel 2]\n
$ check {lint.smc}
2> {lint.smc}:1: warning: entry "Enabled" before any group is not read
2> {lint.smc}:2: warning: unknown group "Chanel 3", its lines are not read
2> {lint.smc}:4: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Local Port" = 1, "Local Baudrate" = 57600, "Remote Port" = 1, "Remote Baudrate" = 57600, "Remote Mode" = 0
2> {lint.smc}:5: warning: unknown key "Enabeld" is not read (did you mean "Enabled"?)
2> {lint.smc}:6: warning: "Priority" value "fast" is not a number, read as 0
2> {lint.smc}:7: warning: key "PRIORITY" again in this group (first on line 6), this one is not read
2> {lint.smc}:9: warning: "Sensor Type" value "257" does not fit in 8 bits, read as 1
2> {lint.smc}:10: warning: not a comment, a [group] or a "key = value" entry
2> {lint.smc}:11: warning: "Local Mode" has no "= value", read as 0
2> {lint.smc}:12: warning: unknown key "remote prot" is not read (did you mean "Remote Port"?)
2> {lint.smc}:13: warning: group "channel 2" again (first on line 4), its lines are not read
2> {lint.smc}:13: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
# Several files: the worst status, not the first or the last; messages begin with the file's name;
# --strict makes warnings count.
skip windows
$ check --json --strict {examples}/port-conflict.smc {missing.smc} {wrap.smc} {examples}/mixed-sensors.smc
1j> {"format":1,"files":[{"file":"{examples}/port-conflict.smc","verdict":"invalid","messages":[{"title":"Remote Port Conflict","text":"Check Remote Ports On Channels 5 and 6"}],"warnings":[]},{"file":"{missing.smc}","verdict":"unusable","error":"cannot open {missing.smc}: No such file or directory","messages":[],"warnings":[]},{"file":"{wrap.smc}","verdict":"invalid","messages":[],"warnings":[{"line":1,"text":"keys missing from this group, read as their defaults: \"Sensor Type\" = 0, \"Local Port\" = 0, \"Local Baudrate\" = 57600, \"Local Mode\" = 0, \"Remote Port\" = 0, \"Remote Baudrate\" = 57600, \"Remote Mode\" = 0, \"Priority\" = 1"},{"line":3,"text":"\"Chunksize\" value \"65936\" does not fit in 16 bits, read as 400"},{"line":3,"text":"groups missing, their keys read as their defaults: \"Channel 2\", \"Channel 3\", \"Channel 4\", \"Channel 5\", \"Channel 6\", \"Channel 7\", \"Channel 8\""}]},{"file":"{examples}/mixed-sensors.smc","verdict":"valid","messages":[],"warnings":[]}]}
2> {examples}/port-conflict.smc: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
2> tivractl check: cannot open {missing.smc}: No such file or directory
2> {wrap.smc}:1: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1
2> {wrap.smc}:3: warning: "Chunksize" value "65936" does not fit in 16 bits, read as 400
2> {wrap.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
? 2

# Standard input once per command.
$ check - {chunk.smc} - < {examples}/port-conflict.smc
2> -: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
2> {chunk.smc}:1: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1
2> {chunk.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
2> {chunk.smc}: Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)
2> tivractl check: standard input (-) can be read only once in a command
? 2

# Every value that writing would send otherwise than the file says, by field, at its line (LF CR
# line ends counted as one each): a switched-on channel's Enabled of 5 and a rate the check snaps;
# on switched-off channel 6 what the check completes or gives no selection.
file replaced.smc = [Channel 2]\n\rEnabled = 5\n\rLocal Baudrate = 100000\n\r[Channel 6]\n\rSensor Type = 9\n\rLocal Mode = 7\n\rRemote Mode = 1\n\rLocal Baudrate = 19200\n\rRemote Baudrate = 0\n\rPriority = 11\n\rChunksize = 0\n\r
$ check {replaced.smc}
2> {replaced.smc}:1: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 1, "Local Mode" = 0, "Remote Port" = 1, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {replaced.smc}:2: warning: Channel 2 Enabled: 5 is neither 0 (off) nor 1 (on); writing sends 1
2> {replaced.smc}:3: warning: Channel 2 Local Baudrate: 100000 is not a rate of the form 921600/n; writing sends 102400
2> {replaced.smc}:4: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Local Port" = 5, "Remote Port" = 5
2> {replaced.smc}:5: warning: Channel 6 Sensor Type: 9 is not a sensor type; writing sends 3
2> {replaced.smc}:6: warning: Channel 6 Local Mode: 7 is not a mode; writing sends 0
2> {replaced.smc}:7: warning: Channel 6 Remote Mode: 1 is replaced along with the other end's, which is not a mode; writing sends 0
2> {replaced.smc}:8: warning: Channel 6 Local Baudrate: 19200 is replaced along with the other end's, which is not a baud rate; writing sends 9600
2> {replaced.smc}:9: warning: Channel 6 Remote Baudrate: 0 is not a baud rate; writing sends 9600
2> {replaced.smc}:10: warning: Channel 6 Priority: 11 is not a priority; writing sends 5
2> {replaced.smc}:11: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 3", "Channel 4", "Channel 5", "Channel 7", "Channel 8"
2> {replaced.smc}:11: warning: Channel 6 Chunksize: 0 is not a packet size; writing sends 50
