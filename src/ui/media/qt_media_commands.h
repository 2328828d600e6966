#pragma once

#include "ui/media/media_commands.h"

#include <QElapsedTimer>
#include <map>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace paperkit {

/// The media commands on Qt Multimedia (its ffmpeg backend). Lives in the windows' thread; the
/// players report through its event loop.
class QtMediaCommands final : public MediaCommands {
public:
    QtMediaCommands();
    ~QtMediaCommands() override;

    MediaReply Send(const std::string& command) override;

    // Without a sound device the player cannot be given an output (the ffmpeg backend's renderer
    // crashes on one) and, with none, it never reaches the end. Such a device is silent: the
    // player only loads the file and tells its length, and the device keeps the time itself so
    // that its modes stay true.
    struct Device {
        std::unique_ptr<QAudioOutput> output;
        std::unique_ptr<QMediaPlayer> player;
        bool silent = false;
        bool running = false;
        qint64 positionMs = 0;
        QElapsedTimer since;

        qint64 Position() const { return positionMs + (running ? since.elapsed() : 0); }
    };

private:
    std::map<std::string, Device> m_devices;
};

} // namespace paperkit
