#pragma once
// A trace of the program's start, for finding where the time to the first picture goes: with
// VISTREL_TRACE_START set, each step's first occurrence is written to standard error with the
// milliseconds since the program was executed (dynamic linking included). Off, it costs one test.
namespace platform {

// Notes `step` (a literal) once; later notes of the same step are ignored. Any thread.
void TraceStart(const char* step);

}  // namespace platform
