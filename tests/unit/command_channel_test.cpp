// The command channel's server as a peer sees it: what it answers, what it
// closes unheard, how long it holds a silent peer, and that commands run only
// once their sender has confirmed.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/command_channel.h"

namespace {

using platform::CommandServer;

int argc = 1;
char arg0[] = "command_channel_test";
char* argv[] = {arg0, nullptr};

// One connection to the server, driven by hand; the server runs on this thread,
// so every wait turns the event loop.
class Peer {
public:
    explicit Peer(const QString& path)
    {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray p = path.toLocal8Bit();
        std::copy(p.begin(), p.end(), address.sun_path);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    }
    ~Peer() { ::close(fd_); }
    bool connected() const { return connected_; }

    void send(const QByteArray& bytes)
    {
        for (qsizetype at = 0; at < bytes.size();) {
            const ssize_t n = ::write(fd_, bytes.constData() + at, size_t(bytes.size() - at));
            if (n > 0)
                at += n;
            else
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
    // Reads what arrives until the server closes or the time is up; whether it closed.
    bool readUntilClosed(int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            char buffer[256];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n == 0 || (n < 0 && errno != EAGAIN))
                return true;
            if (n > 0)
                received.append(buffer, n);
            else
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        return false;
    }
    bool readLine(int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        while (!received.contains('\n') && clock.elapsed() < timeoutMs && !readUntilClosed(5)) {
        }
        return received.contains('\n');
    }

    QByteArray received;

private:
    int fd_ = -1;
    bool connected_ = false;
};

QByteArray message(const QStringList& arguments)
{
    QByteArray payload;
    for (const QString& a : arguments)
        payload += a.toUtf8() + '\0';
    QByteArray m(4, '\0');
    qToBigEndian<quint32>(quint32(payload.size()), m.data());
    return m + payload;
}

class CommandChannelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app = new QCoreApplication(argc, argv); }
    static void TearDownTestSuite() { delete app; }
    static QCoreApplication* app;

    QTemporaryDir folder;
    QString path = folder.path() + QStringLiteral("/vorlin-9.socket");
    int heard = 0;
    int ran = 0;
    CommandServer server{path, [this](const QStringList&) {
                             ++heard;
                             return CommandServer::Answer{{}, [this] { ++ran; }};
                         }};

    void SetUp() override { ASSERT_TRUE(server.isListening()) << server.errorString().toStdString(); }
};
QCoreApplication* CommandChannelTest::app = nullptr;

TEST_F(CommandChannelTest, AMessageUpTo16KiBIsAnsweredAndALargerOneClosedUnheard)
{
    const struct {
        int payloadBytes;
        bool answered;
    } rows[] = {{16 * 1024, true}, {16 * 1024 + 1, false}};
    for (const auto& row : rows) {
        heard = 0;
        Peer peer(path);
        ASSERT_TRUE(peer.connected());
        peer.send(message({QString(row.payloadBytes - 1, u'a')}));
        EXPECT_EQ(peer.readLine(3000), row.answered) << row.payloadBytes;
        EXPECT_EQ(peer.received.isEmpty(), !row.answered) << row.payloadBytes;
        EXPECT_EQ(heard, row.answered ? 1 : 0) << row.payloadBytes;
    }
}

TEST_F(CommandChannelTest, CommandsRunOnlyOnceTheSenderConfirmsAndASilentPeerIsDroppedWithin5s)
{
    Peer confirming(path), givingUp(path), silent(path);
    confirming.send(message({"--stop"}));
    ASSERT_TRUE(confirming.readLine(3000));
    EXPECT_EQ(confirming.received, "ok\n");
    confirming.send("run\n");
    EXPECT_TRUE(confirming.readUntilClosed(3000));
    EXPECT_EQ(ran, 1);

    givingUp.send(message({"--stop"}));
    ASSERT_TRUE(givingUp.readLine(3000));
    EXPECT_TRUE(givingUp.readUntilClosed(8000)) << "a peer that never confirmed was held";
    EXPECT_TRUE(silent.readUntilClosed(1000)) << "a silent peer was held past 5 s";
    EXPECT_EQ(heard, 2);
    EXPECT_EQ(ran, 1) << "a command ran without its sender's confirmation";
}

TEST_F(CommandChannelTest, BeyondTheCapTheNewestAreClosedAtOnceAndTheChannelStaysOpen)
{
    std::vector<std::unique_ptr<Peer>> held;
    for (int i = 0; i < CommandServer::MaxPeers + 5; ++i)
        held.push_back(std::make_unique<Peer>(path));
    for (int i = CommandServer::MaxPeers; i < CommandServer::MaxPeers + 5; ++i)
        EXPECT_TRUE(held[size_t(i)]->readUntilClosed(2000)) << "peer " << i << " beyond the cap was held";
    for (int i = 0; i < CommandServer::MaxPeers; ++i)
        EXPECT_FALSE(held[size_t(i)]->readUntilClosed(100)) << "peer " << i << " within the cap was closed";
    held.clear();

    // Once the server has seen the flood go, the next sender is heard.
    QElapsedTimer clock;
    clock.start();
    bool answered = false;
    while (!answered && clock.elapsed() < 3000) {
        Peer later(path);
        later.send(message({"--stop"}));
        answered = later.readLine(500);
    }
    EXPECT_TRUE(answered) << "the channel did not answer after the flood";
}

} // namespace
