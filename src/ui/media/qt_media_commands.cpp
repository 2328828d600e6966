#include "ui/media/qt_media_commands.h"

#include "ui/media/media_command_text.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

namespace paperkit {

namespace {

bool Ended(const QtMediaCommands::Device& device) {
    const qint64 length = device.player->duration();
    return length > 0 && device.Position() >= length;
}

} // namespace

QtMediaCommands::QtMediaCommands() = default;

QtMediaCommands::~QtMediaCommands() {
    for (auto& [alias, device] : m_devices)
        device.player->stop();
}

MediaReply QtMediaCommands::Send(const std::string& text) {
    const auto command = ParseMediaCommand(text);
    if (!command)
        return {};
    const auto it = m_devices.find(command->alias);
    if (command->verb == MediaCommand::Verb::Open) {
        const QFileInfo file(QString::fromStdString(command->file));
        if (it != m_devices.end() || !file.isFile() || !file.isReadable())
            return {};
        Device device;
        device.player = std::make_unique<QMediaPlayer>();
        device.silent = QMediaDevices::audioOutputs().isEmpty();
        if (!device.silent) {
            device.output = std::make_unique<QAudioOutput>();
            device.player->setAudioOutput(device.output.get());
        }
        device.player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
        m_devices.emplace(command->alias, std::move(device));
        return {true, {}};
    }
    if (it == m_devices.end())
        return {};
    Device& device = it->second;
    QMediaPlayer& player = *device.player;
    const bool broken = player.error() != QMediaPlayer::NoError ||
                        player.mediaStatus() == QMediaPlayer::InvalidMedia;
    switch (command->verb) {
    case MediaCommand::Verb::Play:
        if (broken)
            return {};
        if (device.silent) {
            if (command->fromStart || Ended(device))
                device.positionMs = 0;
            else
                device.positionMs = device.Position();
            device.running = true;
            device.since.start();
            return {true, {}};
        }
        if (command->fromStart)
            player.setPosition(0);
        player.play();
        return {true, {}};
    case MediaCommand::Verb::Stop:
        // the position stays, so that a later PLAY goes on from here
        if (device.silent) {
            device.positionMs = device.Position();
            device.running = false;
        } else {
            player.pause();
        }
        return {true, {}};
    case MediaCommand::Verb::Status:
        if (broken)
            return {true, "not ready"};
        if (device.silent)
            return {true, device.running && !Ended(device) ? "playing" : "stopped"};
        if (player.mediaStatus() == QMediaPlayer::EndOfMedia)
            return {true, "stopped"};
        return {true, player.playbackState() == QMediaPlayer::PlayingState ? "playing" : "stopped"};
    case MediaCommand::Verb::Close:
        player.stop();
        m_devices.erase(it);
        return {true, {}};
    case MediaCommand::Verb::Open:
        break;
    }
    return {};
}

} // namespace paperkit
