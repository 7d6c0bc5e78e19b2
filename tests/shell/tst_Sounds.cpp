#include "shell/SoundPlayer.h"
#include "tests/support/RecordingOutput.h"

#include <QFile>
#include <QTest>

class tst_Sounds : public QObject
{
    Q_OBJECT
private slots:
    void recordingsAreSmallPcm_data();
    void recordingsAreSmallPcm();
    void rejectsBrokenWaves_data();
    void rejectsBrokenWaves();
    void newSoundStopsTheOldOne();
};

void tst_Sounds::recordingsAreSmallPcm_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("name");
    QTest::newRow("click") << "SOUNDS"
                           << "PICTURE";
    for (const char *voice : {"WELCOME", "STEP1", "STEP2", "STEP3", "STEP4", "STEP5"})
        QTest::newRow(voice) << "VOICES" << voice;
}

void tst_Sounds::recordingsAreSmallPcm()
{
    QFETCH(QString, type);
    QFETCH(QString, name);
    SoundPlayer player(nullptr); // makes the recordings available
    QFile file(SoundPlayer::resourcePath(name, type));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const std::optional<WaveData> wave = WaveData::parse(file.readAll());
    QVERIFY(wave);
    QCOMPARE(wave->audioFormat, 1);
    QCOMPARE(wave->channels, 1);
    QCOMPARE(wave->sampleRate, 11025);
    QCOMPARE(wave->bitsPerSample, 8);
    QVERIFY(wave->samples.size() > 100);
}

void tst_Sounds::rejectsBrokenWaves_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QByteArray fmt("fmt \x10\0\0\0\x01\0\x01\0\x11\x2b\0\0\x11\x2b\0\0\x01\0\x08\0", 24);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not RIFF") << QByteArray("RIFX....WAVE");
    QTest::newRow("no data chunk") << QByteArray("RIFF\0\0\0\0WAVE", 12) + fmt;
    QTest::newRow("data before format") << QByteArray("RIFF\0\0\0\0WAVEdata\x02\0\0\0ab", 22);
    QTest::newRow("chunk longer than the file")
        << QByteArray("RIFF\0\0\0\0WAVE", 12) + fmt + QByteArray("data\xff\xff\0\0ab", 10);
}

void tst_Sounds::rejectsBrokenWaves()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!WaveData::parse(bytes));
}

void tst_Sounds::newSoundStopsTheOldOne()
{
    QStringList log;
    SoundPlayer player(std::make_unique<RecordingOutput>(log));
    player.PlayResourceSound("PICTURE", "SOUNDS");
    player.PlayResourceSound("STEP1", "VOICES");
    player.PlayResourceSound("NOSUCH", "VOICES"); // silent: stops, plays nothing
    QCOMPARE(log, (QStringList{"stop", "play PICTURE", "stop", "play STEP1", "stop"}));
}

QTEST_GUILESS_MAIN(tst_Sounds)
#include "tst_Sounds.moc"
