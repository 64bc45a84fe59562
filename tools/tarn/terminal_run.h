#pragma once

namespace kestro::tarn {

class CEngineRun;

// Runs to the end in the terminal: progress on standard error when it is a terminal, the
// log there too with --verbose. Returns the exit status.
int RunInTerminal(CEngineRun& run, bool verbose);

}  // namespace kestro::tarn
