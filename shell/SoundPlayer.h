#pragma once

#include "shell/SoundOutput.h"

#include <memory>

// Plays the program's built-in recordings (":/TYPE/NAME.wav") without waiting.
// A new sound stops the one still playing; every failure is silent.
class SoundPlayer
{
public:
    explicit SoundPlayer(std::unique_ptr<SoundOutput> output);
    // The sound card's player.
    SoundPlayer();
    ~SoundPlayer();

    void PlayResourceSound(const QString &name, const QString &type);

    static QString resourcePath(const QString &name, const QString &type);

private:
    std::unique_ptr<SoundOutput> m_output;
};
