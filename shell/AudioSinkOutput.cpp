#include "shell/AudioSinkOutput.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>

AudioSinkOutput::AudioSinkOutput() = default;

AudioSinkOutput::~AudioSinkOutput()
{
    stop();
}

void AudioSinkOutput::stop()
{
    if (m_sink)
        m_sink->stop();
    m_sink.reset();
    m_buffer.close();
}

void AudioSinkOutput::play(const QString &, const WaveData &wave)
{
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return;
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return;
    m_samples = wave.samples;
    m_buffer.setData(m_samples);
    if (!m_buffer.open(QIODevice::ReadOnly))
        return;
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->start(&m_buffer);
}
