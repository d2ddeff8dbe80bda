#pragma once

namespace velmor {

// SIGTERM, SIGINT and SIGHUP end the event loop as Quit would, so that the
// toolkit's teardown runs: a clipboard manager is handed the clipboard, or
// our holder takes it. Call once the application object exists.
void QuitOnTermination();

}  // namespace velmor
