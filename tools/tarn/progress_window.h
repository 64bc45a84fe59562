#pragma once

namespace kestro::tarn {

class CEngineRun;

// Runs with a small window titled "TARN": a progress bar, the log, and a button that stops
// the run or, once it has ended, closes the window. With Auto-exit the window closes by
// itself when the run ends. Returns the exit status.
int RunInWindow(int argc, char** argv, CEngineRun& run);

}  // namespace kestro::tarn
