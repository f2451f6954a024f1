#pragma once
// The channel through which `vorlin --start` and the like reach this user's
// running Vorlin: a local socket in the user's private folder, on Windows a
// named pipe. A message is the command line's arguments; the instance answers
// "ok" when it takes them, or one line saying why not. A sender that heard "ok"
// confirms with "run", and only then do the commands run: a sender that gave
// up before the answer closes without confirming, so what it reported as not
// taken never runs. Only a peer of this same user is heard.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class QLocalSocket;

namespace platform {

// Listens on the channel's address and hands over each connection of this
// user's as a connected socket, while the server has room for one; the others
// are closed unheard. Each backend has its own (native_platform.h's
// listenForCommands): nothing a local program does may switch it off.
class CommandListener {
public:
    virtual ~CommandListener() = default;
};

class CommandServer : public QObject {
    Q_OBJECT
public:
    // What the instance says to a message: an empty refusal takes it, and `run`
    // is called once the sender has confirmed; else the reason for refusing.
    struct Answer {
        QString refusal;
        std::function<void()> run;
    };
    using Handler = std::function<Answer(const QStringList& arguments)>;

    // Peers held open at once; a connection beyond them is closed at once.
    static constexpr int MaxPeers = 16;

    // Listens on the address (InstanceRendezvous::commandAddress); call only while
    // holding the single-instance lock, since a socket left behind by an ended
    // instance is removed first.
    CommandServer(const QString& address, Handler handler, QObject* parent = nullptr);
    ~CommandServer() override;
    bool isListening() const { return listener_ != nullptr; }
    QString errorString() const { return error_; }

private:
    void serve(QLocalSocket* peer);
    // Reads what the peer sent so far: the message, then the confirmation.
    void readFrom(QLocalSocket& peer);

    Handler handler_;
    std::unique_ptr<CommandListener> listener_;
    int peers_ = 0;
    std::map<QLocalSocket*, std::function<void()>> unconfirmed_; // taken, waiting for the sender's word
    QString error_;
};

enum class SendResult {
    Accepted,
    Refused,      // the instance answered with a reason, in `reason`
    NotListening, // nothing listens (yet) on the socket
    TurnedAway,   // it hung up unanswered (too many peers at once): not taken, worth another try
    NoAnswer,     // it did not answer in time, or hung up after its answer
};

// Sends the arguments to the running instance and waits for its answer.
SendResult sendCommandLine(const QString& address, const QStringList& arguments, int timeoutMs,
                           QString* reason = nullptr);

} // namespace platform
