#pragma once

#include "shell/WaveData.h"

#include <QString>

// Where recordings are heard. The program uses the sound card; tests record the calls.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Starts playing at once and returns; the previous sound has been stopped.
    virtual void play(const QString &name, const WaveData &wave) = 0;
    virtual void stop() = 0;
};
