#pragma once

#include <string>

#include "sound/Dsp.h"

// Writes a mono 16-bit PCM RIFF/WAVE file. Samples are clamped to full scale.
// Returns false when the file cannot be written completely.
bool writeWav(const std::string& path, const Signal& samples, int rate);
