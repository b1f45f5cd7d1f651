// A scrapbook on a server reached over the network, and signing in without typing: the connection is
// encrypted as its address asks, a server that cannot prove who it is is refused with the reason,
// and libpq's own password file signs in as a typed password would.
#include "EnvironmentSetting.h"
#include "OwnServer.h"
#include "ServerDatabase.h"

#include "store/ScrapbookFile.h"
#include "store/StoreError.h"

#include <QFile>
#include <QTemporaryDir>

#include <QTcpServer>

using namespace wk;
using wk::testing::EnvironmentSetting;
using wk::testing::ServerDatabase;

namespace {

// A TCP port on 127.0.0.1 that nothing listens on now.
int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        throw std::runtime_error("no free TCP port on 127.0.0.1");
    return probe.serverPort();
}

// A server of the test's own that takes only TLS connections on 127.0.0.1, with an empty database
// "family". libpq is told of no root certificate but the one an address names, whatever the user
// running the tests keeps in ~/.postgresql.
class TlsServer {
public:
    TlsServer() : port_(freePort()), server_({QStringLiteral("--tls"), QString::number(port_)})
    {
        store::openEngine(
            store::ScrapbookLocation(QStringLiteral("postgresql:///postgres?host=%1&port=%2&user=wk")
                                         .arg(server_.socketFolder())
                                         .arg(port_)))
            ->exec(QStringLiteral("CREATE DATABASE family"), QStringLiteral("create"));
    }

    // Database "family" over TCP, with `parameters` after the user.
    QString uri(const QString& parameters) const
    {
        return QStringLiteral("postgresql://127.0.0.1:%1/family?user=wk&%2").arg(port_).arg(parameters);
    }
    // The certificate of the authority that signed the server's.
    QString authority() const { return server_.socketFolder() + QStringLiteral("/tls/ca.crt"); }

private:
    const EnvironmentSetting noHomeRoot_{"PGSSLROOTCERT", "/nonexistent/root.crt"};
    int port_;
    wk::testing::OwnServer server_;
};

QString errorOpening(const store::ScrapbookLocation& location)
{
    try {
        store::openEngine(location);
    } catch (const store::StoreError& error) {
        return error.message();
    }
    return {};
}

// "true|TLSv1.3": whether the connection's own backend is encrypted, and how.
QString encryptionOf(store::Engine& engine)
{
    const auto row = engine.prepare(
        QStringLiteral(
            "SELECT ssl::text || '|' || coalesce(version, '') FROM pg_stat_ssl WHERE pid = pg_backend_pid()"),
        QStringLiteral("encryption"));
    return row->step(QStringLiteral("encryption")) ? row->value(0).toString() : QString();
}

} // namespace

TEST(ServerSecurity, AScrapbookOverTlsOpensEncryptedAsItsAddressAsks)
{
    const TlsServer server;
    const QString verified = QStringLiteral("sslmode=verify-full&sslrootcert=") + server.authority();
    store::createScrapbook(store::ScrapbookLocation(server.uri(verified)));

    const QString cases[] = {
        QStringLiteral("sslmode=require"), // encrypted, nothing checked
        QStringLiteral("sslmode=verify-ca&sslrootcert=") + server.authority(),
        verified,                         // the certificate names 127.0.0.1
        QStringLiteral("sslmode=prefer"), // libpq's default: encrypted when it can be
        verified + QStringLiteral("&host=localhost&hostaddr=127.0.0.1"), // and localhost
    };
    for (const QString& parameters : cases) {
        SCOPED_TRACE(parameters.toStdString());
        const store::ScrapbookLocation location(server.uri(parameters));
        EXPECT_EQ(store::inspectScrapbook(location), store::FileKind::Scrapbook);
        const auto engine = store::openEngine(location);
        EXPECT_TRUE(encryptionOf(*engine).startsWith("true|TLSv1.")) << encryptionOf(*engine).toStdString();
        EXPECT_TRUE(engine->hasTable(QStringLiteral("MYLIFE"), QStringLiteral("look")));
    }
}

TEST(ServerSecurity, AServerThatCannotProveItsNameOrAPlainConnectionIsRefusedWithTheReason)
{
    const TlsServer server;
    const struct {
        QString parameters;
        QStringList told;
    } cases[] = {
        {QStringLiteral("sslmode=verify-full&sslrootcert=%1&host=wrong.example&hostaddr=127.0.0.1")
             .arg(server.authority()),
         {"Cannot open the scrapbook", "does not match host name", "wrong.example"}},
        {QStringLiteral("sslmode=verify-full"), {"root certificate file", "does not exist"}},
        {QStringLiteral("sslmode=disable"), {"pg_hba.conf rejects connection", "no encryption"}},
    };
    for (const auto& [parameters, told] : cases) {
        SCOPED_TRACE(parameters.toStdString());
        const QString message = errorOpening(store::ScrapbookLocation(server.uri(parameters)));
        for (const QString& part : told)
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
    }
}

// libpq reads a password for the role from the file PGPASSFILE names when it was given none; a
// password typed into the program is used in its place.
TEST(ServerSecurity, ThePasswordFileSignsInAsATypedPasswordWouldAndATypedOneComesFirst)
{
    ServerDatabase database;
    QTemporaryDir folder;
    const QString passwordFile = folder.filePath(QStringLiteral("pgpass"));
    const EnvironmentSetting setting("PGPASSFILE", QFile::encodeName(passwordFile));
    const struct {
        QString inFile;
        QFileDevice::Permissions permissions;
        QString typed;
        QString told; // empty: opens
    } cases[] = {
        {"right password", QFileDevice::ReadOwner | QFileDevice::WriteOwner, {}, {}},
        {"wrong password",
         QFileDevice::ReadOwner | QFileDevice::WriteOwner,
         {},
         "password authentication failed"},
        {"wrong password", QFileDevice::ReadOwner | QFileDevice::WriteOwner, "right password", {}},
        {"right password", QFileDevice::ReadOwner | QFileDevice::WriteOwner, "wrong",
         "password authentication failed"},
        // libpq passes by a file others may read.
        {"right password",
         QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther,
         {},
         "no password supplied"},
    };
    int number = 0;
    for (const auto& [inFile, permissions, typed, told] : cases) {
        SCOPED_TRACE((inFile + " in the file, typed: " + typed).toStdString());
        QFile file(passwordFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("*:*:%1:wk_password:%2\n").arg(database.name(), inFile).toUtf8());
        file.close();
        ASSERT_TRUE(file.setPermissions(permissions));
        // Each case its own address: a connection or password another case signed in with is not
        // taken up again.
        const store::ScrapbookLocation location =
            store::ScrapbookLocation(
                QStringLiteral("postgresql:///%1?host=%2&user=wk_password&application_name=case%3")
                    .arg(database.name(), database.socketFolder())
                    .arg(++number))
                .withPassword(typed);
        if (told.isEmpty()) {
            EXPECT_NO_THROW(store::openEngine(location));
            continue;
        }
        try {
            store::openEngine(location);
            ADD_FAILURE() << "opened";
        } catch (const store::PasswordNeededError& error) {
            EXPECT_TRUE(error.message().contains(told)) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(database.socketFolder())) << error.message().toStdString();
        } catch (const store::StoreError& error) {
            ADD_FAILURE() << "not told as a password wanted: " << error.message().toStdString();
        }
    }
}
