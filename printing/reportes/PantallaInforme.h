#pragma once
// What every report screen does on F2: the waiting panel, the query of its
// options, "No hay datos para el reporte." when it brings nothing, and
// otherwise the installation's layout file with the report its options
// name, the bands its grouping shows, the parameters of every layout
// ("nomcia", "nitcia", "titulo", "subtitulo", "usuario") and the output
// the person chooses. The rows stay in the screen's grid for F4.
#include "ledger/PantallaLedger.h"
#include "printing/reportes/Paginado.h"

#include <QHash>
#include <QSet>
#include <memory>
#include <optional>

namespace cxp {

// The subtitle of a report from its ranges: "Fechas: 2026/01/01 - 2026/01/31",
// "Fecha: 2026/01/31" (a cut-off), "Doc: 000010 - 000020"; parts apart
// by two spaces, missing ones left out.
QString compone_titulo(QDate desde, QDate hasta, const QString& docDesde = {}, const QString& docHasta = {});

class PantallaInforme : public PantallaLedger {
    Q_OBJECT
public:
    inline static const QString kEspera = QStringLiteral("Generando informe. espere un momento...");
    inline static const QString kSinDatos = QStringLiteral("No hay datos para el reporte.");
    // The layout paths ("reportes/repomovprove.xml") are below this folder
    // of the installation directory.
    inline static const QString kCarpetaDisenos = QStringLiteral("cxpagar");

    struct Salida {
        std::function<void(bool)> espera;  // the waiting panel shown or hidden
        // The laid-out report to the output dialog; `archivo` the file name offered.
        std::function<void(const reportes::Paginado&, const QString& titulo, const QString& archivo)> enviar;
    };

    PantallaInforme(Sesion& sesion, Interaccion& interaccion, ManejadorErrores& manejador,
                    const Configuracion& configuracion, QString archivoDiseno, QString nombreExportar,
                    QString titulo);
    ~PantallaInforme() override;

    DataSet& filas() { return filas_; }
    const QString& nombreExportar() const { return nombreExportar_; }
    const QString& titulo() const { return titulo_; }
    void setTitulo(const QString& t) { titulo_ = t; }
    void setSalida(Salida s) { salida_ = std::move(s); }
    void setMoneda(int codigo) { cambiarMoneda(codigo); }

    // F2. False when nothing was printed (refused, no rows, a fault told).
    bool generar();
    // The last report laid out, for checks.
    const reportes::Paginado* ultimo() const { return paginado_ ? &*paginado_ : nullptr; }
    QString rutaDiseno() const;

protected:
    struct Pedido {
        QString consulta;
        QString informe;  // the named report of the layout file
        QSet<QString> ocultas;
        QHash<QString, QString> textos;
        QHash<QString, QString> parametros;  // besides the common ones
        QString subtitulo;
    };
    // The query and report of the options; nullopt after telling why not.
    virtual std::optional<Pedido> pedido() = 0;
    // The parameters, texts and bands of a run of `p`, the common ones included.
    reportes::Ejecucion ejecucion(const Pedido& p);

private:
    QString nitCompania();

    DataSet filas_;
    QString archivoDiseno_;
    QString nombreExportar_;
    QString titulo_;
    Salida salida_;
    std::optional<reportes::Diseno> diseno_;
    std::unique_ptr<reportes::FilasDataSet> filasInforme_;
    std::optional<reportes::Paginado> paginado_;
};

}  // namespace cxp
