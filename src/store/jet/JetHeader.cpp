#include "store/jet/JetHeader.h"

#include <QFile>
#include <array>
#include <cstring>

namespace wk::store::jet {

namespace {

constexpr int kMaskStart = 0x18;
constexpr int kPasswordOffset = 0x42;
constexpr int kCreationDateOffset = 0x72;
constexpr int kMinimumHeader = 0x80;

// The RC4 key stream of the fixed header key 0x6b39dac7, `length` bytes long.
QByteArray headerMask(int length)
{
    const std::array<unsigned char, 4> key = {0xc7, 0xda, 0x39, 0x6b};
    std::array<unsigned char, 256> s{};
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    int j = 0;
    for (int i = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xff;
        std::swap(s[i], s[j]);
    }
    QByteArray stream(length, '\0');
    int a = 0;
    j = 0;
    for (int n = 0; n < length; ++n) {
        a = (a + 1) & 0xff;
        j = (j + s[a]) & 0xff;
        std::swap(s[a], s[j]);
        stream[n] = static_cast<char>(s[(s[a] + s[j]) & 0xff]);
    }
    return stream;
}

JetVersion versionOf(const QByteArray& page)
{
    if (page.size() < kMinimumHeader)
        return JetVersion::NotJet;
    static const QByteArray magic("\x00\x01\x00\x00", 4);
    if (!page.startsWith(magic))
        return JetVersion::NotJet;
    const QByteArray signature = page.mid(4, 15);
    if (signature == "Standard ACE DB")
        return JetVersion::Ace;
    if (signature != "Standard Jet DB")
        return JetVersion::NotJet;
    return page.at(0x14) == 0 ? JetVersion::Jet3 : JetVersion::Jet4;
}

int passwordLength(JetVersion version) { return version == JetVersion::Jet3 ? 20 : 40; }

// The full mask over the password bytes: header key stream, and in Jet 4 the creation day.
QByteArray passwordMask(const QByteArray& page, JetVersion version)
{
    const int length = passwordLength(version);
    QByteArray mask = headerMask(kPasswordOffset - kMaskStart + length).mid(kPasswordOffset - kMaskStart);
    if (version != JetVersion::Jet3) {
        const QByteArray stream = headerMask(kCreationDateOffset - kMaskStart + 8);
        unsigned char raw[8];
        for (int i = 0; i < 8; ++i)
            raw[i] = static_cast<unsigned char>(page.at(kCreationDateOffset + i)) ^
                     static_cast<unsigned char>(stream.at(kCreationDateOffset - kMaskStart + i));
        double created = 0;
        std::memcpy(&created, raw, sizeof created); // little-endian on every platform we build for
        const auto day = static_cast<qint32>(created);
        const unsigned char dayBytes[4] = {
            static_cast<unsigned char>(day & 0xff), static_cast<unsigned char>((day >> 8) & 0xff),
            static_cast<unsigned char>((day >> 16) & 0xff), static_cast<unsigned char>((day >> 24) & 0xff)};
        for (int i = 0; i < length; ++i)
            mask[i] = static_cast<char>(static_cast<unsigned char>(mask.at(i)) ^ dayBytes[i % 4]);
    }
    return mask;
}

} // namespace

JetHeader parseJetHeader(const QByteArray& firstPage)
{
    JetHeader header;
    header.version = versionOf(firstPage);
    if (header.version == JetVersion::Jet3 || header.version == JetVersion::Jet4) {
        const QByteArray mask = passwordMask(firstPage, header.version);
        for (int i = 0; i < mask.size(); ++i)
            if (firstPage.at(kPasswordOffset + i) != mask.at(i))
                header.hasPassword = true;
    }
    return header;
}

JetHeader readJetHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseJetHeader(file.read(4096));
}

QByteArray withPassword(const QByteArray& firstPage, const QByteArray& password)
{
    const JetVersion version = versionOf(firstPage);
    if (version != JetVersion::Jet3 && version != JetVersion::Jet4)
        return firstPage;
    QByteArray plain(passwordLength(version), '\0');
    for (int i = 0; i < password.size(); ++i) {
        if (version == JetVersion::Jet3 && i < plain.size())
            plain[i] = password.at(i);
        else if (version == JetVersion::Jet4 && 2 * i < plain.size())
            plain[2 * i] = password.at(i); // UTF-16 little-endian, Latin letters only
    }
    const QByteArray mask = passwordMask(firstPage, version);
    QByteArray page = firstPage;
    for (int i = 0; i < plain.size(); ++i)
        page[kPasswordOffset + i] = static_cast<char>(plain.at(i) ^ mask.at(i));
    return page;
}

} // namespace wk::store::jet
