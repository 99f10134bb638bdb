# set: a variant of a file, field by field, as diff names the fields and a file stores the values,
# checked and written as Save writes (channel 6 all changed, blanks around = of no account;
# channel 8 on the ports channel 6 gave up).
$ set {examples}/mixed-sensors.smc "Channel 6 Enabled=1" "Channel 6 Sensor Type= 4" "Channel 6 Local Port =7" "Channel 6 Local Baudrate=4800" "Channel 6 Local Mode=1" "Channel 6 Remote Port=7" "Channel 6 Remote Baudrate=102400" "Channel 6 Remote Mode=1" "Channel 6 Priority=2" "Channel 6 Chunksize=200" "Channel 8 Local Port=5" "Channel 8 Remote Port=5" -o {variant.smc}
holds variant.smc = ; Serial Multiplexer Configuration File\r\n; \r\n[Channel 1]\r\nEnabled = 1\r\nSensor Type = 0\r\nLocal Port = 0\r\nLocal Baudrate = 57600\r\nLocal Mode = 0\r\nRemote Port = 0\r\nRemote Baudrate = 57600\r\nRemote Mode = 0\r\nPriority = 1\r\nChunksize = 10\r\n; \r\n[Channel 2]\r\nEnabled = 1\r\nSensor Type = 1\r\nLocal Port = 1\r\nLocal Baudrate = 115200\r\nLocal Mode = 1\r\nRemote Port = 1\r\nRemote Baudrate = 115200\r\nRemote Mode = 1\r\nPriority = 1\r\nChunksize = 10\r\n; \r\n[Channel 3]\r\nEnabled = 1\r\nSensor Type = 2\r\nLocal Port = 2\r\nLocal Baudrate = 38400\r\nLocal Mode = 0\r\nRemote Port = 4\r\nRemote Baudrate = 38400\r\nRemote Mode = 0\r\nPriority = 1\r\nChunksize = 10\r\n; \r\n[Channel 4]\r\nEnabled = 1\r\nSensor Type = 3\r\nLocal Port = 3\r\nLocal Baudrate = 9600\r\nLocal Mode = 0\r\nRemote Port = 2\r\nRemote Baudrate = 9600\r\nRemote Mode = 1\r\nPriority = 3\r\nChunksize = 64\r\n; \r\n[Channel 5]\r\nEnabled = 1\r\nSensor Type = 4\r\nLocal Port = 4\r\nLocal Baudrate = 19200\r\nLocal Mode = 1\r\nRemote Port = 3\r\nRemote Baudrate = 19200\r\nRemote Mode = 1\r\nPriority = 7\r\nChunksize = 400\r\n; \r\n[Channel 6]\r\nEnabled = 1\r\nSensor Type = 4\r\nLocal Port = 7\r\nLocal Baudrate = 4800\r\nLocal Mode = 1\r\nRemote Port = 7\r\nRemote Baudrate = 102400\r\nRemote Mode = 1\r\nPriority = 2\r\nChunksize = 200\r\n; \r\n[Channel 7]\r\nEnabled = 0\r\nSensor Type = 3\r\nLocal Port = 6\r\nLocal Baudrate = 9600\r\nLocal Mode = 0\r\nRemote Port = 6\r\nRemote Baudrate = 9600\r\nRemote Mode = 0\r\nPriority = 5\r\nChunksize = 50\r\n; \r\n[Channel 8]\r\nEnabled = 0\r\nSensor Type = 0\r\nLocal Port = 5\r\nLocal Baudrate = 57600\r\nLocal Mode = 0\r\nRemote Port = 5\r\nRemote Baudrate = 57600\r\nRemote Mode = 0\r\nPriority = 1\r\nChunksize = 10\r\n
# Nothing is written for a NAME or VALUE refused, nor for a value the file would not hold as given
# (what writing would send instead is said), nor for a field named twice.
$ set {examples}/mixed-sensors.smc "channel 6 local baudrat=9600" "Channel 9 Enabled=1" "Channel 6 Enabled=yes" "Channel 6 Enabled=257" "Channel 6 Enabled" "Channel 6 Priority=3;x" "channel 6 enabled =0" "Channel 6 Enabled=1" -o {refused.smc}
2> tivractl set: unknown field "channel 6 local baudrat" (did you mean "Channel 6 Local Baudrate"?)
2> tivractl set: unknown field "Channel 9 Enabled" (did you mean "Channel 1 Enabled"?)
2> tivractl set: 'Channel 6 Enabled=yes': "Enabled" value "yes" is not a number, read as 0
2> tivractl set: 'Channel 6 Enabled=257': "Enabled" value "257" does not fit in 8 bits, read as 1
2> tivractl set: 'Channel 6 Enabled': expected NAME=VALUE, such as 'Channel 3 Local Baudrate=9600'
2> tivractl set: 'Channel 6 Priority=3;x': "3;x" is not a plain decimal number
2> tivractl set: 'Channel 6 Enabled' is given twice
? 2
$ set {examples}/mixed-sensors.smc "Channel 6 Remote Baudrate=-1" "Channel 6 Local Mode=9" "Channel 6 Sensor Type=5" "Channel 6 Priority=11" "Channel 3 Local Baudrate=100000" "Channel 5 Enabled=-2" -o {refused.smc}
2> tivractl set: 'Channel 6 Remote Baudrate=-1' refused: -1 is not a baud rate; writing sends 9600
2> tivractl set: 'Channel 6 Local Mode=9' refused: 9 is not a mode; writing sends 0
2> tivractl set: 'Channel 6 Sensor Type=5' refused: 5 is not a sensor type; writing sends 3
2> tivractl set: 'Channel 6 Priority=11' refused: 11 is not a priority; writing sends 5
2> tivractl set: 'Channel 3 Local Baudrate=100000' refused: 100000 is not a rate of the form 921600/n; writing sends 102400
2> tivractl set: 'Channel 5 Enabled=-2' refused: -2 is neither 0 (off) nor 1 (on); writing sends 1
2> tivractl set: Channel 6 Local Baudrate would change with them: 57600 is replaced along with the other end's, which is not a baud rate; writing sends 9600; set it as well
? 2
$ set {examples}/mixed-sensors.smc "Channel 6 Enabled=1" "Channel 6 Local Port=2"
2> Local Port Conflict: Check Local Ports On Channels 3 and 6
? 1
names variant.smc

