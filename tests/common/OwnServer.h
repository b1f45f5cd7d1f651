#pragma once
// A PostgreSQL server of the test's own (tests/postgres/server.sh), for what the server the run
// shares must not go through: being switched off and on again, listening for TLS. Started when
// made, stopped and removed when destroyed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <stdexcept>

namespace wk::testing {

class OwnServer {
public:
    // `options`: what server.sh start takes after the state file ("--tls PORT").
    explicit OwnServer(const QStringList& options = {})
    {
        if (!folder_.isValid())
            throw std::runtime_error("no temporary folder for a server");
        run(QStringList{QStringLiteral("start"), state()} + options);
        QFile written(state());
        if (!written.open(QIODevice::ReadOnly))
            throw std::runtime_error("the server did not say where it runs");
        socketFolder_ = QString::fromUtf8(written.readAll()).trimmed();
    }
    ~OwnServer()
    {
        try {
            run({QStringLiteral("stop"), state()});
        } catch (const std::exception&) {
            // what it left is in the temporary folder
        }
    }
    OwnServer(const OwnServer&) = delete;
    OwnServer& operator=(const OwnServer&) = delete;

    // The folder of its Unix socket (and its files: tls/ca.crt for a TLS server).
    const QString& socketFolder() const { return socketFolder_; }
    // The address of `database` through the socket, as role `user`.
    QString uri(const QString& database, const QString& user = QStringLiteral("wk")) const
    {
        return QStringLiteral("postgresql:///%1?host=%2&user=%3").arg(database, socketFolder_, user);
    }
    // Switched off (clients lose their connections), and on again as it was.
    void pause() { run({QStringLiteral("pause"), state()}); }
    void resume() { run({QStringLiteral("resume"), state()}); }

private:
    QString state() const { return QDir(folder_.path()).filePath(QStringLiteral("state")); }

    static void run(const QStringList& arguments)
    {
        QProcess script;
        script.setProcessChannelMode(QProcess::MergedChannels);
        script.start(QStringLiteral("bash"), QStringList{QStringLiteral(WK_TEST_SERVER_SCRIPT)} + arguments);
        if (!script.waitForFinished(120000) || script.exitStatus() != QProcess::NormalExit ||
            script.exitCode() != 0)
            throw std::runtime_error("server.sh " + arguments.first().toStdString() +
                                     " failed: " + script.readAll().toStdString());
    }

    QTemporaryDir folder_;
    QString socketFolder_;
};

} // namespace wk::testing
