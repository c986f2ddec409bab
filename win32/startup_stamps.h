// Time stamps of the stages of start-up, read by the start-up benchmark
// (bench/run.sh --only startup). Off unless the environment variable
// T482_STARTUP_STAMPS is set; then each stage writes one line
// "t482-stage COUNT FREQUENCY NAME" to the standard error: the performance
// counter and its ticks per second (under Wine: the host's raw monotonic
// clock in units of 100 ns).
#pragma once

/// Writes the stamp of the stage that has just ended, when stamps are on.
void StartupStamp(const char* stage);
