#pragma once

#include "shell/SoundOutput.h"

#include <QStringList>

// Stands in for the sound card: records "play NAME" and "stop" in the order they come.
class RecordingOutput : public SoundOutput
{
public:
    explicit RecordingOutput(QStringList &log) : m_log(log) {}
    void play(const QString &name, const WaveData &) override { m_log << "play " + name; }
    void stop() override { m_log << "stop"; }

private:
    QStringList &m_log;
};
