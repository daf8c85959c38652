#pragma once
// The program runs once per user: the first start holds a lock in the runtime folder and
// listens there, so that a later start can ask it to bring its window forward.

#include <QLockFile>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace platform {

class SingleInstance {
  public:
    explicit SingleInstance(const QString& name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another running process holds the lock. The holder starts listening for
    // requests to come forward (it needs the application's event loop for them).
    bool Acquire();
    // What the holder does when a later start asks it to come forward.
    void SetActivationHandler(std::function<void()> handler) { handler_ = std::move(handler); }
    // Asks the holder to come forward; false when it cannot be reached within a second.
    bool RequestActivation() const;

  private:
    void Listen();

    QString lockPath_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QPointer<QLocalServer> server_;  // owned by the application, which may go first
    std::function<void()> handler_;
};

}  // namespace platform
