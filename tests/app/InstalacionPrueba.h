#pragma once
// A whole installation in a temporary folder, as `cxpagar-admin demo` lays
// it out: datos/general.fdb and datos/001/quelmar.fdb with the demo rows,
// conexion.cfg, and the settings file that stands in for the registry
// (CXPAGAR_REGISTRO points at it while the object lives).
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace prueba {

class InstalacionPrueba {
public:
    InstalacionPrueba();
    ~InstalacionPrueba();

    QString directorio() const { return dir_.path(); }
    QString general() const;
    QString compania() const;
    QString errores() const { return directorio() + QStringLiteral("/ERRORES.TXT"); }
    // The lines of ERRORES.TXT (empty when there is none).
    QStringList lineasErrores() const;

    // Runs SQL on one of the databases, as SYSDBA.
    void enGeneral(const QString& sql) const;
    void enCompania(const QString& sql) const;
    // The user's connection mark (USUARIO.FECCON in the general database):
    // an invalid QVariant when it is clear.
    QVariant marcaDeConexion(const QString& usuario = QStringLiteral("ADMIN")) const;

    void quitarRegistro() const;
    void quitarConexion() const;
    void escribirConexion(const QByteArray& contenido) const;

private:
    QTemporaryDir dir_;
    QByteArray registroAnterior_;
    bool habiaRegistro_ = false;
};

}  // namespace prueba
