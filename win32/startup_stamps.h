// Time stamps of the stages of start-up, read by the start-up benchmark
// (bench/run.sh --only startup). Off unless the environment variable
// T482_STARTUP_STAMPS is set; then each stage writes one line
// "t482-stage SECONDS NAME" to the standard error, SECONDS being the
// performance counter (under Wine: the monotonic raw clock of the host).
#pragma once

/// Writes the stamp of the stage that has just ended, when stamps are on.
void StartupStamp(const char* stage);
