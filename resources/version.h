// The program's version, in this one place: the resource script's version information and the
// About box both take it from here. Plain #defines so that the resource compiler reads it too.
#pragma once

#define KAVO_VERSION_NUMBERS 1, 0, 0, 0
#define KAVO_VERSION_TEXT "1.0.0"
