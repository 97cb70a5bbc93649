#include "toolkit/UknSound.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qb {

namespace {

constexpr int16_t kAmplitude = 12000;  // of 32767: loud enough, far from clipping
constexpr uint32_t kFadeMs = 5;

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string ToneWave(const std::vector<TTone>& tones, uint32_t sampleRate) {
    std::string samples;
    for (const TTone& tone : tones) {
        const uint64_t count = uint64_t(tone.Duration) * sampleRate / 1000;
        const uint64_t fade = std::max<uint64_t>(1, uint64_t(kFadeMs) * sampleRate / 1000);
        for (uint64_t i = 0; i < count; ++i) {
            const double edge = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
            const double phase = 2 * std::numbers::pi * tone.Frequency * double(i) / sampleRate;
            const auto value =
                static_cast<int16_t>(std::lround(kAmplitude * edge * std::sin(phase)));
            PutLE(samples, static_cast<uint16_t>(value), 2);
        }
    }
    std::string wave = "RIFF";
    PutLE(wave, static_cast<uint32_t>(36 + samples.size()), 4);
    wave += "WAVEfmt ";
    PutLE(wave, 16, 4);              // the format chunk's size
    PutLE(wave, 1, 2);               // PCM
    PutLE(wave, 1, 2);               // mono
    PutLE(wave, sampleRate, 4);      // samples per second
    PutLE(wave, sampleRate * 2, 4);  // bytes per second
    PutLE(wave, 2, 2);               // bytes per sample
    PutLE(wave, 16, 2);              // bits per sample
    wave += "data";
    PutLE(wave, static_cast<uint32_t>(samples.size()), 4);
    return wave + samples;
}

TknSoundPlayer::TknSoundPlayer(QString player) : FPlayer(std::move(player)) {}

TknSoundPlayer::~TknSoundPlayer() {
    Stop();
}

QProcess* TknSoundPlayer::Start(const QString& argument) {
    Stop();
    const QString program = QStandardPaths::findExecutable(FPlayer);
    if (program.isEmpty()) return nullptr;
    FProcess = new QProcess(this);
    FProcess->setProgram(program);
    FProcess->setArguments({QStringLiteral("-q"), argument});
    FProcess->setStandardOutputFile(QProcess::nullDevice());
    FProcess->setStandardErrorFile(QProcess::nullDevice());
    QProcess* process = FProcess;
    connect(process, &QProcess::finished, this, [this, process] {
        if (FProcess == process) FProcess = nullptr;
        process->deleteLater();
    });
    FProcess->start();
    return FProcess;
}

void TknSoundPlayer::PlayFile(const std::u16string& path) {
    Start(QString::fromStdU16String(path));
}

void TknSoundPlayer::PlayTones(const std::vector<TTone>& tones) {
    QProcess* process = Start(QStringLiteral("-"));
    if (!process) return;
    const std::string wave = ToneWave(tones);
    // Written once the player runs; a player that fails to start takes nothing.
    connect(process, &QProcess::started, process, [process, wave] {
        process->write(wave.data(), static_cast<qint64>(wave.size()));
        process->closeWriteChannel();
    });
}

void TknSoundPlayer::Stop() {
    QProcess* process = std::exchange(FProcess, nullptr);
    if (!process) return;
    process->disconnect(this);
    process->kill();
    process->waitForFinished(200);
    delete process;
}

bool TknSoundPlayer::Playing() const {
    return FProcess && FProcess->state() != QProcess::NotRunning;
}

}  // namespace qb
