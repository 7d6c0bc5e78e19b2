#pragma once

#include "shell/SoundOutput.h"

#include <QBuffer>
#include <memory>

class QAudioSink;

// Plays PCM from memory on the default audio device; silent when there is none.
class AudioSinkOutput : public SoundOutput
{
public:
    AudioSinkOutput();
    ~AudioSinkOutput() override;

    void play(const QString &name, const WaveData &wave) override;
    void stop() override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    // The samples must outlive playback: kept until the next sound replaces them.
    QByteArray m_samples;
    QBuffer m_buffer;
};
