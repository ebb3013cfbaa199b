#include "sound.h"
#include "wait.h"

#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QUrl>

namespace platform {

namespace {

quint32 le32(const QByteArray& b, int at)
{
    return static_cast<quint8>(b[at]) | (static_cast<quint8>(b[at + 1]) << 8) |
           (static_cast<quint8>(b[at + 2]) << 16) | (static_cast<quint32>(static_cast<quint8>(b[at + 3])) << 24);
}

}  // namespace

int wave_length_ms(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return -1;
    quint32 byte_rate = 0;
    // Walk the chunks for "fmt " and "data".
    for (int guard = 0; guard < 64; ++guard) {
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            return -1;
        const quint32 size = le32(chunk, 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = f.read(size);
            if (fmt.size() < 16)
                return -1;
            byte_rate = le32(fmt, 8);
            if (size % 2 == 1)
                f.read(1);
        } else if (chunk.startsWith("data")) {
            if (byte_rate == 0)
                return -1;
            return static_cast<int>(static_cast<quint64>(size) * 1000 / byte_rate);
        } else if (!f.seek(f.pos() + size + (size % 2))) {
            return -1;
        }
    }
    return -1;
}

bool play_and_wait(const QString& path, int margin_ms, const std::function<bool()>& guard)
{
    if (!QFile::exists(path))
        return false;
    int length = wave_length_ms(path);
    if (length < 0 || length > 60000)
        length = 10000;

    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    bool done = false;
    bool ended = false;
    QObject scope;
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &scope, [&](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia) {
            ended = s == QMediaPlayer::EndOfMedia;
            done = true;
        }
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &scope,
                     [&](QMediaPlayer::Error, const QString&) { done = true; });
    player.setSource(QUrl::fromLocalFile(path));
    player.play();
    if (player.error() == QMediaPlayer::NoError)
        wait_until([&] { return done; }, guard, length + margin_ms);
    player.stop();
    return ended;
}

}  // namespace platform
