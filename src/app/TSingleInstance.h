#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// At most one instance runs at a time. The first process takes a lock file and
// listens on a local socket; a later process finds the lock held and asks the first,
// through the socket, to come to the front. The lock of a process that died is taken
// over, and its socket file removed, by the next start.
class TSingleInstance : public QObject {
    Q_OBJECT

  public:
    // name: the system-wide name of the guard; the lock file and the socket live in
    // the temporary folder and carry the user's id.
    explicit TSingleInstance(const QString& name, QObject* parent = nullptr);
    ~TSingleInstance() override;

    // True when this process is now the first instance and listens for requests.
    // Exactly one of several processes started at the same moment gets true.
    bool TryBecomeFirst();

    // Asks the running instance to come to the front. Waits up to timeoutMs for it
    // to listen (it may be starting); false when no instance answered.
    bool AskFirstToRaise(int timeoutMs);

    QString LockPath() const;
    QString ServerName() const { return serverName_; }

  signals:
    void RaiseRequested();

  private:
    void AcceptConnections();

    QString serverName_;
    QLockFile lock_;
    QLocalServer* server_ = nullptr;
};
