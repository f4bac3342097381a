#pragma once

// The result of every start-up step. A code other than NoError stops start-up
// and is shown to the player once, with its fixed text.
enum ErrorCode {
    NoError = 0,
    AllegroInit = 1,
    KeyboardInstall = 2,
    MouseInstall = 3,
    TimerInstall = 4,
    GfxMode = 5,
    SoundInstall = 6,
    OutOfMemory = 7,
    OutOfVideoMemory = 8,
    TripleBufferUnavailable = 9,
    DataLoad = 10,
    UnknownError = 11,
    // Another game holds the player's directory.
    AlreadyRunning = 12,
};

class Error {
public:
    Error(int code);
    virtual ~Error();

    virtual const char* message() const;
    virtual bool failed() const;

    int code;
};
