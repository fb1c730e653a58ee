#pragma once
// The least launcher the client needs: who, in which company, with which
// password; the password sealed for the command line of cxpagar.
#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

class QLineEdit;
class QPushButton;

namespace cxp::lanzador {

struct Datos {
    QString usuario;
    QString compania = QStringLiteral("001");
    QString clave;
    QString ubicacion;  // optional: the database location for this start
    // --clave-entrada: the password is the first line of standard input, so
    // that it shows on no command line.
    bool claveDeEntrada = false;

    // User and password are there and the company code is valid.
    bool completos() const;
};

// --usuario U --compania C (--clave K | --clave-entrada) [--ubicacion L],
// in any order. Nothing (and the reason in *error) for an unknown option,
// one without a value or a company code that is not three letters or digits.
// --clave K shows the password to every user of the machine while the
// launcher starts; scripts use --clave-entrada.
std::optional<Datos> leerArgumentos(const QStringList& argumentos, QString* error = nullptr);

// The password of --clave-entrada: the first line of `entrada`, without its
// line end.
QString leerClave(FILE* entrada);

// Puts the sealed password (argumentos[3]) in a pipe the client inherits
// and writes "fd:N" in its place. False when no pipe could be made.
bool entregarClave(QStringList& argumentos);

// The command line of cxpagar: ENTRADA, the user in upper case (the
// database login and the suite's user codes are upper case), the company,
// the sealed password and the location when there is one.
QStringList argumentosCliente(const Datos& datos);

// cxpagar beside the launcher.
QString rutaCliente(const QString& carpetaLanzador);

// Asks for what is missing.
class Dialogo : public QDialog {
    Q_OBJECT
public:
    explicit Dialogo(const Datos& datos, QWidget* parent = nullptr);
    Datos datos() const;
    QLineEdit* usuario() const { return usuario_; }
    QLineEdit* compania() const { return compania_; }
    QLineEdit* clave() const { return clave_; }
    QPushButton* aceptar() const { return aceptar_; }

private:
    void revisar();
    Datos base_;
    QLineEdit* usuario_;
    QLineEdit* compania_;
    QLineEdit* clave_;
    QPushButton* aceptar_;
};

}  // namespace cxp::lanzador
