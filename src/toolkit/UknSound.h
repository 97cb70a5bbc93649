#pragma once

// Reminder sounds: ".wav" files and generated tones, played by ALSA's small command-line
// player, so that no sound server is needed. Playing returns at once; a new sound or Stop
// ends the one playing. Without the player, or without a sound device, nothing is heard and
// nothing fails.

#include <QObject>
#include <string>
#include <vector>

#include "features/UMemoHandler.h"

class QProcess;

namespace qb {

// The tones one after another as a WAV file in memory: 16-bit mono PCM sine waves at the
// rate, each faded in and out over a few milliseconds so that it does not click.
std::string ToneWave(const std::vector<TTone>& tones, uint32_t sampleRate = 22050);

class TknSoundPlayer : public QObject, public ISoundPlayer {
    Q_OBJECT
  public:
    // `player`: the program that plays a WAV file given as its argument or, for "-", on its
    // standard input.
    explicit TknSoundPlayer(QString player = QStringLiteral("aplay"));
    ~TknSoundPlayer() override;  // stops

    void PlayFile(const std::u16string& path) override;
    void PlayTones(const std::vector<TTone>& tones) override;
    void Stop() override;

    bool Playing() const;

  private:
    QProcess* Start(const QString& argument);

    QString FPlayer;
    QProcess* FProcess = nullptr;
};

}  // namespace qb
