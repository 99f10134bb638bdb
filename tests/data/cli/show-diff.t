# show: the channels by their texts, values as read and not checked. Outside the lists, nothing
# chosen, numbers as they are (with the reader's warnings); as JSON the numbers as the file stores
# them, after "format": 1.
file odd.smc = [Channel 1]\nEnabled = 1\nSensor Type = 1\nLocal Mode = 1\n[Channel 2]\nEnabled = -3\nSensor Type = 7\nLocal Port = -1\nLocal Mode = 2\nRemote Port = 8\nRemote Baudrate = -5\nPriority = 0\nChunksize = 40000\n[Channel 3]\nSensor Type = 2\n[Channel 4]\nSensor Type = 3\nRemote Mode = 1\n[Channel 5]\nSensor Type = 4\n
$ show {odd.smc}
1> Channel  Enabled  Sensor    Local  Baudrate  Mode  Remote  Baudrate  Mode  Priority  Chunksize
1> 1        yes      Pallion   1      57600     485   1       57600     232   1         10
1> 2        yes      ?(7)      -      57600     ?(2)  ?(8)    -5        232   0         -25536
1> 3        no       Echo      3      57600     232   3       57600     232   1         10
1> 4        no       GP Limit  4      57600     232   4       57600     485   1         10
1> 5        no       GP Fixed  5      57600     232   5       57600     232   1         10
1> 6        no       QV Sonar  6      57600     232   6       57600     232   1         10
1> 7        no       QV Sonar  7      57600     232   7       57600     232   1         10
1> 8        no       QV Sonar  8      57600     232   8       57600     232   1         10
2> {odd.smc}:1: warning: keys missing from this group, read as their defaults: "Local Port" = 0, "Local Baudrate" = 57600, "Remote Port" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {odd.smc}:5: warning: keys missing from this group, read as their defaults: "Local Baudrate" = 57600, "Remote Mode" = 0
2> {odd.smc}:13: warning: "Chunksize" value "40000" does not fit in 16 bits, read as -25536
2> {odd.smc}:14: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Local Port" = 2, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 2, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {odd.smc}:16: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Local Port" = 3, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 3, "Remote Baudrate" = 57600, "Priority" = 1, "Chunksize" = 10
2> {odd.smc}:19: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Local Port" = 4, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 4, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {odd.smc}:20: warning: groups missing, their keys read as their defaults: "Channel 6", "Channel 7", "Channel 8"
$ show {odd.smc} --json
1j> {"format":1,"channels":[{"channel":1,"enabled":1,"sensorType":1,"localPort":0,"localBaudrate":57600,"localMode":1,"remotePort":0,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":2,"enabled":-3,"sensorType":7,"localPort":-1,"localBaudrate":57600,"localMode":2,"remotePort":8,"remoteBaudrate":-5,"remoteMode":0,"priority":0,"chunksize":-25536},{"channel":3,"enabled":0,"sensorType":2,"localPort":2,"localBaudrate":57600,"localMode":0,"remotePort":2,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":4,"enabled":0,"sensorType":3,"localPort":3,"localBaudrate":57600,"localMode":0,"remotePort":3,"remoteBaudrate":57600,"remoteMode":1,"priority":1,"chunksize":10},{"channel":5,"enabled":0,"sensorType":4,"localPort":4,"localBaudrate":57600,"localMode":0,"remotePort":4,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":6,"enabled":0,"sensorType":0,"localPort":5,"localBaudrate":57600,"localMode":0,"remotePort":5,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":7,"enabled":0,"sensorType":0,"localPort":6,"localBaudrate":57600,"localMode":0,"remotePort":6,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":8,"enabled":0,"sensorType":0,"localPort":7,"localBaudrate":57600,"localMode":0,"remotePort":7,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10}]}
2>=

# diff: by channel, then in key order, values as stored; 0 the same, 1 they differ, 2 unusable.
$ diff {examples}/mixed-sensors.smc - < {examples}/mixed-sensors.smc
file a.smc = [Channel 2]\nRemote Baudrate = 9600\nEnabled=1\n
file b.smc = [channel 2]\nremote baudrate=19200\n[Channel 1]\nChunksize = 65536\n
$ diff {a.smc} {b.smc}
1> Channel 1 Chunksize: 10 -> 0
1> Channel 2 Enabled: 1 -> 0
1> Channel 2 Remote Baudrate: 9600 -> 19200
2> {a.smc}:1: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 1, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 1, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {a.smc}:3: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
2> {b.smc}:1: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 1, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 1, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {b.smc}:3: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1
2> {b.smc}:4: warning: "Chunksize" value "65536" does not fit in 16 bits, read as 0
2> {b.smc}:4: warning: groups missing, their keys read as their defaults: "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
? 1
$ diff {a.smc} {b.smc} --json
1j> {"format":1,"differences":[{"channel":1,"key":"Chunksize","first":10,"second":0},{"channel":2,"key":"Enabled","first":1,"second":0},{"channel":2,"key":"Remote Baudrate","first":9600,"second":19200}],"status":1,"messages":[]}
2>=
? 1

# What holds no [Channel N] group is no configuration: refused by every command that sends,
# prints or compares one, all through the one reader (show stops at a refused file as with
# --strict in scripting.t; write: board_commands_test.cpp, with JSON and standard input). check
# reads it as the window's Open does, as all defaults.
file empty.smc = 
$ diff {empty.smc} {examples}/mixed-sensors.smc
2> tivractl diff: {empty.smc}: holds no channel group; not a configuration file
? 2
$ frame {empty.smc} --board local
2> tivractl frame: {empty.smc}: holds no channel group; not a configuration file
? 2
$ check {empty.smc}
2> {empty.smc}:1: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 2", "Channel 3", "Channel 4", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