# format --from-json: what show --json prints, back to a file (tivractl_test.cpp: byte for byte);
# anything else is refused with the member's place.
file v2.json = {"format": 2}
file notjson = nope
file few.json = {"channels": []}
$ format --from-json {v2.json}
2> tivractl format: {v2.json}: format: expected 1 (this tivractl's)
? 2
$ format --from-json {notjson}
2> tivractl format: {notjson}: not JSON: parse error at line 1, column 2: syntax error while parsing value - invalid literal; last read: 'no'
? 2
$ format --from-json - < {few.json}
2> tivractl format: standard input: format: missing (1 for this tivractl)
? 2
# Numbers beyond any field (or any double), members given twice, a format that is not the integer
# 1: refused with the place, never a crash.
file huge.json = {"format": 1, "channels": [{"channel": 1, "enabled": 1e999}]}
file tiny.json = {"format": 1, "channels": [{"channel": 1, "chunksize": -1e309}]}
file twice.json = {"format": 1, "channels": [{"channel": 1, "channel": 1}]}
file channels.json = {"format": 1, "channels": [], "channels": []}
file text.json = {"format": "1", "channels": []}
file float.json = {"format": 1.0, "channels": []}
$ format --from-json {huge.json}
2> tivractl format: {huge.json}: channels[0].enabled: number overflow parsing '1e999'
? 2
$ format --from-json {tiny.json}
2> tivractl format: {tiny.json}: channels[0].chunksize: number overflow parsing '-1e309'
? 2
$ format --from-json {twice.json}
2> tivractl format: {twice.json}: channels[0].channel: given twice
? 2
$ format --from-json {channels.json}
2> tivractl format: {channels.json}: channels: given twice
? 2
$ format --from-json {text.json}
2> tivractl format: {text.json}: format: expected 1 (this tivractl's)
? 2
$ format --from-json {float.json}
2> tivractl format: {float.json}: format: expected 1 (this tivractl's)
? 2

# Nothing from a file reaches the terminal as a control character: ESC and BEL (a comment, a
# group, a key), DEL, U+202E (which turns the text around) and a lone byte 0x85 (C1 to a Latin-1
# terminal) are shown escaped; JSON escapes them itself and stays JSON.
file esc.smc = ; \x1b]0;owned\x07\n[Channel 1\x1b[31m]\n[Channel 2]\n\x1b[2J = 1\nSensor\x7f\xe2\x80\xae = 1\n\x85x = 1\n
$ check {esc.smc}
2> {esc.smc}:2: warning: unknown group "Channel 1\x1b[31m", its lines are not read
2> {esc.smc}:3: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 1, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 1, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {esc.smc}:4: warning: unknown key "\x1b[2J" is not read (did you mean "Enabled"?)
2> {esc.smc}:5: warning: unknown key "Sensor\x7f\u202e" is not read (did you mean "Sensor Type"?)
2> {esc.smc}:6: warning: unknown key "\x85x" is not read (did you mean "Enabled"?)
2> {esc.smc}:6: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
$ check --json {esc.smc}
1j> {"format":1,"files":[{"file":"{esc.smc}","verdict":"valid","messages":[],"warnings":[{"line":2,"text":"unknown group \"Channel 1\u001b[31m\", its lines are not read"},{"line":3,"text":"keys missing from this group, read as their defaults: \"Enabled\" = 0, \"Sensor Type\" = 0, \"Local Port\" = 1, \"Local Baudrate\" = 57600, \"Local Mode\" = 0, \"Remote Port\" = 1, \"Remote Baudrate\" = 57600, \"Remote Mode\" = 0, \"Priority\" = 1, \"Chunksize\" = 10"},{"line":4,"text":"unknown key \"\u001b[2J\" is not read (did you mean \"Enabled\"?)"},{"line":5,"text":"unknown key \"Sensor‮\" is not read (did you mean \"Sensor Type\"?)"},{"line":6,"text":"unknown key \"�x\" is not read (did you mean \"Enabled\"?)"},{"line":6,"text":"groups missing, their keys read as their defaults: \"Channel 1\", \"Channel 3\", \"Channel 4\", \"Channel 5\", \"Channel 6\", \"Channel 7\", \"Channel 8\""}]}]}
2>=

# What the assignments make the check replace besides is refused as well (channel 6 made GP Limit
# would be given priority 5 and chunksize 50); set together, they are written.
file gp.smc = [Channel 6]\nPriority = 0\nChunksize = 0\n
$ set {gp.smc} "Channel 6 Sensor Type=3" -o {gp-out.smc}
2> {gp.smc}:1: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 5, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 5, "Remote Baudrate" = 57600, "Remote Mode" = 0
2> {gp.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 7", "Channel 8"
2> tivractl set: Channel 6 Priority would change with them: 0 is not a priority; writing sends 5; set it as well
2> tivractl set: Channel 6 Chunksize would change with them: 0 is not a packet size; writing sends 50; set it as well
? 2
$ set {gp.smc} "Channel 6 Sensor Type=3" "Channel 6 Priority=5" "Channel 6 Chunksize=50" -o {gp-out.smc}
2> {gp.smc}:1: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 5, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 5, "Remote Baudrate" = 57600, "Remote Mode" = 0
2> {gp.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 7", "Channel 8"
# An empty --bridge is never the real boards.
$ read --bridge= => tivractl read: option --bridge needs a bridge, such as sim
