// Test harness only: opens the shell's Eval so that the tests can read the
// pointer, the windows and the dialogs, and drive a virtual pointer and keyboard.
function init() {}
function enable() { global.context.unsafe_mode = true; }
function disable() {}
