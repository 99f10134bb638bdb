# The X screen of the windows under Wine, sourced by the scripts that show one: scripts/test-windows
# runs the whole stage on one (Wine's desktop process stays on the screen of the program that
# started it for as long as any program of the prefix runs). Run alone, without DISPLAY, a script
# runs itself on a screen of its own.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
