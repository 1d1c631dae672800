#pragma once

#include <QObject>
#include <memory>

class QLocalServer;

namespace corvane {

// One Corvane per settings store: a second start asks the first to open its preferences and
// leaves. The channel is a local socket named after the settings file, so instances with their
// own settings folder (tests, demonstrations) do not see each other.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when another instance took the request; this process should then exit.
    bool notifyRunningInstance();
    // Starts answering later starts. False when the channel could not be opened (logged).
    bool listen();

    static QString serverName();

signals:
    void openPreferencesRequested();

private:
    std::unique_ptr<QLocalServer> server_;
};

} // namespace corvane
