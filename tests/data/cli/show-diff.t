# show: the channels by their texts, values as read and not checked.
$ show - < {examples}/mixed-sensors.smc
1> Channel  Enabled  Sensor    Local  Baudrate  Mode  Remote  Baudrate  Mode  Priority  Chunksize
1> 1        yes      QV Sonar  1      57600     232   1       57600     232   1         10
1> 2        yes      Pallion   2      115200    485   2       115200    485   1         10
1> 3        yes      Echo      3      38400     232   5       38400     232   1         10
1> 4        yes      GP Limit  4      9600      232   3       9600      485   3         64
1> 5        yes      GP Fixed  5      19200     485   4       19200     485   7         400
1> 6        no       QV Sonar  6      57600     232   6       57600     232   1         10
1> 7        no       GP Limit  7      9600      232   7       9600      232   5         50
1> 8        no       QV Sonar  8      57600     232   8       57600     232   1         10
? 0
# The same as JSON: the record's names in file order, list positions from 0.
$ show {examples}/mixed-sensors.smc --json
1> {
1>   "channels": [
1>     {
1>       "channel": 1,
1>       "enabled": 1,
1>       "sensorType": 0,
1>       "localPort": 0,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 0,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 2,
1>       "enabled": 1,
1>       "sensorType": 1,
1>       "localPort": 1,
1>       "localBaudrate": 115200,
1>       "localMode": 1,
1>       "remotePort": 1,
1>       "remoteBaudrate": 115200,
1>       "remoteMode": 1,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 3,
1>       "enabled": 1,
1>       "sensorType": 2,
1>       "localPort": 2,
1>       "localBaudrate": 38400,
1>       "localMode": 0,
1>       "remotePort": 4,
1>       "remoteBaudrate": 38400,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 4,
1>       "enabled": 1,
1>       "sensorType": 3,
1>       "localPort": 3,
1>       "localBaudrate": 9600,
1>       "localMode": 0,
1>       "remotePort": 2,
1>       "remoteBaudrate": 9600,
1>       "remoteMode": 1,
1>       "priority": 3,
1>       "chunksize": 64
1>     },
1>     {
1>       "channel": 5,
1>       "enabled": 1,
1>       "sensorType": 4,
1>       "localPort": 4,
1>       "localBaudrate": 19200,
1>       "localMode": 1,
1>       "remotePort": 3,
1>       "remoteBaudrate": 19200,
1>       "remoteMode": 1,
1>       "priority": 7,
1>       "chunksize": 400
1>     },
1>     {
1>       "channel": 6,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 5,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 5,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 7,
1>       "enabled": 0,
1>       "sensorType": 3,
1>       "localPort": 6,
1>       "localBaudrate": 9600,
1>       "localMode": 0,
1>       "remotePort": 6,
1>       "remoteBaudrate": 9600,
1>       "remoteMode": 0,
1>       "priority": 5,
1>       "chunksize": 50
1>     },
1>     {
1>       "channel": 8,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 7,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 7,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     }
1>   ]
1> }
? 0
# Outside the lists, nothing chosen, numbers as they are; as JSON the numbers as the file stores them.
file odd.smc = [Channel 2]\nEnabled = -3\nSensor Type = 7\nLocal Port = -1\nLocal Mode = 2\nRemote Port = 8\nRemote Baudrate = -5\nPriority = 0\nChunksize = 40000\n
$ show {odd.smc}
1> Channel  Enabled  Sensor    Local  Baudrate  Mode  Remote  Baudrate  Mode  Priority  Chunksize
1> 1        no       QV Sonar  1      57600     232   1       57600     232   1         10
1> 2        yes      ?(7)      -      57600     ?(2)  ?(8)    -5        232   0         -25536
1> 3        no       QV Sonar  3      57600     232   3       57600     232   1         10
1> 4        no       QV Sonar  4      57600     232   4       57600     232   1         10
1> 5        no       QV Sonar  5      57600     232   5       57600     232   1         10
1> 6        no       QV Sonar  6      57600     232   6       57600     232   1         10
1> 7        no       QV Sonar  7      57600     232   7       57600     232   1         10
1> 8        no       QV Sonar  8      57600     232   8       57600     232   1         10
? 0
$ show {odd.smc} --json
1> {
1>   "channels": [
1>     {
1>       "channel": 1,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 0,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 0,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 2,
1>       "enabled": -3,
1>       "sensorType": 7,
1>       "localPort": -1,
1>       "localBaudrate": 57600,
1>       "localMode": 2,
1>       "remotePort": 8,
1>       "remoteBaudrate": -5,
1>       "remoteMode": 0,
1>       "priority": 0,
1>       "chunksize": -25536
1>     },
1>     {
1>       "channel": 3,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 2,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 2,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 4,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 3,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 3,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 5,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 4,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 4,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 6,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 5,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 5,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 7,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 6,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 6,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     },
1>     {
1>       "channel": 8,
1>       "enabled": 0,
1>       "sensorType": 0,
1>       "localPort": 7,
1>       "localBaudrate": 57600,
1>       "localMode": 0,
1>       "remotePort": 7,
1>       "remoteBaudrate": 57600,
1>       "remoteMode": 0,
1>       "priority": 1,
1>       "chunksize": 10
1>     }
1>   ]
1> }
? 0

