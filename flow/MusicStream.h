#pragma once

struct AL_DUH_PLAYER;

// Which piece of the music module is playing.
enum MusicPart {
    GameMusic = 0,
    GameOverMusicPart = 1,
    MenuMusic = 2,
};

extern int musicState;

// The music as it is heard: one piece of wispen.it streamed from its own
// first order, at the volume of the settings. The screen flow owns it for the
// whole run, picks the piece and polls it every tick; the module itself
// belongs to the resource table.
class MusicStream {
public:
    ~MusicStream();

    // Starts part from its first order, in place of whatever was playing, at
    // the volume the last poll took from the settings.
    void play(MusicPart part);
    // Keeps the stream's buffer filled, at the volume the settings hold now,
    // so a change in the options is heard at once. Also before the first
    // piece, which then starts at that volume.
    void poll();
    // Before the module is unloaded: a renderer left running over a freed
    // module would read freed memory.
    void stop();

    AL_DUH_PLAYER* player = nullptr;
    float volume = 1.0f;

private:
    void start(int order);
};
