#pragma once
// Recognising an Access (Jet) database file by its first page, and telling whether it carries
// a database password.
//
// The first page starts with 00 01 00 00 and "Standard Jet DB" (Jet 3 and Jet 4) or
// "Standard ACE DB" (later Access). From offset 0x18 the page is RC4-masked with a fixed key;
// the password sits at 0x42 (20 bytes in Jet 3, 40 bytes in Jet 4, where each byte is further
// masked with the four bytes of the whole-day part of the creation date stored at 0x72).
// Unmasked bytes that are all zero mean: no password.
#include <QByteArray>
#include <QString>

namespace wk::store::jet {

enum class JetVersion { NotJet, Jet3, Jet4, Ace };

struct JetHeader {
    JetVersion version = JetVersion::NotJet;
    bool hasPassword = false;
};

// Reads the first page of `path`. A missing, short or foreign file gives version NotJet.
JetHeader readJetHeader(const QString& path);
// The same for the bytes of a first page (at least 0x80 bytes are needed).
JetHeader parseJetHeader(const QByteArray& firstPage);
// Writes `password` into a first page, masked the way the format stores it (Jet 3 and Jet 4).
// Tests use it to make a protected copy of a real file.
QByteArray withPassword(const QByteArray& firstPage, const QByteArray& password);

} // namespace wk::store::jet
