#pragma once
// The runtime's random numbers: a linear congruential generator on a 24-bit
// state, x' = (x * 0x43FD43FD + 0xC39EC3) mod 2^24, Rnd = x' / 2^24. It draws
// random layer colours; tests reset it so their draws repeat.

// Uniform in [0, 1): at most 1 - 2^-24.
float Rnd();
// Seeds from the system timer (seconds since midnight), as at start-up.
void Randomize();
// Seeds from a number: its bits are folded into the upper two bytes of the
// state, the low byte stays, so the same seed after the same history gives
// the same sequence.
void Randomize(double seed);

// The state of a fresh program run, before any Randomize.
void resetRandom();
