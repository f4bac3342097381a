#include "SoundLog.h"

namespace {

std::vector<SoundEvent> recorded;

void record(const SoundEvent& event) { recorded.push_back(event); }

} // namespace

SoundLog::SoundLog()
{
    recorded.clear();
    setSoundListener(record);
}

SoundLog::~SoundLog() { setSoundListener(nullptr); }

const std::vector<SoundEvent>& SoundLog::events() const { return recorded; }

int SoundLog::playsOf(const SAMPLE* sample) const
{
    int count = 0;
    for (const SoundEvent& event : recorded)
        if (event.sample == sample && !event.stop)
            count++;
    return count;
}

void SoundLog::clear() { recorded.clear(); }
