// Every setting of Wispen.ini, each declared once, in the order the file
// holds them; no include guard, since each walk includes it with its own
// SETTING. The columns: the field's type, the file's section and key, the
// record's field, the default, the rule that turns the value as read into
// one the game can use, whether it shapes play (the replay header holds
// those, in this order, so none may move) and what it means to the player.
// The README's settings table and the manual page are written from the
// last column (tools/settingsdoc).

// clang-format off
SETTING(int, GENERAL, "w", w, PICTURE_W, asSet, false, "width of the picture the game draws; outside 1 to 8192 start-up ends with \"Error: initializing graphics mode!\"")
SETTING(int, GENERAL, "h", h, PICTURE_H, asSet, false, "height of the picture the game draws, as w")
SETTING(int, GENERAL, "bpp", bpp, 32, asSet, false, "colour depth; a refused depth is tried once as another (15 and 16, 24 and 32, else 16), which is saved; 8 is never asked for")
SETTING(int, GENERAL, "fullscreen", fullscreen, 1, asSet, false, "1 (any value but 0) full screen, 0 a window; Alt+Enter or F11 switches, and the last mode is written back")
SETTING(int, GENERAL, "vsync", vsync, 0, asSet, false, "1 waits for the retrace before showing a frame")
SETTING(int, SPEED, "fps", fps, 60, tickRate, true, "logic ticks per second; outside 1 to 1000 the game runs at 60")
SETTING(int, SPEED, "unlimitedFPS", unlimitedFPS, 1, asSet, false, "1 draws on every pass of the loop")
SETTING(int, SPEED, "showFPS", showFPS, 0, asSet, false, "1 shows the frame rate")
SETTING(int, GENERAL, "yield", yield, 0, asSet, false, "1 sleeps until the next tick (the installed game's settings for a new player turn it on); 0 spins a core")
SETTING(int, GENERAL, "driver", driver, 0, asSet, false, "0 double buffer, 1 page flipping, 2 triple buffering, other values draw directly; an unavailable one falls back along that order")
SETTING(int, GENERAL, "scale", scale, 0, asSet, false, "whole factor the picture is enlarged by; 0 (or below 1, or not a number) the largest that fits; a factor too large is reduced")
SETTING(int, GENERAL, "pauseOnFocusLoss", pauseOnFocusLoss, 1, asSet, false, "1 opens the abandon question when you switch away during play; 0 plays on")
SETTING(float, WISPEN, "acc", acc, 0.04f, usableAcc, true, "steering acceleration; not a number or infinite plays as the default, and speeds stay within 4 either way")
SETTING(float, WISPEN, "dec", dec, 0.98f, usableDec, true, "damping of the speed on an axis without input, as acc")
SETTING(int, WISPEN, "rad", rad, 16, clampedRadius, true, "creature radius, 0 to 512")
SETTING(int, WISPEN, "hp1", hp1, 45, asSet, true, "starting health of the wisp; 0 or less shows an empty health bar")
SETTING(int, WISPEN, "hp2", hp2, 10, asSet, true, "starting health of a soul")
SETTING(int, WISPEN, "spawnTime", spawnTime, 300, asSet, true, "ticks between souls, scaled by the difficulty, at least 1")
SETTING(int, WISPEN, "maxParticles", maxParticles, 40, clampedTrailLength, true, "length of the trail, 0 (none) to 600")
SETTING(int, WISPEN, "difficulty", difficulty, 1, usableDifficulty, true, "0 easy, 1 normal, 2 hard; any other value plays as normal")
SETTING(int, WISPEN, "nStars", nStars, 300, clampedStarCount, true, "stars per game, 0 to 100000")
SETTING(int, WISPEN, "volSound", volSound, 125, clampedVolume, false, "volume of the sounds, 0 to 255")
SETTING(int, WISPEN, "volMusic", volMusic, 125, clampedVolume, false, "volume of the music, 0 to 255")
SETTING(int, GAMEPAD, "enabled", padEnabled, 1, asSet, false, "0 never looks for a gamepad: the keyboard plays alone")
SETTING(int, GAMEPAD, "deadZone", padDeadZone, 50, asSet, false, "per cent of its travel the stick must be pushed past to count; outside 0 to 100, 50 (100 turns the stick off, the D-pad still steers)")
SETTING(int, GAMEPAD, "buttonEnter", padEnter, 0, asSet, false, "the pad's button for Choose; outside 0 to 31, the default")
SETTING(int, GAMEPAD, "buttonEscape", padEscape, 1, asSet, false, "the pad's button for Back; outside 0 to 31, the default")
SETTING(int, GAMEPAD, "buttonStart", padStart, 7, asSet, false, "Start: Back in play, Choose elsewhere; outside 0 to 31, the default")
SETTING(int, GAMEPAD, "buttonUp", padUp, -1, asSet, false, "a button that moves up as the stick does; -1 (or outside 0 to 31) none")
SETTING(int, GAMEPAD, "buttonDown", padDown, -1, asSet, false, "a button that moves down, as buttonUp")
SETTING(int, GAMEPAD, "buttonLeft", padLeft, -1, asSet, false, "a button that moves left, as buttonUp")
SETTING(int, GAMEPAD, "buttonRight", padRight, -1, asSet, false, "a button that moves right, as buttonUp")
SETTING(KeyName, KEYS, "up", keyUp, "UP", asSet, false, "the key for Up, by name (below)")
SETTING(KeyName, KEYS, "down", keyDown, "DOWN", asSet, false, "the key for Down")
SETTING(KeyName, KEYS, "left", keyLeft, "LEFT", asSet, false, "the key for Left")
SETTING(KeyName, KEYS, "right", keyRight, "RIGHT", asSet, false, "the key for Right")
SETTING(KeyName, KEYS, "choose", keyChoose, "ENTER", asSet, false, "the key for Choose")
SETTING(KeyName, KEYS, "back", keyBack, "ESC", asSet, false, "the key for Back")
// clang-format on
