# The bytes a write would send to each board, escape bytes included.
$ frame - --board local < {examples}/mixed-sensors.smc
1> 00 C7 55 AA 03 00 00 01 01 00 00 03 00 00 00 E1 00 04 00 00 05 00 01 06 00 00 0A 00 01 01 01 01 01 03 01 00 01 C2 00 04 01 01 05 01 01 06 01 00 0A 00 02 01 01 02 02 03 02 00 00 96 00 04 02 00 05 02 01 06 02 00 0A 00 03 01 01 03 03 03 03 00 00 25 80 04 03 00 05 03 03 06 03 00 40 00 04 01 01 04 04 03 04 00 00 4B 00 04 04 01 05 04 07 06 04 01 90 00 05 00 01 05 00 03 05 00 00 E1 00 04 05 00 05 05 01 06 05 00 0A 00 06 00 01 06 03 03 06 00 00 25 80 04 06 00 05 06 05 06 06 00 32 00 07 00 01 07 00 03 07 00 00 E1 00 04 07 00 05 07 01 06 07 00 0A 07 00 01 04 02 03 05 06 07 08 00 01 02 03 04 05 06 07
$ frame {examples}/hand-edited.smc --board remote
1> 00 C7 55 AA 02 00 00 01 01 00 00 03 00 00 00 E1 00 04 00 00 05 00 01 06 00 00 0A 00 01 01 01 01 00 03 01 00 01 C2 00 04 01 00 05 01 01 06 01 00 0A 00 02 00 01 02 00 03 02 00 00 E1 00 04 02 00 05 02 01 06 02 00 0A 00 03 00 01 03 00 03 03 00 00 E1 00 04 03 00 05 03 01 06 03 00 0A 00 04 00 01 04 00 03 04 00 00 E1 00 04 04 00 05 04 01 06 04 00 0A 00 05 01 01 05 03 03 05 00 01 90 00 04 05 00 05 05 04 06 05 00 80 00 06 00 01 06 00 03 06 00 00 E1 00 04 06 00 05 06 01 06 06 00 0A 00 07 00 01 07 00 03 07 00 00 E1 00 04 07 00 05 07 01 06 07 00 0A 07 00 01 07 03 04 02 06 05 08 00 01 07 03 04 05 06 02
2> {examples}/hand-edited.smc:5: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {examples}/hand-edited.smc:9: warning: keys missing from this group, read as their defaults: "Sensor Type" = 0, "Local Port" = 1, "Local Mode" = 0, "Remote Port" = 1, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {examples}/hand-edited.smc:14: warning: keys missing from this group, read as their defaults: "Local Mode" = 0, "Remote Mode" = 0
2> {examples}/hand-edited.smc:19: warning: Channel 3 Local Baudrate: 100000 is not a rate of the form 921600/n; writing sends 102400
2> {examples}/hand-edited.smc:20: warning: Channel 3 Remote Baudrate: 100000 is not a rate of the form 921600/n; writing sends 102400
2> {examples}/hand-edited.smc:25: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 5, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {examples}/hand-edited.smc:27: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Port" = 7, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {examples}/hand-edited.smc:28: warning: groups missing, their keys read as their defaults: "Channel 4", "Channel 5", "Channel 7"
$ frame {examples}/port-conflict.smc --board remote
2> Remote Port Conflict: Check Remote Ports On Channels 5 and 6
? 1