# diff: by channel, then in key order, values as stored; 0 the same, 1 they differ, 2 unusable.
$ diff {examples}/mixed-sensors.smc - < {examples}/mixed-sensors.smc
? 0
file empty.smc = 
file default.smc = [CHANNEL 8]\nlocal port = 7\n
$ diff {empty.smc} {default.smc}
? 0
file a.smc = [Channel 2]\nRemote Baudrate = 9600\nEnabled=1\n
file b.smc = [channel 2]\nremote baudrate=19200\n[Channel 1]\nChunksize = 65536\n
$ diff {a.smc} {b.smc}
1> Channel 1 Chunksize: 10 -> 0
1> Channel 2 Enabled: 1 -> 0
1> Channel 2 Remote Baudrate: 9600 -> 19200
? 1
$ diff {examples}/hand-edited.smc {examples}/mixed-sensors.smc
1> Channel 2 Sensor Type: 0 -> 1
1> Channel 2 Local Mode: 0 -> 1
1> Channel 2 Remote Mode: 0 -> 1
1> Channel 3 Sensor Type: 3 -> 2
1> Channel 3 Local Port: 7 -> 2
1> Channel 3 Local Baudrate: 100000 -> 38400
1> Channel 3 Remote Port: 5 -> 4
1> Channel 3 Remote Baudrate: 100000 -> 38400
1> Channel 3 Priority: 4 -> 1
1> Channel 3 Chunksize: 128 -> 10
1> Channel 4 Enabled: 0 -> 1
1> Channel 4 Sensor Type: 0 -> 3
1> Channel 4 Local Baudrate: 57600 -> 9600
1> Channel 4 Remote Port: 3 -> 2
1> Channel 4 Remote Baudrate: 57600 -> 9600
1> Channel 4 Remote Mode: 0 -> 1
1> Channel 4 Priority: 1 -> 3
1> Channel 4 Chunksize: 10 -> 64
1> Channel 5 Enabled: 0 -> 1
1> Channel 5 Sensor Type: 0 -> 4
1> Channel 5 Local Baudrate: 57600 -> 19200
1> Channel 5 Local Mode: 0 -> 1
1> Channel 5 Remote Port: 4 -> 3
1> Channel 5 Remote Baudrate: 57600 -> 19200
1> Channel 5 Remote Mode: 0 -> 1
1> Channel 5 Priority: 1 -> 7
1> Channel 5 Chunksize: 10 -> 400
1> Channel 6 Remote Port: 2 -> 5
1> Channel 7 Sensor Type: 0 -> 3
1> Channel 7 Local Baudrate: 57600 -> 9600
1> Channel 7 Remote Baudrate: 57600 -> 9600
1> Channel 7 Priority: 1 -> 5
1> Channel 7 Chunksize: 10 -> 50
1> Channel 8 Local Port: 2 -> 7
? 1
skip windows
$ diff {examples}/mixed-sensors.smc {missing.smc}
2> tivractl diff: cannot open {missing.smc}: No such file or directory
? 2
