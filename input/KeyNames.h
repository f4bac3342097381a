#pragma once

// The keyboard's keys by name: for the settings file, the names of the
// library's KEY_ constants without the prefix ("LEFT", "ENTER", "A", "F1");
// for the screens, the keys' labels. The library's own scancode_to_name answers differently
// under each of its drivers, so the file could not be read back elsewhere.

// The scan code of name, read without regard to case; -1 for no key.
int scancodeNamed(const char* name);
// The name of scancode in capitals; null for a scan code without one.
const char* keyName(int scancode);
// What a player reads for scancode, as a keyboard labels it ("Enter", "Left
// Shift", "Keypad 5"); null for a scan code without a name.
const char* keyLabel(int scancode);
