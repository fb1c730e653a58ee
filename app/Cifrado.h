#pragma once
// The password the launcher hands to the client on the command line. It is
// sealed with libsodium's crypto_secretbox (XSalsa20-Poly1305) under a key
// built into both programs; a random nonce makes every sealing different.
// The text is base64url (no padding) of nonce + box, so it survives any
// shell and command line.
#include <QByteArray>
#include <QString>
#include <optional>

namespace cxp::cifrado {

// 32 bytes.
QByteArray claveIncorporada();

QString cifrar(const QString& clave, const QByteArray& llave = claveIncorporada());
// The plain password, or nothing when the text was altered, is not ours,
// was sealed under another key or does not hold UTF-8 text.
std::optional<QString> descifrar(const QString& texto, const QByteArray& llave = claveIncorporada());

}  // namespace cxp::cifrado
