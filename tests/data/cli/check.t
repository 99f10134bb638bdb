# check: nothing for a valid file; the box Save would show for one that is not, as TITLE: TEXT.
# Numbers read from files keep their low bits: Enabled = 257 is on, a chunksize of 65936 is 400.
$ check {examples}/mixed-sensors.smc
? 0
$ check {examples}/port-conflict.smc
2> Remote Port Conflict: Check Remote Ports On Channels 5 and 6
? 1
file empty.smc = 
$ check {empty.smc}
? 0
file chunk.smc = [Channel 1]\nEnabled = 1\nChunksize = 401\n
$ check {chunk.smc}
2> Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)
? 1
file wrap.smc = [Channel 1]\nEnabled=1\nChunksize=65936\n
$ check {wrap.smc}
2> {wrap.smc}:3: warning: "Chunksize" value "65936" does not fit in 16 bits, read as 400
? 0
file sensor.smc = [Channel 4]\nEnabled = 257\nSensor Type = -1\n
$ check {sensor.smc}
2> {sensor.smc}:2: warning: "Enabled" value "257" does not fit in 8 bits, read as 1
2> Invalid Sensor: Check Channel 4 Sensor
? 1
file port.smc = [Channel 3]\r\nLocal Port = 9\r\n
$ check {port.smc}
2> Invalid Port: Check Channel 3 Ports
? 1
file local.smc = [Channel 2]\rLocal Port = 6\r
$ check {local.smc}
2> Local Port Conflict: Check Local Ports On Channels 2 and 7
? 1
# A byte-order mark, a NUL byte that ends a line for the reader but not for the count.
file bytes.smc = \xEF\xBB\xBF\0\xFF\n[Channel 2\0Enabled=1\nLocal Baudrate=x\n
$ check {bytes.smc}
2> {bytes.smc}:1: warning: not a comment, a [group] or a "key = value" entry
2> {bytes.smc}:3: warning: "Local Baudrate" value "x" is not a number, read as 0
2> Invalid Baudrate: Check Channel 2 Baudrates
? 1

# Every kind of line that is not read as written, with every line end; --strict makes warnings count.
file lint.smc = Enabled = 1\r\n[Chanel 3]\nEnabled = 1\r[Channel 2]\r\nEnabeld = 1\nPriority = fast\nPRIORITY = 3\nChunksize = 12 ; packets\nSensor Type = 257\nhello\nLocal Mode\nremote prot = 2\n[channel 2]\n
$ check {lint.smc}
2> {lint.smc}:1: warning: entry "Enabled" before any group is not read
2> {lint.smc}:2: warning: unknown group "Chanel 3", its lines are not read
2> {lint.smc}:5: warning: unknown key "Enabeld" is not read (did you mean "Enabled"?)
2> {lint.smc}:6: warning: "Priority" value "fast" is not a number, read as 0
2> {lint.smc}:7: warning: key "PRIORITY" again in this group (first on line 6), this one is not read
2> {lint.smc}:9: warning: "Sensor Type" value "257" does not fit in 8 bits, read as 1
2> {lint.smc}:10: warning: not a comment, a [group] or a "key = value" entry
2> {lint.smc}:11: warning: "Local Mode" has no "= value", read as 0
2> {lint.smc}:12: warning: unknown key "remote prot" is not read (did you mean "Remote Port"?)
2> {lint.smc}:13: warning: group "channel 2" again (first on line 4), its lines are not read
? 0
$ check --strict {wrap.smc}
2> {wrap.smc}:3: warning: "Chunksize" value "65936" does not fit in 16 bits, read as 400
? 1
# Several files: the worst status; messages begin with the file's name.
$ check {examples}/mixed-sensors.smc {wrap.smc} {examples}/port-conflict.smc
2> {wrap.smc}:3: warning: "Chunksize" value "65936" does not fit in 16 bits, read as 400
2> {examples}/port-conflict.smc: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
? 1
skip windows
$ check --json {lint.smc} {examples}/port-conflict.smc {missing.smc}
1j> {"format":1,"files":[{"file":"{lint.smc}","verdict":"valid","messages":[],"warnings":[{"line":1,"text":"entry \"Enabled\" before any group is not read"},{"line":2,"text":"unknown group \"Chanel 3\", its lines are not read"},{"line":5,"text":"unknown key \"Enabeld\" is not read (did you mean \"Enabled\"?)"},{"line":6,"text":"\"Priority\" value \"fast\" is not a number, read as 0"},{"line":7,"text":"key \"PRIORITY\" again in this group (first on line 6), this one is not read"},{"line":9,"text":"\"Sensor Type\" value \"257\" does not fit in 8 bits, read as 1"},{"line":10,"text":"not a comment, a [group] or a \"key = value\" entry"},{"line":11,"text":"\"Local Mode\" has no \"= value\", read as 0"},{"line":12,"text":"unknown key \"remote prot\" is not read (did you mean \"Remote Port\"?)"},{"line":13,"text":"group \"channel 2\" again (first on line 4), its lines are not read"}]},{"file":"{examples}/port-conflict.smc","verdict":"invalid","messages":[{"title":"Remote Port Conflict","text":"Check Remote Ports On Channels 5 and 6"}],"warnings":[]},{"file":"{missing.smc}","verdict":"unusable","error":"cannot open {missing.smc}: No such file or directory","messages":[],"warnings":[]}]}
2> {lint.smc}:1: warning: entry "Enabled" before any group is not read
2> {lint.smc}:2: warning: unknown group "Chanel 3", its lines are not read
2> {lint.smc}:5: warning: unknown key "Enabeld" is not read (did you mean "Enabled"?)
2> {lint.smc}:6: warning: "Priority" value "fast" is not a number, read as 0
2> {lint.smc}:7: warning: key "PRIORITY" again in this group (first on line 6), this one is not read
2> {lint.smc}:9: warning: "Sensor Type" value "257" does not fit in 8 bits, read as 1
2> {lint.smc}:10: warning: not a comment, a [group] or a "key = value" entry
2> {lint.smc}:11: warning: "Local Mode" has no "= value", read as 0
2> {lint.smc}:12: warning: unknown key "remote prot" is not read (did you mean "Remote Port"?)
2> {lint.smc}:13: warning: group "channel 2" again (first on line 4), its lines are not read
2> {examples}/port-conflict.smc: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
2> tivractl check: cannot open {missing.smc}: No such file or directory
? 2

# Standard input once per command.
$ check - {chunk.smc} < {examples}/port-conflict.smc
2> -: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
2> {chunk.smc}: Invalid Chunksize: Check Channel 1 Chunksize (400 maximum)
? 1
$ check - - < {examples}/port-conflict.smc
2> -: Remote Port Conflict: Check Remote Ports On Channels 5 and 6
2> tivractl check: standard input (-) can be read only once in a command
? 2
