#pragma once
// The password the launcher hands to the client (through an inherited
// descriptor, or on the command line for other callers). It is sealed with
// libsodium's crypto_secretbox (XSalsa20-Poly1305) under a key built into
// both programs; a random nonce makes every sealing different. The box
// holds the sealing time (seconds since the epoch, 8 bytes big-endian) and
// the password's UTF-8: a seal older than two minutes is refused, so one
// read off a command line cannot be replayed later. The text is base64url
// (no padding) of nonce + box, so it survives any shell and command line.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace cxp::cifrado {

// 32 bytes.
QByteArray claveIncorporada();

// How long a seal opens, either side of its time (clocks of one machine).
inline constexpr qint64 kVigenciaSegundos = 120;

QString cifrar(const QString& clave, const QByteArray& llave = claveIncorporada(),
               const QDateTime& cuando = QDateTime::currentDateTimeUtc());
// The plain password, or nothing when the text was altered, is not ours,
// was sealed under another key, does not hold UTF-8 text, or was sealed
// more than two minutes before (or after) `ahora`.
std::optional<QString> descifrar(const QString& texto, const QByteArray& llave = claveIncorporada(),
                                 const QDateTime& ahora = QDateTime::currentDateTimeUtc());

// Overwrites the text's characters in place and empties it, when this is
// its only copy (a shared one is only emptied).
void borrar(QString& texto);

}  // namespace cxp::cifrado
