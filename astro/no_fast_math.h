// The astronomy must give the same numbers on every build. -ffast-math lets
// the compiler reorder and contract floating-point arithmetic, drop NaN and
// infinity checks and use approximate functions: the series, the rise and
// set searches and the field reader's guards would change their results. The
// build refuses it in its flags too; this stops a build that adds it by
// another way (a toolchain file, a packager's CXXFLAGS).
#pragma once

#if defined(__FAST_MATH__)
#error "the astronomical code must not be built with -ffast-math (or -Ofast): it changes the results"
#endif
