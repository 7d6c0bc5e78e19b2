#include "shell/SoundPlayer.h"

#include "shell/AudioSinkOutput.h"

#include <QFile>

// The recordings live in this static library; the linker keeps them only when asked.
static void initRecordings()
{
    Q_INIT_RESOURCE(recordings);
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output) : m_output(std::move(output))
{
    initRecordings();
}

SoundPlayer::SoundPlayer() : SoundPlayer(std::make_unique<AudioSinkOutput>()) {}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::resourcePath(const QString &name, const QString &type)
{
    return QStringLiteral(":/%1/%2.wav").arg(type, name);
}

void SoundPlayer::PlayResourceSound(const QString &name, const QString &type)
{
    m_output->stop();
    QFile file(resourcePath(name, type));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const std::optional<WaveData> wave = WaveData::parse(file.readAll());
    if (wave)
        m_output->play(name, *wave);
}
