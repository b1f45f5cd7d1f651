#include "shell/FamilyServer.h"

#include "controls/Prompts.h"
#include "shell/ServerFolder.h"
#include "store/Engine.h"
#include "store/StoreError.h"

#include <QUrl>

namespace wk::shell {

namespace {

const QString kTitle = QStringLiteral("Family Server");

QString encoded(const QString& part) { return QString::fromLatin1(QUrl::toPercentEncoding(part)); }

} // namespace

QString familyServerAddress(const QString& host, const QString& database, const QString& user)
{
    // A socket folder cannot stand in the address's host part: it goes as a parameter.
    if (host.startsWith(QLatin1Char('/'))) {
        QString address = QStringLiteral("postgresql:///%1?host=%2").arg(encoded(database), encoded(host));
        if (!user.isEmpty())
            address += QStringLiteral("&user=") + encoded(user);
        return address;
    }
    const QString who = user.isEmpty() ? QString() : encoded(user) + QLatin1Char('@');
    return QStringLiteral("postgresql://%1%2/%3").arg(who, host, encoded(database));
}

std::optional<QString> askForFamilyServer(controls::Prompts& prompts)
{
    QList<controls::TextField> fields{
        {QStringLiteral("Server"), QString()},
        {QStringLiteral("Scrapbook"), QStringLiteral("wanderkeep")},
        {QStringLiteral("User"), qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME"))}};
    for (;;) {
        const std::optional<QStringList> typed = prompts.askTexts(
            kTitle,
            QStringLiteral("The family server's name (or address), the scrapbook's name on it and your "
                           "user name there."),
            fields);
        if (!typed || typed->size() != fields.size())
            return std::nullopt;
        const QString host = typed->at(0).trimmed(), database = typed->at(1).trimmed(),
                      user = typed->at(2).trimmed();
        if (!host.isEmpty() && !database.isEmpty())
            return familyServerAddress(host, database, user);
        prompts.tell(kTitle, QStringLiteral("Please type the server's name and the scrapbook's name."),
                     controls::MessageIcon::Exclamation);
        for (int k = 0; k < fields.size(); ++k)
            fields[k].value = typed->at(k);
    }
}

std::optional<store::ScrapbookLocation> withServerPassword(const store::ScrapbookLocation& scrapbook,
                                                           controls::Prompts& prompts)
{
    store::ScrapbookLocation located = scrapbook;
    while (located.onServer()) {
        try {
            store::openEngine(located); // kept a moment for the opening that follows
            return located;
        } catch (const store::PasswordNeededError&) {
            const QString why = located.password().isEmpty()
                                    ? QString()
                                    : QStringLiteral("\n\nThat password was not accepted.");
            const std::optional<QStringList> typed = prompts.askTexts(
                kTitle,
                QStringLiteral("The server asks for your password for %1.%2").arg(located.label(), why),
                {{QStringLiteral("Password"), QString(), true}});
            if (!typed || typed->isEmpty())
                return std::nullopt;
            located = located.withPassword(typed->first());
        }
    }
    return located;
}

std::optional<store::ScrapbookLocation> chooseFamilyServerScrapbook(controls::Prompts& prompts)
{
    const std::optional<QString> address = askForFamilyServer(prompts);
    if (!address)
        return std::nullopt;
    std::optional<store::ScrapbookLocation> located;
    try {
        located = withServerPassword(store::ScrapbookLocation(*address), prompts);
    } catch (const store::StoreError& failure) {
        prompts.tell(kTitle, failure.message(), controls::MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (!located)
        return std::nullopt;
    return withThisComputersFolder(*located, prompts);
}

} // namespace wk::shell
