# A format that fails writes nothing: not the earlier file, not standard output. (To standard
# output, set refused in scripting.t goes the same way.)
file out.smc = earlier\n
$ format {examples}/port-conflict.smc -o {out.smc}
2> Remote Port Conflict: Check Remote Ports On Channels 5 and 6
? 1

# A place that cannot be written says why, and what step failed.
skip windows
$ format {examples}/mixed-sensors.smc -o {out.smc}/out.smc
2> tivractl format: cannot save {out.smc}/out.smc: Not a directory (while creating a file beside it)
? 2
folder target.smc
$ format {examples}/mixed-sensors.smc -o {target.smc}
2> tivractl format: cannot save {target.smc}: Is a directory (while putting it in place)
? 2
holds out.smc = earlier\n
names out.smc target.smc
