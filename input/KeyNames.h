#pragma once

// The keyboard's keys by name, for the settings file and the controls screen:
// the names of the library's KEY_ constants without the prefix ("LEFT",
// "ENTER", "A", "F1"). The library's own scancode_to_name answers differently
// under each of its drivers, so the file could not be read back elsewhere.

// The scan code of name, read without regard to case; -1 for no key.
int scancodeNamed(const char* name);
// The name of scancode in capitals; null for a scan code without one.
const char* keyName(int scancode);