# Against the built-in simulated pair, chosen by --bridge or by TIVRA_BRIDGE.
$ ports --bridge sim
1> device 0  Quorvantel Ostrel  serial number QV-0001  <- LocalBoard
$ TIVRA_BRIDGE=sim read --json --trace
1j> {"format":1,"channels":[{"channel":1,"enabled":0,"sensorType":0,"localPort":0,"localBaudrate":57600,"localMode":0,"remotePort":0,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":2,"enabled":0,"sensorType":0,"localPort":1,"localBaudrate":57600,"localMode":0,"remotePort":1,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":3,"enabled":0,"sensorType":0,"localPort":2,"localBaudrate":57600,"localMode":0,"remotePort":2,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":4,"enabled":0,"sensorType":0,"localPort":3,"localBaudrate":57600,"localMode":0,"remotePort":3,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":5,"enabled":0,"sensorType":0,"localPort":4,"localBaudrate":57600,"localMode":0,"remotePort":4,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":6,"enabled":0,"sensorType":0,"localPort":5,"localBaudrate":57600,"localMode":0,"remotePort":5,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":7,"enabled":0,"sensorType":0,"localPort":6,"localBaudrate":57600,"localMode":0,"remotePort":6,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10},{"channel":8,"enabled":0,"sensorType":0,"localPort":7,"localBaudrate":57600,"localMode":0,"remotePort":7,"remoteBaudrate":57600,"remoteMode":0,"priority":1,"chunksize":10}],"boardsRead":{"localBoard":"read","remoteBoard":"read"},"boardsAgree":true,"status":0,"messages":[{"title":"Success","text":"Local configuration data read"},{"title":"Success","text":"Remote configuration data read"}],"reasons":[]}
2> bridge: getNumDevices
2> bridge: getProductString(0, 1)
2> bridge: open(0)
2> bridge: setBaudRate(57600)
2> bridge: setLineControl(0x0801)
2> bridge: flushBuffers(1, 1)
2> bridge: setTimeouts(4096, 4096)
2> bridge: flushBuffers(1, 1)
2> bridge: write(00 05 55 AA 00)
2> bridge: checkRxQueue
2> bridge: read(3)
2> bridge: read(194)
2> Success: Local configuration data read
2> bridge: flushBuffers(1, 1)
2> bridge: write(00 05 55 AA 01)
2> bridge: checkRxQueue
2> bridge: read(3)
2> bridge: read(176)
2> Success: Remote configuration data read
2> bridge: close

# For scripts: the same as JSON.
$ ports --json --bridge sim
1j> {"format":1,"ports":[{"name":"device 0","usb":true,"description":"Quorvantel Ostrel","serialNumber":"QV-0001","localBoard":true}]}
$ write {examples}/mixed-sensors.smc --verify --json --bridge sim
1j> {"format":1,"file":"{examples}/mixed-sensors.smc","verified":true,"readBack":{"localBoard":"read","remoteBoard":"read"},"boardsAgree":true,"differences":[],"status":0,"written":{"localBoard":"written","remoteBoard":"written"},"messages":[{"title":"Success","text":"Local configuration data written"},{"title":"Success","text":"Remote configuration data written"},{"title":"Success","text":"Local configuration data read"},{"title":"Success","text":"Remote configuration data read"}],"reasons":[]}
2> Success: Local configuration data written
2> Success: Remote configuration data written
2> Success: Local configuration data read
2> Success: Remote configuration data read

# A server that turns the connection away is a missing board; the reason is said, and in JSON.
$ write {examples}/mixed-sensors.smc --json --bridge tcp://127.0.0.1:1
1j> {"format":1,"file":"{examples}/mixed-sensors.smc","status":1,"written":{"localBoard":"not sent","remoteBoard":"not sent"},"messages":[{"title":"No Local Board Found","text":"Check USB cable and retry"}],"reasons":["127.0.0.1:1: connection refused"]}
2> tivractl write: 127.0.0.1:1: connection refused
2> No Local Board Found: Check USB cable and retry
? 1

# A serial:PATH that does not open as a serial line is no LocalBoard.
file plain.smc = [Channel 1]\n
skip windows
$ ports --bridge serial:{missing}
2> tivractl ports: {missing}: No such file or directory
? 2
$ ports --bridge serial:{plain.smc}
2> tivractl ports: {plain.smc}: not a serial line
? 2

# simulate --from refuses what the boards cannot hold, channel by channel, before serving.
file unheld.smc = [Channel 3]\nLocal Port = 8\nRemote Port = -1\n[Channel 4]\nRemote Port = 1\n
skip windows
$ simulate --from {unheld.smc}
2> {unheld.smc}:1: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {unheld.smc}:4: warning: keys missing from this group, read as their defaults: "Enabled" = 0, "Sensor Type" = 0, "Local Port" = 3, "Local Baudrate" = 57600, "Local Mode" = 0, "Remote Baudrate" = 57600, "Remote Mode" = 0, "Priority" = 1, "Chunksize" = 10
2> {unheld.smc}:5: warning: groups missing, their keys read as their defaults: "Channel 1", "Channel 2", "Channel 5", "Channel 6", "Channel 7", "Channel 8"
2> tivractl simulate: {unheld.smc}: Channel 3: local port 9 is not one of the boards' ports 1 to 8
2> tivractl simulate: {unheld.smc}: Channel 3: no remote port chosen
2> tivractl simulate: {unheld.smc}: Channel 4: remote port 2 is channel 2's already
? 2
