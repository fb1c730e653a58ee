#pragma once
// The six document printers: one window per document kind, on the shared
// engine. The payment voucher's (`Tfimpregreso`) stays open for F2 (print)
// and F10 (print on the general "0000" format) and, with "ESPERAR PARA
// IMPRIMIR VARIAS COPIAS DEL DOCUMENTO", for more copies; the others print
// once when opened and close.
#include "printing/motor/Impresion.h"

#include <functional>

namespace cxp {

class ImpresoraDocumento {
public:
    // Sends a prepared plan to its output (printer, preview or file).
    using Salida = std::function<ResultadoMotor(const PlanImpresion&)>;

    ImpresoraDocumento(int tipo, Sesion& sesion, const Configuracion& configuracion, Interaccion& interaccion,
                       Salida salida);
    virtual ~ImpresoraDocumento() = default;

    int tipo() const { return tipo_; }
    void setDocumento(int64_t id, const QString& prefijoFormato = {}) {
        id_ = id;
        prefijoFormato_ = prefijoFormato;
    }
    int64_t documento() const { return id_; }

    // Prints the document; `general` uses the type's "0000" format. True
    // when the window is to close afterwards.
    bool imprimir(bool general = false);
    const ResultadoMotor& ultimo() const { return ultimo_; }

    // Window caption and the text above the buttons.
    virtual QString titulo() const = 0;
    virtual QString indicacion() const;
    // F10 and copies: the payment voucher only.
    virtual bool permiteGeneral() const { return false; }

private:
    int tipo_;
    Sesion& sesion_;
    const Configuracion& configuracion_;
    Interaccion& interaccion_;
    Salida salida_;
    int64_t id_ = 0;
    QString prefijoFormato_;
    ResultadoMotor ultimo_;
};

class Tfimpregreso : public ImpresoraDocumento {
public:
    Tfimpregreso(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(62, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Imprimir egreso"); }
    QString indicacion() const override {
        return QStringLiteral("Prepare la impresora y presione Imprimir para generar el egreso");
    }
    bool permiteGeneral() const override { return true; }
};

class Tfimprnotadbp : public ImpresoraDocumento {
public:
    Tfimprnotadbp(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(51, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Cargos en Cuenta No. "); }
};

class Tfimprnotacrp : public ImpresoraDocumento {
public:
    Tfimprnotacrp(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(52, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Abono a Cuenta No. "); }
};

class Tfimpraplicacionp : public ImpresoraDocumento {
public:
    Tfimpraplicacionp(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(53, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Aplicación No. "); }
};

class Tfimpranticipoprv : public ImpresoraDocumento {
public:
    Tfimpranticipoprv(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(55, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Anticipo Proveedor No. "); }
};

class Tfimprordserv : public ImpresoraDocumento {
public:
    Tfimprordserv(Sesion& s, const Configuracion& c, Interaccion& i, Salida salida)
        : ImpresoraDocumento(56, s, c, i, std::move(salida)) {}
    QString titulo() const override { return QStringLiteral("Orden se servicio No. "); }
};

// The printer of a document kind, or nothing for a kind that does not print.
std::unique_ptr<ImpresoraDocumento> crearImpresora(int tipo, Sesion& sesion, const Configuracion& configuracion,
                                                   Interaccion& interaccion, ImpresoraDocumento::Salida salida);

}  // namespace cxp
