#include "app/Cifrado.h"

#include <QStringDecoder>
#include <sodium.h>
#include <stdexcept>

namespace cxp::cifrado {

namespace {

void iniciarSodium() {
    // sodium_init is idempotent and thread-safe; it fails only without a
    // source of randomness, and then no nonce can be trusted.
    if (sodium_init() < 0) throw std::runtime_error("libsodium no pudo iniciarse");
}

constexpr auto kCodificacion = QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals;

}  // namespace

QByteArray claveIncorporada() {
    static const unsigned char llave[crypto_secretbox_KEYBYTES] = {
        0x5c, 0x2e, 0x91, 0x07, 0xd4, 0x6b, 0x3a, 0xe8, 0x1f, 0x92, 0x4d, 0xc0, 0x77, 0x08, 0xb5, 0x63,
        0xa9, 0x14, 0xee, 0x3c, 0x50, 0x8f, 0x26, 0xd1, 0x9b, 0x41, 0x7a, 0x0e, 0xc3, 0x68, 0xf5, 0x2d};
    return QByteArray(reinterpret_cast<const char*>(llave), sizeof llave);
}

void borrar(QString& texto) {
    if (texto.isDetached()) sodium_memzero(texto.data(), size_t(texto.size()) * sizeof(QChar));
    texto.clear();
}

namespace {

void borrar(QByteArray& datos) {
    if (datos.isDetached()) sodium_memzero(datos.data(), size_t(datos.size()));
    datos.clear();
}

constexpr int kHora = 8;  // bytes of the sealing time

}  // namespace

QString cifrar(const QString& clave, const QByteArray& llave, const QDateTime& cuando) {
    if (llave.size() != int(crypto_secretbox_KEYBYTES)) throw std::invalid_argument("llave de cifrado inválida");
    iniciarSodium();
    QByteArray plano(kHora, '\0');
    const quint64 segundos = quint64(cuando.toSecsSinceEpoch());
    for (int i = 0; i < kHora; ++i) plano[i] = char((segundos >> (8 * (kHora - 1 - i))) & 0xff);
    plano += clave.toUtf8();
    QByteArray salida(int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES) + plano.size(), '\0');
    auto* nonce = reinterpret_cast<unsigned char*>(salida.data());
    randombytes_buf(nonce, crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(nonce + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char*>(plano.constData()), size_t(plano.size()), nonce,
                          reinterpret_cast<const unsigned char*>(llave.constData()));
    borrar(plano);
    return QString::fromLatin1(salida.toBase64(kCodificacion));
}

std::optional<QString> descifrar(const QString& texto, const QByteArray& llave, const QDateTime& ahora) {
    if (llave.size() != int(crypto_secretbox_KEYBYTES)) return std::nullopt;
    iniciarSodium();
    const auto decodificado =
        QByteArray::fromBase64Encoding(texto.toLatin1(), kCodificacion | QByteArray::AbortOnBase64DecodingErrors);
    // toLatin1 turns any non-Latin-1 character into '?', which base64url
    // refuses, so foreign text cannot slip through.
    if (!decodificado) return std::nullopt;
    const QByteArray& datos = *decodificado;
    // Only the one spelling cifrar writes: the last character's spare bits
    // would otherwise let an altered seal open.
    if (datos.toBase64(kCodificacion) != texto.toLatin1()) return std::nullopt;
    constexpr int cabecera = int(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES);
    if (datos.size() < cabecera) return std::nullopt;
    const auto* nonce = reinterpret_cast<const unsigned char*>(datos.constData());
    QByteArray plano(datos.size() - cabecera, '\0');
    if (crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plano.data()), nonce + crypto_secretbox_NONCEBYTES,
                                   size_t(datos.size()) - crypto_secretbox_NONCEBYTES, nonce,
                                   reinterpret_cast<const unsigned char*>(llave.constData())) != 0)
        return std::nullopt;
    if (plano.size() < kHora) {
        borrar(plano);
        return std::nullopt;
    }
    quint64 segundos = 0;
    for (int i = 0; i < kHora; ++i) segundos = (segundos << 8) | quint8(plano[i]);
    const qint64 edad = ahora.toSecsSinceEpoch() - qint64(segundos);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString resultado = utf8.decode(QByteArrayView(plano).sliced(kHora));
    const bool valida = !utf8.hasError() && edad <= kVigenciaSegundos && edad >= -kVigenciaSegundos;
    borrar(plano);
    if (!valida) {
        borrar(resultado);
        return std::nullopt;
    }
    return resultado;
}

}  // namespace cxp::cifrado
