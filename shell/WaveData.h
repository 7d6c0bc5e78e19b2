#pragma once

#include <QByteArray>
#include <optional>

// A RIFF WAVE recording split into its PCM format and samples.
struct WaveData
{
    int audioFormat = 0; // 1 = PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    QByteArray samples;

    // Reads the "fmt " and "data" chunks; nullopt for anything that is no WAVE file.
    static std::optional<WaveData> parse(const QByteArray &bytes);
};
